// The tools run in batch: each runs once and ends the program with its exit code.
#include "app/ToolBatch.h"

#include "app/BatchSession.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/journal/JournalFixture.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(ToolBatch, TheContactsExportRunsOnlyUnderTheOutlookTitle)
{
    SuiteFixture suite;
    suite.execFile(QStringLiteral("tools/contacts/tiny-suite.sql"));
    suite.useFilter(QStringLiteral("where [tipo mandato]='NRV'"));
    FixedClock clock(QDateTime(QDate(2011, 6, 10), QTime(9, 0)));
    ScriptedDialogs dialogs;
    const QString csv = suite.home().desktop() + QStringLiteral("/CONTATTIKV33.CSV");
    const auto run = [&](const QString& title) {
        ModuloCommand module(clock, title);
        const std::optional<int> exit = runToolBatch(dispatchTool(module, 4999), module, dialogs, clock);
        return std::tuple(exit.value_or(-1), QFileInfo::exists(csv), dialogs.shown().size());
    };
    EXPECT_EQ(run(QStringLiteral("Exp_Nrv_XML")), std::tuple(int(ExitDone), false, qsizetype(0)));
    EXPECT_EQ(run(QStringLiteral("EXP_OUTLOOK")), std::tuple(int(ExitDone), true, qsizetype(1)));
    suite.useFilter(QStringLiteral("where contatore=0"));
    EXPECT_EQ(std::get<0>(run(QStringLiteral("EXP_OUTLOOK"))), ExitStopped);
}

TEST(ToolBatch, TheJournalLoadsPrintsAndTakesTheDefaultAnswer)
{
    JournalFixture journal;
    const Dispatch dispatch = journal.dispatch();
    EXPECT_EQ(runToolBatch(dispatch, journal.module, journal.dialogs, journal.clock), std::optional<int>(ExitDone));
    // The next run starts from the saved progressive.
    journal.dialogs.answerQuestion(Dialogs::Answer::No);
    EXPECT_EQ(runJournalBatch(journal.module, journal.dialogs, journal.clock, dispatch.sqlLotti), ExitDone);
    EXPECT_EQ(journal.dialogs.shown().last().text, QStringLiteral("Vuoi salvare l'ultimo progressivo [130]?"));
    EXPECT_EQ(runJournalBatch(journal.module, journal.dialogs, journal.clock, QStringLiteral("select rotto")),
              ExitStopped);
}

TEST(ToolBatch, TheLookupRunsOnceAndOtherWindowsAreNotTools)
{
    ConsignmentsFixture lookup;
    ModuloCommand& module = lookup.module;
    EXPECT_EQ(runToolBatch(dispatchLookup(module), module, lookup.dialogs, lookup.clock), std::optional<int>(ExitDone));
    lookup.useStatus(1, QStringLiteral("where contatore=0"));
    EXPECT_EQ(runConsignmentsBatch(module, lookup.dialogs, dispatchLookup(module).params), ExitStopped);
    EXPECT_FALSE(runToolBatch(dispatchTool(module, 5001), module, lookup.dialogs, lookup.clock).has_value());
    EXPECT_FALSE(runToolBatch(dispatchTool(module, 5000), module, lookup.dialogs, lookup.clock).has_value());
}

TEST(ToolBatch, AFilterOrQueryHoldingASecondStatementOrANulRunsNothing)
{
    ConsignmentsFixture tools;
    ModuloCommand& module = tools.module;
    const QString csv = tools.suite.home().desktop() + QStringLiteral("/CONTATTIKV33.CSV");
    const QString queryFile = QStringLiteral("C:\\work\\kv32ado\\lotti.sql");
    // Each case of the selection is a lot of the journal.
    const QString lots = QStringLiteral("Select [tipo mandato] as mandato, [situazione affido] as lotto, [data affido] "
                                        "as data_affido, contatore as pratiche, contatore as totaff, contatore as "
                                        "incassato, contatore as perc From [Tabella Pratiche] ");
    // Cases 1 and 2 are ROSSI's, on two dates. A refusal names where the statement came from, or the file not written.
    const QStringList causes = {SuiteFixture::statusPath(), QDir::toNativeSeparators(csv), queryFile};
    const std::pair<QString, bool> filters[] = {
        {QStringLiteral("where [tipo mandato]='NRV'; and contatore in (1,2)"), false},
        {QStringLiteral("where [tipo mandato]='NRV'") + QChar(0) + QStringLiteral(" and contatore in (1,2)"), false},
        {QStringLiteral("where [ragione sociale]<>'A;B' and contatore in (1,2) order by contatore; "), true},
    };
    for (const auto& [filter, runs] : filters) {
        SCOPED_TRACE(filter.toStdString());
        tools.useStatus(1, filter);
        QFile::remove(csv);
        tools.dialogs.clear();
        const Dispatch lookup = dispatchLookup(module);
        writeBytes(tools.suite.local(queryFile), suiteText({lots + filter}));
        const Dispatch journal = module.EseguiComando(ToolRequest{7510, QString()}, queryFile);
        const QList<int> exits = {
            runConsignmentsBatch(module, tools.dialogs, lookup.params),
            runContactsBatch(module, tools.dialogs, lookup.params),
            runJournalBatch(module, tools.dialogs, tools.clock, journal.sqlLotti, journal.params.source)};
        EXPECT_EQ(exits, QList<int>(3, runs ? ExitDone : ExitStopped));
        EXPECT_EQ(QFileInfo::exists(csv), runs);
        const QStringList messages = tools.dialogs.messages();
        EXPECT_EQ(messages.filter(QStringLiteral("non si può eseguire")).size(), runs ? 0 : 3);
        for (qsizetype tool = 0; !runs && tool < 3; ++tool)
            EXPECT_TRUE(messages.value(tool).contains(causes.at(tool))) << messages.value(tool).toStdString();
    }
}
