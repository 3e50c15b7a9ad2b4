// The scenarios of the main window, of the other-consignments lookup and of the database layer, run alike on SQLite,
// on PostgreSQL through QPSQL and on PostgreSQL through ODBC.
#include "server/ServerSuite.h"

#include "support/CaseList.h"

#include "windows/cases/FRM_EXP_NRV_XML.h"
#include "launcher/ModuloCommand.h"
#include "foundation/db/Connection.h"
#include "foundation/db/Currency.h"
#include "foundation/db/DbValue.h"
#include "foundation/db/Statement.h"
#include "foundation/db/Recordset.h"
#include "foundation/ports/Clock.h"
#include "foundation/ports/Random.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "tools/consignments/LookupAnswers.h"

#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

class CaseListOnServers : public ServerSuite {
protected:
    CaseList list{suite, dialogs};
};

class MainWindowOnServers : public ServerSuite {
protected:
    void SetUp() override
    {
        ServerSuite::SetUp();
        if (HasFatalFailure())
            return;
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                        QStringLiteral("3|VERDI LUCA|ALT|EESE")});
        suite.useFilter(QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
        mirror();
        pointTheSuiteAtTheBackend();
    }
    template <typename T> T* child(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void load()
    {
        ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()))
            << dialogs.messages().join(QLatin1Char('\n')).toStdString();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void doubleClick(const char* name) { QTest::mouseDClick(child<QLabel>(name), Qt::LeftButton); }

    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random{{0.5}};
    ScriptedDialogs dialogs;
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
};

using WorkingTableOnServers = ServerSuite;
using LookupOnServers = ServerSuite;

} // namespace

TEST_P(CaseListOnServers, TheSuitesFilterIsSentWithItsNamesOrderAndRowLimit)
{
    suite.addNumberedCases(1, 150);
    suite.addNumberedCases(1001, 5, QStringLiteral("ALT"));
    mirror();
    pointTheSuiteAtTheBackend();
    // Without a filter, the first hundred NRV cases.
    ASSERT_TRUE(list.load(QString())) << dialogs.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(list.view.filterText(), QStringLiteral("where [tipo mandato]='NRV'"));
    EXPECT_EQ(list.view.status(), QStringLiteral("Pratiche da esportare:100"));
    ASSERT_EQ(list.view.lines().size(), 100);
    EXPECT_EQ(list.view.lines().first().text, QStringLiteral("DEBITORE 1"));
    EXPECT_EQ(list.view.lines().last().contatore, 100);
    EXPECT_EQ(list.cases.pratiche().recordCount(), 100);
    EXPECT_TRUE(list.cases.pratiche().eof());

    // The suite's own filter has no row limit and keeps its order.
    ASSERT_TRUE(list.load(QStringLiteral("where [tipo mandato]='NRV'")));
    EXPECT_EQ(list.view.lines().size(), 150);
    ASSERT_TRUE(list.load(QStringLiteral("where [tipo mandato]='ALT' order by contatore desc")));
    EXPECT_EQ(list.listed(), (QList<qint32>{1005, 1004, 1003, 1002, 1001}));
    ASSERT_TRUE(list.load(QStringLiteral("where contatore between 40 and 42 and [Ragione Sociale] like 'DEBITORE%'")));
    EXPECT_EQ(list.listed(), (QList<qint32>{40, 41, 42}));
    ASSERT_TRUE(list.load(QStringLiteral("where contatore=0")));
    EXPECT_EQ(list.view.status(), QStringLiteral("Pratiche da esportare:0"));
    // Found again by the list walk's own criterion, whatever type the driver gave the key.
    ASSERT_TRUE(list.load(QStringLiteral("order by contatore")));
    db::Recordset& pratiche = list.cases.pratiche();
    ASSERT_TRUE(pratiche.moveFirst());
    ASSERT_TRUE(pratiche.find(QStringLiteral("contatore"), 1003));
    ASSERT_FALSE(pratiche.eof());
    EXPECT_EQ(pratiche.text(QStringLiteral("ragione sociale")).value_or(QString()), QStringLiteral("DEBITORE 1003"));
}

