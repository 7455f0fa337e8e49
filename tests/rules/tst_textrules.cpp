#include "store/rules/textrules.h"

#include <QTest>

#include <cmath>

using namespace TextRules;
using namespace Qt::StringLiterals;

static const int none = 100000; // marks "no value" in the int16 rows

class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void int16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << u"12"_s << 12;
        QTest::newRow("blanks around") << u" 12 "_s << 12;
        QTest::newRow("tab and newline around") << u"\t7\n"_s << 7;
        QTest::newRow("negative") << u"-40"_s << -40;
        QTest::newRow("plus sign") << u"+5"_s << 5;
        QTest::newRow("half to even down") << u"2.5"_s << 2;
        QTest::newRow("half to even up") << u"3.5"_s << 4;
        QTest::newRow("negative half") << u"-0.5"_s << 0;
        QTest::newRow("negative one and a half") << u"-1.5"_s << -2;
        QTest::newRow("not a half") << u"2.51"_s << 3;
        QTest::newRow("leading point") << u".6"_s << 1;
        QTest::newRow("trailing point") << u"7."_s << 7;
        QTest::newRow("exponent") << u"1e3"_s << 1000;
        QTest::newRow("negative exponent") << u"25E-1"_s << 2;
        QTest::newRow("largest") << u"32767"_s << 32767;
        QTest::newRow("smallest") << u"-32768"_s << -32768;
        QTest::newRow("one too many") << u"32768"_s << none;
        QTest::newRow("rounds over the top") << u"32767.5"_s << none;
        QTest::newRow("rounds to smallest") << u"-32768.5"_s << -32768;
        QTest::newRow("one too few") << u"-32769"_s << none;
        QTest::newRow("huge exponent") << u"1e999"_s << none;
        QTest::newRow("empty") << QString() << none;
        QTest::newRow("blank") << u"   "_s << none;
        QTest::newRow("word") << u"abc"_s << none;
        QTest::newRow("number then word") << u"12abc"_s << none;
        QTest::newRow("blank inside") << u"1 2"_s << none;
        QTest::newRow("comma") << u"1,5"_s << none;
        QTest::newRow("two points") << u"1.2.3"_s << none;
        QTest::newRow("sign alone") << u"-"_s << none;
        QTest::newRow("point alone") << u"."_s << none;
        QTest::newRow("infinity") << u"inf"_s << none;
        QTest::newRow("not a number") << u"nan"_s << none;
        QTest::newRow("exponent without digits") << u"1e"_s << none;
    }

    void int16()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<qint16> result = toInt16(text);
        if (expected == none) {
            QVERIFY2(!result, qPrintable(QString::number(result.value_or(0))));
        } else {
            QVERIFY(result);
            QCOMPARE(int(*result), expected);
        }
    }

    void value_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        QTest::newRow("decimal") << u"12.50"_s << 12.5;
        QTest::newRow("thousands comma stops") << u"1,234"_s << 1.0;
        QTest::newRow("dollar") << u"$5"_s << 0.0;
        QTest::newRow("euro") << u"€5"_s << 0.0;
        QTest::newRow("hexadecimal") << u"&H10"_s << 16.0;
        QTest::newRow("hexadecimal lower case") << u"&hff"_s << 255.0;
        QTest::newRow("octal") << u"&O17"_s << 15.0;
        QTest::newRow("octal stops at 8") << u"&O78"_s << 7.0;
        QTest::newRow("ampersand alone") << u"&"_s << 0.0;
        QTest::newRow("unknown prefix") << u"&X1"_s << 0.0;
        QTest::newRow("blank inside") << u" 1 2"_s << 12.0;
        QTest::newRow("tab and line feed inside") << u"1\t2\n3"_s << 123.0;
        QTest::newRow("blank after sign") << u"- 4"_s << -4.0;
        QTest::newRow("negative") << u"-3.5"_s << -3.5;
        QTest::newRow("plus") << u"+2"_s << 2.0;
        QTest::newRow("exponent") << u"1e2"_s << 100.0;
        QTest::newRow("signed exponent") << u"15E-1"_s << 1.5;
        QTest::newRow("exponent without digits") << u"3e"_s << 3.0;
        QTest::newRow("exponent sign without digits") << u"3e+x"_s << 3.0;
        QTest::newRow("word") << u"abc"_s << 0.0;
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("second point stops") << u"2.5.6"_s << 2.5;
        QTest::newRow("leading point") << u".25"_s << 0.25;
        QTest::newRow("point alone") << u"."_s << 0.0;
        QTest::newRow("sign alone") << u"-"_s << 0.0;
        QTest::newRow("two signs") << u"--5"_s << 0.0;
        QTest::newRow("number then word") << u"10 apples"_s << 10.0;
        QTest::newRow("carriage return stops") << u"1\r2"_s << 1.0;
        QTest::newRow("too large reads as nothing") << u"1e999"_s << 0.0;
    }

    void value()
    {
        QFETCH(QString, text);
        QFETCH(double, expected);
        QCOMPARE(valueNumber(text), expected);
    }

    void number_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half") << 12.5 << u"12.5"_s;
        QTest::newRow("tenth") << 0.1 << u"0.1"_s;
        QTest::newRow("whole double") << 3.0 << u"3"_s;
        QTest::newRow("negative") << -7.25 << u"-7.25"_s;
        QTest::newRow("negative zero") << -0.0 << u"0"_s;
        QTest::newRow("sum of tenths") << 0.1 + 0.2 << u"0.30000000000000004"_s;
        QTest::newRow("million") << 1e6 << u"1000000"_s;
        QTest::newRow("tiny") << 1e-7 << u"1e-07"_s;
        QTest::newRow("infinite") << HUGE_VAL << u"0"_s;
    }

    void number()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(numberText(value), expected);
        if (std::isfinite(value))
            QCOMPARE(valueNumber(numberText(value)), value);
    }

    void shortDate_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("expected");
        const QDate date(2026, 12, 5);
        QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << date
                               << u"12/5/2026"_s;
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << date
                               << u"05.12.2026"_s;
        QTest::newRow("en_GB already full")
            << QLocale(QLocale::English, QLocale::UnitedKingdom) << date << u"05/12/2026"_s;
        QTest::newRow("literal kept")
            << QLocale(QLocale::Bulgarian, QLocale::Bulgaria) << date << u"5.12.2026 г."_s;
        QTest::newRow("year first")
            << QLocale(QLocale::Korean, QLocale::SouthKorea) << date << u"2026. 12. 5."_s;
        QTest::newRow("early year") << QLocale(QLocale::English, QLocale::UnitedStates)
                                    << QDate(1905, 1, 2) << u"1/2/1905"_s;
    }

    void shortDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QDate, date);
        QFETCH(QString, expected);
        QCOMPARE(shortDateText(date, locale), expected);
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
        QTest::newRow("us program form") << us << u"12/5/2026"_s << midnight;
        QTest::newRow("us leading zeros") << us << u"12/05/2026"_s << midnight;
        QTest::newRow("us blanks around") << us << u"  12/5/2026 "_s << midnight;
        QTest::newRow("us two-digit year is this century") << us << u"12/5/26"_s << midnight;
        QTest::newRow("us with time") << us << u"12/5/2026 14:30"_s << QDateTime(d, QTime(14, 30));
        QTest::newRow("us with seconds")
            << us << u"12/5/2026 14:30:15"_s << QDateTime(d, QTime(14, 30, 15));
        QTest::newRow("us with PM") << us << u"12/5/2026 2:30 PM"_s << QDateTime(d, QTime(14, 30));
        QTest::newRow("us with lower-case am")
            << us << u"12/5/2026 9:05 am"_s << QDateTime(d, QTime(9, 5));
        QTest::newRow("us two blanks before time")
            << us << u"12/5/2026  8:00"_s << QDateTime(d, QTime(8, 0));
        QTest::newRow("iso") << us << u"2026-12-05"_s << midnight;
        QTest::newRow("iso with T") << us << u"2026-12-05T14:30"_s << QDateTime(d, QTime(14, 30));
        QTest::newRow("iso with T and seconds")
            << us << u"2026-12-05T14:30:15"_s << QDateTime(d, QTime(14, 30, 15));
        QTest::newRow("iso with blank time")
            << us << u"2026-12-05 14:30"_s << QDateTime(d, QTime(14, 30));
        QTest::newRow("de program form") << de << u"05.12.2026"_s << midnight;
        QTest::newRow("de without zeros") << de << u"5.12.2026"_s << midnight;
        QTest::newRow("de own form") << de << u"05.12.26"_s << midnight;
        QTest::newRow("de with time")
            << de << u"05.12.2026 14:30"_s << QDateTime(d, QTime(14, 30));
        QTest::newRow("de iso") << de << u"2026-12-05"_s << midnight;
        QTest::newRow("de reads no us form") << de << u"12/5/2026"_s << none;
        QTest::newRow("us reads no de form") << us << u"05.12.2026"_s << none;
        QTest::newRow("empty") << us << QString() << none;
        QTest::newRow("word") << us << u"tomorrow"_s << none;
        QTest::newRow("no such day") << us << u"2/30/2026"_s << none;
        QTest::newRow("no such month") << us << u"13/1/2026"_s << none;
        QTest::newRow("iso no such day") << us << u"2026-02-30"_s << none;
        QTest::newRow("three-digit year") << us << u"12/5/026"_s << none;
        QTest::newRow("bad time") << us << u"12/5/2026 25:00"_s << none;
        QTest::newRow("time then word") << us << u"12/5/2026 14:30 x"_s << none;
        QTest::newRow("iso bad time") << us << u"2026-12-05Tnoon"_s << none;
        QTest::newRow("number alone") << us << u"12"_s << none;
    }

    void readDate()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(QDateTime, expected);
        const std::optional<QDateTime> result = readDateTime(text, locale);
        QCOMPARE(isDate(text, locale), expected.isValid());
        if (!expected.isValid()) {
            QVERIFY2(!result, qPrintable(result->toString(Qt::ISODate)));
            return;
        }
        QVERIFY(result);
        QCOMPARE(*result, expected);
    }

    void dateRoundTrip_data()
    {
        QTest::addColumn<QLocale>("locale");
        const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                   QLocale(QLocale::German, QLocale::Germany),
                                   QLocale(QLocale::Korean, QLocale::SouthKorea),
                                   QLocale(QLocale::Bulgarian, QLocale::Bulgaria)};
        for (const QLocale &locale : locales)
            QTest::newRow(qPrintable(locale.name())) << locale;
    }

    void dateRoundTrip()
    {
        QFETCH(QLocale, locale);
        for (const QDate &date : {QDate(2026, 12, 5), QDate(2024, 2, 29), QDate(1999, 1, 1),
                                  QDate(2100, 7, 31), QDate(1850, 3, 9)}) {
            const QString text = shortDateText(date, locale);
            const std::optional<QDateTime> back = readDateTime(text, locale);
            QVERIFY2(back, qPrintable(text));
            QCOMPARE(back->date(), date);
            QCOMPARE(back->time(), QTime(0, 0));
        }
        // The default locale is the one the handlers use.
        QLocale::setDefault(locale);
        const QString text = shortDateText(QDate(2031, 4, 1));
        QCOMPARE(readDateTime(text)->date(), QDate(2031, 4, 1));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void timeOfDayAfterMidnight()
    {
        // An alarm later on the working day is not yet due on that day.
        const QDate working(2026, 12, 5);
        const std::optional<QDateTime> alarm = readDateTime(shortDateText(working) + u" 0:01"_s);
        QVERIFY(alarm);
        QVERIFY(*alarm > QDateTime(working, QTime(0, 0)));
        QCOMPARE(alarm->date(), working);
    }

    void crLf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("pieces");
        QTest::newRow("two names") << u"A\r\nB\r\n"_s << QStringList {u"A"_s, u"B"_s, QString()};
        QTest::newRow("empty piece kept")
            << u"A\r\n\r\nB\r\n"_s << QStringList {u"A"_s, QString(), u"B"_s, QString()};
        QTest::newRow("no trailing CR LF") << u"A\r\nB"_s << QStringList {u"A"_s, u"B"_s};
        QTest::newRow("bare LF is no separator")
            << u"A\nB\r\n"_s << QStringList {u"A\nB"_s, QString()};
        QTest::newRow("bare CR is no separator") << u"A\rB"_s << QStringList {u"A\rB"_s};
        QTest::newRow("empty") << QString() << QStringList {QString()};
        QTest::newRow("only CR LF") << u"\r\n"_s << QStringList {QString(), QString()};
    }

    void crLf()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, pieces);
        QCOMPARE(splitCrLf(text), pieces);
        // Joining the items before the empty last piece gives the text back.
        if (text.endsWith(crlf))
            QCOMPARE(joinCrLf(pieces.mid(0, pieces.size() - 1)), text);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_textrules.moc"
