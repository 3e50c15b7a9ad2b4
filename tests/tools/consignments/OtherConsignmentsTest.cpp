#include "tools/consignments/OtherConsignments.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/consignments/LookupAnswers.h"
#include "tools/consignments/RecordingConsignmentsView.h"

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

TEST_F(OtherConsignmentsTest, TheSameDayGivesNoLineAndTaxCodesAreComparedAsStored)
{
    useStatus(3, QStringLiteral("where contatore in (3, 9)"));
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Completed);
    EXPECT_TRUE(view.lines.isEmpty());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(OtherConsignmentsTest, ATaxCodeHoldingAQuoteIsLookedUpLikeAnyOther)
{
    const Result<std::optional<QString>> found = [&] {
        useStatus(5, QStringLiteral("where contatore=5"));
        run();
        return lookup.cercaInStorico(QStringLiteral("ONL'X"), QDate(2011, 1, 10));
    }();
    ASSERT_TRUE(found.ok()) << found.errorText().toStdString();
    EXPECT_EQ(found.value(), QStringLiteral("O'NEIL JOHN | NRV | 10/01/2011 | IN CORSO"));
    EXPECT_EQ(view.lines, QStringList{QStringLiteral("O'NEIL JOHN | NRV | 10/01/2011 | IN CORSO")});
    // A tax code that would have rewritten the question finds nothing.
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

TEST_F(OtherConsignmentsTest, AnOpenCaseThatDoesNotExistIsNamedOnceAndListsNothing)
{
    useStatus(99, QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Completed);
    EXPECT_TRUE(view.lines.isEmpty());
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(
        dialogs.messages().at(0),
        QStringLiteral("Nessuna pratica ha il contatore 99: le pratiche con altri affidi non si possono elencare."));
}

TEST_F(OtherConsignmentsTest, AnEmptyFilterLooksAtEveryCase)
{
    useStatus(1, QString());
    run();
    EXPECT_EQ(view.captions.at(2), QStringLiteral(" Elaboro ... pratiche= 11"));
    // Cases 1, 2, 5 and 6 each have a consignment on another date.
    EXPECT_EQ(view.lines.size(), 4);
}

TEST_F(OtherConsignmentsTest, AnEmptyOrFailingSelectionStopsTheRun)
{
    useStatus(1, QStringLiteral("where contatore=0"));
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Stopped);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("0 Pratiche filtrate. Elaborazione interrotta")});
    // The shared connection is released.
    EXPECT_FALSE(module.Connessione().state());
    EXPECT_FALSE(view.runEnabled);

    dialogs.clear();
    useStatus(1, QStringLiteral("where [non esiste]=1"));
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("non esiste")));
}

TEST_F(OtherConsignmentsTest, NoConnectionStringAndNoDatabaseStopTheRun)
{
    suite.writeKv32Ini({QStringLiteral("[datiserver]")});
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Stopped);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Connstring vuoto. Elaborazione interrotta")});

    dialogs.clear();
    suite.writeKv32Ini({QStringLiteral("[datiserver]"),
                        QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\manca.sqlite")});
    EXPECT_EQ(run(), OtherConsignments::RunOutcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(
        dialogs.messages().first().startsWith(QStringLiteral("Connessione non stabilita. Elaborazione interrotta\n")));
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
    // P_iva, and [data affido] as SQLite stores it. Cases from 101 are selected; case 90 is not, but it counts.
    const char* rows[][2] = {
        {"'AAA'", "'2011-01-10'"},
        {"'AAA'", "'2011-01-10'"},
        {"'AAA'", "NULL"},
        {"'aaa'", "'2010-01-01'"},
        {"'AAA '", "'2009-01-01'"},
        {"'BBB'", "'2011-01-10'"},
        {"'BBB'", "'2011-01-10 00:00:00'"},
        {"'CCC'", "'2011-01-10T10:00:00'"},
        {"'DDD'", "40000"},
        {"'DDD'", "40000.0"},
        {"'EEE'", "'nessuna data'"},
        {"'EEE'", "''"},
        {"'FFF'", "NULL"},
        {"'FFF'", "NULL"},
        {"'GGG'", "'2011-01-10'"},
        {"'GGG'", "NULL"},
        {"'0456'", "'2011-01-10'"},
        {"'456'", "'2010-01-01'"},
        {"NULL", "'2011-01-10'"},
        {"''", "'2011-01-10'"},
        {"'  '", "'2010-01-01'"},
        {"'HHH'", "'2011-01-10'"},
        {"'HHH'", "'2011-01-10'"},
    };
    QStringList inserts{QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], P_iva, "
                                       "[data affido]) VALUES (90, 'PRIMA', 'HHH', '2008-05-05')")};
    for (int row = 0; row < int(std::size(rows)); ++row)
        inserts.append(QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], P_iva, "
                                      "[data affido]) VALUES (%1, 'CASO %1', %2, %3)")
                           .arg(101 + row)
                           .arg(QString::fromLatin1(rows[row][0]), QString::fromLatin1(rows[row][1])));
    suite.database().exec(inserts);
    useStatus(101, QStringLiteral("where contatore>100 order by contatore"));
    lookup.params = dispatchWindow(module, QStringLiteral("FrmAltriAffidiCF")).params;
    const QList<bool> asked = perCaseAnswers(module, lookup.params);

    // The dates of the run are those read before its first case: a change made during the run alters no answer.
    const QList<bool> hits = hitsOfRun(lookup, view, [this](qsizetype done) {
        if (done == 1)
            suite.database().exec({QStringLiteral("UPDATE [Tabella Pratiche] SET [data affido]=NULL")});
    });
    EXPECT_EQ(hits, asked);
    // The same day written as a date and as a midnight differs as stored; the other consignment of HHH is outside
    // the selection. Same day, Null dates, another letter case or blank, the same number: no other consignment.
    for (const int hit : {106, 107, 122, 123})
        EXPECT_TRUE(hits.value(hit - 101)) << hit;
    for (const int none : {101, 102, 103, 104, 105, 109, 110, 113, 114, 115, 116, 117, 118, 119, 120, 121})
        EXPECT_FALSE(hits.value(none - 101)) << none;
}
