// ambrook_bench: times Ambrook's main window at 1,000, 10,000 and 50,000 stored objects.
//
//   ambrook_bench [--sizes 1000,10000,50000] [--runs 5] [--clock wall|cpu] [--keep FOLDER]
//
// --clock cpu reports the CPU time of the measuring thread (and of the Python processes)
// instead of the wall clock: the better estimate when other programs load the machine.
// Every run of every size is a child process of its own (ambrook_bench --child N --dir
// FOLDER), so that the peak memory of one size does not mix with another's. The child
// starts the window twice: the first start-up is reported on its own line (a fresh process
// has nothing ready yet), the second run gives the samples. The sizes take turns, run by
// run, so that a machine that slows down for a while slows every size alike.

#include "bench/docgen.h"
#include "bench/report.h"
#include "bench/scenario.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

#include <sys/resource.h>

namespace {

struct Options
{
    QList<int> sizes {1000, 10000, 50000};
    int runs = 5;
    int child = 0;
    bool cpu = false;
    QString folder;
    QString keep;
};

bool parse(const QStringList &args, Options &o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const QString value = args.value(i + 1);
        bool ok = true;
        if (arg == QLatin1String("--sizes")) {
            o.sizes.clear();
            for (const QString &piece : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                const int n = piece.toInt(&ok);
                if (!ok || n < 1)
                    return false;
                o.sizes << n;
            }
            std::sort(o.sizes.begin(), o.sizes.end());
        } else if (arg == QLatin1String("--runs")) {
            o.runs = value.toInt(&ok);
            ok = ok && o.runs >= 1;
        } else if (arg == QLatin1String("--child")) {
            o.child = value.toInt(&ok);
            ok = ok && o.child >= 1;
        } else if (arg == QLatin1String("--dir")) {
            o.folder = value;
        } else if (arg == QLatin1String("--clock")) {
            o.cpu = value == QLatin1String("cpu");
            ok = o.cpu || value == QLatin1String("wall");
        } else if (arg == QLatin1String("--keep")) {
            o.keep = value;
        } else {
            return false;
        }
        if (!ok || value.isEmpty())
            return false;
        ++i;
    }
    return !o.sizes.isEmpty();
}

