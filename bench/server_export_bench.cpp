// Times "Esporta" over the same demo data kept in SQLite and on a PostgreSQL server, and checks that both give the
// same flow, byte for byte.
//
//   bench_server_export [--cases 10000,100000] [--postgres CONNECTION] [--odbc] [--keep DIR]
//
// Without --postgres a throwaway server is made and started for the run (initdb into a temporary folder, as the
// tests do). With --postgres the demo's tables are replaced in the database it names. --odbc also times the export
// through Debian's PostgreSQL ODBC driver (only with the throwaway server, whose password the benchmark knows).
// Every case whose action needs a Diagnosis Sheet gets one, so that each export goes through to the end. The goal:
// the export from the server takes no more than twice the time of the export from SQLite.
#include "BenchSuite.h"

#include "demo/DemoSuite.h"
#include "ds/SheetStore.h"
#include "flow/FlowExport.h"
#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "server/PostgresServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <optional>

namespace {

int fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return 1;
}

/// Writes a complete sheet for every case that needs one and has none.
Status completeTheSheets(const QString& connectionString)
{
    db::Connection connection;
    if (Status opened = connection.open(connectionString); !opened)
        return opened;
    db::Recordset pratiche;
    if (Status listed = pratiche.open(QStringLiteral("Select * From [Tabella Pratiche]"), connection); !listed)
        return listed;
    const Result<int> needed = BenchSuite::completeNeededSheets(pratiche);
    return needed ? Status::success() : needed.status();
}

struct Timing {
    double listSeconds = 0; // reading the case list, before the export
    double seconds = 0;
    qsizetype cases = 0;
    QByteArray flow;
};

/// One export as the main window runs it: the case list, the proposals taken, the flow written. The clock is fixed
/// so that every export of the same data gives the same bytes; the progressive starts again at 1 each time.
Result<Timing> timeExport(const QString& connectionString)
{
    QFile::remove(DriveMapping::toLocalPath(SuitePaths::idNrvXmlIni()));
    db::Connection connection;
    if (Status opened = connection.open(connectionString); !opened)
        return opened;
    QElapsedTimer timer;
    timer.start();
    db::Recordset pratiche;
    if (Status listed = pratiche.open(QStringLiteral("Select  * From [Tabella Pratiche] where contatore>0"), connection,
                                      db::Recordset::Lock::Optimistic);
        !listed)
        return listed;
    const double listSeconds = timer.nsecsElapsed() / 1e9;
    SheetStore sheets;
    const FixedClock clock(QDateTime(QDate(2011, 6, 14), QTime(9, 30, 5)));
    SystemRandom random;
    ScriptedDialogs dialogs;
    FlowExport exporter(connection, false, sheets, dialogs, clock, random);
    timer.restart();
    const Result<QString> written = exporter.EsportaFlusso(pratiche);
    Timing timing;
    timing.listSeconds = listSeconds;
    timing.seconds = timer.nsecsElapsed() / 1e9;
    if (!written)
        return written.status();
    timing.cases = pratiche.recordCount();
    QFile file(*written);
    if (!file.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("Cannot read the flow %1").arg(*written));
    timing.flow = file.readAll();
    file.close();
    file.remove();
    return timing;
}

/// The better of two runs: the first warms the caches of both sides alike.
Result<Timing> bestOfTwo(const QString& connectionString)
{
    Result<Timing> first = timeExport(connectionString);
    if (!first)
        return first;
    Result<Timing> second = timeExport(connectionString);
    if (!second)
        return second;
    return second->seconds < first->seconds ? second : first;
}

