#include "app/gui/CaseWindow.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "core/Prompt.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/gui/CaseHeaderView.h"
#include "ration/gui/RationPageView.h"
#include "support/ShownCaseWindow.h"
#include "support/TestDatabase.h"
#include "ui/gui/GridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace NutrientColumns;

namespace {

class CaseWindowTest : public ShownCaseWindow
{
protected:
    void open(const QString& language = QStringLiteral("DE"), const QString& caseKey = QString(),
              QSize size = QSize(1280, 800))
    {
        openWindow(language, caseKey, size);
    }

    // Moves through the list with the arrow keys as a user would, each step
    // being a choice of its own.
    void choose(QComboBox* box, const char* text)
    {
        const int target = box->findText(QString::fromUtf8(text));
        ASSERT_GE(target, 0) << text;
        for (int step = 0; step <= box->count() && box->currentIndex() != target; ++step)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), target) << text;
    }
    void chooseCase(const char* species, const char* sex, const char* caseType)
    {
        choose(c().species, species);
        choose(c().sex, sex);
        choose(c().caseType, caseType);
    }
    void type(QLineEdit* edit, const char* text) { QTest::keyClicks(edit, QString::fromUtf8(text)); }
    void clickSave() { QTest::mouseClick(c().save, Qt::LeftButton); }

    QString requirement(const char* key) const
    {
        return window->form().ration().lookupRequirement(QLatin1String(key));
    }
    QString caseCount() { return db->rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")); }
    static QStringList items(const QComboBox* box)
    {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
};

TEST_F(CaseWindowTest, TheFieldsCarryTheLabelsOfTheWindowsLanguage)
{
    const auto shownText = [](QWidget* widget) {
        if (auto* label = qobject_cast<QLabel*>(widget))
            return label->text();
        return qobject_cast<QAbstractButton*>(widget)->text();
    };
    for (const bool english : {false, true}) {
        open(english ? QStringLiteral("US") : QStringLiteral("DE"));
        const struct
        {
            QWidget* widget;
            const char* german;
            const char* english;
        } cases[] = {
            {c().salutationLabel, "Anrede", "Adress"},
            {c().ownerLabel, "Besitzername", "Name of owner"},
            {c().patientLabel, "Patientenname", "Name of patient"},
            {c().breedLabel, "Hunderasse            ", "dog breed "},
            {c().recipeDateLabel, "Rezeptdatum", "Recipe Date"},
            {c().titleLabel, "Rezepttitel / Diagnose", "Recipe Title / Diagnosis"},
            {c().save, "Speichern", "Save"},
            {c().speciesSexLabel, "Spezies       Geschl.   ", "Species    Gender "},
            {c().caseTypeLabel, "Fall / Diagnose", "Case / diagnosis"},
            {c().ribsPalpable, "Rippen gut fühlbar", "Ribs tangible"},
            {c().ribsFatCovered, "Rippen fettbedeckt", "Ribs fat covered"},
            {c().actualLabel, "akt. Gewicht", "Actual weight"},
            {c().targetLabel, "Sollgewicht", "Normal w."},
            {c().adultLabel, "Adultgewicht", "Adult weight"},
            {c().energyLabel, "ME  -  Bedarf ", "ME required"},
            {c().puppiesLabel, "Anz. Welpen", "Number of Pups"},
            {c().birthDateLabel, "Geburtsdatum ", "Date of birth"},
            {c().ageLabel, "Alter[Wochen]", "   age[weeks]"},
        };
        for (const auto& row : cases)
            EXPECT_EQ(shownText(row.widget), QString::fromUtf8(english ? row.english : row.german))
                << row.german;
        EXPECT_EQ(c().catCondition->title(),
                  english ? QStringLiteral("Nutritional Status") : QStringLiteral("Ernährungszustand Katze"));
        EXPECT_EQ(c().actualUnit->text(), "kg");
        EXPECT_EQ(c().energyUnit->text(), "%");
        EXPECT_EQ(window->windowTitle(),
                  english ? QStringLiteral("Calculation of Ration") : QStringLiteral("Rationsberechnung"));
    }
}

TEST_F(CaseWindowTest, TheSheetShowsItsSixCaptionsInBothLanguages)
{
    const struct
    {
        const char* code;
        QStringList captions;
    } cases[] = {
        {"DE",
         {"      Rationsberechnung      ", "            Rezept                  ",
          "     Bedarfsdeckung in %      ", "       Wachstumskurve         ", "       Gewichts-Check   ",
          "         Verlauf         "}},
        {"US",
         {"        Ration calculation        ", "              Recipe                ",
          "               Figure                 ", "           Weight curve             ",
          "       Gewichts-Check   ", "        Follow-up        "}},
    };
    for (const auto& row : cases) {
        open(QString::fromLatin1(row.code));
        CaseSheet* sheet = window->sheet();
        QStringList shown;
        for (int i = 0; i < sheet->count(); ++i)
            shown << sheet->tabText(i);
        EXPECT_EQ(shown, row.captions) << row.code;
        EXPECT_EQ(sheet->currentIndex(), 0);
        // A new case has no visits to follow.
        EXPECT_FALSE(sheet->isTabEnabled(CaseSheet::FollowUpIndex));
    }
}

TEST_F(CaseWindowTest, APageIsMadeWhenItIsFirstShown)
{
    open();
    CaseSheet* sheet = window->sheet();
    ASSERT_NE(sheet->rationPage(), nullptr);
    EXPECT_EQ(sheet->pageContent(0), sheet->rationPage());
    for (int i = 1; i < CaseSheet::PageCount; ++i)
        EXPECT_EQ(sheet->pageContent(i), nullptr) << i;

    QTest::mouseClick(sheet->tabBar(), Qt::LeftButton, {}, sheet->tabBar()->tabRect(3).center());
    ASSERT_EQ(sheet->currentIndex(), 3);
    ASSERT_NE(sheet->pageContent(3), nullptr);
    EXPECT_TRUE(sheet->pageContent(3)->isVisible());
    EXPECT_EQ(sheet->pageContent(1), nullptr);
    EXPECT_EQ(sheet->pageContent(2), nullptr);
    // Coming back keeps the page that was made.
    QWidget* ration = sheet->rationPage();
    sheet->setCurrentIndex(0);
    EXPECT_EQ(sheet->rationPage(), ration);
}

TEST_F(CaseWindowTest, TheSheetLiesBelowTheFieldsAndTheGridsSpanThePage)
{
    for (const QSize size : {QSize(1280, 800), QSize(1024, 700)}) {
        open(QStringLiteral("DE"), QString(), size);
        QWidget* body = window->widget();
        EXPECT_EQ(window->view()->parentWidget(), body);
        QWidget* strip = window->view()->fieldStrip();
        const QRect shownStrip(strip->mapTo(body, QPoint(0, 0)), strip->size());
        const QRect sheet = window->sheet()->geometry();
        EXPECT_GE(sheet.top(), shownStrip.bottom()) << size.width();
        EXPECT_GT(sheet.height(), shownStrip.height());
        EXPECT_NEAR(sheet.width(), body->width(), 8);

        RationPageView* page = window->sheet()->rationPage();
        EXPECT_EQ(page->rationGridView()->model(), &form().ration().rationGrid());
        EXPECT_EQ(page->profileGridView()->model(), &form().ration().profileGrid());
        EXPECT_GE(page->rationGridView()->height(), size.height() >= 800
                                                        ? RationPageView::RationGridHeight
                                                        : RationPageView::RationGridMinimumHeight)
            << size.width();
        EXPECT_GE(page->profileGridView()->y(), page->rationGridView()->geometry().bottom());
        for (GridView* grid : {page->rationGridView(), page->profileGridView()})
            EXPECT_NEAR(grid->width(), page->width(), 10);
        // The profile's result row stays in view, scroll bar or not.
        GridView* profile = page->profileGridView();
        const QRect results = profile->cellRect(RequirementRow, 1);
        ASSERT_FALSE(results.isEmpty());
        EXPECT_LT(results.bottom(), profile->viewport()->height()) << size.width();
    }
    // The grids were laid out when the page was made: headings and nutrient columns.
    EXPECT_EQ(form().ration().rationGrid().text(SupplyRow, 1), "Versorgung");
    EXPECT_GT(form().ration().rationGrid().columnCount(), FirstColumn);
}

TEST_F(CaseWindowTest, NoLabelIsCutAndNoFieldsOverlapInEitherLanguage)
{
    for (const QSize size : {QSize(1280, 800), QSize(1024, 700)})
        for (const char* code : {"DE", "US"}) {
            open(QString::fromLatin1(code), QString(), size);
            const bool german = code == QLatin1String("DE");
            // A lactating queen shows every optional group but the adult weight.
            chooseCase(german ? "Katze" : "Cat", german ? "W" : "F",
                       german ? "Laktation Katze" : "Lactation queen");
            QCoreApplication::processEvents();
            QList<QWidget*> fields;
            for (QWidget* widget : window->view()->fieldStrip()->findChildren<QWidget*>()) {
                if (widget->isVisible() && widget->parentWidget() == window->view()->fieldStrip())
                    fields << widget;
            }
            // "Neuer Besuch" beside "Speichern" too.
            ASSERT_EQ(fields.size(), 36) << code;
            for (QWidget* field : fields) {
                if (auto* label = qobject_cast<QLabel*>(field)) {
                    EXPECT_GE(label->width(), label->sizeHint().width())
                        << code << " " << qPrintable(label->text());
                }
                for (QWidget* other : fields) {
                    if (other != field) {
                        EXPECT_FALSE(field->geometry().intersects(other->geometry()))
                            << code << " " << qPrintable(field->objectName()) << " / "
                            << qPrintable(other->objectName());
                    }
                }
            }
            for (QRadioButton* radio : {c().ribsPalpable, c().ribsFatCovered})
                EXPECT_GE(radio->width(), radio->sizeHint().width()) << code;
        }
}

TEST_F(CaseWindowTest, ANewCaseShowsSortedListsEnergyHundredAndNoOptionalGroups)
{
    open();
    EXPECT_EQ(items(c().salutation), (QStringList{"Frau", "Herr"}));
    EXPECT_EQ(c().salutation->itemData(1).toInt(), 1);
    EXPECT_EQ(items(c().breed), (QStringList{"Dackel", "Mops", "Schäferhund"}));
    EXPECT_EQ(items(c().species), (QStringList{"Hund", "Katze"}));
    EXPECT_EQ(c().caseType->count(), 0);
    for (QComboBox* box : {c().salutation, c().breed, c().species, c().sex})
        EXPECT_EQ(box->currentIndex(), -1) << qPrintable(box->objectName());
    EXPECT_EQ(c().energy->text(), "100");
    EXPECT_EQ(c().energy->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(c().hasBirthDate->isChecked());
    EXPECT_EQ(c().birthDate->palette().color(QPalette::Text), QColor(Qt::gray));
    EXPECT_TRUE(c().recipeDate->isReadOnly());
    EXPECT_TRUE(c().age->isReadOnly());
    for (QWidget* group :
         {(QWidget*)c().catCondition, (QWidget*)c().target, (QWidget*)c().puppies, (QWidget*)c().adult})
        EXPECT_FALSE(group->isVisible()) << qPrintable(group->objectName());
    EXPECT_TRUE(c().actual->isVisible());
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(CaseWindowTest, TheVisibleGroupsFollowTheChosenCaseTypeAndSpecies)
{
    const struct
    {
        const char* species;
        const char* sex;
        const char* caseType;
        bool cat, target, puppies, adult;
    } cases[] = {
        {"Hund", "M", "Wachstum Rüde", false, false, false, true},
        {"Hund", "W", "Laktation Hündin", false, true, true, false},
        {"Katze", "W", "Laktation Katze", true, true, true, false},
        {"Hund", "M", "Erhaltung Rüde", false, true, false, false},
        {"Katze", "W", "Erhaltung Katze", true, true, false, false},
        {"Katze", "W", "Reduktion Katze", true, true, false, false},
    };
    for (const auto& row : cases) {
        open();
        chooseCase(row.species, row.sex, row.caseType);
        const auto shown = [](std::initializer_list<QWidget*> group) {
            bool all = true, none = true;
            for (QWidget* widget : group) {
                all = all && widget->isVisible();
                none = none && !widget->isVisible();
            }
            EXPECT_TRUE(all || none) << "a group shows only in part";
            return all;
        };
        EXPECT_EQ(shown({c().catCondition, c().ribsPalpable, c().ribsFatCovered}), row.cat) << row.caseType;
        EXPECT_EQ(shown({c().targetLabel, c().target, c().targetUnit}), row.target) << row.caseType;
        EXPECT_EQ(shown({c().puppiesLabel, c().puppies}), row.puppies) << row.caseType;
        EXPECT_EQ(shown({c().adultLabel, c().adult, c().adultUnit}), row.adult) << row.caseType;
    }
}

TEST_F(CaseWindowTest, ChoosingAnotherSpeciesRefillsTheCaseTypesAndDropsTheChoice)
{
    open();
    chooseCase("Hund", "M", "Erhaltung Rüde");
    type(c().target, "18");
    type(c().actual, "20");
    ASSERT_EQ(requirement("1"), "2,00");
    EXPECT_EQ(items(c().caseType), (QStringList{"Erhaltung Rüde", "Nierendiät Rüde", "Wachstum Rüde"}));

    choose(c().species, "Katze");
    EXPECT_EQ(items(c().caseType), QStringList{"Erhaltung Kater"});
    EXPECT_EQ(c().caseType->currentIndex(), -1);
    EXPECT_EQ(c().caseType->currentText(), "");
    EXPECT_EQ(form().caseTypeKey(), -1);
    EXPECT_EQ(requirement("1"), "");
}

TEST_F(CaseWindowTest, TypingTheActualWeightFillsTheRequirementRow)
{
    open();
    chooseCase("Hund", "M", "Erhaltung Rüde");
    type(c().target, "12");
    EXPECT_EQ(requirement("1"), "");
    type(c().actual, "12,5");
    EXPECT_EQ(form().actualWeight(), "12,5");
    const GridModel& grid = form().ration().rationGrid();
    const int calcium = NutrientColumns::find(grid, QStringLiteral("1"));
    ASSERT_GE(calcium, FirstColumn);
    EXPECT_EQ(grid.text(RequirementRow, calcium), "1,25");
    EXPECT_EQ(requirement("15"), "1,00");
    // What the view paints is the model the form computes into.
    EXPECT_EQ(window->sheet()->rationPage()->rationGridView()->model(), &grid);
}

TEST_F(CaseWindowTest, LeavingTheActualWeightCopiesItIntoAnEmptyTargetOnly)
{
    open();
    area->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(area.get()));
    chooseCase("Hund", "M", "Erhaltung Rüde");

    c().actual->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c().actual->hasFocus(); }));
    type(c().actual, "20");
    EXPECT_EQ(c().target->text(), "");
    c().owner->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c().owner->hasFocus(); }));
    EXPECT_EQ(c().target->text(), "20");
    EXPECT_EQ(form().targetWeight(), "20");

    // A target of its own stays when the actual weight is left again.
    c().target->selectAll();
    type(c().target, "18");
    c().actual->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c().actual->hasFocus(); }));
    type(c().actual, "5");
    c().owner->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return c().owner->hasFocus(); }));
    EXPECT_EQ(c().actual->text(), "205");
    EXPECT_EQ(c().target->text(), "18");
}

