#include "ui/gui/GridView.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "TestNames.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// Column 0 (50 px) and row 0 (30 px) are fixed; the other columns are 40 px
// and rows 20 px; column 3 and row 4 are hidden.
void buildSample(GridModel& model)
{
    model.setRowCount(50);
    model.setColumnCount(20);
    model.setFixedRowCount(1);
    model.setFixedColumnCount(1);
    model.setColumnWidth(0, 50);
    for (int c = 1; c < 20; ++c)
        model.setColumnWidth(c, 40);
    model.setColumnWidth(3, 0);
    model.setRowHeight(0, 30);
    model.setRowHeight(4, 0);
    for (int r = 0; r < 50; ++r)
        for (int c = 0; c < 20; ++c)
            model.setText(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
}

class GridViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setWindowTitle(QStringLiteral("Grid"));
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        view = new GridView(&window);
        other = new QLineEdit(&window);
        layout->addWidget(view);
        layout->addWidget(other);
        buildSample(*view->model());
        window.resize(400, 330);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QCoreApplication::processEvents();
    }

    GridModel& model() { return *view->model(); }
    QPoint centre(int row, int col) const { return view->cellRect(row, col).center(); }

    void clickCell(int row, int col)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(row, col));
    }

    // A click on the current cell opens the editor once it cannot be a double click.
    bool openEditorByClicks(int row, int col)
    {
        clickCell(row, col);
        QTest::qWait(QApplication::doubleClickInterval() + 20);
        clickCell(row, col);
        return QTest::qWaitFor([&] { return view->isEditing(); });
    }

    QWidget window;
    GridView* view = nullptr;
    QLineEdit* other = nullptr;
};

} // namespace

// ---- hit testing ---------------------------------------------------------------------

struct HitCase
{
    const char* name;
    QPoint pos;
    int scrollX;
    int scrollY;
    int row;
    int col;
};

class GridViewHit : public GridViewTest, public ::testing::WithParamInterface<HitCase>
{
};

TEST_P(GridViewHit, ClickReportsTheCellUnderTheMouse)
{
    const HitCase& tc = GetParam();
    view->horizontalScrollBar()->setValue(tc.scrollX);
    view->verticalScrollBar()->setValue(tc.scrollY);
    ASSERT_EQ(view->horizontalScrollBar()->value(), tc.scrollX);
    ASSERT_EQ(view->verticalScrollBar()->value(), tc.scrollY);
    QSignalSpy clicked(&model(), &GridModel::clicked);

    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, tc.pos);

    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), tc.row);
    EXPECT_EQ(clicked.at(0).at(1).toInt(), tc.col);
}

// Column edges unscrolled: 0|50|90|130 (column 3 hidden, so column 4 starts at
// 130); row edges: 0|30|50|70|90 (row 4 hidden, so row 5 starts at 90).
INSTANTIATE_TEST_SUITE_P(
    Positions, GridViewHit,
    ::testing::Values(HitCase{"Corner", {10, 10}, 0, 0, 0, 0}, HitCase{"FixedRow", {55, 10}, 0, 0, 0, 1},
                      HitCase{"FixedColumn", {10, 35}, 0, 0, 1, 0}, HitCase{"Body", {95, 55}, 0, 0, 2, 2},
                      HitCase{"AfterHiddenColumn", {135, 35}, 0, 0, 1, 4},
                      HitCase{"AfterHiddenRow", {60, 95}, 0, 0, 5, 1},
                      // Scrolled by 80 px right and 40 px down: fixed cells stay, the rest shifts.
                      HitCase{"ScrolledCorner", {20, 20}, 80, 40, 0, 0},
                      HitCase{"ScrolledFixedRow", {55, 10}, 80, 40, 0, 4},
                      HitCase{"ScrolledFixedColumn", {10, 35}, 80, 40, 3, 0},
                      HitCase{"ScrolledBody", {60, 60}, 80, 40, 5, 4},
                      HitCase{"ScrolledFarBody", {300, 200}, 80, 40, 12, 10}),
    [](const auto& info) { return std::string(info.param.name); });

struct DoubleClickCase
{
    const char* name;
    int row;
    int col;
    bool readOnly;
    bool opensEditor;
};

class GridViewDoubleClick : public GridViewTest, public ::testing::WithParamInterface<DoubleClickCase>
{
};

