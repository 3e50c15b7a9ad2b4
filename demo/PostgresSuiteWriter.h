#pragma once

#include "foundation/Status.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <optional>

namespace db {
class Connection;
struct TableDescription;
} // namespace db

namespace demo {

/// Loads rows of the suite's tables into a PostgreSQL database, following the suite's conventions there
/// (lower-case names, integer / text / numeric(19,4) / date / numeric columns, the join keys and P_iva indexed).
///
/// The whole load is one transaction: the tables are dropped and made again inside it, so a load that fails leaves
/// the database as it was. Rows go in batches of many rows per INSERT, in the order they are given; at the end the
/// tables with a key are put in key order, as SQLite keeps them, so that a query without ORDER BY gets its rows in
/// the same order from both.
class PostgresSuiteWriter {
public:
    /// A writer on an open connection to a PostgreSQL database (QPSQL, or ODBC with a PostgreSQL driver).
    explicit PostgresSuiteWriter(db::Connection& connection);
    /// Rolls back a load that was begun and not finished.
    ~PostgresSuiteWriter();
    PostgresSuiteWriter(const PostgresSuiteWriter&) = delete;
    PostgresSuiteWriter& operator=(const PostgresSuiteWriter&) = delete;

    /// Begins the load: replaces the suite's tables with empty ones.
    Status begin();
    /// One row, its values in the order of the table description's fields: whole numbers, doubles, db::Currency,
    /// QString, QDate, QDateTime, or an invalid QVariant for NULL.
    Status addRow(const db::TableDescription& table, const QVariantList& values);
    /// Writes the rows still held, commits, indexes the join keys and P_iva and gives the planner its statistics.
    Status finish();

    /// A value as an SQL literal for PostgreSQL; no value for a type the suite's tables cannot hold.
    static std::optional<QString> literal(const QVariant& value);

private:
    struct Pending {
        const db::TableDescription* table = nullptr;
        QString sql; // "insert into ... values (...),(...)" so far
        int rows = 0;
    };
    Status flush(Pending& pending);
    Status exec(const QString& sql);

    db::Connection& m_connection;
    bool m_inTransaction = false;
    QHash<const db::TableDescription*, Pending> m_pending;
};

} // namespace demo
