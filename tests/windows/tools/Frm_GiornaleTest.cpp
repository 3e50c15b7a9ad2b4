#include "windows/tools/Frm_Giornale.h"

#include "tools/ToolTestSupport.h"
#include "tools/journal/JournalFixture.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Frm_GiornaleTest : public ::testing::Test, public JournalFixture {
protected:
    template <typename T> T* child(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void open(const QString& query = lotsQuery())
    {
        window = Frm_Giornale::open(module, dialogs, clock, dispatch(query));
        window->setReportOpener([this](const QString& path) { opened.append(path); });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void type(const char* box, const QString& text)
    {
        child<QLineEdit>(box)->clear();
        QTest::keyClicks(child<QLineEdit>(box), text);
    }
    void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    std::unique_ptr<Frm_Giornale> window;
    QStringList opened;
};

} // namespace

TEST_F(Frm_GiornaleTest, OpensWithTheLotsInAFixedPitchListAndElaboraAndStampaRunWhatTheOperatorTyped)
{
    open();
    QListWidget* list = child<QListWidget>("List1");
    EXPECT_EQ(list->count(), 4);
    EXPECT_TRUE(list->item(1)->text().startsWith(QStringLiteral("NRV\tL-2\t10/04/2008")));
    // Every character as wide as any other, so that the lines' columns stand one under the other.
    const QFontMetrics metrics(list->font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiii")), metrics.horizontalAdvance(QStringLiteral("MMMMM")));
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("125"));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("Giornale di prova"));
    EXPECT_FALSE(QGuiApplication::overrideCursor());

    QLineEdit* query = child<QLineEdit>("lblsql");
    EXPECT_TRUE(query->text().endsWith(QStringLiteral(" order by [Data Affido]")));
    query->setText(query->text() + QStringLiteral(" limit 2"));
    click("Command1");
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Stampa Giornale x Lotti. V.1.11 - 2 lotti"));

    // Stampa writes the journal, opens it and saves what the operator typed.
    type("Text1", QStringLiteral("300"));
    type("Text2", QStringLiteral("Giornale di giugno"));
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");
    EXPECT_EQ(opened, QStringList{reportPath()});
    EXPECT_TRUE(QFileInfo(reportPath()).isFile());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Vuoi salvare l'ultimo progressivo [301]?"));
    EXPECT_TRUE(iniBytes().contains("LastProgGiornalexLotto=301\r\nLastMsgGiornalexLotto=Giornale di giugno\r\n"));
    EXPECT_TRUE(iniReadOnly());
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("300"));
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(Frm_GiornaleTest, AQueryThatFailsOpensTheWindowEmptyWithTheCause)
{
    open(QStringLiteral("select nulla"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("nulla")));
    EXPECT_EQ(child<QListWidget>("List1")->count(), 0);
    EXPECT_TRUE(child<QPushButton>("Command1")->isEnabled());
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}
