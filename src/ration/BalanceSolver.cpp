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
// scaled start amount. An addable substance has no start amount: its
// distance column stays unused.
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

// A factor below a billionth of a gram is none; left in, it only makes the
// scaling's work harder.
bool isFactor(double perGram)
{
    return std::abs(perGram) >= 1e-9;
}

// An added substance closes at least this share of the largest gap it serves.
constexpr double LeastShare = 0.1;

double lowest(const BalanceRange& range)
{
    return std::max(range.minimum, 0.0);
}

// The grams one unit of a feedstuff's column stands for: one for the
// feedstuffs. A pure substance brings up to tens of millions of a unit per
// gram (vitamin D3 in IU) and is given in hundredths of a milligram, which
// the solver's tolerances, made for grams of food, would blur; its column
// counts the grams that bring its largest content to one.
std::vector<double> gramsPerUnit(const std::vector<BalanceLimit>& limits,
                                 const std::vector<BalanceRange>& ranges)
{
    std::vector<double> units(ranges.size(), 1.0);
    for (size_t f = 0; f < ranges.size(); ++f) {
        if (!ranges[f].addable)
            continue;
        double largest = 0.0;
        for (const BalanceLimit& limit : limits)
            largest = std::max(largest, std::abs(limit.perGram[f]));
        if (largest > 0.0)
            units[f] = 1.0 / largest;
    }
    return units;
}

void setColumnRange(glp_prob* lp, int column, const BalanceRange& range, double unit)
{
    const double low = lowest(range) / unit;
    if (!std::isfinite(range.maximum))
        glp_set_col_bnds(lp, column, GLP_LO, low, 0.0);
    else if (range.maximum / unit <= low)
        glp_set_col_bnds(lp, column, GLP_FX, low, low);
    else
        glp_set_col_bnds(lp, column, GLP_DB, low, range.maximum / unit);
}

