#pragma once

#include "ration/BalanceSolver.h"
#include "ration/NutrientMaxima.h"

#include <QHash>
#include <QString>

#include <limits>
#include <optional>
#include <vector>

// A feedstuff as the balancing sees it.
struct BalanceFeed
{
    QString key;
    QString name;
    double grams = 0.0;  // the amount now; 0 when none is typed
    bool locked = false; // keeps grams
    double minimum = 0.0;
    double maximum = std::numeric_limits<double>::infinity();
    // A supplement without an amount is added only as far as a limit needs it.
    bool supplement = false;
    // "Do not use": a feedstuff of the ration is held at nothing, a shipped
    // supplement is never added.
    bool excluded = false;
    // Stored contents per 100 g by nutrient key; a nutrient without an entry
    // counts as none, as in the ration's supply.
    QHash<int, double> content;
};

// What the user set for a feedstuff in the balancing dialog, kept by the
// ration page for the next balancing.
struct FeedBounds
{
    bool locked = false;
    double minimum = 0.0;
    double maximum = std::numeric_limits<double>::infinity();
    bool excluded = false;
    // The amount a locked supplement keeps, which the ration does not hold.
    double grams = 0.0;
};

// A column of the ration grid: its requirement as a minimum when marked.
struct BalanceNutrient
{
    int key = 0;
    QString name;             // the short name of the column heading
    double requirement = 0.0; // per day; 0 when there is none
    bool marked = false;
};

struct BalanceInput
{
    std::vector<BalanceFeed> feeds;
    std::vector<BalanceNutrient> nutrients;
    std::vector<NutrientMaximum> maxima;
    // The short names of the profile grid's indicators, for a ratio's maximum.
    QHash<int, QString> indicatorNames;
    // The shipped supplements, as candidates to close what stays short.
    std::vector<BalanceFeed> supplements;
    // Whether the balancing may add supplements not in the ration to close
    // what the ration's own feedstuffs leave short.
    bool complete = false;
};

// A nutrient the proposal leaves short of its requirement (percent is the
// coverage) or over its maximum (percent of the maximum). Energy is short
// below and over above its band, in percent of its requirement.
struct BalanceGap
{
    int key = 0;
    QString name;
    double percent = 0.0;
    // No feedstuff of the ration has a content stored for it.
    bool noData = false;
};

// A shipped supplement that supplies a nutrient still short, with the daily
// grams that close the gap on their own.
struct SupplementHint
{
    int nutrient = 0;
    QString nutrientName;
    QString feedKey;
    QString feedName;
    double grams = 0.0;
};

struct BalanceResult
{
    bool solved = false;
    BalanceFailure failure = BalanceFailure::None;
    std::vector<double> grams; // per feedstuff, rounded to weighable amounts
    // Per shipped supplement, the grams the proposal adds; 0 for none.
    std::vector<double> added;
    std::vector<BalanceGap> shortfalls;
    std::vector<BalanceGap> excesses;
    // Per nutrient short, the one to take first, then the others.
    std::vector<SupplementHint> supplements;
};

// Proposes daily amounts for a ration: energy within 2 % of its requirement
// first, then every marked nutrient's requirement as a minimum and the case's
// maxima (Ca : P's included) as maxima, within each feedstuff's bounds. To
// complete the ration, shipped supplements that are not in it close, once
// the proportions of its feedstuffs are settled, what these leave short:
// the fewest of them, then the fewest grams, never past a maximum.
namespace RationBalancer {

constexpr double EnergyBand = 0.02;

BalanceResult balance(const BalanceInput& input);

// An amount as it is weighed: whole grams from 10 g, tenths from 1 g; below
// 1 g four significant digits, which a premix or a fine scale can weigh and
// which keep the supply of a pure substance.
double weighable(double grams);
// An amount to four significant digits, as an added supplement is proposed.
double fourDigits(double grams);
// Its text with the decimals of its step (at most two from 1 g unless four
// significant digits need more), as typed into the ration grid.
QString weighableText(double grams);

} // namespace RationBalancer
