#include "foundation/db/ValueTyping.h"

#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"

#include <QDate>
#include <QDateTime>
#include <QSqlField>

#include <cmath>

namespace db {

namespace {

int digitsAt(const QString& text, qsizetype at, qsizetype count)
{
    int value = 0;
    for (qsizetype i = at; i < at + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

QVariant wholeNumber(const QVariant& raw)
{
    switch (raw.typeId()) {
    case QMetaType::LongLong:
        return raw;
    case QMetaType::Int:
    case QMetaType::UInt:
        return QVariant(raw.toLongLong());
    case QMetaType::Double: {
        const double value = raw.toDouble();
        return value == std::floor(value) && std::fabs(value) < 9e18 ? QVariant(qlonglong(value)) : raw;
    }
    default: {
        bool ok = false;
        const qlonglong value = raw.toString().trimmed().toLongLong(&ok);
        return ok ? QVariant(value) : raw;
    }
    }
}

QVariant number(const QVariant& raw)
{
    if (raw.typeId() != QMetaType::QString)
        return raw;
    bool ok = false;
    const QString text = raw.toString().trimmed();
    const qlonglong whole = text.toLongLong(&ok);
    if (ok)
        return QVariant(whole);
    const double value = text.toDouble(&ok);
    return ok ? QVariant(value) : raw;
}

// A value that is no amount, or one beyond currency's range, stays as it came: never another amount. Whoever reads
// it as an amount is then told which value it is.
QVariant currency(const QVariant& raw)
{
    const Result<Currency> amount = currencyOf(raw, QString());
    return amount ? QVariant::fromValue(*amount) : raw;
}

// An ISO date ("2011-06-10") or date and time ("2011-06-10 14:05:09", also with a T); no value otherwise.
std::optional<QVariant> parseIsoDate(const QString& text)
{
    if (text.size() < 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return std::nullopt;
    const int year = digitsAt(text, 0, 4);
    const int month = digitsAt(text, 5, 2);
    const int day = digitsAt(text, 8, 2);
    const QDate date(year, month, day);
    if (year < 0 || month < 0 || day < 0 || !date.isValid())
        return std::nullopt;
    if (text.size() == 10)
        return QVariant(date);
    const QChar separator = text.at(10);
    if ((separator != QLatin1Char(' ') && separator != QLatin1Char('T')) || text.size() < 16 ||
        text.at(13) != QLatin1Char(':'))
        return std::nullopt;
    const int hour = digitsAt(text, 11, 2);
    const int minute = digitsAt(text, 14, 2);
    int second = 0;
    if (text.size() >= 19 && text.at(16) == QLatin1Char(':'))
        second = digitsAt(text, 17, 2);
    const QTime time(hour, minute, second);
    if (hour < 0 || minute < 0 || second < 0 || !time.isValid())
        return std::nullopt;
    return QVariant(QDateTime(date, time));
}

QVariant date(const QVariant& raw)
{
    if (raw.typeId() != QMetaType::QString)
        return raw;
    const std::optional<QVariant> parsed = parseIsoDate(raw.toString());
    return parsed ? *parsed : raw;
}

} // namespace

// The field's type is the declared type; amounts are the decimals with four places (numeric(19,4), money), any other
// decimal a plain number.
std::optional<FieldKind> kindOfDriverField(const QSqlField& field)
{
    switch (field.metaType().id()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return FieldKind::WholeNumber;
    case QMetaType::QString:
        return FieldKind::Text;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return FieldKind::Date;
    case QMetaType::Double:
    case QMetaType::Float:
        return field.precision() == 4 ? FieldKind::Currency : FieldKind::Number;
    default:
        return std::nullopt;
    }
}

QString tableNameOf(const QSqlField& field)
{
    // Qt 6.4's ODBC driver hands back the whole name buffer, garbage after the terminating NUL included.
    QString name = field.tableName();
    const qsizetype end = name.indexOf(QChar(u'\0'));
    if (end >= 0)
        name.truncate(end);
    return name;
}

QVariant typedValue(const QVariant& raw, std::optional<FieldKind> kind)
{
    if (isNull(raw))
        return QVariant();
    if (!kind)
        return raw;
    switch (*kind) {
    case FieldKind::WholeNumber:
        return wholeNumber(raw);
    case FieldKind::Text:
        return raw.typeId() == QMetaType::QString ? raw : QVariant(textOf(raw));
    case FieldKind::Currency:
        return currency(raw);
    case FieldKind::Date:
        return date(raw);
    case FieldKind::Number:
        return number(raw);
    }
    return raw;
}

} // namespace db
