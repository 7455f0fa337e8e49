// The panel after the commands that choose, make or fill a box, renaming a box, and the
// colours of objects moved into a box.

#include "support/testsupport.h"

#include "window/controls.h"
#include "panel/panel.h"
#include "store/rules/textrules.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QWheelEvent>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// Attic at (100, 100) with Lamp, Rug and Vase in it, Garage beside it at (150, 100),
// Cellar farther off; Attic is the current box. Made through the window's own commands.
struct Store
{
    Harness h;
    qint32 lamp = 0;
    qint32 rug = 0;
    qint32 vase = 0;

    Store()
    {
        makeBox(h, u"Attic"_s, 100, 100);
        makeBox(h, u"Garage"_s, 150, 100);
        makeBox(h, u"Cellar"_s, 300, 300);
        chooseBox(h, u"Attic"_s);
        lamp = makeObject(h, u"Lamp"_s, 105, 105);
        rug = makeObject(h, u"Rug"_s, 112, 105);
        vase = makeObject(h, u"Vase"_s, 119, 105);
    }

    // A click on the object, then a pick of entry k in the colour chooser.
    void colourObject(qint32 id, int k)
    {
        h.clickObject(id);
        choose(h.form->colour, k);
    }

    // A drag onto Garage's strip, then Garage chosen as the destination.
    void moveToGarage(const QList<qint32> &ids)
    {
        for (qint32 id : ids)
            h.dragObject(id, pixelOf(h, 160, 151));
        chooseDestination(h, u"Garage"_s);
    }

    QStringList boxList() const { return comboLines(h.form->locationcombo1); }
};

