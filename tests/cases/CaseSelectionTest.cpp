// The case list of a filter; how the suite's filters reach every backend is in server/ServerScenarioTest.
#include "foundation/IniFile.h"
#include "foundation/SuitePaths.h"

#include "support/CaseList.h"

TEST(CaseSelection, EveryCaseHasItsLineAndReloadingRunsTheSuitesFilterWithOneAccessMark)
{
    SuiteFixture suite;
    ScriptedDialogs dialogs;
    CaseList list(suite, dialogs);
    suite.addCases(
        {QStringLiteral("7|ROSSI MARIO|NRV"), QStringLiteral("8||NRV"), QStringLiteral("9|D'AMICO LUCA|NRV")});
    ASSERT_TRUE(list.load(QStringLiteral("order by contatore")));
    const QList<CaseLine> lines = list.view.lines();
    EXPECT_EQ(std::tuple(list.listed(), dialogs.shown().size(), list.cases.pratiche().state(),
                         list.cases.pratiche().eof(), lines.at(0).text, lines.at(1).text.isEmpty()),
              std::tuple(QList<qint32>{7, 8, 9}, 0, true, true, "ROSSI MARIO", false));
    suite.writeKv32Ini(
        {QStringLiteral("[datiserver]"),
         QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite;X=.MDB")});
    ASSERT_TRUE(list.load(QStringLiteral("where contatore<9")));
    list.view.setFilterText(QStringLiteral("where contatore=9"));
    EXPECT_EQ(std::tuple(list.module.ModoAccess(), list.cases.Inizia(), list.view.caption(), list.listed()),
              std::tuple(true, true, "Esportazione Norvanta XML [Access]", QList<qint32>{7, 8}));
}

TEST(CaseSelection, ADatabaseOrQueryThatCannotBeOpenedEndsTheProgramNamingTheCause)
{
    SuiteFixture suite;
    suite.addNumberedCases(1, 3);
    const QString connstring = QStringLiteral("connstring=Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    const QString ini = suite.local(SuitePaths::kv32Ini());
    const QStringList sqlite = {QStringLiteral("[datiserver]"), connstring};
    struct Failure {
        QStringList causes; ///< what the one message holds
        QStringList kv32;   ///< the lines of kv32.ini
        QString filter = {};
        qint64 paddedTo = 0; ///< zeros after the lines, up to this size
    } const failures[] = {
        {{QStringLiteral("Fantasma")},
         {QStringLiteral("[datiserver]"), QStringLiteral("connstring=Provider=Fantasma;Data Source=x")}},
        {{QStringLiteral("kv32.ini")}, {QStringLiteral("[altro]")}},
        // UTF-8's byte-order mark, as the code page reads it.
        {{ini + QStringLiteral(" comincia con il segno di ordine dei byte (BOM)"), QStringLiteral("come ANSI")},
         {QStringLiteral("\u00EF\u00BB\u00BF[datiserver]"), connstring}},
        {{ini + QStringLiteral(" supera 1 MiB")}, sqlite, {}, LargestIniFile + 1},
        {{QStringLiteral("campo inesistente")}, sqlite, QStringLiteral("where [campo inesistente]=1")},
        // A second statement would run silently without its condition: it is refused, naming the status file.
        {{QStringLiteral("segue un secondo comando: \"and contatore=2\".\nViene dal file ") +
          SuiteFixture::statusPath()},
         sqlite,
         QStringLiteral("where [tipo mandato]='NRV'; and contatore=2")},
    };
    for (const auto& [causes, kv32, filter, paddedTo] : failures) {
        suite.writeKv32Ini(kv32);
        if (paddedTo > 0)
            writeSparse(ini, fileBytes(ini), paddedTo);
        ScriptedDialogs dialogs;
        CaseList list(suite, dialogs);
        ASSERT_FALSE(list.load(filter));
        EXPECT_FALSE(list.cases.pratiche().state());
        ASSERT_EQ(dialogs.messages().size(), 1);
        for (const QString& cause : causes)
            EXPECT_TRUE(dialogs.messages().first().contains(cause)) << dialogs.messages().first().toStdString();
    }
}
