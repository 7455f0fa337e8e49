#pragma once

// What the type-table editor Form1 reaches on the main window: its public state (the
// type-table text and the start object id), its type chooser and canvas, and the way
// back to it.

#include <QString>

class QComboBox;
class Vellum;

class TypeTableHost
{
public:
    virtual ~TypeTableHost() = default;
    virtual QString &typeTableText() = 0;
    virtual qint32 startObjectId() const = 0;
    virtual QComboBox &typeChooser() = 0;
    virtual Vellum &canvas() = 0;
    virtual void showMainWindow() = 0;
};
