#include "foundation/DateText.h"

#include <QTime>

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The pieces of a typed date: digit runs, letter runs, runs of blanks and the single punctuation marks that may
// stand between them. A number's value is capped so that no text can overflow it, and a capped value is too large
// for a day, a month or a year alike.
struct Token {
    enum Kind { Number, Word, Blank, Separator, TimeSeparator };
    Kind kind = Number;
    QStringView text;
    int value = 0;
};

constexpr int CappedValue = 100000;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QChar(0x00A0);
}

bool isSeparator(QChar c)
{
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char(',');
}

bool isTimeSeparator(QChar c)
{
    return c == QLatin1Char(':') || c == QLatin1Char('.');
}

// The tokens of the text, or none when it holds a character that has no place in a date.
std::optional<std::vector<Token>> tokensOf(QStringView text)
{
    std::vector<Token> tokens;
    qsizetype at = 0;
    const auto runOf = [&](auto belongs) {
        const qsizetype start = at;
        while (at < text.size() && belongs(text.at(at)))
            ++at;
        return text.mid(start, at - start);
    };
    while (at < text.size()) {
        const QChar c = text.at(at);
        Token token;
        if (isAsciiDigit(c)) {
            token.text = runOf(isAsciiDigit);
            for (const QChar digit : token.text)
                token.value = std::min(token.value * 10 + digit.digitValue(), CappedValue);
        } else if (c.isLetter()) {
            token.kind = Token::Word;
            token.text = runOf([](QChar letter) { return letter.isLetter(); });
        } else if (isBlank(c)) {
            token.kind = Token::Blank;
            token.text = runOf(isBlank);
        } else if (isSeparator(c) || isTimeSeparator(c)) {
            token.kind = isSeparator(c) ? Token::Separator : Token::TimeSeparator;
            token.text = text.mid(at++, 1);
        } else {
            return std::nullopt;
        }
        tokens.push_back(token);
    }
    return tokens;
}

