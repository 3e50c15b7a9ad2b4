// Times "Genera Diagnosis Sheet Casuali" over a large list, half of whose cases need a sheet and have none: the
// generation of the core without a window, once in test mode, where nothing is saved, and once saving every sheet;
// and, first, the same test run started from the main window (drawn off screen), which shows it as it goes.
//
//   bench_generation [--cases N]
//
// The suite goes to the temporary folder (TMPDIR): on a tmpfs the saving run costs no disk syncs.
#include "BenchSuite.h"

#include "cases/BatchCaseView.h"
#include "cases/CaseSelection.h"
#include "ds/SheetGenerator.h"
#include "ds/SheetStore.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

/// A run that nobody watches: no quota is ever used up, nobody presses "Interrompi".
class UnwatchedView : public SheetGenerationView {
public:
    void generationStarts() override {}
    void showCase(qsizetype, qsizetype, const QString&, const GenerationQuotas&) override {}
    bool stopRequested() override { return false; }
    void showStoppedCase() override {}
    void showQuotasUsedUp(const QString&) override {}
    void quotasAvailableAgain() override {}
    QList<Quota> quotasNow(QuotaArray) override { return {}; }
    void pumpEvents() override {}
};

/// Every quota without a limit: the benchmark measures the walk, not refused draws.
GenerationSettings openSettings(bool soloTest)
{
    GenerationSettings settings;
    settings.redditoCliente = {QStringLiteral("500"), QStringLiteral("1000"), QStringLiteral("1500")};
    settings.nota = {QStringLiteral("Nota 1"), QStringLiteral("Nota 2"), QStringLiteral("Nota 3")};
    settings.soloTest = soloTest;
    return settings;
}

QString shown(const ScriptedDialogs& dialogs)
{
    return dialogs.messages().join(QLatin1Char(' '));
}

double timeWindow(const SystemClock& clock, SystemRandom& random, ScriptedDialogs& dialogs)
{
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    FRM_EXP_NRV_XML window(module, dialogs, clock, random);
    if (!window.Form_Load(BenchSuite::suiteLine()))
        return -1;
    window.cmdPratiche_Click();
    // Generous quotas, as the test mode presets them.
    window.findChild<QCheckBox*>(QStringLiteral("chkSoloTest"))->click();
    dialogs.clear();
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    QElapsedTimer timer;
    timer.start();
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    return timer.elapsed() / 1000.0;
}

double timeCore(db::Recordset& pratiche, bool soloTest, const SystemClock& clock, SystemRandom& random,
                ScriptedDialogs& dialogs)
{
    SheetStore store;
    UnwatchedView view;
    dialogs.clear();
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    QElapsedTimer timer;
    timer.start();
    SheetGenerator(openSettings(soloTest), pratiche, store, clock, random, dialogs, view).run();
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

    const double window = timeWindow(clock, random, dialogs);
    std::printf("generation over %d cases from the main window, test mode: %.2f s (%s)\n", cases, window,
                shown(dialogs).toLocal8Bit().constData());

    BatchCaseView caseView(nullptr);
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    CaseSelection selection(module, dialogs, caseView,
                            module.EseguiComando(ToolRequest{5001, QString()}, BenchSuite::suiteLine()).params);
    if (!selection.Inizia())
        return 1;
    const double test = timeCore(selection.pratiche(), true, clock, random, dialogs);
    std::printf("generation over %d cases, test mode: %.2f s (%s; goal: under 3 s)\n", cases, test,
                shown(dialogs).toLocal8Bit().constData());
    const double saving = timeCore(selection.pratiche(), false, clock, random, dialogs);
    const qsizetype written = QDir(drives.path() + QStringLiteral("/Z/work/kv32/dati/ds"))
                                  .entryList({QStringLiteral("*.txt")}, QDir::Files)
                                  .size();
    std::printf("generation over %d cases, saving: %.2f s, %lld sheets written (%s; goal: under 3 s)\n", cases, saving,
                static_cast<long long>(written), shown(dialogs).toLocal8Bit().constData());
    return 0;
}
