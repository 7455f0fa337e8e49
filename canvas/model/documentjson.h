#pragma once

// JSON writing and scanning for the document file, by hand: Qt's general JSON document is
// several times too slow for tens of thousands of objects, and a text must come back exactly
// as it went in (lone surrogates included), which a reader that repairs text cannot promise.
// Private to the document file.

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QString>

#include <functional>
#include <optional>

namespace DocumentJson {

// The value of a hexadecimal digit, -1 for any other character.
int hexValue(char c);

// A character that stands for itself inside a JSON text: printable ASCII, no quote or
// backslash.
inline bool isPlain(char c)
{
    return uchar(c) >= 0x20 && uchar(c) < 0x80 && c != '\\' && c != '"';
}

// Writes JSON text into memory, or streams it to a sink: then the bytes are handed over
// whenever about a chunk has gathered and the same buffer is used again, so that memory
// stays bounded whatever the size of the document.
class Writer
{
public:
    // Takes the bytes handed over; false when they could not be kept.
    using Sink = std::function<bool(const char *data, qsizetype size)>;
    static constexpr qsizetype chunkSize = 1024 * 1024;

    explicit Writer(qsizetype expectedSize = 0)
        : mEnd(expectedSize)
    {
        mBuffer.resize(expectedSize);
    }
    explicit Writer(Sink sink)
        : mEnd(chunkSize)
        , mSink(std::move(sink))
    {
        mBuffer.resize(chunkSize);
    }
    void raw(const char *text, qsizetype n);
    void raw(const char *text);
    void raw(const QByteArray &bytes) { raw(bytes.constData(), bytes.size()); }
    void number(qint64 value);
    void string(const QString &text);           // UTF-8 between quotes
    void colour(const QColor &colour);          // "#rrggbb"
    void base64(QByteArrayView bytes);          // without quotes
    QByteArray take();                          // in memory: all that was written
    // Streaming: hands over the rest; false when the sink failed, after which it was given
    // nothing more.
    bool finish();

private:
    char *room(qsizetype n);                    // space for n more bytes at the end
    void done(char *end) { mUsed = end - mBuffer.data(); }
    void makeRoom(qsizetype n);
    void handOver();

    QByteArray mBuffer;
    qsizetype mUsed = 0;
    qsizetype mEnd; // a write past this makes room first
    Sink mSink;
    bool mFailed = false;
};

// Walks the JSON text. A read that meets something that is not JSON fails and keeps the
// first syntax error with its byte offset; every later read fails at once.
class Scanner
{
public:
    explicit Scanner(const QByteArray &bytes, qsizetype from = 0);

    enum Kind { End, String, Number, Boolean, Null, Object, Array, Invalid };
    Kind next();                                // the kind of the next value, not taken

    bool take(char c);                          // the character, else a syntax error
    bool skip(char c);                          // the character if it is next
    // Drives a loop over members or elements, called after the opening bracket:
    // true while another one follows (its comma taken), false at the closing bracket.
    bool more(char close, bool &first);

    bool string(QString &text);
    // A text of printable ASCII without escapes, taken as its raw bytes; nothing is taken
    // (and no error set) when the next text is not of that kind.
    std::optional<QByteArrayView> plain();
    // A member name and its colon: the raw bytes when plain, else its UTF-8 in storage.
    bool name(QByteArrayView &name, QByteArray &storage);
    bool number(double &value);                 // any JSON number as a double
    bool boolean(bool &value);
    bool value(int depth = 0);                  // any value, passed over

    bool atEnd();
    bool ok() const { return mError.isEmpty(); }
    qsizetype offset() const { return mP - mBegin; }
    QString syntaxError() const { return mError; }

private:
    bool fault(const QString &what);
    void blanks();
    bool literal(const char *word);
    const char *closingQuote(bool &plain) const;
    bool decode(const char *close, char16_t *out, qsizetype &length);

    const char *mBegin;
    const char *mP;
    const char *mEnd;
    QString mError;
};

} // namespace DocumentJson
