#include "cases/MainWindowFixture.h"
#include "support/GenerationScenarios.h"

#include <QFileInfo>
#include <QListView>

#include <functional>

namespace {

class SheetGenerationTest : public MainWindowFixture {
protected:
    SheetGenerationTest() : MainWindowFixture({0.3, 0.62, 0.1, 0.85, 0.45, 0.7, 0.05})
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                        QStringLiteral("3|VERDI LUCA|NRV|info"), QStringLiteral("4|NERI ELSA|NRV|EENP")});
        suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET posizione='NRV' || contatore, "
                                              "[codice scarico]=CASE contatore WHEN 1 THEN 'c' WHEN 3 THEN 'A' "
                                              "WHEN 4 THEN 'B' END")});
        suite.useFilter(QStringLiteral("order by contatore"));
    }

    void load()
    {
        ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
        window.setEventPump([this] {
            ++pumps;
            if (whilePumping)
                whilePumping();
            if (stopAfterPumps > 0 && pumps >= stopAfterPumps)
                window.Command1_Click();
        });
        click("cmdPratiche");
    }
    QPushButton* button(const char* name) { return child<QPushButton>(name); }
    GenerationPanel& panel() { return *window.generationPanel(); }
    void presets()
    {
        click(panel().chkSoloTest);
        click(panel().chkSoloTest);
    }
    /// Answers Yes to the confirmation and runs.
    void generate()
    {
        dialogs.answerQuestion(Dialogs::Answer::Yes);
        click(panel().Command2);
    }
    int counted(const QList<QLineEdit*>& boxes)
    {
        int total = 0;
        for (QLineEdit* box : boxes)
            total += box->toolTip().toInt();
        return total;
    }

    int pumps = 0;
    int stopAfterPumps = 0;
    std::function<void()> whilePumping;
};

} // namespace

TEST_F(SheetGenerationTest, NoChangesNothingAndTestModeCountsTheDrawsAndSavesNothing)
{
    load();
    presets();
    panel().TxtAbitazione.at(0)->setProperty("Tag", QStringLiteral("5"));
    dialogs.answerQuestion(Dialogs::Answer::No);
    click(panel().Command2);
    EXPECT_EQ(panel().TxtAbitazione.at(0)->property("Tag").toString(), QStringLiteral("5"));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(1)));

    dialogs.clear();
    click(panel().chkSoloTest);
    ASSERT_TRUE(panel().soloTest());
    generate();
    EXPECT_EQ(dialogs.shown().first().text,
              QStringLiteral("Confermi generazione causale Diagnosis Sheet per 4 pratiche ?"));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Generazione conclusa")});
    for (int k = 1; k <= 4; ++k)
        EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(k))) << k;
    // Three cases need a sheet: each group counted three values.
    EXPECT_EQ(counted(panel().TxtMotivoImpagato), 3);
    EXPECT_EQ(counted(panel().TxtSituazioneFamiliare), 3);
    EXPECT_EQ(counted(panel().TxtCapacitaPagareFutureRate), 6);
    EXPECT_EQ(counted(panel().TxtRedditoClienteNumPra), 6);
    EXPECT_EQ(counted(panel().TxtNoteNumPra), 3);
    EXPECT_FALSE(button("Command1")->isVisible());
    EXPECT_EQ(window.cases().pratiche().absolutePosition(), 4);
    EXPECT_EQ(child<QListView>("List1")->currentIndex().row(), 3);
}

