#pragma once

#include "core/NutrientKey.h"
#include "ration/NutrientMaxima.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <utility>
#include <vector>

struct RationColumn;
struct RationModel;

// What the ration page adds to a nutrient or indicator column: its upper
// limit for this ration and the flags of its supply.
struct NutrientCheck
{
    QString key;
    // The lowest of the column's maxima as a daily figure of this ration (an
    // indicator's as it is); nothing when none applies.
    std::optional<double> maximum;
    QString maximumText; // with the column's decimals; empty without a maximum
    QString source;      // of the maximum shown
    bool over = false;
    // The source's maximum lies below the requirement of the same nutrient:
    // the requirement is shown as the maximum, the source's figure here.
    bool crossed = false;
    std::optional<double> sourceMaximum;
    QString sourceMaximumText;
    // A feedstuff with an amount has no stored content for the nutrient: the
    // supply is the sum of the known contents only.
    bool incomplete = false;
    QStringList feedsWithoutData;

    // "over", "incomplete", "crossed", comma-separated, or empty.
    QString flagsText() const;
};

namespace RationLimits {

// The kcal ME a maximum of the ration is scaled by: the requirement of key
// 60, or the supply when the case has none; 0 for neither.
double energyBasis(const RationModel& ration);

// A maximum as the daily figure for kcal ME (energyBasis); nothing without
// the energy.
std::optional<double> dailyMaximum(const NutrientMaximum& maximum, double kcal);

// The lowest of the maxima of a nutrient key as a daily figure, ratios or
// not, with the maximum it came from; nothing when none applies.
std::optional<std::pair<double, const NutrientMaximum*>>
lowestDailyMaximum(const std::vector<NutrientMaximum>& maxima, int key, bool ratios, double kcal);

// One check per nutrient column of the ration, in column order.
std::vector<NutrientCheck> checkNutrients(const RationModel& ration,
                                          const std::vector<NutrientMaximum>& maxima);
// One per indicator column of the profile, against the ratio maxima.
std::vector<NutrientCheck> checkIndicators(const RationModel& ration,
                                           const std::vector<NutrientMaximum>& maxima);
// Keeps the case's maxima in the ration and gives every nutrient and
// indicator column its check.
void apply(RationModel& ration, std::vector<NutrientMaximum> maxima);

} // namespace RationLimits
