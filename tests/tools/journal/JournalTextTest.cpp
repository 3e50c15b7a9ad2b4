#include "tools/journal/JournalText.h"

#include "foundation/db/Currency.h"

#include "support/QtPrinters.h"

#include <QDate>

#include <gtest/gtest.h>

namespace {

QVariantList lot(QVariant c3, QVariant c4, QVariant c5, QVariant c6)
{
    return {QStringLiteral("NRV"), QStringLiteral("L-7"), QDate(2011, 6, 10), c3, c4, c5, c6};
}

const QStringList names = {"mandato", "lotto", "data_affido", "pratiche", "totaff", "incassato", "perc"};

QString line(QVariant c3, QVariant c4, QVariant c5, QVariant c6)
{
    const Result<QString> text = JournalText::lotLine(lot(c3, c4, c5, c6), names);
    EXPECT_TRUE(text.ok()) << text.errorText().toStdString();
    return text.value_or(QString());
}

QString amount(const char* text)
{
    return JournalText::formatNumber(QVariant::fromValue(*db::Currency::fromText(QString::fromLatin1(text))), 2)
        .value_or(QStringLiteral("<none>"));
}

} // namespace

TEST(JournalQueryRewrite, OrderByGivesWayToTheConsignmentDateFromItsFirstOccurrence)
{
    // The blank before the old clause stays, so two blanks stand before the new one; only one blank between the
    // words is recognised; everything after the first clause goes.
    const TextCases cases = {
        {"select * from t where a=1", "select * from t where a=1"},
        {"select x from t where a=1 order by b desc", "select x from t where a=1  order by [Data Affido]"},
        {"select x from t ORDER BY b", "select x from t  order by [Data Affido]"},
        {"select x from t Order By b, c", "select x from t  order by [Data Affido]"},
        {"select x from t order  by b", "select x from t order  by b"},
        {"select x from t   order by a order by b", "select x from t    order by [Data Affido]"}};
    expectTexts(JournalText::rewriteOrderBy, cases);
}

TEST(JournalListLines, ACellTooWideForItsColumnIsCutOnTheLeft)
{
    // The header cut to ten characters and the numbers right-aligned the Italian way: BatchJournalTest.
    // A cell too wide for its column loses its leftmost characters.
    EXPECT_EQ(line(123456789, 1234567.891, -5.5, 99.999),
              QStringLiteral("NRV\tL-7\t10/06/2011\t\t.456.789\t34.567,89\t    -5,50\t100,00"));
}

TEST(JournalListLines, ANonNumericAmountNamesItsColumn)
{
    // An empty one is named too (BatchJournalTest).
    const Result<QString> text = JournalText::lotLine(lot(3, 1, 1, QStringLiteral("n.d.")), names);
    ASSERT_FALSE(text.ok());
    EXPECT_EQ(text.errorText(), QStringLiteral("la colonna 6 (perc) non è un numero: n.d."));
    // Columns 0 to 2 may be empty: they are shown as text.
    EXPECT_TRUE(JournalText::lotLine({QVariant(), QVariant(), QVariant(), 1, 2, 3, 4}, names).ok());
}

TEST(JournalListLines, EachHeadingAndItsValuesAreTheSameCellOfTheirLines)
{
    EXPECT_EQ(JournalText::listCells(JournalText::headerLine(names), true),
              (QStringList{"mandato", "lotto", "data_affid", "pratiche", "totaff", "incassato", "perc"}));
    EXPECT_EQ(JournalText::listCells(line(1234, 1234.5, 0.5, 1234.56), false),
              (QStringList{"NRV", "L-7", "10/06/2011", "   1.234", " 1.234,50", "     0,50", "234,56"}));
    // An empty text keeps its cell: the columns after it do not move left.
    QVariantList withoutLot = lot(1, 2, 3, 4);
    withoutLot[1] = QString();
    EXPECT_EQ(JournalText::listCells(*JournalText::lotLine(withoutLot, names), false).mid(1, 3),
              (QStringList{"", "10/06/2011", "       1"}));
}

TEST(JournalNumbers, RoundingIsOnTheDecimalDigitsHalvesAwayFromZeroAndTheProgressiveIsReadAsTheOldRuntimeDid)
{
    EXPECT_EQ(amount("0.125"), QStringLiteral("0,13"));
    EXPECT_EQ(amount("-0.125"), QStringLiteral("-0,13"));
    EXPECT_EQ(amount("-0.004"), QStringLiteral("0,00"));
    EXPECT_EQ(amount("1234567.8"), QStringLiteral("1.234.567,80"));
    EXPECT_EQ(JournalText::formatNumber(2.5, 0), QStringLiteral("3"));
    EXPECT_EQ(JournalText::formatNumber(qlonglong(-1234), 0), QStringLiteral("-1.234"));
    EXPECT_EQ(JournalText::formatNumber(QStringLiteral("12,5"), 2), QStringLiteral("12,50"));
    EXPECT_EQ(JournalText::formatNumber(1.0e15, 2), QStringLiteral("1.000.000.000.000.000,00"));
    EXPECT_FALSE(JournalText::formatNumber(QVariant(), 2).has_value());
    EXPECT_FALSE(JournalText::formatNumber(QDate(2011, 6, 10), 2).has_value());
    // The typed progressive is read as the old runtime reads a number.
    const std::pair<const char*, double> cases[] = {{"125", 125}, {"200abc", 200}, {" 1 2\t3\n", 123}, {"12.5x", 12.5},
                                                    {"1,5", 1},   {"-3", -3},      {"12\r", 12},       {"abc", 0},
                                                    {"", 0},      {"-", 0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(JournalText::numericValue(QString::fromLatin1(text)), value) << text;
    EXPECT_EQ(JournalText::numberText(136), QStringLiteral("136"));
    EXPECT_EQ(JournalText::numberText(12.5), QStringLiteral("12.5"));
    EXPECT_EQ(JournalText::numberText(-0.0), QStringLiteral("0"));
}
