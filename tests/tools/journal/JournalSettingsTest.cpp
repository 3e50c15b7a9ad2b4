#include "tools/journal/JournalSettings.h"

#include "support/OsFaults.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class JournalSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folder.write(QStringLiteral("dati/kv32.ini"), before);
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    }
    bool readOnly() const { return !(QFile::permissions(path) & QFileDevice::WriteOwner); }
    QByteArray content() const { return folder.read(QStringLiteral("dati/kv32.ini")); }
    QStringList filesInFolder() const { return QDir(folder.file(QStringLiteral("dati"))).entryList(QDir::Files); }

    TempFolder folder;
    const QByteArray before = "; la suite\r\n[datiserver]\r\nconnstring=Provider=SQLite;Data Source=x\r\n"
                              "LastProgGiornalexLotto=124\r\n\r\n[Altro]\r\nk=1\r\n";
    QString path;
};

} // namespace

TEST_F(JournalSettingsTest, SavingWritesBothKeysKeepsEveryOtherByteAndLeavesTheFileReadOnly)
{
    ASSERT_TRUE(readOnly());
    const Status saved = JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("Lotti di giugno"));
    ASSERT_TRUE(saved.ok()) << saved.errorText().toStdString();
    EXPECT_EQ(content(), QByteArray("; la suite\r\n[datiserver]\r\nconnstring=Provider=SQLite;Data Source=x\r\n"
                                    "LastProgGiornalexLotto=136\r\nLastMsgGiornalexLotto=Lotti di giugno\r\n\r\n"
                                    "[Altro]\r\nk=1\r\n"));
    EXPECT_TRUE(readOnly());
    EXPECT_EQ(filesInFolder(), QStringList{"kv32.ini"});
    // The next progressive is the saved one plus one.
    EXPECT_EQ(JournalSettings::nextProgressive(path), QStringLiteral("137"));
    // A file that was writable is read-only afterwards; a message is saved whole whatever quotes it holds.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString quoted = QStringLiteral("Lotti dell'agenzia \"Nord\" - l'ultimo");
    ASSERT_TRUE(JournalSettings::save(path, QStringLiteral("5"), quoted).ok());
    EXPECT_TRUE(readOnly());
    EXPECT_EQ(JournalSettings::lastMessage(path), quoted);
    // An empty message is removed.
    ASSERT_TRUE(JournalSettings::save(path, QStringLiteral("6"), QString()).ok());
    EXPECT_FALSE(content().contains("LastMsgGiornalexLotto"));
    EXPECT_TRUE(content().contains("LastProgGiornalexLotto=6\r\n"));
}

TEST_F(JournalSettingsTest, AWriteThatFailsLeavesTheFileWholeAndReadOnly)
{
    const auto expectWhole = [&](const Status& saved) {
        ASSERT_FALSE(saved.ok());
        EXPECT_TRUE(saved.errorText().contains(path)) << saved.errorText().toStdString();
        EXPECT_EQ(content(), before);
        EXPECT_TRUE(readOnly());
        EXPECT_EQ(filesInFolder(), QStringList{"kv32.ini"});
    };
    {
        const FileSizeLimit limit(16);
        expectWhole(JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("Lotti di giugno")));
    }
    // The administrator passes every permission check.
    if (geteuid() == 0)
        return;
    const QString dati = folder.file(QStringLiteral("dati"));
    QFile::setPermissions(dati, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const Status saved = JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("m"));
    QFile::setPermissions(dati, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    expectWhole(saved);
}
