#include "app/BatchSession.h"

#include "app/CommandLine.h"
#include "app/ToolBatch.h"
#include "cases/BatchCaseView.h"
#include "cases/CaseSelection.h"
#include "ds/SheetStore.h"
#include "flow/FlowExport.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Dialogs.h"
#include "foundation/ports/Random.h"
#include "launcher/ModuloCommand.h"
#include "launcher/SheetFolderCheck.h"
#include "launcher/StartUp.h"

namespace {

/// The main tool without an operator: the case list, "Controlla Dati" and, when it passes, "Esporta".
int runMainTool(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, const Dispatch& dispatch)
{
    BatchCaseView view;
    CaseSelection cases(module, dialogs, view, dispatch.params);
    if (!cases.Inizia())
        return ExitStopped;
    if (cases.pratiche().recordCount() == 0) {
        dialogs.message(QStringLiteral("Nessuna pratica da controllare con il filtro ") + cases.filter());
        return ExitStopped;
    }
    view.setCases(&cases.pratiche());
    SheetStore sheets;
    if (!CheckTutteLePratiche(cases.pratiche(), sheets, clock.today(), view, dialogs))
        return ExitStopped;
    SystemRandom random;
    random.seed(quint64(clock.now().toMSecsSinceEpoch()));
    FlowExport exporter(module.Connessione(), module.ModoAccess(), sheets, dialogs, clock, random);
    return exporter.EsportaFlusso(cases.pratiche()) ? ExitDone : ExitStopped;
}

} // namespace

int runBatchSession(const CommandLine& options, Dialogs& dialogs, const Clock& clock)
{
    const bool mainTool = options.tool.isMainTool();
    if (mainTool && !checkSheetFolder(dialogs))
        return ExitStopped;

    ModuloCommand module(clock, options.title);
    const QString line = mainTool ? lineOrTestLine(options.line, clock) : options.line;
    const Dispatch dispatch = module.EseguiComando(options.tool, line);
    switch (dispatch.kind) {
    case Dispatch::Kind::Listing:
    case Dispatch::Kind::Stopped:
        dialogs.message(dispatch.text);
        return ExitStopped;
    case Dispatch::Kind::OpenWindow:
        break;
    }
    if (dispatch.window == ToolWindow::Main)
        return runMainTool(module, dialogs, clock, dispatch);
    if (const std::optional<int> status = runToolBatch(dispatch, module, dialogs, clock))
        return *status;
    // The other windows have no work to do without an operator.
    return ExitDone;
}