double msSince(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

// CPU time of the finished child processes, user and system.
double childrenCpuMs()
{
    rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Runs a program to its end; its time in ms on the chosen clock, negative when it could
// not run.
double runProcess(const QString &program, const QStringList &args, bool cpu)
{
    QProcess process;
    QElapsedTimer clock;
    const double before = childrenCpuMs();
    clock.start();
    process.start(program, args);
    if (!process.waitForStarted(-1) || !process.waitForFinished(-1)
        || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return cpu ? childrenCpuMs() - before : msSince(clock);
}

void yardsticks(BenchResults &results, int n, const QString &file)
{
    const bool cpu = results.cpuClock;
    {
        QElapsedTimer clock;
        const double cpuBefore = BenchScenario::threadCpuMs();
        clock.start();
        QFile in(file);
        if (in.open(QIODevice::ReadOnly) && !in.readAll().isEmpty()) {
            results.add(QString::fromLatin1(BenchYardstick::ReadAll), n,
                        cpu ? BenchScenario::threadCpuMs() - cpuBefore : msSince(clock));
        }

        const double json
            = runProcess(QStringLiteral("python3"),
                         {QStringLiteral("-c"),
                          QStringLiteral("import json,sys; json.load(open(sys.argv[1]))"), file},
                         cpu);
        const double pass = runProcess(QStringLiteral("python3"),
                                       {QStringLiteral("-c"), QStringLiteral("pass")}, cpu);
        if (json >= 0 && pass >= 0) {
            results.add(QString::fromLatin1(BenchYardstick::PythonJson), n, json);
            results.add(QString::fromLatin1(BenchYardstick::PythonPass), n, pass);
        }
    }
}

QString documentFolder(const QString &base, int n)
{
    return base + QStringLiteral("/n%1").arg(n);
}

bool makeDocument(BenchResults &results, int n, const QString &base)
{
    const QString folder = documentFolder(base, n);
    std::fprintf(stderr, "ambrook_bench: making the document with %d objects\n", n);
    QString error;
    if (!BenchDoc::generate(n, folder, error)) {
        std::fprintf(stderr, "ambrook_bench: %s\n", qPrintable(error));
        return false;
    }
    const qint64 bytes = QFileInfo(folder + QStringLiteral("/pic")).size();
    results.fileMb[n] = double(bytes) / (1024.0 * 1024.0);
    return true;
}

// One run of one size: the child that times the window, then the yardsticks.
bool measure(BenchResults &results, int n, const QString &base, int run)
{
    const QString folder = documentFolder(base, n);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), QString::number(n), QStringLiteral("--dir"), folder,
                 QStringLiteral("--runs"), QStringLiteral("2")});
    if (!child.waitForStarted(-1) || !child.waitForFinished(-1)
        || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "ambrook_bench: the child for %d objects failed\n", n);
        return false;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> words = line.trimmed().split(' ');
        if (words.size() == 7 && words.at(0) == "SAMPLE") {
            const bool fresh = words.at(1) == "1";
            const QString operation = QString::fromLatin1(words.at(2));
            const int column = results.cpuClock ? 4 : 3;
            if (fresh) {
                if (operation == QLatin1String(BenchScenario::Startup))
                    results.add(QString::fromLatin1(BenchScenario::FreshStartup), n,
                                words.at(column).toDouble());
                continue;
            }
            results.add(operation, n, words.at(column).toDouble());
            results.add(operation + BenchResults::HandlerSuffix, n,
                        words.at(column + 2).toDouble());
        } else if (words.size() == 2 && words.at(0) == "PEAK") {
            results.peakMb[n] = std::max(results.peakMb.value(n), words.at(1).toDouble() / 1024.0);
        }
    }
    yardsticks(results, n, folder + QStringLiteral("/pic"));
    std::fprintf(stderr, "ambrook_bench: %d objects, run %d of %d done\n", n, run + 1,
                 results.runs);
    return true;
}

// The offscreen platform warns at every window that it cannot pass size hints on.
QtMessageHandler standardHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (text.contains(QLatin1String("does not support propagateSizeHints")))
        return;
    if (standardHandler)
        standardHandler(type, context, text);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrook"));
    // Quit closes the window; the benchmark goes on with the next run.
    QApplication::setQuitOnLastWindowClosed(false);
    // Dates in the documents and in the program read the same everywhere.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    Options options;
    if (!parse(QCoreApplication::arguments(), options)) {
        std::fprintf(stderr,
                     "usage: ambrook_bench [--sizes 1000,10000,50000] [--runs 5] "
                     "[--clock wall|cpu] [--keep FOLDER]\n");
        return 2;
    }
    if (options.child > 0)
        return BenchScenario::run(options.child, options.folder, options.runs);

    std::unique_ptr<QTemporaryDir> temporary;
    QString base = options.keep;
    if (base.isEmpty()) {
        temporary = std::make_unique<QTemporaryDir>();
        if (!temporary->isValid()) {
            std::fprintf(stderr, "ambrook_bench: no temporary folder\n");
            return 1;
        }
        base = temporary->path();
    } else if (!QDir().mkpath(base)) {
        std::fprintf(stderr, "ambrook_bench: cannot make %s\n", qPrintable(base));
        return 1;
    }
    base = QDir(base).absolutePath();

    BenchResults results;
    results.runs = options.runs;
    results.cpuClock = options.cpu;
    results.sizes = options.sizes;
    for (int n : options.sizes) {
        if (!makeDocument(results, n, base))
            return 1;
    }
    for (int run = 0; run < options.runs; ++run) {
        for (int n : options.sizes) {
            if (!measure(results, n, base, run))
                return 1;
        }
    }
    return printReport(results) ? 0 : 3;
}
