// Data safety. Faults while the document is saved: a quit in which each step of writing the
// backup and the document fails in turn, and a save killed at a random moment. Values a
// damaged, hand-edited or hostile "pic" may hold: out of range, not Unicode, very long,
// pictures that claim to be enormous, 200 MB in all. Each is met without a crash, nothing
// the user had is lost, and the next successful quit saves everything.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/model/documentfile.h"
#include "window/controls.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <limits>
#include <random>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

using Files = QMap<QString, QByteArray>;   // path under the folder -> digest of its bytes

// Every file under root, hidden ones included, but the session's journal; documents here
// reach hundreds of megabytes, so only digests are kept.
Files snapshot(const QString &root)
{
    Files files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(u"/pic.journal"_s))
            continue;
        files.insert(QDir(root).relativeFilePath(path),
                     QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256));
    }
    return files;
}

// The files of before that are gone or changed, "pic" left out when it was saved on purpose.
QStringList lostFiles(const Files &before, const Files &after, bool picSaved)
{
    QStringList lost;
    for (auto it = before.constBegin(); it != before.constEnd(); ++it) {
        if ((!picSaved || it.key() != u"pic"_s) && after.value(it.key()) != it.value())
            lost << it.key() + (after.contains(it.key()) ? u" changed"_s : u" is gone"_s);
    }
    return lost;
}

QStringList newFiles(const Files &before, const Files &after)
{
    QStringList added = after.keys();
    added.removeIf([&before](const QString &file) { return before.contains(file); });
    return added;
}

bool isDocument(const QByteArray &bytes)
{
    std::vector<std::unique_ptr<VellumObject>> objects;
    QString error;
    return DocumentFile::read(bytes, objects, error);
}

// The object named name in the saved "pic" (an empty object when there is none).
VellumObject savedObject(const QString &name)
{
    VellumModel model;
    if (!model.LoadDocument(u"pic"_s) || model.FindObject(u"Name"_s, name, 4096) <= 0)
        return {};
    return *model.current();
}

QString saved(const QString &name, const QString &key)
{
    return savedProperty(u"pic"_s, name, key);
}

QString longText(int length)
{
    QString text;
    while (text.size() < length)
        text += u"A lamp with a long story, \u00e9t\u00e9 1987; "_s;
    text.truncate(length);
    return text;
}

// Type 0 is "Tools" with the captions "Cap 1" .. "Cap 16"; the other types are empty.
QString toolsTypeTable()
{
    QStringList cells(255);
    cells[0] = u"Tools"_s;
    for (int i = 1; i <= 16; ++i)
        cells[i] = u"Cap %1"_s.arg(i);
    return TextRules::joinCrLf(cells);
}

// Attic at (100, 100) holds the lamp, Cellar beside it at (150, 100) holds the vase.
struct TwoBoxes
{
    explicit TwoBoxes(DocumentBuilder::Properties lampValues = {},
                      const QString &types = toolsTypeTable())
    {
        doc.startObject({u"Attic"_s, u"Cellar"_s}, u"2"_s, types);
        doc.box(u"Attic"_s, 100, 100);
        doc.box(u"Cellar"_s, 150, 100);
        lamp = doc.storedObject(u"Lamp"_s, u"Attic"_s, 110, 110, lampValues);
        vase = doc.storedObject(u"Vase"_s, u"Cellar"_s, 160, 110);
    }
    void setVase(const QString &key, const QString &value)
    {
        doc.model.SetCurrentObject(vase);
        doc.model.SetUserProperty(key, value);
    }
    DocumentBuilder doc;
    qint32 lamp = 0;
    qint32 vase = 0;
};

