#include "window/panelrows.h"

#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextDocument>

QRect PanelCaption::textArea()
{
    const QRect contents = contentsRect();
    if (mArea.text != text() || mArea.font != font() || mArea.contents != contents
        || mArea.alignment != alignment()) {
        const bool plain = textFormat() == Qt::PlainText
            || (textFormat() == Qt::AutoText && !Qt::mightBeRichText(text()));
        const bool textAlone = plain && frameShape() == QFrame::NoFrame && margin() == 0
            && indent() <= 0 && !wordWrap() && pixmap().isNull();
        mArea = {text(), font(), contents, alignment(),
                 textAlone ? style()->itemTextRect(fontMetrics(), contents, int(alignment()),
                                                   isEnabled(), text())
                           : QRect()};
    }
    return mArea.area;
}

void PanelCaption::paintEvent(QPaintEvent *event)
{
    const QRect area = textArea();
    // A glyph may reach a little past the box its text is laid out in.
    if (area.isNull() || event->region().intersects(area.adjusted(-2, -2, 2, 2)))
        QLabel::paintEvent(event);
}

void PanelField::paintEvent(QPaintEvent *event)
{
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    // The text, its selection and the cursor are drawn clipped to this area.
    QRect text = style()->subElementRect(QStyle::SE_LineEditContents, &frame, this);
    text = text.marginsRemoved(textMargins());
    if (!hasFrame() || event->region().intersects(text.adjusted(-1, -1, 1, 1))) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &painter, this);
}
