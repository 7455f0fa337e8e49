#include "canvas/vellumview_p.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
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

} // namespace

Vellum::Vellum(QWidget *parent)
    : QWidget(parent)
    , v(std::make_unique<View>())
{
    setObjectName(QStringLiteral("Vellum"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAcceptDrops(true);
    setMinimumSize(120, 90);

    v->hBar = new QScrollBar(Qt::Horizontal, this);
    v->vBar = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar *bar : {v->hBar, v->vBar}) {
        bar->setSingleStep(20);
        bar->setCursor(Qt::ArrowCursor);
        connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (v->syncing)
                return;
            if (bar == v->hBar)
                SetViewX(value);
            else
                SetViewY(value);
        });
    }
}

Vellum::~Vellum() = default;

void Vellum::areaChanged(const QRect *units)
{
    v->repaintChanged(*this, units);
}

void Vellum::documentReplaced()
{
    v->lastMoved.clear();
    v->lastBefore.clear();
    v->moving.clear();
    v->dragging = false;
    v->pressedId = 0;
    v->pictures.clear();
    v->texts.clear(); // ids start again with a new document
}

// --- view ---

qint32 Vellum::ExtentLeft() const
{
    return qint32(viewExtent(*this).left);
}

qint32 Vellum::ExtentTop() const
{
    return qint32(viewExtent(*this).top);
}

qint32 Vellum::ExtentWidth() const
{
    return qint32(std::min(viewExtent(*this).width, 2147483647.0));
}

qint32 Vellum::ExtentHeight() const
{
    return qint32(std::min(viewExtent(*this).height, 2147483647.0));
}

float Vellum::FitZoomX() const
{
    return float(ExtentWidth() * fitPpu(*this));
}

float Vellum::FitZoomY() const
{
    return float(ExtentHeight() * fitPpu(*this));
}

void Vellum::SetZoomX(float zoom)
{
    if (!(zoom > 0))
        return;
    v->fixScale(*this);
    v->atFitX = qFuzzyCompare(zoom, FitZoomX());
    v->ppuX = v->atFitX ? fitPpu(*this)
                          : std::clamp(double(zoom) / ExtentWidth(), minimumPpu, maximumPpu);
    update();
}

float Vellum::ZoomX() const
{
    return float(v->scaleX(*this) * ExtentWidth());
}

void Vellum::SetZoomY(float zoom)
{
    if (!(zoom > 0))
        return;
    v->fixScale(*this);
    v->atFitY = qFuzzyCompare(zoom, FitZoomY());
    v->ppuY = v->atFitY ? fitPpu(*this)
                          : std::clamp(double(zoom) / ExtentHeight(), minimumPpu, maximumPpu);
    update();
}

float Vellum::ZoomY() const
{
    return float(v->scaleY(*this) * ExtentHeight());
}

void Vellum::SetViewX(double x)
{
    v->originX = ExtentLeft() + x / v->scaleX(*this);
    update();
}

double Vellum::ViewX() const
{
    return (v->originX - ExtentLeft()) * v->scaleX(*this);
}

void Vellum::SetViewY(double y)
{
    v->originY = ExtentTop() + y / v->scaleY(*this);
    update();
}

double Vellum::ViewY() const
{
    return (v->originY - ExtentTop()) * v->scaleY(*this);
}

QPointF Vellum::toPixels(double x, double y) const
{
    return v->mapping(*this).toPixels(x, y);
}

QPointF Vellum::toUnits(const QPointF &pixel) const
{
    return {v->originX + pixel.x() / v->scaleX(*this), v->originY + pixel.y() / v->scaleY(*this)};
}

double Vellum::TwipsPerPixelX() const
{
    return 1440.0 / std::max(1, logicalDpiX());
}

double Vellum::TwipsPerPixelY() const
{
    return 1440.0 / std::max(1, logicalDpiY());
}

void Vellum::Refresh()
{
    update();
}

// --- switches ---

void Vellum::SetZoomMode(int mode)
{
    v->zoomMode = mode;
}

int Vellum::ZoomMode() const
{
    return v->zoomMode;
}

void Vellum::SetZoomEnabled(bool on)
{
    v->zoomEnabled = on;
}

bool Vellum::ZoomEnabled() const
{
    return v->zoomEnabled;
}

void Vellum::SetViewFixed(bool on)
{
    v->viewFixed = on;
}

bool Vellum::ViewFixed() const
{
    return v->viewFixed;
}

void Vellum::SetPointerArmed(bool on)
{
    v->pointerArmed = on;
}

bool Vellum::PointerArmed() const
{
    return v->pointerArmed;
}

void Vellum::SetPointerSetting(qint16 setting)
{
    v->pointerSetting = setting;
    if (setting == 0 && v->cursor != Qt::ArrowCursor) {
        v->cursor = Qt::ArrowCursor;
        setCursor(v->cursor);
    }
}

qint16 Vellum::PointerSetting() const
{
    return v->pointerSetting;
}

// --- hit test and drops ---

qint16 Vellum::HitTest(int px, int py, int)
{
    const VellumObject *o = topmostAt(*this, toUnits(QPointF(px, py)), &v->lastMoved);
    if (!o)
        return 0;
    SetCurrentObject(o->id);
    return 1;
}

void Vellum::DropAction(int action)
{
    if (action != 5 || v->lastBefore.empty())
        return;
    VellumObject *const saved = current();
    for (const Before &b : v->lastBefore) {
        if (SetCurrentObject(b.id))
            SetObjectRect(b.x1, b.y1, b.x2, b.y2, 0);
    }
    SetCurrentObject(saved ? saved->id : 0);
    v->lastBefore.clear();
}

