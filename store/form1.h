#pragma once

// The type-table editor: one column per object type, the type's name on top and its 16
// field captions below, cell i in Text1(i). It works on the main window through
// TypeTableHost. Each time it opens after having been closed it reloads the table from the
// start object; Save writes the table back and refills the type chooser. Closing it any
// other way discards the edits. Either way the main window comes back.

#include <QRect>
#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;
class TypeTableHost;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int CellCount = 255;
    static constexpr int CellsPerType = 17;
    static constexpr int TypeCount = 15;

    explicit Form1(TypeTableHost &host, QWidget *parent = nullptr);
    ~Form1() override;

    std::array<QLineEdit *, CellCount> Text1{};
    QPushButton *Command1 = nullptr;     // "Save"

    void Form_Load();
    void Command1_Click();

    // Where cell i lies on the window, in twips.
    static QRect cellTwips(int index);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    QRect toPixels(const QRect &twips) const;

    TypeTableHost &mHost;
    bool mLoadPending = true;
};
