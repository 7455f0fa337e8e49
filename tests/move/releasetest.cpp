// What a release on the drawing does, and the wheel.

#include "movefixture.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWheelEvent>

using namespace movefixture;

namespace {

const QString garage = QStringLiteral("Garage");
const QString shelf = QStringLiteral("Shelf A");

void turnWheel(Harness &h, int delta)
{
    const QPointF at(50, 50);
    QWheelEvent event(at, h.canvas().mapToGlobal(at), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&h.canvas(), &event);
}

} // namespace

class ReleaseTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void releaseOverEmptyAreaTakesObjectOff()
    {
        Harness h;
        makeBox(h, garage, 100, 100);
        makeBox(h, shelf, 150, 100);
        chooseBox(h, garage);
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 110, 110);
        h.canvas().SetUserProperty(QStringLiteral("Colour"), QStringLiteral("12"));
        h.dragObject(drill, pixelOf(h, 160, 151));
        QCOMPARE(h.canvas().objectById(drill)->fillColor, *Palette::colour(15));

        h.dragObject(drill, pixelOf(h, 125, 175));
        QCOMPARE(h.form->zLabel1->text(), QStringLiteral("Mouse is over empty area"));
        QVERIFY(h.form->readyList.isEmpty());
        QCOMPARE(h.form->List1->count(), 0);
        QVERIFY(!h.form->locationcombo1->isVisible());
        QVERIFY(!h.form->List1->isVisible());
        // Its own colours come back, and the drop stands.
        QCOMPARE(h.canvas().objectById(drill)->fillColor, *Palette::colour(12));
        QCOMPARE(h.canvas().objectById(drill)->textColor, *Palette::colour(0));
        QVERIFY(rectOf(h, drill).contains(QPoint(125, 175)));
        QCOMPARE(h.canvas().PointerSetting(), qint16(100));
    }

    void releaseOfUnlistedObjectKeepsTheList()
    {
        Harness h;
        makeBox(h, garage, 100, 100);
        makeBox(h, shelf, 150, 100);
        chooseBox(h, garage);
        const qint32 drill = makeObject(h, QStringLiteral("Drill"), 105, 110);
        const qint32 saw = makeObject(h, QStringLiteral("Saw"), 120, 110);
        h.dragObject(drill, pixelOf(h, 160, 151));
        h.dragObject(saw, pixelOf(h, 125, 130));

        QCOMPARE(h.form->readyList, QStringList{QString::number(drill)});
        QCOMPARE(h.form->List1->item(0)->text(), QStringLiteral("Drill"));
        // The chooser comes back only with the next drop on a strip.
        QVERIFY(!h.form->locationcombo1->isVisible());
        h.dragObject(drill, pixelOf(h, 170, 151));
        QVERIFY(h.form->locationcombo1->isVisible());
    }

    void boxDrops_data()
    {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QString>("label");
        QTest::newRow("onto another box body") << QPoint(172, 120) << QStringLiteral("Total");
        QTest::newRow("onto its own strip") << QPoint(122, 151) << QStringLiteral("Value");
        QTest::newRow("onto another box's strip") << QPoint(172, 151) << QStringLiteral("Value");
        QTest::newRow("click without moving") << QPoint(122, 120) << QStringLiteral("Total");
    }

    void boxDrops()
    {
        QFETCH(QPoint, to);
        QFETCH(QString, label);
        Harness h;
        const Box shelfBox = makeBox(h, shelf, 150, 100);
        const Box garageBox = makeBox(h, garage, 100, 100);
        makeObject(h, QStringLiteral("Drill"), 135, 130);
        h.canvas().SetUserProperty(QStringLiteral("Value"), QStringLiteral("7"));
        const QRect before = rectOf(h, garageBox.body);

        h.drag(pixelOf(h, 122, 120), pixelOf(h, to.x(), to.y()));
        QCOMPARE(h.form->Label7->text(), label);
        // Boxes never land on boxes: the drop is refused and the box goes back.
        QCOMPARE(rectOf(h, garageBox.body), before);
        if (label == QStringLiteral("Total")) {
            QCOMPARE(h.property(garageBox.body, QStringLiteral("Value")), QStringLiteral("7"));
            QCOMPARE(h.property(shelfBox.body, QStringLiteral("Value")), QStringLiteral("0"));
            QVERIFY(h.form->movehistory->toPlainText().isEmpty());
        } else {
            QCOMPARE(h.property(garageBox.body, QStringLiteral("Value")), QStringLiteral("0"));
        }
    }

    void wheelWraps_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("delta");
        QTest::addColumn<int>("to");
        QTest::newRow("away from the first box goes to the last") << 0 << 120 << 2;
        QTest::newRow("towards the user on the last box goes to the first") << 2 << -120 << 0;
        QTest::newRow("towards the user steps on") << 0 << -120 << 1;
        QTest::newRow("away steps back") << 2 << 120 << 1;
        QTest::newRow("a double notch is one step on") << 1 << 240 << 2;
    }

    void wheelWraps()
    {
        QFETCH(int, from);
        QFETCH(int, delta);
        QFETCH(int, to);
        Harness h;
        const QStringList names{QStringLiteral("Attic"), QStringLiteral("Basement"),
                                QStringLiteral("Cellar")};
        for (int i = 0; i < names.size(); ++i)
            makeBox(h, names.at(i), 100 + 60 * i, 100);
        chooseBox(h, names.at(from));

        turnWheel(h, delta);
        QCOMPARE(h.form->currentBox, to);
        QCOMPARE(QPoint(h.form->dropX, h.form->dropY), QPoint(100 + 60 * to, 100));
        QVERIFY(!h.form->locationcombo1->isVisible());
    }

    void wheelWithoutBoxesShowsNoBox()
    {
        Harness h;
        const QPoint drop(h.form->dropX, h.form->dropY);
        turnWheel(h, 120);
        QCOMPARE(h.form->currentBox, -1);
        turnWheel(h, -120);
        QCOMPARE(h.form->currentBox, 0);
        QCOMPARE(QPoint(h.form->dropX, h.form->dropY), drop);
    }
};

int runReleaseTest(int argc, char **argv)
{
    ReleaseTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "releasetest.moc"
