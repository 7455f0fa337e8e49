#include "window/appicon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The drawing is laid out on a 256-unit square; data/ambrook.svg is the same drawing.
constexpr double design = 256.0;

const QColor outline(122, 74, 28);
const QColor tagInk(47, 79, 143);

QLinearGradient vertical(double top, double bottom, const QColor &from, const QColor &to)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0.0, from);
    gradient.setColorAt(1.0, to);
    return gradient;
}

} // namespace

void paintAmbrookIcon(QPainter &painter, int size)
{
    const double unit = size / design;
    // Lines keep at least one device pixel, so the small sizes stay sharp-edged.
    const double line = std::max(1.0, 8.0 * unit) / unit;
    const bool small = size < 32;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(unit, unit);

    // Soft shadow under the box.
    if (!small) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 40));
        painter.drawEllipse(QRectF(34, 218, 188, 24));
    }

    // Body and lid.
    painter.setPen(QPen(outline, line, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    painter.setBrush(vertical(108, 228, QColor(226, 179, 110), QColor(196, 135, 66)));
    painter.drawRoundedRect(QRectF(40, 108, 176, 120), 10, 10);
    painter.setBrush(vertical(72, 116, QColor(240, 201, 140), QColor(214, 156, 85)));
    painter.drawRoundedRect(QRectF(28, 72, 200, 44), 8, 8);

    // Packing tape down the middle.
    if (!small) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(246, 226, 184, 200));
        painter.drawRect(QRectF(114, 72 + line / 2, 28, 44 - line));
        painter.drawRect(QRectF(114, 108 + line / 2, 28, 120 - line));
    }

    // The name tag, hanging off the lid on a string.
    painter.translate(166, 172);
    painter.rotate(-16);
    QPainterPath tag;
    tag.moveTo(-54, 0);
    tag.lineTo(-30, -30);
    tag.lineTo(58, -30);
    tag.lineTo(58, 30);
    tag.lineTo(-30, 30);
    tag.closeSubpath();
    const QPointF hole(-28, 0);
    painter.setPen(QPen(tagInk, line * 0.75, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(hole, QPointF(-44, -92));
    painter.setPen(QPen(tagInk, line, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    painter.setBrush(vertical(-30, 30, QColor(255, 255, 255), QColor(236, 240, 248)));
    painter.drawPath(tag);
    painter.setPen(Qt::NoPen);
    painter.setBrush(tagInk);
    painter.drawRect(QRectF(34, -30 + line / 2, 24 - line / 2, 60 - line));
    if (!small) {
        painter.setBrush(Qt::white);
        painter.setPen(QPen(tagInk, line * 0.6));
        painter.drawEllipse(hole, 7, 7);
        // Two lines of writing.
        painter.setPen(QPen(QColor(120, 134, 160), line * 0.9, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(-8, -10), QPointF(22, -10));
        painter.drawLine(QPointF(-8, 10), QPointF(14, 10));
    }
    painter.restore();
}

QImage ambrookIconImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintAmbrookIcon(painter, size);
    painter.end();
    return image;
}

QIcon ambrookIcon()
{
    if (QIcon::hasThemeIcon(QStringLiteral("ambrook")))
        return QIcon::fromTheme(QStringLiteral("ambrook"));
    QIcon painted;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        painted.addPixmap(QPixmap::fromImage(ambrookIconImage(size)));
    return painted;
}
