#include "features/undosteps.h"

#include "window/frmmain.h"
#include "window/controls.h"
#include "features/features.h"
#include "panel/panel.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

namespace {

QStringList entries(const QComboBox *box)
{
    QStringList lines;
    lines.reserve(box->count());
    for (int i = 0; i < box->count(); ++i)
        lines << box->itemText(i);
    return lines;
}

void setEntries(QComboBox *box, const QStringList &lines)
{
    if (entries(box) == lines)
        return;
    const QString shown = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    box->addItems(lines);
    box->setEditText(shown);
}

} // namespace

WindowState WindowState::of(const frmMain &form, const WindowState *previous,
                            ListsChanged changed)
{
    if (!previous)
        changed = {};
    WindowState s;
    s.typeTableText = form.typeTableTextValue;
    s.boxNameText = form.boxNameText;
    s.startObject = form.startObject;
    s.currentBox = form.currentBox;
    s.dropX = form.dropX;
    s.dropY = form.dropY;
    s.readyList = form.readyList;
    s.boxList = changed.boxes ? entries(form.locationcombo1) : previous->boxList;
    s.shortcutFaces = form.shortcutFaces;
    s.boxChooserText = form.locationcombo1->currentText();
    s.typeChooser = changed.types ? entries(form.Combo1) : previous->typeChooser;
    const QListWidget *list = form.List1;
    if (!changed.lines) {
        s.listLines = previous->listLines;
    } else {
        auto lines = std::make_shared<Lines>();
        lines->reserve(size_t(list->count()));
        for (int i = 0; i < list->count(); ++i) {
            const QListWidgetItem *item = list->item(i);
            lines->push_back({item->text(), item->foreground(), item->background()});
        }
        s.listLines = std::move(lines);
    }
    s.listPalette = list->palette();
    s.listHeading = form.Label19->text();
    s.listShown = !list->isHidden();
    s.barShown = !form.Picture8->isHidden();
    s.intoShown = !form.Picture12->isHidden();
    s.chooserShown = !form.locationcombo1->isHidden();
    return s;
}

void WindowState::restore(frmMain &form) const
{
    form.typeTableTextValue = typeTableText;
    form.boxNameText = boxNameText;
    form.startObject = startObject;
    form.currentBox = currentBox;
    form.dropX = dropX;
    form.dropY = dropY;
    form.readyList = readyList;
    setEntries(form.locationcombo1, boxList);
    refreshShortcutButtons(form);
    showShortcutFaces(form, shortcutFaces);
    setEntries(form.Combo1, typeChooser);

    Vellum_Click(form, ReadyList::Keep);

    // The list is shared by the move, the alarm report and the search: it shows again
    // what it showed at the end of the step.
    QListWidget *list = form.List1;
    bool same = list->count() == int(listLines->size());
    for (int i = 0; same && i < list->count(); ++i) {
        const QListWidgetItem *item = list->item(i);
        const Line &line = (*listLines)[size_t(i)];
        same = item->text() == line.text && item->foreground() == line.foreground
               && item->background() == line.background;
    }
    // A long list (a search) is laid out again only when it differs.
    if (!same) {
        list->clear();
        for (const Line &line : *listLines) {
            auto *item = new QListWidgetItem(line.text, list);
            item->setForeground(line.foreground);
            item->setBackground(line.background);
        }
    }
    list->setPalette(listPalette);
    form.Label19->setText(listHeading);
    list->setVisible(listShown);
    form.Picture8->setVisible(barShown);
    form.Picture12->setVisible(intoShown);
    form.locationcombo1->setVisible(chooserShown);
    const QSignalBlocker quiet(form.locationcombo1);
    form.locationcombo1->setEditText(boxChooserText);
}
