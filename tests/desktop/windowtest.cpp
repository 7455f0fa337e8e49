// The main window as a desktop program: its icon, Tab down
// the panel and through the commands, keys for the main commands, the open hand over
// shapes, and a panel that keeps its proportions at any scale factor.

#include "support/testsupport.h"

#include "window/controls.h"
#include "store/form1.h"

#include <QProcess>

using namespace Qt::StringLiterals;

namespace {

// Set in the copy of this test that runs under a scale factor (see the last test).
const char *const scaledRun = "AMBROOK_SCALED_RUN";

QStringList focusWalk(QWidget *from, int steps)
{
    QStringList names;
    from->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        // A chooser or the calendar hands focus to a part of itself.
        while (focused
               && (focused->objectName().isEmpty()
                   || focused->objectName().startsWith(QLatin1String("qt_"))))
            focused = focused->parentWidget();
        names << (focused ? focused->objectName() : u"(none)"_s);
    }
    return names;
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void windowHasTheIcon()
    {
        Harness h;
        const QIcon icon = h.form->windowIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 32, 256}) {
            const QPixmap pixmap = icon.pixmap(QSize(size, size));
            QVERIFY(!pixmap.isNull());
            QCOMPARE(pixmap.width() / pixmap.devicePixelRatio(), size);
        }
        // The type editor, a window of its own, shows the same icon.
        QCOMPARE(h.form->typeEditor().windowIcon().cacheKey(), icon.cacheKey());
    }

    void tabWalksDownThePanelThenTheCommands()
    {
        Harness h;
        h.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
        selectTypedObject(h);

        // Rows 0 .. 2 carry captions; the covered rows 3 .. 15 are passed over.
        const QStringList expected
            = {u"txtName"_s,     u"Combo1"_s,      u"txtInfo"_s,     u"Text1"_s,     u"Alarm"_s,
               u"Text18"_s,      u"Text2"_s,       u"Text3"_s,       u"Text4"_s,     u"Value"_s,
               u"SaveChanges"_s, u"movehistory"_s, u"newlocation"_s, u"newitem"_s,   u"newtype"_s,
               u"colour"_s,      u"txttagname"_s,  u"btnsearch"_s,   u"Calendar1"_s, u"Combo2"_s,
               u"Command1"_s};
        QCOMPARE(focusWalk(h.form->txtType, int(expected.size())), expected);

        // Shift+Tab walks back up.
        h.form->Text3->setFocus(Qt::TabFocusReason);
        QTest::keyClick(h.form->Text3, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), h.form->Text2);
    }

    void commandKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<QString>("effect");
        const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+N: new object") << int(Qt::Key_N) << ctrl << u"object"_s;
        QTest::newRow("Ctrl+Shift+N: new box")
            << int(Qt::Key_N) << (ctrl | Qt::ShiftModifier) << u"box"_s;
        QTest::newRow("Ctrl+F: search field") << int(Qt::Key_F) << ctrl << u"search"_s;
        QTest::newRow("Ctrl+L: alarm report") << int(Qt::Key_L) << ctrl << u"alarms"_s;
        QTest::newRow("Ctrl+T: object types") << int(Qt::Key_T) << ctrl << u"types"_s;
    }

    void commandKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(QString, effect);
        Harness h;
        h.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
        steps::newBox(h, u"Garage"_s);
        const int objects = h.canvas().ObjectCount(1);
        h.form->Value->setFocus();

        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        if (effect == QLatin1String("object")) {
            QTRY_COMPARE(h.canvas().ObjectCount(1), objects + 1);
        } else if (effect == QLatin1String("box")) {
            QTRY_COMPARE(h.platform->prompts.size(), 2);
        } else if (effect == QLatin1String("search")) {
            QCOMPARE(QApplication::focusWidget(), h.form->txttagname);
        } else if (effect == QLatin1String("alarms")) {
            QTRY_VERIFY(h.form->List1->isVisible());
            QCOMPARE(h.form->List1->item(0)->text(), u" No Alarms Activated Today"_s);
        } else {
            QTRY_VERIFY(h.form->typeEditor().isVisible());
            h.form->typeEditor().close();
        }
    }

    void coversLieExactlyOverTheirRows()
    {
        Harness h;
        for (int i = 0; i < 16; ++i) {
            const QRect cover = h.form->Command2[size_t(i)]->geometry();
            const QRect caption = h.form->Label[size_t(i)]->geometry();
            const QRect field = h.form->textField(i + 2)->geometry();
            QCOMPARE(cover.top(), caption.top());
            QCOMPARE(cover.top(), field.top());
            QVERIFY(cover.contains(caption.united(field)));
            // Rows follow each other without a gap in which the next caption shows.
            if (i > 0)
                QVERIFY(h.form->Command2[size_t(i - 1)]->geometry().bottom() + 1 >= cover.top());
        }
    }

    void openHandOverShapes()
    {
        Harness h;
        const qint32 id = selectTypedObject(h);
        h.clickObject(id);
        QTest::mouseMove(&h.canvas(), h.centreOf(id));
        QCOMPARE(h.canvas().cursor().shape(), Qt::OpenHandCursor);
        QTest::mouseMove(&h.canvas(), QPoint(2, 2));
        QCOMPARE(h.canvas().cursor().shape(), Qt::ArrowCursor);
    }

    void scaledWindowKeepsItsLayout_data()
    {
        QTest::addColumn<QString>("factor");
        if (qEnvironmentVariableIsSet(scaledRun)) {
            QTest::newRow("this run") << QString();
            return;
        }
        QTest::newRow("1.5") << u"1.5"_s;
        QTest::newRow("2") << u"2"_s;
    }

    void scaledWindowKeepsItsLayout()
    {
        QFETCH(QString, factor);
        if (!factor.isEmpty()) {
            // A scale factor is read when the application starts: run this test once more
            // in a process of its own under that factor.
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(u"QT_SCALE_FACTOR"_s, factor);
            environment.insert(QString::fromLatin1(scaledRun), factor);
            QProcess child;
            child.setProcessEnvironment(environment);
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QApplication::applicationFilePath(), {u"scaledWindowKeepsItsLayout"_s});
            QVERIFY(child.waitForFinished(120000));
            QVERIFY2(child.exitCode() == 0, child.readAll().constData());
            return;
        }

        const double scale = qEnvironmentVariable(scaledRun).toDouble();
        Harness h;
        selectTypedObject(h);
        QCOMPARE(h.form->devicePixelRatioF(), scale);
        // The layout is in device-independent pixels: the same as without a scale factor.
        QCOMPARE(h.form->twipsY(1440), 96);
        QCOMPARE(h.form->Command2[3]->geometry().top(), h.form->twipsY(2160 + 360 * 3));

        // The covers and the canvas are painted at the screen's own resolution, not enlarged.
        for (QWidget *widget : {static_cast<QWidget *>(h.form->Command2[5]),
                                static_cast<QWidget *>(h.form->Vellum)}) {
            const QPixmap picture = widget->grab();
            QCOMPARE(picture.devicePixelRatio(), scale);
            QCOMPARE(picture.width(), qRound(widget->width() * scale));
        }
    }

private:
    // A box "Garage" holding one object of a type with three captions, selected.
    static qint32 selectTypedObject(Harness &h);
};

qint32 WindowTest::selectTypedObject(Harness &h)
{
    Form1 &editor = h.form->typeEditor();
    editor.Form_Load();
    const QStringList cells = {u"Tools"_s, u"Brand"_s, u"Power"_s, u"Bought"_s};
    for (int i = 0; i < cells.size(); ++i)
        editor.Text1[size_t(i)]->setText(cells[i]);
    editor.Command1_Click();

    steps::newBox(h, u"Garage"_s);
    const qint32 id = steps::newObject(h);
    h.clickObject(id);
    steps::choose(h.form->Combo1, 0);
    return id;
}

int runWindowTest(int argc, char **argv)
{
    WindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "windowtest.moc"