TEST_F(CaseWindowTest, PuppiesBelowOneForALactatingBitchShowTheMessage)
{
    const struct
    {
        const char* code;
        const char* sex;
        const char* caseType;
        const char* message;
    } cases[] = {{"DE", "W", "Laktation Hündin", "Die Anzahl der Welpen muss > 0 sein"},
                 {"US", "F", "Lactation bitch", "Number of puppies should be > 0 "}};
    for (const auto& row : cases) {
        open(QString::fromLatin1(row.code));
        chooseCase(row.code == QLatin1String("DE") ? "Hund" : "Dog", row.sex, row.caseType);
        ASSERT_TRUE(c().puppies->isVisible());
        prompt.clear();
        type(c().puppies, "0");
        EXPECT_EQ(prompt.texts(), QStringList{QString::fromUtf8(row.message)}) << row.code;
        // A count of at least one passes silently.
        prompt.clear();
        c().puppies->clear();
        type(c().puppies, "4");
        EXPECT_TRUE(prompt.texts().isEmpty()) << row.code;
        EXPECT_EQ(form().puppies(), "4");
    }
}

TEST_F(CaseWindowTest, TheBodyConditionButtonsExcludeEachOther)
{
    open();
    chooseCase("Katze", "W", "Erhaltung Katze");
    EXPECT_FALSE(c().ribsPalpable->isChecked());
    EXPECT_FALSE(c().ribsFatCovered->isChecked());

    QTest::mouseClick(c().ribsPalpable, Qt::LeftButton);
    EXPECT_TRUE(c().ribsPalpable->isChecked());
    EXPECT_FALSE(c().ribsFatCovered->isChecked());
    EXPECT_TRUE(form().ribsPalpable());

    QTest::mouseClick(c().ribsFatCovered, Qt::LeftButton);
    EXPECT_FALSE(c().ribsPalpable->isChecked());
    EXPECT_TRUE(c().ribsFatCovered->isChecked());
    EXPECT_TRUE(form().ribsFatCovered());

    // Clicking the set button again leaves it set.
    QTest::mouseClick(c().ribsFatCovered, Qt::LeftButton);
    EXPECT_TRUE(c().ribsFatCovered->isChecked());
}

