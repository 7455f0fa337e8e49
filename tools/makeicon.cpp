// Writes Ambrook's icon as PNG files of the sizes a desktop's icon theme asks for:
//     ambrook_makeicon OUTPUT_FOLDER
// gives OUTPUT_FOLDER/ambrook-16.png, ambrook-32.png, ... ambrook-256.png.

#include "app/appicon.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: ambrook_makeicon OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "ambrook_makeicon: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString file = QDir(folder).filePath(QStringLiteral("ambrook-%1.png").arg(size));
        if (!ambrookIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "ambrook_makeicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
