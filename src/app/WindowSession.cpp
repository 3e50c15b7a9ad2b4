#include "app/WindowSession.h"

#include "app/BatchSession.h"
#include "app/CommandLine.h"
#include "app/ToolWindows.h"
#include "foundation/ports/Dialogs.h"
#include "launcher/ModuloCommand.h"
#include "windows/Form1.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include <QApplication>

int runWindowSession(const CommandLine& options, Dialogs& dialogs, const Clock& clock, Random& random)
{
    ModuloCommand module(clock, options.title);
    if (options.tool.isMainTool()) {
        FRM_EXP_NRV_XML window(module, dialogs, clock, random);
        if (!window.Form_Load(options.line))
            return ExitStopped;
        return QApplication::exec();
    }

    const Dispatch dispatch = module.EseguiComando(options.tool, options.line);
    if (dispatch.kind != Dispatch::Kind::OpenWindow) {
        dialogs.message(dispatch.text);
        return ExitStopped;
    }
    if (std::unique_ptr<QWidget> tool = openToolWindow(dispatch, module, dialogs, clock))
        return QApplication::exec();
    auto* window = new Form1(dispatch.windowName, dispatch.params);
    window->show();
    return QApplication::exec();
}
