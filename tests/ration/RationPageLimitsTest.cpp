#include "ration/RationPageLimits.h"
#include "core/NumberText.h"
#include "support/CaseWindowLogic.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace NutrientColumns;

TEST(RationPageLimitsTest, MaximumRowMarksAndBasisOfChickenRiceAndCodLiverOil)
{
    const struct
    {
        QString language, incomplete, vitaminAOver, perDay, perKcal, ratioOver, units;
    } languages[] = {
        {"DE", "Ohne Gehaltsangabe, nicht mitgezählt: Hähnchenbrustfilet, roh; Reis, weiß, Langkorn, gekocht",
         "Höchstwert %1 IE (FEDIAF 2025 nutritional maximum)", "pro Tag", "pro 1000 kcal ME",
         "Höchstwert 2,00 (FEDIAF 2025 nutritional maximum, adult)", "Einheiten"},
        {"US",
         "No content stored, not counted: Chicken breast, skinless, raw; Rice, white, long-grain, cooked "
         "(unenriched)",
         "Maximum %1 IU (FEDIAF 2025 nutritional maximum)", "per day", "per 1000 kcal ME",
         "Maximum 2,00 (FEDIAF 2025 nutritional maximum, adult)", "Units"},
    };
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language.toStdString());
        CaseWindowLogic w(l.language, TestDatabase::Data::Shipped);
        ASSERT_TRUE(w.db().isValid());
        EXPECT_EQ(w.page().basisLabels().value(0), l.perDay);
        // No species, no maxima: the row stays closed.
        EXPECT_EQ(w.grid().rowHeight(MaximumRow), 0);
        w.chooseAdultDog();
        EXPECT_EQ(w.grid().rowHeight(MaximumRow), 20);

        w.pickWithAmount(24, QStringLiteral("400"));
        const int rice = w.pickWithAmount(89, QStringLiteral("500"));
        // No USDA food gives digestible crude protein.
        const int digestible = w.column(10);
        EXPECT_EQ(w.grid().text(MaximumRow, w.column(2)), "104000");
        EXPECT_EQ(w.grid().toolTip(SupplyRow, digestible), l.incomplete);
        EXPECT_TRUE(w.grid().font(SupplyRow, digestible).italic);
        EXPECT_EQ(w.grid().textColor(SupplyRow, w.column(2)), w.grid().defaultTextColor());
        EXPECT_EQ(w.grid().text(MaximumRow, digestible), "");

        w.pickWithAmount(146, QStringLiteral("150"));
        for (int key : {2, 5}) {
            EXPECT_EQ(w.grid().textColor(SupplyRow, w.column(key)), RationPageLimits::OverColour) << key;
            EXPECT_FALSE(w.grid().font(SupplyRow, w.column(key)).italic) << key;
        }
        EXPECT_EQ(w.grid().toolTip(SupplyRow, w.column(2)),
                  l.vitaminAOver.arg(w.grid().text(MaximumRow, w.column(2))));

        // Per 1000 kcal: every figure over the supplied energy, the amounts
        // as typed and the held figures per day.
        const QString dailySupply = w.grid().text(SupplyRow, w.column(2));
        const double kcal = NumberText::read(w.grid().text(SupplyRow, w.column(60)));
        w.page().userChoseBasis(1);
        EXPECT_EQ(w.shown(SupplyRow, 60), "1000");
        EXPECT_EQ(w.grid().shownText(UnitRow, 1), l.units + QLatin1Char(' ') + l.perKcal);
        EXPECT_EQ(w.shown(SupplyRow, 2),
                  NumberText::format(NumberText::read(dailySupply) * 1000.0 / kcal, 0));
        EXPECT_EQ(w.grid().text(SupplyRow, w.column(2)), dailySupply);
        EXPECT_EQ(w.grid().text(rice, 2), "500");
        EXPECT_TRUE(w.page().printHeading().endsWith(QStringLiteral("  / ") + l.perKcal));
        // An amount typed in that view is grams per day; the view follows.
        w.grid().endEdit(rice, 2, QStringLiteral("250"));
        EXPECT_NE(w.grid().text(SupplyRow, w.column(60)), NumberText::format(kcal, 0));
        EXPECT_EQ(w.shown(SupplyRow, 60), "1000");

        w.page().userChoseBasis(0);
        EXPECT_EQ(w.shown(SupplyRow, 2), w.grid().text(SupplyRow, w.column(2)));
        EXPECT_FALSE(w.page().printHeading().contains(l.perDay));

        // Calcium carbonate lifts Ca : P above its maximum in the profile.
        const GridModel& profile = w.form.ration().profileGrid();
        const int ratio = find(profile, QStringLiteral("42"));
        EXPECT_EQ(profile.textColor(RequirementRow, ratio), profile.defaultTextColor());
        w.pickWithAmount(157, QStringLiteral("20"));
        EXPECT_EQ(profile.textColor(RequirementRow, ratio), RationPageLimits::OverColour);
        EXPECT_EQ(profile.toolTip(RequirementRow, ratio), l.ratioOver);
    }
}

