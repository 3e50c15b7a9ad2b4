// The whole export from a server gives the bytes that the export from SQLite gives for the same data.
#include "server/ServerSuite.h"

#include <QFile>

using SmallSuiteExport = ServerSuite;
using DemoExport = ServerSuite;

TEST_P(SmallSuiteExport, GivesTheGoldenFlowByteForByte)
{
    suite.loadSmallSuite();
    mirror();
    writeBytes(lastIdPath(), "[Norvanta]\r\nLastID=00042\r\n");

    const Result<QString> written =
        exportFlow(connectionString(), QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0"));
    ASSERT_OK(written);
    EXPECT_EQ(desktopFiles(), QStringList{QStringLiteral("0008_06_00043_2011-06-14.XML")});
    expectSameBytes(fileBytes(*written), fileBytes(testData(QStringLiteral("flow/small_suite/expected.XML"))),
                    QStringLiteral("the small suite's flow"));
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
}

TEST_P(DemoExport, GivesTheFlowOfSqliteInEveryOrderOfTheCases)
{
    loadDemoSuite(700, 7);
    // The server's windows of payments and bank rows give each case's rows in the order of its table, as SQLite
    // does: later bank rows of a payment never count, and a payment added after the load comes after the older ones
    // of its case, whatever its number (on SQLite, where the number is the order, it takes the last one).
    const QString connections[] = {demo::demoConnectionString(), connectionString()};
    for (int at = 0; at < 2; ++at) {
        db::Connection database;
        ASSERT_OK(database.open(connections[at]));
        ASSERT_OK(db::execute(database, QStringLiteral("insert into [tabella riscontro] (id_incasso, abi, ass) select "
                                                       "id_incasso, abi, 'SECONDA' from [tabella riscontro] where "
                                                       "id_incasso % 3 = 0")));
        ASSERT_OK(db::execute(database, QStringLiteral("insert into [tabella pagamenti] (id, conta, modo, totale, "
                                                       "capitale, data, dataricevuta) select %1, conta, 'CO', 1.2345, "
                                                       "1, '2011-05-02', '2011-05-03' from [tabella pagamenti] where "
                                                       "id=1")
                                            .arg(at ? -7 : 999999)));
    }
    const QStringList filters = {
        QStringLiteral("where contatore>0"),
        QStringLiteral("order by contatore desc"),
        // A sparse list, and one in no order of the case numbers: the windows must not show.
        QStringLiteral("where contatore % 9 = 0 or contatore between 1300 and 1340"),
        QStringLiteral("order by [ragione sociale], contatore"),
    };
    for (const QString& filter : filters) {
        SCOPED_TRACE(filter.toStdString());
        QByteArray flows[2];
        for (int at = 0; at < 2; ++at) {
            QFile::remove(lastIdPath());
            const Result<QString> written =
                exportFlow(connections[at], QStringLiteral("Select  * From [Tabella Pratiche] ") + filter);
            ASSERT_OK(written);
            flows[at] = fileBytes(*written);
            ASSERT_TRUE(QFile::remove(*written));
        }
        EXPECT_GT(flows[0].size(), 2000);
        EXPECT_FALSE(flows[0].contains("SECONDA"));
        expectSameBytes(flows[1], flows[0], filter);
    }
}

ON_ALL_BACKENDS(SmallSuiteExport);
ON_SERVERS(DemoExport);
