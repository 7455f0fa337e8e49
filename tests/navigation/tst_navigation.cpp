// Choosing boxes with the shortcut buttons, the view move, the Delete key and the small
// window commands.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/vellum.h"
#include "features/features.h"

#include <QLocale>
#include <QPushButton>
#include <QTest>

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
    int visibleButtons()
    {
        int n = 0;
        for (QPushButton *button : form().Shortcut)
            n += button->isVisibleTo(&form()) ? 1 : 0;
        return n;
    }

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
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void shortcutChoosesBox()
    {
        Boxes b;
        QTest::mouseClick(b.form().Shortcut[1], Qt::LeftButton);

        QCOMPARE(b.form().currentBox, 1);
        QCOMPARE(b.form().dropX, 400);
        QCOMPARE(b.form().dropY, 300);
        QCOMPARE(steps::pixelOf(b.harness, 400, 292), QPoint(0, 0));
        QVERIFY(!b.form().Shortcut[0]->icon().isNull());
        QVERIFY(!isYellow(b.form().Shortcut[0]));
        QVERIFY(isYellow(b.form().Shortcut[1]));

        QTest::mouseClick(b.form().Shortcut[0], Qt::LeftButton);
        QVERIFY(isYellow(b.form().Shortcut[0]));
        QVERIFY(!isYellow(b.form().Shortcut[1]));
        QCOMPARE(b.form().dropX, 200);
        QCOMPARE(b.form().dropY, 100);
    }

    void shortcutWithoutObject()
    {
        // "Ghost" is listed but has no object on the drawing.
        Boxes b({u"Attic"_s, u"Cellar"_s, u"Ghost"_s});
        QCOMPARE(b.form().Shortcut[2]->text(), u"Ghost"_s);
        QTest::mouseClick(b.form().Shortcut[0], Qt::LeftButton);

        QTest::mouseClick(b.form().Shortcut[2], Qt::LeftButton);
        QCOMPARE(b.form().currentBox, 2);
        QCOMPARE(b.form().dropX, 200);
        QCOMPARE(b.form().dropY, 100);
        QCOMPARE(steps::pixelOf(b.harness, 0, -8), QPoint(0, 0));
        QVERIFY(isYellow(b.form().Shortcut[2]));
    }

    void shortcutAfterEmptyList()
    {
        Boxes b;
        for (QPushButton *button : b.form().Shortcut)
            button->setIcon(QIcon());
        b.form().currentBox = -1;

        Shortcut_Click(b.form(), 1);
        QCOMPARE(b.form().currentBox, 1);
        QCOMPARE(b.form().dropX, 200); // still the first box's corner from start-up
        QVERIFY(b.form().Shortcut[0]->icon().isNull());
        QVERIFY(b.form().Shortcut[1]->icon().isNull());
        QCOMPARE(steps::pixelOf(b.harness, 0, -8), QPoint(0, 0));
    }

    void zoomInBringsPointToCorner_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::newRow("box corner") << 400 << 292;
        QTest::newRow("origin above the drawing") << 0 << -8;
        QTest::newRow("far right") << 2000 << 1500;
        QTest::newRow("negative") << -300 << -200;
    }

    void zoomInBringsPointToCorner()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        Boxes b;
        ZoomIn(b.form(), x, y, 0, 0);
        QCOMPARE(steps::pixelOf(b.harness, x, y), QPoint(0, 0));
        QCOMPARE(b.canvas().ZoomMode(), 0);
        QCOMPARE(b.canvas().ZoomX(), b.canvas().FitZoomX());
        // A stored object (4 x 4 units) is big enough to press and drag.
        const QPointF size = b.canvas().toPixels(x + 4, y + 4) - b.canvas().toPixels(x, y);
        QVERIFY(size.x() >= 16 && size.y() >= 16);
    }

    void deleteKey_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("boxList");
        QTest::addColumn<int>("objectsRemoved");
        QTest::addColumn<bool>("refreshed");

        const QStringList both {u"Attic"_s, u"Cellar"_s};
        QTest::newRow("nothing selected") << u"none"_s << both << 0 << true;
        QTest::newRow("start object") << u"start"_s << both << 0 << false;
        QTest::newRow("box body") << u"body"_s << QStringList {u"Cellar"_s} << 1 << true;
        QTest::newRow("loadout strip") << u"strip"_s << both << 1 << true;
        QTest::newRow("stored object") << u"object"_s << both << 1 << true;
    }

    void deleteKey()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, boxList);
        QFETCH(int, objectsRemoved);
        QFETCH(bool, refreshed);

        Boxes b;
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
        QCOMPARE(b.form().boxNameText, TextRules::joinCrLf(boxList));
        QCOMPARE(b.form().Shortcut[0]->text() != u"stale"_s, refreshed);
        if (refreshed) {
            QCOMPARE(b.form().Shortcut[0]->text(), boxList.first());
            QCOMPARE(b.visibleButtons(), boxList.size());
        }
        if (target == u"body"_s)
            QVERIFY(b.canvas().objectById(b.attic + 1)); // the strip stays
    }

    void deleteBoxWalk_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("left");
        // Two equal neighbours: the second moves up into the freed place and is not
        // compared, so it stays.
        QTest::newRow("equal neighbours") << QStringList {u"Attic"_s, u"Attic"_s, u"Cellar"_s}
                                          << QStringList {u"Attic"_s, u"Cellar"_s};
        QTest::newRow("last box") << QStringList {u"Attic"_s} << QStringList {};
    }

    void deleteBoxWalk()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, left);
        Boxes b(names);
        QCOMPARE(steps::comboLines(b.form().locationcombo1), names);
        b.select(b.attic);
        b.pressDelete();
        QCOMPARE(steps::comboLines(b.form().locationcombo1), left);
        QCOMPARE(b.form().boxNameText, left.isEmpty() ? u"\r\n"_s : TextRules::joinCrLf(left));
        QCOMPARE(b.visibleButtons(), left.size());
        QVERIFY(b.form().Shortcut[left.size()]->isHidden());
    }

    void print_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::addColumn<int>("prints");
        QTest::addColumn<int>("messages");
        QTest::newRow("printer installed") << true << 1 << 0;
        QTest::newRow("no printer") << false << 0 << 1;
    }

    void print()
    {
        QFETCH(bool, printer);
        QFETCH(int, prints);
        QFETCH(int, messages);
        Boxes b;
        b.harness.platform->printerInstalled = printer;
        b.harness.platform->messages.clear();

        QTest::mouseClick(b.form().Command3, Qt::LeftButton);
        QCOMPARE(b.form().Command3->text(), u"Print"_s);
        QCOMPARE(b.harness.platform->prints, prints);
        QCOMPARE(b.harness.platform->messages.size(), messages);
    }
};

QTEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
