#include "demo/DemoSuite.h"

#include "launcher/db/SuiteTables.h"
#include "support/TempFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <QVariant>

#include <gtest/gtest.h>

namespace {

const QString databaseFile = QStringLiteral("Z/work/kv32/dati/kv.sqlite");
const QString sheetFolder = QStringLiteral("Z/work/kv32/dati/ds");
const QStringList sheetCodes = {QStringLiteral("EESE"), QStringLiteral("EENP"), QStringLiteral("FLXX"),
                                QStringLiteral("EEPP"), QStringLiteral("INFO"), QStringLiteral("EECN")};
const QStringList sheetFields = {
    QStringLiteral("MotivoImpagato"),
    QStringLiteral("SituazioneFamiliare"),
    QStringLiteral("NoteSituazioneFamiliare"),
    QStringLiteral("Abitazione"),
    QStringLiteral("TipologiaContratto"),
    QStringLiteral("NoteTipologiaContratto"),
    QStringLiteral("CapacitaPagamentoFutureScadenze"),
    QStringLiteral("DataMiglioramento"),
    QStringLiteral("ClienteRedditoSalario"),
    QStringLiteral("ClienteRedditoBenefits"),
    QStringLiteral("ClienteRedditoAltro"),
    QStringLiteral("GaranteRedditoSalario"),
    QStringLiteral("GaranteRedditoBenefits"),
    QStringLiteral("GaranteRedditoAltro"),
    QStringLiteral("Note"),
    QStringLiteral("DataInserimento"),
};

demo::DemoSummary makeSuite(const TempFolder& folder, int cases, quint32 seed)
{
    demo::DemoSummary summary;
    const Status status = demo::createDemoSuite({folder.path(), cases, seed}, &summary);
    EXPECT_TRUE(status.ok()) << status.errorText().toStdString();
    return summary;
}

/// The demo database opened for reading, on a connection of its own.
class SuiteDatabase {
public:
    explicit SuiteDatabase(const QString& path) : m_name(QStringLiteral("demo-test-") + QUuid::createUuid().toString())
    {
        QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        database.setDatabaseName(path);
        EXPECT_TRUE(database.open()) << database.lastError().text().toStdString();
    }
    ~SuiteDatabase()
    {
        QSqlDatabase::database(m_name, false).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    SuiteDatabase(const SuiteDatabase&) = delete;
    SuiteDatabase& operator=(const SuiteDatabase&) = delete;

    QSqlQuery run(const QString& sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        EXPECT_TRUE(query.exec(sql)) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        return query;
    }
    qlonglong number(const QString& sql) const
    {
        QSqlQuery query = run(sql);
        return query.next() ? query.value(0).toLongLong() : -1;
    }
    QStringList column(const QString& sql) const
    {
        QStringList values;
        QSqlQuery query = run(sql);
        while (query.next())
            values.append(query.value(0).isNull() ? QStringLiteral("<null>") : query.value(0).toString());
        return values;
    }
    /// Every table's rows in storage order, nulls told apart from empty texts.
    QString dump() const
    {
        QString text;
        for (const db::TableDescription& table : db::suiteTables()) {
            QSqlQuery query = run(QStringLiteral("select * from [%1] order by rowid").arg(table.name));
            while (query.next()) {
                for (int i = 0; i < query.record().count(); ++i)
                    text += query.value(i).isNull() ? QStringLiteral("<null>|") : query.value(i).toString() + '|';
                text += '\n';
            }
        }
        return text;
    }

private:
    QString m_name;
};

QStringList sheetNames(const TempFolder& folder)
{
    return QDir(folder.file(sheetFolder)).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
}

} // namespace

TEST(DemoSuite, SmallSuiteHasEveryFileInPlaceAndAConsistentDatabase)
{
    TempFolder folder;
    const demo::DemoSummary summary = makeSuite(folder, 10, 1);

    EXPECT_EQ(folder.read(QStringLiteral("Z/work/kv32/dati/kv32.ini")),
              QByteArray("[datiserver]\r\n"
                         "connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite\r\n"
                         "LastProgGiornalexLotto=124\r\n"
                         "LastMsgGiornalexLotto=Giornale di prova\r\n"));
    EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("Z/work/kv32/dati/IDNrvXML.ini"))));
    EXPECT_EQ(folder.read(QStringLiteral("C/work/kv32ado/status.txt")),
              QByteArray("contatore=1001\r\nfiltro=where [tipo mandato]='NRV'\r\ntesto=demo\r\n"));
    EXPECT_EQ(demo::demoConnectionString(),
              QStringLiteral("Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite"));

    SuiteDatabase db(folder.file(databaseFile));
    EXPECT_EQ(db.number("select count(*) from [Tabella Pratiche]"), 10);
    EXPECT_EQ(db.number("select min(contatore) from [Tabella Pratiche]"), demo::DemoRowSource::firstContatore());
    EXPECT_EQ(db.column("select [tipo mandato] from [Tabella Pratiche] where contatore = 1001"), QStringList{"NRV"});
    EXPECT_EQ(db.number("select count(*) from [Tabella Pagamenti]"), summary.payments);
    EXPECT_EQ(db.number("select count(*) from [Tabella Riscontro]"), summary.bankRows);
    EXPECT_EQ(db.column("select vocativo from vocativo order by tipo"),
              (QStringList{"Sig.", "Sig.ra", "Spett.le", "Dott."}));
    EXPECT_EQ(db.column("select distinct operatore from Working"), QStringList{"B_Y"});
    // Every bank row belongs to a payment of a kind that has one; dates are ISO text.
    EXPECT_EQ(db.number("select count(*) from [Tabella Riscontro] r left join [Tabella Pagamenti] p on p.ID = "
                        "r.id_incasso where p.ID is null or p.modo not in ('AB','AC','BA','RA','CA')"),
              0);
    EXPECT_EQ(db.number("select count(*) from [Tabella Pagamenti] where typeof(data) <> 'text' or data not glob "
                        "'[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'"),
              0);
    EXPECT_EQ(db.number("select count(*) from [Tabella Pratiche] where [data affido] not glob "
                        "'[12][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9]'"),
              0);
    EXPECT_EQ(db.number("select count(*) from sqlite_master where type = 'index'"), 2);

    // The journal's query runs on the demo and adds up to the whole suite.
    const QByteArray lots = folder.read(QStringLiteral("C/work/kv32ado/lotti.sql"));
    ASSERT_TRUE(lots.endsWith("\r\n"));
    EXPECT_EQ(lots.count('\n'), 1);
    EXPECT_TRUE(lots.toLower().contains("order by"));
    QSqlQuery journal = db.run(QString::fromLatin1(lots.trimmed()));
    const QSqlRecord columns = journal.record();
    ASSERT_EQ(columns.count(), 7);
    for (const char* name : {"mandato", "data_affido", "pratiche", "totaff"})
        EXPECT_GE(columns.indexOf(QString::fromLatin1(name)), 0) << name;
    int cases = 0;
    double total = 0;
    while (journal.next()) {
        cases += journal.value("pratiche").toInt();
        total += journal.value("totaff").toDouble();
    }
    EXPECT_EQ(cases, 10);
    QSqlQuery paid = db.run("select coalesce(sum(totale), 0) from [Tabella Pagamenti]");
    ASSERT_TRUE(paid.next());
    EXPECT_NEAR(total, paid.value(0).toDouble(), 0.005);
    // The journal cuts the query at its first "order by" and orders by the consignment date instead.
    const QString query = QString::fromLatin1(lots.trimmed());
    QSqlQuery reordered = db.run(query.left(query.toLower().indexOf("order by")) + " order by [Data Affido]");
    EXPECT_EQ(reordered.record().count(), 7);

    // Sheets: only for cases whose code needs one, 16 lines in the fixed order, CR LF ended.
    const QStringList sheets = sheetNames(folder);
    EXPECT_EQ(sheets.size(), summary.sheets);
    EXPECT_TRUE(sheets.contains(QStringLiteral("1001.txt")));
    for (const QString& name : sheets) {
        const QString code =
            db.column("select codicescaricomemo from [Tabella Pratiche] where contatore = " + name.chopped(4)).value(0);
        EXPECT_TRUE(sheetCodes.contains(code.toUpper())) << name.toStdString() << " " << code.toStdString();
        const QByteArray bytes = folder.read(sheetFolder + '/' + name);
        ASSERT_TRUE(bytes.endsWith("\r\n"));
        const QList<QByteArray> lines = bytes.chopped(2).split('\n');
        ASSERT_EQ(lines.size(), sheetFields.size()) << name.toStdString();
        for (int i = 0; i < lines.size(); ++i) {
            EXPECT_TRUE(lines[i].endsWith('\r') || i == lines.size() - 1);
            EXPECT_TRUE(lines[i].startsWith(sheetFields[i].toLatin1() + "==")) << lines[i].toStdString();
        }
    }
}

