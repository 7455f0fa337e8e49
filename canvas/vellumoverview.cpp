#include "canvas/vellumoverview.h"

#include "canvas/vellum.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace {

constexpr int padding = 4;

QRectF unitRect(const QRect &r)
{
    return QRectF(QPointF(r.topLeft()), QPointF(r.bottomRight()));
}

} // namespace

VellumOverview::VellumOverview(Vellum &canvas)
    : QWidget(&canvas)
    , mCanvas(canvas)
{
    setObjectName(QStringLiteral("overview"));
    setCursor(Qt::PointingHandCursor);
    // Not marked opaque, though the map covers it: an opaque child is cut out of the
    // canvas's paint region, and filling shapes clipped to that notched region costs the
    // canvas more than painting the corner under the map does.
    setToolTip(tr("Overview of the whole drawing: click or drag to go there"));
}

void VellumOverview::setLandmark(Landmark test, int minimum)
{
    mLandmark = std::move(test);
    mMinimum = minimum;
    if (collect())
        update();
}

bool VellumOverview::collect()
{
    std::vector<Mark> marks;
    for (const auto &object : mCanvas.objects()) {
        const VellumObject &o = *object;
        if (std::abs(o.x2 - o.x1) < mMinimum || std::abs(o.y2 - o.y1) < mMinimum
            || (mLandmark && !mLandmark(o)))
            continue;
        marks.push_back({QRect(QPoint(std::min(o.x1, o.x2), std::min(o.y1, o.y2)),
                               QPoint(std::max(o.x1, o.x2), std::max(o.y1, o.y2))),
                         o.fillColor.rgb(), o.textColor.rgb(), o.objectText});
    }
    if (marks == mMarks && mMapDrawing == drawing())
        return false;
    mMarks = std::move(marks);
    mMap = QPixmap();
    return true;
}

QRectF VellumOverview::drawing() const
{
    // The shapes with a little room around them, and the part on view wherever it is.
    const QRect shapes = mCanvas.extent();
    if (shapes.isNull())
        return mCanvas.visibleArea();
    QRectF d = unitRect(shapes);
    const double room = std::max(d.width(), d.height()) * 0.04 + 2;
    return d.adjusted(-room, -room, room, room).united(mCanvas.visibleArea());
}

QRectF VellumOverview::mapArea(const QRectF &d) const
{
    const QRectF area = QRectF(rect()).adjusted(padding, padding, -padding, -padding);
    if (d.width() <= 0 || d.height() <= 0 || area.isEmpty())
        return area;
    const double scale = std::min(area.width() / d.width(), area.height() / d.height());
    QRectF map(0, 0, d.width() * scale, d.height() * scale);
    map.moveCenter(area.center());
    return map;
}

QPointF VellumOverview::pixelOf(const QPointF &units) const
{
    const QRectF d = drawing();
    return pixelOf(units, mapArea(d), d);
}

QPointF VellumOverview::pixelOf(const QPointF &units, const QRectF &map, const QRectF &d)
{
    return {map.left() + (units.x() - d.left()) * map.width() / d.width(),
            map.top() + (units.y() - d.top()) * map.height() / d.height()};
}

QPointF VellumOverview::unitsAt(const QPointF &pixel) const
{
    const QRectF d = drawing();
    const QRectF map = mapArea(d);
    return {d.left() + (pixel.x() - map.left()) * d.width() / map.width(),
            d.top() + (pixel.y() - map.top()) * d.height() / map.height()};
}

