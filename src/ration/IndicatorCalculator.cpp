#include "ration/IndicatorCalculator.h"

#include "core/NumberText.h"
#include "ration/CaseFormulas.h"
#include "ration/RationGrids.h"
#include "ration/RequirementFormula.h"

#include <QHash>

#include <array>

namespace {

struct SupplyVariable
{
    const char* name;
    int key;
};

// Substitution order: a longer name that contains a shorter one ("MEMJ",
// "RP") must go before it ("P"), and the stored formulas rely on this order.
constexpr std::array<SupplyVariable, 18> Variables = {{
    {"MEMJ", 9},
    {"GE", 49},
    {"VE", 50},
    {"RP", 24},
    {"NFE", 14},
    {"TS", 8},
    {"RFA", 11},
    {"RFE", 12},
    {"NA", 19},
    {"K", 16},
    {"MG", 7},
    {"ZN", 20},
    {"CU", 21},
    {"CA", 1},
    {"P", 15},
    {"MET", 32},
    {"CYS", 33},
    {"CL", 35},
}};

// The order in which the supply is read; it does not change the result, the
// variables are all read before any is put in.
constexpr std::array<int, 18> ReadOrder = {1,  15, 9,  49, 50, 24, 14, 8,  11,
                                           12, 19, 16, 7,  20, 21, 32, 33, 35};

QString wrapped(const QString& supply)
{
    const QString trimmed = supply.trimmed();
    return QLatin1Char('(') + (trimmed.isEmpty() ? QStringLiteral("0") : trimmed) + QLatin1Char(')');
}

} // namespace

IndicatorCalculator::IndicatorCalculator(AppContext& context, const CaseHeaderSource& header,
                                         RationGrids& grids)
    : m_context(context)
    , m_header(header)
    , m_grids(grids)
{
}

void IndicatorCalculator::loadIndicatorFormulas()
{
    if (CaseFormulas::place(m_context, m_header, m_grids.model().indicators))
        evaluateIndicators();
    m_grids.showProfile();
}

QString IndicatorCalculator::substitute(const QString& formula, const RationModel& model)
{
    return substitute(formula, [&model](int key) {
        const std::optional<double> supply = model.supplyOf(key);
        return supply ? NumberText::forFormula(*supply) : QString();
    });
}

QString IndicatorCalculator::substitute(const QString& formula, const std::function<QString(int key)>& lookup)
{
    QHash<int, QString> supply;
    for (const int key : ReadOrder)
        supply.insert(key, wrapped(lookup(key)));
    QString text = formula.trimmed();
    for (const SupplyVariable& variable : Variables)
        text.replace(QLatin1String(variable.name), supply.value(variable.key));
    return NumberText::withPoint(text);
}

void IndicatorCalculator::evaluateIndicators()
{
    RationModel& model = m_grids.model();
    for (RationColumn& indicator : model.indicators)
        indicator.requirement = RequirementFormula::evaluate(substitute(indicator.formula, model));
    m_grids.showProfile();
}
