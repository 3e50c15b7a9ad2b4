#include "windows/tools/FrmAltriAffidiCF.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(FrmAltriAffidiCF, NothingRunsAtOpeningAndInterrompiStopsARunAfterTheCaseUnderWay)
{
    ConsignmentsFixture lookup;
    auto window = FrmAltriAffidiCF::open(lookup.module, lookup.dialogs, dispatchLookup(lookup.module));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const auto button = [&](int index) {
        return window->findChild<QPushButton*>(QStringLiteral("CmdElabora_%1").arg(index));
    };
    auto* list = window->findChild<QListWidget*>(QStringLiteral("List1"));
    // Stampa, Interrompi, Elabora from left to right; only Elabora is enabled.
    EXPECT_LT(button(2)->x(), button(1)->x());
    EXPECT_LT(button(1)->x(), button(0)->x());
    EXPECT_TRUE(button(0)->isEnabled());
    EXPECT_FALSE(button(1)->isEnabled());
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(lookup.dialogs.shown().isEmpty());

    // The click is queued now and handled when the run lets the window process its events, after the first case.
    QTimer::singleShot(0, window.get(), [&] { QTest::mouseClick(button(1), Qt::LeftButton); });
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_TRUE(window->lookup().stopRequested());
    EXPECT_LT(list->count(), 2);
    EXPECT_NE(window->windowTitle(), QStringLiteral("7"));
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblStatus"))
                    ->text()
                    .startsWith(QStringLiteral("Elaborazione interrotta: ")));
}
