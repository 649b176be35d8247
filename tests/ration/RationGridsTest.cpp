#include "core/NumberText.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseRecord.h"
#include "ration/NutrientColumns.h"
#include "ration/RationCalculation.h"
#include "support/QtPrinters.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace NutrientColumns;

namespace {

// A calculation over the fixture with the header values held in plain fields.
struct Calc
{
    TestDatabase db;
    CaseInputs header;
    RationCalculation ration;

    explicit Calc(const QString& language = QStringLiteral("DE"))
        : db(TestDatabase::Data::Fixture, language)
        , ration(db.context(), header)
    {
        ration.buildRationGrid();
        ration.buildProfileGrid();
    }
    GridModel& grid() { return ration.rationGrid(); }
    GridModel& profile() { return ration.profileGrid(); }
    int column(const char* key) { return find(grid(), QLatin1String(key)); }
    QString requirement(const char* key) { return ration.lookupRequirement(QLatin1String(key)); }
    QString supply(const char* key) { return ration.lookupSupply(QLatin1String(key)); }
    QStringList requirementRow()
    {
        QStringList row;
        for (int c = FirstColumn; c < grid().columnCount(); ++c)
            row << grid().text(RequirementRow, c);
        return row;
    }
    // A male dog in maintenance (case type 7) weighing 20 kg.
    void maintenanceDog()
    {
        header.caseType = 7;
        header.species = 2;
        header.sex = 1;
        header.actual = QStringLiteral("20");
        header.target = QStringLiteral("18");
        header.energy = QStringLiteral("100");
    }
    // Feedstuffs 8 and 9 with round contents: 8 gives Ca 20 and P 12,34, 9 gives P 0,66 per 100 g.
    void addRoundFeedstuffs()
    {
        ASSERT_TRUE(db.rawExec(QStringLiteral(
            "INSERT INTO T_FUTTERMITTEL (ID, BEZ_DE, BEZ_US, AKTIV) VALUES (8, 'Prüffutter', 'Test food', -1), "
            "(9, 'Beifutter', 'Side food', -1);"
            "INSERT INTO T_FM_NAEHRSTOFF (ID_FM, ID_NAEHRSTOFF, MENGE, AKTIV) VALUES (8, 1, 20, -1), "
            "(8, 15, 12.34, -1), (9, 15, 0.66, -1), (9, 99, 3, -1), (9, 41, 4, -1);")))
            << db.error().toStdString();
    }
};

QStringList keysOf(const GridModel& grid)
{
    QStringList keys;
    for (int c = FirstColumn; c < grid.columnCount(); ++c)
        keys << grid.text(KeyRow, c);
    return keys;
}

TEST(RationGridsTest, RationGridHasOneColumnPerActiveNutrientInSortOrder)
{
    Calc calc;
    ASSERT_TRUE(calc.db.isValid());
    const GridModel& g = calc.grid();
    EXPECT_EQ(keysOf(g), (QStringList{"9", "61", "60", "24", "1", "15"}));
    EXPECT_EQ(g.rowCount(), FirstFeedRow);
    // The head and the data rows under it are frozen: no cursor, no typing.
    EXPECT_EQ(g.fixedRowCount(), FirstFeedRow);
    EXPECT_EQ(g.fixedColumnCount(), 2);
    const int rp = calc.column("24");
    EXPECT_EQ(g.text(NameRow, rp), "Rp");
    EXPECT_EQ(g.text(UnitRow, rp), "g");
    EXPECT_EQ(g.text(DecimalsRow, rp), "1");
    EXPECT_EQ(g.text(ShownRow, rp), "J");
    EXPECT_EQ(g.text(KindRow, rp), "I");
    EXPECT_EQ(g.text(FixedRow, rp), "0");
    EXPECT_EQ(g.text(MarkRow, rp), " ");
    EXPECT_EQ(g.columnWidth(rp), UnselectedWidth);
    EXPECT_EQ(g.alignment(NameRow, rp), GridAlign::Centre | GridAlign::Bottom | GridAlign::WordWrap);
    EXPECT_EQ(keysOf(calc.profile()), (QStringList{"41", "42"}));
    EXPECT_EQ(calc.profile().fixedColumnCount(), 3);
}

TEST(RationGridsTest, GeometryColoursAndFontOfBothGrids)
{
    Calc calc;
    const GridModel& g = calc.grid();
    const struct
    {
        const GridModel* grid;
        int col;
        int width;
    } widths[] = {{&g, 0, 0},
                  {&g, 1, 265},
                  {&g, 2, 48},
                  {&calc.profile(), 0, 0},
                  {&calc.profile(), 1, 255},
                  {&calc.profile(), 2, 0}};
    for (const auto& w : widths)
        EXPECT_EQ(w.grid->columnWidth(w.col), w.width) << w.col;
    // The maximum row opens only once the page finds a maximum for the case.
    const int heights[] = {GridModel::DefaultRowHeight, 50, 20, 20, 0, 20, 0, 0, 0, 0, 0, 0};
    for (int row = 0; row < FirstFeedRow; ++row)
        EXPECT_EQ(g.rowHeight(row), heights[row]) << row;
    EXPECT_EQ(calc.profile().rowHeight(SupplyRow), 0);
    EXPECT_EQ(g.font(FirstFeedRow, 1), (CellFont{QStringLiteral("Tahoma"), 13, 400, false}));
    EXPECT_EQ(g.background(FormulaRow, 4), (Rgb{230, 255, 255}));
    EXPECT_EQ(calc.profile().background(FormulaRow, 3), (Rgb{221, 255, 255}));
    EXPECT_EQ(g.background(RequirementRow, 1), ComputedBackground);
    EXPECT_EQ(g.background(SupplyRow, 2), ComputedBackground);
    EXPECT_EQ(calc.profile().text(UnitRow, 2), ">>>");
}

TEST(RationGridsTest, LabelsFollowTheLanguageAndStayEmptyForAnUnknownCode)
{
    const struct
    {
        const char* code;
        QStringList ration;
        QStringList profile;
    } cases[] = {
        {"DE",
         {"Nährstoffe", "Menge", "Einheiten", "g/Tag", "Bedarf", "Höchstwert", "Versorgung"},
         {"Kenngrössen", "Einheiten", "Ergebnisse"}},
        {"US",
         {"Ingridience", "amount", "Units", "g/day", "requirement", "Maximum", "supply"},
         {"Nutrient profile", "Units", "Results"}},
        {"FR", {"", "", "", "", "", "", ""}, {"", "", ""}},
    };
    for (const auto& c : cases) {
        Calc calc(QString::fromLatin1(c.code));
        const GridModel& g = calc.grid();
        EXPECT_EQ((QStringList{g.text(1, 1), g.text(1, 2), g.text(2, 1), g.text(2, 2),
                               g.text(RequirementRow, 1), g.text(MaximumRow, 1), g.text(SupplyRow, 1)}),
                  c.ration)
            << c.code;
        const GridModel& p = calc.profile();
        EXPECT_EQ((QStringList{p.text(1, 1), p.text(2, 1), p.text(3, 1)}), c.profile) << c.code;
    }
}

TEST(RationGridsTest, SelectionShowsMarksAndFixesTheCaseTypesColumns)
{
    Calc calc;
    calc.header.caseType = 7;
    calc.ration.applyCaseNutrientSelection();
    GridModel& g = calc.grid();
    const struct
    {
        const char* key;
        const char* mark;
        int width;
        Rgb nameBackground;
        const char* fixed;
    } expected[] = {
        {"9", "x", 48, FixedSelectedBackground, "-1"}, {"61", "x", 48, FixedSelectedBackground, "-1"},
        {"60", " ", 1, UnselectedBackground, "0"},     {"24", "x", 48, SelectedBackground, "0"},
        {"1", "x", 48, SelectedBackground, "0"},       {"15", "x", 48, SelectedBackground, "0"},
    };
    for (const auto& e : expected) {
        const int c = calc.column(e.key);
        EXPECT_EQ(g.text(MarkRow, c), e.mark) << e.key;
        EXPECT_EQ(g.columnWidth(c), e.width) << e.key;
        EXPECT_EQ(g.background(NameRow, c), e.nameBackground) << e.key;
        EXPECT_EQ(g.text(FixedRow, c), e.fixed) << e.key;
    }
    EXPECT_EQ(calc.profile().columnWidth(3), 48);
}

TEST(RationGridsTest, WeightReductionOfACatShowsTheMaintenanceSelection)
{
    Calc calc;
    calc.header.caseType = 7;
    calc.ration.applyCaseNutrientSelection();
    calc.header.caseType = 40;
    calc.ration.applyCaseNutrientSelection();
    QStringList marked;
    for (int c = FirstColumn; c < calc.grid().columnCount(); ++c) {
        if (calc.grid().text(MarkRow, c) == QLatin1String("x"))
            marked << calc.grid().text(KeyRow, c);
    }
    EXPECT_EQ(marked, (QStringList{"9", "24"}));
    EXPECT_EQ(calc.grid().columnWidth(calc.column("61")), 1);
}

TEST(RationGridsTest, GrowthTablesGiveTheWorkedPuppyRequirements)
{
    Calc calc;
    calc.header.caseType = 1;
    calc.header.species = 2;
    calc.header.sex = 1;
    calc.header.actual = QStringLiteral("10");
    calc.header.adult = QStringLiteral("20");
    calc.header.energy = QStringLiteral("100");
    calc.header.age = QStringLiteral("12");
    calc.ration.loadRequirementFormulas();
    EXPECT_EQ(calc.requirement("61"), "4257");
    EXPECT_EQ(calc.requirement("60"), "2165,0");
    // Without a formula a column shows 0 with its decimals.
    EXPECT_EQ(calc.requirement("1"), "0,00");
    EXPECT_EQ(calc.grid().rowHeight(FormulaRow), 1);

    calc.header.age = QStringLiteral("0");
    calc.ration.evaluateRequirements();
    EXPECT_EQ(calc.requirement("61"), "0");
}

TEST(RationGridsTest, MissingInputsOfTheCaseTypeLeaveTheRequirementRowEmpty)
{
    const struct
    {
        int caseType;
        const char* actual;
        const char* target;
        const char* adult;
        const char* puppies;
        bool evaluated;
    } cases[] = {
        {6, "4", "4", "", "", false},  {6, "4", "4", "", "3", true},       {5, "", "20", "", "3", false},
        {1, "10", "", "", "", false},  {1, "10", "", "20", "", true},      {7, "20", "", "", "", false},
        {7, "20", "18", "", "", true}, {-1, "20", "18", "20", "3", false},
    };
    for (const auto& c : cases) {
        Calc calc;
        // The queen's lactation gets a formula of its own.
        ASSERT_TRUE(
            calc.db.rawExec(QStringLiteral("INSERT INTO T_BEDARF (ID, BERTYP_FALL, ID_NAEHRSTOFF, "
                                           "WERT_FORMEL, AKTIV) VALUES (90, 6, 61, 'AKTGEW * 100', -1)")));
        calc.header.caseType = c.caseType;
        calc.header.species = 3;
        calc.header.actual = QLatin1String(c.actual);
        calc.header.target = QLatin1String(c.target);
        calc.header.adult = QLatin1String(c.adult);
        calc.header.puppyCount = QLatin1String(c.puppies);
        calc.header.energy = QStringLiteral("100");
        calc.ration.loadRequirementFormulas();
        const QStringList row = calc.requirementRow();
        EXPECT_EQ(row.join(QString()).isEmpty(), !c.evaluated)
            << c.caseType << " " << row.join('|').toStdString();
        // A birth date change evaluates again: still nothing without formulas.
        calc.ration.evaluateRequirements();
        EXPECT_EQ(calc.requirementRow().join(QString()).isEmpty(), !c.evaluated) << c.caseType;
    }
}

TEST(RationGridsTest, AFailedFormulaQueryLeavesTheRequirementRowEmpty)
{
    Calc calc;
    calc.maintenanceDog();
    calc.ration.loadRequirementFormulas();
    ASSERT_FALSE(calc.requirement("61").isEmpty());
    ASSERT_TRUE(calc.db.rawExec(QStringLiteral("DROP TABLE T_BEDARF")));
    calc.header.actual = QStringLiteral("25");
    calc.ration.loadRequirementFormulas();
    EXPECT_TRUE(calc.requirementRow().join(QString()).isEmpty())
        << calc.requirementRow().join('|').toStdString();
    calc.ration.evaluateRequirements();
    EXPECT_TRUE(calc.requirementRow().join(QString()).isEmpty());
}

TEST(RationGridsTest, GrowingDogWithoutAnAgeGetsNoRequirementAtAll)
{
    const struct
    {
        int species;
        const char* age;
        bool evaluated;
    } cases[] = {{2, "0", false}, {2, "", false}, {2, "1", true}, {3, "0", true}};
    for (const auto& c : cases) {
        Calc calc;
        // Case type 3 computes with the maintenance formulas.
        ASSERT_TRUE(calc.db.rawExec(
            QStringLiteral("INSERT INTO T_FALL VALUES (3, 'Wachstum Kater', 'Growth tomcat', 3, 1, 7, -1)")));
        calc.header.caseType = 3;
        calc.header.species = c.species;
        calc.header.actual = QStringLiteral("10");
        calc.header.adult = QStringLiteral("20");
        calc.header.energy = QStringLiteral("100");
        calc.header.age = QLatin1String(c.age);
        calc.ration.loadRequirementFormulas();
        EXPECT_EQ(!calc.requirement("61").isEmpty(), c.evaluated) << c.species << " " << c.age;
    }
}

TEST(RationGridsTest, EnergyInKcalReachesColumnsLeftOfItOnlyFromThePreviousPass)
{
    Calc calc;
    calc.maintenanceDog();
    calc.ration.loadRequirementFormulas();
    const QString kcal = calc.requirement("61");
    EXPECT_EQ(kcal, NumberText::format(std::pow(20.0, 0.75) * 95, 0));
    // Column 9 lies left of 61, so a full pass gives it AMEKC = (0).
    EXPECT_EQ(calc.requirement("9"), "0,00");

    // A direct pass (a birth date change) sees the 61 of the previous pass.
    calc.ration.evaluateRequirements();
    EXPECT_EQ(calc.requirement("9"), NumberText::format(NumberText::read(kcal) * 0.004184, 2));
    EXPECT_NE(calc.requirement("9"), "0,00");
}

TEST(RationGridsTest, FormulasOfTheFormerCaseTypeDoNotSurviveAChange)
{
    Calc calc;
    calc.maintenanceDog();
    calc.ration.loadRequirementFormulas();
    ASSERT_NE(calc.requirement("24"), "0,0");
    // Case type 9 has a formula for 61 only; Rp must not keep that of case type 7.
    calc.header.caseType = 9;
    calc.ration.loadRequirementFormulas();
    EXPECT_EQ(calc.requirement("24"), "0,0");
    EXPECT_TRUE(calc.grid().text(FormulaRow, calc.column("24")).isEmpty());
    // Missing inputs empty the formulas too, so a later direct pass computes nothing stale.
    calc.header.actual.clear();
    calc.ration.loadRequirementFormulas();
    EXPECT_TRUE(calc.grid().text(FormulaRow, calc.column("61")).isEmpty());
}

TEST(RationGridsTest, ContributionIsContentTimesAmountPerHundredGrams)
{
    const struct
    {
        const char* amount;
        const char* contribution;
    } cases[] = {{"150", "30,00"}, {"150,5", "30,10"}, {" 150.5 ", "30,10"}, {"abc", "0,00"}};
    for (const auto& c : cases) {
        Calc calc;
        calc.addRoundFeedstuffs();
        const int row =
            calc.ration.grids().appendFeedRow(QStringLiteral("8"), QStringLiteral("Prüffutter"), QString());
        calc.grid().endEdit(row, 2, QLatin1String(c.amount));
        calc.ration.recalcContributions(QStringLiteral("8"), QLatin1String(c.amount));
        EXPECT_EQ(calc.grid().text(row, calc.column("1")), c.contribution) << c.amount;
        EXPECT_TRUE(calc.grid().isReadOnly(row, calc.column("1")));
        EXPECT_EQ(calc.grid().alignment(row, calc.column("1")), GridAlign::Right | GridAlign::Bottom);
        EXPECT_EQ(calc.supply("1"), c.contribution) << c.amount;
    }
}

TEST(RationGridsTest, AShownColumnWidensToItsWidestFigureAndNarrowsAgain)
{
    Calc calc;
    calc.addRoundFeedstuffs();
    // Nine pixels a character stand in for the view's font metrics.
    calc.ration.grids().setCellWidth([](const GridModel& g, int row, int column) {
        return int(g.text(row, column).trimmed().size()) * 9;
    });
    calc.header.caseType = 7;
    calc.ration.applyCaseNutrientSelection();
    const int calcium = calc.column("1");
    const int unselected = calc.column("60");
    ASSERT_EQ(calc.grid().columnWidth(calcium), SelectedWidth);
    const int row =
        calc.ration.grids().appendFeedRow(QStringLiteral("8"), QStringLiteral("Prüffutter"), QString());
    const struct
    {
        const char* amount;
        const char* contribution;
        int width;
    } cases[] = {
        {"100", "20,00", SelectedWidth}, // five characters: the shipped width holds them
        {"750600", "150120,00", 81},     // the contribution and the supply: nine characters
        {"5000", "1000,00", 63},
        {"100", "20,00", SelectedWidth}, // back to the shipped width
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        calc.grid().endEdit(row, RationGrids::AmountColumn, QLatin1String(c.amount));
        calc.ration.recalcContributions(QStringLiteral("8"), QLatin1String(c.amount));
        ASSERT_EQ(calc.grid().text(row, calcium), QLatin1String(c.contribution));
        EXPECT_EQ(calc.grid().columnWidth(calcium), c.width);
        EXPECT_EQ(calc.grid().columnWidth(unselected), UnselectedWidth);
    }
    // A formula in the hidden formula row never widens its column.
    calc.grid().setText(FormulaRow, calcium, QStringLiteral("(AKTGEW ^ 0.75) * 100 * MEBED / 100"));
    calc.grid().setRowHeight(FormulaRow, 1);
    calc.ration.sumSupply();
    EXPECT_EQ(calc.grid().columnWidth(calcium), SelectedWidth);
}

TEST(RationGridsTest, SupplyIsTheSumOfTheExactContributionsRoundedOnce)
{
    // Phosphorus (two decimals): 12,34 and 0,66 g per 100 g. At 0,2 and 0,4 g
    // the rows show 0,02 and 0,00, while the ration holds 0,02468 + 0,00264.
    const struct
    {
        const char *first, *second, *firstShown, *secondShown, *supply;
    } cases[] = {{"100", "100", "12,34", "0,66", "13,00"}, {"0,2", "0,4", "0,02", "0,00", "0,03"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        Calc calc;
        calc.addRoundFeedstuffs();
        RationGrids& grids = calc.ration.grids();
        grids.appendFeedRow(QStringLiteral("8"), QStringLiteral("Prüffutter"), QLatin1String(c.first));
        grids.appendFeedRow(QStringLiteral("9"), QStringLiteral("Beifutter"), QLatin1String(c.second));
        calc.ration.recalcContributions(QStringLiteral("8"), QString());
        calc.ration.recalcContributions(QStringLiteral("9"), QString());
        EXPECT_EQ(calc.grid().text(FirstFeedRow, calc.column("15")), c.firstShown);
        EXPECT_EQ(calc.grid().text(FirstFeedRow + 1, calc.column("15")), c.secondShown);
        EXPECT_EQ(calc.supply("15"), c.supply);
        // A nutrient no feedstuff knows is supplied 0, not left open.
        EXPECT_EQ(calc.supply("24"), "0,0");
        EXPECT_EQ(calc.grid().background(SupplyRow, calc.column("15")), ComputedBackground);
        // Contents of an inactive nutrient or of an indicator have no column and are skipped.
        EXPECT_EQ(calc.grid().columnCount(), 3 + 6);
    }
}

TEST(RationGridsTest, AnEmptiedAmountTakesItsContributionsOutOfTheSupply)
{
    Calc calc;
    calc.addRoundFeedstuffs();
    const int row =
        calc.ration.grids().appendFeedRow(QStringLiteral("8"), QStringLiteral("Prüffutter"), QString());
    calc.grid().endEdit(row, 2, QStringLiteral("150"));
    calc.ration.recalcContributions(QStringLiteral("8"), QStringLiteral("150"));
    ASSERT_EQ(calc.supply("1"), "30,00");
    calc.grid().endEdit(row, 2, QString());
    calc.ration.recalcContributions(QStringLiteral("8"), QString());
    EXPECT_EQ(calc.grid().text(row, calc.column("1")), "");
    EXPECT_EQ(calc.supply("1"), "0,00");
}

TEST(RationGridsTest, ARationWithoutFeedstuffsHasAnEmptySupplyAndZeroVariables)
{
    Calc calc;
    calc.maintenanceDog();
    calc.ration.applyCaseNutrientSelection();
    calc.ration.loadIndicatorFormulas();
    calc.ration.recalcContributions(QString(), QString());
    EXPECT_EQ(calc.supply("1"), "");
    EXPECT_EQ(
        IndicatorCalculator::substitute(QStringLiteral("if P > 0 then CA / P else 0"), calc.ration.model()),
        "if (0) > 0 then (0) / (0) else 0");
    EXPECT_EQ(calc.profile().text(RequirementRow, 3), "0,00");
}

TEST(RationGridsTest, IndicatorsAreComputedFromTheExactSupply)
{
    Calc calc;
    calc.maintenanceDog();
    calc.ration.loadIndicatorFormulas();
    RationGrids& grids = calc.ration.grids();
    grids.appendFeedRow(QStringLiteral("1"), QStringLiteral("Huhn"), QStringLiteral("150"));
    grids.appendFeedRow(QStringLiteral("2"), QStringLiteral("Reis"), QStringLiteral("200,5"));
    calc.ration.recalcContributions(QStringLiteral("1"), QString());
    calc.ration.recalcContributions(QStringLiteral("2"), QString());
    const RationModel& model = calc.ration.model();
    const double ca = model.supplyOf(1).value_or(0.0);
    const double p = model.supplyOf(15).value_or(0.0);
    const double rp = model.supplyOf(24).value_or(0.0);
    const double me = model.supplyOf(9).value_or(0.0);
    ASSERT_GT(p, 0.0);
    ASSERT_GT(me, 0.0);
    EXPECT_EQ(calc.profile().text(RequirementRow, find(calc.profile(), "41")), NumberText::format(ca / p, 2));
    EXPECT_EQ(calc.profile().text(RequirementRow, find(calc.profile(), "42")),
              NumberText::format(rp / me, 1));
}

TEST(RationGridsTest, IndicatorVariablesAreSubstitutedInTheirOwnOrder)
{
    Calc calc;
    RationGrids& grids = calc.ration.grids();
    grids.appendFeedRow(QStringLiteral("1"), QStringLiteral("Huhn"), QStringLiteral("100"));
    calc.ration.recalcContributions(QStringLiteral("1"), QString());
    // Rp 31 and ME 0,632: RP and MEMJ must go in before P and ME could eat into
    // them. The supply goes in exactly, not as shown (0,63 and 0,23).
    EXPECT_EQ(IndicatorCalculator::substitute(QStringLiteral("RP/MEMJ+P"), grids.model()),
              "(31)/(0.632)+(0.228)");
    EXPECT_EQ(IndicatorCalculator::substitute(QStringLiteral("CU+NA+K+CL"), grids.model()),
              "(0)+(0)+(0)+(0)");
}

TEST(RationGridsTest, GrossAndDigestibleEnergyAreReadFromNutrientColumnsOnly)
{
    Calc calc;
    // Indicator columns with keys 49 and 50 and a figure must not feed GE and VE.
    RationModel& model = calc.ration.model();
    for (const auto& [key, figure] : {std::pair{49, 7.5}, std::pair{50, 2.5}}) {
        RationColumn indicator;
        indicator.key = key;
        indicator.supply = figure;
        model.indicators.push_back(indicator);
    }
    EXPECT_EQ(IndicatorCalculator::substitute(QStringLiteral("GE + VE"), model), "(0) + (0)");
}

TEST(RationGridsTest, StoredCaseModeRecomputesEveryFeedstuffOfTheCase)
{
    Calc calc;
    calc.ration.fillRationRows(QStringLiteral("1"));
    GridModel& g = calc.grid();
    ASSERT_EQ(g.rowCount(), FirstFeedRow + 2);
    EXPECT_EQ(g.text(FirstFeedRow, 0), "1");
    EXPECT_EQ(g.text(FirstFeedRow, 1), "Hühnerbrust, gekocht");
    EXPECT_EQ(g.text(FirstFeedRow, 2), "150,0");
    EXPECT_EQ(g.text(FirstFeedRow + 1, 2), "200,5");
    EXPECT_FALSE(g.isReadOnly(FirstFeedRow, 2));
    EXPECT_TRUE(g.isReadOnly(FirstFeedRow, 3));
    calc.header.pendingKey = QStringLiteral("1");
    // The arguments do not count while a case is being opened.
    calc.ration.recalcContributions(QStringLiteral("7"), QStringLiteral("999"));
    const int rp = calc.column("24");
    EXPECT_EQ(g.text(FirstFeedRow, rp), NumberText::format(31.0 * 150 * 0.01, 1));
    EXPECT_EQ(g.text(FirstFeedRow + 1, rp), NumberText::format(2.7 * 200.5 * 0.01, 1));
    EXPECT_EQ(calc.supply("24"), NumberText::format(NumberText::read(g.text(FirstFeedRow, rp)) +
                                                        NumberText::read(g.text(FirstFeedRow + 1, rp)),
                                                    1));
    // Filling again replaces the rows.
    calc.ration.fillRationRows(QStringLiteral("2"));
    EXPECT_EQ(g.rowCount(), FirstFeedRow + 1);
}

TEST(RationGridsTest, LookupsFindTheFirstColumnWithTheKeyOrNothing)
{
    Calc calc;
    calc.maintenanceDog();
    calc.ration.loadRequirementFormulas();
    EXPECT_EQ(calc.requirement("99"), "");
    EXPECT_EQ(calc.requirement("41"), "");
    EXPECT_EQ(calc.supply("99"), "");
    EXPECT_EQ(calc.requirement("1"), "2,00");
}

TEST(RationGridsTest, StoredRationRowsCarryTheAmountAsANumber)
{
    Calc calc;
    RationGrids& grids = calc.ration.grids();
    grids.appendFeedRow(QStringLiteral("1"), QStringLiteral("Huhn"), QStringLiteral("12,5"));
    grids.appendFeedRow(QStringLiteral("2"), QStringLiteral("Reis"), QString());
    ASSERT_TRUE(CaseRecords::insertRation(calc.db.context(), QStringLiteral("77"), calc.ration.model()));
    EXPECT_EQ(calc.db.rawRows(QStringLiteral(
                  "SELECT ID_Futtermittel, TagRat FROM T_REZ_FM WHERE ID_Rezept = 77 ORDER BY ID")),
              (QStringList{"1\t12.5", "2\t0.0"}));
}

// A supplement weighed in hundredths of a gram, or a pure substance given
// to four significant digits down to a hundredth of a milligram, comes back
// as stored; shown with fewer decimals it read 0,0 and dropped out of the
// supply.
TEST(RationGridsTest, ReopenedAmountsKeepTheirDecimals)
{
    const QString amounts[] = {"150", "0,04", "0,0002234", "0,00001235", "12,34"};
    const QString shown[] = {"150,0", "0,04", "0,0002234", "0,00001235", "12,34"};
    Calc calc;
    RationGrids& grids = calc.ration.grids();
    for (int i = 0; i < 5; ++i)
        grids.appendFeedRow(QString::number(i + 1), QStringLiteral("Futter"), amounts[i]);
    ASSERT_TRUE(CaseRecords::insertRation(calc.db.context(), QStringLiteral("77"), calc.ration.model()));
    calc.ration.fillRationRows(QStringLiteral("77"));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(calc.grid().text(FirstFeedRow + i, 2), shown[i]) << i;
}

} // namespace