TEST_F(CaseWindowTest, TheBirthDateGivesTheAgeAndNoDateShowsTimeNotSet)
{
    open();
    // The picker offers the pinned day; ticking the box takes it.
    QTest::mouseClick(c().hasBirthDate, Qt::LeftButton);
    ASSERT_TRUE(c().hasBirthDate->isChecked());
    EXPECT_NE(c().birthDate->palette().color(QPalette::Text), QColor(Qt::gray));
    EXPECT_EQ(form().birthDate(), TestDatabase::pinnedNow().date());
    EXPECT_EQ(c().age->text(), "0");

    // A year back, by the keyboard on the year section.
    c().birthDate->setCurrentSection(QDateTimeEdit::YearSection);
    QTest::keyClick(c().birthDate, Qt::Key_Down);
    EXPECT_EQ(form().birthDate(), QDate(2023, 4, 3));
    EXPECT_EQ(c().age->text(), "52");

    // Typed whole, in the language's form, and taken with Enter.
    auto* typed = c().birthDate->findChild<QLineEdit*>();
    ASSERT_NE(typed, nullptr);
    typed->setText(QStringLiteral("12.03.2021"));
    EXPECT_EQ(form().birthDate(), QDate(2023, 4, 3));
    QTest::keyClick(c().birthDate, Qt::Key_Return);
    EXPECT_EQ(form().birthDate(), QDate(2021, 3, 12));
    EXPECT_TRUE(prompt.texts().filter(QStringLiteral("Zukunft")).isEmpty());

    QTest::mouseClick(c().hasBirthDate, Qt::LeftButton);
    EXPECT_FALSE(form().birthDate().has_value());
    EXPECT_EQ(prompt.lastText(), "Time not set!");
    EXPECT_EQ(c().age->text(), "");

    // Typed without the box: the date is taken and the box ticks.
    typed->setText(QStringLiteral("01.02.2022"));
    QTest::keyClick(c().birthDate, Qt::Key_Return);
    EXPECT_EQ(form().birthDate(), QDate(2022, 2, 1));
    EXPECT_TRUE(c().hasBirthDate->isChecked());
    EXPECT_NE(c().birthDate->palette().color(QPalette::Text), QColor(Qt::gray));
}

