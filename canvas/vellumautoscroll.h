#pragma once

// Scrolling while dragging: while the pointer drags shapes near an edge of the canvas's
// viewport (or beyond it), the view moves that way, faster the nearer the pointer is to the
// edge, so that any part of the drawing can be reached in one drag. It stops where the
// drawing ends, and at once when the pointer leaves the edge band or the drag ends.

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QTimer>

#include <functional>

class Vellum;

class VellumAutoScroll : public QObject
{
    Q_OBJECT

public:
    static constexpr int band = 48;       // pixels from an edge where scrolling starts
    static constexpr int fastest = 36;    // pixels per step at the edge and beyond
    static constexpr int interval = 25;   // milliseconds between steps

    // step(pixel) moves the drag on after each scroll step, the pointer standing still.
    VellumAutoScroll(Vellum &canvas, std::function<void(const QPointF &)> step);

    // A drag starts on a drawing whose shapes lie within drawing (in units); scrolling keeps
    // to it even as the dragged shapes widen the drawing.
    void begin(const QRectF &drawing) { mDrawing = drawing; }
    // The pointer of the drag is at pixel now: scroll, or stop scrolling.
    void follow(const QPointF &pixel);
    void stop();
    bool active() const { return mTimer.isActive(); }

    // Pixels per step the view moves for a pointer at pixel in the viewport.
    static QPointF velocity(const QRect &viewport, const QPointF &pixel);

private:
    void tick();

    Vellum &mCanvas;
    std::function<void(const QPointF &)> mStep;
    QTimer mTimer;
    QPointF mPointer;
    QRectF mDrawing;
};
