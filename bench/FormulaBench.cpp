// Evaluations per second of the formula engine on a requirement formula as it
// looks after variable substitution, next to muparser parsing and evaluating
// the same expression afresh each time, and the time of a full requirement
// pass of 60 formulas.

#include "formula/FormulaEngine.h"

#ifdef MENSOLY_BENCH_MUPARSER
#include <muParser.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRuns = 7;
constexpr double kRunSeconds = 0.2;

const char* const kRequirementFormula = "if (2) == 2 then ((12.5) ^ 0.75) * 0.5 * (100) / 100 "
                                        "else ((12.5) ^ 0.67) * 0.55 * (100) / 100";
[[maybe_unused]] const char* const kMuparserFormula =
    "(2 == 2) ? ((12.5^0.75)*0.5*100/100) : ((12.5^0.67)*0.55*100/100)";

// Keeps the compiler from dropping the work whose result nobody reads.
volatile double g_sink = 0.0;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Calls `once` in batches sized to take about kRunSeconds each and returns
// the median of kRuns batches, in calls per second.
template <typename Fn> double medianCallsPerSecond(Fn&& once)
{
    long batch = 1;
    for (;;) {
        const Clock::time_point start = Clock::now();
        for (long i = 0; i < batch; ++i)
            once();
        const double seconds = secondsSince(start);
        if (seconds >= kRunSeconds / 4) {
            batch = std::max(1L, static_cast<long>(static_cast<double>(batch) * kRunSeconds / seconds));
            break;
        }
        batch *= 2;
    }
    std::vector<double> rates;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        for (long i = 0; i < batch; ++i)
            once();
        rates.push_back(static_cast<double>(batch) / secondsSince(start));
    }
    std::nth_element(rates.begin(), rates.begin() + kRuns / 2, rates.end());
    return rates[kRuns / 2];
}

void replaceAll(std::string& text, const std::string& name, const std::string& value)
{
    for (std::size_t pos = text.find(name); pos != std::string::npos;
         pos = text.find(name, pos + value.size()))
        text.replace(pos, name.size(), value);
}

std::string numberText(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// Sixty formulas shaped like requirement formulas, with the case variables
// replaced by numbers the way the requirement calculation does it.
std::vector<std::string> requirementPass()
{
    const char* const shapes[] = {
        "if (ANZWEL) == 2 then ((AKTGEW) ^ 0.75) * 0.5 * (100) / 100 "
        "else ((AKTGEW) ^ 0.67) * 0.55 * (100) / 100",
        "((AKTGEW) ^ 0.75) * 4.95 * (ANZWEL) / 100",
        "if (ANZWEL) == 1 then (SOLLGEW) * 50 else (AKTGEW) * 40",
        "(AKTGEW) * 0.1 * (ALTWOCH) / 100 r 2",
        "if (ALTWOCH) < 52 then ((SOLLGEW) ^ 0.75) * 2 else ((AKTGEW) ^ 0.75) * 1.2",
        "(((SOLLGEW) - (AKTGEW)) / (SOLLGEW) * 100) max 0",
    };
    std::vector<std::string> formulas;
    for (int i = 0; i < 60; ++i) {
        std::string formula = shapes[i % 6];
        replaceAll(formula, "AKTGEW", numberText(4.0 + 0.75 * i));
        replaceAll(formula, "SOLLGEW", numberText(5.0 + 0.7 * i));
        replaceAll(formula, "ANZWEL", numberText(1 + i % 3));
        replaceAll(formula, "ALTWOCH", numberText(8 + 2 * i));
        formulas.push_back(std::move(formula));
    }
    return formulas;
}

} // namespace

int main()
{
    double ours = 0.0;
    const int status = evaluateFormula(kRequirementFormula, ours);
    std::printf("formula: %s\n", kRequirementFormula);
    std::printf("value: %.10g (status %d)\n\n", ours, status);

    const double oursRate = medianCallsPerSecond([] {
        double result = 0.0;
        evaluateFormula(kRequirementFormula, result);
        g_sink = result;
    });
    std::printf("%-44s %12.0f evals/s\n", "evaluateFormula", oursRate);

#ifdef MENSOLY_BENCH_MUPARSER
    mu::Parser parser;
    parser.SetExpr(kMuparserFormula);
    std::printf("%-44s %12.10g\n", "muparser value", parser.Eval());
    const double muparserRate = medianCallsPerSecond([&parser] {
        parser.SetExpr(kMuparserFormula);
        g_sink = parser.Eval();
    });
    std::printf("%-44s %12.0f evals/s\n", "muparser SetExpr + Eval", muparserRate);
    std::printf("%-44s %12.2f\n", "ratio evaluateFormula / muparser", oursRate / muparserRate);
    const double freshParserRate = medianCallsPerSecond([] {
        mu::Parser fresh;
        fresh.SetExpr(kMuparserFormula);
        g_sink = fresh.Eval();
    });
    std::printf("%-44s %12.0f evals/s\n", "muparser new Parser + SetExpr + Eval", freshParserRate);
#else
    std::printf("muparser was not found at build time: no comparison\n");
#endif

    const std::vector<std::string> pass = requirementPass();
    int failures = 0;
    for (const std::string& formula : pass) {
        double result = 0.0;
        failures += evaluateFormula(formula, result) != kFormulaOk;
    }
    const double passRate = medianCallsPerSecond([&pass] {
        double sum = 0.0;
        for (const std::string& formula : pass) {
            double result = 0.0;
            evaluateFormula(formula, result);
            sum += result;
        }
        g_sink = sum;
    });
    std::printf("%-44s %12.2f us\n", "requirement pass (60 formulas)", 1e6 / passRate);
    if (failures != 0) {
        std::printf("%d formulas of the pass did not evaluate cleanly\n", failures);
        return 1;
    }
    return 0;
}
