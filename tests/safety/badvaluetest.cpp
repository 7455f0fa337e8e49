// Values in a document that the program never writes itself but a damaged or hand-edited
// "pic" may hold: each is met the way a user meets it, without a crash, and the user's
// document and backups stay whole.

#include "safetyfixture.h"

#include "window/controls.h"
#include "canvas/vellum.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using namespace safety;
using namespace steps;

namespace {

// Type 0 is "Tools" with the captions "Cap 1" .. "Cap 16"; the other types are empty.
QString toolsTypeTable()
{
    QStringList cells(255, QString());
    cells[0] = u"Tools"_s;
    for (int i = 1; i <= 16; ++i)
        cells[i] = u"Cap %1"_s.arg(i);
    return TextRules::joinCrLf(cells);
}

// Attic at (100, 100) holds the lamp, Cellar beside it at (150, 100) holds the vase.
struct TwoBoxes
{
    explicit TwoBoxes(DocumentBuilder::Properties lampValues = {},
                      const QString &saveId = u"2"_s, const QString &types = toolsTypeTable())
    {
        doc.startObject({u"Attic"_s, u"Cellar"_s}, saveId, types);
        doc.box(u"Attic"_s, 100, 100);
        doc.box(u"Cellar"_s, 150, 100);
        lamp = doc.storedObject(u"Lamp"_s, u"Attic"_s, 110, 110, lampValues);
        vase = doc.storedObject(u"Vase"_s, u"Cellar"_s, 160, 110);
    }
    DocumentBuilder doc;
    qint32 lamp = 0;
    qint32 vase = 0;
};

} // namespace

class BadValueTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void saveIdNotANumber_data();
    void saveIdNotANumber();
    void shortTypeTable_data();
    void shortTypeTable();
    void moreThan45Boxes();
    void largestIdStillGivesNewObjects();
    void typeIndexOutOfTable_data();
    void typeIndexOutOfTable();
    void colourOutOfPalette_data();
    void colourOutOfPalette();
    void valueOutOfRange_data();
    void valueOutOfRange();
    void alarmNotADate_data();
    void alarmNotADate();
};

void BadValueTest::saveIdNotANumber_data()
{
    QTest::addColumn<QString>("saveId");
    QTest::addColumn<QString>("written");
    // Backups 1 and 2 exist: a counter that is no number counts as 0 and skips past them.
    QTest::newRow("words") << u"abc"_s << u"3"_s;
    QTest::newRow("empty") << QString() << u"3"_s;
    QTest::newRow("negative") << u"-5"_s << u"3"_s;
    QTest::newRow("beyond a double") << u"1e400"_s << u"3"_s;
    QTest::newRow("NaN") << u"NaN"_s << u"3"_s;
    QTest::newRow("number then words") << u"12abc"_s << u"13"_s;
    QTest::newRow("huge") << u"99999999999999999999"_s << u"3"_s;
}

void BadValueTest::saveIdNotANumber()
{
    QFETCH(QString, saveId);
    QFETCH(QString, written);
    TwoBoxes drawing({}, saveId);
    Scene scene(drawing.doc);

    scene.quit();

    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QVERIFY(QFile::exists(u"backups/pic"_s + written));
    QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"SaveId"_s), written);
}

void BadValueTest::shortTypeTable_data()
{
    QTest::addColumn<QString>("types");
    QTest::newRow("empty") << QString();
    QTest::newRow("three cells") << u"Tools\r\nDrill\r\nSaw\r\n"_s;
    QTest::newRow("no closing CR LF") << u"Tools"_s;
    QTest::newRow("238 cells") << TextRules::joinCrLf(QStringList(238, u"c"_s));
    QTest::newRow("LF only") << u"Tools\nDrill\nSaw\n"_s;
}

void BadValueTest::shortTypeTable()
{
    QFETCH(QString, types);
    TwoBoxes drawing({}, u"2"_s, types);
    Scene scene(drawing.doc);

    // Start-up pads the table: the chooser gets its 15 names, the cells there are kept.
    QCOMPARE(scene.form().Combo1->count(), 15);
    QStringList cells = TextRules::splitCrLf(types);
    if (!types.isEmpty())
        QCOMPARE(scene.form().Combo1->itemText(0), cells.first());
    QVERIFY(scene.form().typeTableTextValue.startsWith(types));
    QCOMPARE(TextRules::splitCrLf(scene.form().typeTableTextValue).size(), 256);
    QVERIFY(scene.problems().isEmpty());

    // Choosing the last type reaches cells past the old end without harm.
    scene.harness.clickObject(drawing.lamp);
    choose(scene.form().Combo1, 14);
    QCOMPARE(scene.harness.property(drawing.lamp, u"TypeIndex"_s), u"239"_s);

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QVERIFY(savedProperty(u"pic"_s, u"Start"_s, u"ObjectTypes"_s).startsWith(types));
}

