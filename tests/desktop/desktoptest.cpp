// Ambrook as a desktop program. `cmake --install` into a temporary prefix gives the program,
// its starter, the button pictures, the menu entry, the icons and the software-centre
// description, and the installed program starts from the menu entry's command in a fresh
// home folder. The window has its icon, Tab walks down the panel and through the commands,
// keys run the main commands, the hand opens over shapes, and the panel keeps its
// proportions at any scale factor.

#include "support/testsupport.h"

#include "store/form1.h"
#include "window/controls.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// Set in the copy of this test that runs under a scale factor (see the last test).
const char *const scaledRun = "AMBROOK_SCALED_RUN";

// Installs the build into prefix; the output of cmake on failure.
QString install(const QString &prefix)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(AMBROOK_CMAKE),
                {u"--install"_s, QStringLiteral(AMBROOK_BUILD_DIR), u"--prefix"_s, prefix});
    const bool done = cmake.waitForFinished(120000) && cmake.exitStatus() == QProcess::NormalExit
        && cmake.exitCode() == 0;
    return done ? QString() : QString::fromLocal8Bit(cmake.readAll()) + cmake.errorString();
}

QMap<QString, QString> desktopEntry(const QString &prefix)
{
    QMap<QString, QString> keys;
    QFile file(prefix + u"/share/applications/ambrook.desktop"_s);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && !line.startsWith(u'#'))
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

// Runs a validator, if installed, in the prefix: it must pass without a warning.
void validate(const QString &prefix, const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + u" is not installed"_s));
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.setWorkingDirectory(prefix);
    check.start(program, arguments);
    QVERIFY(check.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(check.readAll());
    QVERIFY2(check.exitCode() == 0, qPrintable(output));
    // desktop-file-validate reports warnings with a zero exit code.
    QVERIFY2(!output.contains(u"warning:"_s), qPrintable(output));
}

QStringList focusWalk(QWidget *from, int steps)
{
    QStringList names;
    from->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *focused = QApplication::focusWidget();
        // A chooser or the calendar hands focus to a part of itself.
        while (focused && (focused->objectName().isEmpty()
                           || focused->objectName().startsWith(QLatin1String("qt_"))))
            focused = focused->parentWidget();
        names << (focused ? focused->objectName() : u"(none)"_s);
    }
    return names;
}

