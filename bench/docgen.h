#pragma once

// Realistic documents for the benchmark, drawn with the canvas's own operations: the start
// object as start-up makes it, 45 boxes as the new-box command draws them, stored objects
// spread over the boxes with filled fields, alarm dates and movement histories, and
// pictures read from PNG files.

#include <QString>
#include <QStringList>

namespace BenchDoc {

inline constexpr int BoxCount = 45;
inline constexpr int PictureCount = 20;
// One stored object in a hundred carries this word in its name, so a search for it
// matches 1 % of the objects.
inline const QString SearchWord = QStringLiteral("Quokka");

// The 45 box names, in the order of creation.
QStringList boxNames();

// Writes the document "pic" with n stored objects into folder (and the PNGs it was made
// from into folder/pictures). False with a reason on failure.
bool generate(int n, const QString &folder, QString &error);

} // namespace BenchDoc
