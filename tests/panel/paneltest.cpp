// The panel: what it shows after a press and click on the drawing, what typing into its
// fields stores, and what choosing a type in Combo1 does.

#include "support/testsupport.h"

#include "store/rules/textrules.h"
#include "window/controls.h"
#include "window/fieldstyle.h"

#include <functional>
#include <map>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// A started window with the type table: 0 "Book" with captions on rows 0 .. 3, 1 "Tool"
// with rows 0 .. 2, 2 "Bare" without captions, 6 "Car" with rows 0 .. 1, the other names
// "T<k>"; and a spacer object (a press on id 2 ends early).
struct Panel : Harness
{
    Panel()
    {
        QStringList cells(255, QString());
        for (int k = 0; k < 15; ++k)
            cells[17 * k] = u"T%1"_s.arg(k);
        const std::map<int, QStringList> types = {
            {0, {u"Book"_s, u"Author"_s, u"Title"_s, u"Year"_s, u"Shelf"_s}},
            {1, {u"Tool"_s, u"Maker"_s, u"Size"_s, u"Bought"_s}},
            {2, {u"Bare"_s}},
            {6, {u"Car"_s, u"Make"_s, u"Model"_s}}};
        for (const auto &[k, texts] : types) {
            for (int i = 0; i < texts.size(); ++i)
                cells[17 * k + i] = texts.at(i);
        }
        f.typeTableTextValue = TextRules::joinCrLf(cells);
        f.Combo1->clear();
        for (int i = 0; i <= 238; i += 17)
            f.Combo1->addItem(cells.at(i));
        add(u"Object"_s, u"Spacer"_s);
    }

    // Draws an object in a free slot of a row below the start object, deselected, with the
    // values a new stored object gets (type index 1 is "Book").
    qint32 add(const QString &type, const QString &name, const QString &typeIndex = u"1"_s,
               const QString &colour = u"15"_s)
    {
        const int slot = canvas().ObjectCount(1);
        const int x = 45 + 14 * (slot % 6);
        const int y = 95 + 14 * (slot / 6);
        if (!canvas().AddObject(10, x, y, x + 10, y + 10))
            return 0;
        for (const auto &[key, value] : {std::pair {u"Type"_s, type}, {u"Name"_s, name},
                                         {u"TypeIndex"_s, typeIndex}, {u"Colour"_s, colour},
                                         {u"Value"_s, u"0"_s}})
            canvas().SetUserProperty(key, value);
        canvas().SetObjectText(name);
        canvas().SetLayer(3);
        canvas().SetSelected(false);
        return canvas().CurrentObject();
    }

    QList<bool> covered() const
    {
        QList<bool> rows;
        for (RowCover *cover : f.Command2)
            rows << !cover->isHidden();
        return rows;
    }

    QStringList summary() const
    {
        return {f.txtType->text(), f.txtName->text(), f.txtInfo->text()};
    }

    frmMain &f = *form;
};

// The largest difference in one colour channel between the field as the window paints
// it and as the application's own style paints it.
int differenceFromStyle(QLineEdit *field)
{
    const QImage painted = field->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QStyle *own = field->style();
    field->setStyle(QApplication::style());
    const QImage direct = field->grab().toImage().convertToFormat(QImage::Format_ARGB32);
    field->setStyle(own);
    if (painted.size() != direct.size())
        return 256;
    int widest = 0;
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            const QRgb a = painted.pixel(x, y);
            const QRgb b = direct.pixel(x, y);
            widest = std::max({widest, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                               std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
        }
    }
    return widest;
}

// Where the panel's pixels on screen, partial repaints and all, differ from a whole new
// rendering of the window; empty when they are the same.
QString panelDamage(frmMain &f)
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QWidget *panel = f.findChild<QWidget *>(u"panel"_s);
    const QRect area(panel->mapTo(&f, QPoint(0, 0)), panel->size());
    const QImage shown = f.screen()->grabWindow(f.winId()).toImage().copy(area).convertToFormat(
        QImage::Format_RGB32);
    const QImage whole = f.grab().toImage().copy(area).convertToFormat(QImage::Format_RGB32);
    if (shown.size() != whole.size())
        return u"sizes differ"_s;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != whole.pixel(x, y))
                return u"at %1, %2"_s.arg(x).arg(y);
        }
    }
    return {};
}

