// Times "Controlla Dati" over a large list: every case read, half of them needing a Diagnosis Sheet,
// every such sheet present and complete, so the check walks the whole list and reads every sheet.
//
//   bench_check [--cases N]
#include "cases/BatchCaseView.h"
#include "cases/CaseSelection.h"
#include "demo/DemoSuite.h"
#include "ds/SheetCheck.h"
#include "ds/SheetStore.h"
#include "launcher/ModuloCommand.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/ScriptedDialogs.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool prepareSuite(const QString& drives, int cases)
{
    const Status made = demo::createDemoSuite({drives, cases, 1});
    if (!made) {
        std::fprintf(stderr, "%s\n", made.errorText().toLocal8Bit().constData());
        return false;
    }
    qputenv("KV32_DRIVE_Z", (drives + QStringLiteral("/Z")).toLocal8Bit());
    qputenv("KV32_DRIVE_C", (drives + QStringLiteral("/C")).toLocal8Bit());
    QFile status(drives + QStringLiteral("/C/work/kv32ado/status.txt"));
    if (!status.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    status.write("contatore=1001\r\nfiltro=where contatore>0\r\ntesto=bench\r\n");
    status.close();

    // Half the cases need a sheet, and each of those has a complete one.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench"));
        db.setDatabaseName(drives + QStringLiteral("/Z/work/kv32/dati/kv.sqlite"));
        if (!db.open())
            return false;
        QSqlQuery(db).exec(
            QStringLiteral("UPDATE [Tabella Pratiche] SET codicescaricomemo = CASE WHEN contatore % 2 = 0 "
                           "THEN 'EESE' ELSE 'EECH' END"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));
    const int first = demo::DemoRowSource::firstContatore();
    SheetStore store;
    const QStringList complete = {QStringLiteral("C=No lavoro"),
                                  QStringLiteral("A=Single"),
                                  QString(),
                                  QStringLiteral("B=Locazione"),
                                  QStringLiteral("F=altro"),
                                  QString(),
                                  QStringLiteral("N"),
                                  QStringLiteral("12/09/2011"),
                                  QStringLiteral("1000"),
                                  QString(),
                                  QString(),
                                  QString(),
                                  QString(),
                                  QString(),
                                  QString()};
    for (int k = first; k < first + cases; ++k) {
        if (k % 2 == 0 && !store.SalvaDS(k, complete, QDateTime::currentDateTime(), false))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("cases"), QStringLiteral("Number of cases (default 100000)."), QStringLiteral("N"),
                      QStringLiteral("100000")});
    parser.addHelpOption();
    parser.process(app);
    const int cases = parser.value(QStringLiteral("cases")).toInt();

    QTemporaryDir drives;
    QElapsedTimer timer;
    timer.start();
    if (!prepareSuite(drives.path(), cases))
        return 1;
    std::printf("suite of %d cases with %d sheets made in %.1f s\n", cases, cases / 2, timer.elapsed() / 1000.0);

    SystemClock clock;
    ScriptedDialogs dialogs;
    BatchCaseView view(nullptr);
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    CaseSelection selection(module, dialogs, view);
    selection.params =
        module
            .EseguiComando(ToolRequest{5001, QString()}, QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt"))
            .params;
    if (!selection.Inizia())
        return 1;
    SheetStore store;
    timer.restart();
    const bool passed = CheckTutteLePratiche(selection.pratiche(), store, clock.today(), view, dialogs);
    const qint64 elapsed = timer.elapsed();
    std::printf("Controlla Dati over %lld cases: %.3f s (%s; goal: under 3 s)\n",
                static_cast<long long>(selection.pratiche().recordCount()), elapsed / 1000.0,
                passed ? "passed" : dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
    return passed ? 0 : 1;
}
