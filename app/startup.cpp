#include "app/wiring.h"

#include "canvas/model/journalfile.h"
#include "canvas/vellum.h"
#include "features/features.h"
#include "features/journal.h"
#include "features/undo.h"
#include "move/move.h"
#include "store/form1.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

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

void Form_Load(frmMain &form)
{
    ::Vellum &canvas = *form.Vellum;

    // 1. Month advancer.
    form.Combo2->clear();
    form.Combo2->addItems(monthAdvancerEntries());
    form.Combo2->setCurrentIndex(0);

    // 2. Backup folder, in the working folder beside "pic".
    QDir().mkpath(QStringLiteral("backups"));

    // 3.
    RemoveCloseMenuItem(form);

    // 4. The working date is today.
    form.Calendar1->setSelectedDate(form.platform().today());
    form.Combo2->setCurrentIndex(0);

    // 5. The new-box command seeds its own generator from the clock.

    // 6.
    canvas.SetCanvasOptions(canvas.CanvasOptions() - 64);

    // 7.
    // The journal belongs to the file the document was read from: "pic", or the backup
    // opened in place of a damaged one (so that it is never applied to another document).
    const JournalOrigin origin = JournalOrigin::of(OpenDocument(form));

    // 8. Colour chooser.
    form.colour->clear();
    form.colour->addItems(colourNames());
    form.colour->setEditText(QStringLiteral(" Colour"));

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
        form.startObject = canvas.CurrentObject();
        form.Combo1->clear();
        const QString stored = canvas.UserProperty(QStringLiteral("ObjectTypes"));
        // Only the window's copy is padded: the document changes when the user saves the
        // type table, never by being opened.
        form.typeTableTextValue = paddedTypeTable(stored);
        const QStringList cells = TextRules::splitCrLf(form.typeTableTextValue);
        for (int j = 0; j <= lastTypeNameCell; j += typeNameStep)
            form.Combo1->addItem(cells.value(j));
    }
    form.Combo1->setEditText(QStringLiteral("Choose Type"));

    // 10. A document without a start object gets a new one.
    if (!found) {
        canvas.AddObject(10, 65, 35, 80, 55);
        canvas.SetSelected(true);
        form.startObject = canvas.CurrentObject();
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
        ApplyFillColourRule(form);
        canvas.SetFillMode(1);
        canvas.SetShapeParam(200);
        canvas.SetObjectRect(5, 90, 35, 135, 0);
        ApplyTextColourRule(form);
        form.typeTableTextValue = TextRules::joinCrLf(QStringList(typeTableCells, QString()));
        canvas.SetSelected(true);
        canvas.SetUserProperty(QStringLiteral("ObjectTypes"), form.typeTableTextValue);
        canvas.SetSelected(false);
    }

    // 11.
    canvas.SetCurrentObject(form.startObject);
    canvas.SetSelected(true);
    form.boxNameText = canvas.UserProperty(QStringLiteral("Boxes"));

    // 12. Box list, alphabetical; empty names are skipped.
    form.locationcombo1->clear();
    for (const QString &name : TextRules::splitCrLf(form.boxNameText)) {
        if (!name.isEmpty())
            insertBoxName(form.locationcombo1, name);
    }
    form.locationcombo1->setEditText(QStringLiteral("Choose Box"));

    // 13.
    refreshShortcutButtons(form);

    // 14.
    canvas.SetCurrentObject(1);
    canvas.SetSelected(false);

    // 15. One wheel notch: from box 0 back to the last box.
    Vellum_MouseWheel(form, 120);

    // 16.
    RestackObjects(form);

    // 17.
    qint32 x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (canvas.GetObjectRect(x1, y1, x2, y2, 0)) {
        form.dropX = x1;
        form.dropY = y1;
    }

    // 18.
    AlarmReport(form);

    // 19. The first box.
    Shortcut_Click(form, 0);

    // What start-up changed is where the history begins.
    resetUndo(form);

    // The changes of a session that did not end with Save & Quit are offered back.
    startJournal(form, origin);
}

void RemoveCloseMenuItem(frmMain &form)
{
    // The title bar keeps its other buttons; without the customise hint the window
    // manager would put every default button back.
    Qt::WindowFlags flags = form.windowFlags() | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                            | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint;
    flags &= ~Qt::WindowCloseButtonHint;
    form.setWindowFlags(flags);
}
