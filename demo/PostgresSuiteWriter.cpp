#include "demo/PostgresSuiteWriter.h"

#include "demo/DemoSchema.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Currency.h"
#include "foundation/db/SuiteTables.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace demo {

namespace {

// A batch this size keeps each statement well under a megabyte and the round trips few.
constexpr int RowsPerInsert = 500;

QString quotedText(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

PostgresSuiteWriter::PostgresSuiteWriter(db::Connection& connection) : m_connection(connection) {}

PostgresSuiteWriter::~PostgresSuiteWriter()
{
    if (m_inTransaction)
        m_connection.database().rollback();
}

std::optional<QString> PostgresSuiteWriter::literal(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("NULL");
    if (value.metaType() == QMetaType::fromType<db::Currency>())
        return value.value<db::Currency>().toPlainText();
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double:
        // The shortest text that reads back as the same double: what SQLite holds, PostgreSQL holds too.
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDate:
        return quotedText(value.toDate().toString(Qt::ISODate));
    case QMetaType::QDateTime:
        return quotedText(value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    case QMetaType::QString:
        return quotedText(value.toString());
    default:
        return std::nullopt;
    }
}

Status PostgresSuiteWriter::exec(const QString& sql)
{
    QSqlQuery query(m_connection.database());
    if (!query.exec(sql))
        return Status::failure(QStringLiteral("%1: %2").arg(sql.left(200), db::driverText(query.lastError())));
    return Status::success();
}

Status PostgresSuiteWriter::begin()
{
    if (m_connection.state() == 0 || m_connection.dialect() != db::SqlDialect::PostgreSQL)
        return Status::failure(QStringLiteral("The connection is not open on a PostgreSQL database"));
    // Quotes are doubled in the literals, which is all the escaping standard strings need.
    for (const char* setting : {"set standard_conforming_strings = on", "set client_min_messages = warning"}) {
        if (Status status = exec(QString::fromLatin1(setting)); !status)
            return status;
    }
    QSqlDatabase database = m_connection.database();
    if (!database.transaction())
        return Status::failure(QStringLiteral("Cannot begin the load: ") + db::driverText(database.lastError()));
    m_inTransaction = true;
    for (const QString& statement : postgresTableStatements()) {
        if (Status status = exec(statement); !status)
            return status;
    }
    return Status::success();
}

Status PostgresSuiteWriter::addRow(const db::TableDescription& table, const QVariantList& values)
{
    if (!m_inTransaction)
        return Status::failure(QStringLiteral("The load has not begun"));
    if (values.size() != table.fields.size())
        return Status::failure(QStringLiteral("A row of [%1] has %2 values for %3 fields")
                                   .arg(table.name)
                                   .arg(values.size())
                                   .arg(table.fields.size()));
    Pending& pending = m_pending[&table];
    if (pending.rows == 0) {
        QStringList names;
        for (const db::FieldDescription& field : table.fields)
            names.append(postgresName(field.name));
        pending.table = &table;
        pending.sql =
            QStringLiteral("insert into %1 (%2) values ").arg(postgresName(table.name), names.join(QLatin1Char(',')));
    } else {
        pending.sql += QLatin1Char(',');
    }
    pending.sql += QLatin1Char('(');
    for (qsizetype i = 0; i < values.size(); ++i) {
        const std::optional<QString> text = literal(values.at(i));
        if (!text)
            return Status::failure(
                QStringLiteral("The value of [%1].[%2] is of a type the table cannot hold (%3)")
                    .arg(table.name, table.fields.at(i).name, QString::fromLatin1(values.at(i).typeName())));
        if (i > 0)
            pending.sql += QLatin1Char(',');
        pending.sql += *text;
    }
    pending.sql += QLatin1Char(')');
    return ++pending.rows >= RowsPerInsert ? flush(pending) : Status::success();
}

Status PostgresSuiteWriter::flush(Pending& pending)
{
    if (pending.rows == 0)
        return Status::success();
    const Status written = exec(pending.sql);
    pending.sql.clear();
    pending.rows = 0;
    if (!written)
        return Status::failure(
            QStringLiteral("Cannot insert into [%1]: %2").arg(pending.table->name, written.errorText()));
    return written;
}

Status PostgresSuiteWriter::finish()
{
    if (!m_inTransaction)
        return Status::failure(QStringLiteral("The load has not begun"));
    for (Pending& pending : m_pending) {
        if (Status status = flush(pending); !status)
            return status;
    }
    // Indexes built once over the whole data cost far less than kept up row by row.
    for (const QString& statement : postgresIndexStatements()) {
        if (Status status = exec(statement); !status)
            return status;
    }
    QSqlDatabase database = m_connection.database();
    if (!database.commit())
        return Status::failure(QStringLiteral("Cannot commit the load: ") + db::driverText(database.lastError()));
    m_inTransaction = false;
    // SQLite keeps a table with a whole-number key in key order, and answers in that order where no ORDER BY says
    // otherwise; the same rows kept in the same order give the same answers, and so the same flow.
    for (const db::TableDescription& table : db::suiteTables()) {
        for (const db::FieldDescription& field : table.fields) {
            if (!field.primaryKey)
                continue;
            const QString name = postgresName(table.name);
            const QString keyIndex = postgresName(table.name.toLower() + QStringLiteral("_pkey"));
            if (Status status = exec(QStringLiteral("cluster %1 using %2").arg(name, keyIndex)); !status)
                return status;
        }
    }
    // Without statistics the planner may scan whole tables for the export's point queries until autovacuum runs.
    return exec(QStringLiteral("analyze"));
}

} // namespace demo
