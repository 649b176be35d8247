#include "core/Prompt.h"
#include "output/CaseHeaderTexts.h"
#include "output/CoveragePage.h"
#include "output/GrowthPage.h"
#include "output/PracticeDetails.h"
#include "output/RecipePage.h"
#include "output/StoredCase.h"
#include "output/WeightCheckPage.h"
#include "ration/CaseHeaderForm.h"
#include "ration/CaseRecord.h"
#include "ration/NutrientColumns.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

// The pages over a case opened from the fixture, as a case window shows it.
class StoredCasePages : public ::testing::Test
{
protected:
    void open(const QString& key, const QString& language = QStringLiteral("DE"))
    {
        db = std::make_unique<TestDatabase>(TestDatabase::Data::Fixture, language);
        ASSERT_TRUE(db->isValid());
        form = std::make_unique<CaseHeaderForm>(db->context(), prompt);
        ASSERT_TRUE(StoredCase::open(db->context(), *form, key));
        texts = std::make_unique<FormHeaderTexts>(*form);
    }

    RecordingPrompt prompt;
    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<CaseHeaderForm> form;
    std::unique_ptr<FormHeaderTexts> texts;
};

TEST_F(StoredCasePages, HeaderTextsAreTheFormsShownTexts)
{
    open(QStringLiteral("1"), QStringLiteral("US"));
    EXPECT_EQ(texts->salutation(), "Mr.");
    EXPECT_EQ(texts->ownerName(), "Müller");
    EXPECT_EQ(texts->patientName(), "Bello");
    EXPECT_EQ(texts->species(), "Dog");
    EXPECT_EQ(texts->sex(), "M");
    EXPECT_EQ(texts->breed(), "Dachshund");
    EXPECT_EQ(texts->caseType(), "Maintenance male dog");
    EXPECT_EQ(texts->title(), "Erhaltung");
    EXPECT_EQ(texts->actualWeight(), form->actualWeight());
    EXPECT_EQ(texts->targetWeight(), form->targetWeight());
    EXPECT_EQ(texts->adultWeight(), form->adultWeight());
    EXPECT_EQ(texts->ageWeeks(), form->ageWeeks());
}

TEST_F(StoredCasePages, TheRecipeListsTheRationOfTheCase)
{
    open(QStringLiteral("1"));
    RecipePage page(db->context(), *texts, form->ration().model(), form->recipe());
    page.build();
    const GridModel& g = page.grid();
    ASSERT_EQ(page.feedRowCount(), 2);
    EXPECT_EQ(g.text(16, RecipePage::AmountColumn), "150,0");
    EXPECT_EQ(g.text(16, RecipePage::NameColumn), "Hühnerbrust, gekocht");
    EXPECT_EQ(g.text(16, RecipePage::ShareColumn), "43");
    EXPECT_EQ(g.text(17, RecipePage::ShareColumn), "57");
    EXPECT_EQ(g.text(8, RecipePage::NameColumn), "Ausstelldatum: 03.04.2024");
    EXPECT_EQ(page.textList().count(), 2);

    // The practice's letterhead in rows 1 to 4, an empty field leaving its
    // part out, and the logo beside the title.
    PracticeDetails practice;
    practice.name = QStringLiteral("Praxis Dr. O'Neil");
    practice.address1 = QStringLiteral("Hauptstr. 1");
    practice.phone = QStringLiteral("0123 456");
    practice.web = QStringLiteral("praxis.de");
    practice.logo = "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10'/>";
    ASSERT_TRUE(PracticeDetailsStore::write(db->context(), practice));
    page.rebuild();
    QStringList letterhead;
    for (int row = RecipePage::LetterheadRow; row < RecipePage::LetterheadRow + 4; ++row)
        letterhead << g.text(row, RecipePage::NameColumn);
    EXPECT_EQ(letterhead, (QStringList{"Praxis Dr. O'Neil", "Hauptstr. 1", "", "0123 456 · praxis.de"}));
    EXPECT_EQ(g.image(0, RecipePage::NameColumn), practice.logo);
}

// The handout's choices and text blocks are stored with the case and come
// back with it; the recipe is then in its own language, whatever the
// program's: the header's names, the feedstuffs and the blocks.
TEST_F(StoredCasePages, TheRecipesChoicesAndTextBlocksAreStoredWithTheCase)
{
    open(QStringLiteral("1"));
    RecipeChoices& choices = form->recipe();
    choices.meals = 3;
    choices.batchDays = 7;
    choices.language = QStringLiteral("US");
    choices.textBlocks = {{QStringLiteral("Frisches Wasser."), QStringLiteral("Fresh water.")},
                          {QStringLiteral("O'Briens Flocken'); DROP TABLE T_REZ_TEXT; --"), QString()}};
    form->setTitle(QStringLiteral("Woche"));
    ASSERT_TRUE(form->saveCase()) << prompt.lastText().toStdString();

    CaseHeaderForm reopened(db->context(), prompt);
    ASSERT_TRUE(StoredCase::open(db->context(), reopened, form->savedCaseKey()));
    EXPECT_EQ(reopened.recipe().meals, 3);
    EXPECT_EQ(reopened.recipe().batchDays, 7);
    const FormHeaderTexts header(reopened);
    RecipePage page(db->context(), header, reopened.ration().model(), reopened.recipe());
    page.build();
    const GridModel& g = page.grid();
    const int name = RecipePage::NameColumn;
    EXPECT_EQ(g.text(0, name), "RECIPE");
    EXPECT_EQ(g.text(10, name), "Patient: Bello (Dog male) Dachshund ");
    EXPECT_EQ(g.text(13, RecipePage::MealColumn), "g/meal");
    EXPECT_EQ(g.text(16, name), "Chicken breast, cooked");
    ASSERT_EQ(g.rowCount(), page.firstTextRow() + 2);
    EXPECT_EQ(g.text(page.firstTextRow(), name), "Fresh water.");
    // A block without an English text prints its German one.
    EXPECT_EQ(g.text(page.firstTextRow() + 1, name), choices.textBlocks[1].german);

    // The case it was made from keeps its own choices: none.
    CaseHeaderForm original(db->context(), prompt);
    ASSERT_TRUE(StoredCase::open(db->context(), original, QStringLiteral("1")));
    EXPECT_EQ(original.recipe().meals, 0);
    EXPECT_TRUE(original.recipe().textBlocks.empty());
}

