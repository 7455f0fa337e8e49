#pragma once

// The look of the window's text fields, drawn once and copied.

#include <QProxyStyle>

class QLineEdit;

// Draws a text field's ground and frame once for each size, state and palette, and copies
// that picture at every later paint. The panel's rows overlap by a pixel, so a keystroke
// in one field repaints the fields above and below it as well, and each frame is an
// antialiased rounded outline, the dearest part of a field to draw.
// Everything else, the text and the cursor included, is the application style's own.
class FieldStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit FieldStyle(QStyle *base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

    // The style shared by every field of the application, made with its first field. Null
    // when the application style is not Fusion; the fields then keep the application's.
    static FieldStyle *shared();
};

// Gives field the shared field style.
void useFieldStyle(QLineEdit *field);
