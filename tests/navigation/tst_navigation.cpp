// Choosing boxes with the shortcut buttons, the view move, the Delete key and the small
// window commands.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Starts the main window on a drawing with boxes "Attic" and "Cellar" (and the box list
// names given), plus one stored object in "Attic".
struct Boxes
{
    explicit Boxes(const QStringList &names = {u"Attic"_s, u"Cellar"_s})
        : harness(false)
    {
        DocumentBuilder doc;
        start = doc.startObject(names);
        attic = doc.box(u"Attic"_s, 200, 100);
        cellar = doc.box(u"Cellar"_s, 400, 300);
        thing = doc.storedObject(u"Lamp"_s, u"Attic"_s, 200, 100);
        harness.startOn(doc);
    }
    frmMain &form() { return *harness.form; }
    ::Vellum &canvas() { return harness.canvas(); }
    void select(qint32 id)
    {
        canvas().clearSelection();
        if (id != 0)
            canvas().setObjectSelected(canvas().objectById(id), true);
    }
    void pressDelete() { QTest::keyClick(&canvas(), Qt::Key_Delete); }
    int visibleButtons() { return int(steps::shownShortcuts(harness).size()); }

    Harness harness;
    qint32 start = 0, attic = 0, cellar = 0, thing = 0;
};

