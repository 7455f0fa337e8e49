#include "features/export.h"

#include "canvas/vellum.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSaveFile>

namespace Export {

namespace {

constexpr int FieldCount = 16;     // "2" .. "17"
constexpr int CellsPerType = 17;
constexpr int TypeCount = 15;

// Slots of the keys the exports read, in the order of Item's members.
enum Slot { Type, Name, Info, Set, TypeIndex, Value, Alarm, Path, History, Field0, SlotCount };

const QHash<QString, int> &slotOfKey()
{
    static const QHash<QString, int> keySlots = [] {
        QHash<QString, int> s = {
            {QStringLiteral("Type"), Type},           {QStringLiteral("Name"), Name},
            {QStringLiteral("Info"), Info},           {QStringLiteral("set"), Set},
            {QStringLiteral("TypeIndex"), TypeIndex}, {QStringLiteral("Value"), Value},
            {QStringLiteral("18"), Alarm},            {QStringLiteral("1"), Path},
            {QStringLiteral("MovementHistory"), History}};
        for (int j = 0; j < FieldCount; ++j)
            s.insert(QString::number(j + 2), Field0 + j);
        return s;
    }();
    return keySlots;
}

// A text a spreadsheet would run as a formula gets a leading apostrophe, so it stays
// text; a plain signed number ("-5", "+2.5") is a number, not a formula, and stays.
QString guarded(const QString &text)
{
    if (text.isEmpty())
        return text;
    const QChar first = text.front();
    if (first != u'=' && first != u'+' && first != u'-' && first != u'@')
        return text;
    bool number = false;
    text.toDouble(&number);
    return number ? text : QLatin1Char('\'') + text;
}

void appendCell(QString &out, const QString &text)
{
    const QString cell = guarded(text);
    static const QRegularExpression special(QStringLiteral("[,\"\r\n]"));
    if (!cell.contains(special)) {
        out += cell;
        return;
    }
    out += u'"';
    out += QString(cell).replace(u'"', QStringLiteral("\"\""));
    out += u'"';
}

void appendRow(QString &out, const QStringList &cells)
{
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            out += u',';
        appendCell(out, cells.at(i));
    }
    out += TextRules::crlf;
}

QString historyCell(const QString &history)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = history.split(lineBreak);
    lines.removeAll(QString());
    return lines.join(QStringLiteral("; "));
}

// Calls visit with each stored object in turn, so a walk of every object holds one.
void forEachStoredItem(const VellumModel &canvas, const QString *box,
                       const std::function<void(const Item &)> &visit)
{
    const QHash<QString, int> &keySlots = slotOfKey();
    std::array<QString, SlotCount + FieldCount - 1> values;
    Item item;
    item.fields.resize(FieldCount);
    for (const auto &object : canvas.objects()) {
        for (QString &value : values)
            value.clear();
        for (const auto &[key, value] : object->properties) {
            const auto at = keySlots.constFind(key);
            if (at != keySlots.cend())
                values[size_t(*at)] = value;
        }
        if (values[Type] != u"Object" || (box && values[Info] != *box))
            continue;
        item.name = values[Name];
        item.box = values[Info];
        item.type = values[Set];
        item.value = values[Value];
        item.alarm = values[Alarm];
        item.path = values[Path];
        item.history = values[History];
        item.typeIndex = TextRules::toInt16(values[TypeIndex]).value_or(0);
        for (int j = 0; j < FieldCount; ++j)
            item.fields[j] = values[size_t(Field0 + j)];
        visit(item);
    }
}

} // namespace

QList<Item> storedItems(const VellumModel &canvas, const QString *box)
{
    QList<Item> items;
    forEachStoredItem(canvas, box, [&items](const Item &item) { items << item; });
    return items;
}

QString alarmCell(const QString &alarm)
{
    const std::optional<QDateTime> when = TextRules::readDateTime(alarm);
    return when ? when->date().toString(Qt::ISODate) : alarm;
}

