#include "tools/journal/JournalSettings.h"

#include "support/OsFaults.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class JournalSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folder.write(QStringLiteral("dati/kv32.ini"), before);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    /// The folder's files, and whether kv32.ini is read-only.
    std::pair<QStringList, bool> folderState() const
    {
        return {filesOf(folder.file(QStringLiteral("dati"))), !(QFile::permissions(path) & QFileDevice::WriteOwner)};
    }

    TempFolder folder;
    const QByteArray before = "; la suite\r\n[datiserver]\r\nconnstring=Provider=SQLite;Data Source=x\r\n"
                              "LastProgGiornalexLotto=124\r\n\r\n[Altro]\r\nk=1\r\n";
    QString path;
};

} // namespace

TEST_F(JournalSettingsTest, SavingWritesBothKeysKeepsEveryOtherByteAndLeavesTheFileReadOnly)
{
    ASSERT_OK(JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("Lotti di giugno")));
    EXPECT_EQ(
        folder.read(QStringLiteral("dati/kv32.ini")),
        QByteArray("; la suite\r\n[datiserver]\r\nconnstring=Provider=SQLite;Data Source=x\r\n"
                   "LastProgGiornalexLotto=136\r\nLastMsgGiornalexLotto=Lotti di giugno\r\n\r\n[Altro]\r\nk=1\r\n"));
    EXPECT_TRUE(folderState().second && folderState().first.size() == 1);
    // A file that was writable is read-only afterwards; a message is saved whole whatever quotes it holds.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString quoted = QStringLiteral("Lotti dell'agenzia \"Nord\" - l'ultimo");
    ASSERT_OK(JournalSettings::save(path, QStringLiteral("5"), quoted));
    EXPECT_EQ(std::pair(JournalSettings::lastMessage(path), folderState().second), std::pair(quoted, true));
    // An empty message is removed.
    ASSERT_OK(JournalSettings::save(path, QStringLiteral("6"), QString()));
    EXPECT_EQ(folder.read(QStringLiteral("dati/kv32.ini")), QByteArray(before).replace("124", "6"));
}

TEST_F(JournalSettingsTest, AWriteBeyondTheSizeLimitLeavesTheFileWholeAndReadOnly)
{
    const auto state = folderState();
    {
        const FileSizeLimit limit(16);
        const Status saved = JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("Lotti di giugno"));
        EXPECT_TRUE(!saved.ok() && saved.errorText().contains(path)) << saved.errorText().toStdString();
    }
    EXPECT_EQ(folderState(), state);
}
