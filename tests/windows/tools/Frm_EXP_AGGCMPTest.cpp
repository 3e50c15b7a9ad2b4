// The contacts export's window: the export runs from its loop once it shows, and the program ends only on success.
#include "windows/tools/Frm_EXP_AGGCMP.h"

#include "tools/ToolTestSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(Frm_EXP_AGGCMP, TheExportRunsFromTheWindowsLoopAndEndsTheProgramUnlessItStops)
{
    SuiteFixture suite;
    suite.execFile(QStringLiteral("tools/contacts/tiny-suite.sql"));
    const FixedClock clock(QDateTime(QDate(2011, 6, 10), QTime(9, 0)));
    const QString csv = suite.home().desktop() + QStringLiteral("/CONTATTIKV33.CSV");
    for (const bool exported : {false, true}) {
        SCOPED_TRACE(exported);
        suite.useFilter(exported ? QStringLiteral("where [tipo mandato]='NRV'") : QStringLiteral("where contatore=99"));
        ScriptedDialogs dialogs;
        bool ended = false;
        ModuloCommand module(clock, QStringLiteral("EXP_OUTLOOK"));
        auto window = Frm_EXP_AGGCMP::open(module, dialogs, dispatchTool(module, 4999));
        // The end of the program is replaced by a flag.
        window->setEndProgram([&ended] { ended = true; });
        EXPECT_FALSE(QFileInfo::exists(csv));
        QTRY_COMPARE(dialogs.shown().size(), 1);
        QTest::qWait(50);
        EXPECT_EQ(
            std::tuple(ended, QFileInfo::exists(csv), window->isVisible(), bool(QGuiApplication::overrideCursor())),
            std::tuple(exported, exported, true, false));
        if (exported) {
            EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblData1"))->text(), QStringLiteral("3/3"));
        }
    }
}
