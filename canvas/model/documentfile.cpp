#include "canvas/model/documentfile.h"

#include "canvas/model/documentjson.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QSet>

#include <cmath>
#include <limits>
#include <string_view>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;
using DocumentJson::Scanner;

namespace DocumentFile {

std::function<bool(const char *step)> faultHook;

namespace {

constexpr QLatin1StringView formatName("ambrook-document");
constexpr int formatVersion = 1;

// The fields of an object in the file, in the order they are written.
enum Field : unsigned {
    Id = 1 << 0, Kind = 1 << 1, Rect = 1 << 2, FillColor = 1 << 3, TextColor = 1 << 4,
    Text = 1 << 5, DrawStyle = 1 << 6, FillMode = 1 << 7, ShapeParam = 1 << 8,
    Layer = 1 << 9, Selected = 1 << 10, Properties = 1 << 11, Picture = 1 << 12
};
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

// Reads one object from the scanner; on failure either the scanner holds a syntax error or
// problem() says what is wrong with the object.
class ObjectReader
{
public:
    bool read(Scanner &in, VellumObject &object);
    QString problem() const { return mProblem; }

private:
    bool fail(const QString &problem)
    {
        mProblem = problem;
        return false;
    }
    bool field(Scanner &in, Field field, VellumObject &object);
    bool wholeNumber(Scanner &in, Field field, double min, double max, double &number);
    bool int16(Scanner &in, Field field, qint16 &number);
    bool colour(Scanner &in, Field field, QColor &colour);
    bool rect(Scanner &in, VellumObject &object);
    bool properties(Scanner &in, VellumObject &object);
    bool picture(Scanner &in, VellumObject &object);
    QString key(Scanner &in);
    bool value(Scanner &in, QString &text);

