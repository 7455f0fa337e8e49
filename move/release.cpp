#include "move/move.h"

#include "canvas/vellum.h"
#include "features/features.h"
#include "panel/panel.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <cmath>

namespace {

const QString emptyArea()
{
    return QStringLiteral("Mouse is over empty area");
}

// Twips to pixels, the nearest whole pixel with ties to even.
int toPixels(int twips, double twipsPerPixel)
{
    if (!(twipsPerPixel > 0))
        return 0;
    return int(std::nearbyint(twips / twipsPerPixel));
}

} // namespace

void Vellum_MouseUp(frmMain &form, int, int, int x, int y)
{
    ::Vellum &canvas = *form.Vellum;
    const QString type = QStringLiteral("Type");
    const QString object = QStringLiteral("Object");
    const QString location = QStringLiteral("Location");
    const QString loadout = QStringLiteral("Loadout");

    hideMoveControls(form);

    // From here on a canvas call that fails leaves its target as it was and the handler
    // goes on: the canvas reports failure instead of throwing.
    if (canvas.UserProperty(type) == QStringLiteral("Pic")) {
        if (canvas.UserProperty(QStringLiteral("1")).isEmpty())
            canvas.SetLayer(2);
        RestackObjects(form);
        return;
    }

    if (canvas.ObjectCount(2) < 2) {
        const qint32 saved = canvas.CurrentObject();
        if (saved > 0)
            canvas.SetLayer(2);
        const int px = toPixels(x, canvas.TwipsPerPixelX());
        const int py = toPixels(y, canvas.TwipsPerPixelY());
        if (canvas.HitTest(px, py, 0) == 0) {
            form.zLabel1->setText(emptyArea());
            canvas.SetPointerSetting(0);
        } else {
            form.zLabel1->setText(canvas.UserProperty(type));
            form.zLabel8->setText(canvas.UserProperty(QStringLiteral("Name")));
            canvas.SetCurrentObject(saved);
            if (form.txtType->text() == object)
                canvas.SetLayer(3);
        }
    }

    // The hover type and the panel type are read afresh at every test: the routines
    // called in between may change what the canvas and the panel hold.
    const auto hover = [&form] { return form.zLabel1->text(); };
    const auto panel = [&form] { return form.txtType->text(); };

    if (canvas.ObjectCount(2) == 1) {
        if (hover() == loadout && panel() == object)
            AddToReadyList(form);
        if (hover() != loadout && panel() == object)
            RemoveFromReadyList(form);
        const bool boxOnBox = hover() == location && panel() == location;
        form.Label7->setText(boxOnBox ? QStringLiteral("Total") : QStringLiteral("Value"));
        if (hover() == location && panel() == location) {
            UpdateBoxTotals(form);
            form.movehistory->setPlainText(QString());
        }
    }

    canvas.SetPointerSetting(100);
    if (hover() != emptyArea()) {
        const bool refused =
            canvas.UserProperty(QStringLiteral("Name")) == form.zLabel8->text()
            || (hover() == location && panel() == location)
            || (hover() == loadout && panel() == location)
            || (hover() == location && panel() == loadout);
        if (refused)
            canvas.DropAction(5);
    }

    QWidget *const coloured[] = {form.Text2,  form.Text3,  form.Text4,  form.Text5,
                                 form.Text6,  form.Text7,  form.Text8,  form.Text9,
                                 form.Text10, form.Text11, form.Text12, form.Text13,
                                 form.Text14, form.Text15, form.Text16, form.Text17,
                                 form.movehistory, form.Value};
    const QColor bg = backgroundOf(form.Combo1);
    const QColor fg = foregroundOf(form.Combo1);
    for (QWidget *field : coloured)
        setControlColours(field, bg, fg);

    if (canvas.CurrentObject() == 1)
        captionClear(form);

    const QString currentType = canvas.UserProperty(type);
    if (currentType == object)
        canvas.SetLayer(3);
    else if (currentType == location)
        canvas.SetLayer(2);

    rowCovers(form);

    if (canvas.ObjectCount(2) > 1)
        RestackObjects(form);
}

void Vellum_MouseWheel(frmMain &form, int delta)
{
    const int count = form.locationcombo1->count();
    form.currentBox += delta == 120 ? -1 : 1;
    if (form.currentBox > count - 1)
        form.currentBox = 0;
    if (form.currentBox < 0)
        form.currentBox = count - 1;
    hideMoveControls(form);
    // With no boxes the index names no shortcut button (it is -1 or 0): nothing to show.
    if (count > 0)
        Shortcut_Click(form, form.currentBox);
}
