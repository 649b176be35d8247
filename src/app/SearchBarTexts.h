#pragma once

#include "core/Lang.h"

// The search bar's labels and hints.
namespace SearchBarTexts {

inline constexpr Lang::Text SpeciesLabel{"Gattung:", "Species:"};
inline constexpr Lang::Text SexLabel{"Geschlecht:", "    Gender:"};
inline constexpr Lang::Text OwnerLabel{"Besitzer:", "Owner:"};
inline constexpr Lang::Text RecipeLabel{"Rezept:", "Recipe:"};
inline constexpr Lang::Text SearchButton{"Suchen", "Search"};
inline constexpr Lang::Text NewCaseHint{"neuer Fall", "new case"};

} // namespace SearchBarTexts
