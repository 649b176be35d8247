#pragma once

#include "core/Lang.h"

// What the main window, its case and result windows, its menus' dialogs (about,
// database check), the help documents and the language switch say.
namespace MainWindowTexts {

inline constexpr Lang::Text AboutText{
    "<b>Mensoly %3</b> – Rationsberechnung für Hund und Katze<br><br>Datenbank: %1<br>Installation: %2<br><br>Nährstoffgehalte der Systemfuttermittel: USDA National Nutrient Database for Standard Reference (gemeinfrei); Chlorid, Jod und Biotin zum Teil aus CoFID 2021 (Contains public sector information licensed under the Open Government Licence v3.0.), Jod zum Teil aus der USDA/FDA/ODS-NIH Iodine Database (gemeinfrei), Taurin nach Pasantes-Morales et al. (1989). Supplemente: aus der Summenformel berechnet.<br>Bedarfsformeln: FEDIAF, NRC, AAHA (Quellen in den Systemdaten).",
    "<b>Mensoly %3</b> – ration calculation for dogs and cats<br><br>Database: %1<br>Installation: %2<br><br>Nutrient contents of the system feedstuffs: USDA National Nutrient Database for Standard Reference (public domain); chloride, iodine and biotin partly from CoFID 2021 (Contains public sector information licensed under the Open Government Licence v3.0.), iodine partly from the USDA/FDA/ODS-NIH Iodine Database (public domain), taurine after Pasantes-Morales et al. (1989). Supplements: calculated from their chemical formulas.<br>Requirement formulas: FEDIAF, NRC, AAHA (sources in the system data)."};
inline constexpr Lang::Text SystemDataMaintenance{"Systemdatenpflege", "system data maintenance"};
inline constexpr Lang::Text User{"Anwender", "user"};
inline constexpr Lang::Text Backup{"Sicherungskopie", "Backup"};
inline constexpr Lang::Text BackupRunning{"Sicherungskopie wird angelegt …", "Making the backup copy …"};
inline constexpr Lang::Text HelpFile{"HilfeMSY.doc", "HelpMSY.doc"};
inline constexpr Lang::Text ManualFile{"Handbuch.doc", "Manual.doc"};
inline constexpr Lang::Text SearchFailed{"Suche fehlgeschlagen", "search failed"};
inline constexpr Lang::Text LanguageNotChanged{"Sprache konnte nicht geändert werden",
                                               "Language could not be updated"};
inline constexpr Lang::Text CaseWindowTitle{"Rationsberechnung", "Calculation of Ration"};
inline constexpr Lang::Text SearchResult{"Suchergebnis", "Search Result"};
inline constexpr Lang::Text OneCase{" Fall", " case"};
inline constexpr Lang::Text SeveralCases{" Fälle", " cases"};
inline constexpr Lang::Text RepairButton{"Reparieren", "Repair"};
inline constexpr Lang::Text CheckDatabaseTitle{"Datenbank prüfen", "Check database"};
inline constexpr Lang::Text CloseButton{"Schließen", "Close"};
inline constexpr Lang::Text CheckingEntry{"Prüfe: %1", "Checking: %1"};
inline constexpr Lang::Text Repaired{"Repariert.", "Repaired."};
inline constexpr Lang::Text RepairedAfterBackup{"Repariert; die Sicherungskopie davor: %1",
                                                "Repaired; the backup copy before: %1"};
inline constexpr Lang::Text RepairsFailed{"Nicht gelungen: %1", "Did not succeed: %1"};
inline constexpr Lang::Text DatabaseSound{"Die Datenbank ist in Ordnung.", "The database is sound."};
inline constexpr Lang::Text OneProblemFound{"1 Problem gefunden.", "1 problem found."};
inline constexpr Lang::Text ProblemsFound{"%1 Probleme gefunden.", "%1 problems found."};

} // namespace MainWindowTexts
