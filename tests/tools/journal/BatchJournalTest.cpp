#include "tools/journal/BatchJournal.h"

#include "foundation/SaveFile.h"

#include "tools/journal/JournalFixture.h"
#include "tools/journal/RecordingJournalView.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

/// The journal printed as text, one "progressivo|mandato|data|pratiche|totale" line a lot and the totals: what the
/// PDF renderer draws, without the graphical application it needs.
Status printText(const JournalReport& report, const QString& path)
{
    const QList<JournalReport::Line> lines = report.lines() << report.totals();
    const Status written = writeWholeFile(path, [&](QIODevice* device) {
        for (const JournalReport::Line& line : lines)
            device->write(QStringList({line.progressivo, line.mandato, line.dataAffido, line.pratiche, line.totale})
                              .join(QLatin1Char('|'))
                              .append(QLatin1Char('\n'))
                              .toUtf8());
        return Status::success();
    });
    return written ? written : Status::failure(path + QStringLiteral(": ") + written.errorText());
}

class BatchJournalTest : public ::testing::Test, public JournalFixture {
protected:
    /// The load sequence with the query handed over by the dispatcher.
    bool load(const QString& query = lotsQuery()) { return journal.Form_Load(dispatch(query).sqlLotti); }
    QStringList untouched() { return {"VECCHIO|2001-01-01|9|9"}; }
    /// The print stopped with one message holding `cause`: no journal, kv32.ini as it was, the window usable.
    void expectNotPrinted(const QString& cause)
    {
        const QByteArray ini = iniBytes();
        dialogs.clear();
        EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotPrinted);
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.shown().first().text.contains(cause)) << dialogs.shown().first().text.toStdString();
        EXPECT_FALSE(QFileInfo(reportPath()).isFile());
        EXPECT_TRUE(view.report().isEmpty());
        EXPECT_EQ(iniBytes(), ini);
        EXPECT_EQ(view.busyDepth, 0);
    }

    RecordingJournalView view;
    int pumped = 0;
    BatchJournal journal{module, dialogs, clock, view, printText, [this] {
                             ++pumped;
                         }};
};

const QString header = QStringLiteral("mandato\tlotto\tdata_affid\tpratiche\ttotaff\t\tincassato\t\tperc");
const QString version = QStringLiteral("Stampa Giornale x Lotti. V.1.11 - ");

} // namespace

TEST_F(BatchJournalTest, TheLoadListsTheLotsByConsignmentDateUnderTheVersionTitle)
{
    // The query is the first line of its file.
    EXPECT_EQ(dispatch().sqlLotti, lotsQuery());
    ASSERT_TRUE(load());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(view.queryText().endsWith(QStringLiteral("altroriferimento, [data affido]  order by [Data Affido]")));
    EXPECT_EQ(view.lines(), QStringList({header, "NRV\tL-2\t10/04/2008\t\t       2\t 8.002,00\t    80,00\t 50,00",
                                         "NRV\tL-3\t01/03/2010\t\t       1\t 4.001,00\t    40,00\t100,00",
                                         "NRV\tL-1\t15/01/2011\t\t       3\t 9.002,25\t    90,00\t 33,33"}));
    // The title tells each step: the connection (opened here), the recordset, then the version and the lots.
    EXPECT_EQ(view.captions, QStringList({QStringLiteral("Apro conn ") + module.StringaConnessione(),
                                          QStringLiteral("Apro recordset"), version + QStringLiteral("3 lotti")}));
    EXPECT_EQ(pumped, 1);
    EXPECT_EQ(view.nextProgressiveText(), QStringLiteral("125"));
    EXPECT_EQ(view.messageText(), QStringLiteral("Giornale di prova"));
    EXPECT_EQ(view.loadEnabled, QList<bool>({false, true}));
    EXPECT_EQ(view.busyDepth, 0);

    // Without a connection string the load stops and the list stays as it was.
    suite.writeKv32Ini({QStringLiteral("[Datiserver]"), QStringLiteral("LastProgGiornalexLotto=7")});
    EXPECT_FALSE(load());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Connstring vuoto. Elaborazione interrotta")});
    EXPECT_EQ(view.lines().size(), 4);
    EXPECT_EQ(view.nextProgressiveText(), QStringLiteral("8"));
}