void turnWheel(Harness &h, int delta)
{
    const QPointF at(50, 50);
    QWheelEvent event(at, h.canvas().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&h.canvas(), &event);
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
        QTest::newRow("wheel towards the user") << u"wheel"_s << u"Cellar"_s;
        QTest::newRow("new box") << u"new box"_s << u"Basement"_s;
        QTest::newRow("new object after a move") << u"new object"_s << u"Garage"_s;
        QTest::newRow("search") << u"search"_s << QString();
    }

    void panelFollowsCommand()
    {
        QFETCH(QString, command);
        QFETCH(QString, box);
        Store s;
        frmMain &form = *s.h.form;
        QStringList cells(255);
        cells[1] = u"Maker"_s;
        form.typeTableTextValue = TextRules::joinCrLf(cells);
        writeProperty(s.h, s.lamp, u"TypeIndex"_s, u"1"_s);
        s.colourObject(s.lamp, 12);
        QCOMPARE(form.txtName->text(), u"Lamp"_s);
        QCOMPARE(form.Label[0]->text(), u"Maker"_s);

        const int objectsBefore = s.h.canvas().ObjectCount(1);
        if (command == u"button") {
            chooseBox(s.h, u"Cellar"_s);
        } else if (command == u"wheel") {
            turnWheel(s.h, -120);   // Attic is entry 0, Cellar entry 1
        } else if (command == u"new box") {
            newBox(s.h, u"Basement"_s);
        } else if (command == u"new object") {
            s.moveToGarage({s.rug});
            QVERIFY(!form.txtName->isEnabled());   // the move leaves them disabled
            newObject(s.h);
        } else {
            form.txttagname->setText(u"Lamp"_s);
            QTest::mouseClick(form.btnsearch, Qt::LeftButton);
        }

        if (box.isEmpty()) {
            QCOMPARE(form.txtType->text(), u"There are"_s);
            QCOMPARE(form.txtName->text(), u"no selected"_s);
            QCOMPARE(form.txtInfo->text(), u"no objects"_s);
            QVERIFY(!form.txtName->isEnabled());
            QCOMPARE(form.Text1->text(), QString());
            QCOMPARE(form.Label[0]->text(), QString());
            QVERIFY(form.Command2[0]->isVisible());
            // The search result stays, and typing changes nobody.
            QCOMPARE(listLines(form.List1).value(0), u"Lamp"_s);
            Harness::typeInto(form.Text5, u"x"_s);
            QCOMPARE(s.h.property(s.lamp, u"5"_s), QString());
            return;
        }
        const qint32 body = idOf(s.h, u"Location"_s, box);
        QCOMPARE(s.h.canvas().ObjectCount(2), 1);
        QCOMPARE(form.txtType->text(), u"Location"_s);
        QCOMPARE(form.txtName->text(), box);
        QCOMPARE(form.textheader->text(), box);
        QCOMPARE(form.txtInfo->text(), QString());
        QCOMPARE(form.colortext->text(), u"7"_s);
        QCOMPARE(form.zLabel7->text(), QString::number(body));
        QVERIFY(form.txtName->isEnabled());
        // A box has no type: its rows are covered, and the panel takes its grey.
        QCOMPARE(form.Label[0]->text(), QString());
        QVERIFY(form.Command2[0]->isVisible());
        QCOMPARE(backgroundOf(form.Combo1), palette(7));
        QCOMPARE(backgroundOf(form.Text5), palette(7));
        QCOMPARE(form.Combo1->currentText(), u"Choose Type"_s);
        if (command == u"new object") {
            // The new object is not selected, but stays the canvas's current object.
            QCOMPARE(s.h.canvas().ObjectCount(1), objectsBefore + 1);
            QCOMPARE(s.h.canvas().CurrentObject(), lastId(s.h));
        }

        retype(form.txtName, u"Renamed"_s);
        QCOMPARE(s.h.property(body, u"Name"_s), u"Renamed"_s);
        QCOMPARE(s.h.property(s.lamp, u"Name"_s), u"Lamp"_s);
    }

    void movedObjectsTakeTheirColours()
    {
        Store s;
        s.colourObject(s.lamp, 12);
        s.colourObject(s.rug, 2);
        s.h.dragObject(s.lamp, pixelOf(s.h, 160, 151));
        s.h.dragObject(s.rug, pixelOf(s.h, 170, 151));
        s.h.clickObject(s.vase);
        // Waiting, they are white with black text.
        QCOMPARE(object(s.h, s.lamp).fillColor, palette(15));
        QCOMPARE(object(s.h, s.rug).textColor, palette(0));

        chooseDestination(s.h, u"Garage"_s);
        QCOMPARE(s.h.property(s.lamp, u"Info"_s), u"Garage"_s);
        QCOMPARE(object(s.h, s.lamp).fillColor, palette(12));
        QCOMPARE(object(s.h, s.lamp).textColor, palette(0));
        QCOMPARE(object(s.h, s.rug).fillColor, palette(2));
        QCOMPARE(object(s.h, s.rug).textColor, palette(15));
        QCOMPARE(object(s.h, s.vase).fillColor, palette(15));
        QVERIFY(!s.h.form->txtType->isEnabled());
    }

    void renameBox_data()
    {
        QTest::addColumn<QString>("newName");
        QTest::addColumn<QStringList>("boxList");

        QTest::newRow("later in the alphabet")
            << u"Loft"_s << QStringList {u"Cellar"_s, u"Garage"_s, u"Loft"_s};
        QTest::newRow("letter case only")
            << u"ATTIC"_s << QStringList {u"ATTIC"_s, u"Cellar"_s, u"Garage"_s};
        QTest::newRow("with an ampersand")
            << u"B&B"_s << QStringList {u"B&B"_s, u"Cellar"_s, u"Garage"_s};
    }

    void renameBox()
    {
        QFETCH(QString, newName);
        QFETCH(QStringList, boxList);
        Store s;
        frmMain &form = *s.h.form;
        const Box attic = boxParts(s.h, u"Attic"_s);
        s.h.platform->answers << newName;
        QTest::mouseClick(s.h.form->renamelocation, Qt::LeftButton);

        QCOMPARE(s.h.platform->prompts.constLast(),
                 u"Please enter the new name for the Box.."_s);
        QCOMPARE(s.h.platform->messages, QStringList());
        for (qint32 part : {attic.body, attic.strip}) {
            QCOMPARE(s.h.property(part, u"Name"_s), newName);
            QCOMPARE(object(s.h, part).objectText, newName);
        }
        for (qint32 id : {s.lamp, s.rug, s.vase})
            QCOMPARE(s.h.property(id, u"Info"_s), newName);
        QCOMPARE(s.boxList(), boxList);
        QCOMPARE(shownShortcuts(s.h).size(), 3);
        const int at = int(boxList.indexOf(newName));
        QCOMPARE(form.currentBox, at);
        QCOMPARE(form.Shortcut[size_t(at)]->text().replace(u"&&"_s, u"&"_s), newName);
        // The box names keep their order of creation.
        const QString names = TextRules::joinCrLf({newName, u"Garage"_s, u"Cellar"_s});
        QCOMPARE(form.boxNameText, names);
        QCOMPARE(s.h.startProperty(u"Boxes"_s), names);
        // The renamed box is chosen, and shown in the panel.
        QCOMPARE(form.txtName->text(), newName);

        // New objects and moves use the new name.
        QCOMPARE(s.h.property(newObject(s.h), u"Info"_s), newName);
        s.h.dragObject(s.lamp, pixelOf(s.h, 160, 151));
        chooseDestination(s.h, u"Garage"_s);
        QVERIFY(s.h.property(s.lamp, u"MovementHistory"_s).startsWith(newName + u" - Garage"_s));
    }

    void renameRefused_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("withBoxes");
        QTest::addColumn<QStringList>("messages");

        QTest::newRow("name of another box")
            << u"Garage"_s << true
            << QStringList {u"Sorry, There is already a Box named Garage"_s};
        QTest::newRow("cancelled") << QString() << true << QStringList();
        QTest::newRow("same name") << u"Attic"_s << true << QStringList();
        QTest::newRow("no box yet")
            << u"Loft"_s << false << QStringList {u"There is no Box to rename"_s};
    }

    void renameRefused()
    {
        QFETCH(QString, answer);
        QFETCH(bool, withBoxes);
        QFETCH(QStringList, messages);
        // One window at a time: each changes into a working folder of its own.
        std::unique_ptr<Store> store;
        std::unique_ptr<Harness> bare;
        if (withBoxes)
            store = std::make_unique<Store>();
        else
            bare = std::make_unique<Harness>();
        Harness &h = withBoxes ? store->h : *bare;
        const QStringList listBefore = comboLines(h.form->locationcombo1);
        const QString namesBefore = h.startProperty(u"Boxes"_s);
        const int objectsBefore = h.canvas().ObjectCount(1);

        h.platform->answers << answer;
        QTest::mouseClick(h.form->renamelocation, Qt::LeftButton);

        QCOMPARE(h.platform->messages, messages);
        QCOMPARE(comboLines(h.form->locationcombo1), listBefore);
        QCOMPARE(h.startProperty(u"Boxes"_s), namesBefore);
        QCOMPARE(h.canvas().ObjectCount(1), objectsBefore);
        if (withBoxes) {
            QCOMPARE(h.property(idOf(h, u"Loadout"_s, u"Attic"_s), u"Name"_s), u"Attic"_s);
            QCOMPARE(h.property(store->vase, u"Info"_s), u"Attic"_s);
        }
    }
};

AMBROOK_WINDOW_TEST_MAIN(CommandsTest)
#include "commandstest.moc"
