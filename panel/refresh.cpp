#include "panel/panel.h"

#include "canvas/vellum.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/controls.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

QString property(frmMain &form, const char16_t *key)
{
    return form.Vellum->UserProperty(QString::fromUtf16(key));
}

} // namespace

void selectionSummary(frmMain &form, int selectedCount)
{
    if (selectedCount == 1)
        return;
    const bool none = selectedCount == 0;
    // The three fields read as one sentence.
    assignField(form, form.txtType,
                none ? QStringLiteral("There are") : QStringLiteral("More than"));
    assignField(form, form.txtName,
                none ? QStringLiteral("no selected") : QStringLiteral("one selected"));
    assignField(form, form.txtInfo, none ? QStringLiteral("no objects") : QStringLiteral("object"));
}

void singleObjectFill(frmMain &form)
{
    form.Vellum->SetEditMode(10);
    // Each property is read just before its field is filled: the field's rule runs at once
    // and writes back before the next one is read.
    assignField(form, form.txtType, property(form, u"Type"));
    assignField(form, form.txtName, property(form, u"Name"));
    assignField(form, form.txtInfo, property(form, u"Info"));
    form.Combo1->setEditText(property(form, u"set"));
    assignField(form, form.textheader, property(form, u"Name"));
    for (int n = 1; n <= 18; ++n)
        assignField(form, form.textField(n), form.Vellum->UserProperty(QString::number(n)));
    assignField(form, form.Value, property(form, u"Value"));
}

void enableSummaryFields(frmMain &form, int selectedCount)
{
    const bool single = selectedCount == 1;
    form.txtType->setEnabled(single);
    form.txtName->setEnabled(single);
    form.txtInfo->setEnabled(single);
}

void captionLoad(frmMain &form)
{
    const std::optional<qint16> first = TextRules::toInt16(property(form, u"TypeIndex"));
    // Without a number there is nothing to load; the caption clear empties the rows.
    if (!first)
        return;
    const QStringList cells = TextRules::splitCrLf(form.typeTableTextValue);
    for (int row = 0; row < 16; ++row) {
        const qsizetype cell = qsizetype(*first) + row;
        // A cell past either end of the table reads as empty, so its row stays covered.
        form.Label[size_t(row)]->setText(cell >= 0 && cell < cells.size() ? cells.at(cell)
                                                                          : QString());
    }
}

bool captionClear(frmMain &form)
{
    const std::optional<qint16> first = TextRules::toInt16(property(form, u"TypeIndex"));
    if (first && *first != 0)
        return false;
    for (QLabel *label : form.Label)
        label->setText(QString());
    return true;
}

void colourScheme(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    if (canvas.ObjectCount(2) != 1)
        return;
    // A "Colour" that is no number counts as 0; one without a palette colour leaves the
    // fill as it was. The text colour follows the threshold either way.
    const std::optional<qint16> c = TextRules::toInt16(property(form, u"Colour"));
    if (c) {
        if (const std::optional<QColor> fill = Palette::colour(*c)) {
            canvas.SetFillColor(*fill);
            setBackgroundOf(form.Combo1, *fill);
        }
    }
    const QColor text = Palette::textColourFor(c.value_or(0));
    canvas.SetTextColor(text);
    setForegroundOf(form.Combo1, text);
}

void spreadPanelColours(frmMain &form)
{
    const QColor bg = backgroundOf(form.Combo1);
    const QColor fg = foregroundOf(form.Combo1);
    setControlColours(form.Text1, bg, fg);
    setControlColours(form.Text18, bg, fg);
    setControlColours(form.txtInfo, bg, fg);
    for (int n = 2; n <= 17; ++n)
        setControlColours(form.textField(n), bg, fg);
    setControlColours(form.movehistory, bg, fg);
    setControlColours(form.textheader, bg, fg);
    setControlColours(form.colour, bg, fg);
    setControlColours(form.Value, bg, fg);
}

void colourSpread(frmMain &form)
{
    spreadPanelColours(form);
    form.colour->setEditText(QStringLiteral("Colour"));
}

void rowCovers(frmMain &form)
{
    // Set once, not hidden and shown again: every cover that blinks repaints its row and
    // lays the panel out again.
    for (size_t i = 0; i < form.Command2.size(); ++i)
        form.Command2[i]->setVisible(form.Label[i]->text().isEmpty());
}
