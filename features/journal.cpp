#include "features/journal.h"

#include "canvas/model/journalfile.h"
#include "features/features.h"
#include "features/undosteps.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QLocale>

#include <signal.h>

#include <optional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

bool journalEnabled = true;

// The form's journal: the writer, and whether records are being written (not while a
// journal is put back).
class Journal : public QObject
{
public:
    explicit Journal(frmMain &form) : QObject(&form), mForm(form)
    {
        setObjectName(name());
    }

    static QString name() { return u"journal"_s; }

    JournalWriter writer;
    bool writing = false;
    // The window after the last step written in this session: its list lines are not
    // written again while they stay the same. The lines themselves are not kept alive by
    // the journal: a long list the window no longer shows is freed when it is replaced,
    // not at the next step.
    std::optional<WindowState> lastWindow;
    std::weak_ptr<const WindowState::Lines> lastLines;

    void remember(const WindowState &window)
    {
        lastWindow = window;
        lastLines = window.listLines;
        lastWindow->listLines = {};
    }

    // window as a record carries it: the parts that differ from the last window written.
    // Its lines are the same only while the last window's are still there.
    QByteArray encode(const WindowState &window)
    {
        if (!lastWindow)
            return encodeWindowState(window);
        lastWindow->listLines = lastLines.lock();
        QByteArray bytes = encodeWindowState(window, &*lastWindow);
        lastWindow->listLines = {};
        return bytes;
    }

    // Whether the record was written.
    bool append(JournalRecord record)
    {
        if (!writing || !journalEnabled || !writer.isOpen())
            return false;
        if (writer.append(std::move(record)))
            return true;
        // A journal with a step missing would restore the steps after it on the wrong
        // document: it ends at the last step it holds.
        writing = false;
        mForm.platform().message(
            u"Ambrook could not write to its journal \"%1\" (%2), so it stops keeping one. "
            "Your changes are safe once you quit with Save & Quit."_s
                .arg(journalFileName(), writer.error()));
        return false;
    }

private:
    frmMain &mForm;
};

Journal *journalOf(frmMain &form)
{
    // Found by name: the class has no meta-object of its own to tell it from other children.
    return static_cast<Journal *>(
        form.findChild<QObject *>(Journal::name(), Qt::FindDirectChildrenOnly));
}

JournalRecord marker(JournalRecord::Kind kind)
{
    JournalRecord record;
    record.kind = kind;
    return record;
}

// "8 Dec 2026 at 14:35", in the words of the program's other messages.
QString dayAndTime(qint64 msSinceEpoch)
{
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(msSinceEpoch).toLocalTime();
    const QLocale english(QLocale::English, QLocale::UnitedKingdom);
    return english.toString(when, u"d MMM yyyy"_s) + u" at "_s
           + english.toString(when, u"HH:mm"_s);
}

// Renames the journal to "pic.journal.discarded-YYYYMMDD-HHMMSS" (-2, -3 when taken);
// "" when it could not be renamed.
QString keepAside()
{
    const QString base = journalFileName() + u".discarded-"_s
                         + QDateTime::currentDateTime().toString(u"yyyyMMdd-HHmmss"_s);
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? base : base + u'-' + QString::number(n);
        if (QFile::exists(name))
            continue;
        return QFile::rename(journalFileName(), name) ? name : QString();
    }
    return QString();
}

QString keptText(const QString &kept)
{
    if (kept.isEmpty()) {
        return u" It could not be kept aside under a new name either, so it stays as \"%1\" "
               "and Ambrook keeps no journal of this session: quit with Save & Quit to keep "
               "your work."_s.arg(journalFileName());
    }
    return u" It has been kept, unchanged, as \"%1\"."_s.arg(kept);
}

QString questionText(const JournalContents &contents)
{
    const int changes = contents.changeCount();
    const QString made = changes == 1
        ? u"1 change that is not in \"pic\" yet.\n\nRestore it?"_s
        : u"%1 changes that are not in \"pic\" yet.\n\nRestore them?"_s.arg(changes);
    return u"Ambrook was not ended with Save & Quit on %1. That session made %2"_s.arg(
        dayAndTime(contents.records.back().time), made);
}

// The window after each step and at the start of each session; false when one cannot be
// read, before anything is applied.
bool windowsOf(const JournalContents &contents, std::vector<WindowState> &windows)
{
    for (const JournalRecord &record : contents.records) {
        if (record.kind != JournalRecord::Kind::Step
            && record.kind != JournalRecord::Kind::Session)
            continue;
        WindowState window;
        if (!decodeWindowState(record.window, window, windows.empty() ? nullptr : &windows.back()))
            return false;
        windows.push_back(std::move(window));
    }
    return true;
}

// Puts the records back on the freshly started window, as steps of this session.
void replay(frmMain &form, UndoSteps &steps, const JournalContents &contents,
            const std::vector<WindowState> &windows)
{
    auto after = windows.begin();
    for (const JournalRecord &record : contents.records) {
        switch (record.kind) {
        case JournalRecord::Kind::Session:
            ++after;
            steps.seal();
            break;
        case JournalRecord::Kind::Step: {
            QLineEdit *typed = record.typedField.isEmpty()
                                   ? nullptr
                                   : form.findChild<QLineEdit *>(record.typedField);
            steps.replayStep(record.changes, record.text, typed, record.continues, *after++);
            break;
        }
        case JournalRecord::Kind::Undo:
            steps.stack().undo();
            break;
        case JournalRecord::Kind::Redo:
            steps.stack().redo();
            break;
        }
    }
    steps.seal();
}