Problem buildProblem(const std::vector<BalanceLimit>& limits, const std::vector<BalanceRange>& ranges,
                     const std::vector<double>& start, const std::vector<double>& units,
                     const Columns& columns)
{
    Problem lp(glp_create_prob());
    glp_set_obj_dir(lp.get(), GLP_MIN);
    glp_add_cols(lp.get(), columns.count());
    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        // An addable substance keeps its minimum until the completion.
        setColumnRange(lp.get(), columns.gram(f),
                       range.addable ? BalanceRange{range.minimum, lowest(range)} : range, units[size_t(f)]);
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
        if (!isFactor(value))
            return;
        rowIndex.push_back(row);
        columnIndex.push_back(column);
        values.push_back(value);
    };
    glp_add_rows(lp.get(), columns.limits + 2 * columns.feeds);
    for (int k = 0; k < columns.limits; ++k) {
        const BalanceLimit& limit = limits[size_t(k)];
        const int row = 1 + k;
        for (int f = 0; f < columns.feeds; ++f) {
            if (isFactor(limit.perGram[size_t(f)]))
                add(row, columns.gram(f), limit.perGram[size_t(f)] * units[size_t(f)]);
        }
        // A minimum is met with the miss added, a maximum with it taken off.
        add(row, columns.miss(k), limit.upper ? -limit.scale : limit.scale);
        glp_set_row_bnds(lp.get(), row, limit.upper ? GLP_UP : GLP_LO, limit.bound, limit.bound);
    }
    // distance >= |grams - factor * start| / scale, as two rows; free rows
    // for an addable substance.
    for (int f = 0; f < columns.feeds; ++f) {
        const double scale = distanceScale(start[size_t(f)]);
        for (int side = 0; side < 2; ++side) {
            const int row = 1 + columns.limits + 2 * f + side;
            if (ranges[size_t(f)].addable) {
                glp_set_row_bnds(lp.get(), row, GLP_FR, 0.0, 0.0);
                continue;
            }
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
// the feedstuff editor can be anything. A pure substance's content per gram
// (vitamin D3: 4e7 IU) is far below the limit.
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

// Branch and bound from the optimal basis the simplex leaves. A search that
// runs out of time keeps the best amounts it found.
bool runInteger(glp_prob* lp)
{
    if (!runSimplex(lp))
        return false;
    glp_iocp parameters;
    glp_init_iocp(&parameters);
    parameters.msg_lev = GLP_MSG_OFF;
    parameters.tm_lim = 2000;
    // A binary of a millionth is a substance added in a millionth of the
    // amount it is useful in: not none.
    parameters.tol_int = 1e-9;
    const int result = glp_intopt(lp, &parameters);
    const int status = glp_mip_status(lp);
    return (result == 0 || result == GLP_ETMLIM) && (status == GLP_OPT || status == GLP_FEAS);
}

double tolerance(double reached)
{
    return 1e-7 + 1e-6 * std::abs(reached);
}

struct Term
{
    int column = 0;
    double weight = 1.0;
};

// Minimises the weighted sum of the columns, as a mixed-integer program when
// integer is set; with hold, the sum is then kept where it is for what
// follows. Nothing to minimise is done at once.
bool minimise(glp_prob* lp, const std::vector<Term>& terms, bool hold, bool integer = false)
{
    if (terms.empty())
        return true;
    for (int j = 1; j <= glp_get_num_cols(lp); ++j)
        glp_set_obj_coef(lp, j, 0.0);
    for (const Term& term : terms)
        glp_set_obj_coef(lp, term.column, term.weight);
    if (!(integer ? runInteger(lp) : runSimplex(lp)))
        return false;
    if (hold) {
        const double reached = integer ? glp_mip_obj_val(lp) : glp_get_obj_val(lp);
        std::vector<int> index{0};
        std::vector<double> weights{0.0};
        for (const Term& term : terms) {
            index.push_back(term.column);
            weights.push_back(term.weight);
        }
        const int row = glp_add_rows(lp, 1);
        glp_set_mat_row(lp, row, int(terms.size()), index.data(), weights.data());
        glp_set_row_bnds(lp, row, GLP_UP, 0.0, reached + tolerance(reached));
    }
    return true;
}

std::vector<Term> ones(const std::vector<int>& columns)
{
    std::vector<Term> terms;
    for (const int column : columns)
        terms.push_back({column, 1.0});
    return terms;
}

// The most of an addable substance: its own maximum, its share of the
// others' grams as they are now, and what a maximum allows that only adds
// (no column lowers it, so the substance cannot pass it whatever the others
// do).
double mostGrams(glp_prob* lp, const std::vector<BalanceLimit>& limits, const BalanceRange& range,
                 const Columns& columns, double others, int feed)
{
    double most = std::min(range.maximum, range.maximumShare * others);
    for (size_t k = 0; k < limits.size(); ++k) {
        const BalanceLimit& limit = limits[k];
        const double perGram = limit.perGram[size_t(feed)];
        const int miss = columns.miss(int(k));
        if (!limit.upper || !isFactor(perGram) || perGram <= 0.0 || glp_get_col_type(lp, miss) != GLP_DB ||
            std::any_of(limit.perGram.begin(), limit.perGram.end(), [](double p) { return p < 0.0; }))
            continue;
        most = std::min(most, (limit.bound + limit.scale * glp_get_col_ub(lp, miss)) / perGram);
    }
    return most;
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
    std::vector<double> units = gramsPerUnit(limits, ranges);
    Problem lp = buildProblem(limits, ranges, start, units, columns);

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
        if (!minimise(lp.get(), ones(misses), false)) {
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
    // Then the proportions of the feedstuffs that start from an amount. A
    // feedstuff held at one amount has no say.
    std::vector<int> started, unstarted, givenUpMisses;
    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        if (!range.addable && range.maximum > lowest(range))
            (start[size_t(f)] > 0.0 ? started : unstarted).push_back(columns.distance(f));
    }
    for (int k = 0; k < columns.limits; ++k) {
        if (givenUp[size_t(k)])
            givenUpMisses.push_back(columns.miss(k));
    }
    // Then the limits given up, as far as the feedstuffs that started at
    // nothing can close them.
    if (!minimise(lp.get(), ones(started), true) || !minimise(lp.get(), ones(givenUpMisses), true)) {
        solution.failure = BalanceFailure::NoSolution;
        return solution;
    }

    // With the proportions settled, the addable substances may move, each
    // to close the limits given up that it can close on its own within its
    // maximum and share, as far as the ration's maxima let it (mostGrams);
    // a trace of a nutrient in one does not make it a source of it. Each is
    // counted from here in shares of its useful amount, what closes the
    // largest of these limits alone, so that a vitamin given in micrograms
    // and a mineral given in grams both move between 0 and 1. One that
    // starts at nothing gets a binary column, "added", with share <= added:
    // the big number of this bound is the useful amount, derived from the
    // limits and here 1, so the binary needs no big number beside small
    // ones.
    double others = 0.0;
    for (int f = 0; f < columns.feeds; ++f) {
        if (!ranges[size_t(f)].addable)
            others += glp_get_col_prim(lp.get(), columns.gram(f)) * units[size_t(f)];
    }
    std::vector<bool> closable(limits.size(), false);
    std::vector<Term> added, gramTerms = ones(unstarted), shares;
    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        if (!range.addable)
            continue;
        // A source closes the limit within its own maximum and share; a
        // maximum of the ration may then hold it back.
        const double reach = std::min(range.maximum, range.maximumShare * others);
        const double most = mostGrams(lp.get(), limits, range, columns, others, f);
        double useful = 0.0;
        double needed = 0.0;
        for (int k = 0; k < columns.limits; ++k) {
            const BalanceLimit& limit = limits[size_t(k)];
            const double perGram = limit.perGram[size_t(f)];
            const double missing = glp_get_col_prim(lp.get(), columns.miss(k)) * limit.scale;
            if (givenUp[size_t(k)] && isFactor(perGram) && perGram > 0.0 && perGram * reach >= missing) {
                closable[size_t(k)] = true;
                useful = std::max(useful, limit.bound / perGram);
                needed = std::max(needed, missing / perGram);
            }
        }
        useful = std::min(useful, most);
        if (!(useful > lowest(range)))
            continue; // it keeps its minimum
        units[size_t(f)] = useful;
        std::vector<int> index{0};
        std::vector<double> values{0.0};
        for (int k = 0; k < columns.limits; ++k) {
            const double perGram = limits[size_t(k)].perGram[size_t(f)];
            if (isFactor(perGram) && isFactor(perGram * useful)) {
                index.push_back(1 + k);
                values.push_back(perGram * useful);
            }
        }
        glp_set_mat_col(lp.get(), columns.gram(f), int(index.size()) - 1, index.data(), values.data());
        glp_set_col_bnds(lp.get(), columns.gram(f), GLP_DB, lowest(range) / useful, 1.0);
        gramTerms.push_back({columns.gram(f), useful});
        shares.push_back({columns.gram(f), 1.0});
        // Its share of the others' grams, as they end up.
        if (std::isfinite(range.maximumShare)) {
            std::vector<int> share{0, columns.gram(f)};
            std::vector<double> factors{0.0, useful};
            for (int o = 0; o < columns.feeds; ++o) {
                if (!ranges[size_t(o)].addable) {
                    share.push_back(columns.gram(o));
                    factors.push_back(-range.maximumShare * units[size_t(o)]);
                }
            }
            const int row = glp_add_rows(lp.get(), 1);
            glp_set_mat_row(lp.get(), row, int(share.size()) - 1, share.data(), factors.data());
            glp_set_row_bnds(lp.get(), row, GLP_UP, 0.0, 0.0);
        }
        if (lowest(range) > 0.0)
            continue; // added by the user's minimum
        // Added, it closes at least a tenth of the largest gap it serves:
        // none is added for a trace of what the energy's band or a maximum
        // leaves room for.
        const int column = glp_add_cols(lp.get(), 1);
        glp_set_col_kind(lp.get(), column, GLP_BV);
        const int row = glp_add_rows(lp.get(), 2);
        const int link[] = {0, columns.gram(f), column};
        const double atMost[] = {0.0, 1.0, -1.0};
        const double least[] = {0.0, 1.0, -LeastShare * std::min(needed, useful) / useful};
        glp_set_mat_row(lp.get(), row, 2, link, atMost);
        glp_set_row_bnds(lp.get(), row, GLP_UP, 0.0, 0.0);
        glp_set_mat_row(lp.get(), row + 1, 2, link, least);
        glp_set_row_bnds(lp.get(), row + 1, GLP_LO, 0.0, 0.0);
        added.push_back({column, 1.0});
    }
    std::vector<int> closableMisses;
    for (int k = 0; k < columns.limits; ++k) {
        if (closable[size_t(k)])
            closableMisses.push_back(columns.miss(k));
    }
    // The limits they can close, as far as they can (integer already: a
    // substance is added in some amount or not at all). Then the fewest
    // substances added and, among as many, the fewest grams of them: one
    // mixed-integer program whose count weighs more than all the grams the
    // substances could take. With the substances chosen, the fewest grams
    // of them and of the feedstuffs that started at nothing; a gram of a
    // vitamin weighs as much as a gram of chalk there, so that its share, a
    // millionth of the sum, is set last: as small as the limits allow.
    if (!minimise(lp.get(), ones(closableMisses), true, !added.empty())) {
        // A search that found no amounts in its time leaves the ration as
        // its own feedstuffs make it rather than without any proposal.
        for (const Term& term : added) {
            glp_set_col_kind(lp.get(), term.column, GLP_CV);
            glp_set_col_bnds(lp.get(), term.column, GLP_FX, 0.0, 0.0);
        }
        if (added.empty() || !minimise(lp.get(), ones(closableMisses), true)) {
            solution.failure = BalanceFailure::NoSolution;
            return solution;
        }
        added.clear();
    }
    if (!added.empty()) {
        double most = 1.0;
        for (size_t t = 0; t < shares.size(); ++t)
            most += gramTerms[gramTerms.size() - shares.size() + t].weight;
        std::vector<Term> choice = added;
        for (Term& term : choice)
            term.weight = most;
        choice.insert(choice.end(), gramTerms.end() - std::ptrdiff_t(shares.size()), gramTerms.end());
        if (!minimise(lp.get(), choice, false, true)) {
            solution.failure = BalanceFailure::NoSolution;
            return solution;
        }
        for (const Term& term : added) {
            const double chosen = std::round(glp_mip_col_val(lp.get(), term.column));
            glp_set_col_kind(lp.get(), term.column, GLP_CV);
            glp_set_col_bnds(lp.get(), term.column, GLP_FX, chosen, chosen);
        }
    }
    if (!minimise(lp.get(), gramTerms, !shares.empty()) || !minimise(lp.get(), shares, false)) {
        solution.failure = BalanceFailure::NoSolution;
        return solution;
    }

    for (int f = 0; f < columns.feeds; ++f) {
        const BalanceRange& range = ranges[size_t(f)];
        double value = glp_get_col_prim(lp.get(), columns.gram(f));
        // What rounding leaves of a substance not added is none.
        if (range.addable && value < 1e-9)
            value = 0.0;
        const double grams = value * units[size_t(f)];
        solution.grams.push_back(std::clamp(grams, lowest(range), std::max(range.maximum, lowest(range))));
    }
    return solution;
}
