#include "app/gui/SearchBarView.h"
#include "ShownMainWindow.h"
#include "app/gui/CaseListView.h"
#include "app/gui/MainWindow.h"
#include "app/gui/ResultBar.h"
#include "core/Prompt.h"
#include "support/TestDatabase.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

using Control = SearchBar::Control;

// A main window over the fixture, shown so that visibility can be checked.
class SearchBarViewTest : public ShownMainWindow
{
protected:
    template <typename T> T* control(int id) { return qobject_cast<T*>(window->searchBar()->control(id)); }

    CaseListView* caseList() { return window->resultBar() ? window->resultBar()->caseList() : nullptr; }

    // Owner and patient of each listed case, top to bottom.
    QStringList listed()
    {
        QStringList cases;
        const CaseList& list = caseList()->logic();
        for (int row = 0; row < list.caseCount(); ++row)
            cases << list.text(row, CaseList::OwnerColumn) + QLatin1Char('/') +
                         list.text(row, CaseList::PatientColumn);
        return cases;
    }
};

QStringList itemTexts(QComboBox* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << QStringLiteral("%1 %2").arg(list->itemData(i).toInt()).arg(list->itemText(i));
    return texts;
}

TEST_F(SearchBarViewTest, LabelsAndButtonShowTheTextsOfTheLanguageAtStart)
{
    const struct
    {
        const char* code;
        QStringList texts; // the labels and the search button, left to right
        const char* picture;
    } cases[] = {
        {"DE",
         {"Gattung:", "Geschlecht:", "Besitzer:", "Patient:", "Rezept:", "Suchen"},
         ":/pictures/new-case-de.png"},
        {"US",
         {"Species:", "    Gender:", "Owner:", "Patient:", "Recipe:", "Search"},
         ":/pictures/new-case-en.png"},
    };
    const int textControls[] = {Control::SpeciesLabel, Control::SexLabel,   Control::OwnerLabel,
                                Control::PatientLabel, Control::TitleLabel, Control::SearchButton};
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.code));
        QStringList shown;
        for (int id : textControls) {
            if (auto* label = control<QLabel>(id))
                shown << label->text();
            else if (auto* button = control<QPushButton>(id))
                shown << button->text();
            else
                shown << QStringLiteral("no control %1").arg(id);
        }
        EXPECT_EQ(shown, c.texts) << c.code;
        auto* newCase = control<QToolButton>(Control::NewCaseButton);
        ASSERT_NE(newCase, nullptr);
        EXPECT_EQ(newCase->property("picture").toString(), QString::fromLatin1(c.picture));
        EXPECT_EQ(newCase->iconSize(), QSize(108, 22)) << "picture not loaded";
        EXPECT_TRUE(newCase->text().isEmpty());
    }
}

TEST_F(SearchBarViewTest, EveryControlCarriesItsIdentifierInTheOrderOfTheRow)
{
    open();
    triggerAction(*window, "actionRation");
    QCoreApplication::processEvents();
    QWidget* previous = nullptr;
    for (int id : SearchBar::controls()) {
        QWidget* widget = window->searchBar()->control(id);
        ASSERT_NE(widget, nullptr) << id;
        EXPECT_EQ(widget->property("controlId").toInt(), id);
        EXPECT_EQ(widget, window->searchBar()->findChild<QWidget*>(SearchBar::roleName(id))) << id;
        if (previous) {
            EXPECT_GT(widget->x(), previous->x() + previous->width() - 1) << id;
        }
        previous = widget;
    }
    EXPECT_NE(control<QComboBox>(Control::SpeciesList), nullptr);
    EXPECT_NE(control<QComboBox>(Control::SexList), nullptr);
    for (int id : {Control::OwnerEdit, Control::PatientEdit, Control::TitleEdit})
        EXPECT_NE(control<QLineEdit>(id), nullptr) << id;
}

TEST_F(SearchBarViewTest, TheListsHoldEveryRowWithoutAnEmptyEntryAndWithoutAChoice)
{
    const struct
    {
        const char* code;
        QStringList species;
        QStringList sex;
    } cases[] = {
        {"DE", {"1 alle", "2 Hund", "3 Katze", "4 Pferd"}, {"1 M", "2 W"}},
        {"US", {"1 all", "2 Dog", "3 Cat", "4 Horse"}, {"1 M", "2 F"}},
    };
    for (const auto& c : cases) {
        open(QString::fromLatin1(c.code));
        auto* species = control<QComboBox>(Control::SpeciesList);
        auto* sex = control<QComboBox>(Control::SexList);
        ASSERT_TRUE(species && sex);
        EXPECT_EQ(itemTexts(species), c.species) << c.code;
        EXPECT_EQ(itemTexts(sex), c.sex) << c.code;
        EXPECT_EQ(species->currentIndex(), -1);
        EXPECT_EQ(sex->currentIndex(), -1);
        EXPECT_TRUE(species->currentText().isEmpty());
    }
}

