#include "tools/consignments/FrmAltriAffidiCF.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ConsignmentsWindowTest : public ::testing::Test, public ConsignmentsFixture {
protected:
    void open()
    {
        window = FrmAltriAffidiCF::open(module, dialogs, dispatchWindow(module, QStringLiteral("FrmAltriAffidiCF")));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QPushButton* button(int index)
    {
        return window->findChild<QPushButton*>(QStringLiteral("CmdElabora_%1").arg(index));
    }
    QStringList listed()
    {
        QStringList lines;
        auto* list = window->findChild<QListWidget*>(QStringLiteral("List1"));
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        return lines;
    }

    std::unique_ptr<FrmAltriAffidiCF> window;
};

} // namespace

TEST_F(ConsignmentsWindowTest, TheButtonsReadStampaInterrompiElaboraLeftToRightAndNothingRunsAtOpening)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("FrmAltriAffidiCF"));
    ASSERT_TRUE(button(0) && button(1) && button(2));
    EXPECT_EQ(button(2)->text(), QStringLiteral("Stampa"));
    EXPECT_EQ(button(1)->text(), QStringLiteral("Interrompi"));
    EXPECT_EQ(button(0)->text(), QStringLiteral("&Elabora"));
    EXPECT_LT(button(2)->x(), button(1)->x());
    EXPECT_LT(button(1)->x(), button(0)->x());
    EXPECT_TRUE(button(0)->isEnabled());
    EXPECT_FALSE(button(1)->isEnabled());
    EXPECT_FALSE(button(2)->isEnabled());
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_F(ConsignmentsWindowTest, ElaboraListsTheHitsAndServesOneRun)
{
    open();
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_EQ(listed(), QStringList({rossiLine(), rossiLine()}));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("7"));
    EXPECT_FALSE(button(0)->isEnabled());
    EXPECT_TRUE(button(1)->isEnabled());
    EXPECT_FALSE(button(2)->isEnabled());
    EXPECT_EQ(dialogs.messages().size(), 1); // the two cases without tax code
}

TEST_F(ConsignmentsWindowTest, AClickOnInterrompiDuringTheRunStopsItAfterTheCaseUnderWay)
{
    open();
    // The click is queued now and handled when the run lets the window process its events, after the first case.
    QTimer::singleShot(0, window.get(), [this] { QTest::mouseClick(button(1), Qt::LeftButton); });
    QTest::mouseClick(button(0), Qt::LeftButton);
    EXPECT_TRUE(window->lookup().stopRequested());
    EXPECT_LT(listed().size(), 2);
    EXPECT_NE(window->windowTitle(), QStringLiteral("7"));
}
