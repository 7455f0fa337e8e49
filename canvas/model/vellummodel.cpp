// Objects and their ids, the current object, the selection and the switches.

#include "canvas/model/vellummodel.h"

#include "canvas/model/vellummodel_p.h"

VellumModel::VellumModel()
    : d(std::make_unique<Private>())
{
}

VellumModel::~VellumModel() = default;

void VellumModel::setMessageHandler(std::function<void(const QString &)> handler)
{
    d->messageHandler = std::move(handler);
}

// Every change bumps the revision: a saved file is copied for the next save while it stands.
void VellumModel::changed()
{
    ++d->revision;
    areaChanged(nullptr);
}

void VellumModel::changed(const QRect &area)
{
    ++d->revision;
    areaChanged(&area);
}

void VellumModel::areaChanged(const QRect *) {}

void VellumModel::changed(const VellumObject &object)
{
    changed(normalised(object));
}

void VellumModel::documentReplaced() {}

// --- current object and enumeration ---

qint32 VellumModel::CurrentObject() const
{
    return d->current ? d->current->id : 0;
}

bool VellumModel::SetCurrentObject(qint32 id)
{
    d->current = objectById(id);
    return d->current != nullptr;
}

bool VellumModel::SetCurrentIndex(int n)
{
    const int count = int(d->objects.size());
    if (n < 1 || n > count) {
        d->current = nullptr;
        return false;
    }
    d->current = d->objects[n - 1].get();
    // Handlers walk every object by index, reading a property or two of each. Each object
    // and its properties lie elsewhere in memory, so the ones a few steps ahead are fetched
    // now, while this one is read: the walk then waits for memory far less often.
    if (n + 16 <= count) {
        const VellumObject *later = d->objects[n + 15].get();
        __builtin_prefetch(later);
        __builtin_prefetch(&later->properties); // the line after, when the object straddles
        const VellumObject *soon = d->objects[n + 7].get();
        if (!soon->properties.empty())
            __builtin_prefetch(soon->properties.data());
    }
    return true;
}

int VellumModel::ObjectCount(int which) const
{
    return which == 2 ? d->selectedCount : int(d->objects.size());
}

bool VellumModel::SetSelected(bool selected)
{
    if (!d->current)
        return false;
    setObjectSelected(d->current, selected);
    return true;
}

qint16 VellumModel::ObjectKind() const
{
    return d->current ? d->current->kind : 0;
}

void VellumModel::SetEditMode(int mode)
{
    if (mode != 10 || d->selectedCount == 0)
        return;
    if (d->selectedCount == 1 && d->lastSelected && d->lastSelected->selected) {
        d->current = d->lastSelected;
        return;
    }
    for (const auto &object : d->objects) {
        if (object->selected) {
            d->current = object.get();
            return;
        }
    }
}

// --- switches ---

void VellumModel::SetToolMode(qint16 mode)
{
    d->toolMode = mode;
}

qint16 VellumModel::ToolMode() const
{
    return d->toolMode;
}

void VellumModel::SetCanvasOptions(int options)
{
    if (d->canvasOptions != options) {
        d->canvasOptions = options;
        changed();
    }
}

int VellumModel::CanvasOptions() const
{
    return d->canvasOptions;
}

void VellumModel::SetSearchFlag(bool on)
{
    if (on)
        clearSelection();
}

void VellumModel::SetRelayerFlag(bool) {}

// --- for the view, the file and tests ---

const std::vector<std::unique_ptr<VellumObject>> &VellumModel::objects() const
{
    return d->objects;
}

VellumObject *VellumModel::objectById(qint32 id) const
{
    const int index = indexOf(id);
    return index < 0 ? nullptr : d->objects[index].get();
}

VellumObject *VellumModel::current() const
{
    return d->current;
}

int VellumModel::indexOf(qint32 id) const
{
    return d->indexById.value(id, -1);
}

void VellumModel::setObjectSelected(VellumObject *object, bool selected)
{
    if (!object || object->selected == selected)
        return;
    object->selected = selected;
    d->selectedCount += selected ? 1 : -1;
    if (selected)
        d->lastSelected = object;
    changed(*object);
}

void VellumModel::clearSelection()
{
    if (d->selectedCount == 0)
        return;
    // A few frames are repainted where they stood; a large selection repaints everything.
    const bool few = d->selectedCount <= 32;
    std::vector<QRect> frames;
    int left = d->selectedCount;
    for (const auto &object : d->objects) {
        if (!object->selected)
            continue;
        if (few)
            frames.push_back(normalised(*object));
        object->selected = false;
        if (--left == 0)
            break;
    }
    d->selectedCount = 0;
    if (!few) {
        changed();
        return;
    }
    for (const QRect &frame : frames)
        changed(frame);
}

void VellumModel::clear()
{
    d->objects.clear();
    d->indexById.clear();
    d->current = nullptr;
    d->maxId = 0;
    d->selectedCount = 0;
    d->lastSelected = nullptr;
    d->findNext = 0;
    d->paintOrder.clear();
    d->paintOrderDirty = true;
    d->extentDirty = true;
    d->paintBoxesDirty = true;
    d->changes.clear();
    documentReplaced();
    changed();
}
