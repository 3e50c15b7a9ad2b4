#include "cases/FRM_EXP_NRV_XML.h"
#include "launcher/ModuloCommand.h"
#include "launcher/ports/Clock.h"
#include "launcher/ports/Random.h"
#include "launcher/ports/ScriptedDialogs.h"

#include "support/SuiteFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QString StatusLine = QStringLiteral("999|999|prova|C:\\work\\kv32ado\\status.txt");

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        suite.addCases({QStringLiteral("1|ROSSI MARIO|NRV|EESE"), QStringLiteral("2|BIANCHI ANNA|NRV|EECH"),
                        QStringLiteral("3|VERDI LUCA|ALT|EESE")});
        suite.writeStatusFile(
            {QStringLiteral("n=1"), QStringLiteral("f=where [tipo mandato]='NRV' order by contatore")});
    }

    template <typename T> T* child(const char* name) { return window.findChild<T*>(QString::fromLatin1(name)); }

    SuiteFixture suite;
    FixedClock clock{QDateTime(QDate(2011, 6, 10), QTime(14, 5, 9))};
    SequenceRandom random{{0.5}};
    ScriptedDialogs dialogs;
    ModuloCommand module{clock, QStringLiteral("Exp_Nrv_XML")};
    FRM_EXP_NRV_XML window{module, dialogs, clock, random};
};

} // namespace

TEST_F(MainWindowTest, OpensWithTheCasesOfTheFilterAndTheCasePanelShowing)
{
    ASSERT_TRUE(window.Form_Load(StatusLine));
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Esportazione Norvanta XML"));
    EXPECT_EQ(child<QLineEdit>("TxtSql")->text(), QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Pratiche da esportare:2"));

    QListView* list = child<QListView>("List1");
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::UserRole).toInt(), 2);

    EXPECT_TRUE(child<QGroupBox>("FramePratiche")->isVisible());
    EXPECT_EQ(child<QPushButton>("cmdPratiche")->text(), QStringLiteral("Genera Diag.Sh.  con Causali"));
    EXPECT_FALSE(child<QPushButton>("CmdEsporta")->isEnabled());
    EXPECT_FALSE(child<QPushButton>("Command1")->isVisible());
    EXPECT_FALSE(child<QPushButton>("cmdComandi_4")->isVisible());

    QTest::mouseClick(child<QPushButton>("cmdPratiche"), Qt::LeftButton);
    EXPECT_EQ(child<QPushButton>("cmdPratiche")->text(), QStringLiteral("Pratiche"));
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isVisible());
    EXPECT_FALSE(child<QGroupBox>("FramePratiche")->isVisible());
}

TEST_F(MainWindowTest, ReloadingRunsTheSuitesFilterNotWhatWasTyped)
{
    ASSERT_TRUE(window.Form_Load(StatusLine));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QLineEdit* filter = child<QLineEdit>("TxtSql");
    filter->clear();
    QTest::keyClicks(filter, QStringLiteral("where contatore=3"));
    QTest::mouseClick(child<QPushButton>("cmdComandi_6"), Qt::LeftButton);
    EXPECT_EQ(filter->text(), QStringLiteral("where [tipo mandato]='NRV' order by contatore"));
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 2);
    EXPECT_EQ(window.cases().pratiche().absolutePosition(), 1);
}

TEST_F(MainWindowTest, TooFewFieldsShowTheListingAndAnEmptyList)
{
    ASSERT_TRUE(window.Form_Load(QStringLiteral("a|b")));
    EXPECT_EQ(dialogs.messages(), QStringList{QStringLiteral("PAR0=a\r\nPAR1=b\r\n")});
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
    EXPECT_EQ(child<QLineEdit>("TxtSql")->text(), QStringLiteral("Text1"));
    // With no cases loaded the case commands do nothing.
    QTest::mouseClick(child<QPushButton>("cmdComandi_6"), Qt::LeftButton);
    EXPECT_EQ(child<QListView>("List1")->model()->rowCount(), 0);
}

TEST_F(MainWindowTest, AFilterThatFailsEndsTheProgramWithTheDriverText)
{
    suite.writeStatusFile({QStringLiteral("n=1"), QStringLiteral("f=where [non esiste]=1")});
    EXPECT_FALSE(window.Form_Load(StatusLine));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("non esiste")));
}
