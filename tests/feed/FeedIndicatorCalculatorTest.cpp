#include "feed/FeedIndicatorCalculator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace {

// The editor's grids with the five required rows filled, each with the
// decimals given, and the optional rows present but empty.
FeedGrid analysis(const char* moisture, const char* rp, const char* rfa, const char* rfe, const char* ash)
{
    FeedGrid grid;
    grid[NutrientKey::Moisture] = {QStringLiteral("Feuchte"), 2, QString::fromUtf8(moisture)};
    grid[NutrientKey::CrudeProtein] = {QStringLiteral("RP"), 2, QString::fromUtf8(rp)};
    grid[NutrientKey::CrudeFibre] = {QStringLiteral("RFa"), 2, QString::fromUtf8(rfa)};
    grid[NutrientKey::CrudeFat] = {QStringLiteral("RFe"), 2, QString::fromUtf8(rfe)};
    grid[NutrientKey::CrudeAsh] = {QStringLiteral("RA"), 2, QString::fromUtf8(ash)};
    for (int key :
         {NutrientKey::EnergyMJ, NutrientKey::Calcium, NutrientKey::Phosphorus, NutrientKey::Sodium,
          NutrientKey::Potassium, NutrientKey::Magnesium, NutrientKey::Zinc, NutrientKey::Copper,
          NutrientKey::Methionine, NutrientKey::Cystine, NutrientKey::Chloride, NutrientKey::DryMatter,
          NutrientKey::Nfe, NutrientKey::EnergyKcal, NutrientKey::EnergyKcalSecond})
        grid[key] = {QStringLiteral("n%1").arg(key), 3, QString()};
    for (int key = 41; key <= 58; ++key)
        grid[key] = {QStringLiteral("k%1").arg(key), 2, QString()};
    return grid;
}

std::optional<double> valueOf(const FeedCalculation& run, int key)
{
    for (const auto& [written, value] : run.values) {
        if (written == key)
            return value;
    }
    return std::nullopt;
}

TEST(FeedIndicatorCalculatorTest, WorkedFeedGivesItsDerivedFigures)
{
    const FeedCalculation run = FeedIndicatorCalculator::calculate(analysis("10", "25", "2", "15", "8"));
    ASSERT_TRUE(run.succeeded());
    const struct
    {
        int key;
        int decimals;
        const char* text;
    } expected[] = {
        {NutrientKey::Nfe, 2, "40,00"},
        {NutrientKey::DryMatter, 2, "90,00"},
        {NutrientKey::GrossEnergy, 3, "1,884"},
        {NutrientKey::EnergyDigestibility, 4, "88,0222"},
        {NutrientKey::EnergyMJ, 5, "1,54984"},
        {NutrientKey::EnergyKcal, 2, "370,41"},
        {NutrientKey::EnergyKcalSecond, 2, "370,41"},
        {NutrientKey::ProteinPerMJ, 2, "16,13"},
        {NutrientKey::ProteinEnergyPerMJ, 2, "387,14"},
        {NutrientKey::NfePerDryMatter, 2, "44,44"},
        {NutrientKey::FibrePerDryMatter, 2, "2,22"},
        {NutrientKey::FatPerDryMatter, 2, "16,67"},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.key);
        const auto value = valueOf(run, e.key);
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(FeedIndicatorCalculator::cellText(*value, e.decimals), QString::fromUtf8(e.text));
    }
}

TEST(FeedIndicatorCalculatorTest, WritesInItsOrderAndLeavesZeroResultsOut)
{
    FeedGrid grid = analysis("10", "25", "2", "15", "8");
    grid[NutrientKey::Calcium].amount = QStringLiteral("1,2");
    grid[NutrientKey::Phosphorus].amount = QStringLiteral("0,8");
    const FeedCalculation run = FeedIndicatorCalculator::calculate(grid);
    std::vector<int> keys;
    for (const auto& value : run.values)
        keys.push_back(value.first);
    // No sodium, potassium, magnesium, zinc, copper: their per-ME figures and
    // ratios are 0; no ME shown before the run: no ME per dry matter.
    const std::vector<int> expected = {8, 9, 60, 61, 14, 49, 50, 41, 42, 43, 44, 45, 46, 53, 58};
    EXPECT_EQ(keys, expected);
}

