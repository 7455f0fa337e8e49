// Quit: the alarm check, the numbered backup and the document, and what happens when a
// file cannot be written.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/vellum.h"
#include "store/form1.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

// The main window started on a drawing with one box and two stored objects, "Lamp" and
// "Rug", whose alarm dates are given.
struct Drawing
{
    Drawing(const QString &lampAlarm, const QString &rugAlarm, const QString &saveId = u"0"_s)
        : harness(false)
    {
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s}, saveId);
        doc.box(u"Attic"_s, 200, 100);
        lamp = doc.storedObject(u"Lamp"_s, u"Attic"_s, 200, 100, {{u"18"_s, lampAlarm}});
        rug = doc.storedObject(u"Rug"_s, u"Attic"_s, 210, 110, {{u"18"_s, rugAlarm}});
        harness.startOn(doc);
    }
    frmMain &form() { return *harness.form; }
    QStringList &messages() { return harness.platform->messages; }
    void quit() { QTest::mouseClick(form().btnquit, Qt::LeftButton); }
    void setAlarm(qint32 id, const QString &date)
    {
        harness.canvas().SetCurrentObject(id);
        harness.canvas().SetUserProperty(u"18"_s, date);
    }

    Harness harness;
    qint32 lamp = 0, rug = 0;
};

} // namespace

