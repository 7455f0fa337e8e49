#include "move/move.h"

#include "canvas/vellum.h"
#include "features/features.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include <vector>

QString movementHistoryEntry(const QString &oldBox, const QString &newBox, const QDate &date)
{
    return oldBox + QStringLiteral(" - ") + newBox + TextRules::crlf
           + TextRules::shortDateText(date) + TextRules::crlf;
}

void clearForSearch(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    canvas.SetCurrentObject(1);
    canvas.SetSelected(false);
    canvas.SetSearchFlag(true);
    canvas.SetCurrentObject(0);
}

void locationcombo1_Click(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    const QString name = QStringLiteral("Name");
    const QString info = QStringLiteral("Info");
    const QString history = QStringLiteral("MovementHistory");

    clearForSearch(form);
    const QString box = form.locationcombo1->currentText();
    // A box body is drawn before its loadout strip, so the first exact match is the body.
    const qint32 found = canvas.FindObject(name, box, 20480);

    qint32 bx1 = 0, by1 = 0, bx2 = 0, by2 = 0;
    if (found <= 0) {
        form.platform().message(QStringLiteral("No objects found"));
    } else {
        canvas.SetEditMode(10);
        canvas.SetSelected(true);
        canvas.GetObjectRect(bx1, by1, bx2, by2, 0);
        form.Label19->setText(QStringLiteral("Objects ready to move"));
        const QDate moveDate = form.Calendar1->selectedDate();
        // Last listed first: each object lands one unit further along x than the one
        // listed before it.
        for (qint32 i = qint32(form.readyList.size()); i >= 1; --i) {
            const qint32 id = form.readyList.at(i - 1).toInt();
            // An object deleted since it was listed only leaves the list.
            if (canvas.SetCurrentObject(id)) {
                canvas.SetUserProperty(history,
                                       canvas.UserProperty(history)
                                           + movementHistoryEntry(canvas.UserProperty(info),
                                                                  box, moveDate));
                qint32 ox1 = 0, oy1 = 0, ox2 = 0, oy2 = 0;
                canvas.GetObjectRect(ox1, oy1, ox2, oy2, 0);
                canvas.MoveObject((bx1 - ox1) + i, by1 - oy1, 12288);
                // Waiting objects were painted white; in the box they show their own colour.
                ApplyFillColourRule(form);
                ApplyTextColourRule(form);
            }
            form.readyList.removeAt(i - 1);
            canvas.SetUserProperty(info, box);
            form.List1->clear();
            form.txtType->setEnabled(false);
            form.txtName->setEnabled(false);
            form.txtInfo->setEnabled(false);
        }
    }

    // The working date goes back to today after every move.
    form.Calendar1->setSelectedDate(form.platform().today());
    form.Combo2->setCurrentIndex(0);
    Combo2_Click(form);
    ZoomIn(form, bx1, by1 - 8, bx2, by2 - 8);
    UpdateBoxTotals(form);
}

namespace {

// The totals box by box, two walks over the drawing per box. Only needed when a box body
// itself counts towards a box: its "Value" may then be written before it is read.
void totalsBoxByBox(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;
    const QString info = QStringLiteral("Info");
    const QString value = QStringLiteral("Value");
    const QString type = QStringLiteral("Type");
    const QString name = QStringLiteral("Name");
    const QString location = QStringLiteral("Location");

    for (int k = 0; k < form.locationcombo1->count(); ++k) {
        const QString box = form.locationcombo1->itemText(k);
        double total = 0;
        bool counted = false;
        const int n = canvas.ObjectCount(1);
        QString lastInfo;
        for (int j = 1; j <= n; ++j) {
            canvas.SetCurrentIndex(j);
            lastInfo = canvas.UserProperty(info);
            if (lastInfo.isEmpty() || lastInfo != box)
                continue;
            if (canvas.UserProperty(value).isEmpty())
                canvas.SetUserProperty(value, 0);
            total += TextRules::valueNumber(canvas.UserProperty(value));
            counted = true;
        }
        // The hidden labels end as the walk leaves them: this box and the last "Info".
        if (n > 0) {
            form.Label6->setText(box);
            form.Label5->setText(lastInfo);
        }
        for (int j = 1; j <= n; ++j) {
            canvas.SetCurrentIndex(j);
            if (canvas.UserProperty(type) != location || canvas.UserProperty(name) != box)
                continue;
            if (counted)
                canvas.SetUserProperty(value, total);
            else
                canvas.SetUserProperty(value, 0);
        }
    }
}

} // namespace

void UpdateBoxTotals(frmMain &form)
{
    // One walk for all boxes instead of two per box: with 45 boxes and tens of thousands of
    // objects the walks box by box took most of a second.
    ::Vellum &canvas = *form.Vellum;
    const QString info = QStringLiteral("Info");
    const QString value = QStringLiteral("Value");
    const QString type = QStringLiteral("Type");
    const QString name = QStringLiteral("Name");
    const QString location = QStringLiteral("Location");

    const int boxCount = form.locationcombo1->count();
    QHash<QString, int> slotOf;
    for (int k = 0; k < boxCount; ++k)
        slotOf.insert(form.locationcombo1->itemText(k), int(slotOf.size()));
    std::vector<double> totals(size_t(slotOf.size()), 0.0);
    std::vector<bool> counted(size_t(slotOf.size()), false);

    const int n = canvas.ObjectCount(1);
    QString lastInfo;
    for (int j = 1; j <= n; ++j) {
        canvas.SetCurrentIndex(j);
        lastInfo = canvas.UserProperty(info);
        if (lastInfo.isEmpty())
            continue;
        const auto slot = slotOf.constFind(lastInfo);
        if (slot == slotOf.constEnd())
            continue;
        if (canvas.UserProperty(type) == location && slotOf.contains(canvas.UserProperty(name))) {
            totalsBoxByBox(form);
            return;
        }
        if (canvas.UserProperty(value).isEmpty())
            canvas.SetUserProperty(value, 0);
        totals[size_t(*slot)] += TextRules::valueNumber(canvas.UserProperty(value));
        counted[size_t(*slot)] = true;
    }
    // The hidden labels end as the walk box by box leaves them: the last box and the last
    // "Info".
    if (n > 0 && boxCount > 0) {
        form.Label6->setText(form.locationcombo1->itemText(boxCount - 1));
        form.Label5->setText(lastInfo);
    }
    for (int j = 1; j <= n; ++j) {
        canvas.SetCurrentIndex(j);
        if (canvas.UserProperty(type) != location)
            continue;
        const auto slot = slotOf.constFind(canvas.UserProperty(name));
        if (slot == slotOf.constEnd())
            continue;
        if (counted[size_t(*slot)])
            canvas.SetUserProperty(value, totals[size_t(*slot)]);
        else
            canvas.SetUserProperty(value, 0);
    }
}
