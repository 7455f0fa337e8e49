#include "window/platform.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QUrl>
#include <QWidget>

const QString &Platform::title()
{
    static const QString text = QStringLiteral("Ambrook");
    return text;
}

void Platform::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, title(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

QString Platform::inputBox(const QString &prompt)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(QApplication::activeWindow(), title(), prompt,
                                                 QLineEdit::Normal, QString(), &ok);
    return ok ? answer : QString();
}

int Platform::question(const QString &text, const QString &details,
                       const QStringList &buttons, int defaultButton)
{
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setDetailedText(details);
    QList<QAbstractButton *> added;
    // One role for all keeps the buttons in the order given on every desktop.
    for (const QString &caption : buttons)
        added << box.addButton(caption, QMessageBox::ActionRole);
    if (!added.isEmpty())
        box.setEscapeButton(added.last());
    if (defaultButton >= 0 && defaultButton < added.size())
        box.setDefaultButton(qobject_cast<QPushButton *>(added.at(defaultButton)));
    box.exec();
    return int(added.indexOf(box.clickedButton()));
}

int Platform::openDoc(const QString &path)
{
    // Relative names meet the folders the program made in the working folder.
    const QString absolute = QFileInfo(QDir::current(), path).absoluteFilePath();
    return QDesktopServices::openUrl(QUrl::fromLocalFile(absolute)) ? 42 : 0;
}

void Platform::beep()
{
    QApplication::beep();
}

bool Platform::printWindow(QWidget &window)
{
    if (QPrinterInfo::defaultPrinter().isNull()) {
        message(QStringLiteral("There is no printer installed, so the window cannot be "
                               "printed."));
        return false;
    }
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    const QPixmap image = window.grab();
    QPainter painter;
    if (!painter.begin(&printer)) {
        message(QStringLiteral("The printer could not be started, so the window was not "
                               "printed."));
        return false;
    }
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
    return painter.end();
}

QDate Platform::today()
{
    return QDate::currentDate();
}

QString Platform::saveFileName(const QString &caption, const QString &suggested,
                               const QString &filter)
{
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), caption, suggested,
                                        filter);
}
