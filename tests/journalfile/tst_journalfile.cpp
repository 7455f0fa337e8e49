// The journal file on its own: what is written reads back exactly, a torn or damaged end is
// recognised, and nothing damaged is ever handed out as a record.

#include "canvas/model/journalfile.h"
#include "canvas/model/vellummodel.h"
#include "support/testsupport.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Kind = ChangeRecord::Kind;

ChangeRecord change(Kind kind, qint32 id)
{
    ChangeRecord r;
    r.kind = kind;
    r.id = id;
    return r;
}

QByteArray pngBytes()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes;
}

// One record of each kind, and a step with every kind of change.
std::vector<JournalRecord> sampleRecords()
{
    std::vector<JournalRecord> records(6);
    records[0].kind = JournalRecord::Kind::Session;
    JournalRecord &step = records[1];
    step.text = QStringLiteral("new box Shed");
    step.window = QByteArray("\0window\xff", 8);
    auto object = std::make_shared<VellumObject>();
    object->id = 7;
    object->kind = 12;
    object->x2 = 40;
    object->properties = {{QStringLiteral("Name"), QStringLiteral("Drill, \"cordless\"")},
                          {QStringLiteral("Value"), QString()}};
    object->fillColor = QColor(10, 20, 30, 40);
    object->objectText = QString(QChar(0xd800)) + QStringLiteral("half a pair");
    object->pictureData = pngBytes();
    ChangeRecord added = change(Kind::Added, 7);
    added.object = object;
    added.position = 3;
    ChangeRecord deleted = change(Kind::Deleted, 7);
    deleted.object = object;
    ChangeRecord property = change(Kind::Property, 2);
    property.key = QStringLiteral("Info");
    property.newText = QStringLiteral("Garage\r\n");
    ChangeRecord rect = change(Kind::Rect, 2);
    rect.oldRect = {1, 2, 3, 4};
    rect.newRect = {-5, 6, 70000, -8};
    ChangeRecord colour = change(Kind::Attribute, 2);
    colour.oldValue = QColor(Qt::white);
    colour.newValue = QColor(Qt::red);
    ChangeRecord text = change(Kind::Attribute, 2);
    text.attribute = ChangeRecord::Attribute::ObjectText;
    text.oldValue = QString();
    text.newValue = QStringLiteral("Tent");
    ChangeRecord style = change(Kind::Attribute, 2);
    style.attribute = ChangeRecord::Attribute::ShapeParam;
    style.oldValue = QVariant::fromValue(qint16(0));
    style.newValue = QVariant::fromValue(qint16(200));
    ChangeRecord layer = change(Kind::Layer, 2);
    layer.oldLayer = 1;
    layer.newLayer = -3;
    step.changes = {added, deleted, property, rect, colour, text, style, layer};
    records[2].text = QStringLiteral("typing in Value");
    records[2].typedField = QStringLiteral("Text5");
    records[2].continues = true;
    records[2].changes = {property};
    records[3].kind = JournalRecord::Kind::Undo;
    records[4].kind = JournalRecord::Kind::Redo;
    records[5].text = QStringLiteral("typing in Value");
    records[5].typedField = QStringLiteral("Text5");
    records[5].changes = {property};
    for (size_t i = 0; i < records.size(); ++i)
        records[i].time = 1'765'000'000'000 + qint64(i);
    return records;
}

QByteArray encoded(const JournalRecord &record)
{
    return JournalFile::encode(record);
}

} // namespace

class JournalFileTest : public QObject
{
    Q_OBJECT

    QTemporaryDir mDir;
    QString mFile;
    const std::vector<JournalRecord> mRecords = sampleRecords();
    QByteArray mWhole;                // the journal of mRecords
    std::vector<qint64> mEnds;        // where the head and each record end

private slots:
    void initTestCase()
    {
        QVERIFY(mDir.isValid());
        mFile = mDir.filePath(QStringLiteral("pic.journal"));
        const JournalOrigin origin{1234, 1'765'000'000'000, 0xfeedfacecafebeefULL};
        QString reason;
        JournalWriter writer;
        QVERIFY2(writer.create(mFile, origin, reason), qPrintable(reason));
        mEnds.push_back(writer.length());
        for (const JournalRecord &r : mRecords) {
            QVERIFY(writer.append(r));
            mEnds.push_back(writer.length());
        }
        // While open, the file runs on in zeros after the last record.
        const JournalContents open = readJournal(mFile);
        QVERIFY(QFileInfo(mFile).size() > writer.length());
        QCOMPARE(open.problem, QString());
        QCOMPARE(open.wholeLength, writer.length());
        QCOMPARE(open.records.size(), mRecords.size());
        writer.close();
        mWhole = fileBytes(mFile);

        const JournalContents read = readJournal(mFile);
        QCOMPARE(read.state, JournalContents::State::Read);
        QVERIFY(read.origin == origin);
        QCOMPARE(read.problem, QString());
        QCOMPARE(read.changeCount(), 4); // the typing goes on in the step before it
        QCOMPARE(read.wholeLength, mWhole.size());
        QCOMPARE(read.records.size(), mRecords.size());
        for (size_t i = 0; i < mRecords.size(); ++i)
            QCOMPARE(encoded(read.records[i]), encoded(mRecords[i]));
        const VellumObject &object = *read.records[1].changes[0].object;
        QCOMPARE(object.objectText, mRecords[1].changes[0].object->objectText);
        QCOMPARE(object.picture.size(), QSize(3, 2));
    }

