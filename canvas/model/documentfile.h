#pragma once

// The document file: JSON, UTF-8, with a format name and version at the top. Every user
// property text round-trips exactly; pictures are kept inside the file as their original
// bytes. Reading and writing never depend on the locale.

#include "canvas/model/vellummodel.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace DocumentFile {
using Objects = std::vector<std::unique_ptr<VellumObject>>;

// Parses a whole document; on failure returns false, leaves objects untouched and sets error
// to the reason for the user ("it was written by a newer version of Ambrook").
bool read(const QByteArray &bytes, Objects &objects, QString &error);
QByteArray write(const Objects &objects);
// The one shared copy of a property key: thousands of objects share their key strings, and
// equal keys have the same data, so that a key is told by its data pointer. read() gives
// every key from here.
QString sharedKey(const QString &key);

// A file as a save left it: enough to tell later whether it still holds those bytes.
struct SavedFile
{
    QString path;           // absolute; empty when there is none
    qint64 size = 0;
    quint64 hash = 0;       // XXH3-64 of the bytes
};

// Atomic write (QSaveFile + folder flush), streamed into the file so that no copy of the
// whole document is held in memory; false with a reason on failure. When last names a file
// saved from these same objects, that file is copied instead of writing them out again, as
// long as its size and hash still match; on success last names the new file.
bool save(const QString &file, const Objects &objects, QString &error,
          SavedFile *last = nullptr);
// Moves an unreadable file aside under a new name with the date and time in it; returns the
// new path, or "" on failure.
QString keepAside(const QString &file);

// Failure seam for tests: consulted before each step of save() ("open", "write", "commit",
// "flush" of the folder); when it returns true that step fails with "injected fault".
// Null in the program.
extern std::function<bool(const char *step)> faultHook;
} // namespace DocumentFile
