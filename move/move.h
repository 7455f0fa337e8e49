#pragma once

// Pointer release and wheel, the ready-to-move list and the move command, box totals,
// restacking, document folders and dropped files.

#include <QDate>
#include <QString>

class frmMain;

void Vellum_MouseUp(frmMain &form, int button, int shift, int x, int y);
void Vellum_MouseWheel(frmMain &form, int delta);

// Hides the move controls: Picture8, List1, Picture12 and locationcombo1.
void hideMoveControls(frmMain &form);
void AddToReadyList(frmMain &form);
// Restores the colours of the object named by zLabel7 and takes it off the list.
void RemoveFromReadyList(frmMain &form);
// What every search for a name starts with: nothing selected, no current object.
void clearForSearch(frmMain &form);
// The move command: the user chose a box in locationcombo1.
void locationcombo1_Click(frmMain &form);
void UpdateBoxTotals(frmMain &form);
void RestackObjects(frmMain &form);
void Picture1_Click(frmMain &form);
// One movement-history entry: old box, " - ", new box, CR LF, date, CR LF.
QString movementHistoryEntry(const QString &oldBox, const QString &newBox, const QDate &date);

// Opens the current object's document folder or file; a box's or stored object's
// folder (and its "History" subfolder) is made in the working folder at first use.
void Vellum_DblClick(frmMain &form);
// Hands a file or folder to the desktop; > 32 on success.
int OpenDoc(frmMain &form, const QString &path);
// Whether a name can be a folder in the working folder: not empty, not "." or "..", no
// "/" and no NUL.
bool isFolderName(const QString &name);
void Vellum_FileDrop(frmMain &form, const QString &path);
// The file name rule: after the last "/" or "\", cut before the last point.
QString droppedFileName(const QString &path);
