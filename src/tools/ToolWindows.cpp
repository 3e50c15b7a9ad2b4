#include "tools/ToolWindows.h"

#include "launcher/ModuloCommand.h"
#include "tools/consignments/FrmAltriAffidiCF.h"
#include "tools/contacts/Frm_EXP_AGGCMP.h"
#include "tools/journal/Frm_Giornale.h"

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
