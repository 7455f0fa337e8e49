// Documents that push at the edges of the file format: very long names, texts that are not
// valid Unicode, pictures that claim to be enormous, and a document of 200 MB. Each is
// drawn, saved and read back, or refused cleanly, and the user's files stay whole.

#include "safetyfixture.h"

#include "canvas/vellum.h"
#include "move/move.h"

#include <QLineEdit>
#include <QLocale>
#include <QtEndian>

using namespace Qt::Literals::StringLiterals;
using namespace safety;

namespace {

using Objects = std::vector<std::unique_ptr<VellumObject>>;

QString longText(int length)
{
    QString text;
    while (text.size() < length)
        text += u"A lamp with a long story, \u00e9t\u00e9 1987; "_s;
    text.truncate(length);
    return text;
}

Objects copyOf(const DocumentBuilder &doc)
{
    Objects objects;
    for (const auto &object : doc.model.objects())
        objects.push_back(std::make_unique<VellumObject>(*object));
    return objects;
}

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray pngChunk(const char *type, const QByteArray &data)
{
    QByteArray chunk(4, '\0');
    qToBigEndian(quint32(data.size()), chunk.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian(crc32(body), crc.data());
    return chunk + body + crc;
}

// A PNG whose header claims 65535 x 65535 pixels of 8-bit RGBA, with a little data after.
QByteArray hugePng()
{
    QByteArray header(13, '\0');
    qToBigEndian(quint32(65535), header.data());
    qToBigEndian(quint32(65535), header.data() + 4);
    header[8] = 8;
    header[9] = 6;
    const QByteArray deflated("\x78\x9c\x63\x60\x00\x00\x00\x02\x00\x01", 10);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header)
           + pngChunk("IDAT", deflated) + pngChunk("IEND", QByteArray());
}

// A BMP whose header claims 65535 x 65535 pixels of 24 bits.
QByteArray hugeBmp()
{
    QByteArray bmp(54, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian(quint32(54 + 64), bmp.data() + 2);
    qToLittleEndian(quint32(54), bmp.data() + 10);
    qToLittleEndian(quint32(40), bmp.data() + 14);
    qToLittleEndian(qint32(65535), bmp.data() + 18);
    qToLittleEndian(qint32(65535), bmp.data() + 22);
    qToLittleEndian(quint16(1), bmp.data() + 26);
    qToLittleEndian(quint16(24), bmp.data() + 28);
    return bmp + QByteArray(64, '\x7f');
}

const VellumObject *namedIn(const Objects &objects, const QString &name)
{
    for (const auto &object : objects) {
        for (const auto &[key, value] : object->properties) {
            if (key == u"Name"_s && value == name)
                return object.get();
        }
    }
    return nullptr;
}

Objects readFile(const QString &file)
{
    Objects objects;
    QString error;
    DocumentFile::read(fileBytes(file), objects, error);
    return objects;
}

} // namespace

class HostileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void longNames_data();
    void longNames();
    void textsThatAreNotUnicode_data();
    void textsThatAreNotUnicode();
    void hugePicture_data();
    void hugePicture();
    void hugeDocument();
};

void HostileTest::longNames_data()
{
    QTest::addColumn<bool>("isBox");
    QTest::newRow("stored object") << false;
    QTest::newRow("box") << true;
}

void HostileTest::longNames()
{
    QFETCH(bool, isBox);
    const QString name = longText(10000);
    DocumentBuilder doc;
    doc.startObject({u"Attic"_s, isBox ? name : u"Cellar"_s}, u"2"_s);
    doc.box(u"Attic"_s, 100, 100);
    doc.box(isBox ? name : u"Cellar"_s, 150, 100);
    const qint32 lamp = doc.storedObject(isBox ? u"Lamp"_s : name, u"Attic"_s, 110, 110);
    Scene scene(doc);
    Harness &h = scene.harness;

    // Drawn on the canvas and on the buttons, shown in the panel.
    h.clickObject(lamp);
    QCOMPARE(scene.form().txtName->text(), isBox ? u"Lamp"_s : name);
    if (isBox)
        QTest::mouseClick(scene.form().Shortcut[1], Qt::LeftButton);
    QVERIFY(!scene.form().grab().isNull());
    QVERIFY(scene.problems().isEmpty());

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    const Objects saved = readFile(u"pic"_s);
    QVERIFY(namedIn(saved, name));
    QCOMPARE(namedIn(saved, name)->objectText, name);
    if (isBox)
        QVERIFY(savedProperty(u"pic"_s, u"Start"_s, u"Boxes"_s).contains(name + u"\r\n"_s));
}

void HostileTest::textsThatAreNotUnicode_data()
{
    QTest::addColumn<QString>("text");
    const QChar high(char16_t(0xd800));
    const QChar low(char16_t(0xdc00));
    QString controls;
    for (char16_t c = 0; c < 32; ++c)
        controls += QChar(c);
    QTest::newRow("NUL") << u"before"_s + QChar(u'\0') + u"after"_s;
    QTest::newRow("only NUL") << QString(3, QChar(u'\0'));
    QTest::newRow("lone high surrogate") << u"a"_s + high + u"b"_s;
    QTest::newRow("lone low surrogate") << QString(low);
    QTest::newRow("pair the wrong way round") << QString(low) + high;
    QTest::newRow("high at the end") << u"end"_s + high;
    QTest::newRow("real pair") << u"\U0001F600"_s;
    QTest::newRow("control characters") << controls;
    QTest::newRow("noncharacters") << u"\uFFFE\uFFFF\uFEFF"_s;
    QTest::newRow("escape look-alike") << u"\\u0000 \\ud800 \" \\\""_s;
}

