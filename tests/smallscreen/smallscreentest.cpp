// The windows on a screen of 1024 x 700: the main window and the type editor open inside
// it with every command in reach, the editor scrolls its grid and closes on Escape, and
// its column headings are readable.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "store/form1.h"
#include "store/screenfit.h"

#include <QScreen>
#include <QTemporaryFile>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

const QSize screenSize(1024, 700);

QRect available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

// The widget's rectangle on the screen.
QRect onScreen(const QWidget *w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

// Contrast ratio of two colours by their relative luminance, 1 (none) to 21.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF())
               + 0.0722 * channel(c.blueF());
    };
    const auto [dark, light] = std::minmax({luminance(a), luminance(b)});
    return (light + 0.05) / (dark + 0.05);
}

// The main window on a drawing whose start object holds a type table with one type.
struct Types
{
    Harness h{false};

    Types()
    {
        QStringList cells(255);
        cells[0] = u"Books"_s;
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s}, u"0"_s, TextRules::joinCrLf(cells));
        doc.box(u"Attic"_s, 200, 100);
        h.startOn(doc);
    }
    Form1 &open()
    {
        QTest::mouseClick(h.form->newtype, Qt::LeftButton);
        Form1 &editor = h.form->typeEditor();
        QApplication::processEvents();
        return editor;
    }
    QStringList storedCells() const
    {
        return TextRules::splitCrLf(h.startProperty(u"ObjectTypes"_s));
    }
};

} // namespace

class SmallScreenTest : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowOpensInside()
    {
        QCOMPARE(QGuiApplication::primaryScreen()->size(), screenSize);
        FakePlatform platform;
        WorkingFolder folder;
        frmMain form(&platform);
        wireWindow(form);
        QVERIFY(available().contains(QRect(QPoint(0, 0), form.size())));
        // As the program opens it: shown, then fitted with its frame.
        form.show();
        fitOnScreen(form);
        QApplication::processEvents();
        QVERIFY(available().contains(form.frameGeometry()));
        // Every command button is on the screen, none cut off by the window's edge.
        const auto buttons = form.findChildren<QPushButton *>();
        QVERIFY(buttons.size() > 10);
        for (const QPushButton *button : buttons) {
            if (!button->isVisibleTo(&form) || button->objectName().startsWith(u"Shortcut"_s))
                continue;
            QVERIFY2(available().contains(onScreen(button)), qPrintable(button->objectName()));
            QVERIFY2(!button->visibleRegion().isEmpty(), qPrintable(button->objectName()));
        }
    }

    void editorFitsReadsAndSaves()
    {
        Types t;
        Form1 &editor = t.open();
        // Each heading names its type on the type's colour, in black or white, whichever
        // reads at least as well as normal text needs.
        // Type 1 black, 7 olive, 8 silver, 10 blue, 13 red, 15 yellow: the text colour each.
        const QHash<int, int> text = {{0, 15}, {6, 0}, {7, 0}, {9, 15}, {12, 0}, {14, 0}};
        for (int k = 0; k < Form1::TypeCount; ++k) {
            const auto *heading = editor.findChild<QLabel *>(u"TypeHeading(%1)"_s.arg(k));
            QVERIFY(heading);
            QCOMPARE(heading->text(), u"Type %1"_s.arg(k + 1));
            const QPalette p = heading->palette();
            QCOMPARE(p.color(QPalette::Window), palette(k));
            if (text.contains(k))
                QCOMPARE(p.color(QPalette::WindowText), palette(text.value(k)));
            QVERIFY2(contrast(p.color(QPalette::Window), p.color(QPalette::WindowText)) > 4.4,
                     qPrintable(heading->text()));
        }

        QVERIFY(available().contains(editor.frameGeometry()));
        QVERIFY(available().contains(onScreen(editor.Command1)));
        QVERIFY(editor.rect().contains(editor.Command1->geometry()));
        QVERIFY(editor.minimumWidth() < editor.maximumWidth());
        QVERIFY(editor.minimumHeight() < editor.maximumHeight());

        // The last cell is out of sight until it takes the focus; then the grid scrolls.
        QLineEdit *last = editor.Text1[Form1::CellCount - 1];
        QVERIFY(last->visibleRegion().isEmpty());
        QTest::mouseClick(editor.Text1[0], Qt::LeftButton);
        for (int i = 0; i < Form1::CellCount - 1; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), last);
        QVERIFY(!last->visibleRegion().isEmpty());
        QTest::keyClicks(last, u"Last"_s);

        // Made smaller, it keeps its save button in view.
        editor.resize(600, 400);
        QApplication::processEvents();
        QCOMPARE(editor.size(), QSize(600, 400));
        QVERIFY(editor.rect().contains(editor.Command1->geometry()));
        QVERIFY(!editor.Command1->visibleRegion().isEmpty());

        QTest::mouseClick(editor.Command1, Qt::LeftButton);
        QCOMPARE(t.storedCells().value(Form1::CellCount - 1), u"Last"_s);
    }

    void escapeDiscards_data()
    {
        QTest::addColumn<int>("focusCell");   // -1: the save button

        QTest::newRow("in the first cell") << 0;
        QTest::newRow("in the last cell") << Form1::CellCount - 1;
        QTest::newRow("on the save button") << -1;
    }

    void escapeDiscards()
    {
        QFETCH(int, focusCell);
        Types t;
        const QStringList before = t.storedCells();
        Form1 &editor = t.open();
        retype(editor.Text1[0], u"Changed"_s);
        QWidget *focus = focusCell < 0 ? static_cast<QWidget *>(editor.Command1)
                                       : editor.Text1[size_t(focusCell)];
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);

        QVERIFY(!editor.isVisible());
        QVERIFY(t.h.form->isVisible());
        QCOMPARE(t.storedCells(), before);
        t.open();
        QCOMPARE(editor.Text1[0]->text(), u"Books"_s);
    }
};

int main(int argc, char *argv[])
{
    // An offscreen screen of the small size, described to the platform before it starts.
    QTemporaryFile screens(QDir::tempPath() + u"/ambrook-screen-XXXXXX.json"_s);
    if (!screens.open())
        return 2;
    screens.write(QStringLiteral(R"({"screens": [{"name": "small", "x": 0, "y": 0,
        "width": %1, "height": %2, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                      .arg(screenSize.width())
                      .arg(screenSize.height())
                      .toUtf8());
    screens.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SmallScreenTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "smallscreentest.moc"
