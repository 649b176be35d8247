#pragma once

#include "formula/FormulaTokens.h"

#include <cstddef>
#include <string_view>

namespace formula_engine {

enum class TokenKind : std::uint8_t {
    End,
    OpenParen,
    CloseParen,
    Operator,
    Operand,
    Invalid,
};

struct Token
{
    TokenKind kind = TokenKind::End;
    Op op = Op::None;
    std::string_view text;
};

// Splits formula text into tokens. At each position it tries, in this order:
// blanks (skipped), a parenthesis, the longest run of operator characters if
// that run is exactly one token, and the longest run of operand characters.
class FormulaScanner
{
public:
    explicit FormulaScanner(std::string_view text)
        : m_text(text)
    {
    }

    Token next();

private:
    std::size_t runEnd(std::size_t from, bool (*belongs)(char)) const;

    std::string_view m_text;
    std::size_t m_pos = 0;
};

} // namespace formula_engine
