#pragma once

#include "flow/FlowExport.h"
#include "foundation/SuitePaths.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "server/PostgresServer.h"

#include "support/SuiteFixture.h"

#include <QDir>

#include <gtest/gtest.h>

/// Where a scenario's suite keeps its cases: the embedded SQLite database the scenarios were first written for, or
/// the run's PostgreSQL server through QPSQL or through ODBC with Debian's PostgreSQL Unicode driver.
enum class Backend { Sqlite, Postgres, Odbc };

std::string backendName(const ::testing::TestParamInfo<Backend>& info);

#define ON_BACKENDS(Suite, ...) INSTANTIATE_TEST_SUITE_P(On, Suite, ::testing::Values(__VA_ARGS__), backendName)
#define ON_SERVERS(Suite) ON_BACKENDS(Suite, Backend::Postgres, Backend::Odbc)
#define ON_ALL_BACKENDS(Suite) ON_BACKENDS(Suite, Backend::Sqlite, Backend::Postgres, Backend::Odbc)

/// A suite of the test's own on one backend. The scenario puts its data into the suite's SQLite database (as the
/// single-database tests do) and then mirror() copies the suite's tables into a fresh database on the run's
/// PostgreSQL server, so that every backend holds the same rows in the same order. The run's server is started once,
/// before the first test; when it cannot start, every test on a server fails and says why.
class ServerSuite : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;

    Backend backend() const { return GetParam(); }
    /// Makes a new empty database on the server and uses it from now on.
    void useNewDatabase();
    /// Copies the suite's tables from the SQLite database to the server's database (nothing on SQLite).
    void mirror();
    /// The connection string of the backend, as kv32.ini would carry it.
    QString connectionString() const;
    /// Writes kv32.ini naming the backend.
    void pointTheSuiteAtTheBackend()
    {
        suite.writeKv32Ini({QStringLiteral("[datiserver]"), QStringLiteral("connstring=") + connectionString()});
    }
    /// Runs a statement in the suite's SQL on the backend, through the program's own layer.
    void execute(const QString& suiteSql);
    /// Runs a query in the suite's SQL on the backend, through the program's own layer; its first value as text.
    QString scalar(const QString& suiteSql);

    /// The small suite of the flow's golden test (five cases, every kind of payment, three sheets), on the backend.
    void loadSmallSuite()
    {
        suite.loadSmallSuite();
        mirror();
    }
    /// The demo suite of that size, its sheets completed so that an export goes through, on the backend.
    void loadDemoSuite(int cases, quint32 seed);
    /// "Esporta" over the cases of `caseSql`, as the main window runs it, on the database of `connection`: the
    /// clock fixed on 14 June 2011 at 09:30:05, the contact counters from a fixed sequence, the proposals taken.
    Result<QString> exportFlow(const QString& connection, const QString& caseSql,
                               const FlowExport::Progress& progress = {});
    QStringList desktopFiles() { return QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden); }
    QString lastIdPath() const { return suite.local(SuitePaths::idNrvXmlIni()); }

    SuiteFixture suite;
    ScriptedDialogs dialogs;
    PostgresServer* server = nullptr;
    QString database;
};
