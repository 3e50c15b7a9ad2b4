#include "foundation/db/Recordset.h"

#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Statement.h"
#include "foundation/db/ValueTyping.h"

#include <QRegularExpression>
#include <QSqlDriver>

namespace db {

namespace {

constexpr qsizetype BeforeFirst = -2;
constexpr qsizetype AfterLast = -3;

/// The table a statement in the suite's SQL reads, when every column names the same one (or from its FROM clause),
/// spelled as the database knows it.
QString baseTableOf(const QStringList& tables, const QString& suiteSql, SqlDialect dialect)
{
    QString table;
    for (const QString& name : tables) {
        if (name.isEmpty() || (!table.isEmpty() && name.compare(table, Qt::CaseInsensitive) != 0)) {
            table.clear();
            break;
        }
        table = name;
    }
    if (!table.isEmpty())
        return table;
    static const QRegularExpression from(QStringLiteral("\\bfrom\\s+(\\[([^\\]]+)\\]|\"([^\"]+)\"|([A-Za-z_][\\w]*))"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = from.match(suiteSql);
    if (!match.hasMatch())
        return QString();
    if (!match.captured(3).isEmpty())
        return match.captured(3);
    // On PostgreSQL a bracketed name is sent in lower case, and the server folds a name written without quotes to
    // lower case; the update quotes it, so it must be folded here.
    const QString name = match.captured(2).isEmpty() ? match.captured(4) : match.captured(2);
    return dialect == SqlDialect::PostgreSQL ? name.toLower() : name;
}

} // namespace

Status Recordset::fail(const QString& text) const
{
    return Status::failure(text);
}

Status Recordset::open(const QString& suiteSql, Connection& connection, Lock lock, const Progress& progress)
{
    close();
    if (!connection.state())
        return fail(QStringLiteral("La connessione al database non è aperta."));
    if (const Status fetched = fetch(suiteSql, connection, progress); !fetched) {
        close();
        return fetched;
    }
    m_connection = &connection;
    m_lock = lock;
    m_sql = suiteSql;
    m_open = true;
    m_position = 0;
    return Status::success();
}

Status Recordset::fetch(const QString& suiteSql, Connection& connection, const Progress& progress)
{
    Statement statement(connection, suiteSql);
    if (Status ran = statement.run(); !ran)
        return ran;
    QStringList tables;
    for (const Statement::Column& column : statement.columns()) {
        m_fieldByLowerName.insert(column.name.toLower(), int(m_fieldNames.size()));
        m_fieldNames.append(column.name);
        m_kinds.append(column.kind);
        tables.append(column.table);
    }
    m_table = baseTableOf(tables, suiteSql, connection.dialect());
    const int columns = int(m_fieldNames.size());
    while (statement.next()) {
        QVariant* row = appendRow();
        for (int column = 0; column < columns; ++column)
            row[column] = statement.value(column);
        if (progress && m_rowCount % 4096 == 0)
            progress(m_rowCount);
    }
    return statement.status();
}

QVariant* Recordset::appendRow()
{
    const qsizetype columns = m_fieldNames.size();
    if (m_rowCount % RowsPerBlock == 0) {
        m_blocks.emplace_back();
        m_blocks.back().reserve(size_t(RowsPerBlock * columns));
    }
    std::vector<QVariant>& block = m_blocks.back();
    block.resize(block.size() + size_t(columns));
    ++m_rowCount;
    return block.data() + block.size() - size_t(columns);
}

void Recordset::dropLastRow()
{
    std::vector<QVariant>& block = m_blocks.back();
    block.resize(block.size() - size_t(m_fieldNames.size()));
    if (block.empty())
        m_blocks.pop_back();
    --m_rowCount;
}

void Recordset::close()
{
    m_open = false;
    m_connection = nullptr;
    m_fieldNames.clear();
    m_fieldByLowerName.clear();
    m_kinds.clear();
    m_blocks.clear();
    m_rowCount = 0;
    m_position = 0;
    m_table.clear();
    m_adding = false;
    m_originals.clear();
}

qsizetype Recordset::absolutePosition() const
{
    if (bof())
        return BeforeFirst;
    if (eof())
        return AfterLast;
    return m_position + 1;
}

Status Recordset::setBookmark(qsizetype mark)
{
    if (!m_open || mark < 0 || mark >= m_rowCount)
        return fail(QStringLiteral("Segnalibro non valido."));
    cancelUpdate();
    m_position = mark;
    return Status::success();
}

Status Recordset::moveFirst()
{
    cancelUpdate();
    m_position = 0;
    return Status::success();
}

Status Recordset::moveLast()
{
    cancelUpdate();
    m_position = m_rowCount == 0 ? 0 : m_rowCount - 1;
    return Status::success();
}

Status Recordset::moveNext()
{
    if (eof())
        return fail(QStringLiteral("Il recordset è già dopo l'ultimo record."));
    cancelUpdate();
    ++m_position;
    return Status::success();
}

Status Recordset::movePrevious()
{
    if (m_position < 0 || m_rowCount == 0)
        return fail(QStringLiteral("Il recordset è già prima del primo record."));
    cancelUpdate();
    --m_position;
    return Status::success();
}

Status Recordset::find(const QString& field, const QVariant& value)
{
    const int column = fieldIndex(field);
    if (column < 0)
        return fail(QStringLiteral("Campo %1 non trovato nel recordset.").arg(field));
    bool numeric = false;
    const double wantedNumber = value.toDouble(&numeric);
    numeric = numeric && value.typeId() != QMetaType::QString;
    const QString wantedText = textOf(value);
    cancelUpdate();
    for (qsizetype row = std::max<qsizetype>(m_position, 0); row < m_rowCount; ++row) {
        const QVariant& held = cell(row, column);
        if (isNull(held))
            continue;
        bool isNumber = false;
        const bool match = numeric ? held.toDouble(&isNumber) == wantedNumber && isNumber
                                   : textOf(held).compare(wantedText, Qt::CaseInsensitive) == 0;
        if (match) {
            m_position = row;
            return Status::success();
        }
    }
    m_position = m_rowCount;
    return Status::success();
}

QList<QVariantList> Recordset::getRows() const
{
    QList<QVariantList> rows(m_fieldNames.size());
    for (int column = 0; column < m_fieldNames.size(); ++column) {
        rows[column].reserve(m_rowCount);
        for (qsizetype row = 0; row < m_rowCount; ++row)
            rows[column].append(cell(row, column));
    }
    return rows;
}

int Recordset::fieldIndex(const QString& name) const
{
    return m_fieldByLowerName.value(name.toLower(), -1);
}

Status Recordset::requireRow() const
{
    if (!m_open)
        return fail(QStringLiteral("Il recordset non è aperto."));
    if (bof() || eof())
        return fail(QStringLiteral("Nessun record corrente (inizio o fine del recordset)."));
    return Status::success();
}

Result<QVariant> Recordset::field(const QString& name) const
{
    if (Status row = requireRow(); !row)
        return row;
    const int column = fieldIndex(name);
    if (column < 0)
        return fail(QStringLiteral("Campo %1 non trovato nel recordset.").arg(name));
    return cell(m_position, column);
}

Result<QString> Recordset::text(const QString& name) const
{
    const Result<QVariant> value = field(name);
    if (!value)
        return value.status();
    return textOf(*value);
}

Result<qint32> Recordset::wholeNumber(const QString& name) const
{
    const Result<QVariant> value = field(name);
    if (!value)
        return value.status();
    return wholeNumberOf(*value, name);
}

QVariant Recordset::value(int column) const
{
    if (!requireRow() || column < 0 || column >= m_fieldNames.size())
        return QVariant();
    return cell(m_position, column);
}

Status Recordset::setField(const QString& name, const QVariant& value)
{
    if (Status row = requireRow(); !row)
        return row;
    if (m_lock == Lock::ReadOnly)
        return fail(QStringLiteral("Il recordset è in sola lettura."));
    const int column = fieldIndex(name);
    if (column < 0)
        return fail(QStringLiteral("Campo %1 non trovato nel recordset.").arg(name));
    QVariant& current = cell(m_position, column);
    if (!m_originals.contains(column))
        m_originals.insert(column, current);
    current = typedValue(value, m_kinds.at(column));
    return Status::success();
}

Status Recordset::addNew()
{
    if (!m_open)
        return fail(QStringLiteral("Il recordset non è aperto."));
    if (m_lock == Lock::ReadOnly)
        return fail(QStringLiteral("Il recordset è in sola lettura."));
    cancelUpdate();
    appendRow();
    m_position = m_rowCount - 1;
    m_adding = true;
    return Status::success();
}

void Recordset::cancelUpdate()
{
    if (m_adding) {
        dropLastRow();
        m_position = m_rowCount;
    } else {
        for (auto it = m_originals.constBegin(); it != m_originals.constEnd(); ++it)
            cell(m_position, it.key()) = it.value();
    }
    m_adding = false;
    m_originals.clear();
}

Status Recordset::update()
{
    if (Status row = requireRow(); !row)
        return row;
    if (m_table.isEmpty())
        return fail(QStringLiteral("Non si può aggiornare: la query non legge una sola tabella."));
    const Status written = m_adding ? insertRow() : updateRow();
    if (!written) {
        // What the snapshot shows stays what the database holds.
        cancelUpdate();
        return written;
    }
    m_adding = false;
    m_originals.clear();
    return Status::success();
}

Status Recordset::insertRow()
{
    QSqlDriver* driver = m_connection->database().driver();
    QStringList names;
    QStringList marks;
    QVariantList values;
    for (int column = 0; column < m_fieldNames.size(); ++column) {
        if (!m_originals.contains(column))
            continue;
        names.append(driver->escapeIdentifier(m_fieldNames.at(column), QSqlDriver::FieldName));
        marks.append(QStringLiteral("?"));
        values.append(cell(m_position, column));
    }
    const QString table = driver->escapeIdentifier(m_table, QSqlDriver::TableName);
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    Statement insert(*m_connection, sql);
    if (Status ran = insert.run(values); !ran)
        return fail(QStringLiteral("Impossibile aggiungere il record a %1: %2").arg(m_table, ran.errorText()));
    const QString key = m_connection->primaryKeyOf(m_table);
    const int keyColumn = key.isEmpty() ? -1 : fieldIndex(key);
    if (keyColumn >= 0 && isNull(cell(m_position, keyColumn)) && insert.lastInsertId().isValid())
        cell(m_position, keyColumn) = typedValue(insert.lastInsertId(), m_kinds.at(keyColumn));
    return Status::success();
}

Status Recordset::updateRow()
{
    if (m_originals.isEmpty())
        return Status::success();
    QSqlDriver* driver = m_connection->database().driver();
    QStringList assignments;
    QVariantList values;
    for (auto it = m_originals.constBegin(); it != m_originals.constEnd(); ++it) {
        assignments.append(driver->escapeIdentifier(m_fieldNames.at(it.key()), QSqlDriver::FieldName) +
                           QStringLiteral("=?"));
        values.append(cell(m_position, it.key()));
    }
    // The row is found by its key; without one, by every value it had when it was read.
    QStringList conditions;
    const QString key = m_connection->primaryKeyOf(m_table);
    const int keyColumn = key.isEmpty() ? -1 : fieldIndex(key);
    for (int column = 0; column < m_fieldNames.size(); ++column) {
        if (keyColumn >= 0 && column != keyColumn)
            continue;
        const QVariant original = m_originals.value(column, cell(m_position, column));
        const QString name = driver->escapeIdentifier(m_fieldNames.at(column), QSqlDriver::FieldName);
        if (isNull(original)) {
            conditions.append(name + QStringLiteral(" IS NULL"));
        } else {
            conditions.append(name + QStringLiteral("=?"));
            values.append(original);
        }
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(driver->escapeIdentifier(m_table, QSqlDriver::TableName),
                                 assignments.join(QLatin1Char(',')), conditions.join(QStringLiteral(" AND ")));
    Statement update(*m_connection, sql);
    const QString failure = QStringLiteral("Impossibile aggiornare il record di %1: ").arg(m_table);
    if (Status ran = update.run(values); !ran)
        return fail(failure + ran.errorText());
    if (update.rowsAffected() != 1)
        return fail(failure +
                    QStringLiteral("il record non è stato trovato (modificato o eliminato da un altro utente)."));
    return Status::success();
}

} // namespace db
