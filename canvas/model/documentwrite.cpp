#include "canvas/model/documentfile.h"

#include "canvas/model/documentfile_p.h"
#include "canvas/model/documentjson.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace DocumentFile {

std::function<bool(const char *step)> faultHook;

namespace {

bool injected(const char *step, QString &reason)
{
    if (faultHook && faultHook(step)) {
        reason = u"injected fault"_s;
        return true;
    }
    return false;
}

} // namespace

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

QByteArray write(const std::vector<std::unique_ptr<VellumObject>> &objects)
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

} // namespace DocumentFile