TEST(DemoSuite, MediumSuiteHoldsEveryKindOfDataTheProgramMeets)
{
    TempFolder folder;
    makeSuite(folder, 200, 1);
    SuiteDatabase db(folder.file(databaseFile));

    const QStringList kinds = db.column("select distinct modo from [Tabella Pagamenti]");
    for (const char* kind : {"CO", "VT", "VP", "VA", "va", "AC", "AB", "BA", "CA", "VE", "VN", "VR", "RA", "XX", ""})
        EXPECT_TRUE(kinds.contains(QString::fromLatin1(kind))) << '"' << kind << '"';

    // Payments: amounts in cents, capital within the total, bills in series and discharged.
    EXPECT_EQ(db.number("select count(*) from [Tabella Pagamenti] where totale is null or data is null or capitale > "
                        "totale or abs(totale * 100 - round(totale * 100)) > 1e-6"),
              0);
    EXPECT_GT(db.number("select count(*) from (select conta from [Tabella Pagamenti] where modo = 'CA' group by conta "
                        "having count(*) >= 2)"),
              0);
    EXPECT_EQ(db.number("select count(*) from [Tabella Pagamenti] where (modo = 'CA') <> (datascarico is not null)"),
              0);

    // Cases: the codes the check and the export must cope with, nulls apart from empty texts.
    EXPECT_EQ(db.number("select count(*) from [Tabella Pratiche] where codicescaricomemo = 'info'"), 1);
    EXPECT_GT(db.number("select count(*) from [Tabella Pratiche] where codicescaricomemo is null"), 0);
    EXPECT_GT(db.number("select count(*) from [Tabella Pratiche] where codicescaricomemo = ''"), 0);
    EXPECT_GT(db.number("select count(*) from [Tabella Pratiche] where garante is null"), 0);
    EXPECT_GT(db.number("select count(*) from [Tabella Pratiche] where memo like '%' || char(13, 10) || '%'"), 0);
    // The same debtor consigned again on another date, for the other-consignments lookup.
    EXPECT_GT(db.number("select count(*) from (select P_iva from [Tabella Pratiche] group by P_iva "
                        "having count(distinct [data affido]) > 1)"),
              0);
    EXPECT_EQ(db.number("select count(*) from [Tabella Pratiche] p left join vocativo v on v.tipo = p.vocativo "
                        "where v.tipo is null"),
              0);

    // Sheets: Windows-1252 text, and some incomplete ones for the check to find.
    int incomplete = 0;
    bool sawAccent = false;
    for (const QString& name : sheetNames(folder)) {
        const QByteArray bytes = folder.read(sheetFolder + '/' + name);
        EXPECT_FALSE(bytes.contains("\xC3")) << name.toStdString(); // no UTF-8 sequences
        sawAccent = sawAccent || bytes.contains("Abitazione==A=Propriet\xE0\r\n");
        if (bytes.contains("MotivoImpagato==\r\n") || bytes.contains("SituazioneFamiliare==\r\n") ||
            bytes.contains("\r\nAbitazione==\r\n") || bytes.contains("ClienteRedditoSalario==\r\n") ||
            bytes.contains("PagamentoFutureScadenze==N\r\nDataMiglioramento==\r\n"))
            ++incomplete;
    }
    EXPECT_TRUE(sawAccent);
    EXPECT_GT(incomplete, 0);
    EXPECT_TRUE(folder.read(sheetFolder + "/1002.txt").contains("\r\nSituazioneFamiliare==\r\n"));
}

