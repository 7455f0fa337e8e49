// Undo and Redo: one user action is one step, the whole window follows, and a random
// session taken back and applied again passes through every saved document.

#include "support/testsupport.h"

#include "canvas/model/documentfile.h"
#include "features/undo.h"

#include <QApplication>
#include <QImage>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QUndoStack>

#include <functional>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// The document as saved, selection flags aside.
QByteArray documentOf(Harness &h)
{
    return DocumentFile::write(h.canvas().objects())
        .replace("\"selected\":true", "\"selected\":false");
}

// What the window shows of the boxes and the objects waiting to move.
QStringList windowOf(const Harness &h)
{
    QStringList shown = comboLines(h.form->locationcombo1);
    for (const QPushButton *button : h.form->Shortcut)
        shown << (button->isVisible() ? button->text() : u"-"_s);
    shown << h.form->readyList.join(u',') << listLines(h.form->List1).join(u'|')
          << QString::number(h.form->currentBox) << QString::number(h.form->dropX)
          << QString::number(h.form->dropY) << h.form->boxNameText
          << comboLines(h.form->Combo1).join(u'|');
    return shown;
}

int boxIndex(const Harness &h, const QString &name)
{
    return h.form->locationcombo1->findText(name, Qt::MatchExactly);
}

// A small picture or a text file in the working folder, to drop on the drawing.
QString makeFile(const Harness &h, const QString &name, bool picture)
{
    const QString path = h.folder.file(name);
    if (picture) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(path, "PNG");
    } else {
        writeFile(path, "Drill manual\n");
    }
    return path;
}

QPushButton *undoButton(const Harness &h)
{
    return h.form->findChild<QPushButton *>(u"btnundo"_s);
}

QPushButton *redoButton(const Harness &h)
{
    return h.form->findChild<QPushButton *>(u"btnredo"_s);
}

void press(QPushButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void chooseAsUser(QComboBox *box, int k)
{
    box->setFocus();
    choose(box, k);
}

qint32 someObject(Harness &h, QRandomGenerator &random)
{
    QList<qint32> ids;
    for (const auto &o : h.canvas().objects()) {
        if (h.property(o->id, u"Type"_s) == u"Object"_s)
            ids << o->id;
    }
    return ids.isEmpty() ? 0 : ids.at(random.bounded(ids.size()));
}

// A real action chosen at random. Some begin with a click on an object, itself an action:
// done() follows each action.
void randomAction(Harness &h, QRandomGenerator &random, int serial,
                  const std::function<void()> &done)
{
    frmMain &w = *h.form;
    const qint32 id = someObject(h, random);
    const int pick = id == 0 ? 0 : random.bounded(13);
    if (pick == 2 || pick == 3 || pick == 4 || pick == 5 || pick == 9 || pick == 10) {
        h.clickObject(id);
        done();
    }
    switch (pick) {
    case 0:
        if (w.locationcombo1->count() < 45)
            newBox(h, u"Box %1"_s.arg(serial));
        break;
    case 1:
        press(w.newitem);
        break;
    case 2:
    case 3: {
        QLineEdit *fields[] = {w.txtName, w.Value, w.Text2, w.Text5, w.Text1};
        retype(fields[random.bounded(5)], QString::number(random.bounded(100)));
        break;
    }
    case 4:
        chooseAsUser(w.Combo1, random.bounded(w.Combo1->count()));
        break;
    case 5:
        chooseAsUser(w.colour, random.bounded(w.colour->count()));
        break;
    case 6: {
        const QRect r = rectOf(h, id);
        h.dragObject(id, pixelOf(h, r.x() + random.bounded(-6, 7), r.y() + random.bounded(-6, 7)));
        break;
    }
    case 7: {
        const QString box = w.locationcombo1->itemText(random.bounded(w.locationcombo1->count()));
        const QRect strip = rectOf(h, boxParts(h, box).strip);
        h.dragObject(id, pixelOf(h, strip.x() + 5 + random.bounded(30), strip.y() + 4));
        break;
    }
    case 8:
        if (w.locationcombo1->isVisible())
            chooseAsUser(w.locationcombo1, random.bounded(w.locationcombo1->count()));
        break;
    case 9:
        QTest::keyClick(&h.canvas(), Qt::Key_Delete);
        break;
    case 10:
        w.Calendar1->setSelectedDate(QDate(2020, 1, 1).addDays(random.bounded(3000)));
        press(w.Alarm);
        break;
    case 11:
        press(w.Command1);
        break;
    default:
        const bool picture = random.bounded(2);
        dropFiles(h, {makeFile(h, u"f%1%2"_s.arg(serial).arg(picture ? u".png" : u".txt"),
                               picture)},
                  emptyPoint(h));
        break;
    }
    done();
}

// Where two documents part, for the failure message.
QByteArray difference(const QByteArray &a, const QByteArray &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const qsizetype from = std::max<qsizetype>(0, i - 80);
    return a.mid(from, 200) + "\n  <>\n" + b.mid(from, 200);
}

struct Seen
{
    QByteArray document;
    QStringList window;
};

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT

private slots:
    void stepNames_data();
    void stepNames();
    void startIsNoStep();
    void actionWithoutChangeIsNoStep();
    void newActionDropsRedo();
    void ctrlZInFieldIsTextUndo();
    void quitSavesUndoneDocument();
    void randomSessions();
};