QList<bool> coveredFrom(int firstCovered)
{
    QList<bool> rows;
    for (int i = 0; i < 16; ++i)
        rows << (i >= firstCovered);
    return rows;
}

} // namespace

class PanelTest : public QObject
{
    Q_OBJECT

private slots:
    // A click shows the object's values, its colours, and its type's captions with the rows
    // past them covered; a click on a "Book" (four captions) comes first, so stale captions
    // would show.
    void clickFillsThePanel_data()
    {
        QTest::addColumn<QString>("colourText");
        QTest::addColumn<int>("fill"); // palette colour, -1: the fill stays as it was
        QTest::addColumn<int>("text");
        QTest::addColumn<QString>("typeIndex");
        QTest::addColumn<QStringList>("captions");
        const QStringList book {u"Author"_s, u"Title"_s, u"Year"_s, u"Shelf"_s};
        QTest::newRow("6 takes white text") << u"6"_s << 6 << 15 << u"1"_s << book;
        QTest::newRow("7 takes black text") << u"7"_s << 7 << 0 << u"1"_s << book;
        QTest::newRow("0") << u"0"_s << 0 << 15 << u"1"_s << book;
        QTest::newRow("not a number") << u"red"_s << -1 << 15 << u"1"_s << book;
        QTest::newRow("beyond the palette") << u"20"_s << -1 << 0 << u"1"_s << book;
        const auto white = [](const char *name, const QString &typeIndex, QStringList captions) {
            QTest::newRow(name) << u"15"_s << 15 << 0 << typeIndex << captions;
        };
        white("type index 0", u"0"_s, {});
        white("three captions", u"18"_s, {u"Maker"_s, u"Size"_s, u"Bought"_s});
        white("no captions", u"35"_s, {});
    }

    void clickFillsThePanel()
    {
        QFETCH(QString, colourText);
        QFETCH(int, fill);
        QFETCH(int, text);
        QFETCH(QString, typeIndex);
        QFETCH(QStringList, captions);
        Panel h;
        frmMain &f = h.f;
        h.clickObject(h.add(u"Object"_s, u"Atlas"_s, u"1"_s, u"3"_s));
        QCOMPARE(h.covered(), coveredFrom(4));
        const qint32 id = h.add(u"Object"_s, u"Kettle"_s, typeIndex, colourText);
        const QStringList keys {u"Info"_s, u"set"_s, u"1"_s, u"17"_s, u"18"_s, u"Value"_s};
        const QStringList values {u"Kitchen"_s, u"Book"_s, u"/tmp/kettle.txt"_s, u"last"_s,
                                  u"3/4/2026"_s, u"25"_s};
        for (int i = 0; i < keys.size(); ++i)
            writeProperty(h, id, keys[i], values[i]);
        const QColor oldFill(12, 34, 56);
        h.canvas().SetFillColor(oldFill);
        const QColor chooserBefore = backgroundOf(f.Combo1);
        h.clickObject(id);

        QCOMPARE(h.summary(), QStringList({u"Object"_s, u"Kettle"_s, u"Kitchen"_s}));
        QVERIFY(f.txtName->isEnabled() && f.txtInfo->isEnabled());
        const QStringList shown {f.textheader->text(), f.Combo1->currentText(), f.Text1->text(),
                                 f.Text17->text(), f.Text18->text(), f.Value->text(),
                                 f.colortext->text(), f.zLabel7->text(), f.colour->currentText()};
        QCOMPARE(shown, QStringList({u"Kettle"_s, u"Book"_s, u"/tmp/kettle.txt"_s, u"last"_s,
                                     u"3/4/2026"_s, u"25"_s, colourText, QString::number(id),
                                     u"Colour"_s}));
        QStringList labels;
        for (QLabel *label : f.Label)
            labels << label->text();
        QCOMPARE(labels, captions + QStringList(16 - captions.size()));
        QCOMPARE(h.covered(), coveredFrom(int(captions.size())));
        // The refresh wrote every value back unchanged.
        QCOMPARE(h.properties(id, keys), values);
        QCOMPARE(object(h, id).fillColor, fill < 0 ? oldFill : palette(fill));
        QCOMPARE(object(h, id).textColor, palette(text));
        checkColours({f.Combo1, f.Text5, f.Value, f.textheader, f.txtInfo, f.movehistory,
                      f.colour},
                     fill < 0 ? chooserBefore : palette(fill), palette(text));
    }

