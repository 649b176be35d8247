#include "formula/FormulaOperators.h"

#include "formula/FormulaEngine.h"

#include <cmath>
#include <limits>

namespace formula_engine {

namespace {

double truth(bool value)
{
    return value ? 1.0 : 0.0;
}

// Both roundings scale to one extra decimal, add or subtract 5 there, scale
// back by 0.1 and drop the fraction. `r` adds away from zero, so halves round
// away from zero; `rd` adds toward zero, which for a positive value is the
// integer part of value * 10^decimals - 0.5.
double roundDecimals(double value, double right, bool awayFromZero)
{
    const double decimals = toInt32(right);
    double scaled = value * std::pow(10.0, decimals + 1.0);
    const bool up = (value >= 0.0) == awayFromZero;
    scaled += up ? 5.0 : -5.0;
    return std::trunc(scaled * 0.1) / std::pow(10.0, decimals);
}

std::int32_t integerRemainder(std::int32_t left, std::int32_t right)
{
    if (right == 0 || (left == std::numeric_limits<std::int32_t>::min() && right == -1))
        return 0;
    return left % right;
}

std::int32_t shifted(std::int32_t value, std::int32_t count, bool toLeft)
{
    const unsigned bits = static_cast<std::uint32_t>(count) & 31u;
    if (toLeft)
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(value) << bits);
    return value >> bits;
}

} // namespace

std::int32_t toInt32(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0)
        return std::numeric_limits<std::int32_t>::max();
    if (value <= -2147483649.0)
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

double applyOperator(Op op, double left, double right)
{
    switch (op) {
    case Op::If:
        return right;
    case Op::Then:
        return left == 1.0 ? right : kFormulaBranchNotTaken;
    case Op::Else:
    case Op::ElseIf:
        return left == kFormulaBranchNotTaken ? right : left;
    case Op::Min:
        return left < right ? left : right;
    case Op::Max:
        return left > right ? left : right;
    case Op::Round:
        return roundDecimals(left, right, true);
    case Op::RoundDown:
        return roundDecimals(left, right, false);
    case Op::Abs:
        return std::fabs(right);
    case Op::Log:
        return std::log(right);
    case Op::MulNeg:
        return left * right * -1.0;
    case Op::DivNeg:
        return left / right * -1.0;
    case Op::Mul:
        return left * right;
    case Op::Div:
        return right == 0.0 ? 0.0 : left / right;
    case Op::IntDiv:
        return right == 0.0 ? 0.0 : std::trunc(left / right);
    case Op::Mod:
        return integerRemainder(toInt32(left), toInt32(right));
    case Op::ShiftLeft:
        return shifted(toInt32(left), toInt32(right), true);
    case Op::ShiftRight:
        return shifted(toInt32(left), toInt32(right), false);
    case Op::Minus:
    case Op::PlusNeg:
        return left - right;
    case Op::Plus:
    case Op::MinusNeg:
        return left + right;
    case Op::Power:
        return std::pow(left, right);
    case Op::BitAnd:
        return toInt32(left) & toInt32(right);
    case Op::BitOr:
        return toInt32(left) | toInt32(right);
    case Op::BitNor:
        return ~(toInt32(left) | toInt32(right));
    case Op::BitNand:
        return ~(toInt32(left) & toInt32(right));
    case Op::And:
        return truth(left != 0.0 && right != 0.0);
    case Op::Or:
        return truth(left != 0.0 || right != 0.0);
    case Op::Equal:
        return truth(left == right);
    case Op::NotEqual:
        return truth(left != right);
    case Op::Less:
        return truth(left < right);
    case Op::LessEqual:
        return truth(left <= right);
    case Op::Greater:
        return truth(left > right);
    case Op::GreaterEqual:
        return truth(left >= right);
    case Op::NotEqualNeg:
        return truth(left != -right);
    case Op::LessNeg:
        return truth(left < -right);
    case Op::GreaterNeg:
        return truth(left > -right);
    case Op::None:
        break;
    }
    return 0.0;
}

} // namespace formula_engine
