#pragma once

#include "foundation/db/SuiteTables.h"

#include <QList>
#include <QVariant>

#include <optional>

class QSqlField;
class QSqlRecord;

namespace db {

class Connection;

/// Gives each column of a query result the type that its declared type promises.
///
/// SQLite hands back each value by the storage class of its cell, not by the declared type of its
/// column: a DATETIME cell comes back as text and a CURRENCY cell as a double. The program reads them
/// as the suite does: dates as dates, amounts as fixed-point currency, Null as Null.
class ValueTyping {
public:
    ValueTyping() = default;
    /// The typing for the columns of a result: on SQLite from the declared types of their tables, on a server from
    /// the column types its driver reports.
    static ValueTyping forRecord(const QSqlRecord& record, Connection& connection);
    /// The typing for columns whose kinds are known (none for a column of no declared type).
    explicit ValueTyping(QList<std::optional<FieldKind>> kinds) : m_kinds(std::move(kinds)) {}

    QVariant typed(int column, const QVariant& raw) const;
    std::optional<FieldKind> kindOf(int column) const;

    /// Converts a value to what a column of that kind holds (used for values written back too).
    static QVariant convert(const QVariant& raw, std::optional<FieldKind> kind);

private:
    QList<std::optional<FieldKind>> m_kinds;
};

/// The table a result column comes from, as the driver names it (empty for an expression or when it cannot tell).
QString tableNameOf(const QSqlField& field);

/// Reads an ISO date ("2011-06-10") or date and time ("2011-06-10 14:05:09", also with a T); no value otherwise.
std::optional<QVariant> parseIsoDate(const QString& text);

} // namespace db