bool isComma(const Token& token)
{
    return token.kind == Token::Separator && token.text == QLatin1Char(',');
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

// Whether the word is an Italian day name, full (with its accent) or in three letters; "mar" is March, not
// Tuesday, because month names are asked first.
bool isDayName(QStringView name)
{
    static const std::array<QStringView, 7> names = {
        u"luned\u00EC", u"marted\u00EC", u"mercoled\u00EC", u"gioved\u00EC", u"venerd\u00EC", u"sabato", u"domenica"};
    return std::any_of(names.begin(), names.end(), [&](QStringView full) {
        return name.compare(full, Qt::CaseInsensitive) == 0 || name.compare(full.left(3), Qt::CaseInsensitive) == 0;
    });
}

bool isMeridiem(const Token& token)
{
    if (token.kind != Token::Word)
        return false;
    for (const char* designator : {"AM", "PM", "A", "P"}) {
        if (token.text.compare(QLatin1StringView(designator), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Reads the time that starts at token `at` (h:mm, h:mm:ss, or with '.', the Italian time separator, the same one
// throughout; then AM, PM, A or P, glued or after blanks), and gives the token after it, or none when the tokens
// there are no time. AM and PM change nothing that matters for a date, not even after a 24-hour time.
std::optional<size_t> timeEnd(const std::vector<Token>& tokens, size_t at)
{
    std::array<int, 3> parts{};
    int count = 0;
    QStringView separator;
    for (;;) {
        if (tokens[at].kind != Token::Number || tokens[at].text.size() > 2)
            return std::nullopt;
        parts[size_t(count++)] = tokens[at++].value;
        if (count == 3 || at + 1 >= tokens.size() || tokens[at].kind != Token::TimeSeparator)
            break;
        if (!separator.isNull() && tokens[at].text != separator)
            return std::nullopt;
        separator = tokens[at++].text;
    }
    if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    if (at < tokens.size() && isMeridiem(tokens[at]))
        return at + 1;
    if (at + 1 < tokens.size() && tokens[at].kind == Token::Blank && isMeridiem(tokens[at + 1]))
        return at + 2;
    return at;
}

bool isGap(const Token& token)
{
    return token.kind == Token::Blank || isComma(token);
}

// Whether the tokens from `begin` to `end` may stand between a date and its time: blanks, at most one comma.
bool isDateTimeGap(const std::vector<Token>& tokens, size_t begin, size_t end)
{
    const auto first = tokens.begin() + qsizetype(begin);
    const auto last = tokens.begin() + qsizetype(end);
    return begin < end && std::all_of(first, last, isGap) && std::count_if(first, last, isComma) <= 1;
}

struct Span {
    size_t begin;
    size_t end;
};

// The tokens of the date once the time, before or after it, is set aside; none when the time is no time, stands
// inside the date, or stands alone (the old platform read a lone time as 30/12/1899: no date at all here).
std::optional<Span> dateSpan(const std::vector<Token>& tokens)
{
    const auto mark = std::find_if(tokens.begin(), tokens.end(),
                                   [](const Token& token) { return token.kind == Token::TimeSeparator; });
    if (mark == tokens.end())
        return Span{0, tokens.size()};
    const size_t timeBegin = size_t(mark - tokens.begin());
    if (timeBegin == 0)
        return std::nullopt;
    const std::optional<size_t> end = timeEnd(tokens, timeBegin - 1);
    if (!end)
        return std::nullopt;
    if (timeBegin == 1) {
        size_t dateBegin = *end;
        while (dateBegin < tokens.size() && isGap(tokens[dateBegin]))
            ++dateBegin;
        if (dateBegin == tokens.size() || !isDateTimeGap(tokens, *end, dateBegin))
            return std::nullopt;
        return Span{dateBegin, tokens.size()};
    }
    if (*end != tokens.size())
        return std::nullopt;
    size_t dateEnd = timeBegin - 1;
    while (dateEnd > 0 && isGap(tokens[dateEnd - 1]))
        --dateEnd;
    if (dateEnd == 0 || !isDateTimeGap(tokens, dateEnd, timeBegin - 1))
        return std::nullopt;
    return Span{0, dateEnd};
}

// A day, month or year group of the date: a number, or a month's name.
struct Group {
    bool isMonthName = false;
    int value = 0;
    qsizetype digits = 0;
};

// The groups of the date, or none when they are not joined as a date's are: between two groups blanks and at
// most one '/', '-' or ','; a month name may also be glued to a number. A day name may open the date.
std::optional<std::vector<Group>> groupsOf(const std::vector<Token>& tokens, Span span)
{
    const auto isJoint = [](const Token& token) {
        return token.kind == Token::Blank || token.kind == Token::Separator;
    };
    if (span.begin == span.end || isJoint(tokens[span.begin]) || isJoint(tokens[span.end - 1]))
        return std::nullopt; // nothing, or a leading or trailing separator
    std::vector<Group> groups;
    int separators = 0;
    for (size_t at = span.begin; at < span.end; ++at) {
        const Token& token = tokens[at];
        if (isJoint(token)) {
            separators += token.kind == Token::Separator ? 1 : 0;
            if (separators > 1)
                return std::nullopt; // a doubled separator
            continue;
        }
        separators = 0;
        if (token.kind == Token::Number) {
            groups.push_back(Group{false, token.value, token.text.size()});
        } else if (token.kind != Token::Word) {
            return std::nullopt; // a time separator inside the date
        } else if (const int month = monthOfName(token.text)) {
            groups.push_back(Group{true, month, 0});
        } else if (at != span.begin || !isDayName(token.text)) {
            return std::nullopt;
        }
    }
    return groups;
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

// A value that cannot be a day (nor a month) can only be a year: a day-less date needs one.
bool canOnlyBeYear(const Group& group)
{
    return group.value > 31;
}

// Which group holds the day, the month and the year; NoGroup for the day is the 1st, for the year this year's.
struct Order {
    int day;
    int month;
    int year;
};

constexpr int NoGroup = -1;

std::optional<QDate> dateInOrder(const std::vector<Group>& groups, Order order, const QDate& today)
{
    const int day = order.day == NoGroup ? 1 : groups[size_t(order.day)].value;
    const int month = groups[size_t(order.month)].value;
    const std::optional<int> year =
        order.year == NoGroup ? today.year() : yearOfValue(groups[size_t(order.year)].value);
    if (!year || day < 1)
        return std::nullopt;
    const QDate date(*year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

// The orders to try, the likeliest first, for groups that hold a month name at `name`.
std::vector<Order> ordersAroundName(const std::vector<Group>& groups, int name)
{
    std::vector<int> numbers;
    for (int index = 0; index < int(groups.size()); ++index) {
        if (index != name)
            numbers.push_back(index);
    }
    if (numbers.size() == 1) {
        const int number = numbers.front();
        if (canOnlyBeYear(groups[size_t(number)]))
            return {Order{number, name, NoGroup}, Order{NoGroup, name, number}};
        return {Order{number, name, NoGroup}};
    }
    const Order dayFirst{numbers[0], name, numbers[1]};
    const Order yearFirst{numbers[1], name, numbers[0]};
    if (!groups.front().isMonthName && groups.front().digits >= 4)
        return {yearFirst, dayFirst};
    return {dayFirst, yearFirst};
}

// The orders to try, the likeliest first, for groups that are all numbers.
std::vector<Order> ordersOfNumbers(const std::vector<Group>& groups)
{
    const bool fourDigitsFirst = groups.front().digits >= 4;
    if (groups.size() == 3) {
        if (fourDigitsFirst)
            return {Order{2, 1, 0}, Order{1, 2, 0}, Order{0, 1, 2}, Order{1, 0, 2}};
        return {Order{0, 1, 2}, Order{1, 0, 2}, Order{2, 1, 0}};
    }
    std::vector<Order> orders;
    if (fourDigitsFirst)
        orders.push_back(Order{NoGroup, 1, 0});
    orders.insert(orders.end(), {Order{0, 1, NoGroup}, Order{1, 0, NoGroup}});
    if (canOnlyBeYear(groups[1]))
        orders.push_back(Order{NoGroup, 0, 1});
    if (!fourDigitsFirst && canOnlyBeYear(groups[0]))
        orders.push_back(Order{NoGroup, 1, 0});
    return orders;
}

} // namespace

std::optional<QDate> recogniseDate(const QString& text, const QDate& today)
{
    const std::optional<std::vector<Token>> tokens = tokensOf(QStringView(text).trimmed());
    if (!tokens)
        return std::nullopt;
    const std::optional<Span> span = dateSpan(*tokens);
    if (!span)
        return std::nullopt;
    const std::optional<std::vector<Group>> groups = groupsOf(*tokens, *span);
    if (!groups || groups->size() < 2 || groups->size() > 3)
        return std::nullopt;
    const auto name =
        std::find_if(groups->begin(), groups->end(), [](const Group& group) { return group.isMonthName; });
    if (std::count_if(name, groups->end(), [](const Group& group) { return group.isMonthName; }) > 1)
        return std::nullopt;
    const std::vector<Order> orders =
        name == groups->end() ? ordersOfNumbers(*groups) : ordersAroundName(*groups, int(name - groups->begin()));
    for (const Order order : orders) {
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
