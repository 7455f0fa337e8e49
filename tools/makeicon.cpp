// Writes Ambrook's icon as PNG files of the sizes a desktop's icon theme asks for:
//     ambrook_makeicon OUTPUT_FOLDER SIZE...
// gives OUTPUT_FOLDER/ambrook-SIZE.png for each size (the build passes its list).

#include "window/appicon.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ambrook_makeicon OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "ambrook_makeicon: cannot make %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "ambrook_makeicon: %s is not an icon size\n", argv[i]);
            return 2;
        }
        const QString file = QDir(folder).filePath(QStringLiteral("ambrook-%1.png").arg(size));
        if (!ambrookIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "ambrook_makeicon: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
