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

    Dispatch dispatch(const ToolRequest& tool, const QString& line = SuiteFixture::statusLine())
    {
        module = std::make_unique<ModuloCommand>(clock, QStringLiteral("Exp_Nrv_XML"));
        return module->EseguiComando(tool, line);
    }
    Dispatch dispatch(qint32 code, const QString& line = SuiteFixture::statusLine())
    {
        return dispatch(ToolRequest{code, QString()}, line);
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    std::unique_ptr<ModuloCommand> module;
};

} // namespace

TEST_F(ModuloCommandTest, EachToolByCodeOrNameReachesItsWindowWithTheStatusFileValues)
{
    // Code or name, the window, whether its start routine runs, and the journal's query.
    const struct Row {
        const char* asked;
        ToolWindow window;
        bool runInizia;
        const char* sqlLotti;
    } rows[] = {
        {"5001", ToolWindow::Main, true, ""},
        {"frm_exp_nrv_xml", ToolWindow::Main, true, ""},
        {"4999", ToolWindow::ContactsExport, false, ""},
        {"Frm_EXP_AGGCMP", ToolWindow::ContactsExport, false, ""},
        {"FrmAltriAffidiCF", ToolWindow::OtherConsignments, false, ""},
        {"FRM_GIORNALE", ToolWindow::Journal, true, "where x=1"},
        // With four fields even 7510 is "another code": a window of the family with nothing of its own.
        {"7510", ToolWindow::EmptyForm, false, ""},
    };
    for (const Row& row : rows) {
        const std::optional<ToolRequest> tool = ToolRequest::parse(QString::fromLatin1(row.asked));
        ASSERT_TRUE(tool) << row.asked;
        const Dispatch result = dispatch(*tool);
        ASSERT_EQ(result.kind, Dispatch::Kind::OpenWindow) << row.asked;
        EXPECT_EQ(result.window, row.window) << row.asked;
        EXPECT_EQ(result.runInizia, row.runInizia) << row.asked;
        EXPECT_EQ(result.sqlLotti, QString::fromLatin1(row.sqlLotti)) << row.asked;
        EXPECT_EQ(result.params.ParContatore, 12) << row.asked;
        EXPECT_EQ(result.params.ParFiltro, QStringLiteral("where x=1")) << row.asked;
    }
    EXPECT_FALSE(ToolRequest::parse(QStringLiteral("FrmNonEsiste")));
    // Any other code opened the lookup only on the day it was tried out.
    clock.set(QDateTime(QDate(2008, 4, 10), QTime(9, 0)));
    EXPECT_EQ(dispatch(1234).window, ToolWindow::OtherConsignments);
}

TEST_F(ModuloCommandTest, TheConnectionComesFromTheIniOrTheAccessDatabaseTheLineNames)
{
    dispatch(5001);
    EXPECT_EQ(module->StringaConnessione(),
              QStringLiteral("Provider=SQLite;Data Source=Z:\\work\\kv32\\dati\\kv.sqlite"));
    EXPECT_FALSE(module->ModoAccess());
    dispatch(5001, SuiteFixture::statusLine() + QStringLiteral("|x.mdb"));
    EXPECT_TRUE(module->ModoAccess());
    EXPECT_EQ(module->StringaConnessione(), SuitePaths::defaultAccessConnection());

    // An INI string naming an .mdb file is kept, and sets the Access mode by itself.
    const QString iniAccess = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=Z:\\altro\\kv.MDB");
    suite.writeKv32Ini({QStringLiteral("[DatiServer]"), QStringLiteral("ConnString = ") + iniAccess});
    dispatch(5001);
    EXPECT_TRUE(module->ModoAccess());
    EXPECT_EQ(module->StringaConnessione(), iniAccess);
}

// Fewer than four fields list the fields (see the batch session) or, for the journal, name its query file (see the
// journal's tests); a query file or status file that cannot be read stops the dispatch naming it.
TEST_F(ModuloCommandTest, AQueryOrStatusFileThatCannotBeReadStopsTheDispatchNamingIt)
{
    // The query's one line must end within 64 KiB.
    writeSparse(suite.home().folder().file(QStringLiteral("drives/C/enorme.sql")), "Select", 64 * 1024 + 1);
    const std::pair<qint32, QString> unread[] = {{7510, QStringLiteral("C:\\manca.sql")},
                                                 {7510, QStringLiteral("C:\\enorme.sql")},
                                                 {5001, QStringLiteral("1|2|3|C:\\work\\manca.txt")}};
    for (const auto& [code, line] : unread) {
        const Dispatch stopped = dispatch(code, line);
        EXPECT_EQ(stopped.kind, Dispatch::Kind::Stopped) << line.toStdString();
        EXPECT_TRUE(stopped.text.contains(line.section(QLatin1Char('|'), -1))) << stopped.text.toStdString();
    }
    EXPECT_TRUE(dispatch(7510, QStringLiteral("C:\\enorme.sql")).text.contains(QStringLiteral("64 KiB")));
}
