#include "ration/RequirementCalculator.h"

#include "core/NutrientKey.h"
#include "ration/CaseFormulas.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseType.h"
#include "ration/RationGrids.h"
#include "ration/RequirementFormula.h"

RequirementCalculator::RequirementCalculator(AppContext& context, const CaseHeaderSource& header,
                                             RationGrids& grids)
    : m_context(context)
    , m_header(header)
    , m_grids(grids)
{
}

void RequirementCalculator::loadRequirementFormulas()
{
    if (CaseFormulas::place(m_context, m_header, m_grids.model().nutrients))
        evaluateRequirements();
    else
        m_grids.showRation();
}

void RequirementCalculator::evaluateRequirements()
{
    const CaseValues values = m_header.values();
    CaseVariables v = RequirementFormula::variables(values);
    if (CaseType::needsAge(values.caseType, values.species) && values.ageWeeks.value_or(0) <= 0)
        return;

    RationModel& model = m_grids.model();
    // No formula placed (inputs missing, none stored, the query failed), or
    // formulas reading a body condition nobody chose: an empty row, not
    // figures that look computed from an input never given.
    if (!CaseFormulas::anyPlaced(model.nutrients) ||
        (!values.bodyConditionChosen && CaseFormulas::readsBodyCondition(model.nutrients))) {
        for (RationColumn& column : model.nutrients)
            column.requirement.reset();
        m_grids.showRation();
        return;
    }
    // AMEKC and RMEKC stand for the energy requirement as the page shows
    // it, so that a vet can recompute every figure derived from it (17 g
    // fat per 1000 kcal of 4265 kcal is 72,50 g) from what is on the page.
    const auto energy = [&model](int key) {
        const RationColumn* column = model.nutrient(key);
        return column ? column->shown(column->requirement) : QString();
    };
    for (RationColumn& column : model.nutrients) {
        // Read afresh per column: columns right of 61 and 60 see this pass's energy.
        v.energyKcal61 = energy(NutrientKey::EnergyKcalSecond);
        v.energyKcal60 = energy(NutrientKey::EnergyKcal);
        column.requirement =
            RequirementFormula::evaluate(RequirementFormula::substitute(column.formula.trimmed(), v));
    }
    m_grids.showRation();
}
