// A session of random real actions that the crash test ends with a signal at any moment:
//   ambrook_journalsession PIC SEED
// works on a copy of the document PIC in a folder of its own, prints "folder PATH" before
// start-up and "ready" after it, then acts until it is killed. Just before each journal
// record is appended it writes the document as it is then (selection flags aside) to
// "ref-<record number>" in that folder.

#include "support/testsupport.h"

#include "features/journal.h"
#include "canvas/model/journalfile.h"
#include "support/randomsession.h"

#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: ambrook_journalsession PIC SEED\n");
        return 2;
    }
    installJournalSignals();
    Harness h(false);
    if (!QFile::copy(args.at(1), h.folder.file(QStringLiteral("pic"))))
        return 1;
    JournalWriter::beforeAppend = [&h](int number) {
        QFile ref(h.folder.file(QStringLiteral("ref-%1").arg(number)));
        if (ref.open(QIODevice::WriteOnly))
            ref.write(steps::documentOf(h));
    };
    std::printf("folder %s\n", qPrintable(h.folder.path()));
    std::fflush(stdout);
    h.start();
    std::printf("ready\n");
    std::fflush(stdout);
    QRandomGenerator random(args.at(2).toUInt());
    for (int serial = 1;; ++serial)
        randomAction(h, random, serial, [] { QApplication::processEvents(); });
}
