#pragma once

#include <QLatin1String>

// The one-letter codes the database stores and the grids show, by what they
// mean.
namespace Codes {

// Whose a feedstuff is, and whom the program works for: the practice ("U")
// or whoever maintains the shipped system data ("M").
inline constexpr QLatin1String PracticeOwner("U");
inline constexpr QLatin1String SystemOwner("M");

// A set mark in a grid's mark row or column (a nutrient that counts, a
// category a feedstuff belongs to, a locked feedstuff).
inline constexpr QLatin1String Mark("x");

// The kind of a nutrient in T_NAEHRSTOFFE.KZ_IK: an ingredient a feedstuff
// contains, or an indicator computed from the ingredients.
inline constexpr QLatin1String Ingredient("I");
inline constexpr QLatin1String Indicator("K");

} // namespace Codes
