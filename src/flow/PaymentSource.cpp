#include "flow/PaymentSource.h"

#include "foundation/db/Connection.h"
#include "foundation/db/SqlDialect.h"
#include "foundation/db/SqliteStatement.h"
#include "foundation/db/ValueTyping.h"

#include <QSqlError>
#include <QSqlRecord>

#include <sqlite3.h>

#include <algorithm>
#include <limits>

namespace {

const QString PaymentsTable = QStringLiteral("Tabella Pagamenti");
const QString BankTable = QStringLiteral("Tabella Riscontro");
// The suite's two questions, the value bound where the old program joined it to the text.
const QString PaymentsSql = QStringLiteral("Select * From [Tabella Pagamenti] where conta=?");
const QString BankSql = QStringLiteral("Select * From [Tabella Riscontro] where id_incasso=?");
// The same rows for a window of cases. Each case's rows come in the order of their place in the table (ctid), which
// is the order in which the server answers the question of one case: its index keeps equal keys in that order, and
// a scan of the table meets them in it.
const QString PaymentsWindowSql =
    QStringLiteral("Select * From [Tabella Pagamenti] where conta>=? and conta<=? order by conta, ctid");
const QString BankWindowSql = QStringLiteral(
    "Select * From [Tabella Riscontro] where id_incasso in (Select ID From [Tabella Pagamenti] where conta>=? and "
    "conta<=?) order by id_incasso, ctid");

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

// A cell as SQLite stores it, before the declared type of its column gives it the suite's type.
QVariant sqliteCell(sqlite3_stmt* statement, int column)
{
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(statement, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, column));
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
        return QVariant(QString::fromUtf8(text, sqlite3_column_bytes(statement, column)));
    }
    case SQLITE_BLOB: {
        const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
        return QVariant(QByteArray(bytes, sqlite3_column_bytes(statement, column)));
    }
    default:
        return QVariant();
    }
}

int bindSqlite(sqlite3_stmt* statement, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, 1);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(statement, 1, value.toLongLong());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, 1, value.toDouble());
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    }
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

PaymentSource::PaymentSource(db::Connection& connection, Route route)
    : m_connection(connection), m_database(connection.database()),
      m_handle(route == Route::Fastest ? db::SqliteStatement::handleOf(m_database) : nullptr),
      m_windowed(!m_handle && connection.dialect() == db::SqlDialect::PostgreSQL), m_span(InitialSpan)
{
}

PaymentSource::~PaymentSource()
{
    // Qt's driver cannot close a handle that has statements prepared on it, and lets go of it all the same: a
    // connection closed during the export leaves the handle to be closed here, file and all.
    const bool abandoned = m_handle && (m_sqlitePayments.statement || m_sqliteBank.statement) && !m_database.isOpen();
    finish();
    sqlite3_finalize(m_sqlitePayments.statement);
    sqlite3_finalize(m_sqliteBank.statement);
    if (abandoned)
        sqlite3_close(m_handle);
}

QString PaymentSource::fieldName(Field field)
{
    return paymentFields().at(field);
}

QString PaymentSource::fieldName(BankField field)
{
    return bankFields().at(field);
}

Status PaymentSource::sqliteFailure(const QString& what) const
{
    return Status::failure(what + QStringLiteral(": ") + QString::fromUtf8(sqlite3_errmsg(m_handle)));
}

Status PaymentSource::prepareSqlite(SqliteQuestion& question, const QString& sql, const QStringList& fields,
                                    const QString& table)
{
    // The connection can be closed during an export, the window painting meanwhile. Its SQLite handle is then freed,
    // or kept only for the statements already prepared on it: asked again, it would read freed memory.
    if (!m_database.isOpen())
        return Status::failure(QStringLiteral("lettura della tabella [%1] non riuscita: la connessione al database è "
                                              "stata chiusa")
                                   .arg(table));
    if (question.statement)
        return Status::success();
    const QByteArray text = db::rewriteSql(sql, db::SqlDialect::SQLite).toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &statement, nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return sqliteFailure(QStringLiteral("lettura della tabella [%1] non riuscita").arg(table));
    }
    QList<int> columns;
    QList<std::optional<db::FieldKind>> kinds;
    const int count = sqlite3_column_count(statement);
    for (const QString& field : fields) {
        int found = -1;
        for (int column = 0; column < count && found < 0; ++column) {
            if (field.compare(QString::fromUtf8(sqlite3_column_name(statement, column)), Qt::CaseInsensitive) == 0)
                found = column;
        }
        if (found < 0) {
            sqlite3_finalize(statement);
            return Status::failure(missingField(field, table));
        }
        columns.append(found);
        const char* declared = sqlite3_column_decltype(statement, found);
        kinds.append(declared ? std::optional(db::fieldKindOfSqliteType(QString::fromUtf8(declared))) : std::nullopt);
    }
    question.statement = statement;
    question.columns = columns;
    question.kinds = kinds;
    return Status::success();
}

