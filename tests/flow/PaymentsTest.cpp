#include "support/FlowFixture.h"

#include <limits>

using PaymentsTest = FlowFixture;

TEST_F(PaymentsTest, ModesTheSmallSuiteLacksGetTheirElements)
{
    // The small suite's flow has the other modes; here a second code of postal orders, codes that are no mode,
    // and the case of the letters.
    oneCase({{{"modo", "VT"}}, {{"modo", ""}}, {{"modo", "VE1"}}, {{"modo", "Co"}}, {{"modo", QVariant()}}});
    EXPECT_EQ(
        valoriElements(writeFlow().bytes),
        QStringLiteral("Valori Vaglia RicevutaAlCliente Contanti RicevutaAlCliente Verifica RicevutaAlCliente Contante "
                       "RicevutaAlCliente Contanti RicevutaAlCliente")
            .split(QLatin1Char(' ')));
}

TEST_F(PaymentsTest, ReceiptChargesRoundAndADateWithItsTimeIsKeptAsTheOperatorsWriteIt)
{
    // The ends of the currency's range come as a text with a decimal comma that SQLite keeps as it is.
    oneCase({{{"dataricevuta", QDate(2011, 6, 11)}, {"ricevuta", "456"}, {"spese", 2.5}, {"speserecupero", 10.125}},
             {{"data", "2011-06-10 14:05:09"}},
             {{"totale", "922337203685477,5807"}, {"capitale", "-922337203685477,5808"}}});
    const QByteArray flow = writeFlow().bytes;
    EXPECT_EQ(attributes(flow, QStringLiteral("Spese")), (QStringList{"12.63", "0.00", "0.00"}));
    EXPECT_EQ(attributes(flow, QStringLiteral("DataRicevuta")),
              (QStringList{"2011-06-11", "10/06/2011 14:05:09", "10/06/2011"}));
    EXPECT_EQ(attributes(flow, QStringLiteral("Importo")), (QStringList{"150.00", "150.00", "922337203685477.58"}));
    EXPECT_EQ(attributes(flow, QStringLiteral("AFronteDelDebito")),
              (QStringList{"120.00", "120.00", "-922337203685477.58"}));
}

