#include "move/move.h"

#include "canvas/vellum.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QDir>
#include <QLineEdit>

int OpenDoc(frmMain &form, const QString &path)
{
    return form.platform().openDoc(path);
}

bool isFolderName(const QString &name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

void Vellum_DblClick(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    // A double-click on empty drawing space has no object to open.
    if (canvas.CurrentObject() == 0)
        return;

    const QString pathKey = QStringLiteral("1");
    const QString path = canvas.UserProperty(pathKey);
    const QString type = canvas.UserProperty(QStringLiteral("Type"));

    if (type == QStringLiteral("Pic")) {
        OpenDoc(form, path.isEmpty() ? QStringLiteral("images") : path);
        return;
    }

    if (path.isEmpty()) {
        const QString name = canvas.UserProperty(QStringLiteral("Name"));
        if (!isFolderName(name)) {
            form.platform().message(
                QStringLiteral("The name \"%1\" cannot be used as a folder name.").arg(name));
            return;
        }
        // The document folder lives in the working folder, where the bare name kept in
        // "1" finds it again. An existing folder is left as it is, and a folder that
        // cannot be made shows up as a failed open.
        QDir working = QDir::current();
        working.mkdir(name);
        working.mkdir(name + QStringLiteral("/History"));
        canvas.SetUserProperty(pathKey, name);
        OpenDoc(form, name);
    } else {
        if (form.txtType->text() == QStringLiteral("Object"))
            canvas.SetLayer(3);
        OpenDoc(form, path);
    }
    if (form.txtType->text() == QStringLiteral("Location"))
        canvas.SetLayer(2);
}
