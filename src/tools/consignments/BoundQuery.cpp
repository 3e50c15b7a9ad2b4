#include "tools/consignments/BoundQuery.h"

#include "foundation/db/Connection.h"
#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/SqlDialect.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QSqlRecord>

QVariant BoundQuery::Rows::value(qsizetype row, const QString& field) const
{
    for (qsizetype column = 0; column < fields.size(); ++column) {
        if (fields.at(column).compare(field, Qt::CaseInsensitive) == 0)
            return rows.value(row).value(column);
    }
    return QVariant();
}

BoundQuery::BoundQuery(db::Connection& connection, QString suiteSql)
    : m_connection(connection), m_suiteSql(std::move(suiteSql))
{
}

QVariant BoundQuery::bindable(const QVariant& value, bool sqlite)
{
    if (db::isNull(value))
        return QVariant(QMetaType::fromType<QString>());
    if (value.metaType() == QMetaType::fromType<db::Currency>()) {
        const db::Currency amount = value.value<db::Currency>();
        return sqlite ? QVariant(amount.toDouble()) : QVariant(amount.toPlainText());
    }
    // SQLite keeps dates as ISO text, so a date compares equal only in that very form.
    if (sqlite && value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (sqlite && value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return value;
}

Result<BoundQuery::Rows> BoundQuery::run(const QVariantList& values)
{
    if (m_connection.state() == 0)
        return Status::failure(QStringLiteral("La connessione al database non è aperta."));
    if (!m_prepared) {
        m_query = QSqlQuery(m_connection.database());
        m_query.setForwardOnly(true);
        if (m_connection.dialect() == db::SqlDialect::PostgreSQL)
            m_query.setNumericalPrecisionPolicy(QSql::HighPrecision);
        const Result<QString> sql = db::statementToRun(m_suiteSql, m_connection.dialect());
        if (!sql)
            return Status::failure(db::refusedText(sql.status()));
        if (!m_query.prepare(*sql))
            return Status::failure(db::driverText(m_query.lastError()));
        m_prepared = true;
    }
    const bool sqlite = m_connection.dialect() == db::SqlDialect::SQLite;
    for (qsizetype i = 0; i < values.size(); ++i)
        m_query.bindValue(int(i), bindable(values.at(i), sqlite));
    if (!m_query.exec())
        return Status::failure(db::driverText(m_query.lastError()));

    const QSqlRecord record = m_query.record();
    if (!m_typed) {
        m_typing = db::ValueTyping::forRecord(record, m_connection);
        m_typed = true;
    }
    Rows result;
    for (int column = 0; column < record.count(); ++column)
        result.fields.append(record.fieldName(column));
    while (m_query.next()) {
        QVariantList row;
        row.reserve(record.count());
        for (int column = 0; column < record.count(); ++column)
            row.append(m_typing.typed(column, m_query.value(column)));
        result.rows.append(row);
    }
    const QSqlError error = m_query.lastError();
    // A finished question holds no read lock on SQLite between two cases.
    m_query.finish();
    if (error.isValid())
        return Status::failure(db::driverText(error));
    return result;
}
