#pragma once

class AppContext;
class CaseHeaderSource;
class GridModel;

// Placing a case type's T_BEDARF formulas into the formula row of a grid; the
// requirement and the indicator calculation share it.
namespace CaseFormulas {

// Empties the formula and result rows of every column, then places the case
// type's formulas when the header holds every input its case type needs.
// False when nothing was placed: inputs are missing or the query failed.
bool place(AppContext& context, const CaseHeaderSource& header, GridModel& grid);
// Whether any column holds a requirement formula.
bool anyPlaced(const GridModel& grid);
// Whether a placed formula reads the body condition (RIP).
bool readsBodyCondition(const GridModel& grid);

// A case type is evaluated only once the inputs it needs are filled.
bool hasNeededInputs(const CaseHeaderSource& header);

} // namespace CaseFormulas
