// Alarm dates: the month advancer, the Alarm button and the alarm report.

#include "boxes/boxfixture.h"

#include "features/features.h"
#include "panel/panel.h"

#include <QCalendarWidget>
#include <QLineEdit>
#include <QListWidget>

using namespace boxfixture;

class AlarmTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dueOnOrBeforeTheWorkingDate_data();
    void dueOnOrBeforeTheWorkingDate();
    void monthAdvanceWidensTheReport();
    void eachKindListsItsOwnLines_data();
    void eachKindListsItsOwnLines();
    void noAlarmsGiveOneLineOnRed();
    void reportStopsAtFirstNonDate();
    void monthAdvancerAddsCalendarMonths_data();
    void monthAdvancerAddsCalendarMonths();
    void oneChoiceAdvancesOnceWhateverSignalsItRaises();
    void alarmButtonStoresTheWorkingDate();
    void alarmButtonWithoutObjectOnlyFillsTheField();
    void quitFindsTheFirstAlarmThatIsNoDate();
};

namespace {

const QString separator(57, u'-');
const QString noAlarms = QStringLiteral(" No Alarms Activated Today");

// A box "Shed" and stored objects in it with the given names.
QList<qint32> shedWith(Harness &h, const QStringList &names)
{
    newBox(h, QStringLiteral("Shed"));
    QList<qint32> ids;
    for (const QString &name : names) {
        const qint32 id = newObject(h);
        writeProperty(h, id, QStringLiteral("Name"), name);
        ids << id;
    }
    return ids;
}

void runReport(Harness &h)
{
    QTest::mouseClick(h.form->Command1, Qt::LeftButton);
}

} // namespace

void AlarmTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void AlarmTest::dueOnOrBeforeTheWorkingDate_data()
{
    QTest::addColumn<QString>("alarm");
    QTest::addColumn<bool>("due");
    // The working date is 3/15/2026.
    QTest::newRow("same day") << QStringLiteral("3/15/2026") << true;
    QTest::newRow("a day later") << QStringLiteral("3/16/2026") << false;
    QTest::newRow("a year earlier") << QStringLiteral("3/15/2025") << true;
    QTest::newRow("ISO date") << QStringLiteral("2026-03-15") << true;
    QTest::newRow("ISO midnight") << QStringLiteral("2026-03-15T00:00:00") << true;
    QTest::newRow("ISO later that day") << QStringLiteral("2026-03-15T09:30:00") << false;
    QTest::newRow("later that day") << QStringLiteral("3/15/2026 9:30 AM") << false;
    QTest::newRow("the day before, late") << QStringLiteral("3/14/2026 11:59 PM") << true;
}

void AlarmTest::dueOnOrBeforeTheWorkingDate()
{
    QFETCH(QString, alarm);
    QFETCH(bool, due);
    Harness h;
    const qint32 lamp = shedWith(h, {QStringLiteral("Lamp")}).first();
    writeProperty(h, lamp, QStringLiteral("18"), alarm);
    const int beeps = h.platform->beeps;

    runReport(h);

    if (due) {
        QCOMPARE(listLines(h.form->List1),
                 (QStringList{QStringLiteral("Lamp"), QStringLiteral(" in Shed"), separator}));
        QCOMPARE(h.property(lamp, QStringLiteral("Colour")), QStringLiteral("12"));
        QCOMPARE(object(h, lamp).fillColor, palette(12));
        QCOMPARE(object(h, lamp).textColor, palette(0));
        QCOMPARE(backgroundOf(h.form->Combo1), palette(12));
        QCOMPARE(backgroundOf(h.form->Text7), palette(12));
        QCOMPARE(h.platform->beeps, beeps + 1);
    } else {
        QCOMPARE(listLines(h.form->List1), QStringList{noAlarms});
        QCOMPARE(h.property(lamp, QStringLiteral("Colour")), QStringLiteral("15"));
        QCOMPARE(object(h, lamp).fillColor, palette(15));
        QCOMPARE(h.platform->beeps, beeps);
    }
    // The alarm date itself is never touched.
    QCOMPARE(h.property(lamp, QStringLiteral("18")), alarm);
}

