// libFuzzer target: arbitrary bytes as the journal "pic.journal", and as one record.
//
// Whatever the bytes, reading gives the whole records up to the first bad one and never more
// than the bytes hold; a record that decodes encodes to bytes that decode to the same record.

#include "canvas/model/journalfile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "journalfuzz: %s\n", what);
    std::abort();
}

void roundTrip(const JournalRecord &record)
{
    const QByteArray once = JournalFile::encode(record);
    JournalRecord again;
    if (!JournalFile::decode(once, again, false))
        fail("an encoded record does not decode");
    if (JournalFile::encode(again) != once)
        fail("a record does not encode to the same bytes twice");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    const JournalContents read = readJournal(bytes, false);
    if (read.state == JournalContents::State::Read && read.wholeLength > bytes.size())
        fail("the whole records run past the end");
    if (read.state != JournalContents::State::Read && !read.records.empty())
        fail("an unreadable journal gave records");
    for (const JournalRecord &record : read.records)
        roundTrip(record);

    // The record decoder on its own, without a checksum in front of it.
    JournalRecord record;
    if (JournalFile::decode(bytes, record, false))
        roundTrip(record);
    return 0;
}
