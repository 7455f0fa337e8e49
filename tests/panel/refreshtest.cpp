// What the panel shows after a press and click on the drawing.

#include "panelfixture.h"

#include "app/controls.h"
#include "panel/panel.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

using namespace panelfixture;

namespace {

QStringList captions(Harness &h)
{
    QStringList texts;
    for (QLabel *label : h.form->Label)
        texts << label->text();
    return texts;
}

QList<bool> covered(Harness &h)
{
    QList<bool> rows;
    for (RowCover *cover : h.form->Command2)
        rows << !cover->isHidden();
    return rows;
}

QList<bool> coveredFrom(int firstCovered)
{
    QList<bool> rows;
    for (int i = 0; i < 16; ++i)
        rows << (i >= firstCovered);
    return rows;
}

QStringList summary(Harness &h)
{
    return {h.form->txtType->text(), h.form->txtName->text(), h.form->txtInfo->text()};
}

} // namespace

class RefreshTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void singleSelectionFillsThePanel();
    void fillWritesBackAndRedraws_data();
    void fillWritesBackAndRedraws();
    void pressOnEmptySpace();
    void severalSelected_data();
    void severalSelected();
    void colourScheme_data();
    void colourScheme();
    void captionsAndCovers_data();
    void captionsAndCovers();
    void waitingObjectsAreListedAndRepainted();
    void historyShowsAllLinesWithCaretAtEnd();
    void rightButtonPress();
    void rightButtonPressOnPictureObjectOne();
};

void RefreshTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void RefreshTest::singleSelectionFillsThePanel()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Kettle")});
    putProperty(*h, id, QStringLiteral("Info"), QStringLiteral("Kitchen"));
    putProperty(*h, id, QStringLiteral("set"), QStringLiteral("Book"));
    putProperty(*h, id, QStringLiteral("1"), QStringLiteral("/tmp/kettle.txt"));
    putProperty(*h, id, QStringLiteral("17"), QStringLiteral("last"));
    putProperty(*h, id, QStringLiteral("18"), QStringLiteral("3/4/2026"));
    putProperty(*h, id, QStringLiteral("Value"), QStringLiteral("25"));
    h->clickObject(id);

    QCOMPARE(summary(*h),
             QStringList(
                 {QStringLiteral("Object"), QStringLiteral("Kettle"), QStringLiteral("Kitchen")}));
    QVERIFY(h->form->txtType->isEnabled() && h->form->txtName->isEnabled()
            && h->form->txtInfo->isEnabled());
    QCOMPARE(h->form->textheader->text(), QStringLiteral("Kettle"));
    QCOMPARE(h->form->Combo1->currentText(), QStringLiteral("Book"));
    QCOMPARE(h->form->Text1->text(), QStringLiteral("/tmp/kettle.txt"));
    QCOMPARE(h->form->Text17->text(), QStringLiteral("last"));
    QCOMPARE(h->form->Text18->text(), QStringLiteral("3/4/2026"));
    QCOMPARE(h->form->Value->text(), QStringLiteral("25"));
    QCOMPARE(h->form->colortext->text(), QStringLiteral("15"));
    QCOMPARE(h->form->zLabel7->text(), QString::number(id));
    QCOMPARE(h->form->colour->currentText(), QStringLiteral("Colour"));
    // The refresh wrote every value back unchanged.
    QCOMPARE(h->property(id, QStringLiteral("18")), QStringLiteral("3/4/2026"));
    QCOMPARE(h->property(id, QStringLiteral("Value")), QStringLiteral("25"));
}

void RefreshTest::fillWritesBackAndRedraws_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("drawn");
    QTest::newRow("stored object") << QStringLiteral("Object") << QStringLiteral("Kettle");
    QTest::newRow("box body") << QStringLiteral("Location") << QStringLiteral("Kettle");
    QTest::newRow("picture") << QStringLiteral("Pic") << QStringLiteral("old text");
}

