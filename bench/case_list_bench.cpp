// Times the case list of the main window over a large demo suite: open the database, run the case
// query and fill the list, as the operator waits for them at start-up.
//
//   bench_case_list [--cases N]
#include "BenchSuite.h"

#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    const int cases = BenchSuite::casesOption(app, 100000);

    QTemporaryDir drives;
    QElapsedTimer timer;
    timer.start();
    // Every case of the suite, not only those of one mandate: the list then holds exactly N lines.
    if (!BenchSuite::prepare(drives.path(), cases, QStringLiteral("where contatore>0"), BenchSuite::Sheets::AsMade))
        return 1;
    std::printf("demo suite of %d cases built in %.2f s\n", cases, timer.elapsed() / 1000.0);
    const auto before = BenchSuite::residentMiB();

    SystemClock clock;
    SequenceRandom random({0.5});
    ScriptedDialogs dialogs;
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    FRM_EXP_NRV_XML window(module, dialogs, clock, random);
    timer.restart();
    const bool loaded = window.Form_Load(BenchSuite::suiteLine());
    const qint64 elapsed = timer.elapsed();
    QApplication::processEvents();
    const auto after = BenchSuite::residentMiB();

    const int lines = window.findChild<QListView*>(QStringLiteral("List1"))->model()->rowCount();
    if (!loaded || lines != cases) {
        std::fprintf(stderr, "the case list did not load: %s\n",
                     dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
        return 1;
    }
    std::printf("case list: %d lines; open + query + fill %.3f s\n", lines, elapsed / 1000.0);
    std::printf("resident memory: %.1f MiB before, %.1f MiB after, peak %.1f MiB (goal: under 1 s and 300 MB)\n",
                before.first, after.first, after.second);
    return 0;
}
