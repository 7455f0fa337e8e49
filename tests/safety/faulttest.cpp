// Faults while the document is saved. A quit in which one step of writing the files fails,
// every step in turn, the backup's and the document's: nothing the user had may be lost, the
// window stays open with the work in it, and the next quit, with the fault gone, saves
// everything. And a save killed at a random moment: "pic" must always be a whole document,
// the one before the save or the one being saved, and nothing left behind may pass for it.

#include "safetyfixture.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace safety;

namespace {

// Counts the faultable steps of every save and makes step number failAt fail.
struct Fault
{
    explicit Fault(int step)
        : failAt(step)
    {
        DocumentFile::faultHook = [this](const char *step) {
            ++steps;
            if (qstrcmp(step, "open") == 0)
                ++saves;
            if (steps != failAt)
                return false;
            failedStep = QString::fromLatin1(step);
            failedSave = saves;
            return true;
        };
    }
    ~Fault() { DocumentFile::faultHook = nullptr; }

    int failAt;
    int steps = 0;
    int saves = 0; // saves begun; the quit writes the backup first, then "pic"
    int failedSave = 0;
    QString failedStep;
};

// Reads lines from the saver until one starts with word; false when it ends first.
bool waitForLine(QProcess &process, const char *word, QByteArray &line)
{
    for (;;) {
        while (process.canReadLine()) {
            line = process.readLine().trimmed();
            if (line.startsWith(word))
                return true;
        }
        if (!process.waitForReadyRead(60000))
            return false;
    }
}

QByteArray md5(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

} // namespace

class FaultTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { DocumentFile::faultHook = nullptr; }

