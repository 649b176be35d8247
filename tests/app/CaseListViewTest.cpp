#include "app/gui/CaseListView.h"
#include "ShownMainWindow.h"
#include "app/SearchBar.h"
#include "app/gui/CaseWindow.h"
#include "app/gui/MainWindow.h"
#include "app/gui/ResultBar.h"
#include "ration/CaseHeaderForm.h"
#include "ration/gui/CaseHeaderView.h"
#include "ui/gui/GridCellPainter.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The result bar's case list in a shown main window over the fixture.
class CaseListViewTest : public ShownMainWindow
{
protected:
    void searchAll(const QString& languageCode = QStringLiteral("DE"))
    {
        open(languageCode);
        ASSERT_TRUE(clickBarButton(*window, SearchBar::SearchButton));
        ASSERT_NE(window->resultBar(), nullptr);
        list = window->resultBar()->caseList();
        ASSERT_NE(list, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return list->isVisible() && list->viewport()->height() > 40; }));
    }
    const GridModel& grid() const { return list->logic().grid(); }
    void clickCell(int row, int column)
    {
        list->ensureCellVisible(row, column);
        const QRect cell = list->cellRect(row, column);
        ASSERT_FALSE(cell.isEmpty()) << row << "/" << column;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QString owners() const
    {
        QStringList texts;
        for (int row = 1; row < grid().rowCount(); ++row)
            texts << grid().text(row, CaseList::OwnerColumn);
        return texts.join(QLatin1Char('|'));
    }
    QString storedCases() { return fixture->rawValue(QStringLiteral("SELECT count(*) FROM T_PAT_REZ")); }
    QString storedRationRows(int key)
    {
        return fixture->rawValue(
            QStringLiteral("SELECT count(*) FROM T_REZ_FM WHERE ID_Rezept = %1").arg(key));
    }

    CaseListView* list = nullptr;
};

TEST_F(CaseListViewTest, TheListShowsSixColumnsWithTheHeadingsOfTheLanguage)
{
    const struct
    {
        const char* code;
        QStringList headings;
    } cases[] = {
        {"DE", {"ID", "Besitzer", "Patient", "Datum", "Rezeptbezeichnung", "Loe"}},
        {"US", {"ID", "Name of owner", "Name of patient", "Date", "Recipe Title / Diagnosis", "Del"}},
    };
    for (const auto& row : cases) {
        searchAll(QString::fromLatin1(row.code));
        ASSERT_EQ(grid().columnCount(), 6);
        QStringList shown;
        for (int c = 0; c < grid().columnCount(); ++c)
            shown << grid().text(0, c);
        EXPECT_EQ(shown, row.headings) << row.code;
        EXPECT_EQ(list->model(), &grid());
        // The key column is hidden; the others are on screen.
        EXPECT_TRUE(list->cellRect(0, CaseList::KeyColumn).isEmpty());
        for (int c = CaseList::OwnerColumn; c <= CaseList::TitleColumn; ++c)
            EXPECT_FALSE(list->cellRect(0, c).isEmpty()) << c;
        EXPECT_EQ(owners(), "Müller|O'Neil|Schmidt");
        for (int r = 1; r < grid().rowCount(); ++r) {
            EXPECT_EQ(grid().text(r, CaseList::DeleteColumn), "x");
            EXPECT_EQ(grid().textColor(r, CaseList::DeleteColumn), (Rgb{255, 0, 0}));
        }
    }
}

TEST_F(CaseListViewTest, DatesAndTheDeleteHeadingShowWholeAndLongNamesEndInAnEllipsis)
{
    open();
    ASSERT_TRUE(fixture->rawExec(QStringLiteral(
        "INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Rezepttitel, Datum) VALUES (1, 'Zimmermann', 'Maximilian vom Lindenhof zu Oberammergau', 2, 1, 7, "
        "'Erhaltung', '2024-12-28 08:00:00')")));
    ASSERT_TRUE(clickBarButton(*window, SearchBar::SearchButton));
    list = window->resultBar()->caseList();
    ASSERT_EQ(list->logic().caseCount(), 4);
    for (int row = 0; row < grid().rowCount(); ++row) {
        const QFontMetrics metrics(GridCellPainter::toFont(grid().font(row, CaseList::DateColumn)));
        EXPECT_GT(grid().columnWidth(CaseList::DateColumn),
                  metrics.horizontalAdvance(grid().text(row, CaseList::DateColumn)) + 6)
            << qPrintable(grid().text(row, CaseList::DateColumn));
    }
    EXPECT_EQ(grid().text(4, CaseList::DateColumn), "28.12.2024");
    const QFontMetrics heading(GridCellPainter::toFont(grid().font(0, CaseList::DeleteColumn)));
    EXPECT_GT(grid().columnWidth(CaseList::DeleteColumn),
              heading.horizontalAdvance(QStringLiteral("Loe")) + 6);
    // The other columns keep their widths; what does not fit them is cut with "...".
    for (int c : {CaseList::KeyColumn, CaseList::OwnerColumn, CaseList::PatientColumn, CaseList::TitleColumn})
        EXPECT_EQ(grid().columnWidth(c), CaseList::columnWidth(c)) << c;
    for (int c : {CaseList::OwnerColumn, CaseList::PatientColumn, CaseList::TitleColumn})
        EXPECT_TRUE(grid().hasEllipsis(4, c)) << c;
}

