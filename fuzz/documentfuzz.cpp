// libFuzzer target: arbitrary bytes as the document file "pic".
//
// Whatever the bytes, reading either refuses them with a reason or gives objects whose
// pictures decode under the allocation limit; a document that was read is written back and
// read again to the very same bytes, and the canvas's model loads it from a real file.

#include "canvas/model/documentfile.h"
#include "canvas/model/vellummodel.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using Objects = std::vector<std::unique_ptr<VellumObject>>;

[[noreturn]] void fail(const char *what)
{
    std::fprintf(stderr, "documentfuzz: %s\n", what);
    std::abort();
}

QString scratchFile()
{
    static QTemporaryDir dir;
    return dir.filePath(QStringLiteral("pic"));
}

// The model's own load of a document already known to be good, then every reading and
// geometry walk the handlers make.
void loadInModel(const QByteArray &bytes, size_t count)
{
    const QString file = scratchFile();
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return;
    out.close();
    VellumModel model;
    if (!model.LoadDocument(file))
        fail("the model refused a document the file reader took");
    if (size_t(model.ObjectCount(1)) != count)
        fail("the model lost objects");
    for (int i = 1; i <= model.ObjectCount(1); ++i) {
        model.SetCurrentIndex(i);
        model.UserProperty(QStringLiteral("Name"));
        qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        model.GetObjectRect(x1, y1, x2, y2, 0);
        model.ObjectsInRect(x1, y1, x2, y2, 8192);
    }
    model.paintOrder();
    model.extent();
    model.SetEditMode(10);
    model.FindObject(QStringLiteral("Name"), QStringLiteral("Start"), 4096);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    // Picture plugins are found through the application; libFuzzer's own flags stay away
    // from Qt's argument parsing.
    static int argc = 1;
    static char *args[] = {(*argv)[0], nullptr};
    static QCoreApplication app(argc, args);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    Objects objects;
    QString error;
    if (!DocumentFile::read(bytes, objects, error)) {
        if (error.isEmpty())
            fail("a refusal without a reason");
        if (!objects.empty())
            fail("a refused document left objects behind");
        return 0;
    }
    for (auto &object : objects) {
        if (!object->pictureData.isEmpty())
            object->picture = VellumModel::decodePicture(object->pictureData);
    }

    const QByteArray written = DocumentFile::write(objects);
    Objects again;
    if (!DocumentFile::read(written, again, error))
        fail("a document read could not be read again once written");
    if (DocumentFile::write(again) != written)
        fail("a document changed on its way through the file");
    loadInModel(bytes, objects.size());
    return 0;
}
