#pragma once

#include "ration/IndicatorCalculator.h"
#include "ration/NutrientMaxima.h"
#include "ration/RationGrids.h"
#include "ration/RequirementCalculator.h"
#include "ration/SupplyCalculator.h"

#include <functional>

// Everything the case window computes, over the two grids of the ration page:
// the grids, the requirement, the supply and the indicators.
class RationCalculation
{
public:
    RationCalculation(AppContext& context, const CaseHeaderSource& header)
        : m_context(context)
        , m_header(header)
        , m_grids(context, header)
        , m_requirements(context, header, m_grids)
        , m_indicators(context, header, m_grids)
        , m_supply(context, header, m_grids, m_indicators)
    {
    }
    RationCalculation(const RationCalculation&) = delete;
    RationCalculation& operator=(const RationCalculation&) = delete;

    RationModel& model() { return m_grids.model(); }
    const RationModel& model() const { return m_grids.model(); }
    RationGrids& grids() { return m_grids; }
    const RationGrids& grids() const { return m_grids; }
    GridModel& rationGrid() { return m_grids.ration(); }
    GridModel& profileGrid() { return m_grids.profile(); }

    // Called after every step that changes figures of the ration, once its
    // maxima and flags are set, so that what shows them (the ration page's
    // maximum row and marks) follows like the requirement row does.
    void setAfterRecalculation(std::function<void()> notify) { m_afterRecalculation = std::move(notify); }

    void buildRationGrid() { m_grids.buildRationGrid(); }
    void buildProfileGrid() { m_grids.buildProfileGrid(); }
    // Both grids follow the case type's selection.
    void applyCaseNutrientSelection()
    {
        m_grids.applyCaseNutrientSelection(m_grids.ration());
        m_grids.applyCaseNutrientSelection(m_grids.profile());
        recalculated();
    }
    void loadRequirementFormulas()
    {
        m_requirements.loadRequirementFormulas();
        recalculated();
    }
    void evaluateRequirements()
    {
        m_requirements.evaluateRequirements();
        recalculated();
    }
    void loadIndicatorFormulas()
    {
        m_indicators.loadIndicatorFormulas();
        recalculated();
    }
    void evaluateIndicators()
    {
        m_indicators.evaluateIndicators();
        recalculated();
    }
    void recalcContributions(const QString& feedKey, const QString& amount)
    {
        m_supply.recalcContributions(feedKey, amount);
        recalculated();
    }
    void sumSupply()
    {
        m_supply.sumSupply();
        recalculated();
    }
    QString lookupRequirement(const QString& key) const { return m_grids.lookupRequirement(key); }
    QString lookupSupply(const QString& key) const { return m_grids.lookupSupply(key); }
    void fillRationRows(const QString& caseKey) { m_grids.fillRationRows(caseKey); }

private:
    void recalculated()
    {
        // The maxima follow the header (case type, age) and the energy the
        // ration needs; the flags follow the supply.
        RationLimits::apply(m_grids.model(), NutrientMaxima::forCase(m_context, m_header));
        if (m_afterRecalculation)
            m_afterRecalculation();
        // Figures that grew or shrank, the page's maxima among them, are
        // shown whole in their columns.
        m_grids.fitFigureColumns();
    }

    AppContext& m_context;
    const CaseHeaderSource& m_header;
    RationGrids m_grids;
    RequirementCalculator m_requirements;
    IndicatorCalculator m_indicators;
    SupplyCalculator m_supply;
    std::function<void()> m_afterRecalculation;
};
