#pragma once

// One change of the document with what it replaced, so that it can be taken back and
// applied again. Plain values only: the records of a step can be written out as they are.

#include <QString>
#include <QVariant>

#include <array>
#include <memory>
#include <optional>
#include <vector>

struct VellumObject;

struct ChangeRecord
{
    enum class Kind : quint8 { Added, Deleted, Property, Rect, Attribute, Layer };
    enum class Attribute : quint8 {
        FillColor,
        TextColor,
        ObjectText,
        DrawStyle,
        FillMode,
        ShapeParam
    };

    Kind kind = Kind::Property;
    qint32 id = 0;
    // Added, Deleted: the object's whole content and its drawing position (0-based).
    std::shared_ptr<const VellumObject> object;
    int position = -1;
    // Property: an absent value is a key that was never written.
    QString key;
    std::optional<QString> oldText;
    std::optional<QString> newText;
    // Attribute: QColor for the colours, QString for ObjectText, qint16 for the rest.
    Attribute attribute = Attribute::FillColor;
    QVariant oldValue;
    QVariant newValue;
    // Rect: x1, y1, x2, y2.
    std::array<qint32, 4> oldRect{};
    std::array<qint32, 4> newRect{};
    // Layer.
    qint16 oldLayer = 0;
    qint16 newLayer = 0;

    // Whether applying the record leaves the document as it was.
    bool changesNothing() const;
};

using ChangeList = std::vector<ChangeRecord>;

// Folds the records of one step: one record per object and key or attribute, with the
// first old value and the last new one, at the place of the first; records that end where
// they began are dropped. A drag that writes a rectangle at every pointer move and a
// refused drop that puts it back leave nothing.
void compactChanges(ChangeList &changes);
