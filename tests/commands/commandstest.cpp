// The panel after the commands that choose, make or fill a box, renaming a box, and the
// colours of objects moved into a box.

#include "support/testsupport.h"

#include "store/rules/textrules.h"
#include "window/controls.h"

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// Attic at (100, 100) with Lamp, Rug and Vase in it, Garage beside it at (150, 100),
// Cellar farther off; Attic is the current box. Made through the window's own commands.
struct Store : Harness
{
    qint32 lamp = 0;
    qint32 rug = 0;
    qint32 vase = 0;

    explicit Store(bool withBoxes = true)
    {
        if (!withBoxes)
            return;
        makeBox(*this, u"Attic"_s, 100, 100);
        makeBox(*this, u"Garage"_s, 150, 100);
        makeBox(*this, u"Cellar"_s, 300, 300);
        chooseBox(*this, u"Attic"_s);
        lamp = makeObject(*this, u"Lamp"_s, 105, 105);
        rug = makeObject(*this, u"Rug"_s, 112, 105);
        vase = makeObject(*this, u"Vase"_s, 119, 105);
    }

    // A click on the object, then a pick of entry k in the colour chooser.
    void colourObject(qint32 id, int k)
    {
        clickObject(id);
        choose(form->colour, k);
    }

    QList<QColor> colours(qint32 id) const
    {
        return {object(*this, id).fillColor, object(*this, id).textColor};
    }
};

// Type, name, info, the first row's caption and text; then heading, colour, type chooser.
QStringList panelTexts(const frmMain &f)
{
    return {f.txtType->text(), f.txtName->text(), f.txtInfo->text(), f.Label[0]->text(),
            f.Text1->text(), f.textheader->text(), f.colortext->text(), f.Combo1->currentText()};
}

} // namespace

class CommandsTest : public QObject
{
    Q_OBJECT

private slots:
    // Before each command the panel shows Lamp, coloured red with a type whose rows are
    // open; afterwards it shows what the command left selected, and typing goes there.
    void panelFollowsCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("box");   // the box body left selected, "" for none