void AlarmTest::monthAdvanceWidensTheReport()
{
    Harness h;
    const auto ids = shedWith(h, {QStringLiteral("April"), QStringLiteral("June"),
                                  QStringLiteral("Late June")});
    writeProperty(h, ids[0], QStringLiteral("18"), QStringLiteral("4/10/2026"));
    writeProperty(h, ids[1], QStringLiteral("18"), QStringLiteral("6/15/2026"));
    writeProperty(h, ids[2], QStringLiteral("18"), QStringLiteral("6/16/2026"));

    choose(h.form->Combo2, 3);
    QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 6, 15));
    runReport(h);
    QCOMPARE(listLines(h.form->List1),
             (QStringList{QStringLiteral("April"), QStringLiteral(" in Shed"), separator,
                          QStringLiteral("June"), QStringLiteral(" in Shed"), separator}));
    QCOMPARE(h.property(ids[2], QStringLiteral("Colour")), QStringLiteral("15"));
}

void AlarmTest::eachKindListsItsOwnLines_data()
{
    QTest::addColumn<QStringList>("due");      // "body", "strip" or an object's name
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("beeps");
    QTest::newRow("box body") << QStringList{QStringLiteral("body")}
                              << QStringList{QStringLiteral("Shed"), separator} << 1;
    QTest::newRow("loadout strip") << QStringList{QStringLiteral("strip")} << QStringList{}
                                   << 1;
    QTest::newRow("two stored objects")
        << QStringList{QStringLiteral("Lamp"), QStringLiteral("Vase")}
        << QStringList{QStringLiteral("Lamp"), QStringLiteral(" in Shed"), separator,
                       QStringLiteral("Vase"), QStringLiteral(" in Shed"), separator}
        << 2;
}

void AlarmTest::eachKindListsItsOwnLines()
{
    QFETCH(QStringList, due);
    QFETCH(QStringList, lines);
    QFETCH(int, beeps);
    Harness h;
    const auto ids = shedWith(h, {QStringLiteral("Lamp"), QStringLiteral("Vase")});
    const auto [body, strip] = boxParts(h, QStringLiteral("Shed"));
    QList<qint32> dueIds;
    for (const QString &which : due) {
        dueIds << (which == u"body"    ? body
                   : which == u"strip" ? strip
                   : which == u"Lamp"  ? ids[0]
                                       : ids[1]);
        writeProperty(h, dueIds.last(), QStringLiteral("18"), QStringLiteral("3/1/2026"));
    }
    const int before = h.platform->beeps;

    runReport(h);

    QCOMPARE(listLines(h.form->List1), lines);
    QCOMPARE(h.platform->beeps, before + beeps);
    for (qint32 id : dueIds) {
        QCOMPARE(h.property(id, QStringLiteral("Colour")), QStringLiteral("12"));
        QCOMPARE(object(h, id).fillColor, palette(12));
    }
}

void AlarmTest::noAlarmsGiveOneLineOnRed()
{
    Harness h;
    shedWith(h, {QStringLiteral("Lamp")});
    h.form->List1->addItem(QStringLiteral("left over"));
    runReport(h);
    QCOMPARE(listLines(h.form->List1), QStringList{noAlarms});
    QVERIFY(!h.form->List1->isHidden());
    QVERIFY(h.form->locationcombo1->isHidden());
    QCOMPARE(backgroundOf(h.form->List1), QColor(255, 0, 0));
    QCOMPARE(foregroundOf(h.form->List1), QColor(255, 255, 255));
}

void AlarmTest::reportStopsAtFirstNonDate()
{
    Harness h;
    const auto ids = shedWith(h, {QStringLiteral("First"), QStringLiteral("Broken"),
                                  QStringLiteral("Third")});
    writeProperty(h, ids[0], QStringLiteral("18"), QStringLiteral("3/1/2026"));
    writeProperty(h, ids[1], QStringLiteral("18"), QStringLiteral("next Tuesday"));
    writeProperty(h, ids[2], QStringLiteral("18"), QStringLiteral("3/1/2026"));

    runReport(h);
    QCOMPARE(listLines(h.form->List1),
             (QStringList{QStringLiteral("First"), QStringLiteral(" in Shed"), separator}));
    QCOMPARE(h.property(ids[2], QStringLiteral("Colour")), QStringLiteral("15"));

    // A broken date before any due one leaves the list empty, without the no-alarm line.
    writeProperty(h, ids[0], QStringLiteral("18"), QString());
    runReport(h);
    QCOMPARE(h.form->List1->count(), 0);
}

