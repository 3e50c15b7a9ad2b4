// The tools run in batch: each runs once and ends the program with its exit code.
#include "tools/ToolBatch.h"

#include "launcher/BatchSession.h"
#include "launcher/ModuloCommand.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"
#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/journal/JournalFixture.h"

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

    ModuloCommand plain(clock, QStringLiteral("Exp_Nrv_XML"));
    EXPECT_EQ(runToolBatch(dispatchTool(plain, 4999), plain, dialogs, clock), std::optional<int>(ExitDone));
    EXPECT_FALSE(QFileInfo::exists(csv));
    EXPECT_TRUE(dialogs.shown().isEmpty());

    ModuloCommand outlook(clock, QStringLiteral("EXP_OUTLOOK"));
    EXPECT_EQ(runToolBatch(dispatchTool(outlook, 4999), outlook, dialogs, clock), std::optional<int>(ExitDone));
    EXPECT_TRUE(QFileInfo(csv).isFile());
    suite.useFilter(QStringLiteral("where contatore=0"));
    EXPECT_EQ(runToolBatch(dispatchTool(outlook, 4999), outlook, dialogs, clock), std::optional<int>(ExitStopped));
}

TEST(ToolBatch, TheJournalLoadsPrintsAndTakesTheDefaultAnswer)
{
    JournalFixture journal;
    const Dispatch dispatch = journal.dispatch();
    EXPECT_EQ(runToolBatch(dispatch, journal.module, journal.dialogs, journal.clock), std::optional<int>(ExitDone));
    EXPECT_TRUE(QFileInfo(journal.reportPath()).isFile());
    EXPECT_TRUE(journal.iniBytes().contains("LastProgGiornalexLotto=127\r\n"));
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
    EXPECT_EQ(
        runToolBatch(dispatchWindow(module, QStringLiteral("FrmAltriAffidiCF")), module, lookup.dialogs, lookup.clock),
        std::optional<int>(ExitDone));
    lookup.useStatus(1, QStringLiteral("where contatore=0"));
    EXPECT_EQ(
        runConsignmentsBatch(module, lookup.dialogs, dispatchWindow(module, QStringLiteral("FrmAltriAffidiCF")).params),
        ExitStopped);
    EXPECT_FALSE(runToolBatch(dispatchTool(module, 5001), module, lookup.dialogs, lookup.clock).has_value());
    EXPECT_FALSE(runToolBatch(dispatchTool(module, 5000), module, lookup.dialogs, lookup.clock).has_value());
}
