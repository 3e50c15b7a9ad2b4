#include "tools/contacts/ContactsExport.h"

#include "tools/contacts/ContactsBatchView.h"

#include "support/OsFaults.h"
#include "tools/ToolTestSupport.h"

#include <QDir>

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
        dialogs.clear();
        ContactsExport contacts(module, dialogs, view, [this] { ++pumped; });
        contacts.params = dispatchTool(module, 4999).params;
        return contacts.Inizia();
    }
    /// The export stopped with one message that holds `cause`, and the desktop is as it was.
    void expectStopped(const QString& cause)
    {
        SCOPED_TRACE(cause.toStdString());
        const QStringList before = filesOf(desktop());
        EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
        EXPECT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().value(0).contains(cause)) << dialogs.messages().value(0).toStdString();
        EXPECT_EQ(filesOf(desktop()), before);
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

TEST_F(ContactsExportTest, TheTinySuiteGivesTheExpectedBytesAndAnExportThatStopsNamesTheCauseAndKeepsTheFile)
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
    EXPECT_EQ(std::pair(view.progressText(), pumped), std::pair(QStringLiteral("3/3"), 3));

    // An empty filter exports every case, the other mandate included, and replaces the earlier file.
    suite.useFilter(QString());
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    EXPECT_EQ(fileBytes(csvPath()).count("\r\n"), 5);
    EXPECT_TRUE(fileBytes(csvPath()).contains("\"ESCLUSO\""));

    suite.useFilter(QStringLiteral("where contatore=99"));
    expectStopped(QStringLiteral("non vi sono Pratiche per questo filtro"));
    suite.useFilter(QStringLiteral("where [campo inesistente]=1"));
    expectStopped(QStringLiteral("campo inesistente"));
    suite.useFilter(QString());
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] DROP COLUMN Ind_Garante")});
    expectStopped(QStringLiteral("Ind_Garante"));
    suite.writeKv32Ini({QStringLiteral("[datiserver]"),
                        QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\manca.sqlite")});
    expectStopped(QStringLiteral("ERRORE DI CONNESSIONE"));
}

TEST_F(ContactsExportTest, ADesktopThatCannotBeMadeIsNamed)
{
    // A file where the desktop folder should be: no user, not even the administrator, can make the folder.
    ASSERT_TRUE(QDir(desktop()).removeRecursively());
    writeBytes(desktop(), QByteArray());
    expectStopped(csvPath());
}
