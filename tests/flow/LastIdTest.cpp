#include "flow/LastId.h"

#include "launcher/SuitePaths.h"

#include "support/QtPrinters.h"
#include "support/SuiteFixture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

class LastIdTest : public ::testing::Test {
protected:
    QString path() { return suite.local(SuitePaths::idNrvXmlIni()); }
    void write(const QByteArray& bytes)
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray content()
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    SuiteFixture suite;
};

} // namespace

TEST(LeadingWholeNumberTest, ReadsTheNumberTheTextStartsWith)
{
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("00042")), 42);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral(" 4 2 ")), 42);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("12abc")), 12);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("-7")), -7);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("42.5")), 42);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("43.5")), 44);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("1,9")), 1);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("1e3x")), 1000);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral(".6")), 1);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(leadingWholeNumber(QString()), 0);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("-")), 0);
    EXPECT_EQ(leadingWholeNumber(QStringLiteral("99999999999")), 0);
}

TEST_F(LastIdTest, ReadsLastIdOfTheNorvantaSection)
{
    EXPECT_EQ(LeggiLastID(), 0);
    write("[Norvanta]\r\nLastID=00042\r\n");
    EXPECT_EQ(LeggiLastID(), 42);
    write("[altro]\r\nLastID=7\r\n[NORVANTA]\r\nlastid = \"0123\"\r\n");
    EXPECT_EQ(LeggiLastID(), 123);
    write("[Norvanta]\r\nLastID=abc\r\n");
    EXPECT_EQ(LeggiLastID(), 0);
    write("[Norvanta]\r\nLastID=\r\n");
    EXPECT_EQ(LeggiLastID(), 0);
}

TEST_F(LastIdTest, SavingReplacesTheWholeFile)
{
    write("; note\r\n[Norvanta]\r\nLastID=00042\r\nAltro=1\r\n");
    ASSERT_TRUE(SalvaLastID(QStringLiteral("00043")));
    EXPECT_EQ(content(), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
    ASSERT_TRUE(SalvaLastID(QString::fromUtf8("città")));
    EXPECT_EQ(content(), QByteArray("[Norvanta]\r\nLastID=citt\xE0\r\n"));
    QFile::remove(path());
    ASSERT_TRUE(SalvaLastID(QStringLiteral("00001")));
    EXPECT_EQ(content(), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
    // A file the suite made read-only stays as it is, and the failure names it.
    QFile::setPermissions(path(), QFileDevice::ReadOwner);
    const Status saved = SalvaLastID(QStringLiteral("00002"));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.errorText().contains(QStringLiteral("IDNrvXML.ini")));
    EXPECT_EQ(content(), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
}
