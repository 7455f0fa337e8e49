// Files dropped on the drawing: pictures, and stored objects that stand for a file.

#include "documentsfixture.h"

#include "store/rules/palette.h"

#include <QPlainTextEdit>

using namespace documentsfixture;

namespace {

QStringList fileObjectKeys()
{
    QStringList keys{QStringLiteral("Type"), QStringLiteral("TypeIndex"),
                     QStringLiteral("Info"), QStringLiteral("Header"), QStringLiteral("1")};
    for (int key = 2; key <= 18; ++key)
        keys << QString::number(key);
    keys << QStringLiteral("Value") << QStringLiteral("Colour") << QStringLiteral("Name");
    return keys;
}

} // namespace

class FileDropTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void pictureDrop()
    {
        Harness h;
        makeBox(h, QStringLiteral("Garage"), 100, 100);
        QTest::mouseClick(h.form->newitem, Qt::LeftButton);
        const qint32 stored = lastId(h);
        h.canvas().SetLayer(1);     // out of order until the next restack
        const int before = h.canvas().ObjectCount(1);

        dropFiles(h, {makePicture(h, QStringLiteral("shelf.png"))}, QPoint(400, 300));
        QCOMPARE(h.canvas().ObjectCount(1), before + 1);
        const qint32 picture = lastId(h);
        const VellumObject *o = h.canvas().objectById(picture);
        QCOMPARE(o->kind, qint16(12));
        QCOMPARE(rectOf(h, picture), QRect(100, 100, 5, 5));
        QCOMPARE(h.property(picture, QStringLiteral("Type")), QStringLiteral("Pic"));
        QCOMPARE(o->properties.size(), size_t(1));
        QVERIFY(o->selected);
        QVERIFY(!o->picture.isNull());
        QCOMPARE(h.canvas().objectById(stored)->layer, qint16(3));
    }

    void textFileDrop()
    {
        Harness h;
        makeBox(h, QStringLiteral("Attic"), 200, 100);
        makeBox(h, QStringLiteral("Garage"), 100, 100);
        h.form->movehistory->setPlainText(QStringLiteral("unsaved edit"));
        const QString path = makeTextFile(h, QStringLiteral("drill manual.txt"));

        dropFiles(h, {path}, QPoint(30, 400));
        const qint32 id = lastId(h);
        const VellumObject *o = h.canvas().objectById(id);
        QCOMPARE(o->kind, qint16(10));
        QCOMPARE(rectOf(h, id), QRect(100, 100, 2, 2));
        QStringList keys;
        for (const auto &[key, value] : o->properties)
            keys << key;
        QCOMPARE(keys, fileObjectKeys());
        QCOMPARE(h.property(id, QStringLiteral("Type")), QStringLiteral("Object"));
        QCOMPARE(h.property(id, QStringLiteral("TypeIndex")), QStringLiteral("0"));
        QCOMPARE(h.property(id, QStringLiteral("Info")), QStringLiteral("Garage"));
        QCOMPARE(h.property(id, QStringLiteral("1")), path);
        QCOMPARE(h.property(id, QStringLiteral("Name")), QStringLiteral("drill manual"));
        QCOMPARE(h.property(id, QStringLiteral("Value")), QStringLiteral("0"));
        QCOMPARE(h.property(id, QStringLiteral("Colour")), QStringLiteral("15"));
        QCOMPARE(o->objectText, QStringLiteral("drill manual"));
        QCOMPARE(o->fillColor, *Palette::colour(15));
        QCOMPARE(o->textColor, *Palette::colour(0));
        QCOMPARE(o->shapeParam, qint16(14));
        QCOMPARE(o->fillMode, qint16(1));
        QCOMPARE(o->drawStyle, qint16(2));
        QVERIFY(!o->selected);
        QVERIFY(h.form->movehistory->toPlainText().isEmpty());
    }

    void fileNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("extension") << QStringLiteral("/home/ann/Manuals/drill.pdf")
                                   << QStringLiteral("drill");
        QTest::newRow("points in the name") << QStringLiteral("/home/ann/scan.2024.jpeg")
                                            << QStringLiteral("scan.2024");
        QTest::newRow("no extension") << QStringLiteral("/home/ann/README")
                                      << QStringLiteral("README");
        QTest::newRow("points in folder names") << QStringLiteral("/srv/v1.2/docs.old/notes")
                                                << QStringLiteral("notes");
        QTest::newRow("backslashes") << QStringLiteral("C:\\Manuals\\drill.pdf")
                                     << QStringLiteral("drill");
        QTest::newRow("both separators") << QStringLiteral("C:\\Scans/2024\\scan.2024.jpeg")
                                         << QStringLiteral("scan.2024");
        QTest::newRow("bare name") << QStringLiteral("saw.txt") << QStringLiteral("saw");
        QTest::newRow("trailing separator") << QStringLiteral("/home/ann/")
                                            << QString();
    }

    void fileNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        Harness h;
        makeBox(h, QStringLiteral("Garage"), 100, 100);
        emit h.canvas().FileDrop(path);

        const qint32 id = lastId(h);
        QCOMPARE(h.property(id, QStringLiteral("Name")), name);
        QCOMPARE(h.property(id, QStringLiteral("1")), path);
        QCOMPARE(h.property(id, QStringLiteral("Type")), QStringLiteral("Object"));
    }

    void dropPositionIsIgnored()
    {
        Harness h;
        makeBox(h, QStringLiteral("Garage"), 100, 100);
        const int before = h.canvas().ObjectCount(1);
        const QRect area = h.canvas().rect();
        dropFiles(h, {makeTextFile(h, QStringLiteral("a.txt"))}, area.topLeft() + QPoint(2, 2));
        dropFiles(h, {makeTextFile(h, QStringLiteral("b.txt"))},
                  area.bottomRight() - QPoint(2, 2));
        // Several files at once: one object each, in turn.
        dropFiles(h, {makeTextFile(h, QStringLiteral("c.txt")),
                      makePicture(h, QStringLiteral("d.png"))},
                  area.center());

        QCOMPARE(h.canvas().ObjectCount(1), before + 4);
        const auto &objects = h.canvas().objects();
        for (int i = before; i < before + 4; ++i)
            QCOMPARE(rectOf(h, objects[i]->id).topLeft(), QPoint(100, 100));
        QCOMPARE(h.property(objects[before + 2]->id, QStringLiteral("Name")),
                 QStringLiteral("c"));
        QCOMPARE(h.property(objects[before + 3]->id, QStringLiteral("Type")),
                 QStringLiteral("Pic"));
    }
};

int runFileDropTest(int argc, char **argv)
{
    FileDropTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "filedroptest.moc"
