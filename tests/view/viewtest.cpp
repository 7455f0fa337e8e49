// Moving about the drawing as a user does: zoom keys, buttons and Ctrl+wheel, the whole
// drawing, the overview, scrolling while dragging to a far strip, the first-box hint.

#include "canvas/vellumautoscroll.h"
#include "canvas/vellumoverview.h"
#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include <QElapsedTimer>
#include <QToolButton>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int boxCount = 45;

QString boxName(int i)
{
    return u"Box %1"_s.arg(i + 1, 2, 10, QLatin1Char('0'));
}

// 45 boxes in 9 columns and 5 rows, "Box 01" at the top left; "Parcel" in "Box 01".
struct FullDrawing : Harness
{
    FullDrawing() : Harness(false)
    {
        DocumentBuilder doc;
        QStringList names;
        for (int i = 0; i < boxCount; ++i)
            names << boxName(i);
        doc.startObject(names);
        for (int i = 0; i < boxCount; ++i)
            doc.box(names[i], 100 + i % 9 * 62, 100 + i / 9 * 120);
        doc.storedObject(u"Parcel"_s, names.first(), 104, 104);
        startOn(doc);
    }
};

QRectF unitsOf(const Harness &h, qint32 id)
{
    const QRect r = steps::rectOf(h, id);
    return QRectF(QPointF(r.topLeft()), QPointF(r.bottomRight()));
}

QPointF middleOfView(const Harness &h)
{
    return h.canvas().visibleArea().center();
}

void clickButton(Harness &h, const QString &name)
{
    QTest::mouseClick(h.form->findChild<QToolButton *>(name), Qt::LeftButton);
}

void turnWheel(Harness &h, int delta, Qt::KeyboardModifiers modifiers, QPointF at)
{
    QWheelEvent event(at, h.canvas().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&h.canvas(), &event);
}

} // namespace

