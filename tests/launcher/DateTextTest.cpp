#include "launcher/DateText.h"

#include "support/QtPrinters.h"

#include <QTime>

#include <gtest/gtest.h>

namespace {

const QDate Today(2011, 6, 14);

// The date the text stands for, or an invalid date when it is none, so that failures print both sides.
QDate recognised(const char* text, const QDate& today = Today)
{
    return recogniseDate(QString::fromUtf8(text), today).value_or(QDate());
}

} // namespace

// Failure messages show dates as ISO text.
static void PrintTo(const QDate& date, std::ostream* out)
{
    *out << (date.isValid() ? date.toString(Qt::ISODate).toStdString() : std::string("no date"));
}

TEST(RecogniseDateTest, ReadsDayMonthYearWithAnySeparator)
{
    const QDate june10(2011, 6, 10);
    EXPECT_EQ(recognised("10/06/2011"), june10);
    EXPECT_EQ(recognised("10-06-2011"), june10);
    EXPECT_EQ(recognised("10 06 2011"), june10);
    EXPECT_EQ(recognised("10,06,2011"), june10);
    EXPECT_EQ(recognised("10-06/2011"), june10); // separators may be mixed
    EXPECT_EQ(recognised("10/6/2011"), june10);
    EXPECT_EQ(recognised("  10/06/2011 \t"), june10);
    EXPECT_EQ(recognised("010/006/2011"), june10); // groups count by value, leading zeros and all
    EXPECT_EQ(recognised("6/10/2011"), QDate(2011, 10, 6));

    EXPECT_EQ(recognised("29/02/2012"), QDate(2012, 2, 29));
    EXPECT_EQ(recognised("29/02/2000"), QDate(2000, 2, 29));
    EXPECT_EQ(recognised("29/02/1900"), QDate());
    EXPECT_EQ(recognised("29/02/2011"), QDate());
    EXPECT_EQ(recognised("31/02/2011"), QDate());
    EXPECT_EQ(recognised("31/04/2011"), QDate());
    EXPECT_EQ(recognised("0/06/2011"), QDate());
    EXPECT_EQ(recognised("10/0/2011"), QDate());
    EXPECT_EQ(recognised("32/01/2011"), QDate());

    // Day and month alone take the year of today; on Italian settings a decimal number is such a date too.
    EXPECT_EQ(recognised("10/06"), june10);
    EXPECT_EQ(recognised("10,5"), QDate(2011, 5, 10));
    EXPECT_EQ(recognised("12/31"), QDate(2011, 12, 31));
    EXPECT_EQ(recognised("29/02"), QDate());
    EXPECT_EQ(recognised("29/02", QDate(2012, 1, 1)), QDate(2012, 2, 29));
}

