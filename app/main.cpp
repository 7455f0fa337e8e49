#include "app/wiring.h"
#include "store/screenfit.h"
#include "window/frmmain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrook"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ambrook"));
    QApplication::setDesktopFileName(QStringLiteral("ambrook"));

    frmMain window;
    wireWindow(window);
    Form_Load(window);
    window.show();
    fitOnScreen(window);
    return app.exec();
}
