// Times the other-consignments lookup ("&Elabora") over every case of a large demo suite, first on a case table with
// no index on P_iva (as a suite's database may well have none), then with one.
//
//   bench_lookup [--cases N]      (100000 by default)
#include "BenchSuite.h"

#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"
#include "tools/consignments/ConsignmentsBatchView.h"
#include "tools/consignments/OtherConsignments.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

/// Drops every index on the case table's P_iva, or makes one; false when the database refuses.
bool indexTaxCodes(const QString& drives, bool wanted)
{
    bool done = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-index"));
        db.setDatabaseName(drives + QStringLiteral("/Z/work/kv32/dati/kv.sqlite"));
        done = db.open();
        QSqlQuery query(db);
        QStringList indexes;
        if (done && query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='index' AND "
                                              "tbl_name='Tabella Pratiche' AND sql LIKE '%P_iva%'"))) {
            while (query.next())
                indexes.append(query.value(0).toString());
        }
        for (const QString& index : indexes)
            done = done && query.exec(QStringLiteral("DROP INDEX [%1]").arg(index));
        if (wanted)
            done = done && query.exec(QStringLiteral("CREATE INDEX bench_piva ON [Tabella Pratiche] (P_iva)"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-index"));
    return done;
}

bool timeLookup(const QString& drives, bool indexed)
{
    if (!indexTaxCodes(drives, indexed)) {
        std::fprintf(stderr, "cannot change the indexes of the case table\n");
        return false;
    }
    SystemClock clock;
    ScriptedDialogs dialogs;
    ConsignmentsBatchView view(nullptr);
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    OtherConsignments lookup(module, dialogs, view);
    lookup.params =
        module.EseguiComando(ToolRequest{5001, QStringLiteral("FrmAltriAffidiCF")}, BenchSuite::suiteLine()).params;
    QElapsedTimer timer;
    timer.start();
    const OtherConsignments::RunOutcome outcome = lookup.Elabora();
    const qint64 elapsed = timer.elapsed();
    std::printf("lookup over every case, %s: %.3f s, %lld lines%s\n", indexed ? "P_iva indexed" : "no index on P_iva",
                elapsed / 1000.0, static_cast<long long>(view.lines().size()), indexed ? "" : " (goal: under 2 s)");
    for (const QString& message : dialogs.messages())
        std::printf("  %s\n", message.toLocal8Bit().constData());
    return outcome == OtherConsignments::RunOutcome::Completed;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    const int cases = BenchSuite::casesOption(app, 100000);

    QTemporaryDir drives;
    QElapsedTimer timer;
    timer.start();
    // An empty filter: the lookup looks at every case of the table.
    if (!BenchSuite::prepare(drives.path(), cases, QString(), BenchSuite::Sheets::AsMade))
        return 1;
    std::printf("suite of %d cases made in %.1f s\n", cases, timer.elapsed() / 1000.0);
    return timeLookup(drives.path(), false) && timeLookup(drives.path(), true) ? 0 : 1;
}
