#include "panel/panel.h"

#include "canvas/vellum.h"
#include "features/features.h"
#include "store/form1.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"

#include <QComboBox>

// Acts on the canvas's current object as it stands, without making the selected object
// current first. Every write that fails is passed over and the next step runs.
void Combo1_Click(frmMain &form, int k)
{
    ::Vellum &canvas = *form.Vellum;
    QComboBox *chooser = form.Combo1;
    if (k >= 0 && k < chooser->count())
        chooser->setEditText(chooser->itemText(k));

    canvas.SetUserProperty(QStringLiteral("set"), chooser->currentText());
    canvas.SetUserProperty(QStringLiteral("TypeIndex"), Form1::CellsPerType * k + 1);
    canvas.SetUserProperty(QStringLiteral("Colour"), k);
    ApplyFillColourRule(form);

    captionLoad(form);
    rowCovers(form);

    if (const std::optional<QColor> background = Palette::colour(k))
        setBackgroundOf(chooser, *background);
    const QColor text = Palette::textColourFor(k);
    canvas.SetTextColor(text);
    setForegroundOf(chooser, text);
    colourSpread(form);
}

// The type-table editor takes the main window's place until it closes.
void newtype_Click(frmMain &form)
{
    form.hide();
    Form1 &editor = form.typeEditor();
    editor.show();
    editor.raise();
    editor.activateWindow();
}
