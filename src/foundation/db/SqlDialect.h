#pragma once

#include "foundation/Status.h"

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

/// Refuses a text that a database would not run whole: one holding a NUL character, or a second statement after a
/// `;` outside quoted texts ('…'), quoted names ("…", […]) and comments, as any of the suite's databases reads them.
/// A `;` followed only by blanks ends the statement; the statement comes back without it. The failure says where,
/// and what follows.
Result<QString> singleStatement(const QString& sql);

/// What a database of the dialect is to run for a statement in the suite's SQL: a single statement, rewritten. Every
/// statement the program sends goes through here, so that none runs in part.
Result<QString> statementToRun(const QString& suiteSql, SqlDialect dialect);

} // namespace db
