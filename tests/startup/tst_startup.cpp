#include "canvas/vellum.h"
#include "store/rules/textrules.h"
#include "support/testsupport.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QString crlfList(const QStringList &items)
{
    return TextRules::joinCrLf(items);
}

// Writes "pic" in the current folder: a start object (when typeTable is not null) and,
// for every box name, a box body and its strip.
void writeDocument(const QStringList &startNames, const QString &boxes, const QString &typeTable,
                   const QStringList &boxNames = {})
{
    VellumModel model;
    for (const QString &name : startNames) {
        model.AddObject(10, 5, 90, 35, 135);
        model.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Loadout"));
        model.SetUserProperty(QStringLiteral("Name"), name);
        model.SetUserProperty(QStringLiteral("Boxes"), boxes);
        model.SetUserProperty(QStringLiteral("SaveId"), QStringLiteral("4"));
        model.SetUserProperty(QStringLiteral("ObjectTypes"), typeTable);
    }
    int x = 100;
    for (const QString &name : boxNames) {
        model.AddObject(10, x, 100, x + 44, 147);
        model.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Location"));
        model.SetUserProperty(QStringLiteral("Name"), name);
        model.AddObject(10, x, 147, x + 44, 155);
        model.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Loadout"));
        model.SetUserProperty(QStringLiteral("Name"), name);
        x += 60;
    }
    QVERIFY(model.SaveDocument(QStringLiteral("pic")));
}

