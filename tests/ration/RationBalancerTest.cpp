#include "ration/RationBalancer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Keys as the shipped nutrient table has them.
constexpr int Kcal = 60, Protein = 24, Calcium = 1, Phosphorus = 15, Zinc = 20, VitaminA = 2, CaP = 42;

BalanceFeed feed(const QString& name, QHash<int, double> content, double grams = 0.0, bool supplement = false)
{
    BalanceFeed f;
    f.key = name;
    f.name = name;
    f.grams = grams;
    f.supplement = supplement;
    f.content = std::move(content);
    return f;
}

// A 1000 kcal dog: meat, rice and a calcium supplement; the minimums of
// protein, calcium, phosphorus and zinc; Ca : P at most 2 : 1.
BalanceInput dog()
{
    BalanceInput input;
    input.feeds = {
        feed("meat", {{Kcal, 120}, {Protein, 22}, {Calcium, 0.01}, {Phosphorus, 0.2}, {Zinc, 1.5}}),
        feed("rice", {{Kcal, 130}, {Protein, 2.7}, {Calcium, 0.01}, {Phosphorus, 0.04}, {Zinc, 0.5}}),
        feed("chalk", {{Calcium, 40}}, 0.0, true)};
    input.nutrients = {{Kcal, "ME kcal", 1000, true}, {Protein, "RP", 45, true},
                       {Calcium, "Ca", 1.0, true},    {Phosphorus, "P", 0.75, true},
                       {Zinc, "Zn", 7.2, true},       {VitaminA, "Vit. A", 0, false}};
    input.maxima = {{CaP, 2.0, NutrientMaximum::Basis::Ratio, "FEDIAF"},
                    {VitaminA, 100000, NutrientMaximum::Basis::PerThousandKcal, "FEDIAF"}};
    input.indicatorNames = {{CaP, "Ca:P"}};
    return input;
}

double supply(const BalanceInput& input, const BalanceResult& result, int key)
{
    double sum = 0.0;
    for (size_t f = 0; f < input.feeds.size(); ++f)
        sum += input.feeds[f].content.value(key) * result.grams[f] / 100.0;
    return sum;
}

QStringList names(const std::vector<BalanceGap>& gaps)
{
    QStringList list;
    for (const BalanceGap& gap : gaps)
        list << gap.name;
    return list;
}

} // namespace

TEST(RationBalancerTest, FeasibleRationMeetsEnergyEveryMinimumAndTheRatio)
{
    BalanceInput input = dog();
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_NEAR(supply(input, result, Kcal), 1000.0, 20.0);
    for (const BalanceNutrient& n : input.nutrients)
        EXPECT_GE(supply(input, result, n.key), n.requirement) << n.name.toStdString();
    EXPECT_LE(supply(input, result, Calcium) / supply(input, result, Phosphorus), 2.0);
    EXPECT_TRUE(result.shortfalls.empty());
    EXPECT_TRUE(result.excesses.empty());
    EXPECT_TRUE(result.supplements.empty());
    // The supplement, started at nothing, is taken only as far as calcium
    // needs it: its 2.5 g, less what meat and rice bring.
    EXPECT_GT(result.grams[2], 0.0);
    EXPECT_LT(result.grams[2], 2.5);
}

TEST(RationBalancerTest, TypedProportionsAreKeptWhereTheLimitsAllow)
{
    BalanceInput input = dog();
    input.feeds[0].grams = 150; // meat : rice as 1 : 1, energy far too low
    input.feeds[1].grams = 150;
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_NEAR(result.grams[1] / result.grams[0], 1.0, 0.01);
    EXPECT_GT(result.grams[0], 300.0);
    EXPECT_NEAR(supply(input, result, Kcal), 1000.0, 20.0);
}

