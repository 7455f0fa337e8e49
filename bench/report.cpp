#include "bench/report.h"

#include "bench/scenario.h"

#include <QFile>
#include <QLocale>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace {

const char *const PythonParse = "pyparse"; // json.load less the bare start of Python

struct Row
{
    const char *key;
    const char *label;
    double targetMs; // at the largest size; negative: no target
};

const Row operations[] = {
    {BenchScenario::Startup, "start-up (construct, Form_Load, first paint)", 1000},
    {BenchScenario::Click, "click on an object (press, release, repaint)", 16},
    {BenchScenario::Type, "one typed character in Text5", 16},
    {BenchScenario::NewObject, "new object (newitem)", 16},
    {BenchScenario::NewObjectStep, "new object, its step in the journal", 16},
    {BenchScenario::ClickNoJournal, "click on an object, journal off", 16},
    {BenchScenario::TypeNoJournal, "one typed character, journal off", 16},
    {BenchScenario::NewObjectStepNoJournal, "new object with its step, journal off", 16},
    {BenchScenario::NewBox, "new box (newlocation)", -1},
    {BenchScenario::Undo, "undo of one step (the new box)", 16},
    {BenchScenario::Redo, "redo of one step (the new box)", 16},
    {BenchScenario::Move, "move of 10 objects, box totals included", 150},
    {BenchScenario::Alarms, "alarm report", 150},
    {BenchScenario::Search, "search matching 1 % of the objects", 150},
    {BenchScenario::Export, "export of every object (CSV)", 2000},
    {BenchScenario::PaintFit, "repaint, whole drawing (fit zoom)", 100},
    {BenchScenario::PaintBox, "repaint, box view", 16},
    {BenchScenario::Quit, "quit (backup + document saves)", 1000},
};

// The first start-up of a process, before the runs timed above: fonts, styles and memory
// are all new to it. What a user waits for when opening Ambrook.
const Row freshStartup = {BenchScenario::FreshStartup, "start-up, first in a fresh process",
                          1000};

const Row yardsticks[] = {
    {BenchYardstick::ReadAll, "yardstick: read the file's bytes (readAll)", -1},
    {BenchYardstick::PythonJson, "yardstick: python3 json.load, whole process", -1},
    {BenchYardstick::PythonPass, "yardstick: python3 -c pass, whole process", -1},
    {PythonParse, "yardstick: Python parse (json.load - pass)", -1},
};

constexpr double maxGrowth = 6.0;
constexpr double maxStartupToPython = 3.0;
constexpr double maxPeakMb = 300.0;

// Two to three significant digits.
QString number(double v)
{
    if (v < 0)
        return QStringLiteral("-");
    if (v >= 100)
        return QString::number(v, 'f', 0);
    if (v >= 10)
        return QString::number(v, 'f', 1);
    if (v >= 1)
        return QString::number(v, 'f', 2);
    return QString::number(v, 'f', 3);
}

QString ratio(double a, double b)
{
    return a < 0 || b <= 0 ? QStringLiteral("-") : number(a / b) + QLatin1Char('x');
}

void line(const QString &label, const QStringList &cells, const QString &growth = {},
          const QString &target = {}, const QString &met = {})
{
    QString text = label.leftJustified(46);
    for (const QString &cell : cells)
        text += cell.rightJustified(10);
    text += growth.rightJustified(10) + QStringLiteral("  ") + target.leftJustified(22) + met;
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    std::printf("%s\n", qPrintable(text));
}

struct Verdicts
{
    QStringList lines;
    bool allMet = true;
    void add(bool met, const QString &what)
    {
        allMet = allMet && met;
        lines << (met ? QStringLiteral("  met     ") : QStringLiteral("  MISSED  ")) + what;
    }
};

} // namespace

double BenchResults::median(const QString &operation, int objects) const
{
    if (operation == QLatin1String(PythonParse)) {
        const double json = median(QString::fromLatin1(BenchYardstick::PythonJson), objects);
        const double pass = median(QString::fromLatin1(BenchYardstick::PythonPass), objects);
        return json < 0 || pass < 0 ? -1 : std::max(0.0, json - pass);
    }
    QList<double> values = samples.value(operation).value(objects);
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const qsizetype mid = values.size() / 2;
    return values.size() % 2 ? values.at(mid) : (values.at(mid - 1) + values.at(mid)) / 2;
}