TEST_F(CaseWindowTest, SavingWithAMissingFieldShowsItsMessageAndStoresNothing)
{
    const struct
    {
        const char* code;
        bool withSalutation;
        const char* message;
    } cases[] = {{"DE", false, "Bitte wählen Sie eine Anrede aus"},
                 {"US", false, "Please select adress"},
                 {"DE", true, "Bitte geben Sie einen Besitzernamen ein"},
                 {"US", true, "Please fill name of owner "}};
    for (const auto& row : cases) {
        open(QString::fromLatin1(row.code));
        if (row.withSalutation)
            choose(c().salutation, row.code == QLatin1String("DE") ? "Herr" : "Mr.");
        const QString before = caseCount();
        clickSave();
        EXPECT_EQ(prompt.lastText(), QString::fromUtf8(row.message)) << row.code;
        EXPECT_EQ(caseCount(), before);
        prompt.clear();
    }
}

TEST_F(CaseWindowTest, SavingACompleteCaseStoresItAndShowsTheStoredCopy)
{
    open();
    choose(c().salutation, "Frau");
    type(c().owner, "O'Hara");
    type(c().patient, "Luna");
    chooseCase("Hund", "M", "Erhaltung Rüde");
    type(c().actual, "20");
    type(c().target, "20");
    type(c().title, "Erhaltung neu");
    ASSERT_EQ(caseCount(), "3");
    clickSave();
    EXPECT_TRUE(prompt.texts().isEmpty()) << qPrintable(prompt.texts().join(QLatin1Char('|')));
    EXPECT_EQ(caseCount(), "4");
    EXPECT_EQ(db->rawValue(
                  QStringLiteral("SELECT Name_Besitzer FROM T_PAT_REZ WHERE Rezepttitel = 'Erhaltung neu'")),
              "O'Hara");
    // The window now shows the stored row, reloaded and recomputed.
    EXPECT_EQ(c().owner->text(), "O'Hara");
    EXPECT_EQ(c().caseType->currentText(), "Erhaltung Rüde");
    EXPECT_FALSE(c().recipeDate->text().isEmpty());
    EXPECT_EQ(requirement("1"), "2,00");
    EXPECT_TRUE(form().isUnchanged());
    // Saving again needs another title.
    clickSave();
    EXPECT_EQ(prompt.lastText(), "Bitte geben Sie einen (neuen) Titel ein");
    EXPECT_EQ(caseCount(), "4");
}

