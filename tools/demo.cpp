// Builds a demonstration data folder through Ambrook's own commands and photographs the
// windows for the documentation:
//     ambrook_demo DATA_FOLDER PICTURE_FOLDER [WIDTHxHEIGHT]
// DATA_FOLDER must not hold a "pic" yet; at the end the demonstration is saved there as
// any quit saves it, so `scripts/ambrook run DATA_FOLDER` opens it. The pictures are
// main-window.png, moving.png, type-editor.png, search.png, alarms.png and
// whole-drawing.png.

#include "app/wiring.h"
#include "canvas/vellum.h"
#include "features/features.h"
#include "move/move.h"
#include "panel/panel.h"
#include "store/form1.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <cstdio>

namespace {

// Answers the input boxes from a script; messages go to the terminal.
class ScriptedPlatform : public Platform
{
public:
    QStringList answers;

    void message(const QString &text) override
    {
        std::fprintf(stderr, "ambrook_demo: message: %s\n", qPrintable(text));
    }
    QString inputBox(const QString &) override
    {
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    int openDoc(const QString &) override { return 0; }
    void beep() override {}
    bool printWindow(QWidget &) override { return false; }
};

struct TypeColumn
{
    int column;
    QString name;
    QStringList captions;
};

struct Thing
{
    QString box;
    QString name;
    int type = -1;              // column of the type table, -1 for none
    QStringList fields;         // Text2, Text3, ... in caption order
    QString value;
};

class Demo
{
public:
    Demo(const QString &pictures, QSize size)
        : mPictures(pictures)
    {
        wireWindow(mForm);
        mForm.resize(size);
        Form_Load(mForm);
        mForm.show();
        settle();
    }

    void run();

private:
    ::Vellum &canvas() { return *mForm.Vellum; }
    void settle() { QTest::qWait(50); }
    void photograph(QWidget &window, const QString &file);

    qint32 findId(const QString &key, const QString &value);
    QPoint centreOf(qint32 id);
    void click(qint32 id);
    void drag(qint32 id, QPoint to);
    void type(QLineEdit *field, const QString &text);
    void chooseBox(const QString &name);
    void makeTypes(const QList<TypeColumn> &types);
    void makeBox(const QString &name, QPoint corner);
    qint32 makeThing(const Thing &thing, int slot);
    void moveInto(qint32 id, const QString &box, const QString &picture = QString());

