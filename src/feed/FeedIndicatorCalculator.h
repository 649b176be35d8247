#pragma once

#include "core/NutrientKey.h"

#include <QString>

#include <map>
#include <utility>
#include <vector>

// One row of the feedstuff editor's grids as the calculation sees it: the
// short name (for the message about a missing value), the row's decimals and
// the amount text as typed or shown, with a decimal comma or point.
struct FeedCell
{
    QString shortName;
    int decimals = 0;
    QString amount;
};

// The rows present in the grids, by nutrient key. A key without an entry is a
// row the grid does not have (its nutrient is inactive).
using FeedGrid = std::map<int, FeedCell>;

struct FeedCalculation
{
    enum class Status { Calculated, MissingValue, NegativeNfe };

    Status status = Status::Calculated;
    QString missingShortName; // for MissingValue
    double nfe = 0.0;         // as computed, before any replacement by 0
    bool nfeTakenAsZero = false;
    // Results in the order they are written; a result of exactly 0 is left
    // out, so the cell it would go to keeps its previous text.
    std::vector<std::pair<int, double>> values;

    bool succeeded() const { return status == Status::Calculated; }
    // The message the editor shows after the run: the reason it stopped, or
    // the completion message. German for "DE", English for any other code.
    QString message(const QString& languageCode) const;
};

// Derived figures of a feedstuff (dry matter, NfE, energy, contents per dry
// matter and per MJ, mineral ratios, cation-anion balance) from its analysis.
// Works on grid texts only; reads and writes nothing else.
namespace FeedIndicatorCalculator {

struct Options
{
    // Analyses whose components add up past 100 would stop with the NfE
    // message; the shipped data build takes their NfE as 0 instead.
    bool negativeNfeAsZero = false;
};

FeedCalculation calculate(const FeedGrid& grid, const Options& options = {});

// Every row a run can write, in the order it writes them.
const std::vector<int>& resultKeys();

// A grid cell's number: "," read as ".", the leading number, 0 for none.
double cellValue(const QString& amount);

// A result as the grid shows it: the row's decimals, a decimal comma.
QString cellText(double value, int decimals);

// Writes the results of a successful run into the grid as the editor does,
// each with its row's decimals; results for rows the grid lacks are dropped.
void applyTo(FeedGrid& grid, const FeedCalculation& calculation);

// The check before saving: moisture and dry matter, read like grid cells, must
// add up to exactly 100.
bool moistureAndDryMatterAddUp(const QString& moisture, const QString& dryMatter);
QString moistureAndDryMatterMessage(const QString& languageCode);

} // namespace FeedIndicatorCalculator
