#include "canvas/vellumautoscroll.h"

#include "canvas/vellum.h"

#include <algorithm>
#include <cmath>

namespace {

// One axis: negative near the low edge, positive near the high edge, growing to fastest at
// the edge; a viewport too small for two bands scrolls only beyond its edges.
double axisSpeed(double at, double low, double high)
{
    const double reach = std::min<double>(VellumAutoScroll::band, (high - low) / 3);
    const auto speed = [reach](double depth) {
        const double share = std::clamp(depth / std::max(reach, 1.0), 0.0, 1.0);
        return std::ceil(VellumAutoScroll::fastest * share * share);
    };
    if (at < low + reach)
        return -speed(low + reach - at);
    if (at > high - reach)
        return speed(at - (high - reach));
    return 0;
}

} // namespace

VellumAutoScroll::VellumAutoScroll(Vellum &canvas, std::function<void(const QPointF &)> step)
    : QObject(&canvas)
    , mCanvas(canvas)
    , mStep(std::move(step))
{
    mTimer.setInterval(interval);
    connect(&mTimer, &QTimer::timeout, this, &VellumAutoScroll::tick);
}

QPointF VellumAutoScroll::velocity(const QRect &viewport, const QPointF &pixel)
{
    if (viewport.isEmpty())
        return {};
    return {axisSpeed(pixel.x(), viewport.left(), viewport.right() + 1),
            axisSpeed(pixel.y(), viewport.top(), viewport.bottom() + 1)};
}

void VellumAutoScroll::follow(const QPointF &pixel)
{
    mPointer = pixel;
    if (velocity(mCanvas.viewport(), pixel).isNull())
        mTimer.stop();
    else if (!mTimer.isActive())
        mTimer.start();
}

void VellumAutoScroll::stop()
{
    mTimer.stop();
}

void VellumAutoScroll::tick()
{
    QPointF move = velocity(mCanvas.viewport(), mPointer);
    // A quarter of a view past the last shape is room enough to drop anything there.
    const QRectF seen = mCanvas.visibleArea();
    const QRectF &drawing = mDrawing;
    const double marginX = seen.width() / 4, marginY = seen.height() / 4;
    if ((move.x() < 0 && seen.left() <= drawing.left() - marginX)
        || (move.x() > 0 && seen.right() >= drawing.right() + marginX))
        move.setX(0);
    if ((move.y() < 0 && seen.top() <= drawing.top() - marginY)
        || (move.y() > 0 && seen.bottom() >= drawing.bottom() + marginY))
        move.setY(0);
    if (move.isNull())
        return;
    mCanvas.scrollByPixels(move);
    mStep(mPointer);
}
