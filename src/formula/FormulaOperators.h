#pragma once

#include "formula/FormulaTokens.h"

#include <cstdint>

namespace formula_engine {

// The value of `left op right`. Total: every operator gives a value for every
// pair of doubles, including NaN and infinities.
double applyOperator(Op op, double left, double right);

// Truncation toward zero for the integer operators; values beyond the 32-bit
// range saturate at its limits and NaN gives 0.
std::int32_t toInt32(double value);

} // namespace formula_engine
