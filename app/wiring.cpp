#include "app/wiring.h"

#include "canvas/vellum.h"
#include "features/export.h"
#include "features/features.h"
#include "features/undo.h"
#include "move/move.h"
#include "panel/panel.h"
#include "window/controls.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cstdlib>

namespace {

void wireCanvas(frmMain &form)
{
    frmMain *f = &form;
    ::Vellum *canvas = form.Vellum;
    QObject::connect(canvas, &::Vellum::MouseDown, f,
                     [f](int b, int s, int x, int y) { Vellum_MouseDown(*f, b, s, x, y); });
    QObject::connect(canvas, &::Vellum::MouseUp, f,
                     [f](int b, int s, int x, int y) { Vellum_MouseUp(*f, b, s, x, y); });
    QObject::connect(canvas, &::Vellum::Click, f, [f] { Vellum_Click(*f); });
    QObject::connect(canvas, &::Vellum::DblClick, f, [f] { Vellum_DblClick(*f); });
    QObject::connect(canvas, &::Vellum::KeyUp, f,
                     [f](int k, int s) { Vellum_KeyUp(*f, k, s); });
    QObject::connect(canvas, &::Vellum::FileDrop, f,
                     [f](const QString &path) { Vellum_FileDrop(*f, path); });
    QObject::connect(canvas, &::Vellum::MouseWheel, f, [f](int delta) {
        Vellum_MouseWheel(*f, delta);
        showSelection(*f);
    });

    // The overview maps the box bodies; a drawing without one asks for the first box.
    // A box body (44 x 47) is far larger than a stored object: the size alone passes over
    // the many small shapes without reading their values.
    canvas->setLandmark(
        [](const VellumObject &o) {
            return std::any_of(o.properties.begin(), o.properties.end(), [](const auto &kv) {
                return kv.first == u"Type" && kv.second == u"Location";
            });
        },
        20);
    canvas->setEmptyHint(QObject::tr("Press New Box to make your first box"));
}

void wirePanel(frmMain &form)
{
    frmMain *f = &form;
    // Every change of a field's text, typed or assigned, runs its rule.
    for (int n = 1; n <= 18; ++n) {
        QObject::connect(form.textField(n), &QLineEdit::textChanged, f,
                         [f, n] { Text_Change(*f, n); });
    }
    QObject::connect(form.Value, &QLineEdit::textChanged, f, [f] { Value_Change(*f); });
    QObject::connect(form.txtType, &QLineEdit::textChanged, f, [f] { txtType_Change(*f); });
    QObject::connect(form.txtInfo, &QLineEdit::textChanged, f, [f] { txtInfo_Change(*f); });
    QObject::connect(form.txtName, &QLineEdit::textChanged, f, [f] { txtName_Change(*f); });
    QObject::connect(form.textheader, &QLineEdit::textChanged, f,
                     [f] { textheader_Change(*f); });
    QObject::connect(form.SaveChanges, &QPushButton::clicked, f,
                     [f] { SaveChanges_Click(*f); });
}

void wireCommands(frmMain &form)
{
    frmMain *f = &form;
    // Choosers: "activated" is the user's pick; setting a text or index from code runs no
    // handler (a routine that must run one calls it itself).
    QObject::connect(form.Combo1, &QComboBox::activated, f,
                     [f](int k) { Combo1_Click(*f, k); });
    QObject::connect(form.colour, &QComboBox::activated, f,
                     [f](int k) { colour_Click(*f, k); });
    QObject::connect(form.Combo2, &QComboBox::activated, f, [f] { Combo2_Click(*f); });
    QObject::connect(form.locationcombo1, &QComboBox::activated, f,
                     [f] { locationcombo1_Click(*f); });

    // The commands that choose, make or fill a box, and the search, leave the panel showing
    // what they left selected.
    for (int i = 0; i < int(form.Shortcut.size()); ++i) {
        QObject::connect(form.Shortcut[size_t(i)], &QPushButton::clicked, f, [f, i] {
            Shortcut_Click(*f, i);
            showSelection(*f);
        });
    }
    const auto onClick = [f](QPushButton *button, void (*handler)(frmMain &)) {
        QObject::connect(button, &QPushButton::clicked, f, [f, handler] { handler(*f); });
    };
    const auto showing = [f](void (*handler)(frmMain &), SelectionCurrent current) {
        return [f, handler, current] {
            handler(*f);
            showSelection(*f, current);
        };
    };
    const auto selected = SelectionCurrent::Selected;
    QObject::connect(form.newlocation, &QPushButton::clicked, f,
                     showing(newlocation_Click, selected));
    QObject::connect(form.renamelocation, &QPushButton::clicked, f,
                     showing(renamelocation_Click, selected));
    // The new object stays the canvas's current object.
    QObject::connect(form.newitem, &QPushButton::clicked, f,
                     showing(newitem_Click, SelectionCurrent::KeepCommands));
    onClick(form.newtype, newtype_Click);
    QObject::connect(form.btnsearch, &QPushButton::clicked, f, showing(btnsearch_Click, selected));
    QObject::connect(form.txttagname, &QLineEdit::returnPressed, f,
                     showing(btnsearch_Click, selected));
    onClick(form.Alarm, Alarm_Click);
    onClick(form.Command1, Command1_Click);
    onClick(form.Command3, Command3_Click);
    onClick(form.exportinventory, exportinventory_Click);
    onClick(form.contentssheet, contentssheet_Click);
    onClick(form.btnquit, btnquit_Click);
    QObject::connect(form.Picture1, &PictureBox::clicked, f, [f] { Picture1_Click(*f); });
}

} // namespace

void wireWindow(frmMain &form)
{
    wireCanvas(form);
    wirePanel(form);
    wireCommands(form);
    // Last: a step ends when every handler of its action has run.
    installUndo(form);
}
