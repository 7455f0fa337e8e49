// Start-up: the start object made or found, the type and box choosers filled from it,
// and the window's first texts.

#include "canvas/vellum.h"
#include "store/rules/textrules.h"
#include "support/testsupport.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Writes "pic" in the current folder: a start object (when typeTable is not null) and,
// for every box name, a box body and its strip.
void writeDocument(const QStringList &startNames, const QString &boxes, const QString &typeTable,
                   const QStringList &boxNames = {})
{
    VellumModel model;
    for (const QString &name : startNames) {
        model.AddObject(10, 5, 90, 35, 135);
        model.SetUserProperty(u"Type"_s, u"Loadout"_s);
        model.SetUserProperty(u"Name"_s, name);
        model.SetUserProperty(u"Boxes"_s, boxes);
        model.SetUserProperty(u"SaveId"_s, u"4"_s);
        model.SetUserProperty(u"ObjectTypes"_s, typeTable);
    }
    int x = 100;
    for (const QString &name : boxNames) {
        model.AddObject(10, x, 100, x + 44, 147);
        model.SetUserProperty(u"Type"_s, u"Location"_s);
        model.SetUserProperty(u"Name"_s, name);
        model.AddObject(10, x, 147, x + 44, 155);
        model.SetUserProperty(u"Type"_s, u"Loadout"_s);
        model.SetUserProperty(u"Name"_s, name);
        x += 60;
    }
    QVERIFY(model.SaveDocument(u"pic"_s));
}

