// Writes a drawing with 45 boxes to FOLDER/pic, for the desktop check:
//     ambrook_sampledoc FOLDER
// The boxes "Box 01" .. "Box 45" stand in 9 columns and 5 rows, "Box 01" at the top left and
// "Box 45" at the bottom right, and the magenta object "Parcel" stands in "Box 01".

#include "canvas/model/vellummodel.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>

#include <cstdio>
#include <initializer_list>
#include <utility>

using namespace Qt::Literals::StringLiterals;

namespace {

using Properties = std::initializer_list<std::pair<QString, QString>>;

void add(VellumModel &model, QRect r, int colour, Properties properties)
{
    model.AddObject(10, r.left(), r.top(), r.right(), r.bottom());
    for (const auto &[key, value] : properties)
        model.SetUserProperty(key, value);
    model.SetObjectText(model.UserProperty(u"Name"_s));
    model.SetDrawStyle(2);
    model.SetFillColor(*Palette::colour(colour));
    model.SetTextColor(Palette::textColourFor(colour));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: ambrook_sampledoc FOLDER\n");
        return 2;
    }
    const QString k = u"Type"_s, n = u"Name"_s;
    QStringList names;
    for (int i = 1; i <= 45; ++i)
        names << u"Box %1"_s.arg(i, 2, 10, QLatin1Char('0'));

    VellumModel model;
    add(model, QRect(QPoint(5, 90), QPoint(35, 135)), 0,
        {{k, u"Loadout"_s}, {n, u"Start"_s},
         {u"Info"_s, u"Start"_s},
         {u"set"_s, u"Start"_s}, {u"SaveId"_s, u"0"_s},
         {u"ObjectTypes"_s, TextRules::joinCrLf(QStringList(255, QString()))},
         {u"Boxes"_s, TextRules::joinCrLf(names)}});
    for (int i = 0; i < names.size(); ++i) {
        const int x = 100 + i % 9 * 62, y = 100 + i / 9 * 120;
        add(model, QRect(QPoint(x, y), QPoint(x + 44, y + 47)), 7,
            {{k, u"Location"_s}, {n, names[i]}, {u"Colour"_s, u"7"_s},
             {u"Value"_s, u"0"_s}});
        add(model, QRect(QPoint(x, y + 47), QPoint(x + 44, y + 55)), 0,
            {{k, u"Loadout"_s}, {n, names[i]}, {u"Colour"_s, u"0"_s},
             {u"TypeIndex"_s, u"0"_s}});
        model.SetShapeParam(60);
    }
    add(model, QRect(QPoint(104, 104), QPoint(112, 112)), 13,
        {{k, u"Object"_s}, {n, u"Parcel"_s},
         {u"Info"_s, names.first()}, {u"TypeIndex"_s, u"0"_s},
         {u"Colour"_s, u"13"_s}, {u"Value"_s, u"0"_s}});
    model.SetLayer(3);
    const QString file = QDir(QString::fromLocal8Bit(argv[1])).filePath(u"pic"_s);
    if (!model.SaveDocument(file)) {
        std::fprintf(stderr, "ambrook_sampledoc: cannot write %s\n", qPrintable(file));
        return 1;
    }
    return 0;
}
