#include "launcher/ModuloCommand.h"

#include "foundation/SuitePaths.h"
#include "foundation/ports/Clock.h"

#include "support/SuiteFixture.h"

#include <gtest/gtest.h>

namespace {

class ModuloCommandTest : public ::testing::Test {
protected:
    ModuloCommandTest()
    {
        suite.writeStatusFile({QStringLiteral("n=12"), QStringLiteral("f=where x=1"), QStringLiteral("t=tre")});
    }

    Dispatch dispatch(qint32 code, const QString& line, const QString& title = QStringLiteral("Exp_Nrv_XML"))
    {
        module = std::make_unique<ModuloCommand>(clock, title);
        return module->EseguiComando(ToolRequest{code, QString()}, line);
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    std::unique_ptr<ModuloCommand> module;
};

} // namespace

TEST_F(ModuloCommandTest, TheMainToolGetsTheStatusFileValuesAndTheIniConnection)
{
    const Dispatch result = dispatch(5001, SuiteFixture::statusLine());
    ASSERT_EQ(result.kind, Dispatch::Kind::OpenWindow);
    EXPECT_EQ(result.window, ToolWindow::Main);
    EXPECT_TRUE(result.runInizia);
    EXPECT_EQ(result.params.ParContatore, 12);
    EXPECT_EQ(result.params.ParFiltro, QStringLiteral("where x=1"));
    EXPECT_EQ(result.params.ParTesto, QStringLiteral("tre"));
    EXPECT_EQ(module->StringaConnessione(),
              QStringLiteral("Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite"));
    EXPECT_FALSE(module->ModoAccess());
}

TEST_F(ModuloCommandTest, AnMdbFieldSwitchesToTheAccessDatabaseUnlessTheIniNamesOne)
{
    dispatch(5001, SuiteFixture::statusLine() + QStringLiteral("|x.mdb"));
    EXPECT_TRUE(module->ModoAccess());
    EXPECT_EQ(module->StringaConnessione(), SuitePaths::defaultAccessConnection());

    const QString iniAccess = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Z:\\altro\\kv.MDB");
    suite.writeKv32Ini({QStringLiteral("[DatiServer]"), QStringLiteral("ConnString = ") + iniAccess});
    dispatch(5001, SuiteFixture::statusLine() + QStringLiteral("|.MDB"));
    EXPECT_TRUE(module->ModoAccess());
    EXPECT_EQ(module->StringaConnessione(), iniAccess);

    // An INI string naming an .mdb file sets the Access mode by itself.
    dispatch(5001, SuiteFixture::statusLine());
    EXPECT_TRUE(module->ModoAccess());
}

TEST_F(ModuloCommandTest, FewerThanFourFieldsListTheFieldsOrOpenTheJournal)
{
    const Dispatch listing = dispatch(5001, QStringLiteral("a|b"));
    EXPECT_EQ(listing.kind, Dispatch::Kind::Listing);
    EXPECT_EQ(listing.text, QStringLiteral("PAR0=a\r\nPAR1=b\r\n"));
    EXPECT_EQ(dispatch(5001, QString()).text, QStringLiteral("PAR0=\r\n"));

    suite.home().folder().write(QStringLiteral("drives/C/lotti.sql"),
                                QByteArray("Select * From lotti order by x\r\nseconda riga\r\n"));
    const Dispatch journal = dispatch(7510, QStringLiteral("C:\\lotti.sql|b|c"));
    ASSERT_EQ(journal.kind, Dispatch::Kind::OpenWindow);
    EXPECT_EQ(journal.window, ToolWindow::Journal);
    EXPECT_EQ(journal.sqlLotti, QStringLiteral("Select * From lotti order by x"));

    const Dispatch missing = dispatch(7510, QStringLiteral("C:\\manca.sql"));
    EXPECT_EQ(missing.kind, Dispatch::Kind::Stopped);
    EXPECT_TRUE(missing.text.contains(QStringLiteral("C:\\manca.sql")));
    // Only the first line is read, and it must end within 64 KiB.
    writeSparse(suite.home().folder().file(QStringLiteral("drives/C/enorme.sql")), "Select", 64 * 1024 + 1);
    const Dispatch endless = dispatch(7510, QStringLiteral("C:\\enorme.sql"));
    EXPECT_EQ(endless.kind, Dispatch::Kind::Stopped);
    EXPECT_TRUE(endless.text.contains(QStringLiteral("C:\\enorme.sql")) &&
                endless.text.contains(QStringLiteral("64 KiB")))
        << endless.text.toStdString();
}

TEST_F(ModuloCommandTest, ToolCodesChooseTheirWindowsWithTheDateRule)
{
    EXPECT_FALSE(dispatch(4999, SuiteFixture::statusLine()).runInizia);
    EXPECT_TRUE(dispatch(4999, SuiteFixture::statusLine(), QStringLiteral("EXP_OUTLOOK")).runInizia);
    EXPECT_EQ(dispatch(5000, SuiteFixture::statusLine()).windowName, QStringLiteral("Frm_EXP_CPE"));
    EXPECT_EQ(dispatch(10000, SuiteFixture::statusLine()).windowName, QStringLiteral("IntegrazioneCentralino"));
    for (qint32 code : {5002, 60810, 2506})
        EXPECT_EQ(dispatch(code, SuiteFixture::statusLine()).windowName, QStringLiteral("FRM_EXP_B24"));

    // With four fields even 7510 is "another code".
    EXPECT_EQ(dispatch(7510, SuiteFixture::statusLine()).windowName, QStringLiteral("FrmRisultati"));
    EXPECT_EQ(dispatch(1234, SuiteFixture::statusLine()).window, ToolWindow::EmptyForm);
    clock.set(QDateTime(QDate(2008, 4, 10), QTime(9, 0)));
    EXPECT_EQ(dispatch(1234, SuiteFixture::statusLine()).window, ToolWindow::OtherConsignments);
}

TEST_F(ModuloCommandTest, WindowsAskedForByNameGetTheStatusFileValues)
{
    module = std::make_unique<ModuloCommand>(clock, QStringLiteral("Exp_Nrv_XML"));
    const Dispatch lookup =
        module->EseguiComando(*ToolRequest::parse(QStringLiteral("FrmAltriAffidiCF")), SuiteFixture::statusLine());
    EXPECT_EQ(lookup.window, ToolWindow::OtherConsignments);
    EXPECT_EQ(lookup.params.ParContatore, 12);
    const Dispatch journal =
        module->EseguiComando(*ToolRequest::parse(QStringLiteral("Frm_Giornale")), SuiteFixture::statusLine());
    EXPECT_EQ(journal.window, ToolWindow::Journal);
    EXPECT_EQ(journal.sqlLotti, QStringLiteral("where x=1"));
    EXPECT_EQ(
        module->EseguiComando(*ToolRequest::parse(QStringLiteral("Frm_EXP_AGGCMP")), SuiteFixture::statusLine()).window,
        ToolWindow::ContactsExport);
}

TEST_F(ModuloCommandTest, AStatusFileThatCannotBeReadStopsTheDispatchNamingIt)
{
    const Dispatch missing = dispatch(5001, QStringLiteral("1|2|3|C:\\work\\manca.txt"));
    EXPECT_EQ(missing.kind, Dispatch::Kind::Stopped);
    EXPECT_TRUE(missing.text.contains(QStringLiteral("C:\\work\\manca.txt")));

    suite.writeStatusFile({QStringLiteral("n=abc"), QStringLiteral("f=where x=1")});
    const Dispatch notANumber = dispatch(5001, SuiteFixture::statusLine());
    EXPECT_EQ(notANumber.kind, Dispatch::Kind::Stopped);
    EXPECT_TRUE(notANumber.text.contains(QStringLiteral("status.txt")));
}

TEST_F(ModuloCommandTest, AMissingKv32IniLeavesTheConnectionStringEmpty)
{
    QFile::remove(suite.local(SuitePaths::kv32Ini()));
    EXPECT_EQ(dispatch(5001, SuiteFixture::statusLine()).kind, Dispatch::Kind::OpenWindow);
    EXPECT_TRUE(module->StringaConnessione().isEmpty());
}