TEST_P(GridViewDoubleClick, ReportsTheCellOnceAndEditsOnlyEditableCells)
{
    const DoubleClickCase& tc = GetParam();
    model().setReadOnly(tc.row, tc.col, tc.readOnly);
    QSignalSpy doubleClicked(&model(), &GridModel::doubleClicked);
    QSignalSpy clicked(&model(), &GridModel::clicked);

    // The first click of a double click arrives as a click of its own.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, centre(tc.row, tc.col));
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, centre(tc.row, tc.col));

    ASSERT_EQ(doubleClicked.count(), 1);
    EXPECT_EQ(doubleClicked.at(0).at(0).toInt(), tc.row);
    EXPECT_EQ(doubleClicked.at(0).at(1).toInt(), tc.col);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(view->isEditing(), tc.opensEditor);
}

INSTANTIATE_TEST_SUITE_P(Cells, GridViewDoubleClick,
                         ::testing::Values(DoubleClickCase{"Editable", 2, 2, false, true},
                                           DoubleClickCase{"ReadOnlyToggle", 2, 2, true, false},
                                           DoubleClickCase{"FixedHeader", 0, 2, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(GridViewTest, ClickOutsideTheCellsReportsNothing)
{
    model().setRowCount(3);
    model().setColumnCount(3);
    QCoreApplication::processEvents();
    QSignalSpy clicked(&model(), &GridModel::clicked);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(300, 200));
    EXPECT_EQ(clicked.count(), 0);
}

TEST_F(GridViewTest, ScrollRequestBringsTheCellIntoSight)
{
    model().scrollToCell(40, 18);
    const QRect rect = view->cellRect(40, 18);
    EXPECT_TRUE(view->viewport()->rect().contains(rect)) << rect.x() << "," << rect.y();
    EXPECT_GT(view->verticalScrollBar()->value(), 0);
}

// ---- editing ----------------------------------------------------------------------------

TEST_F(GridViewTest, TypingIntoTheCurrentCellEndsWithTheTypedText)
{
    clickCell(2, 2);
    ASSERT_EQ(model().currentRow(), 2);
    QSignalSpy ended(&model(), &GridModel::editEnded);

    QTest::keyClick(view, '1');
    ASSERT_TRUE(view->isEditing());
    QTest::keyClicks(view->editor(), QStringLiteral("50,5"));
    QTest::keyClick(view->editor(), Qt::Key_Return);

    EXPECT_FALSE(view->isEditing());
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(0).toInt(), 2);
    EXPECT_EQ(ended.at(0).at(1).toInt(), 2);
    EXPECT_EQ(ended.at(0).at(2).toString(), QStringLiteral("150,5"));
    EXPECT_EQ(model().text(2, 2), QStringLiteral("150,5"));
}

TEST_F(GridViewTest, AWrappingTextCellTakesSeveralLines)
{
    model().setAlignment(2, 2, GridAlign::Left | GridAlign::WordWrap);
    view->setFocus();
    model().setCurrentCell(2, 2);
    QTest::keyClick(view, Qt::Key_F2);
    ASSERT_TRUE(view->isEditing());
    auto* lines = qobject_cast<QPlainTextEdit*>(view->editor());
    ASSERT_NE(lines, nullptr);
    QSignalSpy ended(&model(), &GridModel::editEnded);
    QTest::keyClicks(lines, QStringLiteral("O'Brien"));
    QTest::keyClick(lines, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(lines, QStringLiteral("zweimal"));
    ASSERT_TRUE(view->isEditing());
    QTest::keyClick(lines, Qt::Key_Return);
    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(model().text(2, 2), QStringLiteral("O'Brien\nzweimal"));
}

TEST_F(GridViewTest, ClickingTheCurrentCellOpensItsEditorAndTabMovesOn)
{
    ASSERT_TRUE(openEditorByClicks(2, 2));
    auto* edit = qobject_cast<QLineEdit*>(view->editor());
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("2.2"));
    QSignalSpy ended(&model(), &GridModel::editEnded);

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("42"));
    QTest::keyClick(edit, Qt::Key_Tab);

    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(2).toString(), QStringLiteral("42"));
    // Column 3 is hidden.
    EXPECT_EQ(model().currentRow(), 2);
    EXPECT_EQ(model().currentColumn(), 4);
}

TEST_F(GridViewTest, EscapeCancelsTheEdit)
{
    QSignalSpy ended(&model(), &GridModel::editEnded);
    ASSERT_TRUE(view->editCell(2, 2));
    QTest::keyClicks(view->editor(), QStringLiteral("99"));
    QTest::keyClick(view->editor(), Qt::Key_Escape);
    EXPECT_FALSE(view->isEditing());
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(model().text(2, 2), QStringLiteral("2.2"));
}

