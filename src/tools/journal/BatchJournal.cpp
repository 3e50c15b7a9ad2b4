#include "tools/journal/BatchJournal.h"

#include "foundation/ShownText.h"
#include "foundation/SpecialFolders.h"
#include "foundation/SuitePaths.h"
#include "foundation/db/Connection.h"
#include "foundation/db/ConnectionString.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Statement.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Dialogs.h"
#include "launcher/FilterCheck.h"
#include "launcher/ModuloCommand.h"
#include "tools/journal/JournalSettings.h"
#include "tools/journal/JournalText.h"
#include "tools/journal/JournalView.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>

namespace {

/// The columns that the journal copies into [Working], with the working field of each.
struct Copied {
    const char* lotColumn;
    const char* workingField;
};
constexpr Copied copiedColumns[] = {
    {"mandato", "SOC"},
    {"data_affido", "data1"},
    {"pratiche", "c1"},
    {"totaff", "N_1"},
};

QString workingQuery()
{
    return QStringLiteral("select * from [Working] where operatore='") + BatchJournal::operatorTag() +
           QLatin1Char('\'');
}

} // namespace

BatchJournal::BatchJournal(ModuloCommand& module, Dialogs& dialogs, const Clock& clock, JournalView& view,
                           JournalPrinter printer, EventPump pump)
    : m_module(module), m_dialogs(dialogs), m_clock(clock), m_view(view), m_printer(std::move(printer)),
      m_pump(std::move(pump))
{
}

QString BatchJournal::ScriviVersione()
{
    return JournalText::ScriviVersione();
}

Result<QString> BatchJournal::reportPathOn(const QDate& printDate)
{
    const QString desktop = CartellaSpeciale(QString());
    if (desktop.isEmpty())
        return Status::failure(QStringLiteral("la cartella del desktop dell'utente non è nota"));
    return desktop + QLatin1Char('/') + JournalReport::fileName(printDate);
}

bool BatchJournal::Form_Load(const QString& sqlLotti, const QString& sourceFile)
{
    m_queryFromFile = JournalText::rewriteOrderBy(sqlLotti);
    m_querySource = sourceFile;
    m_view.setQueryText(m_queryFromFile);
    const bool loaded = Inizia();
    m_view.setNextProgressiveText(JournalSettings::nextProgressive(SuitePaths::kv32Ini()));
    m_view.setMessageText(JournalSettings::lastMessage(SuitePaths::kv32Ini()));
    return loaded;
}

bool BatchJournal::Inizia()
{
    m_view.setLoadEnabled(false);
    m_view.setBusy(true);
    const bool loaded = load();
    m_view.setLoadEnabled(true);
    m_view.setBusy(false);
    return loaded;
}

void BatchJournal::say(const QString& message, Dialogs::Icon icon)
{
    // No hourglass over a message box: the operator is to read it.
    m_view.setBusy(false);
    m_dialogs.message(message, icon);
    m_view.setBusy(true);
}

bool BatchJournal::refuse(const QString& message)
{
    m_lotti.close();
    m_loaded = false;
    m_view.setLines({});
    m_view.setCaption(ScriviVersione() + QStringLiteral("0 lotti"));
    say(message, Dialogs::Icon::Critical);
    return false;
}

