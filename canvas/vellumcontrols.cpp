#include "canvas/vellumcontrols.h"

#include "canvas/vellum.h"

#include <QAction>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int margin = 6;
constexpr int buttonSize = 26;

QString withKeys(const QString &tip, const QKeySequence &keys)
{
    return tip + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText)
           + QStringLiteral(")");
}

} // namespace

VellumControls::VellumControls(Vellum &canvas)
    : QObject(&canvas)
    , mCanvas(canvas)
    , mOverview(new VellumOverview(canvas))
    , mHint(new QLabel(&canvas))
{
    mHint->setObjectName(QStringLiteral("emptyHint"));
    mHint->setAttribute(Qt::WA_TransparentForMouseEvents);
    mHint->setAlignment(Qt::AlignCenter);
    mHint->setStyleSheet(QStringLiteral(
        "QLabel { color: #404040; background: rgba(255, 255, 255, 225);"
        " border: 1px solid #b0b0b0; border-radius: 6px; padding: 10px 16px; }"));
    QFont font = mHint->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    mHint->setFont(font);
    mHint->hide();

    const auto key = [&canvas](const QList<QKeySequence> &keys, auto slot) {
        auto *action = new QAction(&canvas);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        canvas.addAction(action);
        QObject::connect(action, &QAction::triggered, &canvas, slot);
        return keys.first();
    };
    const QKeySequence in = key({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                 QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal)},
                                [&canvas] { canvas.zoomBy(zoomStep); });
    const QKeySequence out = key({QKeySequence(Qt::CTRL | Qt::Key_Minus),
                                  QKeySequence(Qt::CTRL | Qt::Key_Underscore)},
                                 [&canvas] { canvas.zoomBy(1 / zoomStep); });
    const QKeySequence whole = key({QKeySequence(Qt::CTRL | Qt::Key_0)},
                                   [&canvas] { canvas.showWhole(); });
    const QKeySequence map = key({QKeySequence(Qt::CTRL | Qt::Key_M)},
                                 [this] { setOverviewShown(!mOverviewShown); });

    mZoomOut = button(QStringLiteral("zoomOut"), QStringLiteral("\u2212"),
                      withKeys(tr("Zoom out"), out));
    mZoomIn = button(QStringLiteral("zoomIn"), QStringLiteral("+"),
                     withKeys(tr("Zoom in (or Ctrl and the mouse wheel)"), in));
    mWhole = button(QStringLiteral("zoomWhole"), tr("All"),
                    withKeys(tr("Show the whole drawing"), whole));
    mSwitch = button(QStringLiteral("overviewSwitch"), tr("Map"),
                     withKeys(tr("Show or hide the overview"), map));
    mSwitch->setCheckable(true);
    mSwitch->setChecked(true);
    mSwitch->hide();
    mOverview->hide();
    connect(mZoomOut, &QToolButton::clicked, &canvas, [&canvas] { canvas.zoomBy(1 / zoomStep); });
    connect(mZoomIn, &QToolButton::clicked, &canvas, [&canvas] { canvas.zoomBy(zoomStep); });
    connect(mWhole, &QToolButton::clicked, &canvas, [&canvas] { canvas.showWhole(); });
    connect(mSwitch, &QToolButton::toggled, this, &VellumControls::setOverviewShown);
}

QToolButton *VellumControls::button(const QString &name, const QString &text,
                                    const QString &tip)
{
    auto *b = new QToolButton(&mCanvas);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus); // keys stay with the drawing
    b->setCursor(Qt::ArrowCursor);
    b->setMinimumSize(buttonSize, buttonSize);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}

void VellumControls::place(const QRect &viewport)
{
    mViewport = viewport;
    mSwitch->setVisible(mHasLandmark);
    int right = viewport.right() + 1 - margin;
    for (QToolButton *b : {mSwitch, mWhole, mZoomIn, mZoomOut}) {
        if (b == mSwitch && !mHasLandmark)
            continue;
        const QSize size(std::max(buttonSize, b->sizeHint().width()), buttonSize);
        b->setGeometry(right - size.width(), viewport.top() + margin, size.width(),
                       size.height());
        right -= size.width() + 2;
    }

    // The map keeps the drawing's proportions within a corner of the viewport.
    const QRectF shown = mOverview->drawing();
    const double aspect = shown.isEmpty() ? 1.0 : shown.height() / shown.width();
    int width = std::clamp(viewport.width() / 5, 110, 200);
    const int height = std::clamp(int(width * aspect), 60, std::max(60, viewport.height() / 4));
    width = std::clamp(int(height / std::max(aspect, 0.01)), 110, width);
    mOverview->setGeometry(viewport.right() + 1 - margin - width,
                           viewport.bottom() + 1 - margin - height, width, height);
    // Too small a canvas keeps its drawing free of the map.
    const bool room = viewport.width() >= 3 * width && viewport.height() >= 2 * height;
    // Nor is it needed while every shape is on view.
    mOverview->setVisible(mHasLandmark && mOverviewShown && room && !allShapesSeen());
    mPlacedFor = shown;

    // Raised only when something came above them: a raise repaints the canvas under each.
    const QObjectList on = {mSwitch, mWhole, mZoomIn, mZoomOut, mOverview};
    const QObjectList &children = mCanvas.children();
    if (children.size() < on.size() || children.sliced(children.size() - on.size()) != on) {
        for (QObject *control : on)
            static_cast<QWidget *>(control)->raise();
    }

    mHint->adjustSize();
    QRect hint = mHint->geometry();
    hint.moveCenter(viewport.center());
    mHint->setGeometry(hint);
}

void VellumControls::drawingChanged(const QRect *units)
{
    // Adding or changing a small shape, the common case, skips the walk over every shape.
    const int minimum = mOverview->landmarkMinimum();
    if (!units || (units->width() >= minimum && units->height() >= minimum))
        mLandmarksStale = true;
    if (mRefreshPending)
        return;
    mRefreshPending = true;
    QTimer::singleShot(0, this, &VellumControls::refresh);
}

void VellumControls::refresh()
{
    mRefreshPending = false;
    const bool hadLandmarks = mOverview->hasLandmarks();
    if (std::exchange(mLandmarksStale, false) ? mOverview->collect() : mOverview->drawingMoved())
        mOverview->update();
    mHint->setVisible(!mHintText.isEmpty() && !mOverview->hasLandmarks());
    // The map's proportions follow the drawing's.
    if (hadLandmarks != mOverview->hasLandmarks()
        || (mOverview->isVisible() && mOverview->drawing() != mPlacedFor))
        place(mViewport);
}

void VellumControls::viewChanged()
{
    if (mHasLandmark && mOverviewShown && allShapesSeen() == mOverview->isVisible())
        place(mViewport);
}

bool VellumControls::allShapesSeen() const
{
    const QRect shapes = mCanvas.extent();
    return mCanvas.visibleArea().contains(
        QRectF(QPointF(shapes.topLeft()), QPointF(shapes.bottomRight())));
}

void VellumControls::setLandmark(VellumOverview::Landmark test, int minimum)
{
    mHasLandmark = bool(test);
    mOverview->setLandmark(std::move(test), minimum);
    place(mViewport);
    drawingChanged();
}

void VellumControls::setEmptyHint(const QString &text)
{
    mHintText = text;
    mHint->setText(text);
    place(mViewport);
    drawingChanged();
}

void VellumControls::setOverviewShown(bool shown)
{
    mOverviewShown = shown;
    const QSignalBlocker quiet(mSwitch);
    mSwitch->setChecked(shown);
    place(mViewport);
}
