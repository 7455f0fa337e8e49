#pragma once

// The panel's captions and fields. Its rows overlap by a pixel, so the repaint of one row,
// at every keystroke in its field, also paints a pixel's edge of the rows beside it. These
// paint only what lies in such an edge.

#include <QLabel>
#include <QLineEdit>

class PanelCaption : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Where the caption's text lies, or a null rect when it is not plain text alone.
    QRect textArea();

    struct Area
    {
        QString text;
        QFont font;
        QRect contents;
        Qt::Alignment alignment;
        QRect area;
    };
    Area mArea; // laid out again only when what it depends on changes
};

class PanelField : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent *event) override;
};
