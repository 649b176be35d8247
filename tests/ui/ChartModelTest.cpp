#include "ui/ChartModel.h"

#include "TestNames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
const QStringList Nutrients = {QStringLiteral("Rp"), QStringLiteral("Ca"), QStringLiteral("P"),
                               QStringLiteral("Na")};
}

TEST(ChartModel, SeriesHoldOneOptionalValuePerCategory)
{
    ChartModel model;
    model.setCategories(Nutrients);
    const int s = model.addSeries();
    model.setValue(s, 0, 98.5);
    model.setValue(s, 2, 0.0);

    EXPECT_EQ(model.series(s).values.size(), 4u);
    EXPECT_EQ(model.value(s, 0), 98.5);
    EXPECT_FALSE(model.value(s, 1).has_value());
    EXPECT_EQ(model.value(s, 2), 0.0);
    EXPECT_FALSE(model.value(s, 3).has_value());

    model.clearValue(s, 0);
    EXPECT_FALSE(model.value(s, 0).has_value());
}

TEST(ChartModel, OutOfRangeAndNonFiniteValuesAreIgnored)
{
    ChartModel model;
    model.setCategories(Nutrients);
    const int s = model.addSeries();
    model.setValue(s, 4, 1.0);
    model.setValue(s, -1, 1.0);
    model.setValue(1, 0, 1.0);
    model.setValue(s, 1, std::nan(""));
    model.setValue(s, 2, INFINITY);
    for (int c = 0; c < 4; ++c)
        EXPECT_FALSE(model.value(s, c).has_value()) << c;
    EXPECT_FALSE(model.value(1, 0).has_value());
    EXPECT_EQ(model.seriesCount(), 1);
}

TEST(ChartModel, ChangingCategoriesKeepsTheValuesOfRemainingOnes)
{
    ChartModel model;
    model.setCategories(Nutrients);
    const int s = model.addSeries();
    model.setValue(s, 1, 50);
    model.setValue(s, 3, 70);
    model.setCategories(Nutrients.mid(0, 2));
    EXPECT_EQ(model.series(s).values.size(), 2u);
    EXPECT_EQ(model.value(s, 1), 50);
    model.setCategories(Nutrients);
    EXPECT_FALSE(model.value(s, 3).has_value());
}

struct AxisCase
{
    double min;
    double max;
    double step;
    bool accepted;
    int decimals;
};

void PrintTo(const AxisCase& c, std::ostream* os)
{
    *os << c.min << ".." << c.max << " step " << c.step;
}

class ChartAxis : public ::testing::TestWithParam<AxisCase>
{
};

TEST_P(ChartAxis, AcceptsOnlyUsableScalesAndChoosesLabelDecimals)
{
    const AxisCase& tc = GetParam();
    ChartModel model;
    EXPECT_EQ(model.setValueAxis(tc.min, tc.max, tc.step), tc.accepted);
    EXPECT_EQ(model.hasValueAxis(), tc.accepted);
    if (tc.accepted) {
        EXPECT_EQ(model.axisMin(), tc.min);
        EXPECT_EQ(model.axisMax(), tc.max);
        EXPECT_EQ(model.axisStep(), tc.step);
    } else {
        EXPECT_EQ(model.axisMax(), ChartModel::DefaultAxisMax);
    }
    EXPECT_EQ(model.axisLabelDecimals(), tc.decimals);
}

INSTANTIATE_TEST_SUITE_P(Scales, ChartAxis,
                         ::testing::Values(AxisCase{0, 100, 5, true, 0}, AxisCase{0, 1000, 50, true, 0},
                                           AxisCase{25, 30, 0.3125, true, 4}, AxisCase{0, 10, 0.625, true, 3},
                                           AxisCase{0, 12, 0.75, true, 2}, AxisCase{24.5, 30, 0.5, true, 1},
                                           AxisCase{0, 100, 0, false, 0}, AxisCase{0, 100, -5, false, 0},
                                           AxisCase{100, 100, 5, false, 0}, AxisCase{30, 25, 1, false, 0}));

struct ClampCase
{
    double value;
    double drawn;
};

void PrintTo(const ClampCase& c, std::ostream* os)
{
    *os << c.value;
}

class ChartClamp : public ::testing::TestWithParam<ClampCase>
{
};

TEST_P(ChartClamp, DrawnValueStaysOnTheAxisWhileTheValueIsKept)
{
    ChartModel model;
    model.setCategories({QStringLiteral("Ca")});
    model.setValueAxis(0, 1000, 50);
    const int s = model.addSeries();
    model.setValue(s, 0, GetParam().value);
    EXPECT_EQ(model.value(s, 0), GetParam().value);
    EXPECT_EQ(model.drawnValue(s, 0), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(Values, ChartClamp,
                         ::testing::Values(ClampCase{2500, 1000}, ClampCase{1000, 1000},
                                           ClampCase{999.9, 999.9}, ClampCase{0, 0}, ClampCase{-3, 0}));

TEST(ChartModel, BarsTakeTheirOwnColourOrTheirSeriesColour)
{
    ChartModel model;
    model.setCategories(Nutrients);
    const int s = model.addSeries(QString(), Rgb(0, 0, 192));
    model.setValueColour(s, 2, Rgb(255, 0, 0));
    EXPECT_EQ(model.colourAt(s, 0), Rgb(0, 0, 192));
    EXPECT_EQ(model.colourAt(s, 2), Rgb(255, 0, 0));
    model.setSeriesColour(s, Rgb(0, 128, 0));
    EXPECT_EQ(model.colourAt(s, 0), Rgb(0, 128, 0));
    EXPECT_EQ(model.colourAt(s, 2), Rgb(255, 0, 0));
}

TEST(ChartModel, DisjointWhenNoCategoryHasTwoValues)
{
    ChartModel model;
    model.setCategories(Nutrients);
    const int a = model.addSeries();
    const int b = model.addSeries();
    model.setValue(a, 0, 10);
    model.setValue(b, 1, 20);
    EXPECT_TRUE(model.seriesAreDisjoint());
    model.setValue(b, 0, 5);
    EXPECT_FALSE(model.seriesAreDisjoint());
}

TEST(ChartModel, LegendOnlyForNamedSeries)
{
    ChartModel model;
    model.addSeries();
    EXPECT_FALSE(model.hasLegend());
    model.addSeries(QStringLiteral("Ist-Gewicht"));
    EXPECT_TRUE(model.hasLegend());
}
