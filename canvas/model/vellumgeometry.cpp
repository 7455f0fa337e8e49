// Where objects stand: their rectangles, the painting order and the drawing's extent.

#include "canvas/model/vellummodel.h"

#include "canvas/model/vellummodel_p.h"

#include <algorithm>
#include <limits>

// --- geometry ---

bool VellumModel::AddObject(int shape, qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    if (shape != 10 && shape != 12)
        return false;
    auto object = std::make_unique<VellumObject>();
    object->id = d->newId();
    object->kind = qint16(shape);
    object->x1 = x1;
    object->y1 = y1;
    object->x2 = x2;
    object->y2 = y2;
    if (shape == 12 && !d->pendingImage.isNull()) {
        object->pictureData = std::exchange(d->pendingBytes, {});
        object->picture = std::exchange(d->pendingImage, {});
    }
    d->current = object.get();
    d->indexById.insert(object->id, int(d->objects.size()));
    d->objects.push_back(std::move(object));
    if (d->recording) {
        ChangeRecord added;
        added.kind = ChangeRecord::Kind::Added;
        added.id = d->current->id;
        added.position = int(d->objects.size()) - 1;
        added.object = std::make_shared<VellumObject>(*d->current);
        record(std::move(added));
    }
    d->placeInPaintOrder(d->current);
    const QRect area = normalised(*d->current);
    d->rectChanged(nullptr, QRect(), area);
    changed(area);
    return true;
}

bool VellumModel::DeleteObject(qint32 id)
{
    const int index = indexOf(id);
    if (index < 0)
        return false;
    VellumObject *object = d->objects[index].get();
    if (object->selected)
        --d->selectedCount;
    if (d->current == object)
        d->current = nullptr;
    if (d->lastSelected == object)
        d->lastSelected = nullptr;
    if (d->findNext > index)
        --d->findNext;
    const QRect area = normalised(*object);
    d->indexById.remove(id);
    d->removeFromPaintOrder(object);
    if (d->recording) {
        ChangeRecord deleted;
        deleted.kind = ChangeRecord::Kind::Deleted;
        deleted.id = id;
        deleted.position = index;
        deleted.object = std::shared_ptr<VellumObject>(std::move(d->objects[index]));
        record(std::move(deleted));
    }
    d->objects.erase(d->objects.begin() + index);
    d->reindexFrom(index);
    d->rectChanged(nullptr, area, QRect());
    changed(area);
    return true;
}

bool VellumModel::GetObjectRect(qint32 &x1, qint32 &y1, qint32 &x2, qint32 &y2, int) const
{
    if (!d->current)
        return false;
    x1 = d->current->x1;
    y1 = d->current->y1;
    x2 = d->current->x2;
    y2 = d->current->y2;
    return true;
}

bool VellumModel::SetObjectRect(qint32 x1, qint32 y1, qint32 x2, qint32 y2, int)
{
    if (!d->current)
        return false;
    VellumObject &o = *d->current;
    const QRect before = normalised(o);
    const std::array<qint32, 4> old = {o.x1, o.y1, o.x2, o.y2};
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    recordRect(o, old);
    movedFrom(before);
    return true;
}

bool VellumModel::MoveObject(qint32 dx, qint32 dy, int)
{
    if (!d->current)
        return false;
    VellumObject &o = *d->current;
    const QRect before = normalised(o);
    const std::array<qint32, 4> old = {o.x1, o.y1, o.x2, o.y2};
    o.x1 += dx;
    o.x2 += dx;
    o.y1 += dy;
    o.y2 += dy;
    recordRect(o, old);
    movedFrom(before);
    return true;
}

void VellumModel::movedFrom(const QRect &before)
{
    const QRect after = normalised(*d->current);
    d->rectChanged(d->current, before, after);
    changed(before);
    changed(after);
}

int VellumModel::ObjectsInRect(qint32 x1, qint32 y1, qint32 x2, qint32 y2, int) const
{
    const QRect area = normalised(x1, y1, x2, y2);
    int count = 0;
    for (const QRect &r : paintBoxes()) {
        if (r.left() <= area.right() && r.right() >= area.left() && r.top() <= area.bottom()
            && r.bottom() >= area.top())
            ++count;
    }
    return count;
}

// --- painting order and extent ---

namespace {

// Room for the objects a session adds: a new object then goes into its place without the
// order and its rectangles being copied to new memory, a copy of a megabyte at 50,000
// objects that the memory's first touch makes dearer still.
size_t withRoom(size_t objects)
{
    return objects + objects / 8 + 64;
}

} // namespace

const std::vector<VellumObject *> &VellumModel::paintOrder() const
{
    if (d->paintOrderDirty) {
        d->paintOrder.clear();
        d->paintOrder.reserve(withRoom(d->objects.size()));
        for (const auto &object : d->objects)
            d->paintOrder.push_back(object.get());
        std::stable_sort(d->paintOrder.begin(), d->paintOrder.end(),
                         [](const VellumObject *a, const VellumObject *b) {
                             return a->layer < b->layer;
                         });
        d->paintOrderDirty = false;
        d->paintBoxesDirty = true;
    }
    d->paintMoves = 0;
    return d->paintOrder;
}

const std::vector<QRect> &VellumModel::paintBoxes() const
{
    const auto &order = paintOrder();
    if (d->paintBoxesDirty) {
        d->paintBoxes.reserve(withRoom(order.size()));
        d->paintBoxes.resize(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            d->paintBoxes[i] = normalised(*order[i]);
        d->paintBoxesDirty = false;
    }
    d->boxMoves = 0;
    return d->paintBoxes;
}

QRect VellumModel::extent() const
{
    if (d->extentDirty) {
        d->extent = QRect();
        if (!d->objects.empty()) {
            qint32 left = std::numeric_limits<qint32>::max();
            qint32 top = left;
            qint32 right = std::numeric_limits<qint32>::min();
            qint32 bottom = right;
            for (const auto &object : d->objects) {
                const QRect r = normalised(*object);
                left = std::min(left, r.left());
                top = std::min(top, r.top());
                right = std::max(right, r.right());
                bottom = std::max(bottom, r.bottom());
            }
            d->extent = QRect(QPoint(left, top), QPoint(right, bottom));
        }
        d->extentDirty = false;
    }
    return d->extent;
}
