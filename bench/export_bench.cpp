// Times "Esporta" over a large demo suite, as a batch run does it: the case list of the main window, the three
// proposals taken as they are, the flow written to the desktop and the progressive saved.
//
//   bench_export [CASES] [--keep DIR]      (CASES: 10000 by default; try 100000)
//
// Every case whose action needs a Diagnosis Sheet gets one before the run, so that the export goes through to the
// end; about half of the demo's cases need one.
#include "BenchSuite.h"

#include "demo/DemoSuite.h"
#include "ds/SheetStore.h"
#include "flow/FlowExport.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/BatchDialogs.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("cases"), QStringLiteral("Number of cases (default 10000)."));
    parser.addOption(
        {QStringLiteral("keep"), QStringLiteral("Build the demo suite in DIR and keep it."), QStringLiteral("DIR")});
    parser.addHelpOption();
    parser.process(app);
    const int cases = parser.positionalArguments().value(0, QStringLiteral("10000")).toInt();

    QTemporaryDir temporary;
    const QString root = parser.isSet(QStringLiteral("keep")) ? parser.value(QStringLiteral("keep")) : temporary.path();
    // The suite's drives and the operator's desktop, all inside the benchmark's folder.
    qputenv("KV32_DRIVE_Z", (root + QStringLiteral("/Z")).toLocal8Bit());
    qputenv("KV32_DRIVE_C", (root + QStringLiteral("/C")).toLocal8Bit());
    qputenv("HOME", (root + QStringLiteral("/home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/home/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/home/.local/share")).toLocal8Bit());

    QElapsedTimer timer;
    timer.start();
    demo::DemoSummary summary;
    if (const Status made = demo::createDemoSuite({root, cases, 1}, &summary); !made)
        return fail(made.errorText());
    std::printf("demo suite: %d cases, %d payments, %d bank rows, built in %.1f s\n", summary.cases, summary.payments,
                summary.bankRows, timer.elapsed() / 1000.0);

    db::Connection connection;
    if (const Status opened = connection.open(demo::demoConnectionString()); !opened)
        return fail(opened.errorText());
    db::Recordset pratiche;
    if (const Status listed = pratiche.open(QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0"),
                                            connection, db::Recordset::Lock::Optimistic);
        !listed)
        return fail(listed.errorText());
    SheetStore sheets;
    const Result<int> needed = BenchSuite::completeNeededSheets(pratiche);
    if (!needed)
        return fail(needed.errorText());
    std::printf("%d of %lld cases need a Diagnosis Sheet (%.0f%%)\n", *needed, qlonglong(pratiche.recordCount()),
                100.0 * *needed / double(pratiche.recordCount()));

    SystemClock clock;
    SystemRandom random;
    BatchDialogs dialogs({}, std::nullopt);
    FlowExport exporter(connection, false, sheets, dialogs, clock, random);
    const auto before = BenchSuite::residentMiB();
    timer.restart();
    const Result<QString> written = exporter.EsportaFlusso(pratiche);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const auto after = BenchSuite::residentMiB();
    if (!written)
        return fail(written.errorText());

    const qint64 bytes = QFileInfo(*written).size();
    std::printf("export: %lld cases in %.2f s, %.0f cases/s, flow of %.1f MB\n", qlonglong(pratiche.recordCount()),
                seconds, double(pratiche.recordCount()) / seconds, bytes / 1e6);
    std::printf("resident memory: %.1f MiB with the case list open, %.1f MiB after the export, peak %.1f MiB "
                "(goal for 100000 cases: under 10 s and 300 MB)\n",
                before.first, after.first, after.second);
    return 0;
}
