// "New Box": the name check, the 45-box limit, the two drawn objects, the alphabetical
// box list and a free place on the drawing.

#include "boxfixture.h"

#include "store/rules/textrules.h"

#include <QLineEdit>

using namespace boxfixture;

class NewBoxTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onlyAnExactDuplicateIsRefused_data();
    void onlyAnExactDuplicateIsRefused();
    void theFortySixthBoxIsRefused();
    void bodyAndStripCarryTheirValues_data();
    void bodyAndStripCarryTheirValues();
    void namesTakeTheirAlphabeticalPlace();
    void aNewBoxTouchesNothing();
    void aFullDrawingPutsTheBoxBesideIt();
};

namespace {

QString startBoxes(Harness &h)
{
    return h.property(h.form->startObject, QStringLiteral("Boxes"));
}

QStringList boxList(Harness &h)
{
    QStringList names;
    for (int i = 0; i < h.form->locationcombo1->count(); ++i)
        names << h.form->locationcombo1->itemText(i);
    return names;
}

QStringList shownShortcuts(Harness &h)
{
    QStringList captions;
    for (QPushButton *button : h.form->Shortcut) {
        if (!button->isHidden())
            captions << button->text();
    }
    return captions;
}

} // namespace

void NewBoxTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void NewBoxTest::onlyAnExactDuplicateIsRefused_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("refused");
    QTest::newRow("same name") << QStringLiteral("Tools") << true;
    QTest::newRow("other letter case") << QStringLiteral("tools") << false;
    QTest::newRow("trailing space") << QStringLiteral("Tools ") << false;
    QTest::newRow("empty name") << QString() << false;
}

void NewBoxTest::onlyAnExactDuplicateIsRefused()
{
    QFETCH(QString, answer);
    QFETCH(bool, refused);
    Harness h;
    newBox(h, QStringLiteral("Tools"));
    const int objectsBefore = h.canvas().ObjectCount(1);

    newBox(h, answer);

    QCOMPARE(h.platform->prompts.last(), QStringLiteral("Please enter Box Name.."));
    if (refused) {
        QCOMPARE(h.platform->messages,
                 QStringList{QStringLiteral("Sorry, There is already a Box named Tools")});
        QCOMPARE(boxList(h), QStringList{QStringLiteral("Tools")});
        QCOMPARE(h.form->boxNameText, QStringLiteral("Tools\r\n"));
        QCOMPARE(h.canvas().ObjectCount(1), objectsBefore);
        return;
    }
    QVERIFY(h.platform->messages.isEmpty());
    QCOMPARE(boxList(h).size(), 2);
    QVERIFY(boxList(h).contains(answer));
    QCOMPARE(h.form->boxNameText, QStringLiteral("Tools\r\n") + answer + QStringLiteral("\r\n"));
    QCOMPARE(startBoxes(h), h.form->boxNameText);
    QCOMPARE(h.canvas().ObjectCount(1), objectsBefore + 2);
    const auto [body, strip] = boxParts(h, answer);
    QVERIFY(body > 0);
    QVERIFY(strip > 0);
}

void NewBoxTest::theFortySixthBoxIsRefused()
{
    Harness h;
    for (int i = 1; i <= 44; ++i)
        newBox(h, QStringLiteral("Box %1").arg(i, 2, 10, QLatin1Char('0')));
    QCOMPARE(boxList(h).size(), 44);
    QVERIFY(h.form->Shortcut[44]->isHidden());

    newBox(h, QStringLiteral("Box 45"));
    QVERIFY(h.platform->messages.isEmpty());
    QCOMPARE(shownShortcuts(h), boxList(h));
    QCOMPARE(boxList(h).size(), 45);

    const QString names = h.form->boxNameText;
    const int objects = h.canvas().ObjectCount(1);
    newBox(h, QStringLiteral("Box 46"));
    QCOMPARE(h.platform->messages,
             QStringList{QStringLiteral("Sorry, no more boxes available, please delete a box "
                                        "with info you don't use")});
    QCOMPARE(boxList(h).size(), 45);
    QVERIFY(!boxList(h).contains(QStringLiteral("Box 46")));
    QCOMPARE(h.form->boxNameText, names);
    QCOMPARE(startBoxes(h), names);
    QCOMPARE(h.canvas().ObjectCount(1), objects);
}

void NewBoxTest::bodyAndStripCarryTheirValues_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("typeIndex");
    QTest::addColumn<QColor>("text");
    QTest::addColumn<int>("shapeParam");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("bottom");
    QTest::newRow("body") << QStringLiteral("Location") << QStringLiteral("7")
                          << QStringLiteral("0") << QString() << palette(0) << 0 << 0 << 47;
    QTest::newRow("loadout strip") << QStringLiteral("Loadout") << QStringLiteral("0")
                                   << QString() << QStringLiteral("0") << palette(15) << 60
                                   << 47 << 55;
}

