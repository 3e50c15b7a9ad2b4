#include "tools/journal/JournalSettings.h"

#include "foundation/IniFile.h"

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

TEST_F(JournalSettingsTest, TheNextProgressiveIsTheSavedOnePlusOne)
{
    EXPECT_EQ(JournalSettings::nextProgressive(path), QStringLiteral("125"));
    EXPECT_EQ(JournalSettings::lastMessage(path), QString());
    const QString other =
        folder.write(QStringLiteral("other.ini"), "[Datiserver]\r\nLastProgGiornalexLotto=200abc\r\n");
    EXPECT_EQ(JournalSettings::nextProgressive(other), QStringLiteral("201"));
    EXPECT_EQ(JournalSettings::nextProgressive(folder.file(QStringLiteral("missing.ini"))), QStringLiteral("1"));
    const QString withoutKeys = folder.write(QStringLiteral("keys.ini"), "[Datiserver]\r\nconnstring=x\r\n");
    EXPECT_EQ(JournalSettings::nextProgressive(withoutKeys), QStringLiteral("1"));
    EXPECT_EQ(JournalSettings::lastMessage(withoutKeys), QString());
}

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
    EXPECT_EQ(JournalSettings::nextProgressive(path), QStringLiteral("137"));
    // A file that was writable is read-only afterwards.
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    ASSERT_TRUE(JournalSettings::save(path, QStringLiteral("5"), QStringLiteral("m")).ok());
    EXPECT_TRUE(readOnly());
}

TEST_F(JournalSettingsTest, AWriteThatFailsLeavesTheFileWholeAndReadOnly)
{
    Status saved = Status::success();
    {
        const FileSizeLimit limit(16);
        saved = JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("Lotti di giugno"));
    }
    ASSERT_FALSE(saved.ok());
    EXPECT_TRUE(saved.errorText().contains(path)) << saved.errorText().toStdString();
    EXPECT_EQ(content(), before);
    EXPECT_TRUE(readOnly());
    EXPECT_EQ(filesInFolder(), QStringList{"kv32.ini"});
}

TEST_F(JournalSettingsTest, AFolderThatCannotBeWrittenLeavesTheFileWholeAndReadOnly)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the administrator passes every permission check";
    const QString dati = folder.file(QStringLiteral("dati"));
    QFile::setPermissions(dati, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const Status saved = JournalSettings::save(path, QStringLiteral("136"), QStringLiteral("m"));
    QFile::setPermissions(dati, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(content(), before);
    EXPECT_TRUE(readOnly());
}
