#include "tools/contacts/ContactsExport.h"

#include "launcher/ModuloCommand.h"
#include "launcher/Windows1252.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/ScriptedDialogs.h"
#include "tools/contacts/ContactsBatchView.h"

#include "support/SuiteFixture.h"
#include "tools/ToolTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

/// A reader of comma-separated text as address books read it: quoted cells may hold commas and line ends, a
/// doubled quote stands for one, records end with CR LF.
QList<QStringList> readCsv(const QString& text)
{
    QList<QStringList> records;
    QStringList record;
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                cell.append(c);
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                cell.append(c);
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(cell);
            cell.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            record.append(cell);
            records.append(record);
            record.clear();
            cell.clear();
            ++i;
        } else {
            cell.append(c);
        }
    }
    return records;
}

class ContactsExportTest : public ::testing::Test {
protected:
    ContactsExportTest()
    {
        execFile(suite.database(), toolsData(QStringLiteral("contacts/tiny-suite.sql")));
        suite.writeStatusFile(
            {QStringLiteral("n=1"), QStringLiteral("f=where [tipo mandato]='NRV' order by contatore")});
    }

    ContactsExport::Outcome run()
    {
        const Dispatch dispatch = dispatchTool(module, 4999);
        ContactsExport contacts(module, dialogs, view, [this] { ++pumped; });
        contacts.params = dispatch.params;
        return contacts.Inizia();
    }
    QString csvPath() { return suite.home().folder().file(QStringLiteral("home/Desktop/CONTATTIKV33.CSV")); }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
    ModuloCommand module{clock, QStringLiteral("EXP_OUTLOOK")};
    ScriptedDialogs dialogs;
    ContactsBatchView view;
    int pumped = 0;
};

} // namespace

TEST_F(ContactsExportTest, TheTinySuiteGivesTheExpectedBytes)
{
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    EXPECT_EQ(ContactsExport::outputPath(), csvPath());
    const QByteArray expected = readBytes(toolsData(QStringLiteral("contacts/CONTATTIKV33.CSV")));
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(readBytes(csvPath()), expected);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("File ") + csvPath() + QStringLiteral(" esportato")});
    // The label ends on the last case; the window repaints once per case.
    EXPECT_EQ(view.progressText(), QStringLiteral("3/3"));
    EXPECT_EQ(pumped, 3);
}

TEST_F(ContactsExportTest, TheFileReadsBackAsTheContactsItDescribes)
{
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    const QList<QStringList> records = readCsv(Windows1252::decode(readBytes(csvPath())));
    ASSERT_EQ(records.size(), 4);
    const QStringList& header = records.at(0);
    ASSERT_EQ(header.size(), 92);
    for (qsizetype i = 1; i < records.size(); ++i)
        EXPECT_EQ(records.at(i).size(), 87) << "record " << i;
    const auto cell = [&](int record, const char* label) {
        return records.at(record).value(header.indexOf(QString::fromUtf8(label)));
    };
    EXPECT_EQ(cell(1, "Cognome"), QStringLiteral("ROSSI"));
    EXPECT_EQ(cell(1, "Nome"), QStringLiteral("MARIO"));
    EXPECT_EQ(cell(1, "Titolo"), QStringLiteral("Sig."));
    EXPECT_EQ(cell(1, "Città (uff.)"), QStringLiteral("Città di Castello"));
    EXPECT_EQ(cell(1, "Notes"), QStringLiteral("Prima riga Seconda riga\nterza"));
    EXPECT_EQ(cell(1, "Cellulare"), QStringLiteral("3331234567"));
    EXPECT_EQ(cell(2, "Cognome"), QStringLiteral("D ALFA"));
    EXPECT_EQ(cell(2, "Nome"), QString());
    EXPECT_EQ(cell(2, "Via (uff.)"), QStringLiteral("Piazza Duomo 1"));
    EXPECT_EQ(cell(2, "Nome visualizzato posta elettronica"), QStringLiteral("D ALFA  BETA@"));
    EXPECT_EQ(cell(3, "Titolo"), QString());
    EXPECT_EQ(cell(3, "Indirizzo posta elettronica"), QStringLiteral("GARANTE SRL"));
    EXPECT_EQ(cell(3, "Sesso"), QStringLiteral("Non specificato"));
}

TEST_F(ContactsExportTest, AnEmptyFilterExportsEveryCaseAndReplacesTheEarlierFile)
{
    QDir().mkpath(QFileInfo(csvPath()).absolutePath());
    QFile old(csvPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old contents that are longer than nothing");
    old.close();
    suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=")});
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    const QByteArray bytes = readBytes(csvPath());
    EXPECT_EQ(bytes.count("\r\n"), 5); // the header and four cases, the other mandate included
    EXPECT_TRUE(bytes.contains("\"ESCLUSO\""));
    EXPECT_FALSE(bytes.contains("old contents"));
}

TEST_F(ContactsExportTest, AFilterWithoutCasesWritesNoFile)
{
    suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=where contatore=99")});
    EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("non vi sono Pratiche per questo filtro")});
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(ContactsExportTest, AFilterThatFailsShowsTheDriversTextAndWritesNoFile)
{
    suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=where [campo inesistente]=1")});
    EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("campo inesistente")))
        << dialogs.messages().first().toStdString();
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(ContactsExportTest, NoDatabaseIsAConnectionError)
{
    suite.writeKv32Ini({QStringLiteral("[datiserver]"),
                        QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\manca.sqlite")});
    EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().startsWith(QStringLiteral("ERRORE DI CONNESSIONE")));
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("manca.sqlite")));
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(ContactsExportTest, AMissingDesktopFolderIsCreated)
{
    ASSERT_TRUE(QDir(QFileInfo(csvPath()).absolutePath()).removeRecursively());
    ASSERT_EQ(run(), ContactsExport::Outcome::Exported);
    EXPECT_TRUE(QFileInfo(csvPath()).isFile());
}

TEST_F(ContactsExportTest, ADesktopThatCannotBeMadeNamesTheFileAndLeavesNothing)
{
    const QString desktop = QFileInfo(csvPath()).absolutePath();
    ASSERT_TRUE(QDir(desktop).removeRecursively());
    // A file where the folder should be: no user, not even the administrator, can make the folder.
    QFile blocker(desktop);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(csvPath())) << dialogs.messages().first().toStdString();
    EXPECT_TRUE(QFileInfo(desktop).isFile());
}

TEST_F(ContactsExportTest, ACaseTableWithoutAFieldStopsTheExportAndKeepsTheEarlierFile)
{
    QDir().mkpath(QFileInfo(csvPath()).absolutePath());
    QFile old(csvPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("earlier export");
    old.close();
    suite.database().exec({QStringLiteral("ALTER TABLE [Tabella Pratiche] DROP COLUMN Ind_Garante")});
    EXPECT_EQ(run(), ContactsExport::Outcome::Stopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("Ind_Garante")))
        << dialogs.messages().first().toStdString();
    EXPECT_EQ(readBytes(csvPath()), QByteArray("earlier export"));
    EXPECT_EQ(QDir(QFileInfo(csvPath()).absolutePath()).entryList(QDir::Files), QStringList{"CONTATTIKV33.CSV"});
}
