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

TEST_F(OtherConsignmentsTest, EachHitAddsTheLineOfTheOpenCaseAndCasesWithoutTaxCodeAreCounted)
{
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Completed);
    // ROSSI and O'NEIL were consigned on another date; both hits describe case 1, the one the suite has open.
    EXPECT_EQ(view.lines, QStringList({rossiLine(), rossiLine()}));
    EXPECT_EQ(view.captions,
              QStringList({QStringLiteral("Apro conn ") + module.StringaConnessione(), QStringLiteral("Apro RS "),
                           QStringLiteral(" Elaboro ... pratiche= 7"), "1", "2", "3", "4", "5", "6", "7"}));
    // Once after each title, and once per case.
    EXPECT_EQ(pumped, 2 + 7);
    EXPECT_FALSE(view.runEnabled);
    EXPECT_TRUE(view.stopEnabled);
    // Cases 7 and 8 have no tax code; had they been looked up, case 8 would have "found" case 10.
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("2 pratiche senza P_iva non sono state cercate in altri affidi.")});
}

TEST_F(OtherConsignmentsTest, TheSameDayGivesNoLineTaxCodesAreComparedAsStoredAndOnlyAnOpenCaseThatExistsIsListed)
{
    const QString oneil = QStringLiteral("O'NEIL JOHN | NRV | 10/01/2011 | IN CORSO");
    const struct {
        int open;
        QString filter;
        QStringList lines;
        QString firstMessage;
    } rows[] = {
        {3, QStringLiteral("where contatore in (3, 9)"), {}, QString()},
        // Cases 1, 2, 5 and 6 each have a consignment on another date.
        {1, QString(), {rossiLine(), rossiLine(), rossiLine(), rossiLine()}, QString()},
        // An open case that does not exist is named once.
        {99,
         QStringLiteral("where [tipo mandato]='NRV'"),
         {},
         QStringLiteral("Nessuna pratica ha il contatore 99: le pratiche con altri affidi non si possono elencare.")},
        {5, QStringLiteral("where contatore=5"), {oneil}, QString()},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.open);
        view.lines.clear();
        dialogs.clear();
        useStatus(row.open, row.filter);
        EXPECT_EQ(run(), OtherConsignments::RunOutcome::Completed);
        EXPECT_EQ(view.lines, row.lines);
        if (!row.firstMessage.isEmpty())
            EXPECT_EQ(dialogs.messages().value(0), row.firstMessage);
    }
    // A tax code is a bound value: one holding a quote is looked up like any other, one that would have rewritten
    // the question finds nothing.
    EXPECT_EQ(lookup.cercaInStorico(QStringLiteral("ONL'X"), QDate(2011, 1, 10)).value_or(std::nullopt), oneil);
    const Result<std::optional<QString>> injected = lookup.cercaInStorico(QStringLiteral("x' or '1'='1"), QDate());
    ASSERT_TRUE(injected.ok());
    EXPECT_FALSE(injected.value().has_value());
}

TEST_F(OtherConsignmentsTest, InterrompiEndsTheRunBeforeTheNextCaseKeepingTheLines)
{
    view.onCase = [this](qsizetype done) {
        if (done == 2)
            lookup.CmdElabora_Click(int(OtherConsignments::Button::Interrompi));
    };
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Interrupted);
    // The second case was finished; no third began.
    EXPECT_EQ(view.lines, QStringList{rossiLine()});
    EXPECT_EQ(view.captions.last(), QStringLiteral("2"));
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
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().first().contains(row.message)) << dialogs.messages().first().toStdString();
    }
    // The shared connection is released.
    EXPECT_FALSE(module.Connessione().state());
    EXPECT_FALSE(view.runEnabled);
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
    ASSERT_EQ(dialogs.messages().size(), 2);
    // Cases 1, 3, 4, 5 and 9 could not be looked up (7 and 8 have no tax code).
    EXPECT_TRUE(dialogs.messages().at(1).startsWith(QStringLiteral("La ricerca in altri affidi non è riuscita per 5 "
                                                                   "pratiche: ")))
        << dialogs.messages().at(1).toStdString();
    EXPECT_TRUE(dialogs.messages().at(1).contains(QStringLiteral("P_iva")));
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
    // Cases 108, 111 and 112 hold dates that are no dates: there the database's answer is the only rule.
    const QList<int> others = {106, 107, 122, 123};
    for (int contatore = 101; contatore <= 123; ++contatore) {
        if (contatore != 108 && contatore != 111 && contatore != 112)
            EXPECT_EQ(hits.value(contatore - 101), others.contains(contatore)) << contatore;
    }
}