Status PaymentSource::beginReading()
{
    // Inside a transaction the caller began, ours would fail; theirs gives the same single view.
    if (m_inTransaction || !sqlite3_get_autocommit(m_handle))
        return Status::success();
    if (sqlite3_exec(m_handle, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
        return sqliteFailure(QStringLiteral("lettura dei pagamenti non avviata"));
    m_inTransaction = true;
    return Status::success();
}

void PaymentSource::finish()
{
    m_window = Window();
    if (!m_inTransaction)
        return;
    if (m_sqlitePayments.statement)
        sqlite3_reset(m_sqlitePayments.statement);
    if (m_sqliteBank.statement)
        sqlite3_reset(m_sqliteBank.statement);
    // Nothing was written: ending the read transaction only releases the lock.
    sqlite3_exec(m_handle, "COMMIT", nullptr, nullptr, nullptr);
    m_inTransaction = false;
}

Status PaymentSource::runSqlite(SqliteQuestion& question, const QVariant& value, int fieldCount,
                                const std::function<QVariant*()>& nextRow)
{
    sqlite3_stmt* statement = question.statement;
    sqlite3_reset(statement);
    if (bindSqlite(statement, value) != SQLITE_OK)
        return sqliteFailure(QStringLiteral("valore non accettato dal database"));
    while (true) {
        const int step = sqlite3_step(statement);
        if (step == SQLITE_DONE)
            break;
        if (step != SQLITE_ROW) {
            const Status failure = sqliteFailure(QStringLiteral("lettura non riuscita"));
            sqlite3_reset(statement);
            return failure;
        }
        QVariant* row = nextRow();
        if (!row)
            break;
        for (int field = 0; field < fieldCount; ++field)
            row[field] =
                db::ValueTyping::convert(sqliteCell(statement, question.columns.at(field)), question.kinds.at(field));
    }
    sqlite3_reset(statement);
    return Status::success();
}

Status PaymentSource::runQt(QtQuestion& question, const QString& sql, const QStringList& fields, const QString& table,
                            const QVariantList& values, const std::function<QVariant*()>& nextRow)
{
    if (!question.prepared) {
        question.query = QSqlQuery(m_connection.database());
        question.query.setForwardOnly(true);
        // A server's amounts come as their decimal text, which currency reads without the loss of a double; SQLite
        // holds them as doubles already.
        if (m_connection.database().driverName() != QLatin1String("QSQLITE"))
            question.query.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!question.query.prepare(db::rewriteSql(sql, m_connection.dialect())))
            return Status::failure(QStringLiteral("lettura della tabella [%1] non riuscita: %2")
                                       .arg(table, db::driverText(question.query.lastError())));
        question.prepared = true;
    }
    for (int at = 0; at < values.size(); ++at)
        question.query.bindValue(at,
                                 values.at(at).isValid() ? values.at(at) : QVariant(QMetaType::fromType<QString>()));
    if (!question.query.exec())
        return Status::failure(QStringLiteral("lettura della tabella [%1] non riuscita: %2")
                                   .arg(table, db::driverText(question.query.lastError())));
    if (!question.typed) {
        const QSqlRecord record = question.query.record();
        const db::ValueTyping typing = db::ValueTyping::forRecord(record, m_connection);
        for (const QString& field : fields) {
            const int column = record.indexOf(field);
            if (column < 0)
                return Status::failure(missingField(field, table));
            question.columns.append(column);
            question.kinds.append(typing.kindOf(column));
        }
        question.typed = true;
    }
    const int fieldCount = int(fields.size());
    while (question.query.next()) {
        QVariant* row = nextRow();
        if (!row)
            break;
        for (int field = 0; field < fieldCount; ++field)
            row[field] =
                db::ValueTyping::convert(question.query.value(question.columns.at(field)), question.kinds.at(field));
    }
    const QSqlError error = question.query.lastError();
    question.query.finish();
    if (error.isValid())
        return Status::failure(
            QStringLiteral("lettura della tabella [%1] non riuscita: %2").arg(table, db::driverText(error)));
    return Status::success();
}

Status PaymentSource::paymentsOf(qint32 contatore, std::vector<Payment>& payments)
{
    payments.clear();
    const auto nextRow = [&payments]() -> QVariant* {
        return payments.emplace_back().data();
    };
    if (m_windowed) {
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
    if (!m_handle)
        return runQt(m_qtPayments, PaymentsSql, paymentFields(), PaymentsTable, {QVariant(contatore)}, nextRow);
    if (Status prepared = prepareSqlite(m_sqlitePayments, PaymentsSql, paymentFields(), PaymentsTable); !prepared)
        return prepared;
    if (Status begun = beginReading(); !begun)
        return begun;
    return runSqlite(m_sqlitePayments, QVariant(contatore), FieldCount, nextRow);
}

Status PaymentSource::bankRowOf(const QVariant& paymentId, std::optional<BankRow>& row)
{
    row.reset();
    // Only the first row counts: a payment's later bank rows were never part of the flow.
    const auto nextRow = [&row]() -> QVariant* {
        return row ? nullptr : row.emplace().data();
    };
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
    if (!m_handle)
        return runQt(m_qtBank, BankSql, bankFields(), BankTable, {paymentId}, nextRow);
    if (Status prepared = prepareSqlite(m_sqliteBank, BankSql, bankFields(), BankTable); !prepared)
        return prepared;
    if (Status begun = beginReading(); !begun)
        return begun;
    return runSqlite(m_sqliteBank, paymentId, BankFieldCount, nextRow);
}

Status PaymentSource::fetchWindow(qint32 contatore)
{
    // The next window is sized by how much of the last one the flow read: cases listed in number order read all of
    // it, a list in another order or a sparse one little.
    const qsizetype fetched = qsizetype(m_window.payments.size());
    const bool hadWindow = m_window.last >= m_window.first;
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
    QStringList fields = paymentFields();
    fields.append(QStringLiteral("conta"));
    std::vector<WindowPayment>& rows = m_window.payments;
    const Status read = runQt(m_windowPayments, PaymentsWindowSql, fields, PaymentsTable,
                              {QVariant(qint32(first)), QVariant(qint32(last))},
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
    QStringList fields = bankFields();
    fields.append(QStringLiteral("id_incasso"));
    std::vector<WindowBankRow>& rows = m_window.banks;
    const Status read = runQt(m_windowBanks, BankWindowSql, fields, BankTable,
                              {QVariant(qint32(m_window.first)), QVariant(qint32(m_window.last))},
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
