#include "canvas/model/journalbytes_p.h"

#include "canvas/model/vellummodel.h"

#include <xxhash.h>

#include <limits>

using namespace JournalBytes;

namespace {

constexpr quint32 Version = 1;

using Kind = ChangeRecord::Kind;
using Attribute = ChangeRecord::Attribute;

// Attribute values: colours, a text, or a small number.
enum class ValueType : quint8 { None, Colour, Text, Number };

void writeValue(Out &out, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QColor:
        out.number(quint8(ValueType::Colour));
        out.colour(value.value<QColor>());
        break;
    case QMetaType::QString:
        out.number(quint8(ValueType::Text));
        out.string(value.toString());
        break;
    case QMetaType::UnknownType:
        out.number(quint8(ValueType::None));
        break;
    default:
        out.number(quint8(ValueType::Number));
        out.number(qint16(value.toInt()));
        break;
    }
}

QVariant readValue(In &in)
{
    switch (ValueType(in.ranged<quint8>(0, 3))) {
    case ValueType::Colour:
        return in.colour();
    case ValueType::Text:
        return in.string();
    case ValueType::Number:
        return QVariant::fromValue(in.number<qint16>());
    case ValueType::None:
        break;
    }
    return {};
}

void writeObject(Out &out, const VellumObject &o)
{
    out.number(o.id);
    out.number(o.kind);
    out.number(o.layer);
    out.number(quint8(o.selected));
    for (qint32 v : {o.x1, o.y1, o.x2, o.y2})
        out.number(v);
    out.number(quint32(o.properties.size()));
    for (const auto &[key, value] : o.properties) {
        out.string(key);
        out.string(value);
    }
    out.colour(o.fillColor);
    out.colour(o.textColor);
    out.string(o.objectText);
    out.number(o.drawStyle);
    out.number(o.fillMode);
    out.number(o.shapeParam);
    out.blob(o.pictureData);
}

std::shared_ptr<const VellumObject> readObject(In &in, bool decodePictures)
{
    auto o = std::make_shared<VellumObject>();
    o->id = in.ranged<qint32>(1, std::numeric_limits<qint32>::max());
    o->kind = in.number<qint16>();
    if (o->kind != 10 && o->kind != 12)
        in.fail();
    o->layer = in.number<qint16>();
    o->selected = in.flag();
    o->x1 = in.number<qint32>();
    o->y1 = in.number<qint32>();
    o->x2 = in.number<qint32>();
    o->y2 = in.number<qint32>();
    const quint32 n = in.count(8);
    o->properties.reserve(n);
    for (quint32 i = 0; i < n && in.ok(); ++i) {
        QString key = in.string();
        o->properties.emplace_back(std::move(key), in.string());
    }
    o->fillColor = in.colour();
    o->textColor = in.colour();
    o->objectText = in.string();
    o->drawStyle = in.number<qint16>();
    o->fillMode = in.number<qint16>();
    o->shapeParam = in.number<qint16>();
    o->pictureData = in.blob();
    if (in.ok() && decodePictures && o->kind == 12)
        o->picture = VellumModel::decodePicture(o->pictureData);
    return o;
}

void writeChange(Out &out, const ChangeRecord &r)
{
    out.number(quint8(r.kind));
    out.number(r.id);
    switch (r.kind) {
    case Kind::Added:
    case Kind::Deleted:
        out.number(qint32(r.position));
        writeObject(out, *r.object);
        break;
    case Kind::Property:
        out.string(r.key);
        out.optionalString(r.oldText);
        out.optionalString(r.newText);
        break;
    case Kind::Rect:
        for (qint32 v : r.oldRect)
            out.number(v);
        for (qint32 v : r.newRect)
            out.number(v);
        break;
    case Kind::Attribute:
        out.number(quint8(r.attribute));
        writeValue(out, r.oldValue);
        writeValue(out, r.newValue);
        break;
    case Kind::Layer:
        out.number(r.oldLayer);
        out.number(r.newLayer);
        break;
    }
}

