#include "store/rules/textrules.h"

#include <QTest>

#include <cmath>

using namespace TextRules;
using namespace Qt::StringLiterals;

static const int none = 100000; // marks "no value" in the int16 rows

// Rows named after their group and their input text.
template<typename T>
static void rows(const char *group, std::initializer_list<std::pair<const char *, T>> cases)
{
    for (const auto &[text, expected] : cases)
        QTest::addRow("%s \"%s\"", group, text) << QString::fromUtf8(text) << expected;
}

// A table of inputs and the results expected of them.
template<typename In, typename Out>
static void columns()
{
    QTest::addColumn<In>("input");
    QTest::addColumn<Out>("expected");
}

template<typename In, typename Out, typename Read>
static void compareRead(Read read)
{
    QFETCH(In, input);
    QFETCH(Out, expected);
    QCOMPARE(read(input), expected);
}

class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void int16_data()
    {
        columns<QString, int>();
        rows<int>("reads", {{"12", 12}, {" 12 ", 12}, {"-40", -40}, {"+5", 5}, {"7.", 7}});
        QTest::newRow("tab and newline around") << u"\t7\n"_s << 7;
        rows<int>("rounds", {{"2.51", 3}, {".6", 1}, {"1e3", 1000}, {"25E-1", 2}});
        rows<int>("half to even", {{"2.5", 2}, {"3.5", 4}, {"-0.5", 0}, {"-1.5", -2}});
        rows<int>("edge", {{"32767", 32767}, {"-32768", -32768}, {"-32768.5", -32768}});
        rows<int>("out of range", {{"32768", none}, {"32767.5", none}, {"-32769", none},
                                   {"1e999", none}});
        rows<int>("no number", {{"", none}, {"   ", none}, {"abc", none}, {"12abc", none},
                                {"1 2", none}, {"1,5", none}, {"1.2.3", none}, {"-", none},
                                {".", none}, {"inf", none}, {"nan", none}, {"1e", none}});
    }

    void int16()
    {
        compareRead<QString, int>([](const QString &text) {
            const std::optional<qint16> result = toInt16(text);
            return result ? int(*result) : none;
        });
    }

    void value_data()
    {
        columns<QString, double>();
        rows<double>("reads", {{"12.50", 12.5}, {"-3.5", -3.5}, {"+2", 2}, {".25", 0.25},
                               {"1e2", 100}, {"15E-1", 1.5}});
        rows<double>("hexadecimal and octal", {{"&H10", 16}, {"&hff", 255}, {"&O17", 15}});
        rows<double>("blanks inside", {{" 1 2", 12}, {"- 4", -4}});
        QTest::newRow("tab and line feed inside") << u"1\t2\n3"_s << 123.0;
        rows<double>("stops", {{"1,234", 1}, {"&O78", 7}, {"3e", 3}, {"3e+x", 3}, {"2.5.6", 2.5},
                               {"10 apples", 10}});
        QTest::newRow("carriage return stops") << u"1\r2"_s << 1.0;
        rows<double>("nothing", {{"$5", 0}, {"€5", 0}, {"&", 0}, {"&X1", 0}, {"abc", 0},
                                 {"", 0}, {".", 0}, {"-", 0}, {"--5", 0}, {"1e999", 0}});
    }

    void value() { compareRead<QString, double>(valueNumber); }

    void number_data()
    {
        columns<double, QString>();
        const std::pair<double, const char *> cases[] = {
            {12.5, "12.5"},  {0.1, "0.1"},         {3.0, "3"},     {-7.25, "-7.25"},
            {-0.0, "0"},     {0.1 + 0.2, "0.30000000000000004"},   {1e6, "1000000"},
            {1e-7, "1e-07"}, {HUGE_VAL, "0"}};
        for (const auto &[value, text] : cases)
            QTest::addRow("%g", value) << value << QString::fromLatin1(text);
    }

    void number()
    {
        compareRead<double, QString>([](double value) { return numberText(value); });
        // Read back, the text gives the same number.
        QFETCH(double, input);
        if (std::isfinite(input))
            QCOMPARE(valueNumber(numberText(input)), input);
    }

    // The short form of a date in a locale, and the dates read back from their short form.
    void shortDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, QLocale::Language l, QLocale::Territory t,
                            const QString &text, QDate date = QDate(2026, 12, 5)) {
            QTest::newRow(name) << QLocale(l, t) << date << text;
        };
        row("en_US", QLocale::English, QLocale::UnitedStates, u"12/5/2026"_s);
        row("de_DE", QLocale::German, QLocale::Germany, u"05.12.2026"_s);
        row("en_GB already full", QLocale::English, QLocale::UnitedKingdom, u"05/12/2026"_s);
        row("literal kept", QLocale::Bulgarian, QLocale::Bulgaria, u"5.12.2026 г."_s);
        row("year first", QLocale::Korean, QLocale::SouthKorea, u"2026. 12. 5."_s);
        row("early year", QLocale::English, QLocale::UnitedStates, u"1/2/1905"_s, {1905, 1, 2});
    }

    void shortDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QDate, date);
        QFETCH(QString, expected);
        QCOMPARE(shortDateText(date, locale), expected);
        for (const QDate &day : {date, QDate(2024, 2, 29), QDate(1999, 1, 1), QDate(2100, 7, 31),
                                 QDate(1850, 3, 9)}) {
            const std::optional<QDateTime> back = readDateTime(shortDateText(day, locale), locale);
            QCOMPARE(back.value_or(QDateTime()), QDateTime(day, QTime(0, 0)));
        }
        // The default locale is the one the handlers use.
        QLocale::setDefault(locale);
        const QString text = shortDateText(QDate(2031, 4, 1));
        QCOMPARE(readDateTime(text)->date(), QDate(2031, 4, 1));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void readDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDateTime>("expected"); // invalid: no value
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        const QDate d(2026, 12, 5);
        const QDateTime midnight(d, QTime(0, 0));
        const QDateTime none;
        for (const char *text :
             {"12/5/2026", "12/05/2026", "  12/5/2026 ", "12/5/26", "2026-12-05"})
            QTest::addRow("us \"%s\"", text) << us << QString::fromUtf8(text) << midnight;
        for (const char *text : {"05.12.2026", "5.12.2026", "05.12.26", "2026-12-05"})
            QTest::addRow("de \"%s\"", text) << de << QString::fromUtf8(text) << midnight;
        const auto at = [&](int h, int m, int s, std::initializer_list<const char *> texts) {
            for (const char *text : texts)
                QTest::addRow("us \"%s\"", text) << us << QString::fromUtf8(text)
                                                  << QDateTime(d, QTime(h, m, s));
        };
        at(14, 30, 0, {"12/5/2026 14:30", "12/5/2026 2:30 PM", "2026-12-05T14:30",
                       "2026-12-05 14:30"});
        at(14, 30, 15, {"12/5/2026 14:30:15", "2026-12-05T14:30:15"});
        at(9, 5, 0, {"12/5/2026 9:05 am"});
        at(8, 0, 0, {"12/5/2026  8:00"});
        // An alarm later on the working day is not yet due on that day.
        at(0, 1, 0, {"12/5/2026 0:01"});
        QTest::newRow("de with time") << de << u"05.12.2026 14:30"_s
                                      << QDateTime(d, QTime(14, 30));
        QTest::newRow("de reads no us form") << de << u"12/5/2026"_s << none;
        for (const char *text : {"05.12.2026", "", "tomorrow", "2/30/2026", "13/1/2026",
                                 "2026-02-30", "12/5/026", "12/5/2026 25:00", "12/5/2026 14:30 x",
                                 "2026-12-05Tnoon", "12"})
            QTest::addRow("us refuses \"%s\"", text) << us << QString::fromUtf8(text) << none;
    }

    void readDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<QDateTime> result = readDateTime(text, locale);
        QCOMPARE(isDate(text, locale), expected.isValid());
        QCOMPARE(result.has_value(), expected.isValid());
        QCOMPARE(result.value_or(QDateTime()), expected);
    }

    void crLf_data()
    {
        columns<QString, QStringList>();
        const QString e;
        QTest::newRow("two names") << u"A\r\nB\r\n"_s << QStringList {u"A"_s, u"B"_s, e};
        QTest::newRow("empty piece kept")
            << u"A\r\n\r\nB\r\n"_s << QStringList {u"A"_s, e, u"B"_s, e};
        QTest::newRow("no trailing CR LF") << u"A\r\nB"_s << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("bare LF is no separator") << u"A\nB\r\n"_s << QStringList {u"A\nB"_s, e};
        QTest::newRow("bare CR is no separator") << u"A\rB"_s << QStringList {u"A\rB"_s};
        QTest::newRow("empty") << e << QStringList {e};
        QTest::newRow("only CR LF") << u"\r\n"_s << QStringList {e, e};
    }

    void crLf()
    {
        compareRead<QString, QStringList>(splitCrLf);
        // Joining the items before the empty last piece gives the text back.
        QFETCH(QString, input);
        QFETCH(QStringList, expected);
        if (input.endsWith(crlf))
            QCOMPARE(joinCrLf(expected.first(expected.size() - 1)), input);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
