#pragma once

// A recording Platform for tests: no dialog, file manager or printer is ever opened.

#include "window/platform.h"

#include <QDate>
#include <QList>
#include <QStringList>

class FakePlatform : public Platform
{
public:
    QStringList messages;          // every message box text, in order
    QStringList prompts;           // every input box prompt
    QStringList answers;           // answers given to input boxes, first first ("" after)
    QStringList opened;            // every path handed to openDoc
    struct Question
    {
        QString text;
        QString details;
        QStringList buttons;
        int defaultButton = 0;
    };
    QList<Question> questions;     // every question asked, in order
    QList<int> choices;            // buttons chosen, first first (the default button after)
    int beeps = 0;
    int prints = 0;
    bool printerInstalled = true;
    int openResult = 42;
    QDate fixedToday = QDate(2026, 3, 15);
    QStringList fileNames;         // answers given to save dialogs, first first ("" after)
    QStringList fileCaptions;      // every save dialog's caption

    void message(const QString &text) override { messages << text; }
    QString inputBox(const QString &prompt) override
    {
        prompts << prompt;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    int question(const QString &text, const QString &details, const QStringList &buttons,
                 int defaultButton) override
    {
        questions << Question{text, details, buttons, defaultButton};
        return choices.isEmpty() ? defaultButton : choices.takeFirst();
    }
    int openDoc(const QString &path) override
    {
        opened << path;
        return openResult;
    }
    void beep() override { ++beeps; }
    bool printWindow(QWidget &) override
    {
        if (printerInstalled)
            ++prints;
        else
            message(QStringLiteral("There is no printer installed, so the window cannot be "
                                   "printed."));
        return printerInstalled;
    }
    QDate today() override { return fixedToday; }
    QString saveFileName(const QString &caption, const QString &, const QString &) override
    {
        fileCaptions << caption;
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }
};
