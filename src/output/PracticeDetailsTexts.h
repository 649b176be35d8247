#pragma once

#include "core/Lang.h"

#include <QString>

// What the practice's letterhead details show and say: the dialog's labels
// and buttons and the messages of the dialog and the command line.
namespace PracticeDetailsTexts {

inline constexpr Lang::Text Title{"Praxisdaten", "Practice details"};

// The fields' labels, in the order of PracticeDetails::fieldNames().
inline constexpr Lang::Text FieldLabels[] = {
    {"Praxisname", "Practice name"},
    {"Adresse (Zeile 1)", "Address (line 1)"},
    {"Adresse (Zeile 2)", "Address (line 2)"},
    {"Telefon", "Phone"},
    {"E-Mail", "E-mail"},
    {"Internetadresse", "Web address"},
};
inline constexpr Lang::Text LogoLabel{"Logo", "Logo"};
inline constexpr Lang::Text NoLogo{"(kein Logo)", "(no logo)"};
inline constexpr Lang::Text ChooseLogo{"Logo wählen…", "Choose logo…"};
inline constexpr Lang::Text RemoveLogo{"Logo entfernen", "Remove logo"};
inline constexpr Lang::Text LogoFilter{"Bilder (*.png *.jpg *.jpeg *.svg)",
                                       "Images (*.png *.jpg *.jpeg *.svg)"};
inline constexpr Lang::Text SaveButton{"Speichern", "Save"};
inline constexpr Lang::Text CancelButton{"Abbrechen", "Cancel"};

// Messages; %1 is the file's name or the field's label.
inline constexpr Lang::Text NotAnImage{"Die Datei „%1“ ist kein Bild im Format PNG, JPEG oder SVG.",
                                       "The file “%1” is not a PNG, JPEG or SVG image."};
inline constexpr Lang::Text CannotRead{"Die Datei „%1“ kann nicht gelesen werden.",
                                       "The file “%1” cannot be read."};
inline constexpr Lang::Text TooLarge{"Das Logo ist größer als 2 MB.", "The logo is larger than 2 MB."};
inline constexpr Lang::Text TooLong{"Das Feld „%1“ ist länger als 255 Zeichen.",
                                    "The field “%1” is longer than 255 characters."};
inline constexpr Lang::Text NotRead{"Die Praxisdaten konnten nicht gelesen werden.",
                                    "The practice details could not be read."};
inline constexpr Lang::Text NotStored{"Die Praxisdaten konnten nicht gespeichert werden.",
                                      "The practice details could not be stored."};

} // namespace PracticeDetailsTexts
