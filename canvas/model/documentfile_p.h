#pragma once

// What the document file's reading, writing and keeping aside share.

#include "canvas/model/documentfile.h"
#include "canvas/model/documentjson.h"

#include <QLatin1StringView>
#include <QString>

namespace DocumentFile {

inline constexpr QLatin1StringView formatName("ambrook-document");
inline constexpr int formatVersion = 1;

// Streams the document's bytes, the same as write() gives, to sink; false when it failed.
bool write(const Objects &objects, const DocumentJson::Writer::Sink &sink);

// Makes a rename in the folder survive a power cut; false with a reason on failure.
bool flushFolder(const QString &folder, QString &reason);

} // namespace DocumentFile
