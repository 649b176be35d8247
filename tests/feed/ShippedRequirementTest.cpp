#include "ShippedCase.h"
#include "ShippedDatabase.h"
#include "core/NumberText.h"
#include "ration/RequirementFormula.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

struct Inputs
{
    const char* actual = "";
    const char* target = "";
    const char* adult = "";
    const char* weeks = "";
    const char* puppies = "";
    bool ribs = false;
    const char* energy = "100";
};

class ShippedRequirementTest : public ShippedDataTest
{
protected:
    // A case of the type with these header values, its formulas placed and evaluated.
    static std::unique_ptr<ShippedCase> open(int caseType, const Inputs& in)
    {
        auto c = std::make_unique<ShippedCase>(shipped());
        enter(*c, in);
        c->choose(caseType);
        return c;
    }
    static void enter(ShippedCase& c, const Inputs& in)
    {
        CaseInputs& h = c.header();
        h.actual = QString::fromUtf8(in.actual);
        h.target = QString::fromUtf8(in.target);
        h.adult = QString::fromUtf8(in.adult);
        h.age = QString::fromUtf8(in.weeks);
        h.puppyCount = QString::fromUtf8(in.puppies);
        h.ribs = in.ribs;
        h.energy = QString::fromUtf8(in.energy);
    }
};

// The variables as the requirement calculation puts them into a formula of
// the case, with the energy requirements as the grid shows them.
CaseVariables variablesOf(const ShippedCase& c, const CaseInputs& h)
{
    CaseVariables v;
    v.species = QString::number(h.species);
    v.sex = QString::number(h.sex);
    v.actualWeight = h.actual;
    v.targetWeight = h.target;
    v.energyPercent = h.energy;
    v.puppies = h.puppyCount;
    v.adultWeight = h.adult;
    v.ageWeeks = h.age;
    v.ribs = h.ribs ? QStringLiteral("1") : QStringLiteral("0");
    v.energyKcal61 = c.requirement(61);
    v.energyKcal60 = c.requirement(60);
    return v;
}

double evaluated(const QString& formula, const CaseVariables& v)
{
    return RequirementFormula::evaluate(RequirementFormula::substitute(formula, v));
}

int decimalsOf(const char* number)
{
    const char* point = std::strchr(number, '.');
    return point ? int(std::strlen(point + 1)) : 0;
}

// A requirement agrees with a published figure when the two differ by no more
// than their roundings: the shown decimals, the figure's own digits, and, for
// a formula that reads the energy, the whole kcal the grid shows for it.
void expectAgrees(ShippedCase& c, int key, const char* published)
{
    const QString formula = c.formula(key);
    ASSERT_FALSE(formula.isEmpty()) << "no formula for nutrient " << key;
    double tolerance = 0.5 * std::pow(10.0, -c.decimals(key)) + 0.5 * std::pow(10.0, -decimalsOf(published));
    if (formula.contains(QLatin1String("RMEKC"))) {
        CaseVariables v = variablesOf(c, c.header());
        const double kcal = NumberText::read(v.energyKcal60);
        v.energyKcal60 = QString::number(kcal + 0.5);
        const double above = evaluated(formula, v);
        v.energyKcal60 = QString::number(kcal - 0.5);
        tolerance += std::fabs(above - evaluated(formula, v)) / 2.0;
    }
    EXPECT_LE(std::fabs(NumberText::read(c.requirement(key)) - std::atof(published)), tolerance + 1e-9)
        << "nutrient " << key << ": shown " << c.requirement(key).toStdString() << ", published "
        << published;
}

// Published test values of the requirement formulas (all at 100 % energy): the
// case types that carry each formula set, the inputs, and kcal, MJ, crude
// protein, Ca, P, Zn, vitamin A.
struct PublishedVector
{
    const char* set;
    std::vector<int> caseTypes;
    Inputs inputs;
    const char* values[7];
};

