#include "ration/RationBalancer.h"

#include "core/NumberText.h"
#include "ration/BalanceSolver.h"
#include "ration/RationLimits.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int CalciumKey = 1;
constexpr int PhosphorusKey = 15;
constexpr int CalciumPhosphorusKey = 42;
constexpr int DryMatterKey = RationLimits::DryMatterKey;

// The energy columns in kcal (twice) and in MJ are met by the energy band;
// dry matter and moisture are what the ration weighs, which salt or chalk
// could raise but no animal needs raised. None of them is a minimum.
bool isQuantity(int key)
{
    return key == RationBalancer::EnergyKey || key == 61 || key == 9 || key == DryMatterKey || key == 18;
}

// The limits are set this much inside what the page marks, so that rounding
// the proposal to weighable amounts keeps it inside.
constexpr double Margin = 0.02;
constexpr double EnergyMargin = 0.015;
// A supplement that would add more than this share of the day's energy or
// of the ration's weight is food, not a supplement, and no hint.
constexpr double SupplementShare = 0.05;
// Only to weigh a miss of a dry-matter maximum when no dry matter is required.
constexpr double KcalPerGramDryMatter = 4.0;

// Energy first; then no more than a maximum allows; then the minimums.
constexpr int EnergyStage = 0;
constexpr int MaximumStage = 1;
constexpr int MinimumStage = 2;

using Supplies = QHash<int, double>;

std::vector<double> perGram(const std::vector<BalanceFeed>& feeds, int key)
{
    std::vector<double> factors;
    for (const BalanceFeed& feed : feeds)
        factors.push_back(feed.content.value(key) / 100.0);
    return factors;
}

std::vector<double> minus(std::vector<double> a, const std::vector<double>& b, double factor)
{
    for (size_t i = 0; i < a.size(); ++i)
        a[i] -= factor * b[i];
    return a;
}

const BalanceNutrient* nutrient(const BalanceInput& input, int key)
{
    for (const BalanceNutrient& n : input.nutrients) {
        if (n.key == key)
            return &n;
    }
    return nullptr;
}

double requirement(const BalanceInput& input, int key)
{
    const BalanceNutrient* n = nutrient(input, key);
    return n ? n->requirement : 0.0;
}

double positiveOr(double value, double fallback)
{
    return value > 0.0 ? value : fallback;
}

void addLimits(const BalanceInput& input, std::vector<BalanceLimit>& limits)
{
    const double energy = requirement(input, RationBalancer::EnergyKey);
    const double dryMatter = requirement(input, DryMatterKey);
    const std::vector<double> kcal = perGram(input.feeds, RationBalancer::EnergyKey);
    limits.push_back({kcal, energy * (1.0 - EnergyMargin), false, energy, EnergyStage});
    limits.push_back({kcal, energy * (1.0 + EnergyMargin), true, energy, EnergyStage});

    // A minimum that cannot reach its requirement is left to the supplement
    // hints; one that reaches it, if not with the margin, is held.
    for (const BalanceNutrient& n : input.nutrients) {
        if (n.marked && n.requirement > 0.0 && !isQuantity(n.key))
            limits.push_back({perGram(input.feeds, n.key), n.requirement * (1.0 + Margin), false,
                              n.requirement, MinimumStage, Margin});
    }
    // A maximum holds for the ration's density and for its daily amount, as
    // the page scales it by the lower of supply and requirement.
    for (const NutrientMaximum& maximum : input.maxima) {
        const double inside = maximum.value * (1.0 - Margin);
        if (maximum.basis == NutrientMaximum::Basis::Ratio) {
            if (maximum.nutrient != CalciumPhosphorusKey || !nutrient(input, CalciumKey) ||
                !nutrient(input, PhosphorusKey))
                continue;
            const double phosphorus = requirement(input, PhosphorusKey);
            limits.push_back(
                {minus(perGram(input.feeds, CalciumKey), perGram(input.feeds, PhosphorusKey), inside), 0.0,
                 true, positiveOr(maximum.value, 1.0) * positiveOr(phosphorus, 1.0), MaximumStage});
            continue;
        }
        if (!nutrient(input, maximum.nutrient))
            continue;
        const std::vector<double> content = perGram(input.feeds, maximum.nutrient);
        const bool perKcal = maximum.basis == NutrientMaximum::Basis::PerThousandKcal;
        const int basisKey = perKcal ? RationBalancer::EnergyKey : DryMatterKey;
        const double perUnit = perKcal ? inside / 1000.0 : inside / 100.0;
        const double basis = perKcal ? energy : dryMatter;
        // A maximum of nothing still weighs a miss by the requirement.
        const double reference = positiveOr((basis > 0.0 ? basis : energy / KcalPerGramDryMatter) *
                                                (perKcal ? maximum.value / 1000.0 : maximum.value / 100.0),
                                            positiveOr(requirement(input, maximum.nutrient), 1.0));
        limits.push_back(
            {minus(content, perGram(input.feeds, basisKey), perUnit), 0.0, true, reference, MaximumStage});
        if (basis > 0.0)
            limits.push_back({content, perUnit * basis, true, reference, MaximumStage});
    }
}

