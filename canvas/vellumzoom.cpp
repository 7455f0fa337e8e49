// The user's own view: zoom around a point, the whole drawing, a point brought to the
// middle, scrolling by pixels. None of it depends on ZoomMode, ZoomEnabled or ViewFixed.

#include "canvas/vellumcontrols.h"
#include "canvas/vellum_p.h"

#include <cmath>

using namespace VellumView;

QRect Vellum::viewport() const
{
    const int thickness = v->vBar->sizeHint().width();
    return QRect(0, 0, std::max(0, width() - thickness), std::max(0, height() - thickness));
}

QRectF Vellum::visibleArea() const
{
    const QRect port = viewport();
    return QRectF(toUnits(QPointF(port.topLeft())),
                  toUnits(QPointF(port.right() + 1, port.bottom() + 1)));
}

void Vellum::zoomBy(double factor)
{
    zoomBy(factor, QRectF(viewport()).center());
}

void Vellum::zoomBy(double factor, const QPointF &around)
{
    if (!(factor > 0))
        return;
    v->zoomAround(*this, around, factor);
    update();
}

void Vellum::showWhole()
{
    // Every shape with a little room around it; an empty drawing shows its extent.
    QRectF whole;
    const QRect shapes = extent();
    if (shapes.isNull()) {
        const Extent e = viewExtent(*this);
        whole = QRectF(e.left, e.top, e.width, e.height);
    } else {
        whole = unitRect(shapes);
        const double room = std::max(4.0, std::max(whole.width(), whole.height()) * 0.03);
        whole.adjust(-room, -room, room, room);
    }
    const QRect port = viewport();
    if (port.isEmpty())
        return;
    const double ppu = std::clamp(std::min(port.width() / whole.width(),
                                           port.height() / whole.height()),
                                  minimumPpu, maximumPpu);
    v->fixScale(*this);
    v->atFitX = v->atFitY = false;
    v->ppuX = v->ppuY = ppu;
    centreOn(whole.center());
}

void Vellum::centreOn(const QPointF &units)
{
    v->fixScale(*this);
    const QPointF middle = QRectF(viewport()).center();
    v->originX = units.x() - middle.x() / v->ppuX;
    v->originY = units.y() - middle.y() / v->ppuY;
    update();
}

void Vellum::scrollByPixels(const QPointF &pixels)
{
    v->fixScale(*this);
    v->originX += pixels.x() / v->ppuX;
    v->originY += pixels.y() / v->ppuY;
    update();
}

void Vellum::setLandmark(std::function<bool(const VellumObject &)> test, int minimum)
{
    v->controls->setLandmark(std::move(test), minimum);
}

void Vellum::setEmptyHint(const QString &text)
{
    v->controls->setEmptyHint(text);
}

VellumControls &Vellum::controls() const
{
    return *v->controls;
}
