// The inventory taken out: Export… writes every stored object to a CSV file that reads
// back field for field; Contents Sheet… writes the current box as a PDF of A4 pages. Both
// ask for the file name, write whole or not at all, and change nothing in the document.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// RFC 4180: quoted fields may hold commas, doubled quotes and line breaks; rows end CR LF.
QList<QStringList> readCsv(const QString &text)
{
    QList<QStringList> rows(1);
    QString cell;
    bool quoted = false;
    const auto next = [&text](qsizetype i) { return text.mid(i + 1, 1); };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == u'"' && next(i) == u'"')
            cell += text.at(++i);
        else if (c == u'"')
            quoted = !quoted;
        else if (!quoted && c == u',')
            rows.last() << std::exchange(cell, {});
        else if (!quoted && c == u'\r' && next(i) == u'\n') {
            rows.last() << std::exchange(cell, {});
            rows.append(QStringList());
            ++i;
        } else
            cell += c;
    }
    rows.removeLast();   // after the last CR LF
    return rows;
}

QString run(const QString &tool, const QStringList &arguments)
{
    QProcess p;
    p.start(tool, arguments);
    return p.waitForFinished() ? QString::fromUtf8(p.readAllStandardOutput()) : QString();
}

QString item(int i)
{
    return u"Item %1"_s.arg(i, 3, 10, QChar(u'0'));
}

// Starts on doc and exports through the button: the file's bytes.
QByteArray exported(Harness &h, DocumentBuilder &doc)
{
    h.startOn(doc);
    const QString file = h.folder.file(u"all.csv"_s);
    h.platform->fileNames << file;
    QTest::mouseClick(h.form->exportinventory, Qt::LeftButton);
    return fileBytes(file);
}

QString types()
{
    QStringList cells(255);
    cells[0] = u"Book"_s, cells[1] = u"Author"_s, cells[2] = u"Year"_s;
    cells[17] = u"Tool"_s, cells[18] = u"Brand"_s, cells[20] = u"Year"_s;
    cells[34] = u"Art"_s, cells[35] = u"Artist"_s;
    return TextRules::joinCrLf(cells);
}

} // namespace

class ExportTest : public QObject
{
    Q_OBJECT

private slots:
    void exportReadsBack()
    {
        DocumentBuilder doc;
        doc.startObject({u"Garage"_s}, u"0"_s, types());
        doc.box(u"Garage"_s, 100, 100);
        doc.storedObject(u"Hobbit"_s, u"Garage"_s, 110, 110,
                         {{u"set"_s, u"Book"_s}, {u"TypeIndex"_s, u"1"_s}, {u"2"_s, u"Tolkien"_s},
                          {u"3"_s, u"1937"_s}, {u"Value"_s, u"12.50"_s}, {u"18"_s, u"5/1/2026"_s},
                          {u"MovementHistory"_s, u" - Shed\r\n3/2/2026\r\nShed - Garage\r\n"_s}});
        doc.storedObject(u"Saw, \"big\"\nred"_s, u"Garage"_s, 120, 110,
                         {{u"set"_s, u"Tool"_s}, {u"TypeIndex"_s, u"18"_s}, {u"2"_s, u"Acme"_s},
                          {u"3"_s, u"hidden"_s}, {u"4"_s, u"1990"_s}, {u"Value"_s, u"-5"_s},
                          {u"1"_s, u"C:\\a,b.pdf"_s}});
        doc.storedObject(u"=SUM(A1)"_s, u"Garage"_s, 130, 110,
                         {{u"set"_s, u"Art"_s}, {u"TypeIndex"_s, u"35"_s}, {u"2"_s, u"@me"_s},
                          {u"18"_s, u"soon"_s}, {u"Value"_s, u"+1+1"_s}});
        Harness h(false);
        const QByteArray bytes = exported(h, doc);
        QVERIFY(bytes.endsWith("\r\n"));
        QCOMPARE(readCsv(QString::fromUtf8(bytes)), (QList<QStringList>{
            {u"Name"_s, u"Box"_s, u"Type"_s, u"Author"_s, u"Year"_s, u"Brand"_s, u"Artist"_s,
             u"Value"_s, u"Alarm"_s, u"Path"_s, u"History"_s},
            {u"Hobbit"_s, u"Garage"_s, u"Book"_s, u"Tolkien"_s, u"1937"_s, {}, {}, u"12.50"_s,
             u"2026-05-01"_s, {}, u" - Shed; 3/2/2026; Shed - Garage"_s},
            {u"Saw, \"big\"\nred"_s, u"Garage"_s, u"Tool"_s, {}, u"1990"_s, u"Acme"_s, {},
             u"-5"_s, {}, u"C:\\a,b.pdf"_s, {}},
            {u"'=SUM(A1)"_s, u"Garage"_s, u"Art"_s, {}, {}, {}, u"'@me"_s, u"'+1+1"_s,
             u"soon"_s, {}, {}}}));
        QCOMPARE(h.platform->fileCaptions, QStringList{u"Export the inventory"_s});
        QVERIFY(h.platform->messages.isEmpty());
        QVERIFY2(!h.form->btnundo->isEnabled(), "an export is no step to undo");
    }

