#include "features/features.h"

#include "canvas/vellum.h"
#include "features/reportlist.h"
#include "panel/panel.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"

#include <QComboBox>

void ApplyTextColourRule(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    // Every writer of "Colour" writes a number; anything else keeps the text colour.
    if (const auto c = TextRules::toInt16(canvas.UserProperty(QStringLiteral("Colour"))))
        canvas.SetTextColor(Palette::textColourFor(*c));
}

void ApplyFillColourRule(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    if (const auto c = TextRules::toInt16(canvas.UserProperty(QStringLiteral("Colour")))) {
        if (const auto fill = Palette::colour(*c))
            canvas.SetFillColor(*fill);
    }
}

void colour_Click(frmMain &form, int k)
{
    Vellum &canvas = *form.Vellum;
    // Only a single selection takes a colour: with none or several nothing changes,
    // neither the drawing nor the panel.
    if (canvas.ObjectCount(2) != 1)
        return;

    // The current object, which after a click with objects waiting to move is the last
    // waiting one; each step that fails is left out.
    canvas.SetUserProperty(QStringLiteral("Colour"), k);
    if (const auto fill = Palette::colour(k)) {
        canvas.SetFillColor(*fill);
        setBackgroundOf(form.Combo1, *fill);
    }
    canvas.SetTextColor(Palette::textColourFor(k));
    const QColor text = canvas.CurrentObject() != 0 ? canvas.TextColor() : QColor();
    if (text.isValid())
        setForegroundOf(form.Combo1, text);
    spreadPanelColours(form);
}
