#include "formula/FormulaEngine.h"
#include "FormulaTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

namespace {

inline constexpr std::nullopt_t kNotWritten = std::nullopt;
inline constexpr const char* kConversionFails = nullptr;

struct FormulaCase
{
    const char* formula;
    int status;
    const char* postfix; // kConversionFails: formulaToPostfix returns `status`
    std::optional<double> value;
    double tolerance = 0.0;
};

const std::vector<FormulaCase> kFormulaCases = {
    // Worked examples.
    {"(36.922*(0 log(12))-43.567)*25.000000/100.0", 0, "36.922 0 12 log * 43.567 - 25.000000 * 100.0 /",
     12.0452, 5e-5},
    {"if 12 > 10 then 2 else 3", 0, "0 12 if 10 > 2 then 3 else", 2},
    {"if 8 > 10 then 2 else 3", 0, "0 8 if 10 > 2 then 3 else", 3},
    {"1 + 2 * 3 ^ 2", 0, "1 2 3 2 ^ * +", 19},
    {"8 - 3 - 2", 0, "8 3 - 2 -", 3},
    {"2 ^ 3 ^ 2", 0, "2 3 ^ 2 ^", 64},
    {"-3 * 2", 0, "0 3 2 * -", -6},
    {"2*(-3)", 0, "2 0 3 - *", -6},
    {"abs(-4)", 0, "0 0 4 - abs", 4},
    {"abs -4", 0, "0 0 abs 4 -", -4},
    {"5--3", 0, "5 3 --", 8},
    {"5+-3", 0, "5 3 +-", 2},
    {"5*-3", 0, "5 3 *-", -15},
    {"3 min 5 + 1", 0, "3 5 1 + min", 3},
    {"1 max 2 * 3", 0, "1 2 3 * max", 6},
    {"if 1 then 5 elseif 1 then 6 else 7", 0, "0 1 if 5 then 1 elseif 6 then 7 else", 7},
    {"2 ^ -1", 0, "2 0 ^ 1 -", 0},
    {"2^-1", 3, kConversionFails, kNotWritten},
    {"2 3", 4, "2 3", 3},
    {"2 +", 1, "2 +", kNotWritten},
    // "and" is no token, so it is an operand worth 0 and three values remain.
    {"(2+3 and 2+3)", 4, "2 3 and 2 + 3 +", 5},

    // Edge cases.
    {"AKTGEW * 2 + 1", 0, "AKTGEW 2 * 1 +", 1},
    {"10 / 0", 0, "10 0 /", 0},
    {"10 \\ 0", 0, "10 0 \\", 0},
    {"10 /- 0", 0, "10 0 /-", -INFINITY},
    {"7 % 3", 0, "7 3 %", 1},
    {"-7 % 3", 0, "0 7 3 % -", -1},
    {"7.9 % 3", 0, "7.9 3 %", 1},
    {"5 > 3 && 2 > 1", 0, "5 3 > 2 1 > &&", 1},
    {"6 & 3", 0, "6 3 &", 2},
    {"6 | 3", 0, "6 3 |", 7},
    {"1 << 4", 0, "1 4 <<", 16},
    {"a = b", 3, kConversionFails, kNotWritten},
    {"IF 1 THEN 2", 4, "IF 1 THEN 2", 2},

    // Open questions settled for this engine.
    {"7 % 0", 0, "7 0 %", 0},
    {"(0-2147483648) % (0-1)", 0, "0 2147483648 - 0 1 - %", 0},
    {"", 1, "", kNotWritten},
    {" \t ", 1, "", kNotWritten},

    // Token boundaries.
    {"x*2", 0, "x 2 *", 0},
    {"abs2", 0, "0 2 abs", 2},
    {"1e-5", 0, "1e 5 -", -4},
    {"1e5 + 1", 0, "1e5 1 +", 100001},
    {"2abs 3", 4, "2abs 3", 3},
    {"if*2", 1, "if 2 *", kNotWritten}, // read back, the operand "if" is the operator
    {"1\t+\n2", 0, "1 2 +", 3},
    {"2 ^- 1", 3, kConversionFails, kNotWritten},
    {"5 , 3", 3, kConversionFails, kNotWritten},
    {"5;3", 3, kConversionFails, kNotWritten},
    {"2 \xc3\x97 3", 3, kConversionFails, kNotWritten},

    // Structure.
    {"((2))", 0, "2", 2},
    {"(2", 1, kConversionFails, kNotWritten},
    {"2)", 1, kConversionFails, kNotWritten},
    {") =", 1, kConversionFails, kNotWritten},
    {"= )", 3, kConversionFails, kNotWritten},
    {"(1 + 2", 1, kConversionFails, kNotWritten},
    {"2 + +", 1, "2 0 + +", kNotWritten},
    {"()", 1, "", kNotWritten},
    {"then 5", 0, "0 5 then", kFormulaBranchNotTaken},
    {"if 0 then 5 else 6", 0, "0 0 if 5 then 6 else", 6},
    {"if 3 > 2 then 1 else 0 + 10", 0, "0 3 if 2 > 1 then 0 10 + else", 1},
};

class FormulaCaseTest : public testing::TestWithParam<FormulaCase>
{
};

TEST_P(FormulaCaseTest, ConvertsAndEvaluates)
{
    const FormulaCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "formula: \"" << c.formula << "\"");

    double result = kPresetResult;
    EXPECT_EQ(evaluateFormula(c.formula, result), c.status);
    expectResult(result, c.value, c.tolerance);

    std::string postfix = "stale text";
    const int conversion = formulaToPostfix(c.formula, postfix);
    if (c.postfix == kConversionFails) {
        EXPECT_EQ(conversion, c.status);
        EXPECT_EQ(postfix, "");
        return;
    }
    EXPECT_EQ(conversion, kFormulaOk);
    EXPECT_EQ(postfix, c.postfix);

    double fromPostfix = kPresetResult;
    EXPECT_EQ(evaluatePostfix(postfix, fromPostfix), c.status);
    expectResult(fromPostfix, c.value, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(Formulas, FormulaCaseTest, testing::ValuesIn(kFormulaCases));

struct PostfixCase
{
    const char* postfix;
    int status;
    std::optional<double> value;
};

// Postfix text that formulaToPostfix would not write, as a caller might pass it.
const std::vector<PostfixCase> kPostfixCases = {
    {"  2\t 3   + ", 0, 5}, {"2 + 3", 1, kNotWritten}, {"+", 1, kNotWritten}, {"1 2 3 *", 4, 6},
    {"( 2", 4, 2},          {"", 1, kNotWritten},
};

class PostfixCaseTest : public testing::TestWithParam<PostfixCase>
{
};

TEST_P(PostfixCaseTest, Evaluates)
{
    const PostfixCase& c = GetParam();
    SCOPED_TRACE(testing::Message() << "postfix: \"" << c.postfix << "\"");
    double result = kPresetResult;
    EXPECT_EQ(evaluatePostfix(c.postfix, result), c.status);
    expectResult(result, c.value);
}

INSTANTIATE_TEST_SUITE_P(Postfix, PostfixCaseTest, testing::ValuesIn(kPostfixCases));

} // namespace
