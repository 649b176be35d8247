#include "app/SearchBar.h"
#include "app/LookupList.h"
#include "app/MainWindowLogic.h"
#include "support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

using Control = SearchBar::Control;

struct TextCase
{
    int control;
    const char* german;
    const char* english;
};

// The labels and the search button carry texts; lists, edits and the picture
// button none.
const TextCase textCases[] = {
    {Control::SpeciesLabel, "Gattung:", "Species:"},   {Control::SpeciesList, "", ""},
    {Control::SexLabel, "Geschlecht:", "    Gender:"}, {Control::SexList, "", ""},
    {Control::OwnerLabel, "Besitzer:", "Owner:"},      {Control::OwnerEdit, "", ""},
    {Control::PatientLabel, "Patient:", "Patient:"},   {Control::PatientEdit, "", ""},
    {Control::TitleLabel, "Rezept:", "Recipe:"},       {Control::TitleEdit, "", ""},
    {Control::SearchButton, "Suchen", "Search"},       {Control::NewCaseButton, "", ""},
};

TEST(SearchBarTest, TheControlsRunFromLeftToRightWithTheirIdentifiers)
{
    EXPECT_EQ(SearchBar::controls(),
              (QList<int>{1123, 1000, 1124, 1008, 1007, 1003, 1125, 1004, 1126, 1005, 1001, 1009}));
}

TEST(SearchBarTest, TextsAreGermanUnlessTheBarIsMadeInEnglish)
{
    const SearchBar german(QStringLiteral("DE"));
    const SearchBar english(QStringLiteral("US"));
    // The form's German texts stay for any code but "US".
    const SearchBar unknown(QStringLiteral("XX"));
    for (const TextCase& c : textCases) {
        EXPECT_EQ(german.text(c.control), QString::fromUtf8(c.german)) << c.control;
        EXPECT_EQ(english.text(c.control), QString::fromUtf8(c.english)) << c.control;
        EXPECT_EQ(unknown.text(c.control), QString::fromUtf8(c.german)) << c.control;
    }
}

TEST(SearchBarTest, TheNewCasePictureFollowsTheLanguage)
{
    EXPECT_EQ(SearchBar(QStringLiteral("DE")).newCasePicture(), QStringLiteral(":/pictures/new-case-de.png"));
    EXPECT_EQ(SearchBar(QStringLiteral("US")).newCasePicture(), QStringLiteral(":/pictures/new-case-en.png"));
    EXPECT_EQ(SearchBar(QStringLiteral("DE")).newCaseHint(), QStringLiteral("neuer Fall"));
    EXPECT_EQ(SearchBar(QStringLiteral("US")).newCaseHint(), QStringLiteral("new case"));
}

TEST(SearchBarTest, TheListQueriesNameTheLanguageColumn)
{
    EXPECT_EQ(SearchBar::speciesQuery(QStringLiteral("DE")),
              QStringLiteral("SELECT ID AS ITEMDATA , BEZ_DE AS ITEMTEXT FROM T_GATTUNG"));
    EXPECT_EQ(SearchBar::sexQuery(QStringLiteral("US")),
              QStringLiteral("SELECT ID AS ITEMDATA , BEZ_US AS ITEMTEXT FROM T_GESCHLECHT"));
}

