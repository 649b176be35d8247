#include "output/FollowUp.h"
#include "core/Prompt.h"
#include "output/FollowUpPage.h"
#include "output/FollowUpTexts.h"
#include "output/GrowthPage.h"
#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using FollowUp::Flag;

constexpr int DogReduction = 13;
constexpr int DogMaintenance = 7;
constexpr int Puppy = 1;

Visit visit(const QDate& date, double weight, int caseType = DogReduction)
{
    Visit v;
    v.date = date;
    v.weight = weight;
    v.caseType = caseType;
    return v;
}

// The worked example: a 30 kg dog on a reduction ration of 1,100 kcal a day,
// whose formula asks 1,250 kcal at 100 %, weighs 29,0 kg four weeks later.
TEST(FollowUpRule, TheNeedOfAWorkedExample)
{
    Visit first = visit(QDate(2026, 1, 5), 30.0);
    first.suppliedKcal = 1100.0;
    first.energyPercent = 80.0;
    first.requiredKcal = 1000.0; // 80 % of 1,250 kcal
    const Visit second = visit(QDate(2026, 2, 2), 29.0);

    const std::optional<WeightChange> changed = FollowUp::change(first, second);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->days, 28);
    EXPECT_DOUBLE_EQ(changed->kilograms, -1.0);
    // 1 kg of 30 kg in 4 weeks: 0,83 % a week.
    EXPECT_NEAR(changed->percentPerWeek, -100.0 / 30.0 / 4.0, 1e-12);

    const FollowUpLimits limits;
    const std::optional<EnergyNeed> need = FollowUp::need(first, second, limits);
    ASSERT_TRUE(need);
    // 1,100 kcal + 1 kg × 7,000 kcal / 28 days.
    EXPECT_DOUBLE_EQ(need->kcalPerDay, 1350.0);
    EXPECT_DOUBLE_EQ(*need->percentOfFormula, 108.0);
    // Less the planned 1 % of 29 kg a week: 290 kcal a day; 1,060 of 1,250 kcal.
    EXPECT_EQ(need->proposedPercent, 85);
    // The case's own plan of 2 % a week: 580 kcal less, 770 of 1,250 kcal.
    Visit planned = second;
    planned.plannedLoss = 2.0;
    EXPECT_EQ(FollowUp::need(first, planned, limits)->proposedPercent, 62);
    EXPECT_EQ(FollowUp::nextCheck(second, limits), QDate(2026, 2, 16));

    // A maintenance dog keeps its weight on what it needed; a puppy needed
    // all it was given, its gain being growth.
    Visit maintained = second;
    maintained.caseType = DogMaintenance;
    EXPECT_EQ(FollowUp::need(first, maintained, limits)->proposedPercent, 108);
    first.caseType = Puppy;
    EXPECT_DOUBLE_EQ(FollowUp::need(first, visit(QDate(2026, 2, 2), 31.0, Puppy), limits)->kcalPerDay,
                     1100.0);
    // Without a day between them or the ration's energy there is nothing to say.
    EXPECT_FALSE(FollowUp::need(first, visit(QDate(2026, 1, 5), 29.0), limits));
    EXPECT_FALSE(FollowUp::need(visit(QDate(2026, 1, 5), 30.0), second, limits));
}

struct FlagCase
{
    const char* name;
    int caseType;
    double from, to;
    int days;
    std::vector<Flag> flags;
};

class FollowUpFlags : public ::testing::TestWithParam<FlagCase>
{
};

