#include "support/FlowFixture.h"

#include <limits>

using PaymentsTest = FlowFixture;
using BillGroupTest = FlowFixture;

TEST_F(PaymentsTest, ModesTheSmallSuiteLacksGetTheirElements)
{
    // The small suite's flow has the other modes; here a second code of postal orders, codes that are no mode,
    // and the case of the letters.
    oneCase({{{"modo", "VT"}}, {{"modo", ""}}, {{"modo", "VE1"}}, {{"modo", "Co"}}, {{"modo", QVariant()}}});
    EXPECT_EQ(valoriElements(writeFlow().bytes).join(' '),
              QStringLiteral("Valori Vaglia RicevutaAlCliente Contanti RicevutaAlCliente Verifica RicevutaAlCliente "
                             "Contante RicevutaAlCliente Contanti RicevutaAlCliente"));
}

TEST_F(PaymentsTest, ReceiptChargesRoundAndADateWithItsTimeIsKeptAsTheOperatorsWriteIt)
{
    // The ends of the currency's range come as a text with a decimal comma that SQLite keeps as it is.
    oneCase({{{"dataricevuta", QDate(2011, 6, 11)}, {"ricevuta", "456"}, {"spese", 2.5}, {"speserecupero", 10.125}},
             {{"data", "2011-06-10 14:05:09"}},
             {{"totale", "922337203685477,5807"}, {"capitale", "-922337203685477,5808"}}});
    const QByteArray flow = writeFlow().bytes;
    QStringList values;
    for (const char* name : {"Spese", "DataRicevuta", "Importo", "AFronteDelDebito"})
        values += attributes(flow, QString::fromLatin1(name));
    EXPECT_EQ(values, (QStringList{"12.63", "0.00", "0.00", "2011-06-11", "10/06/2011 14:05:09", "10/06/2011", "150.00",
                                   "150.00", "922337203685477.58", "120.00", "120.00", "-922337203685477.58"}));
}

TEST_F(PaymentsTest, AValueItsColumnCannotHoldStopsNamingCaseAndField)
{
    // An amount or a date the column's type cannot hold is a read failure, as a non-numeric amount is: passed on, it
    // would reach the creditor as another value. Rows: the failure after "Pratica P1 (ROSSI MARIO, contatore 1):
    // pagamento ID " unless it names the case itself, the payments (IDs from 1), payment 1's bank row, the case.
    const QVariant null;
    const QDate june(2011, 6, 10), july(2011, 7, 10);
    const qint64 half = 500000000000000LL, beyond = 922337203685478LL;
    struct Row {
        QString failure;
        QList<QVariantMap> payments;
        QVariantMap bank = {};
        QVariantMap fields = {};
    };
    const Row rows[] = {
        {"1, il campo totale è vuoto (Null) dove serve un importo.", {{{"totale", null}}}},
        {"1, il campo ricevuta non è un importo: 12a.", {{{"ricevuta", "12a"}}}},
        {"1, i campi dataricevuta e data sono vuoti (Null): manca la data della ricevuta.", {{{"data", null}}}},
        // Control characters from the data are shown, not sent to the message box or the terminal.
        {"1, il campo spese non è un importo: molte\\r\\n.", {{{"spese", "molte\r\n"}}}},
        {"Pratica P1 (ROSSI\\tMARIO\\x1B[2J, contatore 1): pagamento ID 1, il campo spese non è un importo: molte.",
         {{{"spese", "molte"}}},
         {},
         {{"ragione sociale", "ROSSI\tMARIO\x1B[2J"}}},
        {"1, il campo totale è fuori dall'intervallo di un importo: 922337203685478.", {{{"totale", beyond}}}},
        {"1, il campo capitale è fuori dall'intervallo di un importo: -922337203685478.", {{{"capitale", -beyond}}}},
        {"1, il campo spese è fuori dall'intervallo di un importo: 1e+300.", {{{"spese", 1e300}}}},
        {"1, il campo speserecupero è fuori dall'intervallo di un importo: 922337203685478.",
         {{{"speserecupero", beyond}}}},
        {"1, il campo ricevuta è fuori dall'intervallo di un importo: 9223372036854775807.",
         {{{"ricevuta", std::numeric_limits<qint64>::max()}}}},
        // Just beyond the range, as a text the conversion reads digit by digit.
        {"1, il campo totale è fuori dall'intervallo di un importo: 922337203685477,5808.",
         {{{"totale", "922337203685477,5808"}}}},
        {"1, la somma dei campi speserecupero (500000000000000) e spese (500000000000000) è fuori dall'intervallo di "
         "un importo.",
         {{{"spese", half}, {"speserecupero", half}}}},
        {"2, la somma dei campi totale delle cambiali è fuori dall'intervallo di un importo.",
         {bill(june, {{"totale", half}}), bill(july, {{"totale", half}})}},
        {"2, la somma dei campi capitale delle cambiali è fuori dall'intervallo di un importo.",
         {bill(june, {{"capitale", -half}}), bill(july, {{"capitale", -half}})}},
        {"2, il campo totale è vuoto (Null) dove serve un importo.", {bill(june), bill(july, {{"totale", null}})}},
        // SQLite keeps "40000.5" and "-1" as numbers, the rest as text.
        {"1, il campo data non è una data: 2011-02-29.", {{{"data", "2011-02-29"}}}},
        {"1, il campo data non è una data: 14:05.", {{{"data", "14:05"}}}},
        {"1, il campo data non è una data: 40000,5.", {{{"data", "40000.5"}}}},
        {"1, il campo data non è una data: -1.", {{{"data", "-1"}}}},
        {"1, il campo data non è una data: 2011-06-10 pagato.", {{{"data", "2011-06-10 pagato"}}}},
        {"1, il campo data non contiene una data valida.", {{{"data", QString()}}}},
        {"1, il campo dataricevuta non è una data: da definire\\n.", {{{"dataricevuta", "da definire\n"}}}},
        {"1, il campo datascarico non è una data: subito.", {bill(june, {{"datascarico", "subito"}})}},
        {"2, il campo data non è una data: 2011-13-45.", {bill(june), bill(july, {{"data", "2011-13-45"}})}},
        {"1, il campo data della prima cambiale è vuoto (Null).", {bill(june, {{"data", null}}), bill(july)}},
        {"2, il campo data della seconda cambiale è vuoto (Null) e serve per la frequenza delle rate.",
         {bill(june), bill(july, {{"data", null}})}},
        {"1, il campo data di [Tabella Riscontro] non è una data: 31/02/2011.",
         {{{"modo", "AB"}}},
         {{"data", "31/02/2011"}}},
        // A Null date stays Null, and a date written the operators' way is a date.
        {"<no failure>", {{{"modo", "AB"}, {"data", "10/06/2011"}}}, {{"data", null}}},
        // The case's own fields are named with the case.
        {"Pratica P1 (, contatore 1): il campo ragione sociale è vuoto (Null) e serve come emittente della ricevuta "
         "di pagamento.",
         {{{"modo", "VE"}}},
         {},
         {{"ragione sociale", null}}},
        {"Pratica P1 (, contatore 1): il campo ragione sociale è vuoto (Null) e serve come firmatario delle cambiali.",
         {bill(june)},
         {{"firmatario", null}},
         {{"ragione sociale", null}}},
    };
    for (const Row& row : rows) {
        oneCase(row.payments, row.fields, row.bank);
        const bool named = row.failure.startsWith(QLatin1String("Pratica")) || row.failure.startsWith('<');
        EXPECT_EQ(failure(), (named ? "" : "Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID ") + row.failure);
    }
}

