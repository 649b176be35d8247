#pragma once

#include <QString>

#include <vector>

class AppContext;
class CaseHeaderSource;

// An upper limit of T_HOECHSTWERT that applies to a case.
struct NutrientMaximum
{
    enum class Basis {
        PerThousandKcal,          // per 1000 kcal ME of the ration
        PerHundredGramsDryMatter, // per 100 g of the ration's dry matter
        Ratio                     // the indicator's own figure
    };
    int nutrient = 0;
    double value = 0.0; // in the nutrient's unit per the basis
    Basis basis = Basis::PerThousandKcal;
    QString source;
};

namespace NutrientMaxima {

// The active rows of the case's species and life stage (T_FALL_LEBENSPHASE
// of its case type) and of every stage, whose condition the case meets.
// Nothing without a species or when the tables cannot be read.
std::vector<NutrientMaximum> forCase(AppContext& context, const CaseHeaderSource& header);

} // namespace NutrientMaxima
