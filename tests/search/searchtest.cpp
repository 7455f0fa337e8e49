// The search: every object whose name holds the typed text, listed with its box on
// yellow, one beep per match.

#include "support/testsupport.h"

#include "panel/panel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

const QString separator(57, u'-');

// Boxes "Tools" and "Garden", a "Hammer" and a "Rake" in "Garden".
std::unique_ptr<Harness> drawing()
{
    auto h = std::make_unique<Harness>();
    newBox(*h, u"Tools"_s);
    newBox(*h, u"Garden"_s);
    chooseBox(*h, u"Garden"_s);
    writeProperty(*h, newObject(*h), u"Name"_s, u"Hammer"_s);
    writeProperty(*h, newObject(*h), u"Name"_s, u"Rake"_s);
    return h;
}

void search(Harness &h, const QString &text)
{
    h.form->txttagname->clear();
    Harness::typeInto(h.form->txttagname, text);
    QTest::mouseClick(h.form->btnsearch, Qt::LeftButton);
}

} // namespace

class SearchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void listsMatchesByKind_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("beeps");
        QTest::newRow("box: body and strip match, body lists")
            << u"Tools"_s << QStringList {u"Tools"_s, separator} << 2;
        QTest::newRow("stored object")
            << u"Hammer"_s << QStringList {u"Hammer"_s, u" in Garden"_s, separator} << 1;
        QTest::newRow("part of a name, other case")
            << u"RDE"_s << QStringList {u"Garden"_s, separator} << 2;
        // "Start", the start object, matches too: a beep without lines.
        QTest::newRow("several, in drawing order")
            << u"a"_s << QStringList {u"Garden"_s, separator, u"Hammer"_s,     u" in Garden"_s,
                                      separator,   u"Rake"_s, u" in Garden"_s, separator}
            << 5;
        QTest::newRow("no match") << u"Spade"_s << QStringList {} << 0;
    }

    void listsMatchesByKind()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QFETCH(int, beeps);
        auto h = drawing();
        h->form->List1->addItem(u"left over"_s);
        const int before = h->platform->beeps;

        search(*h, text);

        QCOMPARE(listLines(h->form->List1), lines);
        QCOMPARE(h->platform->beeps, before + beeps);
        QCOMPARE(h->form->Label19->text(), u"Objects Found"_s);
        QVERIFY(!h->form->List1->isHidden());
        QVERIFY(h->form->locationcombo1->isHidden());
        QCOMPARE(backgroundOf(h->form->List1), QColor(255, 255, 0));
        QCOMPARE(foregroundOf(h->form->List1), QColor(0, 0, 0));
        QCOMPARE(h->canvas().ToolMode(), qint16(0));
    }

    void enterInTheSearchFieldSearchesToo()
    {
        auto h = drawing();
        h->form->txttagname->clear();
        Harness::typeInto(h->form->txttagname, u"rake"_s);
        QTest::keyClick(h->form->txttagname, Qt::Key_Return);
        QCOMPARE(listLines(h->form->List1), (QStringList {u"Rake"_s, u" in Garden"_s, separator}));
    }

    void changesNoObject()
    {
        auto h = drawing();
        const auto snapshot = [&h] {
            QStringList all;
            for (const auto &o : h->canvas().objects()) {
                for (const auto &[key, value] : o->properties)
                    all << QString::number(o->id) + u' ' + key + u'=' + value;
                all << o->fillColor.name() + o->textColor.name();
            }
            return all;
        };
        const QStringList before = snapshot();
        search(*h, u"e"_s);
        QVERIFY(h->form->List1->count() > 0);
        QCOMPARE(snapshot(), before);
    }
};

QTEST_MAIN(SearchTest)
#include "searchtest.moc"
