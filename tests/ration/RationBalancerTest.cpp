#include "ration/RationBalancer.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// Keys as the shipped nutrient table has them.
constexpr int Kcal = 60, Protein = 24, Calcium = 1, Phosphorus = 15, Zinc = 20, VitaminA = 2, CaP = 42,
              Copper = 21, Selenium = 37, VitaminD = 5, VitaminB12 = 26;

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

double supplyWithAdded(const BalanceInput& input, const BalanceResult& result, int key)
{
    double sum = supply(input, result, key);
    for (size_t i = 0; i < input.supplements.size(); ++i)
        sum += input.supplements[i].content.value(key) * result.added[i] / 100.0;
    return sum;
}

QStringList added(const BalanceInput& input, const BalanceResult& result)
{
    QStringList list;
    for (size_t i = 0; i < input.supplements.size(); ++i) {
        if (result.added[i] > 0.0)
            list << input.supplements[i].key;
    }
    return list;
}

// The dog without its chalk and with selenium required: the ration lacks
// calcium, zinc and selenium, which only supplements can close.
BalanceInput dogToComplete()
{
    BalanceInput input = dog();
    input.feeds.pop_back();
    input.feeds[0].content[Zinc] = 0.5;
    input.nutrients.push_back({Selenium, "Se", 100, true});
    input.complete = true;
    input.supplements = {
        feed("chalk", {{Calcium, 40}}, 0, true),
        feed("zinc oxide", {{Zinc, 80000}}, 0, true),
        feed("zinc gluconate", {{Zinc, 14000}}, 0, true),
        feed("selenite", {{Selenium, 45661700}}, 0, true),
        // Zinc and selenium at once, with copper.
        feed("mineral mix", {{Zinc, 10000}, {Selenium, 20000}, {Copper, 2000}}, 0, true),
    };
    input.nutrients.push_back({Copper, "Cu", 0, false});
    return input;
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
    } cases[] = {{0.0, "0"},       {0.00001234567, "0,00001235"},
                 {0.004, "0,004"}, {0.45678, "0,4568"},
                 {0.99996, "1"},   {2.345, "2,3"},
                 {9.46, "9,5"},    {9.96, "10"},
                 {123.4, "123"}};
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

// Among the proposals that meet every requirement and pass no maximum, the
// one with the fewest added supplements, then with the fewest grams.
TEST(RationBalancerTest, CompletionAddsTheFewestSupplementsThenTheFewestGrams)
{
    const struct
    {
        const char* change;
        void (*apply)(BalanceInput&);
        QStringList expected;
    } cases[] = {
        {"one mix closes zinc and selenium at once", [](BalanceInput&) {},
         QStringList{"chalk", "mineral mix"}},
        {"the mix not to be used", [](BalanceInput& in) { in.supplements[4].excluded = true; },
         QStringList{"chalk", "zinc oxide", "selenite"}},
        // The mix's selenium needs 0.5 g of it and its 10 mg copper, twice
        // what the maximum allows.
        {"a copper maximum forbids the mix",
         [](BalanceInput& in) {
             in.maxima.push_back({Copper, 5.0, NutrientMaximum::Basis::PerThousandKcal, "test"});
         },
         QStringList{"chalk", "zinc oxide", "selenite"}},
        {"no selenium required: the zinc source with the fewest grams",
         [](BalanceInput& in) { in.nutrients.erase(in.nutrients.end() - 2); },
         QStringList{"chalk", "zinc oxide"}},
        {"the chalk is locked at nothing", [](BalanceInput& in) { in.supplements[0].locked = true; },
         QStringList{"mineral mix"}},
    };
    for (const auto& c : cases) {
        BalanceInput input = dogToComplete();
        c.apply(input);
        const BalanceResult result = RationBalancer::balance(input);
        ASSERT_TRUE(result.solved) << c.change;
        EXPECT_EQ(added(input, result), c.expected) << c.change;
        // What is added meets every requirement it can reach and passes no maximum.
        for (const BalanceNutrient& n : input.nutrients) {
            const bool reachable = n.key != Calcium || !input.supplements[0].locked;
            if (n.marked && reachable) {
                EXPECT_GE(supplyWithAdded(input, result, n.key), n.requirement)
                    << c.change << " " << n.name.toStdString();
            }
        }
        EXPECT_EQ(names(result.excesses), QStringList()) << c.change;
        EXPECT_EQ(names(result.shortfalls), input.supplements[0].locked ? QStringList{"Ca"} : QStringList())
            << c.change;
        // The ration's own feedstuffs are proposed as without the supplements.
        BalanceInput alone = input;
        alone.complete = false;
        EXPECT_EQ(RationBalancer::balance(alone).grams, result.grams) << c.change;
    }
}

