// Moving objects: a drop on a loadout strip lists the object, choosing a box moves what
// is listed, a release elsewhere takes it off the list; the wheel walks the boxes.

#include "support/testsupport.h"

#include "features/features.h"

#include <QWheelEvent>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

const QString garage = u"Garage"_s;
const QString shelf = u"Shelf A"_s;

// Garage at (100, 100), Shelf A beside it at (150, 100); Garage is the current box.
struct Road : Harness
{
    Box garageBox = makeBox(*this, garage, 100, 100);
    Box shelfBox = makeBox(*this, shelf, 150, 100);

    Road() { chooseBox(*this, garage); }

    // Drags the object by its centre onto Shelf A's strip, x units along it.
    void dropOnShelfStrip(qint32 id, int along = 10)
    {
        dragObject(id, pixelOf(*this, 150 + along, 151));
    }
};

void turnWheel(Harness &h, int delta)
{
    const QPointF at(50, 50);
    QWheelEvent event(at, h.canvas().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&h.canvas(), &event);
}

} // namespace

class MoveTest : public QObject
{
    Q_OBJECT

private slots:
    void moveWritesHistory_data()
    {
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("history");
        QTest::newRow("from another box")
            << garage << shelf << u"Garage - Shelf A\r\n4/2/2026\r\n"_s;
        QTest::newRow("never in a box") << QString() << shelf << u" - Shelf A\r\n4/2/2026\r\n"_s;
        QTest::newRow("into its own box")
            << garage << garage << u"Garage - Garage\r\n4/2/2026\r\n"_s;
        // A box list entry whose box is no longer drawn: nothing moves.
        QTest::newRow("box no longer drawn") << garage << u"Attic"_s << QString();
    }

    void moveWritesHistory()
    {
        QFETCH(QString, info);
        QFETCH(QString, destination);
        QFETCH(QString, history);
        Road h;
        const qint32 drill = makeObject(h, u"Drill"_s, 110, 110);
        h.canvas().SetUserProperty(u"Info"_s, info);
        h.dropOnShelfStrip(drill);

        QCOMPARE(listLines(h.form->List1), QStringList {u"Drill"_s});
        QCOMPARE(h.form->Label19->text(), u"Objects ready to move"_s);
        QVERIFY(h.form->locationcombo1->isVisible() && h.form->List1->isVisible());
        // Waiting objects are drawn white with black text, and the drop stands.
        QCOMPARE(object(h, drill).fillColor, palette(15));
        QCOMPARE(object(h, drill).textColor, palette(0));
        QVERIFY(rectOf(h, h.shelfBox.strip).contains(rectOf(h, drill).center()));
        // Dropped again, on another strip or its own box's, it stays listed once.
        h.dropOnShelfStrip(drill, 30);
        h.dragObject(drill, pixelOf(h, 120, 151));
        QCOMPARE(h.form->readyList, QStringList {QString::number(drill)});
        QCOMPARE(h.form->List1->count(), 1);
        QVERIFY(h.form->locationcombo1->isVisible());

        // The history takes the calendar's date, which need not be today.
        h.form->Calendar1->setSelectedDate(QDate(2026, 4, 2));
        const QByteArray before = documentOf(h);
        if (history.isEmpty())
            insertBoxName(h.form->locationcombo1, destination);
        chooseDestination(h, destination);

        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        if (history.isEmpty()) {
            QCOMPARE(h.platform->messages, QStringList {u"No objects found"_s});
            QCOMPARE(h.form->readyList, QStringList {QString::number(drill)});
            QCOMPARE(documentOf(h), before);
            return;
        }
        const QRect box
            = rectOf(h, destination == garage ? h.garageBox.body : h.shelfBox.body);
        QCOMPARE(h.property(drill, u"MovementHistory"_s), history);
        QCOMPARE(rectOf(h, drill), QRect(box.topLeft() + QPoint(1, 0), QSize(4, 4)));
        QVERIFY(h.form->readyList.isEmpty());
        QCOMPARE(h.form->List1->count(), 0);
        QVERIFY(!h.form->txtName->isEnabled());
        QVERIFY(h.platform->messages.isEmpty());

        // Moved on into Garage, on the working date left at today: the history grows.
        chooseBox(h, garage); // the move showed its box; Garage comes back into view
        h.dragObject(drill, pixelOf(h, 110, 151));
        chooseDestination(h, garage);
        QCOMPARE(h.property(drill, u"MovementHistory"_s),
                 history + destination + u" - Garage\r\n3/15/2026\r\n"_s);
        QCOMPARE(rectOf(h, drill).topLeft(), QPoint(101, 100));
    }