void BadValueTest::moreThan45Boxes()
{
    DocumentBuilder doc;
    QStringList names;
    for (int i = 1; i <= 60; ++i)
        names << u"Box %1"_s.arg(i, 2, 10, QLatin1Char('0'));
    doc.startObject(names, u"2"_s);
    for (int i = 0; i < names.size(); ++i)
        doc.box(names.at(i), 100 + (i % 10) * 50, 100 + (i / 10) * 60);
    Scene scene(doc);

    // Every name is kept; the first 45 of the box list have their buttons.
    QCOMPARE(scene.form().boxNameText, TextRules::joinCrLf(names));
    QCOMPARE(scene.form().locationcombo1->count(), 60);
    for (int i = 0; i < 45; ++i) {
        QVERIFY(!scene.form().Shortcut[i]->isHidden());
        QCOMPARE(scene.form().Shortcut[i]->text(), names.at(i));
    }
    QTest::mouseClick(scene.form().Shortcut[44], Qt::LeftButton);
    QCOMPARE(scene.form().currentBox, 44);
    QVERIFY2(scene.messages().isEmpty(), qPrintable(scene.messageText()));
    QVERIFY(scene.problems().isEmpty());

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"Boxes"_s), TextRules::joinCrLf(names));
}

// A hand-edited document may hold the largest id there is: a new object still gets an id of
// its own, and the object that was current keeps its values.
void BadValueTest::largestIdStillGivesNewObjects()
{
    constexpr qint32 largest = std::numeric_limits<qint32>::max();
    TwoBoxes drawing;
    drawing.doc.model.objectById(drawing.vase)->id = largest;
    Scene scene(drawing.doc);
    Harness &h = scene.harness;
    h.clickObject(largest);
    QCOMPARE(scene.form().txtName->text(), u"Vase"_s);
    const int before = h.canvas().ObjectCount(1);

    QTest::mouseClick(scene.form().newitem, Qt::LeftButton);

    QCOMPARE(h.canvas().ObjectCount(1), before + 1);
    const qint32 made = h.canvas().CurrentObject();
    QVERIFY(made > 0 && made != largest && made != drawing.lamp);
    QCOMPARE(h.property(made, u"Name"_s), u"Object"_s);
    QCOMPARE(h.property(largest, u"Name"_s), u"Vase"_s);
    QCOMPARE(h.property(largest, u"Info"_s), u"Cellar"_s);

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QCOMPARE(savedProperty(u"pic"_s, u"Vase"_s, u"Info"_s), u"Cellar"_s);
    QCOMPARE(savedProperty(u"pic"_s, u"Object"_s, u"Type"_s), u"Object"_s);
}

void BadValueTest::typeIndexOutOfTable_data()
{
    QTest::addColumn<QString>("typeIndex");
    QTest::addColumn<int>("shownFrom");     // rows with a caption, none when from > to
    QTest::addColumn<int>("shownTo");
    QTest::newRow("far past the end") << u"30000"_s << 0 << -1;
    QTest::newRow("past 16 bits") << u"70000"_s << 0 << -1;
    QTest::newRow("last cell") << u"254"_s << 0 << -1;
    QTest::newRow("words") << u"x"_s << 0 << -1;
    // Cells before the table read as empty: rows 5 .. 15 show cells 0 .. 10.
    QTest::newRow("negative") << u"-5"_s << 5 << 15;
    // Rounded to 2: rows 0 .. 14 show "Cap 2" .. "Cap 16", row 15 the empty next name.
    QTest::newRow("fraction") << u"1.5"_s << 0 << 14;
}

void BadValueTest::typeIndexOutOfTable()
{
    QFETCH(QString, typeIndex);
    QFETCH(int, shownFrom);
    QFETCH(int, shownTo);
    TwoBoxes drawing({{u"TypeIndex"_s, typeIndex}});
    Scene scene(drawing.doc);

    scene.harness.clickObject(drawing.lamp);

    QCOMPARE(scene.form().txtName->text(), u"Lamp"_s);
    for (int row = 0; row < 16; ++row) {
        const QString caption = scene.form().Label[size_t(row)]->text();
        const bool shown = row >= shownFrom && row <= shownTo;
        QVERIFY2(caption.isEmpty() != shown, qPrintable(u"row %1: %2"_s.arg(row).arg(caption)));
        // A row without a caption is covered.
        QCOMPARE(scene.form().Command2[size_t(row)]->isHidden(), shown);
    }
    QCOMPARE(scene.harness.property(drawing.lamp, u"TypeIndex"_s), typeIndex);
    QVERIFY(scene.problems().isEmpty());

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"TypeIndex"_s), typeIndex);
}

void BadValueTest::colourOutOfPalette_data()
{
    QTest::addColumn<QString>("colour");
    QTest::newRow("999") << u"999"_s;
    QTest::newRow("-1") << u"-1"_s;
    QTest::newRow("words") << u"red"_s;
    QTest::newRow("past 16 bits") << u"99999"_s;
    QTest::newRow("empty") << QString();
}

