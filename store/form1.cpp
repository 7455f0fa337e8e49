#include "store/form1.h"

#include "canvas/vellum.h"
#include "store/rules/palette.h"
#include "store/rules/textrules.h"
#include "store/screenfit.h"
#include "store/typetablehost.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::Literals::StringLiterals;

namespace {

// The grid sits right of the row headings and below the column headings.
constexpr int gridShiftX = 1080;
constexpr int gridShiftY = 420;
constexpr int cellHeight = 375;
constexpr int headingTop = 120;
constexpr int headingHeight = 300;
constexpr int rowHeadingLeft = 120;
constexpr int margin = 360;

int columnLeft(int column)
{
    return gridShiftX + (column == 0 ? 360 : 1440 + 960 * (column - 1));
}

int columnWidth(int column)
{
    return column == 0 ? 1035 : 915;
}

int rowTop(int row)
{
    return gridShiftY + (row == 0 ? 120 : 840 + 600 * (row - 1));
}

QFont editorFont()
{
    const QString smallFonts = u"Small Fonts"_s;
    if (QFontDatabase::families().contains(smallFonts))
        return QFont(smallFonts, 7);
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

} // namespace

Form1::Form1(TypeTableHost &host, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , mHost(host)
{
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Object Types"_s);
    // Closing the editor while the main window is hidden must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    buildControls();
}

Form1::~Form1() = default;

QRect Form1::cellTwips(int index)
{
    const int column = index / CellsPerType;
    const int row = index % CellsPerType;
    return QRect(columnLeft(column), rowTop(row), columnWidth(column), cellHeight);
}

QRect Form1::toPixels(const QRect &twips) const
{
    const double sx = logicalDpiX() / 1440.0;
    const double sy = logicalDpiY() / 1440.0;
    const int left = int(std::lround(twips.x() * sx));
    const int top = int(std::lround(twips.y() * sy));
    const int right = int(std::lround((twips.x() + twips.width()) * sx));
    const int bottom = int(std::lround((twips.y() + twips.height()) * sy));
    return QRect(left, top, right - left, bottom - top);
}

void Form1::buildControls()
{
    const QFont font = editorFont();
    // The grid keeps its twips layout inside a scroll area, so a small screen scrolls it
    // while the save button stays in view below it.
    auto *grid = new QWidget;
    grid->setObjectName(u"grid"_s);

    for (int k = 0; k < TypeCount; ++k) {
        auto *heading = new QLabel(u"Type %1"_s.arg(k + 1), grid);
        heading->setObjectName(u"TypeHeading(%1)"_s.arg(k));
        heading->setFont(font);
        heading->setAlignment(Qt::AlignCenter);
        heading->setAutoFillBackground(true);
        const QColor fill = Palette::colour(k).value_or(Qt::white);
        QPalette colours = heading->palette();
        colours.setColor(QPalette::Window, fill);
        colours.setColor(QPalette::WindowText, Palette::readableOn(fill));
        heading->setPalette(colours);
        heading->setToolTip(u"Objects of this type take this colour"_s);
        heading->setGeometry(
            toPixels(QRect(columnLeft(k), headingTop, columnWidth(k), headingHeight)));
    }

    for (int row = 0; row < CellsPerType; ++row) {
        auto *heading = new QLabel(row == 0 ? u"Name"_s : u"Field %1"_s.arg(row), grid);
        heading->setObjectName(u"RowHeading(%1)"_s.arg(row));
        heading->setFont(font);
        heading->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        heading->setGeometry(toPixels(QRect(rowHeadingLeft, rowTop(row),
                                            columnLeft(0) - rowHeadingLeft - 90, cellHeight)));
    }

    // Made column by column, so Tab walks down a type: its name, then its captions.
    for (int i = 0; i < CellCount; ++i) {
        auto *cell = new QLineEdit(grid);
        cell->setObjectName(u"Text1(%1)"_s.arg(i));
        cell->setFont(font);
        cell->setGeometry(toPixels(cellTwips(i)));
        Text1[i] = cell;
    }
    const QRect lastCell = cellTwips(CellCount - 1);
    grid->setFixedSize(
        toPixels(QRect(0, 0, lastCell.right() + 1 + margin, lastCell.bottom() + 1 + 120))
            .size());

    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(u"gridScroll"_s);
    scroll->setWidget(grid);
    scroll->setFrameShape(QFrame::NoFrame);

    Command1 = new QPushButton(u"Save"_s, this);
    Command1->setObjectName(u"Command1"_s);
    Command1->setToolTip(u"Save the object types and go back to the main window"_s);
    Command1->setMinimumSize(toPixels(QRect(0, 0, columnWidth(0), 450)).size());
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    auto *hint = new QLabel(u"Esc closes without saving"_s, this);
    hint->setObjectName(u"closeHint"_s);
    hint->setEnabled(false);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(toPixels(QRect(0, 0, columnLeft(0), 0)).width(), 0, 0, 0);
    buttons->addWidget(Command1);
    buttons->addSpacing(12);
    buttons->addWidget(hint);
    buttons->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(8);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    // Escape is the window's Close: the edits are dropped.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    // The whole grid when the screen has room; showing the window bounds it to the screen.
    resize(grid->width() + scroll->verticalScrollBar()->sizeHint().width(),
           grid->height() + layout->spacing() + Command1->minimumHeight() + 8);
}

void Form1::Form_Load()
{
    ::Vellum &canvas = mHost.canvas();
    canvas.SetCurrentObject(mHost.startObjectId());
    canvas.SetSelected(true);
    mHost.typeTableText() = canvas.UserProperty(u"ObjectTypes"_s);
    const QStringList cells = TextRules::splitCrLf(mHost.typeTableText());
    // A short (damaged) table leaves the boxes it does not reach as they were.
    for (int i = 0; i < CellCount && i < cells.size(); ++i)
        Text1[i]->setText(cells[i]);
    canvas.SetSelected(false);
}

void Form1::Command1_Click()
{
    QComboBox &chooser = mHost.typeChooser();
    QString &table = mHost.typeTableText();
    {
        // Refilling the chooser is not a choice of type for the current object: no handler
        // runs, and the chooser keeps showing the type name it showed.
        const QSignalBlocker blocker(chooser);
        const QString shown = chooser.currentText();
        chooser.clear();
        table.clear();
        for (int i = 0; i < CellCount; i += CellsPerType)
            chooser.addItem(Text1[i]->text());
        if (chooser.isEditable())
            chooser.setEditText(shown);
        else
            chooser.setCurrentIndex(-1);
    }
    QStringList cells;
    for (int i = 0; i < CellCount; ++i)
        cells << Text1[i]->text();
    table = TextRules::joinCrLf(cells);

    ::Vellum &canvas = mHost.canvas();
    canvas.SetCurrentObject(mHost.startObjectId());
    canvas.SetSelected(true);
    canvas.SetUserProperty(u"ObjectTypes"_s, table);

    close();
    mHost.showMainWindow();
    canvas.SetSelected(false);
}

void Form1::showEvent(QShowEvent *event)
{
    fitOnScreen(*this);
    if (mLoadPending) {
        mLoadPending = false;
        Form_Load();
    }
    QWidget::showEvent(event);
}

void Form1::closeEvent(QCloseEvent *event)
{
    // Edits not saved are dropped: the next opening reloads the table from the start object.
    const bool wasOpen = isVisible();
    mLoadPending = true;
    event->accept();
    if (wasOpen)
        mHost.showMainWindow();
}
