#pragma once

// One child process of the benchmark: the timed operations on one document through the
// real main window, repeated for several runs. Prints
// "SAMPLE <run> <operation> <wall> <cpu> <handler wall> <handler cpu>" (ms) per measurement
// and "PEAK <kB>" (VmHWM) at the end, on stdout.

#include <QString>

namespace BenchScenario {

// Operation keys, in the order they are measured within a run.
inline constexpr const char *Startup = "startup";
inline constexpr const char *Click = "click";
inline constexpr const char *Type = "type";
inline constexpr const char *NewObject = "newobject";
// New object with its step ended; then the three again with the journal off.
inline constexpr const char *NewObjectStep = "newobject-step";
inline constexpr const char *ClickNoJournal = "click-nojournal";
inline constexpr const char *TypeNoJournal = "type-nojournal";
inline constexpr const char *NewObjectStepNoJournal = "newobject-step-nojournal";
inline constexpr const char *Move = "move10";
inline constexpr const char *Alarms = "alarms";
inline constexpr const char *Search = "search";
inline constexpr const char *Export = "export";
inline constexpr const char *PaintFit = "paintfit";
inline constexpr const char *PaintBox = "paintbox";
inline constexpr const char *NewBox = "newbox";
inline constexpr const char *Undo = "undo";
inline constexpr const char *Redo = "redo";
inline constexpr const char *Quit = "quit";
// The start-up of the first run in a fresh process: nothing of Qt or of the memory it
// needs is ready yet.
inline constexpr const char *FreshStartup = "startup#fresh";

// folder holds the pristine document "pic"; each run works on a copy in folder/work.
// Returns the process exit code.
int run(int objects, const QString &folder, int runs);

// Peak resident memory of this process so far, in kB (0 when it cannot be read).
qint64 peakKb();
// CPU time of the calling thread, in ms.
double threadCpuMs();

} // namespace BenchScenario
