#pragma once

// Shared set-up of the panel tests: a started main window with a small type table and a
// few objects drawn where the pointer can reach them.

#include "canvas/vellum.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "support/testsupport.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <map>

namespace panelfixture {

// Types: 0 "Book" with captions on rows 0 .. 3, 1 "Tool" with rows 0 .. 2, 2 "Bare"
// without captions, 6 "Car" with rows 0 .. 1; the other names are "T<k>".
inline QString typeTable()
{
    QStringList cells(255, QString());
    for (int k = 0; k < 15; ++k)
        cells[17 * k] = QStringLiteral("T%1").arg(k);
    const std::map<int, QStringList> types = {
        {0,
         {QStringLiteral("Book"), QStringLiteral("Author"), QStringLiteral("Title"),
          QStringLiteral("Year"), QStringLiteral("Shelf")}},
        {1,
         {QStringLiteral("Tool"), QStringLiteral("Maker"), QStringLiteral("Size"),
          QStringLiteral("Bought")}},
        {2, {QStringLiteral("Bare")}},
        {6, {QStringLiteral("Car"), QStringLiteral("Make"), QStringLiteral("Model")}},
    };
    for (const auto &[k, texts] : types) {
        for (int i = 0; i < texts.size(); ++i)
            cells[17 * k + i] = texts.at(i);
    }
    return TextRules::joinCrLf(cells);
}

// Puts the type table into the window the way the editor's save does.
inline void loadTypeTable(Harness &h)
{
    h.form->typeTableTextValue = typeTable();
    const QStringList cells = TextRules::splitCrLf(h.form->typeTableTextValue);
    h.form->Combo1->clear();
    for (int i = 0; i <= 238; i += 17)
        h.form->Combo1->addItem(cells.at(i));
}

struct Spec
{
    QString type = QStringLiteral("Object");
    QString name;
    QString typeIndex = QStringLiteral("1"); // "Book"
    QString colour = QStringLiteral("15");
};

// Draws an object in a free slot of a row below the start object, deselected, with the
// values a new stored object gets.
inline qint32 addObject(Harness &h, const Spec &spec)
{
    static const QString keys[] = {QStringLiteral("Type"), QStringLiteral("Name"),
                                   QStringLiteral("TypeIndex"), QStringLiteral("Colour")};
    ::Vellum &canvas = h.canvas();
    const int slot = canvas.ObjectCount(1);
    const int x = 45 + 14 * (slot % 6);
    const int y = 95 + 14 * (slot / 6);
    if (!canvas.AddObject(10, x, y, x + 10, y + 10))
        return 0;
    const qint32 id = canvas.CurrentObject();
    const QString values[] = {spec.type, spec.name, spec.typeIndex, spec.colour};
    for (int i = 0; i < 4; ++i)
        canvas.SetUserProperty(keys[i], values[i]);
    canvas.SetUserProperty(QStringLiteral("Value"), QStringLiteral("0"));
    canvas.SetObjectText(spec.name);
    canvas.SetLayer(3);
    canvas.SetSelected(false);
    return id;
}

inline void putProperty(Harness &h, qint32 id, const QString &key, const QString &value)
{
    h.canvas().SetCurrentObject(id);
    h.canvas().SetUserProperty(key, value);
}

// A started window with the type table, an object with id 2 as a spacer (a press on id 2
// ends early) and the view fitted to the drawing.
inline std::unique_ptr<Harness> start()
{
    auto h = std::make_unique<Harness>();
    loadTypeTable(*h);
    addObject(*h, {QStringLiteral("Object"), QStringLiteral("Spacer")});
    return h;
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
                const QRectF r
                    = QRectF(QPointF(object->x1, object->y1), QPointF(object->x2, object->y2))
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

inline const VellumObject &object(Harness &h, qint32 id)
{
    return *h.canvas().objectById(id);
}

inline QColor palette(int n)
{
    return *Palette::colour(n);
}

// Replaces a field's whole text the way a user does: select all, then type.
inline void retype(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    Harness::typeInto(field, text);
}

} // namespace panelfixture
