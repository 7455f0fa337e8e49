// Start-up: the start object made or found, the type and box choosers filled from it,
// and the window's first texts.

#include "canvas/vellum.h"
#include "store/rules/textrules.h"
#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

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
        DocumentBuilder doc;
        for (int i = 0; i < 2; ++i) {
            doc.add(5, 90, 35, 135,
                    {{u"Type"_s, u"Loadout"_s}, {u"Name"_s, u"Start"_s}, {u"Boxes"_s, QString()},
                     {u"SaveId"_s, u"4"_s}, {u"ObjectTypes"_s, typeTableWithNames()}});
        }
        h.startOn(doc);
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
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty piece skipped")
            << QStringList {u"A"_s, QString(), u"B"_s} << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("alphabetical, case ignored")
            << QStringList {u"shed"_s, u"Attic"_s, u"garage"_s}
            << QStringList {u"Attic"_s, u"garage"_s, u"shed"_s};
        QTest::newRow("no boxes") << QStringList() << QStringList();
        QTest::newRow("a single CR LF") << QStringList {QString()} << QStringList();
    }

    void boxList()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, expected);
        Harness h(false);
        DocumentBuilder doc;
        doc.startObject(boxes, u"4"_s, typeTableWithNames());
        h.startOn(doc);
        QCOMPARE(steps::comboLines(h.form->locationcombo1), expected);
        QCOMPARE(h.form->boxNameText, TextRules::joinCrLf(boxes));
        for (int i = 0; i < 45; ++i) {
            QPushButton *button = h.form->Shortcut[size_t(i)];
            QCOMPARE(button->isVisibleTo(h.form.get()), i < expected.size());
            if (i < expected.size())
                QCOMPARE(button->text(), expected.at(i));
        }
        QCOMPARE(h.form->currentBox, 0);
    }

    // The month advancer's heading and some of its 24 steps; the colour chooser's names.
    void choosersListTheirEntries()
    {
        Harness h;
        QCOMPARE(h.form->Combo2->count(), 25);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
        const QList<std::pair<int, QString>> months {
            {0, u" Month Advancer"_s}, {1, u"1  Month"_s},   {2, u"2  Months"_s},
            {12, u"  1   Year"_s},     {13, u"13  Months"_s}, {24, u"   2   Years"_s}};
        for (const auto &[entry, text] : months)
            QCOMPARE(h.form->Combo2->itemText(entry), text);
        const QStringList colours {
            u"Black"_s,       u"Dark Blue"_s,  u"Green"_s,      u"Cyan"_s,          u"Wine"_s,
            u"Magenta"_s,     u"Mustard"_s,    u"Light Gray"_s, u"Dark Gray"_s,     u"Blue"_s,
            u"Light Green"_s, u"Light Cyan"_s, u"Red"_s,        u"Light Magenta"_s, u"Yellow"_s};
        QCOMPARE(steps::comboLines(h.form->colour), colours);
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
