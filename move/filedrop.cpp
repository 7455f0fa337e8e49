#include "move/move.h"

#include "canvas/vellum.h"
#include "features/features.h"
#include "store/rules/palette.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QPlainTextEdit>

#include <algorithm>

QString droppedFileName(const QString &path)
{
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('/')),
                                     path.lastIndexOf(QLatin1Char('\\')));
    QString name = path.mid(slash + 1);
    const qsizetype point = name.lastIndexOf(QLatin1Char('.'));
    if (point >= 0)
        name.truncate(point);
    return name;
}

namespace {

// The picture attempt: a selected "Pic" at the drop point. False when the file is not a
// picture or the shape could not be finished; then nothing of it is left on the canvas.
bool addPicture(frmMain &form, const QString &path)
{
    ::Vellum &canvas = *form.Vellum;
    if (!canvas.LoadPictureFile(path, 1, 0))
        return false;
    if (!canvas.AddObject(12, form.dropX, form.dropY, form.dropX + 5, form.dropY + 5))
        return false;
    const qint32 id = canvas.CurrentObject();
    if (!canvas.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Pic"))
        || !canvas.SetSelected(true)) {
        canvas.DeleteObject(id);
        return false;
    }
    return true;
}

// A stored object in the current box that stands for the file.
void addFileObject(frmMain &form, const QString &path)
{
    ::Vellum &canvas = *form.Vellum;
    form.movehistory->setPlainText(QString());
    canvas.AddObject(10, form.dropX, form.dropY, form.dropX + 2, form.dropY + 2);
    canvas.SetDrawStyle(2);
    canvas.SetSelected(false);

    canvas.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Object"));
    canvas.SetUserProperty(QStringLiteral("TypeIndex"), 0);
    // With no boxes there is no entry at the current box's index: "Info" stays empty.
    canvas.SetUserProperty(QStringLiteral("Info"),
                           form.locationcombo1->itemText(form.currentBox));
    canvas.SetUserProperty(QStringLiteral("Header"), QString());
    canvas.SetUserProperty(QStringLiteral("1"), path);
    for (int key = 2; key <= 18; ++key)
        canvas.SetUserProperty(QString::number(key), QString());
    canvas.SetUserProperty(QStringLiteral("Value"), 0);

    const QString name = droppedFileName(path);
    canvas.SetUserProperty(QStringLiteral("Colour"), 15);
    canvas.SetUserProperty(QStringLiteral("Name"), name);
    canvas.SetObjectText(name);
    canvas.SetFillColor(*Palette::colour(15));
    ApplyTextColourRule(form);
    canvas.SetShapeParam(14);
    canvas.SetFillMode(1);
}

} // namespace

void Vellum_FileDrop(frmMain &form, const QString &path)
{
    // Both kinds land on the current box's drop point, wherever the file was released.
    if (addPicture(form, path)) {
        RestackObjects(form);
        return;
    }
    addFileObject(form, path);
}
