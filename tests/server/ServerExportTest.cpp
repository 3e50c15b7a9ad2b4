// The whole export from a server gives the bytes that the export from SQLite gives for the same data.
#include "server/ServerSuite.h"

#include "support/CellText.h"

#include "demo/DemoSuite.h"
#include "flow/PaymentSource.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Currency.h"
#include "foundation/db/Recordset.h"

#include <QFile>

#include <random>

namespace {

const QString AllCases = QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0");

using SmallSuiteExport = ServerSuite;
using DemoExport = ServerSuite;
using PaymentWindows = ServerSuite;

} // namespace

TEST_P(SmallSuiteExport, GivesTheGoldenFlowByteForByte)
{
    loadSmallSuite();
    writeBytes(lastIdPath(), "[Norvanta]\r\nLastID=00042\r\n");

    const Result<QString> written = exportFlow(connectionString(), AllCases);
    ASSERT_TRUE(written) << written.errorText().toStdString();
    EXPECT_EQ(desktopFiles(), QStringList{QStringLiteral("0008_06_00043_2011-06-14.XML")});
    expectSameBytes(fileBytes(*written), fileBytes(testData(QStringLiteral("flow/small_suite/expected.XML"))),
                    QStringLiteral("the small suite's flow"));
    EXPECT_EQ(fileBytes(lastIdPath()), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
}

TEST_P(DemoExport, GivesTheFlowOfSqliteInEveryOrderOfTheCases)
{
    loadDemoSuite(700, 7);
    const QStringList filters = {
        QStringLiteral("where contatore>0"),
        QStringLiteral("order by contatore desc"),
        // A sparse list, and one in no order of the case numbers: the windows must not show.
        QStringLiteral("where contatore % 9 = 0 or contatore between 1300 and 1340"),
        QStringLiteral("order by [ragione sociale], contatore"),
    };
    for (const QString& filter : filters) {
        const QString sql = QStringLiteral("Select  * From [Tabella Pratiche] ") + filter;
        QFile::remove(lastIdPath());
        const Result<QString> fromSqlite = exportFlow(demo::demoConnectionString(), sql);
        ASSERT_TRUE(fromSqlite) << filter.toStdString() << ": " << fromSqlite.errorText().toStdString();
        const QByteArray expected = fileBytes(*fromSqlite);
        ASSERT_TRUE(QFile::remove(*fromSqlite));
        QFile::remove(lastIdPath());
        const Result<QString> fromServer = exportFlow(connectionString(), sql);
        ASSERT_TRUE(fromServer) << filter.toStdString() << ": " << fromServer.errorText().toStdString();
        EXPECT_GT(expected.size(), 2000);
        expectSameBytes(fileBytes(*fromServer), expected, filter);
        ASSERT_TRUE(QFile::remove(*fromServer));
    }
}

TEST_P(PaymentWindows, AnswerAsTheQuestionOfOneCaseWhateverTheOrderOfTheQuestions)
{
    loadDemoSuite(600, 11);
    // Later rows of a payment never count, and a payment added after the load comes after the older ones of its
    // case, whatever its number.
    onTheServer({QStringLiteral("insert into \"tabella riscontro\" (id_incasso, abi, ass) select id_incasso, abi, "
                                "'SECONDA' from \"tabella riscontro\" where id_incasso % 3 = 0"),
                 QStringLiteral("insert into \"tabella pagamenti\" (id, conta, modo, totale, capitale) values "
                                "(-7, 1100, 'CO', 1.2345, 1)")});
    db::Connection connection;
    ASSERT_OK(connection.open(connectionString()));

    // Up the list, down it, back into a window already left, past the last case, and at random.
    QList<qint32> asked;
    for (qint32 k = 1001; k <= 1150; ++k)
        asked.append(k);
    for (qint32 k = 1500; k >= 1450; --k)
        asked.append(k);
    asked.append({1100, 1101, 999999, -5, 1600, 1100});
    std::mt19937 draw(5);
    for (int i = 0; i < 150; ++i)
        asked.append(qint32(1001 + draw() % 620));

    PaymentSource source(connection);
    int payments = 0;
    int banks = 0;
    for (const qint32 k : asked) {
        std::vector<PaymentSource::Payment> rows;
        ASSERT_OK(source.paymentsOf(k, rows));
        db::Recordset expected;
        ASSERT_TRUE(
            expected.open(QStringLiteral("Select * From [Tabella Pagamenti] where conta=%1").arg(k), connection));
        ASSERT_EQ(qsizetype(rows.size()), expected.recordCount()) << "case " << k;
        for (const PaymentSource::Payment& payment : rows) {
            std::array<QVariant, PaymentSource::FieldCount> wanted;
            for (int field = 0; field < PaymentSource::FieldCount; ++field)
                wanted[size_t(field)] = *expected.field(PaymentSource::fieldName(PaymentSource::Field(field)));
            EXPECT_EQ(cellText(payment.data(), PaymentSource::FieldCount),
                      cellText(wanted.data(), PaymentSource::FieldCount))
                << "case " << k;
            EXPECT_TRUE(expected.moveNext());
            ++payments;

            std::optional<PaymentSource::BankRow> bank;
            ASSERT_TRUE(source.bankRowOf(payment[PaymentSource::Id], bank));
            db::Recordset bankRows;
            ASSERT_TRUE(bankRows.open(QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=%1")
                                          .arg(payment[PaymentSource::Id].toLongLong()),
                                      connection));
            ASSERT_EQ(bank.has_value(), bankRows.recordCount() > 0) << "payment " << payment[0].toLongLong();
            if (!bank)
                continue;
            std::array<QVariant, PaymentSource::BankFieldCount> first;
            for (int field = 0; field < PaymentSource::BankFieldCount; ++field)
                first[size_t(field)] = *bankRows.field(PaymentSource::fieldName(PaymentSource::BankField(field)));
            EXPECT_EQ(cellText(bank->data(), PaymentSource::BankFieldCount),
                      cellText(first.data(), PaymentSource::BankFieldCount));
            ++banks;
        }
    }
    EXPECT_GT(payments, 500);
    EXPECT_GT(banks, 100);
    // A payment of a case far from the window is still found by itself.
    std::optional<PaymentSource::BankRow> bank;
    ASSERT_TRUE(source.bankRowOf(QVariant(qlonglong(3)), bank));
    db::Recordset bankRows;
    ASSERT_TRUE(bankRows.open(QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=3"), connection));
    EXPECT_EQ(bank.has_value(), bankRows.recordCount() > 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, SmallSuiteExport,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres, Backend::Odbc), backendName);
INSTANTIATE_TEST_SUITE_P(Servers, DemoExport, ::testing::Values(Backend::Postgres, Backend::Odbc), backendName);
INSTANTIATE_TEST_SUITE_P(Servers, PaymentWindows, ::testing::Values(Backend::Postgres, Backend::Odbc), backendName);
