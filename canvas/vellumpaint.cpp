#include "canvas/vellum_p.h"

#include <QPaintEvent>
#include <QPainter>

using namespace VellumView;

namespace {

const QColor selectionBlue(0, 120, 215);

QColor outlineFor(const QColor &fill)
{
    return fill.lightness() < 40 ? QColor(70, 70, 70) : fill.darker(160);
}

// The box inside the rectangle that a name may use, and whether one fits at all.
QRectF textBox(const QRectF &r)
{
    const double pad = std::min(r.width(), r.height()) * 0.08 + 1;
    return r.adjusted(pad, pad, -pad, -pad);
}

bool roomForText(const QRectF &r)
{
    const QRectF box = textBox(r);
    return box.height() * 0.5 >= 5 && box.width() >= 8;
}

// Lays the object's name out for a rectangle with roomForText: the largest size up to 40
// pixels that fits, never below a readable size (the text is cut short instead).
void layOut(LaidText &laid, const QFont &base, const QString &source, const QRectF &r)
{
    laid.source = source;
    laid.rectSize = r.size().toSize();
    const QRectF box = textBox(r);
    const double size = std::min(box.height() * 0.5, 40.0);
    QString text = source;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    // Glyph widths do not scale exactly with the size, so a few smaller steps may follow.
    const int smallest = int(std::min(size, 7.0));
    QFont font = base;
    font.setPixelSize(int(size));
    double wide = QFontMetricsF(font).horizontalAdvance(text);
    bool measured = true; // wide belongs to the font as it stands
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
    laid.font = font;
    laid.text.setText(
        fits ? text : QFontMetricsF(font).elidedText(text, Qt::ElideRight, box.width()));
    laid.text.setTextFormat(Qt::PlainText);
    laid.text.setPerformanceHint(QStaticText::AggressiveCaching);
    laid.text.prepare(QTransform(), font);
    // Centred the way a single line drawn into the rectangle would be.
    laid.offset = QPointF(-laid.text.size().width() / 2, -QFontMetricsF(font).height() / 2);
}

void paintText(QPainter &p, const VellumObject &o, const QRectF &r, LaidText &laid)
{
    if (laid.rectSize != r.size().toSize() || laid.source != o.objectText)
        layOut(laid, p.font(), o.objectText, r);
    p.setFont(laid.font);
    p.setPen(o.textColor);
    p.drawStaticText(r.center() + laid.offset, laid.text);
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
    // A corner of a pixel or so looks square on screen: whole-pixel fills are far cheaper
    // than a rounded path, and an outline is then a frame one pixel wide.
    if (radius < 1.5) {
        const QRect whole = r.toRect(); // r lies on whole pixels already
        if (o.drawStyle != 0 && r.width() > 2 && r.height() > 2) {
            p.fillRect(whole, outlineFor(o.fillColor));
            p.fillRect(whole.adjusted(1, 1, -1, -1), o.fillColor);
        } else {
            p.fillRect(whole, o.fillColor);
        }
        return;
    }
    if (o.drawStyle != 0) {
        QPen pen(outlineFor(o.fillColor), 1);
        pen.setCosmetic(true);
        p.setPen(pen);
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(o.fillColor);
    const QRectF shape = o.drawStyle != 0 ? r.adjusted(0.5, 0.5, -0.5, -0.5) : r;
    p.drawRoundedRect(shape, radius, radius);
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

// A change to one shape repaints its rectangle, grown by the selection frame and handles
// (which stand up to 6.5 pixels outside it) and a pixel for rounding.
void Vellum::View::repaintChanged(Vellum &canvas, const QRect *units)
{
    constexpr int maxParts = 64;
    if (wholePending)
        return;
    if (!units || ++partsPending > maxParts) {
        wholePending = true;
        canvas.update();
        return;
    }
    const QRectF shape = mapping(canvas).toPixels(unitRect(*units));
    const QRectF area = shape.adjusted(-8, -8, 8, 8) & QRectF(canvas.rect());
    if (!area.isEmpty())
        canvas.update(area.toAlignedRect());
}

void Vellum::paintEvent(QPaintEvent *event)
{
    v->partsPending = 0;
    v->wholePending = false;
    v->syncScrollBars(*this);
    v->controls->viewChanged();

    QPainter p(this);
    p.fillRect(event->rect(), Qt::white);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                     | QPainter::SmoothPixmapTransform);

    const Mapping m = v->mapping(*this);
    const QRectF area = QRectF(event->rect()).adjusted(-8, -8, 8, 8);
    const QRectF units(toUnits(area.topLeft()), toUnits(area.bottomRight()));
    if (CanvasOptions() & 64)
        paintGrid(p, units, m);

    const auto &boxes = paintBoxes();
    const auto &order = paintOrder();
    // Texts laid out for objects long out of view are dropped now and then.
    if (v->texts.size() > 20000)
        v->texts.clear();
    const double left = units.left(), right = units.right();
    const double top = units.top(), bottom = units.bottom();
    std::vector<QRectF> selected;
    const size_t count = boxes.size();
    for (size_t i = 0; i < count; ++i) {
        const QRect &b = boxes[i];
        if (b.right() < left || b.left() > right || b.bottom() < top || b.top() > bottom)
            continue;
        const VellumObject *o = order[i];
        const QRectF r = snapped(m.toPixels(unitRect(b)));
        if (o->selected)
            selected.push_back(r);
        if (o->kind != 12) {
            paintRectangle(p, *o, r);
            if (!o->objectText.isEmpty() && roomForText(r))
                paintText(p, *o, r, v->texts[o->id]);
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
    for (const QRectF &r : selected)
        paintSelection(p, r);
}