TEST(SearchBarTest, TheListsHoldEveryRowInBothLanguagesAndNothingIsChosen)
{
    const struct
    {
        const char* code;
        QList<LookupItem> species;
        QList<LookupItem> sex;
    } cases[] = {
        // Species 4 is inactive; the search bar lists it all the same.
        {"DE",
         {{1, QStringLiteral("alle")},
          {2, QStringLiteral("Hund")},
          {3, QStringLiteral("Katze")},
          {4, QStringLiteral("Pferd")}},
         {{1, QStringLiteral("M")}, {2, QStringLiteral("W")}}},
        {"US",
         {{1, QStringLiteral("all")},
          {2, QStringLiteral("Dog")},
          {3, QStringLiteral("Cat")},
          {4, QStringLiteral("Horse")}},
         {{1, QStringLiteral("M")}, {2, QStringLiteral("F")}}},
    };
    for (const auto& c : cases) {
        TestDatabase fixture;
        ASSERT_TRUE(fixture.isValid()) << qPrintable(fixture.error());
        SearchBar logic(QString::fromLatin1(c.code));
        logic.loadLists(fixture.db());
        EXPECT_EQ(logic.speciesItems(), c.species) << c.code;
        EXPECT_EQ(logic.sexItems(), c.sex) << c.code;
        EXPECT_EQ(logic.speciesIndex(), -1);
        EXPECT_EQ(logic.sexIndex(), -1);
    }
}

TEST(SearchBarTest, AFailedListQueryLeavesTheListEmptyAndTheSearchPassesMinusOne)
{
    TestDatabase fixture;
    ASSERT_TRUE(fixture.rawExec(QStringLiteral("DROP TABLE T_GESCHLECHT")));
    SearchBar logic(QStringLiteral("DE"));
    logic.loadLists(fixture.db());
    EXPECT_EQ(logic.speciesItems().size(), 4);
    EXPECT_TRUE(logic.sexItems().isEmpty());
    logic.setSexIndex(0);
    EXPECT_EQ(logic.criteria().sex, QStringLiteral("-1"));
}

TEST(SearchBarTest, TheCriteriaCarryTheChosenKeysAndTheTextsAsTyped)
{
    TestDatabase fixture;
    // Keys that do not follow the list positions show that the key is handed on.
    ASSERT_TRUE(fixture.rawExec(QStringLiteral("UPDATE T_GESCHLECHT SET ID = ID + 10")));
    SearchBar logic(QStringLiteral("DE"));
    logic.loadLists(fixture.db());

    EXPECT_EQ(logic.criteria(), (CaseSearchCriteria{QStringLiteral("-1"), QStringLiteral("-1"), {}, {}, {}}));

    logic.setSpeciesIndex(2);
    logic.setSexIndex(1);
    logic.setOwner(QStringLiteral(" O'Neil "));
    logic.setPatient(QStringLiteral("Min%"));
    logic.setTitle(QStringLiteral("Diät"));
    EXPECT_EQ(logic.criteria(),
              (CaseSearchCriteria{QStringLiteral("3"), QStringLiteral("12"), QStringLiteral(" O'Neil "),
                                  QStringLiteral("Min%"), QStringLiteral("Diät")}));

    logic.setSpeciesIndex(-1);
    logic.setSexIndex(7);
    EXPECT_EQ(logic.criteria().species, QStringLiteral("-1"));
    EXPECT_EQ(logic.criteria().sex, QStringLiteral("-1"));
}

TEST(LookupListTest, KeysReadAsTextBecomeNumbersInTheDatabaseOrder)
{
    TestDatabase fixture;
    EXPECT_EQ(LookupList::load(fixture.db(), QStringLiteral("SELECT '7' AS ITEMDATA, 'sieben' AS ITEMTEXT "
                                                            "UNION ALL SELECT ' 12 ', 'zwölf'")),
              (QList<LookupItem>{{7, QStringLiteral("sieben")}, {12, QStringLiteral("zwölf")}}));
    EXPECT_TRUE(LookupList::load(fixture.db(), QStringLiteral("SELECT nothing FROM T_NONE")).isEmpty());
}

