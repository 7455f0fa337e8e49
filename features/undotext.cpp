#include "features/undosteps.h"

#include "window/frmmain.h"
#include "canvas/vellum.h"

#include <QLabel>
#include <QLineEdit>
#include <QSet>

namespace {

using Kind = ChangeRecord::Kind;

QString propertyOf(const VellumObject &object, const QString &key)
{
    for (const auto &[k, v] : object.properties) {
        if (k == key)
            return v;
    }
    return QString();
}

// The caption a user reads beside the field.
QString captionOf(const frmMain &form, const QLineEdit *field)
{
    if (field == form.Value)
        return form.Label7->text();
    if (field == form.txtInfo)
        return form.Label1->text();
    if (field == form.Text1)
        return form.Label2->text();
    if (field == form.txtName)
        return QObject::tr("Name");
    if (field == form.txtType)
        return QObject::tr("Type");
    if (field == form.textheader)
        return QObject::tr("Caption");
    if (field == form.Text18)
        return QObject::tr("Alarm date");
    for (int n = 2; n <= 17; ++n) {
        if (field == form.textField(n)) {
            const QString caption = form.Label[size_t(n - 2)]->text();
            return caption.isEmpty() ? QObject::tr("field %1").arg(n) : caption;
        }
    }
    return field->objectName();
}

} // namespace

QString describeStep(const frmMain &form, const ChangeList &changes, const QString &hint,
                     const QLineEdit *typed)
{
    if (typed)
        return QObject::tr("typing in %1").arg(captionOf(form, typed));

    const ::Vellum &canvas = *form.Vellum;
    auto nameOf = [&canvas](qint32 id) {
        const VellumObject *object = canvas.objectById(id);
        return object ? propertyOf(*object, QStringLiteral("Name")) : QString();
    };
    std::vector<const VellumObject *> added;
    std::vector<const VellumObject *> deleted;
    QSet<qint32> touched;
    QSet<qint32> moved;
    QSet<qint32> placed;
    QString into;
    bool typeTable = false;
    for (const ChangeRecord &r : changes) {
        touched.insert(r.id);
        if (r.kind == Kind::Added) {
            if (const VellumObject *object = canvas.objectById(r.id))
                added.push_back(object);
        } else if (r.kind == Kind::Deleted) {
            deleted.push_back(r.object.get());
        } else if (r.kind == Kind::Rect) {
            placed.insert(r.id);
        } else if (r.kind == Kind::Property && r.key == QLatin1String("Info")) {
            moved.insert(r.id);
            into = r.newText.value_or(QString());
        } else if (r.kind == Kind::Property && r.key == QLatin1String("ObjectTypes")) {
            typeTable = true;
        }
    }
    auto objects = [](qsizetype n) {
        return n == 1 ? QObject::tr("1 object") : QObject::tr("%1 objects").arg(n);
    };
    auto one = [&](const QString &what, const QString &name) {
        return name.isEmpty() ? what : QStringLiteral("%1 %2").arg(what, name);
    };

    for (const VellumObject *object : added) {
        if (propertyOf(*object, QStringLiteral("Type")) == QLatin1String("Location"))
            return one(QObject::tr("new box"), propertyOf(*object, QStringLiteral("Name")));
    }
    if (hint == QLatin1String("drop") && !added.empty()) {
        return added.size() == 1
                   ? one(QObject::tr("drop of"), propertyOf(*added[0], QStringLiteral("Name")))
                   : QObject::tr("drop of %1 files").arg(added.size());
    }
    if (!added.empty())
        return added.size() == 1 ? QObject::tr("new object") : QObject::tr("new objects");
    if (!deleted.empty()) {
        const VellumObject &first = *deleted.front();
        const bool box = propertyOf(first, QStringLiteral("Type")) == QLatin1String("Location")
                         || propertyOf(first, QStringLiteral("Type")) == QLatin1String("Loadout");
        return one(box ? QObject::tr("delete of box") : QObject::tr("delete of"),
                   propertyOf(first, QStringLiteral("Name")));
    }
    if (!moved.isEmpty())
        return QObject::tr("move of %1 into %2").arg(objects(moved.size()), into);
    if (typeTable)
        return QObject::tr("object types");

    const qint32 single = touched.size() == 1 ? *touched.begin() : 0;
    auto about = [&](const QString &what) {
        const QString name = single ? nameOf(single) : QString();
        return name.isEmpty() && single ? what
                                        : QObject::tr("%1 of %2").arg(
                                              what, single ? name : objects(touched.size()));
    };
    if (hint == QLatin1String("Alarm"))
        return about(QObject::tr("alarm date"));
    if (hint == QLatin1String("Command1"))
        return QObject::tr("alarm report");
    if (hint == QLatin1String("Picture1"))
        return QObject::tr("tidying of the drawing");
    if (hint == QLatin1String("Combo1"))
        return about(QObject::tr("type"));
    if (hint == QLatin1String("colour"))
        return about(QObject::tr("colour"));
    if (hint == QLatin1String("SaveChanges"))
        return about(QObject::tr("movement history"));
    if (placed.size() == touched.size())
        return single ? one(QObject::tr("drag of"), nameOf(single))
                      : QObject::tr("drag of %1").arg(objects(placed.size()));
    return single ? one(QObject::tr("change of"), nameOf(single))
                  : QObject::tr("change of %1").arg(objects(touched.size()));
}
