#pragma once

// The overview: a small map of the whole drawing in a corner of the canvas. It shows the
// landmark shapes (the ones the program names, by default every shape) as small
// rectangles in their fill colour, with their text where there is room for it, and the
// part of the drawing that the canvas shows as a frame. A press or a drag on the map
// brings that point of the drawing to the middle of the canvas.
//
// The landmarks are collected again after a change that may touch one, and the map is kept
// as a picture, so a repaint of the canvas costs the overview one copy of that picture.

#include <QHash>
#include <QPixmap>
#include <QRect>
#include <QStaticText>
#include <QWidget>

#include <functional>
#include <vector>

class Vellum;
struct VellumObject;

class VellumOverview : public QWidget
{
    Q_OBJECT

public:
    using Landmark = std::function<bool(const VellumObject &)>;

    explicit VellumOverview(Vellum &canvas);

    // Shapes narrower or lower than minimum units are never landmarks, and are not tested.
    void setLandmark(Landmark test, int minimum = 0);
    int landmarkMinimum() const { return mMinimum; }
    // Collects the landmarks again; true when they or the drawing's bounds changed.
    bool collect();
    // True when the drawing's bounds changed since the map was drawn.
    bool drawingMoved() const { return !mMap.isNull() && mMapDrawing != drawing(); }
    bool hasLandmarks() const { return !mMarks.empty(); }

    // The part of the drawing the map shows: every shape, and the part on view.
    QRectF drawing() const;
    // The drawing point under a widget pixel of the map, and the reverse.
    QPointF unitsAt(const QPointF &pixel) const;
    QPointF pixelOf(const QPointF &units) const;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Mark
    {
        QRect units;
        QRgb fill;
        QRgb text;
        QString name;
        bool operator==(const Mark &) const = default;
    };

    // The widget pixels that show drawing d. The drawing's bounds join the canvas's extent
    // and view, and a map has two corners for each landmark, so a paint finds them once
    // and passes them on.
    QRectF mapArea(const QRectF &d) const;
    static QPointF pixelOf(const QPointF &units, const QRectF &map, const QRectF &d);
    void drawMap(const QRectF &d);
    const Mark *markAt(const QPointF &pixel) const;

    Vellum &mCanvas;
    Landmark mLandmark;
    int mMinimum = 0;   // units
    std::vector<Mark> mMarks;
    QPixmap mMap;
    QHash<QString, QStaticText> mLabels;   // names laid out in the map's font
    QRectF mMapDrawing; // the extent the picture was drawn for
};
