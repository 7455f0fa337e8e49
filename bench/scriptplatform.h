#pragma once

// The benchmark's Platform: no dialog ever opens. The input box answers with a fresh box
// name each time; messages are echoed on stderr so that an unexpected one is seen.

#include "window/platform.h"

#include <QDate>

class ScriptPlatform : public Platform
{
public:
    int messages = 0;
    int answers = 0;

    void message(const QString &text) override;
    QString inputBox(const QString &prompt) override;
    int openDoc(const QString &) override { return 42; }
    void beep() override {}
    bool printWindow(QWidget &) override { return false; }
    QDate today() override { return QDate::currentDate(); }
    QString saveFileName(const QString &, const QString &, const QString &) override
    {
        return QStringLiteral("inventory.csv");
    }
};
