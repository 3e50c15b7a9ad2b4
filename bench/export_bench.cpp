// Times "Esporta" over a large demo suite, as a batch run does it: the case list of the main window, the three
// proposals taken as they are, the flow written to the desktop and the progressive saved. Then times a plain loop in
// Python that does the export's unavoidable work, and prints how many times the program takes.
//
//   bench_export [CASES] [--keep DIR]      (CASES: 10000 by default; try 100000)
//
// Every case whose action needs a Diagnosis Sheet gets one before the run, so that the export goes through to the
// end; about half of the demo's cases need one. With --keep the suite is built in DIR and kept; a suite of that size
// kept there by an earlier run is used again.
//
// The plain loop (python3 with its sqlite3 module, a script written to a temporary folder) takes the cases in the
// export's order from the same database: for each it asks for the case's payments, and for the bank rows of each
// payment, inside one read transaction as the export does; it reads the case's sheet file when the export reads one,
// and writes the case's bytes of the flow that the program wrote. Its file is then completed as the program's is:
// synced to disk and renamed. Both take the better of two runs.
#include "BenchSuite.h"

#include "demo/DemoSuite.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "flow/FlowExport.h"
#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/Connection.h"
#include "foundation/db/ConnectionString.h"
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
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

int fail(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return 1;
}

const char* const PlainLoopScript = R"(import os, sqlite3, sys, time

database, plan, flow, output = sys.argv[1:5]
with open(flow, 'rb') as f:
    data = f.read()
cases = []
with open(plan, encoding='utf-8') as f:
    for line in f:
        contatore, sheet, begin, end = line.rstrip('\n').split('\t')
        cases.append((int(contatore), sheet, int(begin), int(end)))

started = time.perf_counter()
used = time.process_time()
connection = sqlite3.connect(database, isolation_level=None)
connection.execute('BEGIN')
payments = connection.cursor()
banks = connection.cursor()
payments.execute('Select * From [Tabella Pagamenti] where conta=?', (0,))
id_column = [d[0].lower() for d in payments.description].index('id')
temporary = output + '.tmp'
with open(temporary, 'wb') as out:
    out.write(data[:cases[0][2]])
    for contatore, sheet, begin, end in cases:
        for payment in payments.execute('Select * From [Tabella Pagamenti] where conta=?', (contatore,)).fetchall():
            banks.execute('Select * From [Tabella Riscontro] where id_incasso=?', (payment[id_column],)).fetchone()
        if sheet:
            with open(sheet, 'rb') as f:
                f.read()
        out.write(data[begin:end])
    out.write(data[cases[-1][3]:])
    out.flush()
    os.fsync(out.fileno())
os.replace(temporary, output)
connection.execute('COMMIT')
connection.close()
print(time.perf_counter() - started, time.process_time() - used)
)";

/// What the plain loop does for one case: its number, the sheet file the export read, and its bytes of the flow.
struct PlannedCase {
    qint32 contatore = 0;
    QString sheet;
    qsizetype begin = 0;
    qsizetype end = 0;
};

/// The cases of the list in the export's order, each with its element of the flow (which the flow holds in the same
/// order).
Result<QList<PlannedCase>> planOf(db::Recordset& pratiche, const QByteArray& flow)
{
    QList<PlannedCase> cases;
    qsizetype from = 0;
    // The walk's moves cannot fail: it starts on the first row and moves on only before the end.
    for (static_cast<void>(pratiche.moveFirst()); !pratiche.eof(); static_cast<void>(pratiche.moveNext())) {
        const Result<qint32> k = pratiche.wholeNumber(QStringLiteral("contatore"));
        const Result<QString> code = pratiche.text(QStringLiteral("codicescaricomemo"));
        if (!k || !code)
            return Status::failure(k ? code.errorText() : k.errorText());
        PlannedCase planned;
        planned.contatore = *k;
        if (NecessarioDS(code->toUpper()))
            planned.sheet =
                DriveMapping::toLocalPath(SuitePaths::sheetFolder() + QString::number(*k) + QStringLiteral(".txt"));
        planned.begin = flow.indexOf("\t\t<Pratica ", from);
        const qsizetype close = flow.indexOf("\t\t</Pratica>\r\n", planned.begin);
        if (planned.begin < 0 || close < 0)
            return Status::failure(QStringLiteral("The flow holds fewer cases than the list"));
        planned.end = close + qsizetype(sizeof "\t\t</Pratica>\r\n") - 1;
        from = planned.end;
        cases.append(planned);
    }
    if (cases.isEmpty())
        return Status::failure(QStringLiteral("No case to export"));
    return cases;
}

