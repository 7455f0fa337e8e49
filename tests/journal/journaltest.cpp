// The journal: a session ended any way but Save & Quit is offered back at the next start,
// with the whole window and its undo steps; a journal that cannot be used is kept aside
// and never applied; Save & Quit leaves none.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "canvas/model/journalfile.h"
#include "features/journal.h"
#include "features/undo.h"
#include "features/undosteps.h"

#include <QRandomGenerator>
#include <QUndoStack>

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

enum class Ending { Killed, CommitRequest, SaveAndQuit };
enum class Found { AsLeft, PicReplaced, Unreadable, Empty };

// What the window shows of the boxes, the types and the list.
QStringList windowOf(const Harness &h)
{
    QStringList shown = comboLines(h.form->locationcombo1);
    shown << shownShortcuts(h);
    for (const QPushButton *button : h.form->Shortcut)
        shown << shortcutFace(button);
    shown << h.form->boxNameText << h.form->typeTableTextValue
          << comboLines(h.form->Combo1).join(u'|') << h.form->Combo1->currentText()
          << h.form->readyList.join(u',') << listLines(h.form->List1).join(u'|')
          << QString::number(h.form->currentBox) << QString::number(h.form->dropX)
          << QString::number(h.form->dropY) << h.form->btnundo->toolTip()
          << h.form->btnredo->toolTip();
    return shown;
}

// New boxes, new objects, typing, a type, a move into a box, a Delete, an undo and a redo,
// ending in a run of typing.
void session(Harness &h)
{
    newBox(h, u"Garage"_s);
    newBox(h, u"Shed"_s);
    const qint32 drill = newObject(h);
    retype(h.form->txtName, u"Drill"_s);
    retype(h.form->Value, u"40"_s);
    const qint32 saw = newObject(h);
    retype(h.form->txtName, u"Saw"_s);
    const QRect strip = rectOf(h, boxParts(h, u"Garage"_s).strip);
    h.dragObject(drill, pixelOf(h, strip.x() + 8, strip.y() + 4));
    h.clickObject(saw);
    QTest::keyClick(&h.canvas(), Qt::Key_Delete);
    press(h.form->btnundo);
    press(h.form->btnredo);
    newObject(h);
    retype(h.form->txtName, u"Nails"_s);
}

QStringList discarded(const Harness &h)
{
    return QDir(h.folder.path()).entryList({u"pic.journal.discarded-*"_s}, QDir::Files);
}

} // namespace

class JournalTest : public QObject
{
    Q_OBJECT

private slots:
    void restart_data()
    {
        QTest::addColumn<Ending>("ending");
        QTest::addColumn<Found>("found");
        QTest::addColumn<int>("answer");
        QTest::newRow("killed, restored") << Ending::Killed << Found::AsLeft << 0;
        QTest::newRow("killed, discarded") << Ending::Killed << Found::AsLeft << 1;
        QTest::newRow("logout, restored") << Ending::CommitRequest << Found::AsLeft << 0;
        QTest::newRow("pic replaced since") << Ending::Killed << Found::PicReplaced << 0;
        QTest::newRow("journal unreadable") << Ending::Killed << Found::Unreadable << 0;
        QTest::newRow("journal cut before its head") << Ending::Killed << Found::Empty << 0;
        QTest::newRow("save and quit") << Ending::SaveAndQuit << Found::AsLeft << 0;
    }

