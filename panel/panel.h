#pragma once

// The property panel: field editing, the selection refresh on press and click, the type
// chooser and the type-table editor it comes from.

#include <QColor>
#include <QString>

class frmMain;
class QLineEdit;
class QWidget;

// Background and foreground colours of a panel control: Base/Text, Window/WindowText and
// Button/ButtonText of its palette, so line edits, text boxes, lists and combo boxes all
// show them. The getters read Base and Text back.
void setControlColours(QWidget *w, const QColor &bg, const QColor &fg);
void setBackgroundOf(QWidget *w, const QColor &bg);
void setForegroundOf(QWidget *w, const QColor &fg);
QColor backgroundOf(const QWidget *w);
QColor foregroundOf(const QWidget *w);

// Writes key = text to the single selected object; with none or several selected nothing
// is stored.
void WriteSelectedProperty(frmMain &form, QString key, QString text);

// Change rules, run on every change of the field's text, typed or assigned.
// field: 1 .. 18 for Text1 .. Text18.
void Text_Change(frmMain &form, int field);
void Value_Change(frmMain &form);
void txtType_Change(frmMain &form);
void txtInfo_Change(frmMain &form);
void txtName_Change(frmMain &form);
void textheader_Change(frmMain &form);
void SaveChanges_Click(frmMain &form);

// The field assignment rule: puts text into a panel field and runs its change rule at
// once, also when the field already shows that text.
void assignField(frmMain &form, QLineEdit *field, const QString &text);

// Keep leaves List1 and its heading as they are, for a caller that puts back its own (a
// long search list filled again costs a step taken back far more than the rest).
enum class ReadyList { Show, Keep };
void Vellum_Click(frmMain &form, ReadyList list = ReadyList::Show);
// After a command changed the selection: the panel shows the single selected object as a
// press and click on it would, which makes it current, or the summary of no or several
// objects. List1 stays. KeepCommands leaves the object the command made current.
enum class SelectionCurrent { Selected, KeepCommands };
void showSelection(frmMain &form, SelectionCurrent current = SelectionCurrent::Selected);
void Vellum_MouseDown(frmMain &form, int button, int shift, int x, int y);

// The user picked entry k of the type chooser Combo1.
void Combo1_Click(frmMain &form, int k);
// Opens the type-table editor in place of the main window.
void newtype_Click(frmMain &form);

// Refresh steps shared by the handlers.
void selectionSummary(frmMain &form, int selectedCount);
void singleObjectFill(frmMain &form);
// The header, Text1 .. Text18 and Value emptied through the assignment rule.
void emptyPanelFields(frmMain &form);
// The current object's movement history in movehistory, scrolled to its end.
void showHistory(frmMain &form);
void enableSummaryFields(frmMain &form, int selectedCount);
void captionLoad(frmMain &form);
// Empties the 16 captions when "TypeIndex" of the current object is 0, empty or not a
// number; returns whether it did.
bool captionClear(frmMain &form);
void colourScheme(frmMain &form);
// Every panel field and the colour chooser take Combo1's colours.
void spreadPanelColours(frmMain &form);
// The same, and the colour chooser shows "Colour" again.
void colourSpread(frmMain &form);
void rowCovers(frmMain &form);
