#include "flow/LastId.h"

#include "foundation/SuitePaths.h"

#include "support/QtPrinters.h"
#include "support/SuiteFixture.h"

#include <QFile>

TEST(LastIdTest, TheLeadingWholeNumberOfTheText)
{
    const std::pair<const char*, std::optional<qint32>> cases[] = {{"00042", 42},
                                                                   {" 4 2 ", 42},
                                                                   {"12abc", 12},
                                                                   {"-7", -7},
                                                                   {"42.5", 42},
                                                                   {"43.5", 44},
                                                                   {"1,9", 1},
                                                                   {"1e3x", 1000},
                                                                   {".6", 1},
                                                                   {"abc", 0},
                                                                   {"", 0},
                                                                   {"-", 0},
                                                                   {"2147483647", 2147483647},
                                                                   {"-2147483648", -2147483647 - 1},
                                                                   {"99999999999", std::nullopt},
                                                                   {"2147483648", std::nullopt},
                                                                   {"-2147483649", std::nullopt},
                                                                   {"1e999", std::nullopt}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(leadingWholeNumber(QString::fromLatin1(text)), number) << text;
}

TEST(LastIdTest, ReadsTheNorvantaSectionAndSavingReplacesTheWholeFile)
{
    SuiteFixture suite;
    const QString path = suite.local(SuitePaths::idNrvXmlIni());
    EXPECT_EQ(LeggiLastID().value(), 0);
    const std::pair<const char*, qint32> files[] = {{"[Norvanta]\r\nLastID=00042\r\n", 42},
                                                    {"[altro]\r\nLastID=7\r\n[NORVANTA]\r\nlastid = \"0123\"\r\n", 123},
                                                    {"[Norvanta]\r\nLastID=abc\r\n", 0},
                                                    {"[Norvanta]\r\nLastID=\r\n", 0}};
    for (const auto& [bytes, number] : files) {
        writeBytes(path, bytes);
        EXPECT_EQ(LeggiLastID().value_or(-1), number) << bytes;
    }
    // A number no flow number can hold proposes nothing, and says so.
    writeBytes(path, "[Norvanta]\r\nLastID=99999999999\r\n");
    const Result<qint32> beyond = LeggiLastID();
    ASSERT_FALSE(beyond);
    EXPECT_EQ(beyond.errorText(),
              QStringLiteral("Il file Z:\\work\\kv32\\dati\\IDNrvXML.ini contiene LastID=99999999999, "
                             "un numero fuori dall'intervallo dei progressivi (da -2147483648 a "
                             "2147483647): non si propone alcun progressivo."));
    // Nor does a file too large to be an INI file: it is no missing file, which would propose 1.
    writeSparse(path, "[Norvanta]\r\nLastID=00042\r\n", 2 * 1024 * 1024);
    const Result<qint32> oversized = LeggiLastID();
    ASSERT_FALSE(oversized);
    EXPECT_TRUE(oversized.errorText().contains(QStringLiteral("IDNrvXML.ini"))) << oversized.errorText().toStdString();

    writeBytes(path, "; note\r\n[Norvanta]\r\nLastID=00042\r\nAltro=1\r\n");
    ASSERT_TRUE(SalvaLastID(QStringLiteral("00043")));
    EXPECT_EQ(fileBytes(path), QByteArray("[Norvanta]\r\nLastID=00043\r\n"));
    ASSERT_TRUE(SalvaLastID(QString::fromUtf8("città")));
    EXPECT_EQ(fileBytes(path), QByteArray("[Norvanta]\r\nLastID=citt\xE0\r\n"));
    QFile::remove(path);
    ASSERT_TRUE(SalvaLastID(QStringLiteral("00001")));
    EXPECT_EQ(fileBytes(path), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
    // A file the suite made read-only stays as it is, and the failure names it.
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    const Status saved = SalvaLastID(QStringLiteral("00002"));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(saved.errorText().contains(QStringLiteral("IDNrvXML.ini")));
    EXPECT_EQ(fileBytes(path), QByteArray("[Norvanta]\r\nLastID=00001\r\n"));
}
