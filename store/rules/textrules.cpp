#include "store/rules/textrules.h"

#include <QRegularExpression>

#include <cmath>

namespace TextRules {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// 0 .. 15 for a hexadecimal digit, -1 for anything else.
int digitValue(QChar c)
{
    if (isAsciiDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

// Replaces every run of y outside quoted literals by yyyy, so the year always shows in full.
QString withFullYear(const QString &format)
{
    QString result;
    result.reserve(format.size() + 2);
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'') {
            quoted = !quoted;
            result += c;
        } else if (!quoted && c == u'y') {
            while (i + 1 < format.size() && format.at(i + 1) == u'y')
                ++i;
            result += QLatin1String("yyyy");
        } else {
            result += c;
        }
    }
    return result;
}

// Lets a day or month be typed with or without its leading zero ("5.12.2026").
QString withLooseDigits(const QString &format)
{
    QString result;
    result.reserve(format.size());
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format.at(i);
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || (c != u'd' && c != u'M')) {
            result += c;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        result += run == 2 ? QString(c) : QString(run, c);
        i += run - 1;
    }
    return result;
}

bool hasTwoDigitYear(const QString &format)
{
    return format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy"));
}

// Qt's own ISO reading ignores what follows the date, so the form is spelled out.
QDate isoDate(const QString &text)
{
    return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

// A date alone, in the program's form, the locale's own form or ISO 8601.
QDate readDate(const QString &text, const QLocale &locale)
{
    const QString own = locale.dateFormat(QLocale::ShortFormat);
    const QString full = withFullYear(own);
    QDate date = locale.toDate(text, withLooseDigits(full));
    if (date.isValid())
        return date;
    date = isoDate(text);
    if (date.isValid())
        return date;
    if (hasTwoDigitYear(own)) {
        // Qt reads a two-digit year as 19xx; people mean this century.
        date = locale.toDate(text, withLooseDigits(own));
        if (date.isValid() && date.year() >= 1900 && date.year() <= 1999)
            date = date.addYears(100);
        return date;
    }
    return locale.toDate(text, own);
}

QTime readTime(const QString &text, const QLocale &locale)
{
    static const QString forms[] = {
        QStringLiteral("H:mm"), QStringLiteral("H:mm:ss"), QStringLiteral("h:mm AP"),
        QStringLiteral("h:mm:ss AP"), QStringLiteral("h:mmAP"), QStringLiteral("h:mm:ssAP")};
    for (const QString &form : forms) {
        QTime time = locale.toTime(text, form);
        if (!time.isValid() && form.contains(u'A'))
            time = QLocale::c().toTime(text, form);
        if (time.isValid())
            return time;
    }
    return locale.toTime(text, locale.timeFormat(QLocale::ShortFormat));
}

} // namespace

std::optional<qint16> toInt16(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    const QString trimmed = text.trimmed();
    if (!number.match(trimmed).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    // The default floating-point rounding is to nearest, ties to even.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768.0 || rounded > 32767.0)
        return std::nullopt;
    return qint16(rounded);
}

double valueNumber(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            s += c;
    }

    if (s.size() >= 2 && s.at(0) == u'&') {
        const QChar prefix = s.at(1).toUpper();
        const int base = prefix == u'H' ? 16 : prefix == u'O' ? 8 : 0;
        if (base == 0)
            return 0.0;
        double value = 0.0;
        for (qsizetype i = 2; i < s.size(); ++i) {
            const int digit = digitValue(s.at(i));
            if (digit < 0 || digit >= base)
                break;
            value = value * base + digit;
        }
        return std::isfinite(value) ? value : 0.0;
    }

    qsizetype i = 0;
    if (i < s.size() && (s.at(i) == u'+' || s.at(i) == u'-'))
        ++i;
    qsizetype digits = 0;
    while (i < s.size() && isAsciiDigit(s.at(i))) {
        ++i;
        ++digits;
    }
    if (i < s.size() && s.at(i) == u'.') {
        ++i;
        while (i < s.size() && isAsciiDigit(s.at(i))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only with at least one digit after it.
    if (i < s.size() && (s.at(i) == u'e' || s.at(i) == u'E')) {
        qsizetype j = i + 1;
        if (j < s.size() && (s.at(j) == u'+' || s.at(j) == u'-'))
            ++j;
        if (j < s.size() && isAsciiDigit(s.at(j))) {
            while (j < s.size() && isAsciiDigit(s.at(j)))
                ++j;
            i = j;
        }
    }
    bool ok = false;
    const double value = QStringView(s).left(i).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return QString::number(qint64(value));
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString numberText(qint64 value)
{
    return QString::number(value);
}

QString shortDateText(const QDate &date, const QLocale &locale)
{
    return locale.toString(date, withFullYear(locale.dateFormat(QLocale::ShortFormat)));
}

std::optional<QDateTime> readDateTime(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;

    const QDate date = readDate(trimmed, locale);
    if (date.isValid())
        return QDateTime(date, QTime(0, 0));

    // ISO 8601 with a time of day: 2026-12-05T14:30
    const qsizetype t = trimmed.indexOf(u'T');
    if (t == 10) {
        const QDate day = isoDate(trimmed.left(t));
        const QTime time = QTime::fromString(trimmed.mid(t + 1), Qt::ISODate);
        if (day.isValid() && time.isValid())
            return QDateTime(day, time);
        return std::nullopt;
    }

    // A date followed by a time of day; the date itself may hold blanks ("2026. 12. 05."),
    // so every blank is a candidate split, the rightmost first.
    for (qsizetype split = trimmed.lastIndexOf(u' '); split > 0;
         split = trimmed.lastIndexOf(u' ', split - 1)) {
        const QDate datePart = readDate(trimmed.left(split).trimmed(), locale);
        if (!datePart.isValid())
            continue;
        const QTime timePart = readTime(trimmed.mid(split + 1).trimmed(), locale);
        if (timePart.isValid())
            return QDateTime(datePart, timePart);
    }
    return std::nullopt;
}

bool isDate(const QString &text, const QLocale &locale)
{
    return readDateTime(text, locale).has_value();
}

QString joinCrLf(const QStringList &items)
{
    QString result;
    for (const QString &item : items) {
        result += item;
        result += crlf;
    }
    return result;
}

QStringList splitCrLf(const QString &text)
{
    return text.split(crlf, Qt::KeepEmptyParts, Qt::CaseSensitive);
}

} // namespace TextRules