// --- scroll bars ---

void Vellum::View::syncScrollBars(const Vellum &canvas)
{
    syncing = true;
    const int thickness = vBar->sizeHint().width();
    const int w = std::max(0, canvas.width() - thickness);
    const int h = std::max(0, canvas.height() - thickness);
    auto sync = [](QScrollBar *bar, double content, int page, double value) {
        const double limit = 1e9;
        value = std::clamp(value, -limit, limit);
        bar->setRange(int(std::min(0.0, std::floor(value))),
                      int(std::clamp(std::max(content - page, value), -limit, limit)));
        bar->setPageStep(std::max(1, page));
        bar->setValue(int(std::lround(value)));
    };
    sync(hBar, canvas.ZoomX(), w, canvas.ViewX());
    sync(vBar, canvas.ZoomY(), h, canvas.ViewY());
    syncing = false;
}

void Vellum::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int thickness = v->vBar->sizeHint().width();
    v->hBar->setGeometry(0, height() - thickness, width() - thickness, thickness);
    v->vBar->setGeometry(width() - thickness, 0, thickness, height() - thickness);
    // The fit scale follows the window; the drawing point at the top-left corner stays.
    if (v->atFitX)
        v->ppuX = fitPpu(*this);
    if (v->atFitY)
        v->ppuY = fitPpu(*this);
    v->syncScrollBars(*this);
}

// --- pointer ---

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
    return QWidget::event(event);
}

void Vellum::mousePressEvent(QMouseEvent *event)
{
    // A second button during a press changes nothing. A press whose release never came
    // (a dialog took the pointer) is forgotten.
    if (v->pressButton != Qt::NoButton && (event->buttons() & v->pressButton))
        return;
    v->pressButton = event->button();
    v->pressPos = event->position();
    v->dragging = v->panning = false;
    v->selectAloneOnRelease = false;
    v->moving.clear();
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
    emit MouseDown(buttonCode(event->button()), shiftMask(modifiers),
                   int(std::lround(event->position().x() * TwipsPerPixelX())),
                   int(std::lround(event->position().y() * TwipsPerPixelY())));
}

void Vellum::mouseMoveEvent(QMouseEvent *event)
{
    if (v->pressButton != Qt::NoButton && !(event->buttons() & v->pressButton)) {
        v->pressButton = Qt::NoButton; // its release went elsewhere
        v->dragging = v->panning = false;
        v->moving.clear();
    }
    if (v->pressButton == Qt::NoButton) {
        Qt::CursorShape shape = Qt::ArrowCursor;
        if (v->pointerSetting != 0 && topmostAt(*this, toUnits(event->position())))
            shape = Qt::OpenHandCursor;
        if (shape != v->cursor) {
            v->cursor = shape;
            setCursor(shape);
        }
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
        } else if (v->pressButton == Qt::MiddleButton
                   || (v->pressButton == Qt::LeftButton && v->pressedId == 0)) {
            v->panning = true;
            v->panStart = QPointF(v->originX, v->originY);
        }
        if (!v->dragging && !v->panning)
            return;
        v->cursor = v->pointerSetting != 0 ? Qt::ClosedHandCursor : Qt::ArrowCursor;
        setCursor(v->cursor);
    }

    if (v->panning) {
        v->fixScale(*this);
        v->originX = v->panStart.x() - delta.x() / v->ppuX;
        v->originY = v->panStart.y() - delta.y() / v->ppuY;
        update();
        return;
    }
    // The selection moves in whole units, so shapes stay on the drawing's grid.
    const QPoint units(int(std::lround(delta.x() / v->scaleX(*this))),
                       int(std::lround(delta.y() / v->scaleY(*this))));
    if (units == v->dragDelta)
        return;
    v->dragDelta = units;
    VellumObject *const saved = current();
    for (const Before &b : v->moving) {
        if (SetCurrentObject(b.id)) {
            SetObjectRect(b.x1 + units.x(), b.y1 + units.y(), b.x2 + units.x(), b.y2 + units.y(),
                          0);
        }
    }
    SetCurrentObject(saved ? saved->id : 0);
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
    v->moving.clear();
    v->pressButton = Qt::NoButton;
    v->dragging = v->panning = false;
    const bool overShape = topmostAt(*this, toUnits(event->position())) != nullptr;
    v->cursor = v->pointerSetting != 0 && overShape ? Qt::OpenHandCursor : Qt::ArrowCursor;
    setCursor(v->cursor);

    emit MouseUp(buttonCode(event->button()), shiftMask(event->modifiers()),
                 int(std::lround(event->position().x() * TwipsPerPixelX())),
                 int(std::lround(event->position().y() * TwipsPerPixelY())));
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
    if ((event->modifiers() & Qt::ControlModifier) && v->zoomEnabled && v->zoomMode == 1) {
        // Zoom around the pointer: the drawing point under it stays there.
        v->fixScale(*this);
        const QPointF at = event->position();
        const QPointF u = toUnits(at);
        v->atFitX = v->atFitY = false;
        const double factor = std::pow(1.25, step / 120.0);
        v->ppuX = std::clamp(v->ppuX * factor, minimumPpu, maximumPpu);
        v->ppuY = std::clamp(v->ppuY * factor, minimumPpu, maximumPpu);
        v->originX = u.x() - at.x() / v->ppuX;
        v->originY = u.y() - at.y() / v->ppuY;
        update();
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

namespace {
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

void Vellum::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
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
