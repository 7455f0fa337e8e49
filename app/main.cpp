#include "app/wiring.h"
#include "features/journal.h"
#include "store/screenfit.h"
#include "window/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrook"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ambrook"));
    QApplication::setDesktopFileName(QStringLiteral("ambrook"));

    // A logout, a shutdown or a signal ends the program at once; the journal keeps the work.
    installJournalSignals();
    frmMain window;
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { endSessionKeepingJournal(window); });
    wireWindow(window);
    Form_Load(window);
    window.show();
    fitOnScreen(window);
    return app.exec();
}