    void listedObjectsLandSideBySide()
    {
        Road h;
        const qint32 p = makeObject(h, u"p"_s, 105, 105);
        const qint32 q = makeObject(h, u"q"_s, 112, 105);
        const qint32 r = makeObject(h, u"r"_s, 119, 105);
        const qint32 gone = makeObject(h, u"gone"_s, 126, 105);
        h.dropOnShelfStrip(p, 8);
        h.dropOnShelfStrip(q, 16);
        h.dropOnShelfStrip(r, 24);
        h.dropOnShelfStrip(gone, 32);
        QCOMPARE(listLines(h.form->List1), QStringList({u"p"_s, u"q"_s, u"r"_s, u"gone"_s}));
        // The last one is still selected from its drag: the Delete key removes it, and it
        // only leaves the list.
        QTest::keyClick(&h.canvas(), Qt::Key_Delete);
        QVERIFY(!h.canvas().objectById(gone));

        chooseDestination(h, shelf);
        QCOMPARE(QList({rectOf(h, p).topLeft(), rectOf(h, q).topLeft(), rectOf(h, r).topLeft()}),
                 QList({QPoint(151, 100), QPoint(152, 100), QPoint(153, 100)}));
        QCOMPARE(QStringList({h.property(p, u"Info"_s), h.property(q, u"Info"_s),
                              h.property(r, u"Info"_s)}), QStringList(3, shelf));
        QVERIFY(h.form->readyList.isEmpty());
    }

