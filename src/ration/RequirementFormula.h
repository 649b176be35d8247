#pragma once

#include <QString>

struct CaseValues;

// The inputs of a requirement formula, each the trimmed text of a header
// field at the moment of evaluation.
struct CaseVariables
{
    QString species;       // GATT: key of the chosen species, empty without a choice
    QString sex;           // GESCHL
    QString actualWeight;  // AKTGEW, kg
    QString targetWeight;  // SOLLGEW, kg
    QString energyPercent; // MEBED
    QString puppies;       // ANZWEL
    QString adultWeight;   // ERWGEW, kg
    QString ageWeeks;      // ALTWOCH
    QString ribs;          // RIP: "1" ribs easily palpable, else "0"
    QString energyKcal61;  // AMEKC: current requirement text of nutrient 61
    QString energyKcal60;  // RMEKC: current requirement text of nutrient 60
};

// Turning a stored requirement formula into a text the formula engine
// evaluates, and evaluating it.
namespace RequirementFormula {

// The header's values as the formulas read them: a key of no choice and a
// figure not given are empty, the body condition "1" or "0". The energy
// requirements are left to the caller.
CaseVariables variables(const CaseValues& values);

// The growth energy tables: age class 0..6 from whole weeks, adult-weight class 0..4 from kg.
int ageClass(int weeks);
int adultWeightClass(double kilograms);
// The factor of "rechneca" or "rechnep" for the classes; 0 for another word.
int growthFactor(const QString& word, int adultWeightClass, int ageClass);
bool isGrowthTableWord(const QString& formula);

// The formula with every variable replaced by "(" + value + ")" in the fixed
// order, "rechneca"/"rechnep" expanded from the tables, and "," made ".".
QString substitute(const QString& formula, const CaseVariables& variables);

// Evaluates a substituted formula; a formula the engine rejects counts as 0.
double evaluate(const QString& substituted);

} // namespace RequirementFormula
