#pragma once

#include "core/Lang.h"

// What the exchange of system data and the import of the previous version's
// feedstuffs say.
namespace ExchangeTexts {

inline constexpr Lang::Text ExportingSystemTables{"Systemtabellen werden exportiert …",
                                                  "Exporting the system tables …"};
inline constexpr Lang::Text ImportingSystemTables{"Systemtabellen werden importiert …",
                                                  "Importing the system tables …"};

} // namespace ExchangeTexts