    void restart()
    {
        QFETCH(Ending, ending);
        QFETCH(Found, found);
        QFETCH(int, answer);
        Harness first;
        const QByteArray started = documentOf(first);
        session(first);
        const QByteArray left = documentOf(first);
        const QStringList window = windowOf(first);
        const int steps = undoStack(*first.form).count();
        const QString journal = first.folder.file(u"pic.journal"_s);
        if (ending == Ending::SaveAndQuit) {
            press(first.form->btnquit);
            QVERIFY(!QFile::exists(journal));
        } else if (ending == Ending::CommitRequest) {
            endSessionKeepingJournal(*first.form);
            // Later actions are not written: the journal is closed.
            newBox(first, u"Attic"_s);
        }
        // The window goes without Save & Quit, as a kill would leave the files.
        first.form.reset();
        QByteArray journalBytes = fileBytes(journal);
        if (found == Found::PicReplaced) {
            DocumentBuilder other;
            other.startObject({u"Loft"_s});
            QVERIFY(other.save(first.folder.file(u"pic"_s)));
        } else if (found == Found::Unreadable) {
            journalBytes = "not a journal at all";
            QVERIFY(writeFile(journal, journalBytes));
        } else if (found == Found::Empty) {
            QVERIFY(writeFile(journal, QByteArray()));
        }

        Harness second(false);
        QDir::setCurrent(first.folder.path());
        second.platform->choices << answer;
        second.start();
        const auto &questions = second.platform->questions;
        const auto &messages = second.platform->messages;
        if (ending == Ending::SaveAndQuit) {
            QVERIFY(questions.isEmpty() && messages.isEmpty());
            QCOMPARE(comboLines(second.form->locationcombo1),
                     (QStringList{u"Garage"_s, u"Shed"_s}));
            return;
        }
        if (found == Found::Empty) {
            // Nothing to restore and nothing to tell: the session starts a journal of its own.
            QVERIFY(questions.isEmpty() && messages.isEmpty());
            QVERIFY(discarded(first).isEmpty());
            QCOMPARE(readJournal(u"pic.journal"_s).records.size(), size_t(1));
            QCOMPARE(documentOf(second), started);
            return;
        }
        if (found != Found::AsLeft) {
            QVERIFY(questions.isEmpty());
            QCOMPARE(messages.size(), 1);
            QVERIFY2(messages[0].contains(found == Found::Unreadable ? u"could not read it"_s
                                                                     : u"another version"_s),
                     qPrintable(messages[0]));
            QVERIFY(messages[0].contains(u"Nothing from it was applied"_s));
            QCOMPARE(discarded(first).size(), 1);
            QVERIFY(messages[0].contains(discarded(first)[0]));
            QCOMPARE(fileBytes(discarded(first)[0]), journalBytes);
            QCOMPARE(readJournal(u"pic.journal"_s).records.size(), size_t(1));
            QVERIFY(!comboLines(second.form->locationcombo1).contains(u"Garage"_s));
            QVERIFY(!second.form->btnundo->isEnabled());
            return;
        }
        QCOMPARE(questions.size(), 1);
        QVERIFY2(questions[0].text.startsWith(u"Ambrook was not ended with Save & Quit on "_s),
                 qPrintable(questions[0].text));
        // Every step once, however many keys its typing took, and the undo and the redo.
        QVERIFY2(questions[0].text.contains(u"That session made %1 changes "_s.arg(steps + 2)),
                 qPrintable(questions[0].text));
        QVERIFY(questions[0].text.endsWith(u"changes that are not in \"pic\" yet.\n\n"
                                           "Restore them?"_s));
        QCOMPARE(questions[0].buttons, (QStringList{u"Restore"_s, u"Discard"_s}));
        QCOMPARE(questions[0].defaultButton, 0);
        QVERIFY(messages.isEmpty());
        if (answer == 1) {
            QCOMPARE(documentOf(second), started);
            QCOMPARE(discarded(first).size(), 1);
            QCOMPARE(fileBytes(discarded(first)[0]), journalBytes);
            QVERIFY(!second.form->btnundo->isEnabled());
            QCOMPARE(readJournal(u"pic.journal"_s).records.size(), size_t(1));
            return;
        }
        QVERIFY(discarded(first).isEmpty());
        QVERIFY(documentOf(second) == left);
        QCOMPARE(windowOf(second), window);
        QCOMPARE(undoStack(*second.form).count(), steps);
        // The restored changes are steps of this session.
        for (int k = 0; k < steps; ++k)
            press(second.form->btnundo);
        QVERIFY(!second.form->btnundo->isEnabled());
        QVERIFY(documentOf(second) == started);
    }