    void boxTotals_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("total");
        QTest::newRow("ten, two and a half, a word")
            << QStringList {u"10"_s, u"2.5"_s, u"abc"_s} << u"12.5"_s;
        QTest::newRow("empty counts nothing") << QStringList {QString(), u"3"_s} << u"3"_s;
        QTest::newRow("no objects") << QStringList {} << u"0"_s;
    }

    void boxTotals()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, total);
        Road h;
        QList<qint32> ids;
        for (int i = 0; i < values.size(); ++i) {
            ids << makeObject(h, u"o%1"_s.arg(i), 105 + 7 * i, 105);
            h.canvas().SetUserProperty(u"Value"_s, values.at(i));
        }
        // Choosing a box with nothing waiting moves nothing but recomputes every total.
        chooseDestination(h, garage);

        QCOMPARE(h.property(h.garageBox.body, u"Value"_s), total);
        QCOMPARE(h.property(h.shelfBox.body, u"Value"_s), u"0"_s);
        // Strips carry no total; an empty "Value" is written as 0 on first count.
        QVERIFY(h.property(h.garageBox.strip, u"Value"_s).isEmpty());
        for (int i = 0; i < values.size(); ++i) {
            const QString expected = values.at(i).isEmpty() ? u"0"_s : values.at(i);
            QCOMPARE(h.property(ids.at(i), u"Value"_s), expected);
        }
        QVERIFY(object(h, h.garageBox.body).selected);
    }

    void releaseElsewhere()
    {
        Road h;
        const qint32 drill = makeObject(h, u"Drill"_s, 105, 110);
        h.canvas().SetUserProperty(u"Colour"_s, u"12"_s);
        const qint32 saw = makeObject(h, u"Saw"_s, 120, 110);
        h.dragObject(drill, pixelOf(h, 160, 151));
        QCOMPARE(object(h, drill).fillColor, palette(15));

        // An object not listed, released elsewhere, leaves the list as it is.
        h.dragObject(saw, pixelOf(h, 125, 130));
        QCOMPARE(h.form->readyList, QStringList {QString::number(drill)});
        QCOMPARE(listLines(h.form->List1), QStringList {u"Drill"_s});
        // The chooser comes back only with the next drop on a strip.
        QVERIFY(!h.form->locationcombo1->isVisible());
        h.dragObject(drill, pixelOf(h, 170, 151));
        QVERIFY(h.form->locationcombo1->isVisible());

        // The listed one released over an empty area is taken off.
        h.dragObject(drill, pixelOf(h, 125, 175));
        QCOMPARE(h.form->zLabel1->text(), u"Mouse is over empty area"_s);
        QVERIFY(h.form->readyList.isEmpty());
        QCOMPARE(h.form->List1->count(), 0);
        QVERIFY(!h.form->locationcombo1->isVisible() && !h.form->List1->isVisible());
        // Its own colours come back, and the drop stands.
        QCOMPARE(object(h, drill).fillColor, palette(12));
        QCOMPARE(object(h, drill).textColor, palette(0));
        QVERIFY(rectOf(h, drill).contains(QPoint(125, 175)));
        QCOMPARE(h.canvas().PointerSetting(), qint16(100));
    }

    void boxDrops_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("label");
        QTest::newRow("onto another box body") << QPoint(172, 120) << u"Total"_s;
        QTest::newRow("onto its own strip") << QPoint(122, 151) << u"Value"_s;
        QTest::newRow("onto another box's strip") << QPoint(172, 151) << u"Value"_s;
        QTest::newRow("click without moving") << QPoint(122, 120) << u"Total"_s;
    }

    void boxDrops()
    {
        QFETCH(QPoint, to);
        QFETCH(QString, label);
        Harness h;
        const Box shelfBox = makeBox(h, shelf, 150, 100);
        const Box garageBox = makeBox(h, garage, 100, 100);
        makeObject(h, u"Drill"_s, 135, 130);
        h.canvas().SetUserProperty(u"Value"_s, u"7"_s);
        const QRect before = rectOf(h, garageBox.body);

        h.drag(pixelOf(h, 122, 120), pixelOf(h, to.x(), to.y()));
        QCOMPARE(h.form->Label7->text(), label);
        // Boxes never land on boxes: the drop is refused and the box goes back.
        QCOMPARE(rectOf(h, garageBox.body), before);
        const bool total = label == u"Total"_s;
        QCOMPARE(h.property(garageBox.body, u"Value"_s), total ? u"7"_s : u"0"_s);
        if (total) {
            QCOMPARE(h.property(shelfBox.body, u"Value"_s), u"0"_s);
            QVERIFY(h.form->movehistory->toPlainText().isEmpty());
        }
    }

    void wheelWraps_data()
    {
        QTest::addColumn<int>("boxes");
        QTest::addColumn<int>("from");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("to");
        QTest::newRow("away from the first box goes to the last") << 3 << 0 << QList{120} << 2;
        QTest::newRow("towards the user on the last box goes to the first")
            << 3 << 2 << QList{-120} << 0;
        QTest::newRow("away steps back") << 3 << 2 << QList{120} << 1;
        QTest::newRow("a double notch is one step on") << 3 << 1 << QList{240} << 2;
        // Without boxes the view stays where it is.
        QTest::newRow("no boxes, away") << 0 << 0 << QList{120} << -1;
        QTest::newRow("no boxes, away and back") << 0 << 0 << QList{120, -120} << 0;
    }

    void wheelWraps()
    {
        QFETCH(int, boxes);
        QFETCH(int, from);
        QFETCH(QList<int>, deltas);
        QFETCH(int, to);
        Harness h;
        const QStringList names {u"Attic"_s, u"Basement"_s, u"Cellar"_s};
        for (int i = 0; i < boxes; ++i)
            makeBox(h, names.at(i), 100 + 60 * i, 100);
        if (boxes > 0)
            chooseBox(h, names.at(from));
        const QPoint drop = boxes > 0 ? QPoint(100 + 60 * to, 100)
                                      : QPoint(h.form->dropX, h.form->dropY);

        for (int delta : deltas)
            turnWheel(h, delta);
        QCOMPARE(h.form->currentBox, to);
        QCOMPARE(QPoint(h.form->dropX, h.form->dropY), drop);
        QVERIFY(!h.form->locationcombo1->isVisible());
    }
};

AMBROOK_WINDOW_TEST_MAIN(MoveTest)
#include "movetest.moc"
