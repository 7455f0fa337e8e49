#include "store/screenfit.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

QSize fittedSize(const QSize &wanted, const QSize &minimum, const QRect &available,
                 const QSize &frame)
{
    const QSize room = (available.size() - frame).expandedTo(QSize(0, 0));
    return wanted.boundedTo(room).expandedTo(minimum);
}

void fitOnScreen(QWidget &window)
{
    const QScreen *screen = window.screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QSize frame = window.frameGeometry().size() - window.geometry().size();
    const QSize size = fittedSize(window.size(), window.minimumSize(), available, frame);
    if (size != window.size())
        window.resize(size);

    if (!window.isVisible() && !window.testAttribute(Qt::WA_Moved))
        return;
    const QSize outer = size + frame;
    const QPoint at = window.pos();
    const int x = std::clamp(at.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(at.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    if (QPoint(x, y) != at)
        window.move(x, y);
}