TEST_F(GridViewTest, LeavingTheEditorEndsTheEdit)
{
    QSignalSpy ended(&model(), &GridModel::editEnded);
    ASSERT_TRUE(view->editCell(3, 5));
    QTest::keyClicks(view->editor(), QStringLiteral("7"));
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended.count() == 1; }));
    // The editor opened with the cell's text selected, so typing replaced it.
    EXPECT_EQ(model().text(3, 5), QStringLiteral("7"));
}

TEST_F(GridViewTest, ReadOnlyAndFixedCellsDoNotOpenAnEditor)
{
    model().setReadOnly(2, 2, true);
    QSignalSpy started(&model(), &GridModel::editStarted);
    clickCell(2, 2);
    QTest::keyClick(view, '5');
    QTest::keyClick(view, Qt::Key_F2);
    EXPECT_FALSE(view->isEditing());
    EXPECT_FALSE(view->editCell(0, 2));
    EXPECT_FALSE(view->editCell(2, 0));
    EXPECT_EQ(started.count(), 0);
}

TEST_F(GridViewTest, DropDownCellChoosesOneOfItsEntries)
{
    const QStringList entries = {QStringLiteral("Hund - 1"), QStringLiteral("Katze - 2")};
    // As the system data editor does: the click turns the cell into a list.
    QObject::connect(&model(), &GridModel::clicked, &model(), [&](int r, int c) {
        if (r == 2 && c == 2)
            model().setDropDown(r, c, entries);
    });
    QSignalSpy ended(&model(), &GridModel::editEnded);

    clickCell(2, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->isEditing(); }));
    auto* combo = qobject_cast<QComboBox*>(view->editor());
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), entries[1]);
    combo->setCurrentIndex(1);
    emit combo->activated(1);

    ASSERT_EQ(ended.count(), 1);
    EXPECT_EQ(ended.at(0).at(2).toString(), entries[1]);
    EXPECT_EQ(model().text(2, 2), entries[1]);
    EXPECT_FALSE(view->isEditing());
}

TEST_F(GridViewTest, EditorClosesWhenItsRowIsDeleted)
{
    ASSERT_TRUE(view->editCell(49, 2));
    model().deleteRow(49);
    QCoreApplication::processEvents();
    EXPECT_FALSE(view->isEditing());
}

// ---- keyboard navigation ---------------------------------------------------------------------

struct MoveCase
{
    const char* name;
    int row;
    int col;
    Qt::Key key;
    int expectedRow;
    int expectedCol;
};

class GridViewMove : public GridViewTest, public ::testing::WithParamInterface<MoveCase>
{
};

TEST_P(GridViewMove, ArrowsStepOverHiddenCellsAndStopAtTheEdge)
{
    const MoveCase& tc = GetParam();
    model().setCurrentCell(tc.row, tc.col);
    QTest::keyClick(view, tc.key);
    EXPECT_EQ(model().currentRow(), tc.expectedRow);
    EXPECT_EQ(model().currentColumn(), tc.expectedCol);
}

