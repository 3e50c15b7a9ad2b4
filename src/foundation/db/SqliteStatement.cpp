#include "foundation/db/SqliteStatement.h"

#include <QSqlDatabase>
#include <QSqlDriver>

#include <sqlite3.h>

#include <cstring>

namespace db {

namespace {

QString utf8(const char* text)
{
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

sqlite3* SqliteStatement::handleOf(const QSqlDatabase& database)
{
    if (!database.isOpen() || !database.driver())
        return nullptr;
    const QVariant handle = database.driver()->handle();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

SqliteStatement::SqliteStatement(sqlite3* handle) : m_handle(handle) {}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(m_statement);
}

Status SqliteStatement::prepare(const QString& sql)
{
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &m_statement, nullptr) != SQLITE_OK) {
        m_failure = Status::failure(utf8(sqlite3_errmsg(m_handle)));
        return m_failure;
    }
    if (!m_statement) // only blanks or a comment: a statement without rows
        return Status::success();
    const int count = sqlite3_column_count(m_statement);
    for (int column = 0; column < count; ++column) {
        Column description;
        description.name = utf8(sqlite3_column_name(m_statement, column));
        description.table = utf8(sqlite3_column_table_name(m_statement, column));
        const char* declared = sqlite3_column_decltype(m_statement, column);
        if (declared)
            description.kind = fieldKindOfSqliteType(QString::fromUtf8(declared));
        m_columns.append(description);
    }
    return Status::success();
}

bool SqliteStatement::next(QVariant* cells)
{
    if (!m_statement)
        return false;
    const int step = sqlite3_step(m_statement);
    if (step == SQLITE_DONE)
        return false;
    if (step != SQLITE_ROW) {
        m_failure = Status::failure(utf8(sqlite3_errmsg(m_handle)));
        return false;
    }
    for (int column = 0; column < m_columns.size(); ++column) {
        switch (sqlite3_column_type(m_statement, column)) {
        case SQLITE_INTEGER:
            cells[column] = QVariant(qlonglong(sqlite3_column_int64(m_statement, column)));
            break;
        case SQLITE_FLOAT:
            cells[column] = QVariant(sqlite3_column_double(m_statement, column));
            break;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
            cells[column] = QVariant(QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)));
            break;
        }
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(m_statement, column));
            cells[column] = QVariant(QByteArray(bytes, sqlite3_column_bytes(m_statement, column)));
            break;
        }
        default:
            cells[column] = QVariant();
            break;
        }
    }
    return true;
}

} // namespace db
