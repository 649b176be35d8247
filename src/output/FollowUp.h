#pragma once

#include "ration/FollowUpLimits.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// One visit: a stored case of the patient, with its ration's energy.
struct Visit
{
    QString caseKey;
    QDate date;
    int caseType = -1;
    double weight = 0.0; // kg
    std::optional<double> targetWeight, adultWeight;
    std::optional<QDate> birthDate;
    std::optional<bool> ribsPalpable;
    std::optional<double> energyPercent; // the case's ME %
    std::optional<double> suppliedKcal;  // ME of the ration a day
    std::optional<double> requiredKcal;  // the case type's formula at its ME %
    // The weight check's planned loss a week the case keeps, in percent.
    std::optional<double> plannedLoss;

    // The planned loss of this visit, else the practice's.
    double plannedLossOr(const FollowUpLimits& limits) const
    {
        return plannedLoss.value_or(limits.plannedLoss);
    }
};

// The weight change from one visit to the next; negative for a loss.
struct WeightChange
{
    double kilograms = 0.0;
    int days = 0;
    double percentPerWeek = 0.0; // of the earlier weight
};

// The energy the animal really needed between two visits: what the ration
// supplied minus what the weight change stored (or plus what it released).
struct EnergyNeed
{
    double kcalPerDay = 0.0;
    // Of the case type's formula requirement at 100 % (its ME % taken out).
    std::optional<double> percentOfFormula;
    // The ME % for the next visit: the need, less the planned loss's energy
    // (the case's planned loss, else the practice's) on a weight reduction,
    // in percent of the formula.
    std::optional<int> proposedPercent;
};

namespace FollowUp {

enum class Flag { FastLoss, SlowLoss, GainOnReduction, BelowGrowthCurve, BelowFloor };

// From the earlier to the later visit; none without a day or an earlier weight between them.
std::optional<WeightChange> change(const Visit& earlier, const Visit& later);
// None without the ration's energy of the earlier visit or a day between them.
std::optional<EnergyNeed> need(const Visit& earlier, const Visit& later, const FollowUpLimits& limits);
// The flags the last visits raise: the change since the one before, the
// growth of a young animal, a reduction ration below the floor.
std::vector<Flag> flags(const std::vector<Visit>& visits, const FollowUpLimits& limits);
// The flag's name on the command line and its text in a language.
QString flagName(Flag flag);
QString flagText(Flag flag, const QString& languageCode, const FollowUpLimits& limits, const Visit& last);
// Whether the visit's ration supplies less than the floor on a weight reduction.
bool belowFloor(const Visit& visit, const FollowUpLimits& limits);
// The expected weight of a young animal at the visit's age; none outside the curve's weeks.
std::optional<double> expectedGrowthWeight(const Visit& visit);
// The day of the next check after a visit.
QDate nextCheck(const Visit& visit, const FollowUpLimits& limits);

} // namespace FollowUp

namespace PatientVisits {

// The key of the patient's first case for a stored case: its link, or its own key.
QString patientOf(AppContext& context, const QString& caseKey);
// The patient's visits in date order, their rations computed as a case
// window computes them.
std::vector<Visit> read(AppContext& context, const QString& caseKey);
// Cases stored without a link whose owner, patient name, species and birth
// date agree with the case's: earlier visits the vet may link.
QStringList candidates(AppContext& context, const QString& caseKey);
// Links the cases to the patient of the case in one transaction, all to the
// earliest of them; false with the database's reason.
bool link(AppContext& context, const QString& caseKey, const QStringList& keys, QString* error = nullptr);

} // namespace PatientVisits
