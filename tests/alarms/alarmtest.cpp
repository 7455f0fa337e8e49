// Alarm dates: the month advancer, the Alarm button and the alarm report.

#include "support/testsupport.h"

#include "features/features.h"
#include "panel/panel.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

const QString separator(57, u'-');
const QString noAlarms = u" No Alarms Activated Today"_s;

// A box "Shed" and stored objects in it with the given names.
QList<qint32> shedWith(Harness &h, const QStringList &names)
{
    newBox(h, u"Shed"_s);
    QList<qint32> ids;
    for (const QString &name : names) {
        const qint32 id = newObject(h);
        writeProperty(h, id, u"Name"_s, name);
        ids << id;
    }
    return ids;
}

void runReport(Harness &h)
{
    QTest::mouseClick(h.form->Command1, Qt::LeftButton);
}

} // namespace

class AlarmTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void dueOnOrBeforeTheWorkingDate_data()
    {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<bool>("due");
        // The working date is 3/15/2026.
        QTest::newRow("same day") << u"3/15/2026"_s << true;
        QTest::newRow("a day later") << u"3/16/2026"_s << false;
        QTest::newRow("a year earlier") << u"3/15/2025"_s << true;
        QTest::newRow("ISO date") << u"2026-03-15"_s << true;
        QTest::newRow("ISO midnight") << u"2026-03-15T00:00:00"_s << true;
        QTest::newRow("ISO later that day") << u"2026-03-15T09:30:00"_s << false;
        QTest::newRow("later that day") << u"3/15/2026 9:30 AM"_s << false;
        QTest::newRow("the day before, late") << u"3/14/2026 11:59 PM"_s << true;
    }

    void dueOnOrBeforeTheWorkingDate()
    {
        QFETCH(QString, alarm);
        QFETCH(bool, due);
        Harness h;
        const qint32 lamp = shedWith(h, {u"Lamp"_s}).first();
        writeProperty(h, lamp, u"18"_s, alarm);
        const int beeps = h.platform->beeps;
        h.form->List1->addItem(u"left over"_s);

        runReport(h);

        if (due) {
            QCOMPARE(listLines(h.form->List1),
                     (QStringList {u"Lamp"_s, u" in Shed"_s, separator}));
            QCOMPARE(h.property(lamp, u"Colour"_s), u"12"_s);
            QCOMPARE(object(h, lamp).fillColor, palette(12));
            QCOMPARE(object(h, lamp).textColor, palette(0));
            QCOMPARE(backgroundOf(h.form->Combo1), palette(12));
            QCOMPARE(backgroundOf(h.form->Text7), palette(12));
            QCOMPARE(h.platform->beeps, beeps + 1);
        } else {
            // One line, in white on red, in place of the box chooser.
            QCOMPARE(listLines(h.form->List1), QStringList {noAlarms});
            QVERIFY(!h.form->List1->isHidden());
            QVERIFY(h.form->locationcombo1->isHidden());
            QCOMPARE(backgroundOf(h.form->List1), QColor(255, 0, 0));
            QCOMPARE(foregroundOf(h.form->List1), QColor(255, 255, 255));
            QCOMPARE(h.property(lamp, u"Colour"_s), u"15"_s);
            QCOMPARE(object(h, lamp).fillColor, palette(15));
            QCOMPARE(h.platform->beeps, beeps);
        }
        // The alarm date itself is never touched.
        QCOMPARE(h.property(lamp, u"18"_s), alarm);
    }

    void monthAdvanceWidensTheReport()
    {
        Harness h;
        const auto ids = shedWith(h, {u"April"_s, u"June"_s, u"Late June"_s});
        writeProperty(h, ids[0], u"18"_s, u"4/10/2026"_s);
        writeProperty(h, ids[1], u"18"_s, u"6/15/2026"_s);
        writeProperty(h, ids[2], u"18"_s, u"6/16/2026"_s);

        choose(h.form->Combo2, 3);
        QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 6, 15));
        runReport(h);
        QCOMPARE(listLines(h.form->List1),
                 (QStringList {u"April"_s, u" in Shed"_s, separator, u"June"_s, u" in Shed"_s,
                               separator}));
        QCOMPARE(h.property(ids[2], u"Colour"_s), u"15"_s);
    }

    void eachKindListsItsOwnLines_data()
    {
        QTest::addColumn<QStringList>("due"); // "body", "strip" or an object's name
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("beeps");
        QTest::newRow("box body") << QStringList {u"body"_s} << QStringList {u"Shed"_s, separator}
                                  << 1;
        QTest::newRow("loadout strip") << QStringList {u"strip"_s} << QStringList {} << 1;
        QTest::newRow("two stored objects") << QStringList {u"Lamp"_s, u"Vase"_s}
                                            << QStringList {u"Lamp"_s, u" in Shed"_s, separator,
                                                            u"Vase"_s, u" in Shed"_s, separator}
                                            << 2;
    }

    void eachKindListsItsOwnLines()
    {
        QFETCH(QStringList, due);
        QFETCH(QStringList, lines);
        QFETCH(int, beeps);
        Harness h;
        const auto ids = shedWith(h, {u"Lamp"_s, u"Vase"_s});
        const auto [body, strip] = boxParts(h, u"Shed"_s);
        QList<qint32> dueIds;
        for (const QString &which : due) {
            dueIds << (which == u"body"        ? body
                           : which == u"strip" ? strip
                           : which == u"Lamp"  ? ids[0]
                                               : ids[1]);
            writeProperty(h, dueIds.last(), u"18"_s, u"3/1/2026"_s);
        }
        const int before = h.platform->beeps;

        runReport(h);

        QCOMPARE(listLines(h.form->List1), lines);
        QCOMPARE(h.platform->beeps, before + beeps);
        for (qint32 id : dueIds) {
            QCOMPARE(h.property(id, u"Colour"_s), u"12"_s);
            QCOMPARE(object(h, id).fillColor, palette(12));
        }
    }

    void reportStopsAtFirstNonDate()
    {
        Harness h;
        const auto ids = shedWith(h, {u"First"_s, u"Broken"_s, u"Third"_s});
        writeProperty(h, ids[0], u"18"_s, u"3/1/2026"_s);
        writeProperty(h, ids[1], u"18"_s, u"next Tuesday"_s);
        writeProperty(h, ids[2], u"18"_s, u"3/1/2026"_s);

        runReport(h);
        QCOMPARE(listLines(h.form->List1), (QStringList {u"First"_s, u" in Shed"_s, separator}));
        QCOMPARE(h.property(ids[2], u"Colour"_s), u"15"_s);

        // A broken date before any due one leaves the list empty, without the no-alarm line.
        writeProperty(h, ids[0], u"18"_s, QString());
        runReport(h);
        QCOMPARE(h.form->List1->count(), 0);
    }

    void monthAdvancerAddsCalendarMonths_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QDate>("end");
        QTest::newRow("31 Jan + 1") << QDate(2026, 1, 31) << QList<int> {1} << QDate(2026, 2, 28);
        QTest::newRow("leap year") << QDate(2028, 1, 31) << QList<int> {1} << QDate(2028, 2, 29);
        QTest::newRow("choices add up")
            << QDate(2026, 1, 31) << QList<int> {1, 2} << QDate(2026, 4, 28);
        QTest::newRow("same entry twice")
            << QDate(2026, 3, 15) << QList<int> {3, 3} << QDate(2026, 9, 15);
        QTest::newRow("one year") << QDate(2026, 3, 15) << QList<int> {12} << QDate(2027, 3, 15);
        QTest::newRow("heading") << QDate(2026, 3, 15) << QList<int> {0} << QDate(2026, 3, 15);
    }

    void monthAdvancerAddsCalendarMonths()
    {
        QFETCH(QDate, start);
        QFETCH(QList<int>, choices);
        QFETCH(QDate, end);
        Harness h;
        h.form->Calendar1->setSelectedDate(start);
        for (int k : choices)
            choose(h.form->Combo2, k);
        QCOMPARE(h.form->Calendar1->selectedDate(), end);
        QCOMPARE(h.form->Combo2->currentIndex(), choices.last());
    }

    void oneChoiceAdvancesOnceWhateverSignalsItRaises()
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

    void alarmButtonStoresTheWorkingDate()
    {
        Harness h;
        const qint32 lamp = shedWith(h, {u"Lamp"_s}).first();
        h.clickObject(lamp);
        h.form->Calendar1->setSelectedDate(QDate(2026, 4, 20));
        choose(h.form->Combo2, 2);
        QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 6, 20));

        QTest::mouseClick(h.form->Alarm, Qt::LeftButton);

        QCOMPARE(h.form->Text18->text(), u"6/20/2026"_s);
        QCOMPARE(h.property(lamp, u"18"_s), u"6/20/2026"_s);
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
        QCOMPARE(firstInvalidAlarm(*h.form), 0);

        runReport(h);
        QCOMPARE(listLines(h.form->List1), QStringList {noAlarms});
    }

    void alarmButtonWithoutObjectOnlyFillsTheField()
    {
        Harness h;
        shedWith(h, {u"Lamp"_s});
        h.clickAt(emptyPoint(h));
        QCOMPARE(h.canvas().CurrentObject(), 0);
        h.form->Calendar1->setSelectedDate(QDate(2026, 5, 1));

        QTest::mouseClick(h.form->Alarm, Qt::LeftButton);

        QCOMPARE(h.form->Text18->text(), u"5/1/2026"_s);
        for (const auto &o : h.canvas().objects())
            QCOMPARE(h.property(o->id, u"18"_s), QString());
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
    }
};

QTEST_MAIN(AlarmTest)
#include "alarmtest.moc"
