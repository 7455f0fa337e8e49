// Saves a large document again and again, so that the crash test can kill a save at any
// moment and then look at what is left on disk.
//
//   ambrook_crashsaver make FILE COUNT   writes a document of COUNT objects
//   ambrook_crashsaver serve FILE        loads FILE once and prints "ready COUNT"; then for
//                                        every line "save G" read from its input, a child
//                                        process writes generation G into the first object
//                                        and saves FILE, printing "child PID DIGEST" before
//                                        the save (DIGEST: MD5 of the bytes it will write)
//                                        and "saved G" after; the server then prints
//                                        "done G" once the child has ended, killed or not.
//
// The child is a copy of the loaded program, so a killed save costs no new load.

#include "canvas/model/documentfile.h"
#include "canvas/model/vellummodel.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QString>

#include <cstdio>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString generationKey = u"Generation"_s;

int make(const QString &file, int count)
{
    VellumModel model;
    for (int i = 0; i < count; ++i) {
        const qint32 x = (i % 200) * 6;
        const qint32 y = (i / 200) * 6;
        model.AddObject(10, x, y, x + 4, y + 4);
        model.SetUserProperty(u"Type"_s, i == 0 ? u"Loadout"_s : u"Object"_s);
        model.SetUserProperty(u"Name"_s, i == 0 ? u"Start"_s : u"Object %1"_s.arg(i));
        model.SetUserProperty(u"Info"_s, u"Attic"_s);
        model.SetUserProperty(u"Value"_s, QString::number(i % 97));
        model.SetUserProperty(generationKey, u"0"_s);
        model.SetObjectText(model.UserProperty(u"Name"_s));
    }
    return model.SaveDocument(file) ? 0 : 1;
}

void say(const QByteArray &line)
{
    std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void saveGeneration(VellumModel &model, const QString &file, long long generation)
{
    // The test compares the file with the bytes before and after byte for byte (by digest),
    // so one changed object is enough to tell them apart.
    model.SetCurrentIndex(1);
    model.SetUserProperty(generationKey, QString::number(generation));
    const QByteArray digest = QCryptographicHash::hash(DocumentFile::write(model.objects()),
                                                       QCryptographicHash::Md5);
    say("child " + QByteArray::number(qint64(getpid())) + ' ' + digest.toHex());
    const bool saved = model.SaveDocument(file);
    if (saved)
        say("saved " + QByteArray::number(generation));
    _exit(saved ? 0 : 1);
}

int serve(const QString &file)
{
    VellumModel model;
    if (!model.LoadDocument(file))
        return 1;
    say("ready " + QByteArray::number(model.ObjectCount(1)));
    char line[64];
    while (std::fgets(line, sizeof line, stdin)) {
        long long generation = 0;
        if (std::sscanf(line, "save %lld", &generation) != 1)
            return 2;
        const pid_t child = fork();
        if (child < 0)
            return 1;
        if (child == 0)
            saveGeneration(model, file, generation);
        int status = 0;
        waitpid(child, &status, 0);
        say("done " + QByteArray::number(generation));
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == u"make")
        return make(args.at(2), args.at(3).toInt());
    if (args.size() == 3 && args.at(1) == u"serve")
        return serve(args.at(2));
    std::fprintf(stderr, "usage: ambrook_crashsaver make FILE COUNT | serve FILE\n");
    return 2;
}
