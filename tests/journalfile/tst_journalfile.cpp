// The journal file on its own: what is written reads back exactly, a torn or damaged end is
// recognised, and nothing damaged is ever handed out as a record.

#include "canvas/model/journalfile.h"
#include "canvas/model/vellummodel.h"

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

private slots:
    void init()
    {
        QVERIFY(mDir.isValid());
        mFile = mDir.filePath(QStringLiteral("pic.journal"));
        QFile::remove(mFile);
        JournalWriter::beforeAppend = nullptr;
    }

    void writtenRecordsReadBack()
    {
        const JournalOrigin origin{1234, 1'765'000'000'000, 0xfeedfacecafebeefULL};
        QString reason;
        JournalWriter writer;
        QVERIFY2(writer.create(mFile, origin, reason), qPrintable(reason));
        const auto records = sampleRecords();
        for (const JournalRecord &r : records)
            QVERIFY(writer.append(r));
        writer.close();

        const JournalContents read = readJournal(mFile);
        QCOMPARE(read.state, JournalContents::State::Read);
        QVERIFY(read.origin == origin);
        QCOMPARE(read.problem, QString());
        QCOMPARE(read.changeCount(), 5);
        QCOMPARE(read.wholeLength, QFileInfo(mFile).size());
        QCOMPARE(read.records.size(), records.size());
        for (size_t i = 0; i < records.size(); ++i)
            QCOMPARE(encoded(read.records[i]), encoded(records[i]));
        const VellumObject &object = *read.records[1].changes[0].object;
        QCOMPARE(object.objectText, records[1].changes[0].object->objectText);
        QCOMPARE(object.picture.size(), QSize(3, 2));
    }

    // A kill or a power cut can leave the last record or two half written.
    void cutInTheLastTwoRecords()
    {
        QString reason;
        JournalWriter writer;
        QVERIFY(writer.create(mFile, JournalOrigin(), reason));
        std::vector<qint64> ends{QFileInfo(mFile).size()};
        for (const JournalRecord &r : sampleRecords()) {
            QVERIFY(writer.append(r));
            ends.push_back(QFileInfo(mFile).size());
        }
        writer.close();
        QFile in(mFile);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray whole = in.readAll();
        const qsizetype records = qsizetype(ends.size()) - 1;
        for (qint64 cut = ends[records - 2]; cut <= ends[records]; ++cut) {
            const JournalContents read = readJournal(QByteArrayView(whole).first(cut));
            const qsizetype wholeRecords = std::upper_bound(ends.begin(), ends.end(), cut)
                                           - ends.begin() - 1;
            QCOMPARE(read.state, JournalContents::State::Read);
            QCOMPARE(qsizetype(read.records.size()), wholeRecords);
            QCOMPARE(read.wholeLength, ends[wholeRecords]);
            QCOMPARE(read.problem.isEmpty(), cut == ends[wholeRecords]);
        }

        // A journal that goes on after a torn record drops the torn part first.
        in.close();
        QVERIFY(QFile::resize(mFile, ends[records] - 3));
        const JournalContents torn = readJournal(mFile);
        QCOMPARE(qsizetype(torn.records.size()), records - 1);
        int numbered = 0;
        JournalWriter::beforeAppend = [&numbered](int number) { numbered = number; };
        QVERIFY(writer.resume(mFile, torn.wholeLength, int(torn.records.size()), reason));
        QVERIFY(writer.append(sampleRecords()[3]));
        writer.close();
        QCOMPARE(numbered, int(records));
        const JournalContents resumed = readJournal(mFile);
        QCOMPARE(qsizetype(resumed.records.size()), records);
        QCOMPARE(resumed.problem, QString());
        QCOMPARE(resumed.records.back().kind, JournalRecord::Kind::Undo);
    }

    // Whatever bytes change, reading never fails badly and never hands out a record that
    // is not the one written at its place.
    void damagedBytesAreNeverApplied()
    {
        QString reason;
        JournalWriter writer;
        QVERIFY(writer.create(mFile, JournalOrigin(), reason));
        const auto records = sampleRecords();
        for (const JournalRecord &r : records)
            QVERIFY(writer.append(r));
        writer.close();
        QFile in(mFile);
        QVERIFY(in.open(QIODevice::ReadOnly));
        const QByteArray whole = in.readAll();

        const quint32 seed = 20261208;
        QRandomGenerator random(seed);
        for (int trial = 0; trial < 4000; ++trial) {
            QByteArray bytes = whole;
            const int changes = 1 + int(random.bounded(4));
            for (int i = 0; i < changes; ++i)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            const JournalContents read = readJournal(QByteArrayView(bytes), false);
            const QByteArray where = "seed " + QByteArray::number(seed) + ", trial "
                                     + QByteArray::number(trial);
            QVERIFY2(read.records.size() <= records.size(), where);
            for (size_t i = 0; i < read.records.size(); ++i)
                QVERIFY2(encoded(read.records[i]) == encoded(records[i]), where);
        }
    }

    void notAJournal_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem");
        QTest::newRow("empty") << QByteArray("") << "it is not an Ambrook journal";
        QTest::newRow("other file") << QByteArray("{\"objects\":[]}")
                                    << "it is not an Ambrook journal";
        QTest::newRow("head cut") << QByteArray("AMBJRNL1\x1c\0\0\0", 12)
                                  << "its beginning is damaged";
    }

    void notAJournal()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        QCOMPARE(readJournal(mFile).state, JournalContents::State::Missing);
        QFile out(mFile);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        const JournalContents read = readJournal(mFile);
        QCOMPARE(read.state, JournalContents::State::Unreadable);
        QCOMPARE(read.problem, problem);
    }

    void originNamesTheDocument()
    {
        const QString pic = mDir.filePath(QStringLiteral("pic"));
        QCOMPARE(JournalOrigin::of(pic).size, -1);
        QFile out(pic);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("{\"objects\":[1]}");
        out.close();
        const JournalOrigin first = JournalOrigin::of(pic);
        QCOMPARE(first.size, 15);
        QVERIFY(first == JournalOrigin::of(pic));
        QVERIFY(out.open(QIODevice::ReadWrite));
        out.seek(12);
        out.write("2");
        out.close();
        QVERIFY(JournalOrigin::of(pic).hash != first.hash);
    }

    void unwritableFolder()
    {
        QString reason;
        JournalWriter writer;
        QVERIFY(!writer.create(mDir.filePath(QStringLiteral("gone/pic.journal")),
                               JournalOrigin(), reason));
        QVERIFY(reason.contains(QStringLiteral("No such file")));
        QVERIFY(!writer.append(sampleRecords()[0]));
    }

private:
    QTemporaryDir mDir;
    QString mFile;
};

QTEST_GUILESS_MAIN(JournalFileTest)
#include "tst_journalfile.moc"
