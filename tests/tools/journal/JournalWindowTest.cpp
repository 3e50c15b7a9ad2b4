#include "tools/journal/Frm_Giornale.h"

#include "tools/journal/JournalFixture.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class JournalWindowTest : public ::testing::Test, public JournalFixture {
protected:
    template <typename T> T* child(const char* name)
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(found) << name;
        return found;
    }
    void open()
    {
        window = Frm_Giornale::open(module, dialogs, clock, dispatch());
        window->setReportOpener([this](const QString& path) { opened.append(path); });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QStringList listed()
    {
        QStringList lines;
        QListWidget* list = child<QListWidget>("List1");
        for (int row = 0; row < list->count(); ++row)
            lines.append(list->item(row)->text());
        return lines;
    }

    std::unique_ptr<Frm_Giornale> window;
    QStringList opened;
};

} // namespace

TEST_F(JournalWindowTest, OpensWithTheLotsInAFixedPitchListAndTheNextProgressive)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Stampa Giornale x Lotti. V.1.11 - 3 lotti"));
    EXPECT_EQ(listed().size(), 4);
    EXPECT_TRUE(listed().at(1).startsWith(QStringLiteral("NRV\tL-2\t10/04/2008")));
    // Every character as wide as any other, so that the lines' columns stand one under the other.
    const QFontMetrics metrics(child<QListWidget>("List1")->font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiii")), metrics.horizontalAdvance(QStringLiteral("MMMMM")));
    EXPECT_EQ(child<QLabel>("Label3")->text(), QStringLiteral("Prossimo Progressivo"));
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("125"));
    EXPECT_EQ(child<QLineEdit>("Text2")->text(), QStringLiteral("Giornale di prova"));
    EXPECT_TRUE(child<QLineEdit>("lblsql")->text().endsWith(QStringLiteral(" order by [Data Affido]")));
    EXPECT_TRUE(child<QPushButton>("Command1")->isEnabled());
    EXPECT_TRUE(child<QPushButton>("Command2")->isVisible());
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(JournalWindowTest, ElaboraRunsWhatTheOperatorTyped)
{
    open();
    QLineEdit* query = child<QLineEdit>("lblsql");
    query->setText(query->text() + QStringLiteral(" limit 2"));
    QTest::mouseClick(child<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(listed().size(), 3);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Stampa Giornale x Lotti. V.1.11 - 2 lotti"));
}

TEST_F(JournalWindowTest, StampaWritesTheJournalOpensItAndSavesWhatTheOperatorTyped)
{
    open();
    QLineEdit* next = child<QLineEdit>("Text1");
    next->clear();
    QTest::keyClicks(next, QStringLiteral("300"));
    QLineEdit* message = child<QLineEdit>("Text2");
    message->clear();
    QTest::keyClicks(message, QStringLiteral("Giornale di giugno"));
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    QTest::mouseClick(child<QPushButton>("Command2"), Qt::LeftButton);

    EXPECT_EQ(opened, QStringList{reportPath()});
    EXPECT_TRUE(QFileInfo(reportPath()).isFile());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().text, QStringLiteral("Vuoi salvare l'ultimo progressivo [302]?"));
    EXPECT_TRUE(iniBytes().contains("LastProgGiornalexLotto=302\r\n"));
    EXPECT_TRUE(iniBytes().contains("LastMsgGiornalexLotto=Giornale di giugno\r\n"));
    EXPECT_TRUE(iniReadOnly());
    EXPECT_TRUE(child<QPushButton>("Command2")->isVisible());
    EXPECT_EQ(next->text(), QStringLiteral("300"));
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}

TEST_F(JournalWindowTest, AQueryThatFailsOpensTheWindowEmptyWithTheCause)
{
    window = Frm_Giornale::open(module, dialogs, clock, dispatch(QStringLiteral("select nulla")));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages().first().contains(QStringLiteral("nulla")))
        << dialogs.messages().first().toStdString();
    EXPECT_EQ(listed().size(), 0);
    EXPECT_TRUE(child<QPushButton>("Command1")->isEnabled());
    EXPECT_EQ(child<QLineEdit>("Text1")->text(), QStringLiteral("125"));
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}
