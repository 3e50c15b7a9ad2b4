#pragma once

#include "foundation/Status.h"
#include "foundation/db/SuiteTables.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>
#include <vector>

namespace db {

class Connection;

/// A query result held whole on the client: a static snapshot that can be walked both ways,
/// counted, bookmarked and searched, and whose rows can be edited or added and written back to
/// the result's table.
class Recordset {
public:
    enum class Lock { ReadOnly = 1, Optimistic = 3 };
    /// Called now and then while rows are fetched (rows so far); lets a window keep painting.
    using Progress = std::function<void(qsizetype rows)>;

    Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    /// Whether the recordset is open.
    bool state() const { return m_open; }
    /// Runs a statement written in the suite's SQL and fetches all its rows; positioned on the first row.
    Status open(const QString& suiteSql, Connection& connection, Lock lock = Lock::ReadOnly,
                const Progress& progress = {});
    void close();

    qsizetype recordCount() const { return m_rowCount; }
    /// Before the first row (also true when there is none).
    bool bof() const { return m_position < 0 || m_rowCount == 0; }
    /// After the last row (also true when there is none).
    bool eof() const { return m_position >= m_rowCount; }
    /// The 1-based number of the current row; -2 before the first row, -3 after the last.
    qsizetype absolutePosition() const;
    /// A mark of the current row, to come back to it.
    qsizetype bookmark() const { return m_position; }
    Status setBookmark(qsizetype mark);

    Status moveFirst();
    Status moveLast();
    Status moveNext();
    Status movePrevious();
    /// Searches forward from the current row for a row whose field holds the value (a number equal as a number, a
    /// text equal without regard to letter case); leaves the found row current, or the recordset after its last row
    /// when none matches.
    Status find(const QString& field, const QVariant& value);

    /// All rows, field first then row (the whole result, whatever the current row).
    QList<QVariantList> getRows() const;

    int fieldCount() const { return int(m_fieldNames.size()); }
    const QStringList& fieldNames() const { return m_fieldNames; }
    /// The position of a field found without regard to letter case, or -1.
    int fieldIndex(const QString& name) const;
    /// The value of a field of the current row (an invalid QVariant for Null).
    Result<QVariant> field(const QString& name) const;
    QVariant value(int fieldIndex) const;
    /// A field of the current row joined to an empty text (Null gives "").
    Result<QString> text(const QString& name) const;
    /// A field of the current row as a 32-bit whole number; Null fails.
    Result<qint32> wholeNumber(const QString& name) const;
    /// Sets a field of the current row; the database sees it at update().
    Status setField(const QString& name, const QVariant& value);

    /// Starts a new row at the end of the result; it is written by update().
    Status addNew();
    /// Writes the current row's changes (or the new row) to the result's table.
    Status update();
    /// Drops the pending changes of the current row.
    void cancelUpdate();

private:
    Status requireRow() const;
    Status fail(const QString& text) const;
    // Rows are kept in blocks, so that a large result grows without copying what is already fetched.
    static constexpr qsizetype RowsPerBlock = 1024;
    QVariant& cell(qsizetype row, int column)
    {
        return m_blocks[size_t(row / RowsPerBlock)][size_t((row % RowsPerBlock) * m_fieldNames.size() + column)];
    }
    const QVariant& cell(qsizetype row, int column) const
    {
        return m_blocks[size_t(row / RowsPerBlock)][size_t((row % RowsPerBlock) * m_fieldNames.size() + column)];
    }
    QVariant* appendRow();
    void dropLastRow();
    Status fetch(const QString& suiteSql, Connection& connection, const Progress& progress);
    Status insertRow();
    Status updateRow();

    Connection* m_connection = nullptr;
    bool m_open = false;
    Lock m_lock = Lock::ReadOnly;
    QString m_sql;
    QString m_table;
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldByLowerName;
    QList<std::optional<FieldKind>> m_kinds;
    std::vector<std::vector<QVariant>> m_blocks;
    qsizetype m_rowCount = 0;
    qsizetype m_position = 0;

    // Pending edit of the current row: the fields changed and their values before the change.
    bool m_adding = false;
    QHash<int, QVariant> m_originals;
};

} // namespace db
