#include "window/frmmain.h"

#include "canvas/vellum.h"
#include "window/controls.h"
#include "window/fieldstyle.h"
#include "window/panelrows.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Panel geometry, in twips within the panel's container.
constexpr int panelWidth = 2175;
constexpr int captionWidth = 975;
constexpr int fieldLeft = 960;
constexpr int fieldWidth = 1215;
constexpr int rowHeight = 375;
constexpr int firstTypedRowTop = 2160;
constexpr int typedRowStep = 360;

QString indexedName(const QString &name, int index)
{
    return QStringLiteral("%1(%2)").arg(name).arg(index);
}

// A combo box that shows any text while still offering its entries.
QComboBox *makeChooser(QWidget *parent, const QString &name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->lineEdit()->setReadOnly(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

} // namespace

void frmMain::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *outer = new QVBoxLayout(central);
    outer->setContentsMargins(6, 6, 6, 6);
    outer->setSpacing(6);

    // Header across the top: the selected object's name, large.
    textheader = new QLineEdit(central);
    textheader->setObjectName(QStringLiteral("textheader"));
    useFieldStyle(textheader);
    textheader->setText(QStringLiteral("Enter the Caption for each object here"));
    QFont headerFont = textheader->font();
    headerFont.setPointSizeF(headerFont.pointSizeF() * 1.5);
    headerFont.setBold(true);
    textheader->setFont(headerFont);
    textheader->setAlignment(Qt::AlignCenter);
    outer->addWidget(textheader);

    auto *middle = new QHBoxLayout;
    middle->setSpacing(6);
    outer->addLayout(middle, 1);

    // The panel: fixed rows at their twips positions, scrollable on small screens.
    middle->addWidget(buildPanel());

    // The canvas with the shortcut buttons under it.
    auto *canvasColumn = new QVBoxLayout;
    canvasColumn->setSpacing(4);
    Vellum = new ::Vellum(central);
    Vellum->setObjectName(QStringLiteral("Vellum"));
    Vellum->setMinimumSize(320, 240);
    canvasColumn->addWidget(Vellum, 1);
    auto *shortcuts = new QWidget(central);
    shortcuts->setObjectName(QStringLiteral("shortcuts"));
    auto *shortcutGrid = new QGridLayout(shortcuts);
    shortcutGrid->setContentsMargins(0, 0, 0, 0);
    shortcutGrid->setSpacing(2);
    constexpr int shortcutColumns = 9;
    for (int i = 0; i < int(Shortcut.size()); ++i) {
        auto *button = new ShortcutButton(shortcuts);
        button->setObjectName(indexedName(QStringLiteral("Shortcut"), i));
        button->setMinimumWidth(60);
        button->setIconSize(QSize(16, 16));
        button->setToolTip(tr("Show this box"));
        button->hide();
        shortcutGrid->addWidget(button, i / shortcutColumns, i % shortcutColumns);
        Shortcut[size_t(i)] = button;
    }
    canvasColumn->addWidget(shortcuts);
    middle->addLayout(canvasColumn, 1);

    // The command column.
    middle->addWidget(buildCommandColumn(central));

    // Hidden labels that carry state between the handlers.
    auto makeHidden = [central](const QString &name) {
        auto *label = new QLabel(central);
        label->setObjectName(name);
        label->hide();
        return label;
    };
    zLabel1 = makeHidden(QStringLiteral("zLabel1"));
    zLabel7 = makeHidden(QStringLiteral("zLabel7"));
    zLabel8 = makeHidden(QStringLiteral("zLabel8"));
    Label5 = makeHidden(QStringLiteral("Label5"));
    Label6 = makeHidden(QStringLiteral("Label6"));

    setTabOrders();
    setShortcutKeys();
}