// Where the balancing starts from: the typed amounts; a feedstuff without
// one gets the energy an average typed feedstuff with energy supplies (all
// of them an equal share of the requirement when none is typed; supplements
// do not count), a supplement nothing.
// Below 1 kcal per gram the share is counted as if at 1 kcal, so that a
// vegetable does not start at a kilogram.
std::vector<double> startAmounts(const BalanceInput& input)
{
    double typedEnergy = 0.0;
    int typed = 0;
    int untyped = 0;
    for (const BalanceFeed& feed : input.feeds) {
        const double energy = feed.content.value(RationBalancer::EnergyKey) * feed.grams / 100.0;
        if (feed.supplement)
            continue;
        if (energy > 0.0) {
            typedEnergy += energy;
            ++typed;
        } else if (feed.grams <= 0.0) {
            ++untyped;
        }
    }
    const double share = typed > 0 ? typedEnergy / typed
                                   : requirement(input, RationBalancer::EnergyKey) / std::max(untyped, 1);
    std::vector<double> start;
    for (const BalanceFeed& feed : input.feeds) {
        if (feed.grams > 0.0 || feed.locked)
            start.push_back(feed.grams);
        else if (feed.supplement)
            start.push_back(0.0);
        else
            start.push_back(share / std::max(feed.content.value(RationBalancer::EnergyKey) / 100.0, 1.0));
    }
    return start;
}

Supplies supplied(const std::vector<BalanceFeed>& feeds, const std::vector<double>& grams)
{
    Supplies supplies;
    for (size_t f = 0; f < feeds.size(); ++f) {
        for (auto it = feeds[f].content.cbegin(); it != feeds[f].content.cend(); ++it)
            supplies[it.key()] += it.value() * grams[f] / 100.0;
    }
    return supplies;
}

bool exceeds(double supply, double limit)
{
    return supply > limit * (1.0 + 1e-9);
}

// As the page marks them: each nutrient against its lowest daily maximum.
std::vector<BalanceGap> excesses(const BalanceInput& input, const Supplies& supplies)
{
    const auto basisAmount = [&](int key) {
        const double need = requirement(input, key);
        const double supply = supplies.value(key);
        return need > 0.0 && need < supply ? need : supply;
    };
    const double kcal = basisAmount(RationBalancer::EnergyKey);
    const double dryMatter = basisAmount(DryMatterKey);
    std::vector<BalanceGap> gaps;
    const auto check = [&](int key, const QString& name, double figure, bool ratio) {
        const auto lowest = RationLimits::lowestDailyMaximum(input.maxima, key, ratio, kcal, dryMatter);
        if (lowest && lowest->first > 0.0 && exceeds(figure, lowest->first))
            gaps.push_back({key, name, figure / lowest->first * 100.0});
    };
    for (const BalanceNutrient& n : input.nutrients)
        check(n.key, n.name, supplies.value(n.key), false);
    if (nutrient(input, CalciumKey) && supplies.value(PhosphorusKey) > 0.0) {
        check(CalciumPhosphorusKey, input.indicatorNames.value(CalciumPhosphorusKey, QStringLiteral("Ca:P")),
              supplies.value(CalciumKey) / supplies.value(PhosphorusKey), true);
    }
    return gaps;
}

std::vector<BalanceGap> shortfalls(const BalanceInput& input, const Supplies& supplies)
{
    std::vector<BalanceGap> gaps;
    for (const BalanceNutrient& n : input.nutrients) {
        if (n.requirement <= 0.0 || (!n.marked && n.key != RationBalancer::EnergyKey))
            continue;
        const double percent = supplies.value(n.key) / n.requirement * 100.0;
        if (n.key == RationBalancer::EnergyKey
                ? percent < 100.0 * (1.0 - RationBalancer::EnergyBand)
                : !isQuantity(n.key) && exceeds(n.requirement, supplies.value(n.key))) {
            const bool known =
                std::any_of(input.feeds.begin(), input.feeds.end(),
                            [&](const BalanceFeed& feed) { return feed.content.contains(n.key); });
            gaps.push_back({n.key, n.name, percent, !known});
        }
    }
    return gaps;
}

// The step an amount is weighed in: hundredths below 1 g, tenths below 10 g,
// whole grams from there.
double stepOf(double grams)
{
    return grams < 1.0 ? 0.01 : grams < 10.0 ? 0.1 : 1.0;
}

double roundedUp(double grams)
{
    return std::ceil(grams / stepOf(grams) - 1e-9) * stepOf(grams);
}

double roundedDown(double grams)
{
    return std::floor(grams / stepOf(grams) + 1e-9) * stepOf(grams);
}

