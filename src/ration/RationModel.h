#pragma once

#include "ration/NutrientMaxima.h"
#include "ration/RationLimits.h"

#include <QString>

#include <optional>
#include <vector>

// One nutrient of the ration or one indicator of its profile, as the case
// computes it. Figures are kept in full precision; they are rounded to the
// column's decimals only where they are shown, printed or written out.
struct RationColumn
{
    int key = 0;
    QString name; // short name in the user's language
    QString unit;
    int decimals = 0;
    bool marked = false;
    bool fixed = false; // the case type keeps it marked
    // The case type's formula placed for it; empty for none.
    QString formula;
    // A nutrient's daily requirement, an indicator's result.
    std::optional<double> requirement;
    // The sum of the feedstuffs' contributions; nutrients only.
    std::optional<double> supply;
    // Its maximum for this ration and the flags of its supply (an
    // indicator's result), as RationLimits::apply sets them.
    NutrientCheck check;

    // A figure of this column as the grids show it; empty for none.
    QString shown(const std::optional<double>& figure) const;
    // The figure as shown, read back: what a comparison "as the page shows
    // it" compares.
    std::optional<double> rounded(const std::optional<double>& figure) const;
};

// One feedstuff row of the ration.
struct RationFeed
{
    int key = 0;
    QString name;
    // The amount as typed (and shown back on the recipe); empty for none.
    QString amountText;
    // The daily grams amountText reads as; 0 without an amount.
    double grams = 0.0;
    // One per nutrient column: the stored content per 100 g, none where the
    // feedstuff has none stored; read with the contributions.
    std::vector<std::optional<double>> contents;
    // One per nutrient column: amount × content / 100 g; none without an
    // amount or a content.
    std::vector<std::optional<double>> contributions;

    bool hasAmount() const { return !amountText.trimmed().isEmpty(); }
};

// The ration of a case: its nutrient and indicator columns in the order the
// grids show them, and its feedstuffs in the order they were added.
struct RationModel
{
    std::vector<RationColumn> nutrients;
    std::vector<RationColumn> indicators;
    std::vector<RationFeed> feeds;
    // The maxima that apply to the case.
    std::vector<NutrientMaximum> maxima;

    // The first nutrient column with the key, as the grids look it up; null
    // when there is none.
    const RationColumn* nutrient(int key) const;
    const RationColumn* indicator(int key) const;
    std::optional<double> requirementOf(int key) const;
    std::optional<double> supplyOf(int key) const;
    // The energy in kcal ME a day: from the first kcal column there is, else
    // from the MJ column; none without either.
    std::optional<double> requiredKcal() const;
    std::optional<double> suppliedKcal() const;
    // The row of the feedstuff with the key; -1 when the ration does not hold it.
    int feedIndex(int key) const;

    // Every supply the sum of the exact contributions (an unknown content
    // counting 0); none while the ration has no feedstuff.
    void sumSupply();
};