    void pressOnEmptySpace()
    {
        Panel h;
        frmMain &f = h.f;
        const qint32 id = h.add(u"Object"_s, u"Kettle"_s);
        writeProperty(h, id, u"5"_s, u"steel"_s);
        writeProperty(h, id, u"MovementHistory"_s, u"A - B\r\n"_s);
        h.clickObject(id);
        const QList<bool> coversBefore = h.covered();

        const QPoint empty = emptyPoint(h);
        QVERIFY(!empty.isNull());
        // The press alone: captions and covers stay as they were.
        QTest::mousePress(&h.canvas(), Qt::LeftButton, Qt::NoModifier, empty);
        QCOMPARE(h.canvas().ObjectCount(2), 0);
        QCOMPARE(h.summary(), QStringList({u"There are"_s, u"no selected"_s, u"no objects"_s}));
        QCOMPARE(QList({f.txtType->isEnabled(), f.txtName->isEnabled(), f.txtInfo->isEnabled()}),
                 QList({false, false, false}));
        QStringList texts {f.zLabel7->text(), f.movehistory->toPlainText(),
                           f.textheader->text(), f.Value->text()};
        for (int n = 1; n <= 18; ++n)
            texts << f.textField(n)->text();
        QCOMPARE(texts, QStringList {u"0"_s} + QStringList(21));
        QCOMPARE(h.covered(), coversBefore);

        // The click that follows: no type chosen, no rows open, nothing written.
        QTest::mouseRelease(&h.canvas(), Qt::LeftButton, Qt::NoModifier, empty);
        QCOMPARE(f.Combo1->currentText(), u"Choose Type"_s);
        QCOMPARE(h.covered(), coveredFrom(0));
        QCOMPARE(h.properties(id, {u"5"_s, u"Name"_s}), QStringList({u"steel"_s, u"Kettle"_s}));
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
        Panel h;
        const qint32 a = h.add(u"Object"_s, u"Lamp"_s);
        const qint32 b = h.add(u"Object"_s, u"Vase"_s);
        writeProperty(h, a, u"set"_s, u"Book"_s);
        writeProperty(h, a, u"5"_s, u"brass"_s);
        writeProperty(h, b, u"set"_s, lastSet);
        const QByteArray before = documentOf(h);
        h.clickObject(a);
        h.clickObject(b, Qt::ShiftModifier);
        QCOMPARE(h.canvas().ObjectCount(2), 2);
        QCOMPARE(h.summary(), QStringList({u"More than"_s, u"one selected"_s, u"object"_s}));
        QVERIFY(!h.f.txtName->isEnabled());
        QCOMPARE(h.f.Combo1->currentText(), chooser);
        // Fields keep the first object's values; neither the clicks nor typing store anything.
        QCOMPARE(h.f.textheader->text(), u"Lamp"_s);
        Harness::typeInto(h.f.Text5, u"xy"_s);
        Harness::typeInto(h.f.Value, u"9"_s);
        QCOMPARE(documentOf(h), before);
    }

