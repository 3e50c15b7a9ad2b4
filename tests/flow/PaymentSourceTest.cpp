#include "flow/FlowFixture.h"

#include "support/CellText.h"

namespace {

using PaymentSourceTest = FlowFixture;

/// The rows of one of the suite's questions, asked through the recordset, with the fields the flow reads.
QStringList suiteAnswer(db::Connection& connection, const QString& sql, const QStringList& fields, int rows)
{
    db::Recordset recordset;
    EXPECT_TRUE(recordset.open(sql, connection));
    QStringList answer;
    for (; !recordset.eof() && answer.size() < rows; recordset.moveNext()) {
        QVariantList cells;
        for (const QString& field : fields)
            cells.append(recordset.field(field).value_or(QVariant()));
        answer.append(cellText(cells.constData(), cells.size()));
    }
    return answer;
}

QStringList fieldNames(int count, QString (*name)(int))
{
    QStringList names;
    for (int field = 0; field < count; ++field)
        names.append(name(field));
    return names;
}

} // namespace

TEST_F(PaymentSourceTest, TheWindowsGiveTheRowsOfTheSuitesQuestionsInTheirOrderWhateverOrderTheCasesComeIn)
{
    // 150 cases, a third without payments; IDs given out of order; some payments with two bank rows, some with none.
    suite.database().exec({QStringLiteral("BEGIN")});
    for (int k = 1; k <= 150; ++k) {
        addCase(k);
        for (int n = 0; n < k % 3; ++n) {
            const int id = 5000 - 10 * k - 5 * n;
            addPayment(id, k, {{QStringLiteral("totale"), id * 1.25}, {QStringLiteral("ricevuta"), n}});
            for (int b = 0; b < id % 3; ++b)
                addBankRow(id, {{QStringLiteral("ass"), QStringLiteral("A%1-%2").arg(id).arg(b)}});
        }
    }
    suite.database().exec({QStringLiteral("COMMIT")});
    openCases();
    const QStringList paymentFields = fieldNames(
        PaymentSource::FieldCount, [](int field) { return PaymentSource::fieldName(PaymentSource::Field(field)); });
    const QStringList bankFields = fieldNames(PaymentSource::BankFieldCount, [](int field) {
        return PaymentSource::fieldName(PaymentSource::BankField(field));
    });

    QList<int> ascending;
    for (int k = 1; k <= 151; ++k)
        ascending.append(k);
    QList<int> descending(ascending.rbegin(), ascending.rend());
    const QList<int> jumping = {5, 140, 6, 70, 71, 1, 150, 149, 0, 75};
    PaymentSource source(connection);
    for (const QList<int>& order : {ascending, descending, jumping}) {
        for (const int k : order) {
            std::vector<PaymentSource::Payment> payments;
            ASSERT_TRUE(source.paymentsOf(k, payments));
            QStringList answer;
            for (const PaymentSource::Payment& payment : payments) {
                answer.append(cellText(payment.data(), PaymentSource::FieldCount));
                std::optional<PaymentSource::BankRow> bank;
                ASSERT_TRUE(source.bankRowOf(payment[PaymentSource::Id], bank));
                const QStringList expected =
                    suiteAnswer(connection,
                                QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=") +
                                    payment[PaymentSource::Id].toString(),
                                bankFields, 1);
                EXPECT_EQ(bank ? QStringList{cellText(bank->data(), PaymentSource::BankFieldCount)} : QStringList(),
                          expected)
                    << "payment " << payment[PaymentSource::Id].toString().toStdString();
            }
            EXPECT_EQ(answer,
                      suiteAnswer(connection, QStringLiteral("Select * From [Tabella Pagamenti] where conta=%1").arg(k),
                                  paymentFields, 1000))
                << "case " << k;
        }
    }
}

TEST_F(PaymentSourceTest, AMissingFieldIsNamed)
{
    addCase(1);
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pagamenti] DROP COLUMN speserecupero")});
    openCases();
    PaymentSource source(connection);
    std::vector<PaymentSource::Payment> payments;
    EXPECT_EQ(source.paymentsOf(1, payments).errorText(),
              QStringLiteral("manca il campo speserecupero nella tabella [Tabella Pagamenti]"));
}
