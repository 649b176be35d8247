#include "app/cli/CliCommand.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

struct CliRun
{
    int exitCode;
    std::string out;
    std::string err;
};

CliRun runFormula(const std::string& input, CliArgs extraArgs = {})
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliIo io{in, out, err};
    CliArgs args{"formula"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    const int exitCode = runCli(args, io);
    return {exitCode, out.str(), err.str()};
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
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.out, std::string(c.output) + "\n");
        EXPECT_EQ(run.err, "");
    }
}

TEST(CliFormulaTest, KeepsTheOrderOfTheInputLines)
{
    const CliRun run = runFormula("1 + 1\n\n2 * 3");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "0\t2\t1 1 +\n1\t-\t\n0\t6\t2 3 *\n");
}

TEST(CliFormulaTest, RejectsArguments)
{
    const CliRun run = runFormula("1\n", {"1 + 1"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("takes no arguments"), std::string::npos);
}

} // namespace
