// Alarm dates: the month advancer, the Alarm button and the alarm report.

#include "support/testsupport.h"

#include "features/features.h"

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

const QString noAlarms = u" No Alarms Activated Today"_s;
const QStringList lamp {u"Lamp"_s, u" in Shed"_s, separator};
const QStringList vase {u"Vase"_s, u" in Shed"_s, separator};

// A box "Shed" and stored objects in it with the given names.
QList<qint32> shedWith(Harness &h, const QStringList &names)
{
    newBox(h, u"Shed"_s);
    QList<qint32> ids;
    for (const QString &name : names) {
        ids << newObject(h);
        writeProperty(h, ids.last(), u"Name"_s, name);
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
    void report_data()
    {
        // Alarm dates of the box body, its strip and the objects Lamp, Vase and Jar; the
        // working date is 3/15/2026, moved on by the month advancer's entry.
        QTest::addColumn<QStringList>("dates");
        QTest::addColumn<int>("months");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QList<int>>("colours");   // "Colour" of each afterwards
        const auto on = [](int k, const QString &date) {
            QStringList dates(5);
            dates[k] = date;
            return dates;
        };
        const auto lampOn = [&on](const QString &date) { return on(2, date); };
        const QList<int> lampRed {7, 0, 12, 15, 15};
        const QList<int> unchanged {7, 0, 15, 15, 15};
        const QStringList none {noAlarms};
        QTest::newRow("same day") << lampOn(u"3/15/2026"_s) << 0 << lamp << lampRed;
        QTest::newRow("a day later") << lampOn(u"3/16/2026"_s) << 0 << none << unchanged;
        QTest::newRow("a year earlier") << lampOn(u"3/15/2025"_s) << 0 << lamp << lampRed;
        QTest::newRow("ISO date") << lampOn(u"2026-03-15"_s) << 0 << lamp << lampRed;
        QTest::newRow("ISO midnight")
            << lampOn(u"2026-03-15T00:00:00"_s) << 0 << lamp << lampRed;
        QTest::newRow("ISO later that day")
            << lampOn(u"2026-03-15T09:30:00"_s) << 0 << none << unchanged;
        QTest::newRow("later that day") << lampOn(u"3/15/2026 9:30 AM"_s) << 0 << none
                                        << unchanged;
        QTest::newRow("the day before, late")
            << lampOn(u"3/14/2026 11:59 PM"_s) << 0 << lamp << lampRed;
        const QString due = u"3/1/2026"_s;
        const QString no;
        QTest::newRow("box body") << on(0, due) << 0 << QStringList {u"Shed"_s, separator}
                                  << QList {12, 0, 15, 15, 15};
        QTest::newRow("loadout strip") << on(1, due) << 0 << QStringList {}
                                       << QList {7, 12, 15, 15, 15};
        QTest::newRow("two stored objects") << QStringList {no, no, due, due, no} << 0
                                            << lamp + vase << QList {7, 0, 12, 12, 15};
        QTest::newRow("three months on")
            << QStringList {no, no, u"4/10/2026"_s, u"6/15/2026"_s, u"6/16/2026"_s} << 3
            << lamp + vase << QList {7, 0, 12, 12, 15};
        // The report stops at the first alarm that is no date.
        QTest::newRow("stops at a non-date")
            << QStringList {no, no, due, u"next Tuesday"_s, due} << 0 << lamp << lampRed;
        QTest::newRow("a non-date first: no line at all")
            << QStringList {no, no, no, u"next Tuesday"_s, due} << 0 << QStringList {}
            << unchanged;
    }

    void report()
    {
        QFETCH(QStringList, dates);
        QFETCH(int, months);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, colours);
        Harness h;
        const QList<qint32> objects = shedWith(h, {u"Lamp"_s, u"Vase"_s, u"Jar"_s});
        const Box shed = boxParts(h, u"Shed"_s);
        const QList<qint32> ids = QList {shed.body, shed.strip} + objects;
        for (int i = 0; i < ids.size(); ++i) {
            if (!dates.at(i).isEmpty())
                writeProperty(h, ids[i], u"18"_s, dates.at(i));
        }
        if (months > 0)
            choose(h.form->Combo2, months);
        const int beeps = h.platform->beeps;
        h.form->List1->addItem(u"left over"_s);

        runReport(h);

        QCOMPARE(listLines(h.form->List1), lines);
        QCOMPARE(h.platform->beeps, beeps + int(colours.count(12)));
        for (int i = 0; i < ids.size(); ++i) {
            QCOMPARE(h.property(ids[i], u"Colour"_s), QString::number(colours[i]));
            QCOMPARE(object(h, ids[i]).fillColor, palette(colours[i]));
            // The alarm date itself is never touched.
            QCOMPARE(h.property(ids[i], u"18"_s), dates.at(i));
        }
        if (lines == QStringList {noAlarms}) {
            // One line, in white on red, in place of the box chooser.
            QVERIFY(!h.form->List1->isHidden() && h.form->locationcombo1->isHidden());
            checkColours({h.form->List1}, QColor(255, 0, 0), QColor(255, 255, 255));
        } else if (colours.contains(12)) {
            // The panel takes the colours of the last object found.
            checkColours({h.form->Combo1, h.form->Text7}, palette(12), palette(0));
        }
    }

    void monthAdvancerAddsCalendarMonths_data()
    {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<bool>("onIndexChangeToo");
        QTest::newRow("31 Jan + 1") << QDate(2026, 1, 31) << QList {1} << QDate(2026, 2, 28)
                                    << false;
        QTest::newRow("leap year") << QDate(2028, 1, 31) << QList {1} << QDate(2028, 2, 29)
                                   << false;
        QTest::newRow("choices add up")
            << QDate(2026, 1, 31) << QList {1, 2} << QDate(2026, 4, 28) << false;
        QTest::newRow("same entry twice")
            << QDate(2026, 3, 15) << QList {3, 3} << QDate(2026, 9, 15) << false;
        QTest::newRow("one year") << QDate(2026, 3, 15) << QList {12} << QDate(2027, 3, 15)
                                  << false;
        QTest::newRow("heading") << QDate(2026, 3, 15) << QList {0} << QDate(2026, 3, 15)
                                 << false;
        // Also run on the change of the entry, as a change of the chooser's text would: one
        // choice still advances once.
        QTest::newRow("whatever signals a choice raises")
            << QDate(2026, 3, 15) << QList {2, 2} << QDate(2026, 7, 15) << true;
    }

    void monthAdvancerAddsCalendarMonths()
    {
        QFETCH(QDate, start);
        QFETCH(QList<int>, choices);
        QFETCH(QDate, end);
        QFETCH(bool, onIndexChangeToo);
        Harness h;
        if (onIndexChangeToo) {
            connect(h.form->Combo2, &QComboBox::currentIndexChanged, h.form.get(),
                    [&h] { Combo2_Click(*h.form); });
        }
        h.form->Calendar1->setSelectedDate(start);
        for (int k : choices)
            choose(h.form->Combo2, k);
        QCOMPARE(h.form->Calendar1->selectedDate(), end);
        QCOMPARE(h.form->Combo2->currentIndex(), choices.last());
    }

    void alarmButtonStoresTheWorkingDate_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::newRow("object selected") << true;
        QTest::newRow("nothing selected: only the field") << false;
    }

    void alarmButtonStoresTheWorkingDate()
    {
        QFETCH(bool, selected);
        Harness h;
        const qint32 lamp = shedWith(h, {u"Lamp"_s}).first();
        if (selected)
            h.clickObject(lamp);
        else
            h.clickAt(emptyPoint(h));
        QCOMPARE(h.canvas().CurrentObject(), selected ? lamp : 0);
        h.form->Calendar1->setSelectedDate(QDate(2026, 4, 20));
        choose(h.form->Combo2, 2);
        QCOMPARE(h.form->Calendar1->selectedDate(), QDate(2026, 6, 20));

        QTest::mouseClick(h.form->Alarm, Qt::LeftButton);

        QCOMPARE(h.form->Text18->text(), u"6/20/2026"_s);
        for (const auto &o : h.canvas().objects()) {
            const bool stored = selected && o->id == lamp;
            QCOMPARE(h.property(o->id, u"18"_s), stored ? u"6/20/2026"_s : QString());
        }
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
        QCOMPARE(firstInvalidAlarm(*h.form), 0);
        runReport(h);
        QCOMPARE(listLines(h.form->List1), QStringList {noAlarms});
    }
};

AMBROOK_WINDOW_TEST_MAIN(AlarmTest)
#include "alarmtest.moc"
