#include "canvas/model/objectreader.h"

#include "canvas/model/documentfile.h"

#include <QSet>

#include <cmath>
#include <limits>
#include <string_view>

using namespace Qt::Literals::StringLiterals;

namespace DocumentFile {

namespace {

struct FieldName
{
    Field field;
    std::string_view name;
};
constexpr FieldName fieldNames[] = {
    {Id, "id"}, {Kind, "kind"}, {Rect, "rect"}, {FillColor, "fillColor"},
    {TextColor, "textColor"}, {Text, "text"}, {DrawStyle, "drawStyle"}, {FillMode, "fillMode"},
    {ShapeParam, "shapeParam"}, {Layer, "layer"}, {Selected, "selected"},
    {Properties, "properties"}, {Picture, "picture"}};
constexpr unsigned requiredFields = Picture - 1;

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QString quoted(Field field)
{
    for (const FieldName &f : fieldNames) {
        if (f.field == field)
            return quoted(QString::fromLatin1(f.name.data(), qsizetype(f.name.size())));
    }
    return QString();
}

} // namespace

bool ObjectReader::read(Scanner &in, VellumObject &object)
{
    mTextBytes = QByteArrayView();
    mText = QString();
    if (in.next() != Scanner::Object)
        return in.ok() && fail(u"it is not a JSON object"_s);
    in.take('{');
    unsigned seen = 0;
    bool first = true;
    while (in.more('}', first)) {
        QByteArrayView name;
        QByteArray storage;
        if (!in.name(name, storage))
            return false;
        Field field = Field(0);
        const std::string_view wanted(name.data(), size_t(name.size()));
        for (const FieldName &f : fieldNames) {
            if (wanted == f.name) {
                field = f.field;
                break;
            }
        }
        if (!field) {
            if (!in.value())
                return false;
            continue;
        }
        if (seen & field)
            return fail(u"%1 appears twice"_s.arg(quoted(field)));
        seen |= field;
        if (!this->field(in, field, object))
            return false;
    }
    if (!in.ok())
        return false;
    for (const FieldName &f : fieldNames) {
        if ((requiredFields & f.field) && !(seen & f.field))
            return fail(u"%1 is missing"_s.arg(quoted(f.field)));
    }
    // A picture object always carries its picture; others only when they have one.
    if (object.kind == 12 && !(seen & Picture))
        return fail(u"%1 is missing from a picture"_s.arg(quoted(Picture)));
    return true;
}

bool ObjectReader::field(Scanner &in, Field field, VellumObject &object)
{
    double number = 0;
    switch (field) {
    case Id:
        if (!wholeNumber(in, Id, 1, std::numeric_limits<qint32>::max(), number))
            return false;
        object.id = qint32(number);
        return true;
    case Kind: return int16(in, Kind, object.kind);
    case Rect: return rect(in, object);
    case FillColor: return colour(in, FillColor, object.fillColor);
    case TextColor: return colour(in, TextColor, object.textColor);
    case Text: return text(in, object);
    case DrawStyle: return int16(in, DrawStyle, object.drawStyle);
    case FillMode: return int16(in, FillMode, object.fillMode);
    case ShapeParam: return int16(in, ShapeParam, object.shapeParam);
    case Layer: return int16(in, Layer, object.layer);
    case Selected:
        if (in.next() != Scanner::Boolean)
            return in.ok() && fail(u"%1 is neither true nor false"_s.arg(quoted(Selected)));
        return in.boolean(object.selected);
    case Properties: return properties(in, object);
    case Picture: return picture(in, object);
    }
    return false;
}

bool ObjectReader::wholeNumber(Scanner &in, Field field, double min, double max,
                               double &number)
{
    number = std::numeric_limits<double>::quiet_NaN();
    if (in.next() == Scanner::Number && !in.number(number))
        return false;
    if (!in.ok())
        return false;
    if (std::isnan(number) || std::trunc(number) != number || number < min || number > max)
        return fail(u"%1 is not a whole number from %2 to %3"_s.arg(
            quoted(field), QString::number(qint64(min)), QString::number(qint64(max))));
    return true;
}

bool ObjectReader::int16(Scanner &in, Field field, qint16 &number)
{
    double wide = std::numeric_limits<double>::quiet_NaN();
    if (!wholeNumber(in, field, -32768, 32767, wide))
        return false;
    number = qint16(wide);
    return true;
}

bool ObjectReader::colour(Scanner &in, Field field, QColor &colour)
{
    const std::optional<QByteArrayView> text = in.plain();
    bool good = text && text->size() == 7 && text->at(0) == '#';
    uint rgb = 0;
    for (qsizetype i = 1; good && i < 7; ++i) {
        const int digit = DocumentJson::hexValue(text->at(i));
        good = digit >= 0;
        rgb = rgb * 16 + uint(digit);
    }
    if (!good)
        return in.ok() && fail(u"%1 is not a colour like #ff8000"_s.arg(quoted(field)));
    colour = QColor::fromRgb(QRgb(rgb));
    return true;
}

bool ObjectReader::rect(Scanner &in, VellumObject &object)
{
    // The message is made only when needed: every object has a rectangle.
    const auto bad = [&] {
        return in.ok() && fail(u"%1 is not four whole numbers"_s.arg(quoted(Rect)));
    };
    if (in.next() != Scanner::Array)
        return bad();
    in.take('[');
    qint32 *corners[] = {&object.x1, &object.y1, &object.x2, &object.y2};
    for (int i = 0; i < 4; ++i) {
        double number = std::numeric_limits<double>::quiet_NaN();
        if ((i > 0 && !in.skip(',')) || in.next() != Scanner::Number || !in.number(number)
            || std::trunc(number) != number || number < std::numeric_limits<qint32>::min()
            || number > std::numeric_limits<qint32>::max())
            return bad();
        *corners[i] = qint32(number);
    }
    return in.skip(']') || bad();
}

QString ObjectReader::key(Scanner &in)
{
    const size_t at = mKeyIndex++;
    const std::optional<QByteArrayView> raw = in.plain();
    if (!raw) {
        QString text;
        in.string(text);
        return sharedKey(text);
    }
    if (at < mKeyAt.size() && mKeyAt[at].first == *raw)
        return mKeyAt[at].second;
    auto known = mPlainKeys.constFind(*raw);
    if (known == mPlainKeys.constEnd())
        known = mPlainKeys.insert(*raw, sharedKey(QString::fromLatin1(raw->data(), raw->size())));
    if (at >= mKeyAt.size())
        mKeyAt.resize(at + 1);
    mKeyAt[at] = {*raw, *known};
    return *known;
}

bool ObjectReader::text(Scanner &in, VellumObject &object)
{
    if (in.next() != Scanner::String)
        return in.ok() && fail(u"%1 is not a text"_s.arg(quoted(Text)));
    if (const std::optional<QByteArrayView> raw = in.plain()) {
        object.objectText = mTexts.latin1(*raw);
        mTextBytes = *raw;
        mText = object.objectText;
        return true;
    }
    return decoded(in, object.objectText);
}

// A text with escapes or beyond ASCII: decoded into a scratch buffer that keeps its room
// from text to text, then packed at its exact length.
bool ObjectReader::decoded(Scanner &in, QString &text)
{
    if (!in.string(mScratch))
        return false;
    text = mTexts.text(mScratch);
    return true;
}

bool ObjectReader::value(Scanner &in, QString &text)
{
    constexpr qsizetype shortValue = 24;
    constexpr qsizetype mostShared = 4096;
    const size_t at = mKeyIndex - 1; // the place of the key just read
    const std::optional<QByteArrayView> raw = in.plain();
    if (!raw)
        return decoded(in, text);
    if (!raw->isEmpty() && *raw == mTextBytes) {
        text = mText;
        return true;
    }
    if (raw->size() > shortValue) {
        text = mTexts.latin1(*raw);
        return true;
    }
    if (at < mValueAt.size() && mValueAt[at].first == *raw) {
        text = mValueAt[at].second;
        return true;
    }
    const auto known = mShortValues.constFind(*raw);
    if (known != mShortValues.constEnd()) {
        text = *known;
    } else {
        text = mTexts.latin1(*raw);
        if (mShortValues.size() < mostShared)
            mShortValues.insert(*raw, text);
    }
    if (at >= mValueAt.size())
        mValueAt.resize(at + 1);
    mValueAt[at] = {*raw, text};
    return true;
}

bool ObjectReader::properties(Scanner &in, VellumObject &object)
{
    if (in.next() != Scanner::Array)
        return in.ok() && fail(u"%1 is not a list"_s.arg(quoted(Properties)));
    const QString notPair = u"a property is not a pair of texts"_s;
    in.take('[');
    bool first = true;
    QSet<const QChar *> seen;
    std::vector<std::pair<QString, QString>> &list = mProperties;
    list.clear();
    mKeyIndex = 0;
    while (in.more(']', first)) {
        if (!in.skip('[') || in.next() != Scanner::String)
            return in.ok() && fail(notPair);
        const QString key = this->key(in);
        QString value;
        if (!in.skip(',') || in.next() != Scanner::String || !this->value(in, value)
            || !in.skip(']'))
            return in.ok() && fail(notPair);
        // Keys are interned: equal keys share their data. Small objects are checked in
        // place; a long list gets a set.
        bool twice = false;
        if (list.size() < 32) {
            for (const auto &property : list)
                twice = twice || property.first.constData() == key.constData();
        } else {
            if (seen.isEmpty()) {
                for (const auto &property : list)
                    seen.insert(property.first.constData());
            }
            twice = seen.contains(key.constData());
            seen.insert(key.constData());
        }
        if (twice)
            return fail(u"the property %1 appears twice"_s.arg(quoted(key)));
        list.emplace_back(key, std::move(value));
    }
    if (!in.ok())
        return false;
    object.properties.assign(std::make_move_iterator(list.begin()),
                             std::make_move_iterator(list.end()));
    return true;
}

bool ObjectReader::picture(Scanner &in, VellumObject &object)
{
    const std::optional<QByteArrayView> text = in.plain();
    auto decoded = QByteArray::fromBase64Encoding(
        text ? QByteArray::fromRawData(text->data(), text->size()) : QByteArray(),
        QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!text || !decoded)
        return in.ok() && fail(u"%1 is not in base64"_s.arg(quoted(Picture)));
    object.pictureData = std::move(decoded.decoded);
    return true;
}

} // namespace DocumentFile
