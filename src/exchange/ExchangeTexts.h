#pragma once

#include "core/Lang.h"

// What the exchange of system data and the import of the previous version's
// feedstuffs say.
namespace ExchangeTexts {

inline constexpr Lang::Text ExportingSystemTables{"Systemtabellen werden exportiert …",
                                                  "Exporting the system tables …"};
inline constexpr Lang::Text ImportingSystemTables{"Systemtabellen werden importiert …",
                                                  "Importing the system tables …"};
inline constexpr Lang::Text ExportCancelled{"Export abgebrochen. Es wurde keine Datei geschrieben.",
                                            "Export cancelled. No file was written."};
inline constexpr Lang::Text TableUnreadable{
    "Tabelle %1 konnte nicht gelesen werden. Es wurde keine Datei geschrieben.",
    "Table %1 could not be read. No file was written."};
inline constexpr Lang::Text CharacterNotExportable{
    "Export nicht möglich: Tabelle %1, Datensatz ID %2 enthält ein Zeichen, das die Exportdatei nicht aufnehmen kann. Es wurde keine Datei geschrieben.",
    "Export not possible: table %1, record ID %2 holds a character that the export file cannot hold. No file was written."};
inline constexpr Lang::Text ExportFileNotWritten{
    "Datei %1 konnte nicht geschrieben werden. Export wurde nicht durchgeführt!",
    "File %1 could not be written. Nothing was exported."};
inline constexpr Lang::Text DatabaseNotChanged{"Die Datenbank wurde nicht verändert.",
                                               "The database has not been changed."};
inline constexpr Lang::Text ImportFailed{"Import fehlgeschlagen.", "Import failed."};
inline constexpr Lang::Text ImportCancelled{"Import abgebrochen.", "Import cancelled."};
inline constexpr Lang::Text ContentsWithoutFeedSkipped{
    "%1 Nährstoffgehalte gehören zu keinem Futtermittel der Datei und wurden übergangen.",
    "%1 nutrient contents belong to no feedstuff of the file and were left out."};
inline constexpr Lang::Text KeyNoWholeNumber{"Der Schlüssel %1 ist keine ganze Zahl.",
                                             "The key %1 is no whole number."};
inline constexpr Lang::Text ValueDoesNotFit{"Der Wert \"%1\" in %2 passt nicht zur Spalte.",
                                            "The value \"%1\" in %2 does not fit the column."};
inline constexpr Lang::Text OnlySystemFeedsImported{"Nur Systemfuttermittel (EIGEN = 'M') werden übernommen.",
                                                    "Only system feedstuffs (EIGEN = 'M') are imported."};
inline constexpr Lang::Text KeyOfOwnFeed{
    "Unter dieser ID steht ein eigenes Futtermittel der Praxis; es bleibt unverändert.",
    "This ID belongs to one of the practice's own feedstuffs; it stays unchanged."};
inline constexpr Lang::Text ChooseDatabase{"Bitte wählen Sie eine Datenbank aus",
                                           "Please select a database "};
inline constexpr Lang::Text LegacyDatabaseNotOpened{
    "Datenbank konnte nicht geöffnet werden. Import wird beendet!",
    "DB open failed. Import will be stopped!"};
inline constexpr Lang::Text ImportFailedNothingChanged{
    "Import fehlgeschlagen. Die Datenbank wurde nicht verändert.",
    "Import failed. The database has not been changed."};
inline constexpr Lang::Text RecordNotInserted{"Satz konnte nicht eingefügt werden",
                                              "Record could not be inserted"};
inline constexpr Lang::Text ImportCancelledNothingChanged{
    "Import abgebrochen. Die Datenbank wurde nicht verändert.",
    "Import cancelled. The database has not been changed."};
inline constexpr Lang::Text CategoryNotInserted{"Kategorie konnte nicht eingefügt werden",
                                                "Category could not be inserted"};
inline constexpr Lang::Text NutrientNotInserted{"Nährstoff konnte nicht eingefügt werden",
                                                "Feedstuff could not be inserted"};
inline constexpr Lang::Text FeedsTakenOver{"%1 Futtermittel übernommen, %2 übergangen.",
                                           "%1 feedstuffs taken over, %2 skipped."};
inline constexpr Lang::Text ChooseLegacyDatabase{
    "Bitte wählen Sie die Datenbank aus, in der die Mensoly V 2.0 - Futtermittel gespeichert sind:",
    "Please select the database that contains the former feedstuff:"};
inline constexpr Lang::Text BackupBeforeImportIn{
    "Vor dem Import wird eine Sicherungskopie der Datenbank angelegt in:\n%1",
    "A backup copy of the database is made before the import, in:\n%1"};
inline constexpr Lang::Text BrowseButton{"durchsuchen", "Search"};
inline constexpr Lang::Text ImportButton{"Importieren", "Import"};
inline constexpr Lang::Text CancelButton{"Abbrechen", "Cancel"};

} // namespace ExchangeTexts
