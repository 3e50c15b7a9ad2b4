#include "demo/DemoSuite.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

int refuse(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("exp_nrv_demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates a demo suite (database, INI files, status file, sheet files) for exp_nrv_xml.\n"
                       "DIR/Z stands for the suite's drive Z and DIR/C for drive C.\n"
                       "With --postgres the same data also goes into a PostgreSQL database (its suite tables are "
                       "replaced) and kv32.ini names it; without --drives only the database is loaded."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption drivesOption(QStringLiteral("drives"),
                                          QStringLiteral("Folder that receives the drive folders Z and C."),
                                          QStringLiteral("DIR"));
    const QCommandLineOption casesOption(
        QStringLiteral("cases"),
        QStringLiteral("Number of cases, %1 to %2 (default 200).").arg(demo::minDemoCases).arg(demo::maxDemoCases),
        QStringLiteral("N"), QStringLiteral("200"));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"), QStringLiteral("Seed of the data: the same seed gives the same suite (default 1)."),
        QStringLiteral("S"), QStringLiteral("1"));
    const QCommandLineOption postgresOption(
        QStringLiteral("postgres"),
        QStringLiteral("Load the data into the PostgreSQL database of this connection string, "
                       "\"Provider=PostgreSQL;Host=H;Port=P;Database=D;User ID=U;Password=W\"."),
        QStringLiteral("CONNECTION"));
    parser.addOptions({drivesOption, casesOption, seedOption, postgresOption});

    // parse() rather than process(), which would end with 1 where a bad command line must give 2.
    if (!parser.parse(QCoreApplication::arguments()))
        return refuse(parser.errorText());
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument: ") + parser.positionalArguments().constFirst());
    const bool server = parser.isSet(postgresOption);
    if (server && parser.value(postgresOption).trimmed().isEmpty())
        return refuse(QStringLiteral("--postgres needs a connection string (see --help)"));
    const bool files = parser.isSet(drivesOption) && !parser.value(drivesOption).isEmpty();
    if (!files && !server)
        return refuse(QStringLiteral("Missing --drives DIR (see --help)"));

    bool casesOk = false;
    const int cases = parser.value(casesOption).toInt(&casesOk);
    if (!casesOk || cases < demo::minDemoCases || cases > demo::maxDemoCases)
        return refuse(QStringLiteral("--cases must be a whole number from %1 to %2")
                          .arg(demo::minDemoCases)
                          .arg(demo::maxDemoCases));
    bool seedOk = false;
    const quint32 seed = parser.value(seedOption).toUInt(&seedOk);
    if (!seedOk)
        return refuse(QStringLiteral("--seed must be a whole number from 0 to 4294967295"));

    QTextStream out(stdout);
    QElapsedTimer timer;
    if (files) {
        const QString drives = QDir(parser.value(drivesOption)).absolutePath();
        const QString connection = server ? parser.value(postgresOption) : QString();
        demo::DemoSummary summary;
        timer.start();
        if (Status status = demo::createDemoSuite({drives, cases, seed}, &summary, connection); !status) {
            QTextStream(stderr) << status.errorText() << Qt::endl;
            return 1;
        }
        out << "Demo suite made in " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s: " << summary.cases
            << " cases, " << summary.payments << " payments, " << summary.bankRows << " bank rows, " << summary.sheets
            << " sheets." << Qt::endl;
        for (const QString& file : summary.files)
            out << "  " << QDir::toNativeSeparators(file) << Qt::endl;
        out << "To use it, set:" << Qt::endl;
        out << "KV32_DRIVE_Z=" << drives << "/Z KV32_DRIVE_C=" << drives << "/C" << Qt::endl;
    }
    if (server) {
        demo::DemoSummary summary;
        timer.start();
        if (Status status = demo::loadDemoIntoPostgres(parser.value(postgresOption), cases, seed, &summary); !status) {
            QTextStream(stderr) << status.errorText() << Qt::endl;
            return 1;
        }
        out << "Demo data loaded in " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s into "
            << summary.files.value(0) << ": " << summary.cases << " cases, " << summary.payments << " payments, "
            << summary.bankRows << " bank rows." << Qt::endl;
        if (!files)
            out << "The sheets are files: make the suite's files with the same --cases and --seed and --drives DIR."
                << Qt::endl;
    }
    return 0;
}
