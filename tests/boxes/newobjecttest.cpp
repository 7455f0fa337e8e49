// "New Object": a white 4 x 4 square at the current box's corner with every key a
// stored object carries, above the boxes.

#include "boxfixture.h"

#include <QPlainTextEdit>

using namespace boxfixture;

class NewObjectTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void carriesEveryKeyInOrder();
    void isAWhiteSquareAtTheBoxCorner();
    void twoInARowShareTheSquare();
    void belongsToTheChosenBox();
    void withoutBoxesBelongsToNone();
};

void NewObjectTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void NewObjectTest::carriesEveryKeyInOrder()
{
    Harness h;
    newBox(h, QStringLiteral("Shed"));
    const qint32 id = newObject(h);

    QStringList keys{QStringLiteral("Type"), QStringLiteral("TypeIndex"),
                     QStringLiteral("Name"), QStringLiteral("Header"), QStringLiteral("Info")};
    QStringList values{QStringLiteral("Object"), QStringLiteral("0"), QStringLiteral("Object"),
                       QString(), QStringLiteral("Shed")};
    for (int n = 1; n <= 18; ++n) {
        keys << QString::number(n);
        values << QString();
    }
    keys << QStringLiteral("Colour") << QStringLiteral("MovementHistory")
         << QStringLiteral("Value");
    values << QStringLiteral("15") << QString() << QStringLiteral("0");

    QStringList storedKeys;
    QStringList storedValues;
    for (const auto &[key, value] : object(h, id).properties) {
        storedKeys << key;
        storedValues << value;
    }
    QCOMPARE(storedKeys, keys);
    QCOMPARE(storedValues, values);
}

void NewObjectTest::isAWhiteSquareAtTheBoxCorner()
{
    Harness h;
    newBox(h, QStringLiteral("Shed"));
    h.form->movehistory->setPlainText(QStringLiteral("old history"));
    const qint32 id = newObject(h);

    const VellumObject &body = object(h, boxParts(h, QStringLiteral("Shed")).first);
    const VellumObject &o = object(h, id);
    QCOMPARE(QPoint(h.form->dropX, h.form->dropY), QPoint(body.x1, body.y1));
    QCOMPARE(QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2)),
             QRect(QPoint(body.x1, body.y1), QPoint(body.x1 + 4, body.y1 + 4)));
    QCOMPARE(o.kind, qint16(10));
    QCOMPARE(o.drawStyle, qint16(2));
    QCOMPARE(o.objectText, QStringLiteral("Object"));
    QCOMPARE(o.fillColor, palette(15));
    QCOMPARE(o.textColor, palette(0));
    QCOMPARE(o.shapeParam, qint16(14));
    QCOMPARE(o.fillMode, qint16(1));
    QVERIFY(!o.selected);
    // Restacked: stored objects are drawn above the box bodies.
    QVERIFY(o.layer > body.layer);
    QCOMPARE(h.form->movehistory->toPlainText(), QString());
}

void NewObjectTest::twoInARowShareTheSquare()
{
    Harness h;
    newBox(h, QStringLiteral("Shed"));
    const qint32 first = newObject(h);
    const qint32 second = newObject(h);
    QVERIFY(first != second);
    const VellumObject &a = object(h, first);
    const VellumObject &b = object(h, second);
    QCOMPARE(QRect(QPoint(b.x1, b.y1), QPoint(b.x2, b.y2)),
             QRect(QPoint(a.x1, a.y1), QPoint(a.x2, a.y2)));
    QCOMPARE(h.property(first, QStringLiteral("Name")), QStringLiteral("Object"));
    QCOMPARE(h.property(second, QStringLiteral("Name")), QStringLiteral("Object"));
    QCOMPARE(h.form->locationcombo1->count(), 1);
}

void NewObjectTest::belongsToTheChosenBox()
{
    Harness h;
    newBox(h, QStringLiteral("Cellar"));
    newBox(h, QStringLiteral("Attic"));
    QCOMPARE(h.form->currentBox, 0);

    QTest::mouseClick(h.form->Shortcut[1], Qt::LeftButton);
    const qint32 id = newObject(h);
    QCOMPARE(h.property(id, QStringLiteral("Info")), QStringLiteral("Cellar"));
    const VellumObject &cellar = object(h, boxParts(h, QStringLiteral("Cellar")).first);
    QCOMPARE(QPoint(object(h, id).x1, object(h, id).y1), QPoint(cellar.x1, cellar.y1));
}

void NewObjectTest::withoutBoxesBelongsToNone()
{
    Harness h;
    QCOMPARE(h.form->locationcombo1->count(), 0);
    const qint32 id = newObject(h);
    QCOMPARE(h.property(id, QStringLiteral("Type")), QStringLiteral("Object"));
    QCOMPARE(h.property(id, QStringLiteral("Info")), QString());
    const VellumObject &o = object(h, id);
    QCOMPARE(QPoint(o.x1, o.y1), QPoint(h.form->dropX, h.form->dropY));
}

int runNewObjectTest(int argc, char **argv)
{
    NewObjectTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "newobjecttest.moc"
