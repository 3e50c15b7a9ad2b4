// Opening the suite's database; each driver's real connection is tried in server/, alike on SQLite, PostgreSQL and
// ODBC, with what the operator is told when it fails.
#include "foundation/db/Connection.h"
#include "foundation/db/ConnectionString.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

using db::ConnectionTarget;
using db::resolveConnectionString;

TEST(ConnectionString, PairsAreReadWithoutRegardToCaseAndQuotesOrBracesKeepTheirSemicolons)
{
    const db::ConnectionString pairs(
        QStringLiteral("Driver={Driver; strano};SERVER = host ; database='a;b';Uid=u;PWD=p;;Vuota="));
    EXPECT_EQ(pairs.value(QStringLiteral("driver")), QStringLiteral("{Driver; strano}"));
    EXPECT_EQ(pairs.value(QStringLiteral("Server")), QStringLiteral("host"));
    EXPECT_EQ(pairs.value(QStringLiteral("Database")), QStringLiteral("a;b"));
    EXPECT_EQ(pairs.valueOf({"User ID", "UID"}), QStringLiteral("u"));
    EXPECT_TRUE(pairs.has(QStringLiteral("vuota")));
    EXPECT_FALSE(pairs.has(QStringLiteral("Password")));
}

TEST(ConnectionString, UnknownProvidersAndMissingDriversAreNamedButNeverThePassword)
{
    TempFolder folder;
    EnvGuard env;
    env.set("ODBCSYSINI", folder.path()); // an ODBC driver manager that knows no driver

    // An unknown provider is named to the operator: see the case list.
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
    const Result<ConnectionTarget> noDriver =
        resolveConnectionString(QStringLiteral("Data Source=x;Password=s3greta;PWD = \"a;b\";User ID=sa"));
    ASSERT_FALSE(noDriver);
    EXPECT_TRUE(noDriver.errorText().contains(QStringLiteral("Data Source=x;Password=***;PWD = ***;User ID=sa")))
        << noDriver.errorText().toStdString();
}

TEST(Connection, NeverCreatesAnSqliteDatabase)
{
    TempFolder folder;
    const QString missing = folder.file(QStringLiteral("manca.sqlite"));
    const QString aFolder = folder.file(QStringLiteral("cartella.sqlite"));
    ASSERT_TRUE(QDir().mkpath(aFolder));
    db::Connection connection;
    for (const auto& [path, cause] : {std::pair(missing, "non esiste"), std::pair(aFolder, "è una cartella")}) {
        const Status failed = connection.open(QStringLiteral("Provider=SQLite;Data Source=") + path);
        ASSERT_FALSE(failed);
        EXPECT_TRUE(failed.errorText().contains(path) && failed.errorText().contains(QString::fromUtf8(cause)))
            << failed.errorText().toStdString();
        EXPECT_FALSE(connection.state());
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}
