// The user properties and drawing attributes of the current object.

#include "canvas/model/vellummodel.h"

#include "canvas/model/vellummodel_p.h"
#include "store/rules/textrules.h"

#include <limits>

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
    const QString &shared = d->sharedKey(key);
    for (auto &[k, v] : d->current->properties) {
        if (k.constData() == shared.constData()) {
            if (v == value)
                return true;
            ++d->revision;
            recordProperty(shared, &v, value);
            v = value;
            return true;
        }
    }
    ++d->revision;
    recordProperty(shared, nullptr, value);
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

// --- drawing attributes ---

template<typename T>
bool VellumModel::writeAttribute(T VellumObject::*member, const T &value,
                               ChangeRecord::Attribute which)
{
    if (!d->current)
        return false;
    T &field = d->current->*member;
    if (field == value)
        return true;
    recordAttribute(which, QVariant::fromValue(field), QVariant::fromValue(value));
    field = value;
    changed(*d->current);
    return true;
}

bool VellumModel::SetFillColor(const QColor &color)
{
    return writeAttribute(&VellumObject::fillColor, color, ChangeRecord::Attribute::FillColor);
}

QColor VellumModel::FillColor() const
{
    return d->current ? d->current->fillColor : QColor();
}

bool VellumModel::SetTextColor(const QColor &color)
{
    return writeAttribute(&VellumObject::textColor, color, ChangeRecord::Attribute::TextColor);
}

QColor VellumModel::TextColor() const
{
    return d->current ? d->current->textColor : QColor();
}

bool VellumModel::SetObjectText(const QString &text)
{
    return writeAttribute(&VellumObject::objectText, text, ChangeRecord::Attribute::ObjectText);
}

QString VellumModel::ObjectText() const
{
    return d->current ? d->current->objectText : QString();
}

bool VellumModel::SetDrawStyle(qint16 style)
{
    return writeAttribute(&VellumObject::drawStyle, style, ChangeRecord::Attribute::DrawStyle);
}

qint16 VellumModel::DrawStyle() const
{
    return d->current ? d->current->drawStyle : 0;
}

bool VellumModel::SetFillMode(qint16 mode)
{
    return writeAttribute(&VellumObject::fillMode, mode, ChangeRecord::Attribute::FillMode);
}

qint16 VellumModel::FillMode() const
{
    return d->current ? d->current->fillMode : 0;
}

bool VellumModel::SetShapeParam(qint16 param)
{
    return writeAttribute(&VellumObject::shapeParam, param, ChangeRecord::Attribute::ShapeParam);
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
        if (d->recording) {
            ChangeRecord r;
            r.kind = ChangeRecord::Kind::Layer;
            r.id = d->current->id;
            r.oldLayer = d->current->layer;
            r.newLayer = layer;
            record(std::move(r));
        }
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
