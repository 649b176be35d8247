#include "output/CaseHeaderTexts.h"
#include "output/WeightCheckPage.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Page = WeightCheckPage;

HeaderTextValues bello(const char* actual, const char* target)
{
    HeaderTextValues h;
    h.owner = QStringLiteral("Müller");
    h.patient = QStringLiteral("Bello");
    h.speciesText = QStringLiteral("Dog");
    h.sexText = QStringLiteral("F");
    h.caseTypeText = QStringLiteral("Weight reduction");
    h.titleText = QStringLiteral("Diet");
    h.actual = QString::fromLatin1(actual);
    h.target = QString::fromLatin1(target);
    return h;
}

TEST(WeightCheck, ThirtyToTwentyFiveAtOnePointFivePercent)
{
    const HeaderTextValues header = bello("30", "25");
    Page page(QStringLiteral("DE"), header);
    page.build();
    EXPECT_EQ(page.rateText(), "1.5");
    EXPECT_EQ(page.overweightText(), "20");
    const ChartModel& chart = page.chart();
    ASSERT_EQ(chart.categoryCount(), 13);
    EXPECT_EQ(chart.categories().first(), "00");
    EXPECT_EQ(chart.categories().last(), "12");
    EXPECT_DOUBLE_EQ(chart.value(0, 0).value_or(0), 30);
    EXPECT_NEAR(chart.value(0, 1).value_or(0), 29.55, 1e-9);
    EXPECT_NEAR(chart.value(0, 2).value_or(0), 29.107, 0.0005);
    EXPECT_NEAR(chart.value(0, 12).value_or(0), 25.024, 0.0005);
    EXPECT_EQ(chart.axisMin(), 25);
    EXPECT_EQ(chart.axisMax(), 30);
    EXPECT_DOUBLE_EQ(chart.axisStep(), 0.3125);
    EXPECT_EQ(chart.series(0).colour, Rgb(0, 0, 192));
    EXPECT_EQ(chart.title(), "Gewichts-Check Kurve für Bello (Dog/Weight reduction  / Müller  / Diet");
    EXPECT_EQ(chart.categoryAxisCaption(), "Diätdauer [Wochen]");
    EXPECT_EQ(chart.valueAxisCaption(), "Gewicht [kg]");
}

TEST(WeightCheck, EnglishTitleAndCaptions)
{
    const HeaderTextValues header = bello("30", "25");
    Page page(QStringLiteral("US"), header);
    page.build();
    EXPECT_EQ(page.chart().title(),
              "Weight-Check curve for Bello (Dog/f) Weight reduction  / Müller  / Diet");
    EXPECT_EQ(page.chart().categoryAxisCaption(), "Diet time [weeks]");
    EXPECT_EQ(page.chart().valueAxisCaption(), "Weight [kg]");
}

struct RateCase
{
    const char* name;
    const char* typed;
    const char* shown;
    int points;
    double second;
};

class WeightCheckRate : public ::testing::TestWithParam<RateCase>
{
};

TEST_P(WeightCheckRate, RateFieldAndCurve)
{
    const HeaderTextValues header = bello("30", "20");
    Page page(QStringLiteral("DE"), header);
    page.setRateText(QString::fromLatin1(GetParam().typed));
    page.build();
    EXPECT_EQ(page.rateText(), GetParam().shown);
    ASSERT_EQ(page.chart().categoryCount(), GetParam().points);
    EXPECT_NEAR(page.chart().value(0, 1).value_or(0), GetParam().second, 1e-9);
    // However far the curve gets, the axis spans target to current weight.
    EXPECT_EQ(page.chart().axisMin(), 20);
    EXPECT_EQ(page.chart().axisMax(), 30);
}

