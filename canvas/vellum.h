#pragma once

// Vellum, Ambrook's drawing component: the document model (VellumModel) shown in a
// widget that turns the pointer into the canvas's own behaviour and its events.
//
// Pointer behaviour: a press on a shape (the topmost in painting order) selects it alone
// (Shift adds it, Ctrl toggles it), makes it current and raises MouseDown; a press on one
// of several selected shapes keeps the group for a drag and selects the shape alone at a
// release without movement. A press on empty space clears the selection (not with Shift or
// Ctrl held) and makes no object current. Dragging with the left button moves the
// selection in whole canvas units; the canvas moves it itself, then raises MouseUp, then
// Click. A left drag from empty space, or any middle-button drag, pans the view.
// A double-click raises DblClick. Key releases raise KeyUp with the classic virtual key
// codes (Delete 46, Enter 13, Escape 27, arrows 37 .. 40, digits 48 .. 57, letters
// 65 .. 90). The wheel raises MouseWheel, 120 a notch away from the user and -120 towards
// (small steps of a touchpad add up to whole notches). Files dropped from a file manager
// raise FileDrop once per local file.
//
// Units: objects are in canvas units. MouseDown and MouseUp report twips
// (pixels x TwipsPerPixel, TwipsPerPixel = 1440 / logical DPI); HitTest takes pixels of
// the widget. Button codes: 1 left, 3 right, 4 middle. Shift: 1 Shift, 2 Ctrl, 4 Alt.
//
// View: the extent is the bounding box of all objects united with (0, 0) - (700, 700), so
// it is never empty. ZoomX and ZoomY are the size in pixels of the whole extent at the
// current scale (pixels per unit = ZoomX / ExtentWidth); ViewX and ViewY are the pixel
// offset of the view's top-left corner from the extent's top-left corner. So
//     ViewX = ZoomX * (x - ExtentLeft) / ExtentWidth
// brings drawing point x to the view's left edge. The view keeps its scale and its corner
// when objects move and the extent grows. FitZoomX and FitZoomY give the working scale,
// max(4, min(width / 110, height / 75)) pixels per unit, at which one box (44 x 55 units)
// with its surroundings fills the view, so a 4 x 4 object is at least 16 pixels on
// screen. Until the program or the user sets a zoom the view shows the drawing's origin
// at that scale. The scroll bars and panning move the view freely.
//
// The user zooms at any time: Ctrl + wheel and a touchpad pinch around the pointer,
// Ctrl+plus, Ctrl+minus and Ctrl+0 (the whole drawing), or the buttons at the top right.
// The overview at the bottom right (Ctrl+M shows or hides it) moves the view where it is
// clicked. While shapes are dragged near an edge of the view, the view scrolls that way.
//
// Switches, none of which breaks pressing, dragging, selecting or the user's own zoom:
// - ZoomMode 0: the program sets the zoom; 1: the user zooms too. Kept for the program;
//   ZoomEnabled likewise.
// - ViewFixed true: the view stays where the program put it until the user pans
//   (middle button drag or the scroll bars); false: same, it only marks the view as free.
// - PointerArmed: true between a press and the next key release; it marks that the next
//   drag may move objects. Dragging works either way.
// - PointerSetting: 100 shows the arrow/hand pointer (an open hand over a shape, a closed
//   hand while dragging), 0 the plain arrow.
// - DropAction(5): refuses the drop that just ended: the dragged objects go back where
//   they were before the drag. Other values do nothing.
// - CanvasOptions bit 64 draws a light grid every 10 units (start value 64).

#include "canvas/model/vellummodel.h"

#include <QPointF>
#include <QWidget>

#include <functional>

class VellumControls;

class Vellum : public QWidget, public VellumModel
{
    Q_OBJECT

public:
    explicit Vellum(QWidget *parent = nullptr);
    ~Vellum() override;

    // Topmost object under the pixel point (skipping the objects that the drag just ended
    // moved), made current; 0 when there is none.
    qint16 HitTest(int px, int py, int flags);

    void SetViewX(double x);
    double ViewX() const;
    void SetViewY(double y);
    double ViewY() const;
    void SetZoomX(float zoom);
    float ZoomX() const;
    void SetZoomY(float zoom);
    float ZoomY() const;
    float FitZoomX() const;
    float FitZoomY() const;
    qint32 ExtentLeft() const;
    qint32 ExtentTop() const;
    qint32 ExtentWidth() const;
    qint32 ExtentHeight() const;

    void SetZoomMode(int mode);
    int ZoomMode() const;
    void SetZoomEnabled(bool on);
    bool ZoomEnabled() const;
    void SetViewFixed(bool on);
    bool ViewFixed() const;
    void SetPointerArmed(bool on);
    bool PointerArmed() const;
    void SetPointerSetting(qint16 setting);
    qint16 PointerSetting() const;
    void DropAction(int action);
    void Refresh();

    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    // Canvas units to widget pixels and back, at the current view.
    QPointF toPixels(double x, double y) const;
    QPointF toUnits(const QPointF &pixel) const;

    // The user's own view, whatever ZoomMode, ZoomEnabled and ViewFixed say: the widget
    // less its scroll bars, the drawing it shows, a zoom around a pixel point (the middle by
    // default) that keeps the drawing point there, every shape at once, a drawing point
    // brought to the middle, a scroll by pixels.
    QRect viewport() const;
    QRectF visibleArea() const;
    void zoomBy(double factor);
    void zoomBy(double factor, const QPointF &around);
    void showWhole();
    void centreOn(const QPointF &units);
    void scrollByPixels(const QPointF &pixels);
    // The shapes the overview shows (no overview until set), and the hint shown while no
    // shape passes that test ("" for none). Shapes narrower or lower than minimum units are
    // never landmarks and are not tested, and a change confined to such shapes leaves the
    // landmarks as they are.
    void setLandmark(std::function<bool(const VellumObject &)> test, int minimum = 0);
    void setEmptyHint(const QString &text);
    VellumControls &controls() const;

signals:
    void Click();
    void DblClick();
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void FileDrop(const QString &path);
    void MouseWheel(int delta);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void documentReplaced() override;
    void areaChanged(const QRect *units) override;

private:
    void dragTo(const QPointF &pixel); // the dragged shapes follow the pointer at pixel
    struct View;
    std::unique_ptr<View> v;
};