void RefreshTest::fillWritesBackAndRedraws()
{
    QFETCH(QString, type);
    QFETCH(QString, drawn);
    auto h = start();
    const qint32 id = addObject(*h, {type, QStringLiteral("Kettle")});
    h->canvas().SetCurrentObject(id);
    h->canvas().SetObjectText(QStringLiteral("old text"));
    h->clickObject(id);
    QCOMPARE(object(*h, id).objectText, drawn);
    // Again while the fields already show the object's values: the rules still run.
    h->canvas().SetCurrentObject(id);
    h->canvas().SetObjectText(QStringLiteral("old text"));
    h->clickObject(id);
    QCOMPARE(object(*h, id).objectText, drawn);
    QCOMPARE(h->property(id, QStringLiteral("Name")), QStringLiteral("Kettle"));
}

void RefreshTest::pressOnEmptySpace()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Kettle")});
    putProperty(*h, id, QStringLiteral("5"), QStringLiteral("steel"));
    putProperty(*h, id, QStringLiteral("MovementHistory"), QStringLiteral("A - B\r\n"));
    h->clickObject(id);
    QCOMPARE(h->form->Text5->text(), QStringLiteral("steel"));
    const QList<bool> coversBefore = covered(*h);

    const QPoint empty = emptyPoint(*h);
    QVERIFY(!empty.isNull());
    // The press alone: captions and covers stay as they were.
    QTest::mousePress(&h->canvas(), Qt::LeftButton, Qt::NoModifier, empty);
    QCOMPARE(h->canvas().ObjectCount(2), 0);
    QCOMPARE(summary(*h),
             QStringList({QStringLiteral("There are"), QStringLiteral("no selected"),
                          QStringLiteral("no objects")}));
    QVERIFY(!h->form->txtType->isEnabled());
    QVERIFY(!h->form->txtName->isEnabled());
    QVERIFY(!h->form->txtInfo->isEnabled());
    QCOMPARE(h->form->zLabel7->text(), QStringLiteral("0"));
    QVERIFY(h->form->movehistory->toPlainText().isEmpty());
    QVERIFY(h->form->textheader->text().isEmpty());
    QVERIFY(h->form->Value->text().isEmpty());
    for (int n = 1; n <= 18; ++n)
        QVERIFY2(h->form->textField(n)->text().isEmpty(), qPrintable(QString::number(n)));
    QCOMPARE(covered(*h), coversBefore);

    // The click that follows: no type chosen, no rows open.
    QTest::mouseRelease(&h->canvas(), Qt::LeftButton, Qt::NoModifier, empty);
    QCOMPARE(h->form->Combo1->currentText(), QStringLiteral("Choose Type"));
    QCOMPARE(covered(*h), coveredFrom(0));
    // Emptying the fields wrote nothing: no object was selected.
    QCOMPARE(h->property(id, QStringLiteral("5")), QStringLiteral("steel"));
    QCOMPARE(h->property(id, QStringLiteral("Name")), QStringLiteral("Kettle"));
}

void RefreshTest::severalSelected_data()
{
    QTest::addColumn<QString>("lastSet");
    QTest::addColumn<QString>("chooser");
    QTest::newRow("last pressed has no type") << QString() << QStringLiteral("Choose Type");
    QTest::newRow("last pressed has a type") << QStringLiteral("Tool") << QString();
}

void RefreshTest::severalSelected()
{
    QFETCH(QString, lastSet);
    QFETCH(QString, chooser);
    auto h = start();
    const qint32 a = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Lamp")});
    const qint32 b = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Vase")});
    putProperty(*h, a, QStringLiteral("set"), QStringLiteral("Book"));
    putProperty(*h, b, QStringLiteral("set"), lastSet);
    h->clickObject(a);
    h->clickObject(b, Qt::ShiftModifier);
    QCOMPARE(h->canvas().ObjectCount(2), 2);
    QCOMPARE(summary(*h),
             QStringList({QStringLiteral("More than"), QStringLiteral("one selected"),
                          QStringLiteral("object")}));
    QVERIFY(!h->form->txtName->isEnabled());
    QCOMPARE(h->form->Combo1->currentText(), chooser);
    // Fields keep the first object's values and nothing was written back.
    QCOMPARE(h->form->textheader->text(), QStringLiteral("Lamp"));
    QCOMPARE(h->property(a, QStringLiteral("Type")), QStringLiteral("Object"));
    QCOMPARE(h->property(b, QStringLiteral("Name")), QStringLiteral("Vase"));
}

