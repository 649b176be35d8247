#include "sysdata/gui/SystemTableView.h"
#include "core/Prompt.h"
#include "support/TestDatabase.h"
#include "sysdata/SystemTableEditor.h"
#include "sysdata/gui/SystemTableEditorWindow.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridView.h"

#include <QComboBox>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A system data editor of the owner "M" in a workspace of 1024 x 768.
class SystemTableViewTest : public ::testing::Test
{
protected:
    void open(const QString& language = QStringLiteral("DE"))
    {
        area.reset();
        db = std::make_unique<TestDatabase>(TestDatabase::Data::Fixture, language);
        ASSERT_TRUE(db->isValid()) << qPrintable(db->error());
        db->context().setOwnerCode(QStringLiteral("M"));
        // The fixture describes no feedstuff columns.
        ASSERT_TRUE(db->rawExec(QStringLiteral(
            "INSERT INTO T_GRUNDDATEN (ID, TABELLE, FELD, FELDTYP, BREITE, BEZ_DE, BEZ_EN, SICHTBAR, SORT) "
            "VALUES (94, 'T_FUTTERMITTEL', 'ID', 'LONG', '40', 'Nr.', 'No.', '1', 1), "
            "(95, 'T_FUTTERMITTEL', 'BEZ_DE', 'VARCHAR2', '200', 'Bezeichnung', 'Name', '1', 2)")));
        area = std::make_unique<QMdiArea>();
        area->resize(1024, 768);
        area->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(area.get()));
        window = SystemTableEditorWindow::open(*area, db->context(), &prompt);
        QCoreApplication::processEvents();
    }

    const SystemTableControls& c() const { return window->view()->controls(); }

    static void choose(QComboBox* box, const QString& text)
    {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << qPrintable(text);
        box->setFocus();
        if (box->currentIndex() < 0)
            QTest::keyClick(box, Qt::Key_Down);
        for (int step = 0; step <= box->count() && box->currentIndex() != target; ++step)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), target) << qPrintable(text);
    }

    std::unique_ptr<TestDatabase> db;
    RecordingPrompt prompt;
    std::unique_ptr<QMdiArea> area;
    SystemTableEditorWindow* window = nullptr;
};

TEST_F(SystemTableViewTest, ChoosingATableFillsTheGridAndShowsFurtherDetailsOnlyWithDependents)
{
    open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Systemdaten"));
    EXPECT_EQ(window->geometry(), QRect(QPoint(0, 0), area->viewport()->size()));
    EXPECT_EQ(c().grid->model(), &window->editor().grid());
    EXPECT_EQ(c().tableList->count(), 3);
    EXPECT_EQ(c().tableList->currentIndex(), -1);
    EXPECT_FALSE(c().dependentList->isVisible());

    const struct
    {
        const char* table;
        int column;
        const char* header;
        bool dependents;
    } cases[] = {{"Futtermittel", 1, "Bezeichnung", true}, {"Gattung", 2, "Bezeichnung engl.", false}};
    for (const auto& t : cases) {
        choose(c().tableList, QString::fromUtf8(t.table));
        const GridModel& grid = *c().grid->model();
        EXPECT_GT(grid.rowCount(), 2) << t.table;
        EXPECT_EQ(grid.text(0, t.column), QString::fromUtf8(t.header)) << t.table;
        EXPECT_FALSE(c().grid->cellRect(1, 1).isEmpty()) << t.table;
        EXPECT_EQ(c().tableList->currentText(), QString::fromUtf8(t.table));
        EXPECT_EQ(c().dependentLabel->isVisible(), t.dependents) << t.table;
        EXPECT_EQ(c().dependentList->isVisible(), t.dependents) << t.table;
    }
    EXPECT_TRUE(prompt.texts().isEmpty());
}

