#pragma once

#include "foundation/db/SuiteTables.h"

#include <QVariant>

#include <optional>

class QSqlField;

namespace db {

/// A value as a column of `kind` holds it: dates as dates, amounts as fixed-point currency, Null as an invalid
/// QVariant; a column of no declared type (an expression) keeps the value as it came. Used for values written back
/// too.
///
/// SQLite hands back each value by the storage class of its cell, not by the declared type of its column: a DATETIME
/// cell comes back as text and a CURRENCY cell as a double. The program reads them as the suite does.
QVariant typedValue(const QVariant& raw, std::optional<FieldKind> kind);

/// The kind of a result column as a server's driver describes it (server drivers type their values themselves).
std::optional<FieldKind> kindOfDriverField(const QSqlField& field);

/// The table a result column comes from, as the driver names it (empty for an expression or when it cannot tell).
QString tableNameOf(const QSqlField& field);

} // namespace db
