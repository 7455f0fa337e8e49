#include "canvas/model/documentfile.h"
#include "canvas/model/documentfile_p.h"
#include "canvas/model/vellummodel.h"
#include "support/testsupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <xxhash.h>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;
using Objects = std::vector<std::unique_ptr<VellumObject>>;

namespace {

QByteArray pngBytes()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// Texts that break naive writers: separators, quotes, escapes, controls, every plane.
QStringList hostileTexts()
{
    return {QString(), u"A\r\nB\r\n"_s, u"\r\n\r\n"_s, u"say \"hi\" \\ back\\slash /"_s,
            u"tab\tbell\x07nul"_s + QChar(0) + u"end"_s,
            u"\u00e9\u00df \u4e2d\u6587 \u05e9\u05dc\u05d5\u05dd \u0e01\u0301"_s,
            u"emoji \U0001F4E6 and \U0001D11E"_s, u"line\u2028para\u2029"_s,
            u"{\"format\":\"ambrook-document\"}"_s, QString(70000, u'x'),
            u"  leading and trailing  "_s};
}

Objects sampleObjects()
{
    Objects objects;
    const QStringList texts = hostileTexts();
    for (int i = 0; i < texts.size(); ++i) {
        auto o = std::make_unique<VellumObject>();
        o->id = i == 0 ? std::numeric_limits<qint32>::max() : i * 7 + 1;
        o->kind = 10;
        o->x1 = std::numeric_limits<qint32>::min() + i;
        o->y1 = -i;
        o->x2 = std::numeric_limits<qint32>::max() - i;
        o->y2 = i * 1000;
        o->fillColor = QColor(i * 20, 255 - i * 20, 128);
        o->textColor = i % 2 ? Qt::white : Qt::black;
        o->objectText = texts.at(i);
        o->drawStyle = qint16(i == 1 ? -32768 : 2);
        o->fillMode = 1;
        o->shapeParam = qint16(i == 1 ? 32767 : 200);
        o->layer = qint16(i % 4);
        o->selected = i % 3 == 0;
        // Order matters and must survive, so the keys are deliberately unsorted.
        o->properties = {{u"Type"_s, u"Object"_s},
                         {u"Name"_s, texts.at(i)},
                         {u"18"_s, QString()},
                         {QString(), u"empty key"_s},
                         {u"ObjectTypes"_s, u"\r\n"_s.repeated(255)},
                         {texts.at(i) + u"key"_s, texts.at((i + 1) % texts.size())},
                         {u"Info"_s, u"Shelf A"_s}};
        objects.push_back(std::move(o));
    }
    const auto addPicture = [&objects](qint32 id, const QByteArray &bytes) {
        objects.push_back(std::make_unique<VellumObject>());
        objects.back()->id = id;
        objects.back()->kind = 12;
        objects.back()->pictureData = bytes;
    };
    addPicture(5000, pngBytes());
    objects.back()->properties = {{u"Type"_s, u"Pic"_s}};
    addPicture(5001, QByteArray("\x89PNG not really\0\xff", 18));
    addPicture(5002, QByteArray());
    return objects;
}

// Every field of an object but the decoded picture.
QVariantList fields(const VellumObject &o)
{
    return {o.id,        o.kind,      o.x1,         o.y1,         o.x2,        o.y2,
            o.fillColor, o.textColor, o.objectText, o.drawStyle,  o.fillMode,  o.shapeParam,
            o.layer,     o.selected,  o.pictureData, QVariant::fromValue(o.properties)};
}

void compareObjects(const Objects &actual, const Objects &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i)
        QCOMPARE(fields(*actual[i]), fields(*expected[i]));
}

// A valid one-object document, changed by edit so that one thing in it is wrong.
QByteArray editedDocument(const std::function<void(QJsonObject &top, QJsonObject &first)> &edit)
{
    Objects objects;
    auto o = std::make_unique<VellumObject>();
    o->id = 1;
    o->properties = {{u"Name"_s, u"Start"_s}};
    objects.push_back(std::move(o));
    QJsonObject top = QJsonDocument::fromJson(DocumentFile::write(objects)).object();
    QJsonArray list = top.value("objects"_L1).toArray();
    QJsonObject first = list.at(0).toObject();
    edit(top, first);
    if (top.value("objects"_L1) == list) {
        list[0] = first;
        top["objects"_L1] = list;
    }
    return QJsonDocument(top).toJson(QJsonDocument::Compact);
}

