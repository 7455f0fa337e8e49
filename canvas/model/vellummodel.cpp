#include "canvas/model/vellummodel.h"

#include "canvas/model/vellummodel_p.h"
#include "store/rules/textrules.h"

#include <algorithm>
#include <limits>

VellumModel::VellumModel()
    : d(std::make_unique<Private>())
{
}

VellumModel::~VellumModel() = default;

void VellumModel::setMessageHandler(std::function<void(const QString &)> handler)
{
    d->messageHandler = std::move(handler);
}

// Every change bumps the revision: a saved file's bytes are reused while it stands.
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

// --- user properties ---

QString VellumModel::UserProperty(const QString &key) const
{
    if (!d->current)
        return QString();
    const QChar *data = d->sharedKey(key).constData();
    for (const auto &[k, v] : d->current->properties) {
        if (k.constData() == data)
            return v;
    }
    return QString();
}

bool VellumModel::SetUserProperty(const QString &key, const QString &value)
{
    if (!d->current)
        return false;
    ++d->revision;
    const QString &shared = d->sharedKey(key);
    for (auto &[k, v] : d->current->properties) {
        if (k.constData() == shared.constData()) {
            v = value;
            return true;
        }
    }
    auto &properties = d->current->properties;
    if (properties.empty())
        properties.reserve(8);   // objects carry a few dozen keys; grow in few steps
    properties.emplace_back(shared, value);
    return true;
}

bool VellumModel::SetUserProperty(const QString &key, qint16 value)
{
    return SetUserProperty(key, QString::number(value));
}

bool VellumModel::SetUserProperty(const QString &key, int value)
{
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return false;
    return SetUserProperty(key, QString::number(value));
}

bool VellumModel::SetUserProperty(const QString &key, double value)
{
    return SetUserProperty(key, TextRules::numberText(value));
}

qint32 VellumModel::FindObject(const QString &key, const QString &value, int flags)
{
    const bool exact = flags & 4096;
    const int count = int(d->objects.size());
    int i = (flags & 256) ? d->findNext : 0;
    const QChar *keyData = d->sharedKey(key).constData();
    const QString empty;
    for (; i < count; ++i) {
        VellumObject *object = d->objects[i].get();
        const QString *text = &empty;
        for (const auto &[k, v] : object->properties) {
            if (k.constData() == keyData) {
                text = &v;
                break;
            }
        }
        const bool match = exact ? *text == value : text->contains(value, Qt::CaseInsensitive);
        if (match) {
            d->findNext = i + 1;
            d->current = object;
            if (flags & 16384)
                setObjectSelected(object, true);
            return object->id;
        }
    }
    d->findNext = count;
    return 0;
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
    d->objects.erase(d->objects.begin() + index);
    d->reindexFrom(index);
    d->paintOrderDirty = true;
    d->paintOrder.clear();
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
    o.x1 = x1;
    o.y1 = y1;
    o.x2 = x2;
    o.y2 = y2;
    movedFrom(before);
    return true;
}

bool VellumModel::MoveObject(qint32 dx, qint32 dy, int)
{
    if (!d->current)
        return false;
    VellumObject &o = *d->current;
    const QRect before = normalised(o);
    o.x1 += dx;
    o.x2 += dx;
    o.y1 += dy;
    o.y2 += dy;
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

// --- drawing attributes ---

bool VellumModel::SetFillColor(const QColor &color)
{
    if (!d->current)
        return false;
    d->current->fillColor = color;
    changed(*d->current);
    return true;
}

QColor VellumModel::FillColor() const
{
    return d->current ? d->current->fillColor : QColor();
}

bool VellumModel::SetTextColor(const QColor &color)
{
    if (!d->current)
        return false;
    d->current->textColor = color;
    changed(*d->current);
    return true;
}

QColor VellumModel::TextColor() const
{
    return d->current ? d->current->textColor : QColor();
}

bool VellumModel::SetObjectText(const QString &text)
{
    if (!d->current)
        return false;
    d->current->objectText = text;
    changed(*d->current);
    return true;
}

QString VellumModel::ObjectText() const
{
    return d->current ? d->current->objectText : QString();
}

bool VellumModel::SetDrawStyle(qint16 style)
{
    if (!d->current)
        return false;
    d->current->drawStyle = style;
    changed(*d->current);
    return true;
}

qint16 VellumModel::DrawStyle() const
{
    return d->current ? d->current->drawStyle : 0;
}

bool VellumModel::SetFillMode(qint16 mode)
{
    if (!d->current)
        return false;
    d->current->fillMode = mode;
    changed(*d->current);
    return true;
}

qint16 VellumModel::FillMode() const
{
    return d->current ? d->current->fillMode : 0;
}

bool VellumModel::SetShapeParam(qint16 param)
{
    if (!d->current)
        return false;
    d->current->shapeParam = param;
    changed(*d->current);
    return true;
}

qint16 VellumModel::ShapeParam() const
{
    return d->current ? d->current->shapeParam : 0;
}

bool VellumModel::SetLayer(qint16 layer)
{
    if (!d->current)
        return false;
    if (d->current->layer != layer) {
        d->current->layer = layer;
        d->placeInPaintOrder(d->current);
        changed(*d->current);
    }
    return true;
}

qint16 VellumModel::Layer() const
{
    return d->current ? d->current->layer : 0;
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

const std::vector<VellumObject *> &VellumModel::paintOrder() const
{
    if (d->paintOrderDirty) {
        d->paintOrder.clear();
        d->paintOrder.reserve(d->objects.size());
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
        d->paintBoxes.resize(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            d->paintBoxes[i] = normalised(*order[i]);
        d->paintBoxesDirty = false;
    }
    d->boxMoves = 0;
    return d->paintBoxes;
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
    documentReplaced();
    changed();
}
