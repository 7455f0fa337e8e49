// The canvas on its own: a Vellum shown offscreen, driven through its operations and the
// pointer, and its document written to disk and read back.

#include "canvas/model/documentfile.h"
#include "canvas/vellum.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>

#include <memory>

using namespace Qt::Literals::StringLiterals;

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

// Records the canvas's pointer events in the order they are raised.
struct Recorder
{
    QStringList log;
    explicit Recorder(Vellum &canvas)
    {
        QObject::connect(&canvas, &Vellum::MouseDown, [this](int b, int s, int x, int y) {
            log << u"down %1 %2 %3 %4"_s.arg(b).arg(s).arg(x).arg(y);
        });
        QObject::connect(&canvas, &Vellum::MouseUp, [this](int b, int s, int x, int y) {
            log << u"up %1 %2 %3 %4"_s.arg(b).arg(s).arg(x).arg(y);
        });
        QObject::connect(&canvas, &Vellum::Click, [this] { log << u"click"_s; });
    }
};

void drag(Vellum &canvas, QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = {})
{
    QTest::mousePress(&canvas, Qt::LeftButton, modifiers, from);
    for (int i = 1; i <= 6; ++i)
        QTest::mouseMove(&canvas, from + (to - from) * i / 6);
    QTest::mouseRelease(&canvas, Qt::LeftButton, modifiers, to);
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

} // namespace

