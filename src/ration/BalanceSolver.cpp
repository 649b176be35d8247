#include "ration/BalanceSolver.h"

#include <glpk.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace {

struct ProblemDeleter
{
    void operator()(glp_prob* problem) const { glp_delete_prob(problem); }
};
using Problem = std::unique_ptr<glp_prob, ProblemDeleter>;

// The columns: the grams of each feedstuff, the common factor of the start
// amounts, one miss per limit and one distance per feedstuff from its
// scaled start amount.
struct Columns
{
    int feeds = 0;
    int limits = 0;
    int gram(int feed) const { return 1 + feed; }
    int factor() const { return 1 + feeds; }
    int miss(int limit) const { return 2 + feeds + limit; }
    int distance(int feed) const { return 2 + feeds + limits + feed; }
    int count() const { return 1 + feeds + limits + feeds; }
};

// A start amount of nothing still gets a distance per gram, so a feedstuff
// without one is taken only as far as the limits need it.
double distanceScale(double start)
{
    return std::max(start, 1.0);
}

void setColumnRange(glp_prob* lp, int column, const BalanceRange& range)
{
    const double low = std::max(range.minimum, 0.0);
    if (!std::isfinite(range.maximum))
        glp_set_col_bnds(lp, column, GLP_LO, low, 0.0);
    else if (range.maximum <= low)
        glp_set_col_bnds(lp, column, GLP_FX, low, low);
    else
        glp_set_col_bnds(lp, column, GLP_DB, low, range.maximum);
}

Problem buildProblem(const std::vector<BalanceLimit>& limits, const std::vector<BalanceRange>& ranges,
                     const std::vector<double>& start, const Columns& columns)
{
    Problem lp(glp_create_prob());
    glp_set_obj_dir(lp.get(), GLP_MIN);
    glp_add_cols(lp.get(), columns.count());
    for (int f = 0; f < columns.feeds; ++f) {
        setColumnRange(lp.get(), columns.gram(f), ranges[size_t(f)]);
        glp_set_col_bnds(lp.get(), columns.distance(f), GLP_LO, 0.0, 0.0);
    }
    glp_set_col_bnds(lp.get(), columns.factor(), GLP_LO, 0.0, 0.0);
    for (int k = 0; k < columns.limits; ++k)
        glp_set_col_bnds(lp.get(), columns.miss(k), GLP_LO, 0.0, 0.0);

    // GLPK's arrays count from 1.
    std::vector<int> rowIndex{0};
    std::vector<int> columnIndex{0};
    std::vector<double> values{0.0};
    // A factor below a billionth of a gram is none; left in, it only makes
    // the scaling's work harder.
    const auto add = [&](int row, int column, double value) {
        if (std::abs(value) < 1e-9)
            return;
        rowIndex.push_back(row);
        columnIndex.push_back(column);
        values.push_back(value);
    };
    glp_add_rows(lp.get(), columns.limits + 2 * columns.feeds);
    for (int k = 0; k < columns.limits; ++k) {
        const BalanceLimit& limit = limits[size_t(k)];
        const int row = 1 + k;
        for (int f = 0; f < columns.feeds; ++f)
            add(row, columns.gram(f), limit.perGram[size_t(f)]);
        // A minimum is met with the miss added, a maximum with it taken off.
        add(row, columns.miss(k), limit.upper ? -limit.scale : limit.scale);
        glp_set_row_bnds(lp.get(), row, limit.upper ? GLP_UP : GLP_LO, limit.bound, limit.bound);
    }
    // distance >= |grams - factor * start| / scale, as two rows.
    for (int f = 0; f < columns.feeds; ++f) {
        const double scale = distanceScale(start[size_t(f)]);
        for (int side = 0; side < 2; ++side) {
            const int row = 1 + columns.limits + 2 * f + side;
            add(row, columns.gram(f), 1.0);
            add(row, columns.factor(), -start[size_t(f)]);
            add(row, columns.distance(f), side == 0 ? -scale : scale);
            glp_set_row_bnds(lp.get(), row, side == 0 ? GLP_UP : GLP_LO, 0.0, 0.0);
        }
    }
    glp_load_matrix(lp.get(), int(values.size()) - 1, rowIndex.data(), columnIndex.data(), values.data());
    glp_scale_prob(lp.get(), GLP_SF_AUTO);
    return lp;
}

// GLPK aborts the process on values it cannot scale; contents typed into
// the feedstuff editor can be anything.
bool reasonable(double value)
{
    return std::isfinite(value) && std::abs(value) < 1e12;
}