void startNew(frmMain &form, Journal &journal, const JournalOrigin &origin)
{
    QString reason;
    if (!journal.writer.create(journalFileName(), origin, reason)) {
        form.platform().message(
            u"Ambrook cannot keep a journal of your changes in this folder (%1), so changes "
            "made since the last Save & Quit will be lost if Ambrook is ended any other "
            "way."_s.arg(reason));
    }
}

} // namespace

const QString &journalFileName()
{
    static const QString name = u"pic.journal"_s;
    return name;
}

void setJournalEnabled(bool enabled)
{
    journalEnabled = enabled;
}

void startJournal(frmMain &form, const JournalOrigin &origin)
{
    UndoSteps *steps = UndoSteps::of(form);
    if (!journalEnabled || !steps)
        return;
    auto *journal = new Journal(form);
    Platform &platform = form.platform();
    JournalContents found = readJournal(journalFileName());
    std::vector<WindowState> windows;
    if (found.state == JournalContents::State::Read && !windowsOf(found, windows)) {
        found.state = JournalContents::State::Unreadable;
        found.problem = u"the window kept with a change is damaged"_s;
    }
    bool resumed = false;
    if (found.state == JournalContents::State::Unreadable) {
        const QString kept = keepAside();
        platform.message(u"Ambrook found a journal of unsaved changes, \"%1\", but could not "
                         "read it (%2). Nothing from it was applied, and Ambrook starts from "
                         "\"pic\"."_s.arg(journalFileName(), found.problem)
                         + keptText(kept));
        if (kept.isEmpty())
            return;
    } else if (found.state == JournalContents::State::Read && !(found.origin == origin)) {
        const QString kept = keepAside();
        platform.message(u"Ambrook found a journal of unsaved changes, \"%1\", that belongs "
                         "to another version of \"pic\" (one saved after it or put in its "
                         "place). Nothing from it was applied, and Ambrook starts from "
                         "\"pic\"."_s.arg(journalFileName())
                         + keptText(kept));
        if (kept.isEmpty())
            return;
    } else if (found.state == JournalContents::State::Read && found.changeCount() > 0) {
        const QStringList buttons{u"Restore"_s, u"Discard"_s};
        if (platform.question(questionText(found), QString(), buttons, 0) == 0) {
            replay(form, *steps, found, windows);
            // The view goes to the box chosen last, whose corner is the drop point.
            if (form.locationcombo1->count() > 0)
                ZoomIn(form, form.dropX, form.dropY, 0, 0);
            QString reason;
            resumed = journal->writer.resume(journalFileName(), found.wholeLength,
                                             int(found.records.size()), reason);
            // A journal that cannot go on is kept: a new one holds only what comes next.
            if (!resumed)
                keepAside();
        } else if (keepAside().isEmpty()) {
            platform.message(u"The journal \"%1\" could not be kept aside, so it stays where "
                             "it is and Ambrook keeps no journal of this session: quit with "
                             "Save & Quit to keep your work."_s.arg(journalFileName()));
            return;
        }
    }
    if (!resumed)
        startNew(form, *journal, origin);
    journal->writing = true;
    // The session's first record holds the window as it starts, so that a step that leaves
    // List1 as it was need not write its lines again.
    JournalRecord session = marker(JournalRecord::Kind::Session);
    session.window = encodeWindowState(steps->baseline());
    if (journal->append(std::move(session)))
        journal->remember(steps->baseline());
}

void removeJournal(frmMain &form)
{
    if (Journal *journal = journalOf(form)) {
        journal->writing = false;
        journal->writer.remove();
    }
}

void endSessionKeepingJournal(frmMain &form)
{
    if (Journal *journal = journalOf(form)) {
        journal->writing = false;
        journal->writer.close();
    }
    QCoreApplication::exit(0);
}

void journalStep(frmMain &form, const ChangeList &changes, const QString &text,
                 const QString &typedField, bool continues, const WindowState &after)
{
    Journal *journal = journalOf(form);
    if (!journal || !journal->writing)
        return;
    JournalRecord record = marker(JournalRecord::Kind::Step);
    record.changes = changes;
    record.text = text;
    record.typedField = typedField;
    record.continues = continues;
    record.window = journal->encode(after);
    if (journal->append(std::move(record)))
        journal->remember(after);
}

void journalUndo(frmMain &form)
{
    if (Journal *journal = journalOf(form))
        journal->append(marker(JournalRecord::Kind::Undo));
}

void journalRedo(frmMain &form)
{
    if (Journal *journal = journalOf(form))
        journal->append(marker(JournalRecord::Kind::Redo));
}

namespace {

void endBySignal(int signal)
{
    JournalWriter::syncFromSignal();
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    sigaction(signal, &standard, nullptr);
    raise(signal);
}

} // namespace

void installJournalSignals()
{
    struct sigaction action = {};
    action.sa_handler = endBySignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}
