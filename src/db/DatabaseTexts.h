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
inline constexpr Lang::Text NoCopyOfServerDatabase{
    "Die Datenbank liegt auf einem PostgreSQL-Server. Mensoly legt keine Sicherungskopie an; sichern Sie die Datenbank auf dem Server (z. B. mit pg_dump).",
    "The database is kept on a PostgreSQL server. Mensoly makes no backup copy of it; back it up on the server (with pg_dump, for instance)."};
inline constexpr Lang::Text NoDatabaseOpen{"Keine Datenbank geöffnet.", "No database is open."};
inline constexpr Lang::Text BackedUpOnServer{"Die Datenbank liegt auf einem Server; sie wird dort gesichert.",
                                             "The database is kept on a server and is backed up there."};
inline constexpr Lang::Text CopyIsOpenDatabase{
    "Die Sicherungskopie darf nicht die geöffnete Datenbank selbst sein.",
    "The backup copy must not be the open database itself."};
inline constexpr Lang::Text NoFileName{"Kein Dateiname angegeben.", "No file name given."};
inline constexpr Lang::Text BackupMade{"Die Sicherungskopie wurde angelegt:\n%1",
                                       "The backup copy has been made:\n%1"};
inline constexpr Lang::Text BackupFailed{"Die Sicherungskopie konnte nicht angelegt werden:\n%1\n%2",
                                         "The backup copy could not be made:\n%1\n%2"};
inline constexpr Lang::Text NoBackupBeforeRepair{
    "Vor der Reparatur konnte keine Sicherungskopie der Datenbank angelegt werden:\n%1\nDie Reparatur wurde nicht ausgeführt; die Datenbank wurde nicht verändert.",
    "No backup copy of the database could be made before the repair:\n%1\nThe repair was not run; the database has not been changed."};
inline constexpr Lang::Text NoBackupBeforeImport{
    "Vor dem Import konnte keine Sicherungskopie der Datenbank angelegt werden:\n%1\nDer Import wurde nicht ausgeführt; die Datenbank wurde nicht verändert.",
    "No backup copy of the database could be made before the import:\n%1\nThe import was not run; the database has not been changed."};

} // namespace DatabaseTexts