TEST_F(SheetGenerationTest, ASavingRunFillsEverySheetThatIsNeededAndKeepsExistingOnesUnlessOverwriteIsTicked)
{
    suite.writeSheet(3, {QStringLiteral("MotivoImpagato==H=fallimento"), QStringLiteral("Note==scritta a mano")});
    load();
    presets();
    generate();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Generazione conclusa")});
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(2)));
    for (int k : {1, 4}) {
        EXPECT_FALSE(saved(k, QStringLiteral("MotivoImpagato")).isEmpty());
        for (const char* income : {"ClienteRedditoSalario", "GaranteRedditoSalario"})
            EXPECT_TRUE(QStringList({"500", "1000", "1500"}).contains(saved(k, QString::fromLatin1(income))));
        const QDate improvement =
            QDate::fromString(saved(k, QStringLiteral("DataMiglioramento")), QStringLiteral("dd/MM/yyyy"));
        ASSERT_TRUE(improvement.isValid()) << k;
        EXPECT_LE(improvement.day(), 27);
        EXPECT_TRUE(QList<int>({7, 9, 12}).contains(improvement.month()) ||
                    improvement == QDate(2012, 6, improvement.day()));
    }
    // The sheet that was there is kept, saved again as the editor shows it.
    EXPECT_EQ(saved(3, QStringLiteral("MotivoImpagato")), QStringLiteral("H=fallimento"));
    EXPECT_EQ(saved(3, QStringLiteral("Note")), QStringLiteral("scritta a mano"));
    EXPECT_EQ(saved(3, QStringLiteral("DataInserimento")), QStringLiteral("10/06/2011 14:05:09"));

    click(button("cmdPratiche"));
    click(panel().chkOverwrite);
    for (QLineEdit* note : panel().TxtNota)
        note->setText(QStringLiteral("Nota nuova"));
    generate();
    EXPECT_EQ(saved(3, QStringLiteral("Note")), QStringLiteral("Nota nuova"));
    dialogs.clear();
    click(button("cmdComandi_5"));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("I dati sembrano OK")});
}

TEST_F(SheetGenerationTest, ReasonsComeFromTheDischargeCodesWhenAsked)
{
    load();
    presets();
    click(panel().chkLeggiDaCodiceScarico);
    generate();
    EXPECT_EQ(saved(1, QStringLiteral("MotivoImpagato")), QStringLiteral("C=No lavoro"));
    EXPECT_EQ(saved(3, QStringLiteral("MotivoImpagato")), QStringLiteral("A=Negligenza"));
    EXPECT_EQ(saved(4, QStringLiteral("MotivoImpagato")), QStringLiteral("B=Trasferimento"));
    // A reason taken from the code is not counted in the reasons' quotas.
    EXPECT_EQ(counted(panel().TxtMotivoImpagato), 0);

    // A wrong discharge code stops the run on its case; the cases before it are saved.
    for (const char* code : {"J", "AB", ""}) {
        suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET [codice scarico]='%1' WHERE contatore=3")
                                   .arg(QString::fromLatin1(code))});
        click(button("cmdComandi_6"));
        click(button("cmdPratiche"));
        dialogs.clear();
        generate();
        const QString expected = QString::fromLatin1(code).isEmpty()
                                     ? QStringLiteral("Manca Codice Scarico alla pratica NRV3 VERDI LUCA")
                                     : QStringLiteral("Codice Scarico ERRATO alla pratica NRV3 VERDI LUCA");
        EXPECT_EQ(dialogs.messages(), (QStringList{expected, QStringLiteral("La generazione termina")})) << code;
        EXPECT_EQ(window.cases().pratiche().absolutePosition(), 3);
    }
}

TEST_F(SheetGenerationTest, AMissingMemoCodeStopsTheRunWithTheCasesBeforeItSaved)
{
    suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo='' WHERE contatore=3")});
    load();
    presets();
    generate();
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Manca Codice Scarico Memo alla pratica NRV3 VERDI LUCA"),
                                               QStringLiteral("La generazione termina")}));
    EXPECT_TRUE(QFileInfo::exists(SheetStore::sheetPath(1)));
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(3)) || QFileInfo::exists(SheetStore::sheetPath(4)));
    EXPECT_FALSE(button("Command1")->isVisible());
}

TEST_F(SheetGenerationTest, InterrompiEndsARunThatCannotDrawAnyMore)
{
    load();
    presets();
    for (QLineEdit* box : panel().TxtAbitazione)
        box->setText(QStringLiteral("0"));
    stopAfterPumps = 50;
    generate();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Generazione conclusa")});
    EXPECT_TRUE(window.stopRequested());
    EXPECT_FALSE(button("Command1")->isVisible());
    // The case under way is saved as the editor shows it, with what was drawn before the stop.
    EXPECT_FALSE(saved(1, QStringLiteral("SituazioneFamiliare")).isEmpty());
    EXPECT_EQ(saved(1, QStringLiteral("Abitazione")), QString());
    EXPECT_FALSE(QFileInfo::exists(SheetStore::sheetPath(3)));
}

