#pragma once

#include <cstdint>
#include <string_view>

namespace formula_engine {

// The operator tokens, numbered as in the token table (1 to 38).
enum class Op : std::uint8_t {
    None = 0,
    If,
    Then,
    Else,
    ElseIf,
    Min,
    Max,
    Round,
    RoundDown,
    Abs,
    Log,
    MulNeg,
    DivNeg,
    Mul,
    Div,
    IntDiv,
    Mod,
    ShiftLeft,
    ShiftRight,
    Minus,
    Plus,
    PlusNeg,
    MinusNeg,
    Power,
    BitAnd,
    BitOr,
    BitNor,
    And,
    Or,
    BitNand,
    Equal,
    Less,
    Greater,
    GreaterEqual,
    NotEqual,
    NotEqualNeg,
    LessNeg,
    GreaterNeg,
    LessEqual,
};

inline constexpr int kOperatorCount = 38;

std::string_view operatorText(Op op);
int operatorPrecedence(Op op);

// The operator whose text is exactly `text`, or Op::None.
Op findOperator(std::string_view text);

// Characters that operator runs are made of: the lower-case letters of the
// keywords, the operator symbols and '!'.
bool isOperatorChar(char c);
// Letters, digits and the point: the characters of an operand.
bool isOperandChar(char c);
bool isBlank(char c);

// The value of the longest leading decimal number of an operand (digits,
// optional point and fraction, optional exponent); 0 when there is none.
double operandValue(std::string_view text);

} // namespace formula_engine
