#include "ShippedCase.h"
#include "ShippedDatabase.h"
#include "core/NumberText.h"
#include "feed/FeedIndicatorCalculator.h"
#include "support/QtPrinters.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

class ShippedFeedstuffTest : public ShippedDataTest
{
protected:
    static std::vector<int> feedstuffs()
    {
        std::vector<int> keys;
        for (const QString& key : rows(QStringLiteral("SELECT ID FROM T_FUTTERMITTEL ORDER BY ID")))
            keys.push_back(key.toInt());
        return keys;
    }
    static int feedstuffNamed(const char* english)
    {
        return value(QStringLiteral("SELECT ID FROM T_FUTTERMITTEL WHERE BEZ_US = '%1'")
                         .arg(QLatin1String(english)))
            .toInt();
    }
    // Through the program's layer, whose LIKE the server gets translated.
    static bool hintMentions(int feedstuff, const char* german, const char* english)
    {
        const QString where =
            QStringLiteral("SELECT COUNT(*) AS N FROM T_FUTTERMITTEL WHERE ID = %1 AND %2 LIKE '%%3%'");
        const std::vector<QStringList> once{{QStringLiteral("1")}};
        return selectRows(db(),
                          where.arg(feedstuff).arg(QStringLiteral("HINWEIS"), QString::fromUtf8(german)),
                          {QStringLiteral("N")}) == once &&
               selectRows(db(), where.arg(feedstuff).arg(QStringLiteral("HINT"), QString::fromUtf8(english)),
                          {QStringLiteral("N")}) == once;
    }
};