TEST(FeedIndicatorCalculatorTest, PresentButEmptyRequiredValueStopsWithItsName)
{
    const struct
    {
        int key;
        const char* german;
        const char* english;
    } cases[] = {
        {NutrientKey::Moisture, "Bitte geben Sie einen Wert für Feuchte ein",
         "Please enter an amount for Feuchte"},
        {NutrientKey::CrudeProtein, "Bitte geben Sie einen Wert für RP ein", "Please enter an amount for RP"},
        {NutrientKey::CrudeFibre, "Bitte geben Sie einen Wert für RFa ein", "Please enter an amount for RFa"},
        {NutrientKey::CrudeFat, "Bitte geben Sie einen Wert für RFe ein", "Please enter an amount for RFe"},
        {NutrientKey::CrudeAsh, "Bitte geben Sie einen Wert für RA ein", "Please enter an amount for RA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        FeedGrid grid = analysis("10", "25", "2", "15", "8");
        grid[c.key].amount.clear();
        const FeedCalculation run = FeedIndicatorCalculator::calculate(grid);
        EXPECT_EQ(run.status, FeedCalculation::Status::MissingValue);
        EXPECT_TRUE(run.values.empty());
        EXPECT_EQ(run.message(QStringLiteral("DE")), QString::fromUtf8(c.german));
        EXPECT_EQ(run.message(QStringLiteral("US")), QString::fromUtf8(c.english));
    }
}

TEST(FeedIndicatorCalculatorTest, FirstEmptyRequiredValueInItsOrderIsNamed)
{
    FeedGrid grid = analysis("10", "", "2", "15", "");
    grid[NutrientKey::CrudeFibre].amount.clear();
    EXPECT_EQ(FeedIndicatorCalculator::calculate(grid).missingShortName, QStringLiteral("RP"));
    grid[NutrientKey::Moisture].amount.clear();
    EXPECT_EQ(FeedIndicatorCalculator::calculate(grid).missingShortName, QStringLiteral("Feuchte"));
}

TEST(FeedIndicatorCalculatorTest, MissingRequiredRowCountsZeroWithoutMessage)
{
    FeedGrid grid = analysis("10", "25", "2", "15", "8");
    grid.erase(NutrientKey::CrudeAsh);
    const FeedCalculation run = FeedIndicatorCalculator::calculate(grid);
    ASSERT_TRUE(run.succeeded());
    EXPECT_DOUBLE_EQ(*valueOf(run, NutrientKey::Nfe), 48.0);
}

TEST(FeedIndicatorCalculatorTest, NfeOfZeroIsAcceptedAndBelowZeroStops)
{
    // 100 - 10 - 8 - 25 - 2 - 55 = 0
    const FeedCalculation zero = FeedIndicatorCalculator::calculate(analysis("10", "25", "2", "55", "8"));
    EXPECT_TRUE(zero.succeeded());
    EXPECT_FALSE(valueOf(zero, NutrientKey::Nfe).has_value());
    EXPECT_TRUE(valueOf(zero, NutrientKey::EnergyMJ).has_value());

    const FeedCalculation negative =
        FeedIndicatorCalculator::calculate(analysis("10", "25", "2", "55,01", "8"));
    EXPECT_EQ(negative.status, FeedCalculation::Status::NegativeNfe);
    EXPECT_TRUE(negative.values.empty());
    EXPECT_EQ(negative.message(QStringLiteral("DE")),
              QStringLiteral("Nfe negativ, bitte die Werte für Rohnährstoffe kontrollieren"));
    EXPECT_EQ(negative.message(QStringLiteral("US")),
              QStringLiteral("Nfe negative, please check raw feedstuff"));
}

TEST(FeedIndicatorCalculatorTest, NegativeNfeTakenAsZeroOnRequest)
{
    FeedIndicatorCalculator::Options options;
    options.negativeNfeAsZero = true;
    const FeedCalculation run =
        FeedIndicatorCalculator::calculate(analysis("70", "25", "0", "6", "1"), options);
    ASSERT_TRUE(run.succeeded());
    EXPECT_TRUE(run.nfeTakenAsZero);
    EXPECT_NEAR(run.nfe, -2.0, 1e-12);
    EXPECT_FALSE(valueOf(run, NutrientKey::Nfe).has_value());
    // With NfE 0 the gross energy comes from protein and fat alone.
    EXPECT_NEAR(*valueOf(run, NutrientKey::GrossEnergy), 0.001 * (24.0 * 25.0 + 38.0 * 6.0), 1e-12);
    EXPECT_DOUBLE_EQ(*valueOf(run, NutrientKey::DryMatter), 30.0);
}

TEST(FeedIndicatorCalculatorTest, WaterAloneWritesOnlyMineralRatios)
{
    FeedGrid grid = analysis("100", "0", "0", "0", "0");
    grid[NutrientKey::Calcium].amount = QStringLiteral("0,01");
    grid[NutrientKey::Phosphorus].amount = QStringLiteral("0,02");
    const FeedCalculation run = FeedIndicatorCalculator::calculate(grid);
    ASSERT_TRUE(run.succeeded());
    ASSERT_EQ(run.values.size(), 1u);
    EXPECT_EQ(run.values[0].first, NutrientKey::CalciumToPhosphorus);
    EXPECT_DOUBLE_EQ(run.values[0].second, 0.5);
    EXPECT_EQ(run.message(QStringLiteral("DE")), QStringLiteral("Kenngrössen wurden neu berechnet !"));
    EXPECT_EQ(run.message(QStringLiteral("US")), QStringLiteral("Calculation finished ! "));
    EXPECT_EQ(run.message(QStringLiteral("XX")), QStringLiteral("Calculation finished ! "));
}

TEST(FeedIndicatorCalculatorTest, DecimalCommaAndPointReadTheSame)
{
    const FeedCalculation comma =
        FeedIndicatorCalculator::calculate(analysis("12,5", "20,25", "1,5", "9,75", "6,5"));
    const FeedCalculation point =
        FeedIndicatorCalculator::calculate(analysis("12.5", "20.25 g", "1.5", "9.75", "6.5%"));
    ASSERT_TRUE(comma.succeeded());
    EXPECT_EQ(comma.values, point.values);
    EXPECT_DOUBLE_EQ(*valueOf(comma, NutrientKey::DryMatter), 87.5);
}

TEST(FeedIndicatorCalculatorTest, RatioWithZeroDivisorIsNotWrittenAndKeepsTheOldText)
{
    FeedGrid grid = analysis("10", "25", "2", "15", "8");
    grid[NutrientKey::Calcium].amount = QStringLiteral("1,5");
    grid[NutrientKey::CalciumToPhosphorus].amount = QStringLiteral("1,20");
    const FeedCalculation run = FeedIndicatorCalculator::calculate(grid);
    EXPECT_FALSE(valueOf(run, NutrientKey::CalciumToPhosphorus).has_value());
    EXPECT_FALSE(valueOf(run, NutrientKey::ZincToCalcium).has_value());
    FeedIndicatorCalculator::applyTo(grid, run);
    EXPECT_EQ(grid[NutrientKey::CalciumToPhosphorus].amount, QStringLiteral("1,20"));
}

TEST(FeedIndicatorCalculatorTest, EnergyPerDryMatterUsesTheEnergyShownBeforeTheRun)
{
    FeedGrid grid = analysis("10", "25", "2", "15", "8");
    FeedCalculation first = FeedIndicatorCalculator::calculate(grid);
    EXPECT_FALSE(valueOf(first, NutrientKey::EnergyPerDryMatter).has_value());
    FeedIndicatorCalculator::applyTo(grid, first);
    EXPECT_EQ(grid[NutrientKey::EnergyMJ].amount, QStringLiteral("1,550"));
    const FeedCalculation second = FeedIndicatorCalculator::calculate(grid);
    EXPECT_DOUBLE_EQ(*valueOf(second, NutrientKey::EnergyPerDryMatter), 1.55 / 90.0);

    grid[NutrientKey::EnergyMJ].amount = QStringLiteral("3");
    EXPECT_DOUBLE_EQ(*valueOf(FeedIndicatorCalculator::calculate(grid), NutrientKey::EnergyPerDryMatter),
                     3.0 / 90.0);
}

TEST(FeedIndicatorCalculatorTest, CationAnionBalanceWeighsEachContentByItsFactor)
{
    // Dry matter 100 %, so each content of 1 gives its factor divided by 100.
    const struct
    {
        int key;
        double perUnit;
    } cases[] = {
        {NutrientKey::Potassium, 0.256}, {NutrientKey::Magnesium, 0.823},   {NutrientKey::Calcium, 0.499},
        {NutrientKey::Sodium, 0.435},    {NutrientKey::Phosphorus, -0.646}, {NutrientKey::Methionine, -134.0},
        {NutrientKey::Cystine, -166.0},  {NutrientKey::Chloride, -0.282},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        FeedGrid grid = analysis("0", "0", "0", "0", "100");
        grid[c.key].amount = QStringLiteral("1");
        const auto balance =
            valueOf(FeedIndicatorCalculator::calculate(grid), NutrientKey::CationAnionBalance);
        ASSERT_TRUE(balance.has_value());
        EXPECT_NEAR(*balance, c.perUnit, 1e-12);
    }
}

TEST(FeedIndicatorCalculatorTest, ApplyWritesWithEachRowsDecimalsAndDropsMissingRows)
{
    FeedGrid grid = analysis("10", "25", "2", "15", "8");
    grid[NutrientKey::DryMatter].decimals = 1;
    grid[NutrientKey::EnergyKcal].decimals = 2;
    grid.erase(NutrientKey::EnergyKcalSecond);
    FeedIndicatorCalculator::applyTo(grid, FeedIndicatorCalculator::calculate(grid));
    EXPECT_EQ(grid[NutrientKey::DryMatter].amount, QStringLiteral("90,0"));
    EXPECT_EQ(grid[NutrientKey::EnergyKcal].amount, QStringLiteral("370,41"));
    EXPECT_EQ(grid.count(NutrientKey::EnergyKcalSecond), 0u);
}

TEST(FeedIndicatorCalculatorTest, MoistureAndDryMatterMustAddUpToExactly100)
{
    const struct
    {
        const char* moisture;
        const char* dryMatter;
        bool addsUp;
    } cases[] = {
        {"73,24", "26,76", true}, {"73.24", "26,76", true}, {"73,24", "26,8", false},
        {"", "100", true},        {"100", "", true},        {"", "", false},
        {"10", "90,00", true},    {"10,05", "89,9", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.moisture) + " + " + c.dryMatter);
        EXPECT_EQ(FeedIndicatorCalculator::moistureAndDryMatterAddUp(QString::fromUtf8(c.moisture),
                                                                     QString::fromUtf8(c.dryMatter)),
                  c.addsUp);
    }
    EXPECT_EQ(
        FeedIndicatorCalculator::moistureAndDryMatterMessage(QStringLiteral("DE")),
        QStringLiteral("Der Wert für Feuchte und TS muß 100 ergeben, bitte ändern oder neu berechnen!"));
    EXPECT_EQ(FeedIndicatorCalculator::moistureAndDryMatterMessage(QStringLiteral("US")),
              QStringLiteral("Sum of moisture and dry matter must be 100, please change or calculate new!"));
}

} // namespace
