#pragma once

#include <QStringList>

namespace demo {

/// A suite name written as the suite's SQL writes it, in square brackets.
QString bracketed(const QString& name);

/// CREATE TABLE and CREATE INDEX statements for the suite's tables on SQLite, following the suite's
/// conventions: names as the table description spells them, declared types by field kind, the join keys and P_iva
/// indexed.
QStringList sqliteSchemaStatements();

/// A suite name as a PostgreSQL database holds it: in lower case, quoted where it holds anything but letters,
/// digits and underscores (`"tabella pratiche"`, `conta`), so that the program's bracketed names find it.
QString postgresName(const QString& suiteName);

/// DROP TABLE IF EXISTS and CREATE TABLE statements for the suite's tables on PostgreSQL: lower-case names, integer,
/// text, numeric(19,4), date and numeric columns, the keys declared.
QStringList postgresTableStatements();

/// CREATE INDEX statements for the join keys and P_iva on PostgreSQL.
QStringList postgresIndexStatements();

} // namespace demo
