#include "canvas/model/vellummodel.h"

#include "canvas/model/vellummodel_p.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

using namespace Qt::Literals::StringLiterals;

namespace {

// A hostile picture must not be able to exhaust memory.
constexpr int pictureAllocationLimitMb = 256;
constexpr qint64 pictureFileLimit = qint64(pictureAllocationLimitMb) * 1024 * 1024;

} // namespace

// --- pictures ---

QImage VellumModel::decodePicture(const QByteArray &bytes)
{
    QImageReader::setAllocationLimit(pictureAllocationLimitMb);
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    return reader.read();
}

bool VellumModel::LoadPictureFile(const QString &file, int, int)
{
    d->pendingBytes = QByteArray();
    d->pendingImage = QImage();

    QFile in(file);
    if (!in.open(QIODevice::ReadOnly) || in.size() > pictureFileLimit)
        return false;
    {
        // Only the header is looked at before anything large is read.
        QImageReader probe(&in);
        if (!probe.canRead())
            return false;
    }
    in.seek(0);
    QByteArray bytes = in.readAll();
    QImage image = decodePicture(bytes);
    if (image.isNull())
        return false;
    d->pendingBytes = std::move(bytes);
    d->pendingImage = std::move(image);
    return true;
}

// --- document file ---

bool VellumModel::LoadDocument(const QString &file)
{
    if (!QFileInfo::exists(file)) {
        clear();
        return true;
    }
    QString reason;
    if (ReadDocument(file, reason))
        return true;

    const QString kept = KeepAside(file);
    QString text;
    if (kept.isEmpty()) {
        text = u"The document %1 could not be read (%2), and it could not be kept aside "
               "under a new name either. Ambrook starts with an empty drawing and will not "
               "save over that file."_s.arg(file, reason);
    } else {
        text = u"The document %1 could not be read (%2). It has been kept as %3; Ambrook "
               "starts with an empty drawing."_s.arg(file, reason, kept);
    }
    if (d->messageHandler)
        d->messageHandler(text);
    return false;
}

bool VellumModel::ReadDocument(const QString &file, QString &reason)
{
    clear();
    std::vector<std::unique_ptr<VellumObject>> loaded;
    QFile in(file);
    bool ok = in.open(QIODevice::ReadOnly);
    if (!ok) {
        reason = in.errorString();
    } else {
        // Read in place from the file's pages where the system allows: copying tens of
        // megabytes into fresh memory first costs more than parsing them.
        const qint64 size = in.size();
        const uchar *mapped = size > 0 ? in.map(0, size) : nullptr;
        const QByteArray bytes = mapped
            ? QByteArray::fromRawData(reinterpret_cast<const char *>(mapped), qsizetype(size))
            : in.readAll();
        if (!mapped && in.error() != QFileDevice::NoError) {
            ok = false;
            reason = in.errorString();
        } else {
            ok = DocumentFile::read(bytes, loaded, reason);
        }
        in.close();
    }
    if (!ok)
        return false;

    // The reader has refused missing, non-positive and repeated ids.
    for (auto &object : loaded) {
        d->maxId = std::max(d->maxId, object->id);
        if (object->kind == 12 && !object->pictureData.isEmpty() && object->picture.isNull())
            object->picture = decodePicture(object->pictureData);
        if (object->selected)
            ++d->selectedCount;
    }
    d->objects = std::move(loaded);
    d->reindexFrom(0); // clear() has left the paint order and extent to be measured again
    changed();
    return true;
}

QString VellumModel::KeepAside(const QString &file)
{
    const QString kept = DocumentFile::keepAside(file);
    if (kept.isEmpty())
        d->unreadableFiles.insert(QFileInfo(file).absoluteFilePath());
    return kept;
}

bool VellumModel::SaveDocument(const QString &file)
{
    QString reason;
    bool ok = false;
    if (d->unreadableFiles.contains(QFileInfo(file).absoluteFilePath())) {
        reason = u"it could not be read at start and is kept as it was"_s;
    } else {
        if (d->savedRevision != d->revision) {
            d->savedFile = {};
            d->savedRevision = d->revision;
        }
        ok = DocumentFile::save(file, d->objects, reason, &d->savedFile);
    }
    if (!ok && d->messageHandler)
        d->messageHandler(u"The document %1 could not be saved (%2)."_s.arg(file, reason));
    return ok;
}
