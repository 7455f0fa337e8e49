#pragma once

// The texts of a document being read, packed side by side into a few large blocks instead
// of one heap block each: tens of thousands of names, dates and histories then cost a
// handful of allocations and no per-text header. Every text is a plain QString that holds a
// reference to its block, so a block lives as long as any text in it; changing a text
// copies it out first, as with any shared QString. Private to the document file.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

class TextArena
{
public:
    // Texts longer than this get a block of their own, so that one long text kept after
    // its neighbours are gone does not hold a whole block.
    static constexpr qsizetype longText = 1024;

    // Printable ASCII, taken byte for byte.
    QString latin1(QByteArrayView bytes);
    QString text(QStringView text);

private:
    // Room for n units and the '\0' after them; null when the text is long.
    char16_t *room(qsizetype n);
    QString take(char16_t *at, qsizetype n);

    QString::DataPointer mBlock;   // the block being filled; holds one reference
    qsizetype mUsed = 0;
};
