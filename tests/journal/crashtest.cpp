// A session killed at a random moment loses no completed step: a helper session of random
// real actions on 5,000 objects is ended by SIGKILL (or SIGTERM, SIGHUP, SIGINT), and a
// restart that answers "Restore" gives the document as it was after the last record its
// journal holds, byte for byte but for the selection flags.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/model/journalfile.h"
#include "features/journal.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <signal.h>

#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr quint32 seed = 20261208;
constexpr int killsPerHalf = 100;

bool waitForLine(QProcess &process, const char *word, QByteArray &line)
{
    while (!process.canReadLine()) {
        if (!process.waitForReadyRead(60000))
            return false;
    }
    line = process.readLine().trimmed();
    return line.startsWith(word);
}

// "Garage" and "Shelf", and count stored objects in a grid below them, half in each box.
void buildLargeDocument(DocumentBuilder &doc, int count)
{
    doc.startObject({QStringLiteral("Garage"), QStringLiteral("Shelf")});
    doc.box(QStringLiteral("Garage"), 100, 100);
    doc.box(QStringLiteral("Shelf"), 150, 100);
    for (int i = 0; i < count; ++i) {
        doc.storedObject(QStringLiteral("Thing %1").arg(i),
                         i % 2 ? QStringLiteral("Shelf") : QStringLiteral("Garage"),
                         100 + (i % 100) * 6, 200 + (i / 100) * 6);
    }
}

int highestReference(const QString &folder)
{
    int highest = 0;
    while (QFile::exists(folder + u"/ref-%1"_s.arg(highest + 1)))
        ++highest;
    return highest;
}

} // namespace

class JournalCrashTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mBase;
    QString mPic;

    // One session ended by signal after delayMs (from the "ready" line, or from the
    // "folder" line when duringStart), then restarted and restored.
    void trial(const QString &where, quint32 sessionSeed, int signal, int delayMs,
               bool duringStart)
    {
        QProcess session;
        session.start(QStringLiteral(AMBROOK_JOURNALSESSION),
                      {mPic, QString::number(sessionSeed)});
        QByteArray line;
        QVERIFY2(waitForLine(session, "folder ", line), qPrintable(where));
        const QString folder = QString::fromUtf8(line.mid(7));
        if (!duringStart)
            QVERIFY2(waitForLine(session, "ready", line), qPrintable(where));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        ::kill(pid_t(session.processId()), signal);
        QVERIFY2(session.waitForFinished(60000), qPrintable(where));
        QVERIFY2(session.exitStatus() == QProcess::CrashExit, qPrintable(where));

        const JournalContents journal = readJournal(folder + u"/pic.journal"_s);
        const int records = int(journal.records.size());
        if (signal != SIGKILL) {
            // A signal ends the session at once, in the middle of a step at worst.
            const int highest = highestReference(folder);
            QVERIFY2(records == highest || records == highest - 1,
                     qPrintable(where + u": %1 records, %2 references"_s.arg(records)
                                            .arg(highest)));
        }
        {
            Harness restarted(false);
            QDir::setCurrent(folder);
            restarted.start();
            const bool offered = journal.changeCount() > 0;
            QVERIFY2(restarted.platform->questions.size() == (offered ? 1 : 0),
                     qPrintable(where));
            QVERIFY2(restarted.platform->messages.isEmpty(), qPrintable(where));
            if (records > 0) {
                const QByteArray expected = fileBytes(folder + u"/ref-%1"_s.arg(records));
                const QByteArray restored = steps::documentOf(restarted);
                QVERIFY2(restored == expected,
                         qPrintable(where + u": %1 records of %2 bytes"_s.arg(records)
                                                .arg(journal.wholeLength)));
            }
            // The same journal goes on, with a record of the new session.
            const JournalContents after = readJournal(folder + u"/pic.journal"_s);
            QVERIFY2(after.origin == journal.origin || records == 0, qPrintable(where));
            if (offered)
                QCOMPARE(int(after.records.size()), records + 1);
        }
        QDir(folder).removeRecursively();
    }

    void kills(quint32 half)
    {
        QRandomGenerator random(seed + half);
        for (int i = 0; i < killsPerHalf; ++i) {
            const bool duringStart = random.bounded(10) == 0;
            const int delay = random.bounded(duringStart ? 400 : 800);
            const quint32 sessionSeed = random.generate();
            const QString where = u"seed %1, kill %2: session seed %3, %4 ms after %5"_s
                                      .arg(seed + half).arg(i).arg(sessionSeed).arg(delay)
                                      .arg(duringStart ? u"its start"_s : u"ready"_s);
            trial(where, sessionSeed, SIGKILL, delay, duringStart);
            if (QTest::currentTestFailed())
                return;
        }
    }

    void endings(quint32 half)
    {
        QRandomGenerator random(seed + 10 + half);
        for (int signal : {SIGTERM, SIGHUP, SIGINT}) {
            for (int i = 0; i < 2; ++i) {
                const int delay = 300 + random.bounded(900);
                const quint32 sessionSeed = random.generate();
                const QString where = u"seed %1: signal %2, session seed %3, %4 ms"_s
                                          .arg(seed + 10 + half).arg(signal).arg(sessionSeed)
                                          .arg(delay);
                trial(where, sessionSeed, signal, delay, false);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(mBase.isValid());
        mPic = mBase.filePath(u"pic"_s);
        DocumentBuilder doc;
        buildLargeDocument(doc, 5000);
        QVERIFY(doc.save(mPic));
    }

    void killed1() { kills(1); }
    void killed2() { kills(2); }
    void signals1() { endings(1); }
    void signals2() { endings(2); }
};

AMBROOK_WINDOW_TEST_MAIN(JournalCrashTest)
#include "crashtest.moc"
