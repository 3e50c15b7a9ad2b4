#pragma once

#include "foundation/Status.h"
#include "foundation/db/SuiteTables.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

class QSqlDatabase;
struct sqlite3;
struct sqlite3_stmt;

namespace db {

/// A query run on SQLite's own handle of a Qt connection.
///
/// Reading a wide result through QSqlQuery costs a UTF-16 conversion and a variant per cell inside
/// the driver; reading the cells straight from the statement takes a third of the time, and gives
/// the declared type of every column, aliases and joins included.
class SqliteStatement {
public:
    struct Column {
        QString name;
        QString table;                 ///< the column's own table, or empty for an expression
        std::optional<FieldKind> kind; ///< from the declared type, none for an expression
    };

    /// The SQLite handle of an open QSQLITE connection, or nullptr.
    static sqlite3* handleOf(const QSqlDatabase& database);

    explicit SqliteStatement(sqlite3* handle);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    Status prepare(const QString& sql);
    const QList<Column>& columns() const { return m_columns; }
    /// Reads the next row into `cells` (one per column, untyped: as SQLite stores them);
    /// false at the end, or on failure (then `failure()` says why).
    bool next(QVariant* cells);
    const Status& failure() const { return m_failure; }

private:
    sqlite3* m_handle;
    sqlite3_stmt* m_statement = nullptr;
    QList<Column> m_columns;
    Status m_failure = Status::success();
};

} // namespace db
