// Writes the fuzzers' seed corpora: small documents as the program saves them, one of them
// with a picture, and journals of the changes that made them.
//
//   ambrook_fuzzcorpus FOLDER [JOURNAL-FOLDER]

#include "canvas/model/journalfile.h"
#include "canvas/model/vellummodel.h"
#include "store/rules/textrules.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void add(VellumModel &model, qint32 x, qint32 y, qint32 w, qint32 h,
         std::initializer_list<std::pair<QString, QString>> properties)
{
    model.AddObject(10, x, y, x + w, y + h);
    for (const auto &[key, value] : properties)
        model.SetUserProperty(key, value);
    model.SetObjectText(model.UserProperty(u"Name"_s));
}

void startObject(VellumModel &model, const QString &boxes)
{
    add(model, 5, 90, 30, 45,
        {{u"Type"_s, u"Loadout"_s}, {u"Name"_s, u"Start"_s}, {u"Info"_s, u"Start"_s},
         {u"set"_s, u"Start"_s}, {u"SaveId"_s, u"3"_s}, {u"Boxes"_s, boxes},
         {u"ObjectTypes"_s, TextRules::joinCrLf(QStringList(255, QString()))},
         {u"Colour"_s, u"3"_s}});
    model.SetDrawStyle(2);
    model.SetShapeParam(200);
    model.SetFillColor(QColor(0, 128, 128));
    model.SetTextColor(Qt::white);
}

void box(VellumModel &model, const QString &name, qint32 x, qint32 y)
{
    add(model, x, y, 44, 47,
        {{u"Type"_s, u"Location"_s}, {u"Name"_s, name}, {u"Colour"_s, u"7"_s},
         {u"Value"_s, u"12.5"_s}});
    model.SetLayer(2);
    add(model, x, y + 47, 44, 8,
        {{u"Type"_s, u"Loadout"_s}, {u"Name"_s, name}, {u"TypeIndex"_s, u"0"_s},
         {u"Colour"_s, u"0"_s}});
}

bool save(VellumModel &model, const QString &folder, const char *name)
{
    return model.SaveDocument(folder + u'/' + QLatin1String(name));
}

// A journal whose one step made the model's document, then took it back and made it again.
bool journal(VellumModel &model, const QString &folder, const char *name)
{
    JournalRecord step;
    step.text = u"new box Attic"_s;
    step.window = "window"_ba;
    step.changes = model.takeChanges();
    JournalWriter writer;
    QString reason;
    const QString file = folder + u'/' + QLatin1String(name);
    if (!writer.create(file, JournalOrigin::of(file), reason))
        return false;
    bool ok = true;
    for (auto kind : {JournalRecord::Kind::Session, JournalRecord::Kind::Step,
                      JournalRecord::Kind::Undo, JournalRecord::Kind::Redo}) {
        JournalRecord record = kind == JournalRecord::Kind::Step ? step : JournalRecord();
        record.kind = kind;
        ok = writer.append(record) && ok;
    }
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: ambrook_fuzzcorpus FOLDER [JOURNAL-FOLDER]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    bool ok = true;

    VellumModel empty;
    startObject(empty, QString());
    ok = save(empty, folder, "start-only.pic") && ok;

    VellumModel boxes;
    startObject(boxes, u"Attic\r\nCellar\r\n"_s);
    box(boxes, u"Attic"_s, 100, 100);
    box(boxes, u"Cellar"_s, 150, 100);
    add(boxes, 110, 110, 4, 4,
        {{u"Type"_s, u"Object"_s}, {u"Name"_s, u"Lamp"_s}, {u"Info"_s, u"Attic"_s},
         {u"TypeIndex"_s, u"18"_s}, {u"Colour"_s, u"12"_s}, {u"Value"_s, u"12.5"_s},
         {u"18"_s, u"3/15/2026"_s},
         {u"MovementHistory"_s, u"Cellar - Attic\r\n3/1/2026\r\n"_s}});
    boxes.SetSelected(true);
    ok = save(boxes, folder, "boxes.pic") && ok;

    VellumModel texts;
    startObject(texts, u"Attic\r\n"_s);
    add(texts, 110, 110, 4, 4,
        {{u"Type"_s, u"Object"_s}, {u"Name"_s, u"\"Quoted\" \\ caf\u00e9 \U0001F600"_s},
         {u"2"_s, u"nul "_s + QChar(u'\0') + u" lone "_s + QChar(char16_t(0xd800))},
         {u"3"_s, u"tab\there\r\nnext line"_s}});
    ok = save(texts, folder, "texts.pic") && ok;

    // A 2 x 2 PNG, drawn here, placed as a picture object.
    QImage image(2, 2, QImage::Format_ARGB32);
    image.fill(Qt::red);
    image.setPixel(1, 1, qRgba(0, 0, 255, 128));
    QTemporaryDir scratch;
    const QString png = scratch.filePath(u"tiny.png"_s);
    VellumModel picture;
    startObject(picture, QString());
    ok = image.save(png, "PNG") && picture.LoadPictureFile(png, 1, 0)
         && picture.AddObject(12, 60, 60, 65, 65) && ok;
    picture.SetUserProperty(u"Type"_s, u"Pic"_s);
    ok = save(picture, folder, "picture.pic") && ok;

    if (argc == 3) {
        const QString journals = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(journals);
        ok = journal(boxes, journals, "boxes.journal") && ok;
        ok = journal(texts, journals, "texts.journal") && ok;
        ok = journal(picture, journals, "picture.journal") && ok;
    }

    return ok ? 0 : 1;
}
