#include "formula/FormulaEngine.h"

#include "formula/FormulaScanner.h"
#include "formula/PostfixEvaluator.h"
#include "formula/SmallStack.h"

#include <cstdint>
#include <new>

using namespace formula_engine;

namespace {

// Marks an opening parenthesis on the operator stack.
constexpr auto kOpenParen = static_cast<std::uint8_t>(0xff);

// Infix-to-postfix conversion with an operator-precedence stack. The postfix
// tokens go to a sink as they are produced: the text writer or, for
// evaluateFormula, straight into an evaluator, so that no postfix text has to
// be built and read back.
template <typename Sink> int convertToPostfix(std::string_view formula, Sink& sink)
{
    FormulaScanner scanner(formula);
    SmallStack<std::uint8_t, 64> operators;
    // Parentheses leave this alone: "2*(-3)" gives "-" its 0 because the
    // token before it is "*".
    bool previousIsOperand = false;

    for (;;) {
        const Token token = scanner.next();
        switch (token.kind) {
        case TokenKind::End:
            while (!operators.empty()) {
                const std::uint8_t top = operators.pop();
                if (top == kOpenParen)
                    return kFormulaStructureError;
                sink.op(static_cast<Op>(top));
            }
            return kFormulaOk;
        case TokenKind::OpenParen:
            operators.push(kOpenParen);
            break;
        case TokenKind::CloseParen:
            for (;;) {
                if (operators.empty())
                    return kFormulaStructureError;
                const std::uint8_t top = operators.pop();
                if (top == kOpenParen)
                    break;
                sink.op(static_cast<Op>(top));
            }
            break;
        case TokenKind::Operand:
            sink.operand(token.text);
            previousIsOperand = true;
            break;
        case TokenKind::Operator: {
            if (!previousIsOperand)
                sink.zero();
            const int precedence = operatorPrecedence(token.op);
            while (!operators.empty() && operators.top() != kOpenParen &&
                   operatorPrecedence(static_cast<Op>(operators.top())) >= precedence)
                sink.op(static_cast<Op>(operators.pop()));
            operators.push(static_cast<std::uint8_t>(token.op));
            previousIsOperand = false;
            break;
        }
        case TokenKind::Invalid:
            return kFormulaCharacterError;
        }
    }
}

class PostfixWriter
{
public:
    explicit PostfixWriter(std::string& out)
        : m_out(out)
    {
    }

    void operand(std::string_view text) { append(text); }
    void zero() { append("0"); }
    void op(Op token) { append(operatorText(token)); }

private:
    void append(std::string_view text)
    {
        if (!m_out.empty())
            m_out += ' ';
        m_out += text;
    }

    std::string& m_out;
};

class EvaluatingSink
{
public:
    explicit EvaluatingSink(PostfixEvaluator& evaluator)
        : m_evaluator(evaluator)
    {
    }

    // Operands go through feed() like pieces of postfix text, so an operand
    // spelled like a keyword ("if" in "if*2") acts as that operator here just
    // as it does when the postfix text is evaluated.
    void operand(std::string_view text) { m_evaluator.feed(text); }
    void zero() { m_evaluator.pushValue(0.0); }
    void op(Op token) { m_evaluator.apply(token); }

private:
    PostfixEvaluator& m_evaluator;
};

} // namespace

int evaluateFormula(std::string_view formula, double& result)
{
    try {
        PostfixEvaluator evaluator;
        EvaluatingSink sink(evaluator);
        const int status = convertToPostfix(formula, sink);
        if (status != kFormulaOk)
            return status;
        return evaluator.finish(result);
    } catch (const std::bad_alloc&) {
        return kFormulaExtraValues;
    }
}

int formulaToPostfix(std::string_view formula, std::string& postfix)
{
    postfix.clear();
    int status = kFormulaOk;
    try {
        PostfixWriter writer(postfix);
        status = convertToPostfix(formula, writer);
    } catch (const std::bad_alloc&) {
        status = kFormulaExtraValues;
    }
    if (status != kFormulaOk)
        postfix.clear();
    return status;
}

int evaluatePostfix(std::string_view postfix, double& result)
{
    try {
        PostfixEvaluator evaluator;
        std::size_t pos = 0;
        while (pos < postfix.size()) {
            if (isBlank(postfix[pos])) {
                ++pos;
                continue;
            }
            std::size_t end = pos;
            while (end < postfix.size() && !isBlank(postfix[end]))
                ++end;
            evaluator.feed(postfix.substr(pos, end - pos));
            if (evaluator.failed())
                return kFormulaStructureError;
            pos = end;
        }
        return evaluator.finish(result);
    } catch (const std::bad_alloc&) {
        return kFormulaExtraValues;
    }
}
