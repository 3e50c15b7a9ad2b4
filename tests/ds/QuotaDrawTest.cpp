#include "ds/QuotaDraw.h"
#include "ds/SheetFields.h"
#include "foundation/ports/Random.h"

#include <gtest/gtest.h>

namespace {

QList<Quota> boxes(const QStringList& quotas)
{
    QList<Quota> result;
    for (const QString& quota : quotas)
        result.append(Quota::fromText(quota));
    return result;
}

std::optional<int> drawOnce(int n, QList<Quota>& quotas, int offset, QList<double> randomValues, int* pumps = nullptr)
{
    SequenceRandom random(std::move(randomValues));
    int waited = 0;
    // Past a few refusals the test gives up, as an operator would press "Interrompi".
    const auto stop = [&waited] {
        return waited > 20;
    };
    const std::optional<int> drawn = Inventa(n, quotas, offset, random, stop, [&waited] { ++waited; });
    if (pumps)
        *pumps = waited;
    return drawn;
}

} // namespace

TEST(QuotaDraw, RoundsToTheNearestIndexWithHalvesToTheEvenOne)
{
    QList<Quota> quotas =
        boxes({QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString()});
    EXPECT_EQ(drawOnce(8, quotas, 0, {0.0}), 0);
    EXPECT_EQ(drawOnce(8, quotas, 0, {0.0625}), 0); // 0.5 goes to 0
    EXPECT_EQ(drawOnce(8, quotas, 0, {0.1875}), 2); // 1.5 goes to 2
    EXPECT_EQ(drawOnce(8, quotas, 0, {0.99}), 8);
    // An empty box has no limit; it still counts.
    EXPECT_EQ(quotas.at(0).count, 2);
    EXPECT_EQ(quotas.at(8).count, 1);
}

TEST(QuotaDraw, AFullOrZeroQuotaIsRefusedAndAnOffsetDrawsFromTheLaterBoxes)
{
    QList<Quota> quotas = boxes({QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("2 casi")});
    EXPECT_EQ(drawOnce(2, quotas, 0, {0.0}), 0);
    int pumps = 0;
    // Box 0 is full, box 1 never given: the draw lets the window breathe and takes box 2.
    EXPECT_EQ(drawOnce(2, quotas, 0, {0.0, 0.5, 0.9}, &pumps), 2);
    EXPECT_EQ(pumps, 2);
    EXPECT_EQ(drawOnce(2, quotas, 0, {0.9}), 2);
    EXPECT_EQ(quotas.at(2).count, 2);
    // Every quota used up: only a stop ends the draw, and it changes nothing.
    EXPECT_EQ(drawOnce(2, quotas, 0, {0.0, 0.5, 0.9}), std::nullopt);
    EXPECT_EQ(quotas.at(0).count, 1);
    EXPECT_EQ(quotas.at(1).count, 0);
    // An offset draws from the later boxes and gives the index within them.
    QList<Quota> later = boxes({QStringLiteral("5"), QStringLiteral("5"), QString(), QString(), QString(), QString()});
    EXPECT_EQ(drawOnce(3, later, 2, {0.0}), 0);
    EXPECT_EQ(drawOnce(3, later, 2, {0.99}), 3);
    EXPECT_EQ(later.at(2).count, 1);
    EXPECT_EQ(later.at(5).count, 1);
    EXPECT_EQ(later.at(0).count, 0);
    // A quota is the number its text starts with, a part of a case counting as a whole one.
    EXPECT_EQ(Quota::fromText(QStringLiteral("  12abc")).limit, 12);
    EXPECT_EQ(Quota::fromText(QStringLiteral("abc")).limit, 0);
    EXPECT_EQ(Quota::fromText(QStringLiteral("1.5")).limit, 2);
    EXPECT_EQ(Quota::fromText(QStringLiteral("-3")).limit, 0);
}

TEST(QuotaDraw, TheImprovementDateFallsInTheDrawnMonthAndTheReasonComesFromTheDischargeCode)
{
    const QDate today(2011, 11, 30);
    SequenceRandom first({0.0});
    EXPECT_EQ(improvementDate(0, today, first), QDate(2011, 12, 1));
    SequenceRandom last({0.99999});
    EXPECT_EQ(improvementDate(1, today, last), QDate(2012, 2, 27));
    SequenceRandom middle({0.5});
    EXPECT_EQ(improvementDate(2, today, middle), QDate(2012, 5, 14));
    EXPECT_EQ(improvementDate(3, today, middle), QDate(2012, 11, 14));
    // The reason comes from the discharge code's first letter.
    const QStringList items = SheetFields::motivoImpagatoItems();
    EXPECT_EQ(AdattaCodiceScarico(QStringLiteral("A"), items), 0);
    EXPECT_EQ(AdattaCodiceScarico(QStringLiteral("c"), items), 2);
    EXPECT_EQ(AdattaCodiceScarico(QStringLiteral("I"), items), 8);
    EXPECT_EQ(AdattaCodiceScarico(QStringLiteral("J"), items), -1);
    EXPECT_EQ(AdattaCodiceScarico(QStringLiteral("AB"), items), -1);
    EXPECT_EQ(AdattaCodiceScarico(QString(), items), -1);
}