/// Seconds of wall-clock time, and of processor time (user and system): on a busy machine the second tells more.
struct Seconds {
    double wall = 0;
    double processor = 0;
};

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) {
        return double(time.tv_sec) + double(time.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

/// Runs the plain loop once; the time its loop took.
Result<Seconds> timePlainLoop(const QString& python, const QString& folder, const QString& database,
                              const QString& flowPath, const QString& output)
{
    QProcess process;
    process.setProgram(python);
    process.setArguments(
        {folder + QStringLiteral("/plain_loop.py"), database, folder + QStringLiteral("/plan.txt"), flowPath, output});
    process.start();
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return Status::failure(QStringLiteral("The plain loop failed: ") +
                               QString::fromLocal8Bit(process.readAllStandardError()));
    const QStringList printed = QString::fromLatin1(process.readAllStandardOutput()).split(QLatin1Char(' '));
    bool wall = false;
    bool processor = false;
    const Seconds seconds{printed.value(0).toDouble(&wall), printed.value(1).trimmed().toDouble(&processor)};
    if (!wall || !processor)
        return Status::failure(QStringLiteral("The plain loop printed no time"));
    return seconds;
}

/// Writes the script and its plan beside each other.
Status writePlainLoop(const QString& folder, const QList<PlannedCase>& cases)
{
    QFile script(folder + QStringLiteral("/plain_loop.py"));
    QFile plan(folder + QStringLiteral("/plan.txt"));
    if (!script.open(QIODevice::WriteOnly) || !plan.open(QIODevice::WriteOnly))
        return Status::failure(QStringLiteral("Cannot write the plain loop in %1").arg(folder));
    script.write(PlainLoopScript);
    for (const PlannedCase& planned : cases)
        plan.write(QStringLiteral("%1\t%2\t%3\t%4\n")
                       .arg(planned.contatore)
                       .arg(planned.sheet)
                       .arg(planned.begin)
                       .arg(planned.end)
                       .toUtf8());
    return Status::success();
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("cases"), QStringLiteral("Number of cases (default 10000)."));
    parser.addOption({QStringLiteral("keep"),
                      QStringLiteral("Build the demo suite in DIR and keep it; use the one kept there."),
                      QStringLiteral("DIR")});
    parser.addHelpOption();
    parser.process(app);
    const int cases = parser.positionalArguments().value(0, QStringLiteral("10000")).toInt();

    QTemporaryDir temporary;
    const QString root = parser.isSet(QStringLiteral("keep"))
                             ? parser.value(QStringLiteral("keep")) + QStringLiteral("/suite-%1").arg(cases)
                             : temporary.path();
    // The suite's drives and the operator's desktop, all inside the benchmark's folder.
    qputenv("KV32_DRIVE_Z", (root + QStringLiteral("/Z")).toLocal8Bit());
    qputenv("KV32_DRIVE_C", (root + QStringLiteral("/C")).toLocal8Bit());
    qputenv("HOME", (root + QStringLiteral("/home")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (root + QStringLiteral("/home/.config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (root + QStringLiteral("/home/.local/share")).toLocal8Bit());
    const Result<db::ConnectionTarget> target = db::resolveConnectionString(demo::demoConnectionString());
    if (!target)
        return fail(target.errorText());

    QElapsedTimer timer;
    timer.start();
    if (QFileInfo::exists(target->databaseName)) {
        std::printf("demo suite of %d cases kept in %s\n", cases, root.toLocal8Bit().constData());
    } else {
        demo::DemoSummary summary;
        if (const Status made = demo::createDemoSuite({root, cases, 1}, &summary); !made)
            return fail(made.errorText());
        std::printf("demo suite: %d cases, %d payments, %d bank rows, built in %.1f s\n", summary.cases,
                    summary.payments, summary.bankRows, timer.elapsed() / 1000.0);
    }

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
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    const QString desktop = root + QStringLiteral("/home/Desktop");
    Seconds best;
    Seconds bestLoop;
    QString flow;
    for (int run = 0; run < 2; ++run) {
        if (!flow.isEmpty())
            QFile::remove(flow);
        const auto before = BenchSuite::residentMiB();
        timer.restart();
        const double processorBefore = processorSeconds();
        const Result<QString> written = exporter.EsportaFlusso(pratiche);
        const Seconds seconds{timer.nsecsElapsed() / 1e9, processorSeconds() - processorBefore};
        const auto after = BenchSuite::residentMiB();
        if (!written)
            return fail(written.errorText());
        flow = *written;
        std::printf("export: %lld cases in %.2f s (processor %.2f s), %.0f cases/s, flow of %.1f MB\n",
                    qlonglong(pratiche.recordCount()), seconds.wall, seconds.processor,
                    double(pratiche.recordCount()) / seconds.wall, QFileInfo(flow).size() / 1e6);
        // The benchmark's own reading of the flow comes after: the first run's figures are the export's.
        if (run == 0)
            std::printf("resident memory: %.1f MiB with the case list open, %.1f MiB after the export, peak %.1f MiB "
                        "(goal for 100000 cases: under 10 s and 300 MB)\n",
                        before.first, after.first, after.second);
        best = {run == 0 ? seconds.wall : std::min(best.wall, seconds.wall),
                run == 0 ? seconds.processor : std::min(best.processor, seconds.processor)};
        if (python.isEmpty())
            continue;

        const QByteArray bytes = bytesOf(flow);
        const Result<QList<PlannedCase>> plan = planOf(pratiche, bytes);
        if (!plan)
            return fail(plan.errorText());
        QTemporaryDir scripts;
        if (const Status written = writePlainLoop(scripts.path(), *plan); !written)
            return fail(written.errorText());
        const QString output = desktop + QStringLiteral("/plain-loop.XML");
        const Result<Seconds> loop = timePlainLoop(python, scripts.path(), target->databaseName, flow, output);
        if (!loop)
            return fail(loop.errorText());
        const bool same = bytesOf(output) == bytes;
        QFile::remove(output);
        if (!same)
            return fail(QStringLiteral("The plain loop wrote other bytes than the program"));
        std::printf("plain loop in Python: %.2f s (processor %.2f s)\n", loop->wall, loop->processor);
        bestLoop = {run == 0 ? loop->wall : std::min(bestLoop.wall, loop->wall),
                    run == 0 ? loop->processor : std::min(bestLoop.processor, loop->processor)};
    }
    QFile::remove(flow);
    if (python.isEmpty()) {
        std::printf("python3 is not installed: the plain loop was not run\n");
        return 0;
    }
    std::printf("best of two: export %.2f s, plain loop %.2f s: the export takes %.2f times the plain loop (goal: "
                "at most 1.5); processor time %.2f s against %.2f s, %.2f times\n",
                best.wall, bestLoop.wall, best.wall / bestLoop.wall, best.processor, bestLoop.processor,
                best.processor / bestLoop.processor);
    return 0;
}
