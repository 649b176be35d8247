#pragma once

#include "core/Lang.h"

// What the balancing of a ration shows and says: its dialog's labels, its
// messages and the lines below its proposal.
namespace RationBalancingTexts {

// The dialog.
inline constexpr Lang::Text Title{"Ration ausgleichen", "Balance ration"};
inline constexpr Lang::Text Feed{"Futtermittel", "Feedstuff"};
inline constexpr Lang::Text Now{"Jetzt g", "Now g"};
inline constexpr Lang::Text Lock{"Sperre", "Lock"};
inline constexpr Lang::Text Exclude{"Nicht verwenden", "Do not use"};
inline constexpr Lang::Text Minimum{"Min g", "Min g"};
inline constexpr Lang::Text Maximum{"Max g", "Max g"};
inline constexpr Lang::Text Proposed{"Vorschlag g", "Proposed g"};
inline constexpr Lang::Text Change{"Änderung g", "Change g"};
inline constexpr Lang::Text Apply{"Übernehmen", "Apply"};
inline constexpr Lang::Text Cancel{"Abbrechen", "Cancel"};
inline constexpr Lang::Text Complete{"Mit Supplementen ergänzen", "Complete with supplements"};
inline constexpr Lang::Text Days{"Mischung für Tage", "Premix for days"};
inline constexpr Lang::Text Portion{"Tagesportion g", "Daily portion g"};
inline constexpr Lang::Text Carrier{"Träger", "Carrier"};
inline constexpr Lang::Text NoCarrier{"(keiner)", "(none)"};
inline constexpr Lang::Text Added{"neu", "new"};
inline constexpr Lang::Text CarrierRow{"Träger", "carrier"};

// Messages.
inline constexpr Lang::Text NoFeedstuffs{"Die Ration enthält noch keine Futtermittel.",
                                         "The ration holds no feedstuffs yet."};
inline constexpr Lang::Text NoEnergyRequirement{
    "Für diesen Fall ist kein Energiebedarf berechnet. Bitte zuerst Tierart, Fallart und Gewicht eingeben.",
    "No energy requirement is computed for this case. Please enter species, case type and weight first."};
inline constexpr Lang::Text UnusableNumber{
    "Die Ration lässt sich nicht ausgleichen: ein Gehalt, ein Höchstwert oder eine Menge ist keine brauchbare "
    "Zahl.",
    "The ration cannot be balanced: a content, a maximum or an amount is not a usable number."};
inline constexpr Lang::Text NoSolution{
    "Die Ration ließ sich nicht ausgleichen; der Rechner fand keine Lösung.",
    "The ration could not be balanced; the solver found no solution."};
inline constexpr Lang::Text AmountOutOfRange{"Bitte eine Menge in Gramm von 0 bis 100000 eingeben.",
                                             "Please enter an amount in grams from 0 to 100000."};
inline constexpr Lang::Text MinimumAboveMaximum{"Die Mindestmenge von %1 liegt über der Höchstmenge.",
                                                "The minimum of %1 is above its maximum."};

// The lines below the proposal.
inline constexpr Lang::Text NoData{" (keine Angaben)", " (no data)"};
inline constexpr Lang::Text AllMet{
    "Energie, alle markierten Bedarfswerte und alle Höchstwerte sind eingehalten.",
    "Energy, every marked requirement and every maximum are met."};
inline constexpr Lang::Text Short{"Zu wenig: ", "Short: "};
inline constexpr Lang::Text Over{"Zu viel: ", "Over: "};
inline constexpr Lang::Text SupplementFor{"Supplement für %1: %2 g %3", "Supplement for %1: %2 g %3"};
inline constexpr Lang::Text Also{" (auch: %1)", " (also: %1)"};
inline constexpr Lang::Text NoSupplementCloses{
    "Kein mitgeliefertes Supplement schließt allein die Lücke bei: %1",
    "No shipped supplement alone closes the gap in: %1"};
inline constexpr Lang::Text Premix{"Supplement-Mischung für %1 Tage, täglich %2 g:",
                                   "Supplement premix for %1 days, %2 g a day:"};
inline constexpr Lang::Text TooLittle{" (zu wenig, um genau abzuwiegen: bitte verdünnen)",
                                      " (too little to weigh exactly: please dilute)"};
inline constexpr Lang::Text PremixCarrier{"  %1 (Träger): %2 g", "  %1 (carrier): %2 g"};
inline constexpr Lang::Text Overfull{
    "  Die Substanzen wiegen mehr als %1 g täglich; die Mischung bleibt ohne "
    "Träger.",
    "  The substances weigh more than %1 g a day; the premix has no carrier."};

} // namespace RationBalancingTexts
