#pragma once

#include <QString>

#include <functional>

class AppContext;
class CaseHeaderSource;
class RationGrids;
struct RationModel;

// The profile's results: the case type's indicator formulas evaluated on the
// exact supply of the ration, written into the model and shown in the
// profile grid.
class IndicatorCalculator
{
public:
    IndicatorCalculator(AppContext& context, const CaseHeaderSource& header, RationGrids& grids);

    void loadIndicatorFormulas();
    void evaluateIndicators();

    // The formula with every supply variable replaced by "(" + supply + ")"
    // and "," made "."; exposed for the tests of the substitution order.
    static QString substitute(const QString& formula, const RationModel& model);
    // The same with each supply read by its nutrient key.
    static QString substitute(const QString& formula, const std::function<QString(int key)>& supply);

private:
    AppContext& m_context;
    const CaseHeaderSource& m_header;
    RationGrids& m_grids;
};