void NewBoxTest::bodyAndStripCarryTheirValues()
{
    QFETCH(QString, type);
    QFETCH(QString, colour);
    QFETCH(QString, value);
    QFETCH(QString, typeIndex);
    QFETCH(QColor, text);
    QFETCH(int, shapeParam);
    QFETCH(int, top);
    QFETCH(int, bottom);
    Harness h;
    newBox(h, QStringLiteral("Garage"));

    const auto [bodyId, stripId] = boxParts(h, QStringLiteral("Garage"));
    const VellumObject &body = object(h, bodyId);
    const qint32 id = idOf(h, type, QStringLiteral("Garage"));
    const VellumObject &o = object(h, id);
    QCOMPARE(h.property(id, QStringLiteral("Info")), QString());
    QCOMPARE(h.property(id, QStringLiteral("set")), QString());
    QCOMPARE(h.property(id, QStringLiteral("Colour")), colour);
    QCOMPARE(h.property(id, QStringLiteral("Value")), value);
    QCOMPARE(h.property(id, QStringLiteral("TypeIndex")), typeIndex);
    QCOMPARE(o.kind, qint16(10));
    QCOMPARE(o.drawStyle, qint16(2));
    QCOMPARE(o.objectText, QStringLiteral("Garage"));
    QCOMPARE(o.fillColor, palette(colour.toInt()));
    QCOMPARE(o.fillMode, qint16(1));
    QCOMPARE(o.shapeParam, qint16(shapeParam));
    QCOMPARE(o.textColor, text);

    // Both share the body's corner, which lies in the random area.
    const qint32 x = body.x1;
    const qint32 y = body.y1;
    QVERIFY(x >= 100 && x <= 599);
    QVERIFY(y >= 100 && y <= 599);
    QCOMPARE(QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2)),
             QRect(QPoint(x, y + top), QPoint(x + 44, y + bottom)));
    QVERIFY(stripId > 0);

    QCOMPARE(h.form->boxNameText, QStringLiteral("Garage\r\n"));
    QCOMPARE(startBoxes(h), QStringLiteral("Garage\r\n"));
}

void NewBoxTest::namesTakeTheirAlphabeticalPlace()
{
    Harness h;
    newBox(h, QStringLiteral("Mango"));
    newBox(h, QStringLiteral("apple"));
    newBox(h, QStringLiteral("Zebra"));
    QCOMPARE(h.form->currentBox, 2);

    newBox(h, QStringLiteral("banana"));
    const QStringList sorted{QStringLiteral("apple"), QStringLiteral("banana"),
                             QStringLiteral("Mango"), QStringLiteral("Zebra")};
    QCOMPARE(boxList(h), sorted);
    QCOMPARE(shownShortcuts(h), sorted);
    QCOMPARE(h.form->currentBox, 1);
    // The start object keeps the order of creation.
    QCOMPARE(TextRules::splitCrLf(startBoxes(h)),
             (QStringList{QStringLiteral("Mango"), QStringLiteral("apple"),
                          QStringLiteral("Zebra"), QStringLiteral("banana"), QString()}));

    // A name equal but for letter case goes after the one already there.
    newBox(h, QStringLiteral("APPLE"));
    QCOMPARE(boxList(h).mid(0, 2), (QStringList{QStringLiteral("apple"),
                                                QStringLiteral("APPLE")}));
    QCOMPARE(h.form->currentBox, 1);
    QCOMPARE(h.form->Shortcut[2]->text(), QStringLiteral("banana"));
}

void NewBoxTest::aNewBoxTouchesNothing()
{
    Harness h;
    // Obstacles over most of the random area leave a few gaps only.
    ::Vellum &canvas = h.canvas();
    for (int x = 100; x < 640; x += 90) {
        for (int y = 100; y < 640; y += 90) {
            canvas.AddObject(10, x, y, x + 40, y + 40);
            canvas.SetSelected(false);
        }
    }
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("Box %1").arg(i);
        newBox(h, name);
        const auto [body, strip] = boxParts(h, name);
        const VellumObject &o = object(h, body);
        // Only the box's own body and strip lie in its outline.
        QCOMPARE(canvas.ObjectsInRect(o.x1, o.y1, o.x1 + 44, o.y1 + 55, 8192), 2);
        QVERIFY(strip > 0);
    }
}

void NewBoxTest::aFullDrawingPutsTheBoxBesideIt()
{
    Harness h;
    h.canvas().AddObject(10, 90, 90, 660, 660);
    h.canvas().SetSelected(false);

    newBox(h, QStringLiteral("Overflow"));
    newBox(h, QStringLiteral("Overflow 2"));
    for (const QString &name : {QStringLiteral("Overflow"), QStringLiteral("Overflow 2")}) {
        const VellumObject &o = object(h, boxParts(h, name).first);
        QVERIFY2(o.x1 >= 700, qPrintable(QString::number(o.x1)));
        QCOMPARE(h.canvas().ObjectsInRect(o.x1, o.y1, o.x1 + 44, o.y1 + 55, 8192), 2);
    }
}

int runNewBoxTest(int argc, char **argv)
{
    NewBoxTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "newboxtest.moc"
