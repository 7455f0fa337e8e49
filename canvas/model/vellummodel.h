#pragma once

// The canvas's document: objects in drawing order, their geometry, drawing attributes,
// layers, selection, the current object and the user properties (all text).
// Plain C++ with Qt value types; no widget header may be included here.
//
// Conventions every handler relies on:
// - Ids are 32-bit, > 0, kept in the file, never reused while a document is open;
//   a new object gets the highest id + 1 (should that be past the largest 32-bit id, the
//   smallest free id). Id 0 means "no object".
// - With no current object reads give "" or 0 and writes do nothing and return false.
// - CurrentIndex, UserProperty, ObjectCount and CurrentObject are O(1) (or O(log n)),
//   because handlers call them inside walks over all objects.

#include "canvas/model/changerecord.h"

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

struct VellumObject
{
    // What a walk over every object reads comes first, in the object's first cache line.
    qint32 id = 0;
    qint16 kind = 10;            // 10 rectangle, 12 picture
    qint16 layer = 1;
    bool selected = false;
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    // Keys are interned so that thousands of objects share one copy of each key.
    std::vector<std::pair<QString, QString>> properties;

    QColor fillColor = Qt::white;
    QColor textColor = Qt::black;
    QString objectText;
    qint16 drawStyle = 0;        // non-zero: a thin outline a shade darker than the fill
    qint16 fillMode = 0;         // kept with the object; rectangles are always filled
    qint16 shapeParam = 0;       // corner rounding of a rectangle: 0 square .. 200 round ends
    QByteArray pictureData;      // the picture file's original bytes (kind 12)
    QImage picture;              // decoded once, for painting
};

class VellumModel
{
public:
    VellumModel();
    virtual ~VellumModel();

    // Messages for the user (damaged document, failed save). The window routes them to
    // its message box; without a handler they are dropped.
    void setMessageHandler(std::function<void(const QString &)> handler);

    // --- current object and enumeration ---
    qint32 CurrentObject() const;
    bool SetCurrentObject(qint32 id);   // unknown id: no current object, returns false
    bool SetCurrentIndex(int n);        // 1-based drawing order
    int ObjectCount(int which) const;   // 1: all objects, 2: selected objects
    bool SetSelected(bool selected);    // (de)select the current object

    // --- user properties of the current object ---
    QString UserProperty(const QString &key) const;          // "" if never set
    bool SetUserProperty(const QString &key, const QString &value);
    bool SetUserProperty(const QString &key, const char *value) = delete;
    bool SetUserProperty(const QString &key, qint16 value);  // decimal text
    bool SetUserProperty(const QString &key, int value);     // a 16-bit integer: fails outside
    bool SetUserProperty(const QString &key, double value);  // shortest text that reads back

    // FindObject: flags 4096 compares the whole text exactly (case-sensitive); without it,
    // a part of the text ignoring case. 16384 also selects the found object. 256 continues
    // after the previous hit in drawing order. Returns the id (> 0) made current, else 0.
    qint32 FindObject(const QString &key, const QString &value, int flags);

    qint16 ObjectKind() const;

    // EditMode 10: the selected object becomes current (the first in drawing order when
    // several are selected; unchanged when none is). 13 and 14 bracket a relayering pass
    // (see RelayerFlag); any other value is kept and has no effect.
    void SetEditMode(int mode);

    // Shape 10 (rectangle) or 12 (picture: it takes the picture LoadPictureFile left
    // waiting); any other shape fails. The new object is made current.
    bool AddObject(int shape, qint32 x1, qint32 y1, qint32 x2, qint32 y2);
    bool DeleteObject(qint32 id);
    bool GetObjectRect(qint32 &x1, qint32 &y1, qint32 &x2, qint32 &y2, int flags = 0) const;
    bool SetObjectRect(qint32 x1, qint32 y1, qint32 x2, qint32 y2, int flags = 0);
    // Moves the current object; the flags (12288 from the move command) change nothing.
    bool MoveObject(qint32 dx, qint32 dy, int flags);
    // Number of objects lying in or over the rectangle (edges touching count); the flags
    // (8192 from the box placement) change nothing.
    int ObjectsInRect(qint32 x1, qint32 y1, qint32 x2, qint32 y2, int flags) const;

    // Reads a picture file with QImageReader (under an allocation limit). On success the
    // picture waits for the next AddObject(12, ...), which shows it; fails on other files.
    bool LoadPictureFile(const QString &file, int mode, int flags);
    // Decodes picture bytes under the same allocation limit; a null image when they are not
    // a picture this system can read.
    static QImage decodePicture(const QByteArray &bytes);

