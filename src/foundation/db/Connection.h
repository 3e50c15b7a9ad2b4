#pragma once

#include "foundation/Status.h"
#include "foundation/db/SqlDialect.h"

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

    /// Whether the connection is open.
    bool state() const;
    /// Opens the database the connection string names; the failure carries the driver's text.
    Status open(const QString& connectionString);
    void close();

    SqlDialect dialect() const { return m_dialect; }
    QSqlDatabase database() const;
    const QString& description() const { return m_description; }

    /// The key field of a table as the database declares it, or empty text.
    QString primaryKeyOf(const QString& table);

private:
    QString m_name;
    SqlDialect m_dialect = SqlDialect::Suite;
    QString m_description;
};

/// The driver's own text of a failure, as the operator is shown it.
QString driverText(const class QSqlError& error);

/// Why a statement was not sent (statementToRun's refusal), as the operator is shown it.
QString refusedText(const Status& refusal);

} // namespace db
