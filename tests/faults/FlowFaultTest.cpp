#include "support/FlowFixture.h"

#include "foundation/SuitePaths.h"

#include "support/OsFaults.h"

#include <QFile>
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
            addPayment(2 * k + 1, k, {{"data", QDate(2011, 6, 11)}});
        }
        suite.database().exec({QStringLiteral("COMMIT")});
    }
    QString desktop() { return suite.home().desktop(); }
    /// The flow this morning's export left under the name this one takes.
    void placeEarlierFlow() { writeBytes(flowPath(), "the flow sent this morning"); }
    /// The export failed with one message naming `file` and `cause`; the desktop and IDNrvXML.ini as they were.
    void expectNoFlow(const Result<QString>& written, const QStringList& before, const QString& cause,
                      const QString& file = {})
    {
        EXPECT_FALSE(written);
        ASSERT_EQ(dialogs.messages().size(), 1) << dialogs.messages().join(QStringLiteral(" | ")).toStdString();
        const QString message = dialogs.messages().first();
        EXPECT_TRUE(message.contains(file.isEmpty() ? flowPath() : file)) << message.toStdString();
        EXPECT_TRUE(message.contains(cause)) << message.toStdString();
        EXPECT_EQ(filesOf(desktop()), before);
        EXPECT_EQ(fileBytes(lastIdPath()), LastId42);
    }
};

} // namespace

TEST_F(FlowFaultTest, AFullDesktopStopsTheFlowPartWay)
{
    addCases(30);
    SmallFilesystem full(desktop(), "64k");
    SKIP_WITHOUT(full);
    placeEarlierFlow();
    ASSERT_NO_FATAL_FAILURE(full.fillLeaving(4096));
    const QStringList before = filesOf(desktop());
    expectNoFlow(exportFlow(), before, QStringLiteral("No space left on device"));
}

TEST_F(FlowFaultTest, TheProgramPastAFileSizeLimitSaysWhyAndLeavesNoFlow)
{
    // The program itself, in batch, started as a shell starts it after "ulimit -f". The flow is smaller than Qt's
    // write buffer: its bytes reach the disk only as the file is completed.
    addCases(4);
    suite.useFilter(QStringLiteral("order by contatore"));
    // The program dates its flow by the system's clock.
    const QString flow =
        desktopFile(QStringLiteral("0008_06_00043_%1.XML").arg(QDate::currentDate().toString(Qt::ISODate)));
    writeBytes(flow, "the flow sent this morning");
    const QStringList before = filesOf(desktop());
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
    ASSERT_EQ(program.exitStatus(), QProcess::NormalExit) << "killed by signal " << program.exitCode();
    EXPECT_EQ(program.exitCode(), 1) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("File too large")) && output.contains(flow)) << output.toStdString();
    EXPECT_EQ(filesOf(desktop()), before);
    EXPECT_EQ(fileBytes(lastIdPath()), LastId42);
}

TEST_F(FlowFaultTest, AReadOnlyDesktopTakesNoFlow)
{
    addCases(2);
    placeEarlierFlow();
    const QStringList before = filesOf(desktop());
    ReadOnlyPlace readOnly(desktop());
    SKIP_WITHOUT(readOnly);
    // Qt checks an existing file before it writes aside; the administrator is refused only by the mount.
    expectNoFlow(exportFlow(), before,
                 geteuid() == 0 ? QStringLiteral("is not writable") : QStringLiteral("Permission denied"));
}

TEST_F(FlowFaultTest, AReadOnlyPlaceForTheLastNumberIsSaidPlainly)
{
    addCases(2);
    {
        // The number's file alone: the flow is written, but the operator must give the next number by hand.
        ReadOnlyPlace readOnly(lastIdPath());
        SKIP_WITHOUT(readOnly);
        EXPECT_FALSE(exportFlow());
        EXPECT_TRUE(QFile::exists(flowPath()));
        ASSERT_EQ(dialogs.messages().size(), 2) << dialogs.messages().join(QStringLiteral(" | ")).toStdString();
        const QString notSaved = dialogs.messages().last();
        EXPECT_TRUE(notSaved.contains(QStringLiteral("Read-only file system")) && notSaved.endsWith("indicato 44."))
            << notSaved.toStdString();
    }
    // Its folder: not even the lock can be made, and nothing is written.
    QFile::remove(flowPath());
    dialogs.clear();
    const QStringList before = filesOf(desktop());
    ReadOnlyPlace readOnly(QFileInfo(lastIdPath()).absolutePath());
    SKIP_WITHOUT(readOnly);
    expectNoFlow(exportFlow(), before, QStringLiteral("Read-only file system"), QStringLiteral("IDNrvXML.lock"));
}

TEST_F(FlowFaultTest, ADatabaseClosedDuringTheExportStopsIt)
{
    addCases(4);
    placeEarlierFlow();
    const QStringList before = filesOf(desktop());
    // Closed before the first payment is read, and after the second case, when statements are prepared on it.
    for (const qsizetype closeAt : {0, 2}) {
        dialogs.clear();
        afterCase = [this, closeAt](qsizetype done) {
            if (done == closeAt)
                connection.close();
        };
        expectNoFlow(exportFlow(), before, QStringLiteral("la connessione al database è stata chiusa"));
    }
    // Only the fixture's own connection still holds the database file.
    EXPECT_EQ(openDescriptorsOf(suite.database().path()), 1);
}
