// A "pic" that cannot be read: kept aside, and the newest backup that reads offered in its
// place. Start-up leaves the document as it was read: a short type table is padded for the
// window only.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "store/form1.h"

#include <QDateTime>

using namespace Qt::Literals::StringLiterals;

namespace {

// The box Shelf with one stored object in it; the object's id.
qint32 shelf(DocumentBuilder &doc, const QString &saveId, const QString &object,
             const QString &types = TextRules::joinCrLf(QStringList(255)))
{
    doc.startObject({u"Shelf"_s}, saveId, types);
    doc.box(u"Shelf"_s, 100, 100);
    return doc.storedObject(object, u"Shelf"_s, 110, 110);
}

// A backup's bytes: its object named after its file, its save counter the file's number.
QByteArray backupBytes(const QString &name)
{
    DocumentBuilder doc;
    shelf(doc, name.mid(3), u"From "_s + name);
    const QByteArray bytes = doc.save(u"scratch"_s) ? fileBytes(u"scratch"_s) : QByteArray();
    QFile::remove(u"scratch"_s);
    return bytes;
}

void writeBackup(const QString &name, const QByteArray &bytes)
{
    const QString path = u"backups/"_s + name;
    QVERIFY(writeFile(path, bytes));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2026, 12, 5), QTime(14, 2, 30)),
                             QFileDevice::FileModificationTime));
}

QStringList keptAside() { return QDir().entryList({u"pic.damaged-*"_s}, QDir::Files); }

QString quit(Harness &h)
{
    QTest::mouseClick(h.form->btnquit, Qt::LeftButton);
    return h.form->isVisible() ? h.platform->messages.join(u'\n') : QString();
}

} // namespace

class RecoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void damagedDocument_data()
    {
        QTest::addColumn<QStringList>("readable");
        QTest::addColumn<QStringList>("damaged");
        QTest::addColumn<QString>("offered");   // "" when nothing is offered
        QTest::addColumn<int>("choice");        // 0 opens the backup, 1 starts empty
        QTest::addColumn<QString>("saveId");    // after the next Save & Quit
        QTest::newRow("newest reads, numbers by value")
            << QStringList{u"pic9"_s, u"pic10"_s} << QStringList() << u"pic10"_s << 0 << u"11"_s;
        QTest::newRow("newest damaged, an older one reads")
            << QStringList{u"pic2"_s, u"pic9"_s} << QStringList{u"pic10"_s, u"pic11"_s}
            << u"pic9"_s << 0 << u"12"_s;
        QTest::newRow("other names are no backups, start empty")
            << QStringList{u"pic3"_s, u"pic30.tmp"_s, u"picture40"_s, u"pic-50"_s}
            << QStringList() << u"pic3"_s << 1 << u"1"_s;
        QTest::newRow("none readable")
            << QStringList() << QStringList{u"pic4"_s, u"pic5"_s} << QString() << 0 << QString();
        QTest::newRow("no backups") << QStringList() << QStringList() << QString() << 0
                                    << QString();
    }

    void damagedDocument()
    {
        QFETCH(QStringList, readable);
        QFETCH(QStringList, damaged);
        QFETCH(QString, offered);
        QFETCH(int, choice);
        QFETCH(QString, saveId);
        Harness h(false);
        const QByteArray pic = backupBytes(u"pic0"_s).chopped(40);
        QVERIFY(writeFile(u"pic"_s, pic));
        QDir().mkpath(u"backups"_s);
        for (const QString &name : readable)
            writeBackup(name, backupBytes(name));
        for (const QString &name : damaged)
            writeBackup(name, pic);
        const QStringList backupsBefore = QDir(u"backups"_s).entryList(QDir::Files);

        h.platform->choices << choice;
        h.start();

        // Kept aside byte for byte whatever comes next; no backup is moved or touched.
        QCOMPARE(keptAside().size(), 1);
        const QString keptPath = QDir::current().absoluteFilePath(keptAside().first());
        QCOMPARE(fileBytes(keptPath), pic);
        QVERIFY(!QFile::exists(u"pic"_s));
        QCOMPARE(QDir(u"backups"_s).entryList(QDir::Files), backupsBefore);

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

        const bool opened = choice == 0;
        const QString object = u"From "_s + offered;
        QCOMPARE(h.findId(u"Name"_s, object) != 0, opened);
        QCOMPARE(h.startProperty(u"SaveId"_s), opened ? offered.mid(3) : u"0"_s);
        QCOMPARE(steps::comboLines(h.form->locationcombo1),
                 opened ? QStringList{u"Shelf"_s} : QStringList());
        QCOMPARE(quit(h), QString());
        QCOMPARE(savedProperty(u"pic"_s, object, u"Info"_s), opened ? u"Shelf"_s : QString());
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), saveId);
        QCOMPARE(fileBytes(u"backups/pic"_s + saveId), fileBytes(u"pic"_s));
        for (const QString &name : damaged)
            QCOMPARE(fileBytes(u"backups/"_s + name), pic);
        QCOMPARE(keptAside().size(), 1);
    }

    void typeTableRewrittenOnlyWhenSaved_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("saveInEditor");
        QTest::addColumn<int>("savedCells");
        QStringList named;   // "c0" .. "c239"
        for (int i = 0; i < 240; ++i)
            named << u"c%1"_s.arg(i);
        QTest::newRow("240 cells") << TextRules::joinCrLf(named) << false << 240;
        QTest::newRow("240 cells, editor saved") << TextRules::joinCrLf(named) << true << 255;
        QTest::newRow("empty, editor saved") << QString() << true << 255;
    }

    void typeTableRewrittenOnlyWhenSaved()
    {
        QFETCH(QString, stored);
        QFETCH(bool, saveInEditor);
        QFETCH(int, savedCells);
        Harness h(false);
        DocumentBuilder doc;
        const qint32 lamp = shelf(doc, u"3"_s, u"Lamp"_s, stored);
        h.startOn(doc);

        // The last type reaches past the stored cells: its captions come from the padding.
        h.clickObject(lamp);
        steps::choose(h.form->Combo1, 14);
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
        // Each cell is saved followed by CR LF: unsaved, the table is kept as it was.
        const QString saved = savedProperty(u"pic"_s, u"Start"_s, u"ObjectTypes"_s);
        QVERIFY(saved.startsWith(stored) && saved.endsWith(TextRules::crlf));
        QCOMPARE(saved.count(TextRules::crlf), savedCells);
    }
};

AMBROOK_WINDOW_TEST_MAIN(RecoveryTest)
#include "tst_recovery.moc"
