#pragma once

// Shared steps of the box, object, colour, alarm and search tests: the commands are run
// through the window's own buttons and choosers, with the input box answered by the fake.

#include "canvas/vellum.h"
#include "store/rules/palette.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <utility>

namespace boxfixture {

inline QColor palette(int n)
{
    return *Palette::colour(n);
}

inline const VellumObject &object(Harness &h, qint32 id)
{
    return *h.canvas().objectById(id);
}

// The newest object in drawing order.
inline qint32 lastId(Harness &h)
{
    const auto &objects = h.canvas().objects();
    return objects.empty() ? 0 : objects.back()->id;
}

// Presses "New Box" and answers the input box with name.
inline void newBox(Harness &h, const QString &name)
{
    h.platform->answers << name;
    QTest::mouseClick(h.form->newlocation, Qt::LeftButton);
}

// Presses "New Object"; returns the new object's id.
inline qint32 newObject(Harness &h)
{
    QTest::mouseClick(h.form->newitem, Qt::LeftButton);
    return lastId(h);
}

inline qint32 idOf(Harness &h, const QString &type, const QString &name)
{
    for (const auto &object : h.canvas().objects()) {
        if (h.property(object->id, QStringLiteral("Type")) == type
            && h.property(object->id, QStringLiteral("Name")) == name)
            return object->id;
    }
    return 0;
}

// Body and loadout strip of the box with that name.
inline std::pair<qint32, qint32> boxParts(Harness &h, const QString &name)
{
    return {idOf(h, QStringLiteral("Location"), name), idOf(h, QStringLiteral("Loadout"), name)};
}

inline void writeProperty(Harness &h, qint32 id, const QString &key, const QString &value)
{
    h.canvas().SetCurrentObject(id);
    h.canvas().SetUserProperty(key, value);
}

// Picks entry k of a chooser as the user does from its list.
inline void choose(QComboBox *box, int k)
{
    box->setCurrentIndex(k);
    emit box->activated(k);
    QCoreApplication::processEvents();
}

inline QStringList listLines(QListWidget *list)
{
    QStringList lines;
    for (int i = 0; i < list->count(); ++i)
        lines << list->item(i)->text();
    return lines;
}

// A widget point over no object.
inline QPoint emptyPoint(Harness &h)
{
    const QRect area = h.canvas().rect().adjusted(4, 4, -4, -4);
    for (int y = area.top(); y < area.bottom(); y += 7) {
        for (int x = area.left(); x < area.right(); x += 7) {
            const QPointF unit = h.canvas().toUnits(QPointF(x, y));
            bool free = true;
            for (const auto &object : h.canvas().objects()) {
                const QRectF r = QRectF(QPointF(object->x1, object->y1),
                                        QPointF(object->x2, object->y2))
                                     .normalized();
                if (r.adjusted(-2, -2, 2, 2).contains(unit))
                    free = false;
            }
            if (free)
                return {x, y};
        }
    }
    return {};
}

} // namespace boxfixture