// A user's folder: "pic", an older backup 1 and a backup 2 equal to "pic" (or, to spare the
// disk, to backup 1), as a normal quit leaves them.
struct Scene
{
    // The document drawn by doc, the older one without its last object; started at once.
    explicit Scene(DocumentBuilder &doc) : Scene(olderAndAdded(doc), true) { harness.start(); }
    Scene(const std::pair<QByteArray, QByteArray> &olderAndPic, bool lastBackupIsPic)
        : harness(false)
    {
        const auto &[older, pic] = olderAndPic;
        QDir().mkpath(u"backups"_s);
        writeFile(u"backups/pic1"_s, older);
        writeFile(u"pic"_s, pic);
        writeFile(u"backups/pic2"_s, lastBackupIsPic ? pic : older);
        before = snapshot(harness.folder.path());
    }
    static std::pair<QByteArray, QByteArray> olderAndAdded(DocumentBuilder &doc)
    {
        const QByteArray older = DocumentFile::write(doc.model.objects());
        doc.model.AddObject(10, 0, 0, 4, 4);
        doc.model.SetUserProperty(u"Name"_s, u"Added later"_s);
        return {older, DocumentFile::write(doc.model.objects())};
    }

    frmMain &form() { return *harness.form; }
    QStringList &messages() { return harness.platform->messages; }
    QString messageText() { return messages().join(u'\n'); }
    void quit() { QTest::mouseClick(form().btnquit, Qt::LeftButton); }
    bool running() { return form().isVisible(); }
    Files now() { return snapshot(harness.folder.path()); }

    // Problems with the user's files: with no successful quit every file is as it was;
    // after one every old backup is, and "pic" is a whole document equal to the new backup.
    QStringList problems()
    {
        const Files after = now();
        QStringList found = lostFiles(before, after, !running());
        if (running())
            return found;
        if (!isDocument(fileBytes(u"pic"_s)))
            found << u"pic is not a whole document"_s;
        const QStringList added = newFiles(before, after);
        if (added.size() != 1 || after.value(added.value(0)) != after.value(u"pic"_s))
            found << u"no new backup equal to pic: "_s + added.join(u' ');
        return found;
    }

    // Quits; what went wrong, none when the program ended and kept every file the user had.
    QStringList quitProblems()
    {
        quit();
        return running() ? QStringList {u"still running: "_s + messageText()} : problems();
    }

    Harness harness;
    Files before;
};

// Counts the faultable steps of every save and makes step number failAt fail.
struct Fault
{
    explicit Fault(int step) : failAt(step)
    {
        DocumentFile::faultHook = [this](const char *step) {
            ++steps;
            saves += qstrcmp(step, "open") == 0;
            if (steps != failAt)
                return false;
            failedStep = QString::fromLatin1(step);
            failedSave = saves;
            return true;
        };
    }
    ~Fault() { DocumentFile::faultHook = nullptr; }

    int failAt;
    int steps = 0;
    int saves = 0;   // saves begun; the quit writes the backup first, then "pic"
    int failedSave = 0;
    QString failedStep;
};

QByteArray md5(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex();
}

} // namespace

class SafetyTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { DocumentFile::faultHook = nullptr; }

    void everyFaultDuringQuit()
    {
        int faultCases = 0;
        for (int n = 1;; ++n) {
            TwoBoxes drawing;
            Scene scene(drawing.doc);
            // The work of this run: the lamp is renamed in the panel.
            scene.harness.clickObject(drawing.lamp);
            QCOMPARE(scene.form().txtName->text(), u"Lamp"_s);
            Harness::typeInto(scene.form().txtName, u" (mended)"_s);
            QCOMPARE(scene.harness.property(drawing.lamp, u"Name"_s), u"Lamp (mended)"_s);

            auto fault = std::make_unique<Fault>(n);
            scene.quit();
            const int failedSave = fault->failedSave;
            const QString failedStep = fault->failedStep;
            fault.reset();
            if (failedStep.isEmpty()) {
                // Every step has been made to fail once: this quit ran without a fault.
                QVERIFY2(!scene.running(), qPrintable(scene.messageText()));
                QCOMPARE(scene.problems(), QStringList());
                break;
            }
            ++faultCases;
            const QString step = u"fault at step %1, step \"%2\" of save %3"_s.arg(n)
                                     .arg(failedStep).arg(failedSave);
            const QString failedFile = failedSave == 1 ? u"backups/pic3"_s : u"pic"_s;
            QVERIFY2(scene.running(), qPrintable(step));
            QVERIFY2(QFile::exists(u"pic.journal"_s), qPrintable(step));
            QVERIFY2(!scene.messages().isEmpty()
                         && scene.messages().last().contains(u'"' + failedFile + u'"')
                         && scene.messageText().contains(u"injected fault"_s),
                     qPrintable(step + u": "_s + scene.messageText()));

            const Files after = scene.now();
            QStringList lost = lostFiles(scene.before, after, true);
            QVERIFY2(lost.isEmpty(), qPrintable(step + u": "_s + lost.join(u", "_s)));
            // "pic" is the old document, except when only the flush of its folder failed:
            // the new one was already in place, whole, and the same as its backup.
            const bool picReplaced = failedSave == 2 && failedStep == u"flush"_s;
            const QByteArray picNow = picReplaced ? after.value(u"backups/pic3"_s)
                                                  : scene.before.value(u"pic"_s);
            QVERIFY2(after.value(u"pic"_s) == picNow, qPrintable(step));
            // No half-written or temporary file is left behind; a backup exists only once
            // it was written whole.
            const bool backupWhole = failedSave == 2 || failedStep == u"flush"_s;
            QCOMPARE(newFiles(scene.before, after),
                     backupWhole ? QStringList {u"backups/pic3"_s} : QStringList());
            if (backupWhole)
                QVERIFY(isDocument(fileBytes(u"backups/pic3"_s)));

            // The fault is gone: the next quit saves everything, the renamed lamp included.
            scene.messages().clear();
            scene.quit();
            QVERIFY2(!scene.running(), qPrintable(step + u": "_s + scene.messageText()));
            QVERIFY2(!QFile::exists(u"pic.journal"_s), qPrintable(step));
            const Files done = scene.now();
            lost = lostFiles(after, done, true);
            QVERIFY2(lost.isEmpty(), qPrintable(step + u": "_s + lost.join(u", "_s)));
            // The failed quit's number is taken again unless its backup was written.
            const QString next = backupWhole ? u"4"_s : u"3"_s;
            QCOMPARE(done.value(u"pic"_s), done.value(u"backups/pic"_s + next));
            QCOMPARE(saved(u"Lamp (mended)"_s, u"Type"_s), u"Object"_s);
            QCOMPARE(saved(u"Start"_s, u"SaveId"_s), next);
        }
        // Two saves of four faultable steps each: open, write, commit, flush.
        QCOMPARE(faultCases, 8);
    }

    // "pic" must always be a whole document, the one before the save or the one being
    // saved, and nothing left behind may pass for it.
    void killedWhileSaving()
    {
        constexpr int objectCount = 5000;
        constexpr int trials = 200;
        WorkingFolder folder;
        QProcess saver;
        // Starts the save of generation g; the digest of what it writes.
        const auto startSave = [&](int g) {
            saver.start(QStringLiteral(AMBROOK_CRASHSAVER),
                        {u"pic"_s, QString::number(objectCount), QString::number(g)});
            while (!saver.canReadLine()) {
                if (!saver.waitForReadyRead(60000))
                    return QByteArray();
            }
            const QByteArray line = saver.readLine().trimmed();
            return line.startsWith("saving ") ? line.mid(7) : QByteArray();
        };

        // One save to the end, to learn how long a save takes here and spread the kills
        // over it; the last check below reads what it wrote.
        QByteArray whole = startSave(1);
        QElapsedTimer timer;
        timer.start();
        QVERIFY(saver.waitForFinished(60000) && saver.exitCode() == 0);
        const qint64 saveNs = timer.nsecsElapsed();
        QCOMPARE(md5(fileBytes(u"pic"_s)), whole);

        const quint32 seed = QRandomGenerator::global()->generate();
        std::mt19937 random(seed);
        // From the start of a save to a little past its end.
        std::uniform_int_distribution<qint64> delayNs(0, saveNs + saveNs / 2);
        int newDocuments = 0;
        QStringList leftovers;
        for (int trial = 1; trial <= trials; ++trial) {
            const QByteArray saving = startSave(trial + 1);
            QVERIFY2(!saving.isEmpty(), "the saver stopped");
            QThread::usleep(unsigned(delayNs(random) / 1000));
            saver.kill();
            QVERIFY(saver.waitForFinished(60000));

            // "pic" is byte for byte the document before this save or the one it was writing.
            const QByteArray found = md5(fileBytes(u"pic"_s));
            QVERIFY2(found == whole || found == saving,
                     qPrintable(u"trial %1 (seed %2): pic is neither the old nor the new "
                                "document"_s.arg(trial).arg(seed)));
            newDocuments += found == saving;
            whole = found;
            // Anything else is what a save killed between naming and renaming its temporary
            // file leaves: never named "pic".
            leftovers = QDir().entryList(QDir::Files | QDir::Hidden);
            leftovers.removeOne(u"pic"_s);
        }

        // A later start and quit read and write "pic" alone, whatever the kills left.
        VellumModel model;
        QVERIFY(model.LoadDocument(u"pic"_s));
        QCOMPARE(model.ObjectCount(1), objectCount);
        QCOMPARE(md5(DocumentFile::write(model.objects())), whole);
        QVERIFY(model.SaveDocument(u"pic"_s));
        QCOMPARE(md5(fileBytes(u"pic"_s)), whole);
        for (const QString &name : std::as_const(leftovers))
            QVERIFY(name.startsWith(u"pic."_s) && QFile::remove(name));
        qInfo("SIGKILL trials: %d, new documents: %d, temporary files left: %lld (seed %u)",
              trials, newDocuments, qint64(leftovers.size()), seed);
    }

    void shortTypeTable_data()
    {
        QTest::addColumn<QString>("types");
        QTest::newRow("empty") << QString();
        QTest::newRow("three cells") << u"Tools\r\nDrill\r\nSaw\r\n"_s;
        QTest::newRow("no closing CR LF") << u"Tools"_s;
        QTest::newRow("238 cells") << TextRules::joinCrLf(QStringList(238, u"c"_s));
        QTest::newRow("LF only") << u"Tools\nDrill\nSaw\n"_s;
    }

    void shortTypeTable()
    {
        QFETCH(QString, types);
        TwoBoxes drawing({}, types);
        Scene scene(drawing.doc);

        // Start-up pads the window's copy of the table: the chooser gets its 15 names, the
        // cells there are kept, and the document keeps the table as it was.
        QCOMPARE(scene.form().Combo1->count(), 15);
        if (!types.isEmpty())
            QCOMPARE(scene.form().Combo1->itemText(0), TextRules::splitCrLf(types).first());
        QVERIFY(scene.form().typeTableTextValue.startsWith(types));
        QCOMPARE(TextRules::splitCrLf(scene.form().typeTableTextValue).size(), 256);
        QCOMPARE(scene.harness.startProperty(u"ObjectTypes"_s), types);
        QCOMPARE(scene.problems(), QStringList());

        // Choosing the last type reaches cells past the old end without harm.
        scene.harness.clickObject(drawing.lamp);
        choose(scene.form().Combo1, 14);
        QCOMPARE(scene.harness.property(drawing.lamp, u"TypeIndex"_s), u"239"_s);

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(saved(u"Start"_s, u"ObjectTypes"_s), types);
    }

    // A hand-edited document may hold the largest id there is: a new object still gets an
    // id of its own, and the object that was current keeps its values.
    void largestIdStillGivesNewObjects()
    {
        constexpr qint32 largest = std::numeric_limits<qint32>::max();
        TwoBoxes drawing;
        drawing.doc.model.objectById(drawing.vase)->id = largest;
        Scene scene(drawing.doc);
        Harness &h = scene.harness;
        h.clickObject(largest);
        QCOMPARE(scene.form().txtName->text(), u"Vase"_s);
        const int before = h.canvas().ObjectCount(1);

        const qint32 made = newObject(h);

        QCOMPARE(h.canvas().ObjectCount(1), before + 1);
        QCOMPARE(h.canvas().CurrentObject(), made);
        QVERIFY(made > 0 && made != largest && made != drawing.lamp);
        QCOMPARE(h.property(made, u"Name"_s), u"Object"_s);
        QCOMPARE(h.properties(largest, {u"Name"_s, u"Info"_s}),
                 QStringList({u"Vase"_s, u"Cellar"_s}));
        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(saved(u"Vase"_s, u"Info"_s), u"Cellar"_s);
        QCOMPARE(saved(u"Object"_s, u"Type"_s), u"Object"_s);
    }

    // A value of the lamp's, and a key of the user's own holding it, shown in the panel by
    // a click, which writes nothing back unless the user types, and saved as they were. A
    // colour out of the palette leaves the fill as it was until a colour is chosen.
    void oddLampValue_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("shownFrom");   // panel rows with a caption, none when from > to
        QTest::addColumn<int>("shownTo");
        const QString type = u"TypeIndex"_s;
        QTest::newRow("type far past the end") << type << u"30000"_s << 0 << -1;
        QTest::newRow("type past 16 bits") << type << u"70000"_s << 0 << -1;
        QTest::newRow("type in the last cell") << type << u"254"_s << 0 << -1;
        QTest::newRow("type in words") << type << u"x"_s << 0 << -1;
        // Cells before the table read as empty: rows 5 .. 15 show cells 0 .. 10.
        QTest::newRow("negative type") << type << u"-5"_s << 5 << 15;
        // Rounded to 2: rows 0 .. 14 show "Cap 2" .. "Cap 16", row 15 the empty next name.
        QTest::newRow("fraction of a type") << type << u"1.5"_s << 0 << 14;

        const QChar high(char16_t(0xd800)), low(char16_t(0xdc00));
        QString controls;
        for (char16_t c = 0; c < 32; ++c)
            controls += QChar(c);
        const auto text = [](const char *name, const QString &value) {
            QTest::newRow(name) << u"2"_s << value << 0 << -1;
        };
        text("NUL", u"before"_s + QChar(u'\0') + u"after"_s);
        text("lone high surrogate", u"a"_s + high + u"b"_s);
        text("lone low surrogate", QString(low));
        text("real pair", u"\U0001F600"_s);
        text("control characters", controls);
        text("noncharacters", u"\uFFFE\uFFFF\uFEFF"_s);
        text("escape look-alike", u"\\u0000 \\ud800 \" \\\""_s);
        for (const char *colour : {"999", "-1", "red", "99999", ""})
            QTest::addRow("colour \"%s\"", colour) << u"Colour"_s << QString::fromLatin1(colour)
                                                    << 0 << -1;
    }

    void oddLampValue()
    {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(int, shownFrom);
        QFETCH(int, shownTo);
        const QString note = u"Note "_s + text;
        TwoBoxes drawing({{key, text}, {note, text}});
        Scene scene(drawing.doc);
        Harness &h = scene.harness;
        const QColor fill = object(h, drawing.lamp).fillColor;

        h.clickObject(drawing.lamp);

        QCOMPARE(scene.form().txtName->text(), u"Lamp"_s);
        QCOMPARE(h.canvas().ObjectCount(2), 1);
        QCOMPARE(object(h, drawing.lamp).fillColor, fill);
        for (int row = 0; row < 16; ++row) {
            const QString caption = scene.form().Label[size_t(row)]->text();
            const bool shown = row >= shownFrom && row <= shownTo;
            QVERIFY2(caption.isEmpty() != shown,
                     qPrintable(u"row %1: %2"_s.arg(row).arg(caption)));
            // A row without a caption is covered.
            QCOMPARE(scene.form().Command2[size_t(row)]->isHidden(), shown);
        }
        QCOMPARE(h.property(drawing.lamp, key), text);
        QString kept = text;
        if (key == u"Colour"_s) {
            // A drag that ends on empty space and a second click change nothing either; the
            // colour choice repairs it.
            h.drag(h.centreOf(drawing.lamp), h.centreOf(drawing.lamp) + QPoint(3, 3));
            h.clickObject(drawing.lamp);
            QCOMPARE(object(h, drawing.lamp).fillColor, fill);
            choose(scene.form().colour, 4);
            kept = u"4"_s;
            QCOMPARE(h.property(drawing.lamp, key), kept);
            QCOMPARE(object(h, drawing.lamp).fillColor, palette(4));
        }
        QCOMPARE(scene.problems(), QStringList());

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(saved(u"Lamp"_s, key), kept);
        QCOMPARE(saved(u"Lamp"_s, note), text);
        QCOMPARE(saved(u"Lamp"_s, u"Info"_s), u"Attic"_s);
    }

    void valueOutOfRange_data()
    {
        QTest::addColumn<QString>("lampValue");
        QTest::addColumn<QString>("vaseValue");
        QTest::addColumn<QString>("cellarTotal");
        // A sum beyond the range of a double is written as 0, like every value that is not
        // a finite number: the total always reads back as the number it stands for.
        QTest::newRow("two huge") << u"1e308"_s << u"1e308"_s << u"0"_s;
        QTest::newRow("huge and -huge") << u"-1e308"_s << u"1e308"_s << u"0"_s;
        QTest::newRow("huge and one") << u"1e308"_s << u"-1"_s << u"1e+308"_s;
        QTest::newRow("NaN") << u"NaN"_s << u"5"_s << u"5"_s;
        QTest::newRow("beyond a double") << u"1e309"_s << u"2"_s << u"2"_s;
        QTest::newRow("Infinity") << u"Infinity"_s << u"2.5"_s << u"2.5"_s;
    }

    void valueOutOfRange()
    {
        QFETCH(QString, lampValue);
        QFETCH(QString, vaseValue);
        QFETCH(QString, cellarTotal);
        TwoBoxes drawing({{u"Value"_s, lampValue}});
        drawing.setVase(u"Value"_s, vaseValue);
        Scene scene(drawing.doc);
        Harness &h = scene.harness;

        // The lamp goes to the cellar: dropped on its strip, then the box chosen.
        h.dragObject(drawing.lamp, pixelOf(h, 160, 151));
        QCOMPARE(scene.form().readyList, QStringList {QString::number(drawing.lamp)});
        chooseDestination(h, u"Cellar"_s);
        QCOMPARE(h.property(drawing.lamp, u"Info"_s), u"Cellar"_s);
        QCOMPARE(h.property(boxParts(h, u"Cellar"_s).body, u"Value"_s), cellarTotal);
        QCOMPARE(h.property(drawing.lamp, u"Value"_s), lampValue);

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(saved(u"Lamp"_s, u"Value"_s), lampValue);
    }

    // Drawn on the canvas and on the buttons, shown in the panel, saved whole.
    void longNames_data()
    {
        QTest::addColumn<bool>("isBox");
        QTest::newRow("stored object") << false;
        QTest::newRow("box") << true;
    }

    void longNames()
    {
        QFETCH(bool, isBox);
        const QString name = longText(10000);
        const QString box = isBox ? name : u"Cellar"_s;
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s, box}, u"2"_s);
        doc.box(u"Attic"_s, 100, 100);
        doc.box(box, 150, 100);
        const qint32 lamp = doc.storedObject(isBox ? u"Lamp"_s : name, u"Attic"_s, 110, 110);
        Scene scene(doc);

        scene.harness.clickObject(lamp);
        QCOMPARE(scene.form().txtName->text(), isBox ? u"Lamp"_s : name);
        if (isBox)
            QTest::mouseClick(scene.form().Shortcut[1], Qt::LeftButton);
        QVERIFY(!scene.form().grab().isNull());
        QCOMPARE(scene.problems(), QStringList());

        QCOMPARE(scene.quitProblems(), QStringList());
        QCOMPARE(savedObject(name).objectText, name);
        QVERIFY(saved(u"Start"_s, u"Boxes"_s).contains(box + u"\r\n"_s));
    }

    // Headers that claim 65535 x 65535 pixels: 8-bit RGBA, 24 bits.
    void hugePicture_data()
    {
        QTest::addColumn<QByteArray>("picture");
        QTest::newRow("PNG") << QByteArray::fromHex(
            "89504e470d0a1a0a0000000d494844520000ffff0000ffff0806000000b605d950000000"
            "0a49444154789c636000000002000148afa4710000000049454e44ae426082");
        QTest::newRow("BMP") << QByteArray::fromHex(
            "424d76000000000000003600000028000000ffff0000ffff0000010018000000000000000000"
            "00000000000000000000000000000000") + QByteArray(64, '\x7f');
    }

    void hugePicture()
    {
        QFETCH(QByteArray, picture);
        TwoBoxes drawing;
        drawing.doc.model.AddObject(12, 120, 110, 125, 115);
        drawing.doc.model.current()->pictureData = picture;
        drawing.doc.model.SetLayer(3);
        drawing.doc.model.SetUserProperty(u"Type"_s, u"Pic"_s);
        drawing.doc.model.SetUserProperty(u"Name"_s, u"Poster"_s);
        Scene scene(drawing.doc);
        Harness &h = scene.harness;

        // The object is kept, undecoded, and drawing it does no harm.
        const qint32 poster = h.findId(u"Name"_s, u"Poster"_s);
        QVERIFY(poster != 0);
        QVERIFY(object(h, poster).picture.isNull());
        QCOMPARE(object(h, poster).pictureData, picture);
        QCOMPARE(scene.messages(), QStringList());
        h.clickObject(poster);
        QVERIFY(!scene.form().grab().isNull());

        // The same file given to the canvas fails cleanly; dropped on the drawing it becomes
        // a stored object for the file, not a picture.
        QVERIFY(writeFile(u"poster.png"_s, picture));
        const int count = h.canvas().ObjectCount(1);
        QVERIFY(!h.canvas().LoadPictureFile(u"poster.png"_s, 1, 0));
        QCOMPARE(h.canvas().ObjectCount(1), count);
        dropFiles(h, {h.folder.file(u"poster.png"_s)}, emptyPoint(h));
        QCOMPARE(h.canvas().ObjectCount(1), count + 1);
        QCOMPARE(h.property(lastId(h), u"Type"_s), u"Object"_s);
        QVERIFY(QFile::remove(u"poster.png"_s));

        QCOMPARE(scene.quitProblems(), QStringList());
        const VellumObject kept = savedObject(u"Poster"_s);
        QCOMPARE(kept.kind, qint16(12));
        QCOMPARE(kept.pictureData, picture);
    }

    // 200 MB, a hundred thousand stored objects with two kilobytes of notes each, loads
    // whole: start-up tells nothing and writes nothing. (A quit would only save it like any
    // other document; the backups here are small to spare the disk.)
    void hugeDocument()
    {
        constexpr int bulk = 100000;
        QByteArray bytes, older;
        {
            DocumentBuilder doc;
            doc.startObject({u"Attic"_s}, u"2"_s);
            doc.box(u"Attic"_s, 100, 100);
            older = DocumentFile::write(doc.model.objects());
            const QString notes = longText(2000);
            for (int i = 0; i < bulk; ++i)
                doc.storedObject(u"Thing %1"_s.arg(i), u"Attic"_s, 100 + i % 40,
                                 100 + i / 40 % 40, {{u"Value"_s, u"1"_s}, {u"2"_s, notes}});
            bytes = DocumentFile::write(doc.model.objects());
        }
        QVERIFY(bytes.size() > 200'000'000);

        Scene scene({older, bytes}, false);
        bytes.clear();
        scene.harness.start();
        QCOMPARE(scene.messages(), QStringList());
        QCOMPARE(scene.harness.canvas().ObjectCount(1), bulk + 3);
        QCOMPARE(scene.problems(), QStringList());
    }
};

AMBROOK_WINDOW_TEST_MAIN(SafetyTest)
#include "safetytest.moc"