void BadValueTest::colourOutOfPalette()
{
    QFETCH(QString, colour);
    TwoBoxes drawing({{u"Colour"_s, colour}});
    Scene scene(drawing.doc);
    Harness &h = scene.harness;
    const QColor fill = h.canvas().objectById(drawing.lamp)->fillColor;

    // Press, release and click leave the fill as it was.
    h.clickObject(drawing.lamp);
    QCOMPARE(h.canvas().ObjectCount(2), 1);
    QCOMPARE(h.canvas().objectById(drawing.lamp)->fillColor, fill);
    QCOMPARE(h.property(drawing.lamp, u"Colour"_s), colour);
    // A drag that ends on empty space and a second click change nothing either.
    h.drag(h.centreOf(drawing.lamp), h.centreOf(drawing.lamp) + QPoint(3, 3));
    h.clickObject(drawing.lamp);
    QCOMPARE(h.canvas().objectById(drawing.lamp)->fillColor, fill);

    // The colour choice repairs it.
    choose(scene.form().colour, 4);
    QCOMPARE(h.property(drawing.lamp, u"Colour"_s), u"4"_s);
    QCOMPARE(h.canvas().objectById(drawing.lamp)->fillColor, palette(4));
    QVERIFY(scene.problems().isEmpty());

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"Colour"_s), u"4"_s);
}

void BadValueTest::valueOutOfRange_data()
{
    QTest::addColumn<QString>("lampValue");
    QTest::addColumn<QString>("vaseValue");
    QTest::addColumn<QString>("cellarTotal");
    // A sum beyond the range of a double is written as 0, like every value that is not a
    // finite number: the total always reads back as the number it stands for.
    QTest::newRow("two huge") << u"1e308"_s << u"1e308"_s << u"0"_s;
    QTest::newRow("huge and -huge") << u"-1e308"_s << u"1e308"_s << u"0"_s;
    QTest::newRow("huge and one") << u"1e308"_s << u"-1"_s << u"1e+308"_s;
    QTest::newRow("NaN") << u"NaN"_s << u"5"_s << u"5"_s;
    QTest::newRow("beyond a double") << u"1e309"_s << u"2"_s << u"2"_s;
    QTest::newRow("Infinity") << u"Infinity"_s << u"2.5"_s << u"2.5"_s;
}

void BadValueTest::valueOutOfRange()
{
    QFETCH(QString, lampValue);
    QFETCH(QString, vaseValue);
    QFETCH(QString, cellarTotal);
    TwoBoxes drawing({{u"Value"_s, lampValue}});
    drawing.doc.model.SetCurrentObject(drawing.vase);
    drawing.doc.model.SetUserProperty(u"Value"_s, vaseValue);
    Scene scene(drawing.doc);
    Harness &h = scene.harness;

    // The lamp goes to the cellar: dropped on its strip, then the box chosen.
    h.dragObject(drawing.lamp, pixelOf(h, 160, 151));
    QCOMPARE(scene.form().readyList, QStringList{QString::number(drawing.lamp)});
    chooseDestination(h, u"Cellar"_s);
    const qint32 cellarBody = boxParts(h, u"Cellar"_s).body;
    QCOMPARE(h.property(drawing.lamp, u"Info"_s), u"Cellar"_s);
    QCOMPARE(h.property(cellarBody, u"Value"_s), cellarTotal);
    QCOMPARE(h.property(drawing.lamp, u"Value"_s), lampValue);

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"Value"_s), lampValue);
}

void BadValueTest::alarmNotADate_data()
{
    QTest::addColumn<QString>("alarm");
    QTest::newRow("day first") << u"31/02/2026"_s;
    QTest::newRow("no such day") << u"2/31/2026"_s;
    QTest::newRow("all nines") << u"99/99/9999"_s;
    QTest::newRow("control character") << u"\u0001"_s;
}

void BadValueTest::alarmNotADate()
{
    QFETCH(QString, alarm);
    // The vase is due, but the lamp before it has no date that makes sense.
    TwoBoxes drawing({{u"18"_s, alarm}});
    drawing.doc.model.SetCurrentObject(drawing.vase);
    drawing.doc.model.SetUserProperty(u"18"_s, u"1/1/2026"_s);
    Scene scene(drawing.doc);

    // Start-up's alarm report stops at the lamp without a word.
    QVERIFY(scene.messages().isEmpty());
    QCOMPARE(scene.harness.platform->beeps, 0);
    QCOMPARE(scene.form().List1->count(), 0);

    scene.quit();
    QVERIFY(scene.running());
    QCOMPARE(scene.messages(),
             QStringList{u"Please change the Alarm Date for Lamp, it disnae make sense"_s});
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QCOMPARE(scene.harness.startProperty(u"SaveId"_s), u"2"_s);
}

int runBadValueTest(int argc, char **argv)
{
    BadValueTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "badvaluetest.moc"