// The field key of the object, or of the top level, set to value (removed if undefined).
QByteArray withField(const QString &key, const QJsonValue &value, bool top = false)
{
    return editedDocument([&](QJsonObject &t, QJsonObject &first) {
        QJsonObject &in = top ? t : first;
        if (value.isUndefined())
            in.remove(key);
        else
            in[key] = value;
    });
}

// A document of some megabytes, made large in the way the row says.
Objects largeObjects(const QString &how)
{
    Objects objects = sampleObjects();
    if (how == u"many objects"_s) {
        for (int i = 0; i < 12000; ++i) {
            objects.push_back(std::make_unique<VellumObject>());
            objects.back()->id = 10000 + i;
            objects.back()->objectText = u"Shelf %1 \u00e9t\u00e9 "_s.arg(i).repeated(8);
            objects.back()->properties = {{u"Name"_s, u"Object %1"_s.arg(i)}};
        }
    } else if (how == u"one text of three chunks"_s) {
        objects.front()->objectText = QString(3 * 1024 * 1024, QChar(0x4e2d));
    } else if (how == u"large picture"_s) {
        QByteArray picture(5 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(picture.data()),
                                      picture.size() / 4);
        objects.back()->pictureData = picture;
    }
    return objects;
}

enum class Tamper { None, MiddleByte, LastByte, Shorter, Longer, Removed };

} // namespace

Q_DECLARE_METATYPE(Tamper)

