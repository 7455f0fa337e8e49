// The view onto the drawing: its extent, scale and corner, the mapping between canvas units
// and widget pixels, and the scroll bars that follow them.

#include "canvas/vellum_p.h"

#include <cmath>

using namespace VellumView;

namespace {

// One axis of a zoom the program sets: the fit scale is remembered as such, so that it
// follows the window; any other scale stays within bounds.
void zoomAxis(double &ppu, bool &atFit, float zoom, float fitZoom, qint32 extent, double fit)
{
    atFit = qFuzzyCompare(zoom, fitZoom);
    ppu = atFit ? fit : std::clamp(double(zoom) / extent, minimumPpu, maximumPpu);
}

} // namespace

qint32 Vellum::ExtentLeft() const
{
    return qint32(viewExtent(*this).left);
}

qint32 Vellum::ExtentTop() const
{
    return qint32(viewExtent(*this).top);
}

qint32 Vellum::ExtentWidth() const
{
    return qint32(std::min(viewExtent(*this).width, 2147483647.0));
}

qint32 Vellum::ExtentHeight() const
{
    return qint32(std::min(viewExtent(*this).height, 2147483647.0));
}

float Vellum::FitZoomX() const
{
    return float(ExtentWidth() * fitPpu(*this));
}

float Vellum::FitZoomY() const
{
    return float(ExtentHeight() * fitPpu(*this));
}

void Vellum::SetZoomX(float zoom)
{
    if (!(zoom > 0))
        return;
    v->fixScale(*this);
    zoomAxis(v->ppuX, v->atFitX, zoom, FitZoomX(), ExtentWidth(), fitPpu(*this));
    update();
}

float Vellum::ZoomX() const
{
    return float(v->scaleX(*this) * ExtentWidth());
}

void Vellum::SetZoomY(float zoom)
{
    if (!(zoom > 0))
        return;
    v->fixScale(*this);
    zoomAxis(v->ppuY, v->atFitY, zoom, FitZoomY(), ExtentHeight(), fitPpu(*this));
    update();
}

float Vellum::ZoomY() const
{
    return float(v->scaleY(*this) * ExtentHeight());
}

void Vellum::SetViewX(double x)
{
    v->originX = ExtentLeft() + x / v->scaleX(*this);
    update();
}

double Vellum::ViewX() const
{
    return (v->originX - ExtentLeft()) * v->scaleX(*this);
}

void Vellum::SetViewY(double y)
{
    v->originY = ExtentTop() + y / v->scaleY(*this);
    update();
}

double Vellum::ViewY() const
{
    return (v->originY - ExtentTop()) * v->scaleY(*this);
}

QPointF Vellum::toPixels(double x, double y) const
{
    return v->mapping(*this).toPixels(x, y);
}

QPointF Vellum::toUnits(const QPointF &pixel) const
{
    return {v->originX + pixel.x() / v->scaleX(*this), v->originY + pixel.y() / v->scaleY(*this)};
}

double Vellum::TwipsPerPixelX() const
{
    return 1440.0 / std::max(1, logicalDpiX());
}

double Vellum::TwipsPerPixelY() const
{
    return 1440.0 / std::max(1, logicalDpiY());
}

// The drawing follows the pointer: the point under the press stays under it.
void Vellum::View::panBy(const QWidget &w, const QPointF &pixels)
{
    fixScale(w);
    originX = panStart.x() - pixels.x() / ppuX;
    originY = panStart.y() - pixels.y() / ppuY;
}

// The drawing point under the pixel stays there; a user zoom is no longer the fit.
void Vellum::View::zoomAround(const Vellum &canvas, const QPointF &pixel, double factor)
{
    fixScale(canvas);
    const QPointF u = canvas.toUnits(pixel);
    atFitX = atFitY = false;
    ppuX = std::clamp(ppuX * factor, minimumPpu, maximumPpu);
    ppuY = std::clamp(ppuY * factor, minimumPpu, maximumPpu);
    originX = u.x() - pixel.x() / ppuX;
    originY = u.y() - pixel.y() / ppuY;
}

void Vellum::View::syncScrollBars(const Vellum &canvas)
{
    syncing = true;
    const int thickness = vBar->sizeHint().width();
    const int w = std::max(0, canvas.width() - thickness);
    const int h = std::max(0, canvas.height() - thickness);
    auto sync = [](QScrollBar *bar, double content, int page, double value) {
        const double limit = 1e9;
        value = std::clamp(value, -limit, limit);
        bar->setRange(int(std::min(0.0, std::floor(value))),
                      int(std::clamp(std::max(content - page, value), -limit, limit)));
        bar->setPageStep(std::max(1, page));
        bar->setValue(int(std::lround(value)));
    };
    sync(hBar, canvas.ZoomX(), w, canvas.ViewX());
    sync(vBar, canvas.ZoomY(), h, canvas.ViewY());
    syncing = false;
}

void Vellum::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int thickness = v->vBar->sizeHint().width();
    v->hBar->setGeometry(0, height() - thickness, width() - thickness, thickness);
    v->vBar->setGeometry(width() - thickness, 0, thickness, height() - thickness);
    // The fit scale follows the window; the drawing point at the top-left corner stays.
    if (v->atFitX)
        v->ppuX = fitPpu(*this);
    if (v->atFitY)
        v->ppuY = fitPpu(*this);
    v->syncScrollBars(*this);
    v->controls->place(viewport());
}
