#pragma once

// The canvas's own controls over its corners: zoom buttons (in, out, the whole drawing)
// and the overview's switch at the top right, the overview at the bottom right, and a hint
// in the middle of a drawing that has no landmark yet. The keys Ctrl+plus, Ctrl+minus,
// Ctrl+0 and Ctrl+M work anywhere in the canvas's window.
//
// Child widgets (Qt object names): "zoomIn", "zoomOut", "zoomWhole", "overviewSwitch",
// "overview", "emptyHint".

#include "canvas/vellumoverview.h"

#include <QObject>
#include <QString>

class QLabel;
class QToolButton;
class Vellum;

class VellumControls : public QObject
{
    Q_OBJECT

public:
    static constexpr double zoomStep = 1.25; // one button press or key, as one wheel notch

    explicit VellumControls(Vellum &canvas);

    // Lays the controls out over the canvas's viewport (the widget less its scroll bars).
    void place(const QRect &viewport);
    // The drawing changed (within units, when given): landmarks and the hint are brought up
    // to date once control returns to the event loop, however many changes came before.
    void drawingChanged(const QRect *units = nullptr);
    // The view moved or zoomed: the overview hides while every shape is on view.
    void viewChanged();

    void setLandmark(VellumOverview::Landmark test, int minimum = 0);
    void setEmptyHint(const QString &text);
    void setOverviewShown(bool shown);
    bool overviewShown() const { return mOverviewShown; }
    VellumOverview &overview() const { return *mOverview; }

private:
    QToolButton *button(const QString &name, const QString &text, const QString &tip);
    void refresh();
    bool allShapesSeen() const;

    Vellum &mCanvas;
    VellumOverview *mOverview;
    QLabel *mHint;
    QToolButton *mZoomOut;
    QToolButton *mZoomIn;
    QToolButton *mWhole;
    QToolButton *mSwitch;
    QString mHintText;
    QRect mViewport;
    QRectF mPlacedFor;   // the overview's drawing when the controls were last placed
    bool mHasLandmark = false; // the overview shows once the program names its landmarks
    bool mOverviewShown = true;
    bool mRefreshPending = false;
    bool mLandmarksStale = true;   // a change since the last refresh may touch a landmark
};
