// The reports in place of the box chooser: the search lists every object whose name holds
// the typed text, with its box, on yellow, one beep per match, and changes nothing; the
// alarm report lists and reddens what is due by the working date, which the month
// advancer moves and the Alarm button stores.

#include "support/testsupport.h"

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

const QString noAlarms = u" No Alarms Activated Today"_s;
const QStringList lamp {u"Lamp"_s, u" in Shed"_s, separator};
const QStringList vase {u"Vase"_s, u" in Shed"_s, separator};

// A new box and, in it, new stored objects with the given names.
QList<qint32> boxWith(Harness &h, const QString &box, const QStringList &names)
{
    newBox(h, box);
    QList<qint32> ids;
    for (const QString &name : names) {
        ids << newObject(h);
        writeProperty(h, ids.last(), u"Name"_s, name);
    }
    return ids;
}

} // namespace

class ReportTest : public QObject
{
    Q_OBJECT

private slots:
    void search_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("byEnter");   // Enter in the search field, not the button
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("beeps");
        const QStringList hammer {u"Hammer"_s, u" in Garden"_s, separator};
        const QStringList rake {u"Rake"_s, u" in Garden"_s, separator};
        // A box's body and strip both match; the body is listed.
        QTest::newRow("part of a name, other case")
            << u"RDE"_s << false << QStringList {u"Garden"_s, separator} << 2;
        // "Start", the start object, matches too: a beep without lines.
        QTest::newRow("several, in drawing order")
            << u"a"_s << false << QStringList {u"Garden"_s, separator} + hammer + rake << 5;
        QTest::newRow("no match") << u"Spade"_s << false << QStringList {} << 0;
        QTest::newRow("Enter in the field") << u"rake"_s << true << rake << 1;
    }

    void search()
    {
        QFETCH(QString, text);
        QFETCH(bool, byEnter);
        QFETCH(QStringList, lines);
        QFETCH(int, beeps);
        Harness h;
        newBox(h, u"Tools"_s);
        boxWith(h, u"Garden"_s, {u"Hammer"_s, u"Rake"_s});
        h.form->List1->addItem(u"left over"_s);
        const int before = h.platform->beeps;
        const QByteArray drawing = documentOf(h);

        Harness::typeInto(h.form->txttagname, text);
        if (byEnter)
            QTest::keyClick(h.form->txttagname, Qt::Key_Return);
        else
            QTest::mouseClick(h.form->btnsearch, Qt::LeftButton);

        QCOMPARE(listLines(h.form->List1), lines);
        QCOMPARE(h.platform->beeps, before + beeps);
        QCOMPARE(h.form->Label19->text(), u"Objects Found"_s);
        QVERIFY(!h.form->List1->isHidden() && h.form->locationcombo1->isHidden());
        checkColours({h.form->List1}, QColor(255, 255, 0), QColor(0, 0, 0));
        QCOMPARE(h.canvas().ToolMode(), qint16(0));
        QCOMPARE(documentOf(h), drawing);   // every property and colour as it was
    }

    void alarmReport_data()
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
        const QList<int> lampRed {7, 0, 12, 15, 15}, unchanged {7, 0, 15, 15, 15};
        const QList<int> twoRed {7, 0, 12, 12, 15};
        const QStringList none {noAlarms};
        const QString due = u"3/1/2026"_s, no;
        const auto lampRow = [&](const char *name, const char *date, bool isDue) {
            QTest::newRow(name) << on(2, QString::fromLatin1(date)) << 0
                                << (isDue ? lamp : none) << (isDue ? lampRed : unchanged);
        };
        lampRow("same day", "3/15/2026", true);
        lampRow("a day later", "3/16/2026", false);
        lampRow("a year earlier", "3/15/2025", true);
        lampRow("later that day", "3/15/2026 9:30 AM", false);
        lampRow("the day before, late", "3/14/2026 11:59 PM", true);
        QTest::newRow("box body") << on(0, due) << 0 << QStringList {u"Shed"_s, separator}
                                  << QList {12, 0, 15, 15, 15};
        QTest::newRow("loadout strip") << on(1, due) << 0 << QStringList {}
                                       << QList {7, 12, 15, 15, 15};
        QTest::newRow("two stored objects")
            << QStringList {no, no, due, due, no} << 0 << lamp + vase << twoRed;
        QTest::newRow("three months on")
            << QStringList {no, no, u"4/10/2026"_s, u"6/15/2026"_s, u"6/16/2026"_s} << 3
            << lamp + vase << twoRed;
        // The report stops at the first alarm that is no date.
        QTest::newRow("stops at a non-date")
            << QStringList {no, no, due, u"next Tuesday"_s, due} << 0 << lamp << lampRed;
        QTest::newRow("a non-date first: no line at all")
            << QStringList {no, no, no, u"next Tuesday"_s, due} << 0 << QStringList {}
            << unchanged;
    }

    void alarmReport()
    {
        QFETCH(QStringList, dates);
        QFETCH(int, months);
        QFETCH(QStringList, lines);
        QFETCH(QList<int>, colours);
        Harness h;
        const QList<qint32> objects = boxWith(h, u"Shed"_s, {u"Lamp"_s, u"Vase"_s, u"Jar"_s});
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

        QTest::mouseClick(h.form->Command1, Qt::LeftButton);

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
        const QDate jan31(2026, 1, 31), mid(2026, 3, 15);
        QTest::newRow("31 Jan + 1") << jan31 << QList {1} << QDate(2026, 2, 28) << false;
        QTest::newRow("leap year") << QDate(2028, 1, 31) << QList {1} << QDate(2028, 2, 29)
                                   << false;
        QTest::newRow("choices add up") << jan31 << QList {1, 2} << QDate(2026, 4, 28) << false;
        QTest::newRow("same entry twice") << mid << QList {3, 3} << QDate(2026, 9, 15) << false;
        QTest::newRow("one year") << mid << QList {12} << QDate(2027, 3, 15) << false;
        QTest::newRow("heading") << mid << QList {0} << mid << false;
        // Also run on the change of the entry, as a change of the chooser's text would: one
        // choice still advances once.
        QTest::newRow("whatever signals a choice raises")
            << mid << QList {2, 2} << QDate(2026, 7, 15) << true;
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
        const qint32 lamp = boxWith(h, u"Shed"_s, {u"Lamp"_s}).first();
        if (selected)
            h.clickObject(lamp);
        else
            h.clickAt(emptyPoint(h));
        h.form->Calendar1->setSelectedDate(QDate(2026, 4, 20));
        choose(h.form->Combo2, 2);

        QTest::mouseClick(h.form->Alarm, Qt::LeftButton);

        QCOMPARE(h.form->Text18->text(), u"6/20/2026"_s);
        for (const auto &o : h.canvas().objects()) {
            const bool stored = selected && o->id == lamp;
            QCOMPARE(h.property(o->id, u"18"_s), stored ? u"6/20/2026"_s : QString());
        }
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
        QCOMPARE(firstInvalidAlarm(*h.form), 0);
        QTest::mouseClick(h.form->Command1, Qt::LeftButton);
        QCOMPARE(listLines(h.form->List1), QStringList {noAlarms});
    }
};

AMBROOK_WINDOW_TEST_MAIN(ReportTest)
#include "reporttest.moc"