    void everyFaultDuringQuit()
    {
        int faultCases = 0;
        for (int n = 1;; ++n) {
            TwoBoxes drawing;
            Scene scene(drawing.doc);

            // The work of this session: the lamp is renamed in the panel.
            scene.harness.clickObject(drawing.lamp);
            QLineEdit *name = scene.harness.control<QLineEdit>(u"txtName"_s);
            QCOMPARE(name->text(), u"Lamp"_s);
            Harness::typeInto(name, u" (mended)"_s);
            QCOMPARE(scene.harness.property(drawing.lamp, u"Name"_s), u"Lamp (mended)"_s);

            auto fault = std::make_unique<Fault>(n);
            scene.quit();
            if (fault->failedStep.isEmpty()) {
                // Every step has been made to fail once: this quit ran without a fault.
                QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
                QCOMPARE(scene.problems(), QStringList());
                break;
            }
            ++faultCases;
            const int failedSave = fault->failedSave;
            const QString failedStep = fault->failedStep;
            fault.reset();
            const QString step = u"fault at step %1, step \"%2\" of save %3"_s.arg(n)
                                     .arg(failedStep).arg(failedSave);
            const QString failedFile = failedSave == 1 ? u"backups/pic3"_s : u"pic"_s;

            QVERIFY2(scene.running(), qPrintable(step));
            QVERIFY2(!scene.messages().isEmpty(), qPrintable(step));
            QVERIFY2(scene.messages().last().contains(u'"' + failedFile + u'"'),
                     qPrintable(step + u": "_s + scene.messageText()));
            QVERIFY2(scene.messageText().contains(u"injected fault"_s), qPrintable(step));

            const Files after = scene.now();
            QStringList lost = lostFiles(scene.before, after, true);
            QVERIFY2(lost.isEmpty(), qPrintable(step + u": "_s + lost.join(u", "_s)));
            // "pic" is the old document, except when only the flush of its folder failed:
            // the new one was already in place, whole, and the same as its backup.
            const QByteArray pic = after.value(u"pic"_s);
            if (failedSave == 2 && failedStep == u"flush"_s)
                QVERIFY2(pic == after.value(u"backups/pic3"_s), qPrintable(step));
            else
                QVERIFY2(pic == scene.before.value(u"pic"_s), qPrintable(step));
            // No half-written or temporary file is left behind; a backup exists only once
            // it was written whole.
            const bool backupWhole = failedSave == 2 || failedStep == u"flush"_s;
            QCOMPARE(newFiles(scene.before, after),
                     backupWhole ? QStringList{u"backups/pic3"_s} : QStringList());
            if (backupWhole)
                QVERIFY(isDocument(fileBytes(u"backups/pic3"_s)));

            // The fault is gone: the next quit saves everything, the renamed lamp included.
            scene.messages().clear();
            scene.quit();
            QVERIFY2(!scene.running(), qPrintable(step + u": "_s + scene.messageText()));
            const Files done = scene.now();
            lost = lostFiles(after, done, true);
            QVERIFY2(lost.isEmpty(), qPrintable(step + u": "_s + lost.join(u", "_s)));
            // The failed quit's number is taken again unless its backup was written.
            const QString next = backupWhole ? u"4"_s : u"3"_s;
            QCOMPARE(done.value(u"pic"_s), done.value(u"backups/pic"_s + next));
            QCOMPARE(savedProperty(u"pic"_s, u"Lamp (mended)"_s, u"Type"_s), u"Object"_s);
            QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), next);
        }
        // Two saves of four faultable steps each: open, write, commit, flush.
        QCOMPARE(faultCases, 8);
    }

    void killedWhileSaving()
    {
        constexpr int objectCount = 20000;
        constexpr int trials = 200;
        WorkingFolder folder;
        QProcess saver;
        QByteArray line;
        // Starts the save of generation g; the digest of what it writes.
        const auto startSave = [&](int g) {
            saver.start(QStringLiteral(AMBROOK_CRASHSAVER),
                        {u"pic"_s, QString::number(objectCount), QString::number(g)});
            return waitForLine(saver, "saving", line) ? line.mid(7) : QByteArray();
        };

        // One save to the end, to learn how long a save takes here and spread the kills
        // over it.
        QVERIFY(!startSave(1).isEmpty());
        QElapsedTimer timer;
        timer.start();
        QVERIFY(saver.waitForFinished(60000));
        const qint64 saveNs = timer.nsecsElapsed();
        QCOMPARE(saver.exitCode(), 0);
        int count = 0;
        QVERIFY(isDocument(fileBytes(u"pic"_s), &count));
        QCOMPARE(count, objectCount);
        QByteArray whole = md5(fileBytes(u"pic"_s));

        const quint32 seed = QRandomGenerator::global()->generate();
        std::mt19937 random(seed);
        // From the start of a save to a little past its end.
        std::uniform_int_distribution<qint64> delayNs(0, saveNs + saveNs / 2);
        int newDocuments = 0;
        QStringList leftovers;
        for (int trial = 1; trial <= trials; ++trial) {
            const QByteArray saving = startSave(trial + 1);
            QVERIFY2(!saving.isEmpty(), "the saver stopped");
            QThread::usleep(unsigned(delayNs(random) / 1000));
            saver.kill();
            QVERIFY(saver.waitForFinished(60000));

            // "pic" is byte for byte the document before this save or the one it was writing.
            const QByteArray found = md5(fileBytes(u"pic"_s));
            QVERIFY2(found == whole || found == saving,
                     qPrintable(u"trial %1 (seed %2): pic is neither the old nor the new "
                                "document"_s.arg(trial).arg(seed)));
            newDocuments += found == saving;
            whole = found;

            // Anything else is what a save killed between naming and renaming its temporary
            // file leaves: never named "pic".
            for (const QString &name : QDir().entryList(QDir::Files | QDir::Hidden)) {
                if (name != u"pic"_s && !leftovers.contains(name))
                    leftovers << name;
            }
        }

        // A later start and quit read and write "pic" alone, whatever the kills left.
        VellumModel model;
        QVERIFY(model.LoadDocument(u"pic"_s));
        QCOMPARE(model.ObjectCount(1), objectCount);
        QCOMPARE(md5(DocumentFile::write(model.objects())), whole);
        QVERIFY(model.SaveDocument(u"pic"_s));
        QCOMPARE(md5(fileBytes(u"pic"_s)), whole);
        for (const QString &name : std::as_const(leftovers))
            QVERIFY(name.startsWith(u"pic."_s) && QFile::remove(name));
        qInfo("SIGKILL trials: %d, old documents: %d, new: %d, temporary files left: %lld "
              "(seed %u)",
              trials, trials - newDocuments, newDocuments, qint64(leftovers.size()), seed);
    }
};

int runFaultTest(int argc, char **argv)
{
    FaultTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "faulttest.moc"
