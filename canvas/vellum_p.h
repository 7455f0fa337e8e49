#pragma once

// Inner state of the Vellum widget, shared by its view geometry, its pointer and key code
// and its painting.

#include "canvas/vellum.h"
#include "canvas/vellumautoscroll.h"
#include "canvas/vellumcontrols.h"

#include <QFont>
#include <QPixmap>
#include <QScrollBar>
#include <QStaticText>

#include <algorithm>
#include <set>
#include <unordered_map>
#include <vector>

namespace VellumView {

inline constexpr double extentMinimum = 700.0; // the extent always covers (0,0)-(700,700)
inline constexpr double minimumPpu = 0.02;
inline constexpr double maximumPpu = 400.0;

struct Before
{
    qint32 id;
    qint32 x1, y1, x2, y2;
};

struct ScaledPicture
{
    qint64 imageKey = 0;
    QSize size;
    QPixmap pixmap;
};

// A name laid out once for its object's size on screen; shaping it again at every paint
// would be most of the cost of a repaint.
struct LaidText
{
    QString source;
    QSize rectSize; // the object's rectangle in pixels when laid out
    QFont font;
    QStaticText text;
    QPointF offset; // from the rectangle's centre to the text's top-left corner
};

// A normalised rectangle in units as the span from its first to its last unit.
inline QRectF unitRect(const QRect &box)
{
    return QRectF(QPointF(box.topLeft()), QPointF(box.bottomRight()));
}

inline bool contains(const QRect &box, const QPointF &u)
{
    return u.x() >= box.left() && u.x() <= box.right() && u.y() >= box.top()
        && u.y() <= box.bottom();
}

// The topmost shape under a drawing point, passing over the ids in skip.
inline VellumObject *topmostAt(const VellumModel &model, const QPointF &u,
                               const std::set<qint32> *skip = nullptr)
{
    const auto &boxes = model.paintBoxes();
    const auto &order = model.paintOrder();
    for (size_t i = boxes.size(); i-- > 0;) {
        if (!contains(boxes[i], u))
            continue;
        if (skip && !skip->empty() && skip->count(order[i]->id))
            continue;
        return order[i];
    }
    return nullptr;
}

struct Extent
{
    double left, top, width, height;
};

inline Extent viewExtent(const VellumModel &model)
{
    const QRect e = model.extent();
    double left = 0, top = 0, right = extentMinimum, bottom = extentMinimum;
    if (!e.isNull()) {
        left = std::min(left, double(e.left()));
        top = std::min(top, double(e.top()));
        right = std::max(right, double(e.right()));
        bottom = std::max(bottom, double(e.bottom()));
    }
    return {left, top, right - left, bottom - top};
}

inline double fitPpu(const QWidget &widget)
{
    return std::max(4.0, std::min(widget.width() / 110.0, widget.height() / 75.0));
}

// Canvas units to widget pixels.
struct Mapping
{
    double ox, oy, sx, sy;
    QPointF toPixels(double x, double y) const { return {(x - ox) * sx, (y - oy) * sy}; }
    QRectF toPixels(const QRectF &r) const
    {
        return QRectF(toPixels(r.left(), r.top()), toPixels(r.right(), r.bottom()));
    }
};

} // namespace VellumView

struct Vellum::View
{
    double ppuX = 0; // pixels per unit once a zoom has been set
    double ppuY = 0;
    bool zoomSet = false; // until then the scale follows the fit
    double originX = 0; // drawing point at the view's top-left corner
    double originY = 0;

    int zoomMode = 0;
    bool zoomEnabled = false;
    bool viewFixed = false;
    bool pointerArmed = false;
    qint16 pointerSetting = 100;

    Qt::MouseButton pressButton = Qt::NoButton;
    QPointF pressPos;
    qint32 pressedId = 0;
    bool selectAloneOnRelease = false;
    bool dragging = false; // moving the selection
    bool panning = false;
    QPointF panStart;
    QPointF pressUnits; // the drawing point pressed: a drag follows it while the view scrolls
    QPoint dragDelta; // whole units moved so far
    std::vector<VellumView::Before> moving;

    std::set<qint32> lastMoved; // moved by the drag that ended last
    std::vector<VellumView::Before> lastBefore;

    VellumControls *controls = nullptr;
    VellumAutoScroll *autoScroll = nullptr;
    int wheelRest = 0;
    QScrollBar *hBar = nullptr;
    QScrollBar *vBar = nullptr;
    bool syncing = false;
    Qt::CursorShape cursor = Qt::ArrowCursor;
    std::unordered_map<qint32, VellumView::ScaledPicture> pictures;
    std::unordered_map<qint32, VellumView::LaidText> texts;
    // Changes since the last paint: a few shapes repaint only where they stand; many, or a
    // change of the whole drawing, repaint everything.
    int partsPending = 0;
    bool wholePending = false;

    // Set while the scale is the fit one that the program asked for: a resize then keeps
    // the fit (and the drawing point at the top-left corner). A user zoom ends it.
    bool atFitX = false;
    bool atFitY = false;

    double scaleX(const QWidget &w) const { return zoomSet ? ppuX : VellumView::fitPpu(w); }
    double scaleY(const QWidget &w) const { return zoomSet ? ppuY : VellumView::fitPpu(w); }
    VellumView::Mapping mapping(const QWidget &w) const
    {
        return {originX, originY, scaleX(w), scaleY(w)};
    }
    void fixScale(const QWidget &w)
    {
        if (!zoomSet) {
            ppuX = ppuY = VellumView::fitPpu(w);
            zoomSet = true;
        }
    }
    void showPointer(QWidget &w, Qt::CursorShape shape)
    {
        if (shape != cursor) {
            cursor = shape;
            w.setCursor(shape);
        }
    }
    // The press is over: nothing is being dragged or panned.
    void endPress()
    {
        autoScroll->stop();
        pressButton = Qt::NoButton;
        dragging = panning = false;
        moving.clear();
    }

    // Sets each object to its rectangle from before, moved by the given units; the current
    // object stays current.
    void place(Vellum &canvas, const std::vector<VellumView::Before> &objects, QPoint by);

    // Pointer (velluminput.cpp).
    void showRestingPointer(Vellum &canvas, const QPointF &pixel);

    // View geometry (vellumview.cpp).
    void syncScrollBars(const Vellum &canvas);
    void panBy(const QWidget &w, const QPointF &pixels);
    void zoomAround(const Vellum &canvas, const QPointF &pixel, double factor);

    // Painting (vellumpaint.cpp).
    QPixmap scaledPicture(const VellumObject &o, const QSize &size, qreal ratio);
    void repaintChanged(Vellum &canvas, const QRect *units);
};
