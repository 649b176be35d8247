#pragma once

#include "core/Lang.h"

// What the database layer says: the check of a database, the update of the
// shipped feedstuffs, the backup copy.
namespace DatabaseTexts {

inline constexpr Lang::Text NotCheckedOnServer{
    "%1: auf einem Datenbankserver nicht geprüft; der Server hält seine Dateien selbst in Ordnung.",
    "%1: not checked on a database server; the server keeps its files sound itself."};
inline constexpr Lang::Text NotChecked{"%1: konnte nicht geprüft werden (%2).",
                                       "%1: could not be checked (%2)."};
inline constexpr Lang::Text Concerned{"\nBetroffen: ", "\nConcerned: "};
inline constexpr Lang::Text MoreRows{"%1 weitere", "%1 more"};
inline constexpr Lang::Text ShippedFeedsUpdated{
    "Die mitgelieferten Futtermitteldaten wurden aktualisiert: %1 Futtermittel neu, %2 geändert; %3 Gehalte neu, %4 geändert, %5 entfallen; %6 Bedarfsformeln neu. Gespeicherte Fälle zeigen beim Öffnen die neuen Werte.",
    "The shipped feedstuff data were updated: %1 new feedstuffs, %2 changed; %3 new contents, %4 changed, %5 removed; %6 new requirement formulas. Stored cases show the new values when opened."};
inline constexpr Lang::Text UnitsChanged{"\n\nGeänderte Einheiten: %1.", "\n\nUnits changed: %1."};
inline constexpr Lang::Text OwnFeedsInOldUnit{
    " Diese eigenen Futtermittel haben Werte in der alten Einheit; bitte prüfen: %1.",
    " These own feedstuffs hold values in the old unit; please check: %1."};
inline constexpr Lang::Text UpgradeFailed{
    "Die Datenbank konnte nicht auf den Stand dieser Programmversion gebracht werden und bleibt, wie sie war: %1\nDas Programm versucht es beim nächsten Öffnen wieder.",
    "The database could not be brought up to this program version and stays as it was: %1\nThe program tries again the next time it opens it."};

} // namespace DatabaseTexts