TEST_F(StoredCasePages, TheCoverageLeavesOutKey61)
{
    open(QStringLiteral("1"));
    const GridModel& ration = form->ration().rationGrid();
    int marked61 = 0;
    for (int c = 3; c < ration.columnCount(); ++c)
        marked61 += ration.text(NutrientColumns::MarkRow, c) == QLatin1String("x") &&
                    ration.text(NutrientColumns::KeyRow, c) == QLatin1String("61");
    ASSERT_EQ(marked61, 1);

    CoveragePage page(db->context().languageCode(), *texts, form->ration().model());
    page.build();
    for (const CoveragePage::Bar& bar : page.bars())
        EXPECT_NE(bar.label, "ME kcal");
    EXPECT_FALSE(page.bars().empty());
    EXPECT_EQ(page.chart().title(),
              "Bedarfsdeckung für Bello (Hund/m) Erhaltung Rüde  / Müller  / Erhaltung");
}

TEST_F(StoredCasePages, GrowthAndWeightReadTheHeaderFields)
{
    open(QStringLiteral("3"));
    // Born on 10 January 2024, twelve weeks old on the pinned day.
    ASSERT_EQ(form->ageWeeks(), "12");
    GrowthPage growth(db->context().languageCode(), *texts);
    growth.build();
    EXPECT_EQ(growth.chart().axisMax(), 20);
    EXPECT_EQ(growth.chart().value(1, 4), 10.0);
    EXPECT_EQ(growth.chart().value(1, 5), 0.0);

    open(QStringLiteral("2"));
    WeightCheckPage weight(db->context().languageCode(), *texts);
    weight.build();
    // The stored 4.5 kg is shown with a point: 4.5 * 100 / 4 - 100 = 12.5,
    // which "%.0f" rounds to the even 12.
    ASSERT_EQ(texts->actualWeight(), "4.5");
    EXPECT_EQ(weight.overweightText(), "12");
    EXPECT_DOUBLE_EQ(weight.chart().value(0, 0).value_or(0), 4.5);
}

// A typed rate comes back with the saved case, a weight typed with a comma with a point.
TEST_F(StoredCasePages, TheWeightCheckComesBackAsItWasShown)
{
    const struct
    {
        const char *key, *actual, *rate, *overweight, *rateReopened;
    } cases[] = {
        {"1", "20", "2,0", "11", "2,0"},
        {"1", "24,4", "", "36", "1.5"}, // 24.4 * 100 / 18 - 100, not 24 kg's 33
        {"2", "4.5", "", "12", "1.5"},  // stored before the case kept the figures
        {"1", "20", "3'); DROP TABLE T_PAT_REZ; --", "11", "3,0"},
    };
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.key));
        form->setActualWeight(QString::fromLatin1(c.actual));
        WeightCheckPage shown(QStringLiteral("DE"), *texts);
        shown.keepFiguresIn(form->weightCheck());
        shown.setRateText(QString::fromLatin1(c.rate));
        shown.build();
        EXPECT_EQ(shown.overweightText(), c.overweight);
        form->setTitle(QStringLiteral("Gewichts-Check"));
        ASSERT_TRUE(form->saveCase()) << prompt.lastText().toStdString();
        CaseHeaderForm reopened(db->context(), prompt);
        ASSERT_TRUE(StoredCase::open(db->context(), reopened, form->savedCaseKey()));
        const FormHeaderTexts header(reopened);
        WeightCheckPage again(QStringLiteral("DE"), header);
        again.keepFiguresIn(reopened.weightCheck());
        again.build();
        EXPECT_EQ(again.overweightText(), c.overweight);
        EXPECT_EQ(again.rateText(), c.rateReopened);
        EXPECT_EQ(reopened.weightCheck().overweight, QString::fromLatin1(c.overweight).toDouble());
    }
}

TEST_F(StoredCasePages, AnUnknownCaseIsNotOpened)
{
    db = std::make_unique<TestDatabase>();
    CaseHeaderForm other(db->context(), prompt);
    EXPECT_FALSE(StoredCase::open(db->context(), other, QStringLiteral("99")));
    EXPECT_FALSE(StoredCase::open(db->context(), other, QStringLiteral("1; DROP TABLE T_PAT_REZ")));
    EXPECT_TRUE(StoredCase::exists(db->context(), QStringLiteral("2")));
}

} // namespace
