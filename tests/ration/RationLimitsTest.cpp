#include "ration/RationLimits.h"
#include "ration/CaseHeaderSource.h"
#include "ration/NutrientColumns.h"
#include "ration/NutrientMaxima.h"
#include "ration/RationBasis.h"
#include "ration/RationGrids.h"
#include "support/QtPrinters.h"
#include "support/RationModelStub.h"
#include "support/TestDatabase.h"
#include "ui/GridModel.h"

#include <gtest/gtest.h>

#include <optional>

using namespace NutrientColumns;

namespace {

std::optional<double> maximumOf(const std::vector<NutrientMaximum>& maxima, int nutrient,
                                NutrientMaximum::Basis basis)
{
    for (const NutrientMaximum& maximum : maxima) {
        if (maximum.nutrient == nutrient && maximum.basis == basis)
            return maximum.value;
    }
    return std::nullopt;
}

TEST(NutrientMaximaTest, TheShippedRowsFollowSpeciesLifeStageAgeAndAdultWeight)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.isValid());
    using B = NutrientMaximum::Basis;
    const std::optional<double> none;
    const struct
    {
        const char* what;
        int caseType, species;
        const char* age;
        const char* adultWeight;
        std::optional<double> calcium, ratio, vitaminD, zinc;
    } cases[] = {
        // Zinc is stored as 22.7 mg per 100 g dry matter: × 2.5 per 1000 kcal.
        {"adult dog", 7, 2, "", "", 6.25, 2.0, 800.0, 56.75},
        {"senior dog: adult", 17, 2, "", "", 6.25, 2.0, 800.0, 56.75},
        {"puppy, 10 weeks", 1, 2, "10", "30", 4.0, 1.6, 800.0, 56.75},
        {"puppy, 20 weeks, small breed", 2, 2, "20", "12", 4.5, 1.8, 800.0, 56.75},
        {"puppy, 20 weeks, large breed", 1, 2, "20", "30", 4.5, 1.6, 800.0, 56.75},
        {"lactating bitch", 5, 2, "", "", 4.0, 1.6, 800.0, 56.75},
        {"adult cat: no dog rows", 9, 3, "", "", none, none, 7500.0, none},
        {"kitten", 3, 3, "10", "", none, none, 7500.0, none},
    };
    for (const auto& c : cases) {
        CaseInputs header;
        header.caseType = c.caseType;
        header.species = c.species;
        header.age = QString::fromLatin1(c.age);
        header.adult = QString::fromLatin1(c.adultWeight);
        const std::vector<NutrientMaximum> maxima = NutrientMaxima::forCase(db.context(), header);
        EXPECT_EQ(maximumOf(maxima, 1, B::PerThousandKcal), c.calcium) << c.what;
        EXPECT_EQ(maximumOf(maxima, 42, B::Ratio), c.ratio) << c.what;
        EXPECT_EQ(maximumOf(maxima, 5, B::PerThousandKcal), c.vitaminD) << c.what;
        const std::optional<double> zinc = maximumOf(maxima, 20, B::PerThousandKcal);
        EXPECT_EQ(zinc.has_value(), c.zinc.has_value()) << c.what;
        if (zinc && c.zinc) {
            EXPECT_DOUBLE_EQ(*zinc, *c.zinc) << c.what;
        }
    }
}

// A ration: columns of key, decimals, requirement and supply, then
// feedstuffs of name, amount and contents, figures as the grids show them.
struct Column
{
    const char* key;
    const char* decimals;
    const char* requirement;
    const char* supply;
    QStringList contents; // one per feedstuff
};

RationModel layOut(const std::vector<Column>& columns, const QStringList& names, const QStringList& amounts)
{
    RationModelStub ration;
    for (int row = 0; row < names.size(); ++row)
        ration.addFeed(names[row], amounts[row]);
    for (const Column& c : columns) {
        const int n = ration.addNutrient(QLatin1String(c.key), QLatin1String(c.key),
                                         QLatin1String(c.requirement), QLatin1String(c.supply),
                                         QStringLiteral("x"), QString::fromLatin1(c.decimals).toInt());
        for (int row = 0; row < names.size(); ++row)
            ration.contribute(row, n, c.contents.value(row));
    }
    return ration.model;
}

