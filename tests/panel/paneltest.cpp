// The panel: what it shows after a press and click on the drawing, what typing into its
// fields stores, and what choosing a type in Combo1 does.

#include "support/testsupport.h"

#include "window/controls.h"
#include "panel/panel.h"
#include "store/rules/textrules.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include <map>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// Types: 0 "Book" with captions on rows 0 .. 3, 1 "Tool" with rows 0 .. 2, 2 "Bare"
// without captions, 6 "Car" with rows 0 .. 1; the other names are "T<k>".
void loadTypeTable(Harness &h)
{
    QStringList cells(255, QString());
    for (int k = 0; k < 15; ++k)
        cells[17 * k] = u"T%1"_s.arg(k);
    const std::map<int, QStringList> types = {
        {0, {u"Book"_s, u"Author"_s, u"Title"_s, u"Year"_s, u"Shelf"_s}},
        {1, {u"Tool"_s, u"Maker"_s, u"Size"_s, u"Bought"_s}},
        {2, {u"Bare"_s}},
        {6, {u"Car"_s, u"Make"_s, u"Model"_s}},
    };
    for (const auto &[k, texts] : types) {
        for (int i = 0; i < texts.size(); ++i)
            cells[17 * k + i] = texts.at(i);
    }
    h.form->typeTableTextValue = TextRules::joinCrLf(cells);
    h.form->Combo1->clear();
    for (int i = 0; i <= 238; i += 17)
        h.form->Combo1->addItem(cells.at(i));
}

// Draws an object in a free slot of a row below the start object, deselected, with the
// values a new stored object gets (type index 1 is "Book").
qint32 add(Harness &h, const QString &type, const QString &name,
           const QString &typeIndex = u"1"_s, const QString &colour = u"15"_s)
{
    ::Vellum &canvas = h.canvas();
    const int slot = canvas.ObjectCount(1);
    const int x = 45 + 14 * (slot % 6);
    const int y = 95 + 14 * (slot / 6);
    if (!canvas.AddObject(10, x, y, x + 10, y + 10))
        return 0;
    const QStringList keys{u"Type"_s, u"Name"_s, u"TypeIndex"_s, u"Colour"_s, u"Value"_s};
    const QStringList values{type, name, typeIndex, colour, u"0"_s};
    for (int i = 0; i < keys.size(); ++i)
        canvas.SetUserProperty(keys[i], values[i]);
    canvas.SetObjectText(name);
    canvas.SetLayer(3);
    canvas.SetSelected(false);
    return canvas.CurrentObject();
}

// A started window with the type table and a spacer object (a press on id 2 ends early).
std::unique_ptr<Harness> start()
{
    auto h = std::make_unique<Harness>();
    loadTypeTable(*h);
    add(*h, u"Object"_s, u"Spacer"_s);
    return h;
}

QList<bool> covered(Harness &h)
{
    QList<bool> rows;
    for (RowCover *cover : h.form->Command2)
        rows << !cover->isHidden();
    return rows;
}

QList<bool> coveredFrom(int firstCovered)
{
    QList<bool> rows;
    for (int i = 0; i < 16; ++i)
        rows << (i >= firstCovered);
    return rows;
}

QStringList summary(Harness &h)
{
    return {h.form->txtType->text(), h.form->txtName->text(), h.form->txtInfo->text()};
}

void checkColours(const QList<QWidget *> &fields, const QColor &back, const QColor &fore)
{
    for (QWidget *field : fields) {
        QCOMPARE(backgroundOf(field), back);
        QCOMPARE(foregroundOf(field), fore);
    }
}

} // namespace

class PanelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void singleSelectionFillsThePanel()
    {
        auto h = start();
        const qint32 id = add(*h, u"Object"_s, u"Kettle"_s);
        const QList<std::pair<QString, QString>> values = {
            {u"Info"_s, u"Kitchen"_s}, {u"set"_s, u"Book"_s}, {u"1"_s, u"/tmp/kettle.txt"_s},
            {u"17"_s, u"last"_s}, {u"18"_s, u"3/4/2026"_s}, {u"Value"_s, u"25"_s}};
        for (const auto &[key, value] : values)
            writeProperty(*h, id, key, value);
        h->clickObject(id);

        QCOMPARE(summary(*h), QStringList({u"Object"_s, u"Kettle"_s, u"Kitchen"_s}));
        QVERIFY(h->form->txtName->isEnabled() && h->form->txtInfo->isEnabled());
        QCOMPARE(h->form->textheader->text(), u"Kettle"_s);
        QCOMPARE(h->form->Combo1->currentText(), u"Book"_s);
        QCOMPARE(h->form->Text1->text(), u"/tmp/kettle.txt"_s);
        QCOMPARE(h->form->Text17->text(), u"last"_s);
        QCOMPARE(h->form->Text18->text(), u"3/4/2026"_s);
        QCOMPARE(h->form->Value->text(), u"25"_s);
        QCOMPARE(h->form->colortext->text(), u"15"_s);
        QCOMPARE(h->form->zLabel7->text(), QString::number(id));
        QCOMPARE(h->form->colour->currentText(), u"Colour"_s);
        // The refresh wrote every value back unchanged.
        QCOMPARE(h->property(id, u"18"_s), u"3/4/2026"_s);
        QCOMPARE(h->property(id, u"Value"_s), u"25"_s);
    }

    void fillRedrawsTheName_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("drawn");
        QTest::newRow("stored object") << u"Object"_s << u"Kettle"_s;
        QTest::newRow("box body") << u"Location"_s << u"Kettle"_s;
        QTest::newRow("picture") << u"Pic"_s << u"old text"_s;
    }

    void fillRedrawsTheName()
    {
        QFETCH(QString, type);
        QFETCH(QString, drawn);
        auto h = start();
        const qint32 id = add(*h, type, u"Kettle"_s);
        // Twice: the second time the fields already show the values, the rules still run.
        for (int i = 0; i < 2; ++i) {
            h->canvas().SetCurrentObject(id);
            h->canvas().SetObjectText(u"old text"_s);
            h->clickObject(id);
            QCOMPARE(object(*h, id).objectText, drawn);
        }
    }

    void pressOnEmptySpace()
    {
        auto h = start();
        const qint32 id = add(*h, u"Object"_s, u"Kettle"_s);
        writeProperty(*h, id, u"5"_s, u"steel"_s);
        writeProperty(*h, id, u"MovementHistory"_s, u"A - B\r\n"_s);
        h->clickObject(id);
        QCOMPARE(h->form->Text5->text(), u"steel"_s);
        const QList<bool> coversBefore = covered(*h);

        const QPoint empty = emptyPoint(*h);
        QVERIFY(!empty.isNull());
        // The press alone: captions and covers stay as they were.
        QTest::mousePress(&h->canvas(), Qt::LeftButton, Qt::NoModifier, empty);
        QCOMPARE(h->canvas().ObjectCount(2), 0);
        QCOMPARE(summary(*h), QStringList({u"There are"_s, u"no selected"_s, u"no objects"_s}));
        QVERIFY(!h->form->txtType->isEnabled() && !h->form->txtName->isEnabled());
        QVERIFY(!h->form->txtInfo->isEnabled());
        QCOMPARE(h->form->zLabel7->text(), u"0"_s);
        QVERIFY(h->form->movehistory->toPlainText().isEmpty());
        QVERIFY(h->form->textheader->text().isEmpty() && h->form->Value->text().isEmpty());
        for (int n = 1; n <= 18; ++n)
            QVERIFY2(h->form->textField(n)->text().isEmpty(), qPrintable(QString::number(n)));
        QCOMPARE(covered(*h), coversBefore);

        // The click that follows: no type chosen, no rows open, nothing written.
        QTest::mouseRelease(&h->canvas(), Qt::LeftButton, Qt::NoModifier, empty);
        QCOMPARE(h->form->Combo1->currentText(), u"Choose Type"_s);
        QCOMPARE(covered(*h), coveredFrom(0));
        QCOMPARE(h->property(id, u"5"_s), u"steel"_s);
        QCOMPARE(h->property(id, u"Name"_s), u"Kettle"_s);
    }

    void severalSelected_data()
    {
        QTest::addColumn<QString>("lastSet");
        QTest::addColumn<QString>("chooser");
        QTest::newRow("last pressed has no type") << QString() << u"Choose Type"_s;
        QTest::newRow("last pressed has a type") << u"Tool"_s << QString();
    }

    void severalSelected()
    {
        QFETCH(QString, lastSet);
        QFETCH(QString, chooser);
        auto h = start();
        const qint32 a = add(*h, u"Object"_s, u"Lamp"_s);
        const qint32 b = add(*h, u"Object"_s, u"Vase"_s);
        writeProperty(*h, a, u"set"_s, u"Book"_s);
        writeProperty(*h, a, u"5"_s, u"brass"_s);
        writeProperty(*h, b, u"set"_s, lastSet);
        h->clickObject(a);
        h->clickObject(b, Qt::ShiftModifier);
        QCOMPARE(h->canvas().ObjectCount(2), 2);
        QCOMPARE(summary(*h), QStringList({u"More than"_s, u"one selected"_s, u"object"_s}));
        QVERIFY(!h->form->txtName->isEnabled());
        QCOMPARE(h->form->Combo1->currentText(), chooser);
        // Fields keep the first object's values and nothing was written back.
        QCOMPARE(h->form->textheader->text(), u"Lamp"_s);
        QCOMPARE(h->property(b, u"Name"_s), u"Vase"_s);

        // Typing stores nothing while several are selected.
        Harness::typeInto(h->form->Text5, u"xy"_s);
        Harness::typeInto(h->form->Value, u"9"_s);
        QCOMPARE(h->property(a, u"5"_s), u"brass"_s);
        QCOMPARE(h->property(b, u"5"_s), QString());
        QCOMPARE(h->property(a, u"Value"_s), u"0"_s);
        QCOMPARE(h->property(b, u"Value"_s), u"0"_s);
    }

    void colourScheme_data()
    {
        QTest::addColumn<QString>("colourText");
        QTest::addColumn<int>("fill"); // palette colour, -1: the fill stays as it was
        QTest::addColumn<int>("text");
        QTest::newRow("6 takes white text") << u"6"_s << 6 << 15;
        QTest::newRow("7 takes black text") << u"7"_s << 7 << 0;
        QTest::newRow("0") << u"0"_s << 0 << 15;
        QTest::newRow("empty") << QString() << -1 << 15;
        QTest::newRow("not a number") << u"red"_s << -1 << 15;
        QTest::newRow("beyond the palette") << u"20"_s << -1 << 0;
    }

    void colourScheme()
    {
        QFETCH(QString, colourText);
        QFETCH(int, fill);
        QFETCH(int, text);
        auto h = start();
        const qint32 id = add(*h, u"Object"_s, u"Kettle"_s);
        writeProperty(*h, id, u"Colour"_s, colourText);
        const QColor oldFill(12, 34, 56);
        h->canvas().SetFillColor(oldFill);
        const QColor chooserBefore = backgroundOf(h->form->Combo1);
        h->clickObject(id);

        QCOMPARE(h->form->colortext->text(), colourText);
        QCOMPARE(object(*h, id).fillColor, fill < 0 ? oldFill : palette(fill));
        QCOMPARE(object(*h, id).textColor, palette(text));
        checkColours({h->form->Combo1, h->form->Text5, h->form->Value, h->form->textheader,
                      h->form->txtInfo, h->form->movehistory, h->form->colour},
                     fill < 0 ? chooserBefore : palette(fill), palette(text));
    }

    void captionsAndCovers_data()
    {
        QTest::addColumn<QString>("typeIndex");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<int>("firstCovered");
        const QStringList none(16, QString());
        QStringList tool = none;
        tool[0] = u"Maker"_s;
        tool[1] = u"Size"_s;
        tool[2] = u"Bought"_s;
        QTest::newRow("no type index") << QString() << none << 0;
        QTest::newRow("type index 0") << u"0"_s << none << 0;
        QTest::newRow("three captions") << u"18"_s << tool << 3;
        QTest::newRow("no captions") << u"35"_s << none << 0;
        QTest::newRow("not a number") << u"abc"_s << none << 0;
        QTest::newRow("past the end of the table") << u"250"_s << none << 0;
    }

    void captionsAndCovers()
    {
        QFETCH(QString, typeIndex);
        QFETCH(QStringList, shown);
        QFETCH(int, firstCovered);
        auto h = start();
        // A first click on a "Book" opens four rows, so stale captions would show.
        h->clickObject(add(*h, u"Object"_s, u"Atlas"_s));
        QCOMPARE(covered(*h), coveredFrom(4));

        h->clickObject(add(*h, u"Object"_s, u"Saw"_s, typeIndex));
        QStringList texts;
        for (QLabel *label : h->form->Label)
            texts << label->text();
        QCOMPARE(texts, shown);
        QCOMPARE(covered(*h), coveredFrom(firstCovered));
    }

    void waitingObjectsAreListedAndRepainted()
    {
        auto h = start();
        const qint32 a = add(*h, u"Object"_s, u"Anvil"_s, {}, u"3"_s);
        const qint32 b = add(*h, u"Object"_s, u"Bell"_s, {}, u"9"_s);
        const qint32 c = add(*h, u"Object"_s, u"Cart"_s, {}, u"12"_s);
        const qint32 pressed = add(*h, u"Object"_s, u"Desk"_s);
        writeProperty(*h, pressed, u"set"_s, u"Book"_s);
        h->form->List1->addItem(u"an old search hit"_s);
        h->form->readyList = {QString::number(c), QString::number(a), QString::number(b)};
        h->clickObject(pressed);

        QCOMPARE(listLines(h->form->List1), QStringList({u"Cart"_s, u"Anvil"_s, u"Bell"_s}));
        QCOMPARE(h->form->Label19->text(), u"Objects ready to move"_s);
        for (qint32 id : {a, b, c}) {
            QCOMPARE(object(*h, id).fillColor, palette(15));
            QCOMPARE(object(*h, id).textColor, palette(0));
        }
        // The last waiting object is left current; its empty "set" decides the chooser.
        QCOMPARE(h->canvas().CurrentObject(), b);
        QCOMPARE(h->form->Combo1->currentText(), u"Choose Type"_s);
    }

    void rightButtonPress()
    {
        auto h = start();
        // Start-up leaves the start object (id 1) selected.
        h->canvas().SetZoomMode(0);
        h->form->List1->show();
        h->clickAt(emptyPoint(*h), Qt::NoModifier, Qt::RightButton);
        QCOMPARE(h->canvas().CurrentObject(), 1);
        QVERIFY(!object(*h, 1).selected);
        QCOMPARE(h->canvas().ZoomMode(), 1);
        QCOMPARE(h->form->zLabel7->text(), u"1"_s);
        QVERIFY(h->form->List1->isHidden());
        QCOMPARE(backgroundOf(h->form->List1), QColor(0, 192, 0));
        QCOMPARE(foregroundOf(h->form->List1), QColor(255, 255, 255));

        // On a picture as object 1 the press only hides the list and deselects.
        writeProperty(*h, 1, u"Type"_s, u"Pic"_s);
        h->canvas().SetSelected(true);
        h->canvas().SetZoomMode(0);
        h->form->zLabel7->setText(u"before"_s);
        h->form->List1->show();
        Vellum_MouseDown(*h->form, 3, 0, 0, 0);
        QVERIFY(h->form->List1->isHidden());
        QVERIFY(!object(*h, 1).selected);
        QCOMPARE(h->canvas().ZoomMode(), 0);
        QCOMPARE(h->form->zLabel7->text(), u"before"_s);
    }

    void everyKeystrokeIsStored()
    {
        auto h = start();
        const qint32 id = add(*h, u"Object"_s, u"Lamp"_s);
        h->clickObject(id);
        QLineEdit *field = h->form->Text5;
        QStringList stored;
        // Connected after the window's own rule, so it sees what the rule stored.
        connect(field, &QLineEdit::textChanged, field,
                [&] { stored << h->property(id, u"5"_s); });
        Harness::typeInto(field, u"abc"_s);
        QCOMPARE(stored, QStringList({u"a"_s, u"ab"_s, u"abc"_s}));

        // An emptied value is stored as empty text, not as 0.
        writeProperty(*h, id, u"Value"_s, u"12"_s);
        h->clickObject(id);
        h->form->Value->setFocus();
        h->form->Value->end(false);
        QTest::keyClick(h->form->Value, Qt::Key_Backspace);
        QTest::keyClick(h->form->Value, Qt::Key_Backspace);
        QCOMPARE(h->property(id, u"Value"_s), QString());
    }

    void nameAndHeaderRename_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("byName");     // drawn text after typing in the name field
        QTest::addColumn<QString>("byHeader");   // name after typing in the header
        QTest::newRow("stored object") << u"Object"_s << u"Shelf"_s << u"Drill"_s;
        QTest::newRow("box body") << u"Location"_s << u"Shelf"_s << u"Shelf"_s;
        QTest::newRow("loadout strip") << u"Loadout"_s << u"Shelf"_s << u"Shelf"_s;
        // A picture keeps the text drawn on it.
        QTest::newRow("picture") << u"Pic"_s << u"sunset"_s << u"Shelf"_s;
    }

    void nameAndHeaderRename()
    {
        QFETCH(QString, type);
        QFETCH(QString, byName);
        QFETCH(QString, byHeader);
        auto h = start();
        const qint32 id = add(*h, type, u"Crate"_s);
        h->canvas().SetCurrentObject(id);
        h->canvas().SetObjectText(u"sunset"_s);
        h->clickObject(id);
        retype(h->form->txtName, u"Shelf"_s);
        QCOMPARE(h->property(id, u"Name"_s), u"Shelf"_s);
        QCOMPARE(object(*h, id).objectText, byName);

        h->clickObject(id);
        QCOMPARE(h->form->textheader->text(), u"Shelf"_s);
        retype(h->form->textheader, u"Drill"_s);
        QCOMPARE(h->property(id, u"Name"_s), byHeader);
        QCOMPARE(object(*h, id).objectText, type == u"Pic"_s ? byName : byHeader);
    }

    void headerTestsTheCurrentObjectButWritesTheSelected()
    {
        auto h = start();
        const qint32 box = add(*h, u"Location"_s, u"Attic"_s);
        const qint32 waiting = add(*h, u"Object"_s, u"Rug"_s);
        h->form->readyList = {QString::number(waiting)};
        h->clickObject(box);
        // The click leaves the last waiting object current: its "Type" lets the header
        // through, and the new name lands on the selected box.
        QCOMPARE(h->canvas().CurrentObject(), waiting);
        Harness::typeInto(h->form->textheader, u"s"_s);
        QCOMPARE(h->property(box, u"Name"_s), u"Attics"_s);
        QCOMPARE(object(*h, box).objectText, u"Attics"_s);
        QCOMPARE(h->property(waiting, u"Name"_s), u"Rug"_s);
    }

    void historyIsStoredOnlyBySaveChanges()
    {
        auto h = start();
        const qint32 id = add(*h, u"Object"_s, u"Chair"_s);
        const QString history = u"Attic - Cellar\r\n1/2/2026\r\n"_s;
        writeProperty(*h, id, u"MovementHistory"_s, history);
        h->clickObject(id);
        QCOMPARE(h->form->movehistory->toPlainText(), u"Attic - Cellar\n1/2/2026\n"_s);
        QVERIFY(h->form->movehistory->textCursor().atEnd());

        Harness::typeInto(h->form->movehistory, u"lent out"_s);
        QCOMPARE(h->property(id, u"MovementHistory"_s), history);
        // The next press shows the stored history again.
        h->clickObject(id);
        QCOMPARE(h->form->movehistory->toPlainText(), u"Attic - Cellar\n1/2/2026\n"_s);

        Harness::typeInto(h->form->movehistory, u"lent out"_s);
        h->form->SaveChanges->click();
        QCOMPARE(h->property(id, u"MovementHistory"_s),
                 u"Attic - Cellar\r\n1/2/2026\r\nlent out"_s);
    }

    void choosingAType_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typeIndex");
        QTest::addColumn<int>("text");
        QTest::addColumn<int>("openRows");
        QTest::newRow("6: white text") << 6 << u"Car"_s << u"103"_s << 15 << 2;
        QTest::newRow("7: black text, no captions") << 7 << u"T7"_s << u"120"_s << 0 << 0;
        QTest::newRow("0: black fill, white text") << 0 << u"Book"_s << u"1"_s << 15 << 4;
        QTest::newRow("14") << 14 << u"T14"_s << u"239"_s << 0 << 0;
    }

    void choosingAType()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QString, typeIndex);
        QFETCH(int, text);
        QFETCH(int, openRows);
        auto h = start();
        // A "Tool" first, so the rows it opened must close again.
        const qint32 id = add(*h, u"Object"_s, u"Van"_s, u"18"_s);
        h->clickObject(id);
        choose(h->form->Combo1, position);

        QCOMPARE(h->property(id, u"set"_s), name);
        QCOMPARE(h->property(id, u"TypeIndex"_s), typeIndex);
        QCOMPARE(h->property(id, u"Colour"_s), QString::number(position));
        QCOMPARE(object(*h, id).fillColor, palette(position));
        QCOMPARE(object(*h, id).textColor, palette(text));
        QCOMPARE(h->form->Combo1->currentText(), name);
        QCOMPARE(covered(*h), coveredFrom(openRows));
        QCOMPARE(h->form->Label[0]->text().isEmpty(), openRows == 0);
        checkColours({h->form->Combo1, h->form->Text1, h->form->Text17, h->form->Text18,
                      h->form->txtInfo, h->form->Value, h->form->textheader,
                      h->form->movehistory, h->form->colour},
                     palette(position), palette(text));
    }

    void typeChoiceGoesToTheCurrentObject()
    {
        auto h = start();
        const qint32 selected = add(*h, u"Object"_s, u"Van"_s);
        const qint32 waiting = add(*h, u"Object"_s, u"Rug"_s);
        h->form->readyList = {QString::number(waiting)};
        h->clickObject(selected);
        choose(h->form->Combo1, 6);
        QCOMPARE(h->property(waiting, u"set"_s), u"Car"_s);
        QCOMPARE(h->property(waiting, u"Colour"_s), u"6"_s);
        QCOMPARE(h->property(selected, u"set"_s), QString());
        QCOMPARE(h->property(selected, u"TypeIndex"_s), u"1"_s);
    }

    void captionsFollowTheTableOnTheNextClick()
    {
        auto h = start();
        const qint32 id = add(*h, u"Object"_s, u"Van"_s);
        h->clickObject(id);
        choose(h->form->Combo1, 1);
        QCOMPARE(h->form->Label[2]->text(), u"Bought"_s);
        // The table changes; the object keeps its type, and the new caption shows next time.
        h->form->typeTableTextValue.replace(u"Bought"_s, u"Since"_s);
        h->clickObject(id);
        QCOMPARE(h->property(id, u"set"_s), u"Tool"_s);
        QCOMPARE(h->form->Label[2]->text(), u"Since"_s);
    }
};

QTEST_MAIN(PanelTest)
#include "paneltest.moc"