// Pure substances bring tens of millions of a unit per gram and are given
// in hundredths of a milligram: each is added to four significant digits,
// enough to close its gap and no more than its maximum allows.
TEST(RationBalancerTest, ConcentratedSubstancesAreAddedExactly)
{
    BalanceInput input = dog();
    input.complete = true;
    input.nutrients.push_back({VitaminD, "Vit. D", 500, true});
    input.nutrients.push_back({Selenium, "Se", 90, true});
    input.nutrients.push_back({VitaminB12, "Vit. B12", 9, true});
    input.maxima.push_back({VitaminD, 2.0 * 500, NutrientMaximum::Basis::PerThousandKcal, "test"});
    input.maxima.push_back({Selenium, 1.1 * 90, NutrientMaximum::Basis::PerThousandKcal, "test"});
    input.supplements = {feed("D3", {{VitaminD, 4e9}}, 0, true),
                         feed("selenite", {{Selenium, 45661700}}, 0, true),
                         feed("B12", {{VitaminB12, 1e8}}, 0, true)};
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    ASSERT_EQ(result.added.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const BalanceNutrient& n = input.nutrients[input.nutrients.size() - 3 + i];
        const double content = input.supplements[i].content.value(n.key) / 100.0;
        const double alone = n.requirement / content; // about 1e-5 g of D3
        EXPECT_GE(result.added[i], alone) << n.name.toStdString();
        EXPECT_LE(result.added[i], alone * 1.03) << n.name.toStdString();
        EXPECT_EQ(RationBalancer::fourDigits(result.added[i]), result.added[i]);
    }
    EXPECT_EQ(names(result.shortfalls), QStringList());
    EXPECT_EQ(names(result.excesses), QStringList());
}

// Where a maximum forbids what a requirement needs, the requirement stays
// short; a requirement nothing has a content for is without data.
TEST(RationBalancerTest, CompletionNeverPassesAMaximum)
{
    BalanceInput input = dogToComplete();
    input.supplements.erase(input.supplements.begin() + 1, input.supplements.end() - 1); // the mix only
    input.maxima.push_back({Copper, 2.0, NutrientMaximum::Basis::PerThousandKcal, "test"});
    input.nutrients.push_back({VitaminD, "Vit. D", 500, true});
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_EQ(names(result.excesses), QStringList());
    EXPECT_LE(supplyWithAdded(input, result, Copper), 2.0);
    ASSERT_EQ(names(result.shortfalls), (QStringList{"Se", "Vit. D"}));
    EXPECT_FALSE(result.shortfalls[0].noData);
    EXPECT_TRUE(result.shortfalls[1].noData);
    // The mix goes as far as copper allows: 2 mg of it in 100 g of the mix.
    EXPECT_NEAR(result.added[1], 0.1 * 0.98, 0.002);
}

// A source maximum below the requirement (zinc: 5 of 7.2 mg at 1000 kcal)
// is shown as the requirement: the proposal comes as close as rounding lets
// it without going over, and names the requirement as just short.
TEST(RationBalancerTest, AMaximumBelowItsRequirementIsHeldAtTheRequirement)
{
    BalanceInput input = dog();
    input.maxima.push_back({Zinc, 5.0, NutrientMaximum::Basis::PerThousandKcal, "test"});
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    EXPECT_LE(supply(input, result, Zinc), 7.2);
    EXPECT_GE(supply(input, result, Zinc), 7.2 * 0.96);
    EXPECT_EQ(names(result.excesses), QStringList());
    EXPECT_EQ(names(result.shortfalls), QStringList{"Zn"});
}

// A supplement the vet locked keeps its amount, over a maximum too: the
// proposal names the excess rather than cutting what was set.
TEST(RationBalancerTest, ALockedSupplementKeepsItsAmountOverAMaximum)
{
    BalanceInput input = dog();
    input.complete = true;
    input.nutrients.push_back({VitaminD, "Vit. D", 500, true});
    input.maxima.push_back({VitaminD, 2.0 * 500, NutrientMaximum::Basis::PerThousandKcal, "test"});
    BalanceFeed d3 = feed("D3", {{VitaminD, 4e9}}, 0.0001, true); // 4000 IU a day
    d3.locked = true;
    input.supplements = {d3};
    const BalanceResult result = RationBalancer::balance(input);
    ASSERT_TRUE(result.solved);
    ASSERT_EQ(result.added.size(), 1u);
    EXPECT_EQ(result.added[0], 0.0001);
    EXPECT_EQ(names(result.excesses), QStringList{"Vit. D"});
}

// A locked feedstuff is part of the ration, not of its proportions: the
// others are proposed as they are without it, with what it supplies taken
// off the requirements.
TEST(RationBalancerTest, ALockedFeedstuffDoesNotPullTheOthers)
{
    BalanceInput locked = dog();
    locked.feeds[0].grams = 150; // meat typed, rice without an amount
    locked.maxima.clear();
    // Energy alone, so that the proportions are the start amounts' own.
    for (BalanceNutrient& n : locked.nutrients)
        n.marked = n.key == Kcal;
    locked.feeds.push_back(
        feed("liver", {{Kcal, 135}, {Protein, 20}, {Calcium, 0.01}, {Phosphorus, 0.3}}, 200));
    locked.feeds.back().locked = true;
    BalanceInput without = locked;
    without.feeds.pop_back();
    const BalanceFeed& liver = locked.feeds.back();
    for (BalanceNutrient& n : without.nutrients)
        n.requirement = std::max(n.requirement - liver.content.value(n.key) * liver.grams / 100.0, 0.0);

    const BalanceResult a = RationBalancer::balance(locked);
    const BalanceResult b = RationBalancer::balance(without);
    ASSERT_TRUE(a.solved);
    ASSERT_TRUE(b.solved);
    EXPECT_EQ(a.grams[3], 200.0);
    // Meat and rice as in the ration without the liver, within what rounding
    // and the energy band (±1.5 % of the larger requirement) leave open.
    EXPECT_NEAR(a.grams[1] / a.grams[0], b.grams[1] / b.grams[0], 0.01);
    for (size_t f = 0; f < 3; ++f)
        EXPECT_NEAR(a.grams[f], b.grams[f], 0.04 * b.grams[f] + 0.5) << f;
}
