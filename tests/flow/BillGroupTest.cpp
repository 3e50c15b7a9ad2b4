#include "support/FlowFixture.h"

#include <optional>
#include <tuple>

namespace {

class BillGroupTest : public FlowFixture {
protected:
    /// Adds a bill of exchange of case `conta` due on `due`.
    void addBill(int id, int conta, const QDate& due, const QVariantMap& fields = {})
    {
        QVariantMap bill = {{"modo", "CA"}, {"data", due}, {"totale", 100}, {"capitale", 90}};
        for (auto it = fields.constBegin(); it != fields.constEnd(); ++it)
            bill.insert(it.key(), it.value());
        addPayment(id, conta, bill);
    }
};

QString frequencyOf(const QStringList& lines)
{
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf(QStringLiteral("Frequenza=\""));
        if (at >= 0)
            return line.mid(at + 11, 1);
    }
    return QStringLiteral("<none>");
}

} // namespace

TEST_F(BillGroupTest, OnlyAnExactCaFollowsInTheGroup)
{
    addCase(1);
    addBill(1, 1, QDate(2011, 6, 10));
    addBill(2, 1, QDate(2011, 7, 10), {{"modo", "ca"}, {"totale", 50}, {"datascarico", QDate(2011, 7, 8)}});
    addBill(3, 1, QDate(2011, 8, 10));
    addPayment(4, 1);
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    const QStringList lines = valori(flow.bytes, 0);
    // The first bill stands alone, the "ca" starts a group with the "CA" after it, and the cash payment follows.
    EXPECT_EQ(
        lines.filter(QStringLiteral("<Cambializzazione ")),
        (QStringList{"<Cambializzazione ImportoCambializzazione=\"100.00\" DataCambializzazione=\"2011-06-10\">",
                     "<Cambializzazione ImportoCambializzazione=\"150.00\" DataCambializzazione=\"2011-07-08\">"}));
    EXPECT_EQ(
        lines.filter(QStringLiteral("NumeroCambiali=\"2\" DataIniziale=\"2011-07-10\" ImportoRata=\"50.00\"")).size(),
        1);
    const qsizetype cash =
        lines.indexOf(QStringLiteral("<Contante Importo=\"150.00\" DataAcquisizione=\"2011-06-10\">"));
    EXPECT_EQ(lines.value(cash - 1), QStringLiteral("</Cambializzazione>"));
}

TEST_F(BillGroupTest, TheGapBetweenTheFirstTwoBillsGivesTheFrequency)
{
    const QList<std::pair<int, QString>> gaps = {{54, "1"}, {55, "3"}, {56, "2"}, {70, "2"}, {71, "3"}, {-3, "1"}};
    const QDate first(2011, 6, 10);
    for (int i = 0; i < gaps.size(); ++i) {
        addCase(i + 1);
        addBill(10 * i + 1, i + 1, first);
        addBill(10 * i + 2, i + 1, first.addDays(gaps.at(i).first));
        // Only the first gap counts.
        addBill(10 * i + 3, i + 1, first.addDays(400));
    }
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    for (int i = 0; i < gaps.size(); ++i)
        EXPECT_EQ(frequencyOf(valori(flow.bytes, i)), gaps.at(i).second) << gaps.at(i).first << " days";
}

TEST_F(BillGroupTest, SignerTownAndAddressAreTrimmedTheCapIsNot)
{
    addCase(1, {{"citta", "  Roma "},
                {"provincia", QVariant()},
                {"cap", " 00184 "},
                {"indirizzo", QStringLiteral("\tVia Roma ")}});
    addBill(1, 1, QDate(2011, 6, 10));
    addBankRow(1, {{"firmatario", "  VERDI ANNA  "}});
    addCase(2, {{"ragione sociale", "SOCIETA' & FIGLI"}});
    addBill(2, 2, QDate(2011, 6, 10), {{"capitale", QVariant()}});
    addBankRow(2, {{"firmatario", QVariant()}, {"ass", QVariant()}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    EXPECT_TRUE(valori(flow.bytes, 0)
                    .contains(QStringLiteral(
                        "<Firmatario  Comune=\"Roma\" Provincia=\"\" Cap=\" 00184 \" NomeCognome=\"VERDI ANNA\" "
                        "Indirizzo=\"&#9;Via Roma\" />")));
    const QStringList second = valori(flow.bytes, 1);
    EXPECT_TRUE(second.filter(QStringLiteral("NomeCognome=\"SOCIETA' &amp; FIGLI\"")).size() == 1);
    EXPECT_TRUE(second.filter(QStringLiteral("AFronteDelDebito=\"0.00\"")).size() == 1);
    EXPECT_TRUE(second.filter(QStringLiteral("<BancaCambializzazione  Assegno=\"00001\"")).size() == 1);
}

TEST_F(BillGroupTest, UnreadableBillsSumsBeyondTheCurrencysRangeAndDatesThatAreNoDatesStop)
{
    // Rows: the fields of the first bill, of the second (none: a single bill), and the failure after the case.
    const QVariant null;
    const QList<std::tuple<QVariantMap, std::optional<QVariantMap>, QString>> rows = {
        {{}, {{{"totale", null}}}, "pagamento ID 2, il campo totale è vuoto (Null) dove serve un importo."},
        {{{"data", null}}, QVariantMap(), "pagamento ID 1, il campo data della prima cambiale è vuoto (Null)."},
        {{{"data", "da definire"}}, std::nullopt, "pagamento ID 1, il campo data non è una data: da definire."},
        {{{"datascarico", "subito"}}, std::nullopt, "pagamento ID 1, il campo datascarico non è una data: subito."},
        {{}, {{{"data", "2011-13-45"}}}, "pagamento ID 2, il campo data non è una data: 2011-13-45."},
        {{},
         {{{"data", null}}},
         "pagamento ID 2, il campo data della seconda cambiale è vuoto (Null) e serve per la frequenza delle rate."},
        {{{"totale", 500000000000000LL}},
         {{{"totale", 500000000000000LL}}},
         "pagamento ID 2, la somma dei campi totale delle cambiali è fuori dall'intervallo di un importo."},
        {{{"capitale", -500000000000000LL}},
         {{{"capitale", -500000000000000LL}}},
         "pagamento ID 2, la somma dei campi capitale delle cambiali è fuori dall'intervallo di un importo."},
    };
    for (const auto& [first, second, failure] : rows) {
        clearCases();
        addCase(1);
        addBill(1, 1, QDate(2011, 6, 10), first);
        if (second)
            addBill(2, 1, QDate(2011, 7, 10), *second);
        EXPECT_EQ(writeFlow().status.errorText(), QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): ") + failure);
    }
    // The signer falls back on the company name, which must be there.
    suite.database().exec({QStringLiteral("UPDATE [Tabella Pagamenti] SET data='2011-06-10', capitale=0"),
                           QStringLiteral("UPDATE [Tabella Pratiche] SET [ragione sociale]=NULL")});
    EXPECT_EQ(writeFlow().status.errorText(), QStringLiteral("Pratica P1 (, contatore 1): il campo ragione sociale è "
                                                             "vuoto (Null) e serve come firmatario delle cambiali."));
}