    ScriptedPlatform mPlatform;
    frmMain mForm{&mPlatform};
    QString mPictures;
};

void Demo::photograph(QWidget &window, const QString &file)
{
    settle();
    const QString path = QDir(mPictures).filePath(file);
    if (!window.grab().save(path))
        std::fprintf(stderr, "ambrook_demo: cannot write %s\n", qPrintable(path));
}

qint32 Demo::findId(const QString &key, const QString &value)
{
    for (const auto &object : canvas().objects()) {
        for (const auto &[k, v] : object->properties) {
            if (k == key && v == value)
                return object->id;
        }
    }
    return 0;
}

QPoint Demo::centreOf(qint32 id)
{
    const VellumObject *object = canvas().objectById(id);
    if (!object)
        return {};
    const QPointF a = canvas().toPixels(object->x1, object->y1);
    const QPointF b = canvas().toPixels(object->x2, object->y2);
    return ((a + b) / 2).toPoint();
}

void Demo::click(qint32 id)
{
    const QPoint at = centreOf(id);
    QTest::mousePress(&canvas(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::NoModifier, at);
    settle();
}

void Demo::drag(qint32 id, QPoint to)
{
    const QPoint from = centreOf(id);
    QTest::mousePress(&canvas(), Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 8; ++i)
        QTest::mouseMove(&canvas(), from + (to - from) * i / 8);
    QTest::mouseRelease(&canvas(), Qt::LeftButton, Qt::NoModifier, to);
    settle();
}

void Demo::type(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

void Demo::chooseBox(const QString &name)
{
    for (QPushButton *button : mForm.Shortcut) {
        if (button->isVisible() && button->text() == name) {
            QTest::mouseClick(button, Qt::LeftButton);
            settle();
            return;
        }
    }
}

void Demo::makeTypes(const QList<TypeColumn> &types)
{
    newtype_Click(mForm);
    Form1 &editor = mForm.typeEditor();
    settle();
    for (const TypeColumn &t : types) {
        const int first = t.column * Form1::CellsPerType;
        type(editor.Text1[size_t(first)], t.name);
        for (int i = 0; i < t.captions.size(); ++i)
            type(editor.Text1[size_t(first + 1 + i)], t.captions[i]);
    }
    photograph(editor, QStringLiteral("type-editor.png"));
    QTest::mouseClick(editor.Command1, Qt::LeftButton);
    settle();
}

void Demo::makeBox(const QString &name, QPoint corner)
{
    mPlatform.answers << name;
    QTest::mouseClick(mForm.newlocation, Qt::LeftButton);
    // New boxes land at random free places; the demonstration sets them out in a grid,
    // where a user would drag them.
    for (const auto &object : canvas().objects()) {
        QString objectName, kind;
        for (const auto &[k, v] : object->properties) {
            if (k == QLatin1String("Name"))
                objectName = v;
            else if (k == QLatin1String("Type"))
                kind = v;
        }
        if (objectName != name)
            continue;
        canvas().SetCurrentObject(object->id);
        if (kind == QLatin1String("Location"))
            canvas().SetObjectRect(corner.x(), corner.y(), corner.x() + 44, corner.y() + 47, 0);
        else if (kind == QLatin1String("Loadout"))
            canvas().SetObjectRect(corner.x(), corner.y() + 47, corner.x() + 44,
                                   corner.y() + 55, 0);
    }
    chooseBox(name);
}

qint32 Demo::makeThing(const Thing &thing, int slot)
{
    chooseBox(thing.box);
    QTest::mouseClick(mForm.newitem, Qt::LeftButton);
    settle();
    const qint32 id = findId(QStringLiteral("Name"), QStringLiteral("Object"));
    click(id);
    type(mForm.txtName, thing.name);
    if (thing.type >= 0) {
        mForm.Combo1->setCurrentIndex(thing.type);
        Combo1_Click(mForm, thing.type);
        for (int i = 0; i < thing.fields.size(); ++i)
            type(mForm.textField(i + 2), thing.fields[i]);
    }
    if (!thing.value.isEmpty())
        type(mForm.Value, thing.value);

    // Three to a row inside the box body, above and below its name.
    const QPoint corner(mForm.dropX, mForm.dropY);
    const int x = corner.x() + 6 + (slot % 3) * 14;
    const int y = corner.y() + 8 + (slot / 3) * 26;
    drag(id, canvas().toPixels(x + 2, y + 2).toPoint());
    return id;
}

void Demo::moveInto(qint32 id, const QString &box, const QString &picture)
{
    qint32 strip = 0;
    for (const auto &object : canvas().objects()) {
        bool named = false, isStrip = false;
        for (const auto &[k, v] : object->properties) {
            named |= k == QLatin1String("Name") && v == box;
            isStrip |= k == QLatin1String("Type") && v == QLatin1String("Loadout");
        }
        if (named && isStrip)
            strip = object->id;
    }
    click(id);
    drag(id, centreOf(strip));
    if (!picture.isEmpty())
        photograph(mForm, picture);
    const int index = mForm.locationcombo1->findText(box);
    mForm.locationcombo1->setCurrentIndex(index);
    locationcombo1_Click(mForm);
    settle();
}

void Demo::run()
{
    // A type's column gives its colour: mustard, green, wine, dark blue and teal.
    makeTypes({
        {6, QStringLiteral("Books"), {QStringLiteral("Author"), QStringLiteral("Year"),
                                      QStringLiteral("Lent to")}},
        {2, QStringLiteral("Garden"), {QStringLiteral("Season"), QStringLiteral("Bought")}},
        {4, QStringLiteral("Wine"), {QStringLiteral("Vintage"), QStringLiteral("Grape"),
                                     QStringLiteral("Drink by")}},
        {1, QStringLiteral("Tools"), {QStringLiteral("Brand"), QStringLiteral("Power"),
                                      QStringLiteral("Bought"), QStringLiteral("Spares")}},
        {3, QStringLiteral("Camping"), {QStringLiteral("Sleeps"), QStringLiteral("Weight"),
                                        QStringLiteral("Checked")}},
    });

    makeBox(QStringLiteral("Garage"), {100, 170});
    makeBox(QStringLiteral("Shed"), {160, 170});
    makeBox(QStringLiteral("Attic"), {100, 100});
    makeBox(QStringLiteral("Cellar"), {160, 100});

    const QList<Thing> things = {
        {QStringLiteral("Garage"), QStringLiteral("Drill"), 1,
         {QStringLiteral("Bosch"), QStringLiteral("600 W"), QStringLiteral("2019"),
          QStringLiteral("3 bits")}, QStringLiteral("85")},
        {QStringLiteral("Garage"), QStringLiteral("Winter tyres"), -1, {},
         QStringLiteral("240")},
        {QStringLiteral("Garage"), QStringLiteral("Jigsaw"), 1,
         {QStringLiteral("Makita"), QStringLiteral("450 W")}, QStringLiteral("60")},
        {QStringLiteral("Shed"), QStringLiteral("Hedge shears"), 2,
         {QStringLiteral("Summer"), QStringLiteral("2021")}, {}},
        {QStringLiteral("Shed"), QStringLiteral("Tulip bulbs"), 2,
         {QStringLiteral("Autumn")}, {}},
        {QStringLiteral("Attic"), QStringLiteral("Cookbooks"), 6,
         {QStringLiteral("Various"), {}, QStringLiteral("Ann")}, {}},
        {QStringLiteral("Attic"), QStringLiteral("Christmas decorations and lights"), -1, {},
         {}},
        {QStringLiteral("Shed"), QStringLiteral("Dome tent"), 3,
         {QStringLiteral("4"), QStringLiteral("6 kg"), QStringLiteral("May 2026")},
         QStringLiteral("180")},
        {QStringLiteral("Cellar"), QStringLiteral("Rioja 2015"), 4,
         {QStringLiteral("2015"), QStringLiteral("Tempranillo"), QStringLiteral("this year")},
         QStringLiteral("24")},
        {QStringLiteral("Garage"), QStringLiteral("Garden chairs"), 2,
         {QStringLiteral("Summer")}, QStringLiteral("90")},
    };
    QHash<QString, int> filled;
    QHash<QString, qint32> ids;
    for (const Thing &thing : things)
        ids[thing.name] = makeThing(thing, filled[thing.box]++);

    // The wine is due today: the alarm report will paint it red.
    click(ids[QStringLiteral("Rioja 2015")]);
    QTest::mouseClick(mForm.Alarm, Qt::LeftButton);

    // The garage and the shed stand side by side: the chairs go out to the shed and the
    // tent comes into the garage.
    chooseBox(QStringLiteral("Garage"));
    moveInto(ids[QStringLiteral("Garden chairs")], QStringLiteral("Shed"),
             QStringLiteral("moving.png"));
    moveInto(ids[QStringLiteral("Dome tent")], QStringLiteral("Garage"));
    click(ids[QStringLiteral("Dome tent")]);
    photograph(mForm, QStringLiteral("main-window.png"));

    chooseBox(QStringLiteral("Cellar"));
    click(ids[QStringLiteral("Rioja 2015")]);
    QTest::mouseClick(mForm.Command1, Qt::LeftButton);
    photograph(mForm, QStringLiteral("alarms.png"));

    chooseBox(QStringLiteral("Garage"));
    type(mForm.txttagname, QStringLiteral("ar"));
    QTest::keyClick(mForm.txttagname, Qt::Key_Return);
    photograph(mForm, QStringLiteral("search.png"));

    // The whole drawing at once, with the zoom buttons and the overview of the boxes.
    chooseBox(QStringLiteral("Shed"));
    QTest::mouseClick(mForm.Vellum->findChild<QWidget *>(QStringLiteral("zoomWhole")),
                      Qt::LeftButton);
    photograph(mForm, QStringLiteral("whole-drawing.png"));

    QTest::mouseClick(mForm.btnquit, Qt::LeftButton);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ambrook"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 3 || args.size() > 4) {
        std::fprintf(stderr, "usage: ambrook_demo DATA_FOLDER PICTURE_FOLDER [WIDTHxHEIGHT]\n");
        return 2;
    }
    QSize size(1280, 800);
    if (args.size() == 4) {
        const QStringList parts = args[3].split(u'x');
        if (parts.size() == 2)
            size = QSize(parts[0].toInt(), parts[1].toInt());
        if (size.width() < 200 || size.height() < 200) {
            std::fprintf(stderr, "ambrook_demo: bad window size %s\n", qPrintable(args[3]));
            return 2;
        }
    }
    const QString data = args[1];
    const QString pictures = QFileInfo(args[2]).absoluteFilePath();
    if (QFileInfo::exists(QDir(data).filePath(QStringLiteral("pic")))) {
        std::fprintf(stderr, "ambrook_demo: %s already holds a document; give an empty "
                             "folder\n", qPrintable(data));
        return 1;
    }
    if (!QDir().mkpath(data) || !QDir().mkpath(pictures) || !QDir::setCurrent(data)) {
        std::fprintf(stderr, "ambrook_demo: cannot use %s or %s\n", qPrintable(data),
                     qPrintable(pictures));
        return 1;
    }
    Demo demo(pictures, size);
    demo.run();
    return 0;
}
