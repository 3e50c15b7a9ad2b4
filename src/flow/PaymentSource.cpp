#include "flow/PaymentSource.h"

#include "foundation/db/Connection.h"
#include "foundation/db/SqlDialect.h"

#include <algorithm>
#include <limits>

namespace {

const QString PaymentsTable = QStringLiteral("Tabella Pagamenti");
const QString BankTable = QStringLiteral("Tabella Riscontro");
// The suite's two questions, the value bound where the old program joined it to the text.
const QString PaymentsSql = QStringLiteral("Select * From [Tabella Pagamenti] where conta=?");
const QString BankSql = QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=?");
// The same rows for a window of cases. Each case's rows come in the order of their place in the table, which is the
// order in which the database answers the question of one case: its index keeps equal keys in that order, and a scan
// of the table meets them in it.
QString paymentsWindowSql(const QString& place)
{
    return QStringLiteral("Select * From [Tabella Pagamenti] where conta>=? and conta<=? order by conta, ") + place;
}
QString bankWindowSql(const QString& place)
{
    return QStringLiteral("Select * From [Tabella Riscontro] where id_incasso in (Select ID From [Tabella Pagamenti] "
                          "where conta>=? and conta<=?) order by id_incasso, ") +
           place;
}
/// The name of a row's place in its table, where the database has one.
std::optional<QString> rowPlace(db::SqlDialect dialect)
{
    switch (dialect) {
    case db::SqlDialect::SQLite:
        return QStringLiteral("rowid");
    case db::SqlDialect::PostgreSQL:
        return QStringLiteral("ctid");
    case db::SqlDialect::Suite:
        break;
    }
    return std::nullopt;
}

// A window starts at this many case numbers, and grows or shrinks by how much of it the flow reads.
constexpr qint64 InitialSpan = 64;
constexpr qint64 MaxSpan = 4096;
// A window holding more payments than this is not made larger, whatever the flow reads of it.
constexpr qsizetype MaxWindowPayments = 50000;

const char* const PaymentFieldNames[PaymentSource::FieldCount] = {
    "ID",       "modo",         "data",  "totale",        "capitale",   "causale",
    "ricevuta", "dataricevuta", "spese", "speserecupero", "datascarico"};
const char* const BankFieldNames[PaymentSource::BankFieldCount] = {"abi", "cab", "cc", "ass", "data", "firmatario"};

QStringList namesOf(const char* const* names, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list.append(QString::fromLatin1(names[i]));
    return list;
}

const QStringList& paymentFields()
{
    static const QStringList names = namesOf(PaymentFieldNames, PaymentSource::FieldCount);
    return names;
}

const QStringList& bankFields()
{
    static const QStringList names = namesOf(BankFieldNames, PaymentSource::BankFieldCount);
    return names;
}

QString missingField(const QString& field, const QString& table)
{
    return QStringLiteral("manca il campo %1 nella tabella [%2]").arg(field, table);
}

std::optional<qint64> wholeKey(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toLongLong();
    default:
        return std::nullopt;
    }
}

} // namespace

PaymentSource::Question::Question(db::Connection& connection, const QString& suiteSql, QString table,
                                  QStringList fields)
    : m_statement(connection, suiteSql), m_table(std::move(table)), m_fields(std::move(fields))
{
}

Status PaymentSource::Question::ask(const QVariantList& values, const std::function<QVariant*()>& nextRow)
{
    const auto failed = [this](const Status& status) {
        m_statement.finish();
        return Status::failure(
            QStringLiteral("lettura della tabella [%1] non riuscita: %2").arg(m_table, status.errorText()));
    };
    if (Status ran = m_statement.run(values); !ran)
        return failed(ran);
    if (m_columns.isEmpty()) {
        for (const QString& field : m_fields) {
            const int column = m_statement.columnIndex(field);
            if (column < 0) {
                m_statement.finish();
                return Status::failure(missingField(field, m_table));
            }
            m_columns.append(column);
        }
    }
    while (m_statement.next()) {
        QVariant* row = nextRow();
        if (!row) {
            m_statement.finish();
            break;
        }
        for (int field = 0; field < m_columns.size(); ++field)
            row[field] = m_statement.value(m_columns.at(field));
    }
    if (!m_statement.status())
        return failed(m_statement.status());
    return Status::success();
}

