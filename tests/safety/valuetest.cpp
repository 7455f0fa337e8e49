// Values in a document that the program never writes itself but a damaged, hand-edited or
// hostile "pic" may hold: out of range, not Unicode, very long, pictures that claim to be
// enormous, 200 MB in all. Each is met the way a user meets it, without a crash, and the
// user's document and backups stay whole.

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

QString longText(int length)
{
    QString text;
    while (text.size() < length)
        text += u"A lamp with a long story, \u00e9t\u00e9 1987; "_s;
    text.truncate(length);
    return text;
}

} // namespace

class ValueTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void shortTypeTable_data()
    {
        QTest::addColumn<QString>("types");
        QTest::newRow("empty") << QString();
        QTest::newRow("two cells") << u"Tools\r\nSize\r\n"_s;
        QTest::newRow("three cells") << u"Tools\r\nDrill\r\nSaw\r\n"_s;
        QTest::newRow("no closing CR LF") << u"Tools"_s;
        QTest::newRow("238 cells") << TextRules::joinCrLf(QStringList(238, u"c"_s));
        QTest::newRow("LF only") << u"Tools\nDrill\nSaw\n"_s;
    }

    void shortTypeTable()
    {
        QFETCH(QString, types);
        TwoBoxes drawing({}, u"2"_s, types);
        Scene scene(drawing.doc);

        // Start-up pads the window's copy of the table: the chooser gets its 15 names, the
        // cells there are kept, and the document keeps the table as it was.
        QCOMPARE(scene.form().Combo1->count(), 15);
        if (!types.isEmpty())
            QCOMPARE(scene.form().Combo1->itemText(0), TextRules::splitCrLf(types).first());
        QVERIFY(scene.form().typeTableTextValue.startsWith(types));
        QCOMPARE(TextRules::splitCrLf(scene.form().typeTableTextValue).size(), 256);
        QCOMPARE(scene.harness.startProperty(u"ObjectTypes"_s), types);
        QCOMPARE(scene.problems(), QStringList());

        // Choosing the last type reaches cells past the old end without harm.
        scene.harness.clickObject(drawing.lamp);
        choose(scene.form().Combo1, 14);
        QCOMPARE(scene.harness.property(drawing.lamp, u"TypeIndex"_s), u"239"_s);

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"ObjectTypes"_s), types);
    }

    // Every name is kept and listed; the first 45 of the box list have their buttons.
    void moreThan45Boxes()
    {
        DocumentBuilder doc;
        QStringList names;
        for (int i = 1; i <= 60; ++i)
            names << u"Box %1"_s.arg(i, 2, 10, QLatin1Char('0'));
        doc.startObject(names, u"2"_s);
        for (int i = 0; i < names.size(); ++i)
            doc.box(names.at(i), 100 + (i % 10) * 50, 100 + (i / 10) * 60);
        Scene scene(doc);

        QCOMPARE(scene.form().boxNameText, TextRules::joinCrLf(names));
        QCOMPARE(comboLines(scene.form().locationcombo1), names);
        for (int i = 0; i < 45; ++i) {
            QVERIFY(scene.form().Shortcut[i]->isVisibleTo(&scene.form()));
            QCOMPARE(scene.form().Shortcut[i]->text(), names.at(i));
        }
        QTest::mouseClick(scene.form().Shortcut[44], Qt::LeftButton);
        QCOMPARE(scene.form().currentBox, 44);
        QCOMPARE(scene.messages(), QStringList());
        QCOMPARE(scene.problems(), QStringList());

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedProperty(u"pic"_s, u"Start"_s, u"Boxes"_s), TextRules::joinCrLf(names));
    }

    // A hand-edited document may hold the largest id there is: a new object still gets an
    // id of its own, and the object that was current keeps its values.
    void largestIdStillGivesNewObjects()
    {
        constexpr qint32 largest = std::numeric_limits<qint32>::max();
        TwoBoxes drawing;
        drawing.doc.model.objectById(drawing.vase)->id = largest;
        Scene scene(drawing.doc);
        Harness &h = scene.harness;
        h.clickObject(largest);
        QCOMPARE(scene.form().txtName->text(), u"Vase"_s);
        const int before = h.canvas().ObjectCount(1);

        const qint32 made = newObject(h);

        QCOMPARE(h.canvas().ObjectCount(1), before + 1);
        QCOMPARE(h.canvas().CurrentObject(), made);
        QVERIFY(made > 0 && made != largest && made != drawing.lamp);
        QCOMPARE(h.property(made, u"Name"_s), u"Object"_s);
        QCOMPARE(h.property(largest, u"Name"_s), u"Vase"_s);
        QCOMPARE(h.property(largest, u"Info"_s), u"Cellar"_s);

        scene.quit();
        QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
        QCOMPARE(savedProperty(u"pic"_s, u"Vase"_s, u"Info"_s), u"Cellar"_s);
        QCOMPARE(savedProperty(u"pic"_s, u"Object"_s, u"Type"_s), u"Object"_s);
    }

    void typeIndexOutOfTable_data()
    {
        QTest::addColumn<QString>("typeIndex");
        QTest::addColumn<int>("shownFrom"); // rows with a caption, none when from > to
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

    void typeIndexOutOfTable()
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
        QCOMPARE(scene.problems(), QStringList());

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"TypeIndex"_s), typeIndex);
    }

    void colourOutOfPalette_data()
    {
        QTest::addColumn<QString>("colour");
        QTest::newRow("999") << u"999"_s;
        QTest::newRow("-1") << u"-1"_s;
        QTest::newRow("words") << u"red"_s;
        QTest::newRow("past 16 bits") << u"99999"_s;
        QTest::newRow("empty") << QString();
    }

    void colourOutOfPalette()
    {
        QFETCH(QString, colour);
        TwoBoxes drawing({{u"Colour"_s, colour}});
        Scene scene(drawing.doc);
        Harness &h = scene.harness;
        const QColor fill = object(h, drawing.lamp).fillColor;

        // Press, release and click leave the fill as it was.
        h.clickObject(drawing.lamp);
        QCOMPARE(h.canvas().ObjectCount(2), 1);
        QCOMPARE(object(h, drawing.lamp).fillColor, fill);
        QCOMPARE(h.property(drawing.lamp, u"Colour"_s), colour);
        // A drag that ends on empty space and a second click change nothing either.
        h.drag(h.centreOf(drawing.lamp), h.centreOf(drawing.lamp) + QPoint(3, 3));
        h.clickObject(drawing.lamp);
        QCOMPARE(object(h, drawing.lamp).fillColor, fill);

        // The colour choice repairs it.
        choose(scene.form().colour, 4);
        QCOMPARE(h.property(drawing.lamp, u"Colour"_s), u"4"_s);
        QCOMPARE(object(h, drawing.lamp).fillColor, palette(4));
        QCOMPARE(scene.problems(), QStringList());

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"Colour"_s), u"4"_s);
    }

    void valueOutOfRange_data()
    {
        QTest::addColumn<QString>("lampValue");
        QTest::addColumn<QString>("vaseValue");
        QTest::addColumn<QString>("cellarTotal");
        // A sum beyond the range of a double is written as 0, like every value that is not
        // a finite number: the total always reads back as the number it stands for.
        QTest::newRow("two huge") << u"1e308"_s << u"1e308"_s << u"0"_s;
        QTest::newRow("huge and -huge") << u"-1e308"_s << u"1e308"_s << u"0"_s;
        QTest::newRow("huge and one") << u"1e308"_s << u"-1"_s << u"1e+308"_s;
        QTest::newRow("NaN") << u"NaN"_s << u"5"_s << u"5"_s;
        QTest::newRow("beyond a double") << u"1e309"_s << u"2"_s << u"2"_s;
        QTest::newRow("Infinity") << u"Infinity"_s << u"2.5"_s << u"2.5"_s;
    }

    void valueOutOfRange()
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
        QCOMPARE(h.property(drawing.lamp, u"Info"_s), u"Cellar"_s);
        QCOMPARE(h.property(boxParts(h, u"Cellar"_s).body, u"Value"_s), cellarTotal);
        QCOMPARE(h.property(drawing.lamp, u"Value"_s), lampValue);

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"Value"_s), lampValue);
    }

    void alarmNotADate_data()
    {
        QTest::addColumn<QString>("alarm");
        QTest::newRow("day first") << u"31/02/2026"_s;
        QTest::newRow("no such day") << u"2/31/2026"_s;
        QTest::newRow("all nines") << u"99/99/9999"_s;
        QTest::newRow("control character") << u"\u0001"_s;
    }

    void alarmNotADate()
    {
        QFETCH(QString, alarm);
        // The vase is due, but the lamp before it has no date that makes sense.
        TwoBoxes drawing({{u"18"_s, alarm}});
        drawing.doc.model.SetCurrentObject(drawing.vase);
        drawing.doc.model.SetUserProperty(u"18"_s, u"1/1/2026"_s);
        Scene scene(drawing.doc);

        // Start-up's alarm report stops at the lamp without a word.
        QCOMPARE(scene.messages(), QStringList());
        QCOMPARE(scene.harness.platform->beeps, 0);
        QCOMPARE(scene.form().List1->count(), 0);

        scene.quit();
        QVERIFY(scene.running());
        QCOMPARE(scene.messages(),
                 QStringList{u"Please change the Alarm Date for Lamp, it disnae make sense"_s});
        QCOMPARE(scene.problems(), QStringList());
        QCOMPARE(scene.harness.startProperty(u"SaveId"_s), u"2"_s);
    }

    // Drawn on the canvas and on the buttons, shown in the panel, saved whole.
    void longNames_data()
    {
        QTest::addColumn<bool>("isBox");
        QTest::newRow("stored object") << false;
        QTest::newRow("box") << true;
    }

    void longNames()
    {
        QFETCH(bool, isBox);
        const QString name = longText(10000);
        const QString box = isBox ? name : u"Cellar"_s;
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s, box}, u"2"_s);
        doc.box(u"Attic"_s, 100, 100);
        doc.box(box, 150, 100);
        const qint32 lamp = doc.storedObject(isBox ? u"Lamp"_s : name, u"Attic"_s, 110, 110);
        Scene scene(doc);

        scene.harness.clickObject(lamp);
        QCOMPARE(scene.form().txtName->text(), isBox ? u"Lamp"_s : name);
        if (isBox)
            QTest::mouseClick(scene.form().Shortcut[1], Qt::LeftButton);
        QVERIFY(!scene.form().grab().isNull());
        QCOMPARE(scene.problems(), QStringList());

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedObject(name).objectText, name);
        QVERIFY(savedProperty(u"pic"_s, u"Start"_s, u"Boxes"_s).contains(box + u"\r\n"_s));
    }

    void textsThatAreNotUnicode_data()
    {
        QTest::addColumn<QString>("text");
        const QChar high(char16_t(0xd800));
        const QChar low(char16_t(0xdc00));
        QString controls;
        for (char16_t c = 0; c < 32; ++c)
            controls += QChar(c);
        QTest::newRow("NUL") << u"before"_s + QChar(u'\0') + u"after"_s;
        QTest::newRow("only NUL") << QString(3, QChar(u'\0'));
        QTest::newRow("lone high surrogate") << u"a"_s + high + u"b"_s;
        QTest::newRow("lone low surrogate") << QString(low);
        QTest::newRow("pair the wrong way round") << QString(low) + high;
        QTest::newRow("high at the end") << u"end"_s + high;
        QTest::newRow("real pair") << u"\U0001F600"_s;
        QTest::newRow("control characters") << controls;
        QTest::newRow("noncharacters") << u"\uFFFE\uFFFF\uFEFF"_s;
        QTest::newRow("escape look-alike") << u"\\u0000 \\ud800 \" \\\""_s;
    }

    // In a field's value and in a key of the user's own, shown in the panel by a click,
    // which writes nothing back unless the user types.
    void textsThatAreNotUnicode()
    {
        QFETCH(QString, text);
        const QString key = u"Note "_s + text;
        TwoBoxes drawing({{u"2"_s, text}, {key, text}});
        Scene scene(drawing.doc);

        scene.harness.clickObject(drawing.lamp);
        QCOMPARE(scene.harness.property(drawing.lamp, u"2"_s), text);

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"2"_s), text);
        QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, key), text);
        QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"Info"_s), u"Attic"_s);
    }

    // Headers that claim 65535 x 65535 pixels: 8-bit RGBA, 24 bits.
    void hugePicture_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::newRow("PNG") << QByteArray::fromHex(
            "89504e470d0a1a0a0000000d494844520000ffff0000ffff0806000000b605d950000000"
            "0a49444154789c636000000002000148afa4710000000049454e44ae426082");
        QTest::newRow("BMP") << QByteArray::fromHex(
            "424d76000000000000003600000028000000ffff0000ffff0000010018000000000000000000"
            "00000000000000000000000000000000") + QByteArray(64, '\x7f');
    }

    void hugePicture()
    {
        QFETCH(QByteArray, picture);
        TwoBoxes drawing;
        drawing.doc.model.AddObject(12, 120, 110, 125, 115);
        drawing.doc.model.current()->pictureData = picture;
        drawing.doc.model.SetLayer(3);
        drawing.doc.model.SetUserProperty(u"Type"_s, u"Pic"_s);
        drawing.doc.model.SetUserProperty(u"Name"_s, u"Poster"_s);
        Scene scene(drawing.doc);
        Harness &h = scene.harness;

        // The object is kept, undecoded, and drawing it does no harm.
        const qint32 poster = h.findId(u"Name"_s, u"Poster"_s);
        QVERIFY(poster != 0);
        QVERIFY(object(h, poster).picture.isNull());
        QCOMPARE(object(h, poster).pictureData, picture);
        QCOMPARE(scene.messages(), QStringList());
        h.clickObject(poster);
        QVERIFY(!scene.form().grab().isNull());

        // The same file given to the canvas fails cleanly; dropped on the drawing it becomes
        // a stored object for the file, not a picture.
        QVERIFY(writeFile(u"poster.png"_s, picture));
        const int count = h.canvas().ObjectCount(1);
        QVERIFY(!h.canvas().LoadPictureFile(u"poster.png"_s, 1, 0));
        QCOMPARE(h.canvas().ObjectCount(1), count);
        dropFiles(h, {h.folder.file(u"poster.png"_s)}, emptyPoint(h));
        QCOMPARE(h.canvas().ObjectCount(1), count + 1);
        QCOMPARE(h.property(lastId(h), u"Type"_s), u"Object"_s);
        QVERIFY(QFile::remove(u"poster.png"_s));

        QCOMPARE(scene.quitProblems(), QStringList());
        const VellumObject saved = savedObject(u"Poster"_s);
        QCOMPARE(saved.kind, qint16(12));
        QCOMPARE(saved.pictureData, picture);
    }

    // 200 MB, a hundred thousand stored objects with two kilobytes of notes each, loads
    // whole: start-up tells nothing and writes nothing. (A quit would only save it like any
    // other document; the backups here are small to spare the disk.)
    void hugeDocument()
    {
        constexpr int bulk = 100000;
        QByteArray bytes;
        QByteArray older;
        {
            DocumentBuilder doc;
            doc.startObject({u"Attic"_s}, u"2"_s);
            doc.box(u"Attic"_s, 100, 100);
            older = documentBytes(doc);
            const QString notes = longText(2000);
            for (int i = 0; i < bulk; ++i)
                doc.storedObject(u"Thing %1"_s.arg(i), u"Attic"_s, 100 + i % 40,
                                 100 + i / 40 % 40, {{u"Value"_s, u"1"_s}, {u"2"_s, notes}});
            bytes = documentBytes(doc);
        }
        QVERIFY(bytes.size() > 200'000'000);

        Scene scene({bytes, older}, false, false);
        bytes.clear();
        scene.harness.start();
        QCOMPARE(scene.messages(), QStringList());
        QCOMPARE(scene.harness.canvas().ObjectCount(1), bulk + 3);
        QCOMPARE(scene.problems(), QStringList());
    }
};

int runValueTest(int argc, char **argv)
{
    ValueTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "valuetest.moc"
