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
                       "DIR/Z stands for the suite's drive Z and DIR/C for drive C."));
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
    parser.addOptions({drivesOption, casesOption, seedOption});

    // parse() rather than process(), which would end with 1 where a bad command line must give 2.
    if (!parser.parse(QCoreApplication::arguments()))
        return refuse(parser.errorText());
    if (parser.isSet(helpOption))
        parser.showHelp(0);
    if (!parser.positionalArguments().isEmpty())
        return refuse(QStringLiteral("Unexpected argument: ") + parser.positionalArguments().constFirst());
    if (!parser.isSet(drivesOption) || parser.value(drivesOption).isEmpty())
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

    const QString drives = QDir(parser.value(drivesOption)).absolutePath();
    demo::DemoSummary summary;
    QElapsedTimer timer;
    timer.start();
    if (Status status = demo::createDemoSuite({drives, cases, seed}, &summary); !status) {
        QTextStream(stderr) << status.errorText() << Qt::endl;
        return 1;
    }

    QTextStream out(stdout);
    out << "Demo suite made in " << QString::number(timer.elapsed() / 1000.0, 'f', 1) << " s: " << summary.cases
        << " cases, " << summary.payments << " payments, " << summary.bankRows << " bank rows, " << summary.sheets
        << " sheets." << Qt::endl;
    for (const QString& file : summary.files)
        out << "  " << QDir::toNativeSeparators(file) << Qt::endl;
    out << "To use it, set:" << Qt::endl;
    out << "KV32_DRIVE_Z=" << drives << "/Z KV32_DRIVE_C=" << drives << "/C" << Qt::endl;
    return 0;
}
