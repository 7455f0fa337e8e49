#pragma once

// The main window: the canvas Vellum, the property panel, the shortcut buttons, the
// calendar and the commands. It owns the controls, their layout and the window state that
// the handlers share; it knows no handler: app/wiring.h connects the controls to them.

#include "store/typetablehost.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>

class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class Form1;
class Platform;
class PictureBox;
class RowCover;
class Vellum;

class frmMain : public QMainWindow, public TypeTableHost
{
    Q_OBJECT

public:
    explicit frmMain(Platform *platform = nullptr);
    ~frmMain() override;

    Platform &platform() const;

    // --- window state shared by the handlers ---
    QString typeTableTextValue;    // cached "ObjectTypes" of the start object
    QString boxNameText;           // cached "Boxes": every box name followed by CR LF
    qint32 startObject = 0;        // id of the start object
    qint32 currentBox = 0;         // index into the box list of the box chosen last
    qint32 dropX = 0;              // drop point: corner of the current box's object
    qint32 dropY = 0;
    QStringList readyList;         // ready-to-move list: ids as decimal text, each once
    QByteArray shortcutFaces;      // byte i: the ShortcutFace of Shortcut[i]; none past the end

    // --- controls, named as the program names them ---
    ::Vellum *Vellum = nullptr;     // the canvas
    QLineEdit *textheader = nullptr;
    QComboBox *Combo1 = nullptr;    // type chooser
    QComboBox *colour = nullptr;    // colour chooser
    QLineEdit *txtType = nullptr;
    QLineEdit *txtName = nullptr;
    QLineEdit *txtInfo = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
              *Text5 = nullptr, *Text6 = nullptr, *Text7 = nullptr, *Text8 = nullptr,
              *Text9 = nullptr, *Text10 = nullptr, *Text11 = nullptr, *Text12 = nullptr,
              *Text13 = nullptr, *Text14 = nullptr, *Text15 = nullptr, *Text16 = nullptr,
              *Text17 = nullptr, *Text18 = nullptr;
    QLineEdit *Value = nullptr;
    QPlainTextEdit *movehistory = nullptr;
    QPushButton *SaveChanges = nullptr;
    QPushButton *Alarm = nullptr;
    QLabel *Label1 = nullptr;       // "Box"
    QLabel *Label2 = nullptr;       // "Path"
    QLabel *Label7 = nullptr;       // "Value" / "Total"
    std::array<QLabel *, 16> Label{};       // field captions of rows 0 .. 15
    std::array<RowCover *, 16> Command2{};  // row covers
    QLabel *colortext = nullptr;
    QLabel *Label19 = nullptr;      // heading of List1
    QListWidget *List1 = nullptr;
    QComboBox *locationcombo1 = nullptr;    // box list / box chooser
    PictureBox *Picture8 = nullptr;
    PictureBox *Picture12 = nullptr;
    PictureBox *Picture1 = nullptr;         // click: restack the drawing
    static constexpr int shortcutCount = 45;
    std::array<QPushButton *, shortcutCount> Shortcut {};
    QCalendarWidget *Calendar1 = nullptr;
    QComboBox *Combo2 = nullptr;    // month advancer
    QPushButton *newlocation = nullptr;
    QPushButton *newitem = nullptr;
    QPushButton *newtype = nullptr;
    QPushButton *renamelocation = nullptr;
    QLineEdit *txttagname = nullptr;
    QPushButton *btnsearch = nullptr;
    QPushButton *btnquit = nullptr;
    QPushButton *Command1 = nullptr;        // alarm report
    QPushButton *Command3 = nullptr;        // "Print"
    QPushButton *exportinventory = nullptr; // every stored object to a spreadsheet file
    QPushButton *contentssheet = nullptr;   // the current box's contents as a PDF
    QPushButton *btnundo = nullptr;
    QPushButton *btnredo = nullptr;
    // Hidden labels that carry state between handlers.
    QLabel *zLabel1 = nullptr;      // hover report: type under the pointer at release
    QLabel *zLabel7 = nullptr;      // id of the object last pressed
    QLabel *zLabel8 = nullptr;      // hover report: name under the pointer
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;

    // Text field n (1 .. 18) of the panel.
    QLineEdit *textField(int n) const;
    // The type-table editor; created on first use.
    Form1 &typeEditor();

    // Twips to pixels for the panel's positions.
    int twipsX(int twips) const;
    int twipsY(int twips) const;

    // The quit's last step, once everything is saved: closes the type editor and lets the
    // window close. Returns whether the window closed.
    bool closeForGood();

    // --- TypeTableHost ---
    QString &typeTableText() override { return typeTableTextValue; }
    qint32 startObjectId() const override { return startObject; }
    QComboBox &typeChooser() override { return *Combo1; }
    ::Vellum &canvas() override { return *Vellum; }
    void showMainWindow() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();                      // window/layout.cpp
    QWidget *buildPanel();
    QWidget *buildCommandColumn(QWidget *parent);
    void setTabOrders();                       // window/keyboard.cpp
    void setShortcutKeys();

    std::unique_ptr<Platform> mOwnedPlatform;
    Platform *mPlatform = nullptr;
    Form1 *mForm1 = nullptr;
    bool mQuitting = false;
};
