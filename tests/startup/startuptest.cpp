// The window's life: start-up makes or finds the start object and fills the choosers from
// it, the type-table editor edits its table, and quit checks the alarms, then writes the
// numbered backup and the document, or keeps the window open when a file cannot be written.

#include "support/documentbuilder.h"
#include "support/testsupport.h"

#include "store/form1.h"

using namespace Qt::StringLiterals;
using namespace steps;

namespace {

QString sampleTable()
{
    QStringList cells(255);
    cells[0] = u"Books"_s;
    cells[1] = u"Author"_s;
    cells[2] = u"Year"_s;
    cells[51] = u"Tools"_s;
    cells[52] = u"Maker"_s;
    cells[254] = u"Last caption"_s;
    return TextRules::joinCrLf(cells);
}

QStringList typeNames()
{
    QStringList names;
    for (int k = 0; k < 15; ++k)
        names << u"Type %1"_s.arg(k);
    return names;
}

QString typeTableWithNames()
{
    QStringList cells(255);
    for (int k = 0; k < 15; ++k)
        cells[17 * k] = typeNames().at(k);
    return TextRules::joinCrLf(cells);
}

QString savedStart(const QString &key)
{
    return savedProperty(u"pic"_s, u"Start"_s, key);
}

// The main window on a drawing whose start object holds the
// sample type table, and box Attic with stored objects Lamp, of type "Books", and Rug.
struct Drawing
{
    explicit Drawing(const QString &lampAlarm = {}, const QString &rugAlarm = {},
                     const QString &saveId = u"0"_s)
        : harness(false)
    {
        DocumentBuilder doc;
        doc.startObject({u"Attic"_s}, saveId, sampleTable());
        doc.box(u"Attic"_s, 200, 100);
        lamp = doc.storedObject(u"Lamp"_s, u"Attic"_s, 200, 100,
                                {{u"18"_s, lampAlarm}, {u"set"_s, u"Books"_s},
                                 {u"TypeIndex"_s, u"1"_s}});
        rug = doc.storedObject(u"Rug"_s, u"Attic"_s, 210, 110, {{u"18"_s, rugAlarm}});
        harness.startOn(doc);
    }
    frmMain &form() { return *harness.form; }
    QStringList &messages() { return harness.platform->messages; }
    void quit() { QTest::mouseClick(form().btnquit, Qt::LeftButton); }
    Form1 &openTypes()
    {
        QTest::mouseClick(form().newtype, Qt::LeftButton);
        return form().typeEditor();
    }
    QLineEdit *cell(int i)
    {
        return form().typeEditor().findChild<QLineEdit *>(u"Text1(%1)"_s.arg(i));
    }
    void saveTypes() { QTest::mouseClick(form().typeEditor().Command1, Qt::LeftButton); }
    QString storedTable() { return harness.startProperty(u"ObjectTypes"_s); }

    Harness harness;
    qint32 lamp = 0, rug = 0;
};

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    // Ten runs in one folder, from an empty one: the first makes the start object and
    // writes nothing until its quit; each quit leaves a numbered backup equal to "pic".
    void startAndQuitTenTimes()
    {
        WorkingFolder folder;
        QByteArray firstBackup;
        for (int run = 1; run <= 10; ++run) {
            Harness h(false);
            QDir::setCurrent(folder.path());
            if (run == 1) {
                QCOMPARE(h.form->windowTitle(), u"Ambrook"_s);
                QCOMPARE(h.form->textheader->text(), u"Enter the Caption for each object here"_s);
                QCOMPARE(h.form->Combo1->currentText(), u"Choose Type"_s);
                QCOMPARE(h.form->colour->currentText(), u" Colour"_s);
                QCOMPARE(h.form->locationcombo1->currentText(), u"Choose Box"_s);
            }
            h.start();
            if (run == 1) {
                checkNewStartObject(h);
                QVERIFY(!QFile::exists(u"pic"_s));
            } else {
                QCOMPARE(comboLines(h.form->Combo1), QStringList(15, QString()));
            }
            QTest::mouseClick(h.form->btnquit, Qt::LeftButton);
            QVERIFY2(!h.form->isVisible(), qPrintable(h.platform->messages.join(u'\n')));
            if (run == 1)
                firstBackup = fileBytes(u"backups/pic1"_s);
        }
        QCOMPARE(QDir(u"backups"_s).entryList(QDir::Files).size(), 10);
        for (int n = 1; n <= 10; ++n)
            QVERIFY(QFile::exists(u"backups/pic%1"_s.arg(n)));
        QVERIFY(!firstBackup.isEmpty());
        QCOMPARE(fileBytes(u"backups/pic1"_s), firstBackup);
        // The backup already holds the raised counter: it is the document, byte for byte.
        QCOMPARE(fileBytes(u"backups/pic10"_s), fileBytes(u"pic"_s));
        QCOMPARE(savedStart(u"SaveId"_s), u"10"_s);
    }