bool reasonableInput(const std::vector<BalanceLimit>& limits, const std::vector<BalanceRange>& ranges,
                     const std::vector<double>& start)
{
    for (const BalanceLimit& limit : limits) {
        if (limit.perGram.size() != ranges.size() || !reasonable(limit.bound) || !reasonable(limit.scale) ||
            limit.scale <= 0.0 || !std::all_of(limit.perGram.begin(), limit.perGram.end(), reasonable))
            return false;
    }
    for (const BalanceRange& range : ranges) {
        if (!reasonable(range.minimum) || !(range.maximum >= range.minimum) ||
            (std::isfinite(range.maximum) && !reasonable(range.maximum)))
            return false;
    }
    return std::all_of(start.begin(), start.end(), reasonable);
}

bool runSimplex(glp_prob* lp)
{
    glp_smcp parameters;
    glp_init_smcp(&parameters);
    parameters.msg_lev = GLP_MSG_OFF;
    const int result = glp_simplex(lp, &parameters);
    if (result == 0 && glp_get_status(lp) == GLP_OPT)
        return true;
    return false;
}

double tolerance(double reached)
{
    return 1e-7 + 1e-6 * std::abs(reached);
}

// Minimises the sum of the columns; with hold, the sum is then kept where it
// is for what follows. Nothing to minimise is done at once.
bool minimise(glp_prob* lp, const std::vector<int>& columns, bool hold = false)
{
    if (columns.empty())
        return true;
    for (int j = 1; j <= glp_get_num_cols(lp); ++j)
        glp_set_obj_coef(lp, j, 0.0);
    for (const int column : columns)
        glp_set_obj_coef(lp, column, 1.0);
    if (!runSimplex(lp))
        return false;
    if (hold) {
        const double reached = glp_get_obj_val(lp);
        std::vector<int> index{0};
        index.insert(index.end(), columns.begin(), columns.end());
        const std::vector<double> ones(index.size(), 1.0);
        const int row = glp_add_rows(lp, 1);
        glp_set_mat_row(lp, row, int(columns.size()), index.data(), ones.data());
        glp_set_row_bnds(lp, row, GLP_UP, 0.0, reached + tolerance(reached));
    }
    return true;
}

} // namespace

BalanceSolution BalanceSolver::solve(const std::vector<BalanceLimit>& limits,
                                     const std::vector<BalanceRange>& ranges,
                                     const std::vector<double>& start)
{
    BalanceSolution solution;
    Columns columns;
    columns.feeds = int(ranges.size());
    columns.limits = int(limits.size());
    if (columns.feeds == 0 || start.size() != ranges.size()) {
        solution.failure = BalanceFailure::NoSolution;
        return solution;
    }
    if (!reasonableInput(limits, ranges, start)) {
        solution.failure = BalanceFailure::UnusableNumber;
        return solution;
    }
    // The command line's output is the program's own; GLPK prints nothing.
    glp_term_out(GLP_OFF);
    Problem lp = buildProblem(limits, ranges, start, columns);

    std::vector<bool> givenUp(limits.size(), false);
    std::set<int> stages;
    for (const BalanceLimit& limit : limits)
        stages.insert(limit.stage);
    for (const int stage : stages) {
        std::vector<int> misses;
        for (int k = 0; k < columns.limits; ++k) {
            if (limits[size_t(k)].stage == stage)
                misses.push_back(columns.miss(k));
        }
        if (!minimise(lp.get(), misses)) {
            solution.failure = BalanceFailure::NoSolution;
            return solution;
        }
        // Later stages may not undo what this one reached: each miss is held
        // where it is, unless its limit is given up.
        for (int k = 0; k < columns.limits; ++k) {
            const BalanceLimit& limit = limits[size_t(k)];
            if (limit.stage != stage)
                continue;
            const double miss = glp_get_col_prim(lp.get(), columns.miss(k));
            if (miss > limit.givenUpBeyond + 1e-6)
                givenUp[size_t(k)] = true;
            else
                glp_set_col_bnds(lp.get(), columns.miss(k), GLP_DB, 0.0,
                                 std::max(miss, 0.0) + tolerance(miss));
        }
    }
    // Then the proportions of the feedstuffs that start from an amount; then
    // the limits given up, as far as what is left to move (supplements, in
    // the main) can close them; then as little as possible of the rest. A
    // feedstuff held at one amount has no say.
    std::vector<int> started, unstarted, givenUpMisses;
    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        if (range.maximum > std::max(range.minimum, 0.0))
            (start[size_t(f)] > 0.0 ? started : unstarted).push_back(columns.distance(f));
    }
    for (int k = 0; k < columns.limits; ++k) {
        if (givenUp[size_t(k)])
            givenUpMisses.push_back(columns.miss(k));
    }
    if (!minimise(lp.get(), started, true) || !minimise(lp.get(), givenUpMisses, true) ||
        !minimise(lp.get(), unstarted)) {
        solution.failure = BalanceFailure::NoSolution;
        return solution;
    }

    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        const double grams = glp_get_col_prim(lp.get(), columns.gram(f));
        solution.grams.push_back(std::clamp(grams, std::max(range.minimum, 0.0),
                                            std::max(range.maximum, std::max(range.minimum, 0.0))));
    }
    return solution;
}
