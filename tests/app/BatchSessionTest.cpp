#include "app/BatchSession.h"
#include "app/CommandLine.h"
#include "foundation/DriveMapping.h"
#include "foundation/ShareLock.h"
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

TEST_F(BatchSession, TheMainToolChecksTheCasesOfTheStatusFileAndExports)
{
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EECH"), QStringLiteral("2|BIANCHI ANNA|NRV|EESE"),
                    QStringLiteral("3|VERDI LUCA|NRV|CHIU")});
    suite.useFilter(QStringLiteral("where contatore<>2"));
    // Without a line the built-in test line names C:\work\kv32ado\status.txt. The check passes and the export
    // writes the flow with the proposed answers.
    EXPECT_EQ(runBatch({}), ExitDone);
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML");
    EXPECT_EQ(dialogs.messages(), (QStringList{QStringLiteral("I dati sembrano OK"),
                                               QStringLiteral("File ") + flow + QStringLiteral(" generato")}));
    EXPECT_TRUE(QFileInfo(flow).isFile());

    // Case 2 needs a sheet it has not got: the check stops there and the run ends with 1.
    suite.useFilter(QStringLiteral("order by contatore"));
    EXPECT_EQ(runBatch({}), ExitStopped);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca Diagnosis Sheet")});

    suite.useFilter(QStringLiteral("where contatore=0"));
    EXPECT_EQ(runBatch({}), ExitStopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("where contatore=0")));
}

TEST_F(BatchSession, AFlowWhoseNumberIsHeldNotSavedOrNotProposedEndsWithOne)
{
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EECH")});
    suite.useFilter(QStringLiteral("where contatore=1"));
    const QString lastId = suite.local(SuitePaths::idNrvXmlIni());
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_00043_2011-06-10.XML");

    // Another export holds the number.
    {
        ShareLock other(suite.local(SuitePaths::idNrvXmlLock()));
        ASSERT_EQ(other.tryLock(ShareLock::Holder::thisProcess(clock.now())), ShareLock::State::Taken);
        EXPECT_EQ(runBatch({}), ExitStopped);
        EXPECT_TRUE(dialogs.messages().last().startsWith(QStringLiteral("Un'esportazione è già in corso")));
        EXPECT_FALSE(QFileInfo::exists(flow));
    }

    // The flow is written, but the next export would propose its number again.
    writeBytes(lastId, "[Norvanta]\r\nLastID=00042\r\n");
    QFile::setPermissions(lastId, QFileDevice::ReadOwner);
    EXPECT_EQ(runBatch({}), ExitStopped);
    EXPECT_TRUE(QFileInfo(flow).isFile());
    ASSERT_EQ(dialogs.messages().size(), 3);
    EXPECT_EQ(dialogs.messages().at(1), QStringLiteral("File ") + flow + QStringLiteral(" generato"));
    EXPECT_TRUE(dialogs.messages().at(2).startsWith(QStringLiteral("Il progressivo 00043 NON è stato salvato.")));
    QFile::remove(flow);
    QFile::setPermissions(lastId, QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    // A last number beyond the counter proposes nothing: without --progressivo (here: without an answer) there is no
    // flow.
    writeBytes(lastId, "[Norvanta]\r\nLastID=99999999999\r\n");
    EXPECT_EQ(runBatch({}), ExitStopped);
    EXPECT_EQ(dialogs.messages().last(),
              QStringLiteral("Nessun progressivo indicato: nessun flusso è stato generato."));
    EXPECT_FALSE(QFileInfo::exists(flow));
    for (const char* answer : {"0008", "06", "43"})
        dialogs.answerInput(QString::fromLatin1(answer));
    EXPECT_EQ(runBatch({}), ExitDone);
    EXPECT_TRUE(QFileInfo(flow).isFile());
}

TEST_F(BatchSession, TwoFieldsOrAStatusFileThatCannotBeReadStartNoTool)
{
    EXPECT_EQ(runBatch({QStringLiteral("a|b")}), ExitStopped);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("PAR0=a\r\nPAR1=b\r\n")});
    EXPECT_EQ(runBatch({QStringLiteral("1|2|3|C:\\manca.txt")}), ExitStopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("C:\\manca.txt")));
}

TEST_F(BatchSession, TheSheetFolderIsCreatedOnceAndAMissingDriveEndsTheRun)
{
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EECH")});
    suite.useFilter(QStringLiteral("where contatore=1"));
    const QString sheets = DriveMapping::toLocalPath(SuitePaths::sheetFolder());
    QDir(sheets).removeRecursively();
    EXPECT_EQ(runBatch({}), ExitDone);
    ASSERT_GE(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages().at(0), QStringLiteral("Creata Cartella Diagnosis Sheet sul Server"));
    EXPECT_EQ(dialogs.messages().at(1), QStringLiteral("I dati sembrano OK"));
    EXPECT_TRUE(QFileInfo(sheets).isDir());

    EnvGuard env;
    env.set("KV32_DRIVE_Z", suite.home().folder().file(QStringLiteral("non-montato")));
    EXPECT_EQ(runBatch({}), ExitStopped);
    ASSERT_EQ(dialogs.messages().size(), 1);
    // The operator learns which folder stands for the drive, and how to name another.
    const QString unmounted = suite.home().folder().file(QStringLiteral("non-montato"));
    EXPECT_TRUE(dialogs.messages().first().endsWith(
        QStringLiteral(" nel creare la cartella Z:\\work\\kv32\\dati\\ds\\\nIl disco Z: è la cartella %1, che non "
                       "esiste: indicarne un'altra con la variabile KV32_DRIVE_Z o crearla.")
            .arg(unmounted)))
        << dialogs.messages().first().toStdString();
}
