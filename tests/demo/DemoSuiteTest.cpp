// What the program, the demo script and the benchmarks take from a demo suite: its files where the suite keeps
// them, a database the program's export goes through, and the same suite from the same size and seed.
#include "demo/DemoSuite.h"

#include "app/BatchSession.h"
#include "app/CommandLine.h"
#include "ds/SheetRules.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"
#include "support/TempFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace {

const QString DatabaseFile = QStringLiteral("Z/work/kv32/dati/kv.sqlite");
const QString SheetFolder = QStringLiteral("Z/work/kv32/dati/ds");

demo::DemoSummary makeSuite(const QString& drives, int cases, quint32 seed)
{
    demo::DemoSummary summary;
    const Status status = demo::createDemoSuite({drives, cases, seed}, &summary);
    EXPECT_TRUE(status.ok()) << status.errorText().toStdString();
    return summary;
}

QStringList sheetNames(const QString& drives)
{
    return QDir(drives + '/' + SheetFolder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
}

/// A digest of the suite's rows, every value of every row in key order, and of its sheet files.
QString contentDigest(const TempFolder& folder)
{
    SqliteFixture db(folder.file(DatabaseFile));
    QCryptographicHash digest(QCryptographicHash::Sha256);
    for (const char* table : {"Tabella Pratiche", "Tabella Pagamenti", "Tabella Riscontro"}) {
        QSqlQuery rows = db.query(QStringLiteral("select * from [%1] order by 1").arg(QLatin1String(table)));
        while (rows.next()) {
            for (int column = 0; column < rows.record().count(); ++column)
                digest.addData(rows.value(column).toString().toUtf8() + '|');
        }
    }
    for (const QString& name : sheetNames(folder.path()))
        digest.addData(folder.read(SheetFolder + '/' + name));
    return QString::fromLatin1(digest.result().toHex());
}

} // namespace

// The demo script's two batch runs: the suite's own list stops on the case left incomplete on purpose, the list of
// complete cases goes through to a flow that holds every one of them, with and without a sheet.
TEST(DemoSuite, HasEveryFileInPlaceAndItsListOfCompleteCasesGoesThroughToTheFlow)
{
    TestHome home;
    const QString drives = home.folder().file(QStringLiteral("drives"));
    const demo::DemoSummary summary = makeSuite(drives, 200, 1);
    EXPECT_EQ(fileBytes(drives + QStringLiteral("/Z/work/kv32/dati/kv32.ini")),
              QByteArray("[datiserver]\r\n"
                         "connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite\r\n"
                         "LastProgGiornalexLotto=124\r\n"
                         "LastMsgGiornalexLotto=Giornale di prova\r\n"));
    EXPECT_EQ(fileBytes(drives + QStringLiteral("/C/work/kv32ado/status.txt")),
              QByteArray("contatore=1001\r\nfiltro=where [tipo mandato]='NRV'\r\ntesto=demo\r\n"));

    // The journal's query runs on the demo, also with its ordering replaced, and adds up to the whole suite.
    SqliteFixture db(drives + '/' + DatabaseFile);
    const QString query = QString::fromLatin1(fileBytes(drives + QStringLiteral("/C/work/kv32ado/lotti.sql")));
    ASSERT_TRUE(query.endsWith(QStringLiteral("\r\n")) && query.count(QLatin1Char('\n')) == 1) << query.toStdString();
    const qsizetype orderBy = query.toLower().indexOf(QStringLiteral("order by"));
    ASSERT_GT(orderBy, 0);
    EXPECT_EQ(db.query(query).record().count(), 7);
    EXPECT_EQ(db.scalar(QStringLiteral("select sum(pratiche) || '/' || (abs(sum(totaff) - (select sum(totale) from "
                                       "[Tabella Pagamenti])) < 0.005) from (%1 order by [Data Affido])")
                            .arg(query.left(orderBy))),
              QStringLiteral("200/1"));

    // Sheets only for cases whose code needs one.
    const QStringList sheets = sheetNames(drives);
    EXPECT_EQ(sheets.size(), summary.sheets);
    for (const QString& name : sheets) {
        EXPECT_TRUE(NecessarioDS(db.scalar(
            QStringLiteral("select codicescaricomemo from [Tabella Pratiche] where contatore = ") + name.chopped(4))))
            << name.toStdString();
    }

    ASSERT_GT(summary.completeCases.size(), 50);
    ScriptedDialogs dialogs;
    const FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
    const auto runBatch = [&](const QString& statusFile) {
        dialogs.clear();
        const Result<CommandLine> options = CommandLine::parse(
            {QStringLiteral("exp_nrv_xml"), QStringLiteral("--batch"), QStringLiteral("999|999|prova|") + statusFile});
        return runBatchSession(*options, dialogs, clock);
    };
    EXPECT_EQ(runBatch(QStringLiteral("C:\\work\\kv32ado\\status.txt")), ExitStopped);
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("Manca SituazioneFamiliare")});
    EXPECT_EQ(runBatch(QStringLiteral("C:\\work\\kv32ado\\status-completi.txt")), ExitDone);
    const QByteArray written = fileBytes(home.desktop() + QStringLiteral("/0008_06_00001_2011-06-10.XML"));
    EXPECT_EQ(written.count("<Pratica "), summary.completeCases.size());
    EXPECT_GT(written.count("<DiagnosisSheet"), 10);
}

TEST(DemoSuite, SameSeedGivesTheSameSuiteAndARebuildReplacesIt)
{
    // Seed 7 has always given this suite, whatever compiler built the generator.
    TempFolder first;
    TempFolder other;
    makeSuite(first.path(), 60, 7);
    makeSuite(other.path(), 60, 8);
    EXPECT_EQ(contentDigest(first), QStringLiteral("a9a021420f38dc29bdd6ed0080eb17d3551c501f60d4e01108464f091486b57f"));
    EXPECT_NE(contentDigest(other), contentDigest(first));

    // A smaller suite made over the first replaces its database and leaves none of its sheets behind.
    const demo::DemoSummary smaller = makeSuite(first.path(), 20, 3);
    SqliteFixture db(first.file(DatabaseFile));
    EXPECT_EQ(db.scalar(QStringLiteral("select count(*) from [Tabella Pratiche]")), QStringLiteral("20"));
    EXPECT_EQ(sheetNames(first.path()).size(), smaller.sheets);
    for (const QString& name : sheetNames(first.path()))
        EXPECT_LE(name.chopped(4).toInt(), 1020) << name.toStdString();
    EXPECT_FALSE(QFile::exists(first.file(DatabaseFile + ".new")));

    // Sizes out of range make nothing.
    TempFolder refused;
    for (int cases : {9, 1000001})
        EXPECT_FALSE(demo::createDemoSuite({refused.path(), cases, 1}).ok()) << cases;
    EXPECT_TRUE(QDir(refused.path()).isEmpty());
    EXPECT_FALSE(demo::createDemoSuite({QString(), 10, 1}).ok());
}
