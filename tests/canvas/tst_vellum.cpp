// The canvas on its own: a Vellum shown offscreen, driven through its operations and the
// pointer, and its document written to disk and read back.

#include "canvas/model/documentfile.h"
#include "canvas/vellum.h"
#include "support/testsupport.h"

#include <QApplication>
#include <QImage>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <functional>
#include <memory>

using namespace Qt::Literals::StringLiterals;

// A drawing's objects in drawing order, and the file it was saved to before a change.
struct Drawing
{
    QList<qint32> ids;
    QString saved;
};
using Change = std::function<void(Vellum &, const Drawing &)>;
Q_DECLARE_METATYPE(Change)
// A change as statements on the canvas c and the drawing d.
#define CHANGE(...) \
    Change([](Vellum &c, const Drawing &d) { Q_UNUSED(c) Q_UNUSED(d) __VA_ARGS__; })

namespace {

std::unique_ptr<Vellum> shownCanvas()
{
    auto canvas = std::make_unique<Vellum>();
    canvas->resize(800, 600);
    canvas->show();
    if (!QTest::qWaitForWindowExposed(canvas.get()))
        qWarning("canvas window not exposed");
    return canvas;
}

qint32 addBox(Vellum &canvas, qint32 x1, qint32 y1, qint32 x2, qint32 y2, const QString &name)
{
    canvas.AddObject(10, x1, y1, x2, y2);
    canvas.SetUserProperty(u"Name"_s, name);
    canvas.SetObjectText(name);
    return canvas.CurrentObject();
}

QPoint centre(const Vellum &canvas, qint32 id)
{
    const VellumObject *o = canvas.objectById(id);
    return ((canvas.toPixels(o->x1, o->y1) + canvas.toPixels(o->x2, o->y2)) / 2).toPoint();
}

QRect rectOf(const Vellum &canvas, qint32 id)
{
    const VellumObject *o = canvas.objectById(id);
    return QRect(QPoint(o->x1, o->y1), QPoint(o->x2, o->y2));
}

void click(Vellum &canvas, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mouseClick(&canvas, Qt::LeftButton, modifiers, at);
}

void drag(Vellum &canvas, QPoint from, QPoint to)
{
    QTest::mousePress(&canvas, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 6; ++i)
        QTest::mouseMove(&canvas, from + (to - from) * i / 6);
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, to);
}

void turnWheel(Vellum &canvas, QPointF at, int delta, Qt::KeyboardModifiers modifiers = {})
{
    QWheelEvent event(at, canvas.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &event);
}

// What the window shows: the pixels the canvas painted into its window, partial repaints
// included, not a fresh rendering of the widget.
QImage onScreen(Vellum &canvas)
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return canvas.screen()->grabWindow(canvas.winId()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

void dragBy(Vellum &canvas, qint32 id, QPoint by)
{
    drag(canvas, centre(canvas, id), centre(canvas, id) + by);
}

} // namespace

class TestVellum : public QObject
{
    Q_OBJECT

    std::unique_ptr<Vellum> canvas; // a fresh one for every test

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void init() { canvas = shownCanvas(); }
    void cleanup() { canvas.reset(); }