QWidget *frmMain::buildPanel()
{
    auto *panel = new QWidget;
    panel->setObjectName(QStringLiteral("panel"));
    auto place = [this](QWidget *w, int left, int top, int width, int height) {
        w->setGeometry(twipsX(left), twipsY(top), twipsX(width), twipsY(height));
    };
    auto makeField = [panel](const QString &name) {
        auto *field = new PanelField(panel);
        field->setObjectName(name);
        useFieldStyle(field);
        return field;
    };
    auto makeLabel = [panel](const QString &name, const QString &text) {
        auto *label = new PanelCaption(text, panel);
        label->setObjectName(name);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    };

    txtType = makeField(QStringLiteral("txtType"));
    txtType->setToolTip(tr("What kind of thing the selected shape is"));
    place(txtType, 0, 0, panelWidth, 330);
    txtName = makeField(QStringLiteral("txtName"));
    txtName->setToolTip(tr("The selected shape's name"));
    place(txtName, 0, 360, panelWidth, 330);
    Combo1 = makeChooser(panel, QStringLiteral("Combo1"));
    Combo1->setEditText(QStringLiteral("Choose Type"));
    Combo1->setToolTip(tr("Give the selected object a type: its colour and field captions"));
    place(Combo1, 0, 720, panelWidth, 330);

    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Box"));
    place(Label1, 0, 1080, captionWidth, rowHeight);
    txtInfo = makeField(QStringLiteral("txtInfo"));
    place(txtInfo, fieldLeft, 1080, fieldWidth, rowHeight);
    Label2 = makeLabel(QStringLiteral("Label2"), QStringLiteral("Path"));
    place(Label2, 0, 1440, captionWidth, rowHeight);
    Text1 = makeField(QStringLiteral("Text1"));
    place(Text1, fieldLeft, 1440, fieldWidth, rowHeight);
    Alarm = new QPushButton(QStringLiteral("Alarm"), panel);
    Alarm->setObjectName(QStringLiteral("Alarm"));
    Alarm->setToolTip(tr("Set the calendar's date as the selected object's alarm date"));
    place(Alarm, 0, 1800, captionWidth - 30, rowHeight);
    Text18 = makeField(QStringLiteral("Text18"));
    Text18->setToolTip(tr("Alarm date"));
    place(Text18, fieldLeft, 1800, fieldWidth, rowHeight);

    const std::array<QLineEdit **, 16> typed = {&Text2,  &Text3,  &Text4,  &Text5,
                                                &Text6,  &Text7,  &Text8,  &Text9,
                                                &Text10, &Text11, &Text12, &Text13,
                                                &Text14, &Text15, &Text16, &Text17};
    for (int i = 0; i < 16; ++i) {
        const int top = firstTypedRowTop + typedRowStep * i;
        Label[size_t(i)] = makeLabel(indexedName(QStringLiteral("Label"), i), QString());
        place(Label[size_t(i)], 0, top, captionWidth, rowHeight);
        *typed[size_t(i)] = makeField(QStringLiteral("Text%1").arg(i + 2));
        place(*typed[size_t(i)], fieldLeft, top, fieldWidth, rowHeight);
    }
    for (int i = 0; i < 16; ++i) {
        // Created after the rows so that they lie on top of them.
        auto *cover = new RowCover(*typed[size_t(i)], panel);
        cover->setObjectName(indexedName(QStringLiteral("Command2"), i));
        place(cover, 0, firstTypedRowTop + typedRowStep * i, panelWidth, rowHeight);
        cover->setVisible(true);
        Command2[size_t(i)] = cover;
    }

    Label7 = makeLabel(QStringLiteral("Label7"), QStringLiteral("Value"));
    place(Label7, 0, 7920, captionWidth, 435);
    Value = makeField(QStringLiteral("Value"));
    place(Value, fieldLeft, 7920, fieldWidth, 435);
    SaveChanges = new QPushButton(QStringLiteral("Save Changes"), panel);
    SaveChanges->setObjectName(QStringLiteral("SaveChanges"));
    SaveChanges->setToolTip(tr("Store the edited movement history in the selected object"));
    place(SaveChanges, 0, 8380, panelWidth, rowHeight);
    movehistory = new QPlainTextEdit(panel);
    movehistory->setObjectName(QStringLiteral("movehistory"));
    movehistory->setToolTip(tr("Movement history: every move into a box, with its date"));
    QPalette historyPalette = movehistory->palette();
    historyPalette.setColor(QPalette::Base, Qt::white);
    movehistory->setPalette(historyPalette);
    place(movehistory, 0, 8760, panelWidth, 2295);
    panel->setFixedSize(twipsX(panelWidth), twipsY(8760 + 2295));

    auto *panelScroll = new QScrollArea;
    panelScroll->setObjectName(QStringLiteral("panelScroll"));
    panelScroll->setWidget(panel);
    panelScroll->setFrameShape(QFrame::NoFrame);
    panelScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelScroll->setFixedWidth(twipsX(panelWidth) + 18);
    return panelScroll;
}

