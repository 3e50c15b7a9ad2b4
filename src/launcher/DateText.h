#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

#include <optional>

// Dates as the suite's operators type them and as Windows under Italian regional settings recognises them: the
// sheet check, the flow and the tools must agree on what "is a date", so they all ask here.
//
// What counts as a date:
// - blanks, TABs and line ends around the text are ignored;
// - two or three groups (day, month, year) of ASCII digits or an Italian month name, full or in three letters, in
//   any letter case; between two groups exactly one separator, which is '/', '-', a blank or a comma, and
//   separators may be mixed ("10-06/2011"); a doubled, leading or trailing separator makes the text no date;
// - the orders tried are day-month-year, then month-day-year, then year-month-day; the first that gives a real
//   date wins ("12/31/2011" is 31 December 2011). When day-month-year fails, at most one of the other two fits, so
//   their order decides nothing. A first group of four digits is a year, and then only year-month-day is tried
//   ("2011-13-06" is no date). A month name can only be the month, and a month name with a year but no day
//   ("giugno 2011") is no date;
// - the year is read by its value: 0 to 49 are 2000 to 2049, 50 to 99 are 1950 to 1999, 100 to 9999 as written;
//   with day and month only, the year of today (so a decimal number such as "10,5" is 10 May, as it always was);
// - after the date, one blank and a time may follow and is dropped: hours, minutes and optional seconds of one or
//   two digits separated by ':' or '.' (the Italian time separator; the same one throughout), hours up to 23, or
//   up to 12 when AM or PM follows (with or without a blank);
// - a '.' between date groups, a "T" before the time (ISO form), fractional seconds, or a time without a date
//   make the text no date. The old platform read a lone time as 30/12/1899; the creditor would have received that.

/// The date the text stands for under Italian settings, or none; `today` gives the year when the text has none.
std::optional<QDate> recogniseDate(const QString& text, const QDate& today);

/// The short date text of Italian settings, "dd/MM/yyyy"; empty for an invalid date.
QString shortDateText(const QDate& date);

/// The general date text of Italian settings, "dd/MM/yyyy hh:mm:ss" (milliseconds dropped), only the date at midnight.
QString generalDateText(const QDateTime& moment);