TEST_P(FollowUpFlags, RaisedAtTheirLimits)
{
    const FlagCase& c = GetParam();
    const QDate start(2026, 3, 2);
    const std::vector<Visit> visits{visit(start, c.from, c.caseType),
                                    visit(start.addDays(c.days), c.to, c.caseType)};
    EXPECT_EQ(FollowUp::flags(visits, FollowUpLimits()), c.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FollowUpFlags,
    ::testing::Values(FlagCase{"TwoPercentIsNotTooFast", DogReduction, 20.0, 19.6, 7, {}},
                      FlagCase{"AboveTwoPercentIsTooFast", DogMaintenance, 20.0, 19.59, 7, {Flag::FastLoss}},
                      FlagCase{"HalfAPercentIsNotTooSlow", DogReduction, 20.0, 19.9, 7, {}},
                      FlagCase{"BelowHalfAPercentIsTooSlow", DogReduction, 20.0, 19.91, 7, {Flag::SlowLoss}},
                      FlagCase{"SlowOnlyOnAReduction", DogMaintenance, 20.0, 20.0, 7, {}},
                      FlagCase{"AGainOnAReduction", DogReduction, 20.0, 20.1, 14, {Flag::GainOnReduction}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FollowUpRule, AGrowingAnimalBelowItsCurveAndARationBelowTheFloor)
{
    const FollowUpLimits limits;
    // Week 20 of a puppy growing to 30 kg.
    Visit puppy = visit(QDate(2026, 5, 18), 0.0, Puppy);
    puppy.birthDate = QDate(2026, 5, 18).addDays(-20 * 7);
    puppy.adultWeight = 30.0;
    const std::optional<double> expected = FollowUp::expectedGrowthWeight(puppy);
    ASSERT_TRUE(expected && *expected > 0.0);
    puppy.weight = *expected * 0.9;
    EXPECT_TRUE(FollowUp::flags({puppy}, limits).empty());
    puppy.weight = *expected * 0.9 - 0.01;
    EXPECT_EQ(FollowUp::flags({puppy}, limits), std::vector<Flag>{Flag::BelowGrowthCurve});

    // 70 % of 70 × 16^0,75 = 70 % of 560 kcal = 392 kcal.
    Visit dog = visit(QDate(2026, 5, 18), 16.0);
    EXPECT_NEAR(limits.floorKcal(16.0), 392.0, 1e-9);
    dog.suppliedKcal = 392.0;
    EXPECT_FALSE(FollowUp::belowFloor(dog, limits));
    dog.suppliedKcal = 391.0;
    EXPECT_EQ(FollowUp::flags({dog}, limits), std::vector<Flag>{Flag::BelowFloor});
    dog.caseType = DogMaintenance;
    EXPECT_FALSE(FollowUp::belowFloor(dog, limits));
}

// The practice's own rates and limits are read; an impossible one keeps its default.
TEST(FollowUpLimitsTest, ThePracticesValuesAreRead)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec(
        QStringLiteral("UPDATE T_VERLAUF SET WERT = 7700 WHERE ID = 5; "
                       "UPDATE T_VERLAUF SET WERT = -3 WHERE ID = 7; DELETE FROM T_VERLAUF WHERE ID = 2")));
    const FollowUpLimits limits = FollowUpLimits::read(db.context());
    EXPECT_EQ(limits.tissueEnergy, 7700.0);
    EXPECT_EQ(limits.weeksReduction, 2);
    EXPECT_EQ(limits.fastestLoss, 2.0);
    EXPECT_EQ(limits.slowestLoss, 0.5);
}

// "Neuer Besuch" on the command line: the visit is a case of its own,
// linked to the first, dated as given; the first case stays as it was.
TEST(CliFollowUp, AVisitAndTheHistoryOfItsPatient)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    const QString first =
        QStringLiteral("header\tsalutation\tHerr\nheader\towner\tKeller\nheader\tpatient\tBruno\n"
                       "header\tspecies\tHund\nheader\tsex\tM\nheader\tcase type\tHund – Gewichtsreduktion\n"
                       "header\tactual weight\t30\nheader\ttarget weight\t25\nheader\tenergy\t100\n"
                       "header\ttitle\tReduktion\nfeed\t4\t500\nfeed\t89\t300\n");
    ASSERT_EQ(runCliIn(db.directory(), {"case", "new"}, first.toStdString()).lines, QStringList{"saved\t1"});
    const QStringList before = db.rawRows(QStringLiteral("SELECT * FROM T_PAT_REZ"));
    const QString today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
    const QString later = QDate::currentDate().addDays(28).toString(QStringLiteral("dd.MM.yyyy"));

    EXPECT_EQ(runCliIn(db.directory(), {"visit", "1"}, "header\trecipe date\t" + later.toStdString()).status,
              2);
    const CliRun visit = runCliIn(db.directory(), {"visit", "1"},
                                  "header\tactual weight\t29,0\nheader\trecipe date\t" + later.toStdString());
    ASSERT_EQ(visit.lines, QStringList{"saved\t2"}) << visit.err.toStdString();
    EXPECT_EQ(db.rawRows(QStringLiteral("SELECT * FROM T_PAT_REZ WHERE ID = 1")), before);

    const CliRun history = runCliIn(db.directory(), {"history", "1"});
    ASSERT_EQ(history.status, 0) << history.err.toStdString();
    // The ration supplies 963 kcal for a formula of 783 kcal (70 × 25^0,75):
    // 963 + 7,000 / 28 = 1,213 kcal, 155 %; less 290 kcal for the planned
    // loss, 118 %.
    EXPECT_EQ(
        history.lines,
        (QStringList{"visit\t1\t" + today + "\t30,0\t\t\t100\t963",
                     "visit\t2\t" + later + "\t29,0\t-1,0\t-0,83\t100\t963", "need\t1213\t155\t118",
                     "next\t" + QDate::currentDate().addDays(42).toString(QStringLiteral("dd.MM.yyyy"))}));
    EXPECT_EQ(runCliIn(db.directory(), {"history", "2"}).lines, history.lines);
    EXPECT_EQ(runCliIn(db.directory(), {"history", "9"}).status, 1);
}

