#include "foundation/db/Recordset.h"

#include "foundation/db/Connection.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/SqliteStatement.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace db {

namespace {

constexpr qsizetype BeforeFirst = -2;
constexpr qsizetype AfterLast = -3;

/// The table a statement reads, when every column names the same one (or from its FROM clause), spelled as the
/// database knows it.
QString baseTableOf(const QStringList& tables, const QString& sql, SqlDialect dialect)
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
    const QRegularExpressionMatch match = from.match(sql);
    if (!match.hasMatch())
        return QString();
    if (!match.captured(2).isEmpty())
        return match.captured(2);
    if (!match.captured(3).isEmpty())
        return match.captured(3);
    // PostgreSQL folds a name written without quotes to lower case; the update quotes it, so it must be folded here.
    return dialect == SqlDialect::PostgreSQL ? match.captured(4).toLower() : match.captured(4);
}

QString baseTableOf(const QSqlRecord& record, const QString& sql, SqlDialect dialect)
{
    QStringList tables;
    for (int column = 0; column < record.count(); ++column)
        tables.append(tableNameOf(record.field(column)));
    return baseTableOf(tables, sql, dialect);
}

} // namespace

Status Recordset::fail(const QString& text) const
{
    return Status::failure(text);
}

Status Recordset::open(const QString& suiteSql, Connection& connection, Lock lock, const Progress& progress)
{
    close();
    if (connection.state() == 0)
        return fail(QStringLiteral("La connessione al database non è aperta."));
    const Result<QString> statement = statementToRun(suiteSql, connection.dialect());
    if (!statement)
        return fail(refusedText(statement.status()));
    const QString& sql = *statement;
    const bool sqlite = SqliteStatement::handleOf(connection.database()) != nullptr;
    const Status fetched =
        sqlite ? fetchFromSqlite(sql, connection, progress) : fetchThroughQt(sql, connection, progress);
    if (!fetched) {
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

void Recordset::setColumns(const QStringList& names)
{
    m_fieldNames = names;
    for (int column = 0; column < names.size(); ++column)
        m_fieldByLowerName.insert(names.at(column).toLower(), column);
}

Status Recordset::fetchThroughQt(const QString& sql, Connection& connection, const Progress& progress)
{
    QSqlQuery query(connection.database());
    query.setForwardOnly(true);
    // Amounts come as their decimal text, which currency reads without the loss of a double.
    query.setNumericalPrecisionPolicy(QSql::HighPrecision);
    if (!query.exec(sql))
        return fail(driverText(query.lastError()));
    const QSqlRecord record = query.record();
    QStringList names;
    for (int column = 0; column < record.count(); ++column)
        names.append(record.fieldName(column));
    setColumns(names);
    m_typing = ValueTyping::forRecord(record, connection);
    m_table = baseTableOf(record, sql, connection.dialect());
    const int columns = record.count();
    while (query.next()) {
        QVariant* row = appendRow();
        for (int column = 0; column < columns; ++column)
            row[column] = m_typing.typed(column, query.value(column));
        if (progress && m_rowCount % 4096 == 0)
            progress(m_rowCount);
    }
    if (query.lastError().isValid())
        return fail(driverText(query.lastError()));
    return Status::success();
}

Status Recordset::fetchFromSqlite(const QString& sql, Connection& connection, const Progress& progress)
{
    SqliteStatement statement(SqliteStatement::handleOf(connection.database()));
    if (Status prepared = statement.prepare(sql); !prepared)
        return prepared;
    QStringList names;
    QStringList tables;
    QList<std::optional<FieldKind>> kinds;
    for (const SqliteStatement::Column& column : statement.columns()) {
        names.append(column.name);
        tables.append(column.table);
        kinds.append(column.kind);
    }
    setColumns(names);
    m_typing = ValueTyping(kinds);
    m_table = baseTableOf(tables, sql, connection.dialect());
    const int columns = int(names.size());
    while (true) {
        QVariant* row = appendRow();
        if (!statement.next(row)) {
            dropLastRow();
            break;
        }
        for (int column = 0; column < columns; ++column)
            row[column] = m_typing.typed(column, row[column]);
        if (progress && m_rowCount % 4096 == 0)
            progress(m_rowCount);
    }
    return statement.failure();
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

Status Recordset::find(const QString& criterion)
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*\\[?([^\\]=<>]+?)\\]?\\s*=\\s*(.*?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(criterion);
    if (!match.hasMatch())
        return fail(QStringLiteral("Criterio di ricerca non valido: ") + criterion);
    const int column = fieldIndex(match.captured(1));
    if (column < 0)
        return fail(QStringLiteral("Campo %1 non trovato nel recordset.").arg(match.captured(1)));
    QString wanted = match.captured(2);
    const bool quoted =
        wanted.size() >= 2 && wanted.startsWith(QLatin1Char('\'')) && wanted.endsWith(QLatin1Char('\''));
    if (quoted)
        wanted = wanted.mid(1, wanted.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
    bool numeric = false;
    const double wantedNumber = wanted.toDouble(&numeric);
    cancelUpdate();
    for (qsizetype row = std::max<qsizetype>(m_position, 0); row < m_rowCount; ++row) {
        const QVariant& value = cell(row, column);
        if (isNull(value))
            continue;
        const bool match = !quoted && numeric ? value.toDouble() == wantedNumber
                                              : textOf(value).compare(wanted, Qt::CaseInsensitive) == 0;
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
    current = ValueTyping::convert(value, m_typing.kindOf(column));
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

QVariant Recordset::bindable(const QVariant& value) const
{
    const bool sqlite = m_connection->dialect() == SqlDialect::SQLite;
    if (isNull(value))
        return QVariant(QMetaType::fromType<QString>());
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        const Currency amount = value.value<Currency>();
        return sqlite ? QVariant(amount.toDouble()) : QVariant(amount.toPlainText());
    }
    if (sqlite && value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    if (sqlite && value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    return value;
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
        values.append(bindable(cell(m_position, column)));
    }
    const QString table = driver->escapeIdentifier(m_table, QSqlDriver::TableName);
    const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(table)
                                        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                              .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
    QSqlQuery query(m_connection->database());
    if (!query.prepare(sql))
        return fail(
            QStringLiteral("Impossibile aggiungere il record a %1: %2").arg(m_table, driverText(query.lastError())));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return fail(
            QStringLiteral("Impossibile aggiungere il record a %1: %2").arg(m_table, driverText(query.lastError())));
    const QString key = m_connection->primaryKeyOf(m_table);
    const int keyColumn = key.isEmpty() ? -1 : fieldIndex(key);
    if (keyColumn >= 0 && isNull(cell(m_position, keyColumn)) && query.lastInsertId().isValid())
        cell(m_position, keyColumn) = ValueTyping::convert(query.lastInsertId(), m_typing.kindOf(keyColumn));
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
        values.append(bindable(cell(m_position, it.key())));
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
            values.append(bindable(original));
        }
    }
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(driver->escapeIdentifier(m_table, QSqlDriver::TableName),
                                 assignments.join(QLatin1Char(',')), conditions.join(QStringLiteral(" AND ")));
    QSqlQuery query(m_connection->database());
    const QString failure = QStringLiteral("Impossibile aggiornare il record di %1: ").arg(m_table);
    if (!query.prepare(sql))
        return fail(failure + driverText(query.lastError()));
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        return fail(failure + driverText(query.lastError()));
    if (query.numRowsAffected() != 1)
        return fail(failure +
                    QStringLiteral("il record non è stato trovato (modificato o eliminato da un altro utente)."));
    return Status::success();
}

} // namespace db
