// The case list of a filter; how the suite's filters reach every backend is in server/ServerScenarioTest.
#include "foundation/IniFile.h"
#include "foundation/SuitePaths.h"

#include "support/CaseList.h"

TEST(CaseSelection, EveryCaseHasItsLineEvenWithoutANameAndTheRecordsetStaysOpen)
{
    SuiteFixture suite;
    ScriptedDialogs dialogs;
    CaseList list(suite, dialogs);
    suite.addCases(
        {QStringLiteral("7|ROSSI MARIO|NRV"), QStringLiteral("8||NRV"), QStringLiteral("9|D'AMICO LUCA|NRV")});
    ASSERT_TRUE(list.load(QStringLiteral("order by contatore")));
    EXPECT_EQ(list.listed(), (QList<qint32>{7, 8, 9}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_TRUE(list.cases.pratiche().state());
    EXPECT_TRUE(list.cases.pratiche().eof());
    EXPECT_EQ(list.view.lines().at(0).text, QStringLiteral("ROSSI MARIO"));
    EXPECT_FALSE(list.view.lines().at(1).text.isEmpty());
    EXPECT_EQ(list.view.lines().at(2).text, QStringLiteral("D'AMICO LUCA"));
}

TEST(CaseSelection, ReloadingRunsTheSuitesFilterAndKeepsOneAccessMark)
{
    SuiteFixture suite;
    ScriptedDialogs dialogs;
    CaseList list(suite, dialogs);
    suite.addNumberedCases(1, 3);
    suite.writeKv32Ini(
        {QStringLiteral("[datiserver]"),
         QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite;X=.MDB")});
    ASSERT_TRUE(list.load(QStringLiteral("where contatore<3")));
    EXPECT_TRUE(list.module.ModoAccess());
    list.view.setFilterText(QStringLiteral("where contatore=3"));
    ASSERT_TRUE(list.cases.Inizia());
    EXPECT_EQ(list.view.caption(), QStringLiteral("Esportazione Norvanta XML [Access]"));
    EXPECT_EQ(list.listed(), (QList<qint32>{1, 2}));
}

TEST(CaseSelection, ADatabaseOrQueryThatCannotBeOpenedEndsTheProgramWithTheDriverText)
{
    SuiteFixture suite;
    suite.addNumberedCases(1, 3);
    const QString connstring = QStringLiteral("connstring=Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    struct Failure {
        QStringList ini;
        qint64 paddedTo; // zeros after the lines, up to this size
        QString cause;
    } const failures[] = {
        {{QStringLiteral("[datiserver]"), QStringLiteral("connstring=Provider=Fantasma;Data Source=x")},
         0,
         QStringLiteral("Fantasma")},
        {{QStringLiteral("[altro]")}, 0, QStringLiteral("kv32.ini")},
        // UTF-8's byte-order mark, as the code page reads it.
        {{QStringLiteral("\u00EF\u00BB\u00BF[datiserver]"), connstring},
         0,
         QStringLiteral("salvare il file come ANSI")},
        {{QStringLiteral("[datiserver]"), connstring}, LargestIniFile + 1, QStringLiteral("supera 1 MiB")}};
    for (const auto& [ini, paddedTo, cause] : failures) {
        suite.writeKv32Ini(ini);
        if (paddedTo > 0)
            writeSparse(suite.local(SuitePaths::kv32Ini()), suite.bytesAt(SuitePaths::kv32Ini()), paddedTo);
        ScriptedDialogs dialogs;
        CaseList list(suite, dialogs);
        ASSERT_FALSE(list.load(QString()));
        ASSERT_EQ(dialogs.messages().size(), 1);
        EXPECT_TRUE(dialogs.messages().first().contains(cause, Qt::CaseInsensitive))
            << dialogs.messages().first().toStdString();
    }
    suite.writeKv32Ini({QStringLiteral("[datiserver]"), connstring});
    ScriptedDialogs dialogs;
    CaseList list(suite, dialogs);
    ASSERT_FALSE(list.load(QStringLiteral("where [campo inesistente]=1")));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("campo inesistente")));
    EXPECT_FALSE(list.cases.pratiche().state());
}

TEST(CaseSelection, AFilterHoldingASecondStatementOrANulIsRefusedBeforeItRuns)
{
    SuiteFixture suite;
    suite.addCases({QStringLiteral("1004|ROSSI MARIO|NRV"), QStringLiteral("1005|BIANCHI;ANNA|NRV"),
                    QStringLiteral("1006|VERDI LUCA|NRV")});
    // A filter, and the cases it lists; none where it is refused.
    const std::pair<QString, QList<qint32>> filters[] = {
        {QStringLiteral("where [tipo mandato]='NRV'; and contatore in (1004,1005)"), {}},
        {QStringLiteral("where [tipo mandato]='NRV'") + QChar(0) + QStringLiteral(" and contatore in (1004,1005)"), {}},
        {QStringLiteral("where [ragione sociale]<>'BIANCHI;ANNA' and [tipo mandato]='NRV' order by contatore;  "),
         {1004, 1006}},
    };
    for (const auto& [filter, listed] : filters) {
        ScriptedDialogs dialogs;
        CaseList list(suite, dialogs);
        const bool loaded = list.load(filter);
        EXPECT_EQ(loaded, !listed.isEmpty()) << filter.toStdString();
        if (loaded) {
            EXPECT_EQ(list.listed(), listed);
            EXPECT_TRUE(dialogs.shown().isEmpty());
            continue;
        }
        ASSERT_EQ(dialogs.messages().size(), 1);
        const QString message = dialogs.messages().first();
        EXPECT_TRUE(message.startsWith(QStringLiteral("Il filtro delle pratiche non si può eseguire: ")))
            << message.toStdString();
        EXPECT_TRUE(message.contains(SuiteFixture::statusPath())) << message.toStdString();
        EXPECT_FALSE(list.cases.pratiche().state());
    }
}