    // A press with objects waiting lists them, paints them white and leaves the last one
    // current: the type chooser follows it, not the selected box.
    void waitingObjects()
    {
        Panel h;
        const qint32 box = h.add(u"Location"_s, u"Attic"_s);
        writeProperty(h, box, u"set"_s, u"Book"_s);
        const qint32 a = h.add(u"Object"_s, u"Anvil"_s, {}, u"3"_s);
        const qint32 b = h.add(u"Object"_s, u"Bell"_s, {}, u"9"_s);
        const qint32 c = h.add(u"Object"_s, u"Cart"_s, {}, u"12"_s);
        h.f.List1->addItem(u"an old search hit"_s);
        h.f.readyList = {QString::number(c), QString::number(a), QString::number(b)};
        h.clickObject(box);

        QCOMPARE(listLines(h.f.List1), QStringList({u"Cart"_s, u"Anvil"_s, u"Bell"_s}));
        QCOMPARE(h.f.Label19->text(), u"Objects ready to move"_s);
        for (qint32 id : {a, b, c}) {
            QCOMPARE(object(h, id).fillColor, palette(15));
            QCOMPARE(object(h, id).textColor, palette(0));
        }
        // Bell's empty "set" decides the chooser, and a type choice goes to Bell.
        QCOMPARE(h.canvas().CurrentObject(), b);
        QCOMPARE(h.f.Combo1->currentText(), u"Choose Type"_s);
        choose(h.f.Combo1, 6);
        QCOMPARE(h.properties(b, {u"set"_s, u"Colour"_s}), QStringList({u"Car"_s, u"6"_s}));
        QCOMPARE(h.properties(box, {u"set"_s, u"TypeIndex"_s}), QStringList({u"Book"_s, u"1"_s}));
        // Bell's "Type" lets the header through, and the new name lands on the selected box.
        Harness::typeInto(h.f.textheader, u"s"_s);
        QCOMPARE(h.property(box, u"Name"_s), u"Attics"_s);
        QCOMPARE(object(h, box).objectText, u"Attics"_s);
        QCOMPARE(h.property(b, u"Name"_s), u"Bell"_s);
    }

    void rightButtonPress()
    {
        Panel h;
        // Start-up leaves the start object (id 1) selected.
        h.canvas().SetZoomMode(0);
        h.f.List1->show();
        h.clickAt(emptyPoint(h), Qt::NoModifier, Qt::RightButton);
        QCOMPARE(h.canvas().CurrentObject(), 1);
        QVERIFY(!object(h, 1).selected);
        QCOMPARE(h.canvas().ZoomMode(), 1);
        QCOMPARE(h.f.zLabel7->text(), u"1"_s);
        QVERIFY(h.f.List1->isHidden());
        checkColours({h.f.List1}, QColor(0, 192, 0), QColor(255, 255, 255));

        // On a picture as object 1 the press only hides the list and deselects.
        writeProperty(h, 1, u"Type"_s, u"Pic"_s);
        h.canvas().SetSelected(true);
        h.canvas().SetZoomMode(0);
        h.f.zLabel7->setText(u"before"_s);
        h.f.List1->show();
        QTest::mousePress(&h.canvas(), Qt::RightButton, Qt::NoModifier, emptyPoint(h));
        QVERIFY(h.f.List1->isHidden());
        QVERIFY(!object(h, 1).selected);
        QCOMPARE(h.canvas().ZoomMode(), 0);
        QCOMPARE(h.f.zLabel7->text(), u"before"_s);
    }