TEST(RecogniseDateTest, TriesMonthDayYearThenYearMonthDay)
{
    EXPECT_EQ(recognised("12/31/2011"), QDate(2011, 12, 31));
    EXPECT_EQ(recognised("12/13/11"), QDate(2011, 12, 13));
    EXPECT_EQ(recognised("13/12/11"), QDate(2011, 12, 13));
    EXPECT_EQ(recognised("02/29/2012"), QDate(2012, 2, 29));
    EXPECT_EQ(recognised("02/30/2012"), QDate());
    // Neither day-first nor month-first fits, so the first group is the year.
    EXPECT_EQ(recognised("50/06/10"), QDate(1950, 6, 10));
    EXPECT_EQ(recognised("11/31/12"), QDate());

    EXPECT_EQ(recognised("2011-06-10"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("2011/06/10"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("2011 6 1"), QDate(2011, 6, 1));
    // A four-digit year first is never read with the day in the middle.
    EXPECT_EQ(recognised("2011-13-06"), QDate());
    EXPECT_EQ(recognised("0001/02/03"), QDate(2001, 2, 3));
    EXPECT_EQ(recognised("2011/06"), QDate());
}

TEST(RecogniseDateTest, ReadsYearsByTheirValue)
{
    EXPECT_EQ(recognised("10/06/30"), QDate(2030, 6, 10));
    EXPECT_EQ(recognised("10/06/0"), QDate(2000, 6, 10));
    EXPECT_EQ(recognised("10/06/49"), QDate(2049, 6, 10));
    EXPECT_EQ(recognised("10/06/50"), QDate(1950, 6, 10));
    EXPECT_EQ(recognised("10/06/99"), QDate(1999, 6, 10));
    EXPECT_EQ(recognised("10/06/0099"), QDate(1999, 6, 10));
    EXPECT_EQ(recognised("1/1/0001"), QDate(2001, 1, 1));
    EXPECT_EQ(recognised("10/06/100"), QDate(100, 6, 10));
    EXPECT_EQ(recognised("31/12/9999"), QDate(9999, 12, 31));
    EXPECT_EQ(recognised("31/12/10000"), QDate());
    EXPECT_EQ(recognised("10/06/99999999999999999999"), QDate());
    EXPECT_EQ(recognised("99999999999999999999/06/10"), QDate());
}

TEST(RecogniseDateTest, ReadsItalianMonthNamesInAnyCase)
{
    const char* const full[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
    for (int month = 1; month <= 12; ++month) {
        const QString name = QString::fromUtf8(full[month - 1]);
        const QDate expected(2011, month, 10);
        for (const QString& written :
             {name, name.toUpper(), name.left(3), name.left(3).toUpper(), name.left(1).toUpper() + name.mid(1, 2)}) {
            EXPECT_EQ(recogniseDate(QStringLiteral("10 %1 2011").arg(written), Today), expected)
                << written.toStdString();
        }
    }
    EXPECT_EQ(recognised("10-giu-2011"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("10/Giu/11"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("giugno 10 2011"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("2011 giu 10"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("10 giugno"), QDate(2011, 6, 10));
    EXPECT_EQ(recognised("dic 31"), QDate(2011, 12, 31));
    EXPECT_EQ(recognised("31 feb 2011"), QDate());

    // Only Italian names, whole or in three letters, and only in the month's place.
    EXPECT_EQ(recognised("10 june 2011"), QDate());
    EXPECT_EQ(recognised("10 giugn 2011"), QDate());
    EXPECT_EQ(recognised("10 gi 2011"), QDate());
    EXPECT_EQ(recognised("10 2011 giugno"), QDate());
    EXPECT_EQ(recognised("gen feb 2011"), QDate());
    EXPECT_EQ(recognised("10 giu. 2011"), QDate());
    EXPECT_EQ(recognised("giugno 2011"), QDate());
}

TEST(RecogniseDateTest, DropsATimeThatFollowsTheDate)
{
    const QDate june10(2011, 6, 10);
    EXPECT_EQ(recognised("10/06/2011 14:05:09"), june10);
    EXPECT_EQ(recognised("10/06/2011 14:05"), june10);
    EXPECT_EQ(recognised("2011-06-10 14:05"), june10);
    EXPECT_EQ(recognised("10 giugno 2011 0:00"), june10);
    EXPECT_EQ(recognised("10/06/2011 14.05.09"), june10); // the Italian time separator
    EXPECT_EQ(recognised("10/06/2011 2:05 PM"), june10);
    EXPECT_EQ(recognised("10/06/2011 02:05:09 am"), june10);
    EXPECT_EQ(recognised("10/06/2011 12:00AM"), june10);
    EXPECT_EQ(recognised("10/06 23:59:59"), june10);

    EXPECT_EQ(recognised("10/06/2011 24:00"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:60"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:05:60"), QDate());
    EXPECT_EQ(recognised("10/06/2011 13:00 PM"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:05 XM"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:05:09.5"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:05:09,5"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:05.09"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14:05:09:01"), QDate());
    EXPECT_EQ(recognised("10/06/2011 140:05"), QDate());
    EXPECT_EQ(recognised("10/06/2011  14:05"), QDate());
    EXPECT_EQ(recognised("10/06/2011\t14:05"), QDate());
    EXPECT_EQ(recognised("10/06/2011 14"), QDate());
    EXPECT_EQ(recognised("2011-06-10T14:05:09"), QDate());
    EXPECT_EQ(recognised("2011-06-10T14:05"), QDate());
    EXPECT_EQ(recognised("2011-06-10 14:05:09+02:00"), QDate());
    EXPECT_EQ(recognised("14:05 10/06/2011"), QDate());
}

TEST(RecogniseDateTest, RefusesTextThatIsNoDate)
{
    // A lone time was the old platform's 30/12/1899; it is no date at all.
    for (const char* text : {"14:05", "14:05:09", "2:05 PM", "10.06.11", "10.06.2011", " 14.05 "})
        EXPECT_EQ(recognised(text), QDate()) << text;

    for (const char* text :
         {"", "   ", "\t", "10", "giugno", "abc", "10/06/2011 abc", "10//06/2011", "10/06//2011", "10/06/2011/",
          "10/06/2011-", "/10/06/2011", "10 / 06 / 2011", "10/06/2011/12", "10_06_2011", "10/06/20x1", "+10/06/2011",
          "10/06/-2011", "\xEF\xBC\x91\xEF\xBC\x90/06/2011"})
        EXPECT_EQ(recognised(text), QDate()) << text;
}

TEST(DateTextTest, WritesDatesAsItalianSettingsShowThem)
{
    EXPECT_EQ(shortDateText(QDate(2011, 6, 10)), QStringLiteral("10/06/2011"));
    EXPECT_EQ(shortDateText(QDate(2011, 1, 2)), QStringLiteral("02/01/2011"));
    EXPECT_EQ(shortDateText(QDate(110, 6, 10)), QStringLiteral("10/06/0110"));
    EXPECT_EQ(shortDateText(QDate()), QString());

    const QDate june10(2011, 6, 10);
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(14, 5, 9))), QStringLiteral("10/06/2011 14:05:09"));
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(0, 0))), QStringLiteral("10/06/2011"));
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(0, 0, 0, 500))), QStringLiteral("10/06/2011"));
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(0, 0, 1))), QStringLiteral("10/06/2011 00:00:01"));
    EXPECT_EQ(generalDateText(QDateTime(june10, QTime(23, 59, 59, 999))), QStringLiteral("10/06/2011 23:59:59"));
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
