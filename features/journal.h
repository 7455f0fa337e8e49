#pragma once

// The journal of a session: every step, undo and redo appended to "pic.journal" as it
// happens, so that a session that did not end with Save & Quit can be restored at the next
// start. "pic" and its backups stay Save & Quit's alone.

#include "canvas/model/changerecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class frmMain;
struct JournalOrigin;
struct WindowState;

// The journal file beside "pic" in the working folder.
const QString &journalFileName();

// Start-up, after the document is read and start-up's changes are the starting point:
// offers the changes of an unfinished session back, keeps aside a journal that cannot be
// used, then starts the journal of this session. origin is "pic" as it was read.
void startJournal(frmMain &form, const JournalOrigin &origin);
// Save & Quit, once "pic" is safely written: the journal is no longer needed.
void removeJournal(frmMain &form);
// The desktop ends the session (logout, shutdown): the journal is synced and kept so that
// the next start offers the work back, and the program ends without saving.
void endSessionKeepingJournal(frmMain &form);
// SIGTERM, SIGHUP and SIGINT sync the journal, then end the program as the signal would.
void installJournalSignals();
// The benchmark's switch: whether the journal is kept at all (on by default). Off, start-up
// opens no journal and an open one is not written to.
void setJournalEnabled(bool enabled);

// What the undo steps tell the journal. Nothing is written while no journal is open.
void journalStep(frmMain &form, const ChangeList &changes, const QString &text,
                 const QString &typedField, bool continues, const WindowState &after);
void journalUndo(frmMain &form);
void journalRedo(frmMain &form);

// The window's state as a journal record carries it, and back. Only the parts that differ
// from previous, the state of the record before, are written. decode is
// strict: false on anything out of place, every count and length checked against the bytes
// left, and on a reference to the lines before when there is no state before.
QByteArray encodeWindowState(const WindowState &state, const WindowState *previous = nullptr);
bool decodeWindowState(QByteArrayView bytes, WindowState &state,
                       const WindowState *previous = nullptr);
