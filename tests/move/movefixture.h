#pragma once

// Shared set-up of the move tests: a started main window with boxes made by the new-box
// command and then put at fixed corners, so the pointer always finds them.

#include "canvas/vellum.h"
#include "features/features.h"
#include "move/move.h"
#include "store/rules/palette.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

namespace movefixture {

struct Box
{
    qint32 body = 0;
    qint32 strip = 0;
};

inline qint32 findObject(const Harness &h, const QString &type, const QString &name)
{
    for (const auto &object : h.canvas().objects()) {
        if (h.property(object->id, QStringLiteral("Type")) == type
            && h.property(object->id, QStringLiteral("Name")) == name)
            return object->id;
    }
    return 0;
}

inline int boxIndex(const Harness &h, const QString &name)
{
    return h.form->locationcombo1->findText(name, Qt::MatchExactly);
}

// The user presses the box's shortcut button.
inline void chooseBox(Harness &h, const QString &name)
{
    QTest::mouseClick(h.form->Shortcut[boxIndex(h, name)], Qt::LeftButton);
}

inline void placeObject(Harness &h, qint32 id, qint32 x1, qint32 y1, qint32 x2, qint32 y2)
{
    h.canvas().SetCurrentObject(id);
    h.canvas().SetObjectRect(x1, y1, x2, y2, 0);
}

// A box named by the user through the new-box command, moved to corner (x, y).
inline Box makeBox(Harness &h, const QString &name, qint32 x, qint32 y)
{
    h.platform->answers << name;
    QTest::mouseClick(h.form->newlocation, Qt::LeftButton);
    Box box{findObject(h, QStringLiteral("Location"), name),
            findObject(h, QStringLiteral("Loadout"), name)};
    placeObject(h, box.body, x, y, x + 44, y + 47);
    placeObject(h, box.strip, x, y + 47, x + 44, y + 55);
    chooseBox(h, name);
    return box;
}

// A stored object made by the new-object command in the current box, renamed and put at
// corner (x, y) so that several objects do not lie on one square.
inline qint32 makeObject(Harness &h, const QString &name, qint32 x, qint32 y)
{
    QTest::mouseClick(h.form->newitem, Qt::LeftButton);
    const qint32 id = h.canvas().objects().back()->id;
    h.canvas().SetCurrentObject(id);
    h.canvas().SetUserProperty(QStringLiteral("Name"), name);
    h.canvas().SetObjectText(name);
    placeObject(h, id, x, y, x + 4, y + 4);
    return id;
}

inline QPoint pixelOf(const Harness &h, double x, double y)
{
    return h.canvas().toPixels(x, y).toPoint();
}

inline QRect rectOf(const Harness &h, qint32 id)
{
    const VellumObject *o = h.canvas().objectById(id);
    return o ? QRect(o->x1, o->y1, o->x2 - o->x1, o->y2 - o->y1) : QRect();
}

// The user picks box name in the box chooser.
inline void chooseDestination(Harness &h, const QString &name)
{
    const int index = boxIndex(h, name);
    h.form->locationcombo1->setCurrentIndex(index);
    emit h.form->locationcombo1->activated(index);
}

} // namespace movefixture
