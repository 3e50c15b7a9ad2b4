#include "support/FlowFixture.h"

#include "flow/FlowWriter.h"
#include "flow/PaymentSource.h"

#include <QBuffer>

namespace {

using ActionsTest = FlowFixture;

/// The Azione, FineAffidamento and (when there is one) DiagnosisSheet lines of a case.
QStringList actionLines(const QStringList& pratica)
{
    QStringList lines;
    for (const QString& line : pratica) {
        if (line.startsWith(QLatin1String("<Azione ")) || line.startsWith(QLatin1String("<FineAffidamento ")) ||
            line.startsWith(QLatin1String("<DiagnosisSheet ")))
            lines.append(line);
    }
    return lines;
}

/// Takes the seeds it is given and hands out a fixed draw.
class SeedRecorder : public Random {
public:
    double next() override
    {
        ++draws;
        return 0.5;
    }
    void seed(std::uint64_t value) override { seeds.append({value, draws}); }

    QList<std::pair<std::uint64_t, int>> seeds; ///< each seed with the draws made before it
    int draws = 0;
};

} // namespace

TEST_F(ActionsTest, WithoutAValidDateAndOnTheAccessDatabaseTheActionIsDatedTheDayOfTheExport)
{
    // The small suite's flow shows the codes, outcomes and reports of every kind; here the odd values.
    addCase(1, {{"codicescaricomemo", QString()},
                {"datascaricomemo", "31/02/2011"},
                {"memo", QString::fromUtf8("Visita <urgente> & \"irreperibile\"\rÈ")}});
    addCase(2);
    Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    EXPECT_EQ(actionLines(praticaLines(flow.bytes, 0)),
              (QStringList{QStringLiteral("<Azione TipoAzione=\"\" DataAzione=\"2011-06-14\" Memo=\"Negativa\">"),
                           QStringLiteral("<FineAffidamento Restituzione=\"true\" TestoRapporto=\"Visita  urgente  "
                                          "&amp; &quot;irreperibile&quot;&#13;È\">")}));
    EXPECT_TRUE(actionLines(praticaLines(flow.bytes, 1)).at(0).contains(QStringLiteral("DataAzione=\"2011-06-05\"")));

    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] DROP COLUMN datascaricomemo")});
    flow = writeFlow(true);
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    EXPECT_TRUE(actionLines(praticaLines(flow.bytes, 1)).at(0).contains(QStringLiteral("DataAzione=\"2011-06-14\"")));
    // Elsewhere the field is read, and a database without it stops the export.
    EXPECT_EQ(writeFlow(false).status.errorText(),
              QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): manca il campo datascaricomemo nelle pratiche."));
}

TEST_F(ActionsTest, TheDiagnosisSheetOfACaseThatNeedsOne)
{
    addCase(1, {{"codicescaricomemo", "INFO"}});
    suite.writeSheet(1, {QStringLiteral("MotivoImpagato==B=Trasferimento "),
                         QStringLiteral("CapacitaPagamentoFutureScadenze==N"), QStringLiteral("DataMiglioramento=="),
                         QStringLiteral("ClienteRedditoSalario=="), QStringLiteral("GaranteRedditoAltro==  350 ")});
    addCase(2, {{"codicescaricomemo", "EENP"}});
    suite.writeSheet(
        2, {QStringLiteral("CapacitaPagamentoFutureScadenze==n"), QStringLiteral("DataMiglioramento==12/09/2011")});
    // A sheet that is there but not needed stays out of the flow.
    addCase(3, {{"codicescaricomemo", "EESE "}});
    suite.writeSheet(3, SuiteFixture::completeSheet());
    const Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    EXPECT_EQ(actionLines(praticaLines(flow.bytes, 0)).at(2),
              QStringLiteral("<DiagnosisSheet  MotivoImpagato=\"B\" SituazioneFamiliare=\"\" Abitazione=\"\" "
                             "TipologiaContratto=\"\" CapacitaPagamentoFutureScadenze=\"false\" "
                             "ClienteRedditoSalario=\"\" ClienteRedditoBenefits=\"0\" ClienteRedditoAltro=\"0\" "
                             "GaranteRedditoSalario=\"\" GaranteRedditoBenefits=\"0\" GaranteRedditoAltro=\"350\"/>"));
    // Only a capital N means the debtor cannot pay; then alone is the improvement date written.
    EXPECT_TRUE(actionLines(praticaLines(flow.bytes, 1))
                    .at(2)
                    .contains(QStringLiteral("CapacitaPagamentoFutureScadenze=\"true\" ClienteRedditoSalario=\"\"")));
    EXPECT_EQ(actionLines(praticaLines(flow.bytes, 2)).size(), 2);
}

TEST_F(ActionsTest, AMissingOrUnreadableSheetStopsTheFlowAtItsCase)
{
    addCase(1);
    addCase(2, {{"codicescaricomemo", "Flxx"}, {"posizione", "NRV20000002"}});
    Flow flow = writeFlow();
    EXPECT_TRUE(flow.missingSheet);
    EXPECT_EQ(flow.status.errorText(), QStringLiteral("Manca DiagnosisSheet alla pratica ROSSI MARIO NRV20000002"));

    suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET [ragione sociale]=NULL WHERE contatore=2")});
    flow = writeFlow();
    EXPECT_EQ(flow.status.errorText(), QStringLiteral("Manca DiagnosisSheet alla pratica  NRV20000002"));

    // A sheet that is there but cannot be read stops the flow, naming the file.
    writeSparse(SheetStore::sheetPath(2), "MotivoImpagato==C=No lavoro\r\n", 1024 * 1024 + 1);
    flow = writeFlow();
    EXPECT_TRUE(!flow.missingSheet && flow.status.errorText().contains(QStringLiteral("2.txt")));
}

TEST_F(ActionsTest, ContactCountersAreDrawnAfterReseedingForEachCase)
{
    addCase(1);
    addCase(2);
    random = SequenceRandom({0.25, 0.25, 0.75, 0.0, 0.75});
    Flow flow = writeFlow();
    ASSERT_TRUE(flow.status) << flow.status.errorText().toStdString();
    // Halves go to the even number: 0.5 gives 0 and 1.5 gives 2; a domicile count of 0 becomes 1.
    const QString contatti = QStringLiteral(
        "<Contatti  NrContattiAltro=\"0\" NrContattiDomicilio=\"1\" NrContattiLavoro=\"2\" NrContattiLettera=\"0\" "
        "NrContattiTelefono=\"2\" NrContattiPositivi=\"0\"/>");
    EXPECT_TRUE(praticaLines(flow.bytes, 0).contains(contatti));
    EXPECT_TRUE(praticaLines(flow.bytes, 1).contains(contatti));

    SeedRecorder recorder;
    openCases();
    PaymentSource payments(connection);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FlowWriter writer(&buffer, pratiche, payments, sheets, recorder, clock, false);
    for (static_cast<void>(pratiche.moveFirst()); !pratiche.eof(); static_cast<void>(pratiche.moveNext())) {
        ASSERT_TRUE(writer.writeCase());
        clock.set(clock.now().addMSecs(1));
    }
    ASSERT_EQ(recorder.seeds.size(), 2);
    EXPECT_EQ(recorder.seeds.at(0).second, 0);
    EXPECT_EQ(recorder.seeds.at(1).second, 5);
    EXPECT_NE(recorder.seeds.at(0).first, recorder.seeds.at(1).first);
}
