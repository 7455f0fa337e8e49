#pragma once

#include "app/wiring.h"
#include "canvas/vellum.h"
#include "features/features.h"
#include "panel/panel.h"
#include "store/rules/palette.h"
#include "support/fakeplatform.h"
#include "window/frmmain.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

class DocumentBuilder;
struct VellumObject;

// A fresh temporary folder, current for the life of the object.
class WorkingFolder
{
public:
    WorkingFolder() : mPrevious(QDir::currentPath()) { QDir::setCurrent(mDir.path()); }
    ~WorkingFolder() { QDir::setCurrent(mPrevious); }
    QString path() const { return mDir.path(); }
    QString file(const QString &name) const { return mDir.filePath(name); }

private:
    QTemporaryDir mDir;
    QString mPrevious;
};

QByteArray fileBytes(const QString &file);   // "<missing>" when it cannot be read
bool writeFile(const QString &file, const QByteArray &bytes);

// The main window on a fake platform, wired as the program wires it, started and shown
// offscreen at 1280 x 800, in its own working folder.
struct Harness
{
    explicit Harness(bool startNow = true);
    void start();            // Form_Load() and show()
    void startOn(DocumentBuilder &doc);  // saves its drawing as "pic" here, then starts

    WorkingFolder folder;
    std::unique_ptr<FakePlatform> platform;   // outlives the window
    std::unique_ptr<frmMain> form;

    ::Vellum &canvas() const { return *form->Vellum; }
    QPoint centreOf(qint32 id) const;   // widget pixel point, at the current view
    void clickObject(qint32 id, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        clickAt(centreOf(id), modifiers);
    }
    void clickAt(QPoint pixel, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 Qt::MouseButton button = Qt::LeftButton);
    void dragObject(qint32 id, QPoint to) { drag(centreOf(id), to); }
    void drag(QPoint from, QPoint to);
    static void typeInto(QWidget *widget, const QString &text);   // key by key
    qint32 findId(const QString &key, const QString &value) const;   // first, 0 if none
    QString property(qint32 id, const QString &key) const;
    QStringList properties(qint32 id, const QStringList &keys) const;   // one per key
    QString startProperty(const QString &key) const { return property(form->startObject, key); }
};

// Runs a suite of window tests in the English (United States) locale the window's dates use.
#define AMBROOK_WINDOW_TEST_MAIN(TestObject) \
    QTEST_MAIN_WRAPPER(TestObject, QTEST_MAIN_SETUP() QLocale::setDefault( \
                                       QLocale(QLocale::English, QLocale::UnitedStates));)

// Commands run through the window's own buttons and choosers; input boxes answered by
// the fake platform.
namespace steps {

struct Box
{
    qint32 body = 0;
    qint32 strip = 0;
};

// The rule of dashes under each entry of the search and alarm reports.
inline const QString separator(57, u'-');

inline QColor palette(int n) { return *Palette::colour(n); }
inline const VellumObject &object(const Harness &h, qint32 id)
{
    return *h.canvas().objectById(id);
}
qint32 lastId(const Harness &h);                  // newest object in drawing order
qint32 idOf(const Harness &h, const QString &type, const QString &name);
Box boxParts(const Harness &h, const QString &name);
void writeProperty(Harness &h, qint32 id, const QString &key, const QString &value);
void placeObject(Harness &h, qint32 id, qint32 x1, qint32 y1, qint32 x2, qint32 y2);
QRect rectOf(const Harness &h, qint32 id);
inline QPoint pixelOf(const Harness &h, double x, double y)
{
    return h.canvas().toPixels(x, y).toPoint();
}
QPoint emptyPoint(const Harness &h);              // a widget point over no object
// Brings unit point (x, y) to the top left corner of the view, as choosing a box does.
inline void zoomTo(Harness &h, int x, int y) { ZoomIn(*h.form, x, y, 0, 0); }

void newBox(Harness &h, const QString &name);     // "New Box", input box answered
qint32 newObject(Harness &h);                     // "New Object"; the new id
void chooseBox(Harness &h, const QString &name);  // presses the box's shortcut button
void chooseDestination(Harness &h, const QString &name);  // picks it in the box chooser
// A box made by the new-box command, moved to corner (x, y) and chosen.
Box makeBox(Harness &h, const QString &name, qint32 x, qint32 y);
// A stored object made by the new-object command in the current box, renamed, at (x, y).
qint32 makeObject(Harness &h, const QString &name, qint32 x, qint32 y);
QStringList shownShortcuts(const Harness &h);    // captions of the buttons not hidden
// The picture on a shortcut button as seen: "lit" (yellow), "plain" or "none".
QString shortcutFace(const QPushButton *button);

void choose(QComboBox *box, int k);               // picks entry k as the user does
QStringList listLines(QListWidget *list);
QStringList comboLines(QComboBox *box);
void retype(QLineEdit *field, const QString &text);  // select all, then type
inline void press(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
QByteArray documentOf(const Harness &h);          // as saved, selection flags aside
// Compares the background and text colours every one of the controls shows.
void checkColours(const QList<QWidget *> &controls, const QColor &back, const QColor &fore);

// Files dragged from a file manager and released at a pixel point of the canvas.
void dropFiles(Harness &h, const QStringList &paths, QPoint at);
// A double-click as the desktop delivers it: press, release, double-click, release.
void doubleClickAt(Harness &h, QPoint pixel);
inline void doubleClick(Harness &h, qint32 id) { doubleClickAt(h, h.centreOf(id)); }

} // namespace steps
