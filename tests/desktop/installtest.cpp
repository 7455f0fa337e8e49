// Installation: `cmake --install` into a temporary prefix gives the program, its starter,
// the button pictures, the menu entry, the icons and the software-centre description, and
// the installed program starts from the menu entry's command in a fresh home folder.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class InstallTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(mRoot.isValid());
        mPrefix = mRoot.filePath(u"prefix"_s);
        const QString failure = install(mPrefix);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void filesAreInPlace_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        QTest::newRow("program") << u"bin/ambrook"_s << true;
        QTest::newRow("launcher") << u"bin/ambrook-launch"_s << true;
        QTest::newRow("listed box picture") << u"bin/Images/addsmallbutton.bmp"_s << false;
        QTest::newRow("chosen box picture") << u"bin/Images/yellowsmallbutton.bmp"_s << false;
        QTest::newRow("menu entry") << u"share/applications/ambrook.desktop"_s << false;
        QTest::newRow("metainfo") << u"share/metainfo/ambrook.metainfo.xml"_s << false;
        QTest::newRow("scalable icon")
            << u"share/icons/hicolor/scalable/apps/ambrook.svg"_s << false;
        QTest::newRow("licence") << u"share/doc/ambrook/LICENSE"_s << false;
    }

    void filesAreInPlace()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo info(QDir(mPrefix).filePath(path));
        QVERIFY2(info.isFile(), qPrintable(info.filePath()));
        QVERIFY(info.size() > 0);
        QCOMPARE(info.isExecutable(), executable);
    }

    void iconsHaveTheirSizes_data()
    {
        QTest::addColumn<int>("size");
        for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
            QTest::addRow("%dx%d", size, size) << size;
    }

    void iconsHaveTheirSizes()
    {
        QFETCH(int, size);
        const QString path = mPrefix + u"/share/icons/hicolor/%1x%1/apps/ambrook.png"_s.arg(size);
        const QImage icon(path);
        QVERIFY2(!icon.isNull(), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        // A box on a transparent ground: clear in the corner, solid in the middle.
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255);
    }

    void desktopEntryStartsTheLauncher_data()
    {
        QTest::addColumn<QString>("folder");   // of the prefix; empty: the one installed first
        QTest::addColumn<bool>("quoted");
        QTest::newRow("plain prefix") << QString() << false;
        QTest::newRow("a prefix with blanks is quoted") << u"my programs"_s << true;
    }

    void desktopEntryStartsTheLauncher()
    {
        QFETCH(QString, folder);
        QFETCH(bool, quoted);
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
        QCOMPARE(entry.value(u"Exec"_s), quoted ? u'"' + launcher + u'"' : launcher);
        validate(u"desktop-file-validate"_s, {prefix + u"/share/applications/ambrook.desktop"_s});
    }

    void metainfoIsValid()
    {
        validate(u"appstreamcli"_s, {u"validate"_s, u"--no-net"_s,
                                     mPrefix + u"/share/metainfo/ambrook.metainfo.xml"_s});
    }

    void launcherMakesTheDataFolderAndStarts_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("dataFolder"); // relative to the home folder
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
        // Start-up ran in the data folder: it made the backup folder there.
        QVERIFY(data.exists(u"backups"_s));
        // Nothing is saved until the user quits.
        QVERIFY(!data.exists(u"pic"_s));
    }

private:
    // Installs the build into prefix; the output of cmake on failure.
    static QString install(const QString &prefix);
    static QMap<QString, QString> desktopEntry(const QString &prefix);
    // Runs a validator, if installed, in the prefix: it must pass without a warning.
    void validate(const QString &tool, const QStringList &arguments);

    QTemporaryDir mRoot;
    QString mPrefix;
};

QString InstallTest::install(const QString &prefix)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(AMBROOK_CMAKE),
                {u"--install"_s, QStringLiteral(AMBROOK_BUILD_DIR), u"--prefix"_s, prefix});
    if (!cmake.waitForFinished(120000) || cmake.exitStatus() != QProcess::NormalExit
        || cmake.exitCode() != 0) {
        return QString::fromLocal8Bit(cmake.readAll()) + cmake.errorString();
    }
    return {};
}

QMap<QString, QString> InstallTest::desktopEntry(const QString &prefix)
{
    QMap<QString, QString> keys;
    QFile file(prefix + u"/share/applications/ambrook.desktop"_s);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return keys;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && !line.startsWith(u'#'))
            keys.insert(line.left(eq), line.mid(eq + 1));
    }
    return keys;
}

void InstallTest::validate(const QString &tool, const QStringList &arguments)
{
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + u" is not installed"_s));
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.setWorkingDirectory(mPrefix);
    check.start(program, arguments);
    QVERIFY(check.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(check.readAll());
    QVERIFY2(check.exitCode() == 0, qPrintable(output));
    // desktop-file-validate reports warnings with a zero exit code.
    QVERIFY2(!output.contains(u"warning:"_s), qPrintable(output));
}

int runInstallTest(int argc, char **argv)
{
    InstallTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "installtest.moc"
