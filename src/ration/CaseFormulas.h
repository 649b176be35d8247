#pragma once

#include "ration/RationModel.h"

#include <vector>

class AppContext;
class CaseHeaderSource;

// Placing a case type's T_BEDARF formulas into the columns of the ration or
// its profile; the requirement and the indicator calculation share it.
namespace CaseFormulas {

// Empties the formula and result of every column, then places the case
// type's formulas when the header holds every input its case type needs.
// False when nothing was placed: inputs are missing or the query failed.
bool place(AppContext& context, const CaseHeaderSource& header, std::vector<RationColumn>& columns);
// Whether any column holds a requirement formula.
bool anyPlaced(const std::vector<RationColumn>& columns);
// Whether a placed formula reads the body condition (RIP).
bool readsBodyCondition(const std::vector<RationColumn>& columns);

// A case type is evaluated only once the inputs it needs are filled.
bool hasNeededInputs(const CaseHeaderSource& header);

} // namespace CaseFormulas