TEST(MainWindowLogicTest, TextsAndPicturesFollowTheLanguageOfTheMoment)
{
    const struct
    {
        const char* code;
        const char* startPicture;
        const char* caseTitle;
        const char* resultCaption;
    } cases[] = {
        {"DE", ":/pictures/start-de.png", "Rationsberechnung", "Suchergebnis"},
        {"US", ":/pictures/start-en.png", "Calculation of Ration", "Search Result"},
        {"XX", ":/pictures/start-de.png", "", ""},
    };
    for (const auto& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        EXPECT_EQ(MainWindowLogic::startPicture(code), QString::fromLatin1(c.startPicture)) << c.code;
        EXPECT_EQ(MainWindowLogic::caseWindowTitle(code), QString::fromLatin1(c.caseTitle)) << c.code;
        EXPECT_EQ(MainWindowLogic::resultBarCaption(code), QString::fromLatin1(c.resultCaption)) << c.code;
    }
}

TEST(MainWindowLogicTest, TheResultCaptionCountsTheCasesOnceKnown)
{
    const struct
    {
        const char* code;
        int count;
        const char* caption;
    } cases[] = {
        {"DE", 1, "Suchergebnis: 1 Fall"},
        {"DE", 100000, "Suchergebnis: 100.000 Fälle"},
        {"US", 0, "Search Result: 0 cases"},
        {"US", 1234, "Search Result: 1,234 cases"},
        {"XX", 5, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MainWindowLogic::resultBarCaption(QString::fromLatin1(c.code), c.count),
                  QString::fromUtf8(c.caption))
            << c.code << " " << c.count;
    // A failed search is not shown as a count of none.
    EXPECT_EQ(MainWindowLogic::resultBarFailedCaption(QStringLiteral("DE")),
              "Suchergebnis: Suche fehlgeschlagen");
    EXPECT_EQ(MainWindowLogic::resultBarFailedCaption(QStringLiteral("US")), "Search Result: search failed");
    EXPECT_EQ(MainWindowLogic::resultBarFailedCaption(QStringLiteral("XX")), "");
}

TEST(MainWindowLogicTest, ACaseWindowSitsTopLeftThreePixelsNarrowerAndThirtyLower)
{
    EXPECT_EQ(MainWindowLogic::caseWindowGeometry(QSize(1280, 700)), QRect(0, 0, 1277, 670));
    EXPECT_EQ(MainWindowLogic::caseWindowGeometry(QSize(20, 10)), QRect(0, 0, 17, 0));
}

TEST(MainWindowLogicTest, TheResultBarStartsSmallerFromTheMenuThanFromASearch)
{
    EXPECT_EQ(MainWindowLogic::resultBarInitialSize(MainWindowLogic::ResultBarOrigin::RationCommand),
              QSize(305, 150));
    EXPECT_EQ(MainWindowLogic::resultBarInitialSize(MainWindowLogic::ResultBarOrigin::Search),
              QSize(305, 305));
}

TEST(MainWindowLogicTest, TilingSharesTheClientAreaWithoutGapsOrOverlaps)
{
    using MainWindowLogic::Tiling;
    const struct
    {
        Tiling tiling;
        int count;
        QList<QRect> expected;
    } cases[] = {
        {Tiling::SideBySide, 1, {QRect(0, 0, 1000, 600)}},
        {Tiling::SideBySide, 3, {QRect(0, 0, 333, 600), QRect(333, 0, 333, 600), QRect(666, 0, 334, 600)}},
        {Tiling::AboveEachOther, 2, {QRect(0, 0, 1000, 300), QRect(0, 300, 1000, 300)}},
        {Tiling::AboveEachOther, 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MainWindowLogic::tile(QSize(1000, 600), c.count, c.tiling), c.expected) << c.count;
}

TEST(MainWindowLogicTest, IconsLineUpAlongTheBottomAndStartANewRowAboveWhenFull)
{
    EXPECT_EQ(
        MainWindowLogic::arrangeIcons(QSize(500, 400), {QSize(200, 30), QSize(200, 30), QSize(200, 30)}),
        (QList<QPoint>{QPoint(0, 370), QPoint(200, 370), QPoint(0, 340)}));
    EXPECT_TRUE(MainWindowLogic::arrangeIcons(QSize(500, 400), {}).isEmpty());
}

} // namespace
