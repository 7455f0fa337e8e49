// The program killed at a random moment while it saves a large document: "pic" must always
// be a whole document, the one before the save or the one being saved, and nothing left
// behind may pass for it.

#include "safetyfixture.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <csignal>
#include <random>

using namespace Qt::Literals::StringLiterals;
using namespace safety;

namespace {

constexpr int objectCount = 20000;
constexpr int trials = 200;

// Reads lines from the saver until one starts with word; false when it ends first.
bool waitForLine(QProcess &process, const char *word, QByteArray &line)
{
    for (;;) {
        while (process.canReadLine()) {
            line = process.readLine().trimmed();
            if (line.startsWith(word))
                return true;
        }
        if (!process.waitForReadyRead(60000))
            return false;
    }
}

// The digest the saver prints for the bytes it writes.
QByteArray hexDigest(const QString &file)
{
    QFile in(file);
    QCryptographicHash hash(QCryptographicHash::Md5);
    if (!in.open(QIODevice::ReadOnly) || !hash.addData(&in))
        return QByteArray();
    return hash.result().toHex();
}

} // namespace

class CrashTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving();
};

void CrashTest::killedWhileSaving()
{
    WorkingFolder folder;
    const QString saver = QStringLiteral(AMBROOK_CRASHSAVER);
    QProcess make;
    make.start(saver, {u"make"_s, u"pic"_s, QString::number(objectCount)});
    QVERIFY(make.waitForFinished(120000));
    QCOMPARE(make.exitCode(), 0);
    int count = 0;
    QVERIFY(isDocument(fileBytes(u"pic"_s), &count));
    QCOMPARE(count, objectCount);

    QProcess server;
    server.start(saver, {u"serve"_s, u"pic"_s});
    QByteArray line;
    QVERIFY(waitForLine(server, "ready", line));
    QCOMPARE(line, "ready " + QByteArray::number(objectCount));

    // One save to the end, to learn how long a save takes here and spread the kills over it.
    QElapsedTimer timer;
    server.write("save 1\n");
    QVERIFY(waitForLine(server, "child", line));
    timer.start();
    QVERIFY(waitForLine(server, "done", line));
    const qint64 saveNs = timer.nsecsElapsed();
    QByteArray whole = hexDigest(u"pic"_s);

    const quint32 seed = QRandomGenerator::global()->generate();
    std::mt19937 random(seed);
    // From the start of a save to a little past its end.
    std::uniform_int_distribution<qint64> delayNs(0, saveNs + saveNs / 2);
    int wholeDocuments = 0;
    int newDocuments = 0;
    QStringList leftovers;
    for (int trial = 1; trial <= trials; ++trial) {
        const int generation = trial + 1;
        server.write("save " + QByteArray::number(generation) + '\n');
        QVERIFY2(waitForLine(server, "child", line), "the saver stopped");
        const QList<QByteArray> words = line.split(' ');
        QCOMPARE(words.size(), 3);
        const QByteArray saving = words.at(2);
        QThread::usleep(unsigned(delayNs(random) / 1000));
        ::kill(pid_t(words.at(1).toLongLong()), SIGKILL);
        QVERIFY2(waitForLine(server, "done", line), "the saver stopped");

        // "pic" is byte for byte the document before this save or the one it was writing.
        const QByteArray found = hexDigest(u"pic"_s);
        QVERIFY2(found == whole || found == saving,
                 qPrintable(u"trial %1 (seed %2): pic is neither the old nor the new document"_s
                                .arg(trial).arg(seed)));
        ++wholeDocuments;
        if (found == saving)
            ++newDocuments;
        whole = found;

        // Anything else is what a save killed between naming and renaming its temporary
        // file leaves: never named "pic".
        for (const QString &name : QDir().entryList(QDir::Files | QDir::Hidden)) {
            if (name != u"pic"_s && !leftovers.contains(name))
                leftovers << name;
        }
    }
    server.closeWriteChannel();
    QVERIFY(server.waitForFinished(60000));
    QCOMPARE(server.exitCode(), 0);

    // A later start and quit read and write "pic" alone, whatever the kills left beside it.
    VellumModel model;
    QVERIFY(model.LoadDocument(u"pic"_s));
    QCOMPARE(model.ObjectCount(1), objectCount);
    QCOMPARE(QCryptographicHash::hash(DocumentFile::write(model.objects()),
                                      QCryptographicHash::Md5).toHex(), whole);
    QVERIFY(model.SaveDocument(u"pic"_s));
    QCOMPARE(hexDigest(u"pic"_s), whole);
    for (const QString &name : std::as_const(leftovers))
        QVERIFY(name.startsWith(u"pic."_s) && QFile::remove(name));
    qInfo("SIGKILL trials: %d, whole documents: %d (old %d, new %d), temporary files left: "
          "%lld (seed %u)",
          trials, wholeDocuments, wholeDocuments - newDocuments, newDocuments,
          qint64(leftovers.size()), seed);
}

int runCrashTest(int argc, char **argv)
{
    CrashTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "crashtest.moc"