void VellumOverview::drawMap(const QRectF &d)
{
    const qreal ratio = devicePixelRatioF();
    mMap = QPixmap(size() * ratio);
    mMap.setDevicePixelRatio(ratio);
    mMap.fill(QColor(250, 250, 247));
    mMapDrawing = d;
    const QRectF map = mapArea(d);
    auto shapeRect = [&](const Mark &mark) {
        const QRectF units = unitRect(mark.units);
        return QRectF(pixelOf(units.topLeft(), map, d), pixelOf(units.bottomRight(), map, d));
    };

    QPainter p(&mMap);
    p.setPen(QColor(200, 200, 195));
    p.drawRect(map.adjusted(-1, -1, 0, 0));
    QFont font = p.font();
    font.setPixelSize(9);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    std::vector<QRectF> labels;
    std::vector<QRectF> shapes;
    shapes.reserve(mMarks.size());
    for (const Mark &mark : mMarks) {
        const QRectF r = shapeRect(mark);
        shapes.push_back(r);
        p.fillRect(r.adjusted(0, 0, 1, 1), QColor(mark.fill));
        p.setPen(QColor(mark.fill).darker(170));
        p.drawRect(r);
    }
    // A name goes just under its shape where it overlaps no other name or shape and stays
    // on the map.
    for (size_t i = 0; i < mMarks.size(); ++i) {
        const Mark &mark = mMarks[i];
        if (mark.name.isEmpty())
            continue;
        const QRectF &r = shapes[i];
        // Names are laid out once: laying out text is the dearest part of a map with many.
        auto text = mLabels.constFind(mark.name);
        if (text == mLabels.cend()) {
            QStaticText laid(mark.name);
            laid.setTextFormat(Qt::PlainText);
            laid.prepare(QTransform(), font);
            text = mLabels.insert(mark.name, laid);
        }
        QRectF label(0, 0, text->size().width() + 2, metrics.height());
        label.moveCenter(QPointF(r.center().x(), r.bottom() + 1 + label.height() / 2));
        if (!rect().contains(label.toAlignedRect()))
            continue;
        if (std::any_of(labels.begin(), labels.end(),
                        [&label](const QRectF &l) { return l.intersects(label); }))
            continue;
        if (std::any_of(shapes.begin(), shapes.end(),
                        [&label](const QRectF &s) { return s.intersects(label); }))
            continue;
        labels.push_back(label);
        p.fillRect(label, QColor(255, 255, 255, 200));
        p.setPen(QColor(40, 40, 40));
        // On whole pixels: the glyphs drawn there before are drawn again from their cache.
        const QPointF at
            = label.topLeft() + QPointF(1, (label.height() - text->size().height()) / 2);
        p.drawStaticText(QPointF(std::round(at.x()), std::round(at.y())), *text);
    }
}

void VellumOverview::paintEvent(QPaintEvent *)
{
    const QRectF d = drawing();
    if (mMap.isNull() || mMap.deviceIndependentSize() != QSizeF(size()) || mMapDrawing != d)
        drawMap(d);
    QPainter p(this);
    p.drawPixmap(0, 0, mMap);

    // The part the canvas shows, at least a few pixels wide so that it can be seen.
    const QRectF seen = mCanvas.visibleArea();
    const QRectF map = mapArea(d);
    QRectF frame(pixelOf(seen.topLeft(), map, d), pixelOf(seen.bottomRight(), map, d));
    if (frame.width() < 4)
        frame.adjust(-2, 0, 2, 0);
    if (frame.height() < 4)
        frame.adjust(0, -2, 0, 2);
    p.setClipRect(rect().adjusted(1, 1, -1, -1));
    p.fillRect(frame, QColor(0, 120, 215, 40));
    p.setPen(QPen(QColor(0, 90, 190), 2));
    p.drawRect(frame);
    p.setClipping(false);
    p.setPen(QColor(120, 120, 120));
    p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

const VellumOverview::Mark *VellumOverview::markAt(const QPointF &pixel) const
{
    const QPointF u = unitsAt(pixel);
    for (auto it = mMarks.rbegin(); it != mMarks.rend(); ++it) {
        if (unitRect(it->units).adjusted(-2, -2, 2, 2).contains(u))
            return &*it;
    }
    return nullptr;
}

bool VellumOverview::event(QEvent *event)
{
    // A map too small for every name names the shape under the pointer.
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const Mark *mark = markAt(help->pos());
        QToolTip::showText(help->globalPos(),
                           mark && !mark->name.isEmpty() ? mark->name : toolTip(), this);
        return true;
    }
    return QWidget::event(event);
}

void VellumOverview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        mCanvas.centreOn(unitsAt(event->position()));
}

void VellumOverview::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        mCanvas.centreOn(unitsAt(event->position()));
}

void VellumOverview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    mMap = QPixmap();
}
