#include "ration/RequirementCalculator.h"

#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "ration/CaseFormulas.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseType.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"
#include "ration/RequirementFormula.h"

using namespace NutrientColumns;

RequirementCalculator::RequirementCalculator(AppContext& context, const CaseHeaderSource& header,
                                             RationGrids& grids)
    : m_context(context)
    , m_header(header)
    , m_grids(grids)
{
}

void RequirementCalculator::loadRequirementFormulas()
{
    if (CaseFormulas::place(m_context, m_header, m_grids.ration()))
        evaluateRequirements();
    else
        m_grids.ration().redraw();
}

void RequirementCalculator::evaluateRequirements()
{
    CaseVariables v;
    const int species = m_header.speciesKey();
    const int sex = m_header.sexKey();
    v.species = species < 0 ? QString() : QString::number(species);
    v.sex = sex < 0 ? QString() : QString::number(sex);
    v.actualWeight = m_header.actualWeight().trimmed();
    v.targetWeight = m_header.targetWeight().trimmed();
    v.energyPercent = m_header.energyPercent().trimmed();
    v.puppies = m_header.puppies().trimmed();
    v.adultWeight = m_header.adultWeight().trimmed();
    v.ageWeeks = m_header.ageWeeks().trimmed();
    v.ribs = m_header.ribsPalpable() ? QStringLiteral("1") : QStringLiteral("0");

    const int weeks = NumberText::readWhole(v.ageWeeks);
    if (CaseType::needsAge(m_header.caseTypeKey(), species) && weeks <= 0)
        return;

    GridModel& grid = m_grids.ration();
    // No formula placed (inputs missing, none stored, the query failed), or
    // formulas reading a body condition nobody chose: an empty row, not
    // figures that look computed from an input never given.
    if (!CaseFormulas::anyPlaced(grid) ||
        (!m_header.bodyConditionChosen() && CaseFormulas::readsBodyCondition(grid))) {
        for (int c = FirstColumn; c < grid.columnCount(); ++c)
            grid.setText(RequirementRow, c, QString());
        grid.redraw();
        return;
    }
    for (int c = FirstColumn; c < grid.columnCount(); ++c) {
        const QString formula = grid.text(FormulaRow, c).trimmed();
        // Read afresh per column: columns right of 61 and 60 see this pass's energy.
        v.energyKcal61 = m_grids.lookupRequirement(QString::number(NutrientKey::EnergyKcalSecond));
        v.energyKcal60 = m_grids.lookupRequirement(QString::number(NutrientKey::EnergyKcal));
        const double value = RequirementFormula::evaluate(RequirementFormula::substitute(formula, v));
        writeFigure(grid, RequirementRow, c, value);
        grid.setBackground(RequirementRow, c, ComputedBackground);
    }
    grid.redraw();
}