    // --- drawing attributes of the current object ---
    bool SetFillColor(const QColor &color);
    QColor FillColor() const;
    bool SetTextColor(const QColor &color);
    QColor TextColor() const;
    bool SetObjectText(const QString &text);
    QString ObjectText() const;
    bool SetDrawStyle(qint16 style);
    qint16 DrawStyle() const;
    bool SetFillMode(qint16 mode);
    qint16 FillMode() const;
    bool SetShapeParam(qint16 param);
    qint16 ShapeParam() const;
    bool SetLayer(qint16 layer);        // painting order: higher layers above lower
    qint16 Layer() const;

    // --- document file ---
    // A missing file gives an empty drawing and true. A file that cannot be read is kept
    // aside under a new name with the date and time in it, the user is told where, and
    // the drawing is empty; returns false. Nothing unreadable is ever overwritten.
    bool LoadDocument(const QString &file);
    // Reads file as the drawing, neither keeping it aside nor telling the user: on failure
    // the drawing is empty and reason says why for the user ("it is damaged: ...").
    bool ReadDocument(const QString &file, QString &reason);
    // Moves an unreadable file aside under a new name with the date and time in it and
    // returns that name; "" when it cannot be moved, and then no save replaces the file.
    QString KeepAside(const QString &file);
    // Atomic: a temporary file renamed over the target, the folder flushed. On failure
    // the user is told which file and why, the old file stays whole; returns false.
    bool SaveDocument(const QString &file);

    // --- switches ---
    // ToolMode 11: select and drag (the normal tool); 0: the search tool, which behaves
    // like 11 for the pointer. Other values are kept and behave like 11.
    void SetToolMode(qint16 mode);
    qint16 ToolMode() const;
    // CanvasOptions: a bit set kept with the view; 64 shows the drawing's grid (start: 64).
    void SetCanvasOptions(int options);
    int CanvasOptions() const;
    // SearchFlag true clears the selection (before a new search); false does nothing.
    void SetSearchFlag(bool on);
    // RelayerFlag brackets a relayering pass between EditMode 13 and 14. It changes
    // nothing: the painting order is always rebuilt lazily, once, after many layers change.
    void SetRelayerFlag(bool on);

    // --- the record of changes ---
    // Every change of the document is recorded with what it replaced (loading and clearing
    // start afresh); a write that changes nothing records nothing, nor does selection.
    bool hasChanges() const;
    ChangeList takeChanges();               // the changes since the last take
    // Takes the records of one step back (last first) or applies them again, unrecorded.
    void undoChanges(const ChangeList &changes);
    void redoChanges(const ChangeList &changes);

    // --- for the view, the file and tests ---
    const std::vector<std::unique_ptr<VellumObject>> &objects() const;
    VellumObject *objectById(qint32 id) const;
    VellumObject *current() const;
    int indexOf(qint32 id) const;                 // 0-based drawing position or -1
    // Objects in painting order (layer, then drawing order); rebuilt lazily.
    const std::vector<VellumObject *> &paintOrder() const;
    // The rectangles (normalised) of paintOrder's objects, index for index.
    const std::vector<QRect> &paintBoxes() const;
    void setObjectSelected(VellumObject *object, bool selected);
    void clearSelection();
    // Bounding box of every object (left/top/right/bottom are the extreme coordinates);
    // an empty rect for an empty drawing.
    QRect extent() const;
    void clear();

protected:
    void changed();                            // everything
    void changed(const QRect &area);           // only what lies in area
    void changed(const VellumObject &object);  // only the object's rectangle
    // Called after every change that must be repainted, with the rectangle (in units) that
    // changed, or nullptr when the whole drawing must be painted again. A shape's selection
    // frame and handles stand a few pixels outside its rectangle.
    virtual void areaChanged(const QRect *units);
    // Called when the whole drawing is replaced or emptied (load, clear).
    virtual void documentReplaced();

private:
    void movedFrom(const QRect &before);  // the current object left before
    void recordProperty(const QString &key, const QString *old, const QString &value);
    void recordAttribute(ChangeRecord::Attribute attribute, const QVariant &old,
                         const QVariant &value);
    // Writes one drawing attribute of the current object, recording what it replaced.
    template<typename T>
    bool writeAttribute(T VellumObject::*member, const T &value, ChangeRecord::Attribute which);
    void recordRect(const VellumObject &object, const std::array<qint32, 4> &old);
    void record(ChangeRecord &&change);
    void applyChange(const ChangeRecord &change, bool forward);
    void restoreObject(int position, const VellumObject &content);

    struct Private;
    std::unique_ptr<Private> d;
};
