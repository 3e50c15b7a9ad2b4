// The journal's lines beyond what the batch journal's print shows (BatchJournalTest).
#include "tools/journal/JournalReport.h"

#include "foundation/db/Currency.h"

#include <gtest/gtest.h>

TEST(JournalReportLines, AFractionalStartEmptyValuesAndASumBeyondTheCurrencyPrintAsTheyAre)
{
    const auto lot = [](QVariant dataAffido, QVariant pratiche, QVariant totale) {
        return JournalReport::Lot{QStringLiteral("NRV"), dataAffido, pratiche, totale};
    };
    const QVariant large = QVariant::fromValue(db::Currency::fromUnits(9000000000000000000));
    const JournalReport report(12.5, QString(), QDate(2011, 6, 10),
                               {lot(QDate(2011, 1, 1), 1, large), lot(QVariant(), QVariant(), large)});
    EXPECT_EQ(report.lines().at(1).progressivo, QStringLiteral("13.5"));
    EXPECT_EQ(report.lastProgressive(), 13.5);
    EXPECT_EQ(report.lines().at(1).dataAffido, QString());
    EXPECT_EQ(report.lines().at(1).pratiche, QString());
    // The sum is still the sum, never one wrapped round into a negative amount.
    EXPECT_EQ(report.totals().totale, QStringLiteral("1.800.000.000.000.000,00"));
    EXPECT_EQ(
        JournalReport(1, QString(), QDate(2011, 6, 10), {lot(QVariant(), QVariant(), QVariant())}).totals().totale,
        QStringLiteral("0,00"));
}
