#pragma once

#include "core/Lang.h"

// What the case window's header form and ration page say: messages about the
// inputs, the maximum row's tooltips and the basis of the figures.
namespace RationPageTexts {

inline constexpr Lang::Text WindowTitle{"Rationsberechnung", "Calculation of Ration"};
inline constexpr Lang::Text DateInFuture{"„%1“ darf nicht in der Zukunft liegen.",
                                         "\"%1\" cannot lie in the future."};
inline constexpr Lang::Text NotANumber{"Bitte geben Sie bei „%1“ eine Zahl ein.",
                                       "Please enter a number for \"%1\"."};
inline constexpr Lang::Text NotPositive{"„%1“ muss größer als 0 sein.", "\"%1\" must be greater than 0."};
inline constexpr Lang::Text Maximum{"Höchstwert ", "Maximum "};
inline constexpr Lang::Text CrossedMaximum{
    "Die Quelle nennt als Höchstwert %1, weniger als den Bedarf; gezeigt ist der Bedarf.",
    "The source gives a maximum of %1, below the requirement; the requirement is shown."};
inline constexpr Lang::Text ContentMissing{"Ohne Gehaltsangabe, nicht mitgezählt: ",
                                           "No content stored, not counted: "};
inline constexpr Lang::Text FeedAlreadyListed{"Das ausgewählte Futtermittel steht bereits in der Liste",
                                              "Nutrial selected two times"};
inline constexpr Lang::Text DeleteFeedQuestion{"Möchten Sie dieses Futtermittel löschen?",
                                               "do you want delete this food "};
inline constexpr Lang::Text PerKgDryMatter{"/kg TS", "/kg DM"};

// The header form's checks of a case before it is saved, and its questions.
inline constexpr Lang::Text NoSalutation{"Bitte wählen Sie eine Anrede aus", "Please select adress"};
inline constexpr Lang::Text NoOwner{"Bitte geben Sie einen Besitzernamen ein", "Please fill name of owner "};
inline constexpr Lang::Text NoPatient{"Bitte geben Sie einen Patientennamen ein",
                                      "Please fill name of patient"};
inline constexpr Lang::Text NoSpecies{"Bitte wählen Sie eine Gattung aus", "Please select spezies"};
inline constexpr Lang::Text NoSex{"Bitte wählen Sie das Geschlecht aus", "Please select gender"};
inline constexpr Lang::Text NoCaseType{"Bitte wählen Sie einen Fall aus", "Please select case"};
inline constexpr Lang::Text NoPuppies{"Die Anzahl der Welpen muss > 0 sein",
                                      "Number of puppies should be > 0 "};
inline constexpr Lang::Text NoNewTitle{"Bitte geben Sie einen (neuen) Titel ein",
                                       "Please fill/change title "};
inline constexpr Lang::Text FeedGone{
    "Das Futtermittel „%1“ gibt es nicht mehr. Bitte nehmen Sie es aus der Ration; der Fall wurde nicht gespeichert.",
    "The feedstuff \"%1\" no longer exists. Please remove it from the ration; the case has not been saved."};
inline constexpr Lang::Text RecordNotInserted{"Satz konnte nicht eingefügt werden",
                                              "Record can't be inserted"};
inline constexpr Lang::Text SaveQuestion{"Möchten Sie diesen Fall speichern?",
                                         "do you want  to save this case?"};

// The header form's labels.
inline constexpr Lang::Text SalutationLabel{"Anrede", "Adress"};
inline constexpr Lang::Text OwnerLabel{"Besitzername", "Name of owner"};
inline constexpr Lang::Text PatientLabel{"Patientenname", "Name of patient"};
inline constexpr Lang::Text BreedLabel{"Hunderasse            ", "dog breed "};
inline constexpr Lang::Text RecipeDateLabel{"Rezeptdatum", "Recipe Date"};
inline constexpr Lang::Text TitleLabel{"Rezepttitel / Diagnose", "Recipe Title / Diagnosis"};
inline constexpr Lang::Text SaveLabel{"Speichern", "Save"};
inline constexpr Lang::Text SpeciesAndSexLabel{"Spezies       Geschl.   ", "Species    Gender "};
inline constexpr Lang::Text CaseTypeLabel{"Fall / Diagnose", "Case / diagnosis"};
inline constexpr Lang::Text CatConditionLabel{"Ernährungszustand Katze", "Nutritional Status"};
inline constexpr Lang::Text RibsPalpableLabel{"Rippen gut fühlbar", "Ribs tangible"};
inline constexpr Lang::Text RibsFatCoveredLabel{"Rippen fettbedeckt", "Ribs fat covered"};
inline constexpr Lang::Text ActualWeightLabel{"akt. Gewicht", "Actual weight"};
inline constexpr Lang::Text TargetWeightLabel{"Sollgewicht", "Normal w."};
inline constexpr Lang::Text AdultWeightLabel{"Adultgewicht", "Adult weight"};
inline constexpr Lang::Text EnergyLabel{"ME  -  Bedarf ", "ME required"};
inline constexpr Lang::Text PuppiesLabel{"Anz. Welpen", "Number of Pups"};
inline constexpr Lang::Text BirthDateLabel{"Geburtsdatum ", "Date of birth"};
inline constexpr Lang::Text AgeWeeksLabel{"Alter[Wochen]", "   age[weeks]"};

// The ration page's labels.
inline constexpr Lang::Text CategoryLabel{"Kategorie", "Category"};
inline constexpr Lang::Text TypeLabel{"Typ", "Type"};
inline constexpr Lang::Text FoodLabel{"Futtermittel", "Food"};
inline constexpr Lang::Text FilterLabel{"Filter", "Filter"};
inline constexpr Lang::Text PrintLabel{"Print", "Print"};
inline constexpr Lang::Text BalanceLabel{"Ration ausgleichen", "Balance ration"};
inline constexpr Lang::Text CsvLabel{"Als CSV speichern…", "Save as CSV…"};
inline constexpr Lang::Text CsvCaption{"Ration als CSV speichern", "Save the ration as CSV"};
inline constexpr Lang::Text CsvFilter{"CSV-Dateien (*.csv)", "CSV files (*.csv)"};
inline constexpr Lang::Text CsvNotWritten{"Die Datei „%1“ konnte nicht geschrieben werden.",
                                          "The file \"%1\" could not be written."};

// The headings of the ration and profile grids.
inline constexpr Lang::Text NutrientsHeading{"Nährstoffe", "Ingridience"};
inline constexpr Lang::Text AmountHeading{"Menge", "amount"};
inline constexpr Lang::Text UnitsHeading{"Einheiten", "Units"};
inline constexpr Lang::Text GramsPerDayHeading{"g/Tag", "g/day"};
inline constexpr Lang::Text RequirementHeading{"Bedarf", "requirement"};
inline constexpr Lang::Text MaximumHeading{"Höchstwert", "Maximum"};
inline constexpr Lang::Text SupplyHeading{"Versorgung", "supply"};
inline constexpr Lang::Text ProfileHeading{"Kenngrössen", "Nutrient profile"};
inline constexpr Lang::Text ResultsHeading{"Ergebnisse", "Results"};

// A weight-reduction ration below the practice's floor.
inline constexpr Lang::Text BelowFloor{
    "Die Ration liefert %1 kcal/Tag, weniger als die Untergrenze von %2 kcal/Tag (%3 % von 70 × kg^0,75).",
    "The ration supplies %1 kcal/day, less than the floor of %2 kcal/day (%3 % of 70 × kg^0.75)."};

} // namespace RationPageTexts
