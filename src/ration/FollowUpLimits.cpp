#include "ration/FollowUpLimits.h"

#include "core/NumberText.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseType.h"

#include <cmath>

namespace {

// The rows of T_VERLAUF by their fixed keys.
enum LimitRow {
    PlannedLoss = 1,
    FastestLoss,
    SlowestLoss,
    GrowthBelow,
    TissueEnergy,
    FloorPercent,
    WeeksReduction,
    WeeksGrowth,
    WeeksOther
};

} // namespace

FollowUpLimits FollowUpLimits::read(AppContext& context)
{
    FollowUpLimits limits;
    RecordSet rs;
    if (!rs.openRecordset(context.db(), QStringLiteral("SELECT ID, WERT FROM T_VERLAUF")))
        return limits;
    for (; !rs.isEof(); rs.moveNext()) {
        int key = 0;
        double value = 0.0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        QString text;
        rs.getFieldText(QStringLiteral("WERT"), text);
        // An empty or impossible value keeps the default.
        if (text.trimmed().isEmpty() || (value = NumberText::read(text)) <= 0.0 || !std::isfinite(value))
            continue;
        switch (key) {
        case PlannedLoss:
            limits.plannedLoss = value;
            break;
        case FastestLoss:
            limits.fastestLoss = value;
            break;
        case SlowestLoss:
            limits.slowestLoss = value;
            break;
        case GrowthBelow:
            limits.growthBelow = value;
            break;
        case TissueEnergy:
            limits.tissueEnergy = value;
            break;
        case FloorPercent:
            limits.floorPercent = value;
            break;
        case WeeksReduction:
            limits.weeksReduction = int(std::lround(value));
            break;
        case WeeksGrowth:
            limits.weeksGrowth = int(std::lround(value));
            break;
        case WeeksOther:
            limits.weeksOther = int(std::lround(value));
            break;
        default:
            break;
        }
    }
    return limits;
}

double FollowUpLimits::floorKcal(double weight) const
{
    return weight > 0.0 ? floorPercent / 100.0 * 70.0 * std::pow(weight, 0.75) : 0.0;
}

int FollowUpLimits::weeksToNextCheck(int caseType) const
{
    return CaseType::isWeightReduction(caseType) ? weeksReduction
           : CaseType::isGrowth(caseType)        ? weeksGrowth
                                                 : weeksOther;
}
