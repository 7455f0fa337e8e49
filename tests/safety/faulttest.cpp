// A quit in which one step of writing the files fails: every step in turn, the backup's
// and the document's. Nothing the user had may be lost, the window stays open with the work
// in it, and the next quit, with the fault gone, saves everything.

#include "safetyfixture.h"

#include <QLineEdit>
#include <QLocale>

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
    bool reached() const { return !failedStep.isEmpty(); }

    int failAt;
    int steps = 0;
    int saves = 0;          // saves begun; the quit writes the backup first, then "pic"
    int failedSave = 0;
    QString failedStep;
};

} // namespace

class FaultTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { DocumentFile::faultHook = nullptr; }
    void everyFaultDuringQuit();
};

void FaultTest::everyFaultDuringQuit()
{
    int faultCases = 0;
    for (int n = 1;; ++n) {
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s}, u"2"_s);
        doc.box(u"Attic"_s, 200, 100);
        const qint32 lamp = doc.storedObject(u"Lamp"_s, u"Attic"_s, 205, 105);
        Scene scene(doc);
        const QString row = u"fault at step %1"_s.arg(n);

        // The work of this session: the lamp is renamed in the panel.
        scene.harness.clickObject(lamp);
        QLineEdit *name = scene.harness.control<QLineEdit>(u"txtName"_s);
        QCOMPARE(name->text(), u"Lamp"_s);
        Harness::typeInto(name, u" (mended)"_s);
        QCOMPARE(scene.harness.property(lamp, u"Name"_s), u"Lamp (mended)"_s);

        std::unique_ptr<Fault> fault = std::make_unique<Fault>(n);
        scene.quit();
        if (!fault->reached()) {
            // Every step has been made to fail once: this quit ran without a fault.
            QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
            QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
            break;
        }
        ++faultCases;
        const int failedSave = fault->failedSave;
        const QString failedStep = fault->failedStep;
        fault.reset();
        const QString step = u"%1, step \"%2\" of save %3"_s.arg(row, failedStep)
                                 .arg(failedSave);
        const QString failedFile = failedSave == 1 ? u"backups/pic3"_s : u"pic"_s;

        QVERIFY2(scene.running(), qPrintable(step));
        QVERIFY2(!scene.messages().isEmpty(), qPrintable(step));
        QVERIFY2(scene.messages().last().contains(u'"' + failedFile + u'"'),
                 qPrintable(step + u": "_s + scene.messageText()));
        QVERIFY2(scene.messageText().contains(u"injected fault"_s), qPrintable(step));

        const Files after = scene.now();
        QStringList lost = lostFiles(scene.before, after, true);
        QVERIFY2(lost.isEmpty(), qPrintable(step + u": "_s + lost.join(u", "_s)));
        // "pic" is the old document, except when only the flush of its folder failed: the
        // new one was already in place, whole, and the same as its backup.
        const QByteArray pic = after.value(u"pic"_s);
        if (failedSave == 2 && failedStep == u"flush"_s)
            QVERIFY2(pic == after.value(u"backups/pic3"_s), qPrintable(step));
        else
            QVERIFY2(pic == scene.before.value(u"pic"_s), qPrintable(step));
        // No half-written or temporary file is left behind; a backup exists only once it
        // was written whole.
        const QStringList added = newFiles(scene.before, after);
        const bool backupWhole = failedSave == 2 || failedStep == u"flush"_s;
        QCOMPARE(added, backupWhole ? QStringList{u"backups/pic3"_s} : QStringList());
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
    qInfo("fault cases tried and passed: %d", faultCases);
}

int runFaultTest(int argc, char **argv)
{
    FaultTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "faulttest.moc"
