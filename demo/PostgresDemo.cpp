#include "demo/DemoSuite.h"

#include "demo/CountingSink.h"
#include "demo/PostgresSuiteWriter.h"
#include "foundation/db/Connection.h"
#include "foundation/db/SuiteTables.h"

namespace demo {

namespace {

/// The rows go to the database; the sheets are files beside the suite, not rows: the SQLite demo of the same seed
/// writes them.
class PostgresSink : public DemoRowSink {
public:
    explicit PostgresSink(PostgresSuiteWriter& writer) : m_writer(writer) {}

    Status addRow(const db::TableDescription& table, const QVariantList& values) override
    {
        return m_writer.addRow(table, values);
    }
    Status addSheet(int, const DiagnosisSheet&) override { return Status::success(); }

private:
    PostgresSuiteWriter& m_writer;
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
    PostgresSink rows(writer);
    CountingSink sink(rows, made);
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