const int kVectorKeys[7] = {60, 9, 24, 1, 15, 20, 2};

const PublishedVector kVectors[] = {
    {"puppy, early growth",
     {1, 2},
     {"3", "", "8", "11"},
     {"589", "2.466", "36.8", "1.474", "1.326", "14.7", "737"}},
    {"puppy, late growth, up to 15 kg",
     {1, 2},
     {"5", "", "10", "20"},
     {"761", "3.185", "38.1", "1.522", "1.332", "19.0", "952"}},
    {"puppy, late growth, above 15 kg",
     {1, 2},
     {"15", "", "35", "20"},
     {"1867", "7.811", "93.3", "4.667", "3.267", "46.7", "2334"}},
    {"puppy, stage by age",
     {1, 2},
     {"15", "", "35", "30"},
     {"1867", "7.811", "93.3", "3.734", "3.267", "46.7", "2334"}},
    {"bitch, lactation",
     {5},
     {"20", "20", "", "", "6"},
     {"3771", "15.8", "236", "9.428", "8.485", "94.3", "4714"}},
    {"queen, lactation",
     {6},
     {"4", "4", "", "", "4"},
     {"493", "2.063", "37.0", "1.233", "1.036", "9.25", "1110"}},
    {"adult dog", {7, 8}, {"20", "20"}, {"1040", "4.353", "46.8", "1.300", "1.040", "18.7", "1576"}},
    {"adult cat",
     {9, 10},
     {"4", "4", "", "", "", true},
     {"253", "1.059", "15.8", "0.253", "0.162", "4.75", "211"}},
    {"dog, weight reduction",
     {13, 14},
     {"26", "20"},
     {"662", "2.770", "46.8", "1.300", "1.040", "18.7", "1576"}},
    {"cat, weight reduction",
     {15, 16},
     {"5.5", "4"},
     {"158", "0.663", "15.8", "0.253", "0.162", "4.75", "211"}},
    {"senior dog", {17, 18}, {"20", "20"}, {"898", "3.759", "46.8", "1.300", "1.040", "18.7", "1576"}},
    {"senior cat",
     {19, 20},
     {"6", "5", "", "", "", false},
     {"266", "1.114", "18.4", "0.294", "0.188", "5.51", "245"}},
    {"dog, kidney disease",
     {21, 22},
     {"19", "20"},
     {"1040", "4.353", "44.2", "1.300", "0.910", "18.7", "1576"}},
    {"cat, kidney disease",
     {23, 24},
     {"4", "4", "", "", "", true},
     {"253", "1.059", "19.9", "0.253", "0.285", "4.75", "211"}},
    // The header asks for the expected adult weight of a growing animal, not its target weight.
    {"kitten", {3, 4}, {"1.5", "", "4", "12"}, {"295", "1.235", "20.7", "0.738", "0.620", "5.54", "664"}},
};

TEST_F(ShippedRequirementTest, PublishedTestValuesComeOutOfTheRequirementCalculation)
{
    for (const PublishedVector& vector : kVectors) {
        for (int caseType : vector.caseTypes) {
            SCOPED_TRACE(std::string(vector.set) + ", case type " + std::to_string(caseType));
            const auto c = open(caseType, vector.inputs);
            for (int i = 0; i < 7; ++i)
                expectAgrees(*c, kVectorKeys[i], vector.values[i]);
        }
    }
}

