#pragma once

#include "core/Lang.h"

// What the recipe page shows and says.
namespace RecipeTexts {

inline constexpr Lang::Text ForExample{"z. B. ", "e.g. "};
inline constexpr Lang::Text Owner{"Besitzer: ", "Owner: "};
inline constexpr Lang::Text RecipeTitleDiagnosis{"Rezepttitel / Diagnose: ", "Recipe Title / Diagnosis: "};
inline constexpr Lang::Text RecipeHeading{"REZEPT", "RECIPE"};
inline constexpr Lang::Text GramsPerDay{"g/Tag", "g/day"};
inline constexpr Lang::Text GramsPerMeal{"g/Mahlzeit", "g/meal"};
inline constexpr Lang::Text MealsPerDay{"Mahlzeiten pro Tag", "Meals per day"};
inline constexpr Lang::Text BatchFor{"Vorrat für", "Batch for"};
inline constexpr Lang::Text BatchDays{"Tage", "days"};
inline constexpr Lang::Text RecipeLanguage{"Sprache des Rezepts", "Recipe language"};
inline constexpr Lang::Text German{"Deutsch", "German"};
inline constexpr Lang::Text English{"Englisch", "English"};
// The batch section of the handout.
inline constexpr Lang::Text BatchHeading{"Vorrat für %1 Tage (g)", "Batch for %1 days (g)"};
inline constexpr Lang::Text Supplements{"Ergänzungsmittel", "Supplements"};
inline constexpr Lang::Text Premix{"Supplement-Mischung: zusammen %1 g, täglich %2 g davon:",
                                   "Supplement premix: %1 g in all, %2 g of it a day:"};
inline constexpr Lang::Text Kilograms{" (%1 kg)", " (%1 kg)"};
inline constexpr Lang::Text LessThan{"< %1", "< %1"};
inline constexpr Lang::Text Food{"Futtermittel", "Food"};
inline constexpr Lang::Text ContentsMissing{
    "Für einige Nährstoffe fehlen Angaben einzelner Futtermittel (%1); die Versorgung kann höher sein.",
    "For some nutrients the contents of single feedstuffs are missing (%1); the supply may be higher."};
inline constexpr Lang::Text AboveMaximum{"Über dem Höchstwert: %1.", "Above the maximum: %1."};
inline constexpr Lang::Text RemoveTextBlock{"Wollen Sie diesen Textbaustein aus dem Rezept entfernen?",
                                            "Do you want to remove this text block from the recipe?"};
inline constexpr Lang::Text DateOfIssue{"Ausstelldatum: %1", "Date of issue: %1"};
inline constexpr Lang::Text Male{"männlich", "male"};
inline constexpr Lang::Text Female{"weiblich", "female"};

} // namespace RecipeTexts
