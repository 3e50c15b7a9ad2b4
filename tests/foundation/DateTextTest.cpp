#include "foundation/DateText.h"

#include "support/QtPrinters.h"

#include <QTime>

namespace {

const QDate Today(2011, 6, 14);

/// Checks rows "text=date" (ISO, empty when the text is no date) against the recognition, naming the text that failed.
void expectDates(std::initializer_list<const char*> rows)
{
    for (const char* row : rows) {
        const QString text = QString::fromUtf8(row).section(QLatin1Char('='), 0, -2);
        const std::optional<QDate> date = recogniseDate(text, Today);
        EXPECT_EQ(date ? date->toString(Qt::ISODate) : QString(), QString::fromUtf8(row).section(QLatin1Char('='), -1))
            << "for \"" << row << '"';
    }
}

} // namespace

TEST(RecogniseDateTest, ReadsWhatTheOperatorTypesAsADateAndNothingElse)
{
    // Groups joined by one separator amid blanks.
    expectDates({"10-06,2011=2011-06-10", "10 / 06 / 2011=2011-06-10", "10 \t 06  2011=2011-06-10",
                 "\u00A010/06/2011 \t=2011-06-10", "0010/0006/2011=2011-06-10", "10//06/2011=", "10, /06/2011=",
                 "/10/06/2011=", "10/06/2011 ,=", "10_06_2011=", "10/06\n2011=", "\uFF11\uFF10/06/2011="});
    // Three numbers: day first, then the other orders; a first group of four digits is a year.
    expectDates({"6/10/2011=2011-10-06", "29/02/2012=2012-02-29", "29/02/1900=", "0/06/2011=", "12/31/2011=2011-12-31",
                 "50/06/10=1950-06-10", "02/30/2012=", "10/06/2011/12=", "10=", "2011-06-10=2011-06-10",
                 "2011/31/12=2011-12-31", "2011/13/13=", "0001/02/03=2001-02-03"});
    // Two numbers: day and month of this year unless one can only be the year; "10,5" is such a date too.
    expectDates({"10/06=2011-06-10", "10,5=2011-05-10", "12/31=2011-12-31", "29/02=", "06/2011=2011-06-01",
                 "6/75=1975-06-01", "2011-06=2011-06-01", "0010/06=2010-06-01", "31/06=", "13/2011="});
    // Years by their value.
    expectDates({"10/06/0=2000-06-10", "10/06/49=2049-06-10", "10/06/50=1950-06-10", "10/06/100=0100-06-10",
                 "31/12/9999=9999-12-31", "31/12/10000=", "10/06/99999999999999999999="});
    // Italian month names in any case and place.
    expectDates(
        {"10-giu-2011=2011-06-10", "10 giugno, 2011=2011-06-10", "10giugno2011=2011-06-10", "10 2011 giugno=2011-06-10",
         "2011 giu 10=2011-06-10", "31 giu 10=2031-06-10", "10 giugno=2011-06-10", "giugno 2011=2011-06-01",
         "giugno 31=", "31 feb 2011=", "10 june 2011=", "10 giugn 2011=", "gen feb 2011=", "10 giu. 2011=", "giugno="});
    // An Italian day name before the date is ignored, whatever the day; "mar" is March.
    expectDates({"VENERDÌ 10/06/2011=2011-06-10", "ven, 10 giugno 2011=2011-06-10", "mar 10 2011=2011-03-10",
                 "mar 10/06/2011=", "venerdi 10/06/2011=", "10/06/2011 venerdì=", "ven ven 10/06/2011=", "venerdì="});
    // A time before or after the date is dropped; its separator may be the point, AM and PM change nothing.
    expectDates({"10/06/2011 14:05:09=2011-06-10", "10/06/2011 14.05.09=2011-06-10", "10/06 23:59:59=2011-06-10",
                 "10/06/2011 2:05 PM=2011-06-10", "10/06/2011 12:00AM=2011-06-10", "10/06/2011 14:05 PM=2011-06-10",
                 "10/06/2011 2:05 p=2011-06-10", "14:05:09 ven 10/06/2011=2011-06-10", "10/06/2011 , 14:05=2011-06-10",
                 "10/06/2011\u00A014:05=2011-06-10"});
    expectDates(
        {"10/06/2011 24:00=", "10/06/2011 14:60=", "10/06/2011 14:05:60=", "10/06/2011 14:05 XM=",
         "10/06/2011 14:05:09.5=", "10/06/2011 14:05.09=", "10/06/2011 140:05=", "10/06/2011 14=", "10/06/2011,,14:05=",
         "10/06/2011-14:05=", "14:05 10/06/2011 14:05=", "2011-06-10T14:05:09=", "10/06/2011 abc="});
    // A lone time was the old platform's 30/12/1899; it is no date at all, nor is a number that is no date.
    expectDates({"14:05=", "2:05 PM=", "10.06.11=", "40000.5=", "-1=", "=", "abc="});
    EXPECT_EQ(recogniseDate(QStringLiteral("29/02"), QDate(2012, 1, 1)), QDate(2012, 2, 29));
    const char* const months[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                                  "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
    for (int month = 1; month <= 12; ++month)
        for (const QString& name :
             {QString::fromUtf8(months[month - 1]), QString::fromUtf8(months[month - 1], 3).toUpper()})
            EXPECT_EQ(recogniseDate(QStringLiteral("10 %1 2011").arg(name), Today), QDate(2011, month, 10))
                << name.toStdString();
}

TEST(DateTextTest, WritesDatesAsItalianSettingsShowThemAndReadsThemBack)
{
    const QDate june10(2011, 6, 10);
    EXPECT_EQ(
        (QStringList{shortDateText(QDate(2011, 1, 2)), shortDateText(QDate(110, 6, 10)), shortDateText(QDate()),
                     generalDateText(QDateTime(june10, QTime(14, 5, 9))),
                     generalDateText(QDateTime(june10, QTime(0, 0, 0, 500))),
                     generalDateText(QDateTime(june10, QTime(0, 0, 1))), generalDateText(QDateTime())}),
        (QStringList{"02/01/2011", "10/06/0110", "", "10/06/2011 14:05:09", "10/06/2011", "10/06/2011 00:00:01", ""}));
    // What the program writes it must read back as the same day.
    QList<QDate> days;
    for (int year : {100, 999, 1899, 1950, 2049, 9999})
        days.append(QDate(year, 2, 28));
    for (QDate day(2011, 12, 1); day <= QDate(2012, 3, 31); day = day.addDays(1))
        days.append(day);
    for (const QDate& day : days) {
        const QString general = generalDateText(QDateTime(day, QTime(13, 59, 7)));
        EXPECT_EQ(recogniseDate(shortDateText(day), Today), day) << shortDateText(day).toStdString();
        EXPECT_EQ(recogniseDate(general, Today), day) << general.toStdString();
    }
}
