// The search: every object whose name holds the typed text, listed with its box on
// yellow, one beep per match; nothing on the drawing changes.

#include "support/testsupport.h"

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// Every property and colour of every object, to show that nothing changed.
QStringList snapshot(const Harness &h)
{
    QStringList all;
    for (const auto &o : h.canvas().objects()) {
        for (const auto &[key, value] : o->properties)
            all << QString::number(o->id) + u' ' + key + u'=' + value;
        all << o->fillColor.name() + o->textColor.name();
    }
    return all;
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

private slots:
    void listsMatchesByKind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("byEnter");   // Enter in the search field, not the button
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("beeps");
        QTest::newRow("box: body and strip match, body lists")
            << u"Tools"_s << false << QStringList {u"Tools"_s, separator} << 2;
        QTest::newRow("stored object")
            << u"Hammer"_s << false << QStringList {u"Hammer"_s, u" in Garden"_s, separator} << 1;
        QTest::newRow("part of a name, other case")
            << u"RDE"_s << false << QStringList {u"Garden"_s, separator} << 2;
        // "Start", the start object, matches too: a beep without lines.
        QTest::newRow("several, in drawing order")
            << u"a"_s << false
            << QStringList {u"Garden"_s, separator, u"Hammer"_s,     u" in Garden"_s,
                            separator,   u"Rake"_s, u" in Garden"_s, separator}
            << 5;
        QTest::newRow("no match") << u"Spade"_s << false << QStringList {} << 0;
        QTest::newRow("Enter in the field")
            << u"rake"_s << true << QStringList {u"Rake"_s, u" in Garden"_s, separator} << 1;
    }

    void listsMatchesByKind()
    {
        QFETCH(QString, text);
        QFETCH(bool, byEnter);
        QFETCH(QStringList, lines);
        QFETCH(int, beeps);
        // Boxes "Tools" and "Garden", a "Hammer" and a "Rake" in "Garden".
        Harness h;
        newBox(h, u"Tools"_s);
        newBox(h, u"Garden"_s);
        chooseBox(h, u"Garden"_s);
        writeProperty(h, newObject(h), u"Name"_s, u"Hammer"_s);
        writeProperty(h, newObject(h), u"Name"_s, u"Rake"_s);
        h.form->List1->addItem(u"left over"_s);
        const int before = h.platform->beeps;
        const QStringList drawing = snapshot(h);

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
        QCOMPARE(snapshot(h), drawing);
    }
};

AMBROOK_WINDOW_TEST_MAIN(SearchTest)
#include "searchtest.moc"
