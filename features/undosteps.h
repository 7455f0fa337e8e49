#pragma once

// The steps behind Undo and Redo: the window state kept beside each step, the command
// that takes a step back or applies it again, and the boundaries between the steps.

#include "canvas/model/changerecord.h"

#include <QBrush>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QStringList>
#include <QUndoStack>

#include <memory>
#include <vector>

class frmMain;
class QLineEdit;

// Which of the window's lists changed since a window state was taken.
struct ListsChanged
{
    bool lines = true;    // List1
    bool boxes = true;    // locationcombo1's entries
    bool types = true;    // Combo1's entries
};

// What the window shows and keeps beside the document, at the end of a step.
struct WindowState
{
    struct Line
    {
        QString text;
        QBrush foreground;
        QBrush background;
    };

    QString typeTableText;
    QString boxNameText;
    qint32 startObject = 0;
    qint32 currentBox = 0;
    qint32 dropX = 0;
    qint32 dropY = 0;
    QStringList readyList;
    QStringList boxList;
    QByteArray shortcutFaces;
    QString boxChooserText;
    QStringList typeChooser;
    using Lines = std::vector<Line>;
    // Shared between states: a run of typing does not copy a long list at every key.
    std::shared_ptr<const Lines> listLines = std::make_shared<const Lines>();
    QPalette listPalette;
    QString listHeading;
    bool listShown = false;
    bool barShown = false;        // Picture8
    bool intoShown = false;       // Picture12
    bool chooserShown = false;    // locationcombo1

    // changed: the lists read again; the others are shared with previous.
    static WindowState of(const frmMain &form, const WindowState *previous = nullptr,
                          ListsChanged changed = {});
    // Puts the state back and fills the panel as a click on the selection does.
    void restore(frmMain &form) const;
};

// The name of a step for the Undo and Redo tooltips: "new box Shed", "move of 3 objects
// into Garage", "typing in Value". hint names the control that ended the step.
QString describeStep(const frmMain &form, const ChangeList &changes, const QString &hint,
                     const QLineEdit *typed);

class UndoSteps : public QObject
{
    Q_OBJECT

public:
    explicit UndoSteps(frmMain &form);
    ~UndoSteps() override;
    static UndoSteps *of(frmMain &form);   // the window's steps, null before they are installed

    QUndoStack &stack() { return mStack; }
    const WindowState &baseline() const { return mBaseline; }   // the window after the last step
    // The one place where a step ends: the changes since the last end become a step
    // (typed is the field typed into, for a run of typing).
    void endStep(const QString &hint, QLineEdit *typed = nullptr);
    void fieldChanged(QLineEdit *field);
    bool dropping() const { return mDropping; }
    void reset();
    void undo();
    void redo();
    // Puts back a step of an earlier session, from its journal: its changes applied, the
    // window as it was after it, and a step of this session (merged into the run of typing
    // before it when it continues that run).
    void replayStep(const ChangeList &changes, const QString &text, QLineEdit *typed,
                    bool continues, const WindowState &after);
    // Ends the run of typing under way: the next typing is a step of its own.
    void seal();
    // Takes a step back (forward false) or applies it again; the window shows state.
    void apply(const ChangeList &changes, bool forward, const WindowState &state);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The window state now; its lists are read again only when they changed.
    WindowState now();

    frmMain &mForm;
    QUndoStack mStack;
    WindowState mBaseline;
    QPointer<QLineEdit> mKeyTarget;   // the field the last key went to
    bool mApplying = false;
    bool mDropping = false;
    ListsChanged mChanged;
};
