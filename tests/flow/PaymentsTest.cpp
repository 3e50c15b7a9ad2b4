#include "support/FlowFixture.h"

#include <limits>
#include <tuple>

namespace {

class PaymentsTest : public FlowFixture {
protected:
    /// The failure of the flow of one case with one payment (ID 7) that has a bank row, each with its fields'
    /// overrides; "<no failure>" when the flow is written.
    QString failureOf(const QVariantMap& payment, const QVariantMap& caseFields = {}, const QVariantMap& bank = {})
    {
        clearCases();
        addCase(1, caseFields);
        addPayment(7, 1, payment);
        addBankRow(7, bank);
        const Flow flow = writeFlow();
        EXPECT_FALSE(flow.missingSheet);
        return flow.status.ok() ? QStringLiteral("<no failure>") : flow.status.errorText();
    }
};

// The element names of the lines of a case's payments, start and end tags alike.
QStringList valoriTags(const QStringList& valori)
{
    QStringList tags;
    for (const QString& line : valori.mid(1, valori.size() - 2))
        tags.append(line.section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('>')));
    return tags;
}

} // namespace

TEST_F(PaymentsTest, ModesTheSmallSuiteLacksGetTheirElements)
{
    // The small suite's flow has the other modes; here a second code of postal orders, codes that are no mode,
    // and the case of the letters.
    addCase(1);
    const QStringList modes = {"VT", "", "VE1", "Co"};
    for (int i = 0; i < modes.size(); ++i)
        addPayment(i + 1, 1, {{"modo", modes.at(i)}});
    addPayment(99, 1, {{"modo", QVariant()}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    EXPECT_EQ(valoriTags(valori(flow.bytes, 0)), QStringLiteral("<Vaglia <RicevutaAlCliente </Vaglia "
                                                                "<Contanti <RicevutaAlCliente </Contanti "
                                                                "<Verifica <RicevutaAlCliente </Verifica "
                                                                "<Contante <RicevutaAlCliente </Contante "
                                                                "<Contanti <RicevutaAlCliente </Contanti")
                                                     .split(QLatin1Char(' ')));
}

TEST_F(PaymentsTest, ReceiptChargesRoundAndADateWithItsTimeIsKeptAsTheOperatorsWriteIt)
{
    addCase(1);
    addPayment(1, 1,
               {{"dataricevuta", QDate(2011, 6, 11)}, {"ricevuta", "456"}, {"spese", 2.5}, {"speserecupero", 10.125}});
    addPayment(2, 1, {{"data", "2011-06-10 14:05:09"}});
    // The ends of the currency's range, as a text with a decimal comma that SQLite keeps as it is.
    addPayment(3, 1, {{"totale", "922337203685477,5807"}, {"capitale", "-922337203685477,5808"}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    const QStringList pratica = praticaLines(flow.bytes, 0);
    EXPECT_EQ(pratica.at(3),
              QStringLiteral("<RicevutaAlCliente DataRicevuta=\"2011-06-11\" AFronteDelDebito=\"120.00\" "
                             "Controfirmata=\"true\" NumeroRicevuta=\"456\" Spese=\"12.63\"/>"));
    EXPECT_EQ(pratica.at(6).section(QLatin1Char(' '), 1, 2), QStringLiteral("DataRicevuta=\"10/06/2011 14:05:09\""));
    EXPECT_TRUE(pratica.at(8).startsWith(QStringLiteral("<Contante Importo=\"922337203685477.58\" ")));
    EXPECT_TRUE(pratica.at(9).contains(QStringLiteral(" AFronteDelDebito=\"-922337203685477.58\" ")));
}

TEST_F(PaymentsTest, AValueItsColumnCannotHoldStopsNamingCaseAndField)
{
    // An amount or a date the column's type cannot hold is a read failure, as a non-numeric amount is: passed on, it
    // would reach the creditor as another value. Rows: the payment's fields, the bank row's, the failure
    // after "Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID 7, ".
    const QVariant null;
    const QString cheque = QStringLiteral("AB");
    const auto beyond = [](const char* field, const char* value) {
        return QStringLiteral("il campo %1 è fuori dall'intervallo di un importo: %2.").arg(field, value);
    };
    const QList<std::tuple<QVariantMap, QVariantMap, QString>> rows = {
        {{{"totale", null}}, {}, "il campo totale è vuoto (Null) dove serve un importo."},
        {{{"ricevuta", "12a"}}, {}, "il campo ricevuta non è un importo: 12a."},
        {{{"data", null}}, {}, "i campi dataricevuta e data sono vuoti (Null): manca la data della ricevuta."},
        // Control characters from the data are shown, not sent to the message box or the terminal.
        {{{"spese", "molte\r\n"}}, {}, "il campo spese non è un importo: molte\\r\\n."},
        {{{"totale", 922337203685478LL}}, {}, beyond("totale", "922337203685478")},
        {{{"capitale", -922337203685478LL}}, {}, beyond("capitale", "-922337203685478")},
        {{{"spese", 1e300}}, {}, beyond("spese", "1e+300")},
        {{{"speserecupero", 922337203685478LL}}, {}, beyond("speserecupero", "922337203685478")},
        {{{"ricevuta", std::numeric_limits<qint64>::max()}}, {}, beyond("ricevuta", "9223372036854775807")},
        // Just beyond the range, as a text the conversion reads digit by digit.
        {{{"totale", "922337203685477,5808"}}, {}, beyond("totale", "922337203685477,5808")},
        {{{"spese", 500000000000000LL}, {"speserecupero", 500000000000000LL}},
         {},
         "la somma dei campi speserecupero (500000000000000) e spese (500000000000000) è fuori dall'intervallo di un "
         "importo."},
        // SQLite keeps "40000.5" and "-1" as numbers, the rest as text.
        {{{"data", "2011-02-29"}}, {}, "il campo data non è una data: 2011-02-29."},
        {{{"data", "14:05"}}, {}, "il campo data non è una data: 14:05."},
        {{{"data", "40000.5"}}, {}, "il campo data non è una data: 40000,5."},
        {{{"data", "-1"}}, {}, "il campo data non è una data: -1."},
        {{{"data", "2011-06-10 pagato"}}, {}, "il campo data non è una data: 2011-06-10 pagato."},
        {{{"data", QString()}}, {}, "il campo data non contiene una data valida."},
        {{{"dataricevuta", "da definire\n"}}, {}, "il campo dataricevuta non è una data: da definire\\n."},
        {{{"modo", cheque}},
         {{"data", "31/02/2011"}},
         "il campo data di [Tabella Riscontro] non è una data: 31/02/2011."},
        // A Null date stays Null, and a date written the operators' way is a date.
        {{{"modo", cheque}, {"data", "10/06/2011"}}, {{"data", null}}, "<no failure>"},
    };
    for (const auto& [payment, bank, failure] : rows) {
        const QString expected =
            failure.startsWith(QLatin1Char('<'))
                ? failure
                : QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID 7, ") + failure;
        EXPECT_EQ(failureOf(payment, {}, bank), expected);
    }
    // The case's own fields are named with the case.
    EXPECT_EQ(failureOf({{"modo", "VE"}}, {{"ragione sociale", null}}),
              QStringLiteral("Pratica P1 (, contatore 1): il campo ragione sociale è vuoto (Null) e serve come "
                             "emittente della ricevuta di pagamento."));
    EXPECT_EQ(failureOf({{"spese", "molte"}}, {{"ragione sociale", "ROSSI\tMARIO\x1B[2J"}}),
              QStringLiteral("Pratica P1 (ROSSI\\tMARIO\\x1B[2J, contatore 1): pagamento ID 7, il campo spese non è "
                             "un importo: molte."));
}
