#include "tools/journal/JournalText.h"

#include "foundation/ShownText.h"
#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"

#include <QLocale>

#include <cmath>
#include <cstdlib>

#if !defined(EXP_NRV_XML_VERSION_MINOR) || !defined(EXP_NRV_XML_VERSION_PATCH)
#error "The build defines EXP_NRV_XML_VERSION_MINOR and EXP_NRV_XML_VERSION_PATCH from the project's version"
#endif

namespace {

const QChar tab = QLatin1Char('\t');

// Amounts beyond what the suite's currency holds are still shown, through the locale's own rounding.
constexpr double largestCurrency = 9.0e14;

std::optional<db::Currency> asCurrency(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return db::Currency::fromDouble(value.toDouble());
    case QMetaType::QString:
        return db::Currency::fromText(value.toString());
    default:
        break;
    }
    if (value.metaType() == QMetaType::fromType<db::Currency>())
        return value.value<db::Currency>();
    return std::nullopt;
}

bool isNumber(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return std::isfinite(value.toDouble());
    default:
        return false;
    }
}

} // namespace

QString JournalText::rewriteOrderBy(const QString& query)
{
    const qsizetype at = query.indexOf(QLatin1String("order by"), 0, Qt::CaseInsensitive);
    if (at < 0)
        return query;
    // What stands before the old clause stays as it is, its trailing blanks included.
    return query.left(at) + QStringLiteral(" order by [Data Affido]");
}

QString JournalText::ScriviVersione()
{
    return QStringLiteral("Stampa Giornale x Lotti. V.%1.%2 - ")
        .arg(EXP_NRV_XML_VERSION_MINOR)
        .arg(EXP_NRV_XML_VERSION_PATCH);
}

QString JournalText::headerLine(const QStringList& columnNames)
{
    QStringList names;
    for (int column = 0; column < 7; ++column)
        names.append(columnNames.value(column).left(10));
    // Two TABs before the last two names, as over the lot lines' wider amount cells.
    return names.at(0) + tab + names.at(1) + tab + names.at(2) + tab + names.at(3) + tab + names.at(4) + tab + tab +
           names.at(5) + tab + tab + names.at(6);
}

Result<QString> JournalText::lotLine(const QVariantList& values, const QStringList& columnNames)
{
    QStringList numbers;
    for (int column = 3; column < 7; ++column) {
        const QVariant value = values.value(column);
        const std::optional<QString> text = formatNumber(value, column == 3 ? 0 : 2);
        if (!text) {
            const QString name = columnNames.value(column);
            if (db::isNull(value))
                return Status::failure(QStringLiteral("la colonna %1 (%2) è vuota").arg(column).arg(name));
            return Status::failure(QStringLiteral("la colonna %1 (%2) non è un numero: %3")
                                       .arg(column)
                                       .arg(name, shownText(db::textOf(value))));
        }
        numbers.append(*text);
    }
    return db::textOf(values.value(0)) + tab + db::textOf(values.value(1)) + tab + db::textOf(values.value(2)) + tab +
           tab + rightAligned(numbers.at(0), 8, 8) + tab + rightAligned(numbers.at(1), 10, 9) + tab +
           rightAligned(numbers.at(2), 10, 9) + tab + rightAligned(numbers.at(3), 10, 6);
}

QStringList JournalText::listCells(const QString& line, bool header)
{
    // Where headerLine and lotLine put the columns 0 to 6 among their TAB-separated fields.
    static const int headerFields[] = {0, 1, 2, 3, 4, 6, 8};
    static const int lotFields[] = {0, 1, 2, 4, 5, 6, 7};
    const QStringList fields = line.split(tab);
    QStringList cells;
    for (int field : header ? headerFields : lotFields)
        cells.append(fields.value(field));
    return cells;
}

std::optional<QString> JournalText::formatNumber(const QVariant& value, int decimals)
{
    if (db::isNull(value))
        return std::nullopt;
    const QLocale locale;
    if (isNumber(value) && std::fabs(value.toDouble()) >= largestCurrency)
        return locale.toString(value.toDouble(), 'f', decimals);
    const std::optional<db::Currency> amount = asCurrency(value);
    if (!amount)
        return std::nullopt;

    // Rounded on the decimal digits, halves away from zero, as the old runtime's Format does.
    qint64 scale = 1;
    for (int digit = decimals; digit < 4; ++digit)
        scale *= 10;
    const qint64 units = amount->units();
    const qint64 magnitude = (std::llabs(units) + scale / 2) / scale;
    qint64 decimalsScale = 1;
    for (int digit = 0; digit < decimals; ++digit)
        decimalsScale *= 10;
    QString text = locale.toString(magnitude / decimalsScale);
    if (decimals > 0)
        text +=
            locale.decimalPoint() + QStringLiteral("%1").arg(magnitude % decimalsScale, decimals, 10, QLatin1Char('0'));
    if (units < 0 && magnitude != 0)
        text.prepend(locale.negativeSign());
    return text;
}

QString JournalText::rightAligned(const QString& text, int padding, int width)
{
    return (QString(padding, QLatin1Char(' ')) + text).right(width);
}

double JournalText::numericValue(const QString& text)
{
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n'))
            compact.append(c);
    }
    qsizetype end = 0;
    if (end < compact.size() && (compact.at(end) == QLatin1Char('-') || compact.at(end) == QLatin1Char('+')))
        ++end;
    bool digits = false;
    while (end < compact.size() && compact.at(end) >= QLatin1Char('0') && compact.at(end) <= QLatin1Char('9')) {
        ++end;
        digits = true;
    }
    if (end < compact.size() && compact.at(end) == QLatin1Char('.')) {
        ++end;
        while (end < compact.size() && compact.at(end) >= QLatin1Char('0') && compact.at(end) <= QLatin1Char('9')) {
            ++end;
            digits = true;
        }
    }
    if (!digits)
        return 0;
    bool ok = false;
    const double value = compact.left(end).toDouble(&ok);
    return ok ? value : 0;
}

QString JournalText::numberText(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return QString::number(qlonglong(value));
    return QString::number(value, 'g', 15);
}
