#pragma once

#include "ration/IndicatorCalculator.h"
#include "ration/RationGrids.h"
#include "ration/RequirementCalculator.h"
#include "ration/SupplyCalculator.h"

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

    void buildRationGrid() { m_grids.buildRationGrid(); }
    void buildProfileGrid() { m_grids.buildProfileGrid(); }
    // Both grids follow the case type's selection.
    void applyCaseNutrientSelection()
    {
        m_grids.applyCaseNutrientSelection(m_grids.ration());
        m_grids.applyCaseNutrientSelection(m_grids.profile());
    }
    void loadRequirementFormulas() { m_requirements.loadRequirementFormulas(); }
    void evaluateRequirements() { m_requirements.evaluateRequirements(); }
    void loadIndicatorFormulas() { m_indicators.loadIndicatorFormulas(); }
    void evaluateIndicators() { m_indicators.evaluateIndicators(); }
    void recalcContributions(const QString& feedKey, const QString& amount)
    {
        m_supply.recalcContributions(feedKey, amount);
    }
    void sumSupply() { m_supply.sumSupply(); }
    QString lookupRequirement(const QString& key) const { return m_grids.lookupRequirement(key); }
    QString lookupSupply(const QString& key) const { return m_grids.lookupSupply(key); }
    void fillRationRows(const QString& caseKey) { m_grids.fillRationRows(caseKey); }
    bool storeRationRows(const QString& caseKey, QString* missingFeed = nullptr)
    {
        return m_grids.storeRationRows(caseKey, missingFeed);
    }

private:
    RationGrids m_grids;
    RequirementCalculator m_requirements;
    IndicatorCalculator m_indicators;
    SupplyCalculator m_supply;
};
