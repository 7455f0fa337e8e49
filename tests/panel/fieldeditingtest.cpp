// Typing into the panel's fields writes the selected object at once.

#include "panelfixture.h"

#include "panel/panel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace panelfixture;

class FieldEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyKeystrokeIsStored();
    void severalSelectedStoreNothing();
    void nameFieldRenamesAndRedraws_data();
    void nameFieldRenamesAndRedraws();
    void headerRenamesOnlyStoredObjects_data();
    void headerRenamesOnlyStoredObjects();
    void headerTestsTheCurrentObjectButWritesTheSelected();
    void emptiedValueStoresEmptyText();
    void historyIsStoredOnlyBySaveChanges();
};

void FieldEditingTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void FieldEditingTest::everyKeystrokeIsStored()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Lamp")});
    h->clickObject(id);
    QLineEdit *field = h->control<QLineEdit>(QStringLiteral("Text5"));
    QVERIFY(field);
    QVERIFY(field->text().isEmpty());

    QStringList shown;
    QStringList stored;
    // Connected after the window's own rule, so it sees what the rule stored.
    connect(field, &QLineEdit::textChanged, field, [&](const QString &text) {
        shown << text;
        stored << h->property(id, QStringLiteral("5"));
    });
    Harness::typeInto(field, QStringLiteral("abc"));
    const QStringList expected {QStringLiteral("a"), QStringLiteral("ab"), QStringLiteral("abc")};
    QCOMPARE(shown, expected);
    QCOMPARE(stored, expected);
}

void FieldEditingTest::severalSelectedStoreNothing()
{
    auto h = start();
    const qint32 a = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Lamp")});
    const qint32 b = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Vase")});
    putProperty(*h, a, QStringLiteral("5"), QStringLiteral("brass"));
    h->clickObject(a);
    h->clickObject(b, Qt::ShiftModifier);
    QCOMPARE(h->canvas().ObjectCount(2), 2);

    Harness::typeInto(h->form->Text5, QStringLiteral("xy"));
    Harness::typeInto(h->form->Value, QStringLiteral("9"));
    QCOMPARE(h->property(a, QStringLiteral("5")), QStringLiteral("brass"));
    QCOMPARE(h->property(b, QStringLiteral("5")), QString());
    QCOMPARE(h->property(a, QStringLiteral("Value")), QStringLiteral("0"));
    QCOMPARE(h->property(b, QStringLiteral("Value")), QStringLiteral("0"));
}

void FieldEditingTest::nameFieldRenamesAndRedraws_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("drawnAfter");
    QTest::newRow("box body") << QStringLiteral("Location") << QStringLiteral("Shelf");
    QTest::newRow("stored object") << QStringLiteral("Object") << QStringLiteral("Shelf");
    // A picture keeps the text drawn on it.
    QTest::newRow("picture") << QStringLiteral("Pic") << QStringLiteral("sunset");
}

void FieldEditingTest::nameFieldRenamesAndRedraws()
{
    QFETCH(QString, type);
    QFETCH(QString, drawnAfter);
    auto h = start();
    const qint32 id = addObject(*h, {type, QStringLiteral("Crate")});
    h->canvas().SetCurrentObject(id);
    h->canvas().SetObjectText(QStringLiteral("sunset"));
    h->clickObject(id);
    QVERIFY(h->form->txtName->isEnabled());

    retype(h->form->txtName, QStringLiteral("Shelf"));
    QCOMPARE(h->property(id, QStringLiteral("Name")), QStringLiteral("Shelf"));
    QCOMPARE(object(*h, id).objectText, drawnAfter);
}

void FieldEditingTest::headerRenamesOnlyStoredObjects_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("nameAfter");
    QTest::newRow("stored object") << QStringLiteral("Object") << QStringLiteral("Drill");
    QTest::newRow("box body") << QStringLiteral("Location") << QStringLiteral("Crate");
    QTest::newRow("loadout strip") << QStringLiteral("Loadout") << QStringLiteral("Crate");
    QTest::newRow("picture") << QStringLiteral("Pic") << QStringLiteral("Crate");
}

void FieldEditingTest::headerRenamesOnlyStoredObjects()
{
    QFETCH(QString, type);
    QFETCH(QString, nameAfter);
    auto h = start();
    const qint32 id = addObject(*h, {type, QStringLiteral("Crate")});
    h->clickObject(id);
    QCOMPARE(h->form->textheader->text(), QStringLiteral("Crate"));

    retype(h->form->textheader, QStringLiteral("Drill"));
    QCOMPARE(h->property(id, QStringLiteral("Name")), nameAfter);
    QCOMPARE(object(*h, id).objectText, nameAfter);
}

void FieldEditingTest::headerTestsTheCurrentObjectButWritesTheSelected()
{
    auto h = start();
    const qint32 box = addObject(*h, {QStringLiteral("Location"), QStringLiteral("Attic")});
    const qint32 waiting = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Rug")});
    h->form->readyList = {QString::number(waiting)};
    h->clickObject(box);
    // The click leaves the last waiting object current: its "Type" lets the header through,
    // and the new name lands on the selected box.
    QCOMPARE(h->canvas().CurrentObject(), waiting);
    Harness::typeInto(h->form->textheader, QStringLiteral("s"));
    QCOMPARE(h->property(box, QStringLiteral("Name")), QStringLiteral("Attics"));
    QCOMPARE(object(*h, box).objectText, QStringLiteral("Attics"));
    QCOMPARE(h->property(waiting, QStringLiteral("Name")), QStringLiteral("Rug"));
}

void FieldEditingTest::emptiedValueStoresEmptyText()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Clock")});
    putProperty(*h, id, QStringLiteral("Value"), QStringLiteral("12"));
    h->clickObject(id);
    QCOMPARE(h->form->Value->text(), QStringLiteral("12"));
    h->form->Value->setFocus();
    h->form->Value->end(false);
    QTest::keyClick(h->form->Value, Qt::Key_Backspace);
    QTest::keyClick(h->form->Value, Qt::Key_Backspace);
    QCOMPARE(h->form->Value->text(), QString());
    h->canvas().SetCurrentObject(id);
    QCOMPARE(h->canvas().UserProperty(QStringLiteral("Value")), QString());
}

void FieldEditingTest::historyIsStoredOnlyBySaveChanges()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Chair")});
    const QString history = QStringLiteral("Attic - Cellar\r\n1/2/2026\r\n");
    putProperty(*h, id, QStringLiteral("MovementHistory"), history);
    h->clickObject(id);

    Harness::typeInto(h->form->movehistory, QStringLiteral("lent out"));
    QCOMPARE(h->property(id, QStringLiteral("MovementHistory")), history);
    // The next press empties the box and shows the stored history again.
    h->clickObject(id);
    QCOMPARE(h->form->movehistory->toPlainText(), QStringLiteral("Attic - Cellar\n1/2/2026\n"));

    Harness::typeInto(h->form->movehistory, QStringLiteral("lent out"));
    h->form->SaveChanges->click();
    QCOMPARE(h->property(id, QStringLiteral("MovementHistory")),
             QStringLiteral("Attic - Cellar\r\n1/2/2026\r\nlent out"));
}

int runFieldEditingTest(int argc, char **argv)
{
    FieldEditingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "fieldeditingtest.moc"
