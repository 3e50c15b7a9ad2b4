#include "foundation/db/ValueTyping.h"

#include "foundation/db/Connection.h"
#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"

#include <QDate>
#include <QDateTime>
#include <QSqlField>
#include <QSqlRecord>

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

QVariant date(const QVariant& raw)
{
    if (raw.typeId() != QMetaType::QString)
        return raw;
    const std::optional<QVariant> parsed = parseIsoDate(raw.toString());
    return parsed ? *parsed : raw;
}

/// The kind of a column as a server's driver describes it. Server drivers type their values themselves (unlike
/// SQLite), so the field's type is the declared type; amounts are the decimals with four places (numeric(19,4),
/// money), any other decimal a plain number.
std::optional<FieldKind> kindOfDriverType(const QSqlField& field)
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

} // namespace

QString tableNameOf(const QSqlField& field)
{
    // Qt 6.4's ODBC driver hands back the whole name buffer, garbage after the terminating NUL included.
    QString name = field.tableName();
    const qsizetype end = name.indexOf(QChar(u'\0'));
    if (end >= 0)
        name.truncate(end);
    return name;
}

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

ValueTyping ValueTyping::forRecord(const QSqlRecord& record, Connection& connection)
{
    ValueTyping typing;
    // SQLite's driver types a column by its cells, so only the declared types say what it holds.
    const bool sqlite = connection.database().driverName() == QLatin1String("QSQLITE");
    for (int column = 0; column < record.count(); ++column) {
        const QSqlField field = record.field(column);
        std::optional<FieldKind> kind;
        const QString table = tableNameOf(field);
        if (!table.isEmpty()) {
            const QHash<QString, FieldKind>& kinds = connection.declaredKinds(table);
            const auto found = kinds.constFind(field.name().toLower());
            if (found != kinds.constEnd())
                kind = *found;
        }
        if (!kind && !sqlite)
            kind = kindOfDriverType(field);
        typing.m_kinds.append(kind);
    }
    return typing;
}

std::optional<FieldKind> ValueTyping::kindOf(int column) const
{
    return column >= 0 && column < m_kinds.size() ? m_kinds.at(column) : std::nullopt;
}

QVariant ValueTyping::typed(int column, const QVariant& raw) const
{
    return convert(raw, kindOf(column));
}

QVariant ValueTyping::convert(const QVariant& raw, std::optional<FieldKind> kind)
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
