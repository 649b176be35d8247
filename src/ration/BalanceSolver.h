#pragma once

#include <limits>
#include <vector>

// One row of a balancing: the feedstuffs' amounts in grams, each times its
// factor per gram, summed and held against a bound.
struct BalanceLimit
{
    std::vector<double> perGram; // one factor per feedstuff
    double bound = 0.0;
    bool upper = false; // a maximum (sum <= bound) or a minimum (sum >= bound)
    // A miss counts as its share of this amount, so that a gram of calcium
    // and a microgram of selenium weigh alike.
    double scale = 1.0;
    // Lower stages are met as well as they can be before higher ones count.
    int stage = 0;
    // A limit its stage misses by more than this (a share of scale) is given
    // up rather than held at the best it reached, so that it does not bend
    // the amounts of later stages.
    double givenUpBeyond = std::numeric_limits<double>::infinity();
};

// The grams a feedstuff may take.
struct BalanceRange
{
    double minimum = 0.0;
    double maximum = std::numeric_limits<double>::infinity();
    // A substance the solver may add to what the user chose: it keeps its
    // minimum until the others' proportions are settled and then closes, as
    // far as it can, the limits they leave short.
    bool addable = false;
    // The most an addable substance may take as a share of the grams of the
    // columns that are not addable.
    double maximumShare = std::numeric_limits<double>::infinity();
};

enum class BalanceFailure {
    None,
    UnusableNumber, // not finite, or too large for the solver to scale
    NoSolution      // the solver stopped without an optimum
};

struct BalanceSolution
{
    BalanceFailure failure = BalanceFailure::None;
    std::vector<double> grams;
    bool solved() const { return failure == BalanceFailure::None; }
};

// Daily amounts by linear programming. No amounts may exist that meet every
// limit, so each limit may be missed, at a cost: stage by stage, the sum of
// the misses is made as small as it can be, and each miss is then held where
// it is (or its limit given up). Among the amounts that remain, the solver
// takes those nearest to the start amounts scaled by one common factor,
// which keeps the proportions the user typed as far as the limits allow.
// Then the limits given up are closed as far as the feedstuffs without a
// start amount can, and then as far as the addable substances can: with the
// fewest substances added, then the fewest grams. That part is a
// mixed-integer program (glp_intopt): a binary per substance bounds its
// amount by what it is useful in, which the limits give (see the source).
namespace BalanceSolver {

BalanceSolution solve(const std::vector<BalanceLimit>& limits, const std::vector<BalanceRange>& ranges,
                      const std::vector<double>& start);

} // namespace BalanceSolver
