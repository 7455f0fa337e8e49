#include "canvas/model/documentjson.h"

#include <algorithm>
#include <cstring>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace DocumentJson {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Scanner::Scanner(const QByteArray &bytes, qsizetype from)
    : mBegin(bytes.constData())
    , mP(mBegin + std::clamp<qsizetype>(from, 0, bytes.size()))
    , mEnd(mBegin + bytes.size())
{}

bool Scanner::fault(const QString &what)
{
    if (mError.isEmpty())
        mError = u"%1 at byte %2"_s.arg(what).arg(mP - mBegin);
    mP = mEnd;
    return false;
}

void Scanner::blanks()
{
    while (mP < mEnd && (*mP == ' ' || *mP == '\n' || *mP == '\r' || *mP == '\t'))
        ++mP;
}

bool Scanner::atEnd()
{
    blanks();
    return mP == mEnd;
}

Scanner::Kind Scanner::next()
{
    blanks();
    if (!ok() || mP == mEnd)
        return End;
    switch (*mP) {
    case '"': return String;
    case '{': return Object;
    case '[': return Array;
    case 't':
    case 'f': return Boolean;
    case 'n': return Null;
    default: return *mP == '-' || (*mP >= '0' && *mP <= '9') ? Number : Invalid;
    }
}

bool Scanner::take(char c)
{
    blanks();
    if (!ok())
        return false;
    if (mP == mEnd)
        return fault(u"unexpected end"_s);
    if (*mP != c)
        return fault(u"\u201C%1\u201D expected"_s.arg(QLatin1Char(c)));
    ++mP;
    return true;
}

bool Scanner::skip(char c)
{
    blanks();
    if (!ok() || mP == mEnd || *mP != c)
        return false;
    ++mP;
    return true;
}

bool Scanner::more(char close, bool &first)
{
    if (!ok() || skip(close))
        return false;
    if (!first && !take(','))
        return false;
    first = false;
    return true;
}

bool Scanner::literal(const char *word)
{
    const qsizetype n = qsizetype(std::strlen(word));
    if (mEnd - mP < n || std::memcmp(mP, word, size_t(n)) != 0)
        return fault(u"unexpected character"_s);
    mP += n;
    return true;
}

// The quote that ends the text whose first character is at mP, or null; plain tells whether
// the text is printable ASCII without escapes.
const char *Scanner::closingQuote(bool &plain) const
{
    plain = true;
    for (const char *p = mP; p < mEnd; ++p) {
        if (*p == '"')
            return p;
        if (*p == '\\') {
            plain = false;
            ++p;
        } else if (uchar(*p) < 0x20 || uchar(*p) >= 0x80) {
            plain = false;
        }
    }
    return nullptr;
}

