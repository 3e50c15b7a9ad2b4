#include "foundation/db/DbValue.h"

#include "foundation/DateText.h"
#include "foundation/ShownText.h"

#include <QDate>
#include <QDateTime>

#include <cmath>
#include <limits>

namespace db {

namespace {

QString decimalText(double value)
{
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString fieldLabel(const QString& fieldName)
{
    return fieldName.isEmpty() ? QStringLiteral("il valore") : QStringLiteral("il campo ") + fieldName;
}

// The value as a message quotes it.
QString quoted(const QVariant& value)
{
    return shownText(textOf(value));
}

// The value as a finite number, whatever its type (a text with a decimal point or comma); none otherwise.
std::optional<double> numberOf(const QVariant& value)
{
    double number = 0;
    bool ok = false;
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        number = value.value<Currency>().toDouble();
        ok = true;
    } else if (value.typeId() == QMetaType::QString) {
        QString text = value.toString().trimmed();
        text.replace(QLatin1Char(','), QLatin1Char('.'));
        number = text.toDouble(&ok);
    } else {
        number = value.toDouble(&ok);
    }
    return ok && std::isfinite(number) ? std::optional(number) : std::nullopt;
}

std::optional<Currency> currencyFromWhole(const QVariant& value)
{
    if (value.typeId() == QMetaType::ULongLong && value.toULongLong() > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    return Currency::fromWhole(value.toLongLong());
}

} // namespace

bool isNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

QString textOf(const QVariant& value)
{
    if (isNull(value))
        return QString();
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QDate:
        return shortDateText(value.toDate());
    case QMetaType::QDateTime:
        return generalDateText(value.toDateTime());
    case QMetaType::Double:
    case QMetaType::Float:
        return decimalText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Vero") : QStringLiteral("Falso");
    default:
        break;
    }
    if (value.canConvert<Currency>() && value.metaType() == QMetaType::fromType<Currency>()) {
        const Currency amount = value.value<Currency>();
        if (amount.units() % Currency::UnitsPerWhole == 0)
            return QString::number(amount.units() / Currency::UnitsPerWhole);
        return decimalText(amount.toDouble());
    }
    return value.toString();
}

Result<qint32> wholeNumberOf(const QVariant& value, const QString& fieldName)
{
    if (isNull(value))
        return Status::failure(fieldLabel(fieldName) + QStringLiteral(" è vuoto (Null) dove serve un numero intero"));
    const std::optional<double> number = numberOf(value);
    if (!number)
        return Status::failure(fieldLabel(fieldName) + QStringLiteral(" non è un numero intero: ") + quoted(value));
    const double rounded = std::nearbyint(*number); // the default rounding mode sends halves to the even number
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return Status::failure(fieldLabel(fieldName) +
                               QStringLiteral(" è fuori dall'intervallo di un numero intero: ") + quoted(value));
    return qint32(rounded);
}

Result<Currency> currencyOf(const QVariant& value, const QString& fieldName)
{
    if (isNull(value))
        return Status::failure(fieldLabel(fieldName) + QStringLiteral(" è vuoto (Null) dove serve un importo"));
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>();
    std::optional<Currency> amount;
    switch (value.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
        amount = currencyFromWhole(value);
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        amount = Currency::fromDouble(value.toDouble());
        break;
    default:
        amount = Currency::fromText(value.toString());
        break;
    }
    if (!amount) {
        // What currency refuses for its size is beyond 922337203685477; a smaller number it refuses ("1e5") is
        // written in a form amounts never take.
        const std::optional<double> number = numberOf(value);
        const bool tooLarge = number && std::fabs(*number) >= 9.2e14;
        return Status::failure(fieldLabel(fieldName) +
                               (tooLarge ? QStringLiteral(" è fuori dall'intervallo di un importo: ")
                                         : QStringLiteral(" non è un importo: ")) +
                               quoted(value));
    }
    return *amount;
}

Result<Currency> NzImporto(const QVariant& value, const QString& fieldName)
{
    if (isNull(value))
        return Currency();
    return currencyOf(value, fieldName);
}

} // namespace db
