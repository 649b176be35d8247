#include "ration/RationBalancer.h"

#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "ration/BalanceSolver.h"
#include "ration/RationLimits.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

using namespace NutrientKey;

// The energy columns in kcal (twice) and in MJ are met by the energy band;
// dry matter and moisture are what the ration weighs, which salt or chalk
// could raise but no animal needs raised. None of them is a minimum.
bool isQuantity(int key)
{
    return key == EnergyKcal || key == EnergyKcalSecond || key == EnergyMJ || key == DryMatter ||
           key == Moisture;
}

// The limits are set this much inside what the page marks, so that rounding
// the proposal to weighable amounts keeps it inside.
constexpr double Margin = 0.02;
constexpr double EnergyMargin = 0.015;
constexpr double AddedEnergyShare = (RationBalancer::EnergyBand - EnergyMargin) / 2.0;
// A supplement that would add more than this share of the day's energy or
// of the ration's weight is food, not a supplement, and no hint.
constexpr double SupplementShare = 0.05;

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

// The limits over the columns: the ration's feedstuffs, then the supplements
// the balancing may add.
void addLimits(const BalanceInput& input, const std::vector<BalanceFeed>& columns,
               std::vector<BalanceLimit>& limits)
{
    const double energy = requirement(input, EnergyKcal);
    // The energy of the supplements the balancing adds is not held to the
    // band: the ration's feedstuffs fill it as they would without them, and
    // the added ones bring no more than half of what the band leaves beyond
    // the margin (the other half is for rounding).
    std::vector<double> kcal = perGram(columns, EnergyKcal);
    std::fill(kcal.begin() + std::ptrdiff_t(input.feeds.size()), kcal.end(), 0.0);
    limits.push_back({kcal, energy * (1.0 - EnergyMargin), false, energy, EnergyStage});
    limits.push_back({kcal, energy * (1.0 + EnergyMargin), true, energy, EnergyStage});

    // A minimum that cannot reach its requirement is left to the supplement
    // hints; one that reaches it, if not with the margin, is held.
    for (const BalanceNutrient& n : input.nutrients) {
        if (n.marked && n.requirement > 0.0 && !isQuantity(n.key))
            limits.push_back({perGram(columns, n.key), n.requirement * (1.0 + Margin), false, n.requirement,
                              MinimumStage, Margin});
    }
    // A maximum holds for the daily amount at the energy the case needs, as
    // the page scales it; a case without an energy requirement holds the
    // density instead. Where the sources' maximum lies below the requirement,
    // the page shows the requirement as the maximum, and so does the
    // balancing: the requirement then stays just short rather than over.
    for (const NutrientMaximum& maximum : input.maxima) {
        const double inside = maximum.value * (1.0 - Margin);
        if (maximum.basis == NutrientMaximum::Basis::Ratio) {
            if (maximum.nutrient != CalciumToPhosphorus || !nutrient(input, Calcium) ||
                !nutrient(input, Phosphorus))
                continue;
            const double phosphorus = requirement(input, Phosphorus);
            limits.push_back({minus(perGram(columns, Calcium), perGram(columns, Phosphorus), inside), 0.0,
                              true, positiveOr(maximum.value, 1.0) * positiveOr(phosphorus, 1.0),
                              MaximumStage});
            continue;
        }
        if (!nutrient(input, maximum.nutrient))
            continue;
        const std::vector<double> content = perGram(columns, maximum.nutrient);
        const double need = requirement(input, maximum.nutrient);
        if (energy > 0.0) {
            const double limit = std::max(maximum.value * energy / 1000.0, need);
            limits.push_back({content, limit * (1.0 - Margin), true, positiveOr(limit, 1.0), MaximumStage});
        } else {
            // A maximum of nothing still weighs a miss by the requirement.
            limits.push_back({minus(content, perGram(columns, EnergyKcal), inside / 1000.0), 0.0, true,
                              positiveOr(need, 1.0), MaximumStage});
        }
    }
}

