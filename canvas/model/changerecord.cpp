#include "canvas/model/changerecord.h"

#include <QHash>

namespace {

struct Slot
{
    ChangeRecord::Kind kind;
    ChangeRecord::Attribute attribute;
    qint32 id;
    QString key;

    bool operator==(const Slot &other) const
    {
        return kind == other.kind && attribute == other.attribute && id == other.id
            && key == other.key;
    }
};

size_t qHash(const Slot &slot, size_t seed = 0)
{
    return qHashMulti(seed, int(slot.kind), int(slot.attribute), slot.id, slot.key);
}

} // namespace

bool ChangeRecord::changesNothing() const
{
    switch (kind) {
    case Kind::Added:
    case Kind::Deleted:
        return false;
    case Kind::Property:
        return oldText == newText;
    case Kind::Rect:
        return oldRect == newRect;
    case Kind::Attribute:
        return oldValue == newValue;
    case Kind::Layer:
        return oldLayer == newLayer;
    }
    return false;
}

void compactChanges(ChangeList &changes)
{
    // Ids are never reused while a document is open, so no record of an object lies before
    // its Added record or after its Deleted one: folding into the first never crosses them.
    QHash<Slot, size_t> first;
    std::vector<bool> folded(changes.size(), false);
    for (size_t i = 0; i < changes.size(); ++i) {
        ChangeRecord &r = changes[i];
        if (r.kind == ChangeRecord::Kind::Added || r.kind == ChangeRecord::Kind::Deleted)
            continue;
        const Slot slot{r.kind, r.attribute, r.id, r.key};
        const auto found = first.constFind(slot);
        if (found == first.constEnd()) {
            first.insert(slot, i);
            continue;
        }
        ChangeRecord &into = changes[*found];
        into.newText = std::move(r.newText);
        into.newValue = std::move(r.newValue);
        into.newRect = r.newRect;
        into.newLayer = r.newLayer;
        folded[i] = true;
    }
    size_t kept = 0;
    for (size_t i = 0; i < changes.size(); ++i) {
        if (folded[i] || changes[i].changesNothing())
            continue;
        if (kept != i)
            changes[kept] = std::move(changes[i]);
        ++kept;
    }
    changes.resize(kept);
}