void AlarmTest::monthAdvancerAddsCalendarMonths_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QList<int>>("choices");
    QTest::addColumn<QDate>("end");
    QTest::newRow("31 Jan + 1") << QDate(2026, 1, 31) << QList<int>{1} << QDate(2026, 2, 28);
    QTest::newRow("leap year") << QDate(2028, 1, 31) << QList<int>{1} << QDate(2028, 2, 29);
    QTest::newRow("choices add up") << QDate(2026, 1, 31) << QList<int>{1, 2}
                                    << QDate(2026, 4, 28);
    QTest::newRow("same entry twice") << QDate(2026, 3, 15) << QList<int>{3, 3}
                                      << QDate(2026, 9, 15);
    QTest::newRow("one year") << QDate(2026, 3, 15) << QList<int>{12} << QDate(2027, 3, 15);
    QTest::newRow("two years") << QDate(2026, 3, 15) << QList<int>{24} << QDate(2028, 3, 15);
    QTest::newRow("heading") << QDate(2026, 3, 15) << QList<int>{0} << QDate(2026, 3, 15);
}

void AlarmTest::monthAdvancerAddsCalendarMonths()
{
    QFETCH(QDate, start);
    QFETCH(QList<int>, choices);
    QFETCH(QDate, end);
    Harness h;
    QCOMPARE(h.form->Combo2->count(), 25);
    h.form->Calendar1->setSelectedDate(start);
    for (int k : choices)
        choose(h.form->Combo2, k);
    QCOMPARE(h.form->Calendar1->selectedDate(), end);
    QCOMPARE(h.form->Combo2->currentIndex(), choices.last());
}

void AlarmTest::oneChoiceAdvancesOnceWhateverSignalsItRaises()
{
    Harness h;
    // Also run on the change of the entry, as a change of the chooser's text would.
    connect(h.form->Combo2, &QComboBox::currentIndexChanged, h.form.get(),
            [&h] { Combo2_Click(*h.form); });
    h.form->Calendar1->setSelectedDate(QDate(2026, 3, 15));
    choose(h.form->Combo2, 2);
    QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 5, 15));
    choose(h.form->Combo2, 2);
    QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 7, 15));
}

void AlarmTest::alarmButtonStoresTheWorkingDate()
{
    Harness h;
    const qint32 lamp = shedWith(h, {QStringLiteral("Lamp")}).first();
    h.clickObject(lamp);
    h.form->Calendar1->setSelectedDate(QDate(2026, 4, 20));
    choose(h.form->Combo2, 2);
    QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 6, 20));

    QTest::mouseClick(h.form->Alarm, Qt::LeftButton);

    QCOMPARE(h.form->Text18->text(), QStringLiteral("6/20/2026"));
    QCOMPARE(h.property(lamp, QStringLiteral("18")), QStringLiteral("6/20/2026"));
    QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
    QCOMPARE(h.form->Combo2->currentIndex(), 0);
    QCOMPARE(firstInvalidAlarm(*h.form), 0);

    runReport(h);
    QCOMPARE(listLines(h.form->List1), QStringList{noAlarms});
}

void AlarmTest::alarmButtonWithoutObjectOnlyFillsTheField()
{
    Harness h;
    shedWith(h, {QStringLiteral("Lamp")});
    h.clickAt(emptyPoint(h));
    QCOMPARE(h.canvas().CurrentObject(), 0);
    h.form->Calendar1->setSelectedDate(QDate(2026, 5, 1));

    QTest::mouseClick(h.form->Alarm, Qt::LeftButton);

    QCOMPARE(h.form->Text18->text(), QStringLiteral("5/1/2026"));
    for (const auto &o : h.canvas().objects())
        QCOMPARE(h.property(o->id, QStringLiteral("18")), QString());
    QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
    QCOMPARE(h.form->Combo2->currentIndex(), 0);
}

void AlarmTest::quitFindsTheFirstAlarmThatIsNoDate()
{
    Harness h;
    const auto ids = shedWith(h, {QStringLiteral("Good"), QStringLiteral("Bad"),
                                  QStringLiteral("Worse")});
    writeProperty(h, ids[0], QStringLiteral("18"), QStringLiteral("2026-03-01T08:00"));
    writeProperty(h, ids[1], QStringLiteral("18"), QStringLiteral("31/31/2026"));
    writeProperty(h, ids[2], QStringLiteral("18"), QStringLiteral("soon"));
    QCOMPARE(firstInvalidAlarm(*h.form), ids[1]);
    writeProperty(h, ids[1], QStringLiteral("18"), QStringLiteral("3/31/2026"));
    QCOMPARE(firstInvalidAlarm(*h.form), ids[2]);
    writeProperty(h, ids[2], QStringLiteral("18"), QString());
    QCOMPARE(firstInvalidAlarm(*h.form), 0);
}

QTEST_MAIN(AlarmTest)
#include "alarmtest.moc"
