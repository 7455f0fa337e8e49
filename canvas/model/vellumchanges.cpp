#include "canvas/model/vellummodel.h"

#include "canvas/model/vellummodel_p.h"

// The record of changes: what every mutation replaced, and taking a step back or applying
// it again.

namespace {

using Kind = ChangeRecord::Kind;
using Attribute = ChangeRecord::Attribute;

void setProperty(VellumObject &object, const QString &key, const std::optional<QString> &value)
{
    auto &properties = object.properties;
    const auto at = std::find_if(properties.begin(), properties.end(),
                                 [&key](const auto &p) { return p.first == key; });
    if (!value) {
        if (at != properties.end())
            properties.erase(at);
    } else if (at != properties.end()) {
        at->second = *value;
    } else {
        properties.emplace_back(DocumentFile::sharedKey(key), *value);
    }
}

void setAttribute(VellumObject &object, Attribute attribute, const QVariant &value)
{
    switch (attribute) {
    case Attribute::FillColor:
        object.fillColor = value.value<QColor>();
        break;
    case Attribute::TextColor:
        object.textColor = value.value<QColor>();
        break;
    case Attribute::ObjectText:
        object.objectText = value.toString();
        break;
    case Attribute::DrawStyle:
        object.drawStyle = value.value<qint16>();
        break;
    case Attribute::FillMode:
        object.fillMode = value.value<qint16>();
        break;
    case Attribute::ShapeParam:
        object.shapeParam = value.value<qint16>();
        break;
    }
}

} // namespace

bool VellumModel::hasChanges() const
{
    return !d->changes.empty();
}

ChangeList VellumModel::takeChanges()
{
    ChangeList taken;
    taken.swap(d->changes);
    return taken;
}

void VellumModel::undoChanges(const ChangeList &changes)
{
    const bool recording = std::exchange(d->recording, false);
    for (auto r = changes.rbegin(); r != changes.rend(); ++r)
        applyChange(*r, false);
    d->recording = recording;
}

void VellumModel::redoChanges(const ChangeList &changes)
{
    const bool recording = std::exchange(d->recording, false);
    for (const ChangeRecord &r : changes)
        applyChange(r, true);
    d->recording = recording;
}

void VellumModel::record(ChangeRecord &&change)
{
    if (d->recording)
        d->changes.push_back(std::move(change));
}

void VellumModel::recordProperty(const QString &key, const QString *old, const QString &value)
{
    if (!d->recording)
        return;
    ChangeRecord r;
    r.kind = Kind::Property;
    r.id = d->current->id;
    r.key = key;
    if (old)
        r.oldText = *old;
    r.newText = value;
    d->changes.push_back(std::move(r));
}

void VellumModel::recordAttribute(Attribute attribute, const QVariant &old,
                                  const QVariant &value)
{
    if (!d->recording)
        return;
    ChangeRecord r;
    r.kind = Kind::Attribute;
    r.id = d->current->id;
    r.attribute = attribute;
    r.oldValue = old;
    r.newValue = value;
    d->changes.push_back(std::move(r));
}

void VellumModel::recordRect(const VellumObject &object, const std::array<qint32, 4> &old)
{
    if (!d->recording)
        return;
    ChangeRecord r;
    r.kind = Kind::Rect;
    r.id = object.id;
    r.oldRect = old;
    r.newRect = {object.x1, object.y1, object.x2, object.y2};
    if (r.oldRect != r.newRect)
        d->changes.push_back(std::move(r));
}

void VellumModel::applyChange(const ChangeRecord &r, bool forward)
{
    if (r.kind == Kind::Added || r.kind == Kind::Deleted) {
        if ((r.kind == Kind::Added) == forward)
            restoreObject(r.position, *r.object);
        else
            DeleteObject(r.id);
        return;
    }
    VellumObject *object = objectById(r.id);
    if (!object)
        return;
    switch (r.kind) {
    case Kind::Property:
        setProperty(*object, r.key, forward ? r.newText : r.oldText);
        ++d->revision;
        break;
    case Kind::Rect: {
        const QRect before = normalised(*object);
        const auto &v = forward ? r.newRect : r.oldRect;
        object->x1 = v[0];
        object->y1 = v[1];
        object->x2 = v[2];
        object->y2 = v[3];
        const QRect after = normalised(*object);
        d->rectChanged(object, before, after);
        changed(before);
        changed(after);
        break;
    }
    case Kind::Attribute:
        setAttribute(*object, r.attribute, forward ? r.newValue : r.oldValue);
        changed(*object);
        break;
    case Kind::Layer:
        object->layer = forward ? r.newLayer : r.oldLayer;
        d->placeInPaintOrder(object);
        changed(*object);
        break;
    case Kind::Added:
    case Kind::Deleted:
        break;
    }
}

void VellumModel::restoreObject(int position, const VellumObject &content)
{
    if (d->indexById.contains(content.id))
        return;
    auto copy = std::make_unique<VellumObject>(content);
    copy->selected = false;
    VellumObject *object = copy.get();
    position = std::clamp(position, 0, int(d->objects.size()));
    d->objects.insert(d->objects.begin() + position, std::move(copy));
    d->reindexFrom(position);
    d->maxId = std::max(d->maxId, object->id);
    if (d->findNext > position)
        ++d->findNext;
    d->placeInPaintOrder(object);
    const QRect area = normalised(*object);
    d->rectChanged(nullptr, QRect(), area);
    changed(area);
}