// Single published figures: the energy of litter sizes, gestation and reduced
// energy, and the FEDIAF folic acid minimum (per 1000 kcal: 64.5 for adult
// dogs at 110 kcal/kg^0.75, 54 for growth and reproduction; none for cats).
TEST_F(ShippedRequirementTest, PublishedEnergyOfLitterSizesGestationAndReducedEnergyAndFolicAcid)
{
    const struct
    {
        int caseType;
        Inputs inputs;
        int key;
        const char* published;
    } cases[] = {
        {5, {"20", "20", "", "", "3"}, 60, "2811"},
        {5, {"20", "20", "", "", "6"}, 60, "3771"},
        {5, {"20", "20", "", "", "10"}, 60, "4251"},
        {6, {"4", "4", "", "", "2"}, 60, "325"},
        {6, {"4", "4", "", "", "4"}, 60, "493"},
        {6, {"4", "4", "", "", "6"}, 60, "533"},
        {29, {"20", "20"}, 60, "1768"},
        {30, {"4", "4"}, 60, "354"},
        {7, {"20", "20", "", "", "", false, "86.4"}, 60, "899"},
        // 64.5 ug/1000 kcal x 1040 kcal; the adult rows keep it when the energy is lowered.
        {7, {"20", "20"}, 28, "67.1"},
        {13, {"26", "20"}, 28, "67.1"},
        {7, {"20", "20", "", "", "", false, "86.4"}, 28, "67.1"},
        // 54 ug/1000 kcal x 1768 and 589 kcal.
        {29, {"20", "20"}, 28, "95.5"},
        {1, {"3", "", "8", "11"}, 28, "31.8"},
        {9, {"4", "4", "", "", "", true}, 28, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("case type " + std::to_string(c.caseType) + ", nutrient " + std::to_string(c.key) +
                     ": " + (c.published ? c.published : "none"));
        const auto shown = open(c.caseType, c.inputs);
        if (c.published)
            expectAgrees(*shown, c.key, c.published);
        else
            EXPECT_TRUE(shown->formula(c.key).isEmpty());
    }
}

TEST_F(ShippedRequirementTest, AdultDogAndLeanCatGetTheEnergyAVetExpects)
{
    const struct
    {
        int caseType;
        Inputs inputs;
        double kcal;
    } cases[] = {
        {7, {"20", "20"}, 1040.0},
        {8, {"20", "20"}, 1040.0}, // 20 kg dog
        {9, {"4", "4", "", "", "", true}, 253.0},
        {10, {"4", "4", "", "", "", true}, 253.0}, // 4 kg lean cat
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caseType);
        const double shown = NumberText::read(open(c.caseType, c.inputs)->requirement(60));
        EXPECT_NEAR(shown, c.kcal, c.kcal * 0.01);
    }
}

// A typical animal of every case type: every formula gives a finite, non-negative
// number and the energy is positive.
TEST_F(ShippedRequirementTest, EveryFormulaGivesAFiniteNonNegativeNumberForATypicalAnimal)
{
    const struct
    {
        int caseType;
        Inputs inputs;
    } animals[] = {
        {1, {"6", "", "25", "12"}},
        {2, {"2", "", "6", "9"}},
        {3, {"1.2", "", "4", "10"}},
        {4, {"2.5", "", "4", "24"}},
        {5, {"25", "25", "", "", "7"}},
        {6, {"3.5", "3.5", "", "", "4"}},
        {7, {"30", "28"}},
        {8, {"8", "8"}},
        {9, {"4.5", "4.5", "", "", "", true}},
        {10, {"5", "4.5", "", "", "", false}},
        {13, {"35", "28"}},
        {14, {"12", "9"}},
        {15, {"7", "5"}},
        {16, {"6", "4.5"}},
        {17, {"25", "25", "", "520"}},
        {18, {"10", "10", "", "600"}},
        {19, {"4", "4", "", "700", "", true}},
        {20, {"3.2", "3.5", "", "800", "", false}},
        {21, {"18", "20", "", "550"}},
        {22, {"7", "7"}},
        {23, {"3.8", "4", "", "750", "", true}},
        {24, {"4", "4", "", "", "", false}},
        {29, {"28", "27"}},
        {30, {"4.2", "3.8"}},
    };
    EXPECT_EQ(std::size(animals), size_t(value(QStringLiteral("SELECT COUNT(*) FROM T_FALL")).toInt()));
    for (const auto& animal : animals) {
        SCOPED_TRACE("case type " + std::to_string(animal.caseType));
        const auto c = open(animal.caseType, animal.inputs);
        const CaseVariables v = variablesOf(*c, c->header());
        int formulas = 0;
        for (int key : c->nutrientKeys()) {
            const QString formula = c->formula(key);
            if (formula.isEmpty())
                continue;
            ++formulas;
            const double raw = evaluated(formula, v);
            EXPECT_TRUE(std::isfinite(raw) && raw >= 0.0) << "nutrient " << key << ": " << raw;
        }
        EXPECT_GT(formulas, 25);
        EXPECT_GT(NumberText::read(c->requirement(60)), 0.0);
        EXPECT_GT(NumberText::read(c->requirement(9)), 0.0);
    }
}

