#include "ration/RationModel.h"

#include "core/NutrientKey.h"

#include "core/NumberText.h"

QString RationColumn::shown(const std::optional<double>& figure) const
{
    return figure ? NumberText::format(*figure, decimals) : QString();
}

std::optional<double> RationColumn::rounded(const std::optional<double>& figure) const
{
    if (!figure)
        return std::nullopt;
    return NumberText::round(*figure, decimals);
}

namespace {

const RationColumn* firstWithKey(const std::vector<RationColumn>& columns, int key)
{
    for (const RationColumn& column : columns) {
        if (column.key == key)
            return &column;
    }
    return nullptr;
}

} // namespace

const RationColumn* RationModel::nutrient(int key) const
{
    return firstWithKey(nutrients, key);
}

namespace {

constexpr double KcalPerMJ = 1000.0 / 4.184;

std::optional<double> energyOf(const RationModel& ration,
                               std::optional<double> (RationModel::*figure)(int) const)
{
    for (int key : {NutrientKey::EnergyKcal, NutrientKey::EnergyKcalSecond}) {
        if (const std::optional<double> kcal = (ration.*figure)(key))
            return kcal;
    }
    if (const std::optional<double> mj = (ration.*figure)(NutrientKey::EnergyMJ))
        return *mj * KcalPerMJ;
    return std::nullopt;
}

} // namespace

std::optional<double> RationModel::requiredKcal() const
{
    return energyOf(*this, &RationModel::requirementOf);
}

std::optional<double> RationModel::suppliedKcal() const
{
    return energyOf(*this, &RationModel::supplyOf);
}

const RationColumn* RationModel::indicator(int key) const
{
    return firstWithKey(indicators, key);
}

std::optional<double> RationModel::requirementOf(int key) const
{
    const RationColumn* column = nutrient(key);
    return column ? column->requirement : std::nullopt;
}

std::optional<double> RationModel::supplyOf(int key) const
{
    const RationColumn* column = nutrient(key);
    return column ? column->supply : std::nullopt;
}

int RationModel::feedIndex(int key) const
{
    for (size_t i = 0; i < feeds.size(); ++i) {
        if (feeds[i].key == key)
            return int(i);
    }
    return -1;
}

void RationModel::sumSupply()
{
    for (size_t c = 0; c < nutrients.size(); ++c) {
        if (feeds.empty()) {
            nutrients[c].supply.reset();
            continue;
        }
        double sum = 0.0;
        for (const RationFeed& feed : feeds) {
            if (c < feed.contributions.size() && feed.contributions[c])
                sum += *feed.contributions[c];
        }
        nutrients[c].supply = sum;
    }
}
