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

// The editor's labels.
inline constexpr Lang::Text TypeLabel{"Futtermittel Typ:", "Kind of Feedstuff:"};
inline constexpr Lang::Text GermanNameLabel{"Bezeichnung deutsch:", "German name:"};
inline constexpr Lang::Text EnglishNameLabel{"Bezeichnung englisch:", "English name:"};
inline constexpr Lang::Text ProducerLabel{"Hersteller:", "Producer:"};
inline constexpr Lang::Text HintGermanLabel{"Hinweis deutsch:", "Hint german:"};
inline constexpr Lang::Text HintEnglishLabel{"Hinweis englisch:", "Hint english:"};
inline constexpr Lang::Text DataMissingLabel{"Daten fehlen:", "Info missing:"};
inline constexpr Lang::Text ActiveLabel{"Aktiv:", "Active:"};
inline constexpr Lang::Text LastUpdateLabel{"Zuletzt bearbeitet:", "Last update:"};
inline constexpr Lang::Text CategoryLabel{"Futtermittelkategorie:", "Category:"};
inline constexpr Lang::Text BarTypeLabel{"Futtermittel Typ", "Kind of Feedstuff:"};
inline constexpr Lang::Text BarFeedLabel{"Futtermittel", "Feedstuff:"};
inline constexpr Lang::Text NewLabel{"Neu", "New"};
inline constexpr Lang::Text CalculateLabel{"Berechnen", "Calculate"};
inline constexpr Lang::Text SaveLabel{"Speichern", "Save"};
inline constexpr Lang::Text DeleteLabel{"Löschen", "Delete"};
inline constexpr Lang::Text CopyLabel{"Kopieren", "Copy"};
inline constexpr Lang::Text RequiredNote{
    "Bei der Erfassung von Futtermitteln  müssen die weiß hinterlegten Nährstoffe "
    "mindestens erfasst werden, um eine Berechnung durchzuführen.",
    "White marked cells: data required for correct calculation"};
inline constexpr Lang::Text NutrientHeading{"Nährstoff", "Feedstuff"};
inline constexpr Lang::Text IndicatorHeading{"Kenngrösse", "Indicator"};
inline constexpr Lang::Text UnitHeading{"Einheit", "Unit"};
inline constexpr Lang::Text AmountHeading{"Gehalt", "Amount"};

} // namespace FeedEditorTexts
