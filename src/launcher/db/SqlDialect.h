#pragma once

#include <QString>

namespace db {

/// The SQL spoken by the database behind a connection.
enum class SqlDialect {
    Suite,      ///< the suite's own SQL (Access, SQL Server): sent as written
    SQLite,     ///< `top N` becomes `LIMIT N` at the end
    PostgreSQL, ///< as SQLite, and `[Name]` becomes `"name"`
};

/// Rewrites a statement written in the suite's SQL (square brackets around names with blanks,
/// `Select top N`) for a database. Text inside quotes is never changed.
QString rewriteSql(const QString& suiteSql, SqlDialect dialect);

} // namespace db
