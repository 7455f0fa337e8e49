#include "canvas/model/bytetally_p.h"
#include "canvas/model/journalbytes_p.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

using namespace JournalBytes;

namespace {

// The open journal's descriptor, for the signal handlers.
std::atomic<int> signalFd{-1};

// The frame at offset, if it is whole and its checksum matches.
std::optional<QByteArrayView> frameAt(QByteArrayView bytes, qsizetype offset, QString &problem)
{
    const qsizetype left = bytes.size() - offset;
    In head(bytes.sliced(offset, std::min(left, FrameHead)));
    const quint32 length = head.number<quint32>();
    const quint64 sum = head.number<quint64>();
    if (!head.ok() || qsizetype(length) > left - FrameHead) {
        problem = u"its last record is incomplete"_s;
        return std::nullopt;
    }
    const QByteArrayView payload = bytes.sliced(offset + FrameHead, length);
    if (checksum(payload) != sum) {
        problem = u"a record is damaged (its checksum does not match)"_s;
        return std::nullopt;
    }
    return payload;
}

QString systemError(const char *what)
{
    return QString::fromLocal8Bit(what) + u": "_s + QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

JournalOrigin JournalOrigin::of(const QString &documentFile)
{
    JournalOrigin origin;
    QFile file(documentFile);
    if (documentFile.isEmpty() || !file.open(QIODevice::ReadOnly))
        return origin;
    origin.size = file.size();
    origin.modified = QFileInfo(file).lastModified().toMSecsSinceEpoch();
    ByteTally tally;
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (qint64 n; (n = file.read(chunk.data(), chunk.size())) > 0;)
        tally.add(chunk.constData(), n);
    origin.hash = tally.hash();
    return origin;
}

int JournalContents::changeCount() const
{
    int count = 0;
    JournalRecord::Kind before = JournalRecord::Kind::Session;
    for (const JournalRecord &r : records) {
        // A key that goes on typing after a step counts with it, as its undo takes it back.
        const bool goesOn = r.kind == JournalRecord::Kind::Step && r.continues
            && before == JournalRecord::Kind::Step;
        if (r.kind != JournalRecord::Kind::Session && !goesOn)
            ++count;
        before = r.kind;
    }
    return count;
}

JournalContents readJournal(QByteArrayView bytes, bool decodePictures)
{
    JournalContents contents;
    contents.state = JournalContents::State::Unreadable;
    if (!bytes.startsWith(QByteArrayView(Magic, MagicSize))) {
        contents.problem = u"it is not an Ambrook journal"_s;
        return contents;
    }
    QString problem;
    const auto head = frameAt(bytes, MagicSize, problem);
    if (!head || !readHead(*head, contents.origin)) {
        contents.problem = u"its beginning is damaged"_s;
        return contents;
    }
    contents.state = JournalContents::State::Read;
    qsizetype at = MagicSize + FrameHead + head->size();
    const auto zero = [](char c) { return c == 0; };
    while (at < bytes.size()) {
        // An open journal's file runs on in zeros past its last record; no record is empty.
        const QByteArrayView rest = bytes.sliced(at);
        if (std::all_of(rest.begin(), rest.begin() + std::min(rest.size(), qsizetype(4)), zero)) {
            if (!std::all_of(rest.begin(), rest.end(), zero))
                contents.problem = u"a record is damaged (its length is zero)"_s;
            break;
        }
        const auto payload = frameAt(bytes, at, contents.problem);
        if (!payload)
            break;
        JournalRecord record;
        if (!JournalFile::decode(*payload, record, decodePictures)) {
            contents.problem = u"a record cannot be read"_s;
            break;
        }
        contents.records.push_back(std::move(record));
        at += FrameHead + payload->size();
    }
    contents.wholeLength = at;
    return contents;
}

JournalContents readJournal(const QString &file)
{
    JournalContents contents;
    QFile in(file);
    if (!in.exists())
        return contents;
    if (!in.open(QIODevice::ReadOnly)) {
        contents.state = JournalContents::State::Unreadable;
        contents.problem = in.errorString();
        return contents;
    }
    const QByteArray bytes = in.readAll();
    // A session ended between making the file and writing its head leaves it empty: it
    // holds no change, so it is no journal to tell the user of.
    if (bytes.isEmpty() && in.error() == QFileDevice::NoError)
        return contents;
    return readJournal(QByteArrayView(bytes));
}

std::function<void(int number)> JournalWriter::beforeAppend;

JournalWriter::~JournalWriter()
{
    close();
}

bool JournalWriter::create(const QString &file, const JournalOrigin &origin, QString &reason)
{
    if (!open(file, true, 0, reason))
        return false;
    // The mark and the head in one write: a journal is never left without its head.
    const QByteArray start =
        QByteArray(Magic, MagicSize) + JournalFile::frame(headPayload(origin));
    if (::write(mFd, start.constData(), size_t(start.size())) != start.size()) {
        reason = systemError("write");
        remove();
        return false;
    }
    mLength = start.size();
    mapAhead(mLength);
    mRecords = 0;
    // The folder too, so that the new file's name survives a power cut.
    const int folder = ::open(QFile::encodeName(QFileInfo(file).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    sync();
    return true;
}

bool JournalWriter::resume(const QString &file, qint64 wholeLength, int records, QString &reason)
{
    if (!open(file, false, wholeLength, reason))
        return false;
    mRecords = records;
    return true;
}

bool JournalWriter::open(const QString &file, bool truncate, qint64 cut, QString &reason)
{
    close();
    const int flags = O_RDWR | O_CREAT | O_CLOEXEC | (truncate ? O_TRUNC : 0);
    mFd = ::open(QFile::encodeName(file).constData(), flags, 0644);
    if (mFd < 0) {
        reason = systemError("open");
        return false;
    }
    if (!truncate && ::ftruncate(mFd, cut) != 0) {
        reason = systemError("truncate");
        ::close(mFd);
        mFd = -1;
        return false;
    }
    mFile = file;
    mLength = cut;
    if (!truncate)
        mapAhead(mLength);
    mStopping = false;
    mDirty = false;
    signalFd = mFd;
    mSyncer = std::thread([this] { syncLoop(); });
    return true;
}

bool JournalWriter::mapAhead(qint64 needed)
{
    if (needed <= mCapacity)
        return true;
    // Room for many more records at once: the file grows, and is mapped again, seldom.
    constexpr qint64 chunk = 1 << 18;
    const qint64 capacity = (std::max(needed, mCapacity * 2) + chunk - 1) / chunk * chunk;
    // Blocks are taken now, so a full disk is an error here and never a fault in a copy.
    void *map = MAP_FAILED;
    if (const int failed = ::posix_fallocate(mFd, 0, capacity)) {
        errno = failed;
        mError = systemError("allocate");
    } else {
        map = ::mmap(nullptr, size_t(capacity), PROT_READ | PROT_WRITE, MAP_SHARED, mFd, 0);
        if (map == MAP_FAILED)
            mError = systemError("map");
    }
    std::lock_guard lock(mMutex);
    unmap();
    if (map == MAP_FAILED) {
        // Records go out with write() instead; the file is cut back to them.
        if (::ftruncate(mFd, mLength) != 0)
            mError = systemError("truncate");
        return false;
    }
    mMap = static_cast<char *>(map);
    mCapacity = capacity;
    return true;
}

void JournalWriter::unmap()
{
    if (mMap)
        ::munmap(mMap, size_t(mCapacity));
    mMap = nullptr;
    mCapacity = 0;
}

bool JournalWriter::append(JournalRecord record)
{
    if (mFd < 0)
        return false;
    if (beforeAppend)
        beforeAppend(mRecords + 1);
    if (record.time == 0)
        record.time = QDateTime::currentMSecsSinceEpoch();
    const QByteArray bytes = JournalFile::frame(JournalFile::encode(record));
    if (mMap && mapAhead(mLength + bytes.size())) {
        // A copy into the file's pages: once it is done the record is in the file, and a
        // kill leaves it whole or fails its checksum.
        std::memcpy(mMap + mLength, bytes.constData(), size_t(bytes.size()));
    } else {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::pwrite(mFd, bytes.constData() + done,
                                       size_t(bytes.size() - done), off_t(mLength + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                mError = systemError("write");
                // No torn record may stay in front of the records that follow.
                if (::ftruncate(mFd, mLength) != 0)
                    close();
                return false;
            }
            done += n;
        }
    }
    mLength += bytes.size();
    ++mRecords;
    // The syncer is woken by the first record after a sync; a run of typing wakes it once.
    if (!mDirty.exchange(true)) {
        std::lock_guard lock(mMutex);
        mWake.notify_one();
    }
    return true;
}

void JournalWriter::syncLoop()
{
    std::unique_lock lock(mMutex);
    for (;;) {
        mWake.wait(lock, [this] { return mDirty.load() || mStopping; });
        if (mStopping)
            return;
        // Steps come in runs (typing): one sync a moment later covers the run.
        mWake.wait_for(lock, std::chrono::milliseconds(200), [this] { return mStopping; });
        mDirty = false;
        lock.unlock();
        ::fdatasync(mFd);
        lock.lock();
        readyNextPages();
    }
}

void JournalWriter::readyNextPages()
{
#ifdef MADV_POPULATE_WRITE
    // A sync leaves the pages it wrote read-only until the next write faults them back:
    // tens of microseconds that the next keystroke would otherwise wait. Two pages cover
    // a record that runs over into the next page. Content is not touched, so a copy under
    // way on the window's thread is safe; a kernel without this advice just says no.
    static const qint64 page = ::sysconf(_SC_PAGESIZE);
    if (!mMap)
        return;
    const qint64 from = mLength / page * page;
    const qint64 to = std::min(mCapacity, from + 2 * page);
    if (to > from)
        ::madvise(mMap + from, size_t(to - from), MADV_POPULATE_WRITE);
#endif
}

void JournalWriter::sync()
{
    if (mFd >= 0)
        ::fdatasync(mFd);
}

void JournalWriter::close()
{
    if (mFd < 0)
        return;
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
    }
    mWake.notify_one();
    if (mSyncer.joinable())
        mSyncer.join();
    signalFd = -1;
    // The zeros past the last record go: a journal left closed ends with a record.
    const bool mapped = mMap != nullptr;
    unmap();
    if (mapped && ::ftruncate(mFd, mLength) != 0)
        mError = systemError("truncate");
    ::fdatasync(mFd);
    ::close(mFd);
    mFd = -1;
}

bool JournalWriter::remove()
{
    close();
    return mFile.isEmpty() || QFile::remove(mFile) || !QFile::exists(mFile);
}

void JournalWriter::syncFromSignal()
{
    const int fd = signalFd.load();
    if (fd >= 0)
        ::fdatasync(fd);
}
