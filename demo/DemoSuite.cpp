#include "demo/DemoSuite.h"

#include "demo/SheetFiles.h"
#include "demo/SqliteSuite.h"
#include "demo/SuiteFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace demo {

namespace {

Status makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        return Status::failure(QStringLiteral("Cannot create the folder ") + path);
    return Status::success();
}

} // namespace

Status createDemoSuite(const DemoOptions& options, DemoSummary* summary, const QString& connectionString)
{
    if (options.cases < minDemoCases || options.cases > maxDemoCases)
        return Status::failure(QStringLiteral("A demo suite holds from %1 to %2 cases, not %3")
                                   .arg(minDemoCases)
                                   .arg(maxDemoCases)
                                   .arg(options.cases));
    if (options.drivesRoot.isEmpty())
        return Status::failure(QStringLiteral("No folder given for the demo suite's drives"));

    const QDir root(options.drivesRoot);
    const QString data = root.absoluteFilePath(QStringLiteral("Z/work/kv32/dati"));
    const QString sheets = data + QStringLiteral("/ds");
    const QString statusFolder = root.absoluteFilePath(QStringLiteral("C/work/kv32ado"));
    for (const QString& folder : {sheets, statusFolder}) {
        if (Status status = makeFolder(folder); !status)
            return status;
    }
    DemoSummary made;
    const QString database = data + QStringLiteral("/kv.sqlite");
    // Built aside and put in place at the end, so that a failure leaves an earlier demo database whole.
    const QString building = database + QStringLiteral(".new");
    QFile::remove(building);
    SheetFiles sheetFiles(sheets);
    if (Status status = buildSqliteDatabase(building, DemoRowSource(options.cases, options.seed), sheetFiles, made);
        !status) {
        QFile::remove(building);
        return status;
    }
    if (Status status = sheetFiles.removeLeftovers(); !status)
        return status;
    if ((QFileInfo::exists(database) && !QFile::remove(database)) || !QFile::rename(building, database))
        return Status::failure(QStringLiteral("Cannot put the new database in place at ") + database);
    made.files.append(database);

    if (Status status =
            writeSuiteFiles(data, statusFolder, connectionString.isEmpty() ? demoConnectionString() : connectionString,
                            made.completeCases, made.files);
        !status)
        return status;
    made.files.append(sheets + QLatin1Char('/'));
    if (summary)
        *summary = made;
    return Status::success();
}

} // namespace demo
