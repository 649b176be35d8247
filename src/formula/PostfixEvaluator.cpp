#include "formula/PostfixEvaluator.h"

#include "formula/FormulaEngine.h"
#include "formula/FormulaOperators.h"

namespace formula_engine {

void PostfixEvaluator::feed(std::string_view piece)
{
    const Op op = findOperator(piece);
    if (op != Op::None)
        apply(op);
    else
        pushValue(operandValue(piece));
}

void PostfixEvaluator::apply(Op op)
{
    if (m_missingOperand)
        return;
    if (m_values.size() < 2) {
        m_missingOperand = true;
        return;
    }
    const double right = m_values.pop();
    const double left = m_values.pop();
    m_values.push(applyOperator(op, left, right));
}

int PostfixEvaluator::finish(double& result) const
{
    if (m_missingOperand || m_values.empty())
        return kFormulaStructureError;
    result = m_values.top();
    return m_values.size() == 1 ? kFormulaOk : kFormulaExtraValues;
}

} // namespace formula_engine
