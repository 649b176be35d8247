#pragma once

#include "IndicatorCalculator.h"
#include "RationGrids.h"
#include "RequirementCalculator.h"
#include "SupplyCalculator.h"

// Everything the case window computes, over the two grids of the ration page:
// the grids, the requirement, the supply and the indicators.
class RationCalculation
{
public:
    RationCalculation(AppContext& context, const CaseHeaderSource& header)
        : m_grids(context, header)
        , m_requirements(context, header, m_grids)
        , m_indicators(context, header, m_grids)
        , m_supply(context, header, m_grids, m_indicators)
    {
    }
    RationCalculation(const RationCalculation&) = delete;
    RationCalculation& operator=(const RationCalculation&) = delete;

    RationGrids& grids() { return m_grids; }
    const RationGrids& grids() const { return m_grids; }
    GridModel& rationGrid() { return m_grids.ration(); }
    GridModel& profileGrid() { return m_grids.profile(); }

    void BuildRationGrid() { m_grids.BuildRationGrid(); }
    void BuildProfileGrid() { m_grids.BuildProfileGrid(); }
    // Both grids follow the case type's selection.
    void ApplyCaseNutrientSelection()
    {
        m_grids.ApplyCaseNutrientSelection(m_grids.ration());
        m_grids.ApplyCaseNutrientSelection(m_grids.profile());
    }
    void LoadRequirementFormulas() { m_requirements.LoadRequirementFormulas(); }
    void EvaluateRequirements() { m_requirements.EvaluateRequirements(); }
    void LoadIndicatorFormulas() { m_indicators.LoadIndicatorFormulas(); }
    void EvaluateIndicators() { m_indicators.EvaluateIndicators(); }
    void RecalcContributions(const QString& feedKey, const QString& amount)
    {
        m_supply.RecalcContributions(feedKey, amount);
    }
    void SumSupply() { m_supply.SumSupply(); }
    QString LookupRequirement(const QString& key) const { return m_grids.LookupRequirement(key); }
    QString LookupSupply(const QString& key) const { return m_grids.LookupSupply(key); }
    void FillRationRows(const QString& caseKey) { m_grids.FillRationRows(caseKey); }
    bool StoreRationRows(const QString& caseKey) { return m_grids.StoreRationRows(caseKey); }

private:
    RationGrids m_grids;
    RequirementCalculator m_requirements;
    IndicatorCalculator m_indicators;
    SupplyCalculator m_supply;
};
