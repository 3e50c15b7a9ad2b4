#include "tools/contacts/ContactsExport.h"

#include "launcher/ModuloCommand.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "tools/contacts/ContactsBatchView.h"

#include "support/SuiteFixture.h"
#include "tools/ToolTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class ContactsExportTest : public ::testing::Test {
protected:
    ContactsExportTest()
    {
        suite.execFile(QStringLiteral("tools/contacts/tiny-suite.sql"));
        suite.useFilter(QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    }

    ContactsExport::Outcome run()
    {
        const Dispatch dispatch = dispatchTool(module, 4999);
        ContactsExport contacts(module, dialogs, view, [this] { ++pumped; });
        contacts.params = dispatch.params;
        return contacts.Inizia();
    }
    /// The export stopped with one message that holds `cause`.
    void expectStopped(const QString& cause)
    {
        EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().first().contains(cause)) << dialogs.messages().first().toStdString();
    }
    QString desktop() { return suite.home().desktop(); }
    QString csvPath() { return desktop() + QStringLiteral("/CONTATTIKV33.CSV"); }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
    ModuloCommand module{clock, QStringLiteral("EXP_OUTLOOK")};
    ScriptedDialogs dialogs;
    ContactsBatchView view;
    int pumped = 0;
};

} // namespace

TEST_F(ContactsExportTest, TheTinySuiteGivesTheExpectedBytesOnADesktopMadeForIt)
{
    ASSERT_TRUE(QDir(desktop()).removeRecursively());
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    EXPECT_EQ(ContactsExport::outputPath(), csvPath());
    const QByteArray expected = fileBytes(testData(QStringLiteral("tools/contacts/CONTATTIKV33.CSV")));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(fileBytes(csvPath()), expected);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("File ") + csvPath() + QStringLiteral(" esportato")});
    // The label ends on the last case; the window repaints once per case.
    EXPECT_EQ(view.progressText(), QStringLiteral("3/3"));
    EXPECT_EQ(pumped, 3);
}

TEST_F(ContactsExportTest, AnEmptyFilterExportsEveryCaseAndReplacesTheEarlierFile)
{
    writeBytes(csvPath(), "old contents that are longer than nothing");
    suite.useFilter(QString());
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    const QByteArray bytes = fileBytes(csvPath());
    EXPECT_EQ(bytes.count("\r\n"), 5); // the header and four cases, the other mandate included
    EXPECT_TRUE(bytes.contains("\"ESCLUSO\""));
    EXPECT_FALSE(bytes.contains("old contents"));
}

TEST_F(ContactsExportTest, AFilterWithoutCasesOrThatFailsWritesNoFile)
{
    suite.useFilter(QStringLiteral("where contatore=99"));
    expectStopped(QStringLiteral("non vi sono Pratiche per questo filtro"));
    dialogs.clear();
    suite.useFilter(QStringLiteral("where [campo inesistente]=1"));
    expectStopped(QStringLiteral("campo inesistente"));
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(ContactsExportTest, NoDatabaseIsAConnectionError)
{
    suite.writeKv32Ini({QStringLiteral("[datiserver]"),
                        QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\manca.sqlite")});
    expectStopped(QStringLiteral("manca.sqlite"));
    EXPECT_TRUE(dialogs.messages().first().startsWith(QStringLiteral("ERRORE DI CONNESSIONE")));
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(ContactsExportTest, ADesktopThatCannotBeMadeNamesTheFileAndLeavesNothing)
{
    ASSERT_TRUE(QDir(desktop()).removeRecursively());
    // A file where the folder should be: no user, not even the administrator, can make the folder.
    writeBytes(desktop(), QByteArray());
    expectStopped(csvPath());
    EXPECT_TRUE(QFileInfo(desktop()).isFile());
}

TEST_F(ContactsExportTest, ACaseTableWithoutAFieldStopsTheExportAndKeepsTheEarlierFile)
{
    writeBytes(csvPath(), "earlier export");
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] DROP COLUMN Ind_Garante")});
    expectStopped(QStringLiteral("Ind_Garante"));
    EXPECT_EQ(fileBytes(csvPath()), QByteArray("earlier export"));
    EXPECT_EQ(QDir(desktop()).entryList(QDir::Files), QStringList{"CONTATTIKV33.CSV"});
}
