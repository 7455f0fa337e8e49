#pragma once

// Helpers for tests that drive the real main window offscreen, as a user would.

#include "app/frmmain.h"
#include "support/fakeplatform.h"

#include <QPoint>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

// A fresh temporary working folder, made current for the life of the object; the previous
// folder comes back afterwards.
class WorkingFolder
{
public:
    WorkingFolder();
    ~WorkingFolder();
    QString path() const;
    QString file(const QString &name) const;

private:
    QTemporaryDir mDir;
    QString mPrevious;
};

// The main window on a fake platform, started (Form_Load) and shown offscreen at
// 1280 x 800, in its own working folder.
struct Harness
{
    Harness();               // starts at once
    explicit Harness(bool start);
    ~Harness();
    void start();            // Form_Load() and show()

    WorkingFolder folder;
    FakePlatform *platform = nullptr;   // owned by the test, outlives the window
    std::unique_ptr<FakePlatform> platformOwner;
    std::unique_ptr<frmMain> form;

    ::Vellum &canvas() const { return *form->Vellum; }
    // Widget pixel point at the centre of object id (at the current view).
    QPoint centreOf(qint32 id) const;
    // Press, release (and so click) on object id, or on a pixel point.
    void clickObject(qint32 id, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void clickAt(QPoint pixel, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 Qt::MouseButton button = Qt::LeftButton);
    // Press on object id, move in steps to the pixel point, release there.
    void dragObject(qint32 id, QPoint to);
    void drag(QPoint from, QPoint to);
    // Types text into a widget key by key (each key a change of the text).
    static void typeInto(QWidget *widget, const QString &text);
    // Finds a child control by its object name ("Text5", "Shortcut(3)").
    template<typename T>
    T *control(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
    // Id of the first object in drawing order whose key equals value, 0 if none.
    qint32 findId(const QString &key, const QString &value) const;
    QString property(qint32 id, const QString &key) const;
};
