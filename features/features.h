#pragma once

// Boxes, stored objects, colours, alarms and search.

#include <QDate>
#include <QString>

class frmMain;
class QComboBox;

void newlocation_Click(frmMain &form);
void newitem_Click(frmMain &form);

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
// Quit's test: the id of the first object in drawing order whose alarm date is not
// empty and not a date, 0 when every one is fine.
qint32 firstInvalidAlarm(frmMain &form);

void btnsearch_Click(frmMain &form);