class TestDocumentFile : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { DocumentFile::faultHook = nullptr; }

    // Written under any locale, saved over an older file, read back: the same objects, and
    // writing them again gives the same bytes, so nothing drifts from save to save.
    void roundTrip()
    {
        const Objects original = sampleObjects();
        const QByteArray bytes = DocumentFile::write(original);
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); // until init()
        QCOMPARE(DocumentFile::write(original), bytes);
        QTemporaryDir dir;
        const QString pic = dir.filePath(u"pic"_s);
        QVERIFY(writeFile(pic, "old contents"));
        QString error;
        QVERIFY2(DocumentFile::save(pic, original, error), qPrintable(error));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {u"pic"_s});
        Objects back;
        QVERIFY2(DocumentFile::read(fileBytes(pic), back, error), qPrintable(error));
        compareObjects(back, original);
        QCOMPARE(DocumentFile::write(back), bytes);
        // Even a broken text (a lone surrogate) comes back as it was.
        const QString broken = u"a"_s + QChar(0xD800) + u"b"_s + QChar(0xDC00);
        back[0]->properties[0].second = broken;
        QVERIFY(DocumentFile::read(DocumentFile::write(back), back, error));
        QCOMPARE(back[0]->properties[0].second, broken);

        // Another writer's layout reads the same: indented, with keys in another order
        // (objects before the version) and with fields this version passes over.
        QJsonObject top = QJsonDocument::fromJson(bytes).object();
        QJsonArray list = top.value("objects"_L1).toArray();
        QJsonObject first = list.at(0).toObject();
        first["comment"_L1] = QJsonObject {{u"nested"_s, QJsonArray {1, true, QJsonValue::Null}}};
        list[0] = first;
        top["objects"_L1] = list;
        top["zzz"_L1] = u"later field"_s;
        QByteArray indented = QJsonDocument(top).toJson(QJsonDocument::Indented);
        QVERIFY(indented.indexOf("\"objects\"") < indented.indexOf("\"version\""));
        QVERIFY2(DocumentFile::read(indented, back, error), qPrintable(error));
        // Qt's writer knows nothing of lone surrogates, so only the other texts are compared.
        compareObjects(back, original);
        // Escapes another writer may use: \/ and \u for plain letters.
        const QByteArray escaped = QByteArray(bytes)
                                       .replace("\"Type\"", "\"\\u0054y\\/pe\"")
                                       .replace("\"layer\"", "\"\\u006cayer\"")
                                       .replace("ambrook-document", "ambrook\\u002ddocument");
        QVERIFY2(DocumentFile::read(escaped, back, error), qPrintable(error));
        QCOMPARE(back[0]->properties[0].first, u"Ty/pe"_s);
        QCOMPARE(back[1]->layer, original[1]->layer);
    }

    void streamedSave_data()
    {
        QTest::addColumn<QString>("how");
        for (const char *how : {"small", "many objects", "one text of three chunks",
                                "large picture"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }

    // Streamed in bounded chunks, to a sink and into a file, the document is byte for byte
    // what write() gives; the file saved last is copied for the next save, not written anew.
    void streamedSave()
    {
        QFETCH(QString, how);
        const Objects objects = largeObjects(how);
        const QByteArray bytes = DocumentFile::write(objects);
        constexpr qsizetype chunk = DocumentJson::Writer::chunkSize;
        QList<QByteArray> chunks;
        QVERIFY(DocumentFile::write(objects, [&](const char *data, qsizetype n) {
            chunks << QByteArray(data, n);
            return true;
        }));
        QCOMPARE(chunks.join(), bytes);
        QVERIFY(how == u"small"_s || bytes.size() > 3 * chunk);
        // Hand-overs of at most a chunk each, but for a single value that is larger.
        const bool huge = how == u"one text of three chunks"_s;
        const qsizetype hugeValue = huge ? 9 * 1024 * 1024 + 2 : 0;   // in quotes, as UTF-8
        QVERIFY(chunks.size() > (bytes.size() - hugeValue) / chunk);
        for (const QByteArray &piece : std::as_const(chunks))
            QVERIFY(piece.size() <= chunk || piece.size() == hugeValue);

        // A failing sink is told nothing more, and the failure is reported at the end.
        int calls = 0;
        QCOMPARE(DocumentFile::write(objects, [&](const char *, qsizetype) {
                     return ++calls > 1;
                 }), false);
        QCOMPARE(calls, 1);

        QTemporaryDir dir;
        const QString first = dir.filePath(u"backup"_s);
        QString error;
        DocumentFile::SavedFile last;
        QVERIFY2(DocumentFile::save(first, objects, error, &last), qPrintable(error));
        QCOMPARE(fileBytes(first), bytes);
        QCOMPARE(last.path, first);
        QCOMPARE(last.size, bytes.size());
        QCOMPARE(last.hash, XXH3_64bits(bytes.constData(), size_t(bytes.size())));
        // Given other objects on purpose: only a copy gives the first file's bytes.
        const QString second = dir.filePath(u"pic"_s);
        QVERIFY2(DocumentFile::save(second, Objects(), error, &last), qPrintable(error));
        QCOMPARE(fileBytes(second), bytes);
        QCOMPARE(last.path, second);
    }

    void secondSave_data()
    {
        QTest::addColumn<Tamper>("tamper");
        QTest::newRow("untouched") << Tamper::None;
        QTest::newRow("a byte in the middle changed") << Tamper::MiddleByte;
        QTest::newRow("the last byte changed") << Tamper::LastByte;
        QTest::newRow("cut short") << Tamper::Shorter;
        QTest::newRow("grown") << Tamper::Longer;
        QTest::newRow("removed") << Tamper::Removed;
    }

    // Quitting saves the same drawing twice; whatever happened to the first file in
    // between, the second is the drawing, whole.
    void secondSave()
    {
        QFETCH(Tamper, tamper);
        QTemporaryDir dir;
        const QString first = dir.filePath(u"backup"_s);
        const QString second = dir.filePath(u"pic"_s);
        QVERIFY(writeFile(second, DocumentFile::write(largeObjects(u"many objects"_s))));
        VellumModel model;
        QVERIFY(model.LoadDocument(second));
        QVERIFY(model.SetCurrentObject(10000));
        QVERIFY(model.SetUserProperty(u"SaveId"_s, u"3"_s));
        const QByteArray bytes = DocumentFile::write(model.objects());
        QVERIFY(model.SaveDocument(first));
        QCOMPARE(fileBytes(first), bytes);

        QByteArray changed = bytes;
        switch (tamper) {
        case Tamper::None: break;
        case Tamper::MiddleByte: changed[changed.size() / 2] = '#'; break;
        case Tamper::LastByte: changed.back() = ' '; break;
        case Tamper::Shorter: changed.chop(1000); break;
        case Tamper::Longer: changed += "{}"; break;
        case Tamper::Removed: QVERIFY(QFile::remove(first)); break;
        }
        if (tamper != Tamper::Removed)
            QVERIFY(writeFile(first, changed));
        QVERIFY(model.SaveDocument(second));
        QCOMPARE(fileBytes(second), bytes);
        // And a third save copies the good second file.
        QVERIFY(model.SaveDocument(first));
        QCOMPARE(fileBytes(first), bytes);
    }

    void damaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = DocumentFile::write(sampleObjects());
        QByteArray random(4096, 0);
        QRandomGenerator generator(42);
        for (char &c : random)
            c = char(generator.bounded(256));

        QTest::newRow("empty file") << QByteArray() << u"it is empty"_s;
        QTest::newRow("only blanks") << QByteArray(" \r\n\t ") << u"it is empty"_s;
        QTest::newRow("truncated") << good.left(good.size() / 2) << u"it is damaged"_s;
        QTest::newRow("last brace missing") << good.chopped(2) << u"it is damaged"_s;
        QTest::newRow("random bytes") << random << u"it is not an Ambrook document"_s;
        QTest::newRow("random bytes in braces") << '{' + random + '}' << u"it is damaged"_s;
        QTest::newRow("text after the document") << good + "{}" << u"something follows"_s;
        // The text "x" of the object written raw, as the bytes given.
        const auto raw = [](const char *name, const QByteArray &text, const char *message) {
            QTest::newRow(name) << withField(u"text"_s, u"x"_s).replace("\"x\"", text)
                                << QString::fromUtf8(message);
        };
        raw("raw control character", "\"\x01\"", "control character in a text at byte");
        raw("bad escape", "\"\\q\"", "bad escape");
        raw("short escape", "\"\\u12\"", "bad escape");
        raw("overlong UTF-8", "\"\xc0\xaf\"", "bad UTF-8");
        raw("surrogate in UTF-8", "\"\xed\xa0\x80\"", "bad UTF-8");
        raw("deep nesting", QByteArray(100000, '['), "too deeply nested");
        raw("bad UTF-8", "\"\xff\xfe\"", "it is damaged");
        QTest::newRow("leading zero")
            << withField(u"layer"_s, 1).replace(":1,", ":01,") << u"bad number"_s;
        QTest::newRow("JSON list") << QByteArray("[1, 2, 3]") << u"not an Ambrook document"_s;
        QTest::newRow("other JSON object")
            << QByteArray(R"({"objects": []})") << u"not an Ambrook document"_s;
        QTest::newRow("other format")
            << QByteArray(R"({"format": "pic", "version": 1})") << u"not an Ambrook document"_s;
        const auto top = [](const char *key, const QJsonValue &value) {
            return withField(QLatin1String(key), value, true);
        };
        QTest::newRow("newer version")
            << top("version", 2) << u"it was written by a newer version of Ambrook"_s;
        QTest::newRow("version zero") << top("version", 0) << u"version number"_s;
        QTest::newRow("version as text") << top("version", u"1"_s) << u"version number"_s;
        QTest::newRow("version missing")
            << top("version", QJsonValue::Undefined) << u"version number"_s;
        QTest::newRow("objects missing")
            << top("objects", QJsonValue::Undefined) << u"no list of objects"_s;
        QTest::newRow("objects not a list") << top("objects", QJsonObject()) << u"no list"_s;
        QTest::newRow("object not an object")
            << top("objects", QJsonArray {1}) << u"in object 1, it is not a JSON object"_s;

        const auto field = [](const char *name, const QJsonValue &value, const QString &message) {
            const QByteArray shown = value.isUndefined()
                ? QByteArray("missing")
                : QJsonDocument(QJsonArray {value}).toJson(QJsonDocument::Compact);
            QTest::addRow("%s %s", name, shown.constData())
                << withField(QLatin1String(name), value) << message;
        };
        field("id", u"1"_s, u"in object 1, \"id\" is not a whole number"_s);
        field("id", 1.5, u"\"id\" is not a whole number"_s);
        field("id", 0, u"\"id\" is not a whole number from 1 to 2147483647"_s);
        field("id", -3, u"\"id\""_s);
        field("id", 4294967296.0, u"\"id\""_s);
        field("id", QJsonValue::Undefined, u"in object 1, \"id\" is missing"_s);
        field("kind", 40000, u"\"kind\""_s);
        field("kind", QJsonValue::Null, u"\"kind\""_s);
        field("rect", QJsonArray {1, 2, 3}, u"\"rect\" is not four whole numbers"_s);
        field("rect", QJsonArray {1, 2, 3, u"4"_s}, u"\"rect\""_s);
        field("rect", QJsonArray {1, 2, 3, 3e9}, u"\"rect\""_s);
        field("rect", QJsonArray {1, 2, 3, 4, 5}, u"\"rect\""_s);
        field("rect", QJsonValue::Undefined, u"\"rect\" is missing"_s);
        field("fillColor", u"red"_s, u"\"fillColor\" is not a colour"_s);
        field("fillColor", u"#12345g"_s, u"\"fillColor\""_s);
        field("textColor", u"#-12345"_s, u"\"textColor\""_s);
        field("textColor", 0xffffff, u"\"textColor\""_s);
        field("text", 5, u"\"text\" is not a text"_s);
        field("selected", u"yes"_s, u"\"selected\" is neither true nor false"_s);
        field("layer", QJsonValue::Undefined, u"\"layer\" is missing"_s);
        field("drawStyle", 1e9, u"\"drawStyle\""_s);
        field("properties", QJsonObject(), u"\"properties\" is not a list"_s);
        field("properties", QJsonArray {QJsonArray {u"Name"_s}}, u"not a pair of texts"_s);
        field("properties", QJsonArray {QJsonArray {u"Name"_s, 1}}, u"not a pair of texts"_s);
        field("properties", QJsonArray {u"Name"_s}, u"not a pair of texts"_s);
        field("properties",
              QJsonArray {QJsonArray {u"Name"_s, u"a"_s}, QJsonArray {u"Name"_s, u"b"_s}},
              u"the property \"Name\" appears twice"_s);
        field("picture", u"not base64!"_s, u"\"picture\" is not in base64"_s);
        field("picture", 12, u"\"picture\""_s);
        QTest::newRow("picture object without picture")
            << withField(u"kind"_s, 12) << u"\"picture\" is missing from a picture"_s;

        QJsonArray many;
        for (int i = 0; i < 40; ++i)
            many.append(QJsonArray {u"k%1"_s.arg(i), u"v"_s});
        many.append(QJsonArray {u"k3"_s, u"again"_s});
        field("properties", many, u"the property \"k3\" appears twice"_s);

        QTest::newRow("duplicate ids") << editedDocument([](QJsonObject &t, QJsonObject &first) {
            QJsonObject second = first;
            second["text"_L1] = u"second"_s;
            t["objects"_L1] = QJsonArray {first, second};
        }) << u"in object 2, the id 1 is already taken by an earlier object"_s;
    }

    void damaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Objects objects;
        objects.push_back(std::make_unique<VellumObject>());
        VellumObject *kept = objects.front().get();
        QString error;
        QVERIFY(!DocumentFile::read(bytes, objects, error));
        QVERIFY2(error.contains(message), qPrintable(error));
        // Nothing is half loaded.
        QCOMPARE(objects.size(), size_t(1));
        QCOMPARE(objects.front().get(), kept);
    }

    // The document loads without a word whatever its pictures hold: a real one, garbage, a
    // pixmap that claims to be huge, none. The bytes come back as they were.
    void pictures()
    {
        const QList<QByteArray> pictures {pngBytes(), QByteArray("GIF89a\x01\x02garbage", 14),
                                          QByteArray("P6\n60000 60000\n255\nabc"), {}};
        Objects objects;
        for (const QByteArray &bytes : pictures) {
            objects.push_back(std::make_unique<VellumObject>());
            objects.back()->id = qint32(objects.size());
            objects.back()->kind = 12;
            objects.back()->pictureData = bytes;
        }
        QTemporaryDir dir;
        const QString pic = dir.filePath(u"pic"_s);
        QVERIFY(writeFile(pic, DocumentFile::write(objects)));
        VellumModel model;
        QStringList messages;
        model.setMessageHandler([&](const QString &text) { messages << text; });
        QVERIFY(model.LoadDocument(pic));
        QCOMPARE(messages, QStringList());
        QList<QByteArray> bytes;
        QList<bool> decoded;
        for (const auto &o : model.objects()) {
            bytes << o->pictureData;
            decoded << !o->picture.isNull();
        }
        QCOMPARE(bytes, pictures);
        QCOMPARE(decoded, QList<bool>({true, false, false, false}));
    }

    // A damaged or newer document is kept aside under a name with the time; within the same
    // second it gets a name of its own, past one already taken, and replaces nothing. A save
    // that cannot be written names the file and keeps the drawing.
    void modelKeepsDamagedDocumentAside()
    {
        QTemporaryDir dir;
        const QString pic = dir.filePath(u"pic"_s);
        const QByteArray damaged = DocumentFile::write(sampleObjects()).chopped(40);
        QVERIFY(writeFile(pic, damaged));
        VellumModel model;
        QStringList messages;
        model.setMessageHandler([&](const QString &text) { messages << text; });
        QVERIFY(!model.LoadDocument(pic));
        const QStringList aside = QDir(dir.path()).entryList({u"pic.damaged-*"_s}, QDir::Files);
        QCOMPARE(aside.size(), 1);
        QVERIFY2(QRegularExpression(u"^pic\\.damaged-\\d{8}-\\d{6}$"_s).match(aside.first())
                     .hasMatch(), qPrintable(aside.first()));
        QVERIFY(messages.first().endsWith(u"; Ambrook starts with an empty drawing."_s));

        const QByteArray newer(R"({"format":"ambrook-document","version":7,"objects":[]})");
        QVERIFY(writeFile(pic, newer));
        QVERIFY(writeFile(dir.filePath(aside.first() + u"-1"_s), "third"));
        messages.clear();
        QVERIFY(!model.LoadDocument(pic));
        QVERIFY2(messages.first().contains(u"it was written by a newer version of Ambrook"_s),
                 qPrintable(messages.first()));
        const QStringList all = QDir(dir.path()).entryList({u"pic.damaged-*"_s}, QDir::Files);
        QCOMPARE(all.size(), 3);
        QCOMPARE(fileBytes(dir.filePath(aside.first())), damaged);
        QCOMPARE(fileBytes(dir.filePath(aside.first() + u"-1"_s)), QByteArray("third"));
        QVERIFY(std::any_of(all.begin(), all.end(), [&](const QString &name) {
            return fileBytes(dir.filePath(name)) == newer;
        }));
        QCOMPARE(DocumentFile::keepAside(dir.filePath(u"missing"_s)), QString());

        messages.clear();
        const QString nowhere = dir.filePath(u"no folder/pic"_s);
        QVERIFY(model.AddObject(10, 1, 1, 5, 5));
        QVERIFY(!model.SaveDocument(nowhere));
        QCOMPARE(messages.size(), 1);
        QVERIFY(
            messages.first().startsWith(u"The document %1 could not be saved ("_s.arg(nowhere)));
        QCOMPARE(model.ObjectCount(1), 1);
    }
};

QTEST_GUILESS_MAIN(TestDocumentFile)
#include "tst_documentfile.moc"
