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
    return flags.join(QLatin1Char(','));
}

double RationLimits::supplied(const GridModel& ration, int key)
{
    const int column = find(ration, QString::number(key));
    return column < 0 ? 0.0 : NumberText::read(ration.text(SupplyRow, column));
}

// A maximum per 1000 kcal or per 100 g dry matter is a concentration that is
// safe at the intake the animal needs. The ration is what the animal eats in
// a day, so two things can go wrong: the ration is denser than the limit
// (scale by the energy or dry matter it supplies), or it supplies more than
// the animal needs and with it more than a food at the limit would give in a
// day (scale by the requirement, row 60 or 8). The lower of the two is the
// ration's maximum: an overfed ration does not hide a dose behind its bulk,
// a short one does not hide a density behind its shortfall, and where supply
// meets the requirement both agree. Without a requirement the supply alone
// scales.
double RationLimits::basisAmount(const GridModel& ration, int key)
{
    const double supply = supplied(ration, key);
    const int column = find(ration, QString::number(key));
    const double requirement = column < 0 ? 0.0 : NumberText::read(ration.text(RequirementRow, column));
    return requirement > 0.0 && requirement < supply ? requirement : supply;
}

std::optional<double> RationLimits::dailyMaximum(const NutrientMaximum& maximum, double kcal,
                                                 double dryMatter)
{
    switch (maximum.basis) {
    case NutrientMaximum::Basis::PerThousandKcal:
        if (kcal > 0.0)
            return maximum.value * kcal / 1000.0;
        break;
    case NutrientMaximum::Basis::PerHundredGramsDryMatter:
        if (dryMatter > 0.0)
            return maximum.value * dryMatter / 100.0;
        break;
    case NutrientMaximum::Basis::Ratio:
        return maximum.value;
    }
    return std::nullopt;
}

std::optional<std::pair<double, const NutrientMaximum*>>
RationLimits::lowestDailyMaximum(const std::vector<NutrientMaximum>& maxima, int key, bool ratios,
                                 double kcal, double dryMatter)
{
    std::optional<std::pair<double, const NutrientMaximum*>> lowest;
    for (const NutrientMaximum& maximum : maxima) {
        if (maximum.nutrient != key || (maximum.basis == NutrientMaximum::Basis::Ratio) != ratios)
            continue;
        const std::optional<double> daily = dailyMaximum(maximum, kcal, dryMatter);
        if (daily && (!lowest || *daily < lowest->first))
            lowest = std::make_pair(*daily, &maximum);
    }
    return lowest;
}

namespace {

// The lowest applying maximum of the column's key, and whether the shown
// figure exceeds it as both are shown.
void applyMaxima(NutrientCheck& check, const GridModel& grid, int column, int figureRow,
                 const std::vector<NutrientMaximum>& maxima, double kcal, double dryMatter, bool ratios)
{
    const auto lowest =
        RationLimits::lowestDailyMaximum(maxima, NumberText::readWhole(check.key), ratios, kcal, dryMatter);
    if (!lowest)
        return;
    check.maximum = lowest->first;
    check.source = lowest->second->source;
    check.maximumText = NumberText::format(*check.maximum, decimals(grid, column));
    const QString figure = grid.text(figureRow, column).trimmed();
    check.over = !figure.isEmpty() && NumberText::read(figure) > NumberText::read(check.maximumText);
}

} // namespace

std::vector<NutrientCheck> RationLimits::checkNutrients(const GridModel& ration,
                                                        const std::vector<NutrientMaximum>& maxima)
{
    const double kcal = basisAmount(ration, EnergyKcalKey);
    const double dryMatter = basisAmount(ration, DryMatterKey);
    std::vector<NutrientCheck> checks;
    for (int c = FirstColumn; c < ration.columnCount(); ++c) {
        NutrientCheck check;
        check.key = ration.text(KeyRow, c).trimmed();
        applyMaxima(check, ration, c, SupplyRow, maxima, kcal, dryMatter, false);
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
        applyMaxima(check, profile, c, RequirementRow, maxima, 0.0, 0.0, true);
        checks.push_back(check);
    }
    return checks;
}