// A box "Garage" holding one object of a type with three captions, selected.
qint32 selectTypedObject(Harness &h)
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

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet(scaledRun))
            return;   // the scaled copy runs one window test alone
        QVERIFY(mRoot.isValid());
        mPrefix = mRoot.filePath(u"prefix"_s);
        const QString failure = install(mPrefix);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void filesAreInPlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::addColumn<int>("iconSize");   // 0: not a picture of the icon
        QTest::newRow("program") << u"bin/ambrook"_s << true << 0;
        QTest::newRow("launcher") << u"bin/ambrook-launch"_s << true << 0;
        QTest::newRow("listed box picture") << u"bin/Images/addsmallbutton.bmp"_s << false << 0;
        QTest::newRow("chosen box picture") << u"bin/Images/yellowsmallbutton.bmp"_s << false << 0;
        QTest::newRow("menu entry") << u"share/applications/ambrook.desktop"_s << false << 0;
        QTest::newRow("metainfo") << u"share/metainfo/ambrook.metainfo.xml"_s << false << 0;
        QTest::newRow("scalable icon")
            << u"share/icons/hicolor/scalable/apps/ambrook.svg"_s << false << 0;
        QTest::newRow("licence") << u"share/doc/ambrook/LICENSE"_s << false << 0;
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("icon %dx%d", size, size)
                << u"share/icons/hicolor/%1x%1/apps/ambrook.png"_s.arg(size) << false << size;
    }

    void filesAreInPlace()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        QFETCH(int, iconSize);
        const QFileInfo info(QDir(mPrefix).filePath(path));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        QCOMPARE(info.isExecutable(), executable);
        if (iconSize == 0)
            return;
        const QImage icon(info.filePath());
        QCOMPARE(icon.size(), QSize(iconSize, iconSize));
        // A box on a transparent ground: clear in the corner, solid in the middle.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(iconSize / 2, iconSize * 3 / 4)), 255);
    }

    void desktopEntryStartsTheLauncher_data()
    {
        QTest::addColumn<QString>("folder");   // of the prefix; empty: the one installed first
        QTest::newRow("plain prefix") << QString();
        QTest::newRow("a prefix with blanks is quoted") << u"my programs"_s;
    }

    void desktopEntryStartsTheLauncher()
    {
        QFETCH(QString, folder);
        const QString prefix = folder.isEmpty() ? mPrefix : mRoot.filePath(folder);
        if (!folder.isEmpty()) {
            const QString failure = install(prefix);
            QVERIFY2(failure.isEmpty(), qPrintable(failure));
        }
        const QMap<QString, QString> entry = desktopEntry(prefix);
        QCOMPARE(entry.value(u"Type"_s), u"Application"_s);
        QCOMPARE(entry.value(u"Name"_s), u"Ambrook"_s);
        QCOMPARE(entry.value(u"Icon"_s), u"ambrook"_s);
        QVERIFY(!entry.value(u"Comment"_s).isEmpty());
        QVERIFY(entry.value(u"Categories"_s).split(u';').contains(u"Office"_s));
        const QString launcher = prefix + u"/bin/ambrook-launch"_s;
        QCOMPARE(entry.value(u"Exec"_s), folder.isEmpty() ? launcher : u'"' + launcher + u'"');
        validate(mPrefix, u"desktop-file-validate"_s,
                 {prefix + u"/share/applications/ambrook.desktop"_s});
    }

    void metainfoIsValid()
    {
        validate(mPrefix, u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s,
                 mPrefix + u"/share/metainfo/ambrook.metainfo.xml"_s});
    }

    void launcherMakesTheDataFolderAndStarts_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("dataFolder");   // relative to the home folder
        QTest::newRow("menu entry: ~/Ambrook") << QStringList {} << u"Ambrook"_s;
        QTest::newRow("folder named, with blanks")
            << QStringList {u"@HOME@/my things/boxes"_s} << u"my things/boxes"_s;
    }

    void launcherMakesTheDataFolderAndStarts()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, dataFolder);
        QTemporaryDir home;
        QVERIFY(home.isValid());
        for (QString &argument : arguments)
            argument.replace(u"@HOME@"_s, home.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"HOME"_s, home.path());
        environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
        QProcess program;
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.setWorkingDirectory(QDir::rootPath());
        program.start(mPrefix + u"/bin/ambrook-launch"_s, arguments);
        QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));

        // Ambrook has no way to be ended from outside but the quit button: still running
        // after two seconds means it started well, and it is then stopped.
        const bool ended = program.waitForFinished(2000);
        const QString output = QString::fromLocal8Bit(program.readAll());
        if (!ended) {
            program.kill();
            program.waitForFinished(10000);
        }
        QVERIFY2(!ended,
                 qPrintable(u"ended early, code %1: %2"_s.arg(program.exitCode()).arg(output)));
        const QDir data(QDir(home.path()).filePath(dataFolder));
        QVERIFY2(data.exists(), qPrintable(data.path()));
        // Start-up ran in the data folder: it made the backup folder there, and saved nothing.
        QVERIFY(data.exists(u"backups"_s));
        QVERIFY(!data.exists(u"pic"_s));
    }

    // The window and the type editor, a window of its own, show the icon at every size;
    // each row's cover lies exactly over its caption and field.
    void windowIconAndCovers()
    {
        Harness h;
        const QIcon icon = h.form->windowIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 32, 256}) {
            const QPixmap pixmap = icon.pixmap(QSize(size, size));
            QVERIFY(!pixmap.isNull());
            QCOMPARE(pixmap.width() / pixmap.devicePixelRatio(), size);
        }
        QCOMPARE(h.form->typeEditor().windowIcon().cacheKey(), icon.cacheKey());
        for (int i = 0; i < 16; ++i) {
            const QRect cover = h.form->Command2[size_t(i)]->geometry();
            const QRect caption = h.form->Label[size_t(i)]->geometry();
            const QRect field = h.form->textField(i + 2)->geometry();
            QCOMPARE(QList({caption.top(), field.top()}), QList<int>(2, cover.top()));
            QVERIFY(cover.contains(caption.united(field)));
            // Rows follow each other without a gap in which the next caption shows.
            if (i > 0)
                QVERIFY(h.form->Command2[size_t(i - 1)]->geometry().bottom() + 1 >= cover.top());
        }
    }

    // Tab walks down the panel and through the commands; the hand opens over a shape.
    void tabWalksDownThePanelThenTheCommands()
    {
        Harness h;
        h.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h.form.get()));
        const qint32 id = selectTypedObject(h);

        // Rows 0 .. 2 carry captions; the covered rows 3 .. 15 are passed over.
        const QStringList expected
            = {u"txtName"_s,     u"Combo1"_s,      u"txtInfo"_s,     u"Text1"_s,     u"Alarm"_s,
               u"Text18"_s,      u"Text2"_s,       u"Text3"_s,       u"Text4"_s,     u"Value"_s,
               u"SaveChanges"_s, u"movehistory"_s, u"newlocation"_s, u"newitem"_s,   u"btnundo"_s,
               u"newtype"_s,     u"colour"_s,      u"txttagname"_s,  u"btnsearch"_s,
               u"Calendar1"_s,   u"Combo2"_s,      u"Command1"_s};
        QCOMPARE(focusWalk(h.form->txtType, int(expected.size())), expected);

        h.clickObject(id);
        QTest::mouseMove(&h.canvas(), h.centreOf(id));
        QCOMPARE(h.canvas().cursor().shape(), Qt::OpenHandCursor);
        QTest::mouseMove(&h.canvas(), QPoint(2, 2));
        QCOMPARE(h.canvas().cursor().shape(), Qt::ArrowCursor);
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
        if (effect == "object"_L1) {
            QTRY_COMPARE(h.canvas().ObjectCount(1), objects + 1);
        } else if (effect == "box"_L1) {
            QTRY_COMPARE(h.platform->prompts.size(), 2);
        } else if (effect == "search"_L1) {
            QCOMPARE(QApplication::focusWidget(), h.form->txttagname);
        } else if (effect == "alarms"_L1) {
            QTRY_VERIFY(h.form->List1->isVisible());
            QCOMPARE(h.form->List1->item(0)->text(), u" No Alarms Activated Today"_s);
        } else {
            QTRY_VERIFY(h.form->typeEditor().isVisible());
            h.form->typeEditor().close();
        }
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
    QTemporaryDir mRoot;
    QString mPrefix;
};

AMBROOK_WINDOW_TEST_MAIN(DesktopTest)
#include "desktoptest.moc"
