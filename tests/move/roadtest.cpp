// From a drop on a loadout strip to the move into the chosen box.

#include "movefixture.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace movefixture;

namespace {

const QString garage = QStringLiteral("Garage");
const QString shelf = QStringLiteral("Shelf A");

// Garage at (100, 100), Shelf A beside it at (150, 100); Garage is the current box.
struct Road
{
    Harness h;
    Box garageBox;
    Box shelfBox;

    Road()
    {
        garageBox = makeBox(h, garage, 100, 100);
        shelfBox = makeBox(h, shelf, 150, 100);
        chooseBox(h, garage);
    }

    // Drags the object by its centre onto Shelf A's strip, x units along it.
    void dropOnShelfStrip(qint32 id, int along = 10)
    {
        h.dragObject(id, pixelOf(h, 150 + along, 151));
    }
};

} // namespace

class RoadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void dropOnStripListsObject()
    {
        Road road;
        Harness &h = road.h;
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 110, 110);
        road.dropOnShelfStrip(drill);

        QCOMPARE(h.form->readyList, QStringList{QString::number(drill)});
        QCOMPARE(h.form->List1->count(), 1);
        QCOMPARE(h.form->List1->item(0)->text(), QStringLiteral("Drill"));
        QCOMPARE(h.form->Label19->text(), QStringLiteral("Objects ready to move"));
        QVERIFY(h.form->locationcombo1->isVisible());
        QVERIFY(h.form->List1->isVisible());
        // Waiting objects are drawn white with black text, and the drop stands.
        QCOMPARE(h.canvas().objectById(drill)->fillColor, *Palette::colour(15));
        QCOMPARE(h.canvas().objectById(drill)->textColor, *Palette::colour(0));
        QVERIFY(rectOf(h, road.shelfBox.strip).contains(rectOf(h, drill).center()));
    }

    void moveWritesHistory_data()
    {
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("destination");
        QTest::addColumn<QString>("history");
        QTest::newRow("from another box")
            << garage << shelf << QStringLiteral("Garage - Shelf A\r\n4/2/2026\r\n");
        QTest::newRow("never in a box")
            << QString() << shelf << QStringLiteral(" - Shelf A\r\n4/2/2026\r\n");
        QTest::newRow("into its own box")
            << garage << garage << QStringLiteral("Garage - Garage\r\n4/2/2026\r\n");
    }

    void moveWritesHistory()
    {
        QFETCH(QString, info);
        QFETCH(QString, destination);
        QFETCH(QString, history);
        Road road;
        Harness &h = road.h;
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 110, 110);
        h.canvas().SetCurrentObject(drill);
        h.canvas().SetUserProperty(QStringLiteral("Info"), info);
        road.dropOnShelfStrip(drill);

        // The history takes the calendar's date, which need not be today.
        h.form->Calendar1->setSelectedDate(QDate(2026, 4, 2));
        chooseDestination(h, destination);

        const QRect box = rectOf(h, destination == garage ? road.garageBox.body
                                                          : road.shelfBox.body);
        QCOMPARE(h.property(drill, QStringLiteral("MovementHistory")), history);
        QCOMPARE(h.property(drill, QStringLiteral("Info")), destination);
        QCOMPARE(rectOf(h, drill).topLeft(), box.topLeft() + QPoint(1, 0));
        QCOMPARE(rectOf(h, drill).size(), QSize(4, 4));
        QVERIFY(h.form->readyList.isEmpty());
        QCOMPARE(h.form->List1->count(), 0);
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        QVERIFY(!h.form->txtName->isEnabled());
        QVERIFY(h.platform->messages.isEmpty());
    }

    void historyGrowsWithEveryMove()
    {
        Road road;
        Harness &h = road.h;
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 110, 110);
        road.dropOnShelfStrip(drill);
        chooseDestination(h, shelf);
        chooseBox(h, garage);   // the move showed Shelf A; Garage comes back into view
        h.dragObject(drill, pixelOf(h, 110, 151));
        h.form->Calendar1->setSelectedDate(QDate(2026, 12, 24));
        chooseDestination(h, garage);

        QCOMPARE(h.property(drill, QStringLiteral("MovementHistory")),
                 QStringLiteral("Garage - Shelf A\r\n3/15/2026\r\n"
                                "Shelf A - Garage\r\n12/24/2026\r\n"));
        QCOMPARE(rectOf(h, drill).topLeft(), QPoint(101, 100));
    }

    void threeListedLandInReverseOrder()
    {
        Road road;
        Harness &h = road.h;
        const qint32 p = makeObject(h, QStringLiteral("p"), 105, 105);
        const qint32 q = makeObject(h, QStringLiteral("q"), 112, 105);
        const qint32 r = makeObject(h, QStringLiteral("r"), 119, 105);
        road.dropOnShelfStrip(p, 8);
        road.dropOnShelfStrip(q, 20);
        road.dropOnShelfStrip(r, 32);
        QCOMPARE(h.form->List1->count(), 3);
        QCOMPARE(h.form->List1->item(2)->text(), QStringLiteral("r"));

        chooseDestination(h, shelf);
        QCOMPARE(rectOf(h, p).topLeft(), QPoint(151, 100));
        QCOMPARE(rectOf(h, q).topLeft(), QPoint(152, 100));
        QCOMPARE(rectOf(h, r).topLeft(), QPoint(153, 100));
        for (qint32 id : {p, q, r})
            QCOMPARE(h.property(id, QStringLiteral("Info")), shelf);
        QVERIFY(h.form->readyList.isEmpty());
    }

    void sameObjectListedOnce()
    {
        Road road;
        Harness &h = road.h;
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 110, 110);
        road.dropOnShelfStrip(drill, 10);
        road.dropOnShelfStrip(drill, 30);
        h.dragObject(drill, pixelOf(h, 120, 151));   // Garage's own strip

        QCOMPARE(h.form->readyList, QStringList{QString::number(drill)});
        QCOMPARE(h.form->List1->count(), 1);
        QVERIFY(h.form->locationcombo1->isVisible());
    }

    void unknownBoxMovesNothing()
    {
        Road road;
        Harness &h = road.h;
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 110, 110);
        road.dropOnShelfStrip(drill);
        const QRect before = rectOf(h, drill);
        // A box list entry whose box is no longer drawn.
        insertBoxName(h.form->locationcombo1, QStringLiteral("Attic"));
        h.form->Calendar1->setSelectedDate(QDate(2026, 4, 2));
        chooseDestination(h, QStringLiteral("Attic"));

        QCOMPARE(h.platform->messages, QStringList{QStringLiteral("No objects found")});
        QCOMPARE(h.form->readyList, QStringList{QString::number(drill)});
        QCOMPARE(rectOf(h, drill), before);
        QCOMPARE(h.property(drill, QStringLiteral("Info")), garage);
        QVERIFY(h.property(drill, QStringLiteral("MovementHistory")).isEmpty());
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
    }

    void deletedObjectOnlyLeavesTheList()
    {
        Road road;
        Harness &h = road.h;
        const qint32 q = makeObject(h, QStringLiteral("q"), 112, 105);
        const qint32 p = makeObject(h, QStringLiteral("p"), 105, 105);
        road.dropOnShelfStrip(q, 20);
        road.dropOnShelfStrip(p, 8);
        // p is still selected from its drag: the Delete key removes it.
        QTest::keyClick(&h.canvas(), Qt::Key_Delete);
        QVERIFY(!h.canvas().objectById(p));

        chooseDestination(h, shelf);
        QVERIFY(h.form->readyList.isEmpty());
        QCOMPARE(rectOf(h, q).topLeft(), QPoint(151, 100));
        QCOMPARE(h.property(q, QStringLiteral("Info")), shelf);
    }

    void boxTotals_data()
    {
        QTest::addColumn<QStringList>("values");
        QTest::addColumn<QString>("total");
        QTest::newRow("ten, two and a half, a word")
            << QStringList{QStringLiteral("10"), QStringLiteral("2.5"), QStringLiteral("abc")}
            << QStringLiteral("12.5");
        QTest::newRow("empty counts nothing")
            << QStringList{QString(), QStringLiteral("3")} << QStringLiteral("3");
        QTest::newRow("blanks, hex and a comma")
            << QStringList{QStringLiteral(" 1 2"), QStringLiteral("&H10"),
                           QStringLiteral("1,234")}
            << QStringLiteral("29");
        QTest::newRow("no objects") << QStringList{} << QStringLiteral("0");
    }

    void boxTotals()
    {
        QFETCH(QStringList, values);
        QFETCH(QString, total);
        Road road;
        Harness &h = road.h;
        QList<qint32> ids;
        for (int i = 0; i < values.size(); ++i) {
            ids << makeObject(h, QStringLiteral("o%1").arg(i), 105 + 7 * i, 105);
            h.canvas().SetUserProperty(QStringLiteral("Value"), values.at(i));
        }
        // Choosing a box with nothing waiting moves nothing but recomputes every total.
        chooseDestination(h, garage);

        QCOMPARE(h.property(road.garageBox.body, QStringLiteral("Value")), total);
        QCOMPARE(h.property(road.shelfBox.body, QStringLiteral("Value")), QStringLiteral("0"));
        // Strips carry no total; an empty "Value" is written as 0 on first count.
        QVERIFY(h.property(road.garageBox.strip, QStringLiteral("Value")).isEmpty());
        for (int i = 0; i < values.size(); ++i) {
            const QString expected = values.at(i).isEmpty() ? QStringLiteral("0") : values.at(i);
            QCOMPARE(h.property(ids.at(i), QStringLiteral("Value")), expected);
        }
        QVERIFY(h.canvas().objectById(road.garageBox.body)->selected);
    }
};

int runRoadTest(int argc, char **argv)
{
    RoadTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "roadtest.moc"
