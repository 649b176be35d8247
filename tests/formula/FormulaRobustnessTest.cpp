#include "FormulaTestSupport.h"
#include "formula/FormulaEngine.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

bool isStatusCode(int status)
{
    return status == kFormulaOk || status == kFormulaStructureError || status == kFormulaCharacterError ||
           status == kFormulaExtraValues;
}

bool sameDouble(double a, double b)
{
    return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0;
}

// Pieces to build formulas from: every token, numbers of every size, names,
// parentheses, blanks and characters that begin no token.
// clang-format off
const std::vector<std::string> kPieces = {
    "if", "then", "else", "elseif", "min", "max", "r", "rd", "abs", "log", "*-", "/-", "*", "/", "\\",
    "%", "<<", ">>", "-", "+", "+-", "--", "^", "&", "|", "!|", "&&", "||", "!&", "==", "<", ">", ">=",
    "<>", "<>-", "<-", ">-", "<=",
    "(", "(", ")", ")", " ", " ", "\t", "\n",
    "0", "1", "2.5", "12.75", ".", "1.2.3", "1e308", "1e400", "1e", "2147483648", "99999999999999999999999",
    "0.000000001", "AKTGEW", "and", "x", "nan", "IF",
    "=", ",", ";", "!", "#", "\x01", "\xff",
};
// clang-format on

std::string randomFormula(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> pieceCount(0, 30);
    std::uniform_int_distribution<std::size_t> pieceIndex(0, kPieces.size() - 1);
    std::uniform_int_distribution<int> roll(0, 9);
    std::string formula;
    const std::size_t count = pieceCount(random);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& piece = kPieces[pieceIndex(random)];
        // Now and then a long run of one operator, or a piece glued to the next.
        const int repeats = roll(random) == 0 ? 1 + roll(random) * 5 : 1;
        for (int r = 0; r < repeats; ++r)
            formula += piece;
        if (roll(random) < 6)
            formula += ' ';
    }
    return formula;
}

// Any text gives a status code; the result is written only where allowed; and
// evaluating in one step agrees with converting and then evaluating the text.
void checkFormula(const std::string& formula)
{
    SCOPED_TRACE(testing::Message() << "formula: \"" << formula << "\"");
    double result = kPresetResult;
    const int status = evaluateFormula(formula, result);
    ASSERT_TRUE(isStatusCode(status)) << status;
    if (status == kFormulaStructureError || status == kFormulaCharacterError) {
        ASSERT_EQ(result, kPresetResult);
    }

    std::string postfix;
    const int conversion = formulaToPostfix(formula, postfix);
    ASSERT_TRUE(isStatusCode(conversion)) << conversion;
    if (conversion != kFormulaOk) {
        ASSERT_EQ(status, conversion);
        ASSERT_TRUE(postfix.empty());
        return;
    }
    double fromPostfix = kPresetResult;
    ASSERT_EQ(evaluatePostfix(postfix, fromPostfix), status) << "postfix: " << postfix;
    ASSERT_TRUE(sameDouble(fromPostfix, result)) << fromPostfix << " vs " << result;
}

TEST(FormulaRobustnessTest, GeneratedFormulasGiveAStatusCode)
{
    std::mt19937 random(20240611);
    std::array<int, 5> statusSeen{};
    for (int i = 0; i < 20000; ++i) {
        const std::string formula = randomFormula(random);
        ASSERT_NO_FATAL_FAILURE(checkFormula(formula));
        double ignored = 0.0;
        ++statusSeen[static_cast<std::size_t>(evaluateFormula(formula, ignored))];
    }
    // The generator is only useful if it reaches every outcome.
    for (int status : {kFormulaOk, kFormulaStructureError, kFormulaCharacterError, kFormulaExtraValues})
        EXPECT_GT(statusSeen[static_cast<std::size_t>(status)], 100) << "status " << status;
}

std::string repeated(std::string_view text, int count)
{
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

TEST(FormulaRobustnessTest, DeepFormulasOutgrowTheInlineStacks)
{
    constexpr int kDepth = 100000;
    struct DeepCase
    {
        std::string formula;
        int status;
        double value;
    };
    const std::vector<DeepCase> cases = {
        {repeated("(", kDepth) + "1" + repeated(")", kDepth), kFormulaOk, 1},
        {repeated("1+(", kDepth) + "1" + repeated(")", kDepth), kFormulaOk, kDepth + 1},
        {std::string("1") + repeated(" + 1", kDepth), kFormulaOk, kDepth + 1},
        {repeated("- ", kDepth) + "1", kFormulaOk, -1},
        {repeated("1 ", kDepth), kFormulaExtraValues, 1},
        {repeated("(", kDepth) + "1", kFormulaStructureError, kPresetResult},
    };
    for (const DeepCase& c : cases) {
        double result = kPresetResult;
        EXPECT_EQ(evaluateFormula(c.formula, result), c.status);
        EXPECT_EQ(result, c.value);
        ASSERT_NO_FATAL_FAILURE(checkFormula(c.formula));
    }
}

} // namespace
