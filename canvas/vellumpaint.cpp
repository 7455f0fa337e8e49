#include "canvas/vellumview_p.h"

#include <QPaintEvent>
#include <QPainter>

using namespace VellumView;

namespace {

const QColor selectionBlue(0, 120, 215);

QColor outlineFor(const QColor &fill)
{
    return fill.lightness() < 40 ? QColor(70, 70, 70) : fill.darker(160);
}

void paintText(QPainter &p, const VellumObject &o, const QRectF &r)
{
    const double pad = std::min(r.width(), r.height()) * 0.08 + 1;
    const QRectF box = r.adjusted(pad, pad, -pad, -pad);
    double size = std::min(box.height() * 0.5, 40.0);
    if (size < 5 || box.width() < 8)
        return;
    QString text = o.objectText;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Shrink a long text to fit, but never below a readable size: elide instead. Glyph
    // widths do not scale exactly with the size, so a few smaller steps may follow.
    const int smallest = int(std::min(size, 7.0));
    // Shaping a text is most of the cost of painting thousands of objects: a width already
    // measured at the font as it stands is not measured again.
    QFont font = p.font();
    font.setPixelSize(int(size));
    double wide = QFontMetricsF(font).horizontalAdvance(text);
    bool measured = true;   // wide belongs to the font as it stands
    if (wide > box.width()) {
        font.setPixelSize(std::max(smallest, int(size * box.width() / wide)));
        measured = font.pixelSize() == int(size);
    }
    for (int i = 0; i < 4 && font.pixelSize() > smallest; ++i) {
        if (!measured)
            wide = QFontMetricsF(font).horizontalAdvance(text);
        measured = true;
        if (wide <= box.width())
            break;
        font.setPixelSize(font.pixelSize() - 1);
        measured = false;
    }
    // A text that fits needs no eliding (U+009C separates variants that elidedText picks).
    const bool fits = measured && wide <= box.width() && !text.contains(QChar(0x9c));
    p.setFont(font);
    p.setPen(o.textColor);
    p.drawText(box, Qt::AlignCenter | Qt::TextSingleLine,
               fits ? text : QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width()));
}

void paintSelection(QPainter &p, const QRectF &r)
{
    const QRectF frame = r.adjusted(-2.5, -2.5, 2.5, 2.5);
    QPen dashed(selectionBlue, 1, Qt::DashLine);
    dashed.setCosmetic(true);
    p.setPen(dashed);
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);

    std::vector<QPointF> handles
        = {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight()};
    if (frame.width() > 24 && frame.height() > 24) {
        const QPointF c = frame.center();
        handles.insert(handles.end(),
                       {QPointF(c.x(), frame.top()), QPointF(c.x(), frame.bottom()),
                        QPointF(frame.left(), c.y()), QPointF(frame.right(), c.y())});
    }
    p.setPen(QPen(selectionBlue, 1));
    p.setBrush(Qt::white);
    for (const QPointF &h : handles)
        p.drawRect(QRectF(h.x() - 3, h.y() - 3, 6, 6));
}

// Whole pixels keep edges crisp; a shape never shrinks below one pixel.
QRectF snapped(const QRectF &r)
{
    const double left = std::round(r.left());
    const double top = std::round(r.top());
    return QRectF(left, top, std::max(1.0, std::round(r.right()) - left),
                  std::max(1.0, std::round(r.bottom()) - top));
}

void paintRectangle(QPainter &p, const VellumObject &o, const QRectF &r)
{
    if (r.width() < 3 && r.height() < 3) {
        p.fillRect(r, o.fillColor);
        return;
    }
    const double param = std::clamp<double>(o.shapeParam, 0, 200);
    const double radius = std::min(r.width(), r.height()) * param / 400.0;
    if (o.drawStyle != 0) {
        QPen pen(outlineFor(o.fillColor), 1);
        pen.setCosmetic(true);
        p.setPen(pen);
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(o.fillColor);
    const QRectF shape = o.drawStyle != 0 ? r.adjusted(0.5, 0.5, -0.5, -0.5) : r;
    if (radius < 0.5)
        p.drawRect(shape);
    else
        p.drawRoundedRect(shape, radius, radius);
    if (!o.objectText.isEmpty())
        paintText(p, o, r);
}

void paintMissingPicture(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(170, 170, 170), 1));
    p.setBrush(QColor(238, 238, 238));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.drawLine(r.topLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomLeft());
}

