#include "foundation/db/Connection.h"
#include "foundation/db/ConnectionString.h"
#include "foundation/db/Statement.h"

#include "support/SqliteFixture.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using db::ConnectionTarget;
using db::resolveConnectionString;

TEST(ConnectionString, PairsAreReadWithoutRegardToCaseAndTheProviderPicksTheDriver)
{
    const db::ConnectionString pairs(
        QStringLiteral("Driver={Driver; strano};SERVER = host ; database='a;b';Uid=u;PWD=p;;Vuota="));
    EXPECT_EQ(pairs.value(QStringLiteral("driver")), QStringLiteral("{Driver; strano}"));
    EXPECT_EQ(pairs.value(QStringLiteral("Server")), QStringLiteral("host"));
    EXPECT_EQ(pairs.value(QStringLiteral("Database")), QStringLiteral("a;b"));
    EXPECT_EQ(pairs.valueOf({"User ID", "UID"}), QStringLiteral("u"));
    EXPECT_TRUE(pairs.has(QStringLiteral("vuota")));
    EXPECT_FALSE(pairs.has(QStringLiteral("Password")));
    // The provider picks the driver.
    TempFolder folder;
    EnvGuard env;
    env.set("KV32_DRIVE_Z", folder.path());
    env.set("ODBCSYSINI", folder.path()); // an ODBC driver manager that knows no driver

    const Result<ConnectionTarget> sqlite =
        resolveConnectionString(QStringLiteral("Provider=SQLite;Data Source=Z:\\dati\\kv.sqlite"));
    ASSERT_TRUE(sqlite) << sqlite.errorText().toStdString();
    EXPECT_EQ(sqlite->qtDriver, QStringLiteral("QSQLITE"));
    EXPECT_EQ(sqlite->databaseName, folder.file(QStringLiteral("dati/kv.sqlite")));
    EXPECT_EQ(sqlite->dialect, db::SqlDialect::SQLite);

    const Result<ConnectionTarget> postgres = resolveConnectionString(
        QStringLiteral("Provider=PostgreSQL;Host=/run/pg;Port=5433;Database=kv;User ID=op;Password=segreta"));
    ASSERT_TRUE(postgres) << postgres.errorText().toStdString();
    EXPECT_EQ(postgres->qtDriver, QStringLiteral("QPSQL"));
    EXPECT_EQ(postgres->host, QStringLiteral("/run/pg"));
    EXPECT_EQ(postgres->port, 5433);
    EXPECT_EQ(postgres->userName, QStringLiteral("op"));
    EXPECT_FALSE(postgres->description.contains(QStringLiteral("segreta")));

    const QString odbc = QStringLiteral("Driver={PostgreSQL Unicode};Server=localhost;Database=kv");
    const Result<ConnectionTarget> passedOn = resolveConnectionString(odbc);
    ASSERT_TRUE(passedOn) << passedOn.errorText().toStdString();
    EXPECT_EQ(passedOn->qtDriver, QStringLiteral("QODBC"));
    EXPECT_EQ(passedOn->databaseName, odbc);
    EXPECT_EQ(passedOn->dialect, db::SqlDialect::PostgreSQL);
}

TEST(ConnectionString, UnknownProvidersAndMissingDriversAreNamed)
{
    TempFolder folder;
    EnvGuard env;
    env.set("ODBCSYSINI", folder.path());

    const Result<ConnectionTarget> unknown =
        resolveConnectionString(QStringLiteral("Provider=Oracle.Fantasma;Data Source=x"));
    ASSERT_FALSE(unknown);
    EXPECT_TRUE(unknown.errorText().contains(QStringLiteral("Oracle.Fantasma")));

    const Result<ConnectionTarget> access = resolveConnectionString(QStringLiteral(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Z:\\work\\kv32\\dati\\kv.mdb;Persist Security Info=False"));
    ASSERT_FALSE(access);
    EXPECT_TRUE(access.errorText().contains(QStringLiteral("Access")));
    EXPECT_TRUE(access.errorText().contains(QStringLiteral("Z:\\work\\kv32\\dati\\kv.mdb")));

    // Once the driver manager lists an Access driver, the same string goes through ODBC.
    folder.write(QStringLiteral("odbcinst.ini"), "[ODBC]\nTrace=No\n[MDBTools]\nDriver=libmdbodbc.so\n");
    const Result<ConnectionTarget> withDriver =
        resolveConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/dati/kv.mdb"));
    ASSERT_TRUE(withDriver) << withDriver.errorText().toStdString();
    EXPECT_EQ(withDriver->databaseName, QStringLiteral("Driver={MDBTools};DBQ=/dati/kv.mdb"));

    EXPECT_FALSE(resolveConnectionString(QString()));
    // The string is shown to say what is missing, but never with its password.
    const Result<ConnectionTarget> noDriver =
        resolveConnectionString(QStringLiteral("Data Source=x;Password=s3greta;PWD = \"a;b\";User ID=sa"));
    ASSERT_FALSE(noDriver);
    EXPECT_TRUE(noDriver.errorText().contains(QStringLiteral("Data Source=x;Password=***;PWD = ***;User ID=sa")))
        << noDriver.errorText().toStdString();
}

TEST(Connection, OpensAnExistingSqliteDatabaseAndNeverCreatesOne)
{
    TempFolder folder;
    const QString missing = folder.file(QStringLiteral("manca.sqlite"));
    const QString aFolder = folder.file(QStringLiteral("cartella.sqlite"));
    ASSERT_TRUE(QDir().mkpath(aFolder));
    db::Connection connection;
    EXPECT_FALSE(connection.state());
    for (const auto& [path, cause] : {std::pair(missing, "non esiste"), std::pair(aFolder, "è una cartella")}) {
        const Status failed = connection.open(QStringLiteral("Provider=SQLite;Data Source=") + path);
        ASSERT_FALSE(failed);
        EXPECT_TRUE(failed.errorText().contains(path) && failed.errorText().contains(QString::fromUtf8(cause)))
            << failed.errorText().toStdString();
        EXPECT_FALSE(connection.state());
    }
    EXPECT_FALSE(QFileInfo::exists(missing));

    SqliteFixture fixture(folder.file(QStringLiteral("kv.sqlite")));
    fixture.createSuiteTables();
    ASSERT_TRUE(connection.open(fixture.connectionString()));
    EXPECT_TRUE(connection.state());
    EXPECT_TRUE(db::execute(connection, QStringLiteral("Delete  from [Working] where operatore='A_Z'")));
    const Status bad = db::execute(connection, QStringLiteral("Delete from [Tabella Inesistente]"));
    ASSERT_FALSE(bad);
    EXPECT_TRUE(bad.errorText().contains(QStringLiteral("Tabella Inesistente"))) << bad.errorText().toStdString();
    connection.close();
    EXPECT_FALSE(connection.state());
}

TEST(Connection, AnUnreachableServerGivesTheDriversText)
{
    db::Connection connection;
    // Nothing listens on port 1 of this machine: the driver refuses at once.
    const Status refused =
        connection.open(QStringLiteral("Provider=PostgreSQL;Host=127.0.0.1;Port=1;Database=kv;User ID=op;Password=x"));
    ASSERT_FALSE(refused);
    EXPECT_TRUE(refused.errorText().contains(QStringLiteral("PostgreSQL kv"))) << refused.errorText().toStdString();
    EXPECT_GT(refused.errorText().size(), 40);
    EXPECT_FALSE(connection.state());
}
