#include "flow/Formatting.h"

#include <QStringView>

#include <cstdio>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The digits of a whole number given as text, one more: "199" gives "200", "99" gives "100".
QString incremented(QString digits)
{
    for (qsizetype at = digits.size() - 1; at >= 0; --at) {
        if (digits.at(at) != QLatin1Char('9')) {
            digits[at] = QChar(digits.at(at).unicode() + 1);
            return digits;
        }
        digits[at] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

// The whole digits of an Italian number: plain ("1234") or grouped by points in threes ("1.234"). A point in any
// other place ("4.5") is not an Italian number, and we would rather keep such an answer than guess what it meant.
bool readWholeDigits(QStringView text, qsizetype& at, QString& digits)
{
    qsizetype groupLength = 0;
    bool grouped = false;
    while (at < text.size()) {
        const QChar c = text.at(at);
        if (isAsciiDigit(c)) {
            digits.append(c);
            ++groupLength;
        } else if (c == QLatin1Char('.')) {
            if (groupLength == 0 || (grouped ? groupLength != 3 : groupLength > 3))
                return false;
            grouped = true;
            groupLength = 0;
        } else {
            break;
        }
        ++at;
    }
    return !grouped || groupLength == 3;
}

// The replacement of the character at `at` in an attribute value, or a null view when it stays; `length` tells how
// many code units the character takes (a surrogate pair takes two).
QLatin1StringView attributeReplacement(const QString& value, qsizetype at, qsizetype& length)
{
    length = 1;
    const char16_t c = value.at(at).unicode();
    if (c >= 0x20 && c < 0xD800 && c != u'&' && c != u'<' && c != u'>' && c != u'"')
        return QLatin1StringView();
    switch (c) {
    case u'&':
        return QLatin1StringView("&amp;");
    case u'<':
        return QLatin1StringView("&lt;");
    case u'>':
        return QLatin1StringView("&gt;");
    case u'"':
        return QLatin1StringView("&quot;");
    // Written as references because a parser turns literal line ends and TABs in an attribute into blanks.
    case u'\r':
        return QLatin1StringView("&#13;");
    case u'\n':
        return QLatin1StringView("&#10;");
    case u'\t':
        return QLatin1StringView("&#9;");
    default:
        break;
    }
    if (QChar::isHighSurrogate(c) && at + 1 < value.size() && QChar::isLowSurrogate(value.at(at + 1).unicode())) {
        length = 2;
        return QLatin1StringView();
    }
    // XML 1.0 has no way at all to carry these, not even as references: a blank keeps the value's length.
    if (c < 0x20 || QChar::isSurrogate(c) || c == 0xFFFE || c == 0xFFFF)
        return QLatin1StringView(" ");
    return QLatin1StringView();
}

} // namespace

QByteArray LivelloTab(int level)
{
    // Every line of the flow starts with its tabs: the usual depths share one constant text and cost no allocation.
    static constexpr char tabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
    if (level <= 0)
        return QByteArray();
    if (level < qsizetype(sizeof tabs))
        return QByteArray::fromRawData(tabs, level);
    return QByteArray(level, '\t');
}

QString PerXML(QString text)
{
    // The creditor's system takes the report as plain letters: the lower-case accented vowels of Italian become the
    // letter and an apostrophe, as Italians type them without a keyboard for accents. Capitals stay as they are.
    text.replace(QChar(0x00E0), QLatin1StringView("a'"));
    text.replace(QChar(0x00E8), QLatin1StringView("e'"));
    text.replace(QChar(0x00E9), QLatin1StringView("e'"));
    text.replace(QChar(0x00EC), QLatin1StringView("i'"));
    text.replace(QChar(0x00F2), QLatin1StringView("o'"));
    text.replace(QChar(0x00F9), QLatin1StringView("u'"));
    text.replace(QLatin1Char('<'), QLatin1Char(' '));
    text.replace(QLatin1Char('>'), QLatin1Char(' '));
    // Only the Windows line end joins two lines of the report; a lone CR or LF is left to the escaping.
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("."));
    return text;
}

