#pragma once

#include "core/Lang.h"

// What the list of found cases shows and says.
namespace CaseListTexts {

inline constexpr Lang::Text OwnerHeading{"Besitzer", "Name of owner"};
inline constexpr Lang::Text PatientHeading{"Patient", "Name of patient"};
inline constexpr Lang::Text DateHeading{"Datum", "Date"};
inline constexpr Lang::Text TitleHeading{"Rezeptbezeichnung", "Recipe Title / Diagnosis"};
inline constexpr Lang::Text DeleteHeading{"Loe", "Del"};
inline constexpr Lang::Text SearchFailed{"Die Suche ist fehlgeschlagen.", "The search failed."};
inline constexpr Lang::Text DeleteQuestion{"Möchten Sie diesen Fall löschen?",
                                           "do you want delete this case?"};
inline constexpr Lang::Text CaseNotDeleted{"Datensatz konnte konnte nicht gelöscht werden",
                                           "Recordset could not be deleted"};

} // namespace CaseListTexts
