// Choosing boxes with the shortcut buttons, the view move, the Delete key and the small
// window commands.

#include "support/documentbuilder.h"
#include "support/testsupport.h"
#include "window/controls.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Starts the main window on a drawing with boxes "Attic" at (200, 100) and "Cellar" (and the
// box list names given), plus one stored object in "Attic".
struct Boxes : Harness
{
    explicit Boxes(const QStringList &names = {u"Attic"_s, u"Cellar"_s},
                   QPoint cellarAt = QPoint(400, 300))
        : Harness(false)
    {
        DocumentBuilder doc;
        start = doc.startObject(names);
        attic = doc.box(u"Attic"_s, 200, 100);
        cellar = doc.box(u"Cellar"_s, cellarAt.x(), cellarAt.y());
        thing = doc.storedObject(u"Lamp"_s, u"Attic"_s, 200, 100);
        startOn(doc);
    }

    qint32 start = 0, attic = 0, cellar = 0, thing = 0;
};

} // namespace

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    // A shortcut button makes its box current, lights it alone and brings the point 8 units
    // above the box's corner to the view's top left at the fit scale. A box listed without an
    // object ("Ghost"), or any box pressed after the list was empty, keeps the drop point and
    // shows the origin.
    void shortcutChoosesBox_data()
    {
        QTest::addColumn<QPoint>("cellar");       // corner of the Cellar box
        QTest::addColumn<bool>("emptied");        // the list was empty before the presses
        QTest::addColumn<QList<int>>("presses");  // buttons pressed, first first
        QTest::addColumn<QPoint>("drop");
        QTest::addColumn<QPoint>("corner");       // drawing point at the view's top left
        QTest::addColumn<int>("lit");             // the yellow button, -1: no picture at all
        const QPoint attic(200, 100), cellar(400, 300), far(2000, 1508), below(-300, -192);
        const QPoint origin(0, -8);
        QTest::newRow("second box") << cellar << false << QList {1} << cellar << QPoint(400, 292)
                                    << 1;
        QTest::newRow("back to the first") << cellar << false << QList {1, 0} << attic
                                           << QPoint(200, 92) << 0;
        QTest::newRow("far right") << far << false << QList {1} << far << QPoint(2000, 1500) << 1;
        QTest::newRow("negative") << below << false << QList {1} << below << QPoint(-300, -200)
                                  << 1;
        QTest::newRow("listed without an object") << cellar << false << QList {1, 2} << cellar
                                                  << origin << 2;
        QTest::newRow("after an empty list") << cellar << true << QList {1} << attic << origin
                                             << -1;
    }

    void shortcutChoosesBox()
    {
        QFETCH(QPoint, cellar);
        QFETCH(bool, emptied);
        QFETCH(QList<int>, presses);
        QFETCH(QPoint, drop);
        QFETCH(QPoint, corner);
        QFETCH(int, lit);
        Boxes b({u"Attic"_s, u"Cellar"_s, u"Ghost"_s}, cellar);
        if (emptied) {
            for (QPushButton *button : b.form->Shortcut)
                button->setIcon(QIcon());
            b.form->currentBox = -1;
        }
        for (int k : presses)
            QTest::mouseClick(b.form->Shortcut[size_t(k)], Qt::LeftButton);

        QCOMPARE(b.form->currentBox, presses.last());
        QCOMPARE(QPoint(b.form->dropX, b.form->dropY), drop);
        QCOMPARE(steps::pixelOf(b, corner.x(), corner.y()), QPoint(0, 0));
        QCOMPARE(b.canvas().ZoomMode(), 0);
        QCOMPARE(b.canvas().ZoomX(), b.canvas().FitZoomX());
        // A stored object (4 x 4 units) is big enough to press and drag.
        const QPoint size = steps::pixelOf(b, corner.x() + 4, corner.y() + 4);
        QVERIFY(size.x() >= 16 && size.y() >= 16);
        for (int k = 0; k < 3; ++k) {
            const QPushButton *button = b.form->Shortcut[size_t(k)];
            QCOMPARE(steps::shortcutFace(button),
                     lit < 0        ? u"none"_s
                         : k == lit ? u"lit"_s
                                    : u"plain"_s);
        }
    }

    // Every button's face names its box as a newly made button would: after the names moved
    // along the buttons, after a long name came in, after a rename, and after the buttons
    // narrowed.
    void buttonsShowTheirNames()
    {
        Boxes b(QStringList {u"Attic"_s, u"Cellar"_s, u"Hall"_s, u"Study"_s});
        QTest::mouseClick(b.form->Shortcut[1], Qt::LeftButton);
        // Compared as pixels: a widget in a window grabs without an alpha channel.
        const auto pixels
            = [](QWidget &w) { return w.grab().toImage().convertToFormat(QImage::Format_ARGB32); };
        const auto faces = [&b, &pixels](const char *when) {
            for (QPushButton *button : b.form->Shortcut) {
                if (button->isHidden())
                    continue;
                ShortcutButton fresh;
                fresh.setText(button->text());
                fresh.setIcon(button->icon());
                fresh.setFont(button->font());
                fresh.resize(button->size());
                QVERIFY2(pixels(fresh) == pixels(*button),
                         qPrintable(u"%1: %2"_s.arg(QString::fromUtf8(when), button->text())));
            }
        };
        faces("started");
        steps::newBox(b, u"Aardvark hutch by the back door"_s);
        faces("a long name first in order");
        steps::newBox(b, u"Boiler"_s);
        faces("a short name second");
        b.platform->answers << u"Bower"_s; // the current box, "Boiler", in the same place
        QTest::mouseClick(b.form->renamelocation, Qt::LeftButton);
        QCOMPARE(b.form->Shortcut[2]->text(), u"Bower"_s);
        faces("a box renamed");
        b.form->resize(b.form->width() - 300, b.form->height());
        QCoreApplication::processEvents();
        faces("the buttons narrowed");
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
        const qint32 id = target == u"start"_s ? b.start
            : target == u"body"_s              ? b.attic
            : target == u"strip"_s             ? b.attic + 1
            : target == u"object"_s            ? b.thing
                                               : 0;
        b.canvas().clearSelection();
        if (id != 0)
            b.canvas().setObjectSelected(b.canvas().objectById(id), true);
        // A stale caption shows whether the buttons were refreshed.
        b.form->Shortcut[0]->setText(u"stale"_s);
        const int before = b.canvas().ObjectCount(1);

        QTest::keyClick(&b.canvas(), Qt::Key_Delete);

        QCOMPARE(b.canvas().ObjectCount(1), before - objectsRemoved);
        if (id != 0)
            QCOMPARE(b.canvas().objectById(id) == nullptr, objectsRemoved == 1);
        QCOMPARE(steps::comboLines(b.form->locationcombo1), boxList);
        QCOMPARE(b.form->boxNameText,
                 boxList.isEmpty() ? u"\r\n"_s : TextRules::joinCrLf(boxList));
        QCOMPARE(b.form->Shortcut[0]->text(), refreshed ? boxList.value(0) : u"stale"_s);
        QCOMPARE(steps::shownShortcuts(b).size(), boxList.size());
        if (target == u"body"_s)
            QVERIFY(b.canvas().objectById(b.attic + 1)); // the strip stays
    }

    void print()
    {
        Boxes b;
        b.platform->messages.clear();
        QTest::mouseClick(b.form->Command3, Qt::LeftButton);
        QCOMPARE(b.form->Command3->text(), u"Print"_s);
        QCOMPARE(b.platform->prints, 1);
        QVERIFY(b.platform->messages.isEmpty());
        // Without a printer the user is told, and nothing is printed.
        b.platform->printerInstalled = false;
        QTest::mouseClick(b.form->Command3, Qt::LeftButton);
        QCOMPARE(b.platform->prints, 1);
        QCOMPARE(b.platform->messages.size(), 1);
    }
};

AMBROOK_WINDOW_TEST_MAIN(TestNavigation)
#include "tst_navigation.moc"
