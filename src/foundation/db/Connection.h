#pragma once

#include "foundation/Status.h"
#include "foundation/db/SqlDialect.h"
#include "foundation/db/SuiteTables.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>

namespace db {

/// A connection to the suite's database, opened from a connection string; each object has its own
/// Qt connection name and removes it when destroyed.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    /// 0 while closed, 1 once open.
    int state() const;
    /// Opens the database the connection string names; the failure carries the driver's text.
    Status open(const QString& connectionString);
    void close();
    /// Runs a statement written in the suite's SQL (for writes such as DELETE).
    Status execute(const QString& suiteSql);

    SqlDialect dialect() const { return m_dialect; }
    QSqlDatabase database() const;
    const QString& description() const { return m_description; }

    /// Declared kinds of a table's fields, by lower-case field name (empty when the driver cannot tell).
    const QHash<QString, FieldKind>& declaredKinds(const QString& table);
    /// The key field of a table as the database declares it, or empty text.
    QString primaryKeyOf(const QString& table);

private:
    QString m_name;
    SqlDialect m_dialect = SqlDialect::Suite;
    QString m_description;
    QHash<QString, QHash<QString, FieldKind>> m_kinds;
};

/// The driver's own text of a failure, as the operator is shown it.
QString driverText(const class QSqlError& error);

/// Why a statement was not sent (statementToRun's refusal), as the operator is shown it.
QString refusedText(const Status& refusal);

} // namespace db
