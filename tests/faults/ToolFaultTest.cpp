#include "report/JournalPdf.h"
#include "tools/contacts/ContactsBatchView.h"
#include "tools/contacts/ContactsExport.h"
#include "tools/journal/BatchJournal.h"

#include "support/OsFaults.h"
#include "tools/ToolTestSupport.h"
#include "tools/journal/JournalFixture.h"
#include "tools/journal/RecordingJournalView.h"

#include <QDir>

namespace {

/// The journal (tool 7510) while the system fails its desktop, its database or kv32.ini.
class JournalFaultTest : public ::testing::Test, public JournalFixture {
protected:
    bool load() { return journal.Form_Load(dispatch().sqlLotti); }
    /// A journal printed earlier today, under the name today's print takes.
    void placeEarlierReport() { writeBytes(reportPath(), "the journal printed this morning"); }
    QString desktop() { return suite.home().desktop(); }

    RecordingJournalView view;
    BatchJournal journal{module, dialogs, clock, view, JournalPdf::print};
};

/// The contacts export (tool 4999) of the tiny suite and 40 more cases.
class ContactsFaultTest : public ::testing::Test {
protected:
    ContactsFaultTest()
    {
        execFile(suite.database(), toolsData(QStringLiteral("contacts/tiny-suite.sql")));
        suite.addNumberedCases(100, 40);
        suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=where [tipo mandato]='NRV'")});
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
    ModuloCommand module{clock, QStringLiteral("EXP_OUTLOOK")};
    ScriptedDialogs dialogs;
    ContactsBatchView view;
};

} // namespace

TEST_F(JournalFaultTest, ADatabaseClosedBeforeThePrintPrintsNothing)
{
    ASSERT_TRUE(load());
    placeEarlierReport();
    const QStringList before = filesOf(desktop());
    const QByteArray ini = iniBytes();
    // The journal works on the program's shared connection. Its pump runs only before the connection opens, so the
    // connection can go only while the window waits between the lots' load and "Stampa".
    module.Connessione().close();
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotPrinted);
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_TRUE(dialogs.shown().first().text.contains(QStringLiteral("connessione al database non è aperta")))
        << dialogs.shown().first().text.toStdString();
    EXPECT_EQ(filesOf(desktop()), before);
    EXPECT_EQ(iniBytes(), ini);
    EXPECT_EQ(workingRows(QStringLiteral("A_Z")), QStringList{"VECCHIO|2001-01-01|9|9"});
    EXPECT_EQ(workingRows(QStringLiteral("B_Y")), QStringList{"ALTRO|2002-02-02|7|7.5"});
}

TEST_F(JournalFaultTest, AFullDesktopKeepsTheEarlierJournalAndAsksNothing)
{
    ASSERT_TRUE(load());
    SmallFilesystem full(desktop(), "64k");
    SKIP_WITHOUT(full);
    placeEarlierReport();
    ASSERT_NO_FATAL_FAILURE(full.fillLeaving(4096));
    const QStringList before = filesOf(desktop());
    const QByteArray ini = iniBytes();
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::NotPrinted);
    ASSERT_EQ(dialogs.shown().size(), 1);
    const QString message = dialogs.shown().first().text;
    EXPECT_TRUE(message.contains(reportPath()) && message.contains(QStringLiteral("No space left on device")))
        << message.toStdString();
    EXPECT_EQ(filesOf(desktop()), before);
    EXPECT_EQ(iniBytes(), ini);
    EXPECT_TRUE(view.report().isEmpty());
}

TEST_F(JournalFaultTest, AReadOnlyKv32IniIsNamedAndKeptWhole)
{
    ASSERT_TRUE(load());
    const QDir dati = QFileInfo(iniPath()).absoluteDir();
    const QStringList before = dati.entryList(QDir::Files | QDir::Hidden);
    const QByteArray ini = iniBytes();
    ReadOnlyPlace readOnly(iniPath());
    SKIP_WITHOUT(readOnly);
    EXPECT_EQ(journal.StampaCR(), BatchJournal::PrintOutcome::SaveFailed);
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString message = dialogs.messages().first();
    EXPECT_TRUE(message.contains(iniPath()) && message.contains(QStringLiteral("Read-only file system")))
        << message.toStdString();
    EXPECT_EQ(iniBytes(), ini);
    EXPECT_EQ(dati.entryList(QDir::Files | QDir::Hidden), before);
    // The journal itself was printed before the save was offered.
    EXPECT_TRUE(QFileInfo(reportPath()).size() > 1000);
}

TEST_F(ContactsFaultTest, AFullDesktopKeepsTheEarlierFile)
{
    const QString desktop = suite.home().desktop();
    SmallFilesystem full(desktop, "64k");
    SKIP_WITHOUT(full);
    writeBytes(ContactsExport::outputPath(), "yesterday's contacts");
    ASSERT_NO_FATAL_FAILURE(full.fillLeaving(4096));
    const QStringList before = filesOf(desktop);

    ContactsExport contacts(module, dialogs, view);
    contacts.params = dispatchTool(module, 4999).params;
    EXPECT_EQ(contacts.Inizia(), ContactsExport::Outcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString message = dialogs.messages().first();
    EXPECT_TRUE(message.contains(ContactsExport::outputPath()) &&
                message.contains(QStringLiteral("No space left on device")))
        << message.toStdString();
    EXPECT_EQ(filesOf(desktop), before);
}
