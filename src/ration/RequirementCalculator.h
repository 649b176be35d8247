#pragma once

class AppContext;
class CaseHeaderSource;
class RationGrids;

// The ration's requirements: the case type's formulas with the header's
// values put in, written into the model and shown in the requirement row.
class RequirementCalculator
{
public:
    RequirementCalculator(AppContext& context, const CaseHeaderSource& header, RationGrids& grids);

    // Clears the requirements, places the case type's formulas when the
    // inputs are complete, and evaluates them.
    void loadRequirementFormulas();
    // Evaluates the formulas in place, left to right, without the database.
    void evaluateRequirements();

private:
    AppContext& m_context;
    const CaseHeaderSource& m_header;
    RationGrids& m_grids;
};
