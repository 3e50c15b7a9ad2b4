#include "launcher/StatusFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(StatusFile, OnlyTheFirstThreeLinesCountEachAfterItsFirstEquals)
{
    const Result<ToolParams> params = StatusFile::parse(
        QStringLiteral("contatore=1234\r\nfiltro=where [tipo mandato]='NRV' and x=1\r\nqualsiasi=terzo=valore\r\n"
                       "quarta=ignorata\r\n"),
        QStringLiteral("status.txt"));
    ASSERT_TRUE(params) << params.errorText().toStdString();
    EXPECT_EQ(params->ParContatore, 1234);
    EXPECT_EQ(params->ParFiltro, QStringLiteral("where [tipo mandato]='NRV' and x=1"));
    EXPECT_EQ(params->ParTesto, QStringLiteral("terzo=valore"));
}

TEST(StatusFile, ALineWithoutEqualsGivesNothingButStillCounts)
{
    const Result<ToolParams> params =
        StatusFile::parse(QStringLiteral("n=7\r\nnessun uguale\r\nt=terza\r\nx=quarta\r\n"), QStringLiteral("s"));
    ASSERT_TRUE(params);
    EXPECT_EQ(params->ParContatore, 7);
    EXPECT_EQ(params->ParFiltro, QString());
    EXPECT_EQ(params->ParTesto, QStringLiteral("terza"));

    // Fewer lines leave the rest empty; an empty first value is no case number.
    const Result<ToolParams> short_ = StatusFile::parse(QStringLiteral("=  42 "), QStringLiteral("s"));
    ASSERT_TRUE(short_);
    EXPECT_EQ(short_->ParContatore, 42);
    EXPECT_TRUE(short_->ParFiltro.isEmpty());
    EXPECT_FALSE(StatusFile::parse(QStringLiteral("n=\r\n"), QStringLiteral("s")));
}

TEST(StatusFile, AFirstValueThatIsNoWholeNumberIsRefusedNamingTheFile)
{
    for (const char* first : {"n=abc", "n=12x", "n=99999999999"}) {
        const Result<ToolParams> params = StatusFile::parse(
            QString::fromLatin1(first) + QStringLiteral("\r\nf=where 1=1\r\n"), QStringLiteral("C:\\work\\status.txt"));
        ASSERT_FALSE(params) << first;
        EXPECT_TRUE(params.errorText().contains(QStringLiteral("C:\\work\\status.txt"))) << first;
    }
}

TEST(StatusFile, ReadsWindows1252FilesWithAnyLineEnd)
{
    TempFolder folder;
    EnvGuard env;
    env.set("KV32_DRIVE_C", folder.path());
    folder.write(QStringLiteral("kv/status.txt"), QByteArray("n=5\nfiltro=where citt\xe0='Forl\xec'\rt=x"));
    const Result<ToolParams> params = StatusFile::read(QStringLiteral("C:\\kv\\status.txt"));
    ASSERT_TRUE(params) << params.errorText().toStdString();
    EXPECT_EQ(params->ParContatore, 5);
    EXPECT_EQ(params->ParFiltro, QString::fromUtf8("where città='Forlì'"));
    EXPECT_EQ(params->ParTesto, QStringLiteral("x"));

    const Result<ToolParams> missing = StatusFile::read(QStringLiteral("C:\\kv\\manca.txt"));
    ASSERT_FALSE(missing);
    EXPECT_TRUE(missing.errorText().contains(QStringLiteral("C:\\kv\\manca.txt")));
}
