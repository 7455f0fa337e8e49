#include "app/frmmain.h"

#include "app/controls.h"
#include "app/platform.h"
#include "canvas/vellum.h"
#include "features/features.h"
#include "move/move.h"
#include "store/form1.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QPushButton>

namespace {

constexpr int typeTableCells = Form1::CellCount;
constexpr int typeNameStep = Form1::CellsPerType;
constexpr int lastTypeNameCell = (Form1::TypeCount - 1) * Form1::CellsPerType;

QStringList monthAdvancerEntries()
{
    QStringList entries{QStringLiteral(" Month Advancer"), QStringLiteral("1  Month")};
    for (int i = 2; i <= 24; ++i) {
        if (i == 12)
            entries << QStringLiteral("  1   Year");
        else if (i == 24)
            entries << QStringLiteral("   2   Years");
        else
            entries << QString::number(i) + QStringLiteral("  Months");
    }
    return entries;
}

const QStringList &colourNames()
{
    static const QStringList names{
        QStringLiteral("Black"),      QStringLiteral("Dark Blue"),   QStringLiteral("Green"),
        QStringLiteral("Cyan"),       QStringLiteral("Wine"),        QStringLiteral("Magenta"),
        QStringLiteral("Mustard"),    QStringLiteral("Light Gray"),  QStringLiteral("Dark Gray"),
        QStringLiteral("Blue"),       QStringLiteral("Light Green"), QStringLiteral("Light Cyan"),
        QStringLiteral("Red"),        QStringLiteral("Light Magenta"),
        QStringLiteral("Yellow")};
    return names;
}

// A damaged type table may hold fewer cells than the chooser needs: pad it with empty
// cells so nothing that is there is lost and the chooser still gets its 15 entries.
QString paddedTypeTable(const QString &text)
{
    QStringList cells = TextRules::splitCrLf(text);
    // The split gives one empty piece after the last CR LF; it is not a cell.
    if (!cells.isEmpty() && cells.last().isEmpty())
        cells.removeLast();
    if (cells.size() >= typeTableCells)
        return text;
    while (cells.size() < typeTableCells)
        cells << QString();
    return TextRules::joinCrLf(cells);
}

} // namespace

void frmMain::Form_Load()
{
    ::Vellum &canvas = *Vellum;

    // 1. Month advancer.
    Combo2->clear();
    Combo2->addItems(monthAdvancerEntries());
    Combo2->setCurrentIndex(0);

    // 2. Backup folder, in the working folder beside "pic".
    QDir().mkpath(QStringLiteral("backups"));

    // 3.
    RemoveCloseMenuItem();

    // 4. The working date is today.
    Calendar1->setSelectedDate(platform().today());
    Combo2->setCurrentIndex(0);

    // 5. The new-box command seeds its own generator from the clock.

    // 6.
    canvas.SetCanvasOptions(canvas.CanvasOptions() - 64);

    // 7.
    canvas.LoadDocument(QStringLiteral("pic"));

    // 8. Colour chooser.
    colour->clear();
    colour->addItems(colourNames());
    colour->setEditText(QStringLiteral(" Colour"));

    // 9. Find the start object; the last one named "Start" wins.
    bool found = false;
    const int count = canvas.ObjectCount(1);
    for (int i = 1; i <= count; ++i) {
        canvas.SetCurrentIndex(i);
        if (canvas.UserProperty(QStringLiteral("Name")) != QStringLiteral("Start"))
            continue;
        found = true;
        canvas.SetUserProperty(QStringLiteral("Info"), QStringLiteral("Start"));
        canvas.SetSelected(true);
        startObject = canvas.CurrentObject();
        Combo1->clear();
        const QString stored = canvas.UserProperty(QStringLiteral("ObjectTypes"));
        typeTableTextValue = paddedTypeTable(stored);
        if (typeTableTextValue != stored)
            canvas.SetUserProperty(QStringLiteral("ObjectTypes"), typeTableTextValue);
        const QStringList cells = TextRules::splitCrLf(typeTableTextValue);
        for (int j = 0; j <= lastTypeNameCell; j += typeNameStep)
            Combo1->addItem(cells.value(j));
    }
    Combo1->setEditText(QStringLiteral("Choose Type"));

    // 10. A document without a start object gets a new one.
    if (!found) {
        canvas.AddObject(10, 65, 35, 80, 55);
        canvas.SetSelected(true);
        startObject = canvas.CurrentObject();
        canvas.SetDrawStyle(2);
        canvas.SetUserProperty(QStringLiteral("Type"), QStringLiteral("Loadout"));
        canvas.SetUserProperty(QStringLiteral("Name"), QStringLiteral("Start"));
        canvas.SetUserProperty(QStringLiteral("Info"), QStringLiteral("Start"));
        canvas.SetUserProperty(QStringLiteral("set"), QStringLiteral("Start"));
        canvas.SetUserProperty(QStringLiteral("SaveId"), 0);
        canvas.SetUserProperty(QStringLiteral("ObjectTypes"), QString());
        canvas.SetUserProperty(QStringLiteral("Boxes"), QString());
        canvas.SetObjectText(canvas.UserProperty(QStringLiteral("Name")));
        canvas.SetUserProperty(QStringLiteral("Colour"), 3);
        ApplyFillColourRule(*this);
        canvas.SetFillMode(1);
        canvas.SetShapeParam(200);
        canvas.SetObjectRect(5, 90, 35, 135, 0);
        ApplyTextColourRule(*this);
        typeTableTextValue = TextRules::joinCrLf(QStringList(typeTableCells, QString()));
        canvas.SetSelected(true);
        canvas.SetUserProperty(QStringLiteral("ObjectTypes"), typeTableTextValue);
        canvas.SetSelected(false);
    }

    // 11.
    canvas.SetCurrentObject(startObject);
    canvas.SetSelected(true);
    boxNameText = canvas.UserProperty(QStringLiteral("Boxes"));

    // 12. Box list, alphabetical; empty names are skipped.
    locationcombo1->clear();
    for (const QString &name : TextRules::splitCrLf(boxNameText)) {
        if (!name.isEmpty())
            insertBoxName(locationcombo1, name);
    }
    locationcombo1->setEditText(QStringLiteral("Choose Box"));

    // 13.
    refreshShortcutButtons();

    // 14.
    canvas.SetCurrentObject(1);
    canvas.SetSelected(false);

    // 15. One wheel notch: from box 0 back to the last box.
    Vellum_MouseWheel(*this, 120);

    // 16.
    RestackObjects(*this);

    // 17.
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (canvas.GetObjectRect(x1, y1, x2, y2, 0)) {
        dropX = x1;
        dropY = y1;
    }

    // 18.
    AlarmReport(*this);

    // 19. The first box.
    Shortcut_Click(0);
}
