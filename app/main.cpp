#include "app/frmmain.h"
#include "app/hugepages.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    restartWithHugePageHeap(argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrook"));
    QApplication::setApplicationDisplayName(QStringLiteral("Ambrook"));
    QApplication::setDesktopFileName(QStringLiteral("ambrook"));

    frmMain window;
    window.Form_Load();
    window.show();
    return app.exec();
}
