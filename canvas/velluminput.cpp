// The canvas's answer to the user: pointer presses, drags and releases, the wheel, keys and
// files dropped from outside, each turned into the canvas's own behaviour and its events.

#include "canvas/vellum_p.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QToolTip>
#include <QUrl>
#include <QWheelEvent>

#include <cmath>

using namespace VellumView;

namespace {

constexpr int dragThreshold = 3; // pixels before a press becomes a drag

int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 3;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int shiftMask(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

// Classic virtual key codes, so that handlers written against them (Delete = 46) work.
int virtualKeyCode(const QKeyEvent *event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? 96 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    if (keypad) {
        switch (key) {
        case Qt::Key_Asterisk:
            return 106;
        case Qt::Key_Plus:
            return 107;
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            break;
        }
    }
    // clang-format off
    static const std::pair<int, int> table[] = {
        {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Clear, 12},
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18}, {Qt::Key_Pause, 19}, {Qt::Key_CapsLock, 20}, {Qt::Key_Escape, 27},
        {Qt::Key_Space, 32}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34}, {Qt::Key_End, 35},
        {Qt::Key_Home, 36}, {Qt::Key_Left, 37}, {Qt::Key_Up, 38}, {Qt::Key_Right, 39},
        {Qt::Key_Down, 40}, {Qt::Key_Print, 44}, {Qt::Key_Insert, 45}, {Qt::Key_Delete, 46},
        {Qt::Key_Meta, 91}, {Qt::Key_Menu, 93}, {Qt::Key_NumLock, 144},
        {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},
        {Qt::Key_Equal, 187}, {Qt::Key_Plus, 187}, {Qt::Key_Comma, 188}, {Qt::Key_Less, 188},
        {Qt::Key_Minus, 189}, {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},
        {Qt::Key_Greater, 190}, {Qt::Key_Slash, 191}, {Qt::Key_Question, 191},
        {Qt::Key_QuoteLeft, 192}, {Qt::Key_AsciiTilde, 192}, {Qt::Key_BracketLeft, 219},
        {Qt::Key_BraceLeft, 219}, {Qt::Key_Backslash, 220}, {Qt::Key_Bar, 220},
        {Qt::Key_BracketRight, 221}, {Qt::Key_BraceRight, 221}, {Qt::Key_Apostrophe, 222},
        {Qt::Key_QuoteDbl, 222},
        // Shifted digits report their digit key, as on a US keyboard.
        {Qt::Key_ParenRight, 48}, {Qt::Key_Exclam, 49}, {Qt::Key_At, 50},
        {Qt::Key_NumberSign, 51}, {Qt::Key_Dollar, 52}, {Qt::Key_Percent, 53},
        {Qt::Key_AsciiCircum, 54}, {Qt::Key_Ampersand, 55}, {Qt::Key_Asterisk, 56},
        {Qt::Key_ParenLeft, 57}};
    // clang-format on
    for (const auto &[qtKey, code] : table) {
        if (qtKey == key)
            return code;
    }
    return 0;
}

// Where the pointer is, in twips of the widget.
QPoint twipsAt(const Vellum &canvas, const QPointF &pixel)
{
    return QPoint(int(std::lround(pixel.x() * canvas.TwipsPerPixelX())),
                  int(std::lround(pixel.y() * canvas.TwipsPerPixelY())));
}

QStringList localFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

} // namespace

// --- pointer ---

// An open hand over a shape shows that it can be dragged.
void Vellum::View::showRestingPointer(Vellum &canvas, const QPointF &pixel)
{
    const bool open = pointerSetting != 0 && topmostAt(canvas, canvas.toUnits(pixel));
    showPointer(canvas, open ? Qt::OpenHandCursor : Qt::ArrowCursor);
}

bool Vellum::event(QEvent *event)
{
    // Small shapes cut their text short: hovering shows it whole.
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const VellumObject *hit = topmostAt(*this, toUnits(QPointF(help->pos())));
        if (hit && !hit->objectText.isEmpty())
            QToolTip::showText(help->globalPos(), hit->objectText, this);
        else
            QToolTip::hideText();
        return true;
    }
    if (event->type() == QEvent::FontChange)
        v->texts.clear();
    if (event->type() == QEvent::NativeGesture) {
        auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomBy(1.0 + gesture->value(), gesture->position());
            return true;
        }
    }
    return QWidget::event(event);
}

