#include "ration/RationLimits.h"

#include "core/NumberText.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"

using namespace NutrientColumns;

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
double RationLimits::energyBasis(const GridModel& ration)
{
    const int column = find(ration, QString::number(NutrientKey::EnergyKcal));
    if (column < 0)
        return 0.0;
    const double requirement = NumberText::read(ration.text(RequirementRow, column));
    return requirement > 0.0 ? requirement : NumberText::read(ration.text(SupplyRow, column));
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

// The lowest applying maximum of the column's key, and whether the shown
// figure exceeds it as both are shown. A nutrient's maximum below its
// requirement (as shown) is a contradiction of the sources, not a limit the
// ration could keep: the requirement stands in for it, and the pair is
// marked.
void applyMaxima(NutrientCheck& check, const GridModel& grid, int column, int figureRow,
                 const std::vector<NutrientMaximum>& maxima, double kcal, bool ratios)
{
    const auto lowest =
        RationLimits::lowestDailyMaximum(maxima, NumberText::readWhole(check.key), ratios, kcal);
    if (!lowest)
        return;
    const int places = decimals(grid, column);
    check.maximum = lowest->first;
    check.source = lowest->second->source;
    check.maximumText = NumberText::format(*check.maximum, places);
    const QString requirement = ratios ? QString() : grid.text(RequirementRow, column).trimmed();
    if (!requirement.isEmpty() && NumberText::read(check.maximumText) < NumberText::read(requirement)) {
        check.crossed = true;
        check.sourceMaximumText = check.maximumText;
        check.maximum = NumberText::read(requirement);
        check.maximumText = NumberText::format(*check.maximum, places);
    }
    const QString figure = grid.text(figureRow, column).trimmed();
    check.over = !figure.isEmpty() && NumberText::read(figure) > NumberText::read(check.maximumText);
}

} // namespace

std::vector<NutrientCheck> RationLimits::checkNutrients(const GridModel& ration,
                                                        const std::vector<NutrientMaximum>& maxima)
{
    const double kcal = energyBasis(ration);
    std::vector<NutrientCheck> checks;
    for (int c = FirstColumn; c < ration.columnCount(); ++c) {
        NutrientCheck check;
        check.key = ration.text(KeyRow, c).trimmed();
        applyMaxima(check, ration, c, SupplyRow, maxima, kcal, false);
        // A content the feedstuff has stored, 0 included, fills its cell; an
        // empty cell beside an amount is one it does not know.
        for (int row = FirstFeedRow; row < ration.rowCount(); ++row) {
            if (NumberText::read(ration.text(row, RationGrids::AmountColumn)) > 0.0 &&
                ration.text(row, c).trimmed().isEmpty())
                check.feedsWithoutData << ration.text(row, RationGrids::NameColumn).trimmed();
        }
        check.incomplete = !check.feedsWithoutData.isEmpty();
        checks.push_back(check);
    }
    return checks;
}

std::vector<NutrientCheck> RationLimits::checkIndicators(const GridModel& profile,
                                                         const std::vector<NutrientMaximum>& maxima)
{
    std::vector<NutrientCheck> checks;
    for (int c = FirstColumn; c < profile.columnCount(); ++c) {
        NutrientCheck check;
        check.key = profile.text(KeyRow, c).trimmed();
        applyMaxima(check, profile, c, RequirementRow, maxima, 0.0, true);
        checks.push_back(check);
    }
    return checks;
}
