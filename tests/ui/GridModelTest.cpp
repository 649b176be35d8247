#include "ui/GridModel.h"

#include <QSignalSpy>

#include "TestNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

QString label(int row, int col)
{
    return QStringLiteral("%1/%2").arg(row).arg(col);
}

void fill(GridModel& model, int rows, int cols)
{
    model.setRowCount(rows);
    model.setColumnCount(cols);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            model.setText(r, c, label(r, c));
}

QList<int> args(const QList<QVariant>& signal)
{
    QList<int> result;
    for (const QVariant& v : signal)
        result << v.toInt();
    return result;
}

} // namespace

// ---- size -----------------------------------------------------------------------

struct ResizeCase
{
    const char* name;
    int rows;
    int cols;
};

class GridResize : public ::testing::TestWithParam<ResizeCase>
{
};

TEST_P(GridResize, KeepsCellsInsideAndDropsCellsOutside)
{
    const ResizeCase& tc = GetParam();
    GridModel model;
    fill(model, 4, 5);
    model.setBackground(3, 4, Rgb(1, 2, 3));

    model.setRowCount(tc.rows);
    model.setColumnCount(tc.cols);
    ASSERT_EQ(model.rowCount(), tc.rows);
    ASSERT_EQ(model.columnCount(), tc.cols);

    // Back to a size covering both, so dropped cells would show up if they survived.
    model.setRowCount(6);
    model.setColumnCount(7);
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const bool kept = r < std::min(4, tc.rows) && c < std::min(5, tc.cols);
            EXPECT_EQ(model.text(r, c), kept ? label(r, c) : QString()) << r << "," << c;
        }
    }
    EXPECT_EQ(model.hasOwnBackground(3, 4), tc.rows > 3 && tc.cols > 4);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridResize,
                         ::testing::Values(ResizeCase{"Same", 4, 5}, ResizeCase{"Grow", 6, 7},
                                           ResizeCase{"FewerRows", 2, 5}, ResizeCase{"FewerColumns", 4, 2},
                                           ResizeCase{"BothFewer", 1, 1}, ResizeCase{"Empty", 0, 0},
                                           ResizeCase{"MoreRowsFewerColumns", 6, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridModel, NewRowsTakeTheDefaultSizesAndNegativeSizesHide)
{
    GridModel model;
    model.setDefaultRowHeight(25);
    model.setDefaultColumnWidth(70);
    model.setRowCount(2);
    model.setColumnCount(3);
    model.setColumnWidth(2, -5);
    model.setRowHeight(0, 50);
    model.setColumnWidth(3, 10); // no such column

    EXPECT_EQ(model.rowHeight(1), 25);
    EXPECT_EQ(model.columnWidth(2), 0);
    EXPECT_EQ(model.totalWidth(), 140);
    EXPECT_EQ(model.totalHeight(), 75);
}

TEST(GridModel, FixedCountsGrowTheGridAndShrinkWithIt)
{
    GridModel model;
    model.setFixedRowCount(5);
    model.setFixedColumnCount(2);
    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.columnCount(), 2);

    model.setRowCount(11);
    model.setColumnCount(3);
    model.setColumnWidth(0, 0);
    model.setColumnWidth(1, 265);
    model.setRowHeight(1, 50);
    EXPECT_EQ(model.fixedWidth(), 265);
    EXPECT_EQ(model.fixedHeight(), 4 * GridModel::DefaultRowHeight + 50);
    EXPECT_TRUE(model.isFixedCell(4, 2));
    EXPECT_TRUE(model.isFixedCell(10, 1));
    EXPECT_FALSE(model.isFixedCell(5, 2));

    model.setRowCount(3);
    EXPECT_EQ(model.fixedRowCount(), 3);
}

TEST(GridModel, ClearDropsCellsAndFormatsButKeepsGridDefaults)
{
    GridModel model;
    model.setDefaultBackground(Rgb(230, 255, 255));
    fill(model, 3, 3);
    model.setFixedRowCount(1);
    model.setBackground(1, 1, Rgb(1, 1, 1));
    model.setReadOnly(1, 1, true);
    model.setColumnWidth(1, 0);
    model.setCurrentCell(2, 2);

    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(model.columnCount(), 0);
    EXPECT_EQ(model.fixedRowCount(), 0);
    EXPECT_EQ(model.currentRow(), -1);

    model.setRowCount(3);
    model.setColumnCount(3);
    EXPECT_EQ(model.text(1, 1), QString());
    EXPECT_FALSE(model.hasOwnBackground(1, 1));
    EXPECT_EQ(model.background(1, 1), Rgb(230, 255, 255));
    EXPECT_FALSE(model.isReadOnly(1, 1));
    EXPECT_EQ(model.columnWidth(1), GridModel::DefaultColumnWidth);
}

