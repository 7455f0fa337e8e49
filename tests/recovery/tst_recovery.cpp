// A "pic" that cannot be read: kept aside, and the newest backup that reads offered in its
// place. Start-up leaves the document as it was read: a short type table is padded for the
// window only.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/vellum.h"
#include "store/form1.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QDateTime backupTime(QDate(2026, 12, 5), QTime(14, 2, 30));

// A document whose one stored object is named after the file it is written to, with the
// save counter that file's number gives.
QByteArray backupBytes(const QString &name)
{
    DocumentBuilder doc;
    doc.startObject({u"Shelf"_s}, name.mid(3));
    doc.box(u"Shelf"_s, 100, 100);
    doc.storedObject(u"From "_s + name, u"Shelf"_s, 110, 110);
    QByteArray bytes;
    if (doc.save(u"scratch"_s)) {
        bytes = fileBytes(u"scratch"_s);
        QFile::remove(u"scratch"_s);
    }
    return bytes;
}

QByteArray damagedBytes()
{
    return backupBytes(u"pic0"_s).chopped(40);
}

void writeBackup(const QString &name, const QByteArray &bytes)
{
    QDir().mkpath(u"backups"_s);
    const QString path = u"backups/"_s + name;
    QVERIFY(writeFile(path, bytes));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(backupTime, QFileDevice::FileModificationTime));
}

QStringList keptAside()
{
    return QDir().entryList({u"pic.damaged-*"_s}, QDir::Files);
}

QString quit(Harness &h)
{
    QTest::mouseClick(h.form->btnquit, Qt::LeftButton);
    return h.form->isVisible() ? h.platform->messages.join(u'\n') : QString();
}

// The type table "c0\r\n" .. "c<count-1>\r\n".
QString namedCells(int count)
{
    QStringList cells;
    for (int i = 0; i < count; ++i)
        cells << u"c%1"_s.arg(i);
    return TextRules::joinCrLf(cells);
}

} // namespace

class RecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedDocumentOffersBackup_data()
    {
        QTest::addColumn<QStringList>("readable");
        QTest::addColumn<QStringList>("damaged");
        QTest::addColumn<QString>("offered");   // "" when nothing is offered
        QTest::newRow("newest reads, numbers by value")
            << QStringList{u"pic9"_s, u"pic10"_s} << QStringList() << u"pic10"_s;
        QTest::newRow("newest damaged, an older one reads")
            << QStringList{u"pic2"_s, u"pic9"_s} << QStringList{u"pic10"_s, u"pic11"_s}
            << u"pic9"_s;
        QTest::newRow("other names are no backups")
            << QStringList{u"pic3"_s, u"pic30.tmp"_s, u"picture40"_s, u"pic-50"_s}
            << QStringList() << u"pic3"_s;
        QTest::newRow("none readable")
            << QStringList() << QStringList{u"pic4"_s, u"pic5"_s} << QString();
        QTest::newRow("no backups") << QStringList() << QStringList() << QString();
    }

    void damagedDocumentOffersBackup()
    {
        QFETCH(QStringList, readable);
        QFETCH(QStringList, damaged);
        QFETCH(QString, offered);
        Harness h(false);
        const QByteArray pic = damagedBytes();
        QVERIFY(writeFile(u"pic"_s, pic));
        for (const QString &name : readable)
            writeBackup(name, backupBytes(name));
        for (const QString &name : damaged)
            writeBackup(name, damagedBytes());
        QDir().mkpath(u"backups"_s);
        const QStringList backupsBefore = QDir(u"backups"_s).entryList(QDir::Files);

        h.platform->choices << 1;
        h.start();

        // Kept aside byte for byte whatever comes next; no backup is moved or touched.
        QCOMPARE(keptAside().size(), 1);
        QCOMPARE(fileBytes(keptAside().first()), pic);
        QVERIFY(!QFile::exists(u"pic"_s));
        QCOMPARE(QDir(u"backups"_s).entryList(QDir::Files), backupsBefore);
        const QString keptPath = QDir::current().absoluteFilePath(keptAside().first());

        const auto &questions = h.platform->questions;
        if (offered.isEmpty()) {
            QCOMPARE(questions.size(), 0);
            QCOMPARE(h.platform->messages.size(), 1);
            const QString &text = h.platform->messages.first();
            QVERIFY2(text.startsWith(u"The document pic could not be read (it is damaged"_s),
                     qPrintable(text));
            QVERIFY2(text.contains(u"kept as "_s + keptPath), qPrintable(text));
            return;
        }
        QCOMPARE(h.platform->messages, QStringList());
        QCOMPARE(questions.size(), 1);
        const FakePlatform::Question &asked = questions.first();
        QVERIFY2(asked.text.endsWith(u"\n\nOpen backups/%1, saved 5 Dec 2026 at 14:02, "
                                     "instead?"_s.arg(offered)),
                 qPrintable(asked.text));
        QVERIFY2(asked.text.contains(keptPath), qPrintable(asked.text));
        // The parser's words are for the details, not the message.
        QVERIFY2(asked.details.startsWith(u"pic: it is damaged: "_s), qPrintable(asked.details));
        QVERIFY(!asked.text.contains(u"it is damaged:"_s));
        QCOMPARE(asked.buttons, (QStringList{u"Open Backup"_s, u"Start Empty"_s}));
        QCOMPARE(asked.defaultButton, 0);
    }

    void chooseOrDecline_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("newerDamaged");   // backups/pic8 damaged beside pic7
        QTest::addColumn<QString>("saveId");      // after the next Save & Quit
        QTest::newRow("open the backup") << 0 << false << u"8"_s;
        QTest::newRow("open the backup past a damaged newer one") << 0 << true << u"9"_s;
        QTest::newRow("start empty") << 1 << false << u"1"_s;
    }

    void chooseOrDecline()
    {
        QFETCH(int, choice);
        QFETCH(bool, newerDamaged);
        QFETCH(QString, saveId);
        const bool opened = choice == 0;
        Harness h(false);
        QVERIFY(writeFile(u"pic"_s, damagedBytes()));
        writeBackup(u"pic7"_s, backupBytes(u"pic7"_s));
        if (newerDamaged)
            writeBackup(u"pic8"_s, damagedBytes());

        h.platform->choices << choice;
        h.start();

        QCOMPARE(h.platform->questions.size(), 1);
        QCOMPARE(h.findId(u"Name"_s, u"From pic7"_s) != 0, opened);
        QCOMPARE(h.startProperty(u"SaveId"_s), opened ? u"7"_s : u"0"_s);
        QCOMPARE(steps::comboLines(h.form->locationcombo1),
                 opened ? QStringList{u"Shelf"_s} : QStringList());

        QCOMPARE(quit(h), QString());
        QCOMPARE(savedProperty(u"pic"_s, u"From pic7"_s, u"Info"_s),
                 opened ? u"Shelf"_s : QString());
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), saveId);
        QCOMPARE(fileBytes(u"backups/pic"_s + saveId), fileBytes(u"pic"_s));
        if (newerDamaged)
            QCOMPARE(fileBytes(u"backups/pic8"_s), damagedBytes());
        QCOMPARE(keptAside().size(), 1);
    }

    void typeTableRewrittenOnlyWhenSaved_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("saveInEditor");
        QTest::addColumn<int>("savedCells");
        QTest::newRow("240 cells") << namedCells(240) << false << 240;
        QTest::newRow("240 cells, editor saved") << namedCells(240) << true << 255;
        QTest::newRow("empty, editor saved") << QString() << true << 255;
        QTest::newRow("no closing CR LF") << u"c0"_s << false << 1;
    }

    void typeTableRewrittenOnlyWhenSaved()
    {
        QFETCH(QString, stored);
        QFETCH(bool, saveInEditor);
        QFETCH(int, savedCells);
        Harness h(false);
        DocumentBuilder doc;
        doc.startObject({u"Shelf"_s}, u"3"_s, stored);
        doc.box(u"Shelf"_s, 100, 100);
        const qint32 lamp = doc.storedObject(u"Lamp"_s, u"Shelf"_s, 110, 110);
        h.startOn(doc);

        QCOMPARE(h.startProperty(u"ObjectTypes"_s), stored);
        QCOMPARE(TextRules::splitCrLf(h.form->typeTableTextValue).size(), 256);
        QCOMPARE(h.form->Combo1->count(), 15);

        // The last type reaches past the stored cells: its captions come from the padding.
        h.clickObject(lamp);
        steps::choose(h.form->Combo1, 14);
        QCOMPARE(h.property(lamp, u"TypeIndex"_s), u"239"_s);
        const QStringList cells = TextRules::splitCrLf(stored);
        QCOMPARE(h.form->Label[0]->text(), cells.value(239));
        QCOMPARE(h.form->Label[15]->text(), QString());

        QTest::mouseClick(h.form->newtype, Qt::LeftButton);
        Form1 &editor = h.form->typeEditor();
        QCOMPARE(editor.Text1[0]->text(), cells.value(0));
        if (saveInEditor) {
            QTest::mouseClick(editor.Command1, Qt::LeftButton);
            QCOMPARE(TextRules::splitCrLf(h.startProperty(u"ObjectTypes"_s)).size(), 256);
        } else {
            editor.close();
            QCOMPARE(h.startProperty(u"ObjectTypes"_s), stored);
        }
        h.clickObject(lamp);
        QCOMPARE(h.form->Label[0]->text(), cells.value(239));

        QCOMPARE(quit(h), QString());
        const QString saved = savedProperty(u"pic"_s, u"Start"_s, u"ObjectTypes"_s);
        QStringList savedList = TextRules::splitCrLf(saved);
        if (saved.endsWith(u"\r\n"_s))
            savedList.removeLast();
        QCOMPARE(savedList.size(), savedCells);
        if (!saveInEditor)
            QCOMPARE(saved, stored);
        else
            QVERIFY(saved.startsWith(stored));
    }
};

AMBROOK_WINDOW_TEST_MAIN(RecoveryTest)
#include "tst_recovery.moc"
