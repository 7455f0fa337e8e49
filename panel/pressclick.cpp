#include "panel/panel.h"

#include "canvas/vellum.h"
#include "move/move.h"
#include "store/rules/palette.h"
#include "window/controls.h"
#include "window/frmmain.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {

const QString typeKey = QStringLiteral("Type");

void selectTool(::Vellum &canvas)
{
    if (canvas.ToolMode() != 11)
        canvas.SetToolMode(qint16(11));
}

// The ready-to-move list in List1, and the waiting objects drawn white with black text.
// Ids that no longer name an object are passed over; the last waiting one is left current.
void showReadyList(frmMain &form, ReadyList list)
{
    ::Vellum &canvas = *form.Vellum;
    const bool show = list == ReadyList::Show;
    if (show) {
        form.List1->clear();
        form.Label19->setText(QStringLiteral("Objects ready to move"));
    }
    const QColor white = *Palette::colour(15);
    const QColor black = *Palette::colour(0);
    for (const QString &id : form.readyList) {
        if (!canvas.SetCurrentObject(id.toInt()))
            continue;
        if (show)
            form.List1->addItem(canvas.UserProperty(QStringLiteral("Name")));
        canvas.SetFillColor(white);
        canvas.SetTextColor(black);
    }
}

} // namespace

void emptyPanelFields(frmMain &form)
{
    assignField(form, form.textheader, QString());
    for (int field = 1; field <= 18; ++field)
        assignField(form, form.textField(field), QString());
    assignField(form, form.Value, QString());
}

void showHistory(frmMain &form)
{
    const QString history = form.Vellum->UserProperty(QStringLiteral("MovementHistory"));
    if (!history.isEmpty()) {
        form.movehistory->setPlainText(history);
        form.movehistory->moveCursor(QTextCursor::End);
    }
}

void Vellum_Click(frmMain &form, ReadyList list)
{
    ::Vellum &canvas = *form.Vellum;
    selectTool(canvas);
    const int n = canvas.ObjectCount(2);
    if (n == 0) {
        form.Combo1->setEditText(QStringLiteral("Choose Type"));
        selectionSummary(form, n);
    } else if (n == 1) {
        singleObjectFill(form);
    } else {
        form.Combo1->setEditText(QString());
        selectionSummary(form, n);
    }
    enableSummaryFields(form, n);
    if (canvas.CurrentObject() == 1)
        captionLoad(form);
    captionClear(form);
    colourScheme(form);
    colourSpread(form);
    showReadyList(form, list);
    rowCovers(form);
    // The current object is the last waiting one when objects wait to be moved.
    if (canvas.UserProperty(QStringLiteral("set")).isEmpty())
        form.Combo1->setEditText(QStringLiteral("Choose Type"));
}

void Vellum_MouseDown(frmMain &form, int button, int shift, int x, int y)
{
    Q_UNUSED(shift)
    Q_UNUSED(x)
    Q_UNUSED(y)
    ::Vellum &canvas = *form.Vellum;

    // The move command's controls close at every press.
    hideMoveControls(form);
    canvas.SetPointerArmed(true);
    canvas.SetPointerSetting(qint16(100));
    // Unsaved history edits are dropped here.
    form.movehistory->clear();
    setControlColours(form.List1, QColor(0, 192, 0), QColor(255, 255, 255));

    if (button == 3) {
        canvas.SetCurrentObject(1);
        canvas.SetSelected(false);
        if (canvas.UserProperty(typeKey) == u"Pic")
            return;
        if (canvas.ZoomMode() == 0)
            canvas.SetZoomMode(1);
        canvas.SetZoomEnabled(true);
    }
    selectTool(canvas);

    const int n = canvas.ObjectCount(2);
    if (n == 0) {
        selectionSummary(form, n);
        emptyPanelFields(form);
    } else if (n == 1) {
        // The type name comes from the current object before the selected one is made
        // current: after a right-button press that is object 1.
        form.Combo1->setEditText(canvas.UserProperty(QStringLiteral("set")));
        canvas.SetEditMode(10);
        auto fill = [&](QLineEdit *field, const QString &key) {
            assignField(form, field, canvas.UserProperty(key));
        };
        fill(form.txtType, typeKey);
        fill(form.txtName, QStringLiteral("Name"));
        fill(form.txtInfo, QStringLiteral("Info"));
        fill(form.textheader, QStringLiteral("Name"));
        fill(form.Text1, QStringLiteral("1"));
        fill(form.Text2, QStringLiteral("2"));
        form.colortext->setText(canvas.UserProperty(QStringLiteral("Colour")));
        for (int field = 3; field <= 18; ++field)
            fill(form.textField(field), QString::number(field));
        fill(form.Value, QStringLiteral("Value"));
        showHistory(form);
    } else {
        selectionSummary(form, n);
    }
    enableSummaryFields(form, n);

    const qint32 current = canvas.CurrentObject();
    form.zLabel7->setText(QString::number(current));
    if (current == 0) {
        form.movehistory->clear();
        return;
    }
    if (current == 2)
        return;
    captionLoad(form);
    colourScheme(form);
    colourSpread(form);
    captionClear(form);
    rowCovers(form);
}