TEST_F(SystemTableViewTest, FurtherDetailsOpenASecondWindowForTheCurrentRow)
{
    open();
    choose(c().tableList, QStringLiteral("Futtermittel"));
    QTest::mouseClick(c().grid->viewport(), Qt::LeftButton, {}, c().grid->cellRect(4, 1).center());
    ASSERT_EQ(c().grid->model()->currentRow(), 4);
    choose(c().dependentList, QStringLiteral("Nährstoffgehalte"));

    const QList<QMdiSubWindow*> windows = area->subWindowList(QMdiArea::CreationOrder);
    ASSERT_EQ(windows.size(), 2);
    auto* details = qobject_cast<SystemTableEditorWindow*>(windows.at(1));
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(details->windowTitle(), QStringLiteral("Systemdaten - Weitere Angaben"));
    EXPECT_TRUE(details->isVisible());
    EXPECT_EQ(details->editor().presetTable(), 91);
    EXPECT_EQ(details->editor().filterValue(), QStringLiteral("4"));
    EXPECT_EQ(details->view()->controls().tableList->currentText(), QStringLiteral("Nährstoffgehalte"));
    // Header, the feedstuff's four contents and the new-record row.
    EXPECT_EQ(details->view()->controls().grid->model()->rowCount(), 6);
}

TEST_F(SystemTableViewTest, TheBarSpeaksTheLanguageOfTheWindow)
{
    const struct
    {
        const char* code;
        QStringList texts;
    } cases[] = {
        {"DE", {"Systemdaten", "Auswahl Tabelle", "Weitere Angaben", "Kopieren", "Löschen", "Drucken"}},
        {"US", {"Systemdata", "Select table", "Further details", "Copy", "Delete", "Print"}}};
    for (const auto& t : cases) {
        open(QString::fromLatin1(t.code));
        EXPECT_EQ(QStringList({window->windowTitle(), c().tableLabel->text(), c().dependentLabel->text(),
                               c().copy->text(), c().remove->text(), c().print->text()}),
                  t.texts)
            << t.code;
    }
}

TEST_F(SystemTableViewTest, ACaptionWidensItsColumnButTheRowsDoNot)
{
    open(QStringLiteral("US"));
    choose(c().tableList, QStringLiteral("Species"));
    const GridModel& grid = window->editor().grid();
    // "Active" needs more than the 40 pixels the metadata gives.
    EXPECT_GT(grid.columnWidth(3), 40);
    EXPECT_EQ(grid.columnWidth(3), GridCellPainter::neededWidth(grid, 0, 3));
    EXPECT_EQ(grid.columnWidth(1), 150);
}

TEST_F(SystemTableViewTest, AFailedPrintIsTold)
{
    open(QStringLiteral("US"));
    choose(c().tableList, QStringLiteral("Species"));
    const GridModel* printed = nullptr;
    window->view()->setGridPrint([&](GridView& view) {
        printed = view.model();
        return PrintResult::Failed;
    });
    QTest::mouseClick(c().print, Qt::LeftButton);
    EXPECT_EQ(printed, &window->editor().grid());
    EXPECT_EQ(prompt.texts(), QStringList{"Printing failed."});
}

TEST_F(SystemTableViewTest, AWrappedTextShowsAllItsLinesInATallerRow)
{
    open(QStringLiteral("US"));
    const QString text = QStringLiteral("Dogs of a large breed grow slowly: feed the puppy of such a breed "
                                        "less energy than its appetite asks for.");
    ASSERT_TRUE(db->rawExec(QStringLiteral("UPDATE T_GATTUNG SET BEZ_US = '%1' WHERE ID = 2").arg(text)));
    choose(c().tableList, QStringLiteral("Species"));
    const GridModel& grid = window->editor().grid();
    ASSERT_EQ(grid.text(2, 2), text);
    // Several lines at the column's 150 pixels, each of them inside the row.
    EXPECT_GT(GridCellPainter::neededHeight(grid, 2, 2), GridModel::DefaultRowHeight);
    EXPECT_EQ(grid.rowHeight(2), GridCellPainter::neededHeight(grid, 2, 2));
    EXPECT_EQ(grid.rowHeight(1), GridModel::DefaultRowHeight);
    EXPECT_EQ(grid.toolTip(2, 2), QString());
}

} // namespace
