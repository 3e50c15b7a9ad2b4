// The titles of the tool windows name the database they open without its password.
#include "windows/tools/FrmAltriAffidiCF.h"
#include "windows/tools/Frm_Giornale.h"

#include "tools/ToolTestSupport.h"
#include "tools/consignments/ConsignmentsFixture.h"
#include "tools/journal/JournalFixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

/// Keeps every title a window shows, however briefly, in `titles`, which outlives the window.
void recordTitles(QWidget* window, QStringList& titles)
{
    QObject::connect(window, &QWidget::windowTitleChanged, window,
                     [&titles](const QString& title) { titles.append(title); });
}

} // namespace

TEST(ToolWindowTitles, NameTheDatabaseWithoutItsPassword)
{
    const QString secret = QStringLiteral("S3greta!");
    // The suite's SQLite database named with a password as each kind of connection string spells it (SQLite ignores
    // it, so the database still opens).
    const QString database = QStringLiteral("connstring=Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    const QStringList connections = {database + QStringLiteral(";User ID=op;Password=") + secret,
                                     database + QStringLiteral(";PWD={") + secret + QStringLiteral(";x}"),
                                     database + QStringLiteral(";Jet OLEDB:Database Password=") + secret};
    for (const QString& connection : connections) {
        SCOPED_TRACE(connection.toStdString());
        QStringList journalTitles;
        QStringList lookupTitles;
        JournalFixture journal;
        journal.suite.writeKv32Ini({QStringLiteral("[datiserver]"), connection});
        Frm_Giornale giornale(journal.module, journal.dialogs, journal.clock);
        recordTitles(&giornale, journalTitles);
        giornale.show();
        giornale.Form_Load(journal.dispatch().sqlLotti);
        EXPECT_EQ(journalTitles.last(), QStringLiteral("Stampa Giornale x Lotti. V.1.11 - 3 lotti"));

        ConsignmentsFixture lookup;
        lookup.suite.writeKv32Ini({QStringLiteral("[datiserver]"), connection});
        auto window = FrmAltriAffidiCF::open(lookup.module, lookup.dialogs, dispatchLookup(lookup.module));
        recordTitles(window.get(), lookupTitles);
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CmdElabora_0")), Qt::LeftButton);
        EXPECT_EQ(window->findChild<QListWidget*>(QStringLiteral("List1"))->count(), 2);

        for (const QStringList& titles : {journalTitles, lookupTitles}) {
            EXPECT_TRUE(titles.value(0).startsWith(QStringLiteral("Apro conn Provider=SQLite;")))
                << titles.value(0).toStdString();
            EXPECT_FALSE(titles.join(QLatin1Char('\n')).contains(secret)) << titles.value(0).toStdString();
        }
    }
}
