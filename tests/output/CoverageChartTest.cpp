#include "output/CaseHeaderTexts.h"
#include "output/CoveragePage.h"
#include "support/RationModelStub.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Page = CoveragePage;

HeaderTextValues minka(const char* sex)
{
    HeaderTextValues h;
    h.owner = QStringLiteral("O'Neil");
    h.patient = QStringLiteral("Minka");
    h.speciesText = QStringLiteral("Katze");
    h.sexText = QString::fromLatin1(sex);
    h.caseTypeText = QStringLiteral("Erhaltung Katze");
    h.titleText = QStringLiteral("Diät");
    return h;
}

TEST(CoverageChart, PairsComeFromMarkedColumnsWithARequirementButNeverKey61)
{
    RationModelStub r;
    r.addNutrient("9", "ME", "10,00", "12,00");
    r.addNutrient("61", "ME kcal", "100", "120");
    r.addNutrient("24", "Rp", "50,0", "25,0", " ");
    r.addNutrient("1", "Ca", "0,00", "3,00");
    r.addNutrient("15", "P", "3,00", "");
    r.addNutrient("7", "Mg", "0,30", "0,10");
    const std::vector<Page::Bar> bars = Page::collectBars(r.model);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0].label, "ME");
    EXPECT_DOUBLE_EQ(bars[0].coverage, 120.0);
    EXPECT_EQ(bars[1].label, "P");
    EXPECT_DOUBLE_EQ(bars[1].coverage, 0.0);
    EXPECT_EQ(bars[2].label, "Mg");
    // 33.333… is rounded to one decimal.
    EXPECT_DOUBLE_EQ(bars[2].coverage, 33.3);
}

TEST(CoverageChart, SeventeenMarkedNutrientsGiveTheFirstSixteen)
{
    RationModelStub r;
    for (int i = 1; i <= 17; ++i)
        r.addNutrient(QString::number(100 + i), QStringLiteral("N%1").arg(i), "10", QString::number(i));
    const std::vector<Page::Bar> bars = Page::collectBars(r.model);
    ASSERT_EQ(bars.size(), 16u);
    EXPECT_EQ(bars.front().label, "N1");
    EXPECT_EQ(bars.back().label, "N16");

    const HeaderTextValues header = minka("W");
    Page page(QStringLiteral("DE"), header, r.model);
    page.build();
    const ChartModel& chart = page.chart();
    ASSERT_EQ(chart.categoryCount(), 16);
    EXPECT_EQ(chart.categories().last(), "N16");
    EXPECT_DOUBLE_EQ(chart.value(0, 15).value_or(-1), 160.0);
    EXPECT_EQ(chart.axisMax(), 200);
}

struct ScaleCase
{
    const char* name;
    const char* supply; // against a requirement of 100,0
    double max;
    double step;
};

class CoverageAxis : public ::testing::TestWithParam<ScaleCase>
{
};

