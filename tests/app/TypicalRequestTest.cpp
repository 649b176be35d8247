#include "ShownMainWindow.h"
#include "app/SearchBar.h"
#include "app/gui/CaseListView.h"
#include "app/gui/CaseSheet.h"
#include "app/gui/CaseWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/ResultBar.h"
#include "app/gui/SearchBarView.h"
#include "ration/CaseHeaderForm.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"
#include "ration/gui/CaseHeaderView.h"
#include "ration/gui/RationPageView.h"
#include "ui/gui/GridView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace NutrientColumns;

namespace {

// The whole case workflow through the widgets, as a vet goes through it.
class TypicalRequestTest : public ShownMainWindow
{
protected:
    static void choose(QComboBox* box, const QString& text)
    {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << qPrintable(text);
        for (int step = 0; step <= box->count() && box->currentIndex() != target; ++step)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), target) << qPrintable(text);
    }
    static void pickFeed(QComboBox* box, const QString& text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << qPrintable(text);
        box->showPopup();
        QAbstractItemView* list = box->view();
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible(); }));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(index, 0)).center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }));
        QCoreApplication::processEvents();
    }
    static void typeAmount(GridView* grid, int row, const QString& grams)
    {
        grid->ensureCellVisible(row, RationGrids::AmountColumn);
        const QRect cell = grid->cellRect(row, RationGrids::AmountColumn);
        ASSERT_FALSE(cell.isEmpty());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_TRUE(grid->isEditing());
        QTest::keyClicks(grid->editor(), grams);
        QTest::keyClick(grid->editor(), Qt::Key_Return);
        ASSERT_FALSE(grid->isEditing());
    }
    static void type(QLineEdit* edit, const QString& text) { QTest::keyClicks(edit, text); }

    // The computed rows of both grids and every feedstuff row, as shown.
    static QStringList shownFigures(CaseWindow* caseWindow)
    {
        QStringList rows;
        GridModel& ration = caseWindow->form().ration().rationGrid();
        GridModel& profile = caseWindow->form().ration().profileGrid();
        const auto rowText = [](const GridModel& grid, int row, int from) {
            QStringList cells;
            for (int c = from; c < grid.columnCount(); ++c)
                cells << grid.text(row, c).trimmed();
            return cells.join(QLatin1Char('|'));
        };
        rows << rowText(ration, NameRow, FirstColumn) << rowText(ration, RequirementRow, FirstColumn)
             << rowText(ration, SupplyRow, FirstColumn);
        for (int row = FirstFeedRow; row < ration.rowCount(); ++row)
            rows << rowText(ration, row, RationGrids::KeyColumn);
        rows << rowText(profile, NameRow, FirstColumn) << rowText(profile, RequirementRow, FirstColumn);
        return rows;
    }

    template <typename T> T* barControl(int id) { return qobject_cast<T*>(window->searchBar()->control(id)); }
};