TEST_F(CaseListViewTest, TheListFillsTheBarAndFollowsItsSize)
{
    searchAll();
    EXPECT_EQ(window->resultBar()->widget(), list);
    const int before = list->height();
    window->resizeDocks({window->resultBar()}, {before + 120}, Qt::Vertical);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->height() > before + 60; }));
    EXPECT_NEAR(list->width(), window->resultBar()->width(), 4);
}

TEST_F(CaseListViewTest, ClickingACaseOpensItInANewCaseWindow)
{
    searchAll();
    const qsizetype before = window->workspace()->subWindowList().size();
    // Row 3 is Schmidt's Rex, case 3; the click may land on any text column.
    clickCell(3, CaseList::TitleColumn);
    ASSERT_EQ(window->workspace()->subWindowList().size(), before + 1);
    auto* opened = qobject_cast<CaseWindow*>(window->workspace()->subWindowList().last());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowTitle(), "Rationsberechnung");
    EXPECT_EQ(opened->view()->controls().owner->text(), "Schmidt");
    EXPECT_EQ(opened->view()->controls().patient->text(), "Rex");
    EXPECT_TRUE(opened->form().isUnchanged());
    // A second click opens another window on the same case.
    clickCell(3, CaseList::OwnerColumn);
    EXPECT_EQ(window->workspace()->subWindowList().size(), before + 2);
    // The heading row opens nothing.
    clickCell(0, CaseList::OwnerColumn);
    EXPECT_EQ(window->workspace()->subWindowList().size(), before + 2);
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(CaseListViewTest, TheRedXAsksAndOnlyYesDeletesTheCaseWithItsRation)
{
    const struct
    {
        const char* code;
        Prompt::Answer answer;
        bool deleted;
        const char* question;
    } cases[] = {
        {"DE", Prompt::Answer::No, false, "Möchten Sie diesen Fall löschen?"},
        {"DE", Prompt::Answer::Cancel, false, "Möchten Sie diesen Fall löschen?"},
        {"DE", Prompt::Answer::Yes, true, "Möchten Sie diesen Fall löschen?"},
        {"US", Prompt::Answer::Yes, true, "do you want delete this case?"},
    };
    for (const auto& row : cases) {
        searchAll(QString::fromLatin1(row.code));
        const qsizetype windows = window->workspace()->subWindowList().size();
        prompt.setNextAnswer(row.answer);
        clickCell(1, CaseList::DeleteColumn);
        ASSERT_EQ(prompt.entries().size(), 1u) << row.code;
        EXPECT_EQ(prompt.lastText(), QString::fromUtf8(row.question));
        EXPECT_EQ(prompt.entries()[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(prompt.entries()[0].icon, Prompt::Icon::Question);
        EXPECT_EQ(owners(), row.deleted ? "O'Neil|Schmidt" : "Müller|O'Neil|Schmidt") << row.code;
        EXPECT_EQ(storedCases(), row.deleted ? "2" : "3");
        EXPECT_EQ(storedRationRows(1), row.deleted ? "0" : "2");
        // Deleting opens nothing.
        EXPECT_EQ(window->workspace()->subWindowList().size(), windows);
        prompt.clear();
    }
}

TEST_F(CaseListViewTest, ANewSearchReplacesTheListAndStartsAtTheTop)
{
    searchAll();
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(
            fixture->rawExec(QStringLiteral("INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, "
                                            "ID_Gattung, ID_Geschlecht, ID_Fall, Rezepttitel, Datum) "
                                            "VALUES (1, 'Zander %1', 'Hasso', 2, 1, 7, 'Erhaltung', "
                                            "'2024-04-01 08:00:00')")
                                 .arg(i, 2, 10, QLatin1Char('0'))));
    }
    clickBarButton(*window, SearchBar::SearchButton);
    EXPECT_EQ(list->logic().caseCount(), 43);
    // Forty-odd cases do not fit the bar: it scrolls.
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->maximum() > 0; }));
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    clickBarButton(*window, SearchBar::SearchButton);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
}

} // namespace
