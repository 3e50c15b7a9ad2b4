// What the operator is told when the server cannot be reached, refuses the login, lacks a table or a field, or
// goes away in the middle of an export: the driver's own text, and no flow nor progressive half-made.
#include "server/ServerSuite.h"

#include "foundation/db/Connection.h"

#include "support/CaseList.h"

#include <QFile>

namespace {

const QString AllCases = QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0");

class ServerFailures : public ServerSuite {
protected:
    /// Starts the main window's case list on a connection string; the messages the operator saw.
    QStringList openTheCaseList(const QString& connection, const QString& filter = QStringLiteral("where contatore>0"))
    {
        suite.writeKv32Ini({QStringLiteral("[datiserver]"), QStringLiteral("connstring=") + connection});
        EXPECT_FALSE(list.load(filter));
        return dialogs.messages();
    }
    QString withPort(int port) const
    {
        return backend() == Backend::Odbc
                   ? QStringLiteral("Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=%1;Database=%2;Uid=%3;Pwd=%4")
                         .arg(port)
                         .arg(database, PostgresServer::user(), server->password())
                   : QStringLiteral("Provider=PostgreSQL;Host=127.0.0.1;Port=%1;Database=%2;User ID=%3;Password=%4")
                         .arg(port)
                         .arg(database, PostgresServer::user(), server->password());
    }
    void writeLastId() { writeBytes(lastIdPath(), "[Norvanta]\r\nLastID=00042\r\n"); }
    /// An export that stopped: no flow on the desktop (no temporary file either), the progressive as it was, and the
    /// operator told why with the driver's words.
    void expectAStoppedExport(const Result<QString>& written, const QString& driverWords)
    {
        ASSERT_FALSE(written);
        EXPECT_TRUE(written.errorText().contains(driverWords, Qt::CaseInsensitive))
            << written.errorText().toStdString();
        EXPECT_TRUE(written.errorText().contains(QStringLiteral("La procedura di esportazione termina")))
            << written.errorText().toStdString();
        EXPECT_EQ(dialogs.messages().value(0), written.errorText());
        EXPECT_TRUE(desktopFiles().isEmpty()) << desktopFiles().join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00042\r\n"));
    }

    CaseList list{suite, dialogs};
};

} // namespace

TEST_P(ServerFailures, AServerThatRefusesTheConnectionIsNamedWithTheDriversText)
{
    const int closed = PostgresServer::freePort();
    ASSERT_GT(closed, 0);
    const QStringList messages = openTheCaseList(withPort(closed));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("Connection refused"), Qt::CaseInsensitive))
        << messages.first().toStdString();
    // The server and database are named, as the connection string names them.
    const QString named = backend() == Backend::Odbc
                              ? QStringLiteral("ODBC {PostgreSQL Unicode} 127.0.0.1/%1").arg(database)
                              : QStringLiteral("PostgreSQL %1 su 127.0.0.1 porta %2").arg(database).arg(closed);
    EXPECT_TRUE(messages.first().contains(named)) << messages.first().toStdString();
    // The password is never shown.
    EXPECT_FALSE(messages.first().contains(server->password()));
}

TEST_P(ServerFailures, AWrongPasswordIsToldAsTheServerSaysIt)
{
    const QString connection = connectionString().replace(server->password(), QStringLiteral("sbagliata"));
    const QStringList messages = openTheCaseList(connection);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("password authentication failed for user \"postgres\"")))
        << messages.first().toStdString();
    EXPECT_FALSE(messages.first().contains(QStringLiteral("sbagliata")));
}

TEST_P(ServerFailures, AFieldMissingFromTheFilterIsNamed)
{
    mirror();
    const QStringList messages = openTheCaseList(connectionString(), QStringLiteral("where [codice inesistente]='x'"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().contains(QStringLiteral("column \"codice inesistente\" does not exist")))
        << messages.first().toStdString();
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("Impossibile leggere le pratiche")));
}

TEST_P(ServerFailures, AMissingTableStopsTheExportWithoutAFlow)
{
    loadSmallSuite();
    writeLastId();
    onTheServer({QStringLiteral("drop table \"tabella riscontro\"")});
    expectAStoppedExport(exportFlow(connectionString(), AllCases),
                         QStringLiteral("relation \"tabella riscontro\" does not exist"));
}

TEST_P(ServerFailures, AMissingFieldStopsTheExportAndIsNamed)
{
    loadSmallSuite();
    writeLastId();
    onTheServer({QStringLiteral("alter table \"tabella pagamenti\" drop column capitale")});
    expectAStoppedExport(exportFlow(connectionString(), AllCases),
                         QStringLiteral("manca il campo capitale nella tabella [Tabella Pagamenti]"));
}

TEST_P(ServerFailures, AnAmountTheCurrencyCannotHoldStopsTheExportAndIsNamed)
{
    loadSmallSuite();
    writeLastId();
    // numeric(19,4) holds more than the currency: its decimal text is read up to the currency's very last unit.
    onTheServer({QStringLiteral("update \"tabella pagamenti\" set totale=922337203685477.5808 where id=1")});
    expectAStoppedExport(exportFlow(connectionString(), AllCases),
                         QStringLiteral("pagamento ID 1, il campo totale è fuori dall'intervallo di un importo: "
                                        "922337203685477"));
}

TEST_P(ServerFailures, AServerThatGoesAwayDuringTheExportLeavesNoFlowAndTheProgressiveUnchanged)
{
    // A server of this test's own, so that stopping it leaves the run's server to the other tests.
    PostgresServer ownServer;
    const Status started = ownServer.start();
    ASSERT_TRUE(started) << "PostgreSQL could not be started: " << started.errorText().toStdString();
    ASSERT_TRUE(ownServer.createDatabase(QStringLiteral("kv")));
    server = &ownServer;
    database = QStringLiteral("kv");
    loadDemoSuite(400, 3);
    writeLastId();
    const QString connection = connectionString();
    qsizetype stoppedAt = -1;
    const Result<QString> written = exportFlow(connection, AllCases, [&](qsizetype done, qsizetype) {
        if (done == 5 && ownServer.running()) {
            const Status stopped = ownServer.stop(true);
            EXPECT_TRUE(stopped) << stopped.errorText().toStdString();
            stoppedAt = done;
        }
    });
    EXPECT_EQ(stoppedAt, 5);
    // The driver's words differ with the moment the server went; each says the connection is gone.
    expectAStoppedExport(written, QStringLiteral("connection"));
    EXPECT_FALSE(written.errorText().contains(QStringLiteral("()"))) << written.errorText().toStdString();
    EXPECT_TRUE(written.errorText().contains(QStringLiteral("[Tabella Pagamenti]")) ||
                written.errorText().contains(QStringLiteral("[Tabella Riscontro]")))
        << written.errorText().toStdString();
    server = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Servers, ServerFailures, ::testing::Values(Backend::Postgres, Backend::Odbc), backendName);
