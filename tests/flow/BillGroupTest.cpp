#include "support/FlowFixture.h"

using BillGroupTest = FlowFixture;

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
