// Documents of the drawing: the folder a double-click opens for a box or stored object,
// a picture's path, and files dropped on the drawing as pictures or stored objects.

#include "features/features.h"
#include "support/testsupport.h"

#include <QImage>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// A stored object in box Garage, named through the panel as a user names it.
qint32 makeNamedObject(Harness &h, const QString &name)
{
    makeBox(h, u"Garage"_s, 100, 100);
    const qint32 id = newObject(h);
    placeObject(h, id, 110, 110, 114, 114);
    h.clickObject(id);
    h.form->txtName->setText(name);
    return id;
}

// A file in the working folder: a picture when its name ends in ".png", else a text.
QString makeFile(const Harness &h, const QString &name)
{
    const QString path = h.folder.file(name);
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    if (name.endsWith(u".png"_s))
        image.save(path, "PNG");
    else
        writeFile(path, "Drill manual\n");
    return path;
}

QStringList folderEntries(const Harness &h)
{
    return QDir(h.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
}

} // namespace

class DocumentsTest : public QObject
{
    Q_OBJECT

private slots:
    // A double-click opens the path typed in the first row as it is typed, or when none
    // was typed, the folder named after the box or stored object, made the first time.
    void doubleClickOpens_data()
    {
        QTest::addColumn<QString>("kind");     // "box", "object" or "picture"
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");    // null: nothing typed
        QTest::addColumn<QString>("opened");   // null: the name cannot be a folder name
        const QString none;
        QTest::newRow("stored object") << u"object"_s << u"Drill"_s << none << u"Drill"_s;
        QTest::newRow("box body") << u"box"_s << u"Shelf A"_s << none << u"Shelf A"_s;
        const QString nul = u"Dr"_s + QChar(0) + u"ill"_s;
        for (const QString &name : {u""_s, u"."_s, u".."_s, u"Tools/Drill"_s, nul})
            QTest::addRow("refused \"%s\"", qPrintable(name)) << u"object"_s << name << none
                                                            << none;
        const QString drill = u"/srv/manuals/drill.pdf"_s, saw = u"/srv/manuals/saw.pdf"_s;
        QTest::newRow("picture, full path") << u"picture"_s << none << drill << drill;
        QTest::newRow("picture, relative") << u"picture"_s << none << u"photos"_s << u"photos"_s;
        QTest::newRow("stored object, typed") << u"object"_s << u"Saw"_s << saw << saw;
        // A picture without a path opens the pictures folder and makes none.
        QTest::newRow("picture, no path") << u"picture"_s << none << u""_s << u"images"_s;
    }