// Two visits of a male dog four weeks apart, the second linked to the
// first; a growing one was born ten weeks before the first.
void insertTwoVisits(TestDatabase& db, int caseType)
{
    ASSERT_TRUE(db.rawExec(
        QStringLiteral(
            "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
            "Geburtsdatum, Gewicht_akt, Gewicht_soll, Gewicht_adult, Energie, Rippen, Rezepttitel, Datum, ID_Patient) "
            "VALUES (1, 1, 'Keller', 'Bruno', 2, 1, %1, '2025-10-27', 30, 25, 30, 100, '1', 'a', "
            "'2026-01-05 10:00:00', 1), "
            "(2, 1, 'Keller', 'Bruno', 2, 1, %1, '2025-10-27', 29, 25, 30, 90, '0', 'b', '2026-02-02 10:00:00', 1)")
            .arg(caseType)));
}

struct CourseCase
{
    const char* name;
    const char* language;
    int caseType;
    QStringList series;
    std::vector<std::optional<double>> course;
    QStringList firstRow, secondRow;
};

class FollowUpPageChart : public ::testing::TestWithParam<CourseCase>
{
};

// The measured weights at the weeks since the first visit, the target, and
// the planned course of a reduction or the expected curve of a puppy; the
// table says the same in the window's language.
TEST_P(FollowUpPageChart, TheCourseFollowsTheCaseType)
{
    const CourseCase& c = GetParam();
    TestDatabase db(TestDatabase::Data::Shipped, QString::fromLatin1(c.language));
    insertTwoVisits(db, c.caseType);
    RecordingPrompt prompt;
    FollowUpPage page(db.context(), prompt);
    page.build(QStringLiteral("2"));
    EXPECT_TRUE(prompt.entries().empty());
    ASSERT_EQ(page.visits().size(), 2u);

    const ChartModel& chart = page.chart();
    EXPECT_EQ(chart.categories(), (QStringList{"0", "4"}));
    QStringList names;
    for (int s = 0; s < chart.seriesCount(); ++s)
        names << chart.series(s).name;
    EXPECT_EQ(names, c.series);
    EXPECT_EQ(chart.value(FollowUpPage::MeasuredSeries, 0), 30.0);
    EXPECT_EQ(chart.value(FollowUpPage::MeasuredSeries, 1), 29.0);
    for (int category = 0; category < 2; ++category) {
        const std::optional<double> course = chart.value(FollowUpPage::CourseSeries, category);
        ASSERT_EQ(course.has_value(), c.course[size_t(category)].has_value()) << category;
        if (course) {
            EXPECT_NEAR(*course, *c.course[size_t(category)], 1e-3) << category;
        }
        // Every point lies on the value axis.
        for (int s = 0; s < chart.seriesCount(); ++s) {
            if (const std::optional<double> value = chart.value(s, category)) {
                EXPECT_GE(*value, chart.axisMin());
                EXPECT_LE(*value, chart.axisMax());
            }
        }
    }

    const GridModel& grid = page.grid();
    ASSERT_EQ(grid.rowCount(), 3);
    for (int row : {1, 2}) {
        QStringList cells;
        for (int column = 0; column < FollowUpPage::ColumnCount; ++column) {
            if (column != FollowUpPage::SuppliedColumn)
                cells << grid.text(row, column);
        }
        EXPECT_EQ(cells, row == 1 ? c.firstRow : c.secondRow);
    }
    // Nothing supplied, nothing to say about the energy needed.
    EXPECT_TRUE(page.needText().isEmpty());
    EXPECT_FALSE(page.proposedPercent());
}

