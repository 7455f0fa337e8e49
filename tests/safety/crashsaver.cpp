// Saves a document of COUNT objects, the first holding generation G, to FILE the way the
// program saves, so that the crash test can kill the save at any moment:
//   ambrook_crashsaver FILE COUNT G
// prints "saving DIGEST" (the MD5 of the bytes it will write) as the save begins.

#include "canvas/model/documentfile.h"
#include "canvas/model/vellummodel.h"

#include <QCoreApplication>
#include <QCryptographicHash>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: ambrook_crashsaver FILE COUNT GENERATION\n");
        return 2;
    }
    VellumModel model;
    for (int i = 0, count = args.at(2).toInt(); i < count; ++i) {
        const qint32 x = (i % 200) * 6;
        const qint32 y = (i / 200) * 6;
        model.AddObject(10, x, y, x + 4, y + 4);
        model.SetUserProperty(u"Type"_s, i == 0 ? u"Loadout"_s : u"Object"_s);
        model.SetUserProperty(u"Name"_s, i == 0 ? u"Start"_s : u"Object %1"_s.arg(i));
        model.SetUserProperty(u"Info"_s, u"Attic"_s);
        model.SetUserProperty(u"Value"_s, QString::number(i % 97));
        model.SetUserProperty(u"Generation"_s, i == 0 ? args.at(3) : u"0"_s);
        model.SetObjectText(model.UserProperty(u"Name"_s));
    }
    const QByteArray digest = QCryptographicHash::hash(DocumentFile::write(model.objects()),
                                                       QCryptographicHash::Md5);
    std::printf("saving %s\n", digest.toHex().constData());
    std::fflush(stdout);
    return model.SaveDocument(args.at(1)) ? 0 : 1;
}