class ViewTest : public QObject
{
    Q_OBJECT

private slots:
    // Every way of zooming: the scale changes by the step and the drawing point under the
    // pointer (or in the middle of the view) stays where it was, whatever the program's
    // own zoom switches say.
    void zoomKeepsThePointInPlace_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<double>("factor");
        QTest::newRow("Ctrl+plus") << u"Ctrl++"_s << 1.25;
        QTest::newRow("Ctrl+equals") << u"Ctrl+="_s << 1.25;
        QTest::newRow("Ctrl+minus") << u"Ctrl+-"_s << 0.8;
        QTest::newRow("zoom in button") << u"zoomIn"_s << 1.25;
        QTest::newRow("zoom out button") << u"zoomOut"_s << 0.8;
        QTest::newRow("Ctrl+wheel away") << u"wheel 120"_s << 1.25;
        QTest::newRow("Ctrl+wheel two notches back") << u"wheel -240"_s << 0.64;
    }

    void zoomKeepsThePointInPlace()
    {
        QFETCH(QString, how);
        QFETCH(double, factor);
        FullDrawing h;
        steps::chooseBox(h, boxName(20));   // a box button leaves ZoomMode 0
        const float before = h.canvas().ZoomX();
        const QPointF at = QRectF(h.canvas().viewport()).center() + QPointF(-120, 70);
        const QPointF fixed = how.startsWith(u"wheel"_s) ? h.canvas().toUnits(at)
                                                         : middleOfView(h);
        const int wheelSteps = h.form->currentBox;

        if (how.startsWith(u"Ctrl"_s))
            QTest::keySequence(h.form.get(), QKeySequence(how));
        else if (how.startsWith(u"wheel"_s))
            turnWheel(h, how.mid(6).toInt(), Qt::ControlModifier, at);
        else
            clickButton(h, how);

        QCOMPARE(h.form->currentBox, wheelSteps);   // a zoom never steps through boxes
        QVERIFY(qAbs(h.canvas().ZoomX() / before - factor) < 1e-3);
        const QPointF now = how.startsWith(u"wheel"_s) ? h.canvas().toUnits(at)
                                                       : middleOfView(h);
        QVERIFY2(QLineF(now, fixed).length() < 0.01,
                 qPrintable(u"%1,%2 moved to %3,%4"_s.arg(fixed.x()).arg(fixed.y())
                                .arg(now.x()).arg(now.y())));
    }

    // The plain wheel still steps through the boxes and the box's view comes back at the
    // working scale; Ctrl+0 (or its button) then shows every box.
    void wholeDrawingAndWheel_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::newRow("Ctrl+0") << true;
        QTest::newRow("All button") << false;
    }

    void wholeDrawingAndWheel()
    {
        QFETCH(bool, byKey);
        FullDrawing h;
        QTest::keySequence(h.form.get(), u"Ctrl++"_s);
        turnWheel(h, -120, Qt::NoModifier, QPointF(200, 200));
        QCOMPARE(h.canvas().ZoomX(), h.canvas().FitZoomX());

        const QRectF seen = h.canvas().visibleArea();
        int shownBefore = 0;
        for (int i = 0; i < boxCount; ++i)
            shownBefore += seen.contains(unitsOf(h, steps::boxParts(h, boxName(i)).strip));
        QVERIFY(shownBefore < boxCount / 4);   // the working scale shows a few boxes

        byKey ? QTest::keySequence(h.form.get(), u"Ctrl+0"_s) : clickButton(h, u"zoomWhole"_s);
        const QRectF whole = h.canvas().visibleArea();
        // The overview has nothing to add then, and would cover boxes.
        QApplication::processEvents();
        QVERIFY(!h.form->findChild<VellumOverview *>(u"overview"_s)->isVisible());
        for (int i = 0; i < boxCount; ++i) {
            const steps::Box box = steps::boxParts(h, boxName(i));
            QVERIFY2(whole.contains(unitsOf(h, box.body).united(unitsOf(h, box.strip))),
                     qPrintable(boxName(i)));
        }
        // Not so small that the drawing is lost in the window.
        QVERIFY(whole.width() < 1.2 * 640 || whole.height() < 1.2 * 550);
    }

    // The map follows the drawing: a new stored object adds nothing to it, and a shape
    // beyond the drawing's edge widens what it covers.
    void overviewFollowsTheDrawing()
    {
        FullDrawing h;
        steps::chooseBox(h, boxName(20));
        auto *overview = h.form->findChild<VellumOverview *>(u"overview"_s);
        QVERIFY(overview && overview->isVisible());
        const auto map = [&] {
            QCoreApplication::processEvents();
            return overview->grab().toImage();
        };
        const QImage before = map();
        steps::newObject(h);
        QCOMPARE(map(), before);
        const QRect all = h.canvas().extent();
        QVERIFY(h.canvas().AddObject(10, all.right() + 400, all.top(), all.right() + 405,
                                     all.top() + 5));
        QVERIFY(map() != before);
    }

    // A press or a drag on the overview brings that point to the middle of the view; the
    // switch (button or Ctrl+M) hides it, and it stays hidden at the next box.
    void overviewMovesTheView()
    {
        FullDrawing h;
        auto *overview = h.form->findChild<VellumOverview *>(u"overview"_s);
        QVERIFY(overview && overview->isVisible());

        const QPointF far = unitsOf(h, steps::boxParts(h, boxName(44)).body).center();
        QVERIFY(!h.canvas().visibleArea().contains(far));
        QTest::mouseClick(overview, Qt::LeftButton, {}, overview->pixelOf(far).toPoint());
        QVERIFY(QLineF(middleOfView(h), far).length() < 3);

        const QPointF near = unitsOf(h, steps::boxParts(h, boxName(10)).body).center();
        QTest::mousePress(overview, Qt::LeftButton, {}, overview->pixelOf(far).toPoint());
        QTest::mouseMove(overview, overview->pixelOf(near).toPoint());
        QTest::mouseRelease(overview, Qt::LeftButton, {}, overview->pixelOf(near).toPoint());
        QVERIFY(QLineF(middleOfView(h), near).length() < 3);

        QTest::keySequence(h.form.get(), u"Ctrl+M"_s);
        QVERIFY(!overview->isVisible());
        steps::chooseBox(h, boxName(3));
        QVERIFY(!overview->isVisible());
        clickButton(h, u"overviewSwitch"_s);
        QVERIFY(overview->isVisible());
    }

    // One press, moves and one release: the pointer held near the edge scrolls the view
    // until the farthest box's strip comes into view, and the drop there lists the object.
    void farDragReachesTheFarthestStrip()
    {
        FullDrawing h;
        const qint32 parcel = h.findId(u"Name"_s, u"Parcel"_s);
        const qint32 strip = steps::boxParts(h, boxName(44)).strip;
        Vellum &canvas = h.canvas();
        const QRect port = canvas.viewport();
        const int margin = VellumAutoScroll::band + 8;
        const QRect inner = port.adjusted(margin, margin, -margin, -margin);
        QVERIFY(!inner.contains(h.centreOf(strip)));

        QPoint pointer = h.centreOf(parcel);
        QTest::mousePress(&canvas, Qt::LeftButton, {}, pointer);
        const auto moveTo = [&](QPoint to) {
            for (int i = 1; i <= 6; ++i)
                QTest::mouseMove(&canvas, pointer + (to - pointer) * i / 6);
            pointer = to;
        };
        // Towards the strip, held at the edge while the strip is out of reach.
        QElapsedTimer waited;
        waited.start();
        while (!inner.contains(h.centreOf(strip)) && waited.elapsed() < 20000) {
            // At the edge on each side the strip lies beyond, level with it otherwise.
            const QPoint t = h.centreOf(strip);
            const auto edge = [](int at, int low, int high, int innerLow, int innerHigh) {
                return at < innerLow ? low + 4 : at > innerHigh ? high - 4 : at;
            };
            moveTo({edge(t.x(), port.left(), port.right(), inner.left(), inner.right()),
                    edge(t.y(), port.top(), port.bottom(), inner.top(), inner.bottom())});
            QTest::qWait(VellumAutoScroll::interval * 2);
        }
        QVERIFY(inner.contains(h.centreOf(strip)));
        // Held in the corner, the view stops where the drawing ends, though the dragged
        // object goes along with it.
        moveTo(port.bottomRight() - QPoint(2, 2));
        QTest::qWait(VellumAutoScroll::interval * 60);
        const QRectF seen = canvas.visibleArea();
        QVERIFY(seen.left() < canvas.ExtentLeft() + 700 && seen.top() < canvas.ExtentTop() + 700);
        moveTo(h.centreOf(strip));
        QTest::mouseRelease(&canvas, Qt::LeftButton, {}, pointer);

        QCOMPARE(h.form->readyList, QStringList{QString::number(parcel)});
        QCOMPARE(steps::listLines(h.form->List1), QStringList{u"Parcel"_s});
        QVERIFY(h.form->locationcombo1->isVisible());
        steps::chooseDestination(h, boxName(44));
        QCOMPARE(h.property(parcel, u"Info"_s), boxName(44));
    }

    // How fast the view moves for a pointer at a place in a 400 x 300 viewport.
    void scrollSpeed_data()
    {
        QTest::addColumn<QPointF>("pointer");
        QTest::addColumn<QPointF>("speed");
        const double f = VellumAutoScroll::fastest;
        QTest::newRow("middle") << QPointF(200, 150) << QPointF(0, 0);
        QTest::newRow("just outside the band") << QPointF(351, 49) << QPointF(0, 0);
        QTest::newRow("on the right edge") << QPointF(399.5, 150) << QPointF(f, 0);
        QTest::newRow("beyond the top left") << QPointF(-30, -500) << QPointF(-f, -f);
        QTest::newRow("beyond the bottom") << QPointF(200, 900) << QPointF(0, f);
    }

    void scrollSpeed()
    {
        QFETCH(QPointF, pointer);
        QFETCH(QPointF, speed);
        const QRect port(0, 0, 400, 300);
        QCOMPARE(VellumAutoScroll::velocity(port, pointer), speed);
        // Nearer the edge is never slower.
        const QPointF inward = pointer + QPointF(pointer.x() > 200 ? -10 : 10, 0);
        QVERIFY(qAbs(VellumAutoScroll::velocity(port, inward).x()) <= qAbs(speed.x()));
    }

    // An empty drawing tells the user where to start, until the first box exists.
    void firstBoxHint()
    {
        Harness h;
        auto *hint = h.form->findChild<QWidget *>(u"emptyHint"_s);
        QVERIFY(hint);
        QTRY_VERIFY(hint->isVisible());
        QCOMPARE(hint->property("text").toString(), u"Press New Box to make your first box"_s);
        steps::newBox(h, u"Shelf"_s);
        QTRY_VERIFY(!hint->isVisible());
        steps::newObject(h);
        QApplication::processEvents();
        QVERIFY(!hint->isVisible());
    }
};

QTEST_MAIN(ViewTest)
#include "viewtest.moc"
