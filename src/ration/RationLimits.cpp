#include "ration/RationLimits.h"

#include "core/NumberText.h"
#include "ration/RationModel.h"

QString NutrientCheck::flagsText() const
{
    QStringList flags;
    if (over)
        flags << QStringLiteral("over");
    if (incomplete)
        flags << QStringLiteral("incomplete");
    if (crossed)
        flags << QStringLiteral("crossed");
    return flags.join(QLatin1Char(','));
}

// A maximum per 1000 kcal is a concentration that is safe at the intake the
// animal needs, so it becomes a daily figure by the energy the animal needs,
// exactly as the requirement does: whatever the ration supplies, the two
// stand in the ratio the sources give them. Only without a requirement the
// supply scales.
double RationLimits::energyBasis(const RationModel& ration)
{
    const RationColumn* energy = ration.nutrient(NutrientKey::EnergyKcal);
    if (!energy)
        return 0.0;
    // As shown, like the requirements derived from the energy: the vet can
    // recompute a maximum from the page.
    const double requirement = energy->rounded(energy->requirement).value_or(0.0);
    return requirement > 0.0 ? requirement : energy->rounded(energy->supply).value_or(0.0);
}

std::optional<double> RationLimits::dailyMaximum(const NutrientMaximum& maximum, double kcal)
{
    if (maximum.basis == NutrientMaximum::Basis::Ratio)
        return maximum.value;
    if (kcal > 0.0)
        return maximum.value * kcal / 1000.0;
    return std::nullopt;
}

std::optional<std::pair<double, const NutrientMaximum*>>
RationLimits::lowestDailyMaximum(const std::vector<NutrientMaximum>& maxima, int key, bool ratios,
                                 double kcal)
{
    std::optional<std::pair<double, const NutrientMaximum*>> lowest;
    for (const NutrientMaximum& maximum : maxima) {
        if (maximum.nutrient != key || (maximum.basis == NutrientMaximum::Basis::Ratio) != ratios)
            continue;
        const std::optional<double> daily = dailyMaximum(maximum, kcal);
        if (daily && (!lowest || *daily < lowest->first))
            lowest = std::make_pair(*daily, &maximum);
    }
    return lowest;
}

namespace {

// The lowest applying maximum of the column's key, and whether the figure
// exceeds it, both as the page shows them. A nutrient's maximum below its
// requirement (as shown) is a contradiction of the sources, not a limit the
// ration could keep: the requirement stands in for it, and the pair is
// marked.
void applyMaxima(NutrientCheck& check, const RationColumn& column, const std::optional<double>& figure,
                 const std::vector<NutrientMaximum>& maxima, double kcal, bool ratios)
{
    const auto lowest = RationLimits::lowestDailyMaximum(maxima, column.key, ratios, kcal);
    if (!lowest)
        return;
    check.maximum = lowest->first;
    check.source = lowest->second->source;
    check.maximumText = column.shown(check.maximum);
    const std::optional<double> requirement = ratios ? std::nullopt : column.rounded(column.requirement);
    if (requirement && *column.rounded(check.maximum) < *requirement) {
        check.crossed = true;
        check.sourceMaximum = check.maximum;
        check.sourceMaximumText = check.maximumText;
        check.maximum = column.requirement;
        check.maximumText = column.shown(check.maximum);
    }
    check.over = figure && *column.rounded(figure) > *column.rounded(check.maximum);
}

} // namespace

std::vector<NutrientCheck> RationLimits::checkNutrients(const RationModel& ration,
                                                        const std::vector<NutrientMaximum>& maxima)
{
    const double kcal = energyBasis(ration);
    std::vector<NutrientCheck> checks;
    for (size_t c = 0; c < ration.nutrients.size(); ++c) {
        const RationColumn& column = ration.nutrients[c];
        NutrientCheck check;
        check.key = QString::number(column.key);
        applyMaxima(check, column, column.supply, maxima, kcal, false);
        // A content the feedstuff has stored, 0 included, gives a
        // contribution; none beside an amount is a content it does not know.
        for (const RationFeed& feed : ration.feeds) {
            if (feed.grams > 0.0 && !(c < feed.contributions.size() && feed.contributions[c]))
                check.feedsWithoutData << feed.name.trimmed();
        }
        check.incomplete = !check.feedsWithoutData.isEmpty();
        checks.push_back(check);
    }
    return checks;
}

void RationLimits::apply(RationModel& ration, std::vector<NutrientMaximum> maxima)
{
    ration.maxima = std::move(maxima);
    const std::vector<NutrientCheck> nutrients = checkNutrients(ration, ration.maxima);
    for (size_t c = 0; c < ration.nutrients.size(); ++c)
        ration.nutrients[c].check = nutrients[c];
    const std::vector<NutrientCheck> indicators = checkIndicators(ration, ration.maxima);
    for (size_t c = 0; c < ration.indicators.size(); ++c)
        ration.indicators[c].check = indicators[c];
}

std::vector<NutrientCheck> RationLimits::checkIndicators(const RationModel& ration,
                                                         const std::vector<NutrientMaximum>& maxima)
{
    std::vector<NutrientCheck> checks;
    for (const RationColumn& column : ration.indicators) {
        NutrientCheck check;
        check.key = QString::number(column.key);
        applyMaxima(check, column, column.requirement, maxima, 0.0, true);
        checks.push_back(check);
    }
    return checks;
}
