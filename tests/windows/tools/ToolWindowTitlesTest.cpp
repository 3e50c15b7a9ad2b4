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

TEST(ToolWindowTitles, NameTheDatabaseWithoutItsPassword)
{
    const QString secret = QStringLiteral("S3greta!");
    // The suite's SQLite database named with a password as each kind of connection string spells it (SQLite ignores
    // it, so the database still opens).
    const QString database = QStringLiteral("connstring=Provider=SQLite;Data Source=") + SuiteFixture::databasePath();
    for (const QString& connection : {database + QStringLiteral(";User ID=op;Password=") + secret,
                                      database + QStringLiteral(";PWD={") + secret + QStringLiteral(";x}"),
                                      database + QStringLiteral(";Jet OLEDB:Database Password=") + secret}) {
        SCOPED_TRACE(connection.toStdString());
        // Every title a window shows, however briefly.
        QStringList titles;
        JournalFixture journal;
        journal.suite.writeKv32Ini({QStringLiteral("[datiserver]"), connection});
        Frm_Giornale giornale(journal.module, journal.dialogs, journal.clock);
        QObject::connect(&giornale, &QWidget::windowTitleChanged, [&titles](const QString& t) { titles.append(t); });
        giornale.show();
        giornale.Form_Load(journal.dispatch().sqlLotti);

        ConsignmentsFixture lookup;
        lookup.suite.writeKv32Ini({QStringLiteral("[datiserver]"), connection});
        auto window = FrmAltriAffidiCF::open(lookup.module, lookup.dialogs, dispatchLookup(lookup.module));
        QObject::connect(window.get(), &QWidget::windowTitleChanged, [&titles](const QString& t) { titles.append(t); });
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("CmdElabora_0")), Qt::LeftButton);
        // Both windows opened the database and ran.
        EXPECT_EQ(std::pair(giornale.windowTitle(), window->findChild<QListWidget*>(QStringLiteral("List1"))->count()),
                  std::pair(QStringLiteral("Stampa Giornale x Lotti. V.1.11 - 3 lotti"), 2));
        EXPECT_EQ(titles.filter(QStringLiteral("Apro conn Provider=SQLite;")).size(), 2)
            << titles.join('\n').toStdString();
        EXPECT_EQ(titles.filter(secret), QStringList());
    }
}
