#include "tools/consignments/ConsignmentHistory.h"

#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Statement.h"

#include <QDate>
#include <QDateTime>

#include <bit>
#include <cmath>

ConsignmentHistory::DateValue ConsignmentHistory::dateValue(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return {'n', value.toLongLong(), QString()};
    case QMetaType::Double: {
        const double number = value.toDouble();
        // SQLite finds 40000 and 40000.0 equal.
        if (number == std::floor(number) && std::fabs(number) < 9.0e15)
            return {'n', qint64(number), QString()};
        return {'r', std::bit_cast<qint64>(number), QString()};
    }
    case QMetaType::QString:
        return {'t', 0, value.toString()};
    case QMetaType::QByteArray:
        return {'b', 0, QString::fromLatin1(value.toByteArray().toHex())};
    case QMetaType::QDate:
        return {'d', value.toDate().toJulianDay(), QString()};
    case QMetaType::QDateTime:
        return {'m', value.toDateTime().toMSecsSinceEpoch(), QString()};
    default:
        return {'o', 0, value.toString()};
    }
}

bool ConsignmentHistory::answersFromMemory(db::SqlDialect dialect)
{
    return dialect == db::SqlDialect::SQLite || dialect == db::SqlDialect::PostgreSQL;
}

Status ConsignmentHistory::load(db::Connection& connection, const QString& selectionSql)
{
    m_datedCases.clear();
    m_casesOfDate.clear();
    m_dialect = connection.dialect();
    m_loaded = Status::failure(QStringLiteral("le date di affido non sono state lette"));
    // The selection goes in as it is, so that whatever its filter says (an order, a limit) it selects the same cases.
    const Result<QString> selection = db::singleStatement(selectionSql);
    if (!selection)
        return m_loaded = Status::failure(db::refusedText(selection.status()));
    db::Statement query(connection,
                        QStringLiteral("Select P_iva,[data affido] From [tabella pratiche] where P_iva in (Select "
                                       "P_iva From (") +
                            *selection + QStringLiteral("\n) selezione)"));
    if (Status ran = query.run(); !ran)
        return m_loaded = ran;
    // The values are kept as the database stores them, untyped: the database compared them so.
    while (query.next()) {
        const QVariant taxCode = query.raw(0);
        const QVariant date = query.raw(1);
        if (db::isNull(taxCode) || db::isNull(date))
            continue;
        const QString cf = db::textOf(taxCode);
        ++m_datedCases[cf];
        ++m_casesOfDate[TaxCodeDate{cf, dateValue(date)}];
    }
    return m_loaded = query.status();
}

Result<qsizetype> ConsignmentHistory::otherDates(const QString& cf, const QVariant& dataaff) const
{
    if (!m_loaded)
        return m_loaded;
    // The date as the question case by case binds it; `<>` with a Null is never true.
    const QVariant bound = db::Statement::bindable(dataaff, m_dialect);
    if (db::isNull(bound))
        return qsizetype(0);
    const qsizetype dated = m_datedCases.value(cf);
    return dated == 0 ? 0 : dated - m_casesOfDate.value(TaxCodeDate{cf, dateValue(bound)});
}
