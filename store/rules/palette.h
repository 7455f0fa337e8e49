#pragma once

// The fixed 16-colour palette named by the numbers 0 .. 15 of "Colour".

#include <QColor>

#include <optional>

namespace Palette {

// Palette colour n; no value outside 0 .. 15.
std::optional<QColor> colour(int n);
// The text colour that stands out from fill n: white (15) below 7, black (0) from 7 up.
QColor textColourFor(int n);
// Black or white, whichever reads better on the fill by its luminance.
QColor readableOn(const QColor &fill);
inline constexpr int Count = 16;

} // namespace Palette
