#include "demo/SqliteSuite.h"

#include "demo/CountingSink.h"
#include "demo/DemoSchema.h"
#include "demo/DemoSuite.h"
#include "demo/SheetFiles.h"
#include "foundation/db/SuiteTables.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>
#include <vector>

namespace demo {

namespace {

/// Inserts rows into an open SQLite database through one prepared statement per table.
class SqliteRowWriter {
public:
    explicit SqliteRowWriter(const QSqlDatabase& database) : m_database(database) {}

    Status addRow(const db::TableDescription& table, const QVariantList& values)
    {
        Insert* insert = insertFor(table);
        if (!insert->ok)
            return Status::failure(insert->error);
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QVariant& value = values[i];
            // Dates go in as ISO text, as the suite's conventions for SQLite want them.
            if (value.typeId() == QMetaType::QDate)
                insert->query.bindValue(int(i), value.toDate().toString(Qt::ISODate));
            else
                insert->query.bindValue(int(i), value);
        }
        if (!insert->query.exec())
            return Status::failure(
                QStringLiteral("Cannot insert into [%1]: %2").arg(table.name, insert->query.lastError().text()));
        return Status::success();
    }

private:
    struct Insert {
        const db::TableDescription* table;
        QSqlQuery query;
        bool ok = false;
        QString error;
    };

    Insert* insertFor(const db::TableDescription& table)
    {
        for (Insert& insert : m_inserts) {
            if (insert.table == &table)
                return &insert;
        }
        QStringList names;
        QStringList marks;
        for (const db::FieldDescription& field : table.fields) {
            names.append(bracketed(field.name));
            marks.append(QStringLiteral("?"));
        }
        Insert insert{&table, QSqlQuery(m_database), false, QString()};
        const QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(bracketed(table.name), names.join(QLatin1Char(',')), marks.join(QLatin1Char(',')));
        insert.query.setForwardOnly(true);
        insert.ok = insert.query.prepare(sql);
        if (!insert.ok)
            insert.error = QStringLiteral("Cannot prepare %1: %2").arg(sql, insert.query.lastError().text());
        m_inserts.push_back(std::move(insert));
        return &m_inserts.back();
    }

    QSqlDatabase m_database;
    std::vector<Insert> m_inserts;
};

/// The rows go to the database, the sheets to their folder.
class SuiteSink : public DemoRowSink {
public:
    SuiteSink(SqliteRowWriter& rows, SheetFiles& sheets) : m_rows(rows), m_sheets(sheets) {}

    Status addRow(const db::TableDescription& table, const QVariantList& values) override
    {
        return m_rows.addRow(table, values);
    }
    Status addSheet(int contatore, const DiagnosisSheet& sheet) override { return m_sheets.addSheet(contatore, sheet); }

private:
    SqliteRowWriter& m_rows;
    SheetFiles& m_sheets;
};

Status exec(QSqlDatabase& database, const QString& sql)
{
    QSqlQuery query(database);
    if (!query.exec(sql))
        return Status::failure(QStringLiteral("%1: %2").arg(sql, query.lastError().text()));
    return Status::success();
}

Status fillDatabase(QSqlDatabase& database, const DemoRowSource& source, SheetFiles& sheets, DemoSummary& summary)
{
    // Nothing of a half-built demo is worth keeping, so the journal and the syncs only cost time.
    for (const char* pragma : {"PRAGMA journal_mode=OFF", "PRAGMA synchronous=OFF", "PRAGMA cache_size=-65536"}) {
        if (Status status = exec(database, QString::fromLatin1(pragma)); !status)
            return status;
    }
    QStringList indexes;
    for (const QString& statement : sqliteSchemaStatements()) {
        if (statement.startsWith(QLatin1String("CREATE INDEX"), Qt::CaseInsensitive)) {
            indexes.append(statement);
        } else if (Status status = exec(database, statement); !status) {
            return status;
        }
    }
    if (!database.transaction())
        return Status::failure(QStringLiteral("Cannot begin: ") + database.lastError().text());
    Status filled = Status::success();
    {
        SqliteRowWriter rows(database);
        SuiteSink suite(rows, sheets);
        CountingSink sink(suite, summary);
        filled = source.produce(sink, &summary.completeCases);
    }
    if (!filled) {
        database.rollback();
        return filled;
    }
    if (!database.commit())
        return Status::failure(QStringLiteral("Cannot commit: ") + database.lastError().text());
    // Indexes built once over the whole data cost far less than kept up row by row.
    for (const QString& statement : indexes) {
        if (Status status = exec(database, statement); !status)
            return status;
    }
    return Status::success();
}

} // namespace

Status buildSqliteDatabase(const QString& path, const DemoRowSource& source, SheetFiles& sheets, DemoSummary& summary)
{
    static std::atomic<int> serial{0};
    const QString connection = QStringLiteral("demo-suite-%1").arg(++serial);
    Status status = Status::success();
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        database.setDatabaseName(path);
        if (!database.open())
            status = Status::failure(QStringLiteral("Cannot create %1: %2").arg(path, database.lastError().text()));
        else
            status = fillDatabase(database, source, sheets, summary);
        database.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return status;
}

} // namespace demo