// ---- out-of-range access ------------------------------------------------------------

class GridOutOfRange : public ::testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P(GridOutOfRange, IsIgnoredAndReadsEmpty)
{
    const auto [row, col] = GetParam();
    GridModel model;
    fill(model, 3, 4);
    QSignalSpy changed(&model, &GridModel::cellChanged);
    QSignalSpy clicked(&model, &GridModel::clicked);
    QSignalSpy edited(&model, &GridModel::editEnded);

    model.setText(row, col, QStringLiteral("x"));
    model.setBackground(row, col, Rgb(1, 2, 3));
    model.setFont(row, col, CellFont{QStringLiteral("Tahoma"), 28, 900, false});
    model.setReadOnly(row, col, true);
    model.setDropDown(row, col, {QStringLiteral("a")});
    model.click(row, col);
    model.doubleClick(row, col);
    EXPECT_FALSE(model.endEdit(row, col, QStringLiteral("y")));

    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(edited.count(), 0);
    EXPECT_EQ(model.text(row, col), QString());
    EXPECT_FALSE(model.isDropDown(row, col));
    EXPECT_FALSE(model.isEditable(row, col));
    EXPECT_EQ(model.rowCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(model.text(r, c), label(r, c));
}

INSTANTIATE_TEST_SUITE_P(Positions, GridOutOfRange,
                         ::testing::Values(std::pair{-1, 0}, std::pair{0, -1}, std::pair{3, 0},
                                           std::pair{0, 4}, std::pair{3, 4}, std::pair{-1, -1},
                                           std::pair{1000000, 2}));

// ---- rows move with their cells ----------------------------------------------------------

TEST(GridModel, InsertedRowPushesCellsFormatsAndHeightsDown)
{
    GridModel model;
    fill(model, 4, 3);
    model.setBackground(2, 1, Rgb(10, 20, 30));
    model.setFont(2, 1, CellFont{QStringLiteral("Tahoma"), 16, 700, false});
    model.setReadOnly(2, 2, true);
    model.setAlignment(2, 0, GridAlign::Right | GridAlign::Bottom);
    model.setDropDown(2, 2, {QStringLiteral("Ja"), QStringLiteral("Nein")});
    model.setRowHeight(2, 44);

    EXPECT_EQ(model.insertRow(1), 1);

    EXPECT_EQ(model.rowCount(), 5);
    EXPECT_EQ(model.text(1, 0), QString());
    EXPECT_EQ(model.rowHeight(1), GridModel::DefaultRowHeight);
    EXPECT_FALSE(model.hasOwnBackground(1, 1));
    EXPECT_EQ(model.text(3, 0), label(2, 0));
    EXPECT_EQ(model.background(3, 1), Rgb(10, 20, 30));
    EXPECT_EQ(model.font(3, 1).weight, 700);
    EXPECT_TRUE(model.isReadOnly(3, 2));
    EXPECT_EQ(model.alignment(3, 0), GridAlign(GridAlign::Right, GridAlign::Bottom));
    EXPECT_EQ(model.dropDownEntries(3, 2), QStringList({QStringLiteral("Ja"), QStringLiteral("Nein")}));
    EXPECT_EQ(model.rowHeight(3), 44);
    EXPECT_EQ(model.text(4, 2), label(3, 2));
}

TEST(GridModel, DeletedRowPullsTheRestUp)
{
    GridModel model;
    fill(model, 5, 2);
    model.setBackground(3, 0, Rgb(1, 2, 3));
    model.setRowHeight(3, 33);

    EXPECT_TRUE(model.deleteRow(1));

    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.text(1, 0), label(2, 0));
    EXPECT_EQ(model.text(2, 1), label(3, 1));
    EXPECT_EQ(model.background(2, 0), Rgb(1, 2, 3));
    EXPECT_EQ(model.rowHeight(2), 33);
    EXPECT_EQ(model.text(3, 0), label(4, 0));
}

TEST(GridModel, AppendAndInsertReportTheNewIndex)
{
    GridModel model;
    model.setColumnCount(2);
    EXPECT_EQ(model.appendRow(), 0);
    EXPECT_EQ(model.appendRow(), 1);
    EXPECT_EQ(model.insertRow(2), 2);
    EXPECT_EQ(model.insertRow(4), -1);
    EXPECT_EQ(model.insertRow(-1), -1);
    EXPECT_FALSE(model.deleteRow(3));
    EXPECT_FALSE(model.deleteRow(-1));
    EXPECT_EQ(model.rowCount(), 3);
}

