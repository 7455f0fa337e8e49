#include "panel/panel.h"

#include "window/frmmain.h"

#include <QLineEdit>

namespace {

// Runs the change rule that belongs to a panel field; nothing for a control without one.
void runChangeRule(frmMain &form, QLineEdit *field)
{
    if (!field)
        return;
    if (field == form.textheader) {
        textheader_Change(form);
    } else if (field == form.txtName) {
        txtName_Change(form);
    } else if (field == form.txtType) {
        txtType_Change(form);
    } else if (field == form.txtInfo) {
        txtInfo_Change(form);
    } else if (field == form.Value) {
        Value_Change(form);
    } else {
        for (int n = 1; n <= 18; ++n) {
            if (field == form.textField(n)) {
                Text_Change(form, n);
                return;
            }
        }
    }
}

} // namespace

void assignField(frmMain &form, QLineEdit *field, const QString &text)
{
    if (!field)
        return;
    // A changed text raises the field's own change notification, which runs the rule;
    // an unchanged one raises nothing, so the rule is run here, as a refresh expects.
    if (field->text() == text)
        runChangeRule(form, field);
    else
        field->setText(text);
}
