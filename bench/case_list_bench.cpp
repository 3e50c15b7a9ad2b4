// Times the case list of the main window over a large demo suite: open the database, run the case
// query and fill the list, as the operator waits for them at start-up.
//
//   bench_case_list [--cases N] [--keep DIR]
#include "cases/FRM_EXP_NRV_XML.h"
#include "demo/DemoSuite.h"
#include "launcher/ModuloCommand.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/Random.h"
#include "launcher/ports/ScriptedDialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

/// Resident memory now and at its peak, in MiB, from the kernel's view of this process.
std::pair<double, double> residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double now = 0;
    double peak = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                now = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
            else if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return {now, peak};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("cases"), QStringLiteral("Number of cases (default 100000)."), QStringLiteral("N"),
                      QStringLiteral("100000")});
    parser.addOption(
        {QStringLiteral("keep"), QStringLiteral("Build the demo suite in DIR and keep it."), QStringLiteral("DIR")});
    parser.addHelpOption();
    parser.process(app);

    QTemporaryDir temporary;
    const QString drives =
        parser.isSet(QStringLiteral("keep")) ? parser.value(QStringLiteral("keep")) : temporary.path();
    const int cases = parser.value(QStringLiteral("cases")).toInt();

    QElapsedTimer timer;
    timer.start();
    const Status made = demo::createDemoSuite({drives, cases, 1});
    if (!made) {
        std::fprintf(stderr, "%s\n", made.errorText().toLocal8Bit().constData());
        return 1;
    }
    std::printf("demo suite of %d cases built in %.2f s\n", cases, timer.elapsed() / 1000.0);
    qputenv("KV32_DRIVE_Z", (drives + QStringLiteral("/Z")).toLocal8Bit());
    qputenv("KV32_DRIVE_C", (drives + QStringLiteral("/C")).toLocal8Bit());
    // Every case of the suite, not only those of one mandate: the list then holds exactly N lines.
    QFile status(drives + QStringLiteral("/C/work/kv32ado/status.txt"));
    if (!status.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "cannot write %s\n", status.fileName().toLocal8Bit().constData());
        return 1;
    }
    status.write("contatore=1001\r\nfiltro=where contatore>0\r\ntesto=bench\r\n");
    status.close();
    const auto before = residentMiB();

    SystemClock clock;
    SequenceRandom random({0.5});
    ScriptedDialogs dialogs;
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    FRM_EXP_NRV_XML window(module, dialogs, clock, random);
    timer.restart();
    const bool loaded = window.Form_Load(QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt"));
    const qint64 elapsed = timer.elapsed();
    QApplication::processEvents();
    const auto after = residentMiB();

    const int lines = window.findChild<QListView*>(QStringLiteral("List1"))->model()->rowCount();
    if (!loaded || lines != window.cases().pratiche().recordCount()) {
        std::fprintf(stderr, "the case list did not load: %s\n",
                     dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
        return 1;
    }
    std::printf("case list: %d lines; open + query + fill %.3f s\n", lines, elapsed / 1000.0);
    std::printf("resident memory: %.1f MiB before, %.1f MiB after, peak %.1f MiB (goal: under 1 s and 300 MB)\n",
                before.first, after.first, after.second);
    return 0;
}
