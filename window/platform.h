#pragma once

// The seam between Ambrook and the desktop: dialogs, the shell, the printer, the beep
// and today's date. The defaults use Qt; tests pass a recording fake.

#include <QDate>
#include <QString>

class QWidget;

class Platform
{
public:
    virtual ~Platform() = default;

    virtual void message(const QString &text);      // OK only, no icon, title "Ambrook"
    virtual QString inputBox(const QString &prompt); // "" when cancelled
    virtual int openDoc(const QString &path);        // > 32 on success
    virtual void beep();
    virtual bool printWindow(QWidget &window);       // default printer, landscape
    virtual QDate today();

    static const QString &title();
};
