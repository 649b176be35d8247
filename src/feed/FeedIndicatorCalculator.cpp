#include "feed/FeedIndicatorCalculator.h"

#include "core/NumberText.h"
#include "feed/FeedEditorTexts.h"

namespace {

// Optional contents count 0 when their row is missing or empty.
double optionalValue(const FeedGrid& grid, int key)
{
    const auto row = grid.find(key);
    return row == grid.end() ? 0.0 : FeedIndicatorCalculator::cellValue(row->second.amount);
}

} // namespace

QString FeedCalculation::message(const QString& languageCode) const
{
    switch (status) {
    case Status::MissingValue:
        return FeedEditorTexts::EnterValueFor.in(languageCode).arg(missingShortName);
    case Status::NegativeNfe:
        return FeedEditorTexts::NfeNegative.in(languageCode);
    case Status::Calculated:
        break;
    }
    return FeedEditorTexts::CalculationFinished.in(languageCode);
}

namespace FeedIndicatorCalculator {

double cellValue(const QString& amount)
{
    return NumberText::read(amount);
}

QString cellText(double value, int decimals)
{
    return NumberText::format(value, decimals);
}

const std::vector<int>& resultKeys()
{
    static const std::vector<int> keys = {NutrientKey::DryMatter,
                                          NutrientKey::EnergyMJ,
                                          NutrientKey::EnergyKcal,
                                          NutrientKey::EnergyKcalSecond,
                                          NutrientKey::Nfe,
                                          NutrientKey::GrossEnergy,
                                          NutrientKey::EnergyDigestibility,
                                          NutrientKey::ProteinPerMJ,
                                          NutrientKey::CalciumToPhosphorus,
                                          NutrientKey::NfePerDryMatter,
                                          NutrientKey::FibrePerDryMatter,
                                          NutrientKey::FatPerDryMatter,
                                          NutrientKey::PhosphorusPerMJ,
                                          NutrientKey::SodiumPerMJ,
                                          NutrientKey::PotassiumPerMJ,
                                          NutrientKey::MagnesiumPerMJ,
                                          NutrientKey::EnergyPerDryMatter,
                                          NutrientKey::ProteinEnergyPerMJ,
                                          NutrientKey::ZincToCalcium,
                                          NutrientKey::CopperToZinc,
                                          NutrientKey::CationAnionBalance};
    return keys;
}

void applyTo(FeedGrid& grid, const FeedCalculation& calculation)
{
    if (!calculation.succeeded())
        return;
    for (const auto& [key, value] : calculation.values) {
        const auto row = grid.find(key);
        if (row != grid.end())
            row->second.amount = cellText(value, row->second.decimals);
    }
}

FeedCalculation calculate(const FeedGrid& grid, const Options& options)
{
    FeedCalculation result;

    // A required row that is missing counts 0; one that is present but empty
    // stops the run before anything is written.
    double required[5] = {};
    const int requiredKeys[5] = {NutrientKey::Moisture, NutrientKey::CrudeProtein, NutrientKey::CrudeFibre,
                                 NutrientKey::CrudeFat, NutrientKey::CrudeAsh};
    for (int i = 0; i < 5; ++i) {
        const auto row = grid.find(requiredKeys[i]);
        if (row == grid.end())
            continue;
        if (row->second.amount.isEmpty()) {
            result.status = FeedCalculation::Status::MissingValue;
            result.missingShortName = row->second.shortName;
            return result;
        }
        required[i] = cellValue(row->second.amount);
    }
    const double moisture = required[0], rp = required[1], rfa = required[2], rfe = required[3],
                 ash = required[4];

    // The ME shown before this run, not the one computed below.
    const double shownMe = optionalValue(grid, NutrientKey::EnergyMJ);
    const double ca = optionalValue(grid, NutrientKey::Calcium);
    const double p = optionalValue(grid, NutrientKey::Phosphorus);
    const double na = optionalValue(grid, NutrientKey::Sodium);
    const double k = optionalValue(grid, NutrientKey::Potassium);
    const double mg = optionalValue(grid, NutrientKey::Magnesium);
    const double zn = optionalValue(grid, NutrientKey::Zinc);
    const double cu = optionalValue(grid, NutrientKey::Copper);
    const double met = optionalValue(grid, NutrientKey::Methionine);
    const double cys = optionalValue(grid, NutrientKey::Cystine);
    const double cl = optionalValue(grid, NutrientKey::Chloride);

    const double dm = 100.0 - moisture;
    double nfe = 100.0 - moisture - ash - rp - rfa - rfe;
    result.nfe = nfe;
    if (nfe < 0.0) {
        if (!options.negativeNfeAsZero) {
            result.status = FeedCalculation::Status::NegativeNfe;
            return result;
        }
        nfe = 0.0;
        result.nfeTakenAsZero = true;
    }

    const double ge = 0.001 * (24.0 * rp + 17.0 * nfe + 38.0 * rfe + 17.0 * rfa);
    double ve = 0.0, nfePerDm = 0.0, rfaPerDm = 0.0, rfePerDm = 0.0, cab = 0.0, mePerDm = 0.0;
    if (dm != 0.0) {
        const double q = 1.0 / dm;
        ve = 91.2 - 143.0 * rfa * q;
        nfePerDm = nfe * q * 100.0;
        rfaPerDm = rfa * q * 100.0;
        rfePerDm = rfe * q * 100.0;
        cab = q * (25.6 * k + 82.3 * mg + 49.9 * ca + 43.5 * na) - q * 64.6 * p - q * 13400.0 * met -
              q * 16600.0 * cys - q * 28.2 * cl;
        mePerDm = shownMe * q;
    }
    const double me = ve * ge * 0.01 - 0.00434 * rp;
    const double kcal = me * 239.0;

    double rpPerMe = 0.0, pPerMe = 0.0, naPerMe = 0.0, kPerMe = 0.0, mgPerMe = 0.0, proteinEnergy = 0.0;
    if (me != 0.0) {
        rpPerMe = rp / me;
        pPerMe = p / me;
        naPerMe = na / me;
        kPerMe = k / me;
        mgPerMe = mg / me;
        proteinEnergy = 24.0 * rp / me;
    }
    const double caToP = p != 0.0 ? ca / p : 0.0;
    const double znToCa = ca != 0.0 ? zn / ca : 0.0;
    const double cuToZn = zn != 0.0 ? cu / zn : 0.0;

    const std::pair<int, double> written[] = {
        {NutrientKey::DryMatter, dm},
        {NutrientKey::EnergyMJ, me},
        {NutrientKey::EnergyKcal, kcal},
        {NutrientKey::EnergyKcalSecond, kcal},
        {NutrientKey::Nfe, nfe},
        {NutrientKey::GrossEnergy, ge},
        {NutrientKey::EnergyDigestibility, ve},
        {NutrientKey::ProteinPerMJ, rpPerMe},
        {NutrientKey::CalciumToPhosphorus, caToP},
        {NutrientKey::NfePerDryMatter, nfePerDm},
        {NutrientKey::FibrePerDryMatter, rfaPerDm},
        {NutrientKey::FatPerDryMatter, rfePerDm},
        {NutrientKey::PhosphorusPerMJ, pPerMe},
        {NutrientKey::SodiumPerMJ, naPerMe},
        {NutrientKey::PotassiumPerMJ, kPerMe},
        {NutrientKey::MagnesiumPerMJ, mgPerMe},
        {NutrientKey::EnergyPerDryMatter, mePerDm},
        {NutrientKey::ProteinEnergyPerMJ, proteinEnergy},
        {NutrientKey::ZincToCalcium, znToCa},
        {NutrientKey::CopperToZinc, cuToZn},
        {NutrientKey::CationAnionBalance, cab},
    };
    for (const auto& value : written) {
        if (value.second != 0.0)
            result.values.push_back(value);
    }
    return result;
}

bool moistureAndDryMatterAddUp(const QString& moisture, const QString& dryMatter)
{
    return cellValue(moisture) + cellValue(dryMatter) == 100.0;
}

QString moistureAndDryMatterMessage(const QString& languageCode)
{
    return FeedEditorTexts::MoistureAndDryMatterNot100.in(languageCode);
}

} // namespace FeedIndicatorCalculator
