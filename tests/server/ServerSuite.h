#pragma once

#include "flow/FlowExport.h"
#include "foundation/Status.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "server/PostgresServer.h"

#include "support/SuiteFixture.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <string>

/// Where a scenario's suite keeps its cases.
enum class Backend {
    Sqlite,   ///< the embedded database the scenarios were first written for
    Postgres, ///< a PostgreSQL server through QPSQL
    Odbc,     ///< the same server through ODBC with Debian's PostgreSQL Unicode driver
};

/// The name of a backend in a test's name.
std::string backendName(const ::testing::TestParamInfo<Backend>& info);

/// A suite of the test's own on one backend. The scenario puts its data into the suite's SQLite database (as the
/// single-database tests do) and then mirror() copies the suite's tables into a fresh database on the run's
/// PostgreSQL server, so that every backend holds the same rows in the same order.
class ServerSuite : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    Backend backend() const { return GetParam(); }
    bool onServer() const { return backend() != Backend::Sqlite; }
    /// Copies the suite's tables from the SQLite database to the server's database (nothing on SQLite).
    void mirror();
    /// The connection string of the backend, as kv32.ini would carry it.
    QString connectionString() const;
    /// Writes kv32.ini naming the backend.
    void pointTheSuiteAtTheBackend();
    /// Runs a query in the suite's SQL on the backend, through the program's own layer; its first value as text.
    QString scalar(const QString& suiteSql);
    /// Runs statements in PostgreSQL's own SQL on the server's database (to break it on purpose).
    void onTheServer(const QStringList& statements);

    /// The small suite of the flow's golden test (five cases, every kind of payment, three sheets), on the backend.
    void loadSmallSuite();
    /// The demo suite of that size, its sheets completed so that an export goes through, on the backend.
    void loadDemoSuite(int cases, quint32 seed);
    /// "Esporta" over the cases of `caseSql`, as the main window runs it, on the database of `connection`: the
    /// clock fixed on 14 June 2011 at 09:30:05, the contact counters from a fixed sequence, the proposals taken.
    Result<QString> exportFlow(const QString& connection, const QString& caseSql,
                               const FlowExport::Progress& progress = {});
    QStringList desktopFiles();
    QString lastIdPath() const;

    SuiteFixture suite;
    ScriptedDialogs dialogs;
    PostgresServer* server = nullptr;
    QString database;
};