    QString mProblem;
    // Plain keys are found by their raw bytes: first as the key at the same place in the
    // object before (objects of a document mostly list the same keys in the same order),
    // then in a table.
    QHash<QByteArrayView, QString> mPlainKeys;
    std::vector<std::pair<QByteArrayView, QString>> mKeyAt;
    size_t mKeyIndex = 0;
    // Short values repeat from object to object (types, box names, colours, zeros): one
    // shared copy of each saves memory, and a walk over every object reads one copy. The
    // value at the same place in the object before is tried first; the table stays small
    // enough to be quick.
    QHash<QByteArrayView, QString> mShortValues;
    std::vector<std::pair<QByteArrayView, QString>> mValueAt;
    // Reused for every object, so each object's list is allocated once at its exact size.
    std::vector<std::pair<QString, QString>> mProperties;
};

bool ObjectReader::read(Scanner &in, VellumObject &object)
{
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
    case Text:
        if (in.next() != Scanner::String)
            return in.ok() && fail(u"%1 is not a text"_s.arg(quoted(Text)));
        return in.string(object.objectText);
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
    const QString problem = u"%1 is not four whole numbers"_s.arg(quoted(Rect));
    if (in.next() != Scanner::Array)
        return in.ok() && fail(problem);
    in.take('[');
    qint32 *corners[] = {&object.x1, &object.y1, &object.x2, &object.y2};
    for (int i = 0; i < 4; ++i) {
        double number = std::numeric_limits<double>::quiet_NaN();
        if ((i > 0 && !in.skip(',')) || in.next() != Scanner::Number || !in.number(number)
            || std::trunc(number) != number || number < std::numeric_limits<qint32>::min()
            || number > std::numeric_limits<qint32>::max())
            return in.ok() && fail(problem);
        *corners[i] = qint32(number);
    }
    return in.skip(']') || (in.ok() && fail(problem));
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

bool ObjectReader::value(Scanner &in, QString &text)
{
    constexpr qsizetype shortValue = 24;
    constexpr qsizetype mostShared = 4096;
    const size_t at = mKeyIndex - 1; // the place of the key just read
    const std::optional<QByteArrayView> raw = in.plain();
    if (!raw)
        return in.string(text);
    if (raw->size() > shortValue) {
        text = QString::fromLatin1(raw->data(), raw->size());
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
        text = QString::fromLatin1(raw->data(), raw->size());
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

using Objects = std::vector<std::unique_ptr<VellumObject>>;

bool readObjects(Scanner &in, Objects &loaded, QString &problem)
{
    if (in.next() != Scanner::Array) {
        problem = u"it has no list of objects"_s;
        return false;
    }
    in.take('[');
    ObjectReader reader;
    QSet<qint32> ids;
    bool first = true;
    for (int index = 1; in.more(']', first); ++index) {
        auto object = std::make_unique<VellumObject>();
        if (!reader.read(in, *object)) {
            if (in.ok())
                problem = u"in object %1, %2"_s.arg(index).arg(reader.problem());
            return false;
        }
        if (ids.contains(object->id)) {
            problem = u"in object %1, the id %2 is already taken by an earlier object"_s
                          .arg(index)
                          .arg(object->id);
            return false;
        }
        ids.insert(object->id);
        loaded.push_back(std::move(object));
    }
    return in.ok();
}

bool injected(const char *step, QString &reason)
{
    if (faultHook && faultHook(step)) {
        reason = u"injected fault"_s;
        return true;
    }
    return false;
}

// Makes a rename in the folder survive a power cut.
bool flushFolder(const QString &folder, QString &reason)
{
    if (injected("flush", reason))
        return false;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(folder);
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    // Some file systems cannot sync a folder (EINVAL); they order renames on their own.
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
    if (!flushed)
        reason = QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return flushed;
#else
    Q_UNUSED(folder);
    Q_UNUSED(reason);
    return true;
#endif
}

} // namespace

bool read(const QByteArray &bytes, Objects &objects, QString &error)
{
    Scanner in(bytes);
    const auto damaged = [&](const QString &what) {
        error = u"it is damaged: "_s + what;
        return false;
    };
    if (in.atEnd()) {
        error = u"it is empty"_s;
        return false;
    }
    if (in.next() != Scanner::Object) {
        error = u"it is not an Ambrook document"_s;
        return false;
    }

    // The format and version come first in every file Ambrook writes; should the objects
    // come earlier, they are passed over and read once the version is known.
    in.take('{');
    QString format;
    double version = std::numeric_limits<double>::quiet_NaN();
    qsizetype objectsAt = -1;
    bool objectsRead = false;
    Objects loaded;
    QString problem;
    bool first = true;
    while (in.more('}', first)) {
        QByteArrayView name;
        QByteArray storage;
        if (!in.name(name, storage))
            break;
        if (name == "format" && in.next() == Scanner::String) {
            in.string(format);
        } else if (name == "version" && in.next() == Scanner::Number) {
            in.number(version);
        } else if (name == "objects" && objectsAt < 0 && format == formatName
                   && version == formatVersion) {
            objectsAt = in.offset();
            objectsRead = readObjects(in, loaded, problem);
            if (!objectsRead)
                break;
        } else {
            if (name == "objects" && objectsAt < 0)
                objectsAt = in.offset();
            in.value();
        }
    }
    if (!in.ok())
        return damaged(in.syntaxError());
    if (format != formatName) {
        error = u"it is not an Ambrook document"_s;
        return false;
    }
    if (!problem.isEmpty())
        return damaged(problem);
    if (!in.atEnd())
        return damaged(u"something follows the document at byte %1"_s.arg(in.offset()));
    if (std::isnan(version) || std::trunc(version) != version || version < 1)
        return damaged(u"its version number is missing or wrong"_s);
    if (version > formatVersion) {
        error = u"it was written by a newer version of Ambrook"_s;
        return false;
    }
    if (objectsAt < 0)
        return damaged(u"it has no list of objects"_s);
    if (!objectsRead) {
        Scanner later(bytes, objectsAt);
        if (!readObjects(later, loaded, problem))
            return damaged(later.ok() ? problem : later.syntaxError());
    }
    objects = std::move(loaded);
    return true;
}

QByteArray write(const Objects &objects)
{
    // One allocation of about the right size instead of a chain of copies as it grows.
    qsizetype estimate = 64;
    for (const auto &object : objects) {
        estimate += 320 + object->objectText.size() + object->pictureData.size() * 4 / 3;
        for (const auto &[key, value] : object->properties)
            estimate += key.size() + value.size() + 8;
    }
    DocumentJson::Writer out(estimate + estimate / 8);
    out.raw("{\"format\":\"");
    out.raw(formatName.data(), formatName.size());
    out.raw("\",\"version\":");
    out.number(formatVersion);
    out.raw(",\"objects\":[");
    bool first = true;
    for (const auto &object : objects) {
        out.raw(first ? "\n{\"id\":" : ",\n{\"id\":");
        first = false;
        out.number(object->id);
        out.raw(",\"kind\":");
        out.number(object->kind);
        out.raw(",\"rect\":[");
        for (qint32 corner : {object->x1, object->y1, object->x2}) {
            out.number(corner);
            out.raw(",");
        }
        out.number(object->y2);
        out.raw("],\"fillColor\":");
        out.colour(object->fillColor);
        out.raw(",\"textColor\":");
        out.colour(object->textColor);
        out.raw(",\"text\":");
        out.string(object->objectText);
        out.raw(",\"drawStyle\":");
        out.number(object->drawStyle);
        out.raw(",\"fillMode\":");
        out.number(object->fillMode);
        out.raw(",\"shapeParam\":");
        out.number(object->shapeParam);
        out.raw(",\"layer\":");
        out.number(object->layer);
        out.raw(object->selected ? ",\"selected\":true" : ",\"selected\":false");
        out.raw(",\"properties\":[");
        bool firstProperty = true;
        for (const auto &[key, value] : object->properties) {
            out.raw(firstProperty ? "[" : ",[");
            firstProperty = false;
            out.string(key);
            out.raw(",");
            out.string(value);
            out.raw("]");
        }
        out.raw("]");
        if (object->kind == 12 || !object->pictureData.isEmpty()) {
            out.raw(",\"picture\":\"");
            out.raw(object->pictureData.toBase64());
            out.raw("\"");
        }
        out.raw("}");
    }
    out.raw("\n]}\n");
    return out.take();
}

bool save(const QString &file, const QByteArray &bytes, QString &error)
{
    const QFileInfo info(file);
    const QString shown = QDir::toNativeSeparators(info.absoluteFilePath());
    QString reason;
    QSaveFile out(file);
    const auto failed = [&](const QString &why) {
        error = u"%1 could not be written: %2"_s.arg(shown, why);
        out.cancelWriting();
        return false;
    };

    if (injected("open", reason))
        return failed(reason);
    if (!out.open(QIODevice::WriteOnly))
        return failed(out.errorString());
    if (injected("write", reason))
        return failed(reason);
    if (out.write(bytes) != bytes.size())
        return failed(out.errorString());
    if (injected("commit", reason))
        return failed(reason);
    if (!out.commit())
        return failed(out.errorString());
    if (!flushFolder(info.absolutePath(), reason)) {
        error = u"%1 was written, but its folder could not be flushed to disk: %2"_s.arg(
            shown, reason);
        return false;
    }
    return true;
}

QString sharedKey(const QString &key)
{
    static QSet<QString> table;
    auto it = table.constFind(key);
    if (it == table.constEnd())
        it = table.insert(key);
    return *it;
}

QString keepAside(const QString &file)
{
    const QFileInfo info(file);
    if (!info.exists())
        return QString();
    const QString stamp = QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    const QString base = info.absoluteFilePath() + u".damaged-"_s + stamp;
    QString target = base;
    for (int n = 1; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + u'-' + QString::number(n);
    if (!QFile::rename(info.absoluteFilePath(), target))
        return QString();
    QString ignored;
    flushFolder(info.absolutePath(), ignored);
    return target;
}

} // namespace DocumentFile