    // Every name is kept, listed and saved; the first 45 of the list have their buttons.
    // Of two start objects the last wins, and start-up gives both their "Info".
    void boxList_data()
    {
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<QStringList>("expected");
        QStringList sixty;
        for (int i = 1; i <= 60; ++i)
            sixty << u"Box %1"_s.arg(i, 2, 10, QLatin1Char('0'));
        QTest::newRow("empty piece skipped")
            << QStringList {u"A"_s, QString(), u"B"_s} << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("alphabetical, case ignored")
            << QStringList {u"shed"_s, u"Attic"_s, u"garage"_s}
            << QStringList {u"Attic"_s, u"garage"_s, u"shed"_s};
        QTest::newRow("no boxes") << QStringList() << QStringList();
        QTest::newRow("a single CR LF") << QStringList {QString()} << QStringList();
        QTest::newRow("more than 45") << sixty << sixty;
    }

    void boxList()
    {
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, expected);
        Harness h(false);
        DocumentBuilder doc;
        const auto start = [&](const QString &types) {
            return doc.add(5, 90, 35, 135, {{u"Type"_s, u"Loadout"_s}, {u"Name"_s, u"Start"_s},
                                            {u"Boxes"_s, TextRules::joinCrLf(boxes)},
                                            {u"SaveId"_s, u"4"_s}, {u"ObjectTypes"_s, types}});
        };
        const qint32 older = start(sampleTable());
        const qint32 winner = start(typeTableWithNames());
        for (int i = 0; i < expected.size(); ++i)
            doc.box(expected.at(i), 100 + (i % 10) * 50, 100 + (i / 10) * 60);
        h.startOn(doc);
        QCOMPARE(h.form->startObject, winner);
        QCOMPARE(QStringList({h.property(older, u"Info"_s), h.property(winner, u"Info"_s)}),
                 QStringList({u"Start"_s, u"Start"_s}));
        QCOMPARE(comboLines(h.form->Combo1), typeNames());
        QCOMPARE(h.form->Combo1->currentText(), u"Choose Type"_s);
        QCOMPARE(comboLines(h.form->locationcombo1), expected);
        QCOMPARE(h.form->boxNameText, TextRules::joinCrLf(boxes));
        for (int i = 0; i < 45; ++i) {
            QPushButton *button = h.form->Shortcut[size_t(i)];
            QCOMPARE(button->isVisibleTo(h.form.get()), i < expected.size());
            if (i < expected.size())
                QCOMPARE(button->text(), expected.at(i));
        }
        QCOMPARE(h.form->currentBox, 0);
        const int last = int(std::min(expected.size(), qsizetype(45))) - 1;
        if (last > 0) {
            QTest::mouseClick(h.form->Shortcut[size_t(last)], Qt::LeftButton);
            QCOMPARE(h.form->currentBox, last);
        }
        QTest::mouseClick(h.form->btnquit, Qt::LeftButton);
        QCOMPARE(h.platform->messages, QStringList());
        QCOMPARE(savedStart(u"Boxes"_s), TextRules::joinCrLf(boxes));
    }

    // Quit checks every alarm date, then writes the numbered backup and the document, both
    // with the raised counter; a bad date stops it before anything is written.
    void quit_data()
    {
        QTest::addColumn<QString>("alarm");
        QTest::addColumn<QString>("saveId");
        QTest::addColumn<QStringList>("existing");   // backup numbers already there
        QTest::addColumn<QString>("written");        // the new counter; empty: refused
        const QStringList none, two {u"1"_s, u"2"_s};
        QTest::newRow("no alarm date") << QString() << u"2"_s << none << u"3"_s;
        QTest::newRow("a date") << u"3/15/2026"_s << u"2"_s << none << u"3"_s;
        QTest::newRow("an ISO date") << u"2026-03-15"_s << u"2"_s << none << u"3"_s;
        QTest::newRow("an ISO date and time") << u"2026-03-01T08:00"_s << u"2"_s << none << u"3"_s;
        for (const char *bad : {"next week", "2/30/2026", "31/02/2026", "99/99/9999"})
            QTest::addRow("bad date %s", bad)
                << QString::fromLatin1(bad) << u"2"_s << none << QString();
        QTest::newRow("control character") << u"\u0001"_s << u"2"_s << none << QString();
        QTest::newRow("counter 0") << QString() << u"0"_s << none << u"1"_s;
        QTest::newRow("counter 41") << QString() << u"41"_s << none << u"42"_s;
        QTest::newRow("beyond 16 bits") << QString() << u"40000"_s << none << u"40001"_s;
        QTest::newRow("backup already there")
            << QString() << u"4"_s << QStringList {u"5"_s, u"6"_s} << u"7"_s;
        // A counter that is no number counts as 0 and skips past the backups there.
        for (const char *saveId : {"abc", "", "-5", "1e400", "NaN", "99999999999999999999"})
            QTest::addRow("no number \"%s\", two backups", saveId)
                << QString() << QString::fromLatin1(saveId) << two << u"3"_s;
        QTest::newRow("number then words") << QString() << u"12abc"_s << two << u"13"_s;
    }

    void quit()
    {
        QFETCH(QString, alarm);
        QFETCH(QString, saveId);
        QFETCH(QStringList, existing);
        QFETCH(QString, written);
        Drawing d(QString(), alarm, saveId);
        // Start-up's alarm report passes a bad date without a word.
        QCOMPARE(d.messages(), QStringList());
        if (written.isEmpty())
            QCOMPARE(d.harness.platform->beeps, 0);
        for (const QString &n : existing)
            QVERIFY(writeFile(u"backups/pic"_s + n, "an older backup"));
        d.form().boxNameText = u"Attic\r\nCellar\r\n"_s;
        const QByteArray before = fileBytes(u"pic"_s);

        d.quit();

        QCOMPARE(QDir(u"backups"_s).entryList(QDir::Files).size(),
                 existing.size() + (written.isEmpty() ? 0 : 1));
        if (written.isEmpty()) {
            QVERIFY(d.form().isVisible());
            QCOMPARE(d.messages(), QStringList {u"Please change the Alarm Date for Rug, "
                                                "it disnae make sense"_s});
            // Nothing was written, not even to the start object.
            QCOMPARE(fileBytes(u"pic"_s), before);
            QCOMPARE(d.harness.properties(d.form().startObject, {u"Boxes"_s, u"SaveId"_s}),
                     QStringList({u"Attic\r\n"_s, saveId}));
            return;
        }
        QVERIFY2(!d.form().isVisible(), qPrintable(d.messages().join(u'\n')));
        QCOMPARE(d.messages(), QStringList());
        QCOMPARE(savedStart(u"SaveId"_s), written);
        QCOMPARE(savedStart(u"Boxes"_s), u"Attic\r\nCellar\r\n"_s);
        QCOMPARE(fileBytes(u"backups/pic"_s + written), fileBytes(u"pic"_s));
        for (const QString &n : existing)
            QCOMPARE(fileBytes(u"backups/pic"_s + n), QByteArray("an older backup"));
    }

    // The bad dates are named one at a time, in drawing order.
    void badDatesNamedOneByOne()
    {
        Drawing d(u"soon"_s, u"later"_s);
        d.quit();
        writeProperty(d.harness, d.lamp, u"18"_s, QString());
        d.quit();
        QVERIFY(d.form().isVisible());
        writeProperty(d.harness, d.rug, u"18"_s, u"12/24/2026"_s);
        d.quit();
        QCOMPARE(d.messages(),
                 QStringList({u"Please change the Alarm Date for Lamp, it disnae make sense"_s,
                              u"Please change the Alarm Date for Rug, it disnae make sense"_s}));
        QVERIFY(!d.form().isVisible());
    }

    // Opened in place of the main window; saved, the new names reach the chooser and the
    // start object but not the objects; closed, it is cancelled; quit closes it.
    void typeEditor()
    {
        Drawing d;
        const QString shown = d.form().Combo1->currentText();
        Form1 &editor = d.openTypes();
        QVERIFY(editor.isVisible());
        QVERIFY(!d.form().isVisible());
        QCOMPARE(editor.windowTitle(), u"Object Types"_s);
        QCOMPARE(editor.Command1->text(), u"Save"_s);
        const QList<std::pair<int, QString>> cells {
            {0, u"Books"_s}, {52, u"Maker"_s}, {254, u"Last caption"_s}, {17, QString()}};
        for (const auto &[i, text] : cells)
            QCOMPARE(d.cell(i)->text(), text);
        retype(d.cell(0), u"Novels"_s);
        d.saveTypes();

        QVERIFY(d.form().isVisible());
        QVERIFY(!editor.isVisible());
        QStringList names(15);
        names[0] = u"Novels"_s;
        names[3] = u"Tools"_s;
        QCOMPARE(comboLines(d.form().Combo1), names);
        QCOMPARE(d.form().Combo1->currentText(), shown);
        const QString table = sampleTable().replace(0, 5, u"Novels"_s);
        QCOMPARE(d.storedTable(), table);
        QCOMPARE(d.form().typeTableTextValue, table);
        QCOMPARE(d.harness.property(d.lamp, u"set"_s), u"Books"_s);
        QVERIFY(!d.harness.canvas().objectById(d.form().startObject)->selected);

        d.openTypes();
        retype(d.cell(1), u"Scribbled"_s);
        editor.close();
        QVERIFY(d.form().isVisible());
        QCOMPARE(d.storedTable(), table);
        QCOMPARE(comboLines(d.form().Combo1), names);
        d.openTypes();
        QCOMPARE(d.cell(1)->text(), u"Author"_s);

        // Saved again unchanged, the table stays as it is.
        d.saveTypes();
        QCOMPARE(d.storedTable(), table);
        QCOMPARE(comboLines(d.form().Combo1), names);
        d.quit();
        QVERIFY(!d.form().isVisible());
        QVERIFY(!editor.isVisible());
    }