bool BatchJournal::load()
{
    const QString connectionString = m_module.StringaConnessione();
    // The two connection failures leave the lots and the list of the previous load as they were.
    if (connectionString.isEmpty()) {
        say((QStringLiteral("Connstring vuoto. Elaborazione interrotta\n") + m_module.connectionStringProblem())
                .trimmed(),
            Dialogs::Icon::None);
        return false;
    }
    db::Connection& connection = m_module.Connessione();
    if (!connection.state()) {
        m_view.setCaption(QStringLiteral("Apro conn ") + db::withoutPassword(connectionString));
        if (m_pump)
            m_pump();
        if (const Status opened = connection.open(connectionString); !opened) {
            say(QStringLiteral("Connessione non stabilita. Elaborazione interrotta\n") + opened.errorText(),
                Dialogs::Icon::Critical);
            return false;
        }
    }

    m_lotti.close();
    m_loaded = false;
    m_view.setCaption(QStringLiteral("Apro recordset"));
    const QString sql = m_view.queryText();
    // The file is named only while the query is the one read from it: the operator may have edited it since.
    if (const Status checked =
            checkFilter(sql, QStringLiteral("La query dei lotti"), sql == m_queryFromFile ? m_querySource : QString());
        !checked)
        return refuse(checked.errorText());
    if (const Status opened = m_lotti.open(sql, connection, db::Recordset::Lock::ReadOnly); !opened)
        return refuse(QStringLiteral("La query dei lotti non si può eseguire: %1\n\n%2").arg(opened.errorText(), sql));
    const QStringList names = m_lotti.fieldNames();
    if (names.size() < 7)
        return refuse(QStringLiteral("La query dei lotti dà %1 colonne (%2): il giornale ne mostra 7.")
                          .arg(names.size())
                          .arg(names.join(QStringLiteral(", "))));
    for (const Copied& copied : copiedColumns) {
        if (m_lotti.fieldIndex(QString::fromLatin1(copied.lotColumn)) < 0)
            return refuse(QStringLiteral("Alla query dei lotti manca la colonna %1, che il giornale stampa.")
                              .arg(QString::fromLatin1(copied.lotColumn)));
    }

    // The list comes from one bulk read of all rows (field first, then row), not from a walk of the recordset.
    const QList<QVariantList> rows = m_lotti.getRows();
    QStringList lines{JournalText::headerLine(names)};
    for (qsizetype row = 0; row < m_lotti.recordCount(); ++row) {
        QVariantList values;
        for (const QVariantList& column : rows)
            values.append(column.at(row));
        const Result<QString> line = JournalText::lotLine(values, names);
        if (!line) {
            const QString lot = shownText(db::textOf(values.at(0)) + QStringLiteral(" | ") + db::textOf(values.at(1)) +
                                          QStringLiteral(" | ") + db::textOf(values.at(2)));
            return refuse(
                QStringLiteral("Il lotto %1 (%2) non si può stampare: %3.").arg(row + 1).arg(lot, line.errorText()));
        }
        lines.append(*line);
    }
    m_view.setLines(lines);
    m_view.setCaption(ScriviVersione() + QString::number(m_lotti.recordCount()) + QStringLiteral(" lotti"));
    if (m_lotti.recordCount() == 0) {
        say(QStringLiteral("La query dei lotti non ha dato nessun lotto: non c'è nulla da stampare."),
            Dialogs::Icon::Information);
        return false;
    }
    m_loaded = true;
    return true;
}

Status BatchJournal::RiempiWorking()
{
    return replaceWorkingRows(nullptr);
}

Status BatchJournal::replaceWorkingRows(QList<JournalReport::Lot>* readBack)
{
    db::Connection& connection = m_module.Connessione();
    if (!connection.state())
        return Status::failure(QStringLiteral("la connessione al database non è aperta"));
    QSqlDatabase database = connection.database();
    // The old rows go and the new ones come together, or not at all: a journal half replaced would print lots of
    // two selections. Reading them back before the commit gives the report exactly the rows written here, even
    // when another workstation prints a journal at the same moment.
    const bool transactional = database.driver()->hasFeature(QSqlDriver::Transactions);
    if (transactional && !database.transaction())
        return Status::failure(db::driverText(database.lastError()));
    Status status = fillWorking();
    if (status && readBack) {
        const Result<QList<JournalReport::Lot>> rows = journalRows();
        status = rows.status();
        if (rows)
            *readBack = *rows;
    }
    if (!status) {
        if (transactional)
            database.rollback();
        return status;
    }
    if (transactional && !database.commit()) {
        const QString cause = db::driverText(database.lastError());
        database.rollback();
        return Status::failure(cause);
    }
    return Status::success();
}

