#include "ration/RationBalancing.h"
#include "DogWindow.h"
#include "core/NumberText.h"
#include "ration/RationGrids.h"

#include <gtest/gtest.h>

using namespace NutrientColumns;

TEST(RationBalancingTest, NothingToBalanceIsSaidInTheUsersLanguage)
{
    const struct
    {
        QString language, empty, noEnergy;
    } cases[] = {
        {"DE", "Die Ration enthält noch keine Futtermittel.",
         "Für diesen Fall ist kein Energiebedarf berechnet. Bitte zuerst Tierart, Fallart und Gewicht eingeben."},
        {"US", "The ration holds no feedstuffs yet.",
         "No energy requirement is computed for this case. Please enter species, case type and weight first."},
    };
    for (const auto& c : cases) {
        DogWindow w(c.language);
        RationBalancing balancing(w.db.context(), w.prompt, w.form);
        w.chooseAdultDog();
        EXPECT_FALSE(balancing.start());
        EXPECT_EQ(w.prompt.lastText(), c.empty);
        w.feed(24, QString());
        w.form.setActualWeight(QString());
        w.form.setTargetWeight(QString());
        EXPECT_FALSE(balancing.start());
        EXPECT_EQ(w.prompt.lastText(), c.noEnergy);
    }
}

// Chicken, rice, carrots, rapeseed oil and calcium carbonate for a 20 kg
// dog: the vet locks the chicken as typed, bounds the carrots and applies.
TEST(RationBalancingTest, LockBoundsAndApplyOnTheShippedData)
{
    DogWindow w(QStringLiteral("DE"));
    w.chooseAdultDog();
    const int chicken = w.feed(24, QStringLiteral("350"));
    for (const int key : {89, 111, 138, 157})
        w.feed(key, QString());
    RationBalancing balancing(w.db.context(), w.prompt, w.form);
    balancing.remember(w.page.balanceBounds());
    ASSERT_TRUE(balancing.start());
    GridModel& grid = balancing.grid();
    ASSERT_EQ(grid.rowCount(), RationBalancing::FirstRow + 5);

    grid.click(RationBalancing::FirstRow, RationBalancing::LockColumn);
    EXPECT_EQ(grid.text(RationBalancing::FirstRow, RationBalancing::LockColumn), "x");
    EXPECT_EQ(grid.text(RationBalancing::FirstRow, RationBalancing::ProposedColumn), "350");
    const int carrots = RationBalancing::FirstRow + 2;
    grid.endEdit(carrots, RationBalancing::MaximumColumn, QStringLiteral("viel"));
    EXPECT_EQ(w.prompt.lastText(), "Bitte eine Menge in Gramm von 0 bis 100000 eingeben.");
    EXPECT_EQ(grid.text(carrots, RationBalancing::MaximumColumn), "");
    grid.endEdit(carrots, RationBalancing::MaximumColumn, QStringLiteral("50"));
    grid.endEdit(carrots, RationBalancing::MinimumColumn, QStringLiteral("60"));
    EXPECT_EQ(w.prompt.lastText(), "Die Mindestmenge von Karotten (Möhren), roh liegt über der Höchstmenge.");
    EXPECT_EQ(grid.text(carrots, RationBalancing::MinimumColumn), "");
    EXPECT_LE(NumberText::read(grid.text(carrots, RationBalancing::ProposedColumn)), 50.0);
    EXPECT_EQ(balancing.resultLines().value(0).left(10), "Zu wenig: ");

    // Nothing reaches the case before Apply; then the amounts are typed
    // amounts and the energy is within 2 % of the requirement.
    const int rice = FirstFeedRow + 1;
    EXPECT_EQ(w.grid().text(rice, RationGrids::AmountColumn), "");
    balancing.apply();
    EXPECT_EQ(w.grid().text(chicken, RationGrids::AmountColumn), "350");
    for (int f = 0; f < 5; ++f) {
        EXPECT_EQ(w.grid().text(FirstFeedRow + f, RationGrids::AmountColumn),
                  grid.text(RationBalancing::FirstRow + f, RationBalancing::ProposedColumn));
    }
    const int energy = w.column(RationBalancer::EnergyKey);
    EXPECT_NEAR(NumberText::read(w.grid().text(SupplyRow, energy)) /
                    NumberText::read(w.grid().text(RequirementRow, energy)),
                1.0, 0.02);

    // The next balancing of the page starts from the same lock and bounds.
    RationBalancing again(w.db.context(), w.prompt, w.form);
    again.remember(w.page.balanceBounds());
    ASSERT_TRUE(again.start());
    EXPECT_EQ(again.grid().text(RationBalancing::FirstRow, RationBalancing::LockColumn), "x");
    EXPECT_EQ(again.grid().text(carrots, RationBalancing::MaximumColumn), "50");
    EXPECT_EQ(again.grid().text(carrots, RationBalancing::MinimumColumn), "");
}