TEST_F(SearchBarViewTest, TheBarsAndTheStatusBarAreHiddenAtStartAndTheSearchBarSitsAtTheTop)
{
    open();
    EXPECT_FALSE(window->searchBar()->isVisible());
    EXPECT_EQ(window->resultBar(), nullptr);
    EXPECT_EQ(window->dockWidgetArea(window->searchBar()), Qt::TopDockWidgetArea);
    EXPECT_EQ(window->searchBar()->allowedAreas(), Qt::AllDockWidgetAreas);
    EXPECT_EQ(window->createPopupMenu(), nullptr);
}

TEST_F(SearchBarViewTest, TheRationCommandShowsTheSearchBarFirstAndTheResultBarTheSecondTime)
{
    open();
    ASSERT_TRUE(triggerAction(*window, "actionRation"));
    EXPECT_TRUE(window->searchBar()->isVisible());
    ASSERT_NE(window->resultBar(), nullptr);
    ResultBar* made = window->resultBar();
    EXPECT_FALSE(made->isVisible());
    EXPECT_EQ(made->widget()->sizeHint(), QSize(305, 150));

    ASSERT_TRUE(triggerAction(*window, "actionRation"));
    EXPECT_TRUE(window->searchBar()->isVisible());
    EXPECT_EQ(window->resultBar(), made);
    EXPECT_TRUE(made->isVisible());
    EXPECT_EQ(window->dockWidgetArea(made), Qt::BottomDockWidgetArea);
    EXPECT_EQ(made->windowTitle(), QStringLiteral("Suchergebnis"));
    // Showing the bar searches nothing.
    EXPECT_EQ(caseList()->logic().rowCount(), 0);
}

TEST_F(SearchBarViewTest, TheMenuEntryRunsTheRationCommand)
{
    open(QStringLiteral("US"));
    menuAction(*window, "actionRation")->trigger();
    EXPECT_TRUE(window->searchBar()->isVisible());
    ASSERT_NE(window->resultBar(), nullptr);
    EXPECT_EQ(window->resultBar()->windowTitle(), QStringLiteral("Search Result"));
}

TEST_F(SearchBarViewTest, SearchingWithoutAChoiceHandsOnMinusOneForSpeciesAndSex)
{
    open();
    triggerAction(*window, "actionRation");
    QTest::mouseClick(control<QPushButton>(Control::SearchButton), Qt::LeftButton);
    ASSERT_NE(caseList(), nullptr);
    EXPECT_EQ(listed(), (QStringList{"Müller/Bello", "O'Neil/Minka", "Schmidt/Rex"}));
    // The search also shows the result bar that the first command left hidden.
    EXPECT_TRUE(window->resultBar()->isVisible());
}

TEST_F(SearchBarViewTest, SearchingListsTheCasesOfTheChosenKeysAndTheTypedTexts)
{
    open();
    triggerAction(*window, "actionRation");
    auto* species = control<QComboBox>(Control::SpeciesList);
    auto* sex = control<QComboBox>(Control::SexList);
    species->setCurrentIndex(1);
    sex->setCurrentIndex(0);
    QTest::keyClicks(control<QLineEdit>(Control::OwnerEdit), QStringLiteral("M"));
    QTest::sendKeyEvent(QTest::Click, control<QLineEdit>(Control::OwnerEdit), Qt::Key_Udiaeresis,
                        QStringLiteral("ü"), Qt::NoModifier);
    QTest::keyClicks(control<QLineEdit>(Control::PatientEdit), QStringLiteral("el"));
    QTest::keyClicks(control<QLineEdit>(Control::TitleEdit), QStringLiteral("halt"));
    ASSERT_TRUE(clickBarButton(*window, Control::SearchButton));
    ASSERT_NE(caseList(), nullptr);
    EXPECT_EQ(listed(), QStringList{"Müller/Bello"});

    // The cat's owner does not match "Mü".
    species->setCurrentIndex(2);
    clickBarButton(*window, Control::SearchButton);
    EXPECT_EQ(listed(), QStringList());

    // Sex W alone, every text cleared.
    species->setCurrentIndex(-1);
    sex->setCurrentIndex(1);
    for (int id : {Control::OwnerEdit, Control::PatientEdit, Control::TitleEdit})
        control<QLineEdit>(id)->clear();
    clickBarButton(*window, Control::SearchButton);
    EXPECT_EQ(listed(), QStringList{"O'Neil/Minka"});

    // "%" typed by the user stays a wildcard: "i%a" finds "Minka".
    sex->setCurrentIndex(-1);
    QTest::keyClicks(control<QLineEdit>(Control::PatientEdit), QStringLiteral("i%a"));
    clickBarButton(*window, Control::SearchButton);
    EXPECT_EQ(listed(), QStringList{"O'Neil/Minka"});
}