bool isYellow(const QPushButton *button)
{
    const QImage face = button->icon().pixmap(QSize(96, 24)).toImage();
    const QColor c = face.pixelColor(face.width() / 2, face.height() / 2);
    return c.red() > 200 && c.green() > 150 && c.blue() < 120;
}

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void shortcutChoosesBox()
    {
        // "Ghost" is listed but has no object on the drawing.
        Boxes b({u"Attic"_s, u"Cellar"_s, u"Ghost"_s});
        QCOMPARE(b.form().Shortcut[2]->text(), u"Ghost"_s);
        QTest::mouseClick(b.form().Shortcut[1], Qt::LeftButton);
        QCOMPARE(b.form().currentBox, 1);
        QCOMPARE(QPoint(b.form().dropX, b.form().dropY), QPoint(400, 300));
        QCOMPARE(steps::pixelOf(b.harness, 400, 292), QPoint(0, 0));
        QVERIFY(!b.form().Shortcut[0]->icon().isNull());
        QCOMPARE(QList({isYellow(b.form().Shortcut[0]), isYellow(b.form().Shortcut[1])}),
                 QList({false, true}));

        QTest::mouseClick(b.form().Shortcut[0], Qt::LeftButton);
        QCOMPARE(QList({isYellow(b.form().Shortcut[0]), isYellow(b.form().Shortcut[1])}),
                 QList({true, false}));
        QCOMPARE(QPoint(b.form().dropX, b.form().dropY), QPoint(200, 100));

        // Without an object the drop point stays and the view goes to the origin.
        QTest::mouseClick(b.form().Shortcut[2], Qt::LeftButton);
        QCOMPARE(b.form().currentBox, 2);
        QCOMPARE(QPoint(b.form().dropX, b.form().dropY), QPoint(200, 100));
        QCOMPARE(steps::pixelOf(b.harness, 0, -8), QPoint(0, 0));
        QVERIFY(isYellow(b.form().Shortcut[2]));
    }

    void shortcutAfterEmptyList()
    {
        Boxes b;
        for (QPushButton *button : b.form().Shortcut)
            button->setIcon(QIcon());
        b.form().currentBox = -1;

        QTest::mouseClick(b.form().Shortcut[1], Qt::LeftButton);
        QCOMPARE(b.form().currentBox, 1);
        QCOMPARE(b.form().dropX, 200); // still the first box's corner from start-up
        QVERIFY(b.form().Shortcut[0]->icon().isNull() && b.form().Shortcut[1]->icon().isNull());
        QCOMPARE(steps::pixelOf(b.harness, 0, -8), QPoint(0, 0));
    }

    void zoomInBringsPointToCorner_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("box corner") << QPoint(400, 292);
        QTest::newRow("origin above the drawing") << QPoint(0, -8);
        QTest::newRow("far right") << QPoint(2000, 1500);
        QTest::newRow("negative") << QPoint(-300, -200);
    }

    void zoomInBringsPointToCorner()
    {
        QFETCH(QPoint, at);
        Boxes b;
        steps::zoomTo(b.harness, at.x(), at.y());
        QCOMPARE(steps::pixelOf(b.harness, at.x(), at.y()), QPoint(0, 0));
        QCOMPARE(b.canvas().ZoomMode(), 0);
        QCOMPARE(b.canvas().ZoomX(), b.canvas().FitZoomX());
        // A stored object (4 x 4 units) is big enough to press and drag.
        const QPoint size = steps::pixelOf(b.harness, at.x() + 4, at.y() + 4) - QPoint(0, 0);
        QVERIFY(size.x() >= 16 && size.y() >= 16);
    }

    void deleteKey_data()
    {
        QTest::addColumn<QStringList>("names");   // the box list at start
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("boxList");
        QTest::addColumn<int>("objectsRemoved");
        QTest::addColumn<bool>("refreshed");

        const QStringList both {u"Attic"_s, u"Cellar"_s};
        QTest::newRow("nothing selected") << both << u"none"_s << both << 0 << true;
        QTest::newRow("start object") << both << u"start"_s << both << 0 << false;
        QTest::newRow("box body") << both << u"body"_s << QStringList {u"Cellar"_s} << 1 << true;
        QTest::newRow("loadout strip") << both << u"strip"_s << both << 1 << true;
        QTest::newRow("stored object") << both << u"object"_s << both << 1 << true;
        // Two equal neighbours: the second moves up into the freed place and is not
        // compared, so it stays.
        QTest::newRow("box body, equal neighbours")
            << QStringList {u"Attic"_s, u"Attic"_s, u"Cellar"_s} << u"body"_s << both << 1 << true;
        // No caption is left to refresh: the one button is hidden with what it showed.
        QTest::newRow("the last box") << QStringList {u"Attic"_s} << u"body"_s << QStringList {}
                                      << 1 << false;
    }

    void deleteKey()
    {
        QFETCH(QStringList, names);
        QFETCH(QString, target);
        QFETCH(QStringList, boxList);
        QFETCH(int, objectsRemoved);
        QFETCH(bool, refreshed);

        Boxes b(names);
        QCOMPARE(steps::comboLines(b.form().locationcombo1), names);
        const qint32 id = target == u"start"_s ? b.start
            : target == u"body"_s              ? b.attic
            : target == u"strip"_s             ? b.attic + 1
            : target == u"object"_s            ? b.thing
                                               : 0;
        b.select(id);
        // A stale caption shows whether the buttons were refreshed.
        b.form().Shortcut[0]->setText(u"stale"_s);
        const int before = b.canvas().ObjectCount(1);

        b.pressDelete();

        QCOMPARE(b.canvas().ObjectCount(1), before - objectsRemoved);
        if (id != 0)
            QCOMPARE(b.canvas().objectById(id) == nullptr, objectsRemoved == 1);
        QCOMPARE(steps::comboLines(b.form().locationcombo1), boxList);
        QCOMPARE(b.form().boxNameText,
                 boxList.isEmpty() ? u"\r\n"_s : TextRules::joinCrLf(boxList));
        QCOMPARE(b.form().Shortcut[0]->text() != u"stale"_s, refreshed);
        if (refreshed)
            QCOMPARE(b.form().Shortcut[0]->text(), boxList.value(0));
        QCOMPARE(b.visibleButtons(), boxList.size());
        QVERIFY(b.form().Shortcut[boxList.size()]->isHidden());
        if (target == u"body"_s)
            QVERIFY(b.canvas().objectById(b.attic + 1)); // the strip stays
    }

    void print()
    {
        Boxes b;
        b.harness.platform->messages.clear();
        QTest::mouseClick(b.form().Command3, Qt::LeftButton);
        QCOMPARE(b.form().Command3->text(), u"Print"_s);
        QCOMPARE(b.harness.platform->prints, 1);
        QVERIFY(b.harness.platform->messages.isEmpty());
        // Without a printer the user is told, and nothing is printed.
        b.harness.platform->printerInstalled = false;
        QTest::mouseClick(b.form().Command3, Qt::LeftButton);
        QCOMPARE(b.harness.platform->prints, 1);
        QCOMPARE(b.harness.platform->messages.size(), 1);
    }
};

AMBROOK_WINDOW_TEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
