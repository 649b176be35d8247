#pragma once

#include <QString>

#include <map>
#include <utility>
#include <vector>

// Nutrient keys the feedstuff calculation reads and writes. The keys are fixed
// in the program; names, units and decimals come from T_NAEHRSTOFFE.
namespace FeedKey {
inline constexpr int Calcium = 1;
inline constexpr int Magnesium = 7;
inline constexpr int DryMatter = 8;
inline constexpr int EnergyMJ = 9;
inline constexpr int CrudeFibre = 11;
inline constexpr int CrudeFat = 12;
inline constexpr int CrudeAsh = 13;
inline constexpr int Nfe = 14;
inline constexpr int Phosphorus = 15;
inline constexpr int Potassium = 16;
inline constexpr int Moisture = 18;
inline constexpr int Sodium = 19;
inline constexpr int Zinc = 20;
inline constexpr int Copper = 21;
inline constexpr int CrudeProtein = 24;
inline constexpr int Methionine = 32;
inline constexpr int Cystine = 33;
inline constexpr int Chloride = 35;
inline constexpr int EnergyKcal = 60;
inline constexpr int EnergyKcalSecond = 61;
inline constexpr int ProteinPerMJ = 41;
inline constexpr int CalciumToPhosphorus = 42;
inline constexpr int NfePerDryMatter = 43;
inline constexpr int FibrePerDryMatter = 44;
inline constexpr int FatPerDryMatter = 45;
inline constexpr int PhosphorusPerMJ = 46;
inline constexpr int SodiumPerMJ = 47;
inline constexpr int PotassiumPerMJ = 48;
inline constexpr int GrossEnergy = 49;
inline constexpr int EnergyDigestibility = 50;
inline constexpr int MagnesiumPerMJ = 51;
inline constexpr int EnergyPerDryMatter = 52;
inline constexpr int ProteinEnergyPerMJ = 53;
inline constexpr int ZincToCalcium = 56;
inline constexpr int CopperToZinc = 57;
inline constexpr int CationAnionBalance = 58;
} // namespace FeedKey

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