    void doubleClickOpens()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, opened);
        Harness h;
        qint32 id = 0;
        if (kind == u"picture") {
            h.form->dropX = 300;
            h.form->dropY = 300;
            zoomTo(h, 290, 290);
            dropFiles(h, {makeFile(h, u"shot.png"_s)}, QPoint(20, 20));
            id = lastId(h);
        } else {
            id = kind == u"box" ? makeBox(h, name, 100, 100).body : makeNamedObject(h, name);
            QCOMPARE(h.property(id, u"Name"_s), name);
        }
        if (!typed.isNull()) {
            h.clickObject(id);
            h.form->Text1->clear();
            Harness::typeInto(h.form->Text1, typed);
        }
        QCOMPARE(h.property(id, u"1"_s), typed);
        const QStringList before = folderEntries(h);
        doubleClick(h, id);
        if (opened.isNull()) {
            const QString refusal = u"The name \"%1\" cannot be used as a folder name."_s;
            QCOMPARE(h.platform->messages, QStringList {refusal.arg(name)});
            QCOMPARE(folderEntries(h), before);
            QVERIFY(h.property(id, u"1"_s).isEmpty());
            QVERIFY(h.platform->opened.isEmpty());
            return;
        }
        QCOMPARE(h.platform->opened, QStringList {opened});
        QVERIFY(h.platform->messages.isEmpty());
        if (!typed.isNull()) {
            QCOMPARE(folderEntries(h), before);
            return;
        }
        const QDir working(h.folder.path());
        QVERIFY(working.exists(name + u"/History"_s));
        QCOMPARE(h.property(id, u"1"_s), name);
        QCOMPARE(object(h, id).layer, qint16(kind == u"box" ? 2 : 3));

        // Renamed later, it keeps its folder: nothing new is made.
        h.clickObject(id);
        h.form->txtName->setText(u"Hammer"_s);
        doubleClick(h, id);
        QCOMPARE(h.platform->opened, QStringList({name, name}));
        QVERIFY(!working.exists(u"Hammer"_s));
        QVERIFY(h.platform->messages.isEmpty());

        // A double-click on empty space opens nothing.
        const QStringList entries = folderEntries(h);
        doubleClickAt(h, pixelOf(h, 170, 170));
        QCOMPARE(h.platform->opened.size(), 2);
        QVERIFY(h.platform->messages.isEmpty());
        QCOMPARE(folderEntries(h), entries);
    }

    // Files dropped anywhere on the drawing land at the corner of the chosen box: a
    // picture as a picture, any other file as a stored object for it; several, one each.
    void drops()
    {
        Harness h;
        makeBox(h, u"Attic"_s, 200, 100);
        makeBox(h, u"Garage"_s, 100, 100);
        const qint32 stored = newObject(h);
        h.canvas().SetLayer(1); // out of order until the next restack
        const int before = h.canvas().ObjectCount(1);

        dropFiles(h, {makeFile(h, u"shelf.png"_s)}, QPoint(400, 300));
        QCOMPARE(h.canvas().ObjectCount(1), before + 1);
        const qint32 picture = lastId(h);
        const VellumObject *o = h.canvas().objectById(picture);
        QCOMPARE(o->kind, qint16(12));
        QCOMPARE(rectOf(h, picture), QRect(100, 100, 5, 5));
        QCOMPARE(h.property(picture, u"Type"_s), u"Pic"_s);
        QCOMPARE(o->properties.size(), size_t(1));
        QVERIFY(o->selected);
        QVERIFY(!o->picture.isNull());
        QCOMPARE(object(h, stored).layer, qint16(3));

        h.form->movehistory->setPlainText(u"unsaved edit"_s);
        const QString path = makeFile(h, u"drill manual.txt"_s);
        dropFiles(h, {path}, QPoint(30, 400));
        const qint32 id = lastId(h);
        o = h.canvas().objectById(id);
        QCOMPARE(o->kind, qint16(10));
        QCOMPARE(rectOf(h, id), QRect(100, 100, 2, 2));
        QStringList keys;
        for (const auto &[key, value] : o->properties)
            keys << key;
        QCOMPARE(keys.join(u' '), u"Type TypeIndex Info Header 1 2 3 4 5 6 7 8 9 10 11 12 13 14 "
                                  "15 16 17 18 Value Colour Name"_s);
        QCOMPARE(h.properties(id, {u"Type"_s, u"TypeIndex"_s, u"Info"_s, u"1"_s, u"Name"_s,
                                   u"Value"_s, u"Colour"_s}),
                 QStringList({u"Object"_s, u"0"_s, u"Garage"_s, path, u"drill manual"_s, u"0"_s,
                              u"15"_s}));
        QCOMPARE(o->objectText, u"drill manual"_s);
        QCOMPARE(o->fillColor, palette(15));
        QCOMPARE(o->textColor, palette(0));
        QCOMPARE(QList<qint16>({o->shapeParam, o->fillMode, o->drawStyle}),
                 QList<qint16>({14, 1, 2}));
        QVERIFY(!o->selected);
        QVERIFY(h.form->movehistory->toPlainText().isEmpty());

        const QRect area = h.canvas().rect();
        dropFiles(h, {makeFile(h, u"a.txt"_s)}, area.topLeft() + QPoint(2, 2));
        dropFiles(h, {makeFile(h, u"b.txt"_s)}, area.bottomRight() - QPoint(2, 2));
        dropFiles(h, {makeFile(h, u"c.txt"_s), makeFile(h, u"d.png"_s)}, area.center());
        QCOMPARE(h.canvas().ObjectCount(1), before + 6);
        const auto &objects = h.canvas().objects();
        for (int i = before + 2; i < before + 6; ++i)
            QCOMPARE(rectOf(h, objects[i]->id).topLeft(), QPoint(100, 100));
        QCOMPARE(h.property(objects[before + 4]->id, u"Name"_s), u"c"_s);
        QCOMPARE(h.property(objects[before + 5]->id, u"Type"_s), u"Pic"_s);
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("extension") << u"/home/ann/Manuals/drill.pdf"_s << u"drill"_s;
        QTest::newRow("points in the name") << u"/home/ann/scan.2024.jpeg"_s << u"scan.2024"_s;
        QTest::newRow("no extension") << u"/home/ann/README"_s << u"README"_s;
        QTest::newRow("points in folder names") << u"/srv/v1.2/docs.old/notes"_s << u"notes"_s;
        QTest::newRow("backslashes") << u"C:\\Manuals\\drill.pdf"_s << u"drill"_s;
        QTest::newRow("both separators") << u"C:\\Scans/2024\\scan.2024.jpeg"_s << u"scan.2024"_s;
        QTest::newRow("bare name") << u"saw.txt"_s << u"saw"_s;
        QTest::newRow("trailing separator") << u"/home/ann/"_s << QString();
    }

    void fileNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        Harness h;
        makeBox(h, u"Garage"_s, 100, 100);
        emit h.canvas().FileDrop(path);

        QCOMPARE(h.properties(lastId(h), {u"Name"_s, u"1"_s, u"Type"_s}),
                 QStringList({name, path, u"Object"_s}));
    }
};

AMBROOK_WINDOW_TEST_MAIN(DocumentsTest)
#include "documentstest.moc"
