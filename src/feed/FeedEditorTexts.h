#pragma once

#include "core/Lang.h"

// What the feedstuff editor and the calculation of a feedstuff's figures say.
namespace FeedEditorTexts {

inline constexpr Lang::Text NfeNegative{"Nfe negativ, bitte die Werte für Rohnährstoffe kontrollieren",
                                        "Nfe negative, please check raw feedstuff"};
inline constexpr Lang::Text CalculationFinished{"Kenngrössen wurden neu berechnet !",
                                                "Calculation finished ! "};
inline constexpr Lang::Text MoistureAndDryMatterNot100{
    "Der Wert für Feuchte und TS muß 100 ergeben, bitte ändern oder neu berechnen!",
    "Sum of moisture and dry matter must be 100, please change or calculate new!"};
inline constexpr Lang::Text Feedstuff{"Futtermittel", "Feedstuff"};
inline constexpr Lang::Text Shipped{" (mitgeliefert)", " (shipped)"};

} // namespace FeedEditorTexts