// Decodes escapes and UTF-8 up to close into out, which has room for close - mP units.
bool Scanner::decode(const char *close, char16_t *out, qsizetype &length)
{
    static const char escapes[] = "\"\\/bfnrt";
    static const char16_t meanings[] = u"\"\\/\b\f\n\r\t";
    char16_t *o = out;
    while (mP < close) {
        const uchar c = uchar(*mP);
        if (c == '\\') {
            const char e = mP[1];
            if (const char *hit = e ? std::strchr(escapes, e) : nullptr) {
                *o++ = meanings[hit - escapes];
                mP += 2;
                continue;
            }
            int unit = 0;
            for (int i = 2; e == 'u' && i < 6 && unit >= 0; ++i)
                unit = mP + i < close && hexValue(mP[i]) >= 0 ? unit * 16 + hexValue(mP[i]) : -1;
            if (e != 'u' || unit < 0)
                return fault(u"bad escape in a text"_s);
            *o++ = char16_t(unit);
            mP += 6;
        } else if (c < 0x20) {
            return fault(u"control character in a text"_s);
        } else if (c < 0x80) {
            *o++ = c;
            ++mP;
        } else {
            // Strict UTF-8: no overlong forms, no encoded surrogates, nothing past U+10FFFF.
            const int extra = c >= 0xC2 && c <= 0xDF   ? 1
                              : c >= 0xE0 && c <= 0xEF ? 2
                              : c >= 0xF0 && c <= 0xF4 ? 3
                                                       : -1;
            if (extra < 0 || close - mP <= extra)
                return fault(u"bad UTF-8"_s);
            char32_t code = c & (0x3F >> extra);
            for (int i = 1; i <= extra; ++i) {
                const uchar k = uchar(mP[i]);
                if ((k & 0xC0) != 0x80)
                    return fault(u"bad UTF-8"_s);
                code = (code << 6) | (k & 0x3F);
            }
            static const char32_t least[] = {0, 0x80, 0x800, 0x10000};
            if (code < least[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
                return fault(u"bad UTF-8"_s);
            if (code >= 0x10000) {
                *o++ = QChar::highSurrogate(code);
                *o++ = QChar::lowSurrogate(code);
            } else {
                *o++ = char16_t(code);
            }
            mP += extra + 1;
        }
    }
    length = o - out;
    return true;
}

bool Scanner::string(QString &text)
{
    if (!take('"'))
        return false;
    bool plain = true;
    const char *close = closingQuote(plain);
    if (!close)
        return fault(u"unfinished text"_s);
    if (plain) {
        text = QString::fromLatin1(mP, close - mP);
    } else {
        text.resize(close - mP);
        qsizetype length = 0;
        if (!decode(close, reinterpret_cast<char16_t *>(text.data()), length))
            return false;
        text.truncate(length);
    }
    mP = close + 1;
    return true;
}

std::optional<QByteArrayView> Scanner::plain()
{
    if (next() != String)
        return std::nullopt;
    const char *p = mP + 1;
    while (p < mEnd && isPlain(*p))
        ++p;
    if (p == mEnd || *p != '"')
        return std::nullopt;
    const QByteArrayView view(mP + 1, p - mP - 1);
    mP = p + 1;
    return view;
}

bool Scanner::name(QByteArrayView &name, QByteArray &storage)
{
    if (const std::optional<QByteArrayView> raw = plain()) {
        name = *raw;
    } else {
        QString text;
        if (!string(text))
            return false;
        storage = text.toUtf8();
        name = storage;
    }
    return take(':');
}

bool Scanner::number(double &value)
{
    blanks();
    if (!ok())
        return false;
    const char *start = mP;
    const char *p = mP;
    const auto digits = [&] {
        const char *from = p;
        while (p < mEnd && *p >= '0' && *p <= '9')
            ++p;
        return p - from;
    };
    if (p < mEnd && *p == '-')
        ++p;
    const char *whole = p;
    const qsizetype wholeDigits = digits();
    bool good = wholeDigits > 0 && !(wholeDigits > 1 && *whole == '0');
    bool integer = true;
    if (good && p < mEnd && *p == '.') {
        ++p;
        good = digits() > 0;
        integer = false;
    }
    if (good && p < mEnd && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p < mEnd && (*p == '+' || *p == '-'))
            ++p;
        good = digits() > 0;
        integer = false;
    }
    if (!good)
        return fault(u"bad number"_s);
    if (integer && wholeDigits <= 15) {
        qint64 n = 0;
        for (const char *d = whole; d < p; ++d)
            n = n * 10 + (*d - '0');
        value = *start == '-' ? -double(n) : double(n);
    } else {
        bool converted = false;
        value = QByteArray::fromRawData(start, p - start).toDouble(&converted);
        if (!converted)
            value = std::numeric_limits<double>::infinity();
    }
    mP = p;
    return true;
}

bool Scanner::boolean(bool &value)
{
    blanks();
    value = mP < mEnd && *mP == 't';
    return ok() && literal(value ? "true" : "false");
}

bool Scanner::value(int depth)
{
    // Deep nesting only comes from hostile files; refuse it before the stack gives out.
    if (depth > 64)
        return fault(u"too deeply nested"_s);
    QString text;
    double number = 0;
    bool flag = false;
    bool first = true;
    switch (next()) {
    case String: return string(text);
    case Number: return this->number(number);
    case Boolean: return boolean(flag);
    case Null: return literal("null");
    case Object:
        take('{');
        while (more('}', first)) {
            if (!string(text) || !take(':') || !value(depth + 1))
                return false;
        }
        return ok();
    case Array:
        take('[');
        while (more(']', first)) {
            if (!value(depth + 1))
                return false;
        }
        return ok();
    case End: return ok() ? fault(u"unexpected end"_s) : false;
    case Invalid: break;
    }
    return fault(u"unexpected character"_s);
}

} // namespace DocumentJson
