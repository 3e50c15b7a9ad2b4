#include "cases/MainWindowFixture.h"
#include "support/GenerationScenarios.h"

#include <QListView>
#include <QProgressBar>

namespace {

/// The generation started from the main window: the panel's boxes and options go into the run, and the window
/// shows it with "Interrompi", the status line, the progress bar, the list and the tooltips that count the values.
class SheetGenerationTest : public MainWindowFixture,
                            public ::testing::WithParamInterface<GenerationScenarios::Scenario> {
protected:
    SheetGenerationTest() : MainWindowFixture(GenerationScenarios::draws())
    {
        GenerationScenarios::prepare(suite, GetParam());
        suite.useFilter(QStringLiteral("order by contatore"));
    }
    QLineEdit* box(const QString& array, qsizetype index)
    {
        return child<QLineEdit>(QStringLiteral("%1_%2").arg(array).arg(index).toLatin1().constData());
    }
};

/// Every option ticked; "Interrompi" on a used-up quota; a quota raised while the run waits.
QList<GenerationScenarios::Scenario> windowScenarios()
{
    const QList<QByteArray> names = {"test_codice_scarico_sovrascrivi", "interrompi_quote_esaurite", "quota_alzata"};
    QList<GenerationScenarios::Scenario> chosen;
    for (const GenerationScenarios::Scenario& scenario : GenerationScenarios::all()) {
        if (names.contains(scenario.name))
            chosen.append(scenario);
    }
    return chosen;
}

} // namespace

TEST_P(SheetGenerationTest, TheWindowGivesTheRecordedRun)
{
    const GenerationScenarios::Scenario& scenario = GetParam();
    ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()));
    click("cmdPratiche");
    // Answering no changes nothing, not even the counts of an earlier run.
    box(QStringLiteral("TxtAbitazione"), 0)->setToolTip(QStringLiteral("5"));
    dialogs.answerQuestion(Dialogs::Answer::No);
    click("Command2");
    EXPECT_EQ(box(QStringLiteral("TxtAbitazione"), 0)->toolTip(), QStringLiteral("5"));
    EXPECT_EQ(dialogs.shown().size(), 1);
    dialogs.clear();

    for (const auto& [option, ticked] : {std::pair{"chkSoloTest", scenario.soloTest},
                                         std::pair{"chkLeggiDaCodiceScarico_0", scenario.leggiDaCodiceScarico},
                                         std::pair{"chkOverwrite", scenario.overwrite}}) {
        if (ticked)
            click(option);
    }
    const QMap<QString, QStringList> texts = GenerationScenarios::boxTexts(scenario);
    for (auto array = texts.begin(); array != texts.end(); ++array) {
        for (qsizetype i = 0; i < array->size(); ++i)
            box(array.key(), i)->setText(array->at(i));
    }
    GenerationScenarios::Record record;
    int pumps = 0;
    QString lastStatus;
    window.setEventPump([&] {
        ++pumps;
        EXPECT_TRUE(child<QPushButton>("Command1")->isVisible());
        const QString status = child<QLabel>("lblStatus")->text();
        if (status != lastStatus && status.startsWith(QStringLiteral("Quote esaurite in \""))) {
            record.usedUp.append(status.section(QLatin1Char('"'), 1, 1));
            // The bar and the editor show the case that waits.
            EXPECT_TRUE(child<QProgressBar>("progress")->text().contains(child<QLabel>("lblfield_1")->text() + ' '));
        }
        lastStatus = status;
        if (pumps == scenario.raiseAtPump)
            box(QStringLiteral("TxtAbitazione"), 1)->setText(QStringLiteral("5"));
        if (pumps == scenario.stopAtPump)
            click("Command1");
    });
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");

    for (const ScriptedDialogs::Shown& shown : dialogs.shown())
        record.shown.append(shown.text);
    record.position = child<QLabel>("lbSetPraStatus")->text();
    for (const QString& array : GenerationScenarios::quotaArrays()) {
        for (qsizetype i = 0; i < texts.value(array).size(); ++i)
            record.counts[array].append(box(array, i)->toolTip().toLongLong());
    }
    GenerationScenarios::expectRecorded(scenario, record, suite);
    EXPECT_FALSE(child<QPushButton>("Command1")->isVisible());
    EXPECT_FALSE(child<QProgressBar>("progress")->isVisible());
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Pratiche da esportare:12"));
    EXPECT_EQ(QStringLiteral("%1/12").arg(child<QListView>("List1")->currentIndex().row() + 1), record.position);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SheetGenerationTest, ::testing::ValuesIn(windowScenarios()),
                         [](const auto& info) { return std::string(info.param.name); });
