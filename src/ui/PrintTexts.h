#pragma once

#include "core/Lang.h"

// What printing says when it goes wrong.
namespace PrintTexts {

inline constexpr Lang::Text PrintingFailed{"Das Drucken ist fehlgeschlagen.", "Printing failed."};

} // namespace PrintTexts
