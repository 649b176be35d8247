#include "output/RecipePage.h"
#include "core/Prompt.h"
#include "output/CaseHeaderTexts.h"
#include "ration/CaseRecord.h"
#include "support/RationModelStub.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using Page = RecipePage;

HeaderTextValues bello()
{
    HeaderTextValues h;
    h.salutationText = QStringLiteral("Herr");
    h.owner = QStringLiteral("Müller");
    h.patient = QStringLiteral("Bello");
    h.speciesText = QStringLiteral("Hund");
    h.sexText = QStringLiteral("M");
    h.breedText = QStringLiteral("Dackel");
    h.titleText = QStringLiteral("Erhaltung");
    return h;
}

struct ShareCase
{
    const char* name;
    QStringList amounts;
    QStringList shownAmounts;
    QStringList shares;
};

class RecipeShares : public ::testing::TestWithParam<ShareCase>
{
};

TEST_P(RecipeShares, EachFeedstuffRowShowsItsAmountAndShare)
{
    const ShareCase& c = GetParam();
    TestDatabase db;
    ASSERT_TRUE(db.isValid());
    RationModelStub ration;
    for (int i = 0; i < c.amounts.size(); ++i)
        ration.addFeed(QStringLiteral("Futter %1").arg(i + 1), c.amounts[i]);
    const HeaderTextValues header = bello();
    RecipeChoices choices;
    Page page(db.context(), header, ration.model, choices);
    page.buildRecipeGrid();

    const GridModel& g = page.grid();
    ASSERT_EQ(g.rowCount(), Page::FirstFeedRow + c.amounts.size());
    ASSERT_EQ(page.feedRowCount(), c.amounts.size());
    for (int i = 0; i < c.amounts.size(); ++i) {
        const int row = Page::FirstFeedRow + i;
        EXPECT_EQ(g.text(row, Page::AmountColumn), c.shownAmounts[i]) << i;
        EXPECT_EQ(g.text(row, Page::NameColumn), QStringLiteral("Futter %1").arg(i + 1));
        EXPECT_EQ(g.text(row, Page::ShareColumn), c.shares[i]) << i;
        EXPECT_EQ(g.rowHeight(row), 24);
        EXPECT_EQ(g.font(row, Page::NameColumn), (CellFont{QStringLiteral("Tahoma"), 16, 700, false}));
        EXPECT_EQ(g.alignment(row, Page::AmountColumn).h, GridAlign::Right);
        EXPECT_EQ(g.alignment(row, Page::ShareColumn).h, GridAlign::Right);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Amounts, RecipeShares,
    ::testing::Values(ShareCase{"ThreeQuartersAndOneQuarter", {"150", "50"}, {"150", "50"}, {"75", "25"}},
                      ShareCase{"ThreeThirds", {"1", "1", "1"}, {"1", "1", "1"}, {"33", "33", "33"}},
                      ShareCase{"DecimalCommaAmounts",
                                {"150,0", "49,5", "0,5"},
                                {"150,0", "49,5", "0,5"},
                                {"75", "25", "0"}},
                      ShareCase{"EmptyAmountShowsZero", {"", "200"}, {"0", "200"}, {"0", "100"}},
                      ShareCase{"NothingWeighedOutGivesZeroShares", {"0", ""}, {"0", "0"}, {"0", "0"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct KitchenCase
{
    const char* language;
    double grams;
    const char* shown;
};

// Whole grams from 10 g, tenths below, never a misleading 0,0.
TEST(RecipePage, AmountsAreWhatAKitchenScaleWeighs)
{
    const KitchenCase cases[] = {
        {"DE", 0.0, "0,0"},  {"DE", 0.04, "< 0,1"}, {"DE", 0.05, "0,1"},    {"DE", 9.94, "9,9"},
        {"DE", 9.95, "10"},  {"DE", 10.4, "10"},    {"DE", 1403.5, "1404"}, {"US", 0.04, "< 0.1"},
        {"US", 2.25, "2.2"}, {"US", 95.83, "96"},
    };
    for (const KitchenCase& c : cases)
        EXPECT_EQ(Page::kitchenGrams(QString::fromLatin1(c.language), c.grams), QString::fromUtf8(c.shown))
            << c.language << " " << c.grams;
}

// The worked example: a 20 kg dog's ration for three meals and a week, with
// a supplement a kitchen scale weighs and two below a gram a day.
TEST(RecipePage, TheBatchListsTheWeeksTotalsAndThePremix)
{
    TestDatabase db(TestDatabase::Data::Shipped);
    RationModelStub ration;
    ration.addFeed(QStringLiteral("Rinderhack"), QStringLiteral("287,5"), 2);
    ration.addFeed(QStringLiteral("Reis"), QStringLiteral("233"), 89);
    ration.addFeed(QStringLiteral("Futterkalk"), QStringLiteral("4,3"), 157);
    ration.addFeed(QStringLiteral("Zinkgluconat"), QStringLiteral("0,12"), 161);
    ration.addFeed(QStringLiteral("Kaliumiodid"), QStringLiteral("0,004"), 165);
    const HeaderTextValues header = bello();
    RecipeChoices choices{3, 7, QString(), {}};
    Page page(db.context(), header, ration.model, choices);
    page.rebuild();
    const GridModel& g = page.grid();
    const auto row = [&g](int r) {
        return QStringList{g.text(r, Page::AmountColumn), g.text(r, Page::MealColumn),
                           g.text(r, Page::NameColumn)};
    };
    EXPECT_EQ(row(16), (QStringList{"287,5", "96", "Rinderhack"}));
    EXPECT_EQ(row(18), (QStringList{"4,3", "1,4", "Futterkalk"}));
    EXPECT_EQ(row(19), (QStringList{"0,12", "< 0,1", "Zinkgluconat"}));
    const int batch = Page::FirstFeedRow + page.feedRowCount() + page.noteRowCount() + 1;
    const QStringList expected[] = {
        {"", "", "Vorrat für 7 Tage (g)"},
        {"2012", "", "Rinderhack (2,01 kg)"},
        {"1631", "", "Reis (1,63 kg)"},
        {"", "", "Ergänzungsmittel"},
        {"30", "", "Futterkalk"},
        {"", "", "Supplement-Mischung: zusammen 0,868 g, täglich 0,124 g davon:"},
        {"0,840", "", "Zinkgluconat"},
        {"0,028", "", "Kaliumiodid"},
    };
    ASSERT_EQ(page.firstTextRow(), batch + int(std::size(expected)));
    for (int i = 0; i < int(std::size(expected)); ++i)
        EXPECT_EQ(row(batch + i), expected[i]) << i;

    // A batch of one day has no section; one meal hides its column.
    ASSERT_TRUE(page.setBatchDays(1) && page.setMeals(1));
    EXPECT_FALSE(page.setBatchDays(32) || page.setMeals(0) || page.setLanguage(QStringLiteral("FR")));
    page.rebuild();
    EXPECT_EQ(page.firstTextRow(), Page::FirstFeedRow + page.feedRowCount() + page.noteRowCount());
    EXPECT_EQ(g.columnWidth(Page::MealColumn), 0);
    EXPECT_EQ(g.totalWidth(), 820);
}

TEST(RecipePage, ARationWithoutFeedstuffsLeavesOnlyTheHead)
{
    TestDatabase db;
    RationModelStub ration;
    const HeaderTextValues header = bello();
    RecipeChoices choices;
    Page page(db.context(), header, ration.model, choices);
    page.buildRecipeGrid();
    EXPECT_EQ(page.grid().rowCount(), 16);
    EXPECT_EQ(page.feedRowCount(), 0);
}

TEST(RecipePage, HeadRowsHaveTheirHeightsFontsAndColours)
{
    TestDatabase db;
    RationModelStub ration;
    ration.addFeed(QStringLiteral("Reis"), QStringLiteral("100"));
    const HeaderTextValues header = bello();
    RecipeChoices choices;
    Page page(db.context(), header, ration.model, choices);
    page.buildRecipeGrid();
    const GridModel& g = page.grid();

    ASSERT_EQ(g.columnCount(), Page::ColumnCount);
    EXPECT_EQ(g.fixedRowCount(), 0);
    EXPECT_EQ(g.fixedColumnCount(), 0);
    // The amount and share columns are wider than the narrow face they were
    // first made for; the recipe's width stays.
    EXPECT_EQ(g.totalWidth(), 820);
    EXPECT_GE(g.columnWidth(Page::AmountColumn), 64);
    EXPECT_GE(g.columnWidth(Page::ShareColumn), 46);
    const int heights[16] = {50, 26, 26, 26, 26, 20, 3, 20, 28, 28, 28, 60, 2, 24, 2, 10};
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(g.rowHeight(r), heights[r]) << r;

    EXPECT_EQ(g.text(0, Page::NameColumn), "REZEPT");
    EXPECT_EQ(g.font(0, Page::NameColumn), (CellFont{QStringLiteral("Tahoma"), 28, 900, false}));
    EXPECT_EQ(g.alignment(0, Page::NameColumn).h, GridAlign::Centre);
    for (int r = 8; r <= 13; ++r)
        EXPECT_EQ(g.font(r, Page::NameColumn), (CellFont{QStringLiteral("Tahoma"), 16, 900, false})) << r;
    for (int rule : {6, 12, 14}) {
        for (int c = Page::AmountColumn; c <= Page::ShareColumn; ++c)
            EXPECT_EQ(g.background(rule, c), Rgb(0, 0, 0)) << rule << "/" << c;
        EXPECT_EQ(g.background(rule, 0), Rgb(255, 255, 255));
        EXPECT_EQ(g.background(rule, Page::ColumnCount - 1), Rgb(255, 255, 255));
    }
    for (int c = Page::AmountColumn; c <= Page::ShareColumn; ++c)
        EXPECT_EQ(g.background(13, c), Rgb(204, 204, 204));
    EXPECT_EQ(g.background(16, Page::NameColumn), Rgb(255, 255, 255));
    EXPECT_EQ(g.text(13, 1), "g/Tag");
    EXPECT_EQ(g.text(13, Page::NameColumn), "Futtermittel");
    EXPECT_EQ(g.text(13, Page::ShareColumn), "%");
    EXPECT_EQ(g.alignment(8, Page::NameColumn).h, GridAlign::Right);
    EXPECT_EQ(g.alignment(9, Page::NameColumn).h, GridAlign::LeftSingleLine);
    EXPECT_TRUE(g.alignment(11, Page::NameColumn).wordWrap());
    EXPECT_FALSE(g.isEditable(16, 1));
    for (int c : {0, Page::ColumnCount - 1}) {
        for (int r = 0; r < g.rowCount(); ++r)
            EXPECT_TRUE(g.text(r, c).isEmpty());
    }
}

TEST(RecipePage, HeadLinesInBothLanguagesForThe3rdOfApril2024)
{
    for (const char* language : {"DE", "US"}) {
        TestDatabase db(TestDatabase::Data::Fixture, QString::fromLatin1(language));
        ASSERT_EQ(db.context().today(), QDate(2024, 4, 3));
        RationModelStub ration;
        HeaderTextValues header = bello();
        const bool german = QLatin1String(language) == QLatin1String("DE");
        if (!german) {
            header.salutationText = QStringLiteral("Mr.");
            header.speciesText = QStringLiteral("Dog");
            header.breedText = QStringLiteral("Dachshund");
        }
        RecipeChoices choices;
        Page page(db.context(), header, ration.model, choices);
        page.buildRecipeGrid();
        const GridModel& g = page.grid();
        if (german) {
            EXPECT_EQ(g.text(0, Page::NameColumn), "REZEPT");
            EXPECT_EQ(g.text(8, Page::NameColumn), "Ausstelldatum: 03.04.2024");
            EXPECT_EQ(g.text(9, Page::NameColumn), "Besitzer: Herr Müller");
            EXPECT_EQ(g.text(10, Page::NameColumn), "Patient: Bello (Hund männlich) Dackel ");
            EXPECT_EQ(g.text(11, Page::NameColumn), "Rezepttitel / Diagnose: Erhaltung");
            EXPECT_EQ(g.text(13, 1), "g/Tag");
        } else {
            EXPECT_EQ(g.text(0, Page::NameColumn), "RECIPE");
            EXPECT_EQ(g.text(8, Page::NameColumn), "Date of issue: 04/03/2024");
            EXPECT_EQ(g.text(9, Page::NameColumn), "Owner: Mr. Müller");
            EXPECT_EQ(g.text(10, Page::NameColumn), "Patient: Bello (Dog male) Dachshund ");
            EXPECT_EQ(g.text(11, Page::NameColumn), "Recipe Title / Diagnosis: Erhaltung");
            EXPECT_EQ(g.text(13, 1), "g/day");
            EXPECT_EQ(g.text(13, Page::NameColumn), "Food");
        }
    }
}

struct SexCase
{
    const char* name;
    const char* language;
    const char* sex;
    const char* line;
};

class RecipePatientLine : public ::testing::TestWithParam<SexCase>
{
};

TEST_P(RecipePatientLine, SexWordOrAnOpenBracket)
{
    HeaderTextValues header = bello();
    header.sexText = QString::fromLatin1(GetParam().sex);
    EXPECT_EQ(Page::patientLine(QString::fromLatin1(GetParam().language), header),
              QString::fromUtf8(GetParam().line));
}

INSTANTIATE_TEST_SUITE_P(
    Sexes, RecipePatientLine,
    ::testing::Values(SexCase{"GermanM", "DE", "M", "Patient: Bello (Hund männlich) Dackel "},
                      SexCase{"GermanW", "DE", "W", "Patient: Bello (Hund weiblich) Dackel "},
                      SexCase{"GermanF", "DE", "F", "Patient: Bello (Hund Dackel "},
                      SexCase{"GermanNone", "DE", "", "Patient: Bello (Hund Dackel "},
                      SexCase{"EnglishM", "US", "M", "Patient: Bello (Hund male) Dackel "},
                      SexCase{"EnglishF", "US", "F", "Patient: Bello (Hund female) Dackel "},
                      SexCase{"EnglishW", "US", "W", "Patient: Bello (Hund Dackel "}),
    [](const auto& info) { return std::string(info.param.name); });

struct HeightCase
{
    const char* name;
    int length;
    int height;
};

class RecipeTextBlockHeight : public ::testing::TestWithParam<HeightCase>
{
};

TEST_P(RecipeTextBlockHeight, TwentyPixelsPerStartedHundredCharacters)
{
    EXPECT_EQ(Page::textBlockHeight(QString(GetParam().length, QLatin1Char('a'))), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(Lengths, RecipeTextBlockHeight,
                         ::testing::Values(HeightCase{"Empty", 0, 20}, HeightCase{"Short", 99, 20},
                                           HeightCase{"Hundred", 100, 40}, HeightCase{"Almost200", 199, 40},
                                           HeightCase{"TwoHundredFifty", 250, 60}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RecipePage, TextListHoldsTheActiveBlocksSortedAndAppendsTheChosenOne)
{
    TestDatabase db;
    RationModelStub ration;
    ration.addFeed(QStringLiteral("Reis"), QStringLiteral("100"));
    const HeaderTextValues header = bello();
    RecipeChoices choices;
    Page page(db.context(), header, ration.model, choices);
    page.build();

    const auto& entries = page.textList().entries();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].text, "Frisches Wasser muss immer bereitstehen.");
    EXPECT_EQ(entries[0].data, 2);
    EXPECT_EQ(entries[1].data, 1);

    page.textListClosed(-1);
    EXPECT_EQ(page.grid().rowCount(), 17);

    page.textListClosed(0);
    page.textListClosed(0);
    page.textListClosed(1);
    const GridModel& g = page.grid();
    ASSERT_EQ(g.rowCount(), 20);
    EXPECT_EQ(g.text(17, Page::NameColumn), "Frisches Wasser muss immer bereitstehen.");
    EXPECT_EQ(g.text(18, Page::NameColumn), "Frisches Wasser muss immer bereitstehen.");
    EXPECT_EQ(g.text(19, Page::NameColumn), "Füttern Sie zweimal täglich.");
    EXPECT_EQ(g.rowHeight(19), 20);
    EXPECT_EQ(g.font(19, Page::NameColumn), (CellFont{QStringLiteral("Tahoma"), 16, 400, false}));
    EXPECT_EQ(g.alignment(19, Page::NameColumn).h, GridAlign::Left);
    EXPECT_EQ(g.alignment(19, Page::NameColumn).v, GridAlign::Bottom);

    EXPECT_FALSE(page.appendTextBlock(99));
    EXPECT_EQ(g.rowCount(), 20);

    // A click on a block asks; "Ja" removes that block, "Nein" and a click
    // on a feedstuff or the head keep everything.
    const struct
    {
        int row;
        Prompt::Answer answer;
        bool asked, removed;
    } clicks[] = {
        {18, Prompt::Answer::No, true, false},
        {18, Prompt::Answer::Yes, true, true},
        {Page::FirstFeedRow, Prompt::Answer::Yes, false, false},
        {Page::TitleRow, Prompt::Answer::Yes, false, false},
    };
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.row);
        RecordingPrompt prompt;
        prompt.setNextAnswer(c.answer);
        const int rows = g.rowCount();
        EXPECT_EQ(page.removeTextBlockAt(c.row, prompt), c.removed);
        EXPECT_EQ(prompt.entries().size(), c.asked ? 1u : 0u);
        EXPECT_EQ(g.rowCount(), rows - (c.removed ? 1 : 0));
    }
    EXPECT_EQ(g.text(18, Page::NameColumn), "Füttern Sie zweimal täglich.");
    // The removed block does not come back when the recipe is built again.
    page.rebuild();
    ASSERT_EQ(g.rowCount(), 19);
    EXPECT_EQ(g.text(17, Page::NameColumn), "Frisches Wasser muss immer bereitstehen.");
}

TEST(RecipePage, ALongTextBlockGetsATallerRowInEnglish)
{
    TestDatabase db(TestDatabase::Data::Fixture, QStringLiteral("US"));
    const QString text(250, QLatin1Char('x'));
    ASSERT_TRUE(db.rawExec(QStringLiteral("INSERT INTO T_TEXT VALUES (9, 'kurz', '%1', -1)").arg(text)));
    RationModelStub ration;
    const HeaderTextValues header = bello();
    RecipeChoices choices;
    Page page(db.context(), header, ration.model, choices);
    page.build();
    ASSERT_TRUE(page.appendTextBlock(9));
    EXPECT_EQ(page.grid().text(16, Page::NameColumn), text);
    EXPECT_EQ(page.grid().rowHeight(16), 60);
}

} // namespace

namespace {

struct NoteCase
{
    const char* name;
    const char* language;
    QStringList incomplete, over;
    QStringList notes;
};

class RecipeLimitNotes : public ::testing::TestWithParam<NoteCase>
{
};

TEST_P(RecipeLimitNotes, NameTheNutrientsShortenedWhenMany)
{
    const NoteCase& c = GetParam();
    EXPECT_EQ(Page::limitNotes(QString::fromLatin1(c.language), c.incomplete, c.over), c.notes);
}

INSTANTIATE_TEST_SUITE_P(
    Languages, RecipeLimitNotes,
    ::testing::Values(
        NoteCase{"Nothing", "DE", {}, {}, {}},
        NoteCase{
            "OneIncompleteGerman",
            "DE",
            {"Chlorid"},
            {},
            {"Für einige Nährstoffe fehlen Angaben einzelner Futtermittel (Chlorid); die Versorgung kann "
             "höher sein."}},
        NoteCase{
            "ManyIncompleteGerman",
            "DE",
            {"Chlorid", "Jod", "Kupfer", "Zink"},
            {"Vit. D"},
            {"Für einige Nährstoffe fehlen Angaben einzelner Futtermittel (z. B. Chlorid, Jod, Kupfer); die "
             "Versorgung kann höher sein.",
             "Über dem Höchstwert: Vit. D."}},
        NoteCase{
            "ThreeIncompleteEnglish",
            "US",
            {"Cl", "I", "Cu"},
            {},
            {"For some nutrients the contents of single feedstuffs are missing (Cl, I, Cu); the supply may be "
             "higher."}},
        NoteCase{
            "ManyIncompleteAndOverEnglish",
            "US",
            {"Cl", "I", "Cu", "Zn"},
            {"Vit. D", "Ca"},
            {"For some nutrients the contents of single feedstuffs are missing (e.g. Cl, I, Cu); the supply "
             "may be higher.",
             "Above the maximum: Vit. D, Ca."}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace

TEST(RecipePage, TheNotesFollowTheFeedstuffsOfARationWithAGap)
{
    TestDatabase db;
    RationModelStub ration;
    const int cl = ration.addNutrient("20", "Chlorid", "1", "2");
    ration.addFeed(QStringLiteral("Pute"), QStringLiteral("100"));
    ration.addFeed(QStringLiteral("Reis"), QStringLiteral("50"));
    ration.contribute(0, cl, QStringLiteral("2"));
    const HeaderTextValues header = bello();
    RecipeChoices choices;
    Page page(db.context(), header, ration.model, choices);
    page.buildRecipeGrid();
    ASSERT_EQ(page.noteRowCount(), 1);
    ASSERT_EQ(page.grid().rowCount(), Page::FirstFeedRow + 3);
    EXPECT_EQ(page.grid().text(Page::FirstFeedRow + 2, Page::NameColumn),
              Page::limitNotes(QStringLiteral("DE"), {QStringLiteral("Chlorid")}, {}).first());

    ration.contribute(1, cl, QStringLiteral("0"));
    page.rebuild();
    EXPECT_EQ(page.noteRowCount(), 0);
    EXPECT_EQ(page.grid().rowCount(), Page::FirstFeedRow + 2);
}
