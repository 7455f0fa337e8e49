#pragma once

// The benchmark's table: medians per operation and size, growth from 10,000 to 50,000
// objects, ratios to the yardsticks, peak memory, and which targets are met.

#include <QList>
#include <QMap>
#include <QString>

struct BenchResults
{
    int runs = 0;
    bool cpuClock = false; // CPU time of the measuring thread instead of the wall clock
    QList<int> sizes;
    // operation key -> number of objects -> samples in ms
    QMap<QString, QMap<int, QList<double>>> samples;
    QMap<int, double> peakMb;
    QMap<int, double> fileMb;
    // Appended to an operation's key for its handler alone, without the repaint it posted.
    static inline const QString HandlerSuffix = QStringLiteral("#handler");

    void add(const QString &operation, int objects, double ms)
    {
        samples[operation][objects] << ms;
    }
    // Median, or a negative value when there is no sample.
    double median(const QString &operation, int objects) const;
};

// Yardstick keys, measured by the parent process on the same document file.
namespace BenchYardstick {
inline constexpr const char *ReadAll = "readall";
inline constexpr const char *PythonJson = "pyjson";
inline constexpr const char *PythonPass = "pypass";
} // namespace BenchYardstick

// Prints the table on stdout; returns true when every target that could be checked is met.
bool printReport(const BenchResults &results);
