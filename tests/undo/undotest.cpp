// Undo and Redo: one user action is one step, the whole window follows, and a random
// session taken back and applied again passes through every saved document.

#include "support/randomsession.h"
#include "support/testsupport.h"

#include "features/undo.h"

#include <QUndoStack>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

// What the window shows of the boxes and the objects waiting to move.
QStringList windowOf(const Harness &h)
{
    QStringList shown = comboLines(h.form->locationcombo1);
    for (const QPushButton *button : h.form->Shortcut)
        shown << (button->isVisible() ? button->text() : u"-"_s) + u' ' + shortcutFace(button);
    shown << h.form->readyList.join(u',') << listLines(h.form->List1).join(u'|')
          << QString::number(h.form->currentBox) << QString::number(h.form->dropX)
          << QString::number(h.form->dropY) << h.form->boxNameText
          << comboLines(h.form->Combo1).join(u'|');
    return shown;
}

// Where two documents part, for the failure message.
QString difference(const QByteArray &a, const QByteArray &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const qsizetype from = std::max<qsizetype>(0, i - 80);
    return QString::fromUtf8(a.mid(from, 200) + "\n  <>\n" + b.mid(from, 200));
}

void chooseAsUser(QComboBox *box, int k)
{
    box->setFocus();
    choose(box, k);
}

bool hasBox(const Harness &h, const QString &name)
{
    return h.form->locationcombo1->findText(name, Qt::MatchExactly) >= 0;
}