TEST_P(MainWindowOnServers, AnEditedCodeIsWrittenBackToItsCaseOnly)
{
    load();
    click("cmdComandi_0");
    dialogs.answerInput(QStringLiteral("EECH"));
    doubleClick("lblfield_2");
    dialogs.answerInput(QStringLiteral("C"));
    doubleClick("lblfield_3");
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(child<QLabel>("lblfield_2")->text(), QStringLiteral("EECH"));
    EXPECT_EQ(scalar(QStringLiteral("select codicescaricomemo from [Tabella Pratiche] where contatore=1")),
              QStringLiteral("EECH"));
    EXPECT_EQ(scalar(QStringLiteral("select [codice scarico] from [Tabella Pratiche] where contatore=1")),
              QStringLiteral("C"));
    EXPECT_EQ(scalar(QStringLiteral("select codicescaricomemo from [Tabella Pratiche] where contatore=3")),
              QStringLiteral("EESE"));
}

TEST_P(MainWindowOnServers, AnEditThatTheDatabaseRefusesKeepsWhatItHolds)
{
    load();
    // The window shows the last listed case, which another workstation removes after the list was read: the update
    // finds no row to change.
    if (onServer())
        onTheServer({QStringLiteral("delete from \"tabella pratiche\" where contatore=2")});
    else
        suite.database().exec({QStringLiteral("DELETE FROM [Tabella Pratiche] WHERE contatore=2")});
    dialogs.answerInput(QStringLiteral("EESE"));
    doubleClick("lblfield_2");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().startsWith(
        QStringLiteral("Il campo codicescaricomemo non è stato aggiornato: Impossibile aggiornare il record di ")))
        << dialogs.messages().first().toStdString();
    EXPECT_TRUE(dialogs.messages().first().endsWith(
        QStringLiteral("il record non è stato trovato (modificato o eliminato da un altro utente).")))
        << dialogs.messages().first().toStdString();
    EXPECT_EQ(child<QLabel>("lblfield_2")->text(), QStringLiteral("EECH"));
}

TEST_P(WorkingTableOnServers, RowsAddedInOneTransactionAreWrittenWithTheirTypesOrNotAtAll)
{
    mirror();
    db::Connection connection;
    ASSERT_OK(connection.open(connectionString()));
    const QString select = QStringLiteral("select * from [Working] where operatore='A_Z'");
    // Adds rows to the journal's part of the working table, as the journal does; the first failing step's status.
    const auto fill = [&](int rows) -> Status {
        Status step = db::execute(connection, QStringLiteral("Delete  from [Working] where operatore='A_Z'"));
        db::Recordset working;
        if (step)
            step = working.open(select, connection, db::Recordset::Lock::Optimistic);
        for (int row = 0; step && row < rows; ++row) {
            // The journal copies the query's amount as the driver gives it: a double, or decimal text.
            const QVariantList values = {QStringLiteral("A_Z"), QStringLiteral("NRV"), QDate(2011, 6, 1 + row),
                                         qlonglong(10 + row),
                                         row == 0 ? QVariant(1234.56) : QVariant(QStringLiteral("98765432.1234"))};
            const QStringList names = {"Operatore", "SOC", "data1", "c1", "N_1"};
            step = working.addNew();
            for (int field = 0; step && field < names.size(); ++field)
                step = working.setField(names.at(field), values.at(field));
            if (step)
                step = working.update();
        }
        return step;
    };

    QSqlDatabase database = connection.database();
    ASSERT_TRUE(database.transaction());
    ASSERT_OK(fill(2));
    ASSERT_TRUE(database.commit());

    db::Recordset working;
    ASSERT_TRUE(working.open(select + QStringLiteral(" order by c1"), connection));
    ASSERT_EQ(working.recordCount(), 2);
    EXPECT_EQ(working.field(QStringLiteral("data1")).value_or(QVariant()).toDate(), QDate(2011, 6, 1));
    EXPECT_EQ(working.field(QStringLiteral("c1")).value_or(QVariant()).toLongLong(), 10);
    EXPECT_EQ(working.field(QStringLiteral("n_1")).value_or(QVariant()).value<db::Currency>(),
              db::Currency::fromUnits(12345600));
    EXPECT_EQ(working.text(QStringLiteral("soc")).value_or(QString()), QStringLiteral("NRV"));
    ASSERT_TRUE(working.moveNext());
    // Amounts go in and come back without the loss of a double.
    EXPECT_EQ(working.field(QStringLiteral("N_1")).value_or(QVariant()).value<db::Currency>(),
              db::Currency::fromUnits(987654321234));

    // A fill that fails half-way is rolled back whole: the earlier rows stay, none of the new ones is kept.
    ASSERT_TRUE(database.transaction());
    ASSERT_OK(fill(1));
    ASSERT_TRUE(database.rollback());
    EXPECT_EQ(scalar(QStringLiteral("select count(*) from [Working] where operatore='A_Z'")), QStringLiteral("2"));
}

