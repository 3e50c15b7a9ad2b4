#include "server/ServerSuite.h"

#include "demo/DemoSuite.h"
#include "demo/PostgresSuiteWriter.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Recordset.h"
#include "foundation/db/Statement.h"
#include "foundation/db/SuiteTables.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace {

/// The run's server: started before the first test, stopped after the last (also when tests fail).
class ServerEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        server = std::make_unique<PostgresServer>();
        const Status started = server->start();
        whyNot = started ? QString() : started.errorText();
    }
    void TearDown() override
    {
        if (server->running()) {
            ASSERT_OK(server->stop());
        }
        server.reset();
    }
    static inline std::unique_ptr<PostgresServer> server;
    static inline QString whyNot;
};

// Registered before main runs, so that every run of the executable has its server.
[[maybe_unused]] ::testing::Environment* const registered = ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

} // namespace

std::string backendName(const ::testing::TestParamInfo<Backend>& info)
{
    return std::array{"SQLite", "PostgreSQL", "ODBC"}[size_t(info.param)];
}

void ServerSuite::SetUp()
{
    if (backend() == Backend::Sqlite)
        return;
    server = ServerEnvironment::server.get();
    // A run without PostgreSQL is a failed run, never a quietly shorter one.
    ASSERT_TRUE(server && server->running())
        << "PostgreSQL could not be started for the server tests: " << ServerEnvironment::whyNot.toStdString();
    useNewDatabase();
}

void ServerSuite::useNewDatabase()
{
    static int serial = 0;
    database = QStringLiteral("suite_%1").arg(++serial);
    ASSERT_OK(server->createDatabase(database));
}

void ServerSuite::mirror()
{
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

QString ServerSuite::connectionString() const
{
    switch (backend()) {
    case Backend::Postgres:
        return server->connectionString(database);
    case Backend::Odbc:
        return server->odbcConnectionString(database);
    default:
        return QStringLiteral("Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    }
}

void ServerSuite::execute(const QString& suiteSql)
{
    db::Connection connection;
    ASSERT_OK(connection.open(connectionString()));
    ASSERT_OK(db::execute(connection, suiteSql));
}

QString ServerSuite::scalar(const QString& suiteSql)
{
    db::Connection connection;
    db::Recordset rows;
    EXPECT_OK(connection.open(connectionString()));
    EXPECT_OK(rows.open(suiteSql, connection));
    return rows.eof() ? QStringLiteral("<no row>") : db::textOf(rows.value(0));
}

void ServerSuite::loadDemoSuite(int cases, quint32 seed)
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

Result<QString> ServerSuite::exportFlow(const QString& connection, const QString& caseSql,
                                        const FlowExport::Progress& progress)
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
