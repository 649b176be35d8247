#include "ration/SupplementPremix.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const PremixPart Selenite{"170", "Natriumselenit", 0.0002234};
const PremixPart ZincOxide{"162", "Zinkoxid", 0.004097};
const PremixPart VitaminD3{"175", "Vitamin D3", 0.00001235};
const PremixPart Chalk{"157", "Calciumcarbonat", 2.5};
const PremixPart Yeast{"154", "Backhefe", 0.6};

// Each substance for the days to the milligram; the carrier fills the
// premix up to the daily portion; the expected figures are worked out by
// hand from the daily amounts.
TEST(SupplementPremixTest, SubstancesForTheDaysAndACarrierUpToThePortion)
{
    const struct
    {
        const char* name;
        std::vector<PremixPart> parts;
        int days;
        double portion;
        bool carrier;
        std::vector<double> grams; // per substance, for the days
        std::vector<bool> tooLittle;
        double carrierGrams;
        double dose;
        bool overfull;
    } cases[] = {
        // 0.006702 g and 0.12291 g; 60 g less 0.130 g of carrier.
        {"two substances, 30 days, 2 g",
         {Selenite, ZincOxide},
         30,
         2.0,
         true,
         {0.007, 0.123},
         {false, false},
         59.870,
         2.0,
         false},
        {"without a carrier the substances alone",
         {Selenite, ZincOxide},
         30,
         2.0,
         false,
         {0.007, 0.123},
         {false, false},
         0.0,
         0.130 / 30,
         false},
        // 7 days: 0.0015638 g is 0.002 g, 28 % off; 0.028679 g is 0.029 g.
        {"a week", {Selenite, ZincOxide}, 7, 1.0, true, {0.002, 0.029}, {true, false}, 6.969, 1.0, false},
        // 100 days of vitamin D3: 0.001235 g weighs as 0.001 g, 19 % off.
        {"too little of a vitamin even for 100 days",
         {VitaminD3},
         100,
         2.0,
         true,
         {0.001},
         {true},
         199.999,
         2.0,
         false},
        // What is weighed in grams stays in the ration as it is.
        {"a gram and more is no part",
         {Chalk, ZincOxide},
         30,
         2.0,
         true,
         {0.123},
         {false},
         59.877,
         2.0,
         false},
        // 18 g of yeast and 0.123 g of zinc oxide against 15 g of portions.
        {"more than the portion",
         {Yeast, ZincOxide},
         30,
         0.5,
         true,
         {18.0, 0.123},
         {false, false},
         0.0,
         18.123 / 30,
         true},
    };
    for (const auto& c : cases) {
        const Premix premix = SupplementPremix::make(c.parts, c.days, c.portion, c.carrier);
        EXPECT_EQ(premix.days, c.days) << c.name;
        ASSERT_EQ(premix.substances.size(), c.grams.size()) << c.name;
        for (size_t i = 0; i < c.grams.size(); ++i) {
            EXPECT_NEAR(premix.substances[i].grams, c.grams[i], 1e-9) << c.name << " " << i;
            EXPECT_EQ(premix.substances[i].tooLittle, c.tooLittle[i]) << c.name << " " << i;
        }
        EXPECT_NEAR(premix.carrier, c.carrierGrams, 1e-9) << c.name;
        EXPECT_NEAR(premix.carrierDaily * c.days, premix.carrier, 1e-9) << c.name;
        EXPECT_NEAR(premix.dailyDose, c.dose, 1e-9) << c.name;
        EXPECT_EQ(premix.overfull, c.overfull) << c.name;
    }
}

// With the carrier's share as the ration holds it, the premix is made of
// that share, whatever the portion would have been.
TEST(SupplementPremixTest, TheCarriersShareAsTheRationHoldsIt)
{
    const Premix premix = SupplementPremix::withCarrierShare({Selenite, ZincOxide}, 30, 1.9);
    EXPECT_NEAR(premix.carrier, 57.0, 1e-9);
    EXPECT_NEAR(premix.dailyDose, (0.130 + 57.0) / 30, 1e-9);
    EXPECT_TRUE(SupplementPremix::make({Chalk}, 30, 2.0, true).empty());
    EXPECT_TRUE(SupplementPremix::make({}, 30, 2.0, true).empty());
}

} // namespace