    // A picture read from a file comes back decoded; ids go on after the highest one saved,
    // past a deleted one. A file that is no picture, or none at all, gives no picture.
    void documentRoundTrip()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(u"notes.txt"_s), "Not a picture at all\n"));
        QVERIFY(!canvas->LoadPictureFile(dir.filePath(u"notes.txt"_s), 1, 0));
        QVERIFY(!canvas->LoadPictureFile(dir.filePath(u"missing.png"_s), 1, 0));
        QVERIFY(canvas->AddObject(12, 0, 0, 5, 5));
        QVERIFY(canvas->current()->picture.isNull() && canvas->current()->pictureData.isEmpty());
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(QColor(20, 140, 200));
        image.setPixel(3, 4, qRgb(250, 10, 10));
        QVERIFY(image.save(dir.filePath(u"photo.png"_s)));
        const qint32 gone = addBox(*canvas, 1, 1, 3, 3, u"Gone"_s);
        QVERIFY(canvas->LoadPictureFile(dir.filePath(u"photo.png"_s), 1, 0));
        QVERIFY(canvas->AddObject(12, 50, 50, 55, 55));
        QVERIFY(canvas->DeleteObject(gone));

        const QString file = dir.filePath(u"pic"_s);
        QVERIFY(canvas->SaveDocument(file));
        auto loaded = shownCanvas();
        QVERIFY(loaded->LoadDocument(file));
        QVERIFY(loaded->SetCurrentIndex(2));
        QCOMPARE(loaded->ObjectKind(), qint16(12));
        QCOMPARE(loaded->current()->picture.pixel(3, 4), qRgb(250, 10, 10));
        QVERIFY(loaded->AddObject(10, 0, 0, 1, 1));
        QCOMPARE(loaded->CurrentObject(), canvas->objects().back()->id + 1);
    }

    // A press selects and raises down, up and click in that order; Shift adds, Ctrl toggles,
    // a plain click on one of several selected picks it alone; empty space clears.
    void pointerSelects()
    {
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        const qint32 b = addBox(*canvas, 30, 10, 40, 20, u"B"_s);
        canvas->SetCurrentObject(0);
        QStringList log;
        connect(canvas.get(), &Vellum::MouseDown, this, [&log](int b, int s, int x, int y) {
            log << u"down %1 %2 %3 %4"_s.arg(b).arg(s).arg(x).arg(y);
        });
        connect(canvas.get(), &Vellum::MouseUp, this, [&log](int b, int s, int x, int y) {
            log << u"up %1 %2 %3 %4"_s.arg(b).arg(s).arg(x).arg(y);
        });
        connect(canvas.get(), &Vellum::Click, this, [&log] { log << u"click"_s; });
        const QPoint at = centre(*canvas, a);
        click(*canvas, at);
        QCOMPARE(canvas->CurrentObject(), a);
        QCOMPARE(canvas->ObjectCount(2), 1);
        QVERIFY(canvas->objectById(a)->selected);
        const int tx = int(at.x() * canvas->TwipsPerPixelX());
        const int ty = int(at.y() * canvas->TwipsPerPixelY());
        QCOMPARE(log, QStringList({u"down 1 0 %1 %2"_s.arg(tx).arg(ty),
                                   u"up 1 0 %1 %2"_s.arg(tx).arg(ty), u"click"_s}));

        click(*canvas, centre(*canvas, b), Qt::ShiftModifier);
        QCOMPARE(canvas->ObjectCount(2), 2);
        QCOMPARE(canvas->CurrentObject(), b);
        click(*canvas, centre(*canvas, a), Qt::ControlModifier);
        QCOMPARE(canvas->ObjectCount(2), 1);
        QVERIFY(!canvas->objectById(a)->selected);
        click(*canvas, centre(*canvas, a), Qt::ShiftModifier);
        click(*canvas, centre(*canvas, b));
        QCOMPARE(canvas->ObjectCount(2), 1);
        QVERIFY(canvas->objectById(b)->selected);

        log.clear();
        QTest::mousePress(canvas.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(700, 500));
        QCOMPARE(canvas->CurrentObject(), 0);
        QCOMPARE(canvas->ObjectCount(2), 1); // Shift keeps it
        QTest::mouseRelease(canvas.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(700, 500));
        QTest::mouseClick(canvas.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(700, 500));
        QCOMPARE(canvas->ObjectCount(2), 0);
        QVERIFY(log.at(0).startsWith(u"down 3 1 "_s));
        QVERIFY(log.at(3).startsWith(u"down 4 0 "_s));
    }

    void dragMovesSelectionAndHitTestSkipsIt()
    {
        const qint32 floor = addBox(*canvas, 0, 0, 100, 60, u"Floor"_s);
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        const qint32 b = addBox(*canvas, 30, 10, 40, 20, u"B"_s);
        click(*canvas, centre(*canvas, a));
        click(*canvas, centre(*canvas, b), Qt::ShiftModifier);

        // What the release handler sees: the hit test at the release point.
        qint16 hit = -1;
        qint32 hitId = -1;
        connect(canvas.get(), &Vellum::MouseUp, canvas.get(), [&](int, int, int x, int y) {
            hit = canvas->HitTest(qRound(x / canvas->TwipsPerPixelX()),
                                  qRound(y / canvas->TwipsPerPixelY()), 0);
            hitId = canvas->CurrentObject();
        });
        const QPoint from = centre(*canvas, a);
        const QPointF step = canvas->toPixels(7, 25) - canvas->toPixels(0, 0);
        drag(*canvas, from, from + step.toPoint());

        QCOMPARE(rectOf(*canvas, a), QRect(QPoint(17, 35), QPoint(27, 45)));
        QCOMPARE(rectOf(*canvas, b), QRect(QPoint(37, 35), QPoint(47, 45)));
        QCOMPARE(canvas->ObjectCount(2), 2);
        QCOMPARE(hit, qint16(1));
        QCOMPARE(hitId, floor);

        canvas->DropAction(5);
        QCOMPARE(rectOf(*canvas, a), QRect(QPoint(10, 10), QPoint(20, 20)));
        QCOMPARE(rectOf(*canvas, b), QRect(QPoint(30, 10), QPoint(40, 20)));

        // A press and release without movement reports the pressed shape itself.
        click(*canvas, centre(*canvas, a));
        QCOMPARE(hitId, a);
        canvas->DropAction(5);
        QCOMPARE(rectOf(*canvas, a), QRect(QPoint(10, 10), QPoint(20, 20)));
        QCOMPARE(canvas->HitTest(790, 590, 0), qint16(0));
        QCOMPARE(canvas->CurrentObject(), a);
    }

    void draggingEmptySpacePansTheView()
    {
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        const QPointF before = canvas->toPixels(10, 10);
        drag(*canvas, QPoint(600, 400), QPoint(650, 380));
        QCOMPARE(canvas->toPixels(10, 10), before + QPointF(50, -20));
        QCOMPARE(rectOf(*canvas, a), QRect(QPoint(10, 10), QPoint(20, 20)));
        QTest::mousePress(canvas.get(), Qt::MiddleButton, Qt::NoModifier, centre(*canvas, a));
        QTest::mouseMove(canvas.get(), centre(*canvas, a) - QPoint(0, 30));
        QTest::mouseRelease(canvas.get(), Qt::MiddleButton, Qt::NoModifier);
        QCOMPARE(canvas->toPixels(10, 10), before + QPointF(50, -50));
        QCOMPARE(rectOf(*canvas, a), QRect(QPoint(10, 10), QPoint(20, 20)));
    }

    void higherLayerIsOnTop()
    {
        const qint32 stored = addBox(*canvas, 12, 12, 16, 16, u"Drill"_s);
        canvas->SetLayer(3);
        const qint32 body = addBox(*canvas, 0, 0, 44, 47, u"Shelf"_s);
        canvas->SetLayer(2);
        click(*canvas, centre(*canvas, stored));
        QCOMPARE(canvas->CurrentObject(), stored);
        canvas->SetCurrentObject(stored);
        canvas->SetLayer(1);
        click(*canvas, centre(*canvas, stored));
        QCOMPARE(canvas->CurrentObject(), body);
    }

    void findObject_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("found"); // its "Name"; "" for no match
        QTest::addColumn<int>("selected");

        QTest::newRow("exact, case-sensitive") << u"shelf A"_s << 4096 << u"shelf A"_s << 0;
        QTest::newRow("exact refuses other case") << u"Shelf a"_s << 4096 << QString() << 0;
        QTest::newRow("exact refuses a part") << u"Shelf"_s << 4096 << u"Shelf"_s << 0;
        QTest::newRow("part, ignoring case") << u"SHELF"_s << 0 << u"Shelf"_s << 0;
        QTest::newRow("part in the middle") << u"op sh"_s << 0 << u"Top shelf"_s << 0;
        QTest::newRow("20480 finds and selects") << u"Garage"_s << 20480 << u"Garage"_s << 1;
        QTest::newRow("16384 selects a part match") << u"arag"_s << 16384 << u"Garage"_s << 1;
        QTest::newRow("no match") << u"Cellar"_s << 20480 << QString() << 0;
    }

    void findObject()
    {
        QFETCH(QString, value);
        QFETCH(int, flags);
        QFETCH(QString, found);
        QFETCH(int, selected);
        for (const QString &name : {u"Shelf"_s, u"shelf A"_s, u"Top shelf"_s, u"Garage"_s})
            addBox(*canvas, 0, 0, 5, 5, name);
        const qint32 before = canvas->CurrentObject();
        const qint32 id = canvas->FindObject(u"Name"_s, value, flags);
        QCOMPARE(canvas->ObjectCount(2), selected);
        if (found.isEmpty())
            QCOMPARE(id, 0);
        else
            QCOMPARE(canvas->UserProperty(u"Name"_s), found);
        QCOMPARE(canvas->CurrentObject(), found.isEmpty() ? before : id);
    }

    // Flag 256 goes on after the current object; at the end there is no match, and a search
    // without it starts from the top again.
    void findObjectContinuesInDrawingOrder()
    {
        const qint32 first = addBox(*canvas, 0, 0, 5, 5, u"Shelf 1"_s);
        addBox(*canvas, 0, 0, 5, 5, u"Attic"_s);
        const qint32 second = addBox(*canvas, 0, 0, 5, 5, u"shelf 2"_s);
        const qint32 third = addBox(*canvas, 0, 0, 5, 5, u"SHELF 3"_s);
        canvas->SetCurrentObject(0);
        QList<qint32> found;
        for (int flags : {0, 256, 256, 256, 0})
            found << canvas->FindObject(u"Name"_s, u"shelf"_s, flags);
        QCOMPARE(found, (QList<qint32> {first, second, third, 0, first}));
    }

    void viewStaysWhenTheExtentGrows()
    {
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        canvas->SetZoomX(canvas->FitZoomX() * 2);
        canvas->SetZoomY(canvas->FitZoomY() * 2);
        const QPointF before = canvas->toPixels(10, 10);
        canvas->SetCurrentObject(a);
        canvas->MoveObject(2000, 3000, 12288);
        QCOMPARE(canvas->toPixels(10, 10), before);
        QCOMPARE(canvas->ExtentWidth(), 2020);
    }

    // Each axis keeps its own scale, within 0.02 .. 400 pixels a unit, and its own corner;
    // a zoom that is not positive changes nothing.
    void zoomAndViewPerAxis_data()
    {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<double>("timesFit"); // the zoom asked for, in fit zooms
        QTest::addColumn<double>("ppu");      // pixels a unit then, 0: the fit scale
        QTest::newRow("x, twice the fit") << false << 2.0 << 0.0;
        QTest::newRow("y, twice the fit") << true << 2.0 << 0.0;
        QTest::newRow("x, past the largest") << false << 1e4 << 400.0;
        QTest::newRow("y, below the smallest") << true << 1e-4 << 0.02;
        QTest::newRow("x, zero") << false << 0.0 << 0.0;
        QTest::newRow("y, negative") << true << -1.0 << 0.0;
    }

    void zoomAndViewPerAxis()
    {
        QFETCH(bool, vertical);
        QFETCH(double, timesFit);
        QFETCH(double, ppu);
        addBox(*canvas, 10, 10, 900, 1200, u"Hall"_s);
        const QPointF fitUnit = canvas->toPixels(1, 1) - canvas->toPixels(0, 0);
        const double fit = fitUnit.x();
        const double expected = ppu > 0 ? ppu : timesFit > 0 ? fit * timesFit : fit;
        if (vertical)
            canvas->SetZoomY(float(canvas->FitZoomY() * timesFit));
        else
            canvas->SetZoomX(float(canvas->FitZoomX() * timesFit));

        const QPointF unit = canvas->toPixels(1, 1) - canvas->toPixels(0, 0);
        QCOMPARE(vertical ? unit.x() : unit.y(), fit);
        QVERIFY(qAbs((vertical ? unit.y() : unit.x()) / expected - 1) < 1e-5);
        const double zoom = vertical ? canvas->ZoomY() : canvas->ZoomX();
        const double extent = vertical ? canvas->ExtentHeight() : canvas->ExtentWidth();
        QVERIFY(qAbs(zoom / (expected * extent) - 1) < 1e-5);

        // The drawing point 50 units in goes to that axis's edge of the view.
        if (vertical)
            canvas->SetViewY(zoom * (50.0 - canvas->ExtentTop()) / extent);
        else
            canvas->SetViewX(zoom * (50.0 - canvas->ExtentLeft()) / extent);
        const QPointF corner = canvas->toPixels(50, 50);
        QVERIFY(qAbs(vertical ? corner.y() : corner.x()) < 1e-3); // zooms are floats
        QCOMPARE(vertical ? corner.x() : corner.y(), 50 * fit);
        QVERIFY(qAbs((vertical ? canvas->ViewY() : canvas->ViewX()) - 50 * expected) < 1e-3);
    }

    // Numbers are stored as text; edit mode 10 makes the first selected object current; ids
    // are never reused; without a current object reads are empty and writes refused.
    void objectsAndTheCurrentOne()
    {
        const qint32 a = addBox(*canvas, 0, 0, 5, 5, u"A"_s);
        const qint32 b = addBox(*canvas, 0, 0, 5, 5, u"B"_s);
        const qint32 c = addBox(*canvas, 0, 0, 5, 5, u"C"_s);
        QVERIFY(canvas->SetUserProperty(u"Colour"_s, -32768));
        QCOMPARE(canvas->UserProperty(u"Colour"_s), u"-32768"_s);
        QVERIFY(!canvas->SetUserProperty(u"Colour"_s, 40000));
        QCOMPARE(canvas->UserProperty(u"Colour"_s), u"-32768"_s);
        QVERIFY(canvas->SetUserProperty(u"Value"_s, 0.1));
        QCOMPARE(canvas->UserProperty(u"Value"_s), u"0.1"_s);
        QVERIFY(canvas->SetUserProperty(u"Value"_s, 3.0));
        QCOMPARE(canvas->UserProperty(u"Value"_s), u"3"_s);
        QCOMPARE(canvas->UserProperty(u"18"_s), QString());

        canvas->SetEditMode(10);
        QCOMPARE(canvas->CurrentObject(), c); // none selected: unchanged
        canvas->SetSelected(true);
        canvas->SetCurrentObject(a);
        canvas->SetSelected(true);
        canvas->SetCurrentObject(0);
        canvas->SetEditMode(10);
        QCOMPARE(canvas->CurrentObject(), a);
        canvas->SetSearchFlag(true);
        QCOMPARE(canvas->ObjectCount(2), 0);

        QVERIFY(canvas->DeleteObject(c));
        QVERIFY(canvas->DeleteObject(a));
        QCOMPARE(canvas->CurrentObject(), 0);
        QVERIFY(canvas->AddObject(10, 0, 0, 1, 1));
        QCOMPARE(canvas->CurrentObject(), c + 1);
        QVERIFY(canvas->SetCurrentIndex(1));
        QCOMPARE(canvas->CurrentObject(), b);
        QCOMPARE(canvas->UserProperty(u"Name"_s), u"B"_s);
        QVERIFY(!canvas->SetCurrentObject(a));

        QVERIFY(!canvas->SetCurrentObject(999));
        QCOMPARE(canvas->CurrentObject(), 0);
        QCOMPARE(canvas->UserProperty(u"Name"_s), QString());
        qint32 x1 = 7, y1 = 7, x2 = 7, y2 = 7;
        QCOMPARE(QList<bool>({canvas->SetUserProperty(u"Name"_s, u"B"_s),
                              canvas->SetFillColor(Qt::red), canvas->SetLayer(3),
                              canvas->SetSelected(true), canvas->MoveObject(1, 1, 12288),
                              canvas->GetObjectRect(x1, y1, x2, y2), canvas->SetCurrentIndex(3)}),
                 QList<bool>(7, false));
        QCOMPARE(QList({x1, y1, x2, y2}), QList<qint32>(4, 7));
        QCOMPARE(canvas->ObjectKind(), qint16(0));
        QCOMPARE(canvas->ObjectCount(2), 0);
    }

    void keysWheelAndDrops()
    {
        QList<QPair<int, int>> keys;
        connect(canvas.get(), &Vellum::KeyUp, canvas.get(),
                [&keys](int code, int shift) { keys << qMakePair(code, shift); });
        QTest::keyClick(canvas.get(), Qt::Key_Delete);
        QTest::keyClick(canvas.get(), Qt::Key_A, Qt::ShiftModifier);
        QTest::keyClick(canvas.get(), Qt::Key_7);
        QTest::keyClick(canvas.get(), Qt::Key_Escape);
        QTest::keyClick(canvas.get(), Qt::Key_Return);
        QTest::keyClick(canvas.get(), Qt::Key_Left, Qt::ControlModifier);
        // Modifier keys raise their own releases (16 Shift, 17 Ctrl), as any key does.
        QCOMPARE(keys,
                 (QList<QPair<int, int>> {
                     {46, 0}, {65, 1}, {16, 0}, {55, 0}, {27, 0}, {13, 0}, {37, 2}, {17, 0}}));

        QSignalSpy wheel(canvas.get(), &Vellum::MouseWheel);
        turnWheel(*canvas, QPointF(100, 100), 120);
        turnWheel(*canvas, QPointF(100, 100), -60);
        turnWheel(*canvas, QPointF(100, 100), -60);
        QCOMPARE(wheel, (QList<QVariantList> {{120}, {-120}}));

        QSignalSpy drops(canvas.get(), &Vellum::FileDrop);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(u"/tmp/drill.pdf"_s),
                      QUrl(u"https://example.org/x.png"_s),
                      QUrl::fromLocalFile(u"/tmp/scan.2024.jpeg"_s)});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(canvas.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas.get(), &drop);
        QCOMPARE(drops, (QList<QVariantList> {{u"/tmp/drill.pdf"_s}, {u"/tmp/scan.2024.jpeg"_s}}));
    }

    // A view set to the fit scale keeps it as the window changes size, with the same drawing
    // point at its top-left corner; any other scale stays as it was.
    void fitFollowsTheWindow_data()
    {
        QTest::addColumn<bool>("fit");
        QTest::addColumn<bool>("userZoom");
        QTest::newRow("fit") << true << false;
        QTest::newRow("fit, then Ctrl+wheel") << true << true;
        QTest::newRow("twice the fit") << false << false;
    }

    void fitFollowsTheWindow()
    {
        QFETCH(bool, fit);
        QFETCH(bool, userZoom);
        canvas->resize(300, 200);
        QCoreApplication::processEvents();
        addBox(*canvas, 100, 100, 144, 155, u"Box"_s);
        const float factor = fit ? 1.0f : 2.0f;
        canvas->SetZoomX(canvas->FitZoomX() * factor);
        canvas->SetZoomY(canvas->FitZoomY() * factor);
        canvas->SetViewX(canvas->ZoomX() * (100.0 - canvas->ExtentLeft()) / canvas->ExtentWidth());
        canvas->SetViewY(canvas->ZoomY() * (92.0 - canvas->ExtentTop()) / canvas->ExtentHeight());
        if (userZoom) {
            canvas->SetZoomMode(1);
            canvas->SetZoomEnabled(true);
            turnWheel(*canvas, QPointF(0, 0), 120, Qt::ControlModifier);
        }
        const float before = canvas->ZoomX();
        const QPointF corner = canvas->toPixels(100, 92);

        canvas->resize(1100, 750);
        QCoreApplication::processEvents();
        QVERIFY(canvas->FitZoomX() > before);
        if (fit && !userZoom) {
            QCOMPARE(canvas->ZoomX(), canvas->FitZoomX());
            QCOMPARE(canvas->ZoomY(), canvas->FitZoomY());
        } else {
            QCOMPARE(canvas->ZoomX(), before);
        }
        QVERIFY((canvas->toPixels(100, 92) - corner).manhattanLength() < 0.01);
    }

    // A change must reach the file, though saving the same drawing again reuses the bytes
    // written before; and as a change repaints only where it happened and names are laid
    // out once and kept, what the window then shows must equal a fresh canvas that read the
    // same drawing, with the same extent. Objects: the far corner, the shelf (current when
    // the change is made), 40 items. Rows that show: the change must be seen.
    void changeIsSavedAndShown_data()
    {
        QTest::addColumn<bool>("shows");
        QTest::addColumn<Change>("change");
        QTest::newRow("number property") << false << CHANGE(c.SetUserProperty(u"Value"_s, 7));
        QTest::newRow("select") << false << CHANGE(c.SetSelected(true));
        QTest::newRow("clear selection")
            << false << CHANGE(c.SetSelected(true); c.SaveDocument(d.saved); c.clearSelection());
        QTest::newRow("drag refused") << false << CHANGE(dragBy(c, d.ids.at(0), QPoint(0, 200));
                                                         c.SaveDocument(d.saved);
                                                         c.DropAction(5));
        QTest::newRow("load") << false << CHANGE(c.LoadDocument(d.saved + u"-missing"_s));

        QTest::newRow("new object") << true << CHANGE(addBox(c, 30, 30, 45, 40, u"New"_s);
                                                      c.SetFillColor(Qt::cyan);
                                                      c.SetLayer(3));
        QTest::newRow("moved")
            << true << CHANGE(c.SetCurrentObject(d.ids.at(5)); c.SetObjectRect(50, 60, 58, 66));
        QTest::newRow("moved beyond the edge") << true << CHANGE(
            c.SetCurrentObject(d.ids.at(7)); c.SetObjectRect(900, 800, 910, 806));
        QTest::newRow("dragged")
            << true << CHANGE(drag(c, centre(c, d.ids.last()), centre(c, d.ids.at(2))));
        QTest::newRow("click selects another")
            << true << CHANGE(click(c, centre(c, d.ids.at(11))));
        QTest::newRow("selection cleared") << true << CHANGE(c.clearSelection());
        QTest::newRow("colour and text") << true << CHANGE(c.SetCurrentObject(d.ids.at(14));
                                                           c.SetFillColor(Qt::red);
                                                           c.SetTextColor(Qt::white);
                                                           c.SetObjectText(u"Renamed"_s));
        QTest::newRow("renamed") << true << CHANGE(c.SetObjectText(u"Drill bits"_s));
        QTest::newRow("raised") << true << CHANGE(c.SetLayer(4));
        QTest::newRow("zoomed") << true << CHANGE(c.SetZoomX(c.FitZoomX() * 1.5f);
                                                  c.SetZoomY(c.FitZoomY() * 1.5f));
        QTest::newRow("deleted") << true << CHANGE(c.DeleteObject(d.ids.at(22)));
        QTest::newRow("edge shape moved inward")
            << true << CHANGE(c.SetCurrentObject(d.ids.at(0)); c.MoveObject(45, 45, 12288));
        QTest::newRow("edge shape deleted") << true << CHANGE(c.DeleteObject(d.ids.at(0)));
        QTest::newRow("many new objects") << true << CHANGE(for (int i = 0; i < 100; ++i) {
            addBox(c, 62 + i % 10 * 3, 5 + i / 10 * 4, 64 + i % 10 * 3, 8 + i / 10 * 4, u"N"_s);
        });
        QTest::newRow("many moved") << true << CHANGE(for (qint32 id : d.ids.mid(2)) {
            c.SetCurrentObject(id);
            c.MoveObject(3, 20, 12288);
        });
    }

    void changeIsSavedAndShown()
    {
        QFETCH(bool, shows);
        QFETCH(Change, change);
        QTemporaryDir dir;
        Drawing drawing {{}, dir.filePath(u"first"_s)};
        QList<qint32> &ids = drawing.ids;
        ids << addBox(*canvas, -40, -30, -20, -10, u"Far corner"_s);
        ids << addBox(*canvas, 10, 10, 60, 50, u"Shelf"_s);
        canvas->SetFillColor(QColor(192, 192, 192));
        canvas->SetLayer(2);
        for (int i = 0; i < 40; ++i) {
            ids << addBox(*canvas, 12 + (i % 8) * 6, 14 + (i / 8) * 7, 16 + (i % 8) * 6,
                          19 + (i / 8) * 7, u"Item %1"_s.arg(i));
            canvas->SetFillColor(QColor(255, 230, 150));
            canvas->SetDrawStyle(2);
            canvas->SetLayer(3);
        }
        canvas->SetSelected(true);
        canvas->SetZoomX(canvas->FitZoomX());
        canvas->SetZoomY(canvas->FitZoomY());
        canvas->SetViewX(0);
        canvas->SetViewY(0);
        const QImage before = onScreen(*canvas);
        QVERIFY(canvas->SaveDocument(drawing.saved));
        canvas->SetCurrentObject(ids.at(1));
        change(*canvas, drawing);
        const QImage after = onScreen(*canvas);
        if (shows)
            QVERIFY(after != before);
        const QByteArray changed = DocumentFile::write(canvas->objects());
        const QByteArray tag = QTest::currentDataTag();
        if (tag != "zoomed") // the view is no part of the document
            QVERIFY(fileBytes(drawing.saved) != changed);

        const QString second = dir.filePath(u"second"_s);
        QVERIFY(canvas->SaveDocument(second));
        auto fresh = shownCanvas();
        QVERIFY(fresh->LoadDocument(second));
        QCOMPARE(DocumentFile::write(fresh->objects()), changed);
        const auto extent = [](const Vellum &v) {
            return QList({v.ExtentLeft(), v.ExtentTop(), v.ExtentWidth(), v.ExtentHeight()});
        };
        QCOMPARE(extent(*fresh), extent(*canvas));
        fresh->SetZoomX(canvas->ZoomX());
        fresh->SetZoomY(canvas->ZoomY());
        fresh->SetViewX(canvas->ViewX());
        fresh->SetViewY(canvas->ViewY());
        QVERIFY(onScreen(*fresh) == after);
        // The pointer finds the same shape everywhere (after a drag the hit test looks
        // beneath the shapes just dropped, which a fresh canvas does not know of).
        if (tag.startsWith("drag"))
            return;
        for (int x = 5; x < canvas->width(); x += 10) {
            for (int y = 5; y < canvas->height(); y += 10) {
                canvas->SetCurrentObject(0);
                fresh->SetCurrentObject(0);
                canvas->HitTest(x, y, 0);
                fresh->HitTest(x, y, 0);
                QCOMPARE(canvas->CurrentObject(), fresh->CurrentObject());
            }
        }
    }
};

QTEST_MAIN(TestVellum)
#include "tst_vellum.moc"
