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
// Parses a whole document; on failure returns false, leaves objects untouched and sets error
// to the reason for the user ("it was written by a newer version of Ambrook").
bool read(const QByteArray &bytes, std::vector<std::unique_ptr<VellumObject>> &objects,
          QString &error);
QByteArray write(const std::vector<std::unique_ptr<VellumObject>> &objects);
// The one shared copy of a property key: thousands of objects share their key strings, and
// equal keys have the same data, so that a key is told by its data pointer. read() gives
// every key from here.
QString sharedKey(const QString &key);
// Atomic write (QSaveFile + folder flush); false with a reason on failure.
bool save(const QString &file, const QByteArray &bytes, QString &error);
// Moves an unreadable file aside under a new name with the date and time in it; returns the
// new path, or "" on failure.
QString keepAside(const QString &file);

// Failure seam for tests: consulted before each step of save() ("open", "write", "commit",
// "flush" of the folder); when it returns true that step fails with "injected fault".
// Null in the program.
extern std::function<bool(const char *step)> faultHook;
} // namespace DocumentFile
