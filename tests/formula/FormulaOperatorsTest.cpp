#include "FormulaTestSupport.h"
#include "formula/FormulaEngine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

struct ValueCase
{
    const char* formula;
    double value;
};

void expectValue(const ValueCase& c)
{
    SCOPED_TRACE(testing::Message() << "formula: \"" << c.formula << "\"");
    double result = kPresetResult;
    ASSERT_EQ(evaluateFormula(c.formula, result), kFormulaOk);
    if (std::isnan(c.value))
        EXPECT_TRUE(std::isnan(result)) << result;
    else
        EXPECT_DOUBLE_EQ(result, c.value);
}

// Each operator with operands that tell it apart from its neighbours in the
// token table. Negative operands are written as (0-x): a leading minus is the
// binary minus with a left operand 0.
const std::vector<ValueCase> kOperatorCases = {
    {"5 if 3", 3},
    {"1 then 5", 5},
    {"2 then 5", kFormulaBranchNotTaken},
    {"0.999 then 5", kFormulaBranchNotTaken},
    {"5 else 6", 5},
    {"0 then 1 else 6", 6},
    {"0 then 1 elseif 6", 6},
    {"4 elseif 6", 4},
    {"3 min 5", 3},
    {"5 min 3", 3},
    {"3 max 5", 5},
    {"5 max 3", 5},
    {"7 abs 2", 2},
    {"abs (0-2.5)", 2.5},
    {"0 log 1", 0},
    {"log 0", -INFINITY},
    {"log (0-1)", NAN},
    {"6 /- 3", -2},
    {"7 / 2", 3.5},
    {"7 \\ 2", 3},
    {"(0-7) \\ 2", -3},
    {"(0-7.9) % 3", -1},
    {"7 % (0-3)", 1},
    {"1 << 33", 2},
    {"1 << (0-1)", -2147483648.0},
    {"(0-1) << 31", -2147483648.0},
    {"(0-16) >> 2", -4},
    {"16 >> 34", 4},
    {"2 ^ 10", 1024},
    {"9 ^ 0.5", 3},
    {"6 !| 3", -8},
    {"6 !& 3", -3},
    {"2 && 0", 0},
    {"2 && 0.5", 1},
    {"0 || 0", 0},
    {"0 || 0.1", 1},
    {"2 == 2", 1},
    {"2 <> 2", 0},
    {"2 < 3", 1},
    {"3 <= 3", 1},
    {"4 <= 3", 0},
    {"2 > 3", 0},
    {"3 >= 3", 1},
    {"3 <>- 3", 1},
    {"3 <>- (0-3)", 0},
    {"(0-5) <- 3", 1},
    {"(0-3) <- 3", 0},
    {"(0-2) >- 3", 1},
    {"(0-3) >- 3", 0},

    // Rounding to decimals.
    {"2.45 r 1", 2.5},
    {"2.44 r 1", 2.4},
    {"1234.5678 r 2", 1234.57},
    {"(0-2.45) r 1", -2.5},
    {"2.5 r 0.9", 3},
    {"1234.5678 r (0-2)", 1200},
    {"2.6 rd 0", 2},
    {"2.5 rd 0", 2},
    {"2.4 rd 0", 1},
    {"3.0 rd 0", 2},
    {"1.26 rd 1", 1.2},
    {"(0-2.6) rd 0", -2},

    // Integer operators saturate outside the 32-bit range; NaN counts as 0.
    {"3000000000 | 0", 2147483647},
    {"2147483647.9 | 0", 2147483647},
    {"(0-1e10) & (0-1)", -2147483648.0},
    {"(0 log (0-1)) | 5", 5},
    {"1e10 % 1e10", 0},
    {"(0-2147483648) \\ (0-1)", 2147483648.0},
};

TEST(FormulaOperatorsTest, ComputesEachOperator)
{
    for (const ValueCase& c : kOperatorCases)
        expectValue(c);
}

// An operand is worth its longest leading decimal number.
const std::vector<ValueCase> kOperandCases = {
    {"007", 7},     {".5", 0.5},         {"5.", 5},      {".", 0},   {"12.5.7", 12.5}, {"2abc", 2}, {"1e", 1},
    {"1.5E2", 150}, {"1e400", INFINITY}, {"SOLLGEW", 0}, {"inf", 0}, {"nan", 0},       {"0x10", 0},
};

TEST(FormulaOperatorsTest, ReadsOperands)
{
    for (const ValueCase& c : kOperandCases)
        expectValue(c);
    expectValue({("0." + std::string(400, '0') + "1").c_str(), 0});
}

} // namespace