void HostileTest::textsThatAreNotUnicode()
{
    QFETCH(QString, text);
    // In a field's value and in a key of the user's own.
    const QString key = u"Note "_s + text;
    DocumentBuilder doc;
    doc.startObject({u"Attic"_s}, u"2"_s);
    doc.box(u"Attic"_s, 100, 100);
    const qint32 lamp = doc.storedObject(u"Lamp"_s, u"Attic"_s, 110, 110,
                                         {{u"2"_s, text}, {key, text}});
    Scene scene(doc);
    Harness &h = scene.harness;

    // Shown in the panel by a click, which writes nothing back unless the user types.
    h.clickObject(lamp);
    QCOMPARE(h.property(lamp, u"2"_s), text);

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"2"_s), text);
    QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, key), text);
    QCOMPARE(savedProperty(u"pic"_s, u"Lamp"_s, u"Info"_s), u"Attic"_s);
}

void HostileTest::hugePicture_data()
{
    QTest::addColumn<QByteArray>("picture");
    QTest::newRow("PNG") << hugePng();
    QTest::newRow("BMP") << hugeBmp();
}

void HostileTest::hugePicture()
{
    QFETCH(QByteArray, picture);
    DocumentBuilder doc;
    doc.startObject({u"Attic"_s}, u"2"_s);
    doc.box(u"Attic"_s, 100, 100);
    Objects objects = copyOf(doc);
    auto pic = std::make_unique<VellumObject>();
    pic->id = objects.back()->id + 1;
    pic->kind = 12;
    pic->x1 = 110, pic->y1 = 110, pic->x2 = 115, pic->y2 = 115;
    pic->layer = 3;
    pic->pictureData = picture;
    pic->properties = {{u"Type"_s, u"Pic"_s}, {u"Name"_s, u"Poster"_s}};
    objects.push_back(std::move(pic));
    const QByteArray bytes = DocumentFile::write(objects);
    Scene scene({bytes, bytes});
    Harness &h = scene.harness;

    // The object is kept, undecoded, and drawing it does no harm.
    const qint32 poster = h.findId(u"Name"_s, u"Poster"_s);
    QVERIFY(poster != 0);
    QVERIFY(h.canvas().objectById(poster)->picture.isNull());
    QCOMPARE(h.canvas().objectById(poster)->pictureData, picture);
    QVERIFY(scene.messages().isEmpty());
    h.clickObject(poster);
    QVERIFY(!scene.form().grab().isNull());

    // The same file given to the canvas fails cleanly.
    QVERIFY(writeFile(u"poster.png"_s, picture));
    const int count = h.canvas().ObjectCount(1);
    QVERIFY(!h.canvas().LoadPictureFile(u"poster.png"_s, 1, 0));
    QCOMPARE(h.canvas().ObjectCount(1), count);
    // Dropped on the drawing it becomes a stored object for the file, not a picture.
    Vellum_FileDrop(scene.form(), h.folder.file(u"poster.png"_s));
    QCOMPARE(h.canvas().ObjectCount(1), count + 1);
    QCOMPARE(h.property(steps::lastId(h), u"Type"_s), u"Object"_s);
    QVERIFY(QFile::remove(u"poster.png"_s));

    scene.quit();
    QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
    const Objects savedObjects = readFile(u"pic"_s);
    const VellumObject *saved = namedIn(savedObjects, u"Poster"_s);
    QVERIFY(saved);
    QCOMPARE(saved->kind, qint16(12));
    QCOMPARE(saved->pictureData, picture);
}

void HostileTest::hugeDocument()
{
    // 200 MB: a hundred thousand stored objects with two kilobytes of notes each.
    DocumentBuilder doc;
    doc.startObject({u"Attic"_s}, u"2"_s);
    doc.box(u"Attic"_s, 100, 100);
    const QByteArray older = documentBytes(doc);
    Objects objects = copyOf(doc);
    const QString notes = longText(2000);
    constexpr int bulk = 100000;
    for (int i = 0; i < bulk; ++i) {
        auto object = std::make_unique<VellumObject>();
        object->id = objects.back()->id + 1;
        object->x1 = 100 + i % 40, object->y1 = 100 + (i / 40) % 40;
        object->x2 = object->x1 + 4, object->y2 = object->y1 + 4;
        object->layer = 3;
        object->properties = {{u"Type"_s, u"Object"_s}, {u"Name"_s, u"Thing %1"_s.arg(i)},
                              {u"Info"_s, u"Attic"_s}, {u"Value"_s, u"1"_s},
                              {u"2"_s, notes}};
        objects.push_back(std::move(object));
    }
    QByteArray bytes = DocumentFile::write(objects);
    objects.clear();
    QVERIFY(bytes.size() > 200'000'000);

    // It loads whole: start-up tells nothing and writes nothing. (A quit would only save
    // it like any other document; the backups here are small to spare the disk.)
    Scene scene({bytes, older}, false, false);
    bytes.clear();
    scene.harness.start();
    QVERIFY2(scene.messages().isEmpty(), qPrintable(scene.messageText()));
    QCOMPARE(scene.harness.canvas().ObjectCount(1), bulk + 3);
    QVERIFY2(scene.problems().isEmpty(), qPrintable(scene.problems().join(u'\n')));
}

int runHostileTest(int argc, char **argv)
{
    HostileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hostiletest.moc"