TEST(RationBalancerTest, InfeasibleRationNamesWhatStaysShortOrOverAndAHint)
{
    BalanceInput input = dog();
    input.feeds[2].content.remove(Calcium);                                      // nothing brings calcium now
    input.feeds.push_back(feed("liver", {{Kcal, 135}, {VitaminA, 50000}}, 300)); // 150000 IU
    input.feeds.back().locked = true;
    input.supplements = {feed("dicalcium", {{Calcium, 23}, {Phosphorus, 18}}, 0, true),
                         feed("carbonate", {{Calcium, 40}}, 0, true),
                         feed("sugar", {{Kcal, 400}, {Calcium, 0.01}}, 0, true)};
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_EQ(names(result.shortfalls), QStringList{"Ca"});
    EXPECT_EQ(names(result.excesses), QStringList{"Vit. A"});
    // 150000 IU against 100000 IU per 1000 kcal, at the 1000 kcal required.
    EXPECT_NEAR(result.excesses[0].percent, 150.0, 0.01);
    // Energy is met all the same, with the liver's 405 kcal as locked.
    EXPECT_NEAR(supply(input, result, Kcal), 1000.0, 20.0);
    EXPECT_EQ(result.grams[3], 300.0);
    // Carbonate closes the gap with the fewest grams, dicalcium phosphate
    // with more; sugar would bring more energy than a supplement may.
    ASSERT_FALSE(result.supplements.empty());
    EXPECT_EQ(result.supplements[0].feedKey, "carbonate");
    const double missing = 1.0 - supply(input, result, Calcium);
    EXPECT_GE(result.supplements[0].grams * 0.4, missing);
    EXPECT_LT(result.supplements[0].grams * 0.4, missing + 0.05);
    for (const SupplementHint& hint : result.supplements)
        EXPECT_NE(hint.feedKey, "sugar");
}

TEST(RationBalancerTest, LocksAndBoundsHold)
{
    BalanceInput input = dog();
    input.feeds[0].grams = 123;
    input.feeds[0].locked = true;
    input.feeds[1].maximum = 300; // rice cannot bring the rest of the energy
    input.feeds[2].minimum = 5;   // more chalk than calcium needs
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_EQ(result.grams[0], 123.0);
    EXPECT_LE(result.grams[1], 300.0);
    EXPECT_GE(result.grams[2], 5.0);
    ASSERT_FALSE(result.shortfalls.empty());
    EXPECT_EQ(result.shortfalls[0].name, "ME kcal");
    EXPECT_NEAR(result.shortfalls[0].percent, (123 * 1.2 + result.grams[1] * 1.3) / 10.0, 0.01);
}

TEST(RationBalancerTest, WeighableAmountsRoundToThemselvesAndStayWithinBounds)
{
    const struct
    {
        double grams;
        const char* text;
    } cases[] = {{0.0, "0"},     {0.004, "0"},  {0.456, "0,46"}, {0.948, "0,95"}, {0.996, "1"},
                 {2.345, "2,3"}, {9.46, "9,5"}, {9.96, "10"},    {123.4, "123"}};
    for (const auto& c : cases) {
        const double rounded = RationBalancer::weighable(c.grams);
        EXPECT_EQ(RationBalancer::weighableText(rounded), c.text) << c.grams;
        EXPECT_EQ(RationBalancer::weighable(rounded), rounded) << c.grams;
    }
    // The chalk calcium needs, about 2.4 g, is more than its maximum allows;
    // rounding to tenths must not take it back over.
    BalanceInput input = dog();
    input.feeds[2].maximum = 2.26;
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_DOUBLE_EQ(result.grams[2], 2.2);
}

// GLPK aborts the process on numbers it cannot scale; a content typed as
// 1e300 in the feedstuff editor must end in a failure, not in an abort.
TEST(RationBalancerTest, UnusableNumbersAreRefusedBeforeTheSolver)
{
    for (const double content : {1e300, std::numeric_limits<double>::infinity(), std::nan("")}) {
        BalanceInput input = dog();
        input.feeds[1].content[Zinc] = content;
        const BalanceResult result = RationBalancer::balance(input);
        EXPECT_FALSE(result.solved);
        EXPECT_EQ(result.failure, BalanceFailure::UnusableNumber);
    }
}