PaymentSource::PaymentSource(db::Connection& connection)
    : m_connection(connection), m_database(connection.database()),
      m_windowed(rowPlace(connection.dialect()).has_value()),
      m_payments(connection, PaymentsSql, PaymentsTable, paymentFields()),
      m_bank(connection, BankSql, BankTable, bankFields()), m_span(InitialSpan)
{
    if (const std::optional<QString> place = rowPlace(connection.dialect())) {
        QStringList fields = paymentFields();
        fields.append(QStringLiteral("conta"));
        m_windowPayments.emplace(connection, paymentsWindowSql(*place), PaymentsTable, fields);
        QStringList bank = bankFields();
        bank.append(QStringLiteral("id_incasso"));
        m_windowBanks.emplace(connection, bankWindowSql(*place), BankTable, bank);
    }
}

PaymentSource::~PaymentSource()
{
    finish();
}

QString PaymentSource::fieldName(Field field)
{
    return paymentFields().at(field);
}

QString PaymentSource::fieldName(BankField field)
{
    return bankFields().at(field);
}

Status PaymentSource::closed(const QString& table) const
{
    return Status::failure(
        QStringLiteral("lettura della tabella [%1] non riuscita: la connessione al database è stata chiusa")
            .arg(table));
}

void PaymentSource::beginReading()
{
    if (m_reading || m_connection.dialect() != db::SqlDialect::SQLite)
        return;
    // Inside a transaction the caller began this one fails; theirs gives the same single view.
    m_reading = db::execute(m_connection, QStringLiteral("BEGIN")).ok();
}

void PaymentSource::finish()
{
    m_window = Window();
    m_payments.finish();
    m_bank.finish();
    if (m_windowPayments)
        m_windowPayments->finish();
    if (m_windowBanks)
        m_windowBanks->finish();
    if (!m_reading)
        return;
    // Nothing was written: ending the read transaction only releases the lock, and a COMMIT that fails (the
    // connection closed during the export, which ended the transaction with it) loses nothing.
    static_cast<void>(db::execute(m_connection, QStringLiteral("COMMIT")));
    m_reading = false;
}

Status PaymentSource::paymentsOf(qint32 contatore, std::vector<Payment>& payments)
{
    payments.clear();
    // The connection can be closed during an export, the window painting meanwhile: what was read before stays
    // unsent.
    if (!m_database.isOpen())
        return closed(PaymentsTable);
    beginReading();
    if (!m_windowed) {
        return m_payments.ask({QVariant(contatore)},
                              [&payments]() -> QVariant* { return payments.emplace_back().data(); });
    }
    if (!m_window.holds(contatore)) {
        if (Status fetched = fetchWindow(contatore); !fetched)
            return fetched;
    }
    const auto found = m_window.cases.constFind(contatore);
    if (found != m_window.cases.constEnd()) {
        for (qsizetype at = found->first; at < found->second; ++at) {
            const WindowPayment& row = m_window.payments[size_t(at)];
            std::copy(row.begin(), row.begin() + FieldCount, payments.emplace_back().begin());
        }
        m_window.served += found->second - found->first;
    }
    return Status::success();
}

