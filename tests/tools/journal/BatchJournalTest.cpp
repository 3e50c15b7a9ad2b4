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
    QByteArray text;
    const QList<JournalReport::Line> lines = report.lines() << report.totals();
    for (const JournalReport::Line& l : lines)
        text += QStringList({l.progressivo, l.mandato, l.dataAffido, l.pratiche, l.totale}).join('|').toUtf8() + '\n';
    const Status written = writeWholeFile(path, [&](QIODevice* device) {
        return device->write(text) == text.size() ? Status::success() : Status::failure(device->errorString());
    });
    return written ? written : Status::failure(path + QStringLiteral(": ") + written.errorText());
}

class BatchJournalTest : public ::testing::Test, public JournalFixture {
protected:
    /// The load sequence with the query handed over by the dispatcher.
    bool load(const QString& query = lotsQuery()) { return journal.Form_Load(dispatch(query).sqlLotti); }
    /// The print stopped with one message holding `cause`: no journal, kv32.ini as it was, the window usable.
    void expectNotPrinted(const QString& cause)
    {
        const QByteArray ini = iniBytes();
        dialogs.clear();
        EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotPrinted);
        EXPECT_EQ(dialogs.shown().size(), 1);
        EXPECT_TRUE(dialogs.messages().value(0).contains(cause)) << dialogs.messages().value(0).toStdString();
        EXPECT_EQ(std::tuple(QFileInfo::exists(reportPath()), view.report(), iniBytes(), view.busyDepth),
                  std::tuple(false, QString(), ini, 0));
    }
    QStringList untouched() { return {"VECCHIO|2001-01-01|9|9"}; }

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
    EXPECT_EQ(std::tuple(pumped, view.nextProgressiveText(), view.messageText(), view.loadEnabled, view.busyDepth),
              std::tuple(1, QStringLiteral("125"), QStringLiteral("Giornale di prova"), QList<bool>({false, true}), 0));

    // Without a connection string the load stops and the list stays as it was.
    suite.writeKv32Ini({QStringLiteral("[Datiserver]"), QStringLiteral("LastProgGiornalexLotto=7")});
    EXPECT_FALSE(load());
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Connstring vuoto. Elaborazione interrotta")});
    EXPECT_EQ(std::pair(view.lines().size(), view.nextProgressiveText()), std::pair(qsizetype(4), QStringLiteral("8")));
}

TEST_F(BatchJournalTest, QueriesThatGiveNoLotsToPrintSayWhyAndPrintingTouchesNothing)
{
    const auto edited = [](const QString& from, const QString& to) {
        return lotsQuery().replace(from, to);
    };
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
        {edited(QStringLiteral("as totaff"), QStringLiteral("as totale")), QStringLiteral("totaff"), {}},
        {edited(QStringLiteral("sum(contatore) * 10 as incassato"),
                QStringLiteral("case when altroriferimento='L-3' then null else 1 end as incassato")),
         QStringLiteral("Il lotto 2 (NRV | L-3 | 01/03/2010) non si può stampare: la colonna 5 (incassato) è vuota."),
         {}},
        {edited(QStringLiteral("group by"), QStringLiteral("where 1=0 group by")),
         QStringLiteral("non ha dato nessun lotto"),
         {header}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.query.toStdString());
        dialogs.clear();
        EXPECT_FALSE(load(row.query));
        EXPECT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().value(0).contains(row.cause)) << dialogs.messages().value(0).toStdString();
        EXPECT_EQ(std::pair(view.lines(), view.captions.last()),
                  std::pair(row.lines, version + QStringLiteral("0 lotti")));
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
    // The print leaves the next progressive as it was.
    EXPECT_EQ(std::tuple(view.report(), view.printVisible, view.busyDepth, view.nextProgressiveText()),
              std::tuple(reportPath(), QList<bool>({false, true}), 0, QStringLiteral("125")));

    // Declining leaves kv32.ini as it was; each print starts from the typed progressive and writes the rows again.
    const QByteArray before = iniBytes();
    const QFileDevice::Permissions permissions = QFile::permissions(iniPath());
    view.setNextProgressiveText(QStringLiteral("200abc"));
    for (int print = 0; print < 2; ++print) {
        dialogs.answerQuestion(Dialogs::Answer::No);
        EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotSaved);
        EXPECT_EQ(dialogs.shown().last().text, QStringLiteral("Vuoi salvare l'ultimo progressivo [202]?"));
    }
    EXPECT_EQ(std::tuple(iniBytes(), QFile::permissions(iniPath()), workingRows(QStringLiteral("A_Z")).size()),
              std::tuple(before, permissions, qsizetype(3)));
}

TEST_F(BatchJournalTest, ARefusedWorkingRowAReportThatCannotBeWrittenOrAMissingKv32IniIsNamed)
{
    ASSERT_TRUE(load());
    suite.database().exec({QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON [Working] WHEN NEW.data1 = "
                                          "'2011-01-15' BEGIN SELECT RAISE(ABORT, 'riga rifiutata'); END")});
    // The delete goes back with the refused insert.
    expectNotPrinted(QStringLiteral("riga rifiutata"));
    EXPECT_EQ(workingRows(QStringLiteral("A_Z")), untouched());

    suite.database().exec({QStringLiteral("DROP TRIGGER refuse")});
    const QString desktop = suite.home().desktop();
    ASSERT_TRUE(QDir(desktop).removeRecursively());
    writeBytes(desktop, QByteArray());
    expectNotPrinted(reportPath());

    // kv32.ini is not made up.
    ASSERT_TRUE(QFile::remove(desktop) && QFile::remove(iniPath()));
    dialogs.clear();
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::SaveFailed);
    EXPECT_EQ(dialogs.messages().size(), 1);
    const QString message = dialogs.messages().value(0);
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(iniPath())) && message.contains(QStringLiteral("non esiste")))
        << message.toStdString();
    EXPECT_FALSE(QFileInfo::exists(iniPath()));
}