// Where the balancing starts from: the typed amounts; a feedstuff without
// one gets the energy an average typed feedstuff with energy supplies (all
// of them an equal share of what the locked feedstuffs leave of the
// requirement when none is typed; supplements do not count), a supplement
// nothing. A locked or unused feedstuff is no typed one: the others start
// as they would without it.
// Below 1 kcal per gram the share is counted as if at 1 kcal, so that a
// vegetable does not start at a kilogram.
std::vector<double> startAmounts(const BalanceInput& input)
{
    double typedEnergy = 0.0;
    double lockedEnergy = 0.0;
    int typed = 0;
    int untyped = 0;
    for (const BalanceFeed& feed : input.feeds) {
        const double energy = feed.content.value(EnergyKcal) * feed.grams / 100.0;
        if (feed.locked)
            lockedEnergy += energy;
        if (feed.supplement || feed.locked || feed.excluded)
            continue;
        if (energy > 0.0) {
            typedEnergy += energy;
            ++typed;
        } else if (feed.grams <= 0.0) {
            ++untyped;
        }
    }
    const double left = std::max(requirement(input, EnergyKcal) - lockedEnergy, 0.0);
    const double share = typed > 0 ? typedEnergy / typed : left / std::max(untyped, 1);
    std::vector<double> start;
    for (const BalanceFeed& feed : input.feeds) {
        if (feed.grams > 0.0 || feed.locked)
            start.push_back(feed.grams);
        else if (feed.supplement)
            start.push_back(0.0);
        else
            start.push_back(share / std::max(feed.content.value(EnergyKcal) / 100.0, 1.0));
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

// A nutrient's lowest daily maximum as the page shows it: scaled by the
// energy the case needs (by the supply without a requirement), and the
// requirement where the sources' maximum lies below it.
std::optional<double> dailyLimit(const BalanceInput& input, const Supplies& supplies, int key, bool ratio)
{
    const double need = requirement(input, EnergyKcal);
    const auto lowest = RationLimits::lowestDailyMaximum(input.maxima, key, ratio,
                                                         need > 0.0 ? need : supplies.value(EnergyKcal));
    if (!lowest || lowest->first <= 0.0)
        return std::nullopt;
    return ratio ? lowest->first : std::max(lowest->first, requirement(input, key));
}

// As the page marks them: each nutrient against its lowest daily maximum.
std::vector<BalanceGap> excesses(const BalanceInput& input, const Supplies& supplies)
{
    std::vector<BalanceGap> gaps;
    const auto check = [&](int key, const QString& name, double figure, bool ratio) {
        const std::optional<double> limit = dailyLimit(input, supplies, key, ratio);
        if (limit && exceeds(figure, *limit))
            gaps.push_back({key, name, figure / *limit * 100.0});
    };
    for (const BalanceNutrient& n : input.nutrients)
        check(n.key, n.name, supplies.value(n.key), false);
    if (nutrient(input, Calcium) && supplies.value(Phosphorus) > 0.0) {
        check(CalciumToPhosphorus, input.indicatorNames.value(CalciumToPhosphorus, QStringLiteral("Ca:P")),
              supplies.value(Calcium) / supplies.value(Phosphorus), true);
    }
    return gaps;
}

std::vector<BalanceGap> shortfalls(const BalanceInput& input, const std::vector<BalanceFeed>& known,
                                   const Supplies& supplies)
{
    std::vector<BalanceGap> gaps;
    for (const BalanceNutrient& n : input.nutrients) {
        if (n.requirement <= 0.0 || (!n.marked && n.key != EnergyKcal))
            continue;
        const double percent = supplies.value(n.key) / n.requirement * 100.0;
        if (n.key == EnergyKcal ? percent < 100.0 * (1.0 - RationBalancer::EnergyBand)
                                : !isQuantity(n.key) && exceeds(n.requirement, supplies.value(n.key))) {
            const bool hasData = std::any_of(known.begin(), known.end(), [&](const BalanceFeed& feed) {
                return feed.content.contains(n.key);
            });
            gaps.push_back({n.key, n.name, percent, !hasData});
        }
    }
    return gaps;
}

// The step of four significant digits.
double significantStep(double grams)
{
    return std::pow(10.0, std::floor(std::log10(grams)) - 3.0);
}

// The step an amount is weighed in: four significant digits below 1 g,
// tenths below 10 g, whole grams from there.
double stepOf(double grams)
{
    return grams < 1.0 ? significantStep(grams) : grams < 10.0 ? 0.1 : 1.0;
}

using Step = double (*)(double);

double roundedUp(double grams, Step step = stepOf)
{
    return grams > 0.0 ? std::ceil(grams / step(grams) - 1e-9) * step(grams) : 0.0;
}

double roundedDown(double grams, Step step = stepOf)
{
    return grams > 0.0 ? std::floor(grams / step(grams) + 1e-9) * step(grams) : 0.0;
}

// The rounded amount nearest to grams within a feedstuff's bounds; the
// bounds' own figures when no rounded amount lies between them.
double roundedWithin(double grams, double minimum, double maximum, double (*round)(double), Step step)
{
    const double rounded = round(grams);
    if (rounded > maximum)
        return roundedDown(maximum, step) >= minimum ? roundedDown(maximum, step) : maximum;
    if (rounded < minimum)
        return roundedUp(minimum, step) <= maximum ? roundedUp(minimum, step) : minimum;
    return rounded;
}

double weighableWithin(double grams, double minimum, double maximum)
{
    return roundedWithin(grams, minimum, maximum, RationBalancer::weighable, stepOf);
}

double fourDigitsWithin(double grams, double minimum, double maximum)
{
    return roundedWithin(grams, minimum, maximum, RationBalancer::fourDigits, significantStep);
}

// How far a supply is over the nutrient's lowest daily maximum, in the
// nutrient's unit (for Ca : P, the calcium above the ratio; for energy, the
// kcal above its band); 0 when it is not.
double overMaximum(const BalanceInput& input, const Supplies& supplies, int key)
{
    if (key == EnergyKcal) {
        const double band = requirement(input, key) * (1.0 + RationBalancer::EnergyBand);
        return band > 0.0 && exceeds(supplies.value(key), band) ? supplies.value(key) - band : 0.0;
    }
    const bool ratio = key == CalciumToPhosphorus;
    const std::optional<double> lowest = dailyLimit(input, supplies, key, ratio);
    if (!lowest)
        return 0.0;
    const double supply = ratio ? supplies.value(Calcium) : supplies.value(key);
    const double limit = ratio ? *lowest * supplies.value(Phosphorus) : *lowest;
    return exceeds(supply, limit) ? supply - limit : 0.0;
}

// Rounding an added supplement to four digits, or the others to weighable
// amounts, may take a maximum or the energy's band the solver kept over:
// the added supplements then give up what they bring beyond it, beginning
// with the one that brings the most.
void keepAddedWithinMaxima(const BalanceInput& input, const std::vector<BalanceFeed>& columns,
                           std::vector<double>& grams)
{
    const size_t firstAdded = input.feeds.size();
    std::vector<double> without = grams;
    std::fill(without.begin() + std::ptrdiff_t(firstAdded), without.end(), 0.0);
    const Supplies before = supplied(columns, without);
    std::vector<int> keys{EnergyKcal};
    for (const NutrientMaximum& maximum : input.maxima) {
        if (std::find(keys.begin(), keys.end(), maximum.nutrient) == keys.end())
            keys.push_back(maximum.nutrient);
    }
    for (const int key : keys) {
        const bool ratio = key == CalciumToPhosphorus;
        if (ratio ? !nutrient(input, Calcium) || !nutrient(input, Phosphorus) : !nutrient(input, key))
            continue;
        const int nutrientKey = ratio ? Calcium : key;
        for (int pass = 0; pass < 4; ++pass) {
            const double over =
                overMaximum(input, supplied(columns, grams), key) - overMaximum(input, before, key);
            size_t most = columns.size();
            double brought = 0.0;
            for (size_t c = firstAdded; c < columns.size(); ++c) {
                // What the vet locked or gave a minimum keeps it.
                if (columns[c].locked || grams[c] <= columns[c].minimum)
                    continue;
                const double amount = columns[c].content.value(nutrientKey) * grams[c] / 100.0;
                if (amount > brought) {
                    brought = amount;
                    most = c;
                }
            }
            if (over <= 0.0 || most == columns.size())
                break;
            const double less = over / (columns[most].content.value(nutrientKey) / 100.0);
            grams[most] = std::max(roundedDown(std::max(grams[most] - less, 0.0), significantStep),
                                   columns[most].minimum);
        }
    }
}

// The shipped supplements that close a gap on their own without adding much
// energy or weight, taking the energy 5 % over its requirement or a nutrient
// over its maximum; fewest grams first.
std::vector<SupplementHint> hintsFor(const BalanceInput& input, const BalanceGap& gap,
                                     const Supplies& supplies, const std::vector<BalanceGap>& overBefore,
                                     double rationGrams)
{
    const double energy = requirement(input, EnergyKcal);
    const double missing = requirement(input, gap.key) - supplies.value(gap.key);
    std::vector<SupplementHint> hints;
    for (const BalanceFeed& supplement : input.supplements) {
        const double content = supplement.content.value(gap.key);
        // "Do not use" on the ration's row of the same supplement counts too.
        const bool excludedInRation =
            std::any_of(input.feeds.begin(), input.feeds.end(), [&supplement](const BalanceFeed& feed) {
                return feed.excluded && feed.key == supplement.key;
            });
        if (content <= 0.0 || missing <= 0.0 || supplement.excluded || excludedInRation)
            continue;
        const double grams = roundedUp(missing / content * 100.0);
        const double kcal = supplement.content.value(EnergyKcal) * grams / 100.0;
        if (kcal > SupplementShare * energy || grams > SupplementShare * rationGrams ||
            supplies.value(EnergyKcal) + kcal >
                std::max(energy * (1.0 + SupplementShare), supplies.value(EnergyKcal)))
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
    const double fine = fourDigits(grams);
    if (fine < 1.0)
        return fine;
    const double tenths = std::round(grams * 10.0) / 10.0;
    return tenths < 10.0 ? tenths : std::round(grams);
}

double RationBalancer::fourDigits(double grams)
{
    if (!(grams > 0.0))
        return 0.0;
    const double step = significantStep(grams);
    return std::round(grams / step) * step;
}

QString RationBalancer::weighableText(double grams)
{
    const int decimals = grams > 0.0 ? 3 - int(std::floor(std::log10(grams))) : 0;
    return NumberText::formatShortest(grams, 0, std::max(decimals, 2));
}

BalanceResult RationBalancer::balance(const BalanceInput& input)
{
    BalanceResult result;
    // The columns: the ration's feedstuffs, then, to complete it, each
    // shipped supplement it does not hold and the user did not rule out.
    std::vector<BalanceFeed> columns = input.feeds;
    std::vector<size_t> candidates;
    if (input.complete) {
        for (size_t i = 0; i < input.supplements.size(); ++i) {
            const BalanceFeed& supplement = input.supplements[i];
            const bool inRation =
                std::any_of(input.feeds.begin(), input.feeds.end(),
                            [&](const BalanceFeed& feed) { return feed.key == supplement.key; });
            if (!supplement.excluded && !inRation) {
                columns.push_back(supplement);
                candidates.push_back(i);
            }
        }
    }
    std::vector<BalanceLimit> limits;
    addLimits(input, columns, limits);
    std::vector<BalanceRange> ranges;
    for (const BalanceFeed& feed : input.feeds) {
        ranges.push_back(feed.excluded ? BalanceRange{0.0, 0.0}
                         : feed.locked ? BalanceRange{feed.grams, feed.grams}
                                       : BalanceRange{feed.minimum, feed.maximum});
    }
    // Added supplements are no food: each brings at most 5 % of the
    // ration's weight, as a hint does, and all of them together no more
    // energy than AddedEnergyShare of the requirement (see addLimits).
    const double energy = requirement(input, EnergyKcal);
    for (const size_t i : candidates) {
        const BalanceFeed& supplement = input.supplements[i];
        ranges.push_back(supplement.locked
                             ? BalanceRange{supplement.grams, supplement.grams, true}
                             : BalanceRange{supplement.minimum, supplement.maximum, true, SupplementShare});
    }
    if (!candidates.empty()) {
        std::vector<double> kcal = perGram(columns, EnergyKcal);
        std::fill(kcal.begin(), kcal.begin() + std::ptrdiff_t(input.feeds.size()), 0.0);
        limits.push_back({kcal, AddedEnergyShare * energy, true, positiveOr(energy, 1.0), MaximumStage});
    }
    std::vector<double> start = startAmounts(input);
    start.resize(columns.size(), 0.0);
    const BalanceSolution solution = BalanceSolver::solve(limits, ranges, start);
    if (!solution.solved()) {
        result.failure = solution.failure;
        return result;
    }
    result.solved = true;
    std::vector<double> grams;
    for (size_t f = 0; f < input.feeds.size(); ++f) {
        const BalanceFeed& feed = input.feeds[f];
        grams.push_back(feed.excluded ? 0.0
                        : feed.locked ? feed.grams
                                      : weighableWithin(solution.grams[f], feed.minimum, feed.maximum));
    }
    for (size_t c = input.feeds.size(); c < columns.size(); ++c) {
        const BalanceFeed& supplement = columns[c];
        grams.push_back(supplement.locked
                            ? supplement.grams
                            : fourDigitsWithin(solution.grams[c], supplement.minimum, supplement.maximum));
    }
    keepAddedWithinMaxima(input, columns, grams);
    result.grams.assign(grams.begin(), grams.begin() + std::ptrdiff_t(input.feeds.size()));
    result.added.assign(input.supplements.size(), 0.0);
    for (size_t c = 0; c < candidates.size(); ++c)
        result.added[candidates[c]] = grams[input.feeds.size() + c];

    const Supplies supplies = supplied(columns, grams);
    // Without data is a nutrient that nothing the balancing may use has a
    // content stored for.
    std::vector<BalanceFeed> known = input.feeds;
    if (input.complete)
        known.insert(known.end(), input.supplements.begin(), input.supplements.end());
    result.shortfalls = shortfalls(input, known, supplies);
    result.excesses = excesses(input, supplies);
    const double rationGrams = std::accumulate(grams.begin(), grams.end(), 0.0);
    for (const BalanceGap& gap : result.shortfalls) {
        if (gap.key == EnergyKcal)
            continue;
        for (const SupplementHint& hint : hintsFor(input, gap, supplies, result.excesses, rationGrams))
            result.supplements.push_back(hint);
    }
    // Energy above its band is over, as a percent of its requirement.
    if (energy > 0.0 && supplies.value(EnergyKcal) > energy * (1.0 + EnergyBand)) {
        const BalanceNutrient* n = nutrient(input, EnergyKcal);
        result.excesses.insert(result.excesses.begin(), {EnergyKcal, n ? n->name : QString(),
                                                         supplies.value(EnergyKcal) / energy * 100.0});
    }
    return result;
}
