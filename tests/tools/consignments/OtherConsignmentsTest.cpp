#include "tools/consignments/OtherConsignments.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/consignments/LookupAnswers.h"

#include <gtest/gtest.h>

namespace {

class OtherConsignmentsTest : public ::testing::Test, public ConsignmentsFixture {
protected:
    OtherConsignments::RunOutcome run()
    {
        // On 10/04/2008 any unknown tool code opens the lookup.
        const Dispatch dispatch = dispatchTool(module, 1234);
        EXPECT_EQ(dispatch.window, ToolWindow::OtherConsignments);
        lookup.params = dispatch.params;
        return lookup.Elabora();
    }

    RecordingConsignmentsView view;
    int pumped = 0;
    OtherConsignments lookup{module, dialogs, view, [this] {
                                 ++pumped;
                             }};
};

} // namespace

TEST_F(OtherConsignmentsTest, EachHitAddsTheLineOfTheOpenCaseThatExistsAndCasesWithoutTaxCodeAreCounted)
{
    const QString oneil = QStringLiteral("O'NEIL JOHN | NRV | 10/01/2011 | IN CORSO");
    const struct {
        int open;
        QString filter;
        QStringList lines;
        QStringList messages;
    } rows[] = {
        // The same day gives no line; tax codes are compared as stored ('0123' is not '123').
        {3, QStringLiteral("where contatore in (3, 9)"), {}, {}},
        {5, QStringLiteral("where contatore=5"), {oneil}, {}},
        {99,
         QStringLiteral("where contatore in (1, 5)"),
         {},
         {QStringLiteral("Nessuna pratica ha il contatore 99: le pratiche con altri affidi non si possono elencare.")}},
        // ROSSI and O'NEIL were consigned on another date; both hits describe case 1, the one the suite has open.
        // Cases 7 and 8 have no tax code; had they been looked up, case 8 would have "found" case 10.
        {1,
         QStringLiteral("where [tipo mandato]='NRV' order by contatore"),
         {rossiLine(), rossiLine()},
         {QStringLiteral("2 pratiche senza P_iva non sono state cercate in altri affidi.")}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.open);
        view.lines.clear();
        view.captions.clear();
        dialogs.clear();
        pumped = 0;
        useStatus(row.open, row.filter);
        EXPECT_EQ(run(), OtherConsignments::RunOutcome::Completed);
        EXPECT_EQ(std::pair(view.lines, dialogs.messages()), std::pair(row.lines, row.messages));
    }
    EXPECT_EQ(view.captions,
              QStringList({QStringLiteral("Apro conn ") + module.StringaConnessione(), QStringLiteral("Apro RS "),
                           QStringLiteral(" Elaboro ... pratiche= 7"), "1", "2", "3", "4", "5", "6", "7"}));
    // Once after each title, and once per case; the window serves one run.
    EXPECT_EQ(std::tuple(pumped, view.runEnabled, view.stopEnabled), std::tuple(2 + 7, false, true));
    // A tax code is a bound value: one that would have rewritten the question finds nothing.
    EXPECT_EQ(lookup.cercaInStorico(QStringLiteral("x' or '1'='1"), QDate()).value_or(oneil), std::nullopt);
}

TEST_F(OtherConsignmentsTest, NoDatabaseOrAnEmptyOrFailingSelectionStopsTheRunSayingWhy)
{
    const QString connection = QStringLiteral("connstring=Provider=SQLite;Data Source=");
    const struct {
        QString connstring;
        QString filter;
        QString message;
    } rows[] = {
        {QString(), QString(), QStringLiteral("Connstring vuoto. Elaborazione interrotta")},
        {connection + QStringLiteral("Z:\\work\\kv32\\dati\\manca.sqlite"), QString(),
         QStringLiteral("Connessione non stabilita. Elaborazione interrotta\n")},
        {connection + SuiteFixture::databasePath(), QStringLiteral("where [non esiste]=1"),
         QStringLiteral("non esiste")},
        {connection + SuiteFixture::databasePath(), QStringLiteral("where contatore=0"),
         QStringLiteral("0 Pratiche filtrate. Elaborazione interrotta")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.message.toStdString());
        dialogs.clear();
        useStatus(1, row.filter);
        suite.writeKv32Ini({QStringLiteral("[datiserver]"), row.connstring});
        EXPECT_EQ(run(), OtherConsignments::RunOutcome::Stopped);
        EXPECT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().value(0).contains(row.message)) << dialogs.messages().value(0).toStdString();
    }
    // The shared connection is released.
    EXPECT_FALSE(module.Connessione().state());
}

TEST_F(OtherConsignmentsTest, ConsignmentDatesThatCannotBeReadAreReportedWithTheCasesLeftUnanswered)
{
    // The table changes between the selection and the reading of its tax codes' dates.
    view.onCaption = [this](const QString& caption) {
        if (caption.startsWith(QStringLiteral(" Elaboro")))
            suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] RENAME COLUMN P_iva TO cf_vecchio")});
    };
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Completed);
    EXPECT_TRUE(view.lines.isEmpty());
    // Cases 1, 3, 4, 5 and 9 could not be looked up (7 and 8 have no tax code).
    const QString failed = dialogs.messages().value(1);
    EXPECT_TRUE(failed.startsWith(QStringLiteral("La ricerca in altri affidi non è riuscita per 5 pratiche: ")) &&
                failed.contains(QStringLiteral("P_iva")))
        << failed.toStdString();
}

TEST_F(OtherConsignmentsTest, TheAnswersAreTheDatabasesCaseByCaseFromOneReadOfTheDates)
{
    suite.execFile(QStringLiteral("tools/consignments/answers.sql"));
    useStatus(101, QStringLiteral("where contatore>100 order by contatore"));
    lookup.params = dispatchLookup(module).params;
    const QList<bool> asked = perCaseAnswers(module, lookup.params);

    // The dates of the run are those read before its first case: a change made during the run alters no answer.
    const QList<bool> hits = hitsOfRun(lookup, view, [this](qsizetype done) {
        if (done == 1)
            suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET [data affido]=NULL")});
    });
    EXPECT_EQ(hits, asked);
    // 106/107 (a date and a midnight), 108, 111 and 112 (no dates, compared as stored), 122/123 (HHH, also case 90).
    EXPECT_EQ(hits, QList<bool>({false, false, false, false, false, true,  true,  true,  false, false, true, true,
                                 false, false, false, false, false, false, false, false, false, true,  true}));
}
