#pragma once

// What the document file's reading, writing and keeping aside share.

#include <QLatin1StringView>
#include <QString>

namespace DocumentFile {

inline constexpr QLatin1StringView formatName("ambrook-document");
inline constexpr int formatVersion = 1;

// Makes a rename in the folder survive a power cut; false with a reason on failure.
bool flushFolder(const QString &folder, QString &reason);

} // namespace DocumentFile
