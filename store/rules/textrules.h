#pragma once

// The text and number rules every handler uses. Each conversion that can fail returns
// std::optional, so a handler can skip the step that fails.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace TextRules {

// 16-bit integer from text: a number (leading/trailing blanks allowed, decimal point,
// exponent) rounded half to even, within -32768 .. 32767; anything else gives no value.
std::optional<qint16> toInt16(const QString &text);

// Numeric value of a "Value" text: blanks, tabs and line feeds anywhere are ignored;
// reading stops at the first character that cannot continue a number (digits, one
// decimal point, a leading sign, an exponent, the prefixes &H and &O); no leading number
// gives 0. "12.50" -> 12.5, "1,234" -> 1, "$5" -> 0, "&H10" -> 16.
double valueNumber(const QString &text);

// Number to text: integers as decimal, doubles in their shortest form that reads back
// the same (12.5, 0.1, 3).
QString numberText(double value);
QString numberText(qint64 value);
inline QString numberText(int value)
{
    return numberText(qint64(value));
}

// Short date text: the locale's short date form but always with a four-digit year.
QString shortDateText(const QDate &date, const QLocale &locale = QLocale());
// Reads the program's short form, the locale's own short form and ISO 8601, each with an
// optional time of day. No value for anything else.
std::optional<QDateTime> readDateTime(const QString &text, const QLocale &locale = QLocale());
bool isDate(const QString &text, const QLocale &locale = QLocale());

// CR LF lists: every item followed by "\r\n"; the split keeps empty pieces
// ("A\r\nB\r\n" -> "A", "B", "").
QString joinCrLf(const QStringList &items);
QStringList splitCrLf(const QString &text);
inline const QString crlf = QStringLiteral("\r\n");

} // namespace TextRules
