#include "ration/CaseHeaderForm.h"
#include "core/NumberText.h"
#include "ration/NutrientColumns.h"
#include "support/CaseWindowLogic.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>

using namespace NutrientColumns;

namespace {

// A case window's header form over the fixture, with its ration page's grids built.
struct Window : CaseWindowLogic
{
    explicit Window(const QString& language = QStringLiteral("DE"))
        : CaseWindowLogic(language, TestDatabase::Data::Fixture, Page::CountedHooks)
    {
    }
};

TEST(CaseHeaderFormTest, ListsAreFilledFromActiveRowsAndSortedByText)
{
    Window w;
    w.open();
    const auto texts = [](const ChoiceList& list) {
        QStringList result;
        for (const auto& e : list.entries())
            result << e.text;
        return result;
    };
    EXPECT_EQ(texts(w.form.salutationList()), (QStringList{"Frau", "Herr"}));
    EXPECT_EQ(texts(w.form.breedList()), (QStringList{"Dackel", "Mops", "Schäferhund"}));
    EXPECT_EQ(texts(w.form.speciesList()), (QStringList{"Hund", "Katze"}));
    EXPECT_EQ(w.form.caseTypeList().count(), 0);
    w.chooseSpecies(3);
    w.chooseSex(2);
    EXPECT_EQ(texts(w.form.caseTypeList()),
              (QStringList{"Erhaltung Katze", "Laktation Katze", "Reduktion Katze"}));
    EXPECT_EQ(w.form.caseTypeList().entries()[1].data, 6);
}

TEST(CaseHeaderFormTest, ANewCaseCountsAsChangedAndHasEnergyHundred)
{
    Window w;
    w.open();
    EXPECT_EQ(w.form.energyPercent(), "100");
    EXPECT_FALSE(w.form.isUnchanged());
    EXPECT_FALSE(w.form.birthDate().has_value());
    EXPECT_FALSE(w.form.catConditionVisible() || w.form.targetWeightVisible() || w.form.puppiesVisible() ||
                 w.form.adultWeightVisible());
    w.prompt.setNextAnswer(Prompt::Answer::No);
    EXPECT_TRUE(w.form.canClose());
    EXPECT_EQ(w.prompt.texts(), (QStringList{"Möchten Sie diesen Fall speichern?"}));
}

TEST(CaseHeaderFormTest, CloseQuestionSavesOnYesClosesOnNoAndKeepsTheWindowOpenOtherwise)
{
    const struct
    {
        const char* language;
        const char* owner; // typed before closing
        const char* title; // typed before closing; null keeps the stored one
        Prompt::Answer answer;
        bool closes;
        const char* refusal; // the save's message, if it refuses
    } cases[] = {
        {"DE", "Anders", "Kontrolle", Prompt::Answer::Yes, true, nullptr},
        {"DE", "", "Kontrolle", Prompt::Answer::Yes, false, "Bitte geben Sie einen Besitzernamen ein"},
        {"DE", "Anders", nullptr, Prompt::Answer::Yes, false, "Bitte geben Sie einen (neuen) Titel ein"},
        {"DE", "Anders", "Kontrolle", Prompt::Answer::No, true, nullptr},
        {"DE", "Anders", "Kontrolle", Prompt::Answer::Cancel, false, nullptr},
        {"US", "Anders", "Check", Prompt::Answer::Yes, true, nullptr},
        {"US", "", "Check", Prompt::Answer::Yes, false, "Please fill name of owner "},
        {"US", "Anders", nullptr, Prompt::Answer::Yes, false, "Please fill/change title "},
        {"US", "Anders", "Check", Prompt::Answer::No, true, nullptr},
        {"US", "Anders", "Check", Prompt::Answer::Cancel, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.owner);
        Window w(QString::fromLatin1(c.language));
        w.open(QStringLiteral("1"));
        ASSERT_TRUE(w.form.isUnchanged());
        EXPECT_TRUE(w.form.canClose());
        EXPECT_TRUE(w.prompt.entries().empty());
        const QString cases = w.db().rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ"));
        w.form.setOwnerName(QString::fromUtf8(c.owner));
        if (c.title)
            w.form.setTitle(QString::fromUtf8(c.title));
        w.prompt.setNextAnswer(c.answer);
        EXPECT_EQ(w.form.canClose(), c.closes);
        ASSERT_EQ(w.prompt.entries().size(), c.refusal ? 2u : 1u);
        EXPECT_EQ(w.prompt.entries()[0].text,
                  QString::fromUtf8(c.language == std::string("DE") ? "Möchten Sie diesen Fall speichern?"
                                                                    : "do you want  to save this case?"));
        EXPECT_EQ(w.prompt.entries()[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(w.prompt.entries()[0].icon, Prompt::Icon::Exclamation);
        if (c.refusal) {
            EXPECT_EQ(w.prompt.entries()[1].text, QString::fromUtf8(c.refusal));
        }
        // Stored only when Yes was answered and the save went through.
        const bool saved = c.answer == Prompt::Answer::Yes && !c.refusal;
        EXPECT_EQ(w.db().rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")).toInt(),
                  cases.toInt() + (saved ? 1 : 0));
    }
}

TEST(CaseHeaderFormTest, SaveChecksStopAtTheFirstMissingInputInBothLanguages)
{
    struct Step
    {
        std::function<void(Window&)> fill;
        const char* german;
        const char* english;
    };
    // Each step's fill satisfies its own check; a save fails at the first step not filled.
    const std::vector<Step> steps = {
        {[](Window& w) { w.form.userChoseSalutation(0); }, "Bitte wählen Sie eine Anrede aus",
         "Please select adress"},
        {[](Window& w) { w.form.setOwnerName(QStringLiteral("Meier")); },
         "Bitte geben Sie einen Besitzernamen ein", "Please fill name of owner "},
        {[](Window& w) { w.form.setPatientName(QStringLiteral("Bella")); },
         "Bitte geben Sie einen Patientennamen ein", "Please fill name of patient"},
        {[](Window& w) { w.chooseSpecies(2); }, "Bitte wählen Sie eine Gattung aus", "Please select spezies"},
        {[](Window& w) { w.chooseSex(2); }, "Bitte wählen Sie das Geschlecht aus", "Please select gender"},
        {[](Window& w) {
             w.chooseCaseType(5);
             w.form.setPuppies(QStringLiteral("0"));
         },
         "Bitte wählen Sie einen Fall aus", "Please select case"},
        {[](Window& w) { w.form.setActualWeight(QStringLiteral("25")); },
         "„akt. Gewicht“ muss größer als 0 sein.", "\"Actual weight\" must be greater than 0."},
        {[](Window& w) { w.form.setPuppies(QStringLiteral("3")); }, "Die Anzahl der Welpen muss > 0 sein",
         "Number of puppies should be > 0 "},
        {[](Window& w) { w.form.setTitle(QStringLiteral("Bella, Laktation")); },
         "Bitte geben Sie einen (neuen) Titel ein", "Please fill/change title "},
    };
    for (const char* language : {"DE", "US"}) {
        for (size_t failing = 0; failing < steps.size(); ++failing) {
            Window w(QString::fromLatin1(language));
            w.open();
            for (size_t i = 0; i < failing; ++i)
                steps[i].fill(w);
            w.prompt.clear();
            EXPECT_FALSE(w.form.saveCase());
            const bool german = QLatin1String(language) == QLatin1String("DE");
            EXPECT_EQ(w.prompt.texts(),
                      QStringList{QString::fromUtf8(german ? steps[failing].german : steps[failing].english)})
                << language << " step " << failing;
            EXPECT_EQ(w.caseCount(), "3");
        }
        Window w(QString::fromLatin1(language));
        w.open();
        for (const Step& step : steps)
            step.fill(w);
        w.prompt.clear();
        EXPECT_TRUE(w.form.saveCase()) << w.prompt.lastText().toStdString();
        EXPECT_EQ(w.caseCount(), "4");
    }
}

TEST(CaseHeaderFormTest, TheNursingQueenNeedsAtLeastOneKitten)
{
    const struct
    {
        const char* language;
        int caseType;
        const char* puppies;
        const char* refusal;
    } cases[] = {
        {"DE", 6, "0", "Die Anzahl der Welpen muss > 0 sein"},
        {"US", 6, "", "Number of puppies should be > 0 "},
        {"DE", 6, "2", nullptr},
        // The queen's maintenance asks for no young.
        {"DE", 10, "0", nullptr},
    };
    for (const auto& c : cases) {
        Window w(QString::fromLatin1(c.language));
        w.open();
        w.form.userChoseSalutation(0);
        w.form.setOwnerName(QStringLiteral("Kurz"));
        w.form.setPatientName(QStringLiteral("Mieze"));
        w.chooseSpecies(3);
        w.chooseSex(2);
        w.chooseCaseType(c.caseType);
        w.form.setActualWeight(QStringLiteral("4"));
        w.form.setTargetWeight(QStringLiteral("4"));
        w.form.setTitle(QStringLiteral("Mieze"));
        w.prompt.clear();

        w.form.setPuppies(QLatin1String(c.puppies));
        const QStringList once = c.refusal ? QStringList{QString::fromUtf8(c.refusal)} : QStringList();
        EXPECT_EQ(w.prompt.texts(), once) << c.language << " " << c.caseType << " " << c.puppies;
        EXPECT_EQ(w.form.saveCase(), c.refusal == nullptr)
            << c.language << " " << c.caseType << " " << c.puppies;
        EXPECT_EQ(w.prompt.texts(), once + once) << c.language << " " << c.caseType << " " << c.puppies;
        EXPECT_EQ(w.caseCount(), c.refusal ? "3" : "4");
    }
}

TEST(CaseHeaderFormTest, SavingAnOpenedCaseNeedsANewTitle)
{
    Window w;
    w.open(QStringLiteral("1"));
    EXPECT_FALSE(w.form.saveCase());
    EXPECT_EQ(w.prompt.lastText(), "Bitte geben Sie einen (neuen) Titel ein");
    EXPECT_EQ(w.caseCount(), "3");
    w.form.setTitle(QStringLiteral("Erhaltung, Mai"));
    ASSERT_TRUE(w.form.saveCase());
    EXPECT_EQ(w.caseCount(), "4");
    EXPECT_EQ(w.db().rawValue(QStringLiteral("SELECT Rezepttitel FROM T_PAT_REZ WHERE ID = 1")), "Erhaltung");
    EXPECT_EQ(w.db().rawValue(QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE ID_Rezept = 4")), "2");
    EXPECT_EQ(w.form.loadedTitle(), "Erhaltung, Mai");
}

TEST(CaseHeaderFormTest, AFeedstuffDeletedSinceItWasPickedStopsTheSaveWhole)
{
    const struct
    {
        const char* language;
        const char* message;
    } cases[] = {
        {"DE", "Das Futtermittel „Reis, gekocht“ gibt es nicht mehr. Bitte nehmen Sie es aus der Ration; der "
               "Fall wurde nicht gespeichert."},
        {"US",
         "The feedstuff \"Rice, cooked\" no longer exists. Please remove it from the ration; the case has "
         "not been saved."},
    };
    for (const auto& c : cases) {
        Window w(QString::fromLatin1(c.language));
        w.open(QStringLiteral("1"));
        // Another copy of the program deletes the second feedstuff of the ration.
        ASSERT_TRUE(w.db().rawExec(QStringLiteral("DELETE FROM T_FUTTERMITTEL WHERE ID = 2")));
        w.form.setTitle(QStringLiteral("Erhaltung, Mai"));
        w.prompt.clear();
        EXPECT_FALSE(w.form.saveCase());
        EXPECT_EQ(w.prompt.texts(), QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(w.caseCount(), "3");
        EXPECT_EQ(w.db().rawValue(QStringLiteral("SELECT count(*) FROM T_REZ_FM")), "5");
    }
}

TEST(CaseHeaderFormTest, SaveAndReloadGiveTheSameCaseAndGridsInBothLanguages)
{
    for (const char* language : {"DE", "US"}) {
        Window w(QString::fromLatin1(language));
        w.fillDogCase();
        w.form.userChangedBirthDate(TestDatabase::pinnedNow().date().addDays(-70));
        w.form.setActualWeight(QStringLiteral("20,5"));
        w.form.setAdultWeight(QString());
        w.form.userClickedRibsPalpable();
        w.form.userChoseBreed(Window::indexOf(w.form.breedList(), 3));
        w.addFeed("1", "150");
        w.addFeed("2", "200,5");
        const QStringList requirements = w.row(RequirementRow);
        const QStringList supply = w.row(SupplyRow);
        const QStringList firstFeed = w.row(FirstFeedRow);
        const QString indicator = w.form.ration().profileGrid().text(RequirementRow, 3);
        ASSERT_NE(supply.join(QString()).trimmed(), "");

        ASSERT_TRUE(w.form.saveCase()) << w.prompt.texts().join('|').toStdString();
        EXPECT_EQ(
            w.db().rawValue(
                QStringLiteral("SELECT ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, "
                               "ID_Fall, ID_Rasse, Geburtsdatum, Gewicht_akt, Gewicht_soll, "
                               "Gewicht_adult, Anz_Welpen, Energie, Rippen, Rezepttitel, Datum, "
                               "Bemerkung FROM T_PAT_REZ WHERE ID = 4")),
            "1\tMeier\tHasso\t2\t1\t7\t3\t2024-01-24\t20.5\t18.0\t0.0\t0\t100.0\t1\tNeu\t2024-04-03 10:00:00\t ")
            << language;
        EXPECT_EQ(w.db().rawRows(QStringLiteral(
                      "SELECT ID_Futtermittel, TagRat FROM T_REZ_FM WHERE ID_Rezept = 4 ORDER BY ID")),
                  (QStringList{"1\t150.0", "2\t200.5"}));

        // The window now shows the stored copy, recomputed.
        EXPECT_EQ(w.form.pendingCaseKey(), "");
        EXPECT_TRUE(w.form.isUnchanged());
        EXPECT_EQ(w.form.birthDate(), TestDatabase::pinnedNow().date().addDays(-70));
        EXPECT_EQ(w.form.ageWeeks(), "10");
        EXPECT_EQ(w.form.breedList().currentData(), 3);
        EXPECT_TRUE(w.form.ribsPalpable());
        EXPECT_EQ(w.form.actualWeight(), "20.5");
        EXPECT_EQ(w.form.recipeDate(),
                  QLatin1String(language) == QLatin1String("DE") ? "03.04.2024" : "04/03/2024");
        EXPECT_EQ(w.row(RequirementRow), requirements) << language;
        EXPECT_EQ(w.row(SupplyRow), supply) << language;
        EXPECT_EQ(w.row(FirstFeedRow), firstFeed) << language;
        EXPECT_EQ(w.form.ration().rationGrid().text(FirstFeedRow + 1, 2), "200,5");
        EXPECT_EQ(w.form.ration().profileGrid().text(RequirementRow, 3), indicator);
    }
}

TEST(CaseHeaderFormTest, TextsWithApostrophesAreStoredIntact)
{
    Window w;
    w.fillDogCase();
    w.form.setOwnerName(QStringLiteral("O'Brien"));
    w.form.setPatientName(QStringLiteral("D'Artagnan"));
    w.form.setTitle(QStringLiteral("Bello's Diät"));
    ASSERT_TRUE(w.form.saveCase()) << w.prompt.texts().join('|').toStdString();
    EXPECT_EQ(w.db().rawValue(
                  QStringLiteral("SELECT Name_Besitzer, Name_Pat, Rezepttitel FROM T_PAT_REZ WHERE ID = 4")),
              "O'Brien\tD'Artagnan\tBello's Diät");
    EXPECT_EQ(w.form.ownerName(), "O'Brien");
    EXPECT_EQ(w.form.title(), "Bello's Diät");
}

TEST(CaseHeaderFormTest, AFailingRationInsertLeavesNoCaseRowAndAllowsARetry)
{
    for (const char* language : {"DE", "US"}) {
        Window w(QString::fromLatin1(language));
        ASSERT_TRUE(w.db().addTrigger("refuse_ration", "BEFORE INSERT", "T_REZ_FM"));
        w.fillDogCase();
        w.addFeed("1", "150");
        EXPECT_FALSE(w.form.saveCase());
        // The database's reason (here the trigger's) follows the message.
        EXPECT_EQ(w.prompt.lastText(),
                  QLatin1String(language) == QLatin1String("DE")
                      ? QStringLiteral("Satz konnte nicht eingefügt werden\nGrund: refused")
                      : QStringLiteral("Record can't be inserted\nReason: refused"));
        EXPECT_EQ(w.caseCount(), "3");
        EXPECT_EQ(w.form.pendingCaseKey(), "");
        EXPECT_EQ(w.form.ownerName(), "Meier");

        ASSERT_TRUE(w.db().dropTrigger("refuse_ration", "T_REZ_FM"));
        EXPECT_TRUE(w.form.saveCase()) << w.prompt.lastText().toStdString();
        EXPECT_EQ(w.caseCount(), "4");
    }
}

TEST(CaseHeaderFormTest, TheNewKeyIsThatOfTheInsertedRowNotTheHighest)
{
    Window w;
    // Another copy of the program adds a case right after ours.
    ASSERT_TRUE(w.db().addTrigger(
        "other_copy", "AFTER INSERT", "T_PAT_REZ", "NEW.ID < 500",
        "INSERT INTO T_PAT_REZ (ID, Name_Pat, Rezepttitel) VALUES (500, 'Fremd', 'Fremd')"));
    w.fillDogCase();
    w.addFeed("2", "80");
    ASSERT_TRUE(w.form.saveCase());
    EXPECT_EQ(w.db().rawRows(
                  QStringLiteral("SELECT ID_Rezept FROM T_REZ_FM WHERE ID_Futtermittel = 2 AND TagRat = 80")),
              QStringList{"4"});
    EXPECT_EQ(w.form.patientName(), "Hasso");
}

// An empty target or adult weight is stored as 0, computes nothing and opens
// empty again; a 0 in a shown one is no weight and stops the save.
TEST(CaseHeaderFormTest, WeightsAreStoredAsNumbersAndEmptyOnesAsZero)
{
    const struct
    {
        const char* what;
        int caseType;
        const char *target, *adult;
        const char* refusal; // German; null: saved
    } cases[] = {
        {"adult, no target", 7, "", "", nullptr},
        {"adult, target 0", 7, "0", "", "„Sollgewicht“ muss größer als 0 sein."},
        {"adult, hidden adult weight 0", 7, "18", "0", nullptr},
        {"puppy, no adult weight", 1, "", "", nullptr},
        {"puppy, adult weight 0,0", 1, "", "0,0", "„Adultgewicht“ muss größer als 0 sein."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Window w;
        w.fillDogCase();
        w.chooseCaseType(c.caseType);
        w.form.setActualWeight(QStringLiteral("12,5"));
        w.form.setTargetWeight(QString::fromUtf8(c.target));
        w.form.setAdultWeight(QString::fromUtf8(c.adult));
        w.form.setEnergyPercent(QStringLiteral("90"));
        if (c.caseType == 7 && !*c.target) {
            EXPECT_EQ(w.requirement("61"), "");
        }
        w.prompt.clear();
        EXPECT_EQ(w.form.saveCase(), !c.refusal);
        EXPECT_EQ(w.prompt.texts(), c.refusal ? QStringList{QString::fromUtf8(c.refusal)} : QStringList());
        EXPECT_EQ(w.caseCount(), c.refusal ? "3" : "4");
        if (c.refusal)
            continue;
        EXPECT_EQ(w.db().rawValue(QStringLiteral(
                      "SELECT Gewicht_akt, Gewicht_soll, Gewicht_adult, Energie, Geburtsdatum, ID_Rasse "
                      "FROM T_PAT_REZ WHERE ID = 4")),
                  QStringLiteral("12.5\t%1\t0.0\t90.0\tNULL\tNULL").arg(*c.target ? "18.0" : "0.0"));
        EXPECT_EQ(w.form.targetWeight(), QString::fromUtf8(c.target));
        EXPECT_EQ(w.form.adultWeight(), "");
        EXPECT_FALSE(w.form.birthDate().has_value());
        EXPECT_EQ(w.form.ageWeeks(), "");
    }
}

TEST(CaseHeaderFormTest, AStoredBirthDateReadsBackInBothLanguages)
{
    const struct
    {
        const char* language;
        const char* text;
    } cases[] = {{"DE", "05.03.2020"}, {"US", "03/05/2020"}};
    for (const auto& c : cases) {
        Window w(QString::fromLatin1(c.language));
        w.open(QStringLiteral("1"));
        EXPECT_EQ(w.form.birthDate(), QDate(2020, 3, 5)) << c.language;
        EXPECT_EQ(w.form.birthDateText(), c.text);
        const qint64 days =
            QDateTime(QDate(2020, 3, 5), QTime(0, 0)).secsTo(TestDatabase::pinnedNow()) / 86400;
        EXPECT_EQ(w.form.ageWeeks(), QString::number(days / 7));
    }
}

TEST(CaseHeaderFormTest, AgeInWeeksTruncatesTowardZero)
{
    const struct
    {
        int daysBefore;
        const char* weeks;
    } cases[] = {{70, "10"}, {69, "9"}, {7, "1"}, {0, "0"}, {-1, ""}, {-8, ""}};
    for (const auto& c : cases) {
        Window w;
        w.open();
        w.form.userChangedBirthDate(TestDatabase::pinnedNow().date().addDays(-c.daysBefore));
        EXPECT_EQ(w.form.ageWeeks(), c.weeks) << c.daysBefore;
        // A birth date after today is refused, naming the field; the form keeps none.
        EXPECT_EQ(w.prompt.texts(),
                  c.daysBefore < 0
                      ? QStringList{QStringLiteral("„Geburtsdatum“ darf nicht in der Zukunft liegen.")}
                      : QStringList())
            << c.daysBefore;
        EXPECT_EQ(w.form.birthDate().has_value(), c.daysBefore >= 0);
    }
}

TEST(CaseHeaderFormTest, ABirthDateChangeRecomputesWithoutReloading)
{
    Window w;
    w.open();
    w.chooseDogCase(1);
    w.form.setActualWeight(QStringLiteral("10"));
    w.form.setAdultWeight(QStringLiteral("20"));
    EXPECT_EQ(w.requirement("61"), "0");
    w.form.userChangedBirthDate(TestDatabase::pinnedNow().date().addDays(-12 * 7));
    EXPECT_EQ(w.form.ageWeeks(), "12");
    EXPECT_EQ(w.requirement("61"), "4257");
    EXPECT_EQ(w.requirement("60"), "2165,0");

    w.form.userChangedBirthDate(std::nullopt);
    EXPECT_EQ(w.prompt.lastText(), "Time not set!");
    EXPECT_EQ(w.form.ageWeeks(), "");
    EXPECT_EQ(w.requirement("61"), "0");
}

TEST(CaseHeaderFormTest, VisibilityFollowsTheChosenCaseType)
{
    const struct
    {
        int species;
        int sex;
        int caseType;
        bool cat, target, puppies, adult;
    } cases[] = {
        {2, 1, 1, false, false, false, true},  {2, 2, 5, false, true, true, false},
        {3, 2, 6, true, true, true, false},    {2, 1, 7, false, true, false, false},
        {3, 2, 10, true, true, false, false},  {3, 2, 40, true, true, false, false},
        {2, 1, 25, false, true, false, false},
    };
    for (const auto& c : cases) {
        Window w;
        w.open();
        w.form.applyFieldVisibility(1, 1, 1, 1);
        w.chooseSpecies(c.species);
        w.chooseSex(c.sex);
        w.chooseCaseType(c.caseType);
        ASSERT_EQ(w.form.caseTypeKey(), c.caseType);
        EXPECT_EQ(w.form.catConditionVisible(), c.cat) << c.caseType;
        EXPECT_EQ(w.form.targetWeightVisible(), c.target) << c.caseType;
        EXPECT_EQ(w.form.puppiesVisible(), c.puppies) << c.caseType;
        EXPECT_EQ(w.form.adultWeightVisible(), c.adult) << c.caseType;
    }
}

TEST(CaseHeaderFormTest, VisibilityOfALoadedCase)
{
    const struct
    {
        const char* key;
        bool cat, target, puppies, adult;
    } cases[] = {
        {"1", false, true, false, false}, // dog, maintenance
        {"2", true, true, false, false},  // cat, maintenance
        {"3", false, false, false, true}, // dog, growth
        {"4", false, true, true, false},  // dog, lactation
        {"5", true, true, true, false},   // cat, lactation
    };
    for (const auto& c : cases) {
        Window w;
        ASSERT_TRUE(w.db().rawExec(QStringLiteral(
            "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
            "Gewicht_akt, Gewicht_soll, Anz_Welpen, Energie, Rippen, Rezepttitel) VALUES "
            "(4, 2, 'Kurz', 'Lassie', 2, 2, 5, 25, 25, 6, 100, '0', 'Laktation'), "
            "(5, 2, 'Kurz', 'Mieze', 3, 2, 6, 4, 4, 3, 100, '1', 'Laktation');")));
        w.open(QLatin1String(c.key));
        EXPECT_EQ(w.form.catConditionVisible(), c.cat) << c.key;
        EXPECT_EQ(w.form.targetWeightVisible(), c.target) << c.key;
        EXPECT_EQ(w.form.puppiesVisible(), c.puppies) << c.key;
        EXPECT_EQ(w.form.adultWeightVisible(), c.adult) << c.key;
    }
}

TEST(CaseHeaderFormTest, ApplyFieldVisibilityShowsHidesOrKeeps)
{
    Window w;
    w.form.applyFieldVisibility(1, 0, 1, 0);
    w.form.applyFieldVisibility(-1, 7, 0, 1);
    EXPECT_TRUE(w.form.catConditionVisible());
    EXPECT_FALSE(w.form.targetWeightVisible());
    EXPECT_FALSE(w.form.puppiesVisible());
    EXPECT_TRUE(w.form.adultWeightVisible());
}

TEST(CaseHeaderFormTest, OpeningAStoredCaseRecomputesEverythingAndCallsThePage)
{
    Window w;
    w.open(QStringLiteral("1"));
    EXPECT_EQ(w.form.ownerName(), "Müller");
    EXPECT_EQ(w.form.salutationList().currentText(), "Herr");
    EXPECT_EQ(w.form.caseTypeList().currentText(), "Erhaltung Rüde");
    EXPECT_EQ(w.form.targetWeight(), "18");
    EXPECT_TRUE(w.form.ribsFatCovered());
    EXPECT_FALSE(w.form.ribsPalpable());
    EXPECT_EQ(w.requirement("1"), "2,00");
    EXPECT_NE(w.form.ration().lookupSupply(QStringLiteral("24")).trimmed(), "");
    EXPECT_EQ(w.hooks.calls, (QStringList{"category", "type", "feed"}));
    EXPECT_EQ(w.form.ration().rationGrid().text(MarkRow, FirstColumn), "x");
    EXPECT_EQ(w.form.pendingCaseKey(), "");
    EXPECT_TRUE(w.prompt.entries().empty());
}

TEST(CaseHeaderFormTest, LoadingWritesTheFieldsWithoutRecalculating)
{
    Window w;
    w.form.initCaseForm();
    w.form.setPendingCaseKey(QStringLiteral("1"));
    w.form.loadCase();
    EXPECT_EQ(w.form.actualWeight(), "20");
    EXPECT_TRUE(w.form.isUnchanged());
    // The weights were written while the key was pending: nothing computed yet.
    EXPECT_EQ(w.requirement("1"), "");
}

TEST(CaseHeaderFormTest, AStoredPuppyCountBelowOneIsReportedDuringTheLoad)
{
    Window w(QStringLiteral("US"));
    ASSERT_TRUE(w.db().rawExec(QStringLiteral(
        "INSERT INTO T_PAT_REZ (ID, ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Gewicht_akt, Gewicht_soll, Anz_Welpen, Energie, Rezepttitel) VALUES "
        "(4, 2, 'Kurz', 'Lassie', 2, 2, 5, 25, 25, 0, 100, 'Lactation');")));
    w.open(QStringLiteral("4"));
    EXPECT_EQ(w.prompt.texts(), QStringList{"Number of puppies should be > 0 "});
    EXPECT_TRUE(w.form.isUnchanged());
    // Typing a count below 1 again shows the message and changes nothing else.
    w.form.setPuppies(QStringLiteral("0"));
    EXPECT_EQ(w.prompt.entries().size(), 2u);
    EXPECT_TRUE(w.form.isUnchanged());
    w.form.setPuppies(QStringLiteral("4"));
    EXPECT_FALSE(w.form.isUnchanged());
    EXPECT_EQ(w.prompt.entries().size(), 2u);
}

TEST(CaseHeaderFormTest, ChoosingAnotherSpeciesDropsTheCaseTypeAndTheRequirements)
{
    Window w;
    w.fillDogCase();
    ASSERT_EQ(w.requirement("1"), "2,00");
    w.chooseSpecies(3);
    EXPECT_EQ(w.form.caseTypeKey(), -1);
    EXPECT_EQ(w.form.caseTypeList().count(), 1);
    EXPECT_EQ(w.row(RequirementRow).join(QString()), "");
}

TEST(CaseHeaderFormTest, TypedNumbersRecomputeWithTheirDecimalComma)
{
    Window w;
    w.fillDogCase();
    w.form.setActualWeight(QStringLiteral("12,5"));
    EXPECT_EQ(w.requirement("1"), "1,25");
    EXPECT_EQ(w.requirement("15"), "1,00");
    // No number at all: refused, the requirement stays that of 12,5 kg.
    w.form.setActualWeight(QStringLiteral("abc"));
    EXPECT_EQ(w.form.actualWeight(), "12,5");
    EXPECT_EQ(w.requirement("1"), "1,25");
}

TEST(CaseHeaderFormTest, LeavingTheActualWeightFillsAnEmptyTargetOnly)
{
    Window w;
    w.open();
    w.chooseDogCase();
    w.form.setActualWeight(QStringLiteral("20"));
    EXPECT_EQ(w.requirement("1"), "");
    w.form.actualWeightLeft();
    EXPECT_EQ(w.form.targetWeight(), "20");
    // The copied target completes the inputs, so the requirement follows.
    EXPECT_EQ(w.requirement("1"), "2,00");
    w.form.setActualWeight(QStringLiteral("30"));
    w.form.actualWeightLeft();
    EXPECT_EQ(w.form.targetWeight(), "20");
}

TEST(CaseHeaderFormTest, EveryEditMarksTheCaseChanged)
{
    const std::vector<std::pair<const char*, std::function<void(Window&)>>> edits = {
        {"salutation", [](Window& w) { w.form.userChoseSalutation(1); }},
        {"breed", [](Window& w) { w.form.userChoseBreed(0); }},
        {"title", [](Window& w) { w.form.setTitle(QStringLiteral("x")); }},
        {"owner", [](Window& w) { w.form.setOwnerName(QStringLiteral("x")); }},
        {"patient", [](Window& w) { w.form.setPatientName(QStringLiteral("x")); }},
        {"species", [](Window& w) { w.chooseSpecies(3); }},
        {"sex", [](Window& w) { w.chooseSex(2); }},
        {"case type", [](Window& w) { w.chooseCaseType(25); }},
        {"actual", [](Window& w) { w.form.setActualWeight(QStringLiteral("21")); }},
        {"target", [](Window& w) { w.form.setTargetWeight(QStringLiteral("19")); }},
        {"adult", [](Window& w) { w.form.setAdultWeight(QStringLiteral("30")); }},
        {"energy", [](Window& w) { w.form.setEnergyPercent(QStringLiteral("90")); }},
        {"puppies", [](Window& w) { w.form.setPuppies(QStringLiteral("2")); }},
        {"birth date", [](Window& w) { w.form.userChangedBirthDate(QDate(2023, 1, 1)); }},
    };
    for (const auto& [name, edit] : edits) {
        Window w;
        w.open(QStringLiteral("1"));
        ASSERT_TRUE(w.form.isUnchanged());
        edit(w);
        EXPECT_FALSE(w.form.isUnchanged()) << name;
    }
}

TEST(CaseHeaderFormTest, BodyConditionButtonsExcludeEachOtherAndRecompute)
{
    Window w;
    w.open(QStringLiteral("2"));
    ASSERT_TRUE(w.form.ribsPalpable());
    w.form.ration().rationGrid().setText(RequirementRow, FirstColumn, QStringLiteral("stale"));
    w.form.userClickedRibsFatCovered();
    EXPECT_FALSE(w.form.ribsPalpable());
    EXPECT_TRUE(w.form.ribsFatCovered());
    EXPECT_NE(w.form.ration().rationGrid().text(RequirementRow, FirstColumn), "stale");
    w.form.userClickedRibsPalpable();
    EXPECT_TRUE(w.form.ribsPalpable());
    EXPECT_FALSE(w.form.ribsFatCovered());
}

TEST(CaseHeaderFormTest, LabelsAndWindowTitleFollowTheLanguage)
{
    EXPECT_EQ(CaseHeaderForm::windowTitle(QStringLiteral("DE")), "Rationsberechnung");
    EXPECT_EQ(CaseHeaderForm::windowTitle(QStringLiteral("US")), "Calculation of Ration");
    const CaseHeaderLabels de = CaseHeaderForm::labels(QStringLiteral("DE"));
    const CaseHeaderLabels us = CaseHeaderForm::labels(QStringLiteral("US"));
    EXPECT_EQ(de.breed, "Hunderasse            ");
    EXPECT_EQ(us.breed, "dog breed ");
    EXPECT_EQ(de.speciesAndSex, "Spezies       Geschl.   ");
    EXPECT_EQ(us.ageWeeks, "   age[weeks]");
    EXPECT_EQ(us.targetWeight, "Normal w.");
    EXPECT_EQ(de.energy, "ME  -  Bedarf ");
}

TEST(CaseHeaderFormTest, ATextThatIsNoNumberIsRefusedAsTypedNamingTheField)
{
    using Setter = void (CaseHeaderForm::*)(const QString&);
    using Getter = QString (CaseHeaderForm::*)() const;
    const struct
    {
        Setter set;
        Getter get;
        const char* german;
        const char* english;
        bool weight = false;
    } fields[] = {
        {&CaseHeaderForm::setActualWeight, &CaseHeaderForm::actualWeight, "akt. Gewicht", "Actual weight",
         true},
        {&CaseHeaderForm::setTargetWeight, &CaseHeaderForm::targetWeight, "Sollgewicht", "Normal w.", true},
        {&CaseHeaderForm::setAdultWeight, &CaseHeaderForm::adultWeight, "Adultgewicht", "Adult weight", true},
        {&CaseHeaderForm::setEnergyPercent, &CaseHeaderForm::energyPercent, "ME  -  Bedarf", "ME required"},
        {&CaseHeaderForm::setPuppies, &CaseHeaderForm::puppies, "Anz. Welpen", "Number of Pups"},
    };
    // A weight is never below 0, and 0 computes nothing (it may become 0,5).
    enum Outcome { Taken, Refused, Unfinished, NotPositive };
    const struct
    {
        const char* typed;
        Outcome outcome;
    } inputs[] = {
        {"abc", Refused},  {"12kg", Refused},     {"12 kg", Refused}, {"inf", Refused},   {"nan", Refused},
        {"-INF", Refused}, {"Infinity", Refused}, {"1,5", Taken},     {"", Taken},        {"-3", Taken},
        {" 12 ", Taken},   {"2.5", Taken},        {"-", Unfinished},  {"1e", Unfinished}, {"0", Taken},
    };
    for (const char* language : {"DE", "US"}) {
        Window w{QLatin1String(language)};
        w.fillDogCase();
        for (const auto& f : fields) {
            for (const auto& input : inputs) {
                SCOPED_TRACE(std::string(language) + " " + f.english + " \"" + input.typed + "\"");
                const std::string typed = input.typed;
                const Outcome outcome = !f.weight       ? input.outcome
                                        : typed == "-3" ? NotPositive
                                        : typed == "0"  ? Unfinished
                                                        : input.outcome;
                (w.form.*f.set)(QStringLiteral("7"));
                const QString energy = w.requirement("61");
                w.prompt.clear();
                (w.form.*f.set)(QLatin1String(input.typed));
                // A refused text leaves the field as it was; nothing is calculated from it.
                const bool refused = outcome == Refused || outcome == NotPositive;
                EXPECT_EQ((w.form.*f.get)(),
                          refused ? QStringLiteral("7") : QString::fromLatin1(input.typed));
                if (outcome != Taken) {
                    EXPECT_EQ(w.requirement("61"), energy);
                }
                const bool german = QLatin1String(language) == QLatin1String("DE");
                const QString label = german ? QString::fromUtf8(f.german) : QString::fromLatin1(f.english);
                const QString expected =
                    outcome == NotPositive
                        ? (german ? QStringLiteral("„%1“ muss größer als 0 sein.")
                                  : QStringLiteral("\"%1\" must be greater than 0."))
                              .arg(label)
                        : (german ? QStringLiteral("Bitte geben Sie bei „%1“ eine Zahl ein.")
                                  : QStringLiteral("Please enter a number for \"%1\"."))
                              .arg(label);
                EXPECT_EQ(w.prompt.texts(), refused ? QStringList{expected} : QStringList());
            }
        }
    }
}

} // namespace
