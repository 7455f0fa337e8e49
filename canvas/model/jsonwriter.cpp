#include "canvas/model/documentjson.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace DocumentJson {

namespace {

char *escaped(char *p, char16_t unit)
{
    static const char hex[] = "0123456789abcdef";
    *p++ = '\\';
    *p++ = 'u';
    for (int shift = 12; shift >= 0; shift -= 4)
        *p++ = hex[(unit >> shift) & 0xF];
    return p;
}

} // namespace

// One comparison for each value written: the end is where the buffer is full or, when
// streaming, where its bytes are handed over.
char *Writer::room(qsizetype n)
{
    if (mUsed + n > mEnd)
        makeRoom(n);
    return mBuffer.data() + mUsed;
}

void Writer::makeRoom(qsizetype n)
{
    if (!mSink) {
        mBuffer.resize(std::max(mBuffer.size() * 2, mUsed + n + 4096));
        mEnd = mBuffer.size();
        return;
    }
    handOver();
    // A single value larger than a chunk gets a buffer of its size, handed over on its own
    // by the next write.
    if (n > chunkSize)
        mBuffer.resize(n);
    mEnd = n > chunkSize ? 0 : chunkSize;
}

void Writer::handOver()
{
    if (mUsed > 0 && !mFailed)
        mFailed = !mSink(mBuffer.constData(), mUsed);
    mUsed = 0;
    if (mBuffer.size() > chunkSize)
        mBuffer = QByteArray(chunkSize, Qt::Uninitialized);
}

void Writer::raw(const char *text, qsizetype n)
{
    std::memcpy(room(n), text, size_t(n));
    mUsed += n;
}

void Writer::raw(const char *text)
{
    raw(text, qsizetype(std::strlen(text)));
}

void Writer::number(qint64 value)
{
    char *p = room(24);
    done(std::to_chars(p, p + 24, value).ptr);
}

void Writer::colour(const QColor &colour)
{
    char *p = room(9);
    *p++ = '"';
    const QByteArray name = colour.name(QColor::HexRgb).toLatin1();
    std::memcpy(p, name.constData(), 7);
    p += 7;
    *p++ = '"';
    done(p);
}

// A lone surrogate is written as an escape, so that even a broken text comes back as it was.
void Writer::string(const QString &text)
{
    const char16_t *s = reinterpret_cast<const char16_t *>(text.constData());
    const char16_t *end = s + text.size();
    char *p = room(text.size() * 6 + 2);
    *p++ = '"';
    for (; s < end; ++s) {
        const char16_t c = *s;
        if (c < 0x80 && isPlain(char(c))) {
            *p++ = char(c);
        } else if (c == u'"' || c == u'\\') {
            *p++ = '\\';
            *p++ = char(c);
        } else if (c == u'\n' || c == u'\r' || c == u'\t') {
            *p++ = '\\';
            *p++ = c == u'\n' ? 'n' : c == u'\r' ? 'r' : 't';
        } else if (c < 0x20) {
            p = escaped(p, c);
        } else if (c < 0x800) {
            *p++ = char(0xC0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3F));
        } else if (QChar::isHighSurrogate(c) && s + 1 < end && QChar::isLowSurrogate(s[1])) {
            const char32_t code = QChar::surrogateToUcs4(c, s[1]);
            ++s;
            *p++ = char(0xF0 | (code >> 18));
            *p++ = char(0x80 | ((code >> 12) & 0x3F));
            *p++ = char(0x80 | ((code >> 6) & 0x3F));
            *p++ = char(0x80 | (code & 0x3F));
        } else if (QChar::isSurrogate(c)) {
            p = escaped(p, c);
        } else {
            *p++ = char(0xE0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3F));
            *p++ = char(0x80 | (c & 0x3F));
        }
    }
    *p++ = '"';
    done(p);
}

// In pieces of whole three-byte groups, which encode exactly as the whole does, so that a
// large picture needs no encoded copy of its own.
void Writer::base64(QByteArrayView bytes)
{
    constexpr qsizetype piece = 3 * 16 * 1024;
    for (qsizetype at = 0; at < bytes.size(); at += piece) {
        const qsizetype n = std::min(piece, bytes.size() - at);
        raw(QByteArray::fromRawData(bytes.data() + at, n).toBase64());
    }
}

QByteArray Writer::take()
{
    mBuffer.truncate(mUsed);
    mUsed = 0;
    return std::move(mBuffer);
}

bool Writer::finish()
{
    handOver();
    return !mFailed;
}

} // namespace DocumentJson
