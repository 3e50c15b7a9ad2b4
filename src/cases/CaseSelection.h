#pragma once

#include "cases/CaseLine.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/EventPump.h"
#include "launcher/ToolParams.h"

#include <memory>

class CaseSelectionView;
class Dialogs;
class ModuloCommand;

/// The main window's working set of cases: the case query built from the filter that the suite handed over, its
/// recordset (which stays open for the editor, the check and the export) and the list that shows it. The filter
/// is the selection's own: the view only shows it, and what is typed there is never read back.
class CaseSelection {
public:
    /// A selection of the cases of `params.ParFiltro` (`params.source` names the file it came from).
    CaseSelection(ModuloCommand& module, Dialogs& dialogs, CaseSelectionView& view, ToolParams params = {},
                  EventPump pump = {});

    /// Opens the database if needed, runs the case query and fills the list. Returns false when the
    /// database or the query cannot be opened: the operator has been told why and the program must end.
    bool Inizia();

    db::Recordset& pratiche() { return *m_pratiche; }
    const db::Recordset& pratiche() const { return *m_pratiche; }

    /// The filter that the case query ends with: the suite's, or the default one when it handed over none.
    QString filter() const;
    /// The filter used when the suite hands over none, and its row limit.
    static QString defaultFilter() { return QStringLiteral("where [tipo mandato]='NRV'"); }

private:
    bool openConnection();
    bool openCases();
    QList<CaseLine> caseLines();

    ModuloCommand* m_module;
    Dialogs* m_dialogs;
    CaseSelectionView* m_view;
    ToolParams m_params;
    EventPump m_pump;
    // Apart, so that a window can take a new selection in place of the one it was made with.
    std::unique_ptr<db::Recordset> m_pratiche;
};
