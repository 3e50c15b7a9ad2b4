// The journal's lines beyond what the batch journal's print shows (BatchJournalTest).
#include "tools/journal/JournalReport.h"

#include "foundation/db/Currency.h"

#include <gtest/gtest.h>

TEST(JournalReportLines, AFractionalStartEmptyValuesAndASumBeyondTheCurrencyPrintAsTheyAre)
{
    const QVariant large = QVariant::fromValue(db::Currency::fromUnits(9000000000000000000));
    const JournalReport report(12.5, QString(), QDate(2011, 6, 10),
                               {{QStringLiteral("NRV"), QDate(2011, 1, 1), 1, large},
                                {QStringLiteral("NRV"), QVariant(), QVariant(), large},
                                {QStringLiteral("NRV"), QVariant(), QVariant(), QVariant()}});
    const JournalReport::Line second = report.lines().at(1);
    // The sum is still the sum, never one wrapped round into a negative amount.
    EXPECT_EQ(QStringList({second.progressivo, second.dataAffido, second.pratiche, second.totale,
                           QString::number(report.lastProgressive()), report.totals().totale}),
              QStringList({"13.5", "", "", "900.000.000.000.000,00", "14.5", "1.800.000.000.000.000,00"}));
}
