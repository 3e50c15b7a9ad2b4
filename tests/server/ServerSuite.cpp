#include "server/ServerSuite.h"

#include "demo/DemoSuite.h"
#include "demo/PostgresSuiteWriter.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Recordset.h"
#include "foundation/db/SuiteTables.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "server/ServerEnvironment.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>

std::string backendName(const ::testing::TestParamInfo<Backend>& info)
{
    switch (info.param) {
    case Backend::Sqlite:
        return "SQLite";
    case Backend::Postgres:
        return "PostgreSQL";
    case Backend::Odbc:
        return "ODBC";
    }
    return "unknown";
}

void ServerSuite::SetUp()
{
    if (!onServer())
        return;
    server = ServerEnvironment::requireServer();
    if (!server)
        GTEST_FAIL() << "no server for " << backendName({backend(), 0});
    static QAtomicInteger<int> serial;
    database = QStringLiteral("suite_%1").arg(serial.fetchAndAddRelaxed(1) + 1);
    const Status made = server->createDatabase(database);
    ASSERT_TRUE(made) << made.errorText().toStdString();
}

void ServerSuite::mirror()
{
    if (!onServer())
        return;
    ASSERT_TRUE(server);
    db::Connection from;
    ASSERT_OK(from.open(suite.database().connectionString()));
    db::Connection to;
    ASSERT_OK(to.open(server->connectionString(database)));
    demo::PostgresSuiteWriter writer(to);
    ASSERT_OK(writer.begin());
    for (const db::TableDescription& table : db::suiteTables()) {
        db::Recordset rows;
        const Status read = rows.open(QStringLiteral("Select * From [%1]").arg(table.name), from);
        ASSERT_TRUE(read) << read.errorText().toStdString();
        for (; !rows.eof(); static_cast<void>(rows.moveNext())) {
            QVariantList values;
            for (const db::FieldDescription& field : table.fields) {
                const Result<QVariant> value = rows.field(field.name);
                ASSERT_TRUE(value) << value.errorText().toStdString();
                values.append(*value);
            }
            ASSERT_OK(writer.addRow(table, values));
        }
    }
    ASSERT_OK(writer.finish());
}

QString ServerSuite::connectionString() const
{
    switch (backend()) {
    case Backend::Sqlite:
        return QStringLiteral("Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    case Backend::Postgres:
        return server ? server->connectionString(database) : QString();
    case Backend::Odbc:
        return server ? server->odbcConnectionString(database) : QString();
    }
    return QString();
}

void ServerSuite::pointTheSuiteAtTheBackend()
{
    suite.writeKv32Ini({QStringLiteral("[datiserver]"), QStringLiteral("connstring=") + connectionString()});
}

QString ServerSuite::scalar(const QString& suiteSql)
{
    db::Connection connection;
    const Status opened = connection.open(connectionString());
    EXPECT_TRUE(opened) << opened.errorText().toStdString();
    db::Recordset rows;
    const Status read = rows.open(suiteSql, connection);
    EXPECT_TRUE(read) << suiteSql.toStdString() << ": " << read.errorText().toStdString();
    return rows.eof() ? QStringLiteral("<no row>") : db::textOf(rows.value(0));
}

void ServerSuite::onTheServer(const QStringList& statements)
{
    ASSERT_TRUE(server);
    ASSERT_OK(server->execute(database, statements));
}

void ServerSuite::loadSmallSuite()
{
    suite.loadSmallSuite();
    mirror();
}

void ServerSuite::loadDemoSuite(int cases, quint32 seed)
{
    // The demo takes the place of the suite's own database and files, under the same drives.
    const QString drives = QFileInfo(suite.home().drive(QLatin1Char('Z'))).absolutePath();
    ASSERT_OK(demo::createDemoSuite({drives, cases, seed}));
    if (onServer()) {
        ASSERT_OK(demo::loadDemoIntoPostgres(server->connectionString(database), cases, seed));
    }
    // Every case whose action asks for a sheet gets a complete one, so that the export goes to the end.
    db::Connection connection;
    ASSERT_TRUE(connection.open(demo::demoConnectionString()));
    db::Recordset pratiche;
    ASSERT_TRUE(pratiche.open(QStringLiteral("Select * From [Tabella Pratiche]"), connection));
    const SheetStore store;
    for (; !pratiche.eof(); static_cast<void>(pratiche.moveNext())) {
        const qint32 k = pratiche.wholeNumber(QStringLiteral("contatore")).value_or(0);
        if (!NecessarioDS(pratiche.text(QStringLiteral("codicescaricomemo")).value_or(QString())) ||
            store.CeDiagnosiSheet(k))
            continue;
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

QStringList ServerSuite::desktopFiles()
{
    return QDir(suite.home().desktop()).entryList(QDir::Files | QDir::Hidden);
}

QString ServerSuite::lastIdPath() const
{
    return suite.local(SuitePaths::idNrvXmlIni());
}
