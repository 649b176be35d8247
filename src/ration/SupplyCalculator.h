#pragma once

#include <QString>

class AppContext;
class CaseHeaderSource;
class IndicatorCalculator;
class RationGrids;

// What each feedstuff of the ration contributes to each nutrient, and the
// column totals (supply).
class SupplyCalculator
{
public:
    SupplyCalculator(AppContext& context, const CaseHeaderSource& header, RationGrids& grids,
                     IndicatorCalculator& indicators);

    // While a stored case is being opened: every feedstuff row of that case.
    // Otherwise: the one feedstuff given by key, with the amount its row holds.
    // Then the supply and the indicators follow.
    void recalcContributions(const QString& feedKey, const QString& amount);
    void sumSupply();

private:
    AppContext& m_context;
    const CaseHeaderSource& m_header;
    RationGrids& m_grids;
    IndicatorCalculator& m_indicators;
};