INSTANTIATE_TEST_SUITE_P(Rates, WeightCheckRate,
                         ::testing::Values(RateCase{"EmptyIsFilledWith1_5", "", "1.5", 27, 29.55},
                                           RateCase{"ZeroIsUsedAs1_5AndKept", "0", "0", 27, 29.55},
                                           RateCase{"DecimalComma", "2,5", "2,5", 17, 29.25},
                                           RateCase{"VerySlowStopsAfter41Points", "0,1", "0,1", 41, 29.97}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WeightCheck, TheSlowCurveEndsAtWeekForty)
{
    const HeaderTextValues header = bello("30", "20");
    Page page(QStringLiteral("DE"), header);
    page.setRateText(QStringLiteral("0,1"));
    page.build();
    EXPECT_EQ(page.chart().categories().last(), "40");
    EXPECT_GT(page.chart().value(0, 40).value_or(0), 20);
}

// A weight typed with a decimal comma comes back from the database with a
// point; the page reads both as the same weight.
TEST(WeightCheck, ATargetWithADecimalCommaKeepsItsDecimals)
{
    const HeaderTextValues header = bello("30", "24,5");
    Page page(QStringLiteral("DE"), header);
    page.build();
    // 30 * 100 / 24.5 - 100 = 22.4, not the 25 of 24 kg.
    EXPECT_EQ(page.overweightText(), "22");
    EXPECT_EQ(page.chart().axisMin(), 24.5);
    const std::vector<double> weights = Page::weeklyWeights(30, 24.5, 0.015);
    EXPECT_EQ(page.chart().categoryCount(), int(weights.size()));
    EXPECT_GE(weights.back(), 24.5);
    EXPECT_LT(weights.back() * 0.985, 24.5);
}

TEST(WeightCheck, TheCurrentWeightAtTheTargetShowsNoOverweightAndNoCurve)
{
    const HeaderTextValues header = bello("25", "25");
    Page page(QStringLiteral("DE"), header);
    page.build();
    EXPECT_EQ(page.overweightText(), "0");
    EXPECT_EQ(page.chart().categoryCount(), 0);
    EXPECT_FALSE(page.chart().hasValueAxis());
}

TEST(WeightCheck, AGainRunsUpToTheTarget)
{
    const HeaderTextValues header = bello("20", "22");
    Page page(QStringLiteral("DE"), header);
    page.build();
    EXPECT_EQ(page.overweightText(), "-9");
    const ChartModel& chart = page.chart();
    ASSERT_EQ(chart.categoryCount(), 7);
    EXPECT_NEAR(chart.value(0, 1).value_or(0), 20.3, 1e-9);
    EXPECT_LE(chart.value(0, 6).value_or(99), 22);
    EXPECT_EQ(chart.axisMin(), 20);
    EXPECT_EQ(chart.axisMax(), 22);
    EXPECT_DOUBLE_EQ(chart.axisStep(), 0.125);
}

TEST(WeightCheck, WithoutATargetTheOverweightKeepsItsText)
{
    HeaderTextValues header = bello("30", "25");
    Page page(QStringLiteral("DE"), header);
    page.build();
    ASSERT_EQ(page.overweightText(), "20");
    for (const char* target : {"", "0", "abc"}) {
        header.target = QString::fromLatin1(target);
        page.build();
        EXPECT_EQ(page.overweightText(), "20") << target;
        EXPECT_EQ(page.chart().categoryCount(), 0) << target;
        EXPECT_FALSE(page.chart().title().isEmpty());
    }
}

TEST(WeightCheck, WithoutACurrentWeightThereIsNoCurveAndTheTimerWaits)
{
    HeaderTextValues header = bello("", "25");
    Page page(QStringLiteral("DE"), header);
    QSignalSpy draws(&page, &ChartPage::drawRequested);
    page.build();
    EXPECT_EQ(page.overweightText(), "-100");
    EXPECT_EQ(page.chart().categoryCount(), 0);
    page.drawTimerTick();
    EXPECT_EQ(draws.count(), 0);
    EXPECT_TRUE(page.isDrawTimerActive());

    header.actual = QStringLiteral("30");
    page.build();
    ASSERT_TRUE(QTest::qWaitFor([&] { return draws.count() > 0; }, 5000));
    EXPECT_FALSE(page.isDrawTimerActive());
}

TEST(WeightCheck, TheCurrentWeightsCommaIsADecimalPoint)
{
    const HeaderTextValues header = bello("30,9", "25");
    Page page(QStringLiteral("DE"), header);
    page.build();
    // 30.9 * 100 / 25 - 100 = 23.6 for the overweight and 30.9 for the curve.
    EXPECT_EQ(page.overweightText(), "24");
    EXPECT_DOUBLE_EQ(page.chart().value(0, 0).value_or(0), 30.9);
    EXPECT_DOUBLE_EQ(page.chart().axisMax(), 30.9);
}

} // namespace
