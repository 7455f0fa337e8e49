// "New Box", "New Object" and the colour chooser, run through the window's own buttons
// with the input box answered by the fake platform.

#include "support/testsupport.h"

#include "store/rules/textrules.h"

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

QRect outline(const VellumObject &o)
{
    return QRect(QPoint(o.x1, o.y1), QPoint(o.x2, o.y2));
}

// What a colour choice may change: the stored colour, the drawing and the panel.
QStringList lookOf(Harness &h, qint32 id)
{
    const VellumObject &o = object(h, id);
    return {h.property(id, u"Colour"_s), o.fillColor.name(), o.textColor.name(),
            backgroundOf(h.form->Combo1).name(), foregroundOf(h.form->Combo1).name()};
}

} // namespace

class BoxTest : public QObject
{
    Q_OBJECT

private slots:
    // A new name takes its alphabetical place in the chooser and on the buttons, after one
    // equal but for letter case, and becomes the current box; the start object keeps the
    // names in the order they were made.
    void newBoxAnswer_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("lines");   // the chooser after it, empty: refused
        QTest::addColumn<QString>("refusal");
        const QStringList tools {u"Tools"_s}, fruit {u"Mango"_s, u"apple"_s, u"Zebra"_s};
        QStringList many;
        for (int i = 1; i <= 45; ++i)
            many << u"Box %1"_s.arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow("same name") << tools << u"Tools"_s << QStringList()
                                   << u"Sorry, There is already a Box named Tools"_s;
        QTest::newRow("other letter case")
            << tools << u"tools"_s << QStringList {u"Tools"_s, u"tools"_s} << QString();
        QTest::newRow("trailing space")
            << tools << u"Tools "_s << QStringList {u"Tools"_s, u"Tools "_s} << QString();
        QTest::newRow("empty name") << tools << QString() << QStringList {QString(), u"Tools"_s}
                                    << QString();
        QTest::newRow("alphabetical place") << fruit << u"banana"_s
                                            << QStringList {u"apple"_s, u"banana"_s, u"Mango"_s,
                                                            u"Zebra"_s} << QString();
        QTest::newRow("after one equal but for case")
            << fruit + QStringList {u"banana"_s} << u"APPLE"_s
            << QStringList {u"apple"_s, u"APPLE"_s, u"banana"_s, u"Mango"_s, u"Zebra"_s}
            << QString();
        QTest::newRow("the 45th box") << many.mid(0, 44) << many.last() << many << QString();
        QTest::newRow("the 46th box")
            << many << u"Box 46"_s << QStringList()
            << u"Sorry, no more boxes available, please delete a box with info you don't use"_s;
    }

    void newBoxAnswer()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, answer);
        QFETCH(QStringList, lines);
        QFETCH(QString, refusal);
        Harness h;
        for (const QString &name : existing)
            newBox(h, name);
        const QString names = h.form->boxNameText;
        const QStringList before = comboLines(h.form->locationcombo1);
        const int box = h.form->currentBox;
        const int objects = h.canvas().ObjectCount(1);
        newBox(h, answer);

        QCOMPARE(h.platform->prompts.last(), u"Please enter Box Name.."_s);
        QCOMPARE(h.platform->messages, refusal.isEmpty() ? QStringList() : QStringList {refusal});
        QCOMPARE(comboLines(h.form->locationcombo1), lines.isEmpty() ? before : lines);
        QCOMPARE(shownShortcuts(h), comboLines(h.form->locationcombo1));
        QCOMPARE(h.form->currentBox, lines.isEmpty() ? box : int(lines.indexOf(answer)));
        QCOMPARE(h.form->boxNameText, lines.isEmpty() ? names : names + answer + u"\r\n"_s);
        QCOMPARE(h.startProperty(u"Boxes"_s), h.form->boxNameText);
        QCOMPARE(h.canvas().ObjectCount(1), objects + (lines.isEmpty() ? 0 : 2));
        if (!lines.isEmpty())
            QVERIFY(boxParts(h, answer).body > 0 && boxParts(h, answer).strip > 0);
    }

    // The body and the strip of a new box, both at the body's corner in the random area.
    void bodyAndStripCarryTheirValues()
    {
        Harness h;
        newBox(h, u"Garage"_s);

        const Box box = boxParts(h, u"Garage"_s);
        const VellumObject &body = object(h, box.body), &strip = object(h, box.strip);
        const QStringList keys {u"Info"_s, u"set"_s, u"Colour"_s, u"Value"_s, u"TypeIndex"_s};
        const QString no;
        QCOMPARE(h.properties(box.body, keys) + h.properties(box.strip, keys),
                 QStringList({no, no, u"7"_s, u"0"_s, no, no, no, u"0"_s, no, u"0"_s}));
        QCOMPARE(QList<qint16>({body.kind, body.drawStyle, body.shapeParam, body.fillMode,
                                strip.kind, strip.drawStyle, strip.shapeParam, strip.fillMode}),
                 QList<qint16>({10, 2, 0, 1, 10, 2, 60, 1}));
        QCOMPARE(QStringList({body.objectText, strip.objectText}), QStringList(2, u"Garage"_s));
        QCOMPARE(QList({body.fillColor, body.textColor, strip.fillColor, strip.textColor}),
                 QList({palette(7), palette(0), palette(0), palette(15)}));
        const QPoint corner(body.x1, body.y1);
        QVERIFY(QRect(100, 100, 500, 500).contains(corner));
        QCOMPARE(outline(body), QRect(corner, corner + QPoint(44, 47)));
        QCOMPARE(outline(strip), QRect(corner + QPoint(0, 47), corner + QPoint(44, 55)));
    }

    void aNewBoxTouchesNothing()
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
            const QString name = u"Box %1"_s.arg(i);
            newBox(h, name);
            const VellumObject &o = object(h, boxParts(h, name).body);
            // Only the box's own body and strip lie in its outline.
            QCOMPARE(canvas.ObjectsInRect(o.x1, o.y1, o.x1 + 44, o.y1 + 55, 8192), 2);
        }
        // A full drawing puts the box beside it.
        canvas.AddObject(10, 90, 90, 660, 660);
        canvas.SetSelected(false);
        newBox(h, u"Overflow"_s);
        const VellumObject &o = object(h, boxParts(h, u"Overflow"_s).body);
        QVERIFY2(o.x1 >= 700, qPrintable(QString::number(o.x1)));
        QCOMPARE(canvas.ObjectsInRect(o.x1, o.y1, o.x1 + 44, o.y1 + 55, 8192), 2);
    }

    void newObjectCarriesEveryKeyInOrder()
    {
        Harness h;
        // Without a box it belongs nowhere and lies at the drop point.
        const qint32 loose = newObject(h);
        QCOMPARE(h.property(loose, u"Info"_s), QString());
        QCOMPARE(QPoint(object(h, loose).x1, object(h, loose).y1),
                 QPoint(h.form->dropX, h.form->dropY));

        newBox(h, u"Cellar"_s);
        newBox(h, u"Attic"_s);
        QTest::mouseClick(h.form->Shortcut[1], Qt::LeftButton);
        h.form->movehistory->setPlainText(u"old history"_s);
        const qint32 id = newObject(h);

        QStringList expected {u"Type"_s, u"Object"_s, u"TypeIndex"_s, u"0"_s, u"Name"_s,
                              u"Object"_s,  u"Header"_s, QString(), u"Info"_s,  u"Cellar"_s};
        for (int n = 1; n <= 18; ++n)
            expected << QString::number(n) << QString();
        expected << u"Colour"_s << u"15"_s << u"MovementHistory"_s << QString() << u"Value"_s
                 << u"0"_s;
        QStringList stored;
        for (const auto &[key, value] : object(h, id).properties)
            stored << key << value;
        QCOMPARE(stored, expected);

        // A white 4 x 4 square at the chosen box's corner, drawn above the box bodies.
        const VellumObject &body = object(h, boxParts(h, u"Cellar"_s).body);
        const VellumObject &o = object(h, id);
        QCOMPARE(QPoint(h.form->dropX, h.form->dropY), QPoint(body.x1, body.y1));
        QCOMPARE(outline(o), QRect(QPoint(body.x1, body.y1), QPoint(body.x1 + 4, body.y1 + 4)));
        QCOMPARE(QList<qint16>({o.kind, o.drawStyle, o.shapeParam, o.fillMode}),
                 QList<qint16>({10, 2, 14, 1}));
        QCOMPARE(o.objectText, u"Object"_s);
        QCOMPARE(QList({o.fillColor, o.textColor}), QList({palette(15), palette(0)}));
        QVERIFY(!o.selected);
        QVERIFY(o.layer > body.layer);
        QCOMPARE(h.form->movehistory->toPlainText(), QString());

        // A second one shares the square.
        const qint32 second = newObject(h);
        QVERIFY(second != id);
        QCOMPARE(outline(object(h, second)), outline(o));
    }

    // Mustard takes white text; the text colour of the other entries is the type chooser's,
    // which the panel suite checks entry by entry.
    void colourChoice()
    {
        const int k = 6, text = 15;
        Harness h;
        newBox(h, u"Shed"_s);
        const qint32 id = newObject(h);
        h.clickObject(id);
        choose(h.form->colour, k);

        QCOMPARE(h.property(id, u"Colour"_s), QString::number(k));
        QCOMPARE(object(h, id).fillColor, palette(k));
        QCOMPARE(object(h, id).textColor, palette(text));
        checkColours({h.form->Combo1, h.form->Text5, h.form->Text18, h.form->Value}, palette(k),
                     palette(text));
        QCOMPARE(h.form->colour->currentText(), u"Mustard"_s);

        // With none or several selected a choice changes nothing.
        h.clickAt(emptyPoint(h));
        const QStringList before = lookOf(h, id);
        choose(h.form->colour, 4);
        QCOMPARE(lookOf(h, id), before);
        QCOMPARE(before.first(), QString::number(k));
        const auto [body, strip] = boxParts(h, u"Shed"_s);
        h.clickObject(body);
        h.clickObject(strip, Qt::ShiftModifier);
        QCOMPARE(h.canvas().ObjectCount(2), 2);
        const QStringList both = lookOf(h, body) + lookOf(h, strip);
        choose(h.form->colour, 12);
        QCOMPARE(lookOf(h, body) + lookOf(h, strip), both);
    }
};

AMBROOK_WINDOW_TEST_MAIN(BoxTest)
#include "boxtest.moc"