void UndoTest::stepNames_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("tip");
    QTest::newRow("new box") << 0 << u"Undo: new box Shed"_s;
    QTest::newRow("typing") << 1 << u"Undo: typing in Value"_s;
    QTest::newRow("move") << 2 << u"Undo: move of 3 objects into Garage"_s;
    QTest::newRow("delete") << 3 << u"Undo: delete of Drill"_s;
}

void UndoTest::stepNames()
{
    QFETCH(int, action);
    QFETCH(QString, tip);
    Harness h;
    makeBox(h, u"Garage"_s, 100, 100);
    const Box shelf = makeBox(h, u"Shelf"_s, 150, 100);
    const qint32 a = makeObject(h, u"Drill"_s, 153, 103);
    const qint32 b = makeObject(h, u"Saw"_s, 158, 103);
    const qint32 c = makeObject(h, u"Nails"_s, 163, 103);
    resetUndo(*h.form);
    if (action == 2) {
        const QRect strip = rectOf(h, boxParts(h, u"Garage"_s).strip);
        int along = 8;
        for (qint32 id : {a, b, c}) {
            h.dragObject(id, pixelOf(h, strip.x() + along, strip.y() + 4));
            along += 12;
        }
    }
    const QByteArray before = documentOf(h);

    if (action == 0) {
        newBox(h, u"Shed"_s);
    } else if (action == 1) {
        h.clickObject(a);
        retype(h.form->Value, u"12"_s);
    } else if (action == 2) {
        chooseAsUser(h.form->locationcombo1, boxIndex(h, u"Garage"_s));
    } else {
        h.clickObject(a);
        QTest::keyClick(&h.canvas(), Qt::Key_Delete);
    }
    Q_UNUSED(shelf)
    QVERIFY(undoButton(h)->isEnabled());
    QCOMPARE(undoButton(h)->toolTip(), tip);
    press(undoButton(h));
    const QByteArray after = documentOf(h);
    QVERIFY2(after == before, difference(after, before).constData());
    QCOMPARE(redoButton(h)->toolTip(), QString(tip).replace(u"Undo"_s, u"Redo"_s));
}

void UndoTest::startIsNoStep()
{
    Harness h;
    QVERIFY(!undoButton(h)->isEnabled());
    QVERIFY(!redoButton(h)->isEnabled());
    QCOMPARE(undoButton(h)->text(), u"Undo"_s);
    QCOMPARE(redoButton(h)->text(), u"Redo"_s);
}

void UndoTest::actionWithoutChangeIsNoStep()
{
    Harness h;
    makeBox(h, u"Garage"_s, 100, 100);
    const qint32 a = makeObject(h, u"Drill"_s, 103, 103);
    resetUndo(*h.form);
    h.clickObject(a);                       // the panel writes every field back
    h.clickAt(emptyPoint(h));
    chooseBox(h, u"Garage"_s);
    QVERIFY(!undoButton(h)->isEnabled());
    QCOMPARE(undoStack(*h.form).count(), 0);
}

