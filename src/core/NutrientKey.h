#pragma once

// The keys of the nutrients (T_NAEHRSTOFFE.ID) the program's own rules read:
// ingredients 1 to 40, 60 and 61, indicators 41 to 58. The keys are fixed in
// the program; names, units and decimals come from the table.
namespace NutrientKey {
inline constexpr int Calcium = 1;
inline constexpr int VitaminA = 2;
inline constexpr int VitaminD = 5;
inline constexpr int Magnesium = 7;
inline constexpr int DryMatter = 8;
inline constexpr int EnergyMJ = 9;
inline constexpr int DigestibleProtein = 10;
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
} // namespace NutrientKey
