#pragma once

// Ambrook's icon, a cardboard box with a name tag, painted in code. The window uses it
// when the desktop's icon theme has no "ambrook", and the build writes the installed
// PNG sizes from it, so the two never differ.

#include <QIcon>
#include <QImage>

class QPainter;

// Paints the icon into the square (0, 0) - (size, size) of the painter.
void paintAmbrookIcon(QPainter &painter, int size);
// The icon as an image of size x size pixels, transparent around the box.
QImage ambrookIconImage(int size);
// The theme's "ambrook" icon, or the painted one in the usual sizes.
QIcon ambrookIcon();
