#pragma once

#include "core/Lang.h"

// What the feedstuff editor, the calculation of a feedstuff's figures and its
// removal say.
namespace FeedEditorTexts {

inline constexpr Lang::Text NfeNegative{"Nfe negativ, bitte die Werte für Rohnährstoffe kontrollieren",
                                        "Nfe negative, please check raw feedstuff"};
inline constexpr Lang::Text CalculationFinished{"Kenngrössen wurden neu berechnet !",
                                                "Calculation finished ! "};
inline constexpr Lang::Text MoistureAndDryMatterNot100{
    "Der Wert für Feuchte und TS muß 100 ergeben, bitte ändern oder neu berechnen!",
    "Sum of moisture and dry matter must be 100, please change or calculate new!"};
inline constexpr Lang::Text Feedstuff{"Futtermittel", "Feedstuff"};
inline constexpr Lang::Text Shipped{" (mitgeliefert)", " (shipped)"};

// The editor's labels.
inline constexpr Lang::Text TypeLabel{"Futtermittel Typ:", "Kind of Feedstuff:"};
inline constexpr Lang::Text GermanNameLabel{"Bezeichnung deutsch:", "German name:"};
inline constexpr Lang::Text EnglishNameLabel{"Bezeichnung englisch:", "English name:"};
inline constexpr Lang::Text ProducerLabel{"Hersteller:", "Producer:"};
inline constexpr Lang::Text HintGermanLabel{"Hinweis deutsch:", "Hint german:"};
inline constexpr Lang::Text HintEnglishLabel{"Hinweis englisch:", "Hint english:"};
inline constexpr Lang::Text DataMissingLabel{"Daten fehlen:", "Info missing:"};
inline constexpr Lang::Text ActiveLabel{"Aktiv:", "Active:"};
inline constexpr Lang::Text LastUpdateLabel{"Zuletzt bearbeitet:", "Last update:"};
inline constexpr Lang::Text CategoryLabel{"Futtermittelkategorie:", "Category:"};
inline constexpr Lang::Text BarTypeLabel{"Futtermittel Typ", "Kind of Feedstuff:"};
inline constexpr Lang::Text BarFeedLabel{"Futtermittel", "Feedstuff:"};
inline constexpr Lang::Text NewLabel{"Neu", "New"};
inline constexpr Lang::Text CalculateLabel{"Berechnen", "Calculate"};
inline constexpr Lang::Text SaveLabel{"Speichern", "Save"};
inline constexpr Lang::Text DeleteLabel{"Löschen", "Delete"};
inline constexpr Lang::Text CopyLabel{"Kopieren", "Copy"};
inline constexpr Lang::Text RequiredNote{
    "Bei der Erfassung von Futtermitteln  müssen die weiß hinterlegten Nährstoffe "
    "mindestens erfasst werden, um eine Berechnung durchzuführen.",
    "White marked cells: data required for correct calculation"};
inline constexpr Lang::Text NutrientHeading{"Nährstoff", "Feedstuff"};
inline constexpr Lang::Text IndicatorHeading{"Kenngrösse", "Indicator"};
inline constexpr Lang::Text UnitHeading{"Einheit", "Unit"};
inline constexpr Lang::Text AmountHeading{"Gehalt", "Amount"};
inline constexpr Lang::Text ShippedFeedReadOnly{
    "„%1“ ist ein mitgeliefertes Futtermittel und kann nicht geändert oder gelöscht werden. Mit „Kopieren“ legen Sie ein eigenes an, das Sie bearbeiten können.",
    "\"%1\" is a shipped feedstuff and cannot be changed or deleted. \"Copy\" makes an own one that you can edit."};
inline constexpr Lang::Text SaveQuestion{"Möchten Sie dieses Futtermittel speichern?",
                                         "Do you want to save this feedstuff?"};
inline constexpr Lang::Text AmountNotANumber{"Bitte geben Sie für %1 eine Zahl ein, nicht „%2“.",
                                             "Please enter a number for %1, not \"%2\"."};
inline constexpr Lang::Text NoKeyCounter{
    "Für den Besitzercode %1 gibt es keinen Schlüsselzähler in T_FM_KEY; das Futtermittel wurde nicht gespeichert.",
    "There is no key counter for the owner code %1 in T_FM_KEY; the feedstuff was not stored."};
inline constexpr Lang::Text CategoriesNotDeleted{"Kategorien konnten nicht gelöscht werden",
                                                 "Categories could not be deleted"};
inline constexpr Lang::Text CategoryNotInserted{"Kategorie konnte nicht eingefügt werden",
                                                "Category could not be inserted"};
inline constexpr Lang::Text NutrientsNotDeleted{"Nährstoffe konnten nicht gelöscht werden",
                                                "Feedstuff could not be deleted"};
inline constexpr Lang::Text IndicatorsNotDeleted{"Kenngrössen konnten nicht gelöscht werden",
                                                 "Indicators could not be deleted"};
inline constexpr Lang::Text NutrientNotInserted{"Nährstoff %1 konnte nicht eingefügt werden",
                                                "Feedstuff %1 could not be inserted"};
inline constexpr Lang::Text IndicatorNotInserted{"Kenngrösse %1 konnte nicht eingefügt werden",
                                                 "Indicator %1 could not be inserted"};
inline constexpr Lang::Text NameMissing{"Bitte geben Sie eine Bezeichnung deutsch ein",
                                        "Please enter an english description"};
inline constexpr Lang::Text RecordNotInserted{"Satz konnte nicht eingefügt werden",
                                              "Record could not be inserted"};
inline constexpr Lang::Text RecordNotUpdated{"Satz konnte nicht geändert werden",
                                             "Record could not be updated"};
inline constexpr Lang::Text FeedGoneNotSaved{
    "Das Futtermittel „%1“ gibt es nicht mehr; es wurde nicht gespeichert.",
    "The feedstuff \"%1\" no longer exists; it has not been saved."};
inline constexpr Lang::Text FeedSaved{"Futtermittel wurde gespeichert !", "Feedstuff has been saved !"};
inline constexpr Lang::Text NewRecordNotDeletable{"Löschen eines neuen Satzes nicht möglich",
                                                  "You can not delete a new record"};
inline constexpr Lang::Text DeleteQuestion{"Wollen Sie das Futtermittel %1 löschen",
                                           "Do you want to delete the feedstuff %1"};
inline constexpr Lang::Text EmptyRecordNotCopyable{"Kopieren eines leeren Satzes nicht möglich",
                                                   "You can not copy an empty record"};
inline constexpr Lang::Text FeedNotCopied{"Futtermittel %1 konnte nicht kopiert werden",
                                          "Feedstuff %1 could not be copied"};
inline constexpr Lang::Text FeedNotDeleted{"Futtermittel %1 konnte nicht gelöscht werden",
                                           "Feedstuff %1 could not be deleted"};
inline constexpr Lang::Text FeedUsedInCases{
    "Das Futtermittel %1 wird in %2 gespeicherten Fällen verwendet und kann nicht gelöscht werden. Nehmen Sie stattdessen das Häkchen bei „Aktiv“ heraus.",
    "The feedstuff %1 is used in %2 stored cases and cannot be deleted. Untick \"Active\" instead."};
inline constexpr Lang::Text FeedDeletedElsewhere{
    "Das Futtermittel „%1“ gibt es nicht mehr; ein anderer Arbeitsplatz hat es gelöscht.",
    "The feedstuff \"%1\" no longer exists; another workstation deleted it."};
inline constexpr Lang::Text ContentsNotDeleted{"Gehalte konnten nicht gelöscht werden",
                                               "Contents could not be deleted"};
inline constexpr Lang::Text EnterValueFor{"Bitte geben Sie einen Wert für %1 ein",
                                          "Please enter an amount for %1"};

} // namespace FeedEditorTexts
