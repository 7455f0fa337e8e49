#pragma once

// Draws a document the way the program leaves one and writes it as "pic", so that a test
// starts the main window on a known drawing.

#include "canvas/model/vellummodel.h"
#include "store/rules/textrules.h"

#include <QStringList>

#include <initializer_list>
#include <utility>

class DocumentBuilder
{
public:
    using Properties = std::initializer_list<std::pair<QString, QString>>;

    qint32 add(qint32 x1, qint32 y1, qint32 x2, qint32 y2, Properties properties,
               Properties more = {})
    {
        model.AddObject(10, x1, y1, x2, y2);
        for (const auto &list : {properties, more}) {
            for (const auto &[key, value] : list)
                model.SetUserProperty(key, value);
        }
        model.SetObjectText(model.UserProperty(QStringLiteral("Name")));
        return model.CurrentObject();
    }

    qint32 startObject(const QStringList &boxes, const QString &saveId = QStringLiteral("0"),
                       const QString &types = TextRules::joinCrLf(QStringList(255)))
    {
        const QString start = QStringLiteral("Start");
        return add(5, 90, 35, 135, {{QStringLiteral("Type"), QStringLiteral("Loadout")},
                                    {QStringLiteral("Name"), start},
                                    {QStringLiteral("Info"), start},
                                    {QStringLiteral("set"), start},
                                    {QStringLiteral("SaveId"), saveId},
                                    {QStringLiteral("ObjectTypes"), types},
                                    {QStringLiteral("Boxes"), TextRules::joinCrLf(boxes)}});
    }

    // A box as the new-box command draws it: the body, then the strip along its bottom.
    // Returns the body's id; the strip's is the next one.
    qint32 box(const QString &name, qint32 x, qint32 y)
    {
        const qint32 body = add(x, y, x + 44, y + 47,
                                {{QStringLiteral("Type"), QStringLiteral("Location")},
                                 {QStringLiteral("Name"), name},
                                 {QStringLiteral("Colour"), QStringLiteral("7")},
                                 {QStringLiteral("Value"), QStringLiteral("0")}});
        add(x, y + 47, x + 44, y + 55,
            {{QStringLiteral("Type"), QStringLiteral("Loadout")},
             {QStringLiteral("TypeIndex"), QStringLiteral("0")}, {QStringLiteral("Name"), name},
             {QStringLiteral("Colour"), QStringLiteral("0")}});
        return body;
    }

    qint32 storedObject(const QString &name, const QString &box, qint32 x, qint32 y,
                        Properties more = {})
    {
        return add(x, y, x + 4, y + 4,
                   {{QStringLiteral("Type"), QStringLiteral("Object")},
                    {QStringLiteral("Name"), name}, {QStringLiteral("Info"), box},
                    {QStringLiteral("TypeIndex"), QStringLiteral("0")},
                    {QStringLiteral("Colour"), QStringLiteral("15")},
                    {QStringLiteral("Value"), QStringLiteral("0")}},
                   more);
    }

    bool save(const QString &file = QStringLiteral("pic")) { return model.SaveDocument(file); }

    VellumModel model;
};

// The user properties of the object named name in a saved document ("" when absent).
inline QString savedProperty(const QString &file, const QString &name, const QString &key)
{
    VellumModel model;
    if (!model.LoadDocument(file) || model.FindObject(QStringLiteral("Name"), name, 4096) <= 0)
        return QString();
    return model.UserProperty(key);
}
