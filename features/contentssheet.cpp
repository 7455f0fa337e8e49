#include "features/export.h"

#include "canvas/vellum.h"
#include "store/rules/textrules.h"
#include "window/frmmain.h"
#include "window/platform.h"

#include <QComboBox>
#include <QDir>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cmath>

namespace {

// Columns of the table, as shares of the page's width.
struct Column
{
    const char *heading;
    double share;
    Qt::Alignment align;
};
constexpr Column columns[] = {{"Name", 0.42, Qt::AlignLeft},
                              {"Type", 0.22, Qt::AlignLeft},
                              {"Value", 0.14, Qt::AlignRight},
                              {"Alarm date", 0.22, Qt::AlignLeft}};

// Draws the sheet: box name and date on top of every page, the table header, the rows,
// the total after the last row and the page number at the foot of every page.
class SheetPainter
{
public:
    SheetPainter(QPdfWriter &writer, const QString &box, const QString &date)
        : mWriter(writer), mBox(box), mDate(date)
    {
    }

    QString paint(const QList<Export::Item> &items, const QString &total)
    {
        if (!mPainter.begin(&mWriter))
            return QStringLiteral("the PDF writer could not start");
        mPage = QRectF(QPointF(0, 0), mWriter.pageLayout().paintRectPixels(mWriter.resolution())
                                          .size());
        mTitleFont = font(20, true);
        mTextFont = font(10, false);
        mBoldFont = font(10, true);
        mRow = QFontMetricsF(mTextFont, &mWriter).height() * 1.5;
        mTop = QFontMetricsF(mTitleFont, &mWriter).height() + 3 * mRow;
        const int perPage = std::max(1, int((mPage.height() - mTop - 2 * mRow) / mRow));
        // The total takes two rows: a gap and its line.
        const int lines = int(items.size()) + 2;
        mPages = (lines + perPage - 1) / perPage;

        int line = 0;
        startPage();
        for (const Export::Item &item : items) {
            if (line == perPage) {
                mWriter.newPage();
                startPage();
                line = 0;
            }
            drawRow(line++, {item.name, item.type, item.value, item.alarm}, mTextFont);
        }
        if (line + 2 > perPage) {
            mWriter.newPage();
            startPage();
            line = 0;
        }
        if (items.isEmpty())
            drawRow(line, {QStringLiteral("This box is empty.")}, mTextFont);
        drawRow(line + 1, {QStringLiteral("Box total"), QString(), total}, mBoldFont);
        return mPainter.end() ? QString() : QStringLiteral("the PDF could not be finished");
    }

private:
    QFont font(double points, bool bold) const
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(points);
        f.setBold(bold);
        return f;
    }

    void startPage()
    {
        ++mPageNumber;
        mPainter.setPen(Qt::black);
        mPainter.setFont(mTitleFont);
        const double titleHeight = QFontMetricsF(mTitleFont, &mWriter).height();
        const QRectF title(0, 0, mPage.width(), titleHeight);
        mPainter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                          QFontMetricsF(mTitleFont, &mWriter)
                              .elidedText(mBox, Qt::ElideRight, mPage.width()));
        mPainter.setFont(mTextFont);
        mPainter.drawText(QRectF(0, titleHeight, mPage.width(), mRow),
                          Qt::AlignLeft | Qt::AlignVCenter,
                          QStringLiteral("Contents on %1").arg(mDate));
        QStringList headings;
        for (const Column &c : columns)
            headings << QString::fromLatin1(c.heading);
        drawRow(-1, headings, mBoldFont);
        const double rule = mTop - 0.1 * mRow;
        mPainter.drawLine(QPointF(0, rule), QPointF(mPage.width(), rule));
        mPainter.setFont(mTextFont);
        mPainter.drawText(QRectF(0, mPage.height() - mRow, mPage.width(), mRow),
                          Qt::AlignRight | Qt::AlignVCenter,
                          QStringLiteral("Page %1 of %2").arg(mPageNumber).arg(mPages));
    }

    // Row line of the page's table; -1 is the header row. Long texts are cut short.
    void drawRow(int line, const QStringList &cells, const QFont &font)
    {
        mPainter.setFont(font);
        const QFontMetricsF metrics(font, &mWriter);
        const double gap = metrics.averageCharWidth();
        double x = 0;
        const double y = mTop + line * mRow;
        for (qsizetype i = 0; i < cells.size() && i < qsizetype(std::size(columns)); ++i) {
            const double width = columns[i].share * mPage.width();
            const QRectF cell(x, y, width - gap, mRow);
            const QString text = metrics.elidedText(cells.at(i), Qt::ElideRight, cell.width());
            mPainter.drawText(cell, columns[i].align | Qt::AlignVCenter, text);
            x += width;
        }
    }

    QPdfWriter &mWriter;
    QPainter mPainter;
    QString mBox, mDate;
    QRectF mPage;
    QFont mTitleFont, mTextFont, mBoldFont;
    double mRow = 0, mTop = 0;
    int mPages = 1, mPageNumber = 0;
};

// A box name made fit to be a file name.
QString fileNameOf(const QString &box)
{
    QString name = box;
    for (QChar &c : name) {
        if (c == u'/' || c == u'\\' || c == u':' || c.category() == QChar::Other_Control)
            c = u'-';
    }
    return name.trimmed().isEmpty() ? QStringLiteral("Box") : name.trimmed();
}

} // namespace

void contentssheet_Click(frmMain &form)
{
    const int index = form.currentBox;
    if (index < 0 || index >= form.locationcombo1->count()) {
        form.platform().message(QStringLiteral("There is no Box to make a contents sheet for"));
        return;
    }
    const QString box = form.locationcombo1->itemText(index);
    const QString file = Export::askFileName(
        form, QStringLiteral("Contents sheet of %1").arg(box),
        QDir::current().filePath(fileNameOf(box) + QStringLiteral(" contents.pdf")),
        QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return;

    QList<Export::Item> items = Export::storedItems(*form.Vellum, &box);
    double total = 0;
    for (Export::Item &item : items) {
        total += TextRules::valueNumber(item.value);
        if (!item.alarm.isEmpty() && TextRules::isDate(item.alarm))
            item.alarm = TextRules::shortDateText(TextRules::readDateTime(item.alarm)->date());
    }
    const QString date = TextRules::shortDateText(form.platform().today());
    Export::writeWhole(form, file, [&](QIODevice &out) {
        QPdfWriter writer(&out);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Contents of %1").arg(box));
        writer.setCreator(Platform::title());
        return SheetPainter(writer, box, date).paint(items, TextRules::numberText(total));
    });
}
