#pragma once

// Top-level windows that open no larger than the screen's available area.

#include <QRect>
#include <QSize>

class QWidget;

// The window size wanted, made small enough that the window with its frame fits into the
// available area, but never below the window's minimum.
QSize fittedSize(const QSize &wanted, const QSize &minimum, const QRect &available,
                 const QSize &frame);

// Shrinks the window to its screen's available area and, when it has been placed, moves it
// back inside that area. The frame counts once the window system has reported it.
void fitOnScreen(QWidget &window);
