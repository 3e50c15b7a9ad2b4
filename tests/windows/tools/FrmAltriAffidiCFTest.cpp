// The lookup's window: its buttons, and Interrompi heard while a run is under way; the run is OtherConsignmentsTest's.
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
    EXPECT_TRUE(button(2)->x() < button(1)->x() && button(1)->x() < button(0)->x());
    EXPECT_EQ(std::tuple(button(0)->isEnabled(), button(1)->isEnabled(), list->count(), lookup.dialogs.shown().size()),
              std::tuple(true, false, 0, qsizetype(0)));

    // The click is queued now and handled when the run lets the window process its events, before the first hit.
    QTimer::singleShot(0, window.get(), [&] { QTest::mouseClick(button(1), Qt::LeftButton); });
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_EQ(std::tuple(list->count(), button(0)->isEnabled()), std::tuple(0, false));
    EXPECT_TRUE(window->findChild<QLabel*>(QStringLiteral("lblStatus"))
                    ->text()
                    .startsWith(QStringLiteral("Elaborazione interrotta: ")));
}
