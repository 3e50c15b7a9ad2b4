#include "demo/DemoSuite.h"

#include "demo/PostgresSuiteWriter.h"
#include "foundation/db/Connection.h"
#include "foundation/db/SuiteTables.h"

namespace demo {

namespace {

class PostgresSink : public DemoRowSink {
public:
    PostgresSink(PostgresSuiteWriter& writer, DemoSummary& summary) : m_writer(writer), m_summary(summary) {}

    Status addRow(const db::TableDescription& table, const QVariantList& values) override
    {
        if (table.name == QLatin1String("Tabella Pratiche"))
            ++m_summary.cases;
        else if (table.name == QLatin1String("Tabella Pagamenti"))
            ++m_summary.payments;
        else if (table.name == QLatin1String("Tabella Riscontro"))
            ++m_summary.bankRows;
        return m_writer.addRow(table, values);
    }
    // The sheets are files beside the suite, not rows: the SQLite demo of the same seed writes them.
    Status addSheet(int, const DemoSheet&) override
    {
        ++m_summary.sheets;
        return Status::success();
    }

private:
    PostgresSuiteWriter& m_writer;
    DemoSummary& m_summary;
};

} // namespace

Status loadDemoIntoPostgres(const QString& connectionString, int cases, quint32 seed, DemoSummary* summary)
{
    if (cases < minDemoCases || cases > maxDemoCases)
        return Status::failure(QStringLiteral("A demo suite holds from %1 to %2 cases, not %3")
                                   .arg(minDemoCases)
                                   .arg(maxDemoCases)
                                   .arg(cases));
    db::Connection connection;
    if (Status opened = connection.open(connectionString); !opened)
        return opened;
    if (connection.dialect() != db::SqlDialect::PostgreSQL)
        return Status::failure(QStringLiteral("The connection string does not name a PostgreSQL database: ") +
                               connection.description());
    DemoSummary made;
    PostgresSuiteWriter writer(connection);
    if (Status begun = writer.begin(); !begun)
        return begun;
    PostgresSink sink(writer, made);
    if (Status produced = DemoRowSource(cases, seed).produce(sink); !produced)
        return produced;
    if (Status finished = writer.finish(); !finished)
        return finished;
    made.files.append(connection.description());
    if (summary)
        *summary = made;
    return Status::success();
}

} // namespace demo
