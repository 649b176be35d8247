#include "ration/RationBasis.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "ration/NutrientColumns.h"
#include "ration/RationPageTexts.h"
#include "ui/GridModel.h"

using namespace NutrientColumns;

QString RationFigures::text(const std::optional<double>& figure, int decimals)
{
    return figure ? NumberText::format(*figure, decimals) : QString();
}

namespace {

std::optional<double> figureOf(const GridModel& grid, int row, int column)
{
    const QString text = grid.text(row, column).trimmed();
    if (text.isEmpty())
        return std::nullopt;
    return NumberText::read(text);
}

std::optional<double> suppliedBy(const RationFigures& figures, int key)
{
    for (const RationFigures::Nutrient& nutrient : figures.nutrients) {
        if (nutrient.key == QString::number(key))
            return nutrient.supply;
    }
    return std::nullopt;
}

} // namespace

RationFigures RationBasis::dailyFigures(const GridModel& ration, const std::vector<NutrientCheck>& checks)
{
    RationFigures figures;
    for (int c = FirstColumn; c < ration.columnCount(); ++c) {
        RationFigures::Nutrient nutrient;
        nutrient.key = ration.text(KeyRow, c).trimmed();
        nutrient.unit = ration.text(UnitRow, c).trimmed();
        nutrient.decimals = decimals(ration, c);
        nutrient.requirement = figureOf(ration, RequirementRow, c);
        nutrient.supply = figureOf(ration, SupplyRow, c);
        const size_t index = size_t(c - FirstColumn);
        if (index < checks.size())
            nutrient.maximum = checks[index].maximum;
        for (int row = FirstFeedRow; row < ration.rowCount(); ++row)
            nutrient.contributions.push_back(figureOf(ration, row, c));
        figures.nutrients.push_back(nutrient);
    }
    return figures;
}

std::optional<RationFigures> RationBasis::inBasis(const RationFigures& daily, RationFigures::Basis basis,
                                                  const QString& languageCode)
{
    if (basis == RationFigures::Basis::Daily)
        return daily;
    const bool perKcal = basis == RationFigures::Basis::PerThousandKcal;
    const std::optional<double> total =
        suppliedBy(daily, perKcal ? NutrientKey::EnergyKcal : NutrientKey::DryMatter);
    if (!total || *total <= 0.0)
        return std::nullopt;
    const double factor = 1000.0 / *total;
    const QString per =
        perKcal ? QStringLiteral("/1000 kcal") : RationPageTexts::PerKgDryMatter.in(languageCode);
    const auto scaled = [factor](const std::optional<double>& figure) -> std::optional<double> {
        if (!figure)
            return std::nullopt;
        return *figure * factor;
    };
    RationFigures converted = daily;
    converted.basis = basis;
    for (RationFigures::Nutrient& nutrient : converted.nutrients) {
        nutrient.unit += per;
        nutrient.requirement = scaled(nutrient.requirement);
        nutrient.supply = scaled(nutrient.supply);
        nutrient.maximum = scaled(nutrient.maximum);
        for (std::optional<double>& contribution : nutrient.contributions)
            contribution = scaled(contribution);
    }
    return converted;
}