class TestVellum : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void documentRoundTrip()
    {
        QTemporaryDir dir;
        const QString picturePath = dir.filePath(u"photo.png"_s);
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(QColor(20, 140, 200));
        image.setPixel(3, 4, qRgb(250, 10, 10));
        QVERIFY(image.save(picturePath));

        auto canvas = shownCanvas();
        const qint32 box = addBox(*canvas, 100, 120, 144, 167, u"Garage"_s);
        canvas->SetFillColor(QColor(192, 192, 192));
        canvas->SetTextColor(Qt::black);
        canvas->SetDrawStyle(2);
        canvas->SetFillMode(1);
        canvas->SetShapeParam(60);
        canvas->SetLayer(2);
        canvas->SetUserProperty(u"Boxes"_s, u"Garage\r\nAttic\r\n"_s);
        canvas->SetUserProperty(u"Colour"_s, 7);
        canvas->SetUserProperty(u"Value"_s, 12.5);
        const qint32 gone = addBox(*canvas, 1, 1, 3, 3, u"Gone"_s);
        const qint32 thing = addBox(*canvas, -5, -7, -3, -5, u"Größe ÄÖÜ 東京 ✓"_s);
        canvas->SetLayer(3);
        canvas->SetUserProperty(u"1"_s, u"C:\\Docs\\\"quoted\" name.pdf"_s);
        canvas->SetUserProperty(u"MovementHistory"_s, u" - Garage\r\n3/15/2026\r\n"_s);
        canvas->SetUserProperty(u"Header"_s, QString());
        QVERIFY(canvas->LoadPictureFile(picturePath, 1, 0));
        QVERIFY(canvas->AddObject(12, 50, 50, 55, 55));
        canvas->SetUserProperty(u"Type"_s, u"Pic"_s);
        QCOMPARE(canvas->current()->picture.size(), QSize(40, 30));
        QVERIFY(canvas->DeleteObject(gone));

        const QString file = dir.filePath(u"pic"_s);
        QVERIFY(canvas->SaveDocument(file));
        auto loaded = shownCanvas();
        QVERIFY(loaded->LoadDocument(file));

        // Every field of every object: both drawings write the same bytes.
        canvas->clearSelection();
        loaded->clearSelection();
        QCOMPARE(loaded->ObjectCount(1), canvas->ObjectCount(1));
        QCOMPARE(DocumentFile::write(loaded->objects()), DocumentFile::write(canvas->objects()));
        QVERIFY(loaded->SetCurrentObject(box));
        QCOMPARE(loaded->UserProperty(u"Boxes"_s), u"Garage\r\nAttic\r\n"_s);
        QCOMPARE(loaded->UserProperty(u"Value"_s), u"12.5"_s);
        QVERIFY(loaded->SetCurrentObject(thing));
        QCOMPARE(loaded->ObjectText(), u"Größe ÄÖÜ 東京 ✓"_s);
        QVERIFY(loaded->SetCurrentIndex(3));
        QCOMPARE(loaded->ObjectKind(), qint16(12));
        QCOMPARE(loaded->current()->picture.pixel(3, 4), qRgb(250, 10, 10));
        // Ids go on after the highest one, even when that object was deleted before saving.
        QVERIFY(loaded->AddObject(10, 0, 0, 1, 1));
        QCOMPARE(loaded->CurrentObject(), canvas->objects().back()->id + 1);
    }

    void pictureFileRefusesOtherFiles()
    {
        QTemporaryDir dir;
        QFile text(dir.filePath(u"notes.txt"_s));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Not a picture at all\n");
        text.close();
        auto canvas = shownCanvas();
        QVERIFY(!canvas->LoadPictureFile(text.fileName(), 1, 0));
        QVERIFY(!canvas->LoadPictureFile(dir.filePath(u"missing.png"_s), 1, 0));
        QVERIFY(canvas->AddObject(12, 0, 0, 5, 5));
        QVERIFY(canvas->current()->picture.isNull());
        QVERIFY(canvas->current()->pictureData.isEmpty());
    }

    void pressSelectsAndRaisesEventsInOrder()
    {
        auto canvas = shownCanvas();
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        addBox(*canvas, 30, 10, 40, 20, u"B"_s);
        canvas->SetCurrentObject(0);
        Recorder recorder(*canvas);
        const QPoint at = centre(*canvas, a);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, at);

        QCOMPARE(canvas->CurrentObject(), a);
        QCOMPARE(canvas->ObjectCount(2), 1);
        QVERIFY(canvas->objectById(a)->selected);
        const int tx = int(at.x() * canvas->TwipsPerPixelX());
        const int ty = int(at.y() * canvas->TwipsPerPixelY());
        QCOMPARE(recorder.log,
                 QStringList({u"down 1 0 %1 %2"_s.arg(tx).arg(ty),
                              u"up 1 0 %1 %2"_s.arg(tx).arg(ty), u"click"_s}));

        // A press on empty space clears the selection and makes no object current.
        recorder.log.clear();
        QTest::mousePress(canvas.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(700, 500));
        QCOMPARE(canvas->CurrentObject(), 0);
        QCOMPARE(canvas->ObjectCount(2), 1); // Shift keeps it
        QTest::mouseRelease(canvas.get(), Qt::RightButton, Qt::ShiftModifier, QPoint(700, 500));
        QTest::mouseClick(canvas.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(700, 500));
        QCOMPARE(canvas->ObjectCount(2), 0);
        QVERIFY(recorder.log.at(0).startsWith(u"down 3 1 "_s));
        QVERIFY(recorder.log.at(3).startsWith(u"down 4 0 "_s));
    }

    void modifiersAddAndToggle()
    {
        auto canvas = shownCanvas();
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        const qint32 b = addBox(*canvas, 30, 10, 40, 20, u"B"_s);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, centre(*canvas, a));
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::ShiftModifier, centre(*canvas, b));
        QCOMPARE(canvas->ObjectCount(2), 2);
        QCOMPARE(canvas->CurrentObject(), b);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::ControlModifier, centre(*canvas, a));
        QCOMPARE(canvas->ObjectCount(2), 1);
        QVERIFY(!canvas->objectById(a)->selected);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::ShiftModifier, centre(*canvas, a));
        // A plain click on one of several selected shapes selects it alone.
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, centre(*canvas, b));
        QCOMPARE(canvas->ObjectCount(2), 1);
        QVERIFY(canvas->objectById(b)->selected);
    }

    void dragMovesSelectionAndHitTestSkipsIt()
    {
        auto canvas = shownCanvas();
        const qint32 floor = addBox(*canvas, 0, 0, 100, 60, u"Floor"_s);
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        const qint32 b = addBox(*canvas, 30, 10, 40, 20, u"B"_s);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, centre(*canvas, a));
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::ShiftModifier, centre(*canvas, b));

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
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, centre(*canvas, a));
        QCOMPARE(hitId, a);
        canvas->DropAction(5);
        QCOMPARE(rectOf(*canvas, a), QRect(QPoint(10, 10), QPoint(20, 20)));
        QCOMPARE(canvas->HitTest(790, 590, 0), qint16(0));
        QCOMPARE(canvas->CurrentObject(), a);
    }

    void draggingEmptySpacePansTheView()
    {
        auto canvas = shownCanvas();
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
        auto canvas = shownCanvas();
        const qint32 stored = addBox(*canvas, 12, 12, 16, 16, u"Drill"_s);
        canvas->SetLayer(3);
        const qint32 body = addBox(*canvas, 0, 0, 44, 47, u"Shelf"_s);
        canvas->SetLayer(2);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, centre(*canvas, stored));
        QCOMPARE(canvas->CurrentObject(), stored);
        canvas->SetCurrentObject(stored);
        canvas->SetLayer(1);
        QTest::mouseClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, centre(*canvas, stored));
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
        auto canvas = shownCanvas();
        for (const QString &name : {u"Shelf"_s, u"shelf A"_s, u"Top shelf"_s, u"Garage"_s})
            addBox(*canvas, 0, 0, 5, 5, name);
        const qint32 before = canvas->CurrentObject();
        const qint32 id = canvas->FindObject(u"Name"_s, value, flags);
        QCOMPARE(canvas->ObjectCount(2), selected);
        if (found.isEmpty()) {
            QCOMPARE(id, 0);
            QCOMPARE(canvas->CurrentObject(), before);
        } else {
            QVERIFY(id > 0);
            QCOMPARE(canvas->CurrentObject(), id);
            QCOMPARE(canvas->UserProperty(u"Name"_s), found);
        }
    }

    void findObjectContinuesInDrawingOrder()
    {
        auto canvas = shownCanvas();
        QList<qint32> shelves;
        for (const QString &name : {u"Shelf 1"_s, u"Attic"_s, u"shelf 2"_s, u"SHELF 3"_s}) {
            const qint32 id = addBox(*canvas, 0, 0, 5, 5, name);
            if (name.startsWith(u"s"_s, Qt::CaseInsensitive))
                shelves << id;
        }
        canvas->SetCurrentObject(0);
        QList<qint32> found;
        for (int flags = 0;; flags = 256) {
            const qint32 id = canvas->FindObject(u"Name"_s, u"shelf"_s, flags);
            if (id < 1)
                break;
            found << id;
        }
        QCOMPARE(found, shelves);
        QCOMPARE(canvas->FindObject(u"Name"_s, u"shelf"_s, 256), 0);
        QCOMPARE(canvas->FindObject(u"Name"_s, u"shelf"_s, 0), shelves.first());
    }

    void viewStaysWhenTheExtentGrows()
    {
        auto canvas = shownCanvas();
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
        auto canvas = shownCanvas();
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

    void noCurrentObjectReadsEmptyAndRefusesWrites()
    {
        auto canvas = shownCanvas();
        addBox(*canvas, 0, 0, 5, 5, u"A"_s);
        QVERIFY(!canvas->SetCurrentObject(999));
        QCOMPARE(canvas->CurrentObject(), 0);
        QCOMPARE(canvas->UserProperty(u"Name"_s), QString());
        QVERIFY(!canvas->SetUserProperty(u"Name"_s, u"B"_s));
        QVERIFY(!canvas->SetFillColor(Qt::red));
        QVERIFY(!canvas->SetLayer(3));
        QVERIFY(!canvas->SetSelected(true));
        QVERIFY(!canvas->MoveObject(1, 1, 12288));
        qint32 x1 = 7, y1 = 7, x2 = 7, y2 = 7;
        QVERIFY(!canvas->GetObjectRect(x1, y1, x2, y2));
        QCOMPARE(x1, 7);
        QCOMPARE(canvas->ObjectKind(), qint16(0));
        QCOMPARE(canvas->ObjectCount(2), 0);
        QVERIFY(!canvas->SetCurrentIndex(2));
    }

    void numbersAsUserProperties()
    {
        auto canvas = shownCanvas();
        addBox(*canvas, 0, 0, 5, 5, u"A"_s);
        QVERIFY(canvas->SetUserProperty(u"Colour"_s, -32768));
        QCOMPARE(canvas->UserProperty(u"Colour"_s), u"-32768"_s);
        QVERIFY(!canvas->SetUserProperty(u"Colour"_s, 40000));
        QCOMPARE(canvas->UserProperty(u"Colour"_s), u"-32768"_s);
        QVERIFY(canvas->SetUserProperty(u"Value"_s, 0.1));
        QCOMPARE(canvas->UserProperty(u"Value"_s), u"0.1"_s);
        QVERIFY(canvas->SetUserProperty(u"Value"_s, 3.0));
        QCOMPARE(canvas->UserProperty(u"Value"_s), u"3"_s);
        QCOMPARE(canvas->UserProperty(u"18"_s), QString());
    }

    void idsSurviveDeletion()
    {
        auto canvas = shownCanvas();
        const qint32 a = addBox(*canvas, 0, 0, 5, 5, u"A"_s);
        const qint32 b = addBox(*canvas, 0, 0, 5, 5, u"B"_s);
        const qint32 c = addBox(*canvas, 0, 0, 5, 5, u"C"_s);
        QVERIFY(canvas->DeleteObject(c));
        QVERIFY(canvas->DeleteObject(a));
        QCOMPARE(canvas->CurrentObject(), 0);
        QVERIFY(canvas->AddObject(10, 0, 0, 1, 1));
        QCOMPARE(canvas->CurrentObject(), c + 1);
        QVERIFY(canvas->SetCurrentIndex(1));
        QCOMPARE(canvas->CurrentObject(), b);
        QCOMPARE(canvas->UserProperty(u"Name"_s), u"B"_s);
        QVERIFY(!canvas->SetCurrentObject(a));
    }

    void editModeTenPicksFirstSelected()
    {
        auto canvas = shownCanvas();
        const qint32 a = addBox(*canvas, 0, 0, 5, 5, u"A"_s);
        addBox(*canvas, 0, 0, 5, 5, u"B"_s);
        const qint32 c = addBox(*canvas, 0, 0, 5, 5, u"C"_s);
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
    }

    void keysWheelDoubleClickAndDrops()
    {
        auto canvas = shownCanvas();
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
        auto turn = [&canvas](int delta, Qt::KeyboardModifiers modifiers) {
            QWheelEvent event(QPointF(100, 100), canvas->mapToGlobal(QPointF(100, 100)), QPoint(),
                              QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
            QApplication::sendEvent(canvas.get(), &event);
        };
        turn(120, {});
        turn(-60, {});
        turn(-60, {});
        const float zoom = canvas->ZoomX();
        turn(120, Qt::ControlModifier); // zoom not enabled: a plain step
        canvas->SetZoomMode(1);
        canvas->SetZoomEnabled(true);
        turn(120, Qt::ControlModifier);
        QCOMPARE(wheel.count(), 3);
        QCOMPARE(wheel.at(0).at(0).toInt(), 120);
        QCOMPARE(wheel.at(1).at(0).toInt(), -120);
        QVERIFY(canvas->ZoomX() > zoom);

        QSignalSpy doubleClick(canvas.get(), &Vellum::DblClick);
        QTest::mouseDClick(canvas.get(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        QCOMPARE(doubleClick.count(), 1);

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
        QCOMPARE(drops.count(), 2);
        QCOMPARE(drops.at(0).at(0).toString(), u"/tmp/drill.pdf"_s);
        QCOMPARE(drops.at(1).at(0).toString(), u"/tmp/scan.2024.jpeg"_s);
    }

    // A view set to the fit scale keeps it as the window changes size, with the same drawing
    // point at its top-left corner; any other scale stays as it was.
    void fitFollowsTheWindow_data()
    {
        QTest::addColumn<bool>("fit");
        QTest::addColumn<bool>("userZoom");
        QTest::addColumn<bool>("follows");
        QTest::newRow("fit") << true << false << true;
        QTest::newRow("fit, then Ctrl+wheel") << true << true << false;
        QTest::newRow("twice the fit") << false << false << false;
    }

    void fitFollowsTheWindow()
    {
        QFETCH(bool, fit);
        QFETCH(bool, userZoom);
        QFETCH(bool, follows);
        auto canvas = shownCanvas();
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
            QWheelEvent event(QPointF(0, 0), canvas->mapToGlobal(QPointF(0, 0)), QPoint(),
                              QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(canvas.get(), &event);
        }
        const float before = canvas->ZoomX();
        const QPointF corner = canvas->toPixels(100, 92);

        canvas->resize(1100, 750);
        QCoreApplication::processEvents();
        QVERIFY(canvas->FitZoomX() > before);
        if (follows) {
            QCOMPARE(canvas->ZoomX(), canvas->FitZoomX());
            QCOMPARE(canvas->ZoomY(), canvas->FitZoomY());
        } else {
            QCOMPARE(canvas->ZoomX(), before);
        }
        QVERIFY((canvas->toPixels(100, 92) - corner).manhattanLength() < 0.01);
    }

    // Saving the same drawing again reuses the bytes written before; any change in between
    // must still reach the file.
    void changeAfterSaveIsSaved_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *row : {"property", "number property", "text", "fill", "text colour",
                                "outline", "fill mode", "corners", "layer", "rect", "move",
                                "select", "clear selection", "add", "delete", "drag",
                                "drag refused", "load"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }

    void changeAfterSaveIsSaved()
    {
        QFETCH(QString, change);
        QTemporaryDir dir;
        const QString first = dir.filePath(u"first"_s);
        const QString second = dir.filePath(u"second"_s);
        auto canvas = shownCanvas();
        const qint32 a = addBox(*canvas, 10, 10, 20, 20, u"A"_s);
        const qint32 b = addBox(*canvas, 30, 10, 40, 20, u"B"_s);
        QVERIFY(canvas->SaveDocument(first));
        canvas->SetCurrentObject(a);
        if (change == u"property")
            canvas->SetUserProperty(u"Name"_s, u"Changed"_s);
        else if (change == u"number property")
            canvas->SetUserProperty(u"Value"_s, 7);
        else if (change == u"text")
            canvas->SetObjectText(u"Changed"_s);
        else if (change == u"fill")
            canvas->SetFillColor(Qt::red);
        else if (change == u"text colour")
            canvas->SetTextColor(Qt::blue);
        else if (change == u"outline")
            canvas->SetDrawStyle(2);
        else if (change == u"fill mode")
            canvas->SetFillMode(1);
        else if (change == u"corners")
            canvas->SetShapeParam(50);
        else if (change == u"layer")
            canvas->SetLayer(3);
        else if (change == u"rect")
            canvas->SetObjectRect(11, 12, 21, 22);
        else if (change == u"move")
            canvas->MoveObject(5, 0, 12288);
        else if (change == u"select")
            canvas->SetSelected(true);
        else if (change == u"add")
            canvas->AddObject(10, 50, 50, 54, 54);
        else if (change == u"delete")
            canvas->DeleteObject(b);
        else if (change == u"load")
            canvas->LoadDocument(dir.filePath(u"missing"_s));
        if (change == u"clear selection") {
            canvas->SetSelected(true);
            QVERIFY(canvas->SaveDocument(first));
            canvas->clearSelection();
        }
        if (change.startsWith(u"drag")) {
            drag(*canvas, centre(*canvas, a), centre(*canvas, a) + QPoint(0, 200));
            if (change == u"drag refused") {
                QVERIFY(canvas->SaveDocument(first));
                canvas->DropAction(5);
            }
        }
        const QByteArray changed = DocumentFile::write(canvas->objects());
        QVERIFY(canvas->SaveDocument(second));

        Vellum reader;
        QVERIFY(reader.LoadDocument(second));
        QCOMPARE(DocumentFile::write(reader.objects()), changed);
        QFile before(first);
        QVERIFY(before.open(QIODevice::ReadOnly));
        QVERIFY(before.readAll() != changed);
    }

    // A change repaints only where it happened; what the window then shows must equal a
    // fresh canvas that read the same drawing, and the extent must be the same too.
    void screenMatchesAFreshDrawing_data()
    {
        QTest::addColumn<QString>("change");
        for (const char *change :
             {"new object", "moved", "moved beyond the edge", "dragged", "click selects another",
              "selection cleared", "colour and text", "raised", "deleted",
              "edge shape moved inward", "edge shape deleted", "many new objects", "many moved"})
            QTest::newRow(change) << QString::fromLatin1(change);
    }

    void screenMatchesAFreshDrawing()
    {
        QFETCH(QString, change);
        auto canvas = shownCanvas();
        const qint32 edge = addBox(*canvas, -40, -30, -20, -10, u"Far corner"_s);
        const qint32 body = addBox(*canvas, 10, 10, 60, 50, u"Shelf"_s);
        canvas->SetFillColor(QColor(192, 192, 192));
        canvas->SetLayer(2);
        QList<qint32> stored;
        for (int i = 0; i < 40; ++i) {
            stored << addBox(*canvas, 12 + (i % 8) * 6, 14 + (i / 8) * 7, 16 + (i % 8) * 6,
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

        if (change == u"new object") {
            addBox(*canvas, 30, 30, 45, 40, u"New"_s);
            canvas->SetFillColor(Qt::cyan);
            canvas->SetLayer(3);
        } else if (change == u"moved") {
            canvas->SetCurrentObject(stored.at(3));
            canvas->SetObjectRect(50, 60, 58, 66);
        } else if (change == u"moved beyond the edge") {
            canvas->SetCurrentObject(stored.at(5));
            canvas->SetObjectRect(900, 800, 910, 806);
        } else if (change == u"dragged") {
            drag(*canvas, centre(*canvas, stored.last()), centre(*canvas, stored.first()));
        } else if (change == u"click selects another") {
            QTest::mouseClick(canvas.get(), Qt::LeftButton, {}, centre(*canvas, stored.at(9)));
        } else if (change == u"selection cleared") {
            canvas->clearSelection();
        } else if (change == u"colour and text") {
            canvas->SetCurrentObject(stored.at(12));
            canvas->SetFillColor(Qt::red);
            canvas->SetTextColor(Qt::white);
            canvas->SetObjectText(u"Renamed"_s);
        } else if (change == u"raised") {
            canvas->SetCurrentObject(body);
            canvas->SetLayer(4);
        } else if (change == u"deleted") {
            canvas->DeleteObject(stored.at(20));
        } else if (change == u"edge shape moved inward") {
            canvas->SetCurrentObject(edge);
            canvas->MoveObject(45, 45, 12288);
        } else if (change == u"edge shape deleted") {
            canvas->DeleteObject(edge);
        } else if (change == u"many new objects") {
            for (int i = 0; i < 100; ++i)
                addBox(*canvas, 62 + i % 10 * 3, 5 + i / 10 * 4, 64 + i % 10 * 3, 8 + i / 10 * 4,
                       u"N"_s);
        } else if (change == u"many moved") {
            for (qint32 id : stored) {
                canvas->SetCurrentObject(id);
                canvas->MoveObject(3, 20, 12288);
            }
        }
        const QImage after = onScreen(*canvas);
        QVERIFY(after != before);

        QTemporaryDir dir;
        QVERIFY(canvas->SaveDocument(dir.filePath(u"pic"_s)));
        auto fresh = shownCanvas();
        QVERIFY(fresh->LoadDocument(dir.filePath(u"pic"_s)));
        QCOMPARE(fresh->ExtentLeft(), canvas->ExtentLeft());
        QCOMPARE(fresh->ExtentTop(), canvas->ExtentTop());
        QCOMPARE(fresh->ExtentWidth(), canvas->ExtentWidth());
        QCOMPARE(fresh->ExtentHeight(), canvas->ExtentHeight());
        fresh->SetZoomX(canvas->ZoomX());
        fresh->SetZoomY(canvas->ZoomY());
        fresh->SetViewX(canvas->ViewX());
        fresh->SetViewY(canvas->ViewY());
        QVERIFY(onScreen(*fresh) == after);
        // The pointer finds the same shape everywhere (after a drag the hit test looks
        // beneath the shapes just dropped, which a fresh canvas does not know of).
        if (change == u"dragged")
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

    // Names are laid out once and kept: a change of text, rectangle or scale must show.
    void repaintShowsTheChange_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("text") << u"text"_s;
        QTest::newRow("rect") << u"rect"_s;
        QTest::newRow("zoom") << u"zoom"_s;
    }

    void repaintShowsTheChange()
    {
        QFETCH(QString, change);
        auto build = [](Vellum &canvas) {
            canvas.AddObject(10, 2, 2, 22, 12);
            canvas.SetObjectText(u"Saws"_s);
            canvas.SetFillColor(QColor(255, 230, 150));
            canvas.SetDrawStyle(2);
            canvas.SetZoomX(canvas.FitZoomX());
            canvas.SetZoomY(canvas.FitZoomY());
        };
        auto alter = [&change](Vellum &canvas) {
            if (change == u"text")
                canvas.SetObjectText(u"Drill bits"_s);
            else if (change == u"rect")
                canvas.SetObjectRect(2, 2, 30, 12);
            canvas.SetZoomX(canvas.FitZoomX() * (change == u"zoom" ? 1.5f : 1.0f));
            canvas.SetZoomY(canvas.FitZoomY() * (change == u"zoom" ? 1.5f : 1.0f));
        };
        auto changed = shownCanvas();
        build(*changed);
        const QImage first = changed->grab().toImage();
        alter(*changed);
        const QImage second = changed->grab().toImage();
        auto fresh = shownCanvas();
        build(*fresh);
        alter(*fresh);
        QVERIFY(second != first);
        QCOMPARE(second, fresh->grab().toImage());
    }
};

QTEST_MAIN(TestVellum)
#include "tst_vellum.moc"
