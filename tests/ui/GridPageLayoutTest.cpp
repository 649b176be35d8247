#include "ui/GridPageLayout.h"
#include "ui/GridModel.h"

#include "TestNames.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct PageCase
{
    const char* name;
    int cols;
    int colWidth;
    int rows;
    double pageWidth;
    double pageHeight;
    double expectedScale;
    int expectedBands;
    int expectedChunks;
};

// Two fixed columns (one hidden) and two fixed rows, as the ration grid has.
void makeGrid(GridModel& model, const PageCase& tc)
{
    model.setRowCount(tc.rows);
    model.setColumnCount(tc.cols);
    model.setFixedRowCount(2);
    model.setFixedColumnCount(2);
    for (int c = 0; c < tc.cols; ++c)
        model.setColumnWidth(c, tc.colWidth);
    model.setColumnWidth(0, 0);
    model.setColumnWidth(1, 100);
    if (tc.cols > 4)
        model.setColumnWidth(4, 0);
    if (tc.rows > 5)
        model.setRowHeight(5, 0);
}

double width(const GridModel& model, const std::vector<int>& cols)
{
    double w = 0;
    for (int c : cols)
        w += model.columnWidth(c);
    return w;
}

double height(const GridModel& model, const std::vector<int>& rows)
{
    double h = 0;
    for (int r : rows)
        h += model.rowHeight(r);
    return h;
}

} // namespace

class GridPages : public ::testing::TestWithParam<PageCase>
{
};

TEST_P(GridPages, ScaleAndSplit)
{
    const PageCase& tc = GetParam();
    GridModel model;
    makeGrid(model, tc);
    const GridPageLayout layout = GridPageLayout::compute(model, tc.pageWidth, tc.pageHeight);

    EXPECT_NEAR(layout.scale, tc.expectedScale, 1e-9);
    EXPECT_EQ(static_cast<int>(layout.columnBands.size()), tc.expectedBands);
    EXPECT_EQ(static_cast<int>(layout.rowChunks.size()), tc.expectedChunks);
    EXPECT_EQ(layout.pageCount(), tc.expectedBands * tc.expectedChunks);

    // Every visible non-fixed column on exactly one band, each band led by the
    // visible fixed column and fitting the page.
    std::multiset<int> cols;
    for (const auto& band : layout.columnBands) {
        ASSERT_FALSE(band.empty());
        EXPECT_EQ(band.front(), 1);
        EXPECT_LE(width(model, band) * layout.scale, tc.pageWidth + 1e-9);
        cols.insert(band.begin() + 1, band.end());
    }
    std::multiset<int> expectedCols;
    for (int c = 2; c < tc.cols; ++c)
        if (model.columnWidth(c) > 0)
            expectedCols.insert(c);
    EXPECT_EQ(cols, expectedCols);

    std::multiset<int> rows;
    for (const auto& chunk : layout.rowChunks) {
        ASSERT_GE(chunk.size(), 2u);
        EXPECT_EQ(chunk[0], 0);
        EXPECT_EQ(chunk[1], 1);
        EXPECT_LE(height(model, chunk) * layout.scale, tc.pageHeight + 1e-9);
        rows.insert(chunk.begin() + 2, chunk.end());
    }
    std::multiset<int> expectedRows;
    for (int r = 2; r < tc.rows; ++r)
        if (model.rowHeight(r) > 0)
            expectedRows.insert(r);
    EXPECT_EQ(rows, expectedRows);
}

// Visible widths: 100 fixed + (cols - 3) * colWidth (columns 0 and 4 hidden).
INSTANTIATE_TEST_SUITE_P(
    Grids, GridPages,
    ::testing::Values(
        // 100 + 5*50 = 350 fits 700: natural size; 10 rows of 20 (one hidden) fit 1000.
        PageCase{"Fits", 8, 50, 10, 700, 1000, 1.0, 1, 1},
        // 100 + 17*50 = 950 on 700: shrunk to 700/950, still one band.
        PageCase{"ModeratelyWide", 20, 50, 10, 700, 1000, 700.0 / 950.0, 1, 1},
        // 100 + 57*50 = 2950: at scale 0.6 a band holds 1166 px, i.e. 100 + 21 columns; 57 columns -> 3
        // bands.
        PageCase{"MuchWider", 60, 50, 10, 700, 1000, 0.6, 3, 1},
        // 100 rows (99 visible) of 20 on 500 px: 2 fixed rows (40) + 23 rows per page -> 97 / 23 -> 5 pages.
        PageCase{"ManyRows", 8, 50, 100, 700, 500, 1.0, 1, 5},
        // Both directions at scale 0.6: a page holds 833 px, i.e. 40 + 39 rows; 197 rows -> 6 pages per band.
        PageCase{"WideAndLong", 60, 50, 200, 700, 500, 0.6, 3, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GridPageLayout, PagesRunDownABandBeforeTheNextBand)
{
    GridModel model;
    model.setRowCount(60);
    model.setColumnCount(60);
    model.setFixedRowCount(1);
    model.setFixedColumnCount(1);
    const GridPageLayout layout = GridPageLayout::compute(model, 700, 500);
    ASSERT_GT(layout.rowChunks.size(), 1u);
    ASSERT_GT(layout.columnBands.size(), 1u);
    EXPECT_EQ(&layout.columnsOfPage(0), &layout.columnBands[0]);
    EXPECT_EQ(&layout.columnsOfPage(1), &layout.columnBands[0]);
    EXPECT_EQ(&layout.rowsOfPage(1), &layout.rowChunks[1]);
    EXPECT_EQ(&layout.columnsOfPage(static_cast<int>(layout.rowChunks.size())), &layout.columnBands[1]);
}

TEST(GridPageLayout, AnOversizedColumnGetsABandOfItsOwn)
{
    GridModel model;
    model.setRowCount(2);
    model.setColumnCount(3);
    model.setColumnWidth(0, 100);
    model.setColumnWidth(1, 3000);
    model.setColumnWidth(2, 100);
    const GridPageLayout layout = GridPageLayout::compute(model, 600, 800);
    // At scale 0.6 a band holds 1000 px: the wide column cannot share one.
    ASSERT_EQ(layout.columnBands.size(), 3u);
    EXPECT_EQ(layout.columnBands[0], std::vector<int>({0}));
    EXPECT_EQ(layout.columnBands[1], std::vector<int>({1}));
    EXPECT_EQ(layout.columnBands[2], std::vector<int>({2}));
}

TEST(GridPageLayout, FixedColumnsTooWideToRepeatArePrintedOnce)
{
    GridModel model;
    model.setRowCount(2);
    model.setColumnCount(6);
    model.setFixedColumnCount(1);
    model.setColumnWidth(0, 900);
    const GridPageLayout layout = GridPageLayout::compute(model, 600, 800);
    int zeroes = 0;
    for (const auto& band : layout.columnBands)
        zeroes += static_cast<int>(std::count(band.begin(), band.end(), 0));
    EXPECT_EQ(zeroes, 1);
}

TEST(GridPageLayout, AnEmptyGridStillPrintsOnePage)
{
    GridModel model;
    EXPECT_EQ(GridPageLayout::compute(model, 600, 800).pageCount(), 1);
}
