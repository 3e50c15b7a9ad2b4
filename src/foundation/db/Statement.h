#pragma once

#include "foundation/Status.h"
#include "foundation/db/SqlDialect.h"
#include "foundation/db/SuiteTables.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class Connection;

/// A statement in the suite's SQL whose data values are '?' marks: prepared on its first run, then run again and
/// again with new values bound, so that a value never becomes part of the SQL text. Every statement the program
/// sends goes through here, checked and rewritten for the database by statementToRun.
///
/// On SQLite it runs on the driver's own handle and reads each cell straight from the statement: through QSqlQuery
/// a wide result costs a UTF-16 conversion and a variant per cell inside the driver, three times the time, and the
/// declared type of a column is lost. Elsewhere it runs through Qt's driver, numbers in their decimal text so that
/// amounts keep every digit.
class Statement {
public:
    struct Column {
        QString name;
        QString table;                 ///< the column's own table, or empty for an expression
        std::optional<FieldKind> kind; ///< from the declared type, none for an expression
    };

    Statement(Connection& connection, QString suiteSql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    /// Runs the statement with `values` bound to its marks in order, before its first row. The failure carries the
    /// driver's text, or says why the statement was not sent.
    Status run(const QVariantList& values = {});
    /// Moves to the next row; false after the last one, or on a failure, which status() then tells.
    bool next();
    /// The failure of the last run or move, if any.
    const Status& status() const { return m_status; }
    /// Lets go of the rest of the rows, and of what the database holds for them.
    void finish();

    /// The result's columns, known from the first run.
    const QList<Column>& columns() const { return m_columns; }
    /// The position of a column found without regard to letter case, or -1.
    int columnIndex(const QString& name) const;
    /// The value of a column of the current row as its column's kind gives it (a date, currency...; Null is an
    /// invalid QVariant).
    QVariant value(int column) const;
    /// The value as the database stores it, untyped.
    QVariant raw(int column) const;

    /// The rows the last run wrote.
    qint64 rowsAffected() const;
    /// The key the database gave the row that the last run added, when it tells.
    QVariant lastInsertId() const;

    /// A value as the database keeps it: dates and amounts in the form SQLite stores them, an amount for a server as
    /// its decimal text, the rest as they are.
    static QVariant bindable(const QVariant& value, SqlDialect dialect);

private:
    Status prepare();
    Status prepareOnSqlite(const QString& sql);
    Status prepareThroughQt(const QString& sql);
    Status runOnSqlite(const QVariantList& values);
    Status runThroughQt(const QVariantList& values);
    bool step();
    Status sqliteFailure() const;

    Connection& m_connection;
    QString m_suiteSql;
    SqlDialect m_dialect = SqlDialect::Suite;
    /// The connection's database from the first run, to tell that it has been closed since.
    QSqlDatabase m_database;
    bool m_prepared = false;
    QList<Column> m_columns;
    Status m_status = Status::success();

    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    /// On SQLite: the run stepped onto its first row, which next() has not yet handed out.
    bool m_rowWaiting = false;
    bool m_onRow = false;

    /// Through Qt: the statement as sent, and whether the driver has prepared it for values.
    QString m_sql;
    bool m_preparedOnServer = false;
    QSqlQuery m_query;
};

/// Runs a statement written in the suite's SQL that gives no rows (a write such as DELETE).
Status execute(Connection& connection, const QString& suiteSql);

} // namespace db
