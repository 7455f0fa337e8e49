#pragma once

// What the journal tests share: the document as saved with the selection flags aside, and
// the drawing of 5,000 objects that the crash test works on.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/model/documentfile.h"

inline QByteArray unselected(QByteArray bytes)
{
    return bytes.replace("\"selected\":true", "\"selected\":false");
}

inline QByteArray documentOf(const Harness &h)
{
    return unselected(DocumentFile::write(h.canvas().objects()));
}

// "Garage" and "Shelf", and count stored objects in a grid below them, half in each box.
inline void buildLargeDocument(DocumentBuilder &doc, int count)
{
    doc.startObject({QStringLiteral("Garage"), QStringLiteral("Shelf")});
    doc.box(QStringLiteral("Garage"), 100, 100);
    doc.box(QStringLiteral("Shelf"), 150, 100);
    for (int i = 0; i < count; ++i) {
        doc.storedObject(QStringLiteral("Thing %1").arg(i),
                         i % 2 ? QStringLiteral("Shelf") : QStringLiteral("Garage"),
                         100 + (i % 100) * 6, 200 + (i / 100) * 6);
    }
}
