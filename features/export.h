#pragma once

// The inventory taken out of the program: every stored object as a spreadsheet file, and
// the contents of the current box as a sheet to print or tape to the box. Neither changes
// the document.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class frmMain;
class QIODevice;
class VellumModel;

namespace Export {

// One stored object as the exports read it.
struct Item
{
    QString name, box, type, value, alarm, path, history;
    int typeIndex = 0;          // "TypeIndex": 17k + 1, 0 for none
    QStringList fields;         // "2" .. "17"
};

// Every stored object ("Type" "Object") in drawing order; with box given, only those in
// it. The walk reads the objects directly, so the canvas's current object stays.
QList<Item> storedItems(const VellumModel &canvas, const QString *box = nullptr);

// The spreadsheet: a header row, then one row per stored object (RFC 4180: UTF-8, commas,
// fields quoted where needed, CR LF). The type table gives the field columns. Rows go out
// as they are made, so a large inventory is never held twice in memory. Returns "" or why
// the device refused the bytes.
QString writeInventoryCsv(const VellumModel &canvas, const QString &typeTable, QIODevice &out);

// The alarm date as a spreadsheet reads it: yyyy-mm-dd when it is a date, else as stored.
QString alarmCell(const QString &alarm);

// Asks for a file name (suffix added when none is typed); "" when cancelled.
QString askFileName(frmMain &form, const QString &caption, const QString &suggested,
                    const QString &filter, const QString &suffix);

// Writes file whole or not at all: the old file stays until write succeeded. On failure
// tells the user which file and why, and returns false. write returns "" or why it failed.
bool writeWhole(frmMain &form, const QString &file,
                const std::function<QString(QIODevice &)> &write);

} // namespace Export

// "Export…": every stored object to a CSV file of the user's choice.
void exportinventory_Click(frmMain &form);
// "Contents Sheet…": the current box's objects as a PDF of the user's choice.
void contentssheet_Click(frmMain &form);