    // The fields draw their frames from copies made once; whatever happens to a field, it
    // looks as the style itself draws it. Each step changes what a stale copy would miss.
    void fieldsLookAsTheStyleDrawsThem()
    {
        if (QApplication::style()->name().compare(u"fusion"_s, Qt::CaseInsensitive) != 0)
            QSKIP("fields keep copies of their frames only under Fusion");
        Panel h;
        frmMain &f = h.f;
        const qint32 dark = h.add(u"Object"_s, u"Anvil"_s, u"1"_s, u"1"_s);
        const qint32 light = h.add(u"Object"_s, u"Bell"_s, u"1"_s, u"14"_s);
        const QList<QLineEdit *> fields {f.txtType, f.txtName, f.txtInfo,    f.Text1,     f.Text5,
                                         f.Text18,  f.Value,   f.textheader, f.txttagname};
        const std::vector<std::pair<const char *, std::function<void()>>> steps {
            {"started", [] {}},
            {"a dark object clicked", [&] { h.clickObject(dark); }},
            {"typing in a field", [&] { Harness::typeInto(f.Text5, u"ab"_s); }},
            {"typing in the next field", [&] { Harness::typeInto(f.Text6, u"c"_s); }},
            {"a light object clicked", [&] { h.clickObject(light); }},
            {"typing a search", [&] { Harness::typeInto(f.txttagname, u"Bell"_s); }},
            {"empty space pressed", [&] { h.clickAt(emptyPoint(h)); }},
        };
        for (const auto &[name, step] : steps) {
            step();
            for (QLineEdit *field : fields) {
                QVERIFY2(qobject_cast<FieldStyle *>(field->style()), name);
                const int difference = differenceFromStyle(field);
                QVERIFY2(difference <= 1,
                         qPrintable(u"%1, %2: differs by %3"_s
                                        .arg(QString::fromUtf8(name), field->objectName())
                                        .arg(difference)));
            }
        }
        QVERIFY(!f.txtName->isEnabled());
    }

