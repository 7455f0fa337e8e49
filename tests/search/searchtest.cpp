// The search: every object whose name holds the typed text, listed with its box on
// yellow, one beep per match.

#include "boxes/boxfixture.h"

#include "panel/panel.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace boxfixture;

class SearchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void listsMatchesByKind_data();
    void listsMatchesByKind();
    void enterInTheSearchFieldSearchesToo();
    void changesNoObject();
};

namespace {

const QString separator(57, u'-');

// Boxes "Tools" and "Garden", a "Hammer" and a "Rake" in "Garden".
std::unique_ptr<Harness> drawing()
{
    auto h = std::make_unique<Harness>();
    newBox(*h, QStringLiteral("Tools"));
    newBox(*h, QStringLiteral("Garden"));
    QTest::mouseClick(h->form->Shortcut[0], Qt::LeftButton);
    writeProperty(*h, newObject(*h), QStringLiteral("Name"), QStringLiteral("Hammer"));
    writeProperty(*h, newObject(*h), QStringLiteral("Name"), QStringLiteral("Rake"));
    return h;
}

void search(Harness &h, const QString &text)
{
    h.form->txttagname->clear();
    Harness::typeInto(h.form->txttagname, text);
    QTest::mouseClick(h.form->btnsearch, Qt::LeftButton);
}

} // namespace

void SearchTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void SearchTest::listsMatchesByKind_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("beeps");
    QTest::newRow("box: body and strip match, body lists")
        << QStringLiteral("Tools") << QStringList{QStringLiteral("Tools"), separator} << 2;
    QTest::newRow("stored object")
        << QStringLiteral("Hammer")
        << QStringList{QStringLiteral("Hammer"), QStringLiteral(" in Garden"), separator}
        << 1;
    QTest::newRow("part of a name, other case")
        << QStringLiteral("RDE")
        << QStringList{QStringLiteral("Garden"), separator} << 2;
    // "Start", the start object, matches too: a beep without lines.
    QTest::newRow("several, in drawing order")
        << QStringLiteral("a")
        << QStringList{QStringLiteral("Garden"), separator, QStringLiteral("Hammer"),
                       QStringLiteral(" in Garden"), separator, QStringLiteral("Rake"),
                       QStringLiteral(" in Garden"), separator}
        << 5;
    QTest::newRow("no match") << QStringLiteral("Spade") << QStringList{} << 0;
}

void SearchTest::listsMatchesByKind()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QFETCH(int, beeps);
    auto h = drawing();
    h->form->List1->addItem(QStringLiteral("left over"));
    const int before = h->platform->beeps;

    search(*h, text);

    QCOMPARE(listLines(h->form->List1), lines);
    QCOMPARE(h->platform->beeps, before + beeps);
    QCOMPARE(h->form->Label19->text(), QStringLiteral("Objects Found"));
    QVERIFY(!h->form->List1->isHidden());
    QVERIFY(h->form->locationcombo1->isHidden());
    QCOMPARE(backgroundOf(h->form->List1), QColor(255, 255, 0));
    QCOMPARE(foregroundOf(h->form->List1), QColor(0, 0, 0));
    QCOMPARE(h->canvas().ToolMode(), qint16(0));
}

void SearchTest::enterInTheSearchFieldSearchesToo()
{
    auto h = drawing();
    h->form->txttagname->clear();
    Harness::typeInto(h->form->txttagname, QStringLiteral("rake"));
    QTest::keyClick(h->form->txttagname, Qt::Key_Return);
    QCOMPARE(listLines(h->form->List1),
             (QStringList{QStringLiteral("Rake"), QStringLiteral(" in Garden"), separator}));
}

void SearchTest::changesNoObject()
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
    search(*h, QStringLiteral("e"));
    QVERIFY(h->form->List1->count() > 0);
    QCOMPARE(snapshot(), before);
}

QTEST_MAIN(SearchTest)
#include "searchtest.moc"
