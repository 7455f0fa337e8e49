// The colour chooser: the selected object takes the fill, text that stands out from it,
// and the panel follows; without a single selection nothing changes.

#include "boxfixture.h"

#include "panel/panel.h"

#include <QLineEdit>

using namespace boxfixture;

class ColourTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choiceColoursObjectAndPanel_data();
    void choiceColoursObjectAndPanel();
    void nothingSelectedChangesNothing();
    void severalSelectedChangeNothing();
};

namespace {

struct Look
{
    QString colour;
    QColor fill;
    QColor text;
    QColor panelBack;
    QColor panelFore;
};

Look lookOf(Harness &h, qint32 id)
{
    const VellumObject &o = object(h, id);
    return {h.property(id, QStringLiteral("Colour")), o.fillColor, o.textColor,
            backgroundOf(h.form->Combo1), foregroundOf(h.form->Combo1)};
}

void compareLooks(const Look &a, const Look &b)
{
    QCOMPARE(a.colour, b.colour);
    QCOMPARE(a.fill, b.fill);
    QCOMPARE(a.text, b.text);
    QCOMPARE(a.panelBack, b.panelBack);
    QCOMPARE(a.panelFore, b.panelFore);
}

} // namespace

void ColourTest::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void ColourTest::choiceColoursObjectAndPanel_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QColor>("text");
    QTest::newRow("black") << 0 << QStringLiteral("Black") << palette(15);
    QTest::newRow("mustard") << 6 << QStringLiteral("Mustard") << palette(15);
    QTest::newRow("light gray") << 7 << QStringLiteral("Light Gray") << palette(0);
    QTest::newRow("dark gray") << 8 << QStringLiteral("Dark Gray") << palette(0);
    QTest::newRow("yellow") << 14 << QStringLiteral("Yellow") << palette(0);
}

void ColourTest::choiceColoursObjectAndPanel()
{
    QFETCH(int, k);
    QFETCH(QString, entry);
    QFETCH(QColor, text);
    Harness h;
    newBox(h, QStringLiteral("Shed"));
    const qint32 id = newObject(h);
    h.clickObject(id);
    QCOMPARE(h.canvas().ObjectCount(2), 1);

    choose(h.form->colour, k);

    QCOMPARE(h.property(id, QStringLiteral("Colour")), QString::number(k));
    QCOMPARE(object(h, id).fillColor, palette(k));
    QCOMPARE(object(h, id).textColor, text);
    for (QWidget *field : {static_cast<QWidget *>(h.form->Combo1),
                           static_cast<QWidget *>(h.form->Text5),
                           static_cast<QWidget *>(h.form->Text18),
                           static_cast<QWidget *>(h.form->Value)}) {
        QCOMPARE(backgroundOf(field), palette(k));
        QCOMPARE(foregroundOf(field), text);
    }
    // The chooser still names the colour picked.
    QCOMPARE(h.form->colour->currentText(), entry);
}

void ColourTest::nothingSelectedChangesNothing()
{
    Harness h;
    newBox(h, QStringLiteral("Shed"));
    const qint32 id = newObject(h);
    h.clickObject(id);
    choose(h.form->colour, 9);
    h.clickAt(emptyPoint(h));
    QCOMPARE(h.canvas().ObjectCount(2), 0);
    const Look before = lookOf(h, id);

    choose(h.form->colour, 4);
    compareLooks(lookOf(h, id), before);
    QCOMPARE(h.property(id, QStringLiteral("Colour")), QStringLiteral("9"));
}

void ColourTest::severalSelectedChangeNothing()
{
    Harness h;
    newBox(h, QStringLiteral("Shed"));
    const auto [body, strip] = boxParts(h, QStringLiteral("Shed"));
    h.clickObject(body);
    h.clickObject(strip, Qt::ShiftModifier);
    QCOMPARE(h.canvas().ObjectCount(2), 2);
    const Look bodyBefore = lookOf(h, body);
    const Look stripBefore = lookOf(h, strip);

    choose(h.form->colour, 12);
    compareLooks(lookOf(h, body), bodyBefore);
    compareLooks(lookOf(h, strip), stripBefore);
}

int runColourTest(int argc, char **argv)
{
    ColourTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "colourtest.moc"