TEST_F(BillGroupTest, OnlyAnExactCaFollowsInTheGroup)
{
    // The first bill stands alone, the "ca" starts a group with the "CA" after it, and the cash payment follows.
    oneCase({bill(QDate(2011, 6, 10)),
             bill(QDate(2011, 7, 10), {{"modo", "ca"}, {"totale", 50}, {"datascarico", QDate(2011, 7, 8)}}),
             bill(QDate(2011, 8, 10)),
             {}});
    const QByteArray flow = writeFlow().bytes;
    EXPECT_EQ(
        valoriElements(flow),
        QStringLiteral("Valori Cambializzazione RicevutaAlCliente GruppoCambiali BancaCambializzazione Firmatario "
                       "Cambializzazione RicevutaAlCliente GruppoCambiali Firmatario Contante RicevutaAlCliente")
            .split(QLatin1Char(' ')));
    EXPECT_EQ(attributes(flow, QStringLiteral("ImportoCambializzazione")) +
                  attributes(flow, QStringLiteral("DataCambializzazione")) +
                  attributes(flow, QStringLiteral("NumeroCambiali")) + attributes(flow, QStringLiteral("DataIniziale")),
              (QStringList{"100.00", "150.00", "2011-06-10", "2011-07-08", "1", "2", "2011-06-10", "2011-07-10"}));
}

TEST_F(BillGroupTest, TheGapBetweenTheFirstTwoBillsGivesTheFrequency)
{
    const int gaps[] = {54, 55, 56, 70, 71, -3};
    const QDate first(2011, 6, 10);
    for (int i = 0; i < 6; ++i) {
        addCase(i + 1);
        addPayment(10 * i + 1, i + 1, bill(first));
        addPayment(10 * i + 2, i + 1, bill(first.addDays(gaps[i])));
        // Only the first gap counts.
        addPayment(10 * i + 3, i + 1, bill(first.addDays(400)));
    }
    EXPECT_EQ(attributes(writeFlow().bytes, QStringLiteral("Frequenza")), (QStringList{"1", "3", "2", "2", "3", "1"}));
}

TEST_F(BillGroupTest, SignerTownAndAddressAreTrimmedTheCapIsNot)
{
    addCase(1, {{"citta", "  Roma "}, {"provincia", QVariant()}, {"cap", " 00184 "}, {"indirizzo", "\tVia Roma "}});
    addPayment(1, 1, bill(QDate(2011, 6, 10)));
    addBankRow(1, {{"firmatario", "  VERDI ANNA  "}});
    addCase(2, {{"ragione sociale", "SOCIETA' & FIGLI"}});
    addPayment(2, 2, bill(QDate(2011, 6, 10), {{"capitale", QVariant()}}));
    addBankRow(2, {{"firmatario", QVariant()}, {"ass", QVariant()}});
    const QByteArray flow = writeFlow().bytes;
    EXPECT_EQ(lines(flow, QStringLiteral("<Firmatario ")).value(0),
              QStringLiteral("<Firmatario  Comune=\"Roma\" Provincia=\"\" Cap=\" 00184 \" NomeCognome=\"VERDI ANNA\" "
                             "Indirizzo=\"&#9;Via Roma\" />"));
    // The company signs when the bank row names no signer; a missing cheque number is the bill's number.
    EXPECT_EQ(attributes(flow, QStringLiteral("NomeCognome")) + attributes(flow, QStringLiteral("AFronteDelDebito")) +
                  attributes(flow, QStringLiteral("Assegno")),
              (QStringList{"VERDI ANNA", "SOCIETA' &amp; FIGLI", "90.00", "0.00", "0001234567", "00001"}));
}