INSTANTIATE_TEST_SUITE_P(Keys, GridViewMove,
                         ::testing::Values(MoveCase{"RightOverHidden", 1, 2, Qt::Key_Right, 1, 4},
                                           MoveCase{"LeftOverHidden", 1, 4, Qt::Key_Left, 1, 2},
                                           MoveCase{"DownOverHidden", 3, 5, Qt::Key_Down, 5, 5},
                                           MoveCase{"UpStopsBelowFixedRow", 1, 5, Qt::Key_Up, 1, 5},
                                           MoveCase{"LeftStopsBesideFixedColumn", 2, 1, Qt::Key_Left, 2, 1},
                                           MoveCase{"RightStopsAtLastColumn", 2, 19, Qt::Key_Right, 2, 19}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- painting ------------------------------------------------------------------------------

namespace {
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};
} // namespace

TEST_F(GridViewTest, ThousandsOfCellChangesCostOneRepaint)
{
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    for (int pass = 0; pass < 3; ++pass)
        for (int r = 0; r < 50; ++r)
            for (int c = 0; c < 20; ++c)
                model().setText(r, c, QString::number(pass * 1000 + r * 20 + c));
    QCoreApplication::processEvents();

    EXPECT_GE(counter.paints, 1);
    EXPECT_LE(counter.paints, 2);
}

// A grid laid out like the ration page's: fixed header rows with wrapped
// short names, grey requirement and supply rows, white amount cells, hidden
// key rows and columns. Hidden cells are painted red to show they never appear.
TEST(GridViewLook, RationLayoutShowsItsFormatsAndHidesHiddenCells)
{
    const Rgb red(255, 0, 0);
    GridModel model;
    model.setDefaultBackground(Rgb(230, 255, 255));
    model.setFixedBackground(Rgb(230, 255, 255));
    model.setRowCount(14);
    model.setColumnCount(9);
    model.setFixedRowCount(5);
    model.setFixedColumnCount(2);
    model.setColumnWidth(0, 0);
    model.setColumnBackground(0, red);
    model.setColumnWidth(1, 265);
    for (int c = 2; c < 9; ++c)
        model.setColumnWidth(c, 48);
    model.setColumnWidth(6, 1);
    model.setRowHeight(1, 50);
    for (int r = 5; r <= 10; ++r) {
        model.setRowHeight(r, 0);
        model.setRowBackground(r, red);
    }
    const QStringList labels = {QString(), QStringLiteral("Nährstoffe"), QStringLiteral("Einheiten"),
                                QStringLiteral("Bedarf"), QStringLiteral("Versorgung")};
    for (int r = 1; r < 5; ++r)
        model.setText(r, 1, labels[r]);
    const QStringList names = {QStringLiteral("Rohprotein"), QStringLiteral("Rfe"),
                               QStringLiteral("Ca"),         QStringLiteral("P"),
                               QStringLiteral("Vitamin D3"), QStringLiteral("Na")};
    for (int i = 0; i < names.size(); ++i) {
        const int c = i + 3;
        model.setText(0, c, QStringLiteral("x"));
        model.setText(1, c, names[i]);
        model.setAlignment(1, c, GridAlign::Centre | GridAlign::Bottom | GridAlign::WordWrap);
        model.setBackground(1, c, Rgb(164, 255, 255));
        model.setText(3, c, QStringLiteral("%1,00").arg(10 + i));
        model.setText(4, c, QStringLiteral("%1,50").arg(9 + i));
        model.setBackground(4, c, Rgb(238, 238, 238));
    }
    model.setRowAlignment(3, GridAlign::Right);
    model.setRowAlignment(4, GridAlign::Right);
    for (int r : {3, 4})
        for (int c : {1, 2})
            model.setBackground(r, c, Rgb(238, 238, 238));
    const QStringList feeds = {QStringLiteral("Rindfleisch, mager"), QStringLiteral("Reis, gekocht"),
                               QStringLiteral("Mineralfutter mit einem sehr langen Namen")};
    for (int i = 0; i < feeds.size(); ++i) {
        const int r = 11 + i;
        model.setRowAlignment(r, GridAlign::Right | GridAlign::Bottom);
        model.setText(r, 1, feeds[i]);
        model.setAlignment(r, 1, GridAlign::LeftSingleLine);
        model.setEllipsis(r, 1, true);
        model.setText(r, 2, QStringLiteral("%1,0").arg(150 - 40 * i));
        model.setBackground(r, 2, Rgb(255, 255, 255));
        for (int c = 3; c < 9; ++c)
            model.setText(r, c, QStringLiteral("%1,%2").arg(c + i).arg(r));
    }
    model.setCurrentCell(11, 2);

    GridView view(&model);
    view.resize(view.sizeHint());
    const QImage image = view.viewport()->grab().toImage();
    if (const QByteArray dir = qgetenv("MENSOLY_SHOT_DIR"); !dir.isEmpty())
        image.save(QString::fromLocal8Bit(dir) + QStringLiteral("/ration-grid.png"));

    const auto at = [&](int r, int c) {
        return image.pixelColor(view.cellRect(r, c).topLeft() + QPoint(2, 2));
    };
    EXPECT_EQ(at(3, 1), QColor(238, 238, 238));
    EXPECT_EQ(at(4, 5), QColor(238, 238, 238));
    EXPECT_EQ(at(3, 5), QColor(230, 255, 255));
    EXPECT_EQ(at(1, 4), QColor(164, 255, 255));
    EXPECT_EQ(at(12, 2), QColor(255, 255, 255));
    // Column 2 starts right after column 1: the key column takes no room.
    EXPECT_EQ(view.cellRect(11, 2).left(), 265);
    int redPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            redPixels += image.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_EQ(redPixels, 0);
}

TEST(GridViewModel, OutlivesAnExternalModel)
{
    auto model = std::make_unique<GridModel>();
    buildSample(*model);
    GridView view(model.get());
    view.resize(300, 200);
    ASSERT_TRUE(view.editCell(2, 2));
    model.reset();
    EXPECT_NE(view.model(), nullptr);
    EXPECT_EQ(view.model()->rowCount(), 0);
    EXPECT_FALSE(view.isEditing());
    EXPECT_FALSE(view.grab().isNull());
}
