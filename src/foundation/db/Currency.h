#pragma once

#include <QMetaType>
#include <QString>

#include <compare>
#include <optional>

namespace db {

/// An amount as the suite keeps it: fixed point with four decimals, in a 64-bit whole number of
/// ten-thousandths, so that sums of many payments lose nothing.
///
/// The range is that of the suite's currency, -922337203685477.5808 to 922337203685477.5807. Every way into it
/// that could leave the range says so with an empty optional: an amount that does not fit is never carried on as
/// another one.
class Currency {
public:
    static constexpr qint64 UnitsPerWhole = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 units) { return Currency(units); }
    /// A whole amount; no value beyond the range.
    static std::optional<Currency> fromWhole(qint64 whole);
    /// Rounds to the fourth decimal, halves away from zero; no value when out of range or not finite.
    static std::optional<Currency> fromDouble(double value);
    /// Reads "1234", "-12.5", "0,75" (point or comma before the decimals, no grouping); surplus decimals round.
    static std::optional<Currency> fromText(const QString& text);

    constexpr qint64 units() const { return m_units; }
    double toDouble() const { return double(m_units) / UnitsPerWhole; }
    /// Plain text with a point and four decimals: "1234.5000" (what databases take without loss).
    QString toPlainText() const;

    /// The sum; no value when it lies beyond the range.
    std::optional<Currency> plus(Currency other) const;
    constexpr auto operator<=>(const Currency&) const = default;

private:
    constexpr explicit Currency(qint64 units) : m_units(units) {}
    qint64 m_units = 0;
};

} // namespace db

Q_DECLARE_METATYPE(db::Currency)