bool printReport(const BenchResults &r)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const int last = r.sizes.isEmpty() ? 0 : r.sizes.last();
    const bool growth = r.sizes.contains(10000) && r.sizes.contains(50000);
    QStringList header;
    for (int n : r.sizes)
        header << english.toString(n);
    QFile load(QStringLiteral("/proc/loadavg"));
    const QByteArray loadAverage = load.open(QIODevice::ReadOnly)
        ? load.readAll().split(' ').mid(0, 3).join(' ')
        : QByteArray("unknown");
    std::printf("\nAmbrook scale benchmark: median of %d runs, each the second run in a fresh "
                "process, times in ms (%s)\n"
                "load average at the end: %s on %d cores\n\n",
                r.runs,
                r.cpuClock ? "CPU time of the measuring thread; Python: CPU time of the process"
                           : "wall clock",
                loadAverage.constData(), QThread::idealThreadCount());
    line(QStringLiteral("operation"), header, QStringLiteral("10k->50k"),
         QStringLiteral("target at ") + english.toString(last), QStringLiteral("met"));

    Verdicts verdicts;
    auto row = [&](const Row &op, bool timed) {
        QStringList cells;
        for (int n : r.sizes)
            cells << number(r.median(QString::fromLatin1(op.key), n));
        QString grow;
        if (growth) {
            const double g = r.median(QString::fromLatin1(op.key), 50000)
                / r.median(QString::fromLatin1(op.key), 10000);
            grow = number(g) + QLatin1Char('x');
            if (timed)
                verdicts.add(g <= maxGrowth,
                             QStringLiteral("growth 10k->50k of %1: %2 <= 6x")
                                 .arg(QLatin1String(op.label), grow));
        }
        QString target, met;
        if (op.targetMs > 0) {
            const double v = r.median(QString::fromLatin1(op.key), last);
            target = QStringLiteral("< %1 ms").arg(op.targetMs);
            met = v >= 0 && v < op.targetMs ? QStringLiteral("yes") : QStringLiteral("NO");
            verdicts.add(met == QLatin1String("yes"),
                         QStringLiteral("%1: %2 ms < %3 ms")
                             .arg(QLatin1String(op.label), number(v))
                             .arg(op.targetMs));
        }
        line(QLatin1String(op.label), cells, grow, target, met);
    };
    for (const Row &op : operations)
        row(op, true);
    row(freshStartup, true);
    std::printf("\nthe same without the repaint that the operation posts (handler alone):\n");
    for (const Row &op : operations) {
        if (qstrcmp(op.key, BenchScenario::PaintFit) == 0
            || qstrcmp(op.key, BenchScenario::PaintBox) == 0)
            continue;
        const QString key = QString::fromLatin1(op.key) + BenchResults::HandlerSuffix;
        QStringList cells;
        for (int n : r.sizes)
            cells << number(r.median(key, n));
        line(QStringLiteral("  ") + QLatin1String(op.label), cells);
    }
    std::printf("\n");
    for (const Row &op : yardsticks)
        row(op, false);

    QStringList size, toRead, toPython, quitToRead, quitToPython, peak;
    for (int n : r.sizes) {
        const double startup = r.median(QString::fromLatin1(BenchScenario::Startup), n);
        const double quit = r.median(QString::fromLatin1(BenchScenario::Quit), n);
        const double read = r.median(QString::fromLatin1(BenchYardstick::ReadAll), n);
        const double python = r.median(QString::fromLatin1(PythonParse), n);
        size << number(r.fileMb.value(n, -1));
        toRead << ratio(startup, read);
        toPython << ratio(startup, python);
        quitToRead << ratio(quit, read);
        quitToPython << ratio(quit, python);
        peak << number(r.peakMb.value(n, -1));
    }
    line(QStringLiteral("document file size (MB)"), size);
    std::printf("\n");
    line(QStringLiteral("start-up / read the bytes"), toRead);
    line(QStringLiteral("start-up / Python parse"), toPython, {}, QStringLiteral("< 3x"));
    line(QStringLiteral("quit (two saves) / read the bytes"), quitToRead);
    line(QStringLiteral("quit (two saves) / Python parse"), quitToPython);
    line(QStringLiteral("peak memory, VmHWM of the child (MB)"), peak, {},
         QStringLiteral("< 300 MB"));

    const double startup = r.median(QString::fromLatin1(BenchScenario::Startup), last);
    const double python = r.median(QString::fromLatin1(PythonParse), last);
    if (python > 0) {
        verdicts.add(
            startup >= 0 && startup < maxStartupToPython * python,
            QStringLiteral("start-up / Python parse: %1 < 3x").arg(ratio(startup, python)));
    }
    const double peakMb = r.peakMb.value(last, -1);
    verdicts.add(peakMb >= 0 && peakMb < maxPeakMb,
                 QStringLiteral("peak memory: %1 MB < 300 MB").arg(number(peakMb)));

    std::printf("\nTargets at %s objects%s:\n%s\n", qPrintable(english.toString(last)),
                last == 50000 ? "" : " (the targets are set for 50,000)",
                qPrintable(verdicts.lines.join(QLatin1Char('\n'))));
    std::printf("%s\n", verdicts.allMet ? "All targets met." : "Some targets are missed.");
    std::fflush(stdout);
    return verdicts.allMet;
}
