#include "output/FollowUp.h"

#include "core/DateText.h"
#include "core/NumberText.h"
#include "core/NutrientKey.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "output/FollowUpTexts.h"
#include "output/GrowthPage.h"
#include "output/StoredCase.h"
#include "ration/CaseHeaderForm.h"
#include "ration/CaseRecord.h"
#include "ration/CaseType.h"
#include "ration/RationPageTexts.h"

#include <cmath>

namespace FollowUp {

std::optional<WeightChange> change(const Visit& earlier, const Visit& later)
{
    const int days = int(earlier.date.daysTo(later.date));
    if (days <= 0 || earlier.weight <= 0.0 || later.weight <= 0.0)
        return std::nullopt;
    WeightChange result;
    result.kilograms = later.weight - earlier.weight;
    result.days = days;
    result.percentPerWeek = result.kilograms / earlier.weight * 100.0 * 7.0 / days;
    return result;
}

std::optional<EnergyNeed> need(const Visit& earlier, const Visit& later, const FollowUpLimits& limits)
{
    const std::optional<WeightChange> changed = change(earlier, later);
    if (!changed || !earlier.suppliedKcal)
        return std::nullopt;
    EnergyNeed result;
    // A young animal's gain is growth its requirement provides for: it
    // needed what it was given.
    const bool growing = CaseType::isGrowth(earlier.caseType);
    result.kcalPerDay =
        *earlier.suppliedKcal - (growing ? 0.0 : changed->kilograms * limits.tissueEnergy / changed->days);
    const double factor = earlier.energyPercent.value_or(0.0) / 100.0;
    if (!earlier.requiredKcal || *earlier.requiredKcal <= 0.0 || factor <= 0.0)
        return result;
    const double formula = *earlier.requiredKcal / factor;
    result.percentOfFormula = result.kcalPerDay / formula * 100.0;
    double next = result.kcalPerDay;
    if (CaseType::isWeightReduction(later.caseType))
        next -= later.plannedLossOr(limits) / 100.0 * later.weight * limits.tissueEnergy / 7.0;
    result.proposedPercent = int(std::lround(std::max(0.0, next) / formula * 100.0));
    return result;
}

bool belowFloor(const Visit& visit, const FollowUpLimits& limits)
{
    return CaseType::isWeightReduction(visit.caseType) && visit.suppliedKcal && visit.weight > 0.0 &&
           *visit.suppliedKcal < limits.floorKcal(visit.weight);
}

std::optional<double> expectedGrowthWeight(const Visit& visit)
{
    if (!CaseType::isGrowth(visit.caseType) || !visit.birthDate || !visit.adultWeight ||
        *visit.adultWeight <= 0.0)
        return std::nullopt;
    const int week = int(visit.birthDate->daysTo(visit.date) / 7);
    if (week < GrowthPage::FirstWeek || week > GrowthPage::LastWeek)
        return std::nullopt;
    const double expected = GrowthPage::expectedWeight(*visit.adultWeight, week);
    return expected > 0.0 ? std::optional<double>(expected) : std::nullopt;
}

std::vector<Flag> flags(const std::vector<Visit>& visits, const FollowUpLimits& limits)
{
    std::vector<Flag> raised;
    if (visits.empty())
        return raised;
    const Visit& last = visits.back();
    const bool reduction = CaseType::isWeightReduction(last.caseType);
    if (visits.size() >= 2) {
        if (const std::optional<WeightChange> changed = change(visits[visits.size() - 2], last)) {
            const double loss = -changed->percentPerWeek;
            if (loss > limits.fastestLoss)
                raised.push_back(Flag::FastLoss);
            if (reduction && changed->kilograms > 0.0)
                raised.push_back(Flag::GainOnReduction);
            else if (reduction && loss < limits.slowestLoss)
                raised.push_back(Flag::SlowLoss);
        }
    }
    if (const std::optional<double> expected = expectedGrowthWeight(last);
        expected && last.weight < *expected * (1.0 - limits.growthBelow / 100.0))
        raised.push_back(Flag::BelowGrowthCurve);
    if (belowFloor(last, limits))
        raised.push_back(Flag::BelowFloor);
    return raised;
}

QString flagName(Flag flag)
{
    switch (flag) {
    case Flag::FastLoss:
        return QStringLiteral("fast loss");
    case Flag::SlowLoss:
        return QStringLiteral("slow loss");
    case Flag::GainOnReduction:
        return QStringLiteral("gain on reduction");
    case Flag::BelowGrowthCurve:
        return QStringLiteral("below growth curve");
    case Flag::BelowFloor:
        return QStringLiteral("below floor");
    }
    return QString();
}

QString flagText(Flag flag, const QString& languageCode, const FollowUpLimits& limits, const Visit& last)
{
    using namespace FollowUpTexts;
    switch (flag) {
    case Flag::FastLoss:
        return FastLoss.in(languageCode).arg(NumberText::format(limits.fastestLoss, 1, languageCode));
    case Flag::SlowLoss:
        return SlowLoss.in(languageCode).arg(NumberText::format(limits.slowestLoss, 1, languageCode));
    case Flag::GainOnReduction:
        return GainOnReduction.in(languageCode);
    case Flag::BelowGrowthCurve:
        return BelowGrowthCurve.in(languageCode).arg(NumberText::format(limits.growthBelow, 0, languageCode));
    case Flag::BelowFloor:
        return RationPageTexts::BelowFloor.in(languageCode)
            .arg(NumberText::format(last.suppliedKcal.value_or(0.0), 0, languageCode),
                 NumberText::format(limits.floorKcal(last.weight), 0, languageCode),
                 NumberText::format(limits.floorPercent, 0, languageCode));
    }
    return QString();
}

QDate nextCheck(const Visit& visit, const FollowUpLimits& limits)
{
    return visit.date.addDays(7 * limits.weeksToNextCheck(visit.caseType));
}

} // namespace FollowUp

