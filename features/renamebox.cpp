#include "features/features.h"

#include "window/frmmain.h"
#include "window/platform.h"
#include "canvas/vellum.h"
#include "store/rules/textrules.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

// The box's body and strip take the new name and show it; every object whose "Info"
// names the box follows it there.
void renameOnDrawing(Vellum &canvas, const QString &oldName, const QString &newName)
{
    const QString nameKey = QStringLiteral("Name");
    const QString infoKey = QStringLiteral("Info");
    const int count = canvas.ObjectCount(1);
    for (int j = 1; j <= count; ++j) {
        canvas.SetCurrentIndex(j);
        const QString type = canvas.UserProperty(QStringLiteral("Type"));
        const bool boxPart = type == u"Location" || type == u"Loadout";
        if (boxPart && canvas.UserProperty(nameKey) == oldName) {
            canvas.SetUserProperty(nameKey, newName);
            canvas.SetObjectText(newName);
        }
        if (canvas.UserProperty(infoKey) == oldName)
            canvas.SetUserProperty(infoKey, newName);
    }
}

// The box-name text keeps its order of creation: the name changes in its own line.
QString renamedInList(const QString &boxNames, const QString &oldName, const QString &newName)
{
    QStringList names = TextRules::splitCrLf(boxNames);
    if (!names.isEmpty() && names.constLast().isEmpty())
        names.removeLast();
    const qsizetype at = names.indexOf(oldName);
    if (at < 0)
        names.append(newName);
    else
        names[at] = newName;
    return TextRules::joinCrLf(names);
}

} // namespace

void renamelocation_Click(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    QComboBox *boxList = form.locationcombo1;
    canvas.SetPointerSetting(0);

    const int index = form.currentBox;
    if (index < 0 || index >= boxList->count()) {
        form.platform().message(QStringLiteral("There is no Box to rename"));
        return;
    }
    const QString oldName = boxList->itemText(index);

    // Taken as typed, like a new box's name. Cancelling gives "", which renames nothing.
    const QString newName =
        form.platform().inputBox(QStringLiteral("Please enter the new name for the Box.."));
    if (newName.isEmpty() || newName == oldName || refuseTakenBoxName(form, newName))
        return;

    form.movehistory->setPlainText(QString());
    int at = 0;
    {
        // A renamed entry is no choice of a destination: the move command must not run.
        const QSignalBlocker blocker(boxList);
        const bool showsOld = boxList->currentIndex() == index;
        const QString shown = boxList->currentText();
        boxList->removeItem(index);
        boxList->setCurrentIndex(-1);
        boxList->setEditText(shown);
        at = insertBoxName(boxList, newName);
        if (showsOld)
            boxList->setCurrentIndex(at);
    }
    refreshShortcutButtons(form);

    form.boxNameText = renamedInList(form.boxNameText, oldName, newName);
    storeBoxNames(form);
    renameOnDrawing(canvas, oldName, newName);

    // The box stays the current one, at its new place in the list.
    Shortcut_Click(form, at);
}
