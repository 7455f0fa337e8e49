#pragma once

// Boxes and the way between them, stored objects, colours, alarms, search and printing.

#include <QDate>
#include <QString>

class frmMain;
class QComboBox;

// Box buttons and views: the box chosen by shortcut button index, the view on a point.
void Shortcut_Click(frmMain &form, int index);
void ZoomIn(frmMain &form, int x, int y, int x2, int y2);
// Delete (key code 46) removes the selected shape; the start object stays.
void Vellum_KeyUp(frmMain &form, int keyCode, int shift);
// The pictures on the shortcut buttons: none, the plain one of a listed box, the lit one of
// the box chosen last.
enum ShortcutFace : char { NoFace, PlainFace, LitFace };
// The buttons show faces (a ShortcutFace per button), as an undo puts them back; only
// those that differ from what they show are set.
void showShortcutFaces(frmMain &form, const QByteArray &faces);
// Shortcut buttons follow the box list: caption i = entry i, hidden past the last.
void refreshShortcutButtons(frmMain &form);
// The start object's "Boxes" takes the cached box names; it ends unselected.
void storeBoxNames(frmMain &form);

// Tells the user and returns true when a box of exactly that name exists.
bool refuseTakenBoxName(frmMain &form, const QString &name);
void newlocation_Click(frmMain &form);
void newitem_Click(frmMain &form);
// Renames the current box everywhere: body, strip, box list, shortcut button, box names
// and the "Info" of the objects in it.
void renamelocation_Click(frmMain &form);

// Adds a box name to the box list at its alphabetical place, letter case ignored; a name
// equal to existing ones but for case goes after them. Returns the new entry's index.
// The list's current entry and shown text stay as they were.
int insertBoxName(QComboBox *boxList, const QString &name);

// The text-colour rule on the current object: white below "Colour" 7, black from 7 up.
void ApplyTextColourRule(frmMain &form);
// The current object's fill becomes the palette colour of its "Colour"; a "Colour" that is
// no palette number leaves the fill as it is.
void ApplyFillColourRule(frmMain &form);
// The user picked entry k of the colour chooser.
void colour_Click(frmMain &form, int k);

// The month advancer: entry k adds k calendar months to the working date.
void Combo2_Click(frmMain &form);
void Alarm_Click(frmMain &form);
void AlarmReport(frmMain &form);
void Command1_Click(frmMain &form);
// Quit's test: the id of the first object in drawing order whose alarm date is not
// empty and not a date, 0 when every one is fine.
qint32 firstInvalidAlarm(frmMain &form);

void btnsearch_Click(frmMain &form);

// Prints the main window on the default printer.
void Command3_Click(frmMain &form);