namespace PatientVisits {

QString patientOf(AppContext& context, const QString& caseKey)
{
    const std::optional<CaseRecord> record = CaseRecords::read(context, caseKey);
    if (!record)
        return QString();
    return record->patient > 0 ? QString::number(record->patient) : caseKey;
}

std::vector<Visit> read(AppContext& context, const QString& caseKey)
{
    std::vector<Visit> visits;
    const QString patient = patientOf(context, caseKey);
    if (patient.isEmpty())
        return visits;
    RecordSet rs;
    QStringList keys;
    if (!rs.openRecordset(context.db(),
                          QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE ID = %1 OR ID_Patient = %1 "
                                         "ORDER BY Datum, ID")
                              .arg(patient)))
        return visits;
    for (; !rs.isEof(); rs.moveNext()) {
        int key = 0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        keys << QString::number(key);
    }
    RecordingPrompt quiet;
    for (const QString& key : keys) {
        CaseHeaderForm form(context, quiet);
        const std::optional<CaseRecord> record = CaseRecords::read(context, key);
        if (!record || !StoredCase::open(context, form, key))
            continue;
        const CaseValues values = form.values();
        Visit visit;
        visit.caseKey = key;
        if (const std::optional<QDateTime> date = DateText::parse(record->recipeDate))
            visit.date = date->date();
        visit.caseType = record->caseType;
        visit.weight = values.actualWeight.value_or(0.0);
        visit.targetWeight = values.targetWeight;
        visit.adultWeight = values.adultWeight;
        visit.birthDate = record->birthDate;
        visit.ribsPalpable = record->ribsPalpable;
        visit.plannedLoss = record->weightCheck.lossRate;
        visit.energyPercent = values.energyPercent;
        visit.suppliedKcal = form.ration().model().suppliedKcal();
        visit.requiredKcal = form.ration().model().requiredKcal();
        visits.push_back(visit);
    }
    return visits;
}

QStringList candidates(AppContext& context, const QString& caseKey)
{
    QStringList found;
    const std::optional<CaseRecord> record = CaseRecords::read(context, caseKey);
    if (!record)
        return found;
    const QString patient = record->patient > 0 ? QString::number(record->patient) : caseKey;
    RecordSet rs;
    if (!rs.openRecordset(
            context.db(),
            QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE ID_Patient IS NULL AND ID <> %1 AND "
                           "Name_Besitzer = %2 AND Name_Pat = %3 AND ID_Gattung = %4 ORDER BY ID")
                .arg(patient, Sql::quote(record->ownerName), Sql::quote(record->patientName))
                .arg(record->species)))
        return found;
    QStringList keys;
    for (; !rs.isEof(); rs.moveNext()) {
        int key = 0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        keys << QString::number(key);
    }
    // The birth date agrees, or neither case has one.
    for (const QString& key : keys) {
        const std::optional<CaseRecord> other = CaseRecords::read(context, key);
        if (other && other->birthDate == record->birthDate && key != caseKey)
            found << key;
    }
    return found;
}

bool link(AppContext& context, const QString& caseKey, const QStringList& keys, QString* error)
{
    const QString patient = patientOf(context, caseKey);
    if (patient.isEmpty())
        return false;
    QStringList all = keys;
    all << patient;
    for (QString& key : all)
        key = QString::number(key.toInt());
    // The first case of the patient is the earliest of them all.
    RecordSet rs;
    QString first = patient;
    if (rs.openRecordset(context.db(),
                         QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE ID IN (%1) ORDER BY Datum, ID")
                             .arg(all.join(QStringLiteral(", ")))) &&
        !rs.isEof()) {
        int key = 0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        first = QString::number(key);
    }
    rs.closeRecordset();
    Connection& db = context.db();
    DbTransaction transaction(db);
    const bool linked =
        transaction.isActive() &&
        db.executeSql(
            QStringLiteral("UPDATE T_PAT_REZ SET ID_Patient = %1 WHERE ID IN (%2) OR ID_Patient = %3")
                .arg(first, all.join(QStringLiteral(", ")), patient)) &&
        transaction.commit();
    if (!linked && error)
        *error = db.lastError();
    return linked;
}

} // namespace PatientVisits
