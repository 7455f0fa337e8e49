#include "move/move.h"

#include "canvas/vellum.h"
#include "panel/panel.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/controls.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

#include <utility>

void hideMoveControls(frmMain &form)
{
    form.Picture8->hide();
    form.List1->hide();
    form.Picture12->hide();
    form.locationcombo1->hide();
}

void AddToReadyList(frmMain &form)
{
    form.List1->clear();
    const QString pressed = form.zLabel7->text();
    ::Vellum &canvas = *form.Vellum;
    if (!form.readyList.contains(pressed) && canvas.SetCurrentObject(pressed.toInt()))
        form.readyList.append(pressed);

    // The names are read from the canvas each time, so a renamed object shows its new
    // name; an entry whose object has been deleted since has nothing to show.
    for (const QString &entry : std::as_const(form.readyList)) {
        if (canvas.SetCurrentObject(entry.toInt()))
            form.List1->addItem(canvas.UserProperty(QStringLiteral("Name")));
    }
    if (!form.readyList.isEmpty()) {
        form.List1->show();
        form.Picture8->show();
        form.locationcombo1->show();
        form.Picture12->show();
    }
}

void RemoveFromReadyList(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    const QString pressed = form.zLabel7->text();
    canvas.SetCurrentObject(pressed.toInt());

    // The object gets its own colours back (the click repaints waiting objects white).
    // A "Colour" that is not a number leaves the colours as they are; one outside the
    // palette still decides the text colour by the threshold.
    if (const auto c = TextRules::toInt16(canvas.UserProperty(QStringLiteral("Colour")))) {
        if (const auto fill = Palette::colour(*c)) {
            canvas.SetFillColor(*fill);
            setBackgroundOf(form.Combo1, *fill);
        }
        const QColor text = Palette::textColourFor(*c);
        canvas.SetTextColor(text);
        setForegroundOf(form.Combo1, text);
    }

    // Only an object that exists leaves the list.
    if (canvas.CurrentObject() != 0)
        form.readyList.removeOne(pressed);

    form.List1->clear();
    if (!form.readyList.isEmpty())
        return;
    hideMoveControls(form);
}
