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
    const auto add = [&](int row, int column, double value) {
        if (value == 0.0)
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

bool runSimplex(glp_prob* lp, QString& error)
{
    glp_smcp parameters;
    glp_init_smcp(&parameters);
    parameters.msg_lev = GLP_MSG_OFF;
    const int result = glp_simplex(lp, &parameters);
    if (result == 0 && glp_get_status(lp) == GLP_OPT)
        return true;
    error = QStringLiteral("the linear program found no optimum (GLPK %1, status %2)")
                .arg(result)
                .arg(glp_get_status(lp));
    return false;
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
        solution.error = QStringLiteral("there are no feedstuffs to balance");
        return solution;
    }
    // The command line's output is the program's own; GLPK prints nothing.
    glp_term_out(GLP_OFF);
    Problem lp = buildProblem(limits, ranges, start, columns);

    std::set<int> stages;
    for (const BalanceLimit& limit : limits)
        stages.insert(limit.stage);
    for (const int stage : stages) {
        for (int k = 0; k < columns.limits; ++k)
            glp_set_obj_coef(lp.get(), columns.miss(k), limits[size_t(k)].stage == stage ? 1.0 : 0.0);
        if (!runSimplex(lp.get(), solution.error))
            return solution;
        // Later stages may not undo what this one reached.
        const double reached = glp_get_obj_val(lp.get());
        std::vector<int> index{0};
        std::vector<double> ones{0.0};
        for (int k = 0; k < columns.limits; ++k) {
            if (limits[size_t(k)].stage == stage) {
                index.push_back(columns.miss(k));
                ones.push_back(1.0);
            }
        }
        const int row = glp_add_rows(lp.get(), 1);
        glp_set_mat_row(lp.get(), row, int(index.size()) - 1, index.data(), ones.data());
        glp_set_row_bnds(lp.get(), row, GLP_UP, 0.0, reached + 1e-7 + 1e-6 * reached);
    }
    for (int k = 0; k < columns.limits; ++k)
        glp_set_obj_coef(lp.get(), columns.miss(k), 0.0);
    for (int f = 0; f < columns.feeds; ++f)
        glp_set_obj_coef(lp.get(), columns.distance(f), 1.0);
    if (!runSimplex(lp.get(), solution.error))
        return solution;

    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        const double grams = glp_get_col_prim(lp.get(), columns.gram(f));
        solution.grams.push_back(std::clamp(grams, std::max(range.minimum, 0.0),
                                            std::max(range.maximum, std::max(range.minimum, 0.0))));
    }
    solution.solved = true;
    return solution;
}
