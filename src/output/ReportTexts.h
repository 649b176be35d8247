#pragma once

#include "core/Lang.h"

// What the case report, the PDF of a case for the practice's file, says.
namespace ReportTexts {

inline constexpr Lang::Text Title{"Fallbericht", "Case report"};

// Section headings.
inline constexpr Lang::Text CaseSection{"Fall", "Case"};
inline constexpr Lang::Text RationSection{"Ration", "Ration"};
inline constexpr Lang::Text NutrientSection{"Nährstoffe", "Nutrients"};
inline constexpr Lang::Text IndicatorSection{"Kenngrößen", "Indicators"};
inline constexpr Lang::Text ChartSection{"Diagramme", "Charts"};

// The case header.
inline constexpr Lang::Text Owner{"Besitzer", "Owner"};
inline constexpr Lang::Text Patient{"Patient", "Patient"};
inline constexpr Lang::Text Species{"Tierart", "Species"};
inline constexpr Lang::Text Sex{"Geschlecht", "Sex"};
inline constexpr Lang::Text Breed{"Rasse", "Breed"};
inline constexpr Lang::Text CaseType{"Fallart", "Case type"};
inline constexpr Lang::Text ActualWeight{"Aktuelles Gewicht", "Actual weight"};
inline constexpr Lang::Text TargetWeight{"Zielgewicht", "Target weight"};
inline constexpr Lang::Text AdultWeight{"Erwartetes Adultgewicht", "Expected adult weight"};
inline constexpr Lang::Text BirthDate{"Geburtsdatum", "Date of birth"};
inline constexpr Lang::Text EnergyFactor{"Energiefaktor", "Energy factor"};
inline constexpr Lang::Text RecipeDate{"Rezeptdatum", "Recipe date"};
inline constexpr Lang::Text RecipeTitle{"Rezepttitel / Diagnose", "Recipe title / diagnosis"};

// The ration.
inline constexpr Lang::Text Feedstuff{"Futtermittel", "Feedstuff"};
inline constexpr Lang::Text GramsPerDay{"g/Tag", "g/day"};
inline constexpr Lang::Text Total{"Summe", "Total"};
inline constexpr Lang::Text Energy{"Energie der Ration", "Energy of the ration"};
inline constexpr Lang::Text DryMatter{"Trockensubstanz der Ration", "Dry matter of the ration"};
inline constexpr Lang::Text NoFigure{"keine Angabe", "not given"};

// The nutrients and indicators.
inline constexpr Lang::Text Nutrient{"Nährstoff", "Nutrient"};
inline constexpr Lang::Text Indicator{"Kenngröße", "Indicator"};
inline constexpr Lang::Text Unit{"Einheit", "Unit"};
inline constexpr Lang::Text Requirement{"Bedarf", "Requirement"};
inline constexpr Lang::Text Maximum{"Höchstwert", "Maximum"};
inline constexpr Lang::Text Supply{"Versorgung", "Supply"};
inline constexpr Lang::Text Coverage{"Deckung %", "Coverage %"};
inline constexpr Lang::Text Value{"Wert", "Value"};
inline constexpr Lang::Text Remark{"Hinweis", "Remark"};
inline constexpr Lang::Text Incomplete{"unvollständig", "incomplete"};
inline constexpr Lang::Text OverMaximum{"über Höchstwert", "over maximum"};
inline constexpr Lang::Text NoMarkedNutrient{"Kein Nährstoff ausgewählt.", "No nutrient selected."};
inline constexpr Lang::Text NoFeedstuff{"Die Ration enthält kein Futtermittel.",
                                        "The ration holds no feedstuff."};

// The footer of every page.
inline constexpr Lang::Text PrintedOn{"Gedruckt am %1", "Printed on %1"};
inline constexpr Lang::Text PageOf{"Seite %1 von %2", "Page %1 of %2"};

// Saving from the case window.
inline constexpr Lang::Text SaveButton{"Fall als PDF speichern…", "Save case as PDF…"};
inline constexpr Lang::Text SaveCaption{"Fall als PDF speichern", "Save case as PDF"};
inline constexpr Lang::Text PdfFilter{"PDF-Dateien (*.pdf)", "PDF files (*.pdf)"};
inline constexpr Lang::Text NotWritten{"Die Datei „%1“ konnte nicht geschrieben werden.",
                                       "The file \"%1\" could not be written."};

} // namespace ReportTexts
