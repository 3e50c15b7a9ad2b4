#include "launcher/StatusFile.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(StatusFile, ReadsTheFirstThreeLinesOfAWindows1252FileEachAfterItsFirstEquals)
{
    TempFolder folder;
    EnvGuard env;
    env.set("KV32_DRIVE_C", folder.path());
    folder.write(QStringLiteral("kv/status.txt"),
                 QByteArray("n=5\nfiltro=where citt\xe0='Forl\xec'\rqualsiasi=terzo=valore\r\nquarta=ignorata"));
    const Result<ToolParams> params = StatusFile::read(QStringLiteral("C:\\kv\\status.txt"));
    ASSERT_TRUE(params) << params.errorText().toStdString();
    EXPECT_EQ(params->ParContatore, 5);
    EXPECT_EQ(params->ParFiltro, QString::fromUtf8("where città='Forlì'"));
    EXPECT_EQ(params->ParTesto, QStringLiteral("terzo=valore"));

    // A line without "=" gives nothing but still counts; fewer lines leave the rest empty.
    const Result<ToolParams> noEquals =
        StatusFile::parse(QStringLiteral("=  42 \r\nnessun uguale\r\n"), QStringLiteral("s"));
    ASSERT_TRUE(noEquals);
    EXPECT_EQ(noEquals->ParContatore, 42);
    EXPECT_TRUE(noEquals->ParFiltro.isEmpty() && noEquals->ParTesto.isEmpty());
}

TEST(StatusFile, AFirstValueThatIsNoWholeNumberOrALineBeyond64KiBIsRefusedNamingTheFile)
{
    for (const char* first : {"n=", "n=abc", "n=12x", "n=99999999999"}) {
        const Result<ToolParams> params = StatusFile::parse(
            QString::fromLatin1(first) + QStringLiteral("\r\nf=where 1=1\r\n"), QStringLiteral("C:\\work\\status.txt"));
        ASSERT_FALSE(params) << first;
        EXPECT_TRUE(params.errorText().contains(QStringLiteral("C:\\work\\status.txt"))) << first;
    }

    // Only the first three lines are read: what follows them may be of any size.
    TempFolder folder;
    const QString trailing = folder.file(QStringLiteral("trailing.txt"));
    writeSparse(trailing, "n=5\r\nf=where x=1\r\nt=tre\r\nresto", 1024 * 1024);
    ASSERT_TRUE(StatusFile::read(trailing));
    const QString endless = folder.file(QStringLiteral("endless.txt"));
    writeSparse(endless, "n=5\r\nf=where x=1\r\n", 64 * 1024 + 1);
    for (const QString& path : {endless, QStringLiteral("/dev/zero")}) {
        const Result<ToolParams> refused = StatusFile::read(path);
        ASSERT_FALSE(refused) << path.toStdString();
        EXPECT_TRUE(refused.errorText().contains(path) && refused.errorText().contains(QStringLiteral("64 KiB")))
            << refused.errorText().toStdString();
    }
}
