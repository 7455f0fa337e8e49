#include "features/journal.h"

#include "features/undosteps.h"

#include <QtEndian>

#include <cstring>

// The window's state in a journal record: little-endian numbers, texts as UTF-8 with their
// length, lists with their count, colours as spec and 16-bit RGBA, then a version byte's
// worth of flags at the end. Nothing is read that the bytes left cannot hold.

namespace {

constexpr quint8 stateVersion = 1;

class Writer
{
public:
    QByteArray bytes;

    template<typename T>
    void number(T value)
    {
        char raw[sizeof(T)];
        qToLittleEndian(value, raw);
        bytes.append(raw, sizeof(T));
    }
    void text(const QString &value)
    {
        const QByteArray utf8 = value.toUtf8();
        number(quint32(utf8.size()));
        bytes.append(utf8);
    }
    void texts(const QStringList &values)
    {
        number(quint32(values.size()));
        for (const QString &value : values)
            text(value);
    }
    void colour(const QColor &c)
    {
        number(quint8(c.spec()));
        number(quint64(c.isValid() ? c.rgba64() : QRgba64()));
    }
    void brush(const QBrush &b)
    {
        // The window's brushes are plain colours or none: a gradient or a picture is kept
        // as its colour.
        number(quint8(b.style() > Qt::DiagCrossPattern ? Qt::SolidPattern : b.style()));
        colour(b.color());
    }
};

class Reader
{
public:
    explicit Reader(QByteArrayView bytes) : mBytes(bytes) {}

    bool atEnd() const { return mAt == mBytes.size(); }
    qsizetype left() const { return mBytes.size() - mAt; }

    template<typename T>
    bool number(T &value)
    {
        if (left() < qsizetype(sizeof(T)))
            return false;
        value = qFromLittleEndian<T>(mBytes.data() + mAt);
        mAt += sizeof(T);
        return true;
    }
    bool text(QString &value)
    {
        quint32 size = 0;
        if (!number(size) || qsizetype(size) > left())
            return false;
        const QByteArrayView utf8 = mBytes.sliced(mAt, size);
        mAt += size;
        value = QString::fromUtf8(utf8);
        return value.toUtf8() == utf8;   // no invalid UTF-8
    }
    bool texts(QStringList &values)
    {
        quint32 count = 0;
        // Every text takes at least its length.
        if (!number(count) || qsizetype(count) > left() / 4)
            return false;
        values.clear();
        values.reserve(count);
        for (quint32 i = 0; i < count; ++i) {
            QString value;
            if (!text(value))
                return false;
            values << value;
        }
        return true;
    }
    bool colour(QColor &c)
    {
        quint8 spec = 0;
        quint64 rgba = 0;
        if (!number(spec) || !number(rgba) || spec > QColor::ExtendedRgb)
            return false;
        c = QColor();
        if (spec != QColor::Invalid) {
            c = QColor::fromRgba64(QRgba64::fromRgba64(rgba));
            if (spec != QColor::Rgb)
                c = c.convertTo(QColor::Spec(spec));
        }
        return true;
    }
    bool brush(QBrush &b)
    {
        quint8 style = 0;
        QColor c;
        if (!number(style) || style > Qt::DiagCrossPattern || !colour(c))
            return false;
        b = QBrush(c, Qt::BrushStyle(style));
        return true;
    }

private:
    QByteArrayView mBytes;
    qsizetype mAt = 0;
};

constexpr qsizetype lineSize = 2 * (1 + 1 + 8) + 4;   // two brushes and a length at least

} // namespace

QByteArray encodeWindowState(const WindowState &s)
{
    Writer w;
    w.number(stateVersion);
    w.text(s.typeTableText);
    w.text(s.boxNameText);
    for (qint32 n : {s.startObject, s.currentBox, s.dropX, s.dropY})
        w.number(n);
    w.texts(s.readyList);
    w.texts(s.boxList);
    w.text(s.boxChooserText);
    w.texts(s.typeChooser);
    w.number(quint32(s.listLines.size()));
    for (const WindowState::Line &line : s.listLines) {
        w.text(line.text);
        w.brush(line.foreground);
        w.brush(line.background);
    }
    w.number(quint64(s.listPalette.resolveMask()));
    w.number(quint8(QPalette::NColorGroups));
    w.number(quint8(QPalette::NColorRoles));
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        for (int r = 0; r < QPalette::NColorRoles; ++r)
            w.brush(s.listPalette.brush(QPalette::ColorGroup(g), QPalette::ColorRole(r)));
    }
    w.text(s.listHeading);
    w.number(quint8((s.listShown ? 1 : 0) | (s.barShown ? 2 : 0) | (s.intoShown ? 4 : 0)
                    | (s.chooserShown ? 8 : 0)));
    return w.bytes;
}

bool decodeWindowState(QByteArrayView bytes, WindowState &s)
{
    Reader r(bytes);
    quint8 version = 0;
    if (!r.number(version) || version != stateVersion || !r.text(s.typeTableText)
        || !r.text(s.boxNameText))
        return false;
    for (qint32 *n : {&s.startObject, &s.currentBox, &s.dropX, &s.dropY}) {
        if (!r.number(*n))
            return false;
    }
    quint32 lines = 0;
    if (!r.texts(s.readyList) || !r.texts(s.boxList) || !r.text(s.boxChooserText)
        || !r.texts(s.typeChooser) || !r.number(lines) || qsizetype(lines) > r.left() / lineSize)
        return false;
    s.listLines.assign(lines, {});
    for (WindowState::Line &line : s.listLines) {
        if (!r.text(line.text) || !r.brush(line.foreground) || !r.brush(line.background))
            return false;
    }
    quint64 mask = 0;
    quint8 groups = 0;
    quint8 roles = 0;
    if (!r.number(mask) || !r.number(groups) || !r.number(roles)
        || groups != QPalette::NColorGroups || roles > QPalette::NColorRoles)
        return false;
    s.listPalette = QPalette();
    for (int g = 0; g < groups; ++g) {
        for (int k = 0; k < roles; ++k) {
            QBrush brush;
            if (!r.brush(brush))
                return false;
            s.listPalette.setBrush(QPalette::ColorGroup(g), QPalette::ColorRole(k), brush);
        }
    }
    s.listPalette.setResolveMask(QPalette::ResolveMask(mask));
    quint8 flags = 0;
    if (!r.text(s.listHeading) || !r.number(flags) || flags > 15 || !r.atEnd())
        return false;
    s.listShown = flags & 1;
    s.barShown = flags & 2;
    s.intoShown = flags & 4;
    s.chooserShown = flags & 8;
    return true;
}