class TestQuit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void alarmCheck_data()
    {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<bool>("quits");
        QTest::newRow("no alarm date") << QString() << true;
        QTest::newRow("a date") << u"3/15/2026"_s << true;
        QTest::newRow("an ISO date") << u"2026-03-15"_s << true;
        QTest::newRow("an ISO date and time") << u"2026-03-01T08:00"_s << true;
        QTest::newRow("words") << u"next week"_s << false;
        QTest::newRow("impossible day") << u"2/30/2026"_s << false;
    }

    void alarmCheck()
    {
        QFETCH(QString, alarm);
        QFETCH(bool, quits);
        Drawing d(QString(), alarm);
        d.form().boxNameText = u"Attic\r\nCellar\r\n"_s;
        const QByteArray before = fileBytes(u"pic"_s);

        d.quit();

        QCOMPARE(d.form().isVisible(), !quits);
        QCOMPARE(fileBytes(u"pic"_s) != before, quits);
        QCOMPARE(QFile::exists(u"backups/pic1"_s), quits);
        if (quits) {
            QVERIFY(d.messages().isEmpty());
            QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"Boxes"_s), u"Attic\r\nCellar\r\n"_s);
            QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), u"1"_s);
        } else {
            QCOMPARE(d.messages(),
                     QStringList {u"Please change the Alarm Date for Rug, "
                                  "it disnae make sense"_s});
            // Nothing was written, not even to the start object.
            QCOMPARE(d.harness.startProperty(u"Boxes"_s), u"Attic\r\n"_s);
            QCOMPARE(d.harness.startProperty(u"SaveId"_s), u"0"_s);
        }
    }

    void badDatesNamedOneByOne()
    {
        Drawing d(u"soon"_s, u"later"_s);
        d.quit();
        QCOMPARE(d.messages().last(),
                 u"Please change the Alarm Date for Lamp, it disnae make sense"_s);

        d.setAlarm(d.lamp, QString());
        d.quit();
        QCOMPARE(d.messages().size(), 2);
        QCOMPARE(d.messages().last(),
                 u"Please change the Alarm Date for Rug, it disnae make sense"_s);
        QVERIFY(d.form().isVisible());

        d.setAlarm(d.rug, u"12/24/2026"_s);
        d.quit();
        QCOMPARE(d.messages().size(), 2);
        QVERIFY(!d.form().isVisible());
        QVERIFY(QFile::exists(u"pic"_s));
    }

    void backupsAreNumbered()
    {
        WorkingFolder folder;
        QByteArray firstBackup;
        for (int run = 1; run <= 10; ++run) {
            Harness h(false);
            QDir::setCurrent(folder.path());
            h.start();
            QTest::mouseClick(h.form->btnquit, Qt::LeftButton);
            QVERIFY2(!h.form->isVisible(), qPrintable(h.platform->messages.join(u'\n')));
            if (run == 1)
                firstBackup = fileBytes(u"backups/pic1"_s);
        }

        QCOMPARE(QDir(u"backups"_s).entryList(QDir::Files).size(), 10);
        for (int n = 1; n <= 10; ++n)
            QVERIFY(QFile::exists(u"backups/pic%1"_s.arg(n)));
        QVERIFY(!firstBackup.isEmpty());
        QCOMPARE(fileBytes(u"backups/pic1"_s), firstBackup);
        // The backup already holds the raised counter: it is the document, byte for byte.
        QCOMPARE(fileBytes(u"backups/pic10"_s), fileBytes(u"pic"_s));
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), u"10"_s);
    }

    void saveCounter_data()
    {
        QTest::addColumn<QString>("saveId");
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("written");

        QTest::newRow("counter 0") << u"0"_s << QStringList {} << u"1"_s;
        QTest::newRow("counter 41") << u"41"_s << QStringList {} << u"42"_s;
        QTest::newRow("beyond 16 bits") << u"40000"_s << QStringList {} << u"40001"_s;
        QTest::newRow("backup already there") << u"4"_s << QStringList {u"5"_s, u"6"_s} << u"7"_s;
        // A counter that is no number counts as 0 and skips past the backups there.
        QTest::newRow("not a number") << u"abc"_s << QStringList {} << u"1"_s;
        QTest::newRow("empty") << QString() << QStringList {} << u"1"_s;
        const QStringList two {u"1"_s, u"2"_s};
        for (const char *saveId : {"abc", "", "-5", "1e400", "NaN", "99999999999999999999"})
            QTest::addRow("no number \"%s\", two backups", saveId)
                << QString::fromLatin1(saveId) << two << u"3"_s;
        QTest::newRow("number then words") << u"12abc"_s << two << u"13"_s;
    }

    void saveCounter()
    {
        QFETCH(QString, saveId);
        QFETCH(QStringList, existing);
        QFETCH(QString, written);
        Drawing d(QString(), QString(), saveId);
        for (const QString &n : existing)
            QVERIFY(writeFile(u"backups/pic"_s + n, "an older backup"));

        d.quit();

        QVERIFY2(!d.form().isVisible(), qPrintable(d.messages().join(u'\n')));
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), written);
        QCOMPARE(fileBytes(u"backups/pic"_s + written), fileBytes(u"pic"_s));
        QCOMPARE(QDir(u"backups"_s).entryList(QDir::Files).size(), existing.size() + 1);
        for (const QString &n : existing)
            QCOMPARE(fileBytes(u"backups/pic"_s + n), QByteArray("an older backup"));
    }

    void failedSaveKeepsWindowOpen_data()
    {
        QTest::addColumn<QString>("blocked");
        QTest::addColumn<QString>("named");
        // The failed quit's number is taken again unless its backup was written.
        QTest::addColumn<QString>("nextBackup");
        QTest::newRow("document") << u"pic"_s << u"\"pic\""_s << u"backups/pic2"_s;
        QTest::newRow("backup folder") << u"backups"_s << u"\"backups/pic1\""_s
                                       << u"backups/pic1"_s;
    }

    void failedSaveKeepsWindowOpen()
    {
        QFETCH(QString, blocked);
        QFETCH(QString, named);
        QFETCH(QString, nextBackup);
        Drawing d {QString(), QString()};
        // A folder where the document goes, or a file where the backup folder should be.
        QDir().rmdir(u"backups"_s);
        if (blocked == u"pic"_s) {
            QVERIFY(QFile::remove(u"pic"_s));
            QVERIFY(QDir().mkdir(u"pic"_s));
        } else {
            QVERIFY(writeFile(u"backups"_s, "not a folder"));
        }

        d.quit();

        QVERIFY(d.form().isVisible());
        QVERIFY(!d.messages().isEmpty());
        QVERIFY2(d.messages().last().contains(named), qPrintable(d.messages().join(u'\n')));

        // Once the way is clear the next quit saves everything and ends.
        if (blocked == u"pic"_s)
            QVERIFY(QDir().rmdir(u"pic"_s));
        else
            QVERIFY(QFile::remove(u"backups"_s));
        d.messages().clear();
        d.quit();
        QVERIFY2(!d.form().isVisible(), qPrintable(d.messages().join(u'\n')));
        QCOMPARE(fileBytes(nextBackup), fileBytes(u"pic"_s));
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), nextBackup.mid(11));
    }

    void quitClosesTypeEditor()
    {
        Drawing d {QString(), QString()};
        QTest::mouseClick(d.form().newtype, Qt::LeftButton);
        Form1 &editor = d.form().typeEditor();
        QVERIFY(editor.isVisible());
        QTest::mouseClick(editor.Command1, Qt::LeftButton);
        QVERIFY(d.form().isVisible());

        d.quit();
        QVERIFY(!d.form().isVisible());
        QVERIFY(!editor.isVisible());
    }
};

QTEST_MAIN(TestQuit)
#include "tst_quit.moc"
