#pragma once

// The seam between Ambrook and the desktop: dialogs, the shell, the printer, the beep
// and today's date. The defaults use Qt; tests pass a recording fake.

#include <QDate>
#include <QString>
#include <QStringList>

class QWidget;

class Platform
{
public:
    virtual ~Platform() = default;

    virtual void message(const QString &text);      // OK only, no icon, title "Ambrook"
    virtual QString inputBox(const QString &prompt); // "" when cancelled
    // Buttons in the order given, Escape taking the last; details in the box's details
    // part (none when ""); title "Ambrook". Returns the index of the button chosen.
    virtual int question(const QString &text, const QString &details,
                         const QStringList &buttons, int defaultButton);
    virtual int openDoc(const QString &path);        // > 32 on success
    virtual void beep();
    virtual bool printWindow(QWidget &window);       // default printer, landscape
    virtual QDate today();
    // A file name to write to, chosen by the user; "" when cancelled.
    virtual QString saveFileName(const QString &caption, const QString &suggested,
                                 const QString &filter);

    static const QString &title();
};