ChangeRecord readChange(In &in, bool decodePictures)
{
    ChangeRecord r;
    r.kind = Kind(in.ranged<quint8>(quint8(Kind::Added), quint8(Kind::Layer)));
    r.id = in.ranged<qint32>(1, std::numeric_limits<qint32>::max());
    switch (r.kind) {
    case Kind::Added:
    case Kind::Deleted:
        r.position = in.ranged<qint32>(-1, std::numeric_limits<qint32>::max());
        r.object = readObject(in, decodePictures);
        if (in.ok() && r.object->id != r.id)
            in.fail();
        break;
    case Kind::Property:
        r.key = in.string();
        r.oldText = in.optionalString();
        r.newText = in.optionalString();
        break;
    case Kind::Rect:
        for (qint32 &v : r.oldRect)
            v = in.number<qint32>();
        for (qint32 &v : r.newRect)
            v = in.number<qint32>();
        break;
    case Kind::Attribute:
        r.attribute = Attribute(
            in.ranged<quint8>(quint8(Attribute::FillColor), quint8(Attribute::ShapeParam)));
        r.oldValue = readValue(in);
        r.newValue = readValue(in);
        break;
    case Kind::Layer:
        r.oldLayer = in.number<qint16>();
        r.newLayer = in.number<qint16>();
        break;
    }
    return r;
}

} // namespace

QByteArray JournalBytes::headPayload(const JournalOrigin &origin)
{
    Out out;
    out.number(Version);
    out.number(origin.size);
    out.number(origin.modified);
    out.number(origin.hash);
    return out.bytes;
}

bool JournalBytes::readHead(QByteArrayView payload, JournalOrigin &origin)
{
    In in(payload);
    if (in.number<quint32>() != Version)
        return false;
    origin.size = in.ranged<qint64>(-1, std::numeric_limits<qint64>::max());
    origin.modified = in.number<qint64>();
    origin.hash = in.number<quint64>();
    return in.atEnd();
}

quint64 JournalBytes::checksum(QByteArrayView bytes)
{
    return XXH3_64bits(bytes.data(), size_t(bytes.size()));
}

QByteArray JournalFile::encode(const JournalRecord &record)
{
    Out out;
    out.number(quint8(record.kind));
    out.number(record.time);
    if (record.kind == JournalRecord::Kind::Session)
        out.blob(record.window);
    if (record.kind != JournalRecord::Kind::Step)
        return out.bytes;
    out.string(record.text);
    out.string(record.typedField);
    out.number(quint8(record.continues));
    out.blob(record.window);
    out.number(quint32(record.changes.size()));
    for (const ChangeRecord &r : record.changes)
        writeChange(out, r);
    return out.bytes;
}

bool JournalFile::decode(QByteArrayView payload, JournalRecord &record, bool decodePictures)
{
    In in(payload);
    record = JournalRecord();
    record.kind = JournalRecord::Kind(in.ranged<quint8>(quint8(JournalRecord::Kind::Session),
                                                        quint8(JournalRecord::Kind::Redo)));
    record.time = in.number<qint64>();
    if (record.kind == JournalRecord::Kind::Session)
        record.window = in.blob();
    if (in.ok() && record.kind == JournalRecord::Kind::Step) {
        record.text = in.string();
        record.typedField = in.string();
        record.continues = in.flag();
        record.window = in.blob();
        const quint32 n = in.count(5);
        record.changes.reserve(n);
        for (quint32 i = 0; i < n && in.ok(); ++i)
            record.changes.push_back(readChange(in, decodePictures));
    }
    return in.atEnd();
}

QByteArray JournalFile::frame(const QByteArray &payload)
{
    Out out;
    out.number(quint32(payload.size()));
    out.number(quint64(checksum(payload)));
    out.bytes.append(payload);
    return out.bytes;
}
