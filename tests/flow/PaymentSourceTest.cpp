#include "flow/FlowFixture.h"

#include "support/CellText.h"

namespace {

using PaymentSourceTest = FlowFixture;

QStringList described(const std::vector<PaymentSource::Payment>& payments)
{
    QStringList rows;
    for (const PaymentSource::Payment& payment : payments)
        rows.append(cellText(payment.data(), PaymentSource::FieldCount));
    return rows;
}

} // namespace

TEST_F(PaymentSourceTest, EitherRouteGivesTheRowsOfTheSuitesQuestionsInTheirOrder)
{
    addCase(1);
    addCase(2);
    for (int id : {8, 2, 6, 4})
        addPayment(id, 1, {{QStringLiteral("totale"), id * 1.25}, {QStringLiteral("ricevuta"), QStringLiteral("7")}});
    addPayment(
        5, 2, {{QStringLiteral("data"), QStringLiteral("2011-06-10 14:05:09")}, {QStringLiteral("spese"), QVariant()}});
    addBankRow(6, {{QStringLiteral("ass"), QStringLiteral("PRIMA")}});
    addBankRow(6, {{QStringLiteral("ass"), QStringLiteral("SECONDA")}});
    openCases();

    for (const PaymentSource::Route route : {PaymentSource::Route::Fastest, PaymentSource::Route::ThroughQt}) {
        PaymentSource source(connection, route);
        for (int conta : {1, 2, 3}) {
            // What the suite's own question gives, read through the recordset.
            db::Recordset recordset;
            ASSERT_TRUE(recordset.open(QStringLiteral("Select * From [Tabella Pagamenti] where conta=%1").arg(conta),
                                       connection));
            std::vector<PaymentSource::Payment> expected;
            for (; !recordset.eof(); recordset.moveNext()) {
                PaymentSource::Payment& row = expected.emplace_back();
                for (int field = 0; field < PaymentSource::FieldCount; ++field)
                    row[size_t(field)] = *recordset.field(PaymentSource::fieldName(PaymentSource::Field(field)));
            }
            std::vector<PaymentSource::Payment> payments;
            ASSERT_TRUE(source.paymentsOf(conta, payments));
            EXPECT_EQ(described(payments), described(expected)) << "case " << conta;
        }
        std::optional<PaymentSource::BankRow> bank;
        ASSERT_TRUE(source.bankRowOf(QVariant(qlonglong(6)), bank));
        ASSERT_TRUE(bank.has_value());
        EXPECT_EQ((*bank)[PaymentSource::Ass].toString(), QStringLiteral("PRIMA"));
        EXPECT_EQ((*bank)[PaymentSource::DataAssegno].toDate(), QDate(2011, 6, 12));
        ASSERT_TRUE(source.bankRowOf(QVariant(qlonglong(8)), bank));
        EXPECT_FALSE(bank.has_value());
    }
}

TEST_F(PaymentSourceTest, AMissingFieldIsNamedOnEitherRoute)
{
    addCase(1);
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pagamenti] DROP COLUMN speserecupero")});
    openCases();
    for (const PaymentSource::Route route : {PaymentSource::Route::Fastest, PaymentSource::Route::ThroughQt}) {
        PaymentSource source(connection, route);
        std::vector<PaymentSource::Payment> payments;
        EXPECT_EQ(source.paymentsOf(1, payments).errorText(),
                  QStringLiteral("manca il campo speserecupero nella tabella [Tabella Pagamenti]"));
    }
}