TEST_F(TypicalRequestTest, NewCaseFeedstuffsAmountsSaveSearchReopenAndDelete)
{
    open(QStringLiteral("DE"), QSize(1400, 900));
    menuAction(*window, "actionRation")->trigger();
    ASSERT_TRUE(window->searchBar()->isVisible());

    // A new case from the search bar's button.
    QTest::mouseClick(barControl<QToolButton>(SearchBar::NewCaseButton), Qt::LeftButton);
    ASSERT_EQ(window->workspace()->subWindowList().size(), 1);
    auto* first = qobject_cast<CaseWindow*>(window->workspace()->subWindowList().first());
    ASSERT_NE(first, nullptr);
    const CaseHeaderControls& c = first->view()->controls();
    RationPageView* page = first->sheet()->rationPage();
    ASSERT_NE(page, nullptr);

    choose(c.salutation, QStringLiteral("Frau"));
    type(c.owner, QStringLiteral("Brandt"));
    type(c.patient, QStringLiteral("Fiete"));
    choose(c.species, QStringLiteral("Hund"));
    choose(c.sex, QStringLiteral("M"));
    choose(c.caseType, QStringLiteral("Erhaltung Rüde"));
    type(c.actual, QStringLiteral("20"));
    type(c.target, QStringLiteral("18"));
    const GridModel& ration = first->form().ration().rationGrid();
    const int calcium = NutrientColumns::find(ration, QStringLiteral("1"));
    const int protein = NutrientColumns::find(ration, QStringLiteral("24"));
    ASSERT_GE(calcium, FirstColumn);
    ASSERT_GE(protein, FirstColumn);
    EXPECT_EQ(ration.text(RequirementRow, calcium), "2,00");

    // Two feedstuffs, each found through the category and type filters.
    choose(page->categoryList(), QStringLiteral("Einzelfuttermittel"));
    choose(page->typeList(), QStringLiteral("Fleisch"));
    EXPECT_EQ(page->feedList()->count(), 1);
    pickFeed(page->feedList(), QStringLiteral("Hühnerbrust, gekocht"));
    choose(page->typeList(), QStringLiteral("Getreide"));
    pickFeed(page->feedList(), QStringLiteral("Reis, gekocht"));
    ASSERT_EQ(ration.rowCount(), FirstFeedRow + 2);
    EXPECT_EQ(ration.text(FirstFeedRow, RationGrids::NameColumn), "Hühnerbrust, gekocht");
    EXPECT_EQ(ration.text(FirstFeedRow + 1, RationGrids::NameColumn), "Reis, gekocht");
    EXPECT_EQ(ration.text(SupplyRow, protein).trimmed(), "");

    typeAmount(page->rationGridView(), FirstFeedRow, QStringLiteral("150"));
    typeAmount(page->rationGridView(), FirstFeedRow + 1, QStringLiteral("200"));
    // 150 g chicken at 31 g and 200 g rice at 2.7 g protein per 100 g.
    EXPECT_EQ(ration.text(FirstFeedRow, protein), "46,5");
    EXPECT_EQ(ration.text(FirstFeedRow + 1, protein), "5,4");
    EXPECT_EQ(ration.text(SupplyRow, protein), "51,9");
    // The indicator reads the exact supply: calcium 0,0425 g (shown 0,04) against
    // phosphorus 0,428 g (shown 0,43).
    const GridModel& profile = first->form().ration().profileGrid();
    const int ratio = NutrientColumns::find(profile, QStringLiteral("41"));
    ASSERT_GE(ratio, FirstColumn);
    EXPECT_EQ(profile.text(RequirementRow, ratio), "0,10");

    type(c.title, QStringLiteral("Erhaltung mit Reis"));
    QTest::mouseClick(c.save, Qt::LeftButton);
    EXPECT_TRUE(prompt.texts().isEmpty()) << qPrintable(prompt.texts().join(QLatin1Char('|')));
    const QString key = fixture->rawValue(
        QStringLiteral("SELECT ID FROM T_PAT_REZ WHERE Rezepttitel = 'Erhaltung mit Reis'"));
    ASSERT_FALSE(key.isEmpty());
    EXPECT_EQ(
        fixture->rawRows(QStringLiteral("SELECT ID_Futtermittel, TagRat FROM T_REZ_FM WHERE ID_Rezept = ") +
                         key + QStringLiteral(" ORDER BY ID_Futtermittel")),
        (QStringList{"1\t150.0", "2\t200.0"}));
    const QStringList saved = shownFigures(first);

    // Find it again by a part of the owner's name.
    type(barControl<QLineEdit>(SearchBar::OwnerEdit), QStringLiteral("rand"));
    QTest::mouseClick(barControl<QPushButton>(SearchBar::SearchButton), Qt::LeftButton);
    ASSERT_NE(window->resultBar(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->resultBar()->isVisible(); }));
    CaseListView* list = window->resultBar()->caseList();
    ASSERT_EQ(list->logic().caseCount(), 1);
    const CaseList& found = list->logic();
    EXPECT_EQ(found.text(0, CaseList::KeyColumn), key);
    EXPECT_EQ(found.text(0, CaseList::OwnerColumn), "Brandt");
    EXPECT_EQ(found.text(0, CaseList::PatientColumn), "Fiete");
    EXPECT_EQ(found.text(0, CaseList::DateColumn), "03.04.2024");
    EXPECT_EQ(found.text(0, CaseList::TitleColumn), "Erhaltung mit Reis");

    // Reopened in a second window, it shows the same figures.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->cellRect(0, CaseList::PatientColumn).isEmpty(); }));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->cellRect(0, CaseList::PatientColumn).center());
    ASSERT_EQ(window->workspace()->subWindowList().size(), 2);
    auto* second = qobject_cast<CaseWindow*>(window->workspace()->subWindowList().last());
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(second->view()->controls().title->text(), "Erhaltung mit Reis");
    EXPECT_EQ(second->view()->controls().caseType->currentText(), "Erhaltung Rüde");
    EXPECT_EQ(shownFigures(second), saved);
    EXPECT_EQ(
        second->form().ration().rationGrid().text(FirstFeedRow + 1, RationGrids::AmountColumn).trimmed(),
        "200,0");

    // Deleted through the red x.
    prompt.setNextAnswer(Prompt::Answer::Yes);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->cellRect(0, CaseList::DeleteColumn).center());
    EXPECT_EQ(prompt.lastText(), "Möchten Sie diesen Fall löschen?");
    EXPECT_EQ(list->logic().caseCount(), 0);
    EXPECT_EQ(fixture->rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ WHERE ID = ") + key), "0");
    EXPECT_EQ(fixture->rawValue(QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE ID_Rezept = ") + key),
              "0");
    // A new search does not bring it back.
    QTest::mouseClick(barControl<QPushButton>(SearchBar::SearchButton), Qt::LeftButton);
    EXPECT_EQ(list->logic().caseCount(), 0);
}

} // namespace
