#include "output/CaseHeaderTexts.h"
#include "output/GrowthPage.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Page = GrowthPage;

HeaderTextValues rex(const char* adult, const char* actual, const char* age)
{
    HeaderTextValues h;
    h.owner = QStringLiteral("Schmidt");
    h.patient = QStringLiteral("Rex");
    h.speciesText = QStringLiteral("Hund");
    h.sexText = QStringLiteral("M");
    h.caseTypeText = QStringLiteral("Wachstum Rüde");
    h.titleText = QStringLiteral("Wachstum");
    h.adult = QString::fromLatin1(adult);
    h.actual = QString::fromLatin1(actual);
    h.age = QString::fromLatin1(age);
    return h;
}

struct ClassCase
{
    const char* name;
    double adult;
    const char* k;
    const char* c;
};

class GrowthClasses : public ::testing::TestWithParam<ClassCase>
{
};

TEST_P(GrowthClasses, StrictUpperBounds)
{
    const Page::GrowthClass growth = Page::growthClass(GetParam().adult);
    EXPECT_STREQ(growth.k, GetParam().k);
    EXPECT_STREQ(growth.c, GetParam().c);
}

INSTANTIATE_TEST_SUITE_P(Weights, GrowthClasses,
                         ::testing::Values(ClassCase{"Below7", 6.99, "36.922", "43.567"},
                                           ClassCase{"Exactly7", 7, "36.858", "48.218"},
                                           ClassCase{"Below17", 16.99, "36.858", "48.218"},
                                           ClassCase{"Exactly17", 17, "39.877", "60.697"},
                                           ClassCase{"Exactly30", 30, "36.956", "56.184"},
                                           ClassCase{"Below50", 49.99, "36.956", "56.184"},
                                           ClassCase{"Exactly50", 50, "36.608", "62.386"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GrowthCurve, TheFormulaTextIsBuiltLiterally)
{
    EXPECT_EQ(Page::formulaText(12, 8), "(36.858*(0 log(8))-48.218)*12.000000/100.0");
    EXPECT_EQ(Page::formulaText(6.99, 48), "(36.922*(0 log(48))-43.567)*6.990000/100.0");
    EXPECT_EQ(Page::formulaText(55, 20), "(36.608*(0 log(20))-62.386)*55.000000/100.0");
}

TEST(GrowthCurve, TenKilogramsGiveTheWorkedValues)
{
    const HeaderTextValues header = rex("10", "5", "20");
    Page page(QStringLiteral("DE"), header);
    page.build();
    const ChartModel& chart = page.chart();
    ASSERT_EQ(chart.categoryCount(), 41);
    EXPECT_EQ(chart.categories().first(), "08");
    EXPECT_EQ(chart.categories().at(1), "09");
    EXPECT_EQ(chart.categories().last(), "48");
    EXPECT_NEAR(chart.value(0, 0).value_or(0), 2.84, 0.005);
    EXPECT_NEAR(chart.value(0, 12).value_or(0), 6.22, 0.005);
    EXPECT_NEAR(chart.value(0, 40).value_or(0), 9.45, 0.005);
    EXPECT_EQ(chart.kind(), ChartModel::Kind::Line);
    EXPECT_EQ(chart.series(0).colour, Rgb(0, 0, 192));
    EXPECT_EQ(chart.series(1).colour, Rgb(255, 0, 0));
    EXPECT_EQ(chart.axisMin(), 0);
    EXPECT_EQ(chart.axisMax(), 10);
    EXPECT_DOUBLE_EQ(chart.axisStep(), 0.625);
}

TEST(GrowthCurve, TheActualWeightSitsAtTheCurrentAgeAndEveryOtherPointIsZero)
{
    const HeaderTextValues header = rex("10", "5", "20");
    Page page(QStringLiteral("DE"), header);
    page.build();
    const ChartModel& chart = page.chart();
    for (int i = 0; i < chart.categoryCount(); ++i) {
        const double expected = chart.categories().at(i) == QLatin1String("20") ? 5.0 : 0.0;
        EXPECT_EQ(chart.value(1, i), expected) << i;
    }
    // Drawn, the actual weight is a point, not a line along the floor.
    const ChartModel drawn = page.chartToDraw();
    EXPECT_EQ(drawn.value(1, 12), 5.0);
    EXPECT_FALSE(drawn.value(1, 11).has_value());
    EXPECT_EQ(drawn.value(0, 0), chart.value(0, 0));
}

TEST(GrowthCurve, AnAgeOutsideTheCurveMarksNoPoint)
{
    const HeaderTextValues header = rex("10", "5", "60");
    Page page(QStringLiteral("DE"), header);
    page.build();
    for (int i = 0; i < page.chart().categoryCount(); ++i)
        EXPECT_EQ(page.chart().value(1, i), 0.0);
}

TEST(GrowthCurve, AnAdultWeightWithADecimalCommaCountsAsItsWholePart)
{
    const HeaderTextValues header = rex("12,5", "5,5", "20");
    Page page(QStringLiteral("DE"), header);
    page.build();
    EXPECT_EQ(page.chart().axisMax(), 12);
    EXPECT_NEAR(page.chart().value(0, 0).value_or(0), (36.858 * std::log(8.0) - 48.218) * 0.12, 1e-9);
    // The current weight's comma is a decimal point.
    EXPECT_EQ(page.chart().value(1, 12), 5.5);
}

TEST(GrowthCurve, ANonPositiveResultLeavesThePointEmpty)
{
    // A negative adult weight typed by mistake gives no positive result.
    const HeaderTextValues header = rex("-5", "5", "20");
    Page page(QStringLiteral("DE"), header);
    page.build();
    ASSERT_EQ(page.chart().categoryCount(), 41);
    for (int i = 0; i < 41; ++i)
        EXPECT_FALSE(page.chart().value(0, i).has_value()) << i;
}

TEST(GrowthCurve, WithoutACurrentWeightNothingIsBuiltAndAnEarlierChartStays)
{
    HeaderTextValues header = rex("10", "", "20");
    Page page(QStringLiteral("DE"), header);
    page.build();
    EXPECT_FALSE(page.hasChart());

    header.actual = QStringLiteral("0");
    page.build();
    EXPECT_FALSE(page.hasChart());

    header.actual = QStringLiteral("5");
    page.build();
    ASSERT_TRUE(page.hasChart());
    header.actual.clear();
    header.adult = QStringLiteral("20");
    page.build();
    EXPECT_EQ(page.chart().axisMax(), 10);
}

TEST(GrowthCurve, WithoutAnAdultWeightTheChartHasNoPointsAndTheTimerWaits)
{
    HeaderTextValues header = rex("", "5", "20");
    Page page(QStringLiteral("US"), header);
    QSignalSpy draws(&page, &ChartPage::drawRequested);
    page.build();
    ASSERT_TRUE(page.hasChart());
    EXPECT_EQ(page.chart().categoryCount(), 0);
    EXPECT_EQ(page.chart().title(), "Weight curve for Rex (Hund/m) Wachstum Rüde  / Schmidt  / Wachstum");
    EXPECT_EQ(page.chart().categoryAxisCaption(), "Age [weeks]");
    EXPECT_EQ(page.chart().valueAxisCaption(), "Weight [kg]");
    page.drawTimerTick();
    EXPECT_EQ(draws.count(), 0);
    EXPECT_TRUE(page.isDrawTimerActive());

    // Once the field is filled, the next tick draws.
    header.adult = QStringLiteral("10");
    ASSERT_TRUE(QTest::qWaitFor([&] { return draws.count() > 0; }, 5000));
    EXPECT_FALSE(page.isDrawTimerActive());
}

TEST(GrowthCurve, GermanTitleAndCaptions)
{
    HeaderTextValues header = rex("10", "5", "20");
    header.sexText = QStringLiteral("W");
    Page page(QStringLiteral("DE"), header);
    page.build();
    EXPECT_EQ(page.chart().title(), "Wachstumskurve für Rex (Hund/w) Wachstum Rüde  / Schmidt  / Wachstum");
    EXPECT_EQ(page.chart().categoryAxisCaption(), "Alter [Wochen]");
    EXPECT_EQ(page.chart().valueAxisCaption(), "Gewicht [kg]");
}

} // namespace
