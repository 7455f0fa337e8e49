#include "canvas/model/documentfile.h"

#include "canvas/model/documentfile_p.h"
#include "canvas/model/objectreader.h"

#include <QSet>

#include <cmath>
#include <limits>

using namespace Qt::Literals::StringLiterals;
using DocumentJson::Scanner;

namespace DocumentFile {

namespace {

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

QString sharedKey(const QString &key)
{
    static QSet<QString> table;
    auto it = table.constFind(key);
    if (it == table.constEnd())
        it = table.insert(key);
    return *it;
}

} // namespace DocumentFile