// The weighable amount nearest to grams within a feedstuff's bounds; the
// bounds' own figures when no weighable amount lies between them.
double weighableWithin(double grams, double minimum, double maximum)
{
    const double rounded = RationBalancer::weighable(grams);
    if (rounded > maximum)
        return roundedDown(maximum) >= minimum ? roundedDown(maximum) : maximum;
    if (rounded < minimum)
        return roundedUp(minimum) <= maximum ? roundedUp(minimum) : minimum;
    return rounded;
}

// The shipped supplements that close a gap on their own without adding much
// energy or weight, taking the energy 5 % over its requirement or a nutrient
// over its maximum; fewest grams first.
std::vector<SupplementHint> hintsFor(const BalanceInput& input, const BalanceGap& gap,
                                     const Supplies& supplies, const std::vector<BalanceGap>& overBefore,
                                     double rationGrams)
{
    const double energy = requirement(input, RationBalancer::EnergyKey);
    const double missing = requirement(input, gap.key) - supplies.value(gap.key);
    std::vector<SupplementHint> hints;
    for (const BalanceFeed& supplement : input.supplements) {
        const double content = supplement.content.value(gap.key);
        if (content <= 0.0 || missing <= 0.0)
            continue;
        const double grams = roundedUp(missing / content * 100.0);
        const double kcal = supplement.content.value(RationBalancer::EnergyKey) * grams / 100.0;
        if (kcal > SupplementShare * energy || grams > SupplementShare * rationGrams ||
            supplies.value(RationBalancer::EnergyKey) + kcal >
                std::max(energy * (1.0 + SupplementShare), supplies.value(RationBalancer::EnergyKey)))
            continue;
        Supplies with = supplies;
        for (auto it = supplement.content.cbegin(); it != supplement.content.cend(); ++it)
            with[it.key()] += it.value() * grams / 100.0;
        const std::vector<BalanceGap> over = excesses(input, with);
        const bool addsExcess = std::any_of(over.begin(), over.end(), [&](const BalanceGap& o) {
            return std::none_of(overBefore.begin(), overBefore.end(),
                                [&](const BalanceGap& b) { return b.key == o.key; });
        });
        if (!addsExcess)
            hints.push_back({gap.key, gap.name, supplement.key, supplement.name, grams});
    }
    std::stable_sort(hints.begin(), hints.end(),
                     [](const SupplementHint& a, const SupplementHint& b) { return a.grams < b.grams; });
    return hints;
}

} // namespace

// The finest step whose rounding stays in its range, so that a rounded
// amount rounds to itself.
double RationBalancer::weighable(double grams)
{
    const double hundredths = std::round(grams * 100.0) / 100.0;
    if (hundredths < 1.0)
        return hundredths;
    const double tenths = std::round(grams * 10.0) / 10.0;
    return tenths < 10.0 ? tenths : std::round(grams);
}

QString RationBalancer::weighableText(double grams)
{
    return NumberText::formatShortest(grams, 0, 2);
}

BalanceResult RationBalancer::balance(const BalanceInput& input)
{
    BalanceResult result;
    std::vector<BalanceLimit> limits;
    addLimits(input, limits);
    std::vector<BalanceRange> ranges;
    for (const BalanceFeed& feed : input.feeds)
        ranges.push_back(feed.locked ? BalanceRange{feed.grams, feed.grams}
                                     : BalanceRange{feed.minimum, feed.maximum});
    const BalanceSolution solution = BalanceSolver::solve(limits, ranges, startAmounts(input));
    if (!solution.solved()) {
        result.failure = solution.failure;
        return result;
    }
    result.solved = true;
    for (size_t f = 0; f < input.feeds.size(); ++f) {
        const BalanceFeed& feed = input.feeds[f];
        result.grams.push_back(feed.locked ? feed.grams
                                           : weighableWithin(solution.grams[f], feed.minimum, feed.maximum));
    }
    const Supplies supplies = supplied(input.feeds, result.grams);
    result.shortfalls = shortfalls(input, supplies);
    result.excesses = excesses(input, supplies);
    for (const BalanceGap& gap : result.shortfalls) {
        if (gap.key == EnergyKey)
            continue;
        const double rationGrams = std::accumulate(result.grams.begin(), result.grams.end(), 0.0);
        for (const SupplementHint& hint : hintsFor(input, gap, supplies, result.excesses, rationGrams))
            result.supplements.push_back(hint);
    }
    // Energy above its band is over, as a percent of its requirement.
    const double energy = requirement(input, EnergyKey);
    if (energy > 0.0 && supplies.value(EnergyKey) > energy * (1.0 + EnergyBand)) {
        const BalanceNutrient* n = nutrient(input, EnergyKey);
        result.excesses.insert(result.excesses.begin(), {EnergyKey, n ? n->name : QString(),
                                                         supplies.value(EnergyKey) / energy * 100.0});
    }
    return result;
}
