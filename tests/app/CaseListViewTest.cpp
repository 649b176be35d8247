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
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

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
    const CaseList& logic() const { return list->logic(); }
    void clickCell(int row, int column)
    {
        list->scrollTo(list->model()->index(row, column));
        const QRect cell = list->cellRect(row, column);
        ASSERT_FALSE(cell.isEmpty()) << row << "/" << column;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QString owners() const
    {
        QStringList texts;
        for (int row = 0; row < logic().caseCount(); ++row)
            texts << logic().text(row, CaseList::OwnerColumn);
        return texts.join(QLatin1Char('|'));
    }
    // Whether a pixel of the colour shows inside the rectangle of the widget.
    static bool shows(QWidget* widget, const QRect& rect, const std::function<bool(QColor)>& colour)
    {
        const QImage image = widget->grab(rect).toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (colour(image.pixelColor(x, y)))
                    return true;
        return false;
    }
    // Red, as much of it as the smoothed edges of a letter keep.
    static bool red(QColor c) { return c.red() > 160 && c.green() < 100 && c.blue() < 100; }
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
        ASSERT_EQ(list->model()->columnCount(), 6);
        QStringList shown;
        for (int c = 0; c < 6; ++c)
            shown << list->model()->headerData(c, Qt::Horizontal).toString();
        EXPECT_EQ(shown, row.headings) << row.code;
        EXPECT_EQ(list->model(), &logic());
        // The headings are a grid row of their own, in the grid's fixed colour.
        QHeaderView* heading = list->horizontalHeader();
        EXPECT_TRUE(heading->isVisible());
        EXPECT_EQ(heading->height(), 20);
        EXPECT_FALSE(list->verticalHeader()->isVisible());
        EXPECT_TRUE(shows(heading,
                          QRect(heading->sectionViewportPosition(CaseList::OwnerColumn) + 2, 2, 4, 4),
                          [](QColor c) { return c == QColor(214, 211, 206); }));
        // The key column is hidden; the others are on screen.
        EXPECT_TRUE(list->cellRect(0, CaseList::KeyColumn).isEmpty());
        for (int c = CaseList::OwnerColumn; c <= CaseList::TitleColumn; ++c)
            EXPECT_FALSE(list->cellRect(0, c).isEmpty()) << c;
        EXPECT_EQ(list->rowHeight(0), 20);
        EXPECT_EQ(owners(), "Müller|O'Neil|Schmidt");
        for (int r = 0; r < logic().caseCount(); ++r) {
            EXPECT_EQ(list->model()->index(r, CaseList::DeleteColumn).data().toString(), "x");
            EXPECT_TRUE(shows(list->viewport(), list->cellRect(r, CaseList::DeleteColumn), red)) << r;
            EXPECT_FALSE(shows(list->viewport(), list->cellRect(r, CaseList::OwnerColumn), red)) << r;
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
    ASSERT_EQ(logic().caseCount(), 4);
    const QFontMetrics metrics(GridCellPainter::toFont(CellFont{}));
    for (int row = 0; row < logic().caseCount(); ++row) {
        EXPECT_GT(list->columnWidth(CaseList::DateColumn),
                  metrics.horizontalAdvance(logic().text(row, CaseList::DateColumn)) + 6)
            << qPrintable(logic().text(row, CaseList::DateColumn));
    }
    EXPECT_EQ(logic().text(3, CaseList::DateColumn), "28.12.2024");
    EXPECT_GT(list->columnWidth(CaseList::DeleteColumn),
              metrics.horizontalAdvance(QStringLiteral("Loe")) + 6);
    // The other columns keep their widths; what does not fit them is cut with "...".
    for (int c : {CaseList::KeyColumn, CaseList::OwnerColumn, CaseList::PatientColumn, CaseList::TitleColumn})
        EXPECT_EQ(list->columnWidth(c), CaseList::columnWidth(c)) << c;
    const QString name = logic().text(3, CaseList::PatientColumn);
    ASSERT_GT(metrics.horizontalAdvance(name), CaseList::columnWidth(CaseList::PatientColumn));
    QStyleOptionViewItem option;
    option.rect = list->cellRect(3, CaseList::PatientColumn);
    QImage cell(option.rect.size(), QImage::Format_RGB32);
    QImage cut(option.rect.size(), QImage::Format_RGB32);
    {
        // The delegate paints what a grid cell with an ellipsis paints.
        QPainter painter(&cell);
        painter.translate(-option.rect.topLeft());
        list->itemDelegate()->paint(&painter, option, list->model()->index(3, CaseList::PatientColumn));
        QPainter expected(&cut);
        GridCellPainter::paintCell(
            expected, QRectF(QPointF(0, 0), QSizeF(option.rect.size())), name,
            {GridModel::DefaultBackground, Rgb{0, 0, 0}, CellFont{}, GridAlign{}, true, false, true, {}});
    }
    EXPECT_EQ(cell, cut);
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
    // Row 2 is Schmidt's Rex, case 3; the click may land on any text column.
    clickCell(2, CaseList::TitleColumn);
    ASSERT_EQ(window->workspace()->subWindowList().size(), before + 1);
    auto* opened = qobject_cast<CaseWindow*>(window->workspace()->subWindowList().last());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->windowTitle(), "Rationsberechnung");
    EXPECT_EQ(opened->view()->controls().owner->text(), "Schmidt");
    EXPECT_EQ(opened->view()->controls().patient->text(), "Rex");
    EXPECT_TRUE(opened->form().isUnchanged());
    // A second click opens another window on the same case.
    clickCell(2, CaseList::OwnerColumn);
    EXPECT_EQ(window->workspace()->subWindowList().size(), before + 2);
    // The heading row opens nothing.
    QHeaderView* heading = list->horizontalHeader();
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                      QPoint(heading->sectionViewportPosition(CaseList::OwnerColumn) + 10, 10));
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
        const char* caption;
    } cases[] = {
        {"DE", Prompt::Answer::No, false, "Möchten Sie diesen Fall löschen?", "Suchergebnis: 3 Fälle"},
        {"DE", Prompt::Answer::Cancel, false, "Möchten Sie diesen Fall löschen?", "Suchergebnis: 3 Fälle"},
        {"DE", Prompt::Answer::Yes, true, "Möchten Sie diesen Fall löschen?", "Suchergebnis: 2 Fälle"},
        {"US", Prompt::Answer::Yes, true, "do you want delete this case?", "Search Result: 2 cases"},
    };
    for (const auto& row : cases) {
        searchAll(QString::fromLatin1(row.code));
        ASSERT_TRUE(QTest::qWaitFor([&] { return logic().isCountKnown(); }));
        const qsizetype windows = window->workspace()->subWindowList().size();
        prompt.setNextAnswer(row.answer);
        clickCell(0, CaseList::DeleteColumn);
        ASSERT_EQ(prompt.entries().size(), 1u) << row.code;
        EXPECT_EQ(prompt.lastText(), QString::fromUtf8(row.question));
        EXPECT_EQ(prompt.entries()[0].buttons, Prompt::Buttons::YesNoCancel);
        EXPECT_EQ(prompt.entries()[0].icon, Prompt::Icon::Question);
        EXPECT_EQ(owners(), row.deleted ? "O'Neil|Schmidt" : "Müller|O'Neil|Schmidt") << row.code;
        EXPECT_EQ(storedCases(), row.deleted ? "2" : "3");
        EXPECT_EQ(storedRationRows(1), row.deleted ? "0" : "2");
        // The bar's caption counts the cases still listed.
        EXPECT_EQ(window->resultBar()->windowTitle(), QString::fromUtf8(row.caption)) << row.code;
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
    EXPECT_EQ(logic().caseCount(), 43);
    // Forty-odd cases do not fit the bar: it scrolls.
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->maximum() > 0; }));
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    clickBarButton(*window, SearchBar::SearchButton);
    EXPECT_EQ(list->verticalScrollBar()->value(), 0);
}

