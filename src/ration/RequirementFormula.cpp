#include "ration/RequirementFormula.h"

#include "core/NumberText.h"
#include "formula/FormulaEngine.h"
#include "ration/CaseHeaderSource.h"

namespace RequirementFormula {

namespace {

constexpr int GrowthEnergyCa[5][7] = {{407, 454, 504, 426, 305, 221, 168},
                                      {463, 560, 615, 496, 357, 237, 183},
                                      {497, 718, 757, 591, 383, 279, 218},
                                      {512, 885, 894, 616, 422, 288, 199},
                                      {582, 900, 955, 732, 560, 348, 218}};

constexpr int GrowthEnergyP[5][7] = {{294, 294, 270, 234, 169, 135, 123},
                                     {334, 357, 320, 266, 189, 141, 126},
                                     {358, 452, 385, 309, 199, 157, 137},
                                     {369, 551, 447, 321, 215, 161, 142},
                                     {418, 560, 475, 373, 269, 184, 146}};

// An empty input counts as 0; every value goes in parentheses.
QString wrapped(const QString& value)
{
    const QString trimmed = value.trimmed();
    return QLatin1Char('(') + (trimmed.isEmpty() ? QStringLiteral("0") : trimmed) + QLatin1Char(')');
}

} // namespace

int ageClass(int weeks)
{
    static const int limits[] = {4, 9, 13, 17, 26, 35};
    int result = 0;
    for (int limit : limits) {
        if (weeks <= limit)
            return result;
        ++result;
    }
    return result;
}

int adultWeightClass(double kilograms)
{
    static const double limits[] = {7.5, 15.0, 27.5, 45.0};
    int result = 0;
    for (double limit : limits) {
        if (kilograms <= limit)
            return result;
        ++result;
    }
    return result;
}

bool isGrowthTableWord(const QString& formula)
{
    const QString word = formula.trimmed();
    return word == QLatin1String("rechneca") || word == QLatin1String("rechnep");
}

int growthFactor(const QString& word, int weightClass, int age)
{
    if (weightClass < 0 || weightClass > 4 || age < 0 || age > 6)
        return 0;
    if (word.trimmed() == QLatin1String("rechneca"))
        return GrowthEnergyCa[weightClass][age];
    if (word.trimmed() == QLatin1String("rechnep"))
        return GrowthEnergyP[weightClass][age];
    return 0;
}

CaseVariables variables(const CaseValues& values)
{
    const auto key = [](int key) { return key < 0 ? QString() : QString::number(key); };
    const auto figure = [](const std::optional<double>& value) {
        return value ? NumberText::forFormula(*value) : QString();
    };
    CaseVariables v;
    v.species = key(values.species);
    v.sex = key(values.sex);
    v.actualWeight = figure(values.actualWeight);
    v.targetWeight = figure(values.targetWeight);
    v.energyPercent = figure(values.energyPercent);
    v.puppies = figure(values.puppies);
    v.adultWeight = figure(values.adultWeight);
    v.ageWeeks = values.ageWeeks ? QString::number(*values.ageWeeks) : QString();
    v.ribs = values.ribsPalpable ? QStringLiteral("1") : QStringLiteral("0");
    return v;
}

QString substitute(const QString& formula, const CaseVariables& v)
{
    QString text = formula.trimmed();
    if (isGrowthTableWord(text)) {
        const int weeks = NumberText::readWhole(v.ageWeeks);
        if (weeks <= 0)
            return QStringLiteral("0");
        const int factor =
            growthFactor(text, adultWeightClass(NumberText::read(v.adultWeight)), ageClass(weeks));
        text = QStringLiteral("(AKTGEW ^0.75) * %1").arg(factor);
        text.replace(QLatin1String("AKTGEW"), wrapped(v.actualWeight));
        return NumberText::withPoint(text);
    }
    // The species and sex keys stay empty without a choice: "()".
    const QString species = QLatin1Char('(') + v.species.trimmed() + QLatin1Char(')');
    const QString sex = QLatin1Char('(') + v.sex.trimmed() + QLatin1Char(')');
    const std::pair<const char*, QString> replacements[] = {
        {"GATT", species},
        {"GESCHL", sex},
        {"AKTGEW", wrapped(v.actualWeight)},
        {"SOLLGEW", wrapped(v.targetWeight)},
        {"MEBED", wrapped(v.energyPercent)},
        {"ANZWEL", wrapped(v.puppies)},
        {"ERWGEW", wrapped(v.adultWeight)},
        {"ALTWOCH", wrapped(v.ageWeeks)},
        {"RIP", wrapped(v.ribs)},
        {"AMEKC", wrapped(v.energyKcal61)},
        {"RMEKC", wrapped(v.energyKcal60)},
    };
    for (const auto& [name, value] : replacements)
        text.replace(QLatin1String(name), value);
    return NumberText::withPoint(text);
}

double evaluate(const QString& substituted)
{
    double result = 0.0;
    const QByteArray utf8 = substituted.toUtf8();
    evaluateFormula(std::string_view(utf8.constData(), size_t(utf8.size())), result);
    return result;
}

} // namespace RequirementFormula
