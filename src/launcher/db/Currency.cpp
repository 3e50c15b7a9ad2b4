#include "launcher/db/Currency.h"

#include <cmath>
#include <limits>

namespace db {

std::optional<Currency> Currency::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = std::round(value * UnitsPerWhole);
    if (std::fabs(scaled) >= 9.2e18)
        return std::nullopt;
    return Currency(qint64(scaled));
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
    qint64 whole = 0;
    int wholeDigits = 0;
    while (at < trimmed.size() && trimmed.at(at).isDigit()) {
        if (whole > (std::numeric_limits<qint64>::max() / UnitsPerWhole) / 10)
            return std::nullopt;
        whole = whole * 10 + trimmed.at(at).digitValue();
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
    if (at != trimmed.size() || (wholeDigits == 0 && fractionDigits == 0))
        return std::nullopt;
    for (int digits = std::min(fractionDigits, 4); digits < 4; ++digits)
        fraction *= 10;
    qint64 units = whole * UnitsPerWhole + fraction + (roundUp ? 1 : 0);
    return Currency(negative ? -units : units);
}

QString Currency::toPlainText() const
{
    const qint64 magnitude = m_units < 0 ? -m_units : m_units;
    return QStringLiteral("%1%2.%3")
        .arg(m_units < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / UnitsPerWhole)
        .arg(magnitude % UnitsPerWhole, 4, 10, QLatin1Char('0'));
}

} // namespace db