Status PaymentSource::bankRowOf(const QVariant& paymentId, std::optional<BankRow>& row)
{
    row.reset();
    if (!m_database.isOpen())
        return closed(BankTable);
    const std::optional<qint64> id = wholeKey(paymentId);
    if (m_windowed && id && m_window.paymentBanks.contains(*id)) {
        if (!m_window.banksFetched) {
            if (Status fetched = fetchWindowBanks(); !fetched)
                return fetched;
        }
        const qsizetype at = m_window.paymentBanks.value(*id, -1);
        if (at >= 0) {
            const WindowBankRow& bank = m_window.banks[size_t(at)];
            std::copy(bank.begin(), bank.begin() + BankFieldCount, row.emplace().begin());
        }
        return Status::success();
    }
    beginReading();
    // Only the first row counts: a payment's later bank rows were never part of the flow.
    return m_bank.ask({paymentId}, [&row]() -> QVariant* { return row ? nullptr : row.emplace().data(); });
}

Status PaymentSource::fetchWindow(qint32 contatore)
{
    // The next window is sized by how much of the last one the flow read: cases listed in number order read all of
    // it, a list in another order or a sparse one little.
    const qsizetype fetched = qsizetype(m_window.payments.size());
    const bool hadWindow = m_window.last >= m_window.first;
    const qint64 fetchedSpan = m_window.last - m_window.first + 1;
    if (hadWindow && fetched > 0) {
        if (m_window.served * 2 >= fetched && fetched <= MaxWindowPayments)
            m_span = std::min(m_span * 2, MaxSpan);
        else if (m_window.served * 8 < fetched || fetched > MaxWindowPayments)
            m_span = std::max<qint64>(m_span / 4, 1);
    }
    // A list walked downwards gets the window below the case asked for.
    const bool downwards = hadWindow && contatore < m_window.first;
    qint64 first = downwards ? qint64(contatore) - m_span + 1 : qint64(contatore);
    qint64 last = downwards ? qint64(contatore) : qint64(contatore) + m_span - 1;
    first = std::max<qint64>(first, std::numeric_limits<qint32>::min());
    last = std::min<qint64>(last, std::numeric_limits<qint32>::max());

    m_window = Window();
    std::vector<WindowPayment>& rows = m_window.payments;
    // About as many payments as the last window held for each case number, so that they are seldom moved.
    rows.reserve(size_t(hadWindow ? fetched * (last - first + 1) / fetchedSpan + 16 : 0));
    const Status read = m_windowPayments->ask({QVariant(qint32(first)), QVariant(qint32(last))},
                                              [&rows]() -> QVariant* { return rows.emplace_back().data(); });
    if (!read) {
        m_window = Window();
        return read;
    }
    for (qsizetype at = 0; at < qsizetype(rows.size()); ++at) {
        const std::optional<qint64> conta = wholeKey(rows[size_t(at)][FieldCount]);
        if (!conta)
            continue;
        auto found = m_window.cases.find(*conta);
        if (found == m_window.cases.end())
            m_window.cases.insert(*conta, {at, at + 1});
        else
            found->second = at + 1;
        if (const std::optional<qint64> id = wholeKey(rows[size_t(at)][Id]))
            m_window.paymentBanks.insert(*id, -1);
    }
    // Rows of one case are consecutive (ordered by conta), so each range above holds only that case's rows.
    m_window.first = first;
    m_window.last = last;
    return Status::success();
}

Status PaymentSource::fetchWindowBanks()
{
    std::vector<WindowBankRow>& rows = m_window.banks;
    rows.reserve(m_window.payments.size() / 2 + 16);
    const Status read = m_windowBanks->ask({QVariant(qint32(m_window.first)), QVariant(qint32(m_window.last))},
                                           [&rows]() -> QVariant* { return rows.emplace_back().data(); });
    if (!read) {
        m_window = Window();
        return read;
    }
    for (qsizetype at = 0; at < qsizetype(rows.size()); ++at) {
        const std::optional<qint64> id = wholeKey(rows[size_t(at)][BankFieldCount]);
        // Only a payment's first bank row counts, as with the question of one payment.
        auto found = id ? m_window.paymentBanks.find(*id) : m_window.paymentBanks.end();
        if (found != m_window.paymentBanks.end() && *found < 0)
            *found = at;
    }
    m_window.banksFetched = true;
    return Status::success();
}
