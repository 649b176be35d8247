#include "ration/RationBalancing.h"
#include "TestSupplements.h"
#include "core/NumberText.h"
#include "ration/RationGrids.h"
#include "support/CaseWindowLogic.h"
#include "support/QtPrinters.h"

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
        CaseWindowLogic w(c.language, TestDatabase::Data::Shipped);
        RationBalancing balancing(w.db().context(), w.prompt, w.form);
        w.chooseAdultDog();
        EXPECT_FALSE(balancing.start());
        EXPECT_EQ(w.prompt.lastText(), c.empty);
        w.pickWithAmount(24, QString());
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
    CaseWindowLogic w(QStringLiteral("DE"), TestDatabase::Data::Shipped);
    w.chooseAdultDog();
    const int chicken = w.pickWithAmount(24, QStringLiteral("350"));
    for (const int key : {89, 111, 138, 157})
        w.pickWithAmount(key, QString());
    RationBalancing balancing(w.db().context(), w.prompt, w.form);
    balancing.remember(w.page().balanceBounds());
    ASSERT_TRUE(balancing.start());
    GridModel& grid = balancing.grid();
    // The ration's rows first; supplements the completion adds below.
    ASSERT_GE(grid.rowCount(), RationBalancing::FirstRow + 5);

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
    ASSERT_EQ(w.grid().rowCount() - FirstFeedRow, grid.rowCount() - RationBalancing::FirstRow);
    for (int f = 0; f < grid.rowCount() - RationBalancing::FirstRow; ++f) {
        EXPECT_EQ(w.grid().text(FirstFeedRow + f, RationGrids::NameColumn),
                  grid.text(RationBalancing::FirstRow + f, RationBalancing::NameColumn));
        EXPECT_EQ(w.grid().text(FirstFeedRow + f, RationGrids::AmountColumn),
                  grid.text(RationBalancing::FirstRow + f, RationBalancing::ProposedColumn));
    }
    const int energy = w.column(NutrientKey::EnergyKcal);
    EXPECT_NEAR(NumberText::read(w.grid().text(SupplyRow, energy)) /
                    NumberText::read(w.grid().text(RequirementRow, energy)),
                1.0, 0.02);

    // The next balancing of the page starts from the same lock and bounds.
    RationBalancing again(w.db().context(), w.prompt, w.form);
    again.remember(w.page().balanceBounds());
    ASSERT_TRUE(again.start());
    EXPECT_EQ(again.grid().text(RationBalancing::FirstRow, RationBalancing::LockColumn), "x");
    EXPECT_EQ(again.grid().text(carrots, RationBalancing::MaximumColumn), "50");
    EXPECT_EQ(again.grid().text(carrots, RationBalancing::MinimumColumn), "");
}

namespace {

constexpr int Copper = 21, VitaminB12 = 26;

bool shortOf(const BalanceResult& result, int key)
{
    return std::any_of(result.shortfalls.begin(), result.shortfalls.end(),
                       [key](const BalanceGap& gap) { return gap.key == key; });
}

int rowOf(const GridModel& grid, const QString& name)
{
    for (int row = 0; row < grid.rowCount(); ++row) {
        if (grid.text(row, RationBalancing::NameColumn) == name)
            return row;
    }
    return -1;
}

} // namespace

