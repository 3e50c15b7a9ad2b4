// The scenarios of the main window, of the other-consignments lookup and of the database layer, run alike on SQLite,
// on PostgreSQL through QPSQL and on PostgreSQL through ODBC.
#include "server/ServerSuite.h"

#include "support/CaseList.h"

#include "foundation/db/Currency.h"
#include "launcher/ModuloCommand.h"
#include "tools/consignments/LookupAnswers.h"
#include "windows/cases/FRM_EXP_NRV_XML.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <numeric>

using CaseListOnServers = ServerSuite;
using MainWindowOnServers = ServerSuite;
using WorkingTableOnServers = ServerSuite;
using LookupOnServers = ServerSuite;

TEST_P(CaseListOnServers, TheSuitesFilterIsSentWithItsNamesOrderAndRowLimit)
{
    suite.addNumberedCases(1, 150);
    suite.addNumberedCases(1001, 5, QStringLiteral("ALT"));
    mirror();
    const auto from = [](qint32 first, int count) {
        QList<qint32> numbers(count);
        std::iota(numbers.begin(), numbers.end(), first);
        return numbers;
    };
    const struct {
        QString filter;
        QList<qint32> listed;
    } rows[] = {
        // Without a filter, the first hundred NRV cases; the suite's own filter has no row limit and keeps its order.
        {QString(), from(1, 100)},
        {QStringLiteral("where [tipo mandato]='NRV'"), from(1, 150)},
        {QStringLiteral("where [tipo mandato]='ALT' order by contatore desc"), {1005, 1004, 1003, 1002, 1001}},
        {QStringLiteral("where contatore between 40 and 42 and [Ragione Sociale] like 'DEBITORE%'"), {40, 41, 42}},
        {QStringLiteral("where contatore=0"), {}},
    };
    CaseList list{suite, dialogs};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.filter.toStdString());
        ASSERT_TRUE(list.load(row.filter)) << dialogs.messages().join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(list.listed(), row.listed);
        EXPECT_EQ(list.view.status(), QStringLiteral("Pratiche da esportare:%1").arg(row.listed.size()));
        EXPECT_EQ(list.cases.pratiche().recordCount(), row.listed.size());
    }
    ASSERT_TRUE(list.load(QString()));
    EXPECT_EQ(list.view.filterText(), QStringLiteral("where [tipo mandato]='NRV'"));
    EXPECT_EQ(list.view.lines().first().text, QStringLiteral("DEBITORE 1"));
    // Found again by the list walk's own criterion, whatever type the driver gave the key.
    db::Recordset& pratiche = list.cases.pratiche();
    ASSERT_TRUE(pratiche.moveFirst());
    ASSERT_TRUE(pratiche.find(QStringLiteral("contatore"), 42));
    EXPECT_EQ(pratiche.text(QStringLiteral("ragione sociale")).value_or(QString()), QStringLiteral("DEBITORE 42"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_P(MainWindowOnServers, AnEditedCodeIsWrittenBackToItsCaseOnlyAndARefusedOneKeepsWhatTheCaseHolds)
{
    suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                    QStringLiteral("3|VERDI LUCA|ALT|EESE")});
    suite.useFilter(QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    mirror();
    const FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random{{0.5}};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
    ASSERT_TRUE(window.Form_Load(SuiteFixture::statusLine()))
        << dialogs.messages().join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto edit = [&](const char* label, const QString& answer) {
        dialogs.answerInput(answer);
        QTest::mouseDClick(window.findChild<QLabel*>(QString::fromLatin1(label)), Qt::LeftButton);
    };

    // The window shows the last listed case, which another workstation removes after the list was read: the update
    // finds no row to change.
    execute(QStringLiteral("DELETE FROM [Tabella Pratiche] WHERE contatore=2"));
    edit("lblfield_2", QStringLiteral("EESE"));
    const QRegularExpression refused(QStringLiteral("^Il campo codicescaricomemo non è stato aggiornato: Impossibile "
                                                    "aggiornare il record di [\\s\\S]*il record non è stato trovato "
                                                    "\\(modificato o eliminato da un altro utente\\)\\.$"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(refused.match(dialogs.messages().first()).hasMatch()) << dialogs.messages().first().toStdString();
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblfield_2"))->text(), QStringLiteral("EECH"));

    dialogs.clear();
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdComandi_0")), Qt::LeftButton);
    edit("lblfield_2", QStringLiteral("EECH"));
    edit("lblfield_3", QStringLiteral("C"));
    EXPECT_EQ(dialogs.messages(), QStringList());
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("lblfield_2"))->text(), QStringLiteral("EECH"));
    EXPECT_EQ(
        execute(QStringLiteral("select codicescaricomemo || '|' || [codice scarico] from [Tabella Pratiche] where "
                               "contatore=1")),
        QStringLiteral("EECH|C"));
    EXPECT_EQ(execute(QStringLiteral("select codicescaricomemo from [Tabella Pratiche] where contatore=3")),
              QStringLiteral("EESE"));
}

TEST_P(WorkingTableOnServers, RowsAddedInOneTransactionAreWrittenWithTheirTypesOrNotAtAll)
{
    mirror();
    db::Connection connection;
    ASSERT_OK(connection.open(connectionString()));
    // The journal copies the query's amount as the driver gives it: a double, or decimal text.
    const QVariantList amounts = {1234.56, QStringLiteral("98765432.1234")};
    const QString select = QStringLiteral("select * from [Working] where operatore='A_Z' order by c1");
    // Fills the journal's part of the working table with `rows` rows in one transaction, as the journal does.
    const auto fill = [&](int rows, bool commit) {
        QSqlDatabase database = connection.database();
        ASSERT_TRUE(database.transaction());
        ASSERT_OK(db::execute(connection, QStringLiteral("Delete  from [Working] where operatore='A_Z'")));
        db::Recordset working;
        ASSERT_OK(working.open(select, connection, db::Recordset::Lock::Optimistic));
        for (int row = 0; row < rows; ++row) {
            const QVariantList values = {QStringLiteral("A_Z"), QStringLiteral("NRV"), QDate(2011, 6, 1 + row),
                                         qlonglong(10 + row), amounts.at(row)};
            const QStringList names = {"Operatore", "SOC", "data1", "c1", "N_1"};
            ASSERT_OK(working.addNew());
            for (int field = 0; field < names.size(); ++field)
                ASSERT_OK(working.setField(names.at(field), values.at(field)));
            ASSERT_OK(working.update());
        }
        ASSERT_TRUE(commit ? database.commit() : database.rollback());
    };
    fill(2, true);
    // A fill that fails half-way is rolled back whole: the earlier rows stay, none of the new ones is kept.
    fill(1, false);

    // Amounts go in and come back without the loss of a double.
    db::Recordset working;
    ASSERT_OK(working.open(select, connection));
    QStringList read;
    for (; !working.eof(); static_cast<void>(working.moveNext()))
        read.append(QStringLiteral("%1 %2 %3 %4")
                        .arg(working.field(QStringLiteral("data1")).value_or(QVariant()).toDate().toString(Qt::ISODate))
                        .arg(working.field(QStringLiteral("c1")).value_or(QVariant()).toLongLong())
                        .arg(working.field(QStringLiteral("n_1")).value_or(QVariant()).value<db::Currency>().units())
                        .arg(working.text(QStringLiteral("soc")).value_or(QString())));
    EXPECT_EQ(read, (QStringList{QStringLiteral("2011-06-01 10 12345600 NRV"),
                                 QStringLiteral("2011-06-02 11 987654321234 NRV")}));
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
    for (const auto& row : rows)
        suite.database().exec({QStringLiteral("INSERT INTO [Tabella Pratiche] (contatore, [ragione sociale], P_iva, "
                                              "[data affido]) VALUES (%1, 'CASO %1', %2, %3)")
                                   .arg(row[0], row[1], row[2])});
    suite.useFilter(QStringLiteral("where contatore>100 order by contatore"), 101);
    mirror();
    const FixedClock clock(QDateTime(QDate(2011, 6, 10), QTime(9, 0)));
    ModuloCommand module(clock, QStringLiteral("Exp_Nrv_XML"));
    RecordingConsignmentsView view;
    OtherConsignments lookup(module, dialogs, view);
    lookup.params =
        module.EseguiComando(ToolRequest{0, QStringLiteral("FrmAltriAffidiCF")}, SuiteFixture::statusLine()).params;
    const QList<bool> hits = hitsOfRun(lookup, view);
    EXPECT_EQ(hits, perCaseAnswers(module, lookup.params));
    // BBB was consigned on two dates, HHH also outside the selection; letter case and blanks make other debtors.
    EXPECT_EQ(hits, (QList<bool>{false, false, false, false, false, true, true, false, false, false, true}));
    EXPECT_EQ(dialogs.messages(),
              QStringList{QStringLiteral("1 pratica senza P_iva non è stata cercata in altri affidi.")});
}

ON_ALL_BACKENDS(CaseListOnServers);
ON_ALL_BACKENDS(MainWindowOnServers);
ON_ALL_BACKENDS(WorkingTableOnServers);
ON_ALL_BACKENDS(LookupOnServers);
