#pragma once

// The journal: every step of a session appended, as it ends, to a file beside the document
// ("pic.journal"), so that a session that did not end with Save & Quit can be restored.
//
// The file: the bytes "AMBJRNL1", then frames of [payload length: u32 LE][checksum of the
// payload: XXH3-64, u64 LE][payload]. The first frame is the head (the document the journal
// started from); every later frame is one record. A frame whose length runs past the end of
// the file or whose checksum does not match ends the journal there: nothing after it is read.
// A length of zero is where the records end in the zeros of a journal still open.

#include "canvas/model/changerecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The document a journal belongs to: the file's size, last change and a hash of its bytes.
struct JournalOrigin
{
    qint64 size = -1;          // -1: there was no document file (or no name)
    qint64 modified = 0;       // ms since the epoch, UTC
    quint64 hash = 0;          // XXH3-64 of the file's bytes

    static JournalOrigin of(const QString &documentFile);
    bool operator==(const JournalOrigin &) const = default;
};

struct JournalRecord
{
    enum class Kind : quint8 {
        Session = 1,   // a session began writing to the journal
        Step = 2,      // a step ended: its changes
        Undo = 3,      // Undo was pressed
        Redo = 4       // Redo was pressed
    };

    Kind kind = Kind::Step;
    qint64 time = 0;              // ms since the epoch, UTC, when the record was written
    // Step and Session: the window's state after the step (when the session began), as the
    // window wrote it.
    QByteArray window;
    // Step only:
    ChangeList changes;
    QString text;                 // the step's name, as the Undo tooltip shows it
    QString typedField;           // objectName of the field typed into; "" for other steps
    bool continues = false;       // a run of typing that merges with the step before
};

namespace JournalFile {

// The payload of a record, and back. decode is strict: false on anything out of place
// (it never trusts a count or a length it cannot check against the bytes that are left).
// Pictures of added objects are decoded only when decodePictures is true.
QByteArray encode(const JournalRecord &record);
bool decode(QByteArrayView payload, JournalRecord &record, bool decodePictures = true);

// One frame: length, checksum, payload.
QByteArray frame(const QByteArray &payload);

} // namespace JournalFile

// What a journal file holds.
struct JournalContents
{
    enum class State { Missing, Unreadable, Read };

    State state = State::Missing;
    JournalOrigin origin;
    std::vector<JournalRecord> records;   // every whole record, in order, up to the first bad one
    qint64 wholeLength = 0;                // bytes up to the end of the last whole record
    QString problem;   // Unreadable: why; Read: why the records stop early, "" when they don't

    // Changes as the user counts them: steps, undos and redos, a run of typing as one.
    int changeCount() const;
};

JournalContents readJournal(const QString &file); // Missing too when the file is empty
JournalContents readJournal(QByteArrayView bytes, bool decodePictures = true);

// Appends records to a journal. The file is mapped into memory, with room taken ahead of its
// last record, and an append copies the whole frame into it: when it returns, the bytes are
// in the file and survive the process being killed. Where the file cannot be mapped, each
// append is one write() instead. A thread of its own syncs the file to the disk right after
// (within a second of every append); the caller never waits. While the journal is open its
// file runs on in zeros after the last record; closing cuts them off.
class JournalWriter
{
public:
    JournalWriter() = default;
    ~JournalWriter();   // syncs and closes
    JournalWriter(const JournalWriter &) = delete;
    JournalWriter &operator=(const JournalWriter &) = delete;

    // A new journal (replacing any file of that name) that starts with the head for origin.
    bool create(const QString &file, const JournalOrigin &origin, QString &reason);
    // Goes on writing an existing journal of `records` whole records, cut to its first
    // wholeLength bytes.
    bool resume(const QString &file, qint64 wholeLength, int records, QString &reason);
    bool isOpen() const { return mFd >= 0; }
    qint64 length() const { return mLength; }   // the head and the whole records
    QString fileName() const { return mFile; }
    QString error() const { return mError; }   // why the last append failed

    bool append(JournalRecord record);   // stamped with the time now when it has none
    void sync();            // now, waiting for it
    void close();           // syncs, then closes; the file stays
    bool remove();          // closes, then deletes the file

    // For a signal handler: syncs the open journal, if any (async-signal-safe).
    static void syncFromSignal();

    // For tests: called just before each record is appended, with its number (1 for the
    // first record after the head, counting on across a resumed journal).
    static std::function<void(int number)> beforeAppend;

private:
    bool open(const QString &file, bool truncate, qint64 cut, QString &reason);
    // Makes the file and its mapping hold at least needed bytes; false when it cannot be
    // mapped (appends then write).
    bool mapAhead(qint64 needed);
    void unmap();
    void syncLoop();
    // On the syncer, after a sync and under mMutex: makes the pages the next records go to
    // writable again, so that the copy on the window's thread takes no page fault.
    void readyNextPages();

    QString mFile;
    QString mError;
    int mFd = -1;
    std::thread mSyncer;
    std::mutex mMutex;
    std::condition_variable mWake;
    std::atomic<bool> mDirty = false;
    bool mStopping = false;
    int mRecords = 0;
    std::atomic<qint64> mLength = 0; // read by the syncer too
    // Changed under mMutex, which the syncer holds while it touches the mapping.
    char *mMap = nullptr;
    qint64 mCapacity = 0;   // bytes mapped, the size of the file while open
};
