#pragma once

#include "core/Lang.h"

// What the coverage, growth and weight-check charts show and say.
namespace ChartTexts {

inline constexpr Lang::Text CoverageTitle{"Bedarfsdeckung für ", "Fullfillment of demands "};
inline constexpr Lang::Text NutrientsAxis{
    "Nährstoffe (Werte, die den Bedarfswert um den Faktor 10 überschreiten, werden nicht dargestellt)",
    "Nutrients (more then 10fold exceeded requirements will not be graphed)"};
inline constexpr Lang::Text Percent{"Prozent", "Percent"};
inline constexpr Lang::Text Maximum{"Höchstwert", "Maximum"};
inline constexpr Lang::Text IncompleteData{"unvollständige Daten", "incomplete data"};
inline constexpr Lang::Text GrowthTitle{"Wachstumskurve für ", "Weight curve for "};
inline constexpr Lang::Text AgeWeeks{"Alter [Wochen]", "Age [weeks]"};
inline constexpr Lang::Text WeightKg{"Gewicht [kg]", "Weight [kg]"};
inline constexpr Lang::Text WeightCheckTitle{"Gewichts-Check Kurve für ", "Weight-Check curve for "};
inline constexpr Lang::Text DietWeeks{"Diätdauer [Wochen]", "Diet time [weeks]"};
// After the species in a chart's title; the male "m) " is the same in both.
inline constexpr Lang::Text FemaleShort{"w) ", "f) "};

} // namespace ChartTexts