void UndoTest::newActionDropsRedo()
{
    Harness h;
    newBox(h, u"Garage"_s);
    newBox(h, u"Shed"_s);
    press(undoButton(h));
    QVERIFY(redoButton(h)->isEnabled());
    QCOMPARE(comboLines(h.form->locationcombo1), QStringList{u"Garage"_s});
    newBox(h, u"Attic"_s);
    QVERIFY(!redoButton(h)->isEnabled());
    press(undoButton(h));
    press(undoButton(h));
    QVERIFY(!undoButton(h)->isEnabled());
    QCOMPARE(comboLines(h.form->locationcombo1), QStringList());
    QVERIFY(!h.form->Shortcut[0]->isVisible());
    QTest::keyClick(&h.canvas(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(comboLines(h.form->locationcombo1), QStringList{u"Garage"_s});
}

void UndoTest::ctrlZInFieldIsTextUndo()
{
    Harness h;
    makeBox(h, u"Garage"_s, 100, 100);
    const qint32 a = makeObject(h, u"Drill"_s, 103, 103);
    newBox(h, u"Shed"_s);
    h.clickObject(a);
    retype(h.form->txtName, u"Saw"_s);
    QTest::keyClick(h.form->txtName, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(h.property(a, u"Name"_s), u"Drill"_s);
    QVERIFY(boxIndex(h, u"Shed"_s) >= 0);   // the field's own undo took back the typing only
    QCOMPARE(undoButton(h)->toolTip(), u"Undo: new box Shed"_s);
    h.canvas().setFocus();
    QTest::keyClick(&h.canvas(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(boxIndex(h, u"Shed"_s), -1);
}

void UndoTest::quitSavesUndoneDocument()
{
    Harness h;
    makeBox(h, u"Garage"_s, 100, 100);
    resetUndo(*h.form);
    const QByteArray before = documentOf(h);
    newBox(h, u"Shed"_s);
    press(undoButton(h));
    press(h.form->btnquit);
    const QByteArray saved = fileBytes(h.folder.file(u"pic"_s))
                                 .replace("\"selected\":true", "\"selected\":false")
                                 .replace("[\"SaveId\",\"1\"]", "[\"SaveId\",\"0\"]");
    QVERIFY2(saved == before, difference(saved, before).constData());
}

void UndoTest::randomSessions()
{
    QRandomGenerator random(20260515);
    int serial = 0;
    for (int round = 0; round < 20; ++round) {
        Harness h;
        makeBox(h, u"Garage"_s, 100, 100);
        makeBox(h, u"Shelf"_s, 150, 100);
        makeObject(h, u"Drill"_s, 103, 103);
        for (int session = 0; session < 10; ++session) {
            resetUndo(*h.form);
            std::vector<Seen> runs = {{documentOf(h), windowOf(h)}};
            std::vector<QStringList> lastWindow = {runs.back().window};
            auto done = [&] {
                const Seen now{documentOf(h), windowOf(h)};
                if (now.document == runs.back().document) {
                    lastWindow.back() = now.window;
                } else {
                    runs.push_back(now);
                    lastWindow.push_back(now.window);
                }
            };
            for (int i = 0; i < 30; ++i)
                randomAction(h, random, ++serial, done);
            const QString where = u"round %1 session %2"_s.arg(round).arg(session);
            for (int k = int(runs.size()) - 2; k >= 0; --k) {
                QVERIFY2(undoButton(h)->isEnabled(), qPrintable(where));
                press(undoButton(h));
                const QByteArray now = documentOf(h);
                QVERIFY2(now == runs[size_t(k)].document,
                         qPrintable(where + u" undo to %1 of %2: "_s.arg(k).arg(runs.size())
                                    + QString::fromUtf8(difference(now, runs[size_t(k)].document))
                                    + undoStack(*h.form).undoText()));
                QCOMPARE(windowOf(h), lastWindow[size_t(k)]);
            }
            QVERIFY2(!undoButton(h)->isEnabled(), qPrintable(where));
            for (size_t k = 1; k < runs.size(); ++k) {
                press(redoButton(h));
                const QByteArray now = documentOf(h);
                QVERIFY2(now == runs[k].document,
                         qPrintable(where + u" redo to %1: "_s.arg(k)
                                    + QString::fromUtf8(difference(now, runs[k].document))));
                QCOMPARE(windowOf(h), runs[k].window);
            }
            QVERIFY2(!redoButton(h)->isEnabled(), qPrintable(where));
        }
    }
}

QTEST_MAIN(UndoTest)
#include "undotest.moc"
