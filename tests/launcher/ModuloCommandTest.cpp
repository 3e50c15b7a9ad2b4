#include "launcher/ModuloCommand.h"

#include "foundation/SuitePaths.h"
#include "foundation/ports/Clock.h"

#include "support/SuiteFixture.h"

namespace {

class ModuloCommandTest : public ::testing::Test {
protected:
    ModuloCommandTest()
    {
        suite.writeStatusFile({QStringLiteral("n=12"), QStringLiteral("f=where x=1"), QStringLiteral("t=tre")});
    }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    const QString line = SuiteFixture::statusLine();
};

} // namespace

TEST_F(ModuloCommandTest, EachToolByCodeOrNameReachesItsWindowWithTheStatusFileValues)
{
    // Code or name, the window, whether its start routine runs, and the journal's query. With four fields even 7510
    // is "another code": a window of the family with nothing of its own.
    const std::tuple<const char*, ToolWindow, bool, const char*> rows[] = {
        {"5001", ToolWindow::Main, true, ""},
        {"frm_exp_nrv_xml", ToolWindow::Main, true, ""},
        {"4999", ToolWindow::ContactsExport, false, ""},
        {"Frm_EXP_AGGCMP", ToolWindow::ContactsExport, false, ""},
        {"FrmAltriAffidiCF", ToolWindow::OtherConsignments, false, ""},
        {"FRM_GIORNALE", ToolWindow::Journal, true, "where x=1"},
        {"7510", ToolWindow::EmptyForm, false, ""},
    };
    for (const auto& [asked, window, runInizia, sqlLotti] : rows) {
        const Dispatch result =
            module.EseguiComando(ToolRequest::parse(QString::fromLatin1(asked)).value_or(ToolRequest{0, {}}), line);
        EXPECT_EQ(std::tuple(result.kind, result.window, result.runInizia, result.sqlLotti, result.params.ParContatore,
                             result.params.ParFiltro),
                  std::tuple(Dispatch::Kind::OpenWindow, window, runInizia, QString::fromLatin1(sqlLotti), 12,
                             QStringLiteral("where x=1")))
            << asked;
    }
    // Any other code opened the lookup only on the day it was tried out.
    clock.set(QDateTime(QDate(2008, 4, 10), QTime(9, 0)));
    EXPECT_EQ(module.EseguiComando({1234, {}}, line).window, ToolWindow::OtherConsignments);
}

// The connection of the INI file is the one every suite of the tests uses; a fifth field naming an .mdb file asks for
// the Access database (an INI string naming one sets the Access mode: see the case list).
TEST_F(ModuloCommandTest, AnAccessDatabaseOnTheLineIsTheDefaultAccessConnection)
{
    module.EseguiComando({5001, {}}, line + QStringLiteral("|x.mdb"));
    EXPECT_EQ(std::pair(module.StringaConnessione(), module.ModoAccess()),
              std::pair(SuitePaths::defaultAccessConnection(), true));
}

// Fewer than four fields list the fields (see the batch session) or, for the journal, name its query file (see the
// journal's tests); a status file that cannot be read stops the batch session naming it (see there).
TEST_F(ModuloCommandTest, AQueryFileThatCannotBeReadOrWhoseLineEndsBeyond64KiBStopsTheDispatchNamingIt)
{
    writeSparse(suite.home().folder().file(QStringLiteral("drives/C/enorme.sql")), "Select", 64 * 1024 + 1);
    for (const QString& file : {QStringLiteral("C:\\manca.sql"), QStringLiteral("C:\\enorme.sql")}) {
        const Dispatch stopped = module.EseguiComando({7510, {}}, file);
        EXPECT_EQ(stopped.kind, Dispatch::Kind::Stopped) << file.toStdString();
        EXPECT_TRUE(stopped.text.contains(file)) << stopped.text.toStdString();
    }
    EXPECT_TRUE(
        module.EseguiComando({7510, {}}, QStringLiteral("C:\\enorme.sql")).text.contains(QStringLiteral("64 KiB")));
}
