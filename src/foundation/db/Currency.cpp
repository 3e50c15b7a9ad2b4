#include "foundation/db/Currency.h"

#include <cmath>

namespace db {

std::optional<Currency> Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    // 2^63 units and beyond do not fit; below it every whole double converts exactly.
    const double scaled = std::round(value * UnitsPerWhole);
    if (scaled >= 0x1p63 || scaled < -0x1p63)
        return std::nullopt;
    return Currency(qint64(scaled));
}

std::optional<Currency> Currency::fromWhole(qint64 whole)
{
    qint64 units = 0;
    if (__builtin_mul_overflow(whole, UnitsPerWhole, &units))
        return std::nullopt;
    return Currency(units);
}

std::optional<Currency> Currency::plus(Currency other) const
{
    qint64 units = 0;
    if (__builtin_add_overflow(m_units, other.m_units, &units))
        return std::nullopt;
    return Currency(units);
}

std::optional<Currency> Currency::fromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype at = 0;
    bool negative = false;
    if (at < trimmed.size() && (trimmed.at(at) == QLatin1Char('-') || trimmed.at(at) == QLatin1Char('+'))) {
        negative = trimmed.at(at) == QLatin1Char('-');
        ++at;
    }
    // Accumulated with the sign, so that the most negative amount is read too.
    const int sign = negative ? -1 : 1;
    qint64 whole = 0;
    int wholeDigits = 0;
    bool overflow = false;
    while (at < trimmed.size() && trimmed.at(at).isDigit()) {
        overflow |= __builtin_mul_overflow(whole, 10, &whole) ||
                    __builtin_add_overflow(whole, sign * trimmed.at(at).digitValue(), &whole);
        ++wholeDigits;
        ++at;
    }
    qint64 fraction = 0;
    int fractionDigits = 0;
    bool roundUp = false;
    if (at < trimmed.size() && (trimmed.at(at) == QLatin1Char('.') || trimmed.at(at) == QLatin1Char(','))) {
        ++at;
        while (at < trimmed.size() && trimmed.at(at).isDigit()) {
            if (fractionDigits < 4) {
                fraction = fraction * 10 + trimmed.at(at).digitValue();
                ++fractionDigits;
            } else if (fractionDigits == 4) {
                roundUp = trimmed.at(at).digitValue() >= 5;
                ++fractionDigits;
            }
            ++at;
        }
    }
    if (overflow || at != trimmed.size() || (wholeDigits == 0 && fractionDigits == 0))
        return std::nullopt;
    for (int digits = std::min(fractionDigits, 4); digits < 4; ++digits)
        fraction *= 10;
    qint64 units = 0;
    if (__builtin_mul_overflow(whole, UnitsPerWhole, &units) ||
        __builtin_add_overflow(units, sign * (fraction + (roundUp ? 1 : 0)), &units))
        return std::nullopt;
    return Currency(units);
}

QString Currency::toPlainText() const
{
    const quint64 magnitude = m_units < 0 ? quint64(0) - quint64(m_units) : quint64(m_units);
    return QStringLiteral("%1%2.%3")
        .arg(m_units < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / quint64(UnitsPerWhole))
        .arg(magnitude % quint64(UnitsPerWhole), 4, 10, QLatin1Char('0'));
}

} // namespace db