Status BatchJournal::fillWorking()
{
    db::Connection& connection = m_module.Connessione();
    const QString tag = operatorTag();
    if (Status deleted = db::execute(connection, QStringLiteral("Delete  from [Working] where operatore='") + tag +
                                                     QLatin1Char('\''));
        !deleted)
        return deleted;
    db::Recordset working;
    if (Status opened = working.open(workingQuery(), connection, db::Recordset::Lock::Optimistic); !opened)
        return opened;
    // The walk's moves cannot fail: it starts on the first row and moves on only before the end.
    for (static_cast<void>(m_lotti.moveFirst()); !m_lotti.eof(); static_cast<void>(m_lotti.moveNext())) {
        if (Status added = working.addNew(); !added)
            return added;
        if (Status set = working.setField(QStringLiteral("Operatore"), tag); !set)
            return set;
        for (const Copied& copied : copiedColumns) {
            const Result<QVariant> value = m_lotti.field(QString::fromLatin1(copied.lotColumn));
            if (!value)
                return value.status();
            if (Status set = working.setField(QString::fromLatin1(copied.workingField), *value); !set)
                return set;
        }
        if (Status saved = working.update(); !saved)
            return saved;
    }
    working.close();
    return Status::success();
}

Result<QList<JournalReport::Lot>> BatchJournal::journalRows()
{
    db::Recordset working;
    if (Status opened = working.open(workingQuery(), m_module.Connessione(), db::Recordset::Lock::ReadOnly); !opened)
        return opened;
    QList<JournalReport::Lot> lots;
    // Moving on cannot fail: it happens only before the end.
    for (; !working.eof(); static_cast<void>(working.moveNext())) {
        const Result<QString> mandato = working.text(QStringLiteral("SOC"));
        const Result<QVariant> data = working.field(QStringLiteral("data1"));
        const Result<QVariant> pratiche = working.field(QStringLiteral("c1"));
        const Result<QVariant> totale = working.field(QStringLiteral("N_1"));
        for (const Status& read : {mandato.status(), data.status(), pratiche.status(), totale.status()}) {
            if (!read)
                return read;
        }
        lots.append({*mandato, *data, *pratiche, *totale});
    }
    return lots;
}

Result<QString> BatchJournal::print(double statprog, const QString& message)
{
    QList<JournalReport::Lot> rows;
    if (Status filled = replaceWorkingRows(&rows); !filled)
        return Status::failure(
            QStringLiteral("Le righe del giornale non sono state scritte nella tabella [Working]: ") +
            filled.errorText());
    const QDate today = m_clock.today();
    const Result<QString> path = reportPathOn(today);
    if (!path)
        return Status::failure(QStringLiteral("Il giornale non si può scrivere: ") + path.errorText());
    const JournalReport report(statprog, message, today, rows);
    if (Status written = m_printer(report, *path); !written)
        return written;
    return *path;
}

BatchJournal::PrintOutcome BatchJournal::StampaCR()
{
    if (!m_loaded || m_lotti.recordCount() == 0) {
        m_dialogs.message(
            QStringLiteral("Non ci sono lotti da stampare: premere Elabora con una query che dia dei lotti."),
            Dialogs::Icon::Critical);
        return PrintOutcome::NotPrinted;
    }
    m_view.setPrintVisible(false);
    m_view.setBusy(true);
    const double statprog = JournalText::numericValue(m_view.nextProgressiveText());
    const QString message = m_view.messageText();
    const Result<QString> printed = print(statprog, message);
    m_view.setBusy(false);
    m_view.setPrintVisible(true);
    if (!printed) {
        m_dialogs.message(printed.errorText(), Dialogs::Icon::Critical);
        return PrintOutcome::NotPrinted;
    }
    m_reportPath = *printed;
    m_view.showReport(m_reportPath);

    const QString last = JournalText::numberText(statprog + double(m_lotti.recordCount()) - 1);
    // Yes is the default, as on the old box: the journal just printed is normally the one to continue from.
    const Dialogs::Answer answer =
        m_dialogs.question(QStringLiteral("Vuoi salvare l'ultimo progressivo [") + last + QStringLiteral("]?"),
                           Dialogs::Answer::Yes, Dialogs::Icon::Critical);
    if (answer == Dialogs::Answer::No)
        return PrintOutcome::NotSaved;
    if (Status saved = JournalSettings::save(SuitePaths::kv32Ini(), last, message); !saved) {
        m_dialogs.message(saved.errorText(), Dialogs::Icon::Critical);
        return PrintOutcome::SaveFailed;
    }
    return PrintOutcome::Saved;
}