const QStringList Reduction{"Gemessenes Gewicht", "Zielgewicht", "Geplanter Verlauf"};
const QStringList DeRow1{"05.01.2026", "30,0", "", "", "Rippen gut fühlbar", "100"};
const QStringList DeRow2{"02.02.2026", "29,0", "-1,0", "-0,83", "Rippen fettbedeckt", "90"};

INSTANTIATE_TEST_SUITE_P(
    CaseTypes, FollowUpPageChart,
    ::testing::Values(
        // 30 kg less 1 % a week for four weeks.
        CourseCase{"Reduction", "DE", DogReduction, Reduction, {30.0, 28.8179}, DeRow1, DeRow2},
        CourseCase{"ReductionInEnglish",
                   "US",
                   DogReduction,
                   {"Measured weight", "Target weight", "Planned course"},
                   {30.0, 28.8179},
                   {"01/05/2026", "30.0", "", "", "Ribs easily felt", "100"},
                   {"02/02/2026", "29.0", "-1.0", "-0.83", "Ribs covered by fat", "90"}},
        // Weeks 10 and 14 of a puppy growing to 30 kg.
        CourseCase{"Growth",
                   "DE",
                   Puppy,
                   {"Gemessenes Gewicht", "Zielgewicht", "Erwartetes Wachstum"},
                   {GrowthPage::expectedWeight(30.0, 10), GrowthPage::expectedWeight(30.0, 14)},
                   DeRow1,
                   DeRow2},
        CourseCase{"Maintenance",
                   "DE",
                   DogMaintenance,
                   {"Gemessenes Gewicht", "Zielgewicht"},
                   {{}, {}},
                   DeRow1,
                   DeRow2}),
    [](const auto& info) { return std::string(info.param.name); });

struct LinkCase
{
    const char* name;
    Prompt::Answer answer;
    bool refused;
    size_t visits;
    QStringList patients; // ID_Patient of cases 1 to 6 afterwards
};

class FollowUpPageLink : public ::testing::TestWithParam<LinkCase>
{
};

