#include "foundation/DateText.h"

#include "support/QtPrinters.h"

#include <QTime>

namespace {

const QDate Today(2011, 6, 14);

/// The date a text stands for as ISO text, or "none", so that a table reads plainly and failures print both sides.
QString recognised(const QString& text, const QDate& today = Today)
{
    const std::optional<QDate> date = recogniseDate(text, today);
    return date ? date->toString(Qt::ISODate) : QStringLiteral("none");
}

QString recognisedToday(const QString& text)
{
    return recognised(text);
}

} // namespace

TEST(RecogniseDateTest, ReadsGroupsJoinedByOneSeparatorAmidBlanks)
{
    const TextCases cases = {{"10-06/2011", "2011-06-10"},
                             {"10,06,2011", "2011-06-10"},
                             {"10 / 06 / 2011", "2011-06-10"},
                             {"10 \t 06  2011", "2011-06-10"},
                             {"\u00A010/06/2011 \t", "2011-06-10"},
                             {"0010/0006/2011", "2011-06-10"},
                             {"10//06/2011", "none"},
                             {"10, /06/2011", "none"},
                             {"/10/06/2011", "none"},
                             {"10/06/2011 ,", "none"},
                             {"10_06_2011", "none"},
                             {"10/06\n2011", "none"},
                             {"\uFF11\uFF10/06/2011", "none"}};
    expectTexts(recognisedToday, cases);
}

TEST(RecogniseDateTest, ReadsThreeNumbersDayFirstThenTheOtherOrdersAndRefusesImpossibleDates)
{
    const TextCases cases = {{"6/10/2011", "2011-10-06"},
                             {"29/02/2012", "2012-02-29"},
                             {"29/02/1900", "none"},
                             {"0/06/2011", "none"},
                             {"12/31/2011", "2011-12-31"},
                             {"50/06/10", "1950-06-10"},
                             {"02/30/2012", "none"},
                             {"10/06/2011/12", "none"},
                             {"10", "none"},
                             // A first group of four digits is a year, the day after it or after the month.
                             {"2011-06-10", "2011-06-10"},
                             {"2011/31/12", "2011-12-31"},
                             {"2011/13/13", "none"},
                             {"0001/02/03", "2001-02-03"}};
    expectTexts(recognisedToday, cases);
}

TEST(RecogniseDateTest, ReadsTwoNumbersAsDayAndMonthOfThisYearUnlessOneCanOnlyBeTheYear)
{
    // On Italian settings a decimal number such as "10,5" is such a date too.
    const TextCases cases = {{"10/06", "2011-06-10"},   {"10,5", "2011-05-10"},    {"12/31", "2011-12-31"},
                             {"29/02", "none"},         {"06/2011", "2011-06-01"}, {"6/75", "1975-06-01"},
                             {"2011-06", "2011-06-01"}, {"0010/06", "2010-06-01"}, {"31/06", "none"},
                             {"13/2011", "none"}};
    expectTexts(recognisedToday, cases);
    EXPECT_EQ(recognised(QStringLiteral("29/02"), QDate(2012, 1, 1)), QStringLiteral("2012-02-29"));
}

TEST(RecogniseDateTest, ReadsYearsByTheirValue)
{
    const TextCases years = {{"10/06/0", "2000-06-10"},   {"10/06/49", "2049-06-10"},
                             {"10/06/50", "1950-06-10"},  {"10/06/99", "1999-06-10"},
                             {"10/06/100", "0100-06-10"}, {"31/12/9999", "9999-12-31"},
                             {"31/12/10000", "none"},     {"10/06/99999999999999999999", "none"}};
    expectTexts(recognisedToday, years);
}