// The calculation reads the energy from the grid as it stands while it works
// through the columns: the energy must come first.
TEST_F(ShippedRequirementTest, EnergyIsComputedBeforeEveryFormulaThatReadsIt)
{
    const auto sortOf = [&](int key) {
        return value(QStringLiteral("SELECT SORT FROM T_NAEHRSTOFFE WHERE ID = %1").arg(key)).toInt();
    };
    // Through the program's layer, whose LIKE the server gets translated.
    const std::vector<QStringList> none;
    for (const auto& [variable, energyKey] : {std::pair{"RMEKC", 60}, std::pair{"AMEKC", 61}}) {
        SCOPED_TRACE(variable);
        EXPECT_EQ(selectRows(db(),
                             QStringLiteral(
                                 "SELECT BERTYP_FALL, ID_NAEHRSTOFF FROM T_BEDARF INNER JOIN T_NAEHRSTOFFE "
                                 "ON T_NAEHRSTOFFE.ID = ID_NAEHRSTOFF WHERE KZ_IK = 'I' AND "
                                 "WERT_FORMEL LIKE '%%1%' AND SORT <= %2")
                                 .arg(QLatin1String(variable))
                                 .arg(sortOf(energyKey)),
                             {QStringLiteral("BERTYP_FALL"), QStringLiteral("ID_NAEHRSTOFF")}),
                  none);
    }
    EXPECT_EQ(selectRows(db(),
                         QStringLiteral("SELECT ID FROM T_BEDARF WHERE ID_NAEHRSTOFF IN (9, 60, 61) AND "
                                        "(WERT_FORMEL LIKE '%RMEKC%' OR WERT_FORMEL LIKE '%AMEKC%')"),
                         {QStringLiteral("ID")}),
              none);
}

// A change of the birth date evaluates the formulas again without clearing the
// requirement row first: every column must still see this pass's energy.
TEST_F(ShippedRequirementTest, ResultDoesNotDependOnWhatTheGridShowedBefore)
{
    const struct
    {
        int caseType;
        Inputs before;
        Inputs now;
    } cases[] = {
        {1, {"9", "", "20", "20"}, {"5", "", "10", "20"}},
        {5, {"40", "40", "", "", "8"}, {"20", "20", "", "", "6"}},
        {6, {"5", "5", "", "", "6"}, {"4", "4", "", "", "2"}},
        {7, {"45", "45"}, {"20", "20"}},
        {9, {"7", "7", "", "", "", true}, {"4", "4", "", "", "", true}},
        {21, {"40", "40"}, {"20", "20"}},
        {23, {"6", "6", "", "", "", true}, {"4", "4", "", "", "", true}},
        {29, {"40", "40"}, {"20", "20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caseType);
        const auto fresh = open(c.caseType, c.now);
        const auto reused = open(c.caseType, c.before);
        ASSERT_NE(reused->requirement(60), fresh->requirement(60));
        enter(*reused, c.now);
        reused->evaluateAgain();
        for (int key : fresh->nutrientKeys())
            EXPECT_EQ(reused->requirement(key), fresh->requirement(key)) << key;
    }
}

} // namespace