// Earlier cases of the patient stored before visits were linked: the page
// asks once, "Ja" links them and shows them, a refusal says why.
TEST_P(FollowUpPageLink, TheEarlierCasesAreLinkedWhenTheVetSaysSo)
{
    const LinkCase& c = GetParam();
    TestDatabase db(TestDatabase::Data::Shipped);
    ASSERT_TRUE(db.rawExec(QStringLiteral(
        "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Gewicht_akt, Energie, Rezepttitel, Datum) VALUES "
        "(1, 1, 'O''Brien''); DELETE FROM T_PAT_REZ; --', 'Rex', 2, 1, 13, 30, 100, 'erste', "
        "'2026-01-05 10:00:00'), "
        "(2, 1, 'O''Brien''); DELETE FROM T_PAT_REZ; --', 'Rex', 2, 1, 13, 29, 100, '', '2026-02-02 10:00:00'), "
        "(3, 1, 'O''Brien''); DELETE FROM T_PAT_REZ; --', 'Rex', 2, 1, 13, 28, 100, 'c', '2026-03-02 10:00:00'), "
        "(4, 1, 'Keller', 'Rex', 2, 1, 13, 28, 100, 'd', '2026-03-02 10:00:00')")));
    // Another species, another birth date: other patients.
    const QString copy = QStringLiteral(
        "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Gewicht_akt, Energie, Rezepttitel, Datum, Geburtsdatum) SELECT %1, 1, Name_Besitzer, 'Rex', %2, 1, 13, 29, "
        "100, 'x', '2026-02-02 10:00:00', %3 FROM T_PAT_REZ WHERE ID = 1");
    ASSERT_TRUE(db.rawExec(copy.arg(5).arg(3).arg(QStringLiteral("NULL"))));
    ASSERT_TRUE(db.rawExec(copy.arg(6).arg(2).arg(QStringLiteral("'2020-02-01'"))));
    if (c.refused) {
        ASSERT_TRUE(db.addTrigger(QStringLiteral("no_link"), QStringLiteral("BEFORE UPDATE"),
                                  QStringLiteral("T_PAT_REZ")));
    }
    // A case alone has no follow-up; one with earlier cases to link has.
    EXPECT_FALSE(FollowUpPage::applies(db.context(), QStringLiteral("4")));
    EXPECT_TRUE(FollowUpPage::applies(db.context(), QStringLiteral("3")));

    RecordingPrompt prompt;
    prompt.setNextAnswer(c.answer);
    FollowUpPage page(db.context(), prompt);
    page.build(QStringLiteral("3"));
    ASSERT_FALSE(prompt.entries().empty());
    EXPECT_TRUE(prompt.entries()[0].isQuestion);
    EXPECT_EQ(prompt.entries()[0].text,
              FollowUpTexts::EarlierVisits.in(QStringLiteral("DE")).arg("05.01.2026 (erste); 02.02.2026"));
    if (c.refused) {
        ASSERT_EQ(prompt.entries().size(), 2u);
        EXPECT_TRUE(prompt.lastText().startsWith("Die Fälle konnten nicht verknüpft werden.\nGrund: "))
            << prompt.lastText().toStdString();
    } else {
        EXPECT_EQ(prompt.entries().size(), 1u);
    }
    ASSERT_EQ(page.visits().size(), c.visits);
    // In date order, the last the case itself.
    EXPECT_EQ(page.visits().back().caseKey, "3");
    EXPECT_EQ(page.visits().back().date, QDate(2026, 3, 2));
    EXPECT_EQ(db.rawRows(QStringLiteral("SELECT ID_Patient FROM T_PAT_REZ ORDER BY ID")), c.patients);
    EXPECT_EQ(page.grid().rowCount(), 1 + int(c.visits));

    // The page asks once.
    page.build(QStringLiteral("3"));
    EXPECT_EQ(prompt.entries().size(), c.refused ? 2u : 1u);
    EXPECT_TRUE(FollowUpPage::applies(db.context(), QStringLiteral("3")));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, FollowUpPageLink,
    ::testing::Values(
        LinkCase{"Yes", Prompt::Answer::Yes, false, 3, {"1", "1", "1", "NULL", "NULL", "NULL"}},
        LinkCase{"No", Prompt::Answer::No, false, 1, {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}},
        LinkCase{
            "YesButRefused", Prompt::Answer::Yes, true, 1, {"NULL", "NULL", "NULL", "NULL", "NULL", "NULL"}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
