#pragma once

// The journal file's layout, shared by its records and its file. Private to the journal.

#include "canvas/model/journalbytes.h"
#include "canvas/model/journalfile.h"

namespace JournalBytes {

constexpr char Magic[] = "AMBJRNL1";
constexpr qsizetype MagicSize = 8;
constexpr qsizetype FrameHead = 4 + 8;   // length, checksum

quint64 checksum(QByteArrayView bytes);

// The head: the document the journal started from.
QByteArray headPayload(const JournalOrigin &origin);
bool readHead(QByteArrayView payload, JournalOrigin &origin);

} // namespace JournalBytes
