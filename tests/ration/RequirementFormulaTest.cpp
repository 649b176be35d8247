#include "ration/RequirementFormula.h"
#include "core/NumberText.h"
#include "ration/CaseHeaderSource.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>

#include <limits>

namespace {

CaseVariables growingDog()
{
    CaseVariables v;
    v.species = QStringLiteral("2");
    v.sex = QStringLiteral("1");
    v.actualWeight = QStringLiteral("10");
    v.adultWeight = QStringLiteral("20");
    v.ageWeeks = QStringLiteral("12");
    return v;
}

TEST(RequirementFormulaTest, GrowthTablesGiveTheWorkedPuppyValues)
{
    const CaseVariables v = growingDog();
    const QString ca = RequirementFormula::substitute(QStringLiteral(" rechneca "), v);
    EXPECT_EQ(ca, QStringLiteral("((10) ^0.75) * 757"));
    EXPECT_EQ(NumberText::format(RequirementFormula::evaluate(ca), 0), QStringLiteral("4257"));
    const QString p = RequirementFormula::substitute(QStringLiteral("rechnep"), v);
    EXPECT_EQ(NumberText::format(RequirementFormula::evaluate(p), 1), QStringLiteral("2165,0"));
}

TEST(RequirementFormulaTest, ClassBoundariesFallIntoTheLowerClass)
{
    const struct
    {
        int weeks;
        int ageClass;
    } ages[] = {{0, 0},  {4, 0},  {5, 1},  {9, 1},  {10, 2}, {13, 2}, {14, 3},
                {17, 3}, {18, 4}, {26, 4}, {27, 5}, {35, 5}, {36, 6}};
    for (const auto& a : ages)
        EXPECT_EQ(RequirementFormula::ageClass(a.weeks), a.ageClass) << a.weeks;
    const struct
    {
        double kg;
        int weightClass;
    } weights[] = {{0, 0},    {7.5, 0},  {7.51, 1}, {15, 1},  {15.01, 2},
                   {27.5, 2}, {27.6, 3}, {45, 3},   {45.1, 4}};
    for (const auto& w : weights)
        EXPECT_EQ(RequirementFormula::adultWeightClass(w.kg), w.weightClass) << w.kg;
}

TEST(RequirementFormulaTest, NoAgeGivesZeroGrowthEnergy)
{
    CaseVariables v = growingDog();
    for (const char* age : {"", "0", "-3"}) {
        v.ageWeeks = QString::fromLatin1(age);
        EXPECT_EQ(RequirementFormula::substitute(QStringLiteral("rechneca"), v), QStringLiteral("0")) << age;
    }
}

// The age is a typed text: any size of number falls into a class.
TEST(RequirementFormulaTest, AnAgePastEveryClassIsInTheLastOne)
{
    CaseVariables v = growingDog();
    for (const char* age : {"64444444448", "inf", "1e308"}) {
        v.ageWeeks = QString::fromLatin1(age);
        EXPECT_EQ(RequirementFormula::substitute(QStringLiteral("rechneca"), v),
                  QStringLiteral("((10) ^0.75) * 218"))
            << age;
    }
    v.ageWeeks = QStringLiteral("nan");
    EXPECT_EQ(RequirementFormula::substitute(QStringLiteral("rechneca"), v), QStringLiteral("0"));
}

TEST(RequirementFormulaTest, VariablesAreWrappedInOrderAndCommasBecomePoints)
{
    CaseVariables v = growingDog();
    v.actualWeight = QStringLiteral(" 12,5 ");
    v.targetWeight = QString();
    v.energyPercent = QStringLiteral("100");
    v.ribs = QStringLiteral("1");
    v.energyKcal61 = QStringLiteral("1234,56");
    v.species = QString();
    EXPECT_EQ(
        RequirementFormula::substitute(
            QStringLiteral(
                "GATT + GESCHL + AKTGEW * SOLLGEW + MEBED + ANZWEL + ERWGEW + ALTWOCH + RIP + AMEKC + RMEKC"),
            v),
        QStringLiteral("() + (1) + (12.5) * (0) + (100) + (0) + (20) + (12) + (1) + (1234.56) + (0)"));
    EXPECT_DOUBLE_EQ(
        RequirementFormula::evaluate(RequirementFormula::substitute(QStringLiteral("AKTGEW * 2"), v)), 25.0);
    // An unknown name counts as 0; a broken formula as 0.
    EXPECT_DOUBLE_EQ(RequirementFormula::evaluate(QStringLiteral("aktgew + 3")), 3.0);
    EXPECT_DOUBLE_EQ(RequirementFormula::evaluate(QStringLiteral("(3 +")), 0.0);
    EXPECT_DOUBLE_EQ(RequirementFormula::evaluate(QString()), 0.0);
}

TEST(NumberTextTest, FormatsWithACommaAndReadsTheLeadingNumber)
{
    const struct
    {
        double value;
        int decimals;
        const char* text;
    } formats[] = {{30.0, 2, "30,00"},   {30.1, 2, "30,10"}, {13.0, 2, "13,00"}, {2165.01, 1, "2165,0"},
                   {4256.92, 0, "4257"}, {-1.25, 1, "-1,2"}, {0.0, -1, "0"}};
    for (const auto& f : formats)
        EXPECT_EQ(NumberText::format(f.value, f.decimals), QString::fromLatin1(f.text));
    const struct
    {
        const char* text;
        double value;
    } reads[] = {{"30,10", 30.1}, {"  150,5 g", 150.5}, {"-2", -2.0}, {"+4,5", 4.5}, {"abc", 0.0},
                 {"", 0.0},       {"1e3", 1000.0},      {",5", 0.5},  {"--1", 0.0}};
    for (const auto& r : reads)
        EXPECT_DOUBLE_EQ(NumberText::read(QString::fromLatin1(r.text)), r.value) << r.text;
}

TEST(NumberTextTest, FiguresGoIntoFormulasWithAPointAndFifteenDigits)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        const char* text;
    } cases[] = {{0.63, "0.63"},      {31.0, "31"},
                 {1e-7, "0.0000001"}, {1234.5678901234567, "1234.56789012346"},
                 {-2.5, "-2.5"},      {1e20, "100000000000000000000"},
                 {inf, "0"},          {std::nan(""), "0"}};
    for (const auto& c : cases)
        EXPECT_EQ(NumberText::forFormula(c.value), QString::fromLatin1(c.text)) << c.text;
    // A figure as it is shown, read back.
    EXPECT_DOUBLE_EQ(NumberText::round(4264.6, 0), 4265.0);
    EXPECT_DOUBLE_EQ(NumberText::round(0.02468, 2), 0.02);
}