TEST(RationLimitsTest, MaximaScaleByTheEnergyNeededAndNeverFallBelowTheRequirement)
{
    using B = NutrientMaximum::Basis;
    // A case needing 1000 kcal: every maximum is per 1000 kcal of that need,
    // whether the ration is overfed or short; only a case without an energy
    // requirement scales by the supply. Zinc's source maximum (10 mg) lies
    // below its requirement (12 mg): the requirement stands in, marked.
    const std::vector<NutrientMaximum> maxima = {{1, 6.25, B::PerThousandKcal, "Ca"},
                                                 {5, 800.0, B::PerThousandKcal, "D energy"},
                                                 {5, 567.5, B::PerThousandKcal, "D legal"},
                                                 {20, 10.0, B::PerThousandKcal, "Zn"},
                                                 {35, 1.0, B::Ratio, "not a nutrient's"}};
    const struct
    {
        const char *energyNeed, *energySupply, *calciumSupply, *zincSupply;
        const char *calciumMaximum, *vitaminDMaximum, *zincMaximum;
        bool calciumOver, zincOver;
    } cases[] = {
        {"1000", "1200", "6,25", "12,00", "6,25", "567,5", "12,00", false, false}, // overfed, at the limits
        {"1000", "800", "6,26", "12,01", "6,25", "567,5", "12,00", true, true},    // short
        {"", "800", "5,00", "8,00", "5,00", "454,0", "8,00", false, false},        // no energy need
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.energyNeed) + "/" + c.energySupply);
        const RationModel ration =
            layOut({{"60", "0", c.energyNeed, c.energySupply, {"700", "500", ""}},
                    {"1", "2", "1,00", c.calciumSupply, {"4,00", "2,25", ""}},
                    {"5", "1", "100,0", "400,0", {"0,0", "400,0", ""}},
                    {"20", "2", c.energyNeed[0] ? "12,00" : "", c.zincSupply, {"4,00", "8,00", ""}},
                    {"35", "3", "", "0,500", {"0,000", "", ""}}},
                   {"Huhn", "Reis", "Ohne Menge"}, {"400", "500", ""});
        const std::vector<NutrientCheck> checks = RationLimits::checkNutrients(ration, maxima);
        ASSERT_EQ(checks.size(), 5u);
        EXPECT_EQ(checks[1].maximumText, c.calciumMaximum);
        EXPECT_EQ(checks[1].over, c.calciumOver);
        // The legal maximum binds before the nutritional one.
        EXPECT_EQ(checks[2].maximumText, c.vitaminDMaximum);
        EXPECT_EQ(checks[2].source, "D legal");
        EXPECT_EQ(checks[3].maximumText, c.zincMaximum);
        EXPECT_EQ(checks[3].crossed, c.energyNeed[0] != 0);
        EXPECT_EQ(checks[3].sourceMaximumText, c.energyNeed[0] ? "10,00" : "");
        EXPECT_EQ(checks[3].over, c.zincOver);
        EXPECT_EQ(checks[3].flagsText(), c.energyNeed[0] ? (c.zincOver ? "over,crossed" : "crossed") : "");
        // A stored 0 is a content; an empty cell without an amount is no gap.
        EXPECT_FALSE(checks[1].incomplete);
        EXPECT_EQ(checks[4].feedsWithoutData, QStringList{"Reis"});
        EXPECT_EQ(checks[4].flagsText(), "incomplete");
        EXPECT_EQ(checks[4].maximumText, "");
    }
    const RationModel empty = layOut({{"60", "0", "", "0", {}}, {"1", "2", "1,00", "0,00", {}}}, {}, {});
    EXPECT_FALSE(RationLimits::checkNutrients(empty, maxima)[1].maximum);
}

TEST(RationBasisTest, PerThousandKcalDividesEveryFigureByTheSuppliedEnergy)
{
    RationFigures daily;
    daily.nutrients = {{"60", "kcal", 0, 1000.0, 1250.0, std::nullopt, {{750.0}, {500.0}}},
                       {"8", "g", 1, 250.0, 400.0, std::nullopt, {{150.0}, {250.0}}},
                       {"1", "g", 2, 1.0, 2.5, 7.8125, {{1.5}, {1.0}}},
                       {"35", "g", 3, std::nullopt, 0.5, std::nullopt, {{0.5}, std::nullopt}}};
    // 1250 kcal: each figure × 0.8.
    const std::optional<RationFigures> perKcal =
        RationBasis::inBasis(daily, RationFigures::Basis::PerThousandKcal, QStringLiteral("DE"));
    ASSERT_TRUE(perKcal);
    const RationFigures::Nutrient& calcium = perKcal->nutrients[2];
    EXPECT_EQ(calcium.unit, "g/1000 kcal");
    EXPECT_EQ(RationFigures::text(calcium.requirement, 2), "0,80");
    EXPECT_EQ(RationFigures::text(calcium.supply, 2), "2,00");
    EXPECT_EQ(RationFigures::text(calcium.maximum, 2), "6,25");
    EXPECT_EQ(RationFigures::text(calcium.contributions[0], 2), "1,20");
    EXPECT_DOUBLE_EQ(*calcium.supply / *calcium.requirement, 2.5); // coverage as daily
    EXPECT_EQ(RationFigures::text(perKcal->nutrients[0].supply, 0), "1000");
    EXPECT_FALSE(perKcal->nutrients[3].requirement);
    EXPECT_FALSE(perKcal->nutrients[3].contributions[1]);
    // 400 g dry matter: × 2.5 per kg.
    const std::optional<RationFigures> perDm =
        RationBasis::inBasis(daily, RationFigures::Basis::PerKilogramDryMatter, QStringLiteral("US"));
    ASSERT_TRUE(perDm);
    EXPECT_EQ(perDm->nutrients[2].unit, "g/kg DM");
    EXPECT_EQ(RationFigures::text(perDm->nutrients[2].supply, 2), "6,25");

    daily.nutrients[0].supply = 0.0;
    EXPECT_FALSE(RationBasis::inBasis(daily, RationFigures::Basis::PerThousandKcal, QStringLiteral("DE")));
}

} // namespace