private:
    // The start object start-up makes in an empty folder, the choosers' entries, and no
    // close command: only the quit button ends the window.
    static void checkNewStartObject(Harness &h)
    {
        const qint32 start = h.form->startObject;
        QVERIFY(start > 0);
        QCOMPARE(h.findId(u"Name"_s, u"Start"_s), start);
        const QString noTypes = TextRules::joinCrLf(QStringList(255));
        QCOMPARE(h.properties(start, {u"Type"_s, u"Name"_s, u"Info"_s, u"set"_s, u"SaveId"_s,
                                      u"Boxes"_s, u"Colour"_s, u"ObjectTypes"_s}),
                 QStringList({u"Loadout"_s, u"Start"_s, u"Start"_s, u"Start"_s, u"0"_s,
                              QString(), u"3"_s, noTypes}));
        const VellumObject &o = object(h, start);
        QCOMPARE(QVariantList({o.kind, o.x1, o.y1, o.x2, o.y2, o.fillColor, o.textColor,
                               o.objectText, o.shapeParam}),
                 QVariantList({qint16(10), 5, 90, 35, 135, QColor(0, 128, 128),
                               QColor(255, 255, 255), u"Start"_s, qint16(200)}));
        QCOMPARE(h.form->typeTableTextValue, noTypes);
        QCOMPARE(h.form->Combo1->count(), 0);
        QVERIFY(QDir(u"backups"_s).exists());
        QCOMPARE(h.form->Calendar1->selectedDate(), h.platform->fixedToday);
        // The month advancer's heading and some of its 24 steps; the colour names.
        QCOMPARE(h.form->Combo2->count(), 25);
        QCOMPARE(h.form->Combo2->currentIndex(), 0);
        for (const auto &[entry, text] : {std::pair {0, " Month Advancer"}, {1, "1  Month"},
                                          {2, "2  Months"}, {12, "  1   Year"},
                                          {13, "13  Months"}, {24, "   2   Years"}})
            QCOMPARE(h.form->Combo2->itemText(entry), QLatin1String(text));
        QCOMPARE(comboLines(h.form->colour),
                 QStringList({u"Black"_s, u"Dark Blue"_s, u"Green"_s, u"Cyan"_s, u"Wine"_s,
                              u"Magenta"_s, u"Mustard"_s, u"Light Gray"_s, u"Dark Gray"_s,
                              u"Blue"_s, u"Light Green"_s, u"Light Cyan"_s, u"Red"_s,
                              u"Light Magenta"_s, u"Yellow"_s}));
        const Qt::WindowFlags flags = h.form->windowFlags();
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint && flags & Qt::WindowMaximizeButtonHint);
        QVERIFY(!h.form->close());
        QVERIFY(h.form->isVisible());
    }
};

AMBROOK_WINDOW_TEST_MAIN(StartupTest)
#include "startuptest.moc"