TEST_F(CaseWindowTest, AStoredCaseOpensWithItsValuesAndComputedRequirement)
{
    open(QStringLiteral("DE"), QStringLiteral("1"));
    EXPECT_EQ(window->windowTitle(), "Rationsberechnung");
    EXPECT_EQ(c().salutation->currentText(), "Herr");
    EXPECT_EQ(c().owner->text(), "Müller");
    EXPECT_EQ(c().patient->text(), "Bello");
    EXPECT_EQ(c().breed->currentText(), "Dackel");
    EXPECT_EQ(c().species->currentText(), "Hund");
    EXPECT_EQ(c().sex->currentText(), "M");
    EXPECT_EQ(c().caseType->currentText(), "Erhaltung Rüde");
    EXPECT_EQ(c().title->text(), "Erhaltung");
    EXPECT_EQ(c().recipeDate->text(), form().recipeDate());
    EXPECT_FALSE(c().recipeDate->text().isEmpty());
    EXPECT_EQ(c().actual->text(), "20");
    EXPECT_EQ(c().target->text(), "18");
    EXPECT_EQ(c().energy->text(), "100");
    EXPECT_TRUE(c().hasBirthDate->isChecked());
    EXPECT_EQ(c().birthDate->date(), QDate(2020, 3, 5));
    EXPECT_EQ(c().birthDate->text(), "05.03.2020");
    EXPECT_EQ(c().age->text(), "212");
    EXPECT_TRUE(c().ribsFatCovered->isChecked());
    EXPECT_FALSE(c().ribsPalpable->isChecked());
    EXPECT_TRUE(c().target->isVisible());
    EXPECT_FALSE(c().catCondition->isVisible());
    EXPECT_FALSE(c().adult->isVisible());
    EXPECT_EQ(requirement("1"), "2,00");
    const GridModel& grid = form().ration().rationGrid();
    EXPECT_EQ(grid.rowCount(), FirstFeedRow + 2);
    EXPECT_EQ(grid.text(FirstFeedRow, 1), "Hühnerbrust, gekocht");
    EXPECT_EQ(grid.text(FirstFeedRow, 2).trimmed(), "150,0");
    // Showing the loaded values did not hand them back as edits.
    EXPECT_TRUE(form().isUnchanged());
    EXPECT_TRUE(prompt.texts().isEmpty());
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(CaseWindowTest, AStoredCaseOpensInEnglishWithItsDateInTheEnglishOrder)
{
    open(QStringLiteral("US"), QStringLiteral("3"));
    EXPECT_EQ(window->windowTitle(), "Calculation of Ration");
    EXPECT_EQ(c().salutation->currentText(), "Mr.");
    EXPECT_EQ(c().caseType->currentText(), "Growth male");
    EXPECT_EQ(c().birthDate->text(), "01/10/2024");
    EXPECT_EQ(c().age->text(), "12");
    EXPECT_TRUE(c().adult->isVisible());
    EXPECT_EQ(c().adult->text(), "20");
    EXPECT_FALSE(c().target->isVisible());
    EXPECT_TRUE(form().isUnchanged());
}

TEST_F(CaseWindowTest, ClosingAChangedCaseAsksAndClosesOnNoOrASuccessfulSave)
{
    const struct
    {
        const char* code;
        Prompt::Answer answer;
        bool closes;
        const char* question;
        const char* title = nullptr;   // typed before closing
        const char* refusal = nullptr; // the save's message after Yes
    } cases[] = {
        {"DE", Prompt::Answer::Yes, false, "Möchten Sie diesen Fall speichern?", nullptr,
         "Bitte geben Sie einen (neuen) Titel ein"},
        {"DE", Prompt::Answer::Yes, true, "Möchten Sie diesen Fall speichern?", "Kontrolle"},
        {"DE", Prompt::Answer::Cancel, false, "Möchten Sie diesen Fall speichern?"},
        {"DE", Prompt::Answer::No, true, "Möchten Sie diesen Fall speichern?"},
        {"US", Prompt::Answer::No, true, "do you want  to save this case?"},
    };
    for (const auto& row : cases) {
        open(QString::fromLatin1(row.code), QStringLiteral("1"));
        type(c().owner, "x");
        if (row.title)
            type(c().title, row.title);
        prompt.clear();
        prompt.setNextAnswer(row.answer);
        QPointer<CaseWindow> guard(window);
        EXPECT_EQ(window->close(), row.closes) << row.code;
        ASSERT_EQ(prompt.entries().size(), row.refusal ? 2u : 1u);
        EXPECT_TRUE(prompt.entries()[0].isQuestion);
        EXPECT_EQ(prompt.entries()[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(prompt.entries()[0].icon, Prompt::Icon::Exclamation);
        EXPECT_EQ(prompt.entries()[0].text, QString::fromUtf8(row.question));
        EXPECT_EQ(prompt.lastText(), QString::fromUtf8(row.refusal ? row.refusal : row.question));
        if (row.closes) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return guard.isNull(); }));
            EXPECT_TRUE(area->subWindowList().isEmpty());
        } else {
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(area->subWindowList().size(), 1);
        }
    }
}

} // namespace