TEST_F(CaseListViewTest, ALongListIsCountedOnceShownAndScrollsToItsLastCase)
{
    open();
    ASSERT_TRUE(fixture->rawExec(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
        "INSERT INTO T_PAT_REZ (ID_Anrede, Name_Besitzer, Name_Pat, ID_Gattung, ID_Geschlecht, ID_Fall, "
        "Rezepttitel, Datum) SELECT 1, 'Zander ' || (1000 + i), 'Hasso', 2, 1, 7, 'Erhaltung', "
        "'2024-04-01 08:00:00' FROM n")));
    ASSERT_TRUE(clickBarButton(*window, SearchBar::SearchButton));
    list = window->resultBar()->caseList();
    // The first page is listed at once, the count follows.
    EXPECT_EQ(logic().caseCount(), CaseList::PageSize);
    ASSERT_TRUE(QTest::qWaitFor([&] { return logic().isCountKnown(); }));
    ASSERT_EQ(logic().caseCount(), 1003);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->verticalScrollBar()->maximum() > 0; }));
    EXPECT_EQ(list->verticalScrollBar()->maximum(), 1003 * 20 - list->viewport()->height());
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    const qsizetype before = window->workspace()->subWindowList().size();
    clickCell(1002, CaseList::PatientColumn);
    ASSERT_EQ(window->workspace()->subWindowList().size(), before + 1);
    auto* opened = qobject_cast<CaseWindow*>(window->workspace()->subWindowList().last());
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(opened->view()->controls().owner->text(), "Zander 2000");
}

} // namespace
