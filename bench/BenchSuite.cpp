#include "BenchSuite.h"

#include "demo/DemoSuite.h"
#include "ds/SheetRules.h"
#include "ds/SheetStore.h"
#include "foundation/db/Recordset.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>

namespace BenchSuite {

namespace {

bool halfNeedASheet(const QString& drives)
{
    bool updated = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-suite"));
        db.setDatabaseName(drives + QStringLiteral("/Z/work/kv32/dati/kv.sqlite"));
        updated = db.open() && QSqlQuery(db).exec(QStringLiteral(
                                   "UPDATE [Tabella Pratiche] SET codicescaricomemo = CASE WHEN contatore % 2 = 0 "
                                   "THEN 'EESE' ELSE 'EECH' END"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-suite"));
    return updated;
}

/// The 15 values of a complete sheet, as an editor would hold them.
const QStringList& completeSheet()
{
    static const QStringList values = {QStringLiteral("C=No lavoro"),
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
    return values;
}

bool writeNeededSheets(int cases)
{
    SheetStore store;
    const int first = demo::DemoRowSource::firstContatore();
    for (int k = first; k < first + cases; ++k) {
        if (k % 2 == 0 && !store.SalvaDS(k, completeSheet(), QDateTime::currentDateTime(), false))
            return false;
    }
    return true;
}

} // namespace

bool prepare(const QString& drives, int cases, const QString& filter, Sheets sheets)
{
    if (const Status made = demo::createDemoSuite({drives, cases, 1}); !made) {
        std::fprintf(stderr, "%s\n", made.errorText().toLocal8Bit().constData());
        return false;
    }
    qputenv("KV32_DRIVE_Z", (drives + QStringLiteral("/Z")).toLocal8Bit());
    qputenv("KV32_DRIVE_C", (drives + QStringLiteral("/C")).toLocal8Bit());
    QFile status(drives + QStringLiteral("/C/work/kv32ado/status.txt"));
    if (!status.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    status.write(QStringLiteral("contatore=1001\r\nfiltro=%1\r\ntesto=bench\r\n").arg(filter).toLatin1());
    status.close();
    if (sheets == Sheets::AsMade)
        return true;
    QDir folder(drives + QStringLiteral("/Z/work/kv32/dati/ds"));
    folder.removeRecursively();
    if (!QDir().mkpath(folder.path()) || !halfNeedASheet(drives)) {
        std::fprintf(stderr, "cannot prepare the sheets of %s\n", drives.toLocal8Bit().constData());
        return false;
    }
    return sheets == Sheets::HalfNeededNoneMade || writeNeededSheets(cases);
}

Result<int> completeNeededSheets(db::Recordset& pratiche)
{
    SheetStore store;
    int needed = 0;
    // The walk's moves cannot fail: it starts on the first row and moves on only before the end.
    for (static_cast<void>(pratiche.moveFirst()); !pratiche.eof(); static_cast<void>(pratiche.moveNext())) {
        const Result<qint32> k = pratiche.wholeNumber(QStringLiteral("contatore"));
        const Result<QString> code = pratiche.text(QStringLiteral("codicescaricomemo"));
        if (!k || !code)
            return Status::failure(k ? code.errorText() : k.errorText());
        if (!NecessarioDS(*code))
            continue;
        ++needed;
        if (store.CeDiagnosiSheet(*k))
            continue;
        if (const Status saved =
                store.SalvaDS(*k, completeSheet(), QDateTime(QDate(2011, 6, 10), QTime(15, 42, 7)), false);
            !saved)
            return saved;
    }
    return needed;
}

int casesOption(const QCoreApplication& app, int defaultCases)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("cases"), QStringLiteral("Number of cases (default %1).").arg(defaultCases),
                      QStringLiteral("N"), QString::number(defaultCases)});
    parser.addHelpOption();
    parser.process(app);
    return parser.value(QStringLiteral("cases")).toInt();
}

QString suiteLine()
{
    return QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt");
}

std::pair<double, double> residentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    double now = 0;
    double peak = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                now = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
            else if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
    return {now, peak};
}

} // namespace BenchSuite
