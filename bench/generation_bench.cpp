// Times "Genera Diagnosis Sheet Casuali" over a large list in the real main window (drawn off
// screen): once in test mode, where nothing is saved, and once saving every sheet.
//
//   bench_generation [--cases N]
#include "cases/FRM_EXP_NRV_XML.h"
#include "demo/DemoSuite.h"
#include "ds/GenerationPanel.h"
#include "launcher/ModuloCommand.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/Random.h"
#include "launcher/ports/ScriptedDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

namespace {

/// A suite where every case has a memo code and half of them need a sheet, none of which exists yet.
bool prepareSuite(const QString& drives, int cases)
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
    status.write("contatore=1001\r\nfiltro=where contatore>0 order by contatore\r\ntesto=bench\r\n");
    status.close();
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
    QDir sheets(drives + QStringLiteral("/Z/work/kv32/dati/ds"));
    sheets.removeRecursively();
    return QDir().mkpath(sheets.path());
}

double run(FRM_EXP_NRV_XML& window, ScriptedDialogs& dialogs, bool soloTest)
{
    GenerationPanel* panel = window.generationPanel();
    if (panel->soloTest() != soloTest)
        panel->chkSoloTest->click();
    window.cmdComandi_Click(FRM_EXP_NRV_XML::RileggiPratiche);
    window.cmdPratiche_Click();
    dialogs.clear();
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    QElapsedTimer timer;
    timer.start();
    panel->Command2->click();
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("exp_nrv_xml"));
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("cases"), QStringLiteral("Number of cases (default 10000)."), QStringLiteral("N"),
                      QStringLiteral("10000")});
    parser.addHelpOption();
    parser.process(app);
    const int cases = parser.value(QStringLiteral("cases")).toInt();

    QTemporaryDir drives;
    if (!prepareSuite(drives.path(), cases))
        return 1;
    SystemClock clock;
    SystemRandom random;
    ScriptedDialogs dialogs;
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    FRM_EXP_NRV_XML window(module, dialogs, clock, random);
    if (!window.Form_Load(QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt")))
        return 1;
    // Generous quotas: the benchmark measures the walk, not refused draws.
    window.generationPanel()->chkSoloTest->click();

    const double test = run(window, dialogs, true);
    std::printf("generation over %d cases, test mode: %.2f s (%s)\n", cases, test,
                dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
    const double saving = run(window, dialogs, false);
    const qsizetype written = QDir(drives.path() + QStringLiteral("/Z/work/kv32/dati/ds"))
                                  .entryList({QStringLiteral("*.txt")}, QDir::Files)
                                  .size();
    std::printf("generation over %d cases, saving: %.2f s, %lld sheets written (%s; goal: under 10 s each)\n", cases,
                saving, static_cast<long long>(written),
                dialogs.messages().join(QLatin1Char(' ')).toLocal8Bit().constData());
    return 0;
}
