// Choosing a type in Combo1 gives the current object the type's name, captions and colour.

#include "panelfixture.h"

#include "app/controls.h"
#include "panel/panel.h"

#include <QLabel>
#include <QPlainTextEdit>

using namespace panelfixture;

namespace {

// The user picks entry k from the chooser's list.
void choose(Harness &h, int k)
{
    h.form->Combo1->setCurrentIndex(k);
    emit h.form->Combo1->activated(k);
}

} // namespace

class TypeChooserTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choosingAType_data();
    void choosingAType();
    void choiceGoesToTheCurrentObject();
    void captionsFollowTheTableOnTheNextClick();
};

void TypeChooserTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void TypeChooserTest::choosingAType_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("typeIndex");
    QTest::addColumn<int>("text");
    QTest::addColumn<int>("openRows");
    QTest::newRow("position 6: white text")
        << 6 << QStringLiteral("Car") << QStringLiteral("103") << 15 << 2;
    QTest::newRow("position 7: black text, no captions")
        << 7 << QStringLiteral("T7") << QStringLiteral("120") << 0 << 0;
    QTest::newRow("position 0: black fill, white text")
        << 0 << QStringLiteral("Book") << QStringLiteral("1") << 15 << 4;
    QTest::newRow("position 14") << 14 << QStringLiteral("T14") << QStringLiteral("239") << 0 << 0;
}

void TypeChooserTest::choosingAType()
{
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QString, typeIndex);
    QFETCH(int, text);
    QFETCH(int, openRows);
    auto h = start();
    // A "Tool" first, so the rows it opened must close again.
    const qint32 id
        = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Van"), QStringLiteral("18")});
    h->clickObject(id);
    choose(*h, position);

    QCOMPARE(h->property(id, QStringLiteral("set")), name);
    QCOMPARE(h->property(id, QStringLiteral("TypeIndex")), typeIndex);
    QCOMPARE(h->property(id, QStringLiteral("Colour")), QString::number(position));
    QCOMPARE(object(*h, id).fillColor, palette(position));
    QCOMPARE(object(*h, id).textColor, palette(text));
    QCOMPARE(h->form->Combo1->currentText(), name);
    for (int i = 0; i < 16; ++i)
        QCOMPARE(!h->form->Command2[size_t(i)]->isHidden(), i >= openRows);
    QCOMPARE(h->form->Label[0]->text().isEmpty(), openRows == 0);
    QCOMPARE(h->form->colour->currentText(), QStringLiteral("Colour"));
    const QList<QWidget *> coloured {h->form->Combo1,     h->form->Text1,       h->form->Text17,
                                     h->form->Text18,     h->form->txtInfo,     h->form->Value,
                                     h->form->textheader, h->form->movehistory, h->form->colour};
    for (QWidget *w : coloured) {
        QCOMPARE(backgroundOf(w), palette(position));
        QCOMPARE(foregroundOf(w), palette(text));
    }
}

void TypeChooserTest::choiceGoesToTheCurrentObject()
{
    auto h = start();
    const qint32 selected = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Van")});
    const qint32 waiting = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Rug")});
    h->form->readyList = {QString::number(waiting)};
    h->clickObject(selected);
    choose(*h, 6);
    QCOMPARE(h->property(waiting, QStringLiteral("set")), QStringLiteral("Car"));
    QCOMPARE(h->property(waiting, QStringLiteral("Colour")), QStringLiteral("6"));
    QCOMPARE(h->property(selected, QStringLiteral("set")), QString());
    QCOMPARE(h->property(selected, QStringLiteral("TypeIndex")), QStringLiteral("1"));
}

void TypeChooserTest::captionsFollowTheTableOnTheNextClick()
{
    auto h = start();
    const qint32 id = addObject(*h, {QStringLiteral("Object"), QStringLiteral("Van")});
    h->clickObject(id);
    choose(*h, 1);
    QCOMPARE(h->form->Label[2]->text(), QStringLiteral("Bought"));
    // The table changes; the object keeps its type, and the new caption shows next time.
    h->form->typeTableTextValue.replace(QStringLiteral("Bought"), QStringLiteral("Since"));
    h->clickObject(id);
    QCOMPARE(h->property(id, QStringLiteral("set")), QStringLiteral("Tool"));
    QCOMPARE(h->form->Label[2]->text(), QStringLiteral("Since"));
}

int runTypeChooserTest(int argc, char **argv)
{
    TypeChooserTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "typechoosertest.moc"
