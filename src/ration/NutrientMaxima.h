#pragma once

#include <QString>

#include <vector>

class AppContext;
class CaseHeaderSource;

// An upper limit of T_HOECHSTWERT that applies to a case.
struct NutrientMaximum
{
    enum class Basis {
        PerThousandKcal, // per 1000 kcal ME
        Ratio            // the indicator's own figure
    };
    int nutrient = 0;
    double value = 0.0; // in the nutrient's unit per the basis
    Basis basis = Basis::PerThousandKcal;
    QString source;
};

namespace NutrientMaxima {

// The energy density the references state their dry-matter figures at.
constexpr double KcalPerKgDryMatter = 4000.0;

// The active rows of the case's species and life stage (T_FALL_LEBENSPHASE
// of its case type) and of every stage, whose condition the case meets.
// A row per 100 g dry matter comes per 1000 kcal ME at the references'
// 4000 kcal ME per kg dry matter, so that it scales with the energy the
// case needs as its requirement does and not with how moist the ration is.
// Nothing without a species or when the tables cannot be read.
std::vector<NutrientMaximum> forCase(AppContext& context, const CaseHeaderSource& header);

} // namespace NutrientMaxima
