// Double-click: the document folder of a box or stored object, a picture's path.

#include "documentsfixture.h"

#include <QLineEdit>

using namespace documentsfixture;

namespace {

// A stored object in box Garage, named through the panel as a user names it.
qint32 makeNamedObject(Harness &h, const QString &name)
{
    makeBox(h, QStringLiteral("Garage"), 100, 100);
    QTest::mouseClick(h.form->newitem, Qt::LeftButton);
    const qint32 id = lastId(h);
    h.canvas().SetCurrentObject(id);
    h.canvas().SetObjectRect(110, 110, 114, 114, 0);
    h.clickObject(id);
    h.form->txtName->setText(name);
    return id;
}

} // namespace

class DoubleClickTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void firstDoubleClickMakesTheFolder()
    {
        Harness h;
        const qint32 drill = makeNamedObject(h, QStringLiteral("Drill"));
        doubleClick(h, drill);

        const QDir working(h.folder.path());
        QVERIFY(working.exists(QStringLiteral("Drill/History")));
        QCOMPARE(h.property(drill, QStringLiteral("1")), QStringLiteral("Drill"));
        QCOMPARE(h.platform->opened, QStringList{QStringLiteral("Drill")});
        QCOMPARE(h.canvas().objectById(drill)->layer, qint16(3));

        // Renamed later, the object keeps its folder: nothing new is made.
        h.clickObject(drill);
        h.form->txtName->setText(QStringLiteral("Hammer"));
        doubleClick(h, drill);
        QCOMPARE(h.platform->opened,
                 QStringList({QStringLiteral("Drill"), QStringLiteral("Drill")}));
        QVERIFY(!working.exists(QStringLiteral("Hammer")));
        QVERIFY(h.platform->messages.isEmpty());
    }

    void boxFolder()
    {
        Harness h;
        makeBox(h, QStringLiteral("Shelf A"), 100, 100);
        const qint32 body = h.findId(QStringLiteral("Type"), QStringLiteral("Location"));
        doubleClick(h, body);

        QVERIFY(QDir(h.folder.path()).exists(QStringLiteral("Shelf A/History")));
        QCOMPARE(h.property(body, QStringLiteral("1")), QStringLiteral("Shelf A"));
        QCOMPARE(h.platform->opened, QStringList{QStringLiteral("Shelf A")});
        QCOMPARE(h.canvas().objectById(body)->layer, qint16(2));
    }

    void badFolderNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << QString();
        QTest::newRow("point") << QStringLiteral(".");
        QTest::newRow("two points") << QStringLiteral("..");
        QTest::newRow("slash") << QStringLiteral("Tools/Drill");
        QTest::newRow("nul") << QStringLiteral("Dr") + QChar(0) + QStringLiteral("ill");
    }

    void badFolderNames()
    {
        QFETCH(QString, name);
        Harness h;
        const qint32 drill = makeNamedObject(h, name);
        QCOMPARE(h.property(drill, QStringLiteral("Name")), name);
        const QStringList before = folderEntries(h);
        doubleClick(h, drill);

        QCOMPARE(h.platform->messages,
                 QStringList{QStringLiteral("The name \"%1\" cannot be used as a folder name.")
                                 .arg(name)});
        QCOMPARE(folderEntries(h), before);
        QVERIFY(h.property(drill, QStringLiteral("1")).isEmpty());
        QVERIFY(h.platform->opened.isEmpty());
    }

    void typedPathOpensAsTyped_data()
    {
        QTest::addColumn<bool>("picture");
        QTest::addColumn<QString>("path");
        QTest::newRow("picture, full path") << true << QStringLiteral("/srv/manuals/drill.pdf");
        QTest::newRow("picture, relative") << true << QStringLiteral("photos");
        QTest::newRow("stored object") << false << QStringLiteral("/srv/manuals/saw.pdf");
    }

    void typedPathOpensAsTyped()
    {
        QFETCH(bool, picture);
        QFETCH(QString, path);
        Harness h;
        qint32 id = 0;
        if (picture) {
            h.form->dropX = 300;
            h.form->dropY = 300;
            h.form->ZoomIn(290, 290, 0, 0);
            dropFiles(h, {makePicture(h, QStringLiteral("shot.png"))}, QPoint(20, 20));
            id = lastId(h);
        } else {
            id = makeNamedObject(h, QStringLiteral("Saw"));
        }
        h.clickObject(id);
        h.form->Text1->clear();
        Harness::typeInto(h.form->Text1, path);
        QCOMPARE(h.property(id, QStringLiteral("1")), path);
        doubleClick(h, id);

        QCOMPARE(h.platform->opened, QStringList{path});
        QCOMPARE(folderEntries(h).contains(QStringLiteral("Saw")), false);
    }

    void pictureWithoutPathOpensImages()
    {
        Harness h;
        h.form->dropX = 300;
        h.form->dropY = 300;
        h.form->ZoomIn(290, 290, 0, 0);
        dropFiles(h, {makePicture(h, QStringLiteral("shot.png"))}, QPoint(20, 20));
        const qint32 picture = lastId(h);
        const QStringList before = folderEntries(h);
        doubleClick(h, picture);

        QCOMPARE(h.platform->opened, QStringList{QStringLiteral("images")});
        QCOMPARE(folderEntries(h), before);
        QVERIFY(h.property(picture, QStringLiteral("1")).isEmpty());
    }

    void emptySpaceOpensNothing()
    {
        Harness h;
        makeBox(h, QStringLiteral("Garage"), 100, 100);
        const QStringList before = folderEntries(h);
        doubleClickAt(h, h.canvas().toPixels(170, 170).toPoint());
        QVERIFY(h.platform->opened.isEmpty());
        QVERIFY(h.platform->messages.isEmpty());
        QCOMPARE(folderEntries(h), before);
    }
};

int runDoubleClickTest(int argc, char **argv)
{
    DoubleClickTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "doubleclicktest.moc"