QStringList entries(const QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QString typeTableWithNames()
{
    QStringList cells(255, QString());
    for (int k = 0; k < 15; ++k)
        cells[17 * k] = QStringLiteral("Type %1").arg(k);
    return crlfList(cells);
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void initialTextsBeforeStartUp()
    {
        Harness h(false);
        QCOMPARE(h.form->windowTitle(), QStringLiteral("Ambrook"));
        QCOMPARE(h.form->textheader->text(), QStringLiteral("Enter the Caption for each object here"));
        QCOMPARE(h.form->Combo1->currentText(), QStringLiteral("Choose Type"));
        QCOMPARE(h.form->colour->currentText(), QStringLiteral(" Colour"));
        QCOMPARE(h.form->locationcombo1->currentText(), QStringLiteral("Choose Box"));
        QCOMPARE(h.form->SaveChanges->text(), QStringLiteral("Save Changes"));
        for (int i = 0; i < 16; ++i)
            QVERIFY(h.control<QWidget>(QStringLiteral("Command2(%1)").arg(i))->isVisibleTo(h.form.get()));
    }

    void emptyFolderCreatesTheStartObject()
    {
        Harness h;
        ::Vellum &canvas = h.canvas();
        const qint32 start = h.form->startObject;
        QVERIFY(start > 0);
        QCOMPARE(h.findId(QStringLiteral("Name"), QStringLiteral("Start")), start);
        const QList<std::pair<QString, QString>> expected = {
            {QStringLiteral("Type"), QStringLiteral("Loadout")},
            {QStringLiteral("Name"), QStringLiteral("Start")},
            {QStringLiteral("Info"), QStringLiteral("Start")},
            {QStringLiteral("set"), QStringLiteral("Start")},
            {QStringLiteral("SaveId"), QStringLiteral("0")},
            {QStringLiteral("Boxes"), QString()},
            {QStringLiteral("Colour"), QStringLiteral("3")},
            {QStringLiteral("ObjectTypes"), crlfList(QStringList(255, QString()))},
        };
        for (const auto &[key, value] : expected)
            QCOMPARE(h.property(start, key), value);
        const VellumObject *object = canvas.objectById(start);
        QCOMPARE(object->kind, qint16(10));
        QCOMPARE(QRect(QPoint(object->x1, object->y1), QPoint(object->x2, object->y2)),
                 QRect(QPoint(5, 90), QPoint(35, 135)));
        QCOMPARE(object->fillColor, QColor(0, 128, 128));
        QCOMPARE(object->textColor, QColor(255, 255, 255));
        QCOMPARE(object->objectText, QStringLiteral("Start"));
        QCOMPARE(object->shapeParam, qint16(200));
        QCOMPARE(h.form->typeTableTextValue, crlfList(QStringList(255, QString())));
        QCOMPARE(h.form->Combo1->count(), 0);
        QVERIFY(QDir(QStringLiteral("backups")).exists());
        // Nothing is written to disk at start-up.
        QVERIFY(!QFile::exists(QStringLiteral("pic")));
    }

    void secondStartListsFifteenTypes()
    {
        WorkingFolder folder;
        {
            Harness first(false);
            QDir::setCurrent(folder.path());
            first.start();
            QVERIFY(first.canvas().SaveDocument(QStringLiteral("pic")));
        }
        Harness second(false);
        QDir::setCurrent(folder.path());
        second.start();
        QCOMPARE(second.form->Combo1->count(), 15);
        QCOMPARE(entries(second.form->Combo1), QStringList(15, QString()));
    }

    void typeChooserGetsTheNames()
    {
        Harness h(false);
        writeDocument({QStringLiteral("Start")}, QString(), typeTableWithNames());
        h.start();
        QStringList names;
        for (int k = 0; k < 15; ++k)
            names << QStringLiteral("Type %1").arg(k);
        QCOMPARE(entries(h.form->Combo1), names);
        QCOMPARE(h.form->Combo1->currentText(), QStringLiteral("Choose Type"));
    }

    void lastStartObjectWins()
    {
        Harness h(false);
        writeDocument({QStringLiteral("Start"), QStringLiteral("Start")}, QString(),
                      typeTableWithNames());
        h.start();
        const auto &objects = h.canvas().objects();
        QCOMPARE(h.form->startObject, objects.at(1)->id);
        QCOMPARE(h.property(objects.at(0)->id, QStringLiteral("Info")), QStringLiteral("Start"));
        QCOMPARE(h.property(objects.at(1)->id, QStringLiteral("Info")), QStringLiteral("Start"));
        QCOMPARE(h.form->Combo1->count(), 15);
    }

    void boxList_data()
    {
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty piece skipped") << crlfList({QStringLiteral("A"), QString(), QStringLiteral("B")})
                                             << QStringList{QStringLiteral("A"), QStringLiteral("B")};
        QTest::newRow("alphabetical, case ignored")
            << crlfList({QStringLiteral("shed"), QStringLiteral("Attic"), QStringLiteral("garage")})
            << QStringList{QStringLiteral("Attic"), QStringLiteral("garage"), QStringLiteral("shed")};
        QTest::newRow("no boxes") << QString() << QStringList();
        QTest::newRow("a single CR LF") << QStringLiteral("\r\n") << QStringList();
    }

    void boxList()
    {
        QFETCH(QString, boxes);
        QFETCH(QStringList, expected);
        Harness h(false);
        writeDocument({QStringLiteral("Start")}, boxes, typeTableWithNames());
        h.start();
        QCOMPARE(entries(h.form->locationcombo1), expected);
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
            names << QStringLiteral("Box %1").arg(i, 2, 10, QLatin1Char('0'));
        Harness h(false);
        writeDocument({QStringLiteral("Start")}, crlfList(names), typeTableWithNames());
        h.start();
        QCOMPARE(entries(h.form->locationcombo1), names);
        QCOMPARE(h.form->Shortcut[44]->text(), names.at(44));
        QVERIFY(h.form->Shortcut[44]->isVisibleTo(h.form.get()));
    }

    void damagedTypeTableIsPadded()
    {
        Harness h(false);
        writeDocument({QStringLiteral("Start")}, QString(),
                      crlfList({QStringLiteral("Tools"), QStringLiteral("Size")}));
        h.start();
        QCOMPARE(h.form->Combo1->count(), 15);
        QCOMPARE(h.form->Combo1->itemText(0), QStringLiteral("Tools"));
        const QStringList cells = TextRules::splitCrLf(h.form->typeTableTextValue);
        QCOMPARE(cells.size(), 256);
        QCOMPARE(cells.at(1), QStringLiteral("Size"));
        QCOMPARE(h.property(h.form->startObject, QStringLiteral("ObjectTypes")),
                 h.form->typeTableTextValue);
    }

    void monthAdvancer_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << QStringLiteral(" Month Advancer");
        QTest::newRow("1") << 1 << QStringLiteral("1  Month");
        QTest::newRow("2") << 2 << QStringLiteral("2  Months");
        QTest::newRow("11") << 11 << QStringLiteral("11  Months");
        QTest::newRow("12") << 12 << QStringLiteral("  1   Year");
        QTest::newRow("13") << 13 << QStringLiteral("13  Months");
        QTest::newRow("23") << 23 << QStringLiteral("23  Months");
        QTest::newRow("24") << 24 << QStringLiteral("   2   Years");
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
        const QStringList expected{
            QStringLiteral("Black"),      QStringLiteral("Dark Blue"),   QStringLiteral("Green"),
            QStringLiteral("Cyan"),       QStringLiteral("Wine"),        QStringLiteral("Magenta"),
            QStringLiteral("Mustard"),    QStringLiteral("Light Gray"),  QStringLiteral("Dark Gray"),
            QStringLiteral("Blue"),       QStringLiteral("Light Green"), QStringLiteral("Light Cyan"),
            QStringLiteral("Red"),        QStringLiteral("Light Magenta"), QStringLiteral("Yellow")};
        QCOMPARE(entries(h.form->colour), expected);
    }

    void calendarOnToday()
    {
        Harness h;
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
    }

    void closeCommandIsGone()
    {
        Harness h;
        QVERIFY(!h.form->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!h.form->close());
        QVERIFY(h.form->isVisible());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
