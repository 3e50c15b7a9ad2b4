#include "support/FlowFixture.h"

#include "flow/PaymentSource.h"

#include "support/CellText.h"

#include <numeric>

namespace {

using PaymentSourceTest = FlowFixture;

/// The cells the flow reads of the current row of one of the suite's questions asked through the recordset.
template <typename Field> QString cellsOf(const db::Recordset& recordset, int fieldCount)
{
    QVariantList cells;
    for (int field = 0; field < fieldCount; ++field)
        cells.append(recordset.field(PaymentSource::fieldName(Field(field))).value_or(QVariant()));
    return cellText(cells.constData(), cells.size());
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
    // The payments of a case and the first bank row of each, as the suite's questions give them one by one.
    const auto asked = [this](int k) {
        QStringList rows;
        db::Recordset payments;
        EXPECT_TRUE(
            payments.open(QStringLiteral("Select * From [Tabella Pagamenti] where conta=%1").arg(k), connection));
        for (; !payments.eof(); static_cast<void>(payments.moveNext())) {
            rows.append(cellsOf<PaymentSource::Field>(payments, PaymentSource::FieldCount));
            db::Recordset bank;
            const qint64 id = payments.field(QStringLiteral("ID")).value_or(QVariant()).toLongLong();
            EXPECT_TRUE(
                bank.open(QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=%1").arg(id), connection));
            if (!bank.eof())
                rows.append(cellsOf<PaymentSource::BankField>(bank, PaymentSource::BankFieldCount));
        }
        return rows;
    };
    QList<int> ascending(151);
    std::iota(ascending.begin(), ascending.end(), 1);
    const QList<int> descending(ascending.rbegin(), ascending.rend());
    PaymentSource source(connection);
    for (const QList<int>& order : {ascending, descending, QList<int>{5, 140, 6, 70, 71, 1, 150, 149, 0, 75}}) {
        QStringList windowed, expected;
        for (const int k : order) {
            std::vector<PaymentSource::Payment> payments;
            ASSERT_TRUE(source.paymentsOf(k, payments));
            for (const PaymentSource::Payment& payment : payments) {
                windowed.append(cellText(payment.data(), PaymentSource::FieldCount));
                std::optional<PaymentSource::BankRow> bank;
                ASSERT_TRUE(source.bankRowOf(payment[PaymentSource::Id], bank));
                if (bank)
                    windowed.append(cellText(bank->data(), PaymentSource::BankFieldCount));
            }
            expected += asked(k);
        }
        EXPECT_EQ(windowed, expected) << "from case " << order.first();
    }
}
