// Opening the suite's database; each driver's real connection is tried in server/, alike on SQLite, PostgreSQL and
// ODBC, with what the operator is told when it fails.
#include "foundation/db/Connection.h"
#include "foundation/db/ConnectionString.h"

#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>

TEST(ConnectionString, PairsAreReadWithoutRegardToCaseAndQuotesOrBracesKeepTheirSemicolons)
{
    const db::ConnectionString pairs(
        QStringLiteral("Driver={Driver; strano};SERVER = host ; database='a;b';Uid=u;PWD=p;;Vuota="));
    EXPECT_EQ((QStringList{pairs.value(QStringLiteral("driver")), pairs.value(QStringLiteral("Server")),
                           pairs.value(QStringLiteral("Database")), pairs.valueOf({"User ID", "UID"})}),
              (QStringList{"{Driver; strano}", "host", "a;b", "u"}));
    EXPECT_TRUE(pairs.has(QStringLiteral("vuota")) && !pairs.has(QStringLiteral("Password")));
}

// An unknown provider is named to the operator (see the case list); once the driver manager lists an Access driver,
// the same string goes through ODBC.
TEST(ConnectionString, MissingDriversAreNamedButNeverThePassword)
{
    TempFolder folder;
    EnvGuard env;
    env.set("ODBCSYSINI", folder.path()); // an ODBC driver manager that knows no driver
    const QString access = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/dati/kv.mdb");
    const Result<db::ConnectionTarget> refused = db::resolveConnectionString(access);
    EXPECT_TRUE(refused.errorText().contains(QStringLiteral("Access")) &&
                refused.errorText().contains(QStringLiteral("/dati/kv.mdb")))
        << refused.errorText().toStdString();
    folder.write(QStringLiteral("odbcinst.ini"), "[ODBC]\nTrace=No\n[MDBTools]\nDriver=libmdbodbc.so\n");
    const Result<db::ConnectionTarget> withDriver = db::resolveConnectionString(access);
    ASSERT_OK(withDriver);
    EXPECT_EQ(withDriver->databaseName, QStringLiteral("Driver={MDBTools};DBQ=/dati/kv.mdb"));

    EXPECT_FALSE(db::resolveConnectionString(QString()));
    EXPECT_TRUE(db::resolveConnectionString(QStringLiteral("Data Source=x;Password=s3greta;PWD = \"a;b\";User ID=sa"))
                    .errorText()
                    .contains(QStringLiteral("Data Source=x;Password=***;PWD = ***;User ID=sa")));
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
        EXPECT_TRUE(failed.errorText().contains(path) && failed.errorText().contains(QString::fromUtf8(cause)))
            << failed.errorText().toStdString();
        EXPECT_FALSE(connection.state());
    }
    EXPECT_FALSE(QFileInfo::exists(missing));
}
