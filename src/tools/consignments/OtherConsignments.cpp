#include "tools/consignments/OtherConsignments.h"

#include "foundation/db/ConnectionString.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Recordset.h"
#include "foundation/db/Statement.h"
#include "foundation/ports/Dialogs.h"
#include "launcher/FilterCheck.h"
#include "launcher/ModuloCommand.h"
#include "tools/consignments/ConsignmentHistory.h"
#include "tools/consignments/OtherConsignmentsView.h"

namespace {

// The tax code and the date are bound, never spliced: a tax code holding a quote once broke the question or,
// worse, changed it.
const QString historyQuestion =
    QStringLiteral("Select count(*) from [tabella pratiche] where [data affido]<>? and P_iva=?");
const QString detailsQuestion = QStringLiteral("Select * from [tabella pratiche] where contatore=?");

} // namespace

OtherConsignments::OtherConsignments(ModuloCommand& module, Dialogs& dialogs, OtherConsignmentsView& view,
                                     EventPump pump)
    : m_module(module), m_dialogs(dialogs), m_view(view), m_pump(std::move(pump))
{
}

OtherConsignments::~OtherConsignments() = default;

QString OtherConsignments::selectionQuery(const QString& filter)
{
    return QStringLiteral("Select ") + QStringLiteral("P_iva,[data affido]") +
           QStringLiteral(" From [tabella pratiche] ") + filter;
}

void OtherConsignments::CmdElabora_Click(int index)
{
    switch (Button(index)) {
    case Button::Elabora:
        Elabora();
        break;
    case Button::Interrompi:
        requestStop();
        break;
    case Button::Stampa:
        // "Stampa" has never had an action.
        break;
    }
}

OtherConsignments::RunOutcome OtherConsignments::Elabora()
{
    m_stop = false;
    m_view.setRunEnabled(false);
    m_view.setStopEnabled(true);
    const QString connectionString = m_module.StringaConnessione();
    if (connectionString.isEmpty()) {
        m_dialogs.message(
            (QStringLiteral("Connstring vuoto. Elaborazione interrotta\n") + m_module.connectionStringProblem())
                .trimmed());
        return RunOutcome::Stopped;
    }
    m_view.setCaption(QStringLiteral("Apro conn ") + db::withoutPassword(connectionString));
    if (m_pump)
        m_pump();
    db::Connection& connection = m_module.Connessione();
    if (!connection.state()) {
        if (const Status opened = connection.open(connectionString); !opened) {
            m_dialogs.message(QStringLiteral("Connessione non stabilita. Elaborazione interrotta\n") +
                                  opened.errorText(),
                              Dialogs::Icon::Critical);
            return RunOutcome::Stopped;
        }
    }
    m_view.setCaption(QStringLiteral("Apro RS "));
    if (m_pump)
        m_pump();

    if (const Status checked = checkFilter(params.ParFiltro, QStringLiteral("Il filtro delle pratiche"), params.source);
        !checked) {
        m_dialogs.message(checked.errorText() + QStringLiteral("\nElaborazione interrotta"), Dialogs::Icon::Critical);
        return RunOutcome::Stopped;
    }
    db::Recordset selection;
    const QString sql = selectionQuery(params.ParFiltro);
    if (const Status opened = selection.open(sql, connection, db::Recordset::Lock::Optimistic); !opened) {
        m_dialogs.message(opened.errorText() + QStringLiteral("\n\n") + sql, Dialogs::Icon::Critical);
        return RunOutcome::Stopped;
    }
    if (selection.recordCount() == 0) {
        m_dialogs.message(QStringLiteral("0 Pratiche filtrate. Elaborazione interrotta"));
        selection.close();
        // The shared connection is released: its next user opens a new one.
        connection.close();
        return RunOutcome::Stopped;
    }

    const qsizetype total = selection.recordCount();
    m_view.setCaption(QStringLiteral(" Elaboro ... pratiche= ") + QString::number(total));
    m_details = std::make_unique<db::Statement>(connection, detailsQuestion);
    // One case at a time costs a scan of the table per case where P_iva has no index: the dates of every tax code of
    // the selection are read once instead, where the program knows how the database compares them.
    if (ConsignmentHistory::answersFromMemory(connection.dialect())) {
        m_dates = std::make_unique<ConsignmentHistory>();
        // A read that fails is told with the cases it leaves unanswered, as a failing question is.
        static_cast<void>(m_dates->load(connection, sql));
    } else {
        m_history = std::make_unique<db::Statement>(connection, historyQuestion);
    }
    m_line.reset();
    m_caseMissing = false;
    m_withoutTaxCode = 0;
    m_failedChecks = 0;
    m_firstFailure.clear();

    RunOutcome outcome = RunOutcome::Completed;
    qsizetype counter = 0;
    // The walk's moves cannot fail: it starts on the first row and moves on only before the end.
    for (static_cast<void>(selection.moveFirst()); !selection.eof(); static_cast<void>(selection.moveNext())) {
        if (m_stop) {
            outcome = RunOutcome::Interrupted;
            break;
        }
        ++counter;
        m_view.setCaption(QString::number(counter));
        m_view.showProgress(counter, total);
        const QString cf = selection.text(QStringLiteral("P_iva")).value_or(QString());
        const QVariant dataaff = selection.field(QStringLiteral("data affido")).value_or(QVariant());
        if (cf.trimmed().isEmpty()) {
            // Without a tax code there is no debtor to look for: every other case without one would count as the
            // same debtor. The case is left out and counted.
            ++m_withoutTaxCode;
        } else {
            const Result<std::optional<QString>> found = cercaInStorico(cf, dataaff);
            if (!found) {
                if (m_failedChecks++ == 0)
                    m_firstFailure = found.errorText();
            } else if (found.value()) {
                m_view.addLine(**found);
            }
        }
        if (m_pump)
            m_pump();
    }
    m_view.showProgress(-1, 0);
    m_history.reset();
    m_details.reset();
    m_dates.reset();
    reportSkipped();
    return outcome;
}

