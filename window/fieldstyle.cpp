#include "window/fieldstyle.h"

#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

#include <cmath>

namespace {

// Appends a number to a copy's name, as two characters: names are compared whole, so two
// looks never share a copy.
void put(QString &name, quint32 value)
{
    name += QChar(char16_t(value & 0xffff));
    name += QChar(char16_t(value >> 16));
}

// The name of the copy of a field's look: everything the style paints it from. Empty when
// a colour role holds a gradient or a picture, which a copy could misplace.
QString lookName(const QStyleOptionFrame &frame, int ratio)
{
    QString name;
    name.reserve(16 + 3 * QPalette::NColorRoles);
    name += u"field";
    put(name, quint32(frame.rect.width()));
    put(name, quint32(frame.rect.height()));
    put(name, quint32(frame.state));
    put(name, quint32(frame.direction));
    put(name, quint32(frame.lineWidth));
    put(name, quint32(frame.midLineWidth));
    put(name, quint32(frame.features));
    put(name, quint32(ratio));
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const QBrush &brush = frame.palette.brush(QPalette::ColorRole(role));
        if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush)
            return {};
        name += QChar(char16_t(brush.style()));
        put(name, brush.color().rgba());
    }
    return name;
}

} // namespace

FieldStyle::FieldStyle(QStyle *base)
    : QProxyStyle(base)
{
}

void FieldStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                               QPainter *painter, const QWidget *widget) const
{
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    // A scaled or turned painter, or a fractional pixel ratio, would show a copy's pixels
    // where the style draws sharp lines: those paints go to the style itself.
    const QString key = element == PE_PanelLineEdit && frame && !option->rect.isEmpty()
            && painter->worldTransform().type() <= QTransform::TxTranslate
            && ratio == std::floor(ratio)
        ? lookName(*frame, int(ratio))
        : QString();
    if (key.isEmpty()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }

    const QSize size = option->rect.size();
    QPixmap look;
    if (!QPixmapCache::find(key, &look)) {
        look = QPixmap(size * ratio);
        look.setDevicePixelRatio(ratio);
        look.fill(Qt::transparent);
        QStyleOptionFrame at(*frame);
        at.rect = QRect(QPoint(0, 0), size);
        QPainter onLook(&look);
        QProxyStyle::drawPrimitive(element, &at, &onLook, widget);
        onLook.end();
        QPixmapCache::insert(key, look);
    }
    painter->drawPixmap(option->rect.topLeft(), look);
}

FieldStyle *FieldStyle::shared()
{
    // Owned by the application, so that it outlives every window.
    static QPointer<FieldStyle> style;
    if (!style) {
        // Fusion draws a field from its state alone. Other styles may animate a field's
        // frame from the widget, and a copy would keep one moment of that.
        const QString name = QApplication::style()->name();
        QStyle *base = name.compare(u"fusion", Qt::CaseInsensitive) == 0
            ? QStyleFactory::create(name)
            : nullptr;
        if (base) {
            style = new FieldStyle(base);
            style->setParent(qApp);
        }
    }
    return style;
}

void useFieldStyle(QLineEdit *field)
{
    if (FieldStyle *style = FieldStyle::shared())
        field->setStyle(style);
}
