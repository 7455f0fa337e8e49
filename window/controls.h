#pragma once

// Small controls of the main window that Qt has no ready-made class for.

#include <QLabel>
#include <QPushButton>

// A picture box: shows a picture, and reports a click.
class PictureBox : public QLabel
{
    Q_OBJECT

public:
    explicit PictureBox(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

// A row cover: the orange bar that lies over a panel row without a caption. While it is
// visible the covered field cannot be seen or reached, not even with Tab.
class RowCover : public QPushButton
{
    Q_OBJECT

public:
    RowCover(QWidget *covered, QWidget *parent = nullptr);
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QWidget *mCovered = nullptr;
};

// A shortcut button: its picture is the whole face of the button, stretched to its size
// with the rounded ends kept, and the box name is written on it. Without a picture it is
// a plain push button.
class ShortcutButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // The name as it fits in width, kept: a refresh of the box list repaints every button,
    // and eliding lays the name out anew each time.
    const QString &fitted(int width);

    QString mFittedFrom;
    QString mFitted;
    QFont mFittedFont;
    int mFittedWidth = -1;
};
