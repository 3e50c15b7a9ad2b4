#include "app/BatchSession.h"
#include "app/CommandLine.h"
#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

class BatchSession : public ::testing::Test {
protected:
    /// Runs the program in batch with these arguments after "--batch"; its exit code.
    int runBatch(QStringList arguments)
    {
        dialogs.clear();
        arguments.prepend(QStringLiteral("--batch"));
        arguments.prepend(QStringLiteral("exp_nrv_xml"));
        const Result<CommandLine> options = CommandLine::parse(arguments);
        EXPECT_TRUE(options) << options.errorText().toStdString();
        return runBatchSession(*options, dialogs, clock);
    }

    SuiteFixture suite;
    ScriptedDialogs dialogs;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
};

} // namespace

TEST_F(BatchSession, WithoutALineTheTestLinesCasesAreCheckedAndExportedAndANumberNotSavedEndsWithOne)
{
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EECH")});
    suite.useFilter(QStringLiteral("where contatore=1"));
    const QString sheets = DriveMapping::toLocalPath(SuitePaths::sheetFolder());
    QDir(sheets).removeRecursively();
    // Without a line the built-in test line names C:\work\kv32ado\status.txt. The sheet folder is made once.
    EXPECT_EQ(runBatch({}), ExitDone);
    EXPECT_TRUE(QFileInfo(sheets).isDir());
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML");
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("Creata Cartella Diagnosis Sheet sul Server"),
                                               QStringLiteral("I dati sembrano OK"),
                                               QStringLiteral("File ") + flow + QStringLiteral(" generato")}));
    EXPECT_TRUE(QFileInfo(flow).isFile());

    // The next flow is written, but the export after it would propose its number again: the run has failed.
    QFile::setPermissions(suite.local(SuitePaths::idNrvXmlIni()), QFileDevice::ReadOwner);
    EXPECT_EQ(runBatch({}), ExitStopped);
    EXPECT_TRUE(QFileInfo(suite.home().desktop() + QStringLiteral("/0008_06_00002_2011-06-10.XML")).isFile());
    EXPECT_EQ(dialogs.messages().size(), 3);
    EXPECT_TRUE(dialogs.messages().last().startsWith(QStringLiteral("Il progressivo 00002 NON è stato salvato.")))
        << dialogs.messages().last().toStdString();
}

TEST_F(BatchSession, ARunThatStartsNoToolOrFindsNoCaseEndsWithOneSayingWhy)
{
    suite.useFilter(QStringLiteral("where contatore=0"));
    // The suite's line (none: the test line), and what the one message says.
    const std::pair<QStringList, QString> runs[] = {
        {{QStringLiteral("a|b")}, QStringLiteral("PAR0=a\r\nPAR1=b\r\n")},
        {{QStringLiteral("1|2|3|C:\\manca.txt")}, QStringLiteral("C:\\manca.txt")},
        {{}, QStringLiteral("Nessuna pratica da controllare con il filtro where contatore=0")}};
    for (const auto& [line, said] : runs) {
        EXPECT_EQ(runBatch(line), ExitStopped) << said.toStdString();
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().first().contains(said)) << dialogs.messages().first().toStdString();
    }

    // The operator learns which folder stands for a drive that is missing, and how to name another.
    EnvGuard env;
    const QString unmounted = suite.home().folder().file(QStringLiteral("non-montato"));
    env.set("KV32_DRIVE_Z", unmounted);
    EXPECT_EQ(runBatch({}), ExitStopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().endsWith(
        QStringLiteral(" nel creare la cartella Z:\\work\\kv32\\dati\\ds\\\nIl disco Z: è la cartella %1, che non "
                       "esiste: indicarne un'altra con la variabile KV32_DRIVE_Z o crearla.")
            .arg(unmounted)))
        << dialogs.messages().first().toStdString();
}
