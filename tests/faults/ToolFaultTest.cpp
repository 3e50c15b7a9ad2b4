#include "report/JournalPdf.h"
#include "tools/contacts/ContactsBatchView.h"
#include "tools/contacts/ContactsExport.h"
#include "tools/journal/BatchJournal.h"

#include "support/OsFaults.h"
#include "tools/ToolTestSupport.h"
#include "tools/journal/JournalFixture.h"
#include "tools/journal/RecordingJournalView.h"

#include <QDir>
#include <QFileInfo>

namespace {

/// The only message shown names `path` and `cause`.
void expectOneMessage(const QStringList& said, const QString& path, const QString& cause)
{
    EXPECT_TRUE(said.size() == 1 && said.first().contains(path) && said.first().contains(cause))
        << said.join(QStringLiteral(" | ")).toStdString();
}

/// The journal (tool 7510) while the system fails its desktop, its database or kv32.ini.
class JournalFaultTest : public ::testing::Test, public JournalFixture {
protected:
    void SetUp() override { ASSERT_TRUE(journal.Form_Load(dispatch().sqlLotti)); }
    /// The desktop's files and kv32.ini.
    QStringList state() { return filesOf(suite.home().desktop()) << QString::fromUtf8(iniBytes()); }

    RecordingJournalView view;
    BatchJournal journal{module, dialogs, clock, view, JournalPdf::print};
};

} // namespace

TEST_F(JournalFaultTest, ADatabaseClosedBeforeThePrintPrintsNothing)
{
    // The journal works on the program's shared connection. Its pump runs only before the connection opens, so the
    // connection can go only while the window waits between the lots' load and "Stampa".
    writeBytes(reportPath(), "the journal printed this morning");
    const QStringList before = state();
    module.Connessione().close();
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotPrinted);
    expectOneMessage(dialogs.messages(), {}, QStringLiteral("connessione al database non è aperta"));
    EXPECT_EQ(state(), before);
    EXPECT_EQ(workingRows(QStringLiteral("A_Z")) + workingRows(QStringLiteral("B_Y")),
              (QStringList{"VECCHIO|2001-01-01|9|9", "ALTRO|2002-02-02|7|7.5"}));
}

TEST_F(JournalFaultTest, AFullDesktopKeepsTheEarlierJournalAndAsksNothing)
{
    SmallFilesystem full(suite.home().desktop(), "64k");
    SKIP_WITHOUT(full);
    writeBytes(reportPath(), "the journal printed this morning");
    ASSERT_NO_FATAL_FAILURE(full.fillLeaving(4096));
    const QStringList before = state();
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotPrinted);
    expectOneMessage(dialogs.messages(), reportPath(), QStringLiteral("No space left on device"));
    EXPECT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(state(), before);
    EXPECT_TRUE(view.report().isEmpty());
}

TEST_F(JournalFaultTest, AReadOnlyKv32IniIsNamedAndKeptWhole)
{
    // No file left beside kv32.ini, which is kept whole.
    const auto dati = [this] {
        return QFileInfo(iniPath()).absoluteDir().entryList(QDir::Files | QDir::Hidden)
               << QString::fromUtf8(iniBytes());
    };
    const QStringList before = dati();
    ReadOnlyPlace readOnly(iniPath());
    SKIP_WITHOUT(readOnly);
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::SaveFailed);
    expectOneMessage(dialogs.messages(), iniPath(), QStringLiteral("Read-only file system"));
    EXPECT_EQ(dati(), before);
    // The journal itself was printed before the save was offered.
    EXPECT_TRUE(QFileInfo(reportPath()).size() > 1000);
}

TEST(ContactsFaultTest, AFullDesktopKeepsTheEarlierFile)
{
    // The contacts export (tool 4999) of the tiny suite and 40 more cases.
    SuiteFixture suite;
    execFile(suite.database(), toolsData(QStringLiteral("contacts/tiny-suite.sql")));
    suite.addNumberedCases(100, 40);
    suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=where [tipo mandato]='NRV'")});
    SmallFilesystem full(suite.home().desktop(), "64k");
    SKIP_WITHOUT(full);
    writeBytes(ContactsExport::outputPath(), "yesterday's contacts");
    ASSERT_NO_FATAL_FAILURE(full.fillLeaving(4096));
    const QStringList before = filesOf(suite.home().desktop());
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
    ModuloCommand module{clock, QStringLiteral("EXP_OUTLOOK")};
    ScriptedDialogs dialogs;
    ContactsBatchView view;
    ContactsExport contacts(module, dialogs, view);
    contacts.params = dispatchTool(module, 4999).params;
    EXPECT_EQ(contacts.Inizia(), ContactsExport::Outcome::Stopped);
    expectOneMessage(dialogs.messages(), ContactsExport::outputPath(), QStringLiteral("No space left on device"));
    EXPECT_EQ(filesOf(suite.home().desktop()), before);
}
