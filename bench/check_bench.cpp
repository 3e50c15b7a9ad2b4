// Times "Controlla Dati" over a large list: every case read, half of them needing a Diagnosis Sheet,
// every such sheet present and complete, so the check walks the whole list and reads every sheet.
//
//   bench_check [--cases N]
#include "BenchSuite.h"

#include "cases/BatchCaseView.h"
#include "cases/CaseSelection.h"
#include "ds/SheetCheck.h"
#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    const int cases = BenchSuite::casesOption(app, 100000);

    QTemporaryDir drives;
    QElapsedTimer timer;
    timer.start();
    if (!BenchSuite::prepare(drives.path(), cases, QStringLiteral("where contatore>0"),
                             BenchSuite::Sheets::HalfNeededAllMade))
        return 1;
    std::printf("suite of %d cases with %d sheets made in %.1f s\n", cases, cases / 2, timer.elapsed() / 1000.0);

    SystemClock clock;
    ScriptedDialogs dialogs;
    BatchCaseView view(nullptr);
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    CaseSelection selection(module, dialogs, view,
                            module.EseguiComando(ToolRequest{5001, QString()}, BenchSuite::suiteLine()).params);
    if (!selection.Inizia())
        return 1;
    SheetStore store;
    timer.restart();
    const bool passed = CheckTutteLePratiche(selection.pratiche(), store, clock.today(), view, dialogs);
    const qint64 elapsed = timer.elapsed();
    std::printf("Controlla Dati over %lld cases: %.3f s (%s; goal: under 3 s)\n",
                static_cast<long long>(selection.pratiche().recordCount()), elapsed / 1000.0,
                passed ? "passed" : dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
    return passed ? 0 : 1;
}
