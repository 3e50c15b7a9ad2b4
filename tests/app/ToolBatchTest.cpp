// The tools run in batch: each runs once and ends the program with its exit code.
#include "app/ToolBatch.h"

#include "app/BatchSession.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/journal/JournalFixture.h"

#include <QDir>
#include <QFile>
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
    // Cases 1 and 2 are ROSSI's, on two dates.
    const std::pair<QString, bool> filters[] = {
        {QStringLiteral("where [tipo mandato]='NRV'; and contatore in (1,2)"), false},
        {QStringLiteral("where [tipo mandato]='NRV'") + QChar(0) + QStringLiteral(" and contatore in (1,2)"), false},
        {QStringLiteral("where [ragione sociale]<>'A;B' and contatore in (1,2) order by contatore; "), true},
    };
    for (const auto& [filter, runs] : filters) {
        const int exit = runs ? ExitDone : ExitStopped;
        tools.useStatus(1, filter);
        QFile::remove(csv);
        tools.dialogs.clear();
        const Dispatch lookup = dispatchLookup(module);
        EXPECT_EQ(runConsignmentsBatch(module, tools.dialogs, lookup.params), exit) << filter.toStdString();
        EXPECT_EQ(runContactsBatch(module, tools.dialogs, lookup.params), exit);
        EXPECT_EQ(QFileInfo::exists(csv), runs);
        writeBytes(tools.suite.local(queryFile), suiteText({lots + filter}));
        const Dispatch journal = module.EseguiComando(ToolRequest{7510, QString()}, queryFile);
        EXPECT_EQ(runJournalBatch(module, tools.dialogs, tools.clock, journal.sqlLotti, journal.params.source), exit);
        const QStringList messages = tools.dialogs.messages();
        if (runs) {
            EXPECT_EQ(messages.filter(QStringLiteral("non si può eseguire")), QStringList());
            continue;
        }
        ASSERT_EQ(messages.size(), 3) << messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(messages.at(0).startsWith(QStringLiteral("Il filtro delle pratiche non si può eseguire: ")));
        EXPECT_TRUE(messages.at(0).contains(SuiteFixture::statusPath()));
        EXPECT_TRUE(messages.at(1).startsWith(QStringLiteral("Il filtro delle pratiche da esportare non si può")));
        EXPECT_TRUE(messages.at(1).endsWith(QDir::toNativeSeparators(csv) + QStringLiteral(" non è stato scritto.")));
        EXPECT_TRUE(messages.at(2).startsWith(QStringLiteral("La query dei lotti non si può eseguire: ")));
        EXPECT_TRUE(messages.at(2).contains(queryFile));
    }
}
