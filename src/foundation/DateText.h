#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// Dates as the suite's operators type them and as Windows under Italian regional settings recognises them: the
// sheet check, the flow and the tools must agree on what "is a date", so they all ask here.
//
// What counts as a date:
// - blank space around the text is ignored; inside it, a blank is a space, a TAB or a no-break space, and a run of
//   blanks counts as one;
// - the date is two or three groups: numbers of ASCII digits (leading zeros allowed: "0010/0006/2011") or an
//   Italian month name, full or in three letters, in any letter case. Between two groups stand blanks and at most
//   one '/', '-' or ',' ("10 / 06 / 2011", "10, 06, 2011", "10-06/2011"); a month name may also be glued to a
//   number ("10giugno2011"). Two of those marks between groups ("10//06/2011", "10/-06"), or one before or after
//   the date, make the text no date. At most one month name, and it is always the month;
// - an Italian day name, full with its accent ("venerdì") or in three letters ("ven"), may open the date and is
//   ignored, whether or not it is the date's weekday; "mar" is March, never Tuesday;
// - three numbers are read day-month-year, then month-day-year, then year-month-day: the first order that gives a
//   real date wins ("12/31/2011" is 31 December 2011, "50/06/10" is 10 June 1950). A first number of four digits
//   is read year-month-day, then year-day-month ("2011/31/12" and "2011/13/01" are 31 December and 13 January
//   2011), and only when neither is a date as the other orders ("0010/0006/2011" is 10 June 2011);
// - two numbers are a day and a month of this year, day first, then month first ("10/06" is 10 June, "12/31" is
//   31 December, "10,5" is 10 May as it always was). Only when neither is a date, and one number cannot be a day
//   (it is above 31), they are a month and that year, and the day is the 1st ("06/2011", "2011-06", "6/75"). A
//   first number of four digits is a year before anything else ("2011/06", "0010/06" is June 2010);
// - a month name with one number: the number is the day in this year ("10 giugno", "dic 31"), or, above 31, the
//   year with day 1 ("giugno 2011"). With two numbers, wherever the name stands, the first is the day and the
//   second the year, and if that is no date the other way round; a first number of four digits is tried as the
//   year first ("giugno 10, 2011", "10 2011 giugno", "2011 giu 10", "31 giu 10" is 10 June 2031);
// - the year is read by its value: 0 to 49 are 2000 to 2049, 50 to 99 are 1950 to 1999, 100 to 9999 as written;
// - a time may stand after or before the date, and is dropped: hours, minutes and optional seconds of one or two
//   digits separated by ':' or '.' (the Italian time separator; the same one throughout), hours up to 23 and
//   minutes and seconds up to 59, then optionally AM, PM, A or P, glued or after blanks, which change nothing
//   ("10/06/2011 14:05 PM"). Between the date and the time stand blanks and at most one comma
//   ("10/06/2011,14:05", "14:05:09 10/06/2011");
// - a '.' between date groups, a "T" before the time (ISO form), fractional seconds, any other word or character,
//   or a time without a date make the text no date: "14:05", "10.06.2011", "40000.5" and "-1" are none. The old
//   platform read a lone time as 30/12/1899; the creditor would have received that.

/// The date the text stands for under Italian settings, or none; `today` gives the year when the text has none.
std::optional<QDate> recogniseDate(const QString& text, const QDate& today);

/// The short date text of Italian settings, "dd/MM/yyyy"; empty for an invalid date.
QString shortDateText(const QDate& date);

/// The general date text of Italian settings, "dd/MM/yyyy hh:mm:ss" (milliseconds dropped), only the date at midnight.
QString generalDateText(const QDateTime& moment);
