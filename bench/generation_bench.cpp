// Times "Genera Diagnosis Sheet Casuali" over a large list in the real main window (drawn off
// screen): once in test mode, where nothing is saved, and once saving every sheet.
//
//   bench_generation [--cases N]
#include "BenchSuite.h"

#include "windows/cases/FRM_EXP_NRV_XML.h"
#include "windows/ds/GenerationPanel.h"
#include "launcher/ModuloCommand.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double run(FRM_EXP_NRV_XML& window, ScriptedDialogs& dialogs, bool soloTest)
{
    GenerationPanel* panel = window.generationPanel();
    if (panel->soloTest() != soloTest)
        panel->chkSoloTest->click();
    window.cmdComandi_Click(FRM_EXP_NRV_XML::RileggiPratiche);
    window.cmdPratiche_Click();
    dialogs.clear();
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    QElapsedTimer timer;
    timer.start();
    panel->Command2->click();
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    const int cases = BenchSuite::casesOption(app, 10000);

    QTemporaryDir drives;
    if (!BenchSuite::prepare(drives.path(), cases, QStringLiteral("where contatore>0 order by contatore"),
                             BenchSuite::Sheets::HalfNeededNoneMade))
        return 1;
    SystemClock clock;
    SystemRandom random;
    ScriptedDialogs dialogs;
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    FRM_EXP_NRV_XML window(module, dialogs, clock, random);
    if (!window.Form_Load(BenchSuite::suiteLine()))
        return 1;
    // Generous quotas: the benchmark measures the walk, not refused draws.
    window.generationPanel()->chkSoloTest->click();

    const double test = run(window, dialogs, true);
    std::printf("generation over %d cases, test mode: %.2f s (%s)\n", cases, test,
                dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
    const double saving = run(window, dialogs, false);
    const qsizetype written = QDir(drives.path() + QStringLiteral("/Z/work/kv32/dati/ds"))
                                  .entryList({QStringLiteral("*.txt")}, QDir::Files)
                                  .size();
    std::printf("generation over %d cases, saving: %.2f s, %lld sheets written (%s; goal: under 10 s each)\n", cases,
                saving, static_cast<long long>(written),
                dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
    return 0;
}
