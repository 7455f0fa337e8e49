#include "store/rules/palette.h"

#include <array>
#include <cmath>

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

namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double luminance(const QColor &c)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

QColor readableOn(const QColor &fill)
{
    // Whichever of black and white has the higher contrast ratio with the fill.
    const double l = luminance(fill);
    const double onBlack = (l + 0.05) / 0.05;
    const double onWhite = 1.05 / (l + 0.05);
    return onBlack >= onWhite ? *colour(0) : *colour(15);
}

} // namespace Palette