QWidget *frmMain::buildCommandColumn(QWidget *parent)
{
    auto *side = new QWidget(parent);
    side->setObjectName(QStringLiteral("commands"));
    side->setFixedWidth(240);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->setSpacing(4);
    auto makeButton = [side](const QString &name, const QString &text, const QString &tip) {
        auto *button = new QPushButton(text, side);
        button->setObjectName(name);
        button->setToolTip(tip);
        return button;
    };
    newlocation = makeButton(QStringLiteral("newlocation"), tr("New Box"),
                             tr("Make a new box with a name of your choice"));
    newitem = makeButton(QStringLiteral("newitem"), tr("New Object"),
                         tr("Put a new object into the current box"));
    newtype = makeButton(QStringLiteral("newtype"), tr("Object Types"),
                         tr("Edit the object types and their field captions"));
    renamelocation = makeButton(QStringLiteral("renamelocation"), tr("Rename Box"),
                                tr("Give the current box a new name, everywhere at once"));
    auto *row1 = new QHBoxLayout;
    row1->addWidget(newlocation);
    row1->addWidget(newitem);
    sideLayout->addLayout(row1);
    btnundo = makeButton(QStringLiteral("btnundo"), tr("Undo"), tr("Nothing to undo"));
    btnredo = makeButton(QStringLiteral("btnredo"), tr("Redo"), tr("Nothing to redo"));
    btnundo->setEnabled(false);
    btnredo->setEnabled(false);
    auto *undoRow = new QHBoxLayout;
    undoRow->addWidget(btnundo);
    undoRow->addWidget(btnredo);
    sideLayout->addLayout(undoRow);
    auto *row2 = new QHBoxLayout;
    row2->addWidget(newtype);
    row2->addWidget(renamelocation);
    sideLayout->addLayout(row2);

    colour = makeChooser(side, QStringLiteral("colour"));
    colour->setEditText(QStringLiteral(" Colour"));
    colour->setToolTip(tr("Colour the selected object"));
    colortext = new QLabel(side);
    colortext->setObjectName(QStringLiteral("colortext"));
    colortext->setToolTip(tr("The selected object's colour number"));
    colortext->setFixedWidth(28);
    colortext->setAlignment(Qt::AlignCenter);
    auto *colourRow = new QHBoxLayout;
    colourRow->addWidget(colour, 1);
    colourRow->addWidget(colortext);
    sideLayout->addLayout(colourRow);

    auto *searchRow = new QHBoxLayout;
    txttagname = new QLineEdit(side);
    txttagname->setObjectName(QStringLiteral("txttagname"));
    useFieldStyle(txttagname);
    txttagname->setPlaceholderText(tr("Name to search for"));
    txttagname->setToolTip(tr("Type a name, or part of one, and press Enter to search"));
    btnsearch = makeButton(QStringLiteral("btnsearch"), tr("Search"),
                           tr("List every object whose name contains the search text"));
    searchRow->addWidget(txttagname, 1);
    searchRow->addWidget(btnsearch);
    sideLayout->addLayout(searchRow);

    Calendar1 = new QCalendarWidget(side);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setGridVisible(false);
    Calendar1->setToolTip(tr("The working date: alarms and moves use it"));
    Calendar1->setMaximumHeight(190);
    // The calendar keeps its height when the result list comes and goes.
    Calendar1->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    sideLayout->addWidget(Calendar1);
    Combo2 = new QComboBox(side);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setToolTip(tr("Move the calendar forward by whole months"));
    Command1 = makeButton(QStringLiteral("Command1"), tr("Alarms"),
                          tr("List the objects whose alarm date has come"));
    auto *alarmRow = new QHBoxLayout;
    alarmRow->addWidget(Combo2, 1);
    alarmRow->addWidget(Command1);
    sideLayout->addLayout(alarmRow);

    Label19 = new QLabel(QStringLiteral("Objects ready to move"), side);
    Label19->setObjectName(QStringLiteral("Label19"));
    QFont headingFont = Label19->font();
    headingFont.setBold(true);
    Label19->setFont(headingFont);
    sideLayout->addWidget(Label19);
    Picture8 = new PictureBox(side);
    Picture8->setObjectName(QStringLiteral("Picture8"));
    Picture8->setFixedHeight(4);
    Picture8->setStyleSheet(QStringLiteral("background: #5a5a5a;"));
    Picture8->hide();
    sideLayout->addWidget(Picture8);
    List1 = new QListWidget(side);
    List1->setObjectName(QStringLiteral("List1"));
    // Long names wrap instead of needing a sideways scroll.
    List1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    List1->setWordWrap(true);
    List1->hide();
    sideLayout->addWidget(List1, 1);
    Picture12 = new PictureBox(side);
    Picture12->setObjectName(QStringLiteral("Picture12"));
    Picture12->setText(tr("Move them into:"));
    Picture12->hide();
    sideLayout->addWidget(Picture12);
    locationcombo1 = makeChooser(side, QStringLiteral("locationcombo1"));
    locationcombo1->setEditText(QStringLiteral("Choose Box"));
    locationcombo1->setToolTip(tr("Choose the box that the waiting objects go into"));
    locationcombo1->hide();
    sideLayout->addWidget(locationcombo1);
    sideLayout->addStretch(0);

    Picture1 = new PictureBox(side);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setText(tr("Tidy the drawing"));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setFrameShape(QFrame::StyledPanel);
    Picture1->setCursor(Qt::PointingHandCursor);
    Picture1->setToolTip(tr("Draw every stored object above the boxes again"));
    sideLayout->addWidget(Picture1);
    exportinventory = makeButton(QStringLiteral("exportinventory"), tr("Export…"),
                                 tr("Write every stored object to a spreadsheet (CSV) file"));
    contentssheet = makeButton(QStringLiteral("contentssheet"), tr("Contents Sheet…"),
                               tr("Write a printable list (PDF) of what the current box "
                                  "holds, with its total"));
    auto *exportRow = new QHBoxLayout;
    exportRow->addWidget(exportinventory);
    exportRow->addWidget(contentssheet);
    sideLayout->addLayout(exportRow);
    Command3 = makeButton(QStringLiteral("Command3"), QStringLiteral("Print"),
                          tr("Print this window on the default printer"));
    btnquit = makeButton(QStringLiteral("btnquit"), tr("Save && Quit"),
                         tr("Save everything, with a numbered backup, and quit"));
    auto *lastRow = new QHBoxLayout;
    lastRow->addWidget(Command3);
    lastRow->addWidget(btnquit);
    sideLayout->addLayout(lastRow);
    return side;
}
