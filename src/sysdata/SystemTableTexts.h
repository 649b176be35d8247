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

} // namespace SystemTableTexts
