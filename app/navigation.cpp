#include "app/frmmain.h"

#include "app/platform.h"
#include "canvas/vellum.h"
#include "features/features.h"
#include "move/move.h"
#include "store/rules/textrules.h"

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

void frmMain::Shortcut_Click(int index)
{
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    const bool hasButton = index >= 0 && index < int(Shortcut.size());

    if (currentBox >= 0) {
        clearForSearch(*this);
        const int boxCount = std::min<int>(locationcombo1->count(), int(Shortcut.size()));
        const QIcon plain = buttonPicture(u"addsmallbutton.bmp"_s);
        for (int i = 0; i < boxCount; ++i)
            Shortcut[i]->setIcon(plain);

        QString caption;
        if (hasButton) {
            caption = boxNameOf(Shortcut[index]);
            Shortcut[index]->setIcon(buttonPicture(u"yellowsmallbutton.bmp"_s));
        }
        Vellum->SetToolMode(11);
        const qint32 id = Vellum->FindObject(u"Name"_s, caption, 20480);
        if (id > 0) {
            Vellum->SetEditMode(10);
            Vellum->SetToolMode(11);
            if (Vellum->GetObjectRect(x1, y1, x2, y2, 0)) {
                dropX = x1;
                dropY = y1;
            }
        }
    }

    Vellum->SetCurrentObject(1);
    Vellum->SetSelected(false);
    currentBox = index;
    ZoomIn(x1, y1 - 8, x2, y2 - 8);
}

void frmMain::ZoomIn(int x, int y, int, int)
{
    Vellum->SetZoomMode(0);
    Vellum->SetZoomX(Vellum->FitZoomX());
    Vellum->SetZoomY(Vellum->FitZoomY());

    // An empty drawing has no extent to measure the view against; the view stays put.
    const double zoomX = Vellum->ZoomX();
    const double zoomY = Vellum->ZoomY();
    if (Vellum->ExtentWidth() != 0) {
        Vellum->SetViewX(zoomX * (double(x) - double(Vellum->ExtentLeft()))
                         / double(Vellum->ExtentWidth()));
    }
    if (Vellum->ExtentHeight() != 0) {
        Vellum->SetViewY(zoomY * (double(y) - double(Vellum->ExtentTop()))
                         / double(Vellum->ExtentHeight()));
    }

    Vellum->Refresh();
    Vellum->SetViewFixed(true);
}

void frmMain::Vellum_KeyUp(int keyCode, int)
{
    Vellum->SetPointerArmed(false);

    if (keyCode == deleteKey && Vellum->ObjectCount(2) > 0) {
        Vellum->SetEditMode(10);
        const QString name = Vellum->UserProperty(u"Name"_s);
        const QString type = Vellum->UserProperty(u"Type"_s);
        if (Vellum->ObjectKind() == 10 && name == u"Start"_s && type == u"Loadout"_s)
            return;

        if (type == u"Location"_s) {
            // The count is taken once; after a removal the entry that moved up into the
            // freed place is not compared, so of two equal neighbours one survives.
            const int count = locationcombo1->count();
            for (int i = 0; i < count; ++i) {
                if (i < locationcombo1->count() && locationcombo1->itemText(i) == name)
                    locationcombo1->removeItem(i);
            }
            QStringList names;
            for (int i = 0; i < locationcombo1->count(); ++i)
                names << locationcombo1->itemText(i);
            boxNameText = names.isEmpty() ? TextRules::crlf : TextRules::joinCrLf(names);
        }

        Vellum->DeleteObject(Vellum->CurrentObject());
    }

    refreshShortcutButtons();
}

void frmMain::storeBoxNames()
{
    Vellum->SetCurrentObject(startObject);
    Vellum->SetSelected(true);
    Vellum->SetUserProperty(u"Boxes"_s, boxNameText);
    Vellum->SetSelected(false);
}

void frmMain::refreshShortcutButtons()
{
    const int boxCount = locationcombo1->count();
    for (int i = 0; i < int(Shortcut.size()); ++i) {
        if (i < boxCount) {
            Shortcut[i]->setText(captionFor(locationcombo1->itemText(i)));
            Shortcut[i]->setVisible(true);
        } else {
            Shortcut[i]->setVisible(false);
        }
    }
}

void frmMain::Command3_Click()
{
    platform().printWindow(*this);
}

int frmMain::OpenDoc(const QString &path)
{
    return platform().openDoc(path);
}

void frmMain::RemoveCloseMenuItem()
{
    // The title bar keeps its other buttons; without the customise hint the window
    // manager would put every default button back.
    Qt::WindowFlags flags = windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
    flags &= ~Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
}

void frmMain::Command1_Click()
{
    AlarmReport(*this);
}

void frmMain::Picture1_Click()
{
    RestackObjects(*this);
}
