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

class InstallTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void filesAreInPlace_data();
    void filesAreInPlace();
    void iconsHaveTheirSizes_data();
    void iconsHaveTheirSizes();
    void desktopEntryStartsTheLauncher();
    void validatorsAccept_data();
    void validatorsAccept();
    void aPrefixWithBlanksIsQuoted();
    void launcherMakesTheDataFolderAndStarts_data();
    void launcherMakesTheDataFolderAndStarts();

private:
    // Installs the build into prefix; the output of cmake on failure.
    static QString install(const QString &prefix);
    static QMap<QString, QString> desktopEntry(const QString &prefix);

    QTemporaryDir mRoot;
    QString mPrefix;
};

QString InstallTest::install(const QString &prefix)
{
    QProcess cmake;
    cmake.setProcessChannelMode(QProcess::MergedChannels);
    cmake.start(QStringLiteral(AMBROOK_CMAKE),
                {QStringLiteral("--install"), QStringLiteral(AMBROOK_BUILD_DIR),
                 QStringLiteral("--prefix"), prefix});
    if (!cmake.waitForFinished(120000) || cmake.exitStatus() != QProcess::NormalExit
        || cmake.exitCode() != 0) {
        return QString::fromLocal8Bit(cmake.readAll()) + cmake.errorString();
    }
    return {};
}

QMap<QString, QString> InstallTest::desktopEntry(const QString &prefix)
{
    QMap<QString, QString> keys;
    QFile file(prefix + QStringLiteral("/share/applications/ambrook.desktop"));
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

void InstallTest::initTestCase()
{
    QVERIFY(mRoot.isValid());
    mPrefix = mRoot.filePath(QStringLiteral("prefix"));
    const QString failure = install(mPrefix);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void InstallTest::filesAreInPlace_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("program") << QStringLiteral("bin/ambrook") << true;
    QTest::newRow("launcher") << QStringLiteral("bin/ambrook-launch") << true;
    QTest::newRow("listed box picture") << QStringLiteral("bin/Images/addsmallbutton.bmp")
                                        << false;
    QTest::newRow("chosen box picture")
        << QStringLiteral("bin/Images/yellowsmallbutton.bmp") << false;
    QTest::newRow("menu entry") << QStringLiteral("share/applications/ambrook.desktop")
                                << false;
    QTest::newRow("metainfo") << QStringLiteral("share/metainfo/ambrook.metainfo.xml") << false;
    QTest::newRow("scalable icon")
        << QStringLiteral("share/icons/hicolor/scalable/apps/ambrook.svg") << false;
    QTest::newRow("licence") << QStringLiteral("share/doc/ambrook/LICENSE") << false;
}

void InstallTest::filesAreInPlace()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo info(QDir(mPrefix).filePath(path));
    QVERIFY2(info.isFile(), qPrintable(info.filePath()));
    QVERIFY(info.size() > 0);
    QCOMPARE(info.isExecutable(), executable);
}

void InstallTest::iconsHaveTheirSizes_data()
{
    QTest::addColumn<int>("size");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void InstallTest::iconsHaveTheirSizes()
{
    QFETCH(int, size);
    const QString path = mPrefix + QStringLiteral("/share/icons/hicolor/%1x%1/apps/ambrook.png")
                                       .arg(size);
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    // A box on a transparent ground: clear in the corner, solid in the middle.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size * 3 / 4)), 255);
}

void InstallTest::desktopEntryStartsTheLauncher()
{
    const QMap<QString, QString> entry = desktopEntry(mPrefix);
    QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
    QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("Ambrook"));
    QCOMPARE(entry.value(QStringLiteral("Icon")), QStringLiteral("ambrook"));
    QVERIFY(!entry.value(QStringLiteral("Comment")).isEmpty());
    const QStringList categories =
        entry.value(QStringLiteral("Categories")).split(u';', Qt::SkipEmptyParts);
    QVERIFY(categories.contains(QStringLiteral("Office")));
    QCOMPARE(entry.value(QStringLiteral("Exec")), mPrefix + QStringLiteral("/bin/ambrook-launch"));
}

void InstallTest::validatorsAccept_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry") << QStringLiteral("desktop-file-validate")
                                   << QStringList{QStringLiteral(
                                          "share/applications/ambrook.desktop")};
    QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                              << QStringList{QStringLiteral("validate"),
                                             QStringLiteral("--no-net"),
                                             QStringLiteral(
                                                 "share/metainfo/ambrook.metainfo.xml")};
}

void InstallTest::validatorsAccept()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        QSKIP(qPrintable(tool + QStringLiteral(" is not installed")));
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.setWorkingDirectory(mPrefix);
    check.start(program, arguments);
    QVERIFY(check.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(check.readAll());
    QVERIFY2(check.exitCode() == 0, qPrintable(output));
    // desktop-file-validate reports warnings with a zero exit code.
    QVERIFY2(!output.contains(QStringLiteral("warning:")), qPrintable(output));
}

void InstallTest::aPrefixWithBlanksIsQuoted()
{
    const QString prefix = mRoot.filePath(QStringLiteral("my programs"));
    const QString failure = install(prefix);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    QCOMPARE(desktopEntry(prefix).value(QStringLiteral("Exec")),
             u'"' + prefix + QStringLiteral("/bin/ambrook-launch\""));
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(validator, {prefix + QStringLiteral("/share/applications/ambrook.desktop")});
    QVERIFY(check.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(check.readAll());
    QVERIFY2(check.exitCode() == 0, qPrintable(output));
    QVERIFY2(!output.contains(QStringLiteral("warning:")), qPrintable(output));
}

void InstallTest::launcherMakesTheDataFolderAndStarts_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("dataFolder");   // relative to the home folder
    QTest::newRow("menu entry: ~/Ambrook") << QStringList{} << QStringLiteral("Ambrook");
    QTest::newRow("folder named, with blanks")
        << QStringList{QStringLiteral("@HOME@/my things/boxes")}
        << QStringLiteral("my things/boxes");
}

void InstallTest::launcherMakesTheDataFolderAndStarts()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, dataFolder);
    QTemporaryDir home;
    QVERIFY(home.isValid());
    for (QString &argument : arguments)
        argument.replace(QStringLiteral("@HOME@"), home.path());

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.setWorkingDirectory(QDir::rootPath());
    program.start(mPrefix + QStringLiteral("/bin/ambrook-launch"), arguments);
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));

    // Ambrook has no way to be ended from outside but the quit button: still running
    // after two seconds means it started well, and it is then stopped.
    const bool ended = program.waitForFinished(2000);
    const QString output = QString::fromLocal8Bit(program.readAll());
    if (!ended) {
        program.kill();
        program.waitForFinished(10000);
    }
    QVERIFY2(!ended, qPrintable(QStringLiteral("ended early, code %1: %2")
                                    .arg(program.exitCode())
                                    .arg(output)));
    const QDir data(QDir(home.path()).filePath(dataFolder));
    QVERIFY2(data.exists(), qPrintable(data.path()));
    // Start-up ran in the data folder: it made the backup folder there.
    QVERIFY(data.exists(QStringLiteral("backups")));
    // Nothing is saved until the user quits.
    QVERIFY(!data.exists(QStringLiteral("pic")));
}

int runInstallTest(int argc, char **argv)
{
    InstallTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "installtest.moc"
