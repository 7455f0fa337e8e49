#include "panel/panel.h"

#include <QPalette>
#include <QWidget>

// A control's "background" and "foreground" are set on every palette role pair a Qt widget
// paints with, so the same call colours a line edit, a text box, a list and a combo box
// (and its line edit, which inherits the palette).

void setBackgroundOf(QWidget *w, const QColor &bg)
{
    if (!w)
        return;
    QPalette p = w->palette();
    for (auto role : {QPalette::Base, QPalette::Window, QPalette::Button})
        p.setColor(role, bg);
    w->setPalette(p);
}

void setForegroundOf(QWidget *w, const QColor &fg)
{
    if (!w)
        return;
    QPalette p = w->palette();
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(role, fg);
    w->setPalette(p);
}

void setControlColours(QWidget *w, const QColor &bg, const QColor &fg)
{
    setBackgroundOf(w, bg);
    setForegroundOf(w, fg);
}

QColor backgroundOf(const QWidget *w)
{
    return w ? w->palette().color(QPalette::Base) : QColor();
}

QColor foregroundOf(const QWidget *w)
{
    return w ? w->palette().color(QPalette::Text) : QColor();
}
