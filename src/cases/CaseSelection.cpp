#include "cases/CaseSelection.h"

#include "cases/CaseSelectionView.h"
#include "foundation/DriveMapping.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/DbValue.h"
#include "foundation/ports/Dialogs.h"
#include "launcher/FilterCheck.h"
#include "launcher/ModuloCommand.h"

CaseSelection::CaseSelection(ModuloCommand& module, Dialogs& dialogs, CaseSelectionView& view, ToolParams params,
                             EventPump pump)
    : m_module(&module), m_dialogs(&dialogs), m_view(&view), m_params(std::move(params)), m_pump(std::move(pump)),
      m_pratiche(std::make_unique<db::Recordset>())
{
}

QString CaseSelection::filter() const
{
    return m_params.ParFiltro.isEmpty() ? defaultFilter() : m_params.ParFiltro;
}

bool CaseSelection::Inizia()
{
    m_view->setFilterText(m_params.ParFiltro);
    if (!openConnection())
        return false;
    m_pratiche->close();
    m_view->setStatus(QStringLiteral("Leggo le Pratiche "));
    m_view->setBusy(true);
    if (!openCases()) {
        m_view->setBusy(false);
        m_view->showProgress(-1, 0);
        return false;
    }
    m_view->setStatus(QStringLiteral("Pratiche da esportare:") + QString::number(m_pratiche->recordCount()));
    m_view->setBusy(false);
    if (m_module->ModoAccess() && !m_view->caption().contains(QLatin1String("Access")))
        m_view->setCaption(m_view->caption() + QStringLiteral(" [Access]"));
    m_view->setCaseLines(caseLines());
    m_view->showProgress(-1, 0);
    // The recordset is left after its last row, as the list walk leaves it.
    // With a row at least, neither move can fail.
    if (m_pratiche->recordCount() > 0) {
        static_cast<void>(m_pratiche->moveLast());
        static_cast<void>(m_pratiche->moveNext());
    }
    return true;
}

bool CaseSelection::openConnection()
{
    db::Connection& connection = m_module->Connessione();
    if (connection.state())
        return true;
    if (m_module->StringaConnessione().trimmed().isEmpty()) {
        const QString why =
            !m_module->connectionStringProblem().isEmpty()
                ? m_module->connectionStringProblem()
                : QStringLiteral("Manca la chiave connstring nella sezione [datiserver] del file %1 (%2).")
                      .arg(SuitePaths::kv32Ini(), DriveMapping::toLocalPath(SuitePaths::kv32Ini()));
        m_dialogs->message(QStringLiteral("Stringa di connessione vuota. ") + why, Dialogs::Icon::Critical);
        return false;
    }
    const Status opened = connection.open(m_module->StringaConnessione());
    if (!opened) {
        m_dialogs->message(opened.errorText(), Dialogs::Icon::Critical);
        return false;
    }
    return true;
}

bool CaseSelection::openCases()
{
    QString rowLimit;
    if (m_params.ParFiltro.isEmpty()) {
        m_view->setFilterText(defaultFilter());
        rowLimit = QStringLiteral(" top 100 ");
    }
    if (const Status checked = checkFilter(filter(), QStringLiteral("Il filtro delle pratiche"), m_params.source);
        !checked) {
        m_dialogs->message(checked.errorText(), Dialogs::Icon::Critical);
        return false;
    }
    const QString sql = QStringLiteral("Select ") + rowLimit + QStringLiteral(" * From [Tabella Pratiche] ") + filter();
    const db::Recordset::Progress progress = [this](qsizetype rows) {
        m_view->showProgress(rows, 0);
        if (m_pump)
            m_pump();
    };
    const Status opened = m_pratiche->open(sql, m_module->Connessione(), db::Recordset::Lock::Optimistic, progress);
    if (!opened) {
        m_dialogs->message(QStringLiteral("Impossibile leggere le pratiche (%1): %2").arg(sql, opened.errorText()),
                           Dialogs::Icon::Critical);
        m_pratiche->close();
        return false;
    }
    return true;
}

QList<CaseLine> CaseSelection::caseLines()
{
    QList<CaseLine> lines;
    lines.reserve(m_pratiche->recordCount());
    const int nameField = m_pratiche->fieldIndex(QStringLiteral("ragione sociale"));
    const int counterField = m_pratiche->fieldIndex(QStringLiteral("contatore"));
    // The walk's moves cannot fail: it starts on the first row and moves on only before the end.
    for (static_cast<void>(m_pratiche->moveFirst()); !m_pratiche->eof(); static_cast<void>(m_pratiche->moveNext())) {
        CaseLine line;
        const QVariant name = m_pratiche->value(nameField);
        const Result<qint32> counter = db::wholeNumberOf(m_pratiche->value(counterField), QStringLiteral("contatore"));
        line.contatore = counter ? *counter : 0;
        // A case without a name still needs a line of its own: lines and cases pair by position.
        line.text = db::isNull(name) ? QStringLiteral("(senza ragione sociale - pratica %1)").arg(line.contatore)
                                     : db::textOf(name);
        lines.append(line);
    }
    return lines;
}
