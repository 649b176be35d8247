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

} // namespace RationPageTexts