QString writeInventoryCsv(const VellumModel &canvas, const QString &typeTable, QIODevice &device)
{
    // One column per distinct caption, in type order then row order; column[k][j] is where
    // field j of type k goes (-1: a row without caption, not exported).
    const QStringList cells = TextRules::splitCrLf(typeTable);
    QStringList captions;
    std::array<std::array<int, FieldCount>, TypeCount> column{};
    for (int k = 0; k < TypeCount; ++k) {
        for (int j = 0; j < FieldCount; ++j) {
            const QString caption = cells.value(k * CellsPerType + 1 + j);
            qsizetype at = caption.isEmpty() ? -1 : captions.indexOf(caption);
            if (!caption.isEmpty() && at < 0) {
                at = captions.size();
                captions << caption;
            }
            column[size_t(k)][size_t(j)] = int(at);
        }
    }

    QString out;
    QString why;
    // The text made so far goes to the device in pieces of about this many characters.
    constexpr qsizetype piece = 1 << 16;
    const auto send = [&out, &why, &device] {
        const QByteArray bytes = out.toUtf8();
        if (why.isEmpty() && device.write(bytes) != bytes.size())
            why = device.errorString();
        out.clear();
    };
    QStringList row = {QStringLiteral("Name"), QStringLiteral("Box"), QStringLiteral("Type")};
    row << captions;
    row << QStringLiteral("Value") << QStringLiteral("Alarm") << QStringLiteral("Path")
        << QStringLiteral("History");
    appendRow(out, row);

    QHash<QString, QString> alarms;     // the same few dates recur across many objects
    forEachStoredItem(canvas, nullptr, [&](const Item &item) {
        if (!why.isEmpty())
            return;
        row = {item.name, item.box, item.type};
        QStringList fields(captions.size());
        const int t = item.typeIndex - 1;
        if (t >= 0 && t % CellsPerType == 0 && t / CellsPerType < TypeCount) {
            for (int j = 0; j < FieldCount; ++j) {
                const int at = column[size_t(t / CellsPerType)][size_t(j)];
                if (at >= 0)
                    fields[at] = item.fields.at(j);
            }
        }
        row << fields;
        auto alarm = alarms.constFind(item.alarm);
        if (alarm == alarms.cend())
            alarm = alarms.insert(item.alarm, alarmCell(item.alarm));
        row << item.value << *alarm << item.path << historyCell(item.history);
        appendRow(out, row);
        if (out.size() >= piece)
            send();
    });
    send();
    return why;
}

QString askFileName(frmMain &form, const QString &caption, const QString &suggested,
                    const QString &filter, const QString &suffix)
{
    QString file = form.platform().saveFileName(caption, suggested, filter);
    if (!file.isEmpty() && QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + suffix;
    return file;
}

bool writeWhole(frmMain &form, const QString &file,
                const std::function<QString(QIODevice &)> &write)
{
    QSaveFile out(file);
    QString why;
    if (!out.open(QIODevice::WriteOnly))
        why = out.errorString();
    else if (why = write(out); why.isEmpty() && !out.commit())
        why = out.errorString();
    if (why.isEmpty())
        return true;
    out.cancelWriting();
    form.platform().message(QStringLiteral("The file \"%1\" could not be written: %2.")
                                .arg(QDir::toNativeSeparators(file), why));
    return false;
}

} // namespace Export

void exportinventory_Click(frmMain &form)
{
    const QString file = Export::askFileName(
        form, QStringLiteral("Export the inventory"),
        QDir::current().filePath(QStringLiteral("Ambrook inventory.csv")),
        QStringLiteral("Spreadsheet (CSV) files (*.csv)"), QStringLiteral("csv"));
    if (file.isEmpty())
        return;
    Export::writeWhole(form, file, [&form](QIODevice &out) {
        return Export::writeInventoryCsv(*form.Vellum, form.typeTableTextValue, out);
    });
}
