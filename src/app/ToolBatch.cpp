#include "app/ToolBatch.h"

#include "report/JournalPdf.h"

#include "launcher/ExitStatus.h"
#include "launcher/ModuloCommand.h"
#include "tools/consignments/ConsignmentsBatchView.h"
#include "tools/consignments/OtherConsignments.h"
#include "tools/contacts/ContactsBatchView.h"
#include "tools/contacts/ContactsExport.h"
#include "tools/journal/BatchJournal.h"
#include "tools/journal/JournalBatchView.h"

int runContactsBatch(ModuloCommand& module, Dialogs& dialogs, const ToolParams& params)
{
    ContactsBatchView view;
    ContactsExport contacts(module, dialogs, view);
    contacts.params = params;
    return contacts.Inizia() == ContactsExport::Outcome::Exported ? ExitDone : ExitStopped;
}

int runJournalBatch(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, const QString& sqlLotti,
                    const QString& sourceFile)
{
    JournalBatchView view;
    BatchJournal journal(module, dialogs, clock, view, JournalPdf::print);
    if (!journal.Form_Load(sqlLotti, sourceFile))
        return ExitStopped;
    switch (journal.StampaCR()) {
    case BatchJournal::PrintOutcome::Saved:
    case BatchJournal::PrintOutcome::NotSaved:
        return ExitDone;
    case BatchJournal::PrintOutcome::NotPrinted:
    case BatchJournal::PrintOutcome::SaveFailed:
        break;
    }
    return ExitStopped;
}

int runConsignmentsBatch(ModuloCommand& module, Dialogs& dialogs, const ToolParams& params)
{
    ConsignmentsBatchView view;
    OtherConsignments lookup(module, dialogs, view);
    lookup.params = params;
    return lookup.Elabora() == OtherConsignments::RunOutcome::Completed ? ExitDone : ExitStopped;
}

std::optional<int> runToolBatch(const Dispatch& dispatch, ModuloCommand& module, Dialogs& dialogs, const Clock& clock)
{
    if (dispatch.kind != Dispatch::Kind::OpenWindow)
        return std::nullopt;
    switch (dispatch.window) {
    case ToolWindow::ContactsExport:
        return dispatch.runInizia ? runContactsBatch(module, dialogs, dispatch.params) : ExitDone;
    case ToolWindow::Journal:
        return runJournalBatch(module, dialogs, clock, dispatch.sqlLotti, dispatch.params.source);
    case ToolWindow::OtherConsignments:
        return runConsignmentsBatch(module, dialogs, dispatch.params);
    case ToolWindow::Main:
    case ToolWindow::EmptyForm:
        break;
    }
    return std::nullopt;
}
