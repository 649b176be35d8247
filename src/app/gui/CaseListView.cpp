#include "app/gui/CaseListView.h"

#include "ui/gui/GridCellPainter.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>

namespace {

// A cell's text margins left and right and its grid line.
constexpr int CellPadding = 3 + 3 + 1;

} // namespace

CaseListView::CaseListView(AppContext& context, Prompt& prompt, const QSize& initialSize, QWidget* parent)
    : GridView(parent)
    , m_list(context, prompt)
    , m_initialSize(initialSize)
{
    setObjectName(QStringLiteral("CaseList"));
    setModel(&m_list.grid());
    connect(&m_list, &CaseList::openCaseRequested, this,
            [this](const QString& caseKey) { emit openCaseRequested(caseKey.toLongLong()); });
}

void CaseListView::runSearch(const CaseSearchCriteria& criteria)
{
    m_list.runSearch(criteria);
    fitToScreenFont();
    // A new list starts at its top.
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void CaseListView::fitToScreenFont()
{
    GridModel& grid = m_list.grid();
    // Names and titles longer than their column end in "..." on their one
    // line, rather than wrap into a second line the row has no room for.
    for (int row = CaseList::HeadingRow + 1; row < grid.rowCount(); ++row) {
        for (int c : {CaseList::OwnerColumn, CaseList::PatientColumn, CaseList::TitleColumn})
            grid.setEllipsis(row, c, true);
    }
    // The dates and the delete heading have a length of their own; their
    // columns widen to show them whole where the screen's font is wider
    // than the one the widths were made for.
    for (int c : {CaseList::DateColumn, CaseList::DeleteColumn}) {
        int width = CaseList::columnWidth(c);
        const int rows = c == CaseList::DateColumn ? grid.rowCount() : 1;
        CellFont font = grid.font(0, c);
        QFontMetrics metrics(GridCellPainter::toFont(font));
        for (int row = 0; row < rows; ++row) {
            if (grid.font(row, c) != font) {
                font = grid.font(row, c);
                metrics = QFontMetrics(GridCellPainter::toFont(font));
            }
            width = std::max(width, metrics.horizontalAdvance(grid.text(row, c)) + CellPadding + 2);
        }
        grid.setColumnWidth(c, width);
    }
}
