#pragma once

// Pieces the alarm report, the search and the colour choice share.

#include <QColor>
#include <QString>

class frmMain;
class QListWidget;

namespace Features {

// The line under every listed object: 57 hyphens.
const QString &separatorLine();

// Lists one object the way the alarm report and the search do: its name, for a stored
// object " in " and its box, then the separator. A loadout strip adds no lines.
void listObject(QListWidget *list, const QString &type, const QString &name,
                const QString &box);

// Shows List1 in place of the box chooser, in the given colours.
void showResultList(frmMain &form, const QColor &background, const QColor &text);

} // namespace Features