TEST(RequirementFormulaTest, HeaderFieldsAreReadAsValuesOnce)
{
    CaseInputs header;
    header.species = 2;
    header.actual = QStringLiteral(" 12,50 ");
    header.target = QStringLiteral("0");
    header.energy = QStringLiteral("95");
    header.puppyCount = QStringLiteral("2,5");
    header.age = QStringLiteral("12");
    header.ribs = true;
    const CaseValues values = header.values();
    EXPECT_EQ(values.actualWeight, 12.5);
    // A 0 is a figure, but no weight; an empty field is none.
    EXPECT_EQ(values.targetWeight, 0.0);
    EXPECT_FALSE(CaseValues::weighs(values.targetWeight));
    EXPECT_FALSE(values.adultWeight.has_value());
    EXPECT_EQ(values.ageWeeks, 12);

    const CaseVariables v = RequirementFormula::variables(values);
    const QStringList texts = {v.species,       v.sex,     v.actualWeight, v.targetWeight, v.adultWeight,
                               v.energyPercent, v.puppies, v.ageWeeks,     v.ribs};
    const QStringList expected = {"2", "", "12.5", "0", "", "95", "2.5", "12", "1"};
    EXPECT_EQ(texts, expected);
}

TEST(NumberTextTest, WholeNumbersAreCutTowardZeroAndHeldToTheIntRange)
{
    constexpr int max = std::numeric_limits<int>::max();
    constexpr int min = std::numeric_limits<int>::min();
    const struct
    {
        const char* text;
        int whole;
        int decimals;
    } cases[] = {{"2,9", 2, 2},           {"-2,9", -2, 0},   {"3e9", max, max},
                 {"-3e9", min, 0},        {"inf", max, max}, {"-inf", min, 0},
                 {"nan", 0, 0},           {"1e400", 0, 0},   {"2147483647", max, max},
                 {"-2147483648", min, 0}, {"", 0, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText::readWhole(QString::fromLatin1(c.text)), c.whole) << c.text;
        EXPECT_EQ(NumberText::decimalsOf(QString::fromLatin1(c.text)), c.decimals) << c.text;
    }
}

} // namespace
