#include "flow/LastId.h"

#include "foundation/SuitePaths.h"

#include "support/QtPrinters.h"
#include "support/SuiteFixture.h"

TEST(LastIdTest, TheLeadingWholeNumberOfTheText)
{
    const auto number = [](const QString& text) {
        const std::optional<qint32> number = leadingWholeNumber(text);
        return number ? QString::number(*number) : QStringLiteral("none");
    };
    const TextCases cases = {{"00042", "42"}, {" 4 2 ", "42"}, {"12abc", "12"},  {"-7", "-7"}, {"42.5", "42"},
                             {"43.5", "44"},  {"1,9", "1"},    {"1e3x", "1000"}, {".6", "1"},  {"abc", "0"},
                             {"", "0"},       {"-", "0"},      {"1e999", "none"}};
    expectTexts(number, cases);
    // The ends of a flow number's range, and just beyond.
    EXPECT_EQ(number(QStringLiteral("2147483647")) + number(QStringLiteral("-2147483648")), "2147483647-2147483648");
    for (const char* beyond : {"99999999999", "2147483648", "-2147483649"})
        EXPECT_EQ(number(QString::fromLatin1(beyond)), QStringLiteral("none")) << beyond;
}

TEST(LastIdTest, ReadsTheNorvantaSectionAndSavingReplacesTheWholeFile)
{
    // How the export proposes, refuses and saves the number is the export's test; here the file's own rules.
    SuiteFixture suite;
    const QString path = suite.local(SuitePaths::idNrvXmlIni());
    writeBytes(path, "[altro]\r\nLastID=7\r\n[NORVANTA]\r\nlastid = \"0123\"\r\n");
    EXPECT_EQ(LeggiLastID().value_or(-1), 123);
    // A file too large to be an INI file proposes nothing: it is no missing file, which would propose 1.
    writeSparse(path, "[Norvanta]\r\nLastID=00042\r\n", 2 * 1024 * 1024);
    const Result<qint32> oversized = LeggiLastID();
    ASSERT_FALSE(oversized);
    EXPECT_TRUE(oversized.errorText().contains(QStringLiteral("IDNrvXML.ini"))) << oversized.errorText().toStdString();

    writeBytes(path, "; note\r\n[Norvanta]\r\nLastID=00042\r\nAltro=1\r\n");
    ASSERT_TRUE(SalvaLastID(QString::fromUtf8("città")));
    EXPECT_EQ(fileBytes(path), QByteArray("[Norvanta]\r\nLastID=citt\xE0\r\n"));
}