TEST(RecogniseDateTest, ReadsItalianMonthNamesInAnyCaseAndPlace)
{
    const char* const full[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
    for (int month = 1; month <= 12; ++month) {
        const QString name = QString::fromUtf8(full[month - 1]);
        for (const QString& written : {name, name.left(3).toUpper()})
            EXPECT_EQ(recogniseDate(QStringLiteral("10 %1 2011").arg(written), Today), QDate(2011, month, 10))
                << written.toStdString();
    }
    const TextCases names = {
        {"10-giu-2011", "2011-06-10"},    {"10 giugno, 2011", "2011-06-10"}, {"10giugno2011", "2011-06-10"},
        {"10 2011 giugno", "2011-06-10"}, {"2011 giu 10", "2011-06-10"},     {"31 giu 10", "2031-06-10"},
        {"10 giugno", "2011-06-10"},      {"giugno 2011", "2011-06-01"},     {"giugno 31", "none"},
        {"31 feb 2011", "none"},          {"10 june 2011", "none"},          {"10 giugn 2011", "none"},
        {"gen feb 2011", "none"},         {"10 giu. 2011", "none"},          {"giugno", "none"}};
    expectTexts(recognisedToday, names);
}

TEST(RecogniseDateTest, IgnoresAnItalianDayNameBeforeTheDate)
{
    // The day need not match the date; "mar" is March.
    const TextCases cases = {{"VENERDÌ 10/06/2011", "2011-06-10"}, {"ven, 10 giugno 2011", "2011-06-10"},
                             {"mar 10 2011", "2011-03-10"},        {"mar 10/06/2011", "none"},
                             {"venerdi 10/06/2011", "none"},       {"10/06/2011 venerdì", "none"},
                             {"ven ven 10/06/2011", "none"},       {"venerdì", "none"}};
    expectTexts(recognisedToday, cases);
}

TEST(RecogniseDateTest, DropsATimeBeforeOrAfterTheDateAndRefusesTextThatIsNoDate)
{
    // The Italian time separator is the point; AM and PM change nothing that matters for the date.
    for (const char* text :
         {"10/06/2011 14:05:09", "10/06/2011 14.05.09", "10/06 23:59:59", "10/06/2011 2:05 PM", "10/06/2011 12:00AM",
          "10/06/2011 14:05 PM", "10/06/2011 2:05 p", "14:05:09 ven 10/06/2011", "10/06/2011\t14:05",
          "10/06/2011 , 14:05", "10/06/2011\u00A014:05"})
        EXPECT_EQ(recognised(QString::fromUtf8(text)), QStringLiteral("2011-06-10")) << text;
    for (const char* text :
         {"10/06/2011 24:00", "10/06/2011 14:60", "10/06/2011 14:05:60", "10/06/2011 14:05 XM", "10/06/2011 14:05:09.5",
          "10/06/2011 14:05.09", "10/06/2011 14:05:09:01", "10/06/2011 140:05", "10/06/2011 14", "10/06/2011,,14:05",
          "10/06/2011-14:05", "14:05 10/06/2011 14:05", "2011-06-10T14:05:09", "10/06/2011 abc"})
        EXPECT_EQ(recognised(QString::fromUtf8(text)), QStringLiteral("none")) << text;
    // A lone time was the old platform's 30/12/1899; it is no date at all, nor is a number that is no date.
    for (const char* text : {"14:05", "2:05 PM", "10.06.11", "40000.5", "-1", "", "abc"})
        EXPECT_EQ(recognised(QString::fromUtf8(text)), QStringLiteral("none")) << text;
}

TEST(DateTextTest, WritesDatesAsItalianSettingsShowThemAndReadsThemBack)
{
    EXPECT_EQ(shortDateText(QDate(2011, 1, 2)), QStringLiteral("02/01/2011"));
    EXPECT_EQ(shortDateText(QDate(110, 6, 10)), QStringLiteral("10/06/0110"));
    EXPECT_EQ(shortDateText(QDate()), QString());
    const QDate june10(2011, 6, 10);
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(14, 5, 9))), QStringLiteral("10/06/2011 14:05:09"));
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(0, 0, 0, 500))), QStringLiteral("10/06/2011"));
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(0, 0, 1))), QStringLiteral("10/06/2011 00:00:01"));
    EXPECT_EQ(generalDateText(QDateTime()), QString());

    // What the program writes it must read back as the same day.
    for (QDate day(2011, 12, 1); day <= QDate(2012, 3, 31); day = day.addDays(1)) {
        EXPECT_EQ(recogniseDate(shortDateText(day), Today), day) << shortDateText(day).toStdString();
        const QString general = generalDateText(QDateTime(day, QTime(13, 59, 7)));
        EXPECT_EQ(recogniseDate(general, Today), day) << general.toStdString();
    }
    for (int year : {100, 999, 1899, 1950, 2049, 9999})
        EXPECT_EQ(recogniseDate(shortDateText(QDate(year, 2, 28)), Today), QDate(year, 2, 28)) << year;
}
