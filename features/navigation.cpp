#include "features/features.h"

#include "canvas/vellum.h"
#include "move/move.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int deleteKey = 46;

// Loaded at each use, so a picture replaced while the program runs shows at the next
// choice. A missing file gives a button without a picture, and no message.
QIcon buttonPicture(const QString &file)
{
    return QIcon(QPixmap(QCoreApplication::applicationDirPath() + u"/Images/"_s + file));
}

QIcon facePicture(char face)
{
    if (face == NoFace)
        return QIcon();
    return buttonPicture(face == LitFace ? u"yellowsmallbutton.bmp"_s : u"addsmallbutton.bmp"_s);
}

// A box name may hold "&", which a button caption would take as a mnemonic.
QString captionFor(const QString &boxName)
{
    QString caption = boxName;
    return caption.replace(u'&', u"&&"_s);
}

QString boxNameOf(const QPushButton *button)
{
    QString name = button->text();
    return name.replace(u"&&"_s, u"&"_s);
}

} // namespace

void Shortcut_Click(frmMain &form, int index)
{
    ::Vellum &canvas = *form.Vellum;
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const bool hasButton = index >= 0 && index < int(form.Shortcut.size());

    if (form.currentBox >= 0) {
        clearForSearch(form);
        const int boxCount =
            std::min<int>(form.locationcombo1->count(), int(form.Shortcut.size()));
        const QIcon plain = facePicture(PlainFace);
        QByteArray &faces = form.shortcutFaces;
        if (faces.size() < boxCount)
            faces.resize(boxCount, NoFace);
        for (int i = 0; i < boxCount; ++i) {
            form.Shortcut[i]->setIcon(plain);
            faces[i] = PlainFace;
        }

        QString caption;
        if (hasButton) {
            caption = boxNameOf(form.Shortcut[index]);
            form.Shortcut[index]->setIcon(facePicture(LitFace));
            if (index >= faces.size())
                faces.resize(index + 1, NoFace);
            faces[index] = LitFace;
        }
        canvas.SetToolMode(11);
        const qint32 id = canvas.FindObject(u"Name"_s, caption, 20480);
        if (id > 0) {
            canvas.SetEditMode(10);
            canvas.SetToolMode(11);
            if (canvas.GetObjectRect(x1, y1, x2, y2, 0)) {
                form.dropX = x1;
                form.dropY = y1;
            }
        }
    }

    canvas.SetCurrentObject(1);
    canvas.SetSelected(false);
    form.currentBox = index;
    ZoomIn(form, x1, y1 - 8, x2, y2 - 8);
}

void ZoomIn(frmMain &form, int x, int y, int, int)
{
    ::Vellum &canvas = *form.Vellum;
    canvas.SetZoomMode(0);
    canvas.SetZoomX(canvas.FitZoomX());
    canvas.SetZoomY(canvas.FitZoomY());

    // An empty drawing has no extent to measure the view against; the view stays put.
    const double zoomX = canvas.ZoomX();
    const double zoomY = canvas.ZoomY();
    if (canvas.ExtentWidth() != 0) {
        canvas.SetViewX(zoomX * (double(x) - double(canvas.ExtentLeft()))
                        / double(canvas.ExtentWidth()));
    }
    if (canvas.ExtentHeight() != 0) {
        canvas.SetViewY(zoomY * (double(y) - double(canvas.ExtentTop()))
                        / double(canvas.ExtentHeight()));
    }

    canvas.Refresh();
    canvas.SetViewFixed(true);
}

void Vellum_KeyUp(frmMain &form, int keyCode, int)
{
    ::Vellum &canvas = *form.Vellum;
    canvas.SetPointerArmed(false);

    if (keyCode == deleteKey && canvas.ObjectCount(2) > 0) {
        canvas.SetEditMode(10);
        const QString name = canvas.UserProperty(u"Name"_s);
        const QString type = canvas.UserProperty(u"Type"_s);
        if (canvas.ObjectKind() == 10 && name == u"Start"_s && type == u"Loadout"_s)
            return;

        if (type == u"Location"_s) {
            // The count is taken once; after a removal the entry that moved up into the
            // freed place is not compared, so of two equal neighbours one survives.
            const int count = form.locationcombo1->count();
            for (int i = 0; i < count; ++i) {
                if (i < form.locationcombo1->count() && form.locationcombo1->itemText(i) == name)
                    form.locationcombo1->removeItem(i);
            }
            QStringList names;
            for (int i = 0; i < form.locationcombo1->count(); ++i)
                names << form.locationcombo1->itemText(i);
            form.boxNameText = names.isEmpty() ? TextRules::crlf : TextRules::joinCrLf(names);
        }

        canvas.DeleteObject(canvas.CurrentObject());
    }

    refreshShortcutButtons(form);
}

void storeBoxNames(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    canvas.SetCurrentObject(form.startObject);
    canvas.SetSelected(true);
    canvas.SetUserProperty(u"Boxes"_s, form.boxNameText);
    canvas.SetSelected(false);
}

void showShortcutFaces(frmMain &form, const QByteArray &faces)
{
    const QByteArray &shown = form.shortcutFaces;
    for (int i = 0; i < int(form.Shortcut.size()); ++i) {
        const char face = i < faces.size() ? faces[i] : char(NoFace);
        if (face == (i < shown.size() ? shown[i] : char(NoFace)))
            continue;
        form.Shortcut[i]->setIcon(facePicture(face));
    }
    form.shortcutFaces = faces;
}

void refreshShortcutButtons(frmMain &form)
{
    const int boxCount = form.locationcombo1->count();
    for (int i = 0; i < int(form.Shortcut.size()); ++i) {
        if (i < boxCount) {
            form.Shortcut[i]->setText(captionFor(form.locationcombo1->itemText(i)));
            form.Shortcut[i]->setVisible(true);
        } else {
            form.Shortcut[i]->setVisible(false);
        }
    }
}
