#include "support/CliRun.h"
#include "support/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

TEST(CliRecipe, PrintsEveryRowOfTheRecipeGrid)
{
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    const CliRun run = runCliIn(db.directory(), {"recipe", "1"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.lines.size(), 18);
    EXPECT_EQ(run.lines[0], "row\t0\t\tREZEPT\t\t");
    EXPECT_EQ(run.lines[9], "row\t9\t\tBesitzer: Herr Müller\t\t");
    EXPECT_EQ(run.lines[10], "row\t10\t\tPatient: Bello (Hund männlich) Dackel \t\t");
    // Two meals for an adult dog: half the day's amount each, as a kitchen
    // scale weighs it (100,25 g to the gram).
    EXPECT_EQ(run.lines[13], "row\t13\tg/Tag\tFuttermittel\t%\tg/Mahlzeit");
    EXPECT_EQ(run.lines[16], "row\t16\t150,0\tHühnerbrust, gekocht\t43\t75");
    EXPECT_TRUE(run.lines[17].startsWith("row\t17\t200,5\t")) << run.lines[17].toStdString();
    EXPECT_TRUE(run.lines[17].endsWith("\t57\t100"));
    // The date of issue is today's.
    EXPECT_TRUE(run.lines[8].startsWith("row\t8\t\tAusstelldatum: "));
    EXPECT_TRUE(run.lines[8].endsWith(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")) + "\t\t"));
}

// The handout in English while the program runs in German, for three meals
// and a week: 150 g and 200,5 g a day.
TEST(CliRecipe, MealsBatchAndLanguageChosenForOnePrintout)
{
    TestDatabase db;
    const CliRun run =
        runCliIn(db.directory(), {"recipe", "1", "--meals", "3", "--days", "7", "--lang", "en"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines[0], "row\t0\t\tRECIPE\t\t") << run.out;
    EXPECT_EQ(run.lines[13], "row\t13\tg/day\tFood\t%\tg/meal");
    EXPECT_EQ(run.lines[16], "row\t16\t150.0\tChicken breast, cooked\t43\t50");
    EXPECT_TRUE(run.lines[17].startsWith("row\t17\t200.5\t")) << run.lines[17].toStdString();
    // 200,5 g / 3 = 66,83 g: whole grams.
    EXPECT_TRUE(run.lines[17].endsWith("\t57\t67"));
    const int heading = run.lines.indexOf(QStringLiteral("row\t19\t\tBatch for 7 days (g)\t\t"));
    ASSERT_EQ(heading, 19) << run.out;
    // 7 × 150 g and 7 × 200,5 g = 1403,5 g, above a kilogram also in kg.
    EXPECT_EQ(run.lines[20], "row\t20\t1050\tChicken breast, cooked (1.05 kg)\t\t");
    EXPECT_TRUE(run.lines[21].startsWith("row\t21\t1404\t")) << run.lines[21].toStdString();
    EXPECT_TRUE(run.lines[21].endsWith(" (1.40 kg)\t\t"));
    EXPECT_EQ(run.lines.size(), 22);

    // Nothing of it is stored: the case prints as before.
    EXPECT_EQ(runCliIn(db.directory(), {"recipe", "1"}).lines[13],
              "row\t13\tg/Tag\tFuttermittel\t%\tg/Mahlzeit");
}

TEST(CliRecipe, RefusesBadArgumentsAndUnknownCases)
{
    TestDatabase db;
    EXPECT_EQ(runCliIn(db.directory(), {"recipe"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"recipe", "x"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"recipe", "1", "--rate", "2"}).status, 2);
    const QString cases = db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ"));
    for (const char* option : {"--meals", "--days", "--lang"}) {
        for (const char* value : {"0", "32", "fr", "2; DROP TABLE T_PAT_REZ"})
            EXPECT_EQ(runCliIn(db.directory(), {"recipe", "1", option, value}).status, 2) << option << value;
    }
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")), cases);
    const CliRun unknown = runCliIn(db.directory(), {"recipe", "99"});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.lines.isEmpty());
    EXPECT_TRUE(unknown.err.contains("no case with the key 99"));
}

TEST(CliChart, CoverageOfTheStoredCase)
{
    TestDatabase db;
    const CliRun run = runCliIn(db.directory(), {"chart", "1", "coverage"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines[0], "title\tBedarfsdeckung für Bello (Hund/m) Erhaltung Rüde  / Müller  / Erhaltung");
    EXPECT_TRUE(run.lines[1].startsWith("axis\t0\t"));
    EXPECT_EQ(run.lines[2],
              "captions\tNährstoffe (Werte, die den Bedarfswert um den Faktor 10 überschreiten, "
              "werden nicht dargestellt)\tProzent");
    const QStringList points = run.linesOf(QStringLiteral("point"));
    ASSERT_EQ(points.size(), 16);
    // Key 61 ("ME kcal") is marked for the case type but never drawn.
    for (const QString& point : points)
        EXPECT_FALSE(point.startsWith("point\tME kcal\t")) << point.toStdString();
    // ME has no requirement formula in the fixture and is skipped.
    // Without maxima and gaps the two last fields stay empty.
    EXPECT_EQ(points[0], "point\tRp\t109.7\t\t\t");
    EXPECT_EQ(points[15], "point\t\t\t\t\t");
}

TEST(CliChart, CoverageMarksTheMaximumTheCaseLinesGive)
{
    TestDatabase db;
    ASSERT_TRUE(
        db.rawExec(QStringLiteral("INSERT INTO T_HOECHSTWERT VALUES (1, 2, NULL, 24, 80, 'kcal', NULL, "
                                  "'x', -1), (2, 3, NULL, 24, 80, 'kcal', NULL, 'x', -1)")));
    const CliRun cases = runCliIn(db.directory(), {"case", "1"});
    const QStringList rp = cases.linesOf(QStringLiteral("nutrient")).filter(QStringLiteral("nutrient\t24\t"));
    ASSERT_EQ(rp.size(), 1) << cases.out;
    QStringList fields = rp.first().split(QLatin1Char('\t'));
    const double percent =
        fields[7].replace(',', '.').toDouble() / fields[4].replace(',', '.').toDouble() * 100;
    ASSERT_GT(percent, 0) << rp.first().toStdString();

    const CliRun run = runCliIn(db.directory(), {"chart", "1", "coverage"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList point = run.linesOf(QStringLiteral("point")).first().split(QLatin1Char('\t'));
    ASSERT_EQ(point.size(), 6);
    EXPECT_EQ(point[1], "Rp");
    EXPECT_NEAR(point[4].toDouble(), percent, 0.05);
    EXPECT_EQ(point[5], "");
}

TEST(CliChart, GrowthOfTheStoredPuppy)
{
    TestDatabase db;
    const CliRun run = runCliIn(db.directory(), {"chart", "3", "growth"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines[0], "title\tWachstumskurve für Rex (Hund/m) Wachstum Rüde  / Schmidt  / Wachstum");
    EXPECT_EQ(run.lines[1], "axis\t0\t20\t1.25");
    EXPECT_EQ(run.lines[2], "captions\tAlter [Wochen]\tGewicht [kg]");
    const QStringList points = run.linesOf(QStringLiteral("point"));
    ASSERT_EQ(points.size(), 41);
    EXPECT_TRUE(points[0].startsWith("point\t08\t"));
    EXPECT_TRUE(points[0].endsWith("\t0"));
    // The command runs on the real clock: Rex, born on 10 January 2024, is
    // past week 48 by now, so no point carries his weight.
    EXPECT_EQ(points.filter(QRegularExpression("\t0$")).size(), 41);
}

TEST(CliChart, WeightCheckWithARate)
{
    TestDatabase db;
    const CliRun run = runCliIn(db.directory(), {"chart", "1", "weight", "--rate", "2"});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.lines[1], "axis\t18\t20\t0.125");
    EXPECT_EQ(run.lines[2], "captions\tDiätdauer [Wochen]\tGewicht [kg]");
    const QStringList points = run.linesOf(QStringLiteral("point"));
    ASSERT_EQ(points.size(), 6);
    EXPECT_EQ(points[0], "point\t00\t20\t");
    EXPECT_EQ(points[1], "point\t01\t19.6\t");
    EXPECT_EQ(run.lines.last(), "overweight\t11\t2");
}

TEST(CliChart, RefusesBadArguments)
{
    TestDatabase db;
    EXPECT_EQ(runCliIn(db.directory(), {"chart", "1"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"chart", "1", "pie"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"chart", "1", "growth", "--rate", "2"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"chart", "1", "weight", "--rate"}).status, 2);
    EXPECT_EQ(runCliIn(db.directory(), {"chart", "99", "weight"}).status, 1);
}

TEST(CliReport, RefusesUsageErrorsWithStatusTwo)
{
    TestDatabase db;
    const struct
    {
        CliArgs args;
        const char* says;
    } cases[] = {
        {{"report"}, "usage: mensoly-cli report ID --pdf FILE"},
        {{"report", "1"}, "--pdf FILE is required"},
        {{"report", "1", "--lang", "en"}, "--pdf FILE is required"},
        {{"report", "1", "--pdf"}, "missing value after '--pdf'"},
        {{"report", "1", "--pdf", "r.pdf", "--lang", "fr"}, "--lang takes de or en"},
        {{"report", "1", "--pdf", "r.pdf", "--lang", "DE"}, "--lang takes de or en"},
        {{"report", "1", "--pdf", "r.pdf", "--per", "kcal"}, "unknown argument '--per'"},
        {{"report", "1", "--pdf", "r.pdf", "--pdf", "s.pdf"}, "'--pdf' given twice"},
        {{"report", "x", "--pdf", "r.pdf"}, "the case key must be a number"},
        // A key that would reach the case's query is refused before it.
        {{"report", "1 OR 1=1; DROP TABLE T_PAT_REZ", "--pdf", "r.pdf"}, "the case key must be a number"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCliIn(db.directory(), c.args);
        EXPECT_EQ(run.status, 2) << c.says;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
        EXPECT_TRUE(run.out.empty()) << c.says;
    }
    EXPECT_EQ(db.rawValue(QStringLiteral("SELECT COUNT(*) FROM T_PAT_REZ")), "3");
    EXPECT_FALSE(QFile::exists(db.directory() + "/r.pdf"));
}

TEST(CliChart, PdfNeedsTheGraphicalApplication)
{
    TestDatabase db;
    const CliRun run = runCliIn(db.directory(), {"chart", "1", "coverage", "--pdf", "x.pdf"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("--pdf needs"));
    EXPECT_FALSE(QFile::exists(db.directory() + "/x.pdf"));
}

} // namespace
