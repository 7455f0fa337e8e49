#include "features/features.h"

#include "canvas/vellum.h"
#include "features/reportlist.h"
#include "panel/panel.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaObject>

namespace {

constexpr int AlarmColour = 12;
// The entry whose months were added last, while the choice that picked it is still
// being handled (cleared once control returns to the event loop).
const char *const AdvancedEntry = "ambrookAdvancedEntry";

void paintDue(frmMain &form, bool firstDue)
{
    Vellum &canvas = *form.Vellum;
    const QColor red = *Palette::colour(AlarmColour);
    canvas.SetFillColor(red);
    canvas.SetUserProperty(QStringLiteral("Colour"), qint16(AlarmColour));
    canvas.SetTextColor(*Palette::colour(0));
    if (!firstDue)
        return;
    // The panel shows the red of a due object; every due object gives the same colours,
    // so the first one sets them for all.
    setBackgroundOf(form.Combo1, red);
    setForegroundOf(form.Combo1, canvas.TextColor());
    spreadPanelColours(form);
}

} // namespace

void Combo2_Click(frmMain &form)
{
    QComboBox *advancer = form.Combo2;
    const int k = advancer->currentIndex();
    // One choice in the list raises both the change and the activation of the same
    // entry; its months are added once. Choosing the entry again later adds them again.
    const QVariant handled = advancer->property(AdvancedEntry);
    if (handled.isValid() && handled.toInt() == k)
        return;
    if (k > 0) {
        const QDate working = form.Calendar1->selectedDate();
        // QDate clamps the day to the last day of a shorter month.
        form.Calendar1->setSelectedDate(working.addMonths(k));
    }
    advancer->setProperty(AdvancedEntry, k);
    QMetaObject::invokeMethod(
        advancer, [advancer] { advancer->setProperty(AdvancedEntry, QVariant()); },
        Qt::QueuedConnection);
}

void Alarm_Click(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    assignField(form, form.Text18,
                TextRules::shortDateText(form.Calendar1->selectedDate()));
    // Without a current object there is nothing to carry the date; the field shows it.
    if (canvas.CurrentObject() != 0)
        canvas.SetUserProperty(QStringLiteral("18"), form.Text18->text());
    form.Calendar1->setSelectedDate(form.platform().today());
    form.Combo2->setCurrentIndex(0);
}

void AlarmReport(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    Features::showResultList(form, QColor(255, 0, 0), QColor(255, 255, 255));
    // The shared list needs a heading of its own, or the report would read as the objects
    // waiting to be moved.
    form.Label19->setText(QStringLiteral("Alarms"));
    form.List1->clear();
    bool found = false;

    // Due means on or before midnight at the start of the working date: an alarm later
    // that day is not yet due.
    const QDateTime working(form.Calendar1->selectedDate(), QTime(0, 0));
    const int n = canvas.ObjectCount(1);
    for (int i = 1; i <= n; ++i) {
        canvas.SetCurrentIndex(i);
        const QString alarm = canvas.UserProperty(QStringLiteral("18"));
        if (alarm.isEmpty())
            continue;
        // A date that makes no sense ends the report here; quit will name the object.
        const std::optional<QDateTime> when = TextRules::readDateTime(alarm);
        if (!when)
            return;
        if (*when > working)
            continue;

        const QString name = canvas.UserProperty(QStringLiteral("Name"));
        const QString box = canvas.UserProperty(QStringLiteral("Info"));
        paintDue(form, !found);
        form.platform().beep();
        found = true;
        Features::listObject(form.List1, canvas.UserProperty(QStringLiteral("Type")), name,
                             box);
    }
    if (!found)
        form.List1->addItem(QStringLiteral(" No Alarms Activated Today"));
}

qint32 firstInvalidAlarm(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    const int n = canvas.ObjectCount(1);
    for (int i = 1; i <= n; ++i) {
        canvas.SetCurrentIndex(i);
        const QString alarm = canvas.UserProperty(QStringLiteral("18"));
        if (!alarm.isEmpty() && !TextRules::isDate(alarm))
            return canvas.CurrentObject();
    }
    return 0;
}

void Command1_Click(frmMain &form)
{
    AlarmReport(form);
}
