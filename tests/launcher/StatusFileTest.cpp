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

    // A line without "=" gives nothing but still counts; fewer lines leave the rest empty.
    const Result<ToolParams> noEquals =
        StatusFile::parse(QStringLiteral("n=7\r\nnessun uguale\r\nt=terza\r\n"), QStringLiteral("s"));
    ASSERT_TRUE(noEquals);
    EXPECT_EQ(noEquals->ParFiltro, QString());
    EXPECT_EQ(noEquals->ParTesto, QStringLiteral("terza"));
    const Result<ToolParams> oneLine = StatusFile::parse(QStringLiteral("=  42 "), QStringLiteral("s"));
    ASSERT_TRUE(oneLine);
    EXPECT_EQ(oneLine->ParContatore, 42);
    EXPECT_TRUE(oneLine->ParFiltro.isEmpty());
}

TEST(StatusFile, AFirstValueThatIsNoWholeNumberIsRefusedNamingTheFile)
{
    for (const char* first : {"n=", "n=abc", "n=12x", "n=99999999999"}) {
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
}

TEST(StatusFile, OnlyItsFirstThreeLinesAreReadAndTheyMustEndWithin64KiB)
{
    TempFolder folder;
    const QString trailing = folder.file(QStringLiteral("trailing.txt"));
    writeSparse(trailing, "n=5\r\nf=where x=1\r\nt=tre\r\nresto", 1024 * 1024);
    const Result<ToolParams> params = StatusFile::read(trailing);
    ASSERT_TRUE(params) << params.errorText().toStdString();
    EXPECT_EQ(params->ParTesto, QStringLiteral("tre"));

    const QString endless = folder.file(QStringLiteral("endless.txt"));
    writeSparse(endless, "n=5\r\nf=where x=1\r\n", 64 * 1024 + 1);
    for (const QString& path : {endless, QStringLiteral("/dev/zero")}) {
        const Result<ToolParams> refused = StatusFile::read(path);
        ASSERT_FALSE(refused) << path.toStdString();
        EXPECT_TRUE(refused.errorText().contains(path) && refused.errorText().contains(QStringLiteral("64 KiB")))
            << refused.errorText().toStdString();
    }
}
