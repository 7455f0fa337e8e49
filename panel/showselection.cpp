#include "panel/panel.h"

#include "window/frmmain.h"
#include "canvas/vellum.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

void showSelection(frmMain &form, SelectionCurrent current)
{
    ::Vellum &canvas = *form.Vellum;
    const qint32 leftCurrent = canvas.CurrentObject();
    const int n = canvas.ObjectCount(2);
    form.movehistory->clear();

    if (n != 1) {
        // As a press and click on empty space leave it: the summary, the numbered fields
        // emptied, every typed row covered. The colours stay those of the last object.
        form.Combo1->setEditText(n == 0 ? QStringLiteral("Choose Type") : QString());
        selectionSummary(form, n);
        if (n == 0) {
            emptyPanelFields(form);
            form.zLabel7->setText(QStringLiteral("0"));
            for (QLabel *label : form.Label)
                label->setText(QString());
        }
        enableSummaryFields(form, n);
        rowCovers(form);
        return;
    }

    // The fill of a press and click on the selected object, without the ready-to-move
    // list: the command's own List1 stays.
    singleObjectFill(form);
    form.colortext->setText(canvas.UserProperty(QStringLiteral("Colour")));
    showHistory(form);
    enableSummaryFields(form, n);
    form.zLabel7->setText(QString::number(canvas.CurrentObject()));
    captionLoad(form);
    captionClear(form);
    colourScheme(form);
    colourSpread(form);
    rowCovers(form);
    if (canvas.UserProperty(QStringLiteral("set")).isEmpty())
        form.Combo1->setEditText(QStringLiteral("Choose Type"));
    if (current == SelectionCurrent::KeepCommands)
        canvas.SetCurrentObject(leftCurrent);
}