void RefreshTest::colourScheme_data()
{
    QTest::addColumn<QString>("colourText");
    QTest::addColumn<int>("fill"); // palette colour, -1: the fill stays as it was
    QTest::addColumn<int>("text");
    QTest::newRow("6 takes white text") << QStringLiteral("6") << 6 << 15;
    QTest::newRow("7 takes black text") << QStringLiteral("7") << 7 << 0;
    QTest::newRow("12") << QStringLiteral("12") << 12 << 0;
    QTest::newRow("0") << QStringLiteral("0") << 0 << 15;
    QTest::newRow("empty") << QString() << -1 << 15;
    QTest::newRow("not a number") << QStringLiteral("red") << -1 << 15;
    QTest::newRow("beyond the palette") << QStringLiteral("20") << -1 << 0;
}

void RefreshTest::colourScheme()
{
    QFETCH(QString, colourText);
    QFETCH(int, fill);
    QFETCH(int, text);
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Kettle")});
    putProperty(*h, id, QStringLiteral("Colour"), colourText);
    const QColor oldFill(12, 34, 56);
    h->canvas().SetFillColor(oldFill);
    const QColor chooserBefore = backgroundOf(h->form->Combo1);
    h->clickObject(id);

    const QColor expectedFill = fill < 0 ? oldFill : palette(fill);
    const QColor expectedBackground = fill < 0 ? chooserBefore : palette(fill);
    QCOMPARE(h->form->colortext->text(), colourText);
    QCOMPARE(object(*h, id).fillColor, expectedFill);
    QCOMPARE(object(*h, id).textColor, palette(text));
    QCOMPARE(backgroundOf(h->form->Combo1), expectedBackground);
    QCOMPARE(foregroundOf(h->form->Combo1), palette(text));
    const QList<QWidget *> fields {h->form->Text5,   h->form->Value,       h->form->textheader,
                                   h->form->txtInfo, h->form->movehistory, h->form->colour};
    for (QWidget *field : fields) {
        QCOMPARE(backgroundOf(field), expectedBackground);
        QCOMPARE(foregroundOf(field), palette(text));
    }
}

void RefreshTest::captionsAndCovers_data()
{
    QTest::addColumn<QString>("typeIndex");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("firstCovered");
    const QStringList none(16, QString());
    QStringList tool = none;
    tool[0] = QStringLiteral("Maker");
    tool[1] = QStringLiteral("Size");
    tool[2] = QStringLiteral("Bought");
    QTest::newRow("no type index") << QString() << none << 0;
    QTest::newRow("type index 0") << QStringLiteral("0") << none << 0;
    QTest::newRow("three captions") << QStringLiteral("18") << tool << 3;
    QTest::newRow("no captions") << QStringLiteral("35") << none << 0;
    QTest::newRow("not a number") << QStringLiteral("abc") << none << 0;
    QTest::newRow("past the end of the table") << QStringLiteral("250") << none << 0;
}

void RefreshTest::captionsAndCovers()
{
    QFETCH(QString, typeIndex);
    QFETCH(QStringList, shown);
    QFETCH(int, firstCovered);
    auto h = start();
    // A first click on a "Book" opens four rows, so stale captions would show.
    const qint32 book = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Atlas")});
    h->clickObject(book);
    QCOMPARE(covered(*h), coveredFrom(4));

    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Saw"), typeIndex});
    h->clickObject(id);
    QCOMPARE(captions(*h), shown);
    QCOMPARE(covered(*h), coveredFrom(firstCovered));
}

