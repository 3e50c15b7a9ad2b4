#include "support/FlowFixture.h"

#include "support/OsFaults.h"

#include <QFileInfo>
#include <QProcess>

namespace {

/// "Esporta" while the system fails the desktop or the database: never a flow in part, an earlier flow of the same
/// name and the last progressive as they were, and the operator told which file and why.
class FlowFaultTest : public FlowFixture {
protected:
    /// Cases 1..count, each with two payments.
    void addCases(int count)
    {
        suite.database().exec({QStringLiteral("BEGIN")});
        for (int k = 1; k <= count; ++k) {
            addCase(k);
            addPayment(2 * k, k);
            addPayment(2 * k + 1, k);
        }
        suite.database().exec({QStringLiteral("COMMIT")});
    }
    /// The export fails with one message naming `file` and `cause`, and leaves the desktop and IDNrvXML.ini as they
    /// were.
    void expectNoFlow(const QStringList& before, const QString& cause, const QString& file = {})
    {
        EXPECT_FALSE(exportFlow());
        const QString said = dialogs.messages().join(QStringLiteral(" | "));
        EXPECT_TRUE(dialogs.messages().size() == 1 && said.contains(cause) &&
                    said.contains(file.isEmpty() ? flowPath() : file))
            << said.toStdString();
        expectNothingWritten(before);
    }
};

} // namespace

TEST_F(FlowFaultTest, AFullDesktopStopsTheFlowPartWay)
{
    addCases(30);
    SmallFilesystem full(suite.home().desktop(), "64k");
    SKIP_WITHOUT(full);
    placeEarlierFlow();
    ASSERT_NO_FATAL_FAILURE(full.fillLeaving(4096));
    expectNoFlow(filesOf(suite.home().desktop()), QStringLiteral("No space left on device"));
}

TEST_F(FlowFaultTest, TheProgramPastAFileSizeLimitSaysWhyAndLeavesNoFlow)
{
    // The program itself, in batch, started as a shell starts it after "ulimit -f"; SIGXFSZ would kill it. The flow
    // is smaller than Qt's write buffer: its bytes reach the disk only as the file is completed.
    addCases(4);
    suite.useFilter(QStringLiteral("order by contatore"));
    // The program dates its flow by the system's clock.
    const QString flow =
        desktopFile(QStringLiteral("0008_06_00043_%1.XML").arg(QDate::currentDate().toString(Qt::ISODate)));
    writeBytes(flow, "the flow sent this morning");
    const QStringList before = filesOf(suite.home().desktop());
    QProcess program;
    program.setProgram(QStringLiteral(EXP_NRV_XML_PROGRAM));
    program.setArguments({QStringLiteral("--batch"), SuiteFixture::statusLine()});
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C")); // the system's error texts in English
    program.setProcessEnvironment(environment);
    limitFileSizeOf(program, 1500);
    program.start();
    ASSERT_TRUE(program.waitForFinished(60000)) << program.errorString().toStdString();
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << "killed by signal " << program.exitCode();
    EXPECT_TRUE(program.exitCode() == 1 && output.contains(QStringLiteral("File too large")) && output.contains(flow))
        << output.toStdString();
    expectNothingWritten(before);
}

TEST_F(FlowFaultTest, AReadOnlyDesktopTakesNoFlow)
{
    addCases(2);
    const QStringList before = placeEarlierFlow();
    ReadOnlyPlace readOnly(suite.home().desktop());
    SKIP_WITHOUT(readOnly);
    // Qt checks an existing file before it writes aside; the administrator is refused only by the mount.
    expectNoFlow(before, geteuid() == 0 ? QStringLiteral("is not writable") : QStringLiteral("Permission denied"));
}

TEST_F(FlowFaultTest, AReadOnlyFolderOfTheLastNumberTakesNoLockAndNoFlow)
{
    addCases(2);
    ReadOnlyPlace readOnly(QFileInfo(lastIdPath()).absolutePath());
    SKIP_WITHOUT(readOnly);
    expectNoFlow({}, QStringLiteral("Read-only file system"), QStringLiteral("IDNrvXML.lock"));
}

TEST_F(FlowFaultTest, ADatabaseClosedDuringTheExportStopsIt)
{
    addCases(4);
    const QStringList before = placeEarlierFlow();
    // Closed before the first payment is read, and after the second case, when statements are prepared on it.
    for (const qsizetype closeAt : {0, 2}) {
        dialogs.clear();
        afterCase = [this, closeAt](qsizetype done) {
            if (done == closeAt)
                connection.close();
        };
        expectNoFlow(before, QStringLiteral("la connessione al database è stata chiusa"));
    }
    // Only the fixture's own connection still holds the database file.
    EXPECT_EQ(openDescriptorsOf(suite.database().path()), 1);
}
