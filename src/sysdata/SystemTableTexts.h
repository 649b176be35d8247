#pragma once

#include "core/Lang.h"

// What the system data editor says.
namespace SystemTableTexts {

inline constexpr Lang::Text RecordInUse{
    "Der Datensatz Nummer %1 wird noch verwendet (%2) und kann nicht gelöscht werden.",
    "Record number %1 is still in use (%2) and cannot be deleted."};
inline constexpr Lang::Text DeleteFeedQuestion{"Wollen Sie das Futtermittel %1 (Nummer %2) löschen",
                                               "Do you want to delete the feedstuff %1 (number %2)"};
inline constexpr Lang::Text Yes{"Ja", "Yes"};
inline constexpr Lang::Text No{"Nein", "No"};

// The editor's labels.
inline constexpr Lang::Text SelectTableLabel{"Auswahl Tabelle", "Select table"};
inline constexpr Lang::Text DetailsLabel{"Weitere Angaben", "Further details"};
inline constexpr Lang::Text CopyLabel{"Kopieren", "Copy"};
inline constexpr Lang::Text DeleteLabel{"Löschen", "Delete"};
inline constexpr Lang::Text PrintLabel{"Drucken", "Print"};
inline constexpr Lang::Text EnterShortWholeNumber{
    "Bitte geben Sie für %1 eine ganze Zahl von -32768 bis 32767 ein",
    "Please enter a whole number from -32768 to 32767 for %1"};
inline constexpr Lang::Text EnterWholeNumber{
    "Bitte geben Sie für %1 eine ganze Zahl von -2147483648 bis 2147483647 ein",
    "Please enter a whole number from -2147483648 to 2147483647 for %1"};
inline constexpr Lang::Text EnterNumber{"Bitte geben Sie für %1 eine Zahl ein",
                                        "Please enter a number for %1"};
inline constexpr Lang::Text EnterDate{"Bitte geben Sie für %1 ein Datum ein", "Please enter a date for %1"};
inline constexpr Lang::Text ChooseListEntry{"Bitte wählen Sie für %1 einen Eintrag der Liste",
                                            "Please choose an entry of the list for %1"};
inline constexpr Lang::Text NoValidKey{"Der Satz hat keinen gültigen Schlüssel",
                                       "The record has no valid key"};
inline constexpr Lang::Text ChangeNotSaved{"Die Änderung konnte nicht gespeichert werden",
                                           "The change could not be saved"};
inline constexpr Lang::Text NoFeedInsertHere{"Neuanlage von Futtermitteln hier nicht möglich",
                                             "You can not insert feedstuff here"};
inline constexpr Lang::Text RecordNotAdded{"Der Satz konnte nicht angelegt werden",
                                           "The record could not be added"};
inline constexpr Lang::Text EmptyRecordNotCopyable{"Kopieren eines leeren Satzes nicht möglich",
                                                   "You can not copy an empty record"};
inline constexpr Lang::Text NoFeedCopyHere{"Kopieren von Futtermitteln hier nicht möglich",
                                           "You can not copy feedstuff here"};
inline constexpr Lang::Text RecordNotCopied{"Der Satz konnte nicht kopiert werden",
                                            "The record could not be copied"};
inline constexpr Lang::Text NewRecordNotDeletable{"Löschen des neuen Satzes nicht möglich",
                                                  "You can not delete the new record"};
inline constexpr Lang::Text RecordBeingCopied{"Es wird der Satz mit Nummer %1 kopiert",
                                              "record with number %1 will be copied"};
inline constexpr Lang::Text DeleteRecordQuestion{"Wollen Sie den Datensatz Nummer %1 löschen",
                                                 "Do you want to delete the record with number %1"};
inline constexpr Lang::Text WindowTitle{"Systemdaten", "Systemdata"};

// What still refers to a row that is to be deleted, after the count of its rows.
inline constexpr Lang::Text UsedByRequirements{"Bedarfsformeln", "requirement formulas"};
inline constexpr Lang::Text UsedByFeedContents{"Futtermittelgehalte", "feedstuff contents"};
inline constexpr Lang::Text UsedByCaseTypeNutrients{"Nährstofflisten von Fällen",
                                                    "nutrient lists of case types"};
inline constexpr Lang::Text UsedByStoredCases{"gespeicherte Fälle", "stored cases"};
inline constexpr Lang::Text UsedByStoredRations{"Rationen gespeicherter Fälle", "rations of stored cases"};
inline constexpr Lang::Text UsedByFeeds{"Futtermittel", "feedstuffs"};
inline constexpr Lang::Text UsedByFeedAssignments{"Futtermittelzuordnungen", "feedstuff assignments"};

} // namespace SystemTableTexts
