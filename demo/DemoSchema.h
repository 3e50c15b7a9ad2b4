#pragma once

#include <QStringList>

namespace demo {

/// CREATE TABLE and CREATE INDEX statements for the suite's tables on SQLite, following the suite's
/// conventions: names as the table description spells them, declared types by field kind, the join keys
/// indexed.
QStringList sqliteSchemaStatements();

} // namespace demo