QString ImportoNorvanta(db::Currency amount)
{
    // Rounded to the cent on the units themselves, so no amount is ever off by a binary fraction. Half a cent goes
    // away from zero (0.005 gives 0.01, -0.005 gives -0.01), the commercial rounding. An amount that rounds to no
    // cents is "0.00" without a sign: a signed zero in a return flow would only raise questions at the creditor.
    const qint64 units = amount.units();
    const quint64 magnitude = units < 0 ? quint64(0) - quint64(units) : quint64(units);
    constexpr quint64 UnitsPerCent = db::Currency::UnitsPerWhole / 100;
    const quint64 cents = magnitude / UnitsPerCent + (magnitude % UnitsPerCent >= UnitsPerCent / 2 ? 1 : 0);
    const bool negative = units < 0 && cents != 0;
    return QStringLiteral("%1%2.%3")
        .arg(negative ? QStringLiteral("-") : QString())
        .arg(cents / 100)
        .arg(cents % 100, 2, 10, QLatin1Char('0'));
}

QString FormattaData(const std::optional<QDate>& date)
{
    // The creditor's schema wants ISO dates; a missing or unreadable date keeps its width as ten blanks. Written
    // by hand because the flow writes several dates for every payment.
    if (!date)
        return QString(10, QLatin1Char(' '));
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date->year(), date->month(), date->day());
    return QString::fromLatin1(text);
}

QString SoloCifre(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        if (isAsciiDigit(c) || c == QLatin1Char('+') || c == QLatin1Char(','))
            kept.append(c);
    }
    return kept;
}

QString FormatCinqueCifre(const QString& text)
{
    // A number under Italian settings: optional sign, whole digits (grouped by points or not), optional decimals
    // after a comma. Decimals round to the whole number half away from zero, as the platform's "00000" format
    // does; digits are kept as text so that no answer is too long to pad.
    const QStringView trimmed = QStringView(text).trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed.at(at) == QLatin1Char('-') || trimmed.at(at) == QLatin1Char('+'))) {
        negative = trimmed.at(at) == QLatin1Char('-');
        ++at;
    }
    QString digits;
    if (!readWholeDigits(trimmed, at, digits))
        return text;
    bool roundUp = false;
    bool anyDecimal = false;
    if (at < trimmed.size() && trimmed.at(at) == QLatin1Char(',')) {
        ++at;
        if (at < trimmed.size() && isAsciiDigit(trimmed.at(at)))
            roundUp = trimmed.at(at).digitValue() >= 5;
        while (at < trimmed.size() && isAsciiDigit(trimmed.at(at))) {
            anyDecimal = true;
            ++at;
        }
    }
    if (at != trimmed.size() || (digits.isEmpty() && !anyDecimal))
        return text;

    qsizetype firstSignificant = 0;
    while (firstSignificant < digits.size() && digits.at(firstSignificant) == QLatin1Char('0'))
        ++firstSignificant;
    digits = digits.mid(firstSignificant);
    if (roundUp)
        digits = incremented(digits);
    // Zero has no sign, however it was typed ("-0", "-0,2").
    const QString sign = negative && !digits.isEmpty() ? QStringLiteral("-") : QString();
    return sign + digits.rightJustified(5, QLatin1Char('0'));
}

QString escapeXmlAttribute(const QString& value)
{
    // Runs for every attribute of every case: a value with nothing to escape is handed back without a copy.
    QString escaped;
    bool changed = false;
    qsizetype copiedUpTo = 0;
    for (qsizetype at = 0; at < value.size();) {
        qsizetype length = 1;
        const QLatin1StringView replacement = attributeReplacement(value, at, length);
        if (!replacement.isNull()) {
            if (!changed) {
                escaped.reserve(value.size() + 16);
                changed = true;
            }
            escaped.append(QStringView(value).mid(copiedUpTo, at - copiedUpTo));
            escaped.append(replacement);
            copiedUpTo = at + length;
        }
        at += length;
    }
    if (!changed)
        return value;
    escaped.append(QStringView(value).mid(copiedUpTo));
    return escaped;
}
