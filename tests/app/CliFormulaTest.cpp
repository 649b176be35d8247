#include "support/CliRun.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CliRun runFormula(const std::string& input, CliArgs extraArgs = {})
{
    CliArgs args{"formula"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    return runCliWith(args, input);
}

struct LineCase
{
    const char* formula;
    const char* output;
};

const LineCase kLineCases[] = {
    {"if 12 > 10 then 2 else 3", "0\t2\t0 12 if 10 > 2 then 3 else"},
    {"2 3", "4\t3\t2 3"},
    {"2 +", "1\t-\t2 +"},
    {"2^-1", "3\t-\t"},
    {"(2", "1\t-\t"},
    {"", "1\t-\t"},
    {"10 /- 0", "0\t-inf\t10 0 /-"},
    {"1 / 3", "0\t0.3333333333\t1 3 /"},
    {"2 + 3\r", "0\t5\t2 3 +"},
};

TEST(CliFormulaTest, PrintsOneLinePerFormula)
{
    for (const LineCase& c : kLineCases) {
        SCOPED_TRACE(c.formula);
        const CliRun run = runFormula(std::string(c.formula) + "\n");
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, std::string(c.output) + "\n");
        EXPECT_EQ(run.err, QString());
    }
}

TEST(CliFormulaTest, KeepsTheOrderOfTheInputLines)
{
    const CliRun run = runFormula("1 + 1\n\n2 * 3");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "0\t2\t1 1 +\n1\t-\t\n0\t6\t2 3 *\n");
}

TEST(CliFormulaTest, RejectsArguments)
{
    const CliRun run = runFormula("1\n", {"1 + 1"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.contains("takes no arguments"));
}

} // namespace