    // A second end without Save & Quit loses nothing either: the same journal goes on.
    void restoredTwice()
    {
        Harness first;
        newBox(first, u"Garage"_s);
        first.form.reset();
        QByteArray left;
        int steps = 0;
        QString tip;
        {
            Harness second(false);
            QDir::setCurrent(first.folder.path());
            second.start();
            newObject(second);
            retype(second.form->txtName, u"Hammer"_s);
            left = documentOf(second);
            steps = undoStack(*second.form).count();
            tip = second.form->btnundo->toolTip();
        }
        Harness third(false);
        QDir::setCurrent(first.folder.path());
        third.start();
        QCOMPARE(third.platform->questions.size(), 1);
        QVERIFY(documentOf(third) == left);
        QCOMPARE(undoStack(*third.form).count(), steps);
        QCOMPARE(third.form->btnundo->toolTip(), tip);
        QCOMPARE(comboLines(third.form->locationcombo1), QStringList{u"Garage"_s});
    }

    // Every record ends with the step; nothing is left to a later flush.
    void everyStepIsInTheFile()
    {
        Harness h;
        const int before = int(readJournal(u"pic.journal"_s).records.size());
        newBox(h, u"Garage"_s);
        QCOMPARE(int(readJournal(u"pic.journal"_s).records.size()), before + 1);
        newObject(h);
        Harness::typeInto(h.form->txtName, u"Axe"_s);
        const JournalContents journal = readJournal(u"pic.journal"_s);
        QCOMPARE(int(journal.records.size()), before + 5);
        QVERIFY(!journal.records[size_t(before + 2)].continues);
        QVERIFY(journal.records.back().continues);
        QCOMPARE(journal.records.back().typedField, u"txtName"_s);
    }

    // A journal written before the buttons' faces were kept is still read: the current box's
    // button is lit among the listed ones.
    void earlierStateIsRead()
    {
        // Boxes "Garage" and "Shed", the second current, against a default state.
        const QByteArray earlier = QByteArray::fromHex(
            "02b70100000000010000000000000000000000020000000600000047006100720061006700650004"
            "00000053006800650064000000000000");
        const WindowState before;
        WindowState state;
        QVERIFY(decodeWindowState(earlier, state, &before));
        QCOMPARE(state.boxList, (QStringList {u"Garage"_s, u"Shed"_s}));
        QCOMPARE(state.currentBox, 1);
        QCOMPARE(state.shortcutFaces, QByteArray("\x01\x02"));
        // That version had no faces to leave out.
        QByteArray claimsFaces = earlier;
        claimsFaces[2] = char(claimsFaces[2] | 0x04);
        QVERIFY(!decodeWindowState(claimsFaces, state, &before));
    }

    // The window's state is read back only when every count and length fits.
    void windowStateIsStrict()
    {
        Harness h;
        session(h);
        const WindowState before = WindowState::of(*h.form);
        const QByteArray bytes = encodeWindowState(before);
        WindowState state;
        QVERIFY(decodeWindowState(bytes, state));
        QCOMPARE(encodeWindowState(state), bytes);
        // Against the state before, the list's new colours are the brushes that changed.
        QPalette colours = h.form->List1->palette();
        colours.setColor(QPalette::Inactive, QPalette::Base, QColor(200, 30, 30));
        h.form->List1->setPalette(colours);
        const WindowState after = WindowState::of(*h.form);
        const QByteArray changes = encodeWindowState(after, &before);
        QVERIFY(decodeWindowState(changes, state, &before));
        QCOMPARE(state.listPalette, after.listPalette);
        QCOMPARE(state.listPalette.resolveMask(), after.listPalette.resolveMask());
        QCOMPARE(encodeWindowState(state, &before), changes);
        QVERIFY(!decodeWindowState(changes, state));
        for (const auto &[whole, previous] :
             {std::pair {bytes, (const WindowState *)nullptr}, std::pair {changes, &before}}) {
            for (qsizetype n = 0; n < whole.size(); ++n)
                QVERIFY2(!decodeWindowState(QByteArrayView(whole).first(n), state, previous),
                         qPrintable(QString::number(n)));
            QVERIFY(!decodeWindowState(whole + "x", state, previous));
        }
        QRandomGenerator random(7);
        for (int i = 0; i < 2000; ++i) {
            QByteArray noisy = bytes;
            noisy[random.bounded(noisy.size())] = char(random.bounded(256));
            decodeWindowState(noisy, state);
        }
    }
};

AMBROOK_WINDOW_TEST_MAIN(JournalTest)
#include "journaltest.moc"
