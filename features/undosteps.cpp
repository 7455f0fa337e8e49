#include "features/undosteps.h"

#include "window/frmmain.h"
#include "window/controls.h"
#include "canvas/vellum.h"
#include "features/journal.h"
#include "features/undo.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QListWidget>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include <memory>
#include <optional>

namespace {

// A step: the document's changes with the window state before and after. Steps of typing
// into one field merge while the field keeps the focus.
class UndoStep : public QUndoCommand
{
public:
    UndoStep(UndoSteps &steps, ChangeList changes, WindowState before, WindowState after,
             const QString &text, const QLineEdit *typed)
        : QUndoCommand(text)
        , mSteps(steps)
        , mChanges(std::move(changes))
        , mBefore(std::move(before))
        , mAfter(std::move(after))
        , mTyped(typed)
    {
    }

    void undo() override { mSteps.apply(mChanges, false, mBefore); }

    void redo() override
    {
        // Pushed after the action made its changes: only a redo applies them again.
        if (std::exchange(mFresh, false))
            return;
        mSteps.apply(mChanges, true, mAfter);
    }

    int id() const override { return mTyped ? 1 : -1; }

    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const UndoStep *>(other);
        if (next->mTyped != mTyped)
            return false;
        mChanges.insert(mChanges.end(), next->mChanges.begin(), next->mChanges.end());
        compactChanges(mChanges);
        mAfter = next->mAfter;
        setObsolete(mChanges.empty());
        return true;
    }

    void close() { mTyped = nullptr; }

private:
    UndoSteps &mSteps;
    ChangeList mChanges;
    WindowState mBefore;
    WindowState mAfter;
    const QLineEdit *mTyped;   // null once the run of typing has ended
    bool mFresh = true;
};

} // namespace

UndoSteps *UndoSteps::of(frmMain &form)
{
    return form.findChild<UndoSteps *>(QString(), Qt::FindDirectChildrenOnly);
}

UndoSteps::UndoSteps(frmMain &form)
    : QObject(&form)
    , mForm(form)
{
    mStack.setUndoLimit(0);
    mBaseline = now();
    const auto watch = [this](QAbstractItemModel *model, bool ListsChanged::*part) {
        const auto changed = [this, part] { mChanged.*part = true; };
        connect(model, &QAbstractItemModel::rowsInserted, this, changed);
        connect(model, &QAbstractItemModel::rowsRemoved, this, changed);
        connect(model, &QAbstractItemModel::rowsMoved, this, changed);
        connect(model, &QAbstractItemModel::dataChanged, this, changed);
        connect(model, &QAbstractItemModel::layoutChanged, this, changed);
        connect(model, &QAbstractItemModel::modelReset, this, changed);
    };
    watch(form.List1->model(), &ListsChanged::lines);
    watch(form.locationcombo1->model(), &ListsChanged::boxes);
    watch(form.Combo1->model(), &ListsChanged::types);
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] {
        mKeyTarget = nullptr;
        seal();
    });
}

UndoSteps::~UndoSteps()
{
    // The buttons may be gone already: the steps leave without telling them.
    mStack.blockSignals(true);
}

WindowState UndoSteps::now()
{
    const ListsChanged changed = std::exchange(mChanged, {false, false, false});
    return WindowState::of(mForm, &mBaseline, changed);
}

void UndoSteps::seal()
{
    if (mStack.index() > 0)
        static_cast<UndoStep *>(const_cast<QUndoCommand *>(mStack.command(mStack.index() - 1)))
            ->close();
}

void UndoSteps::endStep(const QString &hint, QLineEdit *typed)
{
    if (mApplying)
        return;
    if (!typed)
        seal();
    ChangeList changes = mForm.Vellum->takeChanges();
    compactChanges(changes);
    WindowState after = now();
    if (changes.empty()) {
        mBaseline = std::move(after);
        return;
    }
    const QString text = describeStep(mForm, changes, hint, typed);
    const int index = mStack.index();
    mStack.push(new UndoStep(*this, changes, mBaseline, after, text, typed));
    // A push that did not move the index merged into the run of typing before it.
    const bool continues = mStack.index() <= index;
    journalStep(mForm, changes, text, typed ? typed->objectName() : QString(), continues,
                after);
    mBaseline = std::move(after);
}

void UndoSteps::replayStep(const ChangeList &changes, const QString &text, QLineEdit *typed,
                           bool continues, const WindowState &after)
{
    mApplying = true;
    mForm.Vellum->redoChanges(changes);
    after.restore(mForm);
    mForm.Vellum->undoChanges(mForm.Vellum->takeChanges());
    mApplying = false;
    if (!continues)
        seal();
    WindowState state = now();
    mStack.push(new UndoStep(*this, changes, mBaseline, state, text, typed));
    mBaseline = std::move(state);
}

void UndoSteps::fieldChanged(QLineEdit *field)
{
    // Only a key typed into the field makes a step of typing; a text set by a handler
    // belongs to that handler's step.
    if (field == mKeyTarget)
        endStep(QStringLiteral("typing"), field);
}

void UndoSteps::reset()
{
    mForm.Vellum->takeChanges();
    mStack.clear();
    mBaseline = now();
}

void UndoSteps::undo()
{
    endStep(QString());
    seal();
    if (!mStack.canUndo())
        return;
    mStack.undo();
    journalUndo(mForm);
}

void UndoSteps::redo()
{
    endStep(QString());
    seal();
    if (!mStack.canRedo())
        return;
    mStack.redo();
    journalRedo(mForm);
}