void RefreshTest::waitingObjectsAreListedAndRepainted()
{
    auto h = start();
    const qint32 a = addObject(
        *h, {QStringLiteral("Object"), QStringLiteral("Anvil"), {}, QStringLiteral("3")});
    const qint32 b = addObject(
        *h, {QStringLiteral("Object"), QStringLiteral("Bell"), {}, QStringLiteral("9")});
    const qint32 c = addObject(
        *h, {QStringLiteral("Object"), QStringLiteral("Cart"), {}, QStringLiteral("12")});
    const qint32 pressed = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Desk")});
    putProperty(*h, pressed, QStringLiteral("set"), QStringLiteral("Book"));
    h->form->List1->addItem(QStringLiteral("an old search hit"));
    h->form->readyList = {QString::number(c), QString::number(a), QString::number(b)};
    h->clickObject(pressed);

    QStringList listed;
    for (int i = 0; i < h->form->List1->count(); ++i)
        listed << h->form->List1->item(i)->text();
    QCOMPARE(
        listed,
        QStringList({QStringLiteral("Cart"), QStringLiteral("Anvil"), QStringLiteral("Bell")}));
    QCOMPARE(h->form->Label19->text(), QStringLiteral("Objects ready to move"));
    for (qint32 id : {a, b, c}) {
        QCOMPARE(object(*h, id).fillColor, palette(15));
        QCOMPARE(object(*h, id).textColor, palette(0));
    }
    // The last waiting object is left current; its empty "set" decides the chooser.
    QCOMPARE(h->canvas().CurrentObject(), b);
    QCOMPARE(h->form->Combo1->currentText(), QStringLiteral("Choose Type"));
}

void RefreshTest::historyShowsAllLinesWithCaretAtEnd()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Chair")});
    putProperty(*h, id, QStringLiteral("MovementHistory"),
                QStringLiteral("Attic - Cellar\r\n1/2/2026\r\nCellar - Shed"));
    h->clickObject(id);
    QCOMPARE(h->form->movehistory->toPlainText(),
             QStringLiteral("Attic - Cellar\n1/2/2026\nCellar - Shed"));
    QCOMPARE(h->form->movehistory->blockCount(), 3);
    QVERIFY(h->form->movehistory->textCursor().atEnd());
}

void RefreshTest::rightButtonPress()
{
    auto h = start();
    // Start-up leaves the start object (id 1) selected.
    h->canvas().SetZoomMode(0);
    h->form->List1->show();

    h->clickAt(emptyPoint(*h), Qt::NoModifier, Qt::RightButton);
    QCOMPARE(h->canvas().CurrentObject(), 1);
    QVERIFY(!object(*h, 1).selected);
    QCOMPARE(h->canvas().ZoomMode(), 1);
    QCOMPARE(h->form->zLabel7->text(), QStringLiteral("1"));
    QVERIFY(h->form->List1->isHidden());
    QCOMPARE(backgroundOf(h->form->List1), QColor(0, 192, 0));
    QCOMPARE(foregroundOf(h->form->List1), QColor(255, 255, 255));
}

void RefreshTest::rightButtonPressOnPictureObjectOne()
{
    auto h = start();
    putProperty(*h, 1, QStringLiteral("Type"), QStringLiteral("Pic"));
    h->canvas().SetSelected(true);
    h->canvas().SetZoomMode(0);
    h->form->zLabel7->setText(QStringLiteral("before"));
    h->form->List1->show();

    Vellum_MouseDown(*h->form, 3, 0, 0, 0);
    QVERIFY(h->form->List1->isHidden());
    QVERIFY(!object(*h, 1).selected);
    QCOMPARE(h->canvas().ZoomMode(), 0);
    QCOMPARE(h->form->zLabel7->text(), QStringLiteral("before"));
}

int runRefreshTest(int argc, char **argv)
{
    RefreshTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "refreshtest.moc"
