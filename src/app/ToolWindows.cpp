#include "app/ToolWindows.h"

#include "launcher/ModuloCommand.h"
#include "windows/tools/FrmAltriAffidiCF.h"
#include "windows/tools/Frm_EXP_AGGCMP.h"
#include "windows/tools/Frm_Giornale.h"

std::unique_ptr<QWidget> openToolWindow(const Dispatch& dispatch, ModuloCommand& module, Dialogs& dialogs,
                                        const Clock& clock)
{
    if (dispatch.kind != Dispatch::Kind::OpenWindow)
        return nullptr;
    switch (dispatch.window) {
    case ToolWindow::ContactsExport:
        return Frm_EXP_AGGCMP::open(module, dialogs, dispatch);
    case ToolWindow::Journal:
        return Frm_Giornale::open(module, dialogs, clock, dispatch);
    case ToolWindow::OtherConsignments:
        return FrmAltriAffidiCF::open(module, dialogs, dispatch);
    case ToolWindow::Main:
    case ToolWindow::EmptyForm:
        break;
    }
    return nullptr;
}
