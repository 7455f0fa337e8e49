#include "window/frmmain.h"

#include "canvas/vellum.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>

#include <vector>

// Tab walks down the panel, then through the commands, then the drawing and the box
// buttons, and round again to the header. Rows under a cover take no focus, so Tab
// passes over them.
void frmMain::setTabOrders()
{
    std::vector<QWidget *> chain = {txtType, txtName, Combo1, txtInfo, Text1, Alarm, Text18,
                                    Text2,   Text3,   Text4,  Text5,   Text6, Text7, Text8,
                                    Text9,   Text10,  Text11, Text12,  Text13, Text14, Text15,
                                    Text16,  Text17,  Value,  SaveChanges, movehistory,
                                    newlocation, newitem, btnundo, btnredo, newtype, colour,
                                    txttagname, btnsearch, Calendar1, Combo2, Command1, List1,
                                    locationcombo1, exportinventory, contentssheet,
                                    Command3, btnquit, Vellum};
    for (QPushButton *button : Shortcut)
        chain.push_back(button);
    chain.push_back(textheader);
    for (size_t i = 0; i + 1 < chain.size(); ++i)
        setTabOrder(chain[i], chain[i + 1]);
    // The movement history takes Tab as the next field, not as a character.
    movehistory->setTabChangesFocus(true);
}

// Keys for the commands used most. The buttons keep their captions.
void frmMain::setShortcutKeys()
{
    const auto keyFor = [](QPushButton *button, const QKeySequence &keys) {
        button->setShortcut(keys);
        button->setToolTip(button->toolTip() + QStringLiteral(" (")
                           + keys.toString(QKeySequence::NativeText) + QStringLiteral(")"));
    };
    keyFor(newlocation, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    keyFor(newitem, QKeySequence(Qt::CTRL | Qt::Key_N));
    keyFor(newtype, QKeySequence(Qt::CTRL | Qt::Key_T));
    keyFor(renamelocation, QKeySequence(Qt::Key_F2));
    keyFor(Command1, QKeySequence(Qt::CTRL | Qt::Key_L));
    keyFor(Command3, QKeySequence::Print);
    keyFor(exportinventory, QKeySequence(Qt::CTRL | Qt::Key_E));
    keyFor(contentssheet, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    keyFor(btnquit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    // Undo and Redo: while a text field has the focus, it takes Ctrl+Z for its own text.
    const auto clickOn = [this](QPushButton *button, const QKeySequence &keys) {
        auto *shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, button, &QPushButton::click);
    };
    clickOn(btnundo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    clickOn(btnredo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    clickOn(btnredo, QKeySequence(Qt::CTRL | Qt::Key_Y));

    // Ctrl+F goes to the search field, ready for a name; Enter there searches.
    auto *find = new QShortcut(QKeySequence::Find, this);
    connect(find, &QShortcut::activated, this, [this] {
        txttagname->setFocus(Qt::ShortcutFocusReason);
        txttagname->selectAll();
    });
    txttagname->setToolTip(txttagname->toolTip() + QStringLiteral(" (")
                           + QKeySequence(QKeySequence::Find).toString(QKeySequence::NativeText)
                           + QStringLiteral(")"));
}