void Vellum::mousePressEvent(QMouseEvent *event)
{
    // A second button during a press changes nothing. A press whose release never came
    // (a dialog took the pointer) is forgotten.
    if (v->pressButton != Qt::NoButton && (event->buttons() & v->pressButton))
        return;
    v->endPress();
    v->pressButton = event->button();
    v->pressPos = event->position();
    v->pressUnits = toUnits(event->position());
    v->selectAloneOnRelease = false;
    v->lastMoved.clear();
    v->lastBefore.clear();

    const Qt::KeyboardModifiers modifiers = event->modifiers();
    VellumObject *hit = topmostAt(*this, toUnits(event->position()));
    if (hit) {
        if (modifiers & Qt::ControlModifier) {
            setObjectSelected(hit, !hit->selected);
        } else if (modifiers & Qt::ShiftModifier) {
            setObjectSelected(hit, true);
        } else if (hit->selected && ObjectCount(2) > 1) {
            // Keep the group so that it can be dragged together.
            v->selectAloneOnRelease = true;
        } else {
            clearSelection();
            setObjectSelected(hit, true);
        }
        SetCurrentObject(hit->id);
        v->pressedId = hit->id;
    } else {
        if (!(modifiers & (Qt::ShiftModifier | Qt::ControlModifier)))
            clearSelection();
        SetCurrentObject(0);
        v->pressedId = 0;
    }
    const QPoint twips = twipsAt(*this, event->position());
    emit MouseDown(buttonCode(event->button()), shiftMask(modifiers), twips.x(), twips.y());
}

void Vellum::mouseMoveEvent(QMouseEvent *event)
{
    if (v->pressButton != Qt::NoButton && !(event->buttons() & v->pressButton))
        v->endPress(); // its release went elsewhere
    if (v->pressButton == Qt::NoButton) {
        v->showRestingPointer(*this, event->position());
        return;
    }

    const QPointF delta = event->position() - v->pressPos;
    if (!v->dragging && !v->panning) {
        if (delta.manhattanLength() < dragThreshold)
            return;
        if (v->pressButton == Qt::LeftButton && v->pressedId != 0) {
            for (const auto &o : objects()) {
                if (o->selected)
                    v->moving.push_back({o->id, o->x1, o->y1, o->x2, o->y2});
            }
            v->dragging = !v->moving.empty();
            v->dragDelta = QPoint();
            v->autoScroll->begin(unitRect(extent()));
        } else if (v->pressButton == Qt::MiddleButton
                   || (v->pressButton == Qt::LeftButton && v->pressedId == 0)) {
            v->panning = true;
            v->panStart = QPointF(v->originX, v->originY);
        }
        if (!v->dragging && !v->panning)
            return;
        v->showPointer(*this, v->pointerSetting != 0 ? Qt::ClosedHandCursor : Qt::ArrowCursor);
    }

    if (v->panning) {
        v->panBy(*this, delta);
        update();
        return;
    }
    v->autoScroll->follow(event->position());
    dragTo(event->position());
}

void Vellum::dragTo(const QPointF &pixel)
{
    if (!v->dragging)
        return;
    // The selection moves in whole units, so shapes stay on the drawing's grid; measured
    // in the drawing, so that a view scrolled meanwhile carries the shapes along.
    const QPointF moved = toUnits(pixel) - v->pressUnits;
    const QPoint units(int(std::lround(moved.x())), int(std::lround(moved.y())));
    if (units == v->dragDelta)
        return;
    v->dragDelta = units;
    v->place(*this, v->moving, units);
}

void Vellum::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != v->pressButton)
        return;
    if (v->dragging && v->dragDelta != QPoint()) {
        for (const Before &b : v->moving)
            v->lastMoved.insert(b.id);
        v->lastBefore = std::move(v->moving);
    } else if (v->selectAloneOnRelease && !v->dragging && !v->panning) {
        clearSelection();
        setObjectSelected(objectById(v->pressedId), true);
    }
    v->endPress();
    v->showRestingPointer(*this, event->position());

    const QPoint twips = twipsAt(*this, event->position());
    emit MouseUp(buttonCode(event->button()), shiftMask(event->modifiers()), twips.x(), twips.y());
    emit Click();
}

void Vellum::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

// --- keys and wheel ---

void Vellum::keyReleaseEvent(QKeyEvent *event)
{
    if (event->isAutoRepeat())
        return;
    emit KeyUp(virtualKeyCode(event), shiftMask(event->modifiers()));
}

void Vellum::wheelEvent(QWheelEvent *event)
{
    const int step = event->angleDelta().y();
    if (step == 0) {
        event->ignore();
        return;
    }
    if (event->modifiers() & Qt::ControlModifier) {
        // Zoom around the pointer, a quarter a notch, whatever the program's switches say.
        zoomBy(std::pow(VellumControls::zoomStep, step / 120.0), event->position());
        return;
    }
    // Fine steps of a touchpad add up to whole notches.
    v->wheelRest += step;
    while (std::abs(v->wheelRest) >= 120) {
        const int notch = v->wheelRest > 0 ? 120 : -120;
        v->wheelRest -= notch;
        emit MouseWheel(notch);
    }
}

// --- files dropped from outside ---

void Vellum::dragEnterEvent(QDragEnterEvent *event)
{
    dragMoveEvent(event); // the same files are welcome on entering as further in
}

void Vellum::dragMoveEvent(QDragMoveEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Vellum::dropEvent(QDropEvent *event)
{
    const QStringList files = localFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &file : files)
        emit FileDrop(file);
}