void paintGrid(QPainter &p, const QRectF &units, const Mapping &m)
{
    double step = 10;
    while (step * m.sx < 12 || step * m.sy < 12)
        step *= 5;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(228, 234, 242), 0));
    const QRectF pixels = m.toPixels(units);
    for (double x = std::floor(units.left() / step) * step; x <= units.right(); x += step) {
        const double px = std::round(m.toPixels(x, 0).x());
        p.drawLine(QPointF(px, pixels.top()), QPointF(px, pixels.bottom()));
    }
    for (double y = std::floor(units.top() / step) * step; y <= units.bottom(); y += step) {
        const double py = std::round(m.toPixels(0, y).y());
        p.drawLine(QPointF(pixels.left(), py), QPointF(pixels.right(), py));
    }
    p.restore();
}

// The picture fitted into its rectangle, keeping its proportions, centred.
QRectF fittedRect(const QSize &image, const QRectF &r)
{
    QSizeF size = QSizeF(image).scaled(r.size(), Qt::KeepAspectRatio);
    return QRectF(r.center() - QPointF(size.width(), size.height()) / 2, size);
}

} // namespace

// Downscaled copies are made once with a good filter; painting a large photograph into a
// few pixels every time would be slow and grainy.
QPixmap Vellum::View::scaledPicture(const VellumObject &o, const QSize &size, qreal ratio)
{
    const QSize device = (QSizeF(size) * ratio).toSize();
    ScaledPicture &entry = pictures[o.id];
    if (entry.imageKey != o.picture.cacheKey() || entry.size != device) {
        if (pictures.size() > 512) {
            pictures.clear();
            return scaledPicture(o, size, ratio);
        }
        entry.imageKey = o.picture.cacheKey();
        entry.size = device;
        entry.pixmap = QPixmap::fromImage(
            o.picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        entry.pixmap.setDevicePixelRatio(ratio);
    }
    return entry.pixmap;
}

void Vellum::paintEvent(QPaintEvent *event)
{
    v->syncScrollBars(*this);

    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                     | QPainter::SmoothPixmapTransform);

    const Mapping m = v->mapping(*this);
    const QRectF area = QRectF(event->rect()).adjusted(-8, -8, 8, 8);
    const QRectF units(toUnits(area.topLeft()), toUnits(area.bottomRight()));
    if (CanvasOptions() & 64)
        paintGrid(p, units, m);

    auto visible = [&units](const QRectF &u) {
        return u.right() >= units.left() && u.left() <= units.right() && u.bottom() >= units.top()
            && u.top() <= units.bottom();
    };
    const auto &order = paintOrder();
    for (const VellumObject *o : order) {
        const QRectF u = unitRect(*o);
        if (!visible(u))
            continue;
        const QRectF r = snapped(m.toPixels(u));
        if (o->kind != 12) {
            paintRectangle(p, *o, r);
        } else if (o->picture.isNull()) {
            paintMissingPicture(p, r);
        } else {
            const QRectF target = fittedRect(o->picture.size(), r);
            if (target.width() < o->picture.width() && target.height() < o->picture.height()) {
                p.drawPixmap(target.topLeft(),
                             v->scaledPicture(*o, target.size().toSize(), devicePixelRatioF()));
            } else {
                p.drawImage(target, o->picture);
            }
            if (o->drawStyle != 0) {
                p.setPen(QPen(QColor(150, 150, 150), 1));
                p.setBrush(Qt::NoBrush);
                p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
            }
        }
    }
    if (ObjectCount(2) == 0)
        return;
    for (const VellumObject *o : order) {
        if (o->selected && visible(unitRect(*o)))
            paintSelection(p, snapped(m.toPixels(unitRect(*o))));
    }
}
