#include "tools/contacts/ContactsExport.h"

#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "tools/contacts/ContactsBatchView.h"

#include "support/SuiteFixture.h"
#include "tools/ToolTestSupport.h"

#include <QDir>
#include <QFile>
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
        ContactsExport contacts(module, dialogs, view, [this] { ++pumped; });
        contacts.params = dispatchTool(module, 4999).params;
        return contacts.Inizia();
    }
    /// The export stopped with one message that holds `cause`.
    void expectStopped(const QString& cause)
    {
        dialogs.clear();
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
    // Names split at single blanks, cells cleaned, a double quote in a value doubled so that the cell stays whole.
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

    // An empty filter exports every case, the other mandate included, and replaces the earlier file.
    suite.useFilter(QString());
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    EXPECT_EQ(fileBytes(csvPath()).count("\r\n"), 5);
    EXPECT_TRUE(fileBytes(csvPath()).contains("\"ESCLUSO\""));
}

TEST_F(ContactsExportTest, AnExportThatStopsNamesTheCauseAndKeepsTheEarlierFile)
{
    const QString missing = QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\manca.sqlite");
    const struct {
        const char* name;
        std::function<void()> make;
        QString cause;
    } rows[] = {
        {"a filter without cases", [&] { suite.useFilter(QStringLiteral("where contatore=99")); },
         QStringLiteral("non vi sono Pratiche per questo filtro")},
        {"a filter that fails", [&] { suite.useFilter(QStringLiteral("where [campo inesistente]=1")); },
         QStringLiteral("campo inesistente")},
        {"a case table without a field",
         [&] {
             suite.useFilter(QString());
             suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] DROP COLUMN Ind_Garante")});
         },
         QStringLiteral("Ind_Garante")},
        {"no database",
         [&] {
             suite.writeKv32Ini({QStringLiteral("[datiserver]"), missing});
         },
         QStringLiteral("ERRORE DI CONNESSIONE")},
    };
    // A file where the desktop folder should be: no user, not even the administrator, can make the folder.
    ASSERT_TRUE(QDir(desktop()).removeRecursively());
    writeBytes(desktop(), QByteArray());
    expectStopped(csvPath());
    EXPECT_TRUE(QFileInfo(desktop()).isFile());
    ASSERT_TRUE(QFile::remove(desktop()));

    writeBytes(csvPath(), "earlier export");
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        row.make();
        expectStopped(row.cause);
        EXPECT_EQ(fileBytes(csvPath()), QByteArray("earlier export"));
        EXPECT_EQ(QDir(desktop()).entryList(QDir::Files), QStringList{"CONTATTIKV33.CSV"});
    }
}
