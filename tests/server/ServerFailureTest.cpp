// What the operator is told when the server cannot be reached, refuses the login, lacks a table or a field, or
// goes away in the middle of an export: the driver's own text, never the password, and no flow nor progressive
// half-made.
#include "server/ServerSuite.h"

#include "support/CaseList.h"

const QString AllCases = QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0");
const QByteArray LastId = "[Norvanta]\r\nLastID=00042\r\n";

class ServerFailures : public ServerSuite {
protected:
    /// An export that stopped: no flow on the desktop (no temporary file either), the progressive as it was, and the
    /// operator told why with the driver's words.
    void expectAStoppedExport(const Result<QString>& written, const QString& driverWords)
    {
        ASSERT_FALSE(written);
        const QString text = written.errorText();
        EXPECT_TRUE(text.contains(driverWords, Qt::CaseInsensitive) &&
                    text.contains(QStringLiteral("La procedura di esportazione termina")))
            << text.toStdString();
        EXPECT_EQ(dialogs.messages() + desktopFiles(), QStringList{text});
        EXPECT_EQ(fileBytes(lastIdPath()), LastId);
    }
};

TEST_P(ServerFailures, TheCaseListSaysWhatTheServerSaidAndNeverThePassword)
{
    mirror();
    const int closed = PostgresServer::freePort();
    ASSERT_GT(closed, 0);
    const QString port = QStringLiteral("Port=%1").arg(server->port());
    const struct {
        QString connection, filter;
        QStringList said;
    } rows[] = {
        // The server and database are named, as the connection string names them.
        {connectionString()
             .replace(server->socketFolder(), QStringLiteral("127.0.0.1"))
             .replace(port, QStringLiteral("Port=%1").arg(closed)),
         QStringLiteral("where contatore>0"),
         {QStringLiteral("Connection refused"),
          GetParam() == Backend::Odbc
              ? QStringLiteral("ODBC {PostgreSQL Unicode} 127.0.0.1/%1").arg(database)
              : QStringLiteral("PostgreSQL %1 su 127.0.0.1 porta %2").arg(database).arg(closed)}},
        {connectionString().replace(server->password(), QStringLiteral("sbagliata")),
         QStringLiteral("where contatore>0"),
         {QStringLiteral("password authentication failed for user \"postgres\"")}},
        {connectionString(),
         QStringLiteral("where [codice inesistente]='x'"),
         {QStringLiteral("Impossibile leggere le pratiche"),
          QStringLiteral("column \"codice inesistente\" does not exist")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.said.first().toStdString());
        dialogs.clear();
        suite.writeKv32Ini({QStringLiteral("[datiserver]"), QStringLiteral("connstring=") + row.connection});
        CaseList list{suite, dialogs};
        EXPECT_FALSE(list.load(row.filter));
        ASSERT_EQ(dialogs.messages().size(), 1);
        const QString message = dialogs.messages().first();
        for (const QString& said : row.said)
            EXPECT_TRUE(message.contains(said, Qt::CaseInsensitive)) << message.toStdString();
        EXPECT_FALSE(message.contains(server->password()) || message.contains(QStringLiteral("sbagliata")));
    }
}

TEST_P(ServerFailures, ABrokenSuiteStopsTheExportWithoutAFlowAndSaysWhy)
{
    const struct {
        const char* breaking;
        QString said;
    } rows[] = {
        {"drop table [tabella riscontro]", QStringLiteral("relation \"tabella riscontro\" does not exist")},
        {"alter table [tabella pagamenti] drop column capitale",
         QStringLiteral("manca il campo capitale nella tabella [Tabella Pagamenti]")},
        // numeric(19,4) holds more than the currency: its decimal text is read up to the currency's very last unit.
        {"update [tabella pagamenti] set totale=922337203685477.5808 where id=1",
         QStringLiteral("pagamento ID 1, il campo totale è fuori dall'intervallo di un importo: 922337203685477")},
    };
    suite.loadSmallSuite();
    writeBytes(lastIdPath(), LastId);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.breaking);
        dialogs.clear();
        useNewDatabase();
        mirror();
        execute(QString::fromLatin1(row.breaking));
        expectAStoppedExport(exportFlow(connectionString(), AllCases), row.said);
    }
}

TEST_P(ServerFailures, AServerThatGoesAwayDuringTheExportLeavesNoFlowAndTheProgressiveUnchanged)
{
    // A server of this test's own, so that stopping it leaves the run's server to the other tests.
    PostgresServer ownServer;
    ASSERT_OK(ownServer.start());
    ASSERT_OK(ownServer.createDatabase(QStringLiteral("kv")));
    server = &ownServer;
    database = QStringLiteral("kv");
    loadDemoSuite(400, 3);
    writeBytes(lastIdPath(), LastId);
    const Result<QString> written = exportFlow(connectionString(), AllCases, [&](qsizetype done, qsizetype) {
        if (done == 5) {
            EXPECT_OK(ownServer.stop(true));
        }
    });
    EXPECT_FALSE(ownServer.running());
    // The driver's words differ with the moment the server went; each says the connection is gone.
    expectAStoppedExport(written, QStringLiteral("connection"));
    EXPECT_FALSE(written.errorText().contains(QStringLiteral("()"))) << written.errorText().toStdString();
    EXPECT_TRUE(written.errorText().contains(QStringLiteral("[Tabella Pagamenti]")) ||
                written.errorText().contains(QStringLiteral("[Tabella Riscontro]")))
        << written.errorText().toStdString();
}

ON_SERVERS(ServerFailures);
