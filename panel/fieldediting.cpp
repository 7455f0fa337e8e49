#include "panel/panel.h"

#include "canvas/vellum.h"
#include "window/frmmain.h"

#include <QLineEdit>
#include <QPlainTextEdit>

// Every field writes through here, so the summaries and empty texts that a refresh puts
// into the fields never reach an object unless exactly one is selected.
void WriteSelectedProperty(frmMain &form, QString key, QString text)
{
    ::Vellum &canvas = *form.Vellum;
    if (canvas.ObjectCount(2) != 1)
        return;
    canvas.SetEditMode(10);
    // A refresh puts "" into the fields of keys the object never had: writing them would
    // change the document at a mere click.
    if (text.isEmpty() && canvas.UserProperty(key).isEmpty())
        return;
    canvas.SetUserProperty(key, text);
}

void Text_Change(frmMain &form, int field)
{
    QLineEdit *edit = form.textField(field);
    if (!edit)
        return;
    WriteSelectedProperty(form, QString::number(field), edit->text());
}

void Value_Change(frmMain &form)
{
    WriteSelectedProperty(form, QStringLiteral("Value"), form.Value->text());
}

void txtType_Change(frmMain &form)
{
    WriteSelectedProperty(form, QStringLiteral("Type"), form.txtType->text());
}

void txtInfo_Change(frmMain &form)
{
    WriteSelectedProperty(form, QStringLiteral("Info"), form.txtInfo->text());
}

void txtName_Change(frmMain &form)
{
    WriteSelectedProperty(form, QStringLiteral("Name"), form.txtName->text());
    ::Vellum &canvas = *form.Vellum;
    // A picture keeps the text drawn on it; every other object shows its new name.
    if (canvas.ObjectCount(2) == 1 && canvas.UserProperty(QStringLiteral("Type")) != u"Pic")
        canvas.SetObjectText(canvas.UserProperty(QStringLiteral("Name")));
}

void textheader_Change(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    if (canvas.ObjectCount(2) != 1)
        return;
    // Only stored objects take their name from the header. The test reads the current
    // object as it stands, before the write makes the selected one current.
    if (canvas.UserProperty(QStringLiteral("Type")) != u"Object")
        return;
    WriteSelectedProperty(form, QStringLiteral("Name"), form.textheader->text());
    canvas.SetObjectText(canvas.UserProperty(QStringLiteral("Name")));
}

void SaveChanges_Click(frmMain &form)
{
    // The box shows history lines separated by line feeds; the history keeps CR LF.
    QString text = form.movehistory->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    WriteSelectedProperty(form, QStringLiteral("MovementHistory"), text);
}
