#include "ration/RationBasis.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "ration/RationModel.h"
#include "ration/RationPageTexts.h"

QString RationFigures::text(const std::optional<double>& figure, int decimals)
{
    return figure ? NumberText::format(*figure, decimals) : QString();
}

namespace {

std::optional<double> suppliedBy(const RationFigures& figures, int key)
{
    for (const RationFigures::Nutrient& nutrient : figures.nutrients) {
        if (nutrient.key == QString::number(key))
            return nutrient.supply;
    }
    return std::nullopt;
}

} // namespace

RationFigures RationBasis::dailyFigures(const RationModel& ration)
{
    RationFigures figures;
    for (size_t c = 0; c < ration.nutrients.size(); ++c) {
        const RationColumn& column = ration.nutrients[c];
        RationFigures::Nutrient nutrient;
        nutrient.key = QString::number(column.key);
        nutrient.unit = column.unit.trimmed();
        nutrient.decimals = column.decimals;
        nutrient.requirement = column.requirement;
        nutrient.supply = column.supply;
        nutrient.maximum = column.check.maximum;
        for (const RationFeed& feed : ration.feeds)
            nutrient.contributions.push_back(c < feed.contributions.size() ? feed.contributions[c]
                                                                           : std::nullopt);
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
