#include "store/rules/palette.h"

#include <array>

namespace Palette {

std::optional<QColor> colour(int n)
{
    static const std::array<QColor, Count> colours = {
        QColor(0, 0, 0),       QColor(0, 0, 128),     QColor(0, 128, 0),
        QColor(0, 128, 128),   QColor(128, 0, 0),     QColor(128, 0, 128),
        QColor(128, 128, 0),   QColor(192, 192, 192), QColor(128, 128, 128),
        QColor(0, 0, 255),     QColor(0, 255, 0),     QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255),   QColor(255, 255, 0),
        QColor(255, 255, 255)};
    if (n < 0 || n >= Count)
        return std::nullopt;
    return colours[size_t(n)];
}

QColor textColourFor(int n)
{
    return *colour(n < 7 ? 15 : 0);
}

} // namespace Palette