void report(const char* name, const Timing& timing, const Timing& sqlite)
{
    std::printf("  %-20s export %6.2f s %7.0f cases/s %6.1f MB %5.2fx SQLite  %s  (case list read in %.2f s)\n", name,
                timing.seconds, double(timing.cases) / timing.seconds, timing.flow.size() / 1e6,
                timing.seconds / sqlite.seconds, timing.flow == sqlite.flow ? "same bytes" : "FLOW DIFFERS",
                timing.listSeconds);
    if (timing.flow == sqlite.flow)
        return;
    const QList<QByteArray> lines = timing.flow.split('\n');
    const QList<QByteArray> expected = sqlite.flow.split('\n');
    for (qsizetype i = 0; i < std::min(lines.size(), expected.size()); ++i) {
        if (lines.at(i) != expected.at(i)) {
            std::printf("    first difference, line %lld:\n    SQLite: %s\n    here:   %s\n", qlonglong(i + 1),
                        expected.at(i).trimmed().constData(), lines.at(i).trimmed().constData());
            return;
        }
    }
    std::printf("    one flow is longer: %lld lines against %lld\n", qlonglong(lines.size()),
                qlonglong(expected.size()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({QStringLiteral("cases"), QStringLiteral("Sizes to time, comma-separated (default 10000,100000)."),
                      QStringLiteral("N,..."), QStringLiteral("10000,100000")});
    parser.addOption({QStringLiteral("postgres"), QStringLiteral("The PostgreSQL database to load and time."),
                      QStringLiteral("CONNECTION")});
    parser.addOption({QStringLiteral("odbc"), QStringLiteral("Also time the export through ODBC.")});
    parser.addOption(
        {QStringLiteral("keep"), QStringLiteral("Build the demo suites in DIR and keep them."), QStringLiteral("DIR")});
    parser.process(app);

    QList<int> sizes;
    for (const QString& size : parser.value(QStringLiteral("cases")).split(QLatin1Char(','))) {
        bool ok = false;
        sizes.append(size.trimmed().toInt(&ok));
        if (!ok || sizes.last() < demo::minDemoCases || sizes.last() > demo::maxDemoCases)
            return fail(
                QStringLiteral("--cases takes sizes from %1 to %2").arg(demo::minDemoCases).arg(demo::maxDemoCases));
    }

    PostgresServer server;
    QString postgres = parser.value(QStringLiteral("postgres"));
    QString odbc;
    if (postgres.isEmpty()) {
        if (Status started = server.start(); !started)
            return fail(QStringLiteral("The PostgreSQL server for the benchmark did not start: ") +
                        started.errorText());
        if (Status made = server.createDatabase(QStringLiteral("bench")); !made)
            return fail(made.errorText());
        postgres = server.connectionString(QStringLiteral("bench"));
        if (parser.isSet(QStringLiteral("odbc")))
            odbc = server.odbcConnectionString(QStringLiteral("bench"));
        std::printf("throwaway PostgreSQL server on port %d, socket in %s\n", server.port(),
                    server.socketFolder().toLocal8Bit().constData());
    } else if (parser.isSet(QStringLiteral("odbc"))) {
        return fail(QStringLiteral("--odbc needs the throwaway server: leave out --postgres"));
    }

    QTemporaryDir temporary;
    const QString keep = parser.value(QStringLiteral("keep"));
    int status = 0;
    for (const int cases : sizes) {
        const QString root = (keep.isEmpty() ? temporary.path() : keep) + QStringLiteral("/suite-%1").arg(cases);
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
        const double sqliteBuild = timer.elapsed() / 1000.0;
        timer.restart();
        if (const Status loaded = demo::loadDemoIntoPostgres(postgres, cases, 1); !loaded)
            return fail(loaded.errorText());
        std::printf("%d cases, %d payments, %d bank rows: SQLite built in %.1f s, PostgreSQL loaded in %.1f s\n",
                    summary.cases, summary.payments, summary.bankRows, sqliteBuild, timer.elapsed() / 1000.0);
        if (const Status sheets = completeTheSheets(demo::demoConnectionString()); !sheets)
            return fail(sheets.errorText());

        const Result<Timing> sqlite = bestOfTwo(demo::demoConnectionString());
        if (!sqlite)
            return fail(QStringLiteral("SQLite export: ") + sqlite.errorText());
        const Result<Timing> fromServer = bestOfTwo(postgres);
        if (!fromServer)
            return fail(QStringLiteral("PostgreSQL export: ") + fromServer.errorText());
        report("SQLite", *sqlite, *sqlite);
        report("PostgreSQL (QPSQL)", *fromServer, *sqlite);
        if (fromServer->flow != sqlite->flow || fromServer->seconds > 2 * sqlite->seconds)
            status = 1;
        if (!odbc.isEmpty()) {
            const Result<Timing> throughOdbc = bestOfTwo(odbc);
            if (!throughOdbc)
                return fail(QStringLiteral("ODBC export: ") + throughOdbc.errorText());
            report("PostgreSQL (ODBC)", *throughOdbc, *sqlite);
        }
        const auto memory = BenchSuite::residentMiB();
        std::printf("  resident memory now %.1f MiB, peak %.1f MiB\n", memory.first, memory.second);
    }
    std::printf("goal: the QPSQL export takes at most twice the SQLite time and gives the same bytes: %s\n",
                status == 0 ? "met" : "NOT met");
    return status;
}
