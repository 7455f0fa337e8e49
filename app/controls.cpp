#include "app/controls.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

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
