#pragma once

#include "ration/RationLimits.h"

#include <QString>

#include <optional>
#include <vector>

struct RationModel;

// The ration's nutrient figures as numbers, daily or per a basis a food
// label uses.
struct RationFigures
{
    enum class Basis {
        Daily,
        PerThousandKcal,     // per 1000 kcal ME the ration supplies
        PerKilogramDryMatter // per kg of the ration's dry matter
    };
    struct Nutrient
    {
        QString key;
        QString unit;
        int decimals = 0;
        std::optional<double> requirement;
        std::optional<double> supply;
        std::optional<double> maximum;
        std::vector<std::optional<double>> contributions; // one per feedstuff row
    };
    Basis basis = Basis::Daily;
    std::vector<Nutrient> nutrients; // one per nutrient column, in column order

    // A figure with its nutrient's decimals; empty for none.
    static QString text(const std::optional<double>& figure, int decimals);
};

namespace RationBasis {

// The ration's daily figures, with the maxima of the columns' checks.
RationFigures dailyFigures(const RationModel& ration);

// Every figure divided by the ration's supplied energy / 1000 kcal or dry
// matter / 1000 g, units to match (languageCode picks "TS" or "DM"). Supply
// and requirement are divided alike, so each coverage stays what it was.
// Nothing when the ration supplies no energy or dry matter to divide by.
std::optional<RationFigures> inBasis(const RationFigures& daily, RationFigures::Basis basis,
                                     const QString& languageCode);

} // namespace RationBasis
