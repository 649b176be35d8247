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

} // namespace RationPageTexts