// Chicken, rice, carrots and rapeseed oil for a 20 kg dog, with copper
// sulfate, vitamin B12 and vitamin D3 among the shipped supplements: completing
// adds what the ration lacks as new rows, "do not use" takes one out, the
// sub-gram ones form a premix with a carrier, and Apply adds them as ration
// rows that a saved and reopened case keeps to the last digit.
TEST(RationBalancingTest, CompletionAddsSupplementsAsNewRowsAndApplyKeepsTheirAmounts)
{
    const struct
    {
        QString language, added, carrier, premix, weekPremix;
    } cases[] = {
        {"DE", "neu", "Träger",
         "Supplement-Mischung für 30 Tage, täglich 2 g:", "Supplement-Mischung für 7 Tage, täglich 2 g:"},
        {"US", "new", "carrier",
         "Supplement premix for 30 days, 2 g a day:", "Supplement premix for 7 days, 2 g a day:"},
    };
    for (const auto& c : cases) {
        CaseWindowLogic w(c.language, TestDatabase::Data::Shipped);
        addTestSupplements(w.db());
        w.chooseAdultDog();
        w.pickWithAmount(24, QStringLiteral("300"));
        for (const int key : {89, 112, 138})
            w.pickWithAmount(key, QString());
        RationBalancing balancing(w.db().context(), w.prompt, w.form);
        balancing.remember(w.page().balanceBounds());
        ASSERT_TRUE(balancing.start());
        ASSERT_TRUE(balancing.complete());
        const GridModel& grid = balancing.grid();
        const int copper = rowOf(grid, "Kupfersulfat");
        ASSERT_GT(copper, RationBalancing::FirstRow + 3) << c.language.toStdString();
        EXPECT_EQ(grid.text(copper, RationBalancing::NowColumn), c.added);
        const QString proposed = grid.text(copper, RationBalancing::ProposedColumn);
        EXPECT_GT(NumberText::read(proposed), 0.0);
        EXPECT_FALSE(shortOf(balancing.result(), Copper));
        EXPECT_FALSE(shortOf(balancing.result(), VitaminB12));

        // Not to be used, the copper sulfate stays as a marked row, no longer
        // proposed, and copper is short; the page remembers the mark.
        balancing.grid().click(copper, RationBalancing::ExcludeColumn);
        EXPECT_EQ(grid.text(copper, RationBalancing::ExcludeColumn), "x");
        EXPECT_EQ(grid.text(copper, RationBalancing::ProposedColumn), "");
        EXPECT_TRUE(shortOf(balancing.result(), Copper));
        EXPECT_TRUE(w.page().balanceBounds().value("9001").excluded);
        balancing.grid().click(copper, RationBalancing::ExcludeColumn);
        EXPECT_EQ(grid.text(copper, RationBalancing::ProposedColumn), proposed);
        // Rounded, what is added takes neither energy nor a nutrient over.
        EXPECT_TRUE(balancing.result().excesses.empty()) << balancing.resultLines().join('\n').toStdString();

        // Its bounds hold as a feedstuff's do: at most half of it, and copper
        // stays short; locked, it keeps what it was proposed at.
        const double half = NumberText::read(proposed) / 2;
        balancing.grid().endEdit(copper, RationBalancing::MaximumColumn, QString::number(half, 'g', 6));
        EXPECT_LE(NumberText::read(grid.text(copper, RationBalancing::ProposedColumn)), half);
        EXPECT_TRUE(shortOf(balancing.result(), Copper));
        balancing.grid().endEdit(copper, RationBalancing::MaximumColumn, QString());
        balancing.grid().click(copper, RationBalancing::LockColumn);
        EXPECT_EQ(grid.text(copper, RationBalancing::LockColumn), "x");
        balancing.grid().endEdit(RationBalancing::FirstRow, RationBalancing::MaximumColumn,
                                 QStringLiteral("200"));
        EXPECT_EQ(grid.text(copper, RationBalancing::ProposedColumn), proposed);
        balancing.grid().click(copper, RationBalancing::LockColumn);
        EXPECT_NE(grid.text(copper, RationBalancing::ProposedColumn), proposed);
        balancing.grid().endEdit(RationBalancing::FirstRow, RationBalancing::MaximumColumn, QString());

        // Without completion the ration is as the feedstuffs alone make it.
        balancing.setComplete(false);
        EXPECT_EQ(grid.rowCount(), RationBalancing::FirstRow + 4);
        balancing.setComplete(true);

        // The premix: the sub-gram substances for the days, filled up with
        // beef mince, which gets a row of its own, to 2 g a day.
        const QStringList lines = balancing.resultLines();
        const QString heading = c.premix.left(c.premix.indexOf(','));
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const QString& l) {
            return l.startsWith(heading);
        })) << lines.join('\n').toStdString();
        ASSERT_TRUE(balancing.setCarrier(1));
        EXPECT_TRUE(balancing.resultLines().contains(c.premix))
            << balancing.resultLines().join('\n').toStdString();
        EXPECT_FALSE(balancing.setPremixDays(6));
        ASSERT_TRUE(balancing.setPremixDays(7));
        EXPECT_TRUE(balancing.resultLines().contains(c.weekPremix))
            << balancing.resultLines().join('\n').toStdString();
        int carrier = -1;
        for (int row = RationBalancing::FirstRow; row < grid.rowCount(); ++row) {
            if (grid.text(row, RationBalancing::NowColumn) == c.carrier)
                carrier = row;
        }
        ASSERT_GT(carrier, 0);
        EXPECT_EQ(NumberText::read(grid.text(carrier, RationBalancing::ProposedColumn)),
                  balancing.premix().carrierDaily);

        QStringList shown;
        for (int row = RationBalancing::FirstRow; row < grid.rowCount(); ++row)
            shown << grid.text(row, RationBalancing::NameColumn) + '=' +
                         grid.text(row, RationBalancing::ProposedColumn);
        balancing.apply();
        QStringList applied;
        for (int row = FirstFeedRow; row < w.grid().rowCount(); ++row)
            applied << w.grid().text(row, RationGrids::NameColumn) + '=' +
                           w.grid().text(row, RationGrids::AmountColumn);
        EXPECT_EQ(applied, shown);
        const int se = w.column(37);
        EXPECT_GE(NumberText::read(w.grid().text(SupplyRow, se)),
                  NumberText::read(w.grid().text(RequirementRow, se)));

        // Stored and opened again, every amount reads as it was applied.
        w.form.userChoseSalutation(0);
        w.form.setOwnerName(QStringLiteral("Müller"));
        w.form.setPatientName(QStringLiteral("Bello"));
        w.form.setTitle(QStringLiteral("Ergänzt"));
        ASSERT_TRUE(w.form.saveCase()) << w.prompt.texts().join('\n').toStdString();
        QStringList reopened;
        for (int row = FirstFeedRow; row < w.grid().rowCount(); ++row)
            reopened << w.grid().text(row, RationGrids::NameColumn) + '=' +
                            RationBalancer::weighableText(
                                NumberText::read(w.grid().text(row, RationGrids::AmountColumn)));
        EXPECT_EQ(reopened, shown);

        // A carrier of the ration marked "do not use" carries nothing.
        ASSERT_TRUE(balancing.setCarrier(89));
        ASSERT_TRUE(balancing.exclude(QStringLiteral("89")));
        const QStringList uncarried = balancing.resultLines();
        EXPECT_TRUE(std::none_of(uncarried.begin(), uncarried.end(), [&](const QString& l) {
            return l.contains('(' + c.carrier + ')');
        })) << uncarried.join('\n').toStdString();
    }
}
