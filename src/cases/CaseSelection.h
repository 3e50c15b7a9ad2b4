#pragma once

#include "cases/CaseLine.h"
#include "launcher/ToolParams.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/EventPump.h"

class CaseSelectionView;
class Dialogs;
class ModuloCommand;

/// The main window's working set of cases: the case query built from the filter, its recordset
/// (which stays open for the editor, the check and the export) and the list that shows it.
class CaseSelection {
public:
    CaseSelection(ModuloCommand& module, Dialogs& dialogs, CaseSelectionView& view, EventPump pump = {});

    /// The values handed over by the dispatcher; only ParFiltro is used here.
    ToolParams params;

    /// Opens the database if needed, runs the case query and fills the list. Returns false when the
    /// database or the query cannot be opened: the operator has been told why and the program must end.
    bool Inizia();

    db::Recordset& pratiche() { return m_pratiche; }
    const db::Recordset& pratiche() const { return m_pratiche; }

    /// The filter used when the suite hands over none, and its row limit.
    static QString defaultFilter() { return QStringLiteral("where [tipo mandato]='NRV'"); }

private:
    bool openConnection();
    bool openCases();
    QList<CaseLine> caseLines();

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    CaseSelectionView& m_view;
    EventPump m_pump;
    db::Recordset m_pratiche;
};