// "Garage", then "Shelf" (chosen), the named objects in a row at the top left of "Garage",
// and nothing to undo yet.
QList<qint32> startOnGarage(Harness &h, const QStringList &names = {u"Drill"_s})
{
    makeBox(h, u"Garage"_s, 100, 100);
    makeBox(h, u"Shelf"_s, 150, 100);
    QList<qint32> ids;
    for (const QString &name : names)
        ids << makeObject(h, name, 103 + 5 * int(ids.size()), 103);
    resetUndo(*h.form);
    return ids;
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
    void stepNames_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("tip");
        QTest::newRow("new box") << 0 << u"Undo: new box Shed"_s;
        QTest::newRow("typing") << 1 << u"Undo: typing in Value"_s;
        QTest::newRow("move") << 2 << u"Undo: move of 3 objects into Garage"_s;
        QTest::newRow("delete") << 3 << u"Undo: delete of Drill"_s;
    }

    void stepNames()
    {
        QFETCH(int, action);
        QFETCH(QString, tip);
        Harness h;
        const QList<qint32> ids = startOnGarage(h, {u"Drill"_s, u"Saw"_s, u"Nails"_s});
        if (action == 2) {
            const QRect strip = rectOf(h, boxParts(h, u"Garage"_s).strip);
            for (int k = 0; k < 3; ++k)
                h.dragObject(ids[k], pixelOf(h, strip.x() + 8 + 12 * k, strip.y() + 4));
        }
        const QByteArray before = documentOf(h);
        if (action == 0)
            newBox(h, u"Shed"_s);
        else if (action == 2)
            chooseAsUser(h.form->locationcombo1, h.form->locationcombo1->findText(u"Garage"_s));
        else
            h.clickObject(ids[0]);
        if (action == 1)
            retype(h.form->Value, u"12"_s);
        else if (action == 3)
            QTest::keyClick(&h.canvas(), Qt::Key_Delete);
        QVERIFY(h.form->btnundo->isEnabled());
        QCOMPARE(h.form->btnundo->toolTip(), tip);
        press(h.form->btnundo);
        const QByteArray after = documentOf(h);
        QVERIFY2(after == before, qPrintable(difference(after, before)));
        QCOMPARE(h.form->btnredo->toolTip(), QString(tip).replace(u"Undo"_s, u"Redo"_s));
    }

    // Starting, selecting and choosing a box change nothing, so leave nothing to undo.
    void noChangeIsNoStep()
    {
        Harness h;
        QCOMPARE(h.form->btnundo->text(), u"Undo"_s);
        QCOMPARE(h.form->btnredo->text(), u"Redo"_s);
        QVERIFY(!h.form->btnundo->isEnabled() && !h.form->btnredo->isEnabled());
        const qint32 drill = startOnGarage(h).first();
        h.clickObject(drill);                   // the panel writes every field back
        h.clickAt(emptyPoint(h));
        chooseBox(h, u"Garage"_s);
        QVERIFY(!h.form->btnundo->isEnabled());
        QCOMPARE(undoStack(*h.form).count(), 0);
    }

    void newActionDropsRedo()
    {
        Harness h;
        newBox(h, u"Garage"_s);
        newBox(h, u"Shed"_s);
        press(h.form->btnundo);
        QVERIFY(h.form->btnredo->isEnabled());
        QCOMPARE(comboLines(h.form->locationcombo1), QStringList{u"Garage"_s});
        newBox(h, u"Attic"_s);
        QVERIFY(!h.form->btnredo->isEnabled());
        press(h.form->btnundo);
        press(h.form->btnundo);
        QVERIFY(!h.form->btnundo->isEnabled());
        QCOMPARE(comboLines(h.form->locationcombo1), QStringList());
        QVERIFY(!h.form->Shortcut[0]->isVisible());
        QTest::keyClick(&h.canvas(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(comboLines(h.form->locationcombo1), QStringList{u"Garage"_s});
    }

    // The lit button is the one that was lit after the step, though an undo chooses no box.
    void facesFollowUndo()
    {
        Harness h;
        newBox(h, u"Garage"_s);
        newBox(h, u"Shed"_s);
        const auto faces = [&h] {
            QStringList shown;
            for (const QPushButton *button : {h.form->Shortcut[0], h.form->Shortcut[1]})
                shown << (button->isVisible() ? shortcutFace(button) : u"-"_s);
            return shown;
        };
        QCOMPARE(faces(), (QStringList {u"plain"_s, u"lit"_s}));
        press(h.form->btnundo);
        QCOMPARE(faces(), (QStringList {u"lit"_s, u"-"_s}));
        press(h.form->btnundo);
        QCOMPARE(faces(), (QStringList {u"-"_s, u"-"_s}));
        press(h.form->btnredo);
        press(h.form->btnredo);
        QCOMPARE(faces(), (QStringList {u"plain"_s, u"lit"_s}));
    }

    // Ctrl+Z in a field takes back its typing only; on the drawing it takes back the last
    // step, and quitting then saves the document as it was before that step.
    void textUndoThenQuit()
    {
        Harness h;
        const qint32 drill = startOnGarage(h).first();
        const QByteArray before = documentOf(h);
        newBox(h, u"Shed"_s);
        h.clickObject(drill);
        retype(h.form->txtName, u"Saw"_s);
        QTest::keyClick(h.form->txtName, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(h.property(drill, u"Name"_s), u"Drill"_s);
        QVERIFY(hasBox(h, u"Shed"_s));
        QCOMPARE(h.form->btnundo->toolTip(), u"Undo: new box Shed"_s);
        h.canvas().setFocus();
        QTest::keyClick(&h.canvas(), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!hasBox(h, u"Shed"_s));
        press(h.form->btnquit);
        const QByteArray saved = fileBytes(h.folder.file(u"pic"_s))
                                     .replace("\"selected\":true", "\"selected\":false")
                                     .replace("[\"SaveId\",\"1\"]", "[\"SaveId\",\"0\"]");
        QVERIFY2(saved == before, qPrintable(difference(saved, before)));
    }

    void randomSessions()
    {
        QRandomGenerator random(20260515);
        int serial = 0;
        for (int round = 0; round < 20; ++round) {
            Harness h;
            startOnGarage(h);
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
                const QString where = u"seed 20260515 round %1 session %2"_s.arg(round)
                                          .arg(session);
                for (int k = int(runs.size()) - 2; k >= 0; --k) {
                    QVERIFY2(h.form->btnundo->isEnabled(), qPrintable(where));
                    press(h.form->btnundo);
                    const QByteArray now = documentOf(h);
                    QVERIFY2(now == runs[size_t(k)].document,
                             qPrintable(where + u" undo to %1 of %2: "_s.arg(k).arg(runs.size())
                                        + difference(now, runs[size_t(k)].document)
                                        + undoStack(*h.form).undoText()));
                    QCOMPARE(windowOf(h), lastWindow[size_t(k)]);
                }
                QVERIFY2(!h.form->btnundo->isEnabled(), qPrintable(where));
                for (size_t k = 1; k < runs.size(); ++k) {
                    press(h.form->btnredo);
                    const QByteArray now = documentOf(h);
                    QVERIFY2(now == runs[k].document,
                             qPrintable(where + u" redo to %1: "_s.arg(k)
                                        + difference(now, runs[k].document)));
                    QCOMPARE(windowOf(h), runs[k].window);
                }
                QVERIFY2(!h.form->btnredo->isEnabled(), qPrintable(where));
            }
        }
    }
};

QTEST_MAIN(UndoTest)
#include "undotest.moc"
