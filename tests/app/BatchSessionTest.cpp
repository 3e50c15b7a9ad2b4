#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"

#include "support/BatchRun.h"
#include "support/SuiteFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TEST(BatchSession, WithoutALineTheTestLinesCasesAreCheckedAndExportedAndANumberNotSavedEndsWithOne)
{
    SuiteFixture suite;
    BatchRun run;
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EECH")});
    suite.useFilter(QStringLiteral("where contatore=1"));
    const QString sheets = DriveMapping::toLocalPath(SuitePaths::sheetFolder());
    QDir(sheets).removeRecursively();
    // Without a line the built-in test line names C:\work\kv32ado\status.txt. The sheet folder is made once.
    const QString flow = suite.home().desktop() + QStringLiteral("/0008_06_0000%1_2011-06-10.XML");
    EXPECT_EQ(run({}), ExitDone);
    EXPECT_EQ(run.dialogs.messages(), (QStringList{"Creata Cartella Diagnosis Sheet sul Server", "I dati sembrano OK",
                                                   "File " + flow.arg(1) + " generato"}));
    EXPECT_TRUE(QFileInfo(sheets).isDir() && QFileInfo(flow.arg(1)).isFile());

    // The next flow is written, but the export after it would propose its number again: the run has failed.
    QFile::setPermissions(suite.local(SuitePaths::idNrvXmlIni()), QFileDevice::ReadOwner);
    EXPECT_EQ(run({}), ExitStopped);
    EXPECT_TRUE(QFileInfo(flow.arg(2)).isFile());
    ASSERT_EQ(run.dialogs.messages().size(), 3);
    EXPECT_TRUE(run.dialogs.messages().last().startsWith(QStringLiteral("Il progressivo 00002 NON è stato salvato.")))
        << run.dialogs.messages().last().toStdString();
}

TEST(BatchSession, ARunThatStartsNoToolOrFindsNoCaseEndsWithOneSayingWhy)
{
    SuiteFixture suite;
    BatchRun run;
    EnvGuard env;
    suite.useFilter(QStringLiteral("where contatore=0"));
    // The suite's line (none: the test line), the folder of drive Z (none: the suite's), and what the one message
    // says; the operator learns which folder stands for a drive that is missing, and how to name another.
    const QString unmounted = suite.home().folder().file(QStringLiteral("non-montato"));
    const std::tuple<QStringList, QString, QString> runs[] = {
        {{QStringLiteral("a|b")}, QString(), QStringLiteral("PAR0=a\r\nPAR1=b\r\n")},
        {{QStringLiteral("1|2|3|C:\\manca.txt")}, QString(), QStringLiteral("C:\\manca.txt")},
        {{}, QString(), QStringLiteral("Nessuna pratica da controllare con il filtro where contatore=0")},
        {{},
         unmounted,
         QStringLiteral(" nel creare la cartella Z:\\work\\kv32\\dati\\ds\\\nIl disco Z: è la cartella %1, che non "
                        "esiste: indicarne un'altra con la variabile KV32_DRIVE_Z o crearla.")
             .arg(unmounted)}};
    for (const auto& [line, drive, said] : runs) {
        SCOPED_TRACE(said.toStdString());
        if (!drive.isEmpty())
            env.set("KV32_DRIVE_Z", drive);
        EXPECT_EQ(run(line), ExitStopped);
        ASSERT_EQ(run.dialogs.messages().size(), 1);
        EXPECT_TRUE(run.dialogs.messages().first().contains(said)) << run.dialogs.messages().first().toStdString();
    }
}