TEST_P(CoverageAxis, TheLargestCoverageChoosesTheScale)
{
    RationModelStub r;
    r.addNutrient("24", "Rp", "100,0", "50,0");
    r.addNutrient("1", "Ca", "100,0", QString::fromLatin1(GetParam().supply));
    const HeaderTextValues header = minka("M");
    Page page(QStringLiteral("DE"), header, r.model);
    page.build();
    const ChartModel& chart = page.chart();
    EXPECT_EQ(chart.axisMin(), 0);
    EXPECT_DOUBLE_EQ(chart.axisMax(), GetParam().max);
    EXPECT_DOUBLE_EQ(chart.axisStep(), GetParam().step);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, CoverageAxis,
    ::testing::Values(ScaleCase{"Exactly100", "100,0", 100, 5},
                      ScaleCase{"RoundedDownTo100", "100,04", 100, 5},
                      ScaleCase{"RoundedUpTo100_1", "100,06", 150, 10},
                      ScaleCase{"Exactly150", "150", 150, 10}, ScaleCase{"Above150", "150,1", 200, 10},
                      ScaleCase{"Above200", "200,1", 300, 15}, ScaleCase{"Exactly400", "400", 400, 20},
                      ScaleCase{"Above400", "400,1", 500, 25}, ScaleCase{"Above500", "501", 600, 30},
                      ScaleCase{"Above600", "601", 700, 35}, ScaleCase{"Above700", "701", 800, 40},
                      ScaleCase{"Exactly900", "900", 900, 45}, ScaleCase{"Above900", "900,1", 1000, 50},
                      ScaleCase{"TwentyFiveFold", "2500", 1000, 50}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CoverageChart, ABarAboveTheAxisIsCutAtTheTopAndAZeroBarKeepsItsLabel)
{
    RationModelStub r;
    r.addNutrient("24", "Rp", "10", "250");
    r.addNutrient("1", "Ca", "10", "0");
    const HeaderTextValues header = minka("M");
    Page page(QStringLiteral("DE"), header, r.model);
    page.build();
    const ChartModel& chart = page.chart();
    EXPECT_DOUBLE_EQ(chart.value(0, 0).value_or(-1), 2500);
    EXPECT_DOUBLE_EQ(chart.drawnValue(0, 0).value_or(-1), 1000);
    EXPECT_EQ(chart.categories().at(1), "Ca");
    EXPECT_FALSE(chart.value(0, 1).has_value());
    EXPECT_EQ(chart.categories().at(2), "");
    EXPECT_EQ(chart.colourAt(0, 0), Rgb(0, 0, 192));
    EXPECT_EQ(chart.kind(), ChartModel::Kind::Bar);
}

TEST(CoverageChart, WithoutABarTheAxisKeepsItsDefault)
{
    RationModelStub r;
    r.addNutrient("24", "Rp", "10", "0");
    const HeaderTextValues header = minka("M");
    Page page(QStringLiteral("DE"), header, r.model);
    page.build();
    EXPECT_FALSE(page.chart().hasValueAxis());
    EXPECT_EQ(page.chart().categoryCount(), 16);
}

struct TitleCase
{
    const char* name;
    const char* language;
    const char* sex;
    const char* title;
};

class CoverageTitle : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(CoverageTitle, SexWordAndSeparators)
{
    RationModelStub r;
    const HeaderTextValues header = minka(GetParam().sex);
    Page page(QString::fromLatin1(GetParam().language), header, r.model);
    page.build();
    EXPECT_EQ(page.chart().title(), QString::fromUtf8(GetParam().title));
}

INSTANTIATE_TEST_SUITE_P(
    Sexes, CoverageTitle,
    ::testing::Values(TitleCase{"GermanW", "DE", "W",
                                "Bedarfsdeckung für Minka (Katze/w) Erhaltung Katze  / O'Neil  / Diät"},
                      TitleCase{"GermanM", "DE", "M",
                                "Bedarfsdeckung für Minka (Katze/m) Erhaltung Katze  / O'Neil  / Diät"},
                      TitleCase{"GermanF", "DE", "F",
                                "Bedarfsdeckung für Minka (Katze/Erhaltung Katze  / O'Neil  / Diät"},
                      TitleCase{"EnglishF", "US", "F",
                                "Fullfillment of demands Minka (Katze/f) Erhaltung Katze  / O'Neil  / Diät"},
                      TitleCase{"EnglishW", "US", "W",
                                "Fullfillment of demands Minka (Katze/Erhaltung Katze  / O'Neil  / Diät"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CoverageChart, CaptionsInBothLanguages)
{
    RationModelStub r;
    const HeaderTextValues header = minka("M");
    Page german(QStringLiteral("DE"), header, r.model);
    german.build();
    EXPECT_EQ(
        german.chart().categoryAxisCaption(),
        "Nährstoffe (Werte, die den Bedarfswert um den Faktor 10 überschreiten, werden nicht dargestellt)");
    EXPECT_EQ(german.chart().valueAxisCaption(), "Prozent");
    Page english(QStringLiteral("US"), header, r.model);
    english.build();
    EXPECT_EQ(english.chart().categoryAxisCaption(),
              "Nutrients (more then 10fold exceeded requirements will not be graphed)");
    EXPECT_EQ(english.chart().valueAxisCaption(), "Percent");
}

TEST(CoverageChart, TheDrawingTimerAsksOnceAndStops)
{
    RationModelStub r;
    r.addNutrient("24", "Rp", "10", "5");
    const HeaderTextValues header = minka("M");
    Page page(QStringLiteral("DE"), header, r.model);
    QSignalSpy draws(&page, &ChartPage::drawRequested);
    EXPECT_FALSE(page.isDrawTimerActive());
    page.build();
    EXPECT_TRUE(page.isDrawTimerActive());
    EXPECT_EQ(draws.count(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return draws.count() > 0; }, 5000));
    EXPECT_FALSE(page.isDrawTimerActive());
    QCoreApplication::processEvents();
    EXPECT_EQ(draws.count(), 1);
}

} // namespace

namespace {

// Ca at 150 % with a maximum of 200 %, one feedstuff lacking its content;
// Rp at 250 % with a maximum of 400 %, above the axis of 300 %.
struct LimitRation
{
    LimitRation()
    {
        r.addNutrient("60", "ME", "1000", "1000", QStringLiteral(" "));
        const int ca = r.addNutrient("1", "Ca", "2", "3");
        const int rp = r.addNutrient("24", "Rp", "10", "25");
        r.addFeed(QStringLiteral("Pute"), QStringLiteral("100"));
        r.addFeed(QStringLiteral("Reis"), QStringLiteral("50"));
        r.contribute(0, ca, QStringLiteral("3"));
        r.contribute(0, rp, QStringLiteral("20"));
        r.contribute(1, rp, QStringLiteral("5"));
    }
    RationModelStub r;
    std::vector<NutrientMaximum> maxima{{1, 4.0, NutrientMaximum::Basis::PerThousandKcal, QString()},
                                        {24, 40.0, NutrientMaximum::Basis::PerThousandKcal, QString()}};
};

} // namespace

TEST(CoverageChart, MaximaAreMarkersInPercentAndIncompleteSuppliesAreHatched)
{
    LimitRation ration;
    const HeaderTextValues header = minka("M");
    Page page(QStringLiteral("DE"), header, ration.r.model);
    ration.r.limit(ration.maxima);
    page.build();
    const ChartModel& chart = page.chart();
    ASSERT_EQ(chart.categories().mid(0, 2), QStringList({"Ca", "Rp"}));
    // The bars keep their figures and the axis follows them alone.
    EXPECT_DOUBLE_EQ(chart.value(0, 0).value_or(-1), 150);
    EXPECT_DOUBLE_EQ(chart.axisMax(), 300);
    EXPECT_DOUBLE_EQ(chart.marker(0).value_or(-1), 200);
    EXPECT_FALSE(chart.markerAboveAxis(0));
    EXPECT_DOUBLE_EQ(chart.marker(1).value_or(-1), 400);
    EXPECT_DOUBLE_EQ(chart.drawnMarker(1).value_or(-1), 300);
    EXPECT_TRUE(chart.markerAboveAxis(1));
    EXPECT_FALSE(chart.marker(2).has_value());
    EXPECT_TRUE(chart.isHatched(0, 0));
    EXPECT_FALSE(chart.isHatched(0, 1));
    EXPECT_EQ(page.bars()[0].incomplete, true);
    EXPECT_TRUE(chart.hasLegend());
    EXPECT_EQ(chart.markerName(), "Höchstwert");
    EXPECT_EQ(chart.hatchName(), "unvollständige Daten");

    ration.r.limit({});
    Page english(QStringLiteral("US"), header, ration.r.model);
    english.build();
    EXPECT_EQ(english.chart().markerName(), "Maximum");
    EXPECT_EQ(english.chart().hatchName(), "incomplete data");
    // Without maxima no marker; the hatching stays.
    EXPECT_FALSE(english.chart().marker(0).has_value());
    EXPECT_TRUE(english.chart().isHatched(0, 0));
}

TEST(CoverageChart, WithoutMaximaOrGapsTheChartHasNoLegend)
{
    RationModelStub r;
    r.addNutrient("24", "Rp", "10", "5");
    const HeaderTextValues header = minka("M");
    Page page(QStringLiteral("DE"), header, r.model);
    page.build();
    EXPECT_FALSE(page.chart().hasLegend());
    EXPECT_FALSE(page.chart().isHatched(0, 0));
}