TEST_F(SearchBarViewTest, AFirstSearchMakesTheResultBarLargerAndShowsIt)
{
    open();
    ASSERT_TRUE(clickBarButton(*window, Control::SearchButton));
    ASSERT_NE(window->resultBar(), nullptr);
    EXPECT_TRUE(window->resultBar()->isVisible());
    EXPECT_EQ(window->resultBar()->widget()->sizeHint(), QSize(305, 305));
    EXPECT_EQ(listed().size(), 3);
}

TEST_F(SearchBarViewTest, AFailedSearchSaysSoInTheCaptionAndTheMessageInsteadOfCountingNoCases)
{
    open();
    ASSERT_TRUE(clickBarButton(*window, Control::SearchButton));
    EXPECT_EQ(window->resultBar()->windowTitle(), QString::fromUtf8("Suchergebnis: 3 Fälle"));
    ASSERT_TRUE(fixture->rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ RENAME TO T_PAT_REZ_WEG")));
    prompt.clear();
    ASSERT_TRUE(clickBarButton(*window, Control::SearchButton));
    EXPECT_EQ(window->resultBar()->windowTitle(), QStringLiteral("Suchergebnis: Suche fehlgeschlagen"));
    ASSERT_EQ(prompt.texts().size(), 1);
    EXPECT_TRUE(prompt.lastText().startsWith(QStringLiteral("Die Suche ist fehlgeschlagen.\nGrund: ")));
    ASSERT_TRUE(fixture->rawExec(QStringLiteral("ALTER TABLE T_PAT_REZ_WEG RENAME TO T_PAT_REZ")));
}

TEST_F(SearchBarViewTest, AResultBarMadeAfterALanguageSwitchTakesTheNewCaptionWhileTheSearchBarKeepsItsTexts)
{
    open();
    triggerAction(*window, "actionEnglish");
    triggerAction(*window, "actionRation");
    ASSERT_NE(window->resultBar(), nullptr);
    EXPECT_EQ(window->resultBar()->windowTitle(), QStringLiteral("Search Result"));
    EXPECT_EQ(control<QLabel>(Control::SexLabel)->text(), QStringLiteral("Geschlecht:"));
    EXPECT_EQ(control<QComboBox>(Control::SpeciesList)->itemText(1), QStringLiteral("Hund"));
    EXPECT_EQ(control<QToolButton>(Control::NewCaseButton)->property("picture").toString(),
              QStringLiteral(":/pictures/new-case-de.png"));
}

TEST_F(SearchBarViewTest, TheNewCaseButtonOpensACaseWindow)
{
    open();
    triggerAction(*window, "actionRation");
    const int before = int(window->workspace()->subWindowList().size());
    QTest::mouseClick(control<QToolButton>(Control::NewCaseButton), Qt::LeftButton);
    ASSERT_EQ(int(window->workspace()->subWindowList().size()), before + 1);
    EXPECT_EQ(window->workspace()->subWindowList().last()->windowTitle(),
              QStringLiteral("Rationsberechnung"));
}

TEST_F(SearchBarViewTest, TheResultBarKeepsItsHeightForTheNextRunInTheUsersSettings)
{
    open();
    triggerAction(*window, "actionRation");
    triggerAction(*window, "actionRation");
    QTest::qWait(20);
    window->resizeDocks({window->resultBar()}, {222}, Qt::Vertical);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->resultBar()->height() == 222; }))
        << window->resultBar()->height();
    const auto settings = DockBar::openSettings();
    EXPECT_EQ(settings->organizationName(),
              QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"));
    EXPECT_EQ(settings->value(QStringLiteral("ResultBar/DockedHeight")).toInt(), 222);

    open();
    clickBarButton(*window, Control::SearchButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->resultBar()->height() == 222; }))
        << window->resultBar()->height();
    settings->remove(QStringLiteral("ResultBar"));
}

TEST_F(SearchBarViewTest, DockedAtASideTheBarStacksItsControls)
{
    open();
    triggerAction(*window, "actionRation");
    window->addDockWidget(Qt::LeftDockWidgetArea, window->searchBar());
    QCoreApplication::processEvents();
    QWidget* species = window->searchBar()->control(Control::SpeciesList);
    QWidget* sex = window->searchBar()->control(Control::SexList);
    EXPECT_GT(sex->y(), species->y());
    EXPECT_EQ(sex->x(), species->x());
    window->addDockWidget(Qt::TopDockWidgetArea, window->searchBar());
    QCoreApplication::processEvents();
    EXPECT_EQ(sex->y(), species->y());
    EXPECT_GT(sex->x(), species->x());
}

} // namespace
