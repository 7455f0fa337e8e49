#include "features/features.h"

#include "canvas/vellum.h"
#include "move/move.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QPlainTextEdit>

void newitem_Click(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    form.movehistory->setPlainText(QString());

    canvas.AddObject(10, form.dropX, form.dropY, form.dropX + 4, form.dropY + 4);
    canvas.SetDrawStyle(2);

    // With no box chosen (an empty box list) the object belongs to no box yet.
    const QComboBox *boxList = form.locationcombo1;
    const QString box = form.currentBox >= 0 && form.currentBox < boxList->count()
                            ? boxList->itemText(form.currentBox)
                            : QString();

    canvas.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Object"));
    canvas.SetUserProperty(QStringLiteral("TypeIndex"), qint16(0));
    canvas.SetUserProperty(QStringLiteral("Name"), QStringLiteral("Object"));
    canvas.SetUserProperty(QStringLiteral("Header"), QString());
    canvas.SetUserProperty(QStringLiteral("Info"), box);
    // Every panel field finds its key, the alarm date "18" included.
    for (int field = 1; field <= 18; ++field)
        canvas.SetUserProperty(QString::number(field), QString());
    canvas.SetUserProperty(QStringLiteral("Colour"), qint16(15));
    canvas.SetUserProperty(QStringLiteral("MovementHistory"), QString());
    canvas.SetUserProperty(QStringLiteral("Value"), qint16(0));

    canvas.SetObjectText(canvas.UserProperty(QStringLiteral("Type")));
    ApplyFillColourRule(form);
    canvas.SetShapeParam(14);
    canvas.SetFillMode(1);
    ApplyTextColourRule(form);

    RestackObjects(form);
}
