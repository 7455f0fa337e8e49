#include "features/features.h"

#include "canvas/vellum.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPoint>
#include <QSignalBlocker>

#include <chrono>
#include <random>

namespace {

constexpr int MaxBoxes = 45;
// A box outline: the body of 44 x 47 units with its 8 units of loadout strip below.
constexpr qint32 BoxWidth = 44;
constexpr qint32 BodyHeight = 47;
constexpr qint32 BoxHeight = 55;
constexpr int FreeFlag = 8192;
constexpr int RandomAttempts = 1000;

bool isFree(const Vellum &canvas, qint32 x, qint32 y)
{
    return canvas.ObjectsInRect(x, y, x + BoxWidth, y + BoxHeight, FreeFlag) == 0;
}

// A corner from 100 to 599 each way whose box outline touches nothing. A crowded
// drawing gets its box on a grid to the right of the random area instead.
QPoint freePlace(const Vellum &canvas)
{
    std::mt19937 random(
        unsigned(std::chrono::steady_clock::now().time_since_epoch().count()
                 ^ std::chrono::system_clock::now().time_since_epoch().count()));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int attempt = 0; attempt < RandomAttempts; ++attempt) {
        const qint32 x = qint32(unit(random) * 500) + 100;
        const qint32 y = qint32(unit(random) * 500) + 100;
        if (isFree(canvas, x, y))
            return {x, y};
    }
    // Columns 50 units apart, ten rows 60 units apart, as far right as it takes.
    for (qint32 x = 700; x < 32000; x += 50) {
        for (qint32 y = 100; y < 700; y += 60) {
            if (isFree(canvas, x, y))
                return {x, y};
        }
    }
    return {700, 100};
}

void drawBoxBody(frmMain &form, const QString &name, qint32 x, qint32 y)
{
    Vellum &canvas = *form.Vellum;
    canvas.AddObject(10, 65, 35, 80, 55);
    canvas.SetSelected(true);
    canvas.SetDrawStyle(2);
    canvas.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Location"));
    canvas.SetUserProperty(QStringLiteral("Info"), QString());
    canvas.SetUserProperty(QStringLiteral("set"), QString());
    canvas.SetUserProperty(QStringLiteral("Name"), name);
    canvas.SetObjectText(canvas.UserProperty(QStringLiteral("Name")));
    canvas.SetUserProperty(QStringLiteral("Colour"), qint16(7));
    canvas.SetUserProperty(QStringLiteral("Value"), qint16(0));
    ApplyFillColourRule(form);
    canvas.SetFillMode(1);
    canvas.SetShapeParam(0);
    canvas.SetObjectRect(x, y, x + BoxWidth, y + BodyHeight, 0);
    ApplyTextColourRule(form);
}

void drawLoadoutStrip(frmMain &form, const QString &name, qint32 x, qint32 y)
{
    Vellum &canvas = *form.Vellum;
    canvas.AddObject(10, 65, 35, 80, 55);
    canvas.SetSelected(true);
    canvas.SetDrawStyle(2);
    canvas.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Loadout"));
    canvas.SetUserProperty(QStringLiteral("TypeIndex"), qint16(0));
    canvas.SetUserProperty(QStringLiteral("Name"), name);
    canvas.SetUserProperty(QStringLiteral("Info"), QString());
    canvas.SetUserProperty(QStringLiteral("set"), QString());
    canvas.SetObjectText(canvas.UserProperty(QStringLiteral("Name")));
    canvas.SetUserProperty(QStringLiteral("Colour"), qint16(0));
    ApplyFillColourRule(form);
    canvas.SetFillMode(1);
    canvas.SetShapeParam(60);
    canvas.SetObjectRect(x, y + BodyHeight, x + BoxWidth, y + BoxHeight, 0);
    ApplyTextColourRule(form);
}

} // namespace

int insertBoxName(QComboBox *boxList, const QString &name)
{
    if (!boxList)
        return -1;
    int at = 0;
    while (at < boxList->count()
           && QString::compare(boxList->itemText(at), name, Qt::CaseInsensitive) <= 0) {
        ++at;
    }
    // Adding a name is no choice of a box: the move command must not run, and a list
    // that showed no entry keeps showing its own text.
    const QSignalBlocker blocker(boxList);
    const int shown = boxList->currentIndex();
    const QString text = boxList->currentText();
    boxList->insertItem(at, name);
    if (shown < 0) {
        boxList->setCurrentIndex(-1);
        if (boxList->isEditable())
            boxList->setEditText(text);
    }
    return at;
}

bool refuseTakenBoxName(frmMain &form, const QString &name)
{
    const QComboBox *boxList = form.locationcombo1;
    for (int i = 0; i < boxList->count(); ++i) {
        if (boxList->itemText(i) == name) {
            form.platform().message(QStringLiteral("Sorry, There is already a Box named ")
                                    + name);
            return true;
        }
    }
    return false;
}

void newlocation_Click(frmMain &form)
{
    Vellum &canvas = *form.Vellum;
    QComboBox *boxList = form.locationcombo1;
    canvas.SetPointerSetting(0);
    form.movehistory->setPlainText(QString());

    // Taken as typed: names differing in case or by a blank are different boxes.
    const QString name = form.platform().inputBox(QStringLiteral("Please enter Box Name.."));
    if (refuseTakenBoxName(form, name))
        return;
    if (boxList->count() >= MaxBoxes) {
        form.platform().message(QStringLiteral("Sorry, no more boxes available, please "
                                               "delete a box with info you don't use"));
        return;
    }

    form.boxNameText += name + TextRules::crlf;
    const int index = insertBoxName(boxList, name);
    refreshShortcutButtons(form);

    storeBoxNames(form);
    canvas.SetCurrentObject(1);
    canvas.SetSelected(false);

    const QPoint corner = freePlace(canvas);
    drawBoxBody(form, name, corner.x(), corner.y());
    drawLoadoutStrip(form, name, corner.x(), corner.y());

    Shortcut_Click(form, index);
    canvas.SetSelected(false);
}
