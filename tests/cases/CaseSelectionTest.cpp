#include "cases/CaseSelection.h"
#include "cases/BatchCaseView.h"
#include "launcher/ModuloCommand.h"
#include "launcher/db/DbValue.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <gtest/gtest.h>

namespace {

class CaseSelectionTest : public ::testing::Test {
protected:
    /// Dispatches the suite's line and loads the cases, as the main window does at start-up.
    bool load(const QString& filter, const QString& line = SuiteFixture::statusLine())
    {
        suite.useFilter(filter);
        const Dispatch dispatch = module.EseguiComando(ToolRequest{5001, QString()}, line);
        EXPECT_EQ(dispatch.kind, Dispatch::Kind::OpenWindow);
        cases.params = dispatch.params;
        return cases.Inizia();
    }

    QList<qint32> listed() const
    {
        QList<qint32> numbers;
        for (const CaseLine& line : view.lines())
            numbers.append(line.contatore);
        return numbers;
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    ScriptedDialogs dialogs;
    BatchCaseView view{nullptr};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    CaseSelection cases{module, dialogs, view};
};

} // namespace

TEST_F(CaseSelectionTest, EveryCaseHasItsLineEvenWithoutAName)
{
    suite.addCases(
        {QStringLiteral("7|ROSSI MARIO|NRV"), QStringLiteral("8||NRV"), QStringLiteral("9|D'AMICO LUCA|NRV")});
    ASSERT_TRUE(load(QStringLiteral("order by contatore")));
    EXPECT_EQ(listed(), (QList<qint32>{7, 8, 9}));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    // The recordset stays open after its last row.
    EXPECT_EQ(cases.pratiche().state(), 1);
    EXPECT_TRUE(cases.pratiche().eof());
    EXPECT_EQ(view.lines().at(0).text, QStringLiteral("ROSSI MARIO"));
    EXPECT_FALSE(view.lines().at(1).text.isEmpty());
    EXPECT_EQ(view.lines().at(2).text, QStringLiteral("D'AMICO LUCA"));
}

TEST_F(CaseSelectionTest, ReloadingReplacesTypedFilterTextAndKeepsOneAccessMark)
{
    suite.addNumberedCases(1, 3);
    suite.writeKv32Ini(
        {QStringLiteral("[datiserver]"),
         QStringLiteral("connstring=Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite;X=.MDB")});
    ASSERT_TRUE(load(QStringLiteral("where contatore<3")));
    EXPECT_TRUE(module.ModoAccess());
    EXPECT_EQ(view.caption(), QStringLiteral("Esportazione Norvanta XML [Access]"));
    view.setFilterText(QStringLiteral("where contatore=3"));
    ASSERT_TRUE(cases.Inizia());
    EXPECT_EQ(view.caption(), QStringLiteral("Esportazione Norvanta XML [Access]"));
    EXPECT_EQ(view.filterText(), QStringLiteral("where contatore<3"));
    EXPECT_EQ(listed(), (QList<qint32>{1, 2}));
}

TEST_F(CaseSelectionTest, ADatabaseOrQueryThatCannotBeOpenedEndsTheProgramWithTheDriverText)
{
    suite.addNumberedCases(1, 3);
    ASSERT_FALSE(load(QStringLiteral("where [campo inesistente]=1")));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("campo inesistente")));
    EXPECT_EQ(cases.pratiche().state(), 0);

    SuiteFixture other;
    other.writeKv32Ini({QStringLiteral("[datiserver]"), QStringLiteral("connstring=Provider=Fantasma;Data Source=x")});
    other.writeStatusFile({QStringLiteral("n=1")});
    ScriptedDialogs otherDialogs;
    ModuloCommand otherModule(clock, QStringLiteral("Exp_Nrv_XML"));
    CaseSelection otherCases(otherModule, otherDialogs, view);
    otherCases.params = otherModule.EseguiComando(ToolRequest{5001, QString()}, SuiteFixture::statusLine()).params;
    ASSERT_FALSE(otherCases.Inizia());
    ASSERT_EQ(otherDialogs.messages().size(), 1);
    EXPECT_TRUE(otherDialogs.messages().first().contains(QStringLiteral("Fantasma")));

    other.writeKv32Ini({QStringLiteral("[altro]")});
    ModuloCommand emptyModule(clock, QStringLiteral("Exp_Nrv_XML"));
    CaseSelection emptyCases(emptyModule, otherDialogs, view);
    emptyModule.EseguiComando(ToolRequest{5001, QString()}, SuiteFixture::statusLine());
    ASSERT_FALSE(emptyCases.Inizia());
    EXPECT_TRUE(otherDialogs.messages().last().contains(QStringLiteral("kv32.ini")));
}
