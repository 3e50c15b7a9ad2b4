#include "foundation/db/Statement.h"

#include "foundation/db/Connection.h"
#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/ValueTyping.h"

#include <QDate>
#include <QDateTime>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>

#include <sqlite3.h>

#include <cstring>

namespace db {

namespace {

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

/// The SQLite handle of an open QSQLITE connection, or nullptr.
sqlite3* sqliteHandleOf(const QSqlDatabase& database)
{
    if (!database.isOpen() || !database.driver())
        return nullptr;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

/// Whether a bound value stands for Null, as Qt's drivers tell: a null text, date or byte array too.
bool bindsNull(const QVariant& value)
{
    if (isNull(value))
        return true;
    switch (value.typeId()) {
    case QMetaType::QString:
        return static_cast<const QString*>(value.constData())->isNull();
    case QMetaType::QByteArray:
        return static_cast<const QByteArray*>(value.constData())->isNull();
    case QMetaType::QDate:
        return static_cast<const QDate*>(value.constData())->isNull();
    case QMetaType::QDateTime:
        return static_cast<const QDateTime*>(value.constData())->isNull();
    default:
        return false;
    }
}

int bindOnSqlite(sqlite3_stmt* statement, int mark, const QVariant& value)
{
    if (bindsNull(value))
        return sqlite3_bind_null(statement, mark);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, mark, value.toLongLong());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, mark, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, mark, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, mark, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

Statement::Statement(Connection& connection, QString suiteSql)
    : m_connection(connection), m_suiteSql(std::move(suiteSql))
{
}

Statement::~Statement()
{
    if (!m_statement)
        return;
    // Qt's driver cannot close a handle that has statements prepared on it, and lets go of it all the same: a
    // connection closed while this statement was prepared leaves the handle to be closed by its last statement.
    const bool abandoned = !m_database.isOpen();
    sqlite3_finalize(m_statement);
    if (abandoned)
        sqlite3_close(m_handle);
}

QVariant Statement::bindable(const QVariant& value, SqlDialect dialect)
{
    const bool sqlite = dialect == SqlDialect::SQLite;
    if (isNull(value))
        return QVariant(QMetaType::fromType<QString>());
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        const Currency amount = value.value<Currency>();
        return sqlite ? QVariant(amount.toDouble()) : QVariant(amount.toPlainText());
    }
    // SQLite keeps dates as ISO text, so a date compares equal only in that very form.
    if (sqlite && value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (sqlite && value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return value;
}

Status Statement::prepare()
{
    if (!m_connection.state())
        return Status::failure(QStringLiteral("la connessione al database non è aperta"));
    m_dialect = m_connection.dialect();
    const Result<QString> sql = statementToRun(m_suiteSql, m_dialect);
    if (!sql)
        return Status::failure(refusedText(sql.status()));
    m_database = m_connection.database();
    m_handle = sqliteHandleOf(m_database);
    const Status prepared = m_handle ? prepareOnSqlite(*sql) : prepareThroughQt(*sql);
    m_prepared = prepared.ok();
    return prepared;
}

Status Statement::sqliteFailure() const
{
    return Status::failure(utf8(sqlite3_errmsg(m_handle)));
}

Status Statement::prepareOnSqlite(const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK) {
        const Status failure = sqliteFailure();
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
        return failure;
    }
    if (!m_statement) // only blanks or a comment: a statement without rows
        return Status::success();
    const int count = sqlite3_column_count(m_statement);
    for (int column = 0; column < count; ++column) {
        Column description;
        description.name = utf8(sqlite3_column_name(m_statement, column));
        description.table = utf8(sqlite3_column_table_name(m_statement, column));
        if (const char* declared = sqlite3_column_decltype(m_statement, column))
            description.kind = fieldKindOfSqliteType(QString::fromUtf8(declared));
        m_columns.append(description);
    }
    return Status::success();
}

Status Statement::prepareThroughQt(const QString& sql)
{
    m_query = QSqlQuery(m_database);
    m_query.setForwardOnly(true);
    // A server's amounts come as their decimal text, which currency reads without the loss of a double.
    m_query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    m_sql = sql;
    return Status::success();
}

Status Statement::run(const QVariantList& values)
{
    m_onRow = false;
    m_rowWaiting = false;
    m_status = Status::success();
    if (!m_prepared) {
        m_status = prepare();
        if (!m_status)
            return m_status;
    } else if (!m_database.isOpen()) {
        // The connection can be closed between two runs, the window painting meanwhile. Its SQLite handle is then
        // freed, or kept only for the statements prepared on it: asked again, it would read freed memory.
        m_status = Status::failure(QStringLiteral("la connessione al database è stata chiusa"));
        return m_status;
    }
    m_status = m_handle ? runOnSqlite(values) : runThroughQt(values);
    return m_status;
}

Status Statement::runOnSqlite(const QVariantList& values)
{
    if (!m_statement)
        return Status::success();
    sqlite3_reset(m_statement);
    for (int mark = 0; mark < values.size(); ++mark) {
        if (bindOnSqlite(m_statement, mark + 1, bindable(values.at(mark), m_dialect)) != SQLITE_OK)
            return sqliteFailure();
    }
    // The first step runs the statement; a statement that writes is done with it.
    m_rowWaiting = step();
    return m_status;
}

Status Statement::runThroughQt(const QVariantList& values)
{
    // Only a statement with values is prepared on the server: one without runs as it is, as every driver can run it.
    if (values.isEmpty() && !m_preparedOnServer) {
        if (!m_query.exec(m_sql))
            return Status::failure(driverText(m_query.lastError()));
    } else {
        if (!m_preparedOnServer && !m_query.prepare(m_sql))
            return Status::failure(driverText(m_query.lastError()));
        m_preparedOnServer = true;
        for (int mark = 0; mark < values.size(); ++mark)
            m_query.bindValue(mark, bindable(values.at(mark), m_dialect));
        if (!m_query.exec())
            return Status::failure(driverText(m_query.lastError()));
    }
    if (m_columns.isEmpty()) {
        const QSqlRecord record = m_query.record();
        for (int column = 0; column < record.count(); ++column) {
            const QSqlField field = record.field(column);
            m_columns.append({field.name(), tableNameOf(field), kindOfDriverField(field)});
        }
    }
    return Status::success();
}

bool Statement::step()
{
    const int stepped = sqlite3_step(m_statement);
    if (stepped == SQLITE_ROW)
        return true;
    if (stepped != SQLITE_DONE)
        m_status = sqliteFailure();
    // A statement left unreset would hold its read lock outside a transaction.
    sqlite3_reset(m_statement);
    return false;
}

bool Statement::next()
{
    if (!m_status) {
        m_onRow = false;
    } else if (m_handle) {
        m_onRow = m_rowWaiting || (m_statement && m_onRow && step());
        m_rowWaiting = false;
    } else {
        m_onRow = m_query.isActive() && m_query.next();
        if (!m_onRow) {
            if (m_query.lastError().isValid())
                m_status = Status::failure(driverText(m_query.lastError()));
            m_query.finish();
        }
    }
    return m_onRow;
}

void Statement::finish()
{
    m_onRow = false;
    m_rowWaiting = false;
    if (m_statement)
        sqlite3_reset(m_statement);
    else if (m_query.isActive())
        m_query.finish();
}

int Statement::columnIndex(const QString& name) const
{
    for (int column = 0; column < m_columns.size(); ++column) {
        if (m_columns.at(column).name.compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QVariant Statement::raw(int column) const
{
    if (!m_onRow || column < 0 || column >= m_columns.size())
        return QVariant();
    if (!m_handle)
        return m_query.value(column);
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(m_statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_statement, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)));
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(m_statement, column)));
    }
    default:
        return QVariant();
    }
}

QVariant Statement::value(int column) const
{
    if (column < 0 || column >= m_columns.size())
        return QVariant();
    return typedValue(raw(column), m_columns.at(column).kind);
}

qint64 Statement::rowsAffected() const
{
    return m_handle ? sqlite3_changes(m_handle) : m_query.numRowsAffected();
}

QVariant Statement::lastInsertId() const
{
    return m_handle ? QVariant(qlonglong(sqlite3_last_insert_rowid(m_handle))) : m_query.lastInsertId();
}

Status execute(Connection& connection, const QString& suiteSql)
{
    if (!connection.state())
        return Status::failure(QStringLiteral("La connessione al database non è aperta."));
    Statement statement(connection, suiteSql);
    return statement.run();
}

} // namespace db
