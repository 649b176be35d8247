#pragma once

#include <QString>

#include <vector>

// A supplement of the proposal with its daily amount.
struct PremixPart
{
    QString key;
    QString name;
    double daily = 0.0; // grams
};

struct PremixLine
{
    QString key;
    QString name;
    double grams = 0.0; // for the premix's days, to the milligram
    // Rounded to the milligram, the amount is more than 5 % off: too little
    // to weigh exactly, a dilution is needed.
    bool tooLittle = false;
};

// Supplements given below a gram a day, which no kitchen scale weighs, mixed
// for a number of days and given as one daily portion.
struct Premix
{
    int days = 0;
    std::vector<PremixLine> substances;
    double carrier = 0.0;      // grams of the carrier for the days
    double carrierDaily = 0.0; // its daily share, which the ration holds
    double dailyDose = 0.0;    // the premix given each day
    // The substances alone weigh more than the daily portion a carrier was
    // to fill; the premix is then given without one.
    bool overfull = false;
    bool empty() const { return substances.empty(); }
};

namespace SupplementPremix {

constexpr int DefaultDays = 30;
constexpr int FewestDays = 7;
constexpr int MostDays = 100;
constexpr double DefaultPortion = 2.0;

// Whether a daily amount of a supplement goes into the premix.
bool belongsIn(double dailyGrams);

// The parts that belong in, each for the days to the milligram; a carrier,
// when there is one, fills the premix up to portion grams a day.
Premix make(const std::vector<PremixPart>& parts, int days, double portion, bool withCarrier);
// The same with the carrier's daily share given, as the ration holds it.
Premix withCarrierShare(const std::vector<PremixPart>& parts, int days, double carrierDaily);

} // namespace SupplementPremix