    // A large inventory goes to the file in pieces; no row is lost or cut at their seams.
    void largeExportReadsBack()
    {
        DocumentBuilder doc;
        doc.startObject({u"Loft"_s});
        doc.box(u"Loft"_s, 100, 100);
        const QString tail = u" \u00e9"_s.repeated(80);   // two bytes in UTF-8
        for (int i = 1; i <= 900; ++i)
            doc.storedObject(item(i) + tail, u"Loft"_s, 110, 110,
                             {{u"Value"_s, u"%1"_s.arg(i)}});
        Harness h(false);
        const QByteArray bytes = exported(h, doc);
        QVERIFY(bytes.size() > 2 * 65536);
        const QList<QStringList> rows = readCsv(QString::fromUtf8(bytes));
        QCOMPARE(rows.size(), 901);
        for (int i = 1; i <= 900; ++i)
            QCOMPARE(rows[i],
                     (QStringList{item(i) + tail, u"Loft"_s, {}, u"%1"_s.arg(i), {}, {}, {}}));
    }

    void contentsSheet()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s, u"Cellar"_s});
        doc.box(u"Attic"_s, 100, 100);
        doc.box(u"Cellar"_s, 200, 100);
        doc.storedObject(u"Elsewhere"_s, u"Cellar"_s, 210, 110, {{u"Value"_s, u"999"_s}});
        for (int i = 1; i <= 200; ++i)
            doc.storedObject(item(i), u"Attic"_s, 110, 110,
                             {{u"Value"_s, QString::number(i)}});
        Harness h(false);
        h.startOn(doc);
        const QString file = h.folder.file(u"attic.pdf"_s);
        h.platform->fileNames << file;
        QTest::mouseClick(h.form->contentssheet, Qt::LeftButton);
        QVERIFY(h.platform->messages.isEmpty());

        const QStringList pages = run(u"pdftotext"_s, {u"-layout"_s, file, u"-"_s})
                                      .split(u'\f', Qt::SkipEmptyParts);
        QVERIFY(pages.size() > 3);
        QVERIFY(run(u"pdfinfo"_s, {file})
                    .contains(QRegularExpression(u"Pages: +%1\n"_s.arg(pages.size()))));
        QString rows;
        for (int p = 0; p < pages.size(); ++p) {
            QVERIFY(pages[p].contains(u"Attic"_s));
            QVERIFY(pages[p].contains(u"Contents on 3/15/2026"_s));
            QVERIFY(pages[p].contains(u"Name"_s) && pages[p].contains(u"Alarm date"_s));
            QVERIFY(pages[p].contains(u"Page %1 of %2"_s.arg(p + 1).arg(pages.size())));
            QCOMPARE(pages[p].contains(u"Box total"_s), p == pages.size() - 1);
            rows += pages[p];
        }
        // Every object once, in order; none of another box. 1 + 2 + .. + 200 = 20100.
        qsizetype at = 0;
        for (int i = 1; i <= 200; ++i)
            QVERIFY((at = rows.indexOf(item(i), at)) > 0);
        QVERIFY(!rows.contains(u"Elsewhere"_s));
        QVERIFY(rows.contains(QRegularExpression(u"Box total +20100"_s)));
    }

    void cancelledOrFailed_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer");    // relative to the working folder
        QTest::addColumn<QString>("written");   // the file that must exist afterwards
        QTest::addColumn<QString>("message");   // "" for none
        QTest::newRow("export cancelled") << u"exportinventory"_s << u""_s << u""_s << u""_s;
        QTest::newRow("sheet cancelled") << u"contentssheet"_s << u""_s << u""_s << u""_s;
        QTest::newRow("export gets its suffix")
            << u"exportinventory"_s << u"list"_s << u"list.csv"_s << u""_s;
        QTest::newRow("export to a missing folder") << u"exportinventory"_s << u"no/x.csv"_s
            << u""_s << u"The file \"%1/no/x.csv\" could not be written: "_s;
        QTest::newRow("sheet over a folder") << u"contentssheet"_s << u"backups"_s << u""_s
            << u"The file \"%1/backups.pdf\" could not be written: "_s;
    }
    void cancelledOrFailed()
    {
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QString, written);
        QFETCH(QString, message);
        Harness h;
        steps::newBox(h, u"Shed"_s);
        QDir().mkdir(u"backups.pdf"_s);
        const QStringList before = QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        if (!answer.isEmpty())
            h.platform->fileNames << h.folder.file(answer);
        QTest::mouseClick(h.form->findChild<QPushButton *>(button), Qt::LeftButton);
        QCOMPARE(h.platform->fileCaptions.size(), 1);
        QStringList after = QDir().entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
        after.removeAll(written);
        QCOMPARE(after, before);   // nothing half-written stays
        QCOMPARE(h.platform->messages.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY2(h.platform->messages[0].startsWith(message.arg(h.folder.path())),
                     qPrintable(h.platform->messages[0]));
    }
};

AMBROOK_WINDOW_TEST_MAIN(ExportTest)
#include "exporttest.moc"
