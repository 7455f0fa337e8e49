#include "bench/docgen.h"

#include "canvas/model/vellummodel.h"
#include "move/move.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"

#include <QDir>
#include <QHash>
#include <QImage>
#include <QPainter>

#include <random>

namespace BenchDoc {

namespace {

const QString Type = QStringLiteral("Type");
const QString Name = QStringLiteral("Name");
const QString Info = QStringLiteral("Info");
const QString Colour = QStringLiteral("Colour");

const QStringList typeNames {
    QStringLiteral("Tools"),       QStringLiteral("Books"),    QStringLiteral("Kitchenware"),
    QStringLiteral("Electronics"), QStringLiteral("Clothing"), QStringLiteral("Toys"),
    QStringLiteral("Documents"),   QStringLiteral("Garden"),   QStringLiteral("Sports"),
    QStringLiteral("Music"),       QStringLiteral("Photos"),   QStringLiteral("Paint"),
    QStringLiteral("Cables"),      QStringLiteral("Spares"),   QStringLiteral("Camping")};

const QStringList captions {
    QStringLiteral("Brand"),    QStringLiteral("Model"),     QStringLiteral("Serial"),
    QStringLiteral("Bought"),   QStringLiteral("Price"),     QStringLiteral("Size"),
    QStringLiteral("Weight"),   QStringLiteral("Condition"), QStringLiteral("Owner"),
    QStringLiteral("Notes"),    QStringLiteral("Warranty"),  QStringLiteral("Shop"),
    QStringLiteral("Material"), QStringLiteral("Year"),      QStringLiteral("Count"),
    QStringLiteral("Lent to")};

const QStringList nouns {
    QStringLiteral("Drill"),  QStringLiteral("Hammer"),       QStringLiteral("Saw"),
    QStringLiteral("Kettle"), QStringLiteral("Lamp"),         QStringLiteral("Novel"),
    QStringLiteral("Atlas"),  QStringLiteral("Jacket"),       QStringLiteral("Boots"),
    QStringLiteral("Radio"),  QStringLiteral("Charger"),      QStringLiteral("Tent"),
    QStringLiteral("Racket"), QStringLiteral("Guitar"),       QStringLiteral("Album"),
    QStringLiteral("Brush"),  QStringLiteral("Cable"),        QStringLiteral("Fuse"),
    QStringLiteral("Teapot"), QStringLiteral("Blanket"),      QStringLiteral("Trowel"),
    QStringLiteral("Puzzle"), QStringLiteral("Invoice"),      QStringLiteral("Camera"),
    QStringLiteral("Sander"), QStringLiteral("Ladder"),       QStringLiteral("Helmet"),
    QStringLiteral("Stove"),  QStringLiteral("Sleeping bag"), QStringLiteral("Tripod")};

const QStringList fieldWords {QStringLiteral("Bosch"),
                              QStringLiteral("Makita"),
                              QStringLiteral("Philips"),
                              QStringLiteral("IKEA"),
                              QStringLiteral("Large"),
                              QStringLiteral("Small"),
                              QStringLiteral("as new"),
                              QStringLiteral("worn"),
                              QStringLiteral("Sam"),
                              QStringLiteral("Alex"),
                              QStringLiteral("oak"),
                              QStringLiteral("steel"),
                              QStringLiteral("2 years"),
                              QStringLiteral("blue, scratched"),
                              QStringLiteral("lent to the neighbours"),
                              QStringLiteral("PSB 500 RE")};

// Box corners on a grid of 9 columns and 5 rows that leaves room below for a new box.
QPoint boxCorner(int i)
{
    return {100 + (i % 9) * 60, 100 + (i / 9) * 70};
}

void setFill(VellumModel &doc, int colour)
{
    doc.SetFillColor(*Palette::colour(colour));
    doc.SetTextColor(Palette::textColourFor(colour));
}

QString typeTable()
{
    QStringList cells;
    for (int k = 0; k < typeNames.size(); ++k) {
        cells << typeNames.at(k);
        const int used = 6 + k % 5;
        for (int j = 0; j < 16; ++j)
            cells << (j < used ? captions.at((j + k) % captions.size()) : QString());
    }
    return TextRules::joinCrLf(cells);
}

void addStart(VellumModel &doc)
{
    doc.AddObject(10, 65, 35, 80, 55);
    doc.SetDrawStyle(2);
    doc.SetUserProperty(Type, QStringLiteral("Loadout"));
    doc.SetUserProperty(Name, QStringLiteral("Start"));
    doc.SetUserProperty(Info, QStringLiteral("Start"));
    doc.SetUserProperty(QStringLiteral("set"), QStringLiteral("Start"));
    doc.SetUserProperty(QStringLiteral("SaveId"), qint16(37));
    doc.SetUserProperty(QStringLiteral("ObjectTypes"), typeTable());
    doc.SetUserProperty(QStringLiteral("Boxes"), TextRules::joinCrLf(boxNames()));
    doc.SetObjectText(QStringLiteral("Start"));
    doc.SetUserProperty(Colour, qint16(3));
    setFill(doc, 3);
    doc.SetFillMode(1);
    doc.SetShapeParam(200);
    doc.SetObjectRect(5, 90, 35, 135, 0);
}

void addBoxPart(VellumModel &doc, const QString &name, bool body, QPoint at)
{
    doc.AddObject(10, 65, 35, 80, 55);
    doc.SetDrawStyle(2);
    doc.SetUserProperty(Type, body ? QStringLiteral("Location") : QStringLiteral("Loadout"));
    if (!body)
        doc.SetUserProperty(QStringLiteral("TypeIndex"), qint16(0));
    doc.SetUserProperty(Name, name);
    doc.SetUserProperty(Info, QString());
    doc.SetUserProperty(QStringLiteral("set"), QString());
    doc.SetObjectText(name);
    const int colour = body ? 7 : 0;
    doc.SetUserProperty(Colour, qint16(colour));
    if (body)
        doc.SetUserProperty(QStringLiteral("Value"), qint16(0));
    setFill(doc, colour);
    doc.SetFillMode(1);
    doc.SetShapeParam(body ? 0 : 60);
    if (body) {
        doc.SetObjectRect(at.x(), at.y(), at.x() + 44, at.y() + 47, 0);
        doc.SetLayer(2);
    } else {
        doc.SetObjectRect(at.x(), at.y() + 47, at.x() + 44, at.y() + 55, 0);
    }
}

bool addPicture(VellumModel &doc, int i, const QString &folder, QString &error)
{
    QImage image(256, 256, QImage::Format_RGB32);
    {
        QPainter p(&image);
        QLinearGradient sky(0, 0, 256, 256);
        sky.setColorAt(0, QColor::fromHsv((i * 37) % 360, 120, 230));
        sky.setColorAt(1, QColor::fromHsv((i * 37 + 140) % 360, 200, 90));
        p.fillRect(image.rect(), sky);
        std::mt19937 random(unsigned(i + 1));
        for (int s = 0; s < 40; ++s) {
            p.setBrush(QColor::fromHsv(int(random() % 360), 160, 200, 160));
            p.setPen(Qt::NoPen);
            p.drawEllipse(int(random() % 256), int(random() % 256), 10 + int(random() % 60),
                          10 + int(random() % 60));
        }
    }
    const QString file = folder + QStringLiteral("/photo%1.png").arg(i + 1);
    if (!image.save(file, "PNG") || !doc.LoadPictureFile(file, 1, 0)) {
        error = QStringLiteral("could not make the picture %1").arg(file);
        return false;
    }
    const qint32 x = 700 + (i % 2) * 35;
    const qint32 y = 100 + (i / 2) * 35;
    doc.AddObject(12, x, y, x + 30, y + 30);
    doc.SetUserProperty(Type, QStringLiteral("Pic"));
    doc.SetLayer(2);
    return true;
}

struct Dates
{
    QDate today = QDate::currentDate();
    QString text(int daysFromToday) const
    {
        return TextRules::shortDateText(today.addDays(daysFromToday));
    }
};

void addStoredObject(VellumModel &doc, int i, const QStringList &boxes, std::mt19937 &random,
                     const Dates &dates)
{
    auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const int boxIndex = pick(boxes.size());
    const QString &box = boxes.at(boxIndex);
    const QPoint corner = boxCorner(boxIndex);
    const qint32 x = corner.x() + 1 + pick(39);
    const qint32 y = corner.y() + 1 + pick(42);
    const int k = pick(typeNames.size());
    QString name = nouns.at(pick(nouns.size())) + QLatin1Char(' ') + QString::number(i + 1);
    if (i % 100 == 0)
        name = SearchWord + QLatin1Char(' ') + name;

    doc.AddObject(10, x, y, x + 4, y + 4);
    doc.SetDrawStyle(2);
    doc.SetUserProperty(Type, QStringLiteral("Object"));
    doc.SetUserProperty(QStringLiteral("TypeIndex"), qint16(17 * k + 1));
    doc.SetUserProperty(Name, name);
    doc.SetUserProperty(QStringLiteral("Header"), QString());
    doc.SetUserProperty(Info, box);
    const int filled = 6 + pick(5);
    for (int field = 1; field <= 18; ++field) {
        QString text;
        if (field == 1 && pick(7) == 0)
            text = QStringLiteral("/home/sam/Documents/Ambrook/%1.pdf").arg(name);
        else if (field >= 2 && field < 2 + filled)
            text = fieldWords.at(pick(fieldWords.size()));
        else if (field == 18 && i % 10 == 5)
            text = i % 100 == 5 ? dates.text(-1 - pick(300)) : dates.text(1 + pick(700));
        doc.SetUserProperty(QString::number(field), text);
    }
    doc.SetUserProperty(Colour, qint16(k));
    QString history;
    QString from;
    const int moves = 1 + pick(3);
    for (int m = 0; m < moves; ++m) {
        const QString to = m == moves - 1 ? box : boxes.at(pick(boxes.size()));
        history += movementHistoryEntry(from, to, dates.today.addDays(-400 + m * 90 + pick(60)));
        from = to;
    }
    doc.SetUserProperty(QStringLiteral("MovementHistory"), history);
    doc.SetUserProperty(QStringLiteral("Value"),
                        TextRules::numberText(double(pick(40000)) / 100.0));
    doc.SetUserProperty(QStringLiteral("set"), typeNames.at(k));
    doc.SetObjectText(name);
    setFill(doc, k);
    doc.SetShapeParam(14);
    doc.SetFillMode(1);
    doc.SetLayer(3);
}

} // namespace

QStringList boxNames()
{
    static const QStringList places {
        QStringLiteral("Attic"), QStringLiteral("Garage"),  QStringLiteral("Cellar"),
        QStringLiteral("Shed"),  QStringLiteral("Loft"),    QStringLiteral("Hall"),
        QStringLiteral("Study"), QStringLiteral("Kitchen"), QStringLiteral("Workshop")};
    static const QStringList spots {QStringLiteral("Shelf A"), QStringLiteral("Shelf B"),
                                    QStringLiteral("Crate"), QStringLiteral("Box 1"),
                                    QStringLiteral("Box 2")};
    QStringList names;
    for (const QString &spot : spots) {
        for (const QString &place : places)
            names << place + QLatin1Char(' ') + spot;
    }
    return names;
}

bool generate(int n, const QString &folder, QString &error)
{
    const QString pictures = folder + QStringLiteral("/pictures");
    if (!QDir().mkpath(pictures)) {
        error = QStringLiteral("could not make %1").arg(pictures);
        return false;
    }
    VellumModel doc;
    addStart(doc);
    const QStringList boxes = boxNames();
    for (int i = 0; i < boxes.size(); ++i) {
        addBoxPart(doc, boxes.at(i), true, boxCorner(i));
        addBoxPart(doc, boxes.at(i), false, boxCorner(i));
    }
    for (int i = 0; i < PictureCount; ++i) {
        if (!addPicture(doc, i, pictures, error))
            return false;
    }
    std::mt19937 random(20260315u + unsigned(n));
    const Dates dates;
    for (int i = 0; i < n; ++i)
        addStoredObject(doc, i, boxes, random, dates);

    // The box totals as the move command leaves them.
    QHash<QString, double> totals;
    for (const auto &object : doc.objects()) {
        doc.SetCurrentObject(object->id);
        if (doc.UserProperty(Type) == QStringLiteral("Object"))
            totals[doc.UserProperty(Info)]
                += TextRules::valueNumber(doc.UserProperty(QStringLiteral("Value")));
    }
    for (const auto &object : doc.objects()) {
        doc.SetCurrentObject(object->id);
        if (doc.UserProperty(Type) == QStringLiteral("Location"))
            doc.SetUserProperty(QStringLiteral("Value"), totals.value(doc.UserProperty(Name)));
    }

    if (!doc.SaveDocument(folder + QStringLiteral("/pic"))) {
        error = QStringLiteral("could not save %1/pic").arg(folder);
        return false;
    }
    return true;
}

} // namespace BenchDoc
