#include "launcher/DateText.h"

#include <QTime>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// A group of digits or letters between separators; the value is capped so that no text can overflow it, and a
// capped value is too large for a day, a month or a year alike.
struct Group {
    bool isMonthName = false;
    int value = 0;
    int digits = 0;
};

constexpr int CappedValue = 100000;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool isDateSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(' ') || c == QLatin1Char(',');
}

// The month an Italian name stands for (1 to 12), or 0; the full name and its first three letters both count.
int monthOfName(QStringView name)
{
    static const std::array<QLatin1StringView, 12> names = {
        QLatin1StringView("gennaio"), QLatin1StringView("febbraio"), QLatin1StringView("marzo"),
        QLatin1StringView("aprile"),  QLatin1StringView("maggio"),   QLatin1StringView("giugno"),
        QLatin1StringView("luglio"),  QLatin1StringView("agosto"),   QLatin1StringView("settembre"),
        QLatin1StringView("ottobre"), QLatin1StringView("novembre"), QLatin1StringView("dicembre"),
    };
    for (int month = 0; month < int(names.size()); ++month) {
        const QLatin1StringView full = names[size_t(month)];
        if (name.compare(full, Qt::CaseInsensitive) == 0 || name.compare(full.left(3), Qt::CaseInsensitive) == 0)
            return month + 1;
    }
    return 0;
}

// Reads a run of digits at `at`, leaving `at` after it; a run of no digits gives nothing.
std::optional<Group> readNumber(QStringView text, qsizetype& at)
{
    Group group;
    while (at < text.size() && isAsciiDigit(text.at(at))) {
        group.value = std::min(group.value * 10 + text.at(at).digitValue(), CappedValue);
        ++group.digits;
        ++at;
    }
    if (group.digits == 0)
        return std::nullopt;
    return group;
}

// The groups of the date part, or nothing when the part is not groups joined by single separators.
std::optional<std::vector<Group>> readGroups(QStringView text)
{
    std::vector<Group> groups;
    qsizetype at = 0;
    for (;;) {
        if (at == text.size())
            return std::nullopt; // empty part, or a trailing separator
        if (isAsciiDigit(text.at(at))) {
            groups.push_back(*readNumber(text, at));
        } else if (isAsciiLetter(text.at(at))) {
            const qsizetype start = at;
            while (at < text.size() && isAsciiLetter(text.at(at)))
                ++at;
            const int month = monthOfName(text.mid(start, at - start));
            if (month == 0)
                return std::nullopt;
            groups.push_back(Group{true, month, 0});
        } else {
            return std::nullopt; // a doubled or leading separator, or a character that has no place in a date
        }
        if (at == text.size())
            return groups;
        if (!isDateSeparator(text.at(at)))
            return std::nullopt;
        ++at;
    }
}

// Whether the text is a time the platform drops after a date: h:mm, h:mm:ss (or with '.'), then AM or PM.
bool isDroppableTime(QStringView text)
{
    qsizetype at = 0;
    std::array<int, 3> parts{};
    int count = 0;
    QChar separator;
    for (;;) {
        const std::optional<Group> part = readNumber(text, at);
        if (!part || part->digits > 2)
            return false;
        parts[size_t(count++)] = part->value;
        if (at == text.size() || count == 3 || (text.at(at) != QLatin1Char(':') && text.at(at) != QLatin1Char('.')))
            break;
        if (!separator.isNull() && text.at(at) != separator)
            return false;
        separator = text.at(at);
        ++at;
    }
    if (count < 2)
        return false;
    bool twelveHours = false;
    if (at < text.size()) {
        QStringView rest = text.mid(at);
        if (rest.startsWith(QLatin1Char(' ')))
            rest = rest.mid(1);
        if (rest.compare(QLatin1StringView("AM"), Qt::CaseInsensitive) != 0 &&
            rest.compare(QLatin1StringView("PM"), Qt::CaseInsensitive) != 0)
            return false; // fractional seconds, a fourth part, or anything else after the time
        twelveHours = true;
    }
    return parts[0] <= (twelveHours ? 12 : 23) && parts[1] <= 59 && parts[2] <= 59;
}

// The year a group's value stands for: two-digit values fall in 1950 to 2049 as on the operators' machines.
std::optional<int> yearOfValue(int value)
{
    if (value < 50)
        return 2000 + value;
    if (value < 100)
        return 1900 + value;
    if (value <= 9999)
        return value;
    return std::nullopt;
}

// Which group holds the day, the month and the year (-1: the year of today).
struct Order {
    int day;
    int month;
    int year;
};

std::optional<QDate> dateInOrder(const std::vector<Group>& groups, Order order, const QDate& today)
{
    for (int index = 0; index < int(groups.size()); ++index) {
        if (groups[size_t(index)].isMonthName && index != order.month)
            return std::nullopt;
    }
    const int day = groups[size_t(order.day)].value;
    const int month = groups[size_t(order.month)].value;
    std::optional<int> year = order.year < 0 ? today.year() : yearOfValue(groups[size_t(order.year)].value);
    if (!year || day < 1)
        return std::nullopt;
    const QDate date(*year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace

std::optional<QDate> recogniseDate(const QString& text, const QDate& today)
{
    const QStringView trimmed = QStringView(text).trimmed();
    QStringView datePart = trimmed;
    // The time, if any, starts after the last blank before the first time separator; with no blank there the text
    // is a lone time or an ISO "T" form, and neither is a date.
    qsizetype timeMark = trimmed.indexOf(QLatin1Char(':'));
    const qsizetype dot = trimmed.indexOf(QLatin1Char('.'));
    if (dot >= 0 && (timeMark < 0 || dot < timeMark))
        timeMark = dot;
    if (timeMark >= 0) {
        const qsizetype blank = trimmed.left(timeMark).lastIndexOf(QLatin1Char(' '));
        if (blank < 0 || !isDroppableTime(trimmed.mid(blank + 1)))
            return std::nullopt;
        datePart = trimmed.left(blank);
    }

    const std::optional<std::vector<Group>> groups = readGroups(datePart);
    if (!groups || groups->size() < 2 || groups->size() > 3)
        return std::nullopt;
    const bool yearFirst = !groups->front().isMonthName && groups->front().digits >= 4;
    if (groups->size() == 2) {
        if (yearFirst)
            return std::nullopt; // a year and a month, but no day
        for (const Order order : {Order{0, 1, -1}, Order{1, 0, -1}}) {
            if (const std::optional<QDate> date = dateInOrder(*groups, order, today))
                return date;
        }
        return std::nullopt;
    }
    if (yearFirst)
        return dateInOrder(*groups, Order{2, 1, 0}, today);
    for (const Order order : {Order{0, 1, 2}, Order{1, 0, 2}, Order{2, 1, 0}}) {
        if (const std::optional<QDate> date = dateInOrder(*groups, order, today))
            return date;
    }
    return std::nullopt;
}

QString shortDateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString generalDateText(const QDateTime& moment)
{
    // The platform's dates keep whole seconds: a time that is midnight but for its milliseconds still shows none.
    const QTime time = moment.time();
    if (time.hour() == 0 && time.minute() == 0 && time.second() == 0)
        return shortDateText(moment.date());
    return moment.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
}
