#include "window/controls.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

PictureBox::PictureBox(QWidget *parent)
    : QLabel(parent)
{
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

RowCover::RowCover(QWidget *covered, QWidget *parent)
    : QPushButton(parent)
    , mCovered(covered)
{
    setFocusPolicy(Qt::NoFocus);
    setFlat(true);
}

void RowCover::setVisible(bool visible)
{
    QPushButton::setVisible(visible);
    if (mCovered)
        mCovered->setFocusPolicy(visible ? Qt::NoFocus : Qt::StrongFocus);
}

void RowCover::paintEvent(QPaintEvent *)
{
    // A glossy orange bar on a white ground.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    const QRectF bar = QRectF(rect()).adjusted(1.5, 2.5, -1.5, -2.5);
    QLinearGradient gloss(bar.topLeft(), bar.bottomLeft());
    gloss.setColorAt(0.0, QColor(255, 214, 150));
    gloss.setColorAt(0.45, QColor(255, 160, 40));
    gloss.setColorAt(0.55, QColor(240, 130, 10));
    gloss.setColorAt(1.0, QColor(255, 175, 70));
    painter.setPen(QPen(QColor(200, 110, 10), 1));
    painter.setBrush(gloss);
    painter.drawRoundedRect(bar, bar.height() / 2, bar.height() / 2);
}

namespace {

// Draws picture over target with its corners unscaled: the ends of a button face keep
// their rounding however wide the button is.
void drawStretched(QPainter &painter, const QRect &target, const QPixmap &picture, int edge)
{
    const QSize size = picture.deviceIndependentSize().toSize();
    const int ex = std::min(edge, size.width() / 2);
    const int ey = std::min(edge, size.height() / 2);
    const int tx = std::min(ex, target.width() / 2);
    const int ty = std::min(ey, target.height() / 2);
    const double pr = picture.devicePixelRatio();
    const int sxs[] = {0, ex, size.width() - ex, size.width()};
    const int sys[] = {0, ey, size.height() - ey, size.height()};
    const int txs[] = {target.left(), target.left() + tx, target.right() + 1 - tx,
                       target.right() + 1};
    const int tys[] = {target.top(), target.top() + ty, target.bottom() + 1 - ty,
                       target.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRectF from(sxs[column] * pr, sys[row] * pr,
                              (sxs[column + 1] - sxs[column]) * pr,
                              (sys[row + 1] - sys[row]) * pr);
            const QRectF to(txs[column], tys[row], txs[column + 1] - txs[column],
                            tys[row + 1] - tys[row]);
            if (!from.isEmpty() && !to.isEmpty())
                painter.drawPixmap(to, picture, from);
        }
    }
}

} // namespace

const QString &ShortcutButton::fitted(int width)
{
    if (width != mFittedWidth || text() != mFittedFrom || font() != mFittedFont) {
        mFittedFrom = text();
        mFittedFont = font();
        mFittedWidth = width;
        mFitted
            = fontMetrics().elidedText(mFittedFrom, Qt::ElideRight, width, Qt::TextShowMnemonic);
    }
    return mFitted;
}

void ShortcutButton::paintEvent(QPaintEvent *event)
{
    const QIcon face = icon();
    const QList<QSize> sizes = face.availableSizes();
    if (face.isNull() || sizes.isEmpty()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect bounds = rect().adjusted(1, 1, -1, -1);
    drawStretched(painter, bounds, face.pixmap(sizes.first()), 8);

    // Pressed and hovered faces darken and lighten within the rounded outline.
    QPainterPath outline;
    outline.addRoundedRect(QRectF(bounds).adjusted(1, 1, -1, -1), 5, 5);
    if (isDown())
        painter.fillPath(outline, QColor(0, 0, 0, 40));
    else if (underMouse() && isEnabled())
        painter.fillPath(outline, QColor(255, 255, 255, 60));

    painter.setPen(QColor(24, 28, 36));
    const int flags = Qt::AlignCenter | Qt::TextShowMnemonic;
    const QRect textArea = bounds.adjusted(6, 0, -6, 0);
    painter.drawText(textArea, flags, fitted(textArea.width()));
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = bounds.adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