TEST_P(LookupOnServers, TheAnswersFromOneReadOfTheDatesAreTheDatabasesCaseByCase)
{
    // P_iva and [data affido]; cases from 101 are selected, case 90 is not but counts.
    const char* rows[][3] = {
        {"90", "'HHH'", "'2008-05-05'"},  {"101", "'AAA'", "'2011-01-10'"}, {"102", "'AAA'", "'2011-01-10'"},
        {"103", "'AAA'", "NULL"},         {"104", "'aaa'", "'2010-01-01'"}, {"105", "'AAA '", "'2009-01-01'"},
        {"106", "'BBB'", "'2011-01-10'"}, {"107", "'BBB'", "'2010-01-10'"}, {"108", "'CCC'", "NULL"},
        {"109", "'CCC'", "'2011-01-10'"}, {"110", "NULL", "'2011-01-10'"},  {"111", "'HHH'", "'2011-01-10'"},
    };
    QStringList inserts;
    for (const auto& row : rows)
        inserts.append(QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], P_iva, "
                                      "[data affido]) VALUES (%1, 'CASO %1', %2, %3)")
                           .arg(QString::fromLatin1(row[0]), QString::fromLatin1(row[1]), QString::fromLatin1(row[2])));
    suite.database().exec(inserts);
    suite.useFilter(QStringLiteral("where contatore>100 order by contatore"), 101);
    mirror();
    pointTheSuiteAtTheBackend();
    const FixedClock clock(QDateTime(QDate(2011, 6, 10), QTime(9, 0)));
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    RecordingConsignmentsView view;
    OtherConsignments lookup(module, dialogs, view);
    lookup.params =
        module.EseguiComando(ToolRequest{0, QStringLiteral("FrmAltriAffidiCF")}, SuiteFixture::statusLine()).params;
    const QList<bool> asked = perCaseAnswers(module, lookup.params);
    const QList<bool> hits = hitsOfRun(lookup, view);
    EXPECT_EQ(hits, asked);
    // BBB was consigned on two dates, HHH also outside the selection; letter case and blanks make other debtors.
    EXPECT_EQ(hits, (QList<bool>{false, false, false, false, false, true, true, false, false, false, true}));
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("1 pratica senza P_iva non è stata cercata in altri affidi.")});
}

INSTANTIATE_TEST_SUITE_P(Backends, CaseListOnServers,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres, Backend::Odbc), backendName);
INSTANTIATE_TEST_SUITE_P(Backends, MainWindowOnServers,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres, Backend::Odbc), backendName);
INSTANTIATE_TEST_SUITE_P(Backends, WorkingTableOnServers,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres, Backend::Odbc), backendName);
INSTANTIATE_TEST_SUITE_P(Backends, LookupOnServers,
                         ::testing::Values(Backend::Sqlite, Backend::Postgres, Backend::Odbc), backendName);