TEST_F(PaymentsTest, AValueItsColumnCannotHoldStopsNamingCaseAndField)
{
    // An amount or a date the column's type cannot hold is a read failure, as a non-numeric amount is: passed on, it
    // would reach the creditor as another value. Rows: the payments (IDs from 1), payment 1's bank row, the case's
    // fields and the failure, after "Pratica P1 (ROSSI MARIO, contatore 1): " when it names no other case.
    const QVariant null;
    const QDate june(2011, 6, 10), july(2011, 7, 10);
    const auto beyond = [](const char* field, const char* value) {
        return QStringLiteral("pagamento ID 1, il campo %1 è fuori dall'intervallo di un importo: %2.")
            .arg(field, value);
    };
    struct Row {
        QList<QVariantMap> payments;
        QVariantMap bank;
        QString failure;
        QVariantMap fields = {};
    };
    const Row rows[] = {
        {{{{"totale", null}}}, {}, "pagamento ID 1, il campo totale è vuoto (Null) dove serve un importo."},
        {{{{"ricevuta", "12a"}}}, {}, "pagamento ID 1, il campo ricevuta non è un importo: 12a."},
        {{{{"data", null}}},
         {},
         "pagamento ID 1, i campi dataricevuta e data sono vuoti (Null): manca la data della "
         "ricevuta."},
        // Control characters from the data are shown, not sent to the message box or the terminal.
        {{{{"spese", "molte\r\n"}}}, {}, "pagamento ID 1, il campo spese non è un importo: molte\\r\\n."},
        {{{{"spese", "molte"}}},
         {},
         "Pratica P1 (ROSSI\\tMARIO\\x1B[2J, contatore 1): pagamento ID 1, il campo spese non è un importo: molte.",
         {{"ragione sociale", "ROSSI\tMARIO\x1B[2J"}}},
        {{{{"totale", 922337203685478LL}}}, {}, beyond("totale", "922337203685478")},
        {{{{"capitale", -922337203685478LL}}}, {}, beyond("capitale", "-922337203685478")},
        {{{{"spese", 1e300}}}, {}, beyond("spese", "1e+300")},
        {{{{"speserecupero", 922337203685478LL}}}, {}, beyond("speserecupero", "922337203685478")},
        {{{{"ricevuta", std::numeric_limits<qint64>::max()}}}, {}, beyond("ricevuta", "9223372036854775807")},
        // Just beyond the range, as a text the conversion reads digit by digit.
        {{{{"totale", "922337203685477,5808"}}}, {}, beyond("totale", "922337203685477,5808")},
        {{{{"spese", 500000000000000LL}, {"speserecupero", 500000000000000LL}}},
         {},
         "pagamento ID 1, la somma dei campi speserecupero (500000000000000) e spese (500000000000000) è fuori "
         "dall'intervallo di un importo."},
        {{bill(june, {{"totale", 500000000000000LL}}), bill(july, {{"totale", 500000000000000LL}})},
         {},
         "pagamento ID 2, la somma dei campi totale delle cambiali è fuori dall'intervallo di un importo."},
        {{bill(june, {{"capitale", -500000000000000LL}}), bill(july, {{"capitale", -500000000000000LL}})},
         {},
         "pagamento ID 2, la somma dei campi capitale delle cambiali è fuori dall'intervallo di un importo."},
        {{bill(june), bill(july, {{"totale", null}})},
         {},
         "pagamento ID 2, il campo totale è vuoto (Null) dove serve un "
         "importo."},
        // SQLite keeps "40000.5" and "-1" as numbers, the rest as text.
        {{{{"data", "2011-02-29"}}}, {}, "pagamento ID 1, il campo data non è una data: 2011-02-29."},
        {{{{"data", "14:05"}}}, {}, "pagamento ID 1, il campo data non è una data: 14:05."},
        {{{{"data", "40000.5"}}}, {}, "pagamento ID 1, il campo data non è una data: 40000,5."},
        {{{{"data", "-1"}}}, {}, "pagamento ID 1, il campo data non è una data: -1."},
        {{{{"data", "2011-06-10 pagato"}}}, {}, "pagamento ID 1, il campo data non è una data: 2011-06-10 pagato."},
        {{{{"data", QString()}}}, {}, "pagamento ID 1, il campo data non contiene una data valida."},
        {{{{"dataricevuta", "da definire\n"}}},
         {},
         "pagamento ID 1, il campo dataricevuta non è una data: da definire\\n."},
        {{bill(june, {{"datascarico", "subito"}})}, {}, "pagamento ID 1, il campo datascarico non è una data: subito."},
        {{bill(june), bill(july, {{"data", "2011-13-45"}})},
         {},
         "pagamento ID 2, il campo data non è una data: 2011-13-45."},
        {{bill(june, {{"data", null}}), bill(july)},
         {},
         "pagamento ID 1, il campo data della prima cambiale è vuoto (Null)."},
        {{bill(june), bill(july, {{"data", null}})},
         {},
         "pagamento ID 2, il campo data della seconda cambiale è vuoto (Null) e serve per la frequenza delle rate."},
        {{{{"modo", "AB"}}},
         {{"data", "31/02/2011"}},
         "pagamento ID 1, il campo data di [Tabella Riscontro] non è una data: 31/02/2011."},
        // A Null date stays Null, and a date written the operators' way is a date.
        {{{{"modo", "AB"}, {"data", "10/06/2011"}}}, {{"data", null}}, "<no failure>"},
        // The case's own fields are named with the case.
        {{{{"modo", "VE"}}},
         {},
         "Pratica P1 (, contatore 1): il campo ragione sociale è vuoto (Null) e serve come emittente della ricevuta di "
         "pagamento.",
         {{"ragione sociale", null}}},
        {{bill(june)},
         {{"firmatario", null}},
         "Pratica P1 (, contatore 1): il campo ragione sociale è vuoto (Null) e serve come firmatario delle cambiali.",
         {{"ragione sociale", null}}},
    };
    for (const Row& row : rows) {
        oneCase(row.payments, row.fields, row.bank);
        const bool named = row.failure.startsWith(QLatin1String("Pratica")) || row.failure.startsWith('<');
        EXPECT_EQ(failure(),
                  (named ? QString() : QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): ")) + row.failure);
    }
}
