#include "support/FlowFixture.h"

#include "flow/PaymentSource.h"

#include "support/CellText.h"

#include <numeric>

namespace {

using PaymentSourceTest = FlowFixture;

/// The first rows of one of the suite's questions asked through the recordset, with the fields the flow reads.
template <typename Field>
QStringList suiteAnswer(db::Connection& connection, const QString& sql, int fieldCount, int rows)
{
    db::Recordset recordset;
    EXPECT_TRUE(recordset.open(sql, connection));
    QStringList answer;
    for (; !recordset.eof() && answer.size() < rows; static_cast<void>(recordset.moveNext())) {
        QVariantList cells;
        for (int field = 0; field < fieldCount; ++field)
            cells.append(recordset.field(PaymentSource::fieldName(Field(field))).value_or(QVariant()));
        answer.append(cellText(cells.constData(), cells.size()));
    }
    return answer;
}

} // namespace

TEST_F(PaymentSourceTest, TheWindowsGiveTheRowsOfTheSuitesQuestionsInTheirOrderWhateverOrderTheCasesComeIn)
{
    // 150 cases, a third without payments, IDs falling as the cases rise; payments with two bank rows, one or none.
    suite.database().exec({QStringLiteral("BEGIN")});
    for (int k = 1; k <= 150; ++k) {
        addCase(k);
        for (int n = 0, id = 5000 - 10 * k; n < k % 3; ++n, id -= 5) {
            addPayment(id, k, {{"totale", id * 1.25}, {"ricevuta", n}});
            for (int b = 0; b < id % 3; ++b)
                addBankRow(id, {{"ass", QStringLiteral("A%1-%2").arg(id).arg(b)}});
        }
    }
    suite.database().exec({QStringLiteral("COMMIT")});
    openCases();
    QList<int> ascending(151);
    std::iota(ascending.begin(), ascending.end(), 1);
    const QList<int> descending(ascending.rbegin(), ascending.rend());
    PaymentSource source(connection);
    for (const QList<int>& order : {ascending, descending, QList<int>{5, 140, 6, 70, 71, 1, 150, 149, 0, 75}}) {
        for (const int k : order) {
            std::vector<PaymentSource::Payment> payments;
            ASSERT_TRUE(source.paymentsOf(k, payments));
            QStringList answer;
            for (const PaymentSource::Payment& payment : payments) {
                answer.append(cellText(payment.data(), PaymentSource::FieldCount));
                std::optional<PaymentSource::BankRow> bank;
                ASSERT_TRUE(source.bankRowOf(payment[PaymentSource::Id], bank));
                const QString bankSql = QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=%1")
                                            .arg(payment[PaymentSource::Id].toLongLong());
                EXPECT_EQ(bank ? QStringList{cellText(bank->data(), PaymentSource::BankFieldCount)} : QStringList(),
                          suiteAnswer<PaymentSource::BankField>(connection, bankSql, PaymentSource::BankFieldCount, 1));
            }
            const QString sql = QStringLiteral("Select * From [Tabella Pagamenti] where conta=%1").arg(k);
            EXPECT_EQ(answer, suiteAnswer<PaymentSource::Field>(connection, sql, PaymentSource::FieldCount, 100))
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