TEST(DemoSuite, SameSeedGivesTheSameSuiteAndARebuildReplacesIt)
{
    TempFolder first;
    TempFolder second;
    TempFolder other;
    makeSuite(first, 60, 7);
    makeSuite(second, 60, 7);
    makeSuite(other, 60, 8);
    {
        SuiteDatabase a(first.file(databaseFile));
        SuiteDatabase b(second.file(databaseFile));
        SuiteDatabase c(other.file(databaseFile));
        const QString dump = a.dump();
        EXPECT_EQ(dump, b.dump());
        EXPECT_NE(dump, c.dump());
    }
    const QStringList sheets = sheetNames(first);
    ASSERT_EQ(sheets, sheetNames(second));
    for (const QString& name : sheets)
        EXPECT_EQ(first.read(sheetFolder + '/' + name), second.read(sheetFolder + '/' + name)) << name.toStdString();

    // A smaller suite made over the first replaces its database and leaves none of its sheets behind.
    const demo::DemoSummary smaller = makeSuite(first, 20, 3);
    SuiteDatabase a(first.file(databaseFile));
    EXPECT_EQ(a.number("select count(*) from [Tabella Pratiche]"), 20);
    EXPECT_EQ(sheetNames(first).size(), smaller.sheets);
    for (const QString& name : sheetNames(first))
        EXPECT_LE(name.chopped(4).toInt(), 1020) << name.toStdString();
    EXPECT_FALSE(QFile::exists(first.file(databaseFile + ".new")));
}

TEST(DemoSuite, RefusesCaseCountsOutOfRange)
{
    TempFolder folder;
    for (int cases : {9, 0, -5, 1000001}) {
        const Status status = demo::createDemoSuite({folder.path(), cases, 1});
        EXPECT_FALSE(status.ok()) << cases;
        EXPECT_FALSE(status.errorText().isEmpty());
    }
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    EXPECT_FALSE(demo::createDemoSuite({QString(), 10, 1}).ok());
}
