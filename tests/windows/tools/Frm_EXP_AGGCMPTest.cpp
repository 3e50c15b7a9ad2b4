#include "windows/tools/Frm_EXP_AGGCMP.h"

#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"
#include "launcher/ModuloCommand.h"

#include "support/SuiteFixture.h"
#include "tools/ToolTestSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Frm_EXP_AGGCMPTest : public ::testing::Test {
protected:
    Frm_EXP_AGGCMPTest()
    {
        suite.execFile(QStringLiteral("tools/contacts/tiny-suite.sql"));
        suite.useFilter(QStringLiteral("where [tipo mandato]='NRV'"));
    }

    /// Opens the window as the launcher does, with the end of the program replaced by a flag.
    std::unique_ptr<Frm_EXP_AGGCMP> open(const QString& title)
    {
        module = std::make_unique<ModuloCommand>(clock, title);
        auto window = Frm_EXP_AGGCMP::open(*module, dialogs, dispatchTool(*module, 4999));
        window->setEndProgram([this] { ended = true; });
        return window;
    }
    QString csvPath() { return suite.home().desktop() + QStringLiteral("/CONTATTIKV33.CSV"); }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(9, 0))};
    std::unique_ptr<ModuloCommand> module;
    ScriptedDialogs dialogs;
    bool ended = false;
};

} // namespace

TEST_F(Frm_EXP_AGGCMPTest, UnderTheOutlookTitleTheExportRunsOnceTheLoopRunsAndEndsTheProgram)
{
    auto window = open(QStringLiteral("EXP_OUTLOOK"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
    QTRY_VERIFY(ended);
    EXPECT_TRUE(QFileInfo(csvPath()).isFile());
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblData1"))->text(), QStringLiteral("3/3"));
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(Frm_EXP_AGGCMPTest, UnderTheProgramsOwnTitleTheWindowIsOnlyShown)
{
    auto window = open(QStringLiteral("Exp_Nrv_XML"));
    QTest::qWait(50);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(ended);
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(csvPath()));
}

TEST_F(Frm_EXP_AGGCMPTest, AStoppedExportLeavesTheWindowOpenAndThePointerRestored)
{
    suite.useFilter(QStringLiteral("where contatore=99"));
    auto window = open(QStringLiteral("EXP_OUTLOOK"));
    QTRY_COMPARE(dialogs.messages().size(), 1);
    EXPECT_FALSE(ended);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}