TEST_F(BatchJournalTest, QueriesThatGiveNoLotsToPrintSayWhyAndPrintingTouchesNothing)
{
    QString wrongName = lotsQuery();
    QString emptyAmount = lotsQuery();
    QString noLots = lotsQuery();
    const struct {
        QString query;
        QString cause;
        QStringList lines;
    } rows[] = {
        {QStringLiteral("select * from [Tabella Lotti]"), QStringLiteral("Tabella Lotti"), {}},
        {QStringLiteral("Select [tipo mandato] as mandato, [data affido] as data_affido, count(*) as pratiche, 1 as "
                        "totaff From [Tabella Pratiche] group by 1, 2"),
         QStringLiteral("4 colonne (mandato, data_affido, pratiche, totaff)"),
         {}},
        {wrongName.replace(QStringLiteral("as totaff"), QStringLiteral("as totale")), QStringLiteral("totaff"), {}},
        {emptyAmount.replace(QStringLiteral("sum(contatore) * 10 as incassato"),
                             QStringLiteral("case when altroriferimento='L-3' then null else 1 end as incassato")),
         QStringLiteral("Il lotto 2 (NRV | L-3 | 01/03/2010) non si può stampare: la colonna 5 (incassato) è vuota."),
         {}},
        {noLots.replace(QStringLiteral("group by"), QStringLiteral("where 1=0 group by")),
         QStringLiteral("non ha dato nessun lotto"),
         {header}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.query.toStdString());
        dialogs.clear();
        EXPECT_FALSE(load(row.query));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().first().contains(row.cause)) << dialogs.messages().first().toStdString();
        EXPECT_EQ(view.lines(), row.lines);
        EXPECT_EQ(view.captions.last(), version + QStringLiteral("0 lotti"));
        expectNotPrinted(QStringLiteral("Non ci sono lotti da stampare"));
        EXPECT_EQ(workingRows(QStringLiteral("A_Z")), untouched());
    }
}

TEST_F(BatchJournalTest, PrintingReplacesOnlyTheJournalsRowsAndSavesTheLastProgressiveOnlyWhenTheOperatorSaysSo)
{
    ASSERT_TRUE(load());
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::Saved);

    EXPECT_EQ(workingRows(QStringLiteral("A_Z")),
              QStringList({"NRV|2008-04-10|2|8002", "NRV|2010-03-01|1|4001", "NRV|2011-01-15|3|9002.25"}));
    EXPECT_EQ(workingRows(QStringLiteral("B_Y")), QStringList{"ALTRO|2002-02-02|7|7.5"});
    // The journal is printed from the rows read back, numbered from the typed progressive.
    EXPECT_EQ(QString::fromUtf8(fileBytes(reportPath())),
              QStringLiteral("125|NRV|10/04/2008|2|8.002,00\n126|NRV|01/03/2010|1|4.001,00\n"
                             "127|NRV|15/01/2011|3|9.002,25\nTotale|3 lotti||6|21.005,25\n"));

    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Vuoi salvare l'ultimo progressivo [127]?"));
    EXPECT_TRUE(iniBytes().contains("LastProgGiornalexLotto=127\r\n"));
    EXPECT_TRUE(iniReadOnly());

    EXPECT_EQ(view.report(), reportPath());
    EXPECT_EQ(view.printVisible, QList<bool>({false, true}));
    EXPECT_EQ(view.busyDepth, 0);
    // The print leaves the next progressive as it was.
    EXPECT_EQ(view.nextProgressiveText(), QStringLiteral("125"));

    // Declining leaves kv32.ini as it was; each print starts from the typed progressive and writes the rows again.
    const QByteArray before = iniBytes();
    const QFileDevice::Permissions permissions = QFile::permissions(iniPath());
    view.setNextProgressiveText(QStringLiteral("200abc"));
    for (int print = 0; print < 2; ++print) {
        dialogs.answerQuestion(Dialogs::Answer::No);
        EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotSaved);
        EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Vuoi salvare l'ultimo progressivo [202]?"));
    }
    EXPECT_EQ(iniBytes(), before);
    EXPECT_EQ(QFile::permissions(iniPath()), permissions);
    EXPECT_EQ(workingRows(QStringLiteral("A_Z")).size(), 3);
}

TEST_F(BatchJournalTest, AWorkingRowThatIsRefusedLeavesTheOldRowsAndPrintsNothing)
{
    ASSERT_TRUE(load());
    suite.database().exec({QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON [Working] WHEN NEW.data1 = "
                                          "'2011-01-15' BEGIN SELECT RAISE(ABORT, 'riga rifiutata'); END")});
    // The delete goes back with the refused insert.
    expectNotPrinted(QStringLiteral("riga rifiutata"));
    EXPECT_EQ(workingRows(QStringLiteral("A_Z")), untouched());
}

TEST_F(BatchJournalTest, AReportThatCannotBeWrittenNamesTheFileAndAsksNothing)
{
    ASSERT_TRUE(load());
    ASSERT_TRUE(QDir(suite.home().desktop()).removeRecursively());
    writeBytes(suite.home().desktop(), QByteArray());
    expectNotPrinted(reportPath());
}

TEST_F(BatchJournalTest, AMissingKv32IniIsNamedAndNotMadeUp)
{
    ASSERT_TRUE(load());
    ASSERT_TRUE(QFile::remove(iniPath()));
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::SaveFailed);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QDir::toNativeSeparators(iniPath())));
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("non esiste")));
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}
