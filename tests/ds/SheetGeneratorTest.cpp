#include "ds/SheetGenerator.h"
#include "ds/SheetStore.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/GenerationScenarios.h"
#include "support/SuiteFixture.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using GenerationScenarios::Scenario;

/// The window as a scenario has it: its panel, "Interrompi" and a quota raised at set pumps.
class ScenarioView : public SheetGenerationView {
public:
    explicit ScenarioView(const Scenario& scenario)
        : settings(GenerationScenarios::settings(scenario)), m_scenario(scenario)
    {
    }

    void generationStarts() override { ++starts; }
    void showCase(qsizetype, qsizetype, const QString&, const GenerationQuotas&) override {}
    bool stopRequested() override { return m_pumps >= m_scenario.stopAtPump; }
    void showStoppedCase() override {}
    void showQuotasUsedUp(const QString& group) override { usedUp.append(group); }
    void quotasAvailableAgain() override {}
    QList<Quota> quotasNow(QuotaArray array) override { return settings.quotas[array]; }
    void pumpEvents() override
    {
        if (++m_pumps == m_scenario.raiseAtPump)
            settings.quotas[QuotaArray::Abitazione][1] = Quota::fromText(QStringLiteral("5"));
    }

    GenerationSettings settings;
    int starts = 0;
    QStringList usedUp;

private:
    Scenario m_scenario;
    int m_pumps = 0;
};

/// Runs the generation over the suite's cases in contatore order, confirmed.
class SheetGeneratorTest : public ::testing::Test {
protected:
    SheetGeneratorTest() { EXPECT_TRUE(connection.open(suite.database().connectionString())); }

    /// Whether a run took place; `view` and `quotas` hold what it left.
    bool generate(const Scenario& scenario)
    {
        EXPECT_TRUE(pratiche.open(QStringLiteral("Select * From [Tabella Pratiche] order by contatore"), connection,
                                  db::Recordset::Lock::Optimistic));
        view.emplace(scenario);
        dialogs.answerQuestion(Dialogs::Answer::Yes);
        SheetGenerator generator(view->settings, pratiche, store, clock, random, dialogs, *view);
        const bool ran = generator.run();
        EXPECT_EQ(view->starts, ran ? 1 : 0);
        quotas = generator.quotas();
        return ran;
    }
    QString position() { return QStringLiteral("%1/%2").arg(pratiche.absolutePosition()).arg(pratiche.recordCount()); }

    SuiteFixture suite;
    db::Connection connection;
    db::Recordset pratiche;
    SheetStore store;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random{GenerationScenarios::draws()};
    ScriptedDialogs dialogs;
    std::optional<ScenarioView> view;
    GenerationQuotas quotas;
};

class SheetGeneratorScenarioTest : public SheetGeneratorTest, public ::testing::WithParamInterface<Scenario> {};

} // namespace

TEST_P(SheetGeneratorScenarioTest, GivesTheRecordedSheetsAndMessages)
{
    GenerationScenarios::prepare(suite, GetParam());
    EXPECT_TRUE(generate(GetParam()));
    GenerationScenarios::expectRecorded(GetParam(), dialogs, view->usedUp, position(), quotas, suite);
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SheetGeneratorScenarioTest, ::testing::ValuesIn(GenerationScenarios::all()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SheetGeneratorTest, AnEmptyListEndsAtOnce)
{
    EXPECT_FALSE(generate({"vuota", ""}));
    EXPECT_EQ(dialogs.messages(), QStringList{"Generazione conclusa"});
}

TEST_F(SheetGeneratorTest, NothingASheetHoldsIsLostOnTheWay)
{
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EECH"), QStringLiteral("2|BIANCHI ANNA|NRV|EESE")});
    // A note longer than a line of the editor goes back whole.
    const QString note = QString(40000, QLatin1Char('n'));
    suite.writeSheet(1, {QStringLiteral("MotivoImpagato==A=Negligenza"), QStringLiteral("Note==") + note});
    // A sheet that cannot be read stops the run on its case: no other case's sheet is saved over it.
    const QString unreadable = SheetStore::sheetPath(2);
    writeSparse(unreadable, "MotivoImpagato==C=No lavoro\r\n", 2 * 1024 * 1024);
    EXPECT_TRUE(generate({"perdita", ""}));
    EXPECT_EQ(
        std::tuple(store.sheetOf(1).value()->value("Note"), dialogs.messages(), QFileInfo(unreadable).size(),
                   position()),
        std::tuple(note, QStringList{store.sheetOf(2).errorText(), "La generazione termina"}, 2 * 1024 * 1024, "2/2"));
}
