#pragma once

#include "core/Lang.h"

// What the follow-up of a patient's visits shows and says.
namespace FollowUpTexts {

inline constexpr Lang::Text PageTitle{"Verlauf", "Follow-up"};
inline constexpr Lang::Text Date{"Datum", "Date"};
inline constexpr Lang::Text Weight{"Gewicht [kg]", "Weight [kg]"};
inline constexpr Lang::Text Change{"Änderung [kg]", "Change [kg]"};
inline constexpr Lang::Text PerWeek{"% pro Woche", "% a week"};
inline constexpr Lang::Text BodyCondition{"Körperkondition", "Body condition"};
inline constexpr Lang::Text EnergyFactor{"ME %", "ME %"};
inline constexpr Lang::Text Supplied{"kcal/Tag der Ration", "kcal/day of the ration"};
inline constexpr Lang::Text RibsPalpable{"Rippen gut fühlbar", "Ribs easily felt"};
inline constexpr Lang::Text RibsCovered{"Rippen fettbedeckt", "Ribs covered by fat"};
inline constexpr Lang::Text Need{
    "Tatsächlicher Energiebedarf seit dem letzten Besuch: %1 kcal/Tag (%2 % des Formelbedarfs); "
    "Ration %3 kcal/Tag, Gewichtsänderung %4 kg × %5 kcal/kg über %6 Tage.",
    "Energy really needed since the last visit: %1 kcal/day (%2 % of the formula's requirement); "
    "ration %3 kcal/day, weight change %4 kg × %5 kcal/kg over %6 days."};
inline constexpr Lang::Text Proposal{"ME-Bedarf für den nächsten Besuch: %1 %",
                                     "ME requirement for the next visit: %1 %"};
inline constexpr Lang::Text TakeProposal{"In den neuen Besuch übernehmen", "Take into the new visit"};
inline constexpr Lang::Text NextCheck{"Nächste Kontrolle: %1", "Next check: %1"};
inline constexpr Lang::Text NewVisit{"Neuer Besuch", "New visit"};
inline constexpr Lang::Text EarlierVisits{
    "Diese früher gespeicherten Fälle gehören vermutlich zum selben Patienten (Besitzer, Name, Tierart und "
    "Geburtsdatum stimmen überein): %1. Als frühere Besuche verknüpfen?",
    "These cases stored earlier probably belong to the same patient (owner, name, species and birth date "
    "agree): %1. Link them as earlier visits?"};
inline constexpr Lang::Text LinkVisits{"Verknüpfen", "Link"};
inline constexpr Lang::Text NotLinked{"Die Fälle konnten nicht verknüpft werden.",
                                      "The cases could not be linked."};
inline constexpr Lang::Text MeasuredWeight{"Gemessenes Gewicht", "Measured weight"};
inline constexpr Lang::Text TargetWeight{"Zielgewicht", "Target weight"};
inline constexpr Lang::Text PlannedCourse{"Geplanter Verlauf", "Planned course"};
inline constexpr Lang::Text ExpectedGrowth{"Erwartetes Wachstum", "Expected growth"};
inline constexpr Lang::Text ChartTitle{"Gewichtsverlauf von %1", "Weight course of %1"};
inline constexpr Lang::Text WeeksAxis{"Wochen seit dem ersten Besuch", "Weeks since the first visit"};

// The flags, as the page says them.
inline constexpr Lang::Text FastLoss{"Abnahme schneller als %1 % pro Woche", "Loss faster than %1 % a week"};
inline constexpr Lang::Text SlowLoss{"Abnahme langsamer als %1 % pro Woche", "Loss slower than %1 % a week"};
inline constexpr Lang::Text GainOnReduction{"Zunahme trotz Gewichtsreduktion", "Gain on a weight reduction"};
inline constexpr Lang::Text BelowGrowthCurve{"Gewicht mehr als %1 % unter der erwarteten Wachstumskurve",
                                             "Weight more than %1 % below the expected growth curve"};
} // namespace FollowUpTexts
