#include "support/FlowFixture.h"

#include "flow/FlowWriter.h"
#include "flow/PaymentSource.h"

#include <QBuffer>

namespace {

using ActionsTest = FlowFixture;

/// Takes the seeds it is given and hands out a fixed draw.
class SeedRecorder : public Random {
public:
    double next() override { return 0.5; }
    void seed(std::uint64_t value) override { seeds.append(value); }
    QList<std::uint64_t> seeds;
};

} // namespace

TEST_F(ActionsTest, AnActionDateThatIsNoDateOrMissingOnTheAccessDatabaseIsTheExportsDay)
{
    // The small suite's flow shows the codes, outcomes, reports and a Null date; here the odd values.
    addCase(1, {{"datascaricomemo", "31/02/2011"}});
    addCase(2);
    EXPECT_EQ(attributes(writeFlow().bytes, QStringLiteral("DataAzione")), (QStringList{"2011-06-14", "2011-06-05"}));
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] DROP COLUMN datascaricomemo")});
    EXPECT_EQ(attributes(writeFlow(true).bytes, QStringLiteral("DataAzione")),
              (QStringList{"2011-06-14", "2011-06-14"}));
    // Elsewhere a missing column stops the export, naming it.
    EXPECT_EQ(failure(), QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): manca il campo datascaricomemo nelle "
                                        "pratiche."));
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pagamenti] DROP COLUMN speserecupero")});
    EXPECT_EQ(failure(true), QStringLiteral("Pratica P1 (ROSSI MARIO, contatore 1): manca il campo speserecupero "
                                            "nella tabella [Tabella Pagamenti]."));
}

TEST_F(ActionsTest, TheDiagnosisSheetOfACaseThatNeedsOne)
{
    // Only a capital N means the debtor cannot pay; then alone is the improvement date written.
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
    const QString sheet = QStringLiteral(
        "<DiagnosisSheet  MotivoImpagato=\"%1\" SituazioneFamiliare=\"\" Abitazione=\"\" TipologiaContratto=\"\" "
        "CapacitaPagamentoFutureScadenze=\"%2\" ClienteRedditoSalario=\"\" ClienteRedditoBenefits=\"0\" "
        "ClienteRedditoAltro=\"0\" GaranteRedditoSalario=\"\" GaranteRedditoBenefits=\"0\" "
        "GaranteRedditoAltro=\"%3\"/>");
    EXPECT_EQ(lines(writeFlow().bytes, QStringLiteral("<DiagnosisSheet ")),
              (QStringList{sheet.arg("B", "false", "350"), sheet.arg("", "true", "0")}));
}

TEST_F(ActionsTest, AMissingOrUnreadableSheetStopsTheFlowAtItsCase)
{
    addCase(1);
    addCase(2, {{"codicescaricomemo", "Flxx"}, {"posizione", "NRV20000002"}, {"ragione sociale", QVariant()}});
    Flow flow = writeFlow();
    EXPECT_TRUE(flow.missingSheet);
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
    // Six draws in the sequence and five per case: the second case's counters are the first's only if reseeded.
    // Halves go to the even number: 0.5 gives 0 and 1.5 gives 2; a domicile count of 0 becomes 1.
    random = SequenceRandom({0.25, 0.25, 0.75, 0.0, 0.75, 0.9});
    const QString contatti = QStringLiteral(
        "<Contatti  NrContattiAltro=\"0\" NrContattiDomicilio=\"1\" NrContattiLavoro=\"2\" NrContattiLettera=\"0\" "
        "NrContattiTelefono=\"2\" NrContattiPositivi=\"0\"/>");
    EXPECT_EQ(lines(writeFlow().bytes, QStringLiteral("<Contatti ")), (QStringList{contatti, contatti}));

    // Cases written within the same moment get seeds of their own.
    SeedRecorder recorder;
    openCases();
    PaymentSource payments(connection);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FlowWriter writer(&buffer, pratiche, payments, sheets, recorder, clock, false);
    for (static_cast<void>(pratiche.moveFirst()); !pratiche.eof(); static_cast<void>(pratiche.moveNext()))
        ASSERT_TRUE(writer.writeCase());
    EXPECT_TRUE(recorder.seeds.size() == 2 && recorder.seeds.first() != recorder.seeds.last());
}
