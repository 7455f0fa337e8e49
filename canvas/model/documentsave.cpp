#include "canvas/model/documentfile.h"

#include "canvas/model/bytetally_p.h"
#include "canvas/model/documentfile_p.h"

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

bool put(QSaveFile &out, ByteTally &tally, const char *data, qsizetype n)
{
    tally.add(data, n);
    return out.write(data, n) == n;
}

enum class Copy { Done, Stale, WriteFailed };

// Copies the file an earlier save left, through a bounded buffer rather than the kernel's
// own copy, so that the bytes are checked against that save's size and hash on their way.
Copy copySaved(const SavedFile &from, QSaveFile &out, ByteTally &tally)
{
    QFile in(from.path);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || in.size() != from.size)
        return Copy::Stale;
    QByteArray buffer(DocumentJson::Writer::chunkSize, Qt::Uninitialized);
    for (qint64 left = from.size; left > 0;) {
        const qint64 n = in.read(buffer.data(), std::min<qint64>(left, buffer.size()));
        if (n <= 0)
            return Copy::Stale;
        if (!put(out, tally, buffer.constData(), n))
            return Copy::WriteFailed;
        left -= n;
    }
    return tally.hash() == from.hash ? Copy::Done : Copy::Stale;
}

// The document into out: a copy of the file last saved from the same objects while that
// still holds them, else written out anew.
bool fill(QSaveFile &out, const Objects &objects, const SavedFile *last, ByteTally &tally)
{
    if (last && !last->path.isEmpty()) {
        switch (copySaved(*last, out, tally)) {
        case Copy::Done:
            return true;
        case Copy::WriteFailed:
            return false;
        case Copy::Stale:
            tally.reset();
            if (!out.seek(0) || !out.resize(0))
                return false;
            break;
        }
    }
    return write(objects, [&](const char *data, qsizetype n) {
        return put(out, tally, data, n);
    });
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

bool save(const QString &file, const Objects &objects, QString &error, SavedFile *last)
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
    ByteTally tally;
    if (!fill(out, objects, last, tally))
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
    if (last)
        *last = {info.absoluteFilePath(), tally.size(), tally.hash()};
    return true;
}

} // namespace DocumentFile
