// The type-table editor: opening it, saving and cancelling.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/vellum.h"
#include "store/form1.h"

#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QString sampleTable()
{
    QStringList cells(255);
    cells[0] = u"Books"_s;
    cells[1] = u"Author"_s;
    cells[2] = u"Year"_s;
    cells[51] = u"Tools"_s;
    cells[52] = u"Maker"_s;
    cells[254] = u"Last caption"_s;
    return TextRules::joinCrLf(cells);
}

// The main window on a drawing whose start object holds the given type table (none: the
// drawing has no start object, so start-up makes one) and one stored object of type
// "Books".
struct Types
{
    explicit Types(const QString &table = sampleTable(), bool withStart = true)
        : harness(false)
    {
        DocumentBuilder doc;
        if (withStart)
            doc.startObject({u"Attic"_s}, u"0"_s, table);
        doc.box(u"Attic"_s, 200, 100);
        novel = doc.storedObject(u"Novel"_s, u"Attic"_s, 200, 100,
                                 {{u"set"_s, u"Books"_s}, {u"TypeIndex"_s, u"1"_s}});
        harness.startOn(doc);
    }
    frmMain &form() { return *harness.form; }
    Form1 &open()
    {
        QTest::mouseClick(form().newtype, Qt::LeftButton);
        return form().typeEditor();
    }
    QLineEdit *cell(int i)
    {
        return form().typeEditor().findChild<QLineEdit *>(u"Text1(%1)"_s.arg(i));
    }
    void save() { QTest::mouseClick(form().typeEditor().Command1, Qt::LeftButton); }
    QString storedTable() { return harness.startProperty(u"ObjectTypes"_s); }

    Harness harness;
    qint32 novel = 0;
};

} // namespace

class TestTypeEditor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void openShowsTable()
    {
        Types t;
        Form1 &editor = t.open();
        QVERIFY(editor.isVisible());
        QVERIFY(!t.form().isVisible());
        QCOMPARE(editor.windowTitle(), u"Object Types"_s);
        QCOMPARE(t.cell(0)->text(), u"Books"_s);
        QCOMPARE(t.cell(52)->text(), u"Maker"_s);
        QCOMPARE(t.cell(254)->text(), u"Last caption"_s);
        QCOMPARE(t.cell(17)->text(), QString());
        // Every cell lies inside the window, clear of the save button.
        for (int i = 0; i < Form1::CellCount; ++i) {
            QVERIFY(editor.rect().contains(t.cell(i)->geometry()));
            QVERIFY(!editor.Command1->geometry().intersects(t.cell(i)->geometry()));
        }
        QCOMPARE(editor.Command1->text(), u"Save"_s);
    }

    void renameType()
    {
        Types t;
        const QString shown = t.form().Combo1->currentText();
        t.open();
        steps::retype(t.cell(0), u"Novels"_s);
        t.save();

        QVERIFY(t.form().isVisible());
        QVERIFY(!t.form().typeEditor().isVisible());
        const QStringList names = steps::comboLines(t.form().Combo1);
        QCOMPARE(names.size(), 15);
        QCOMPARE(names.at(0), u"Novels"_s);
        QCOMPARE(names.at(3), u"Tools"_s);
        QCOMPARE(t.form().Combo1->currentText(), shown);
        QString expected = sampleTable();
        expected.replace(0, 5, u"Novels"_s);
        QCOMPARE(t.storedTable(), expected);
        QCOMPARE(t.form().typeTableTextValue, expected);
        // Objects keep the type name they were given.
        QCOMPARE(t.harness.property(t.novel, u"set"_s), u"Books"_s);
        QVERIFY(!t.harness.canvas().objectById(t.form().startObject)->selected);
    }

    // Saving an unchanged table, or the table of a start object made at start-up, changes
    // nothing.
    void saveWithoutChange_data()
    {
        QTest::addColumn<bool>("withStart");
        QTest::newRow("filled table") << true;
        QTest::newRow("table of a new start object") << false;
    }

    void saveWithoutChange()
    {
        QFETCH(bool, withStart);
        Types t(sampleTable(), withStart);
        const QString before = t.storedTable();
        QCOMPARE(TextRules::splitCrLf(before).size(), 256);
        t.open();
        t.save();
        QCOMPARE(t.storedTable(), before);
        QCOMPARE(steps::comboLines(t.form().Combo1).size(), 15);
    }

    void closeIsCancel()
    {
        Types t;
        const QStringList names = steps::comboLines(t.form().Combo1);
        Form1 &editor = t.open();
        steps::retype(t.cell(1), u"Scribbled"_s);
        editor.close();

        QVERIFY(t.form().isVisible());
        QVERIFY(!editor.isVisible());
        QCOMPARE(t.storedTable(), sampleTable());
        QCOMPARE(steps::comboLines(t.form().Combo1), names);

        t.open();
        QCOMPARE(t.cell(1)->text(), u"Author"_s);
    }
};

QTEST_MAIN(TestTypeEditor)
#include "tst_typeeditor.moc"
