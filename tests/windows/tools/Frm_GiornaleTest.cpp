// The journal's window: what it reads from its controls and shows; the load and the print are BatchJournalTest's.
#include "windows/tools/Frm_Giornale.h"

#include "tools/journal/JournalFixture.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class Frm_GiornaleTest : public ::testing::Test, public JournalFixture {
protected:
    template <typename T> T* child(const char* name) { return window->findChild<T*>(QString::fromLatin1(name)); }
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

TEST_F(Frm_GiornaleTest, OpensWithTheCauseOrTheLotsInAFixedPitchListAndElaboraAndStampaRunWhatTheOperatorTyped)
{
    // A query that fails opens the window empty, ready for another.
    open(QStringLiteral("select nulla"));
    EXPECT_TRUE(dialogs.messages().value(0).contains(QStringLiteral("nulla")));
    QListWidget* list = child<QListWidget>("List1");
    EXPECT_EQ(std::tuple(list->count(), child<QPushButton>("Command1")->isEnabled(), child<QLineEdit>("Text1")->text(),
                         child<QLineEdit>("Text2")->text(), bool(QGuiApplication::overrideCursor())),
              std::tuple(0, true, QStringLiteral("125"), QStringLiteral("Giornale di prova"), false));

    // Elabora runs the query as the operator edited it.
    child<QLineEdit>("lblsql")->setText(lotsQuery() + QStringLiteral(" limit 2"));
    click("Command1");
    EXPECT_EQ(std::pair(list->count(), window->windowTitle()),
              std::pair(3, QStringLiteral("Stampa Giornale x Lotti. V.1.11 - 2 lotti")));
    // Every character as wide as any other, so that the lines' columns stand one under the other.
    const QFontMetrics metrics(list->font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiiii")), metrics.horizontalAdvance(QStringLiteral("MMMMM")));

    // Stampa writes the journal, opens it and saves what the operator typed.
    type("Text1", QStringLiteral("300"));
    type("Text2", QStringLiteral("Giornale di giugno"));
    dialogs.clear();
    dialogs.answerQuestion(Dialogs::Answer::Yes);
    click("Command2");
    EXPECT_EQ(opened, QStringList{reportPath()});
    EXPECT_EQ(dialogs.shown().value(0).text, QStringLiteral("Vuoi salvare l'ultimo progressivo [301]?"));
    EXPECT_TRUE(iniBytes().contains("LastProgGiornalexLotto=301\r\nLastMsgGiornalexLotto=Giornale di giugno\r\n"));
    EXPECT_FALSE(QGuiApplication::overrideCursor());
}