QString typeTableWithNames()
{
    QStringList cells(255, QString());
    for (int k = 0; k < 15; ++k)
        cells[17 * k] = u"Type %1"_s.arg(k);
    return TextRules::joinCrLf(cells);
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void initialTextsBeforeStartUp()
    {
        Harness h(false);
        QCOMPARE(h.form->windowTitle(), u"Ambrook"_s);
        QCOMPARE(h.form->textheader->text(), u"Enter the Caption for each object here"_s);
        QCOMPARE(h.form->Combo1->currentText(), u"Choose Type"_s);
        QCOMPARE(h.form->colour->currentText(), u" Colour"_s);
        QCOMPARE(h.form->locationcombo1->currentText(), u"Choose Box"_s);
    }

    void emptyFolderCreatesTheStartObject()
    {
        Harness h;
        ::Vellum &canvas = h.canvas();
        const qint32 start = h.form->startObject;
        QVERIFY(start > 0);
        QCOMPARE(h.findId(u"Name"_s, u"Start"_s), start);
        const QList<std::pair<QString, QString>> expected = {
            {u"Type"_s, u"Loadout"_s}, {u"Name"_s, u"Start"_s},
            {u"Info"_s, u"Start"_s},   {u"set"_s, u"Start"_s},
            {u"SaveId"_s, u"0"_s},     {u"Boxes"_s, QString()},
            {u"Colour"_s, u"3"_s},
            {u"ObjectTypes"_s, TextRules::joinCrLf(QStringList(255, QString()))},
        };
        for (const auto &[key, value] : expected)
            QCOMPARE(h.property(start, key), value);
        const VellumObject *object = canvas.objectById(start);
        QCOMPARE(object->kind, qint16(10));
        QCOMPARE(QRect(QPoint(object->x1, object->y1), QPoint(object->x2, object->y2)),
                 QRect(QPoint(5, 90), QPoint(35, 135)));
        QCOMPARE(object->fillColor, QColor(0, 128, 128));
        QCOMPARE(object->textColor, QColor(255, 255, 255));
        QCOMPARE(object->objectText, u"Start"_s);
        QCOMPARE(object->shapeParam, qint16(200));
        QCOMPARE(h.form->typeTableTextValue, TextRules::joinCrLf(QStringList(255, QString())));
        QCOMPARE(h.form->Combo1->count(), 0);
        QVERIFY(QDir(u"backups"_s).exists());
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        // Nothing is written to disk at start-up.
        QVERIFY(!QFile::exists(u"pic"_s));
    }

    void secondStartListsFifteenTypes()
    {
        WorkingFolder folder;
        {
            Harness first(false);
            QDir::setCurrent(folder.path());
            first.start();
            QVERIFY(first.canvas().SaveDocument(u"pic"_s));
        }
        Harness second(false);
        QDir::setCurrent(folder.path());
        second.start();
        QCOMPARE(second.form->Combo1->count(), 15);
        QCOMPARE(steps::comboLines(second.form->Combo1), QStringList(15, QString()));
    }

    void lastStartObjectWins()
    {
        Harness h(false);
        writeDocument({u"Start"_s, u"Start"_s}, QString(), typeTableWithNames());
        h.start();
        const auto &objects = h.canvas().objects();
        QCOMPARE(h.form->startObject, objects.at(1)->id);
        QCOMPARE(h.property(objects.at(0)->id, u"Info"_s), u"Start"_s);
        QCOMPARE(h.property(objects.at(1)->id, u"Info"_s), u"Start"_s);
        QStringList names;
        for (int k = 0; k < 15; ++k)
            names << u"Type %1"_s.arg(k);
        QCOMPARE(steps::comboLines(h.form->Combo1), names);
        QCOMPARE(h.form->Combo1->currentText(), u"Choose Type"_s);
    }

    void boxList_data()
    {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty piece skipped")
            << TextRules::joinCrLf({u"A"_s, QString(), u"B"_s}) << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("alphabetical, case ignored")
            << TextRules::joinCrLf({u"shed"_s, u"Attic"_s, u"garage"_s})
            << QStringList {u"Attic"_s, u"garage"_s, u"shed"_s};
        QTest::newRow("no boxes") << QString() << QStringList();
        QTest::newRow("a single CR LF") << u"\r\n"_s << QStringList();
    }

    void boxList()
    {
        QFETCH(QString, boxes);
        QFETCH(QStringList, expected);
        Harness h(false);
        writeDocument({u"Start"_s}, boxes, typeTableWithNames());
        h.start();
        QCOMPARE(steps::comboLines(h.form->locationcombo1), expected);
        QCOMPARE(h.form->boxNameText, boxes);
        for (int i = 0; i < 45; ++i) {
            QPushButton *button = h.form->Shortcut[size_t(i)];
            QCOMPARE(button->isVisibleTo(h.form.get()), i < expected.size());
            if (i < expected.size())
                QCOMPARE(button->text(), expected.at(i));
        }
        QCOMPARE(h.form->currentBox, 0);
    }

    void moreThanFortyFiveBoxesKeepsEveryName()
    {
        QStringList names;
        for (int i = 0; i < 47; ++i)
            names << u"Box %1"_s.arg(i, 2, 10, QLatin1Char('0'));
        Harness h(false);
        writeDocument({u"Start"_s}, TextRules::joinCrLf(names), typeTableWithNames());
        h.start();
        QCOMPARE(steps::comboLines(h.form->locationcombo1), names);
        QCOMPARE(h.form->Shortcut[44]->text(), names.at(44));
        QVERIFY(h.form->Shortcut[44]->isVisibleTo(h.form.get()));
    }

    void damagedTypeTableIsPadded()
    {
        Harness h(false);
        writeDocument({u"Start"_s}, QString(), TextRules::joinCrLf({u"Tools"_s, u"Size"_s}));
        h.start();
        QCOMPARE(h.form->Combo1->count(), 15);
        QCOMPARE(h.form->Combo1->itemText(0), u"Tools"_s);
        const QStringList cells = TextRules::splitCrLf(h.form->typeTableTextValue);
        QCOMPARE(cells.size(), 256);
        QCOMPARE(cells.at(1), u"Size"_s);
        QCOMPARE(h.startProperty(u"ObjectTypes"_s), h.form->typeTableTextValue);
    }

    void monthAdvancer_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << u" Month Advancer"_s;
        QTest::newRow("1") << 1 << u"1  Month"_s;
        QTest::newRow("2") << 2 << u"2  Months"_s;
        QTest::newRow("12") << 12 << u"  1   Year"_s;
        QTest::newRow("13") << 13 << u"13  Months"_s;
        QTest::newRow("24") << 24 << u"   2   Years"_s;
    }

    void monthAdvancer()
    {
        QFETCH(int, entry);
        QFETCH(QString, text);
        Harness h;
        QCOMPARE(h.form->Combo2->count(), 25);
        QCOMPARE(h.form->Combo2->itemText(entry), text);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
    }

    void colourChooser()
    {
        Harness h;
        const QStringList expected {
            u"Black"_s,       u"Dark Blue"_s,  u"Green"_s,      u"Cyan"_s,          u"Wine"_s,
            u"Magenta"_s,     u"Mustard"_s,    u"Light Gray"_s, u"Dark Gray"_s,     u"Blue"_s,
            u"Light Green"_s, u"Light Cyan"_s, u"Red"_s,        u"Light Magenta"_s, u"Yellow"_s};
        QCOMPARE(steps::comboLines(h.form->colour), expected);
    }

    void closeCommandIsGone()
    {
        Harness h;
        const Qt::WindowFlags flags = h.form->windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint && flags & Qt::WindowMaximizeButtonHint);
        QVERIFY(!h.form->close());
        QVERIFY(h.form->isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
