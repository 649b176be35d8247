#pragma once

#include "formula/FormulaTokens.h"
#include "formula/SmallStack.h"

#include <string_view>

namespace formula_engine {

// The value stack of the evaluation. Tokens are fed in postfix order; an
// operator that finds fewer than two values marks the evaluation as failed
// and every later token is ignored.
class PostfixEvaluator
{
public:
    // A postfix piece: an operator when its text is exactly a token, an
    // operand otherwise.
    void feed(std::string_view piece);
    void pushValue(double value) { m_values.push(value); }
    void apply(Op op);

    bool failed() const { return m_missingOperand; }

    // Writes the top value unless the evaluation failed or left nothing.
    int finish(double& result) const;

private:
    SmallStack<double, 32> m_values;
    bool m_missingOperand = false;
};

} // namespace formula_engine