Result<std::optional<QString>> OtherConsignments::cercaInStorico(const QString& cf, const QVariant& dataaff)
{
    const Result<qsizetype> count = m_dates ? m_dates->otherDates(cf, dataaff) : askDatabase(cf, dataaff);
    if (!count)
        return count.status();
    if (*count == 0)
        return std::optional<QString>();
    return detailLine();
}

Result<qsizetype> OtherConsignments::askDatabase(const QString& cf, const QVariant& dataaff)
{
    if (!m_history)
        m_history = std::make_unique<db::Statement>(m_module.Connessione(), historyQuestion);
    if (Status ran = m_history->run({dataaff, cf}); !ran)
        return ran;
    const QVariant count = m_history->next() ? m_history->value(0) : QVariant();
    m_history->finish();
    if (!m_history->status())
        return m_history->status();
    return db::isNull(count) ? qsizetype(0) : qsizetype(count.toLongLong());
}

Result<std::optional<QString>> OtherConsignments::detailLine()
{
    // Every hit describes the same case, the one the suite has open: it is read once a run.
    if (m_line)
        return m_line;
    if (m_caseMissing)
        return std::optional<QString>();
    if (!m_details)
        m_details = std::make_unique<db::Statement>(m_module.Connessione(), detailsQuestion);
    if (Status ran = m_details->run({params.ParContatore}); !ran)
        return ran;
    const bool found = m_details->next();
    if (!m_details->status())
        return m_details->status();
    if (!found) {
        m_caseMissing = true;
        m_dialogs.message(QStringLiteral("Nessuna pratica ha il contatore %1: le pratiche con altri affidi non si "
                                         "possono elencare.")
                              .arg(params.ParContatore),
                          Dialogs::Icon::Critical);
        return std::optional<QString>();
    }
    QStringList values;
    for (const char* field : {"ragione sociale", "tipo mandato", "data affido", "situazione affido"})
        values.append(db::textOf(m_details->value(m_details->columnIndex(QString::fromLatin1(field)))));
    m_details->finish();
    m_line = values.join(QStringLiteral(" | "));
    return m_line;
}

void OtherConsignments::reportSkipped()
{
    if (m_withoutTaxCode == 1)
        m_dialogs.message(QStringLiteral("1 pratica senza P_iva non è stata cercata in altri affidi."),
                          Dialogs::Icon::Information);
    else if (m_withoutTaxCode > 1)
        m_dialogs.message(
            QStringLiteral("%1 pratiche senza P_iva non sono state cercate in altri affidi.").arg(m_withoutTaxCode),
            Dialogs::Icon::Information);
    if (m_failedChecks > 0)
        m_dialogs.message(
            QStringLiteral("La ricerca in altri affidi non è riuscita per %1 %2: %3")
                .arg(m_failedChecks)
                .arg(m_failedChecks == 1 ? QStringLiteral("pratica") : QStringLiteral("pratiche"), m_firstFailure),
            Dialogs::Icon::Critical);
}
