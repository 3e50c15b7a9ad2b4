#include "tools/journal/JournalText.h"

#include "foundation/db/Currency.h"

#include "support/QtPrinters.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

const QStringList names = {"mandato", "lotto", "data_affido", "pratiche", "totaff", "incassato", "perc"};

Result<QString> line(QVariant c1, QVariant c3, QVariant c4, QVariant c5, QVariant c6)
{
    return JournalText::lotLine({QStringLiteral("NRV"), c1, QDate(2011, 6, 10), c3, c4, c5, c6}, names);
}

QVariant amount(const char* text)
{
    return QVariant::fromValue(*db::Currency::fromText(QString::fromLatin1(text)));
}

} // namespace

TEST(JournalQueryRewrite, OrderByGivesWayToTheConsignmentDateFromItsFirstOccurrence)
{
    // The blank before the old clause stays, so two blanks stand before the new one; only one blank between the
    // words is recognised; everything after the first clause goes.
    expectTexts(JournalText::rewriteOrderBy,
                {{"select * from t where a=1", "select * from t where a=1"},
                 {"select x from t where a=1 order by b desc", "select x from t where a=1  order by [Data Affido]"},
                 {"select x from t ORDER BY b", "select x from t  order by [Data Affido]"},
                 {"select x from t Order By b, c", "select x from t  order by [Data Affido]"},
                 {"select x from t order  by b", "select x from t order  by b"},
                 {"select x from t   order by a order by b", "select x from t    order by [Data Affido]"}});
}

TEST(JournalListLines, CellsAreCutOnTheLeftKeepTheirPlaceWhenEmptyAndAnAmountThatIsNoNumberNamesItsColumn)
{
    // The header cut to ten characters and the numbers right-aligned the Italian way: BatchJournalTest.
    EXPECT_EQ(line(QStringLiteral("L-7"), 123456789, 1234567.891, -5.5, 99.999).value_or(QString()),
              QStringLiteral("NRV\tL-7\t10/06/2011\t\t.456.789\t34.567,89\t    -5,50\t100,00"));
    EXPECT_EQ(JournalText::listCells(JournalText::headerLine(names), true),
              (QStringList{"mandato", "lotto", "data_affid", "pratiche", "totaff", "incassato", "perc"}));
    // An empty text keeps its cell: the columns after it do not move left.
    EXPECT_EQ(JournalText::listCells(line(QString(), 1234, 1234.5, 0.5, 1234.56).value_or(QString()), false),
              (QStringList{"NRV", "", "10/06/2011", "   1.234", " 1.234,50", "     0,50", "234,56"}));
    EXPECT_EQ(line(QString(), 3, 1, 1, QStringLiteral("n.d.")).errorText(),
              QStringLiteral("la colonna 6 (perc) non è un numero: n.d."));
    // Columns 0 to 2 may be empty: they are shown as text.
    EXPECT_TRUE(JournalText::lotLine({QVariant(), QVariant(), QVariant(), 1, 2, 3, 4}, names).ok());
}

TEST(JournalNumbers, RoundingIsOnTheDecimalDigitsHalvesAwayFromZeroAndTheProgressiveIsReadAsTheOldRuntimeDid)
{
    const std::tuple<QVariant, int, std::optional<QString>> formatted[] = {{amount("0.125"), 2, "0,13"},
                                                                           {amount("-0.125"), 2, "-0,13"},
                                                                           {amount("-0.004"), 2, "0,00"},
                                                                           {amount("1234567.8"), 2, "1.234.567,80"},
                                                                           {2.5, 0, "3"},
                                                                           {qlonglong(-1234), 0, "-1.234"},
                                                                           {QStringLiteral("12,5"), 2, "12,50"},
                                                                           {1.0e15, 2, "1.000.000.000.000.000,00"},
                                                                           {QVariant(), 2, std::nullopt},
                                                                           {QDate(2011, 6, 10), 2, std::nullopt}};
    for (const auto& [value, decimals, expected] : formatted)
        EXPECT_EQ(JournalText::formatNumber(value, decimals), expected) << value.toString().toStdString();
    const std::pair<const char*, double> typed[] = {{"125", 125}, {"200abc", 200}, {" 1 2\t3\n", 123}, {"12.5x", 12.5},
                                                    {"1,5", 1},   {"-3", -3},      {"12\r", 12},       {"abc", 0},
                                                    {"", 0},      {"-", 0}};
    for (const auto& [text, value] : typed)
        EXPECT_EQ(JournalText::numericValue(QString::fromLatin1(text)), value) << text;
    EXPECT_EQ(JournalText::numberText(-0.0), QStringLiteral("0"));
}