struct CurrentCase
{
    const char* name;
    int currentRow;
    bool insert; // else delete
    int at;
    int expectedRow;
};

class GridCurrentFollowsRows : public ::testing::TestWithParam<CurrentCase>
{
};

TEST_P(GridCurrentFollowsRows, AfterInsertOrDelete)
{
    const CurrentCase& tc = GetParam();
    GridModel model;
    fill(model, 6, 3);
    model.setCurrentCell(tc.currentRow, 1);
    QSignalSpy spy(&model, &GridModel::currentCellChanged);

    if (tc.insert)
        model.insertRow(tc.at);
    else
        model.deleteRow(tc.at);

    EXPECT_EQ(model.currentRow(), tc.expectedRow);
    EXPECT_EQ(model.currentColumn(), tc.expectedRow < 0 ? -1 : 1);
    EXPECT_EQ(spy.count(), tc.expectedRow == tc.currentRow ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, GridCurrentFollowsRows,
                         ::testing::Values(CurrentCase{"InsertAbove", 3, true, 1, 4},
                                           CurrentCase{"InsertAt", 3, true, 3, 4},
                                           CurrentCase{"InsertBelow", 3, true, 4, 3},
                                           CurrentCase{"DeleteAbove", 3, false, 0, 2},
                                           CurrentCase{"DeleteCurrent", 3, false, 3, -1},
                                           CurrentCase{"DeleteBelow", 3, false, 5, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- format ---------------------------------------------------------------------------

TEST(GridModel, CellsWithoutOwnFormatFollowTheGridDefaults)
{
    GridModel model;
    fill(model, 3, 3);
    model.setFixedRowCount(1);
    model.setDefaultBackground(Rgb(230, 255, 255));
    model.setFixedBackground(Rgb(200, 200, 200));
    const CellFont tahoma{QStringLiteral("Tahoma"), 13, 400, false};
    const CellFont title{QStringLiteral("Tahoma"), 28, 900, false};
    model.setDefaultFont(tahoma);
    model.setFont(2, 2, title);
    model.setBackground(2, 2, Rgb(255, 255, 255));

    EXPECT_EQ(model.background(1, 1), Rgb(230, 255, 255));
    EXPECT_EQ(model.background(0, 1), Rgb(200, 200, 200));
    EXPECT_EQ(model.background(2, 2), Rgb(255, 255, 255));
    EXPECT_EQ(model.font(1, 1), tahoma);
    EXPECT_EQ(model.font(2, 2), title);

    model.resetBackground(2, 2);
    EXPECT_EQ(model.background(2, 2), Rgb(230, 255, 255));

    // Cells share fonts by index; each must still get its own back.
    const CellFont bold{QStringLiteral("Tahoma"), 16, 700, false};
    model.setFont(1, 2, bold);
    model.setFont(2, 1, title);
    EXPECT_EQ(model.font(1, 2), bold);
    EXPECT_EQ(model.font(2, 1), title);
    EXPECT_EQ(model.font(2, 2), title);
}

struct WrapCase
{
    GridAlign align;
    bool wraps;
};

void PrintTo(const WrapCase& c, std::ostream* os)
{
    *os << int(c.align.h) << "/" << int(c.align.v) << (c.align.wrap ? "/wrap" : "");
}

class GridAlignWrap : public ::testing::TestWithParam<WrapCase>
{
};

TEST_P(GridAlignWrap, FollowsTheHorizontalModeAndFlag)
{
    EXPECT_EQ(GetParam().align.wordWrap(), GetParam().wraps);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GridAlignWrap,
    ::testing::Values(WrapCase{GridAlign::Left, true}, WrapCase{GridAlign::LeftSingleLine, false},
                      WrapCase{GridAlign::Centre, false}, WrapCase{GridAlign::Right, false},
                      WrapCase{GridAlign::Centre | GridAlign::Bottom | GridAlign::WordWrap, true},
                      WrapCase{GridAlign::Right | GridAlign::WordWrap, true},
                      WrapCase{GridAlign::LeftSingleLine | GridAlign::WordWrap, false}));

// ---- editing and user actions ---------------------------------------------------------------

struct EditCase
{
    const char* name;
    int row;
    int col;
    bool readOnly;
    bool accepted;
};

class GridEndEdit : public ::testing::TestWithParam<EditCase>
{
};

TEST_P(GridEndEdit, StoresOnlyEditableCells)
{
    const EditCase& tc = GetParam();
    GridModel model;
    fill(model, 4, 4);
    model.setFixedRowCount(1);
    model.setFixedColumnCount(1);
    model.setReadOnly(tc.row, tc.col, tc.readOnly);
    QSignalSpy spy(&model, &GridModel::editEnded);
    QString textWhenSignalled;
    QObject::connect(&model, &GridModel::editEnded, &model,
                     [&](int r, int c, const QString&) { textWhenSignalled = model.text(r, c); });

    EXPECT_EQ(model.endEdit(tc.row, tc.col, QStringLiteral("150,5")), tc.accepted);

    EXPECT_EQ(model.text(tc.row, tc.col), tc.accepted ? QStringLiteral("150,5") : label(tc.row, tc.col));
    ASSERT_EQ(spy.count(), tc.accepted ? 1 : 0);
    if (tc.accepted) {
        EXPECT_EQ(spy.at(0).at(0).toInt(), tc.row);
        EXPECT_EQ(spy.at(0).at(1).toInt(), tc.col);
        EXPECT_EQ(spy.at(0).at(2).toString(), QStringLiteral("150,5"));
        EXPECT_EQ(textWhenSignalled, QStringLiteral("150,5"));
    }
}

INSTANTIATE_TEST_SUITE_P(Cells, GridEndEdit,
                         ::testing::Values(EditCase{"Editable", 2, 2, false, true},
                                           EditCase{"ReadOnly", 2, 2, true, false},
                                           EditCase{"FixedRow", 0, 2, false, false},
                                           EditCase{"FixedColumn", 2, 0, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridModel, EditStartIsAnnouncedAndEndEvenWithAnUnchangedText)
{
    GridModel model;
    fill(model, 3, 3);
    model.setReadOnly(1, 1, true);
    QSignalSpy started(&model, &GridModel::editStarted);
    QSignalSpy ended(&model, &GridModel::editEnded);
    QSignalSpy changed(&model, &GridModel::cellChanged);
    EXPECT_FALSE(model.beginEdit(1, 1));
    EXPECT_TRUE(model.beginEdit(1, 2));
    model.endEdit(1, 2, label(1, 2));
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST(GridModel, ClicksReachFixedCellsToo)
{
    GridModel model;
    fill(model, 3, 3);
    model.setFixedRowCount(1);
    QSignalSpy clicked(&model, &GridModel::clicked);
    QSignalSpy doubleClicked(&model, &GridModel::doubleClicked);
    model.click(0, 2);
    model.doubleClick(2, 1);
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(args(clicked.at(0)), QList<int>({0, 2}));
    ASSERT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(args(doubleClicked.at(0)), QList<int>({2, 1}));
}

TEST(GridModel, DropDownCellsKeepTheirEntriesUntilCleared)
{
    GridModel model;
    fill(model, 2, 2);
    const QStringList entries = {QStringLiteral("Hund - 1"), QStringLiteral("Katze - 2")};
    model.setDropDown(1, 1, entries);
    model.setDropDown(1, 0, {});
    EXPECT_TRUE(model.isDropDown(1, 1));
    EXPECT_EQ(model.dropDownEntries(1, 1), entries);
    // An empty list is still a drop-down: nothing to choose, nothing to type.
    EXPECT_TRUE(model.isDropDown(1, 0));
    EXPECT_FALSE(model.isDropDown(0, 0));

    model.clearDropDown(1, 1);
    EXPECT_FALSE(model.isDropDown(1, 1));
    EXPECT_TRUE(model.dropDownEntries(1, 1).isEmpty());
    EXPECT_EQ(model.text(1, 1), label(1, 1));
}

// ---- notifications ----------------------------------------------------------------------------

TEST(GridModel, CellChangedOnlyWhenSomethingChanged)
{
    GridModel model;
    fill(model, 2, 2);
    QSignalSpy spy(&model, &GridModel::cellChanged);
    QSignalSpy layout(&model, &GridModel::layoutChanged);

    model.setText(1, 1, QStringLiteral("a"));
    model.setText(1, 1, QStringLiteral("a"));
    model.setBackground(1, 0, Rgb(1, 1, 1));
    model.setBackground(1, 0, Rgb(1, 1, 1));
    model.setReadOnly(0, 1, true);
    model.setReadOnly(0, 1, true);
    model.setAlignment(0, 0, GridAlign::Right);
    model.setAlignment(0, 0, GridAlign::Right);

    ASSERT_EQ(spy.count(), 4);
    EXPECT_EQ(args(spy.at(0)), QList<int>({1, 1}));
    EXPECT_EQ(args(spy.at(1)), QList<int>({1, 0}));
    EXPECT_EQ(args(spy.at(2)), QList<int>({0, 1}));
    EXPECT_EQ(args(spy.at(3)), QList<int>({0, 0}));
    EXPECT_EQ(layout.count(), 0);
}

TEST(GridModel, ShownTextAndToolTipStayApartFromTheHeldTextAndMoveWithTheRow)
{
    GridModel model;
    fill(model, 2, 2);
    model.setShownText(1, 1, QStringLiteral("shown"));
    model.setToolTip(1, 1, QStringLiteral("why"));
    model.setTextColor(1, 1, Rgb(200, 0, 0));
    EXPECT_EQ(model.text(1, 1), label(1, 1));
    EXPECT_EQ(model.shownText(1, 1), QStringLiteral("shown"));
    EXPECT_EQ(model.shownText(1, 0), label(1, 0));

    QSignalSpy spy(&model, &GridModel::cellChanged);
    model.setShownText(1, 1, QStringLiteral("shown"));
    model.setToolTip(1, 1, QStringLiteral("why"));
    EXPECT_EQ(spy.count(), 0);

    model.insertRow(0);
    EXPECT_EQ(model.shownText(2, 1), QStringLiteral("shown"));
    EXPECT_EQ(model.toolTip(2, 1), QStringLiteral("why"));
    // An empty shown text is shown, not the held one.
    model.setShownText(2, 1, QString());
    EXPECT_EQ(model.shownText(2, 1), QString());
    model.clearShownText(2, 1);
    model.resetTextColor(2, 1);
    EXPECT_EQ(model.shownText(2, 1), label(1, 1));
    EXPECT_EQ(model.textColor(2, 1), model.defaultTextColor());
}

TEST(GridModel, GeometryChangesAnnounceALayoutChange)
{
    GridModel model;
    fill(model, 3, 3);
    QSignalSpy layout(&model, &GridModel::layoutChanged);

    model.setColumnWidth(1, 0);
    model.setColumnWidth(1, 0); // no change
    model.setRowHeight(2, 50);
    model.insertRow(1);
    model.deleteRow(1);
    model.setFixedColumnCount(1);
    model.setDefaultBackground(Rgb(230, 255, 255));
    EXPECT_EQ(layout.count(), 6);
}

TEST(GridModel, CurrentCellAndScrollRequests)
{
    GridModel model;
    fill(model, 3, 3);
    QSignalSpy current(&model, &GridModel::currentCellChanged);
    QSignalSpy scroll(&model, &GridModel::scrollToCellRequested);

    model.setCurrentCell(2, 1);
    model.setCurrentCell(2, 1);
    model.setCurrentCell(5, 1);
    model.scrollToCell(2, 2);
    model.scrollToCell(3, 0);

    EXPECT_EQ(model.currentRow(), -1);
    ASSERT_EQ(current.count(), 2);
    EXPECT_EQ(args(current.at(0)), QList<int>({2, 1}));
    EXPECT_EQ(args(current.at(1)), QList<int>({-1, -1}));
    ASSERT_EQ(scroll.count(), 1);
    EXPECT_EQ(args(scroll.at(0)), QList<int>({2, 2}));
}

// The ration grid is rewritten cell by cell after every amount typed; each
// changed cell is reported once and nothing else is emitted.
TEST(GridModel, RewritingARationSizedGridReportsEachChangedCellOnce)
{
    GridModel model;
    model.setRowCount(45);
    model.setColumnCount(65);
    int changes = 0;
    QObject::connect(&model, &GridModel::cellChanged, &model, [&] { ++changes; });
    QSignalSpy layout(&model, &GridModel::layoutChanged);
    const QStringList values = {QStringLiteral("12,34"), QStringLiteral("0,66"), QStringLiteral("13,00")};
    for (int pass = 0; pass < 9; ++pass)
        for (int r = 0; r < 45; ++r)
            for (int c = 0; c < 65; ++c)
                model.setText(r, c, values[(r + c + pass) % 3]);
    EXPECT_EQ(changes, 9 * 45 * 65);
    EXPECT_EQ(layout.count(), 0);
    EXPECT_EQ(model.text(44, 64), values[(44 + 64 + 8) % 3]);
}
