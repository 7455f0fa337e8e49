#pragma once

// The bytes of the journal's records, and of the window state a record carries: numbers
// little-endian, texts as their UTF-16 code units, so that every text comes back exactly as
// it was. Reading checks every count and length against the bytes that are left.

#include <QByteArray>
#include <QByteArrayView>
#include <QColor>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <optional>
#include <type_traits>

namespace JournalBytes {

class Out
{
public:
    template<typename T> void number(T value)
    {
        static_assert(std::is_integral_v<T>);
        char raw[sizeof(T)];
        qToLittleEndian(value, raw);
        bytes.append(raw, sizeof(T));
    }
    void string(const QString &text)
    {
        number(quint32(text.size()));
        const qsizetype at = bytes.size();
        bytes.resize(at + 2 * text.size());
        qToLittleEndian<quint16>(text.utf16(), text.size(), bytes.data() + at);
    }
    void optionalString(const std::optional<QString> &text)
    {
        number(quint8(text.has_value()));
        if (text)
            string(*text);
    }
    void strings(const QStringList &texts)
    {
        number(quint32(texts.size()));
        for (const QString &text : texts)
            string(text);
    }
    void blob(const QByteArray &data)
    {
        number(quint32(data.size()));
        bytes.append(data);
    }
    void colour(const QColor &colour)
    {
        number(quint8(colour.isValid()));
        number(quint32(colour.rgba()));
    }
    // Any colour the window uses, with its spec.
    void wideColour(const QColor &colour)
    {
        number(quint8(colour.spec()));
        number(quint64(colour.isValid() ? colour.rgba64() : QRgba64()));
    }

    QByteArray bytes;
};

// Reads what Out wrote; every read checks what is left, and after the first failure every
// read fails.
class In
{
public:
    explicit In(QByteArrayView bytes) : mBytes(bytes) {}

    bool ok() const { return mOk; }
    bool atEnd() const { return mOk && mAt == mBytes.size(); }

    template<typename T> T number()
    {
        if (!take(sizeof(T)))
            return T();
        return qFromLittleEndian<T>(mBytes.data() + mAt - qsizetype(sizeof(T)));
    }
    // A count of items that take at least minSize bytes each.
    quint32 count(qsizetype minSize)
    {
        const quint32 n = number<quint32>();
        if (mOk && qsizetype(n) > (mBytes.size() - mAt) / minSize)
            mOk = false;
        return mOk ? n : 0;
    }
    QString string()
    {
        const quint32 n = count(2);
        if (!take(2 * qsizetype(n)))
            return QString();
        QString text(qsizetype(n), Qt::Uninitialized);
        qFromLittleEndian<quint16>(mBytes.data() + mAt - 2 * qsizetype(n), n, text.data());
        return text;
    }
    QStringList strings()
    {
        const quint32 n = count(4);
        QStringList texts;
        texts.reserve(n);
        for (quint32 i = 0; i < n && mOk; ++i)
            texts << string();
        return mOk ? texts : QStringList();
    }
    std::optional<QString> optionalString()
    {
        if (!flag())
            return std::nullopt;
        return string();
    }
    QByteArray blob()
    {
        const quint32 n = count(1);
        if (!take(n))
            return {};
        return mBytes.sliced(mAt - qsizetype(n), qsizetype(n)).toByteArray();
    }
    QColor colour()
    {
        const bool valid = flag();
        const QRgb rgba = number<quint32>();
        return valid ? QColor::fromRgba(rgba) : QColor();
    }
    QColor wideColour()
    {
        const auto spec = QColor::Spec(ranged<quint8>(QColor::Invalid, QColor::ExtendedRgb));
        const QRgba64 rgba = QRgba64::fromRgba64(number<quint64>());
        if (!mOk || spec == QColor::Invalid)
            return QColor();
        const QColor colour = QColor::fromRgba64(rgba);
        return spec == QColor::Rgb ? colour : colour.convertTo(spec);
    }
    bool flag()
    {
        const quint8 f = number<quint8>();
        if (f > 1)
            mOk = false;
        return f == 1;
    }
    // A value that must lie in [min, max].
    template<typename T> T ranged(T min, T max)
    {
        const T v = number<T>();
        if (v < min || v > max)
            mOk = false;
        return v;
    }
    void fail() { mOk = false; }

private:
    bool take(qsizetype n)
    {
        if (!mOk || n > mBytes.size() - mAt)
            return mOk = false;
        mAt += n;
        return true;
    }

    QByteArrayView mBytes;
    qsizetype mAt = 0;
    bool mOk = true;
};

} // namespace JournalBytes