    void init() { JournalWriter::beforeAppend = nullptr; }

    // A kill or a power cut can leave the last record or two half written.
    void cutInTheLastTwoRecords()
    {
        const qsizetype records = qsizetype(mRecords.size());
        for (qint64 cut = mEnds[records - 2]; cut <= mEnds[records]; ++cut) {
            const JournalContents read = readJournal(QByteArrayView(mWhole).first(cut));
            const qsizetype whole = std::upper_bound(mEnds.begin(), mEnds.end(), cut)
                                    - mEnds.begin() - 1;
            QCOMPARE(read.state, JournalContents::State::Read);
            QCOMPARE(qsizetype(read.records.size()), whole);
            QCOMPARE(read.wholeLength, mEnds[whole]);
            QCOMPARE(read.problem.isEmpty(), cut == mEnds[whole]);
        }

        // A journal that goes on after a torn record drops the torn part first.
        const QString torn = mDir.filePath(QStringLiteral("torn.journal"));
        QVERIFY(writeFile(torn, mWhole.first(mEnds[records] - 3)));
        const JournalContents cut = readJournal(torn);
        int numbered = 0;
        JournalWriter::beforeAppend = [&numbered](int number) { numbered = number; };
        QString reason;
        JournalWriter writer;
        QVERIFY(writer.resume(torn, cut.wholeLength, int(cut.records.size()), reason));
        QVERIFY(writer.append(mRecords[3]));
        writer.close();
        QCOMPARE(numbered, int(records));
        const JournalContents resumed = readJournal(torn);
        QCOMPARE(qsizetype(resumed.records.size()), records);
        QCOMPARE(resumed.problem, QString());
        QCOMPARE(resumed.records.back().kind, JournalRecord::Kind::Undo);

        // Zeros after the last record end it cleanly; anything else in them is damage.
        const QByteArray zeros(300, '\0');
        for (const QByteArray &tail : {zeros, zeros + "x", QByteArray(3, '\0') + "\x10"}) {
            const JournalContents padded = readJournal(QByteArrayView(mWhole + tail));
            QCOMPARE(padded.records.size(), mRecords.size());
            QCOMPARE(padded.wholeLength, mWhole.size());
            QCOMPARE(padded.problem.isEmpty(), tail == zeros);
        }
    }

    // Whatever bytes change, reading never fails badly and never hands out a record that
    // is not the one written at its place.
    void damagedBytesAreNeverApplied()
    {
        const quint32 seed = 20261208;
        QRandomGenerator random(seed);
        for (int trial = 0; trial < 4000; ++trial) {
            QByteArray bytes = mWhole;
            const int changes = 1 + int(random.bounded(4));
            for (int i = 0; i < changes; ++i)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            const JournalContents read = readJournal(QByteArrayView(bytes), false);
            const QByteArray where = "seed " + QByteArray::number(seed) + ", trial "
                                     + QByteArray::number(trial);
            QVERIFY2(read.records.size() <= mRecords.size(), where);
            for (size_t i = 0; i < read.records.size(); ++i)
                QVERIFY2(encoded(read.records[i]) == encoded(mRecords[i]), where);
        }
    }

    void notAJournal_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        // A file cut before its head holds no change: it is read as no journal at all.
        QTest::newRow("empty") << QByteArray("") << "";
        QTest::newRow("other file") << QByteArray("{\"objects\":[]}")
                                    << "it is not an Ambrook journal";
        QTest::newRow("head cut") << mWhole.first(mEnds[0] - 1) << "its beginning is damaged";
    }

    void notAJournal()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const QString file = mDir.filePath(QStringLiteral("other"));
        QFile::remove(file);
        QCOMPARE(readJournal(file).state, JournalContents::State::Missing);
        QVERIFY(writeFile(file, bytes));
        const JournalContents read = readJournal(file);
        QCOMPARE(read.state,
                 problem.isEmpty() ? JournalContents::State::Missing
                                   : JournalContents::State::Unreadable);
        QCOMPARE(read.problem, problem);
        QVERIFY(read.records.empty());
    }

    // The journal's document: none, or a file whose every byte counts.
    void origin()
    {
        const QString pic = mDir.filePath(QStringLiteral("pic"));
        QCOMPARE(JournalOrigin::of(pic).size, -1);
        QVERIFY(writeFile(pic, "{\"objects\":[1]}"));
        const JournalOrigin first = JournalOrigin::of(pic);
        QCOMPARE(first.size, 15);
        QVERIFY(writeFile(pic, "{\"objects\":[2]}"));
        QVERIFY(JournalOrigin::of(pic).hash != first.hash);

        QString reason;
        JournalWriter writer;
        QVERIFY(!writer.create(mDir.filePath(QStringLiteral("gone/pic.journal")),
                               JournalOrigin(), reason));
        QVERIFY(reason.contains(QStringLiteral("No such file")));
        QVERIFY(!writer.append(mRecords[0]));
    }
};

QTEST_GUILESS_MAIN(JournalFileTest)
#include "tst_journalfile.moc"