TEST_F(ShippedFeedstuffTest, SystemFeedstuffsLieBelowBothKeyCounters)
{
    EXPECT_GE(feedstuffs().size(), 150u);
    EXPECT_EQ(value(QStringLiteral("SELECT COUNT(*) FROM T_FUTTERMITTEL WHERE EIGEN <> 'M'")),
              QStringLiteral("0"));
    const int nextSystemKey = value(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'M'")).toInt();
    const int nextUserKey = value(QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = 'U'")).toInt();
    EXPECT_EQ(nextSystemKey, value(QStringLiteral("SELECT MAX(ID) + 1 FROM T_FUTTERMITTEL")).toInt());
    EXPECT_GE(nextUserKey, 10 * nextSystemKey);
    // The previous-version import reads the user counter with a 16-bit reader.
    EXPECT_LE(nextUserKey, 32767);
}

TEST_F(ShippedFeedstuffTest, EveryFeedstuffHasItsAnalysisAndNoNegativeContent)
{
    for (int required : {18, 24, 11, 12, 13})
        EXPECT_EQ(rows(QStringLiteral("SELECT ID FROM T_FUTTERMITTEL WHERE ID NOT IN "
                                      "(SELECT ID_FM FROM T_FM_NAEHRSTOFF WHERE ID_NAEHRSTOFF = %1)")
                           .arg(required)),
                  QStringList())
            << required;
    EXPECT_EQ(rows(QStringLiteral(
                  "SELECT ID_FM, ID_NAEHRSTOFF FROM T_FM_NAEHRSTOFF INNER JOIN T_NAEHRSTOFFE ON "
                  "T_NAEHRSTOFFE.ID = ID_NAEHRSTOFF WHERE KZ_IK = 'I' AND (MENGE IS NULL OR MENGE < 0)")),
              QStringList());
}

TEST_F(ShippedFeedstuffTest, MoistureAndDryMatterAddUpTo100AsTheEditorChecksBeforeSaving)
{
    for (int feedstuff : feedstuffs()) {
        const FeedGrid grid = storedFeedGrid(db(), feedstuff);
        EXPECT_TRUE(FeedIndicatorCalculator::moistureAndDryMatterAddUp(grid.at(18).amount, grid.at(8).amount))
            << feedstuff << ": " << grid.at(18).amount.toStdString() << " + "
            << grid.at(8).amount.toStdString();
    }
}

// Pressing "Berechnen" on a shipped feedstuff changes nothing: its derived
// figures are those of the program's own calculation.
TEST_F(ShippedFeedstuffTest, CalculatingAgainGivesExactlyTheShippedDerivedFigures)
{
    int negativeNfe = 0;
    for (int feedstuff : feedstuffs()) {
        SCOPED_TRACE(feedstuff);
        const FeedGrid shown = storedFeedGrid(db(), feedstuff);
        FeedCalculation run = FeedIndicatorCalculator::calculate(shown);
        const bool listed = hintMentions(feedstuff, "NfE als 0 gesetzt", "NfE taken as 0");
        EXPECT_EQ(run.status == FeedCalculation::Status::NegativeNfe, listed);
        if (listed) {
            ++negativeNfe;
            FeedIndicatorCalculator::Options options;
            options.negativeNfeAsZero = true;
            run = FeedIndicatorCalculator::calculate(shown, options);
        }
        ASSERT_TRUE(run.succeeded()) << run.message(QStringLiteral("US")).toStdString();
        FeedGrid recalculated = shown;
        FeedIndicatorCalculator::applyTo(recalculated, run);
        // A result that rounds to "-0" is stored as 0.
        for (const auto& [key, cell] : shown)
            EXPECT_EQ(NumberText::read(recalculated.at(key).amount), NumberText::read(cell.amount))
                << "nutrient " << key << ": " << recalculated.at(key).amount.toStdString();
        // Every result the run writes is stored.
        for (const auto& [key, result] : run.values)
            EXPECT_FALSE(shown.at(key).amount.isEmpty()) << "nutrient " << key;
    }
    EXPECT_GT(negativeNfe, 0);
}

TEST_F(ShippedFeedstuffTest, NotesSayWhereADerivedFigureRestsOnTheFibreApproximation)
{
    for (int feedstuff : feedstuffs()) {
        const double fibre =
            value(QStringLiteral("SELECT MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1 AND ID_NAEHRSTOFF = 11")
                      .arg(feedstuff))
                .toDouble();
        EXPECT_EQ(hintMentions(feedstuff, "Gesamtballaststoff", "total dietary fibre"), fibre > 0.0)
            << feedstuff;
    }
}

// Contents as their sources give them, each row naming its source. No amount:
// the source has no value, and no row is shipped (no value is not zero).
TEST_F(ShippedFeedstuffTest, ContentsCarryTheValueAndNameOfTheirSource)
{
    const struct
    {
        const char* feedstuff;
        int key;
        const char* amount;
        const char* source;
    } contents[] = {
        // Pure substances: calculated from the formula, the analysis assumed.
        {"Potassium iodide", 22, "76446.7", "calc: KI"},
        {"Potassium iodide", 13, "100", "assumed"},
        {"Folic acid", 28, "100000000", "calc: C19H19N7O6"},
        // Values of other sources, matched by the USDA food's number.
        {"Beef, ground, 5% fat, raw", 35, "0.085", "CoFID 2021 18-508"},
        {"Beef, ground, 10% fat, raw", 22, "0.009",
         "CoFID 2021 18-469, close: UK beef mince average, 16 % fat vs 10 %"},
        {"Egg, whole, raw", 22, "0.05", "USDA Iodine DB R4 353"},
        {"Chicken breast, meat only, roasted (cooked)", 35, nullptr, nullptr},
        {"Ostrich, ground, raw", 22, nullptr, nullptr},
        // SR28 for 15085: 0.83 mg alpha-tocopherol, 6 ug folate, 0.1 ug
        // vitamin K, 0.251 g EPA and 0.471 g DHA.
        {"Salmon, sockeye, wild, raw", 6, "1.24", "USDA SR28 15085 × 1.49 (IU)"},
        {"Salmon, sockeye, wild, raw", 28, "6", "USDA SR28 15085"},
        {"Salmon, sockeye, wild, raw", 29, "0.1", "USDA SR28 15085"},
        {"Salmon, sockeye, wild, raw", 30, "0.722", "USDA SR28 15085, EPA + DHA"},
    };
    for (const auto& c : contents) {
        SCOPED_TRACE(std::string(c.feedstuff) + ", nutrient " + std::to_string(c.key));
        const int feedstuff = feedstuffNamed(c.feedstuff);
        ASSERT_GT(feedstuff, 0);
        const QStringList found =
            rows(QStringLiteral(
                     "SELECT MENGE, QUELLE FROM T_FM_NAEHRSTOFF WHERE ID_FM = %1 AND ID_NAEHRSTOFF = %2")
                     .arg(feedstuff)
                     .arg(c.key));
        if (!c.amount) {
            EXPECT_EQ(found, QStringList());
            continue;
        }
        ASSERT_EQ(found.size(), 1);
        EXPECT_DOUBLE_EQ(found[0].section(QLatin1Char('\t'), 0, 0).toDouble(), std::atof(c.amount));
        EXPECT_EQ(found[0].section(QLatin1Char('\t'), 1), QString::fromUtf8(c.source));
    }
    // The figures the feedstuff calculation derives, and only they, say so.
    EXPECT_EQ(
        rows(QStringLiteral("SELECT T_FM_NAEHRSTOFF.ID FROM T_FM_NAEHRSTOFF INNER JOIN T_NAEHRSTOFFE ON "
                            "T_NAEHRSTOFFE.ID = ID_NAEHRSTOFF WHERE (KZ_IK = 'K' OR ID_NAEHRSTOFF IN "
                            "(8, 9, 14, 60, 61)) <> (QUELLE = 'calc: feedstuff calculation')")),
        QStringList());
    // A pure substance, whose analysis is assumed, supplies no energy.
    EXPECT_EQ(rows(QStringLiteral("SELECT ID_FM FROM T_FM_NAEHRSTOFF WHERE ID_NAEHRSTOFF IN (9, 60, 61) AND "
                                  "MENGE <> 0 AND ID_FM IN (SELECT ID_FM FROM T_FM_NAEHRSTOFF WHERE "
                                  "QUELLE = 'assumed')")),
              QStringList());
}

// A ration of 100 g of one feedstuff has that feedstuff's indicators: the
// ration's formulas and the feedstuff calculation agree. The feedstuff
// calculation reads ME and the contents as its grid shows them, the ration
// reads them exactly, so figures per MJ and ratios of small contents (Cu:Zn)
// may differ by that rounding.
TEST_F(ShippedFeedstuffTest, RationOfOneFeedstuffShowsTheFeedstuffsOwnIndicators)
{
    const std::vector<int> perMJ = {41, 46, 47, 48, 51, 53};
    // Ratios of two contents: Ca:P, Zn:Ca, Cu:Zn.
    const std::map<int, std::pair<int, int>> ratios = {{42, {1, 15}}, {56, {20, 1}}, {57, {21, 20}}};
    int compared = 0;
    for (int feedstuff : feedstuffs()) {
        SCOPED_TRACE(feedstuff);
        ShippedCase ration(shipped());
        ration.header().actual = ration.header().target = QStringLiteral("20");
        ration.choose(7);
        ration.addFeedstuff(feedstuff, QStringLiteral("100"));
        const FeedGrid stored = storedFeedGrid(db(), feedstuff);
        const double me = NumberText::read(ration.supply(9));
        for (int key : ration.indicatorKeys()) {
            const QString own = stored.at(key).amount;
            if (own.isEmpty())
                continue;
            const double expected = NumberText::read(own);
            double tolerance = std::pow(10.0, -ration.decimals(key));
            if (std::find(perMJ.begin(), perMJ.end(), key) != perMJ.end() && me > 0.0)
                tolerance += std::fabs(expected) * 0.0005 / me;
            if (const auto ratio = ratios.find(key); ratio != ratios.end()) {
                const auto rounding = [&ration](int nutrient) {
                    const double supply = NumberText::read(ration.supply(nutrient));
                    return supply > 0.0 ? 0.5 * std::pow(10.0, -ration.decimals(nutrient)) / supply : 0.0;
                };
                tolerance +=
                    std::fabs(expected) * (rounding(ratio->second.first) + rounding(ratio->second.second));
            }
            EXPECT_NEAR(NumberText::read(ration.indicator(key)), expected, tolerance + 1e-9)
                << "indicator " << key;
            ++compared;
        }
    }
    EXPECT_GT(compared, 1000);
}

// 200 g cooked chicken breast and 200 g cooked rice against USDA SR28, per
// 100 g: chicken (05064) 31.02 g protein, 3.57 g fat, no carbohydrate,
// 165 kcal; rice (20445) 2.69 g protein, 0.28 g fat, 28.17 g carbohydrate of
// which 0.4 g fibre, 130 kcal.
TEST_F(ShippedFeedstuffTest, ChickenAndRiceSupplyWhatTheirSourceSays)
{
    const int chicken = feedstuffNamed("Chicken breast, meat only, roasted (cooked)");
    const int rice = feedstuffNamed("Rice, white, long-grain, cooked (unenriched)");
    ASSERT_GT(chicken, 0);
    ASSERT_GT(rice, 0);
    ShippedCase ration(shipped());
    ration.addFeedstuff(chicken, QStringLiteral("200"));
    ration.addFeedstuff(rice, QStringLiteral("200"));

    const double usdaProtein = 2.0 * 31.02 + 2.0 * 2.69;
    EXPECT_NEAR(NumberText::read(ration.supply(24)), usdaProtein, usdaProtein * 0.01);

    // USDA's energy uses human Atwater factors; the program's ME for dogs and
    // cats deducts the energy lost in faeces and urine, so it lies below them
    // and above the NRC's modified Atwater factors (3.5, 8.5, 3.5 kcal per g
    // protein, fat, NfE) on the same analysis.
    const double usdaKcal = 2.0 * 165.0 + 2.0 * 130.0;
    const double modifiedAtwater =
        2.0 * (3.5 * 31.02 + 8.5 * 3.57 + 3.5 * 0.0) + 2.0 * (3.5 * 2.69 + 8.5 * 0.28 + 3.5 * (28.17 - 0.4));
    const double kcal = NumberText::read(ration.supply(60));
    EXPECT_GT(kcal, modifiedAtwater);
    EXPECT_LT(kcal, usdaKcal);
    // The MJ and kcal columns tell the same energy.
    EXPECT_NEAR(NumberText::read(ration.supply(9)) * 239.0, kcal, 2.0);
    RecordProperty("kcal", QString::number(kcal).toStdString());
    RecordProperty("protein_g", ration.supply(24).toStdString());
}

} // namespace
