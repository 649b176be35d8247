#pragma once

class AppContext;

// The practice's rates and limits of the follow-up (T_VERLAUF); a row that
// is missing keeps the default.
struct FollowUpLimits
{
    double plannedLoss = 1.0;     // % of body weight a week, on a weight reduction
    double fastestLoss = 2.0;     // % a week
    double slowestLoss = 0.5;     // % a week, on a weight reduction
    double growthBelow = 10.0;    // % below the expected growth curve
    double tissueEnergy = 7000.0; // kcal per kg of body weight lost or gained
    double floorPercent = 70.0;   // % of the resting need 70 × kg^0.75
    int weeksReduction = 2;
    int weeksGrowth = 4;
    int weeksOther = 4;

    static FollowUpLimits read(AppContext& context);
    // The least a weight-reduction ration may supply at a weight, kcal a day.
    double floorKcal(double weight) const;
    // The weeks to the next check for a case type.
    int weeksToNextCheck(int caseType) const;
};