// A growing puppy fed a moist home-made ration, short, full or overfed: every
// maximum stands above its requirement, scaled by the energy the puppy needs
// as the requirement is (zinc's legal limit of 22.7 mg per 100 g dry matter
// at 4000 kcal per kg). A source maximum below the requirement shows the
// requirement, marked and explained.
TEST(RationPageLimitsTest, AGrowingPuppysMaximaStandAboveItsRequirementsHoweverMoistItsRation)
{
    const struct
    {
        const char* language;
        const char* crossedTip;
    } languages[] = {
        {"DE",
         "Die Quelle nennt als Höchstwert %1 mg (tiny), weniger als den Bedarf; gezeigt ist der Bedarf."},
        {"US",
         "The source gives a maximum of %1 mg (tiny), below the requirement; the requirement is shown."},
    };
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        CaseWindowLogic w(QString::fromLatin1(l.language), TestDatabase::Data::Shipped);
        w.chooseDogCase(1);
        w.form.setActualWeight(QStringLiteral("6"));
        w.form.setTargetWeight(QStringLiteral("6"));
        w.form.setAdultWeight(QStringLiteral("30"));
        w.form.userChangedBirthDate(TestDatabase::pinnedNow().date().addDays(-140));
        const double kcal = NumberText::read(w.grid().text(RequirementRow, w.column(60)));
        ASSERT_GT(kcal, 0.0);
        for (const char* chicken : {"200", "900", "3000"}) {
            SCOPED_TRACE(chicken);
            w.pickWithAmount(24, QString::fromLatin1(chicken));
            EXPECT_EQ(w.grid().text(MaximumRow, w.column(20)), NumberText::format(56.75 * kcal / 1000.0, 2));
            EXPECT_EQ(w.grid().text(MaximumRow, w.column(1)), NumberText::format(4.5 * kcal / 1000.0, 3));
            for (int c = FirstColumn; c < w.grid().columnCount(); ++c) {
                const QString maximum = w.grid().text(MaximumRow, c);
                if (!maximum.isEmpty()) {
                    EXPECT_GE(NumberText::read(maximum), NumberText::read(w.grid().text(RequirementRow, c)))
                        << w.grid().text(NameRow, c).toStdString();
                }
                EXPECT_EQ(w.grid().toolTip(MaximumRow, c), "");
            }
        }
        // A maximum the practice stored below the requirement.
        ASSERT_TRUE(w.db().rawExec(
            QStringLiteral("INSERT INTO T_HOECHSTWERT (ID, ID_GATTUNG, ID_NAEHRSTOFF, WERT, "
                           "BEZUG, QUELLE, AKTIV) VALUES (99, 2, 20, 0.1, 'TS', 'tiny', -1)")));
        w.pickWithAmount(24, QStringLiteral("800"));
        const int zinc = w.column(20);
        EXPECT_EQ(w.grid().text(MaximumRow, zinc), w.grid().text(RequirementRow, zinc));
        EXPECT_TRUE(w.grid().font(MaximumRow, zinc).italic);
        EXPECT_EQ(w.grid().toolTip(MaximumRow, zinc),
                  QString::fromUtf8(l.crossedTip).arg(NumberText::format(0.25 * kcal / 1000.0, 2)));
        EXPECT_EQ(w.grid().textColor(SupplyRow, zinc), w.grid().defaultTextColor());
    }
}
