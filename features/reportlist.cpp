#include "features/reportlist.h"

#include "panel/panel.h"
#include "window/controls.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace Features {

const QString &separatorLine()
{
    static const QString line(57, u'-');
    return line;
}

void listObject(QListWidget *list, const QString &type, const QString &name,
                const QString &box)
{
    if (!list || type == QLatin1String("Loadout"))
        return;
    list->addItem(name);
    if (type == QLatin1String("Object"))
        list->addItem(QStringLiteral(" in ") + box);
    list->addItem(separatorLine());
}

void showResultList(frmMain &form, const QColor &background, const QColor &text)
{
    form.List1->setVisible(true);
    if (form.Picture8)
        form.Picture8->setVisible(true);
    form.locationcombo1->setVisible(false);
    if (form.Picture12)
        form.Picture12->setVisible(false);
    setControlColours(form.List1, background, text);
}

} // namespace Features
