#include "formula/FormulaScanner.h"

namespace formula_engine {

std::size_t FormulaScanner::runEnd(std::size_t from, bool (*belongs)(char)) const
{
    while (from < m_text.size() && belongs(m_text[from]))
        ++from;
    return from;
}

Token FormulaScanner::next()
{
    m_pos = runEnd(m_pos, &isBlank);
    if (m_pos == m_text.size())
        return {};

    const std::size_t start = m_pos;
    const char first = m_text[start];
    if (first == '(' || first == ')') {
        ++m_pos;
        return {first == '(' ? TokenKind::OpenParen : TokenKind::CloseParen, Op::None,
                m_text.substr(start, 1)};
    }

    // A run that is no token as a whole is not cut shorter: "^-" is an error,
    // and "x*" falls through so that the x becomes an operand.
    std::size_t end = runEnd(start, &isOperatorChar);
    if (end > start) {
        const std::string_view run = m_text.substr(start, end - start);
        const Op op = findOperator(run);
        if (op != Op::None) {
            m_pos = end;
            return {TokenKind::Operator, op, run};
        }
    }

    end = runEnd(start, &isOperandChar);
    if (end > start) {
        m_pos = end;
        return {TokenKind::Operand, Op::None, m_text.substr(start, end - start)};
    }
    return {TokenKind::Invalid, Op::None, m_text.substr(start, 1)};
}

} // namespace formula_engine
