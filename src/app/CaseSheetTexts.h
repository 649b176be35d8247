#pragma once

#include "core/Lang.h"

// The captions of the case window's pages; their blanks set each tab's width.
namespace CaseSheetTexts {

inline constexpr Lang::Text RationCaption{"      Rationsberechnung      ",
                                          "        Ration calculation        "};
inline constexpr Lang::Text RecipeCaption{"            Rezept                  ",
                                          "              Recipe                "};
inline constexpr Lang::Text CoverageCaption{"     Bedarfsdeckung in %      ",
                                            "               Figure                 "};
inline constexpr Lang::Text GrowthCaption{"       Wachstumskurve         ",
                                          "           Weight curve             "};
// The weight check keeps its German caption in English too.
inline constexpr Lang::Text WeightCheckCaption{"       Gewichts-Check   ", "       Gewichts-Check   "};
inline constexpr Lang::Text FollowUpCaption{"         Verlauf         ", "        Follow-up        "};

} // namespace CaseSheetTexts
