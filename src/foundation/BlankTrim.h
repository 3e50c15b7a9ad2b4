#pragma once

#include <QString>

/// The text without blanks at its ends; other white space (a TAB, a line end) stays, as the suite's
/// programs have always trimmed.
inline QString trimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == QLatin1Char(' '))
        ++start;
    while (end > start && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(start, end - start);
}
