#include "flow/FlowFixture.h"

#include "support/QtPrinters.h"

#include <QRegularExpression>

namespace {

using PaymentsTest = FlowFixture;

const QString NoReceipt =
    QStringLiteral("<RicevutaAlCliente DataRicevuta=\"10/06/2011\" AFronteDelDebito=\"120.00\" Controfirmata=\"true\" "
                   "NumeroRicevuta=\"0\" Spese=\"0.00\"/>");

// The element names of the lines between <Valori> and </Valori>, start and end tags alike.
QStringList valoriTags(const QStringList& pratica)
{
    QStringList tags;
    const qsizetype from = pratica.indexOf(QStringLiteral("<Valori>"));
    const qsizetype to = pratica.indexOf(QStringLiteral("</Valori>"));
    for (qsizetype at = from + 1; from >= 0 && at < to; ++at)
        tags.append(pratica.at(at).section(QLatin1Char(' '), 0, 0).remove(QLatin1Char('>')));
    return tags;
}

} // namespace

TEST_F(PaymentsTest, AChequeWithItsBankRowHasReceiptAndBank)
{
    addCase(1);
    addPayment(7, 1, {{QStringLiteral("modo"), QStringLiteral("AB")}});
    addBankRow(7);
    addBankRow(7, {{QStringLiteral("ass"), QStringLiteral("SECONDA")}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    const QStringList expected = {
        QStringLiteral("<Pratica IdPratica=\"P1\">"),
        QStringLiteral("<Valori>"),
        QStringLiteral("<AssegnoBancario Importo=\"150.00\" DataAcquisizione=\"2011-06-10\">"),
        NoReceipt,
        QStringLiteral("<Banca Assegno=\"0001234567\" DataAssegno=\"2011-06-12\" Cab=\"03200\" Conto=\"000012345678\" "
                       "Abi=\"03069\"/>"),
        QStringLiteral("</AssegnoBancario>"),
        QStringLiteral("</Valori>"),
        QStringLiteral("<Azioni>"),
        QStringLiteral("<Azione TipoAzione=\"EECH\" DataAzione=\"2011-06-05\" Memo=\"POSITIVA\">"),
        QStringLiteral("<FineAffidamento Restituzione=\"true\" TestoRapporto=\"Nota\">"),
        QStringLiteral("<Contatti  NrContattiAltro=\"0\" NrContattiDomicilio=\"1\" NrContattiLavoro=\"1\" "
                       "NrContattiLettera=\"0\" NrContattiTelefono=\"2\" NrContattiPositivi=\"0\"/>"),
        QStringLiteral("</FineAffidamento>"),
        QStringLiteral("</Azione>"),
        QStringLiteral("</Azioni>"),
        QStringLiteral("</Pratica>"),
    };
    EXPECT_EQ(praticaLines(flow.bytes, 0), expected);
}

TEST_F(PaymentsTest, EachKindGetsItsElementAndChildren)
{
    addCase(1);
    const QStringList modes = {"CO", "VT", "VP", "va", "AC", "AB", "BA", "VR", "RA", "XX", "", "VE1", "Co"};
    for (int i = 0; i < modes.size(); ++i)
        addPayment(i + 1, 1, {{QStringLiteral("modo"), modes.at(i)}});
    addPayment(99, 1, {{QStringLiteral("modo"), QVariant()}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    const QStringList pratica = praticaLines(flow.bytes, 0);
    const QStringList expected =
        QStringLiteral("<Contante <RicevutaAlCliente </Contante "
                       "<Vaglia <RicevutaAlCliente </Vaglia "
                       "<Vaglia <RicevutaAlCliente </Vaglia "
                       "<Vaglia <RicevutaAlCliente </Vaglia "
                       "<AssegnoCircolare <RicevutaAlCliente <Banca </AssegnoCircolare "
                       "<AssegnoBancario <RicevutaAlCliente <Banca </AssegnoBancario "
                       "<RateizzazioneScaduto <RicevutaAlCliente <Banca </RateizzazioneScaduto "
                       "<VerificaConRicevuta <RicevutaAlCliente </VerificaConRicevuta "
                       "<RateizzazioneScaduto <RicevutaAlCliente <Banca </RateizzazioneScaduto "
                       "<Contanti <RicevutaAlCliente </Contanti "
                       "<Contanti <RicevutaAlCliente </Contanti "
                       "<Verifica <RicevutaAlCliente </Verifica "
                       "<Contante <RicevutaAlCliente </Contante "
                       "<Contanti <RicevutaAlCliente </Contanti")
            .split(QLatin1Char(' '));
    EXPECT_EQ(valoriTags(pratica), expected);
    // Postal orders carry the due date and the protocol; nothing else does.
    EXPECT_TRUE(pratica.contains(QStringLiteral(
        "<Vaglia Importo=\"150.00\" DataAcquisizione=\"2011-06-10\" DataScadenza=\"2011-06-10\" Protocollo=\"\">")));
    EXPECT_EQ(pratica.filter(QStringLiteral("Protocollo=")).size(), 3);
    // Without a bank row the bank's values are all empty, the date too.
    EXPECT_TRUE(
        pratica.contains(QStringLiteral("<Banca Assegno=\"\" DataAssegno=\"\" Cab=\"\" Conto=\"\" Abi=\"\"/>")));
}

TEST_F(PaymentsTest, OnlyVeAndVnCarryTheCollectorsReceipt)
{
    addCase(1, {{QStringLiteral("ragione sociale"), QStringLiteral("R&S \"Srl\"")}});
    addPayment(1, 1,
               {{QStringLiteral("modo"), QStringLiteral("VE")},
                {QStringLiteral("causale"), QStringLiteral("Ric. 2011/000123456")}});
    addPayment(2, 1, {{QStringLiteral("modo"), QStringLiteral("vn")}, {QStringLiteral("ricevuta"), 123}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    const QStringList pratica = praticaLines(flow.bytes, 0);
    EXPECT_EQ(valoriTags(pratica), (QStringList{"<Verifica", "<RicevutaPagamento", "</Verifica", "<Verifica",
                                                "<RicevutaPagamento", "<RicevutaAlCliente", "</Verifica"}));
    EXPECT_EQ(pratica.at(3), QStringLiteral("<RicevutaPagamento Numero=\"20110001\" DataPagamento=\"2011-06-10\" "
                                            "Emittente=\"R&amp;S &quot;Srl&quot;\" Tipo=\"A\"/>"));
    EXPECT_EQ(pratica.at(7),
              QStringLiteral("<RicevutaAlCliente DataRicevuta=\"10/06/2011\" AFronteDelDebito=\"120.00\" "
                             "Controfirmata=\"true\" NumeroRicevuta=\"123\" Spese=\"0.00\"/>"));
}

TEST_F(PaymentsTest, ReceiptDatesNumbersAndCharges)
{
    addCase(1);
    addPayment(1, 1,
               {{QStringLiteral("dataricevuta"), QDate(2011, 6, 11)},
                {QStringLiteral("ricevuta"), QStringLiteral("456")},
                {QStringLiteral("spese"), 2.5},
                {QStringLiteral("speserecupero"), 10.125},
                {QStringLiteral("capitale"), QVariant()}});
    // A date stored with its time: the receipt falls back on the payment's date as the operators write it.
    addPayment(2, 1,
               {{QStringLiteral("data"), QStringLiteral("2011-06-10 14:05:09")},
                {QStringLiteral("dataricevuta"), QStringLiteral("da definire")}});
    addPayment(3, 1, {{QStringLiteral("data"), QVariant()}, {QStringLiteral("dataricevuta"), QDate(2011, 6, 11)}});
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    const QStringList pratica = praticaLines(flow.bytes, 0);
    EXPECT_EQ(pratica.at(3), QStringLiteral("<RicevutaAlCliente DataRicevuta=\"2011-06-11\" AFronteDelDebito=\"0.00\" "
                                            "Controfirmata=\"true\" NumeroRicevuta=\"456\" Spese=\"12.63\"/>"));
    EXPECT_EQ(pratica.at(6).section(QLatin1Char(' '), 1, 2), QStringLiteral("DataRicevuta=\"10/06/2011 14:05:09\""));
    EXPECT_EQ(pratica.at(8), QStringLiteral("<Contante Importo=\"150.00\" DataAcquisizione=\"          \">"));
    EXPECT_TRUE(pratica.at(9).startsWith(QStringLiteral("<RicevutaAlCliente DataRicevuta=\"2011-06-11\"")));
}

TEST_F(PaymentsTest, UnreadableValuesStopNamingCaseAndField)
{
    const auto failureOf = [this](const QVariantMap& payment, const QVariantMap& caseFields = {}) {
        suite.database().exec(
            {QStringLiteral("DELETE FROM [Tabella Pratiche]"), QStringLiteral("DELETE FROM [Tabella Pagamenti]")});
        addCase(1, caseFields);
        addPayment(7, 1, payment);
        const Flow flow = writeFlow();
        EXPECT_FALSE(flow.missingSheet);
        return flow.status.ok() ? QStringLiteral("<no failure>") : flow.status.errorText();
    };
    EXPECT_EQ(failureOf({{QStringLiteral("totale"), QVariant()}}),
              QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID 7, il campo totale è vuoto (Null) "
                             "dove serve un importo."));
    EXPECT_EQ(failureOf({{QStringLiteral("ricevuta"), QStringLiteral("12a")}}),
              QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID 7, il campo ricevuta non è un "
                             "numero: 12a."));
    EXPECT_EQ(failureOf({{QStringLiteral("data"), QVariant()}}),
              QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID 7, il campo dataricevuta non è una "
                             "data e il campo data è vuoto (Null): manca la data della ricevuta."));
    EXPECT_EQ(
        failureOf({{QStringLiteral("modo"), QStringLiteral("VE")}}, {{QStringLiteral("ragione sociale"), QVariant()}}),
        QStringLiteral("Pratica P1 (, contatore 1): il campo ragione sociale è vuoto (Null) e serve come "
                       "emittente della ricevuta di pagamento."));
    EXPECT_EQ(failureOf({{QStringLiteral("spese"), QStringLiteral("molte")}}),
              QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): pagamento ID 7, il campo spese non è un importo: "
                             "molte."));
}

TEST_F(PaymentsTest, PaymentsComeInTheDatabasesOrderWhicheverRouteReadsThem)
{
    addCase(1, {{QStringLiteral("citta"), QString::fromUtf8("Forlì")}});
    addCase(2);
    addPayment(9, 1, {{QStringLiteral("modo"), QStringLiteral("AB")}, {QStringLiteral("totale"), 9}});
    addPayment(3, 1, {{QStringLiteral("modo"), QStringLiteral("CA")}, {QStringLiteral("totale"), 3}});
    addPayment(5, 2, {{QStringLiteral("totale"), 5}});
    addPayment(4, 1,
               {{QStringLiteral("modo"), QStringLiteral("VA")},
                {QStringLiteral("totale"), 4},
                {QStringLiteral("causale"), QString::fromUtf8("Città & <co>")}});
    addBankRow(9);
    const Flow fast = writeFlow();
    ASSERT_TRUE(fast.status) << fast.status.errorText().toStdString();
    const QStringList pratica = praticaLines(fast.bytes, 0);
    EXPECT_EQ(valoriTags(pratica).filter(QRegularExpression(QStringLiteral("^<(Cambializzazione|Vaglia|Assegno)"))),
              (QStringList{"<Cambializzazione", "<Vaglia", "<AssegnoBancario"}));
    EXPECT_TRUE(pratica.contains(QStringLiteral("<Cambializzazione ImportoCambializzazione=\"3.00\" "
                                                "DataCambializzazione=\"2011-06-10\">")));
    EXPECT_EQ(praticaLines(fast.bytes, 1).at(2),
              QStringLiteral("<Contante Importo=\"5.00\" DataAcquisizione=\"2011-06-10\">"));
    // Values go out as UTF-8, as the declaration says, and escaped for XML.
    EXPECT_TRUE(fast.bytes.contains("Protocollo=\"Citt\xC3\xA0 &amp; &lt;co&gt;\">"));
    EXPECT_TRUE(fast.bytes.contains("Comune=\"Forl\xC3\xAC\""));

    const Flow throughQt = writeFlow(false, PaymentSource::Route::ThroughQt);
    ASSERT_TRUE(throughQt.status) << throughQt.status.errorText().toStdString();
    EXPECT_EQ(throughQt.bytes, fast.bytes);
}