TEST_F(SheetGenerationTest, AGroupWhoseQuotasAreUsedUpIsNamedAndAQuotaRaisedMeanwhileLetsTheRunGoOn)
{
    load();
    presets();
    for (QLineEdit* box : panel().TxtAbitazione)
        box->setText(QStringLiteral("0"));
    QStringList statuses;
    whilePumping = [&] {
        const QString status = child<QLabel>("lblStatus")->text();
        if (statuses.isEmpty() || statuses.last() != status)
            statuses.append(status);
        if (pumps == 20)
            panel().TxtAbitazione.at(1)->setText(QStringLiteral("5"));
    };
    generate();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Generazione conclusa")});
    EXPECT_TRUE(
        statuses.contains(QStringLiteral("Quote esaurite in \"Abitazione\": alzare una quota o premere Interrompi")));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Pratiche da esportare:4"));
    for (int k : {1, 3, 4})
        EXPECT_EQ(saved(k, QStringLiteral("Abitazione")), QStringLiteral("B=Locazione")) << k;
}

TEST_F(SheetGenerationTest, AnEmptyListEndsAtOnce)
{
    suite.useFilter(QStringLiteral("where contatore=0"));
    load();
    generate();
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Generazione conclusa")});
}

namespace {

/// The main window runs each recorded scenario from its panel.
class WindowGenerationTest : public MainWindowFixture,
                             public ::testing::WithParamInterface<GenerationScenarios::Scenario> {
protected:
    WindowGenerationTest() : MainWindowFixture(GenerationScenarios::draws())
    {
        GenerationScenarios::prepare(suite, GetParam());
        suite.useFilter(QStringLiteral("order by contatore"));
    }
    void tick(const char* name, bool ticked)
    {
        if (ticked)
            click(child<QCheckBox>(name));
    }
};

} // namespace

TEST_P(WindowGenerationTest, GivesTheRecordedSheetsAndMessages)
{
    const GenerationScenarios::Scenario& scenario = GetParam();
    ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
    click("cmdPratiche");
    tick("chkSoloTest", scenario.soloTest);
    tick("chkLeggiDaCodiceScarico_0", scenario.leggiDaCodiceScarico);
    tick("chkOverwrite", scenario.overwrite);
    const QMap<QString, QStringList> texts = GenerationScenarios::boxTexts(scenario);
    for (auto array = texts.begin(); array != texts.end(); ++array) {
        for (qsizetype i = 0; i < array->size(); ++i)
            child<QLineEdit>(QStringLiteral("%1_%2").arg(array.key()).arg(i).toLatin1().constData())
                ->setText(array->at(i));
    }
    GenerationScenarios::Record record;
    int pumps = 0;
    QString lastStatus;
    window.setEventPump([&] {
        ++pumps;
        const QString status = child<QLabel>("lblStatus")->text();
        if (status != lastStatus && status.startsWith(QStringLiteral("Quote esaurite in \"")))
            record.usedUp.append(status.section(QLatin1Char('"'), 1, 1));
        lastStatus = status;
        if (pumps == scenario.raiseAtPump)
            child<QLineEdit>("TxtAbitazione_1")->setText(QStringLiteral("5"));
        if (pumps == scenario.stopAtPump)
            child<QPushButton>("Command1")->click();
    });
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");

    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        record.shown.append(shown.text);
    record.position = child<QLabel>("lbSetPraStatus")->text();
    for (const QString& array : GenerationScenarios::quotaArrays()) {
        for (qsizetype i = 0; i < texts.value(array).size(); ++i)
            record.counts[array].append(
                child<QLineEdit>(QStringLiteral("%1_%2").arg(array).arg(i).toLatin1().constData())
                    ->toolTip()
                    .toLongLong());
    }
    GenerationScenarios::expectRecorded(scenario, record, suite);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, WindowGenerationTest, ::testing::ValuesIn(GenerationScenarios::all()),
                         [](const auto& info) { return std::string(info.param.name); });
