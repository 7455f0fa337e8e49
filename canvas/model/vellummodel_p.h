#pragma once

// The inner state of VellumModel, shared by its editing code (vellummodel.cpp,
// vellumproperties.cpp, vellumgeometry.cpp) and its document and picture files
// (vellumfile.cpp).

#include "canvas/model/documentfile.h"
#include "canvas/model/vellummodel.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>

namespace VellumParts {

inline QRect normalised(qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                 QPoint(std::max(x1, x2), std::max(y1, y2)));
}

inline QRect normalised(const VellumObject &o)
{
    return normalised(o.x1, o.y1, o.x2, o.y2);
}

} // namespace VellumParts

using VellumParts::normalised;

struct VellumModel::Private
{
    std::vector<std::unique_ptr<VellumObject>> objects;
    QHash<qint32, int> indexById;
    VellumObject *current = nullptr;
    qint32 maxId = 0;
    int selectedCount = 0;
    // The object selected last; while it is the only one selected, EditMode 10 needs no walk.
    VellumObject *lastSelected = nullptr;

    mutable std::vector<VellumObject *> paintOrder;
    // The rectangles of paintOrder, in the same order: finding what is in view or under
    // the pointer then sweeps one plain array instead of visiting every object.
    mutable std::vector<QRect> paintBoxes;
    mutable bool paintOrderDirty = true;
    mutable bool paintBoxesDirty = true;
    // Objects moved within the paint order, or given a new rectangle, since it was last read.
    // A handful (a release, a new object) are updated in place; a whole restack or a large
    // drag is rebuilt once instead.
    mutable int paintMoves = 0;
    mutable int boxMoves = 0;
    mutable QRect extent;
    mutable bool extentDirty = true;

    quint64 revision = 0;
    // The file of the last save and the revision it was made from: quitting saves the same
    // drawing twice, and copying the first file costs far less than writing it out again.
    quint64 savedRevision = 0;
    DocumentFile::SavedFile savedFile;

    // The last key asked for and its shared copy: walks over every object ask for one key
    // again and again. Holding the key keeps its data, so its address names it.
    mutable QString lastKey;
    mutable QString lastShared;

    int findNext = 0;   // drawing position where a continued search (flag 256) starts
    qint16 toolMode = 11;
    int canvasOptions = 64;

    // The picture LoadPictureFile read, waiting for AddObject(12, ...); null when none.
    QByteArray pendingBytes;
    QImage pendingImage;

    ChangeList changes;          // since the last takeChanges
    bool recording = true;       // off while a step is taken back or applied again

    QSet<QString> unreadableFiles;   // kept as they are: never overwritten by a save
    std::function<void(const QString &)> messageHandler;

    // Puts object (new, or with a new layer) at its place in the paint order: by layer, then
    // by drawing order. Sorting the whole drawing again for one object would cost a click
    // milliseconds at tens of thousands of objects.
    void placeInPaintOrder(VellumObject *object)
    {
        constexpr int maxMoves = 32;
        if (paintOrderDirty || ++paintMoves > maxMoves) {
            paintOrderDirty = true;
            return;
        }
        const auto old = std::find(paintOrder.begin(), paintOrder.end(), object);
        if (old != paintOrder.end()) {
            if (!paintBoxesDirty)
                paintBoxes.erase(paintBoxes.begin() + (old - paintOrder.begin()));
            paintOrder.erase(old);
        }
        const int index = indexById.value(object->id);
        const auto place = std::upper_bound(
            paintOrder.begin(), paintOrder.end(), object,
            [this, index](const VellumObject *a, const VellumObject *b) {
                if (a->layer != b->layer)
                    return a->layer < b->layer;
                return index < indexById.value(b->id);
            });
        if (!paintBoxesDirty)
            paintBoxes.insert(paintBoxes.begin() + (place - paintOrder.begin()),
                              normalised(*object));
        paintOrder.insert(place, object);
    }

    // Takes a deleted object out of the paint order in place: sorting the whole drawing
    // again would cost a Delete or an undo tens of milliseconds.
    void removeFromPaintOrder(VellumObject *object)
    {
        if (paintOrderDirty)
            return;
        const auto at = std::find(paintOrder.begin(), paintOrder.end(), object);
        if (at == paintOrder.end()) {
            paintOrderDirty = true;
            paintOrder.clear();
            return;
        }
        if (!paintBoxesDirty)
            paintBoxes.erase(paintBoxes.begin() + (at - paintOrder.begin()));
        paintOrder.erase(at);
    }

    // An object's rectangle changed from before (null for a new object) to after (null for
    // a deleted one). The extent is widened in place; only a shape that stood on its edge
    // can narrow it, and then it is measured again when next asked for.
    void rectChanged(VellumObject *object, const QRect &before, const QRect &after)
    {
        if (!extentDirty) {
            const bool onEdge = !before.isNull()
                && (before.left() == extent.left() || before.top() == extent.top()
                    || before.right() == extent.right() || before.bottom() == extent.bottom());
            if (onEdge)
                extentDirty = true;
            else if (!after.isNull())
                extent = extent.isNull() ? after : extent.united(after);
        }
        if (!object || paintOrderDirty || paintBoxesDirty)
            return;
        if (++boxMoves > 32) {
            paintBoxesDirty = true;
            return;
        }
        const auto at = std::find(paintOrder.begin(), paintOrder.end(), object);
        if (at != paintOrder.end())
            paintBoxes[at - paintOrder.begin()] = after;
    }

    // Every stored key is the shared copy, so that its address tells keys apart.
    const QString &sharedKey(const QString &key) const
    {
        if (key.constData() != lastKey.constData() || key.size() != lastKey.size()) {
            lastKey = key;
            lastShared = DocumentFile::sharedKey(key);
        }
        return lastShared;
    }

    qint32 newId()
    {
        if (maxId < std::numeric_limits<qint32>::max())
            return ++maxId;
        // Only a hand-made document reaches the largest id there is; the smallest free id
        // is taken then (there are always fewer objects than ids).
        qint32 id = 1;
        while (indexById.contains(id))
            ++id;
        return id;
    }

    void reindexFrom(int from)
    {
        for (int i = from; i < int(objects.size()); ++i)
            indexById.insert(objects[i]->id, i);
    }};
