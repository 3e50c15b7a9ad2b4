#pragma once

#include "demo/DemoSuite.h"
#include "demo/PostgresSuiteWriter.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "flow/FlowExport.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Recordset.h"
#include "foundation/db/Statement.h"
#include "foundation/db/SuiteTables.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "server/PostgresServer.h"

#include "support/SuiteFixture.h"

#include <gtest/gtest.h>

#include <memory>

/// The run's server: started before the first test, stopped after the last (also when tests fail).
class ServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        server = std::make_unique<PostgresServer>();
        const Status started = server->start();
        whyNot = started ? QString() : started.errorText();
    }
    // Stopped by its destructor.
    void TearDown() override { server.reset(); }
    static inline std::unique_ptr<PostgresServer> server;
    static inline QString whyNot;
};
// Registered before main runs, so that every run of the executable has its server.
inline ::testing::Environment* const serverEnvironment = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

/// Where a scenario's suite keeps its cases: the embedded SQLite database the scenarios were first written for, or
/// the run's PostgreSQL server through QPSQL or through ODBC with Debian's PostgreSQL Unicode driver.
enum class Backend { Sqlite, Postgres, Odbc };

inline std::string backendName(const ::testing::TestParamInfo<Backend>& info)
{
    return std::array{"SQLite", "PostgreSQL", "ODBC"}[size_t(info.param)];
}

#define ON_BACKENDS(Suite, ...) INSTANTIATE_TEST_SUITE_P(On, Suite, ::testing::Values(__VA_ARGS__), backendName)
#define ON_SERVERS(Suite) ON_BACKENDS(Suite, Backend::Postgres, Backend::Odbc)
#define ON_ALL_BACKENDS(Suite) ON_BACKENDS(Suite, Backend::Sqlite, Backend::Postgres, Backend::Odbc)

/// A suite of the test's own on one backend. The scenario puts its data into the suite's SQLite database (as the
/// single-database tests do) and then mirror() copies the suite's tables into a fresh database on the run's
/// PostgreSQL server, so that every backend holds the same rows in the same order; kv32.ini names the backend.
/// When the run's server cannot start, every test on a server fails and says why.
class ServerSuite : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::Sqlite)
            return;
        server = ServerEnvironment::server.get();
        // A run without PostgreSQL is a failed run, never a quietly shorter one.
        ASSERT_TRUE(server && server->running())
            << "PostgreSQL could not be started for the server tests: " << ServerEnvironment::whyNot.toStdString();
        useNewDatabase();
    }

    /// Makes a new empty database on the server and uses it from now on.
    void useNewDatabase()
    {
        static int serial = 0;
        database = QStringLiteral("suite_%1").arg(++serial);
        ASSERT_OK(server->createDatabase(database));
    }

    /// Copies the suite's tables from the SQLite database to the server's database, and points kv32.ini at the
    /// backend.
    void mirror()
    {
        suite.writeKv32Ini({QStringLiteral("[datiserver]"), QStringLiteral("connstring=") + connectionString()});
        if (!server)
            return;
        db::Connection from;
        ASSERT_OK(from.open(suite.database().connectionString()));
        db::Connection to;
        ASSERT_OK(to.open(server->connectionString(database)));
        demo::PostgresSuiteWriter writer(to);
        ASSERT_OK(writer.begin());
        for (const db::TableDescription& table : db::suiteTables()) {
            db::Recordset rows;
            ASSERT_OK(rows.open(QStringLiteral("Select * From [%1]").arg(table.name), from));
            for (; !rows.eof(); static_cast<void>(rows.moveNext())) {
                QVariantList values;
                for (const db::FieldDescription& field : table.fields)
                    values.append(rows.field(field.name).value_or(QVariant()));
                ASSERT_OK(writer.addRow(table, values));
            }
        }
        ASSERT_OK(writer.finish());
    }

    /// The connection string of the backend, as kv32.ini carries it.
    QString connectionString() const
    {
        if (GetParam() == Backend::Sqlite)
            return QStringLiteral("Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
        return GetParam() == Backend::Odbc ? server->odbcConnectionString(database)
                                           : server->connectionString(database);
    }

    /// Runs a statement in the suite's SQL on the backend, through the program's own layer; the first value of its
    /// answer as text, if any.
    QString execute(const QString& suiteSql)
    {
        db::Connection connection;
        db::Recordset rows;
        EXPECT_OK(connection.open(connectionString()));
        if (!suiteSql.startsWith(QStringLiteral("select"), Qt::CaseInsensitive)) {
            EXPECT_OK(db::execute(connection, suiteSql));
            return QString();
        }
        EXPECT_OK(rows.open(suiteSql, connection));
        return rows.eof() ? QStringLiteral("<no row>") : db::textOf(rows.value(0));
    }

    /// The demo suite of that size, its sheets completed so that an export goes through, on the backend.
    void loadDemoSuite(int cases, quint32 seed)
    {
        // The demo takes the place of the suite's own database and files, under the same drives.
        const QString drives = QFileInfo(suite.home().drive(QLatin1Char('Z'))).absolutePath();
        ASSERT_OK(demo::createDemoSuite({drives, cases, seed}));
        if (server) {
            ASSERT_OK(demo::loadDemoIntoPostgres(server->connectionString(database), cases, seed));
        }
        // Every case whose action asks for a sheet gets a complete one, so that the export goes to the end.
        db::Connection connection;
        ASSERT_OK(connection.open(demo::demoConnectionString()));
        db::Recordset pratiche;
        ASSERT_OK(pratiche.open(QStringLiteral("Select * From [Tabella Pratiche]"), connection));
        for (const SheetStore store; !pratiche.eof(); static_cast<void>(pratiche.moveNext())) {
            const qint32 k = pratiche.wholeNumber(QStringLiteral("contatore")).value_or(0);
            if (NecessarioDS(pratiche.text(QStringLiteral("codicescaricomemo")).value_or(QString())) &&
                !store.CeDiagnosiSheet(k))
                suite.writeSheet(k, SuiteFixture::completeSheet());
        }
    }

    /// "Esporta" over the cases of `caseSql`, as the main window runs it, on the database of `connection`: the
    /// clock fixed on 14 June 2011 at 09:30:05, the contact counters from a fixed sequence, the proposals taken.
    Result<QString> exportFlow(const QString& connection, const QString& caseSql,
                               const FlowExport::Progress& progress = {})
    {
        db::Connection database;
        if (Status opened = database.open(connection); !opened)
            return opened;
        db::Recordset pratiche;
        if (Status listed = pratiche.open(caseSql, database, db::Recordset::Lock::Optimistic); !listed)
            return listed;
        SheetStore sheets;
        const FixedClock clock(QDateTime(QDate(2011, 6, 14), QTime(9, 30, 5)));
        SequenceRandom random({0.1, 0.3, 0.6, 0.9, 0.8});
        FlowExport exporter(database, false, sheets, dialogs, clock, random);
        if (progress)
            exporter.setProgress(progress);
        return exporter.EsportaFlusso(pratiche);
    }
    QStringList desktopFiles() { return QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden); }
    QString lastIdPath() const { return suite.local(SuitePaths::idNrvXmlIni()); }

    SuiteFixture suite;
    ScriptedDialogs dialogs;
    PostgresServer* server = nullptr;
    QString database;
};
