#include "ration/SupplementPremix.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Milligram = 0.001;
constexpr double Exactness = 0.05;

double toMilligrams(double grams)
{
    return std::round(grams / Milligram) * Milligram;
}

} // namespace

bool SupplementPremix::belongsIn(double dailyGrams)
{
    return dailyGrams > 0.0 && dailyGrams < 1.0;
}

Premix SupplementPremix::withCarrierShare(const std::vector<PremixPart>& parts, int days, double carrierDaily)
{
    Premix premix;
    premix.days = days;
    double total = 0.0;
    for (const PremixPart& part : parts) {
        if (!belongsIn(part.daily))
            continue;
        const double exact = part.daily * days;
        const double grams = toMilligrams(exact);
        premix.substances.push_back(
            {part.key, part.name, grams, std::abs(grams - exact) > Exactness * exact});
        total += grams;
    }
    if (premix.empty() || days <= 0)
        return premix;
    premix.carrier = toMilligrams(std::max(carrierDaily, 0.0) * days);
    premix.carrierDaily = premix.carrier / days;
    premix.dailyDose = (total + premix.carrier) / days;
    return premix;
}

Premix SupplementPremix::make(const std::vector<PremixPart>& parts, int days, double portion,
                              bool withCarrier)
{
    Premix premix = withCarrierShare(parts, days, 0.0);
    if (premix.empty() || days <= 0)
        return premix;
    const double substances = premix.dailyDose * days;
    premix.overfull = withCarrier && substances > portion * days + 1e-9;
    if (!withCarrier || premix.overfull)
        return premix;
    // What the carrier fills is the portion less the substances as weighed,
    // so that the premix weighs portion grams a day exactly.
    return withCarrierShare(parts, days, (portion * days - substances) / days);
}
