#pragma once

#include "foundation/Status.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

class DiagnosisSheet;
namespace db {
struct TableDescription;
}

namespace demo {

/// Where and how large a demo suite is made; the same seed and size give the same suite.
struct DemoOptions {
    QString drivesRoot;
    int cases = 200;
    quint32 seed = 1;
};

/// The sizes a demo suite may have.
inline constexpr int minDemoCases = 10;
inline constexpr int maxDemoCases = 1000000;
/// At most this many cases in the filter of the status file that lists only complete cases, which keeps that file
/// far below the size the program reads of a status file.
inline constexpr int maxListedCompleteCases = 1000;

/// What a demo suite holds, for the tool to report.
struct DemoSummary {
    int cases = 0;
    int payments = 0;
    int bankRows = 0;
    int sheets = 0;
    /// The NRV cases that "Controlla Dati" passes, in case order.
    QList<int> completeCases;
    /// Every file made, database first.
    QStringList files;
};

/// The connection string that the demo's kv32.ini carries.
QString demoConnectionString();

/// The journal's lot query that the demo's lotti.sql holds: seven columns, one row per lot.
QString demoLotsQuery();

/// Takes the demo data as it is made.
class DemoRowSink {
public:
    virtual ~DemoRowSink() = default;
    /// One row of a table of the suite, its values in the order of the table description's fields: int,
    /// QString, double (at most two decimals), QDate, qlonglong, or an invalid QVariant for NULL. Empty texts are
    /// empty, never null, so that they stay apart from NULL.
    virtual Status addRow(const db::TableDescription& table, const QVariantList& values) = 0;
    /// The sheet of one case.
    virtual Status addSheet(int contatore, const DiagnosisSheet& sheet) = 0;
};

/// Makes the demo data, independent of where it goes; the same size and seed give the same rows.
class DemoRowSource {
public:
    DemoRowSource(int cases, quint32 seed);

    /// The contatore of the first case (the one the status file names).
    static int firstContatore();

    /// Hands every row and sheet to the sink; stops at the sink's first failure. `completeCases`, when given,
    /// receives the NRV cases that "Controlla Dati" passes: a memo code, and a complete sheet where it asks for one.
    Status produce(DemoRowSink& sink, QList<int>* completeCases = nullptr) const;

private:
    int m_cases;
    quint32 m_seed;
};

/// Creates the demo suite under options.drivesRoot: folders Z and C stand for the suite's drives. kv32.ini names
/// `connectionString`, or the suite's own SQLite database when it is empty.
Status createDemoSuite(const DemoOptions& options, DemoSummary* summary = nullptr,
                       const QString& connectionString = QString());

/// Loads the demo data of that size and seed (the same rows as the SQLite demo suite) into the PostgreSQL database
/// that a connection string names, replacing the suite's tables there. The sheets stay with the suite's files.
Status loadDemoIntoPostgres(const QString& connectionString, int cases, quint32 seed, DemoSummary* summary = nullptr);

} // namespace demo
