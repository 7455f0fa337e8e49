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
        return add(5, 90, 35, 135, {{t("Type"), t("Loadout")}, {t("Name"), t("Start")},
                                    {t("Info"), t("Start")}, {t("set"), t("Start")},
                                    {t("SaveId"), saveId}, {t("ObjectTypes"), types},
                                    {t("Boxes"), TextRules::joinCrLf(boxes)}});
    }

    // A box as the new-box command draws it: the body, then the strip along its bottom.
    // Returns the body's id; the strip's is the next one.
    qint32 box(const QString &name, qint32 x, qint32 y)
    {
        const qint32 body = add(x, y, x + 44, y + 47,
                                {{t("Type"), t("Location")}, {t("Name"), name},
                                 {t("Colour"), t("7")}, {t("Value"), t("0")}});
        add(x, y + 47, x + 44, y + 55, {{t("Type"), t("Loadout")}, {t("TypeIndex"), t("0")},
                                        {t("Name"), name}, {t("Colour"), t("0")}});
        return body;
    }

    qint32 storedObject(const QString &name, const QString &box, qint32 x, qint32 y,
                        Properties more = {})
    {
        return add(x, y, x + 4, y + 4,
                   {{t("Type"), t("Object")}, {t("Name"), name}, {t("Info"), box},
                    {t("TypeIndex"), t("0")}, {t("Colour"), t("15")}, {t("Value"), t("0")}},
                   more);
    }

    bool save(const QString &file = QStringLiteral("pic")) { return model.SaveDocument(file); }

    VellumModel model;

private:
    static QString t(const char *text) { return QString::fromLatin1(text); }
};

// The user properties of the object named name in a saved document ("" when absent).
inline QString savedProperty(const QString &file, const QString &name, const QString &key)
{
    VellumModel model;
    if (!model.LoadDocument(file) || model.FindObject(QStringLiteral("Name"), name, 4096) <= 0)
        return QString();
    return model.UserProperty(key);
}