    void typingLeavesThePanelWhole()
    {
        // The cursor shows steadily, in both pictures.
        const int flash = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0);
        Panel h;
        frmMain &f = h.f;
        h.clickObject(h.add(u"Object"_s, u"Atlas"_s));
        // A caption too long for its row runs on under the field beside it.
        f.Label[1]->setText(u"Title of the work, in full"_s);
        const std::vector<std::pair<const char *, std::function<void()>>> steps {
            {"typing beside a long caption", [&] { Harness::typeInto(f.Text3, u"Dune"_s); }},
            {"typing in the row below", [&] { Harness::typeInto(f.Text4, u"1965"_s); }},
            {"erasing", [&] { QTest::keyClick(f.Text4, Qt::Key_Backspace); }},
            {"typing in the value", [&] { Harness::typeInto(f.Value, u"12"_s); }},
            {"typing in the box field", [&] { Harness::typeInto(f.txtInfo, u"x"_s); }},
        };
        for (const auto &[name, step] : steps) {
            step();
            const QString damage = panelDamage(f);
            QVERIFY2(damage.isEmpty(), qPrintable(QString::fromUtf8(name) + u": "_s + damage));
        }
        // Repainted whole, a caption looks as a plain label with its text looks.
        for (QLabel *caption : {f.Label1, f.Label2, f.Label[0], f.Label[1], f.Label7}) {
            QLabel plain(caption->text());
            plain.setFont(caption->font());
            plain.setPalette(caption->palette());
            plain.setAlignment(caption->alignment());
            plain.resize(caption->size());
            const auto look = [](QWidget *w) {
                return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
            };
            QVERIFY2(look(&plain) == look(caption), qPrintable(caption->objectName()));
        }
        QApplication::setCursorFlashTime(flash);
    }

    void typingStores()
    {
        Panel h;
        frmMain &f = h.f;
        const qint32 id = h.add(u"Object"_s, u"Lamp"_s);
        h.clickObject(id);
        QStringList stored;
        // Connected after the window's own rule, so it sees what the rule stored.
        connect(f.Text5, &QLineEdit::textChanged, f.Text5,
                [&] { stored << h.property(id, u"5"_s); });
        Harness::typeInto(f.Text5, u"abc"_s);
        QCOMPARE(stored, QStringList({u"a"_s, u"ab"_s, u"abc"_s}));

        // An emptied value is stored as empty text, not as 0.
        writeProperty(h, id, u"Value"_s, u"12"_s);
        h.clickObject(id);
        f.Value->setFocus();
        f.Value->end(false);
        QTest::keyClick(f.Value, Qt::Key_Backspace);
        QTest::keyClick(f.Value, Qt::Key_Backspace);
        QCOMPARE(h.property(id, u"Value"_s), QString());

        // The history is stored only by "Save Changes"; the next press shows the stored one.
        const QString history = u"Attic - Cellar\r\n1/2/2026\r\n"_s;
        writeProperty(h, id, u"MovementHistory"_s, history);
        for (int i = 0; i < 2; ++i) {
            h.clickObject(id);
            QCOMPARE(f.movehistory->toPlainText(), u"Attic - Cellar\n1/2/2026\n"_s);
            QVERIFY(f.movehistory->textCursor().atEnd());
            Harness::typeInto(f.movehistory, u"lent out"_s);
            QCOMPARE(h.property(id, u"MovementHistory"_s), history);
        }
        f.SaveChanges->click();
        QCOMPARE(h.property(id, u"MovementHistory"_s), history + u"lent out"_s);
    }

    void nameRedrawnAndRenamed_data()
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

    void nameRedrawnAndRenamed()
    {
        QFETCH(QString, type);
        QFETCH(QString, byName);
        QFETCH(QString, byHeader);
        const bool picture = type == u"Pic"_s;
        Panel h;
        const qint32 id = h.add(type, u"Crate"_s);
        // Twice: the second time the fields already show the values, the rules still run.
        for (int i = 0; i < 2; ++i) {
            h.canvas().SetCurrentObject(id);
            h.canvas().SetObjectText(u"sunset"_s);
            h.clickObject(id);
            QCOMPARE(object(h, id).objectText, picture ? u"sunset"_s : u"Crate"_s);
        }
        retype(h.f.txtName, u"Shelf"_s);
        QCOMPARE(h.property(id, u"Name"_s), u"Shelf"_s);
        QCOMPARE(object(h, id).objectText, byName);

        h.clickObject(id);
        QCOMPARE(h.f.textheader->text(), u"Shelf"_s);
        retype(h.f.textheader, u"Drill"_s);
        QCOMPARE(h.property(id, u"Name"_s), byHeader);
        QCOMPARE(object(h, id).objectText, picture ? byName : byHeader);
    }

    void choosingAType_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typeIndex");
        QTest::addColumn<int>("text");
        QTest::addColumn<int>("openRows");
        QTest::addColumn<QString>("caption");
        QTest::newRow("6: white text") << 6 << u"Car"_s << u"103"_s << 15 << 2 << u"Make"_s;
        QTest::newRow("7: black text, no captions")
            << 7 << u"T7"_s << u"120"_s << 0 << 0 << QString();
        QTest::newRow("0: black fill, white text")
            << 0 << u"Book"_s << u"1"_s << 15 << 4 << u"Author"_s;
        QTest::newRow("14") << 14 << u"T14"_s << u"239"_s << 0 << 0 << QString();
    }

    void choosingAType()
    {
        QFETCH(int, position);
        QFETCH(QString, name);
        QFETCH(QString, typeIndex);
        QFETCH(int, text);
        QFETCH(int, openRows);
        QFETCH(QString, caption);
        Panel h;
        frmMain &f = h.f;
        // A "Tool" first, so the rows it opened must close again.
        const qint32 id = h.add(u"Object"_s, u"Van"_s, u"18"_s);
        h.clickObject(id);
        choose(f.Combo1, position);

        QCOMPARE(h.properties(id, {u"set"_s, u"TypeIndex"_s, u"Colour"_s}),
                 QStringList({name, typeIndex, QString::number(position)}));
        QCOMPARE(f.Combo1->currentText(), name);
        QCOMPARE(object(h, id).fillColor, palette(position));
        QCOMPARE(object(h, id).textColor, palette(text));
        QCOMPARE(h.covered(), coveredFrom(openRows));
        QCOMPARE(f.Label[0]->text(), caption);
        checkColours({f.Combo1, f.Text1, f.Text17, f.Text18, f.txtInfo, f.Value, f.textheader,
                      f.movehistory, f.colour},
                     palette(position), palette(text));

        // The table changes: the new caption shows at the next click.
        if (!caption.isEmpty())
            f.typeTableTextValue.replace(caption, u"Since"_s);
        h.clickObject(id);
        QCOMPARE(f.Label[0]->text(), caption.isEmpty() ? QString() : u"Since"_s);
    }
};

AMBROOK_WINDOW_TEST_MAIN(PanelTest)
#include "paneltest.moc"