void UndoSteps::apply(const ChangeList &changes, bool forward, const WindowState &state)
{
    mApplying = true;
    if (forward)
        mForm.Vellum->redoChanges(changes);
    else
        mForm.Vellum->undoChanges(changes);
    state.restore(mForm);
    // The refresh shows the document; what it writes (waiting objects painted white, a
    // field written back) is taken back, so the document is exactly the step's.
    mForm.Vellum->undoChanges(mForm.Vellum->takeChanges());
    mBaseline = now();
    mApplying = false;
}

bool UndoSteps::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (auto *field = qobject_cast<QLineEdit *>(watched)) {
            if (field != mKeyTarget)
                seal();
            mKeyTarget = field;
        }
        [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        if (event->type() != QEvent::KeyPress)
            mKeyTarget = nullptr;
        // Changes that no handler's end claimed end before the next action starts.
        if (!mApplying && mForm.Vellum->hasChanges() && watched->isWidgetType())
            endStep(QString());
        break;
    case QEvent::Drop:
        // Every file of one drop belongs to one step.
        if (watched == mForm.Vellum && !mDropping) {
            if (mForm.Vellum->hasChanges())
                endStep(QString());
            mDropping = true;
            QCoreApplication::sendEvent(watched, event);
            mDropping = false;
            endStep(QStringLiteral("drop"));
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void installUndo(frmMain &form)
{
    auto *steps = new UndoSteps(form);
    QUndoStack &stack = steps->stack();
    QPushButton *undoButton = form.btnundo;
    QPushButton *redoButton = form.btnredo;
    // The stack tells of one push in several signals, and of every key of a run of typing:
    // the buttons change only when what they show does.
    struct Shown
    {
        bool canUndo = false;
        bool canRedo = false;
        QString undoText;
        QString redoText;
        bool operator==(const Shown &) const = default;
    };
    auto shown = std::make_shared<std::optional<Shown>>();
    auto showButtons = [undoButton, redoButton, &stack, shown] {
        const Shown now {stack.canUndo(), stack.canRedo(), stack.undoText(), stack.redoText()};
        if (*shown == now)
            return;
        *shown = now;
        undoButton->setEnabled(now.canUndo);
        redoButton->setEnabled(now.canRedo);
        undoButton->setToolTip(now.canUndo ? QObject::tr("Undo: %1").arg(now.undoText)
                                           : QObject::tr("Nothing to undo"));
        redoButton->setToolTip(now.canRedo ? QObject::tr("Redo: %1").arg(now.redoText)
                                           : QObject::tr("Nothing to redo"));
    };
    QObject::connect(&stack, &QUndoStack::indexChanged, steps, showButtons);
    QObject::connect(&stack, &QUndoStack::undoTextChanged, steps, showButtons);
    QObject::connect(&stack, &QUndoStack::redoTextChanged, steps, showButtons);
    showButtons();
    QObject::connect(undoButton, &QPushButton::clicked, steps, [&form] { btnundo_Click(form); });
    QObject::connect(redoButton, &QPushButton::clicked, steps, [&form] { btnredo_Click(form); });

    // Connected after the handlers, so each runs when its action is over.
    for (QAbstractButton *button : form.findChildren<QAbstractButton *>()) {
        QObject::connect(button, &QAbstractButton::clicked, steps,
                         [steps, button] { steps->endStep(button->objectName()); });
    }
    for (QComboBox *chooser : {form.Combo1, form.colour, form.Combo2, form.locationcombo1}) {
        QObject::connect(chooser, &QComboBox::activated, steps,
                         [steps, chooser] { steps->endStep(chooser->objectName()); });
    }
    QObject::connect(form.Picture1, &PictureBox::clicked, steps,
                     [steps] { steps->endStep(QStringLiteral("Picture1")); });
    QObject::connect(form.txttagname, &QLineEdit::returnPressed, steps,
                     [steps] { steps->endStep(QStringLiteral("btnsearch")); });
    ::Vellum *canvas = form.Vellum;
    const QString click = QStringLiteral("Vellum");
    QObject::connect(canvas, &Vellum::Click, steps, [steps, click] { steps->endStep(click); });
    QObject::connect(canvas, &Vellum::DblClick, steps, [steps, click] { steps->endStep(click); });
    QObject::connect(canvas, &Vellum::KeyUp, steps,
                     [steps] { steps->endStep(QStringLiteral("key")); });
    QObject::connect(canvas, &Vellum::MouseWheel, steps,
                     [steps, click] { steps->endStep(click); });
    QObject::connect(canvas, &Vellum::FileDrop, steps, [steps] {
        if (!steps->dropping())
            steps->endStep(QStringLiteral("drop"));
    });
    for (QLineEdit *field : form.findChildren<QLineEdit *>()) {
        QObject::connect(field, &QLineEdit::textChanged, steps,
                         [steps, field] { steps->fieldChanged(field); });
    }
}

void resetUndo(frmMain &form)
{
    if (UndoSteps *steps = UndoSteps::of(form))
        steps->reset();
}

void endUndoStep(frmMain &form)
{
    if (UndoSteps *steps = UndoSteps::of(form))
        steps->endStep(QString());
}

void btnundo_Click(frmMain &form)
{
    if (UndoSteps *steps = UndoSteps::of(form))
        steps->undo();
}

void btnredo_Click(frmMain &form)
{
    if (UndoSteps *steps = UndoSteps::of(form))
        steps->redo();
}

QUndoStack &undoStack(frmMain &form)
{
    return UndoSteps::of(form)->stack();
}
