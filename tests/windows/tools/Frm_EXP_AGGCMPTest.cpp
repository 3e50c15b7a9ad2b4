#include "windows/tools/Frm_EXP_AGGCMP.h"

#include "foundation/ports/Clock.h"
#include "foundation/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"
#include "tools/ToolTestSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

TEST(Frm_EXP_AGGCMP, UnderTheOutlookTitleTheExportRunsOnceAndEndsTheProgramUnlessItStops)
{
    SuiteFixture suite;
    suite.execFile(QStringLiteral("tools/contacts/tiny-suite.sql"));
    const FixedClock clock(QDateTime(QDate(2011, 6, 10), QTime(9, 0)));
    const QString csv = suite.home().desktop() + QStringLiteral("/CONTATTIKV33.CSV");
    const struct {
        const char* title;
        const char* filter;
        bool exported;
        int messages;
    } rows[] = {{"Exp_Nrv_XML", "where [tipo mandato]='NRV'", false, 0},
                {"EXP_OUTLOOK", "where contatore=99", false, 1},
                {"EXP_OUTLOOK", "where [tipo mandato]='NRV'", true, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title + std::string(" ") + row.filter);
        suite.useFilter(QString::fromUtf8(row.filter));
        ScriptedDialogs dialogs;
        bool ended = false;
        ModuloCommand module(clock, QString::fromUtf8(row.title));
        // The end of the program is replaced by a flag.
        auto window = Frm_EXP_AGGCMP::open(module, dialogs, dispatchTool(module, 4999));
        window->setEndProgram([&ended] { ended = true; });
        EXPECT_TRUE(window->isVisible());
        // The export runs from the window's loop, not while the window opens.
        EXPECT_FALSE(QFileInfo::exists(csv));
        if (row.exported)
            QTRY_VERIFY(ended);
        else
            QTRY_COMPARE(dialogs.shown().size(), row.messages);
        QTest::qWait(50);
        EXPECT_EQ(ended, row.exported);
        EXPECT_EQ(QFileInfo::exists(csv), row.exported);
        EXPECT_EQ(dialogs.shown().size(), row.messages);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(QGuiApplication::overrideCursor());
        if (row.exported)
            EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("lblData1"))->text(), QStringLiteral("3/3"));
    }
}
