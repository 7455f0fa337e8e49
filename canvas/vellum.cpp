// The Vellum widget as a whole: its construction, the switches the program sets, hit tests
// and the refused drop, and what it forgets when the document is replaced.

#include "canvas/vellum_p.h"

using namespace VellumView;

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
    v->controls = new VellumControls(*this);
    v->autoScroll = new VellumAutoScroll(*this, [this](const QPointF &at) { dragTo(at); });
}

Vellum::~Vellum() = default;

void Vellum::areaChanged(const QRect *units)
{
    v->repaintChanged(*this, units);
    v->controls->drawingChanged(units);
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
    v->autoScroll->stop();
    v->controls->drawingChanged();
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
    if (setting == 0)
        v->showPointer(*this, Qt::ArrowCursor);
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
    v->place(*this, v->lastBefore, QPoint());
    v->lastBefore.clear();
}

void Vellum::View::place(Vellum &canvas, const std::vector<Before> &objects, QPoint by)
{
    VellumObject *const saved = canvas.current();
    for (const Before &b : objects) {
        if (canvas.SetCurrentObject(b.id))
            canvas.SetObjectRect(b.x1 + by.x(), b.y1 + by.y(), b.x2 + by.x(), b.y2 + by.y(), 0);
    }
    canvas.SetCurrentObject(saved ? saved->id : 0);
}
