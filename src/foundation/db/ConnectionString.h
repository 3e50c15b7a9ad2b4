#pragma once

#include "foundation/Status.h"
#include "foundation/db/SqlDialect.h"

#include <QMap>
#include <QString>

namespace db {

/// An ADO-style connection string split into its `key=value` pairs (keys without regard to letter case).
class ConnectionString {
public:
    explicit ConnectionString(const QString& text);

    /// The value of a key, or empty text.
    QString value(const QString& key) const;
    /// The value of the first of several synonymous keys that is present.
    QString valueOf(std::initializer_list<const char*> keys) const;
    bool has(const QString& key) const;

private:
    QMap<QString, QString> m_pairs; // keys in lower case
};

/// What the program needs to open the database that a connection string names.
struct ConnectionTarget {
    QString qtDriver;     ///< QSQLITE, QODBC or QPSQL
    QString databaseName; ///< file path, ODBC connection string or database name
    QString host;         ///< PostgreSQL host or socket folder
    int port = -1;
    QString userName;
    QString password;
    SqlDialect dialect = SqlDialect::Suite;
    QString description; ///< what the operator is told is being opened (never the password)
};

/// The connection string as the operator may see it (messages, window titles): the password's value masked, however
/// it is quoted.
QString withoutPassword(const QString& text);

/// Chooses the driver for a connection string; a failure names what is unknown or missing.
Result<ConnectionTarget> resolveConnectionString(const QString& text);

/// True when the ODBC driver manager lists a driver whose name contains `fragment` (any letter case).
bool odbcDriverInstalled(const QString& fragment, QString* foundName = nullptr);

} // namespace db