        QTest::newRow("box button") << u"button"_s << u"Cellar"_s;
        QTest::newRow("new box") << u"new box"_s << u"Basement"_s;
        QTest::newRow("new object after a move") << u"new object"_s << u"Garage"_s;
        QTest::newRow("search") << u"search"_s << QString();
    }

    void panelFollowsCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, box);
        Store s;
        frmMain &form = *s.form;
        QStringList cells(255);
        cells[1] = u"Maker"_s;
        form.typeTableTextValue = TextRules::joinCrLf(cells);
        writeProperty(s, s.lamp, u"TypeIndex"_s, u"1"_s);
        s.colourObject(s.lamp, 12);

        const int objectsBefore = s.canvas().ObjectCount(1);
        if (command == u"button") {
            chooseBox(s, u"Cellar"_s);
        } else if (command == u"new box") {
            newBox(s, u"Basement"_s);
        } else if (command == u"new object") {
            // Moved from Garage's strip, objects take their own colours again.
            s.colourObject(s.rug, 2);
            s.dragObject(s.lamp, pixelOf(s, 160, 151));
            s.dragObject(s.rug, pixelOf(s, 170, 151));
            s.clickObject(s.vase);
            chooseDestination(s, u"Garage"_s);
            const QColor white = palette(15), black = palette(0);
            QCOMPARE(s.colours(s.lamp) + s.colours(s.rug) + s.colours(s.vase),
                     QList({palette(12), black, palette(2), white, white, black}));
            newObject(s);
        } else {
            form.txttagname->setText(u"Lamp"_s);
            QTest::mouseClick(form.btnsearch, Qt::LeftButton);
        }

        QVERIFY(form.Command2[0]->isVisible());
        if (box.isEmpty()) {
            const QStringList nothing {u"There are"_s, u"no selected"_s, u"no objects"_s, u""_s,
                                       u""_s};
            QCOMPARE(panelTexts(form).first(5), nothing);
            QVERIFY(!form.txtName->isEnabled());
            // The search result stays, and typing changes nobody.
            QCOMPARE(listLines(form.List1).value(0), u"Lamp"_s);
            Harness::typeInto(form.Text5, u"x"_s);
            QCOMPARE(s.property(s.lamp, u"5"_s), QString());
            return;
        }
        const qint32 body = idOf(s, u"Location"_s, box);
        QCOMPARE(s.canvas().ObjectCount(2), 1);
        // A box has no type: its rows are covered, and the panel takes its grey.
        QCOMPARE(panelTexts(form), QStringList({u"Location"_s, box, u""_s, u""_s, u""_s, box,
                                                u"7"_s, u"Choose Type"_s}));
        QCOMPARE(form.zLabel7->text(), QString::number(body));
        QVERIFY(form.txtName->isEnabled());
        QCOMPARE(backgroundOf(form.Combo1), palette(7));
        QCOMPARE(backgroundOf(form.Text5), palette(7));
        if (command == u"new object") {
            // The new object is not selected, but stays the canvas's current object.
            QCOMPARE(s.canvas().ObjectCount(1), objectsBefore + 1);
            QCOMPARE(s.canvas().CurrentObject(), lastId(s));
        }

        retype(form.txtName, u"Renamed"_s);
        QCOMPARE(s.property(body, u"Name"_s), u"Renamed"_s);
        QCOMPARE(s.property(s.lamp, u"Name"_s), u"Lamp"_s);
    }

    void renameBox_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("withBoxes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("boxList");   // empty when nothing is renamed

        const QStringList none;
        QTest::newRow("later in the alphabet")
            << u"Loft"_s << true << none << QStringList{u"Cellar"_s, u"Garage"_s, u"Loft"_s};
        QTest::newRow("letter case only")
            << u"ATTIC"_s << true << none << QStringList{u"ATTIC"_s, u"Cellar"_s, u"Garage"_s};
        QTest::newRow("with an ampersand")
            << u"B&B"_s << true << none << QStringList{u"B&B"_s, u"Cellar"_s, u"Garage"_s};
        QTest::newRow("name of another box")
            << u"Garage"_s << true
            << QStringList{u"Sorry, There is already a Box named Garage"_s} << none;
        QTest::newRow("cancelled") << QString() << true << none << none;
        QTest::newRow("same name") << u"Attic"_s << true << none << none;
        QTest::newRow("no box yet")
            << u"Loft"_s << false << QStringList{u"There is no Box to rename"_s} << none;
    }

    void renameBox()
    {
        QFETCH(QString, answer);
        QFETCH(bool, withBoxes);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, boxList);
        Store h(withBoxes);
        frmMain &form = *h.form;
        const Box attic = boxParts(h, u"Attic"_s);
        const QStringList listBefore = comboLines(form.locationcombo1);
        const QByteArray documentBefore = documentOf(h);
        h.platform->answers << answer;
        QTest::mouseClick(form.renamelocation, Qt::LeftButton);

        QCOMPARE(h.platform->messages, messages);
        if (boxList.isEmpty()) {
            // Every name, box name and object as it was.
            QCOMPARE(comboLines(form.locationcombo1), listBefore);
            QCOMPARE(documentOf(h), documentBefore);
            return;
        }
        QCOMPARE(h.platform->prompts.constLast(), u"Please enter the new name for the Box.."_s);
        for (qint32 part : {attic.body, attic.strip}) {
            QCOMPARE(h.property(part, u"Name"_s), answer);
            QCOMPARE(object(h, part).objectText, answer);
        }
        for (qint32 id : {h.lamp, h.rug, h.vase})
            QCOMPARE(h.property(id, u"Info"_s), answer);
        QCOMPARE(comboLines(form.locationcombo1), boxList);
        QCOMPARE(shownShortcuts(h).size(), 3);
        const int at = int(boxList.indexOf(answer));
        QCOMPARE(form.currentBox, at);
        QCOMPARE(form.Shortcut[size_t(at)]->text().replace(u"&&"_s, u"&"_s), answer);
        // The box names keep their order of creation.
        const QString names = TextRules::joinCrLf({answer, u"Garage"_s, u"Cellar"_s});
        QCOMPARE(form.boxNameText, names);
        QCOMPARE(h.startProperty(u"Boxes"_s), names);
        // The renamed box is chosen, and shown in the panel.
        QCOMPARE(form.txtName->text(), answer);

        // New objects and moves use the new name.
        QCOMPARE(h.property(newObject(h), u"Info"_s), answer);
        h.dragObject(h.lamp, pixelOf(h, 160, 151));
        chooseDestination(h, u"Garage"_s);
        QVERIFY(h.property(h.lamp, u"MovementHistory"_s).startsWith(answer + u" - Garage"_s));
    }
};

AMBROOK_WINDOW_TEST_MAIN(CommandsTest)
#include "commandstest.moc"
