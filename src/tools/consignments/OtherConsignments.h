#pragma once

#include "foundation/Status.h"
#include "foundation/ports/EventPump.h"
#include "launcher/ToolParams.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class ConsignmentHistory;
class Dialogs;
class ModuloCommand;
class OtherConsignmentsView;
namespace db {
class Statement;
}

/// The other-consignments lookup: for each selected case whose debtor's tax code is found on a case consigned on
/// another date, one line describing the case the suite has open (ParContatore). It works on the program's shared
/// connection.
class OtherConsignments {
public:
    /// The buttons of CmdElabora, by index; left to right they read "Stampa", "Interrompi", "&Elabora".
    enum class Button { Elabora = 0, Interrompi = 1, Stampa = 2 };
    /// How a run ended.
    enum class RunOutcome {
        Completed,   ///< every selected case was looked up
        Interrupted, ///< "Interrompi" ended it between two cases
        Stopped,     ///< a message stopped it before the first case
    };

    OtherConsignments(ModuloCommand& module, Dialogs& dialogs, OtherConsignmentsView& view, EventPump pump = {});
    ~OtherConsignments();

    /// The values handed over by the dispatcher: ParContatore and ParFiltro are used.
    ToolParams params;

    /// The action of a button of CmdElabora.
    void CmdElabora_Click(int index);
    /// The run ("&Elabora"): the window serves one run, so its button stays disabled afterwards.
    RunOutcome Elabora();
    /// Asks the run to stop before its next case.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }

    /// The line of the open case when the tax code has a consignment on a date other than `dataaff`; none when
    /// it has not, or when no case has the number ParContatore. The failure carries the database's text. During a
    /// run on SQLite or PostgreSQL the answer comes from the dates read once for the whole selection; otherwise
    /// the database is asked.
    Result<std::optional<QString>> cercaInStorico(const QString& cf, const QVariant& dataaff);

    /// The selection: tax code and consignment date of the cases of the filter.
    static QString selectionQuery(const QString& filter);

private:
    Result<qsizetype> askDatabase(const QString& cf, const QVariant& dataaff);
    Result<std::optional<QString>> detailLine();
    void reportSkipped();

    ModuloCommand& m_module;
    Dialogs& m_dialogs;
    OtherConsignmentsView& m_view;
    EventPump m_pump;
    bool m_stop = false;
    std::unique_ptr<db::Statement> m_history;
    std::unique_ptr<db::Statement> m_details;
    std::unique_ptr<ConsignmentHistory> m_dates;
    std::optional<QString> m_line;
    bool m_caseMissing = false;
    int m_withoutTaxCode = 0;
    int m_failedChecks = 0;
    QString m_firstFailure;
};
