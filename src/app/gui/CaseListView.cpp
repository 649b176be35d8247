#include "app/gui/CaseListView.h"

#include "ui/GridModel.h"
#include "ui/gui/GridCellPainter.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace {

// A cell's text margins left and right and its grid line.
constexpr int CellPadding = 3 + 3 + 1;

// The cells as a grid draws them: black text on white (the delete mark red),
// grid lines right and below, names and titles cut with "...".
class CaseCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int column = index.column();
        painter->save();
        GridCellPainter::paintCell(*painter, option.rect, index.data().toString(),
                                   {GridModel::DefaultBackground,
                                    CaseList::textColour(column),
                                    CellFont{},
                                    GridAlign{},
                                    CaseList::isElided(column),
                                    false,
                                    true,
                                    {}});
        painter->restore();
    }
};

// The headings as the grid's fixed first row.
class HeadingRow : public QHeaderView
{
public:
    explicit HeadingRow(QWidget* parent)
        : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(false);
        setSectionsMovable(false);
        setHighlightSections(false);
        setMinimumSectionSize(1);
        setSectionResizeMode(QHeaderView::Fixed);
    }

    QSize sizeHint() const override { return {QHeaderView::sizeHint().width(), GridModel::DefaultRowHeight}; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        painter->save();
        GridCellPainter::paintCell(*painter, rect,
                                   model()->headerData(logicalIndex, Qt::Horizontal).toString(),
                                   {GridModel::DefaultFixedBackground,
                                    Rgb{0, 0, 0},
                                    CellFont{},
                                    GridAlign{},
                                    false,
                                    true,
                                    true,
                                    {}});
        painter->restore();
    }
};

} // namespace

CaseListView::CaseListView(AppContext& context, Prompt& prompt, const QSize& initialSize, QWidget* parent)
    : QTableView(parent)
    , m_list(context, prompt)
    , m_initialSize(initialSize)
{
    setObjectName(QStringLiteral("CaseList"));
    setHorizontalHeader(new HeadingRow(this));
    setItemDelegate(new CaseCellDelegate(this));
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(GridModel::DefaultRowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setShowGrid(false);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setModel(&m_list);
    connect(this, &QTableView::clicked, this,
            [this](const QModelIndex& index) { m_list.click(index.row(), index.column()); });
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
    // The count reads every matching case: it waits until the first rows are shown.
    QTimer::singleShot(0, &m_list, &CaseList::countCases);
}

QRect CaseListView::cellRect(int row, int column) const
{
    const QModelIndex index = m_list.index(row, column);
    return index.isValid() && !isColumnHidden(column) ? visualRect(index) : QRect();
}

void CaseListView::fitToScreenFont()
{
    for (int c = 0; c < CaseList::ColumnCount; ++c)
        setColumnWidth(c, CaseList::columnWidth(c));
    setColumnHidden(CaseList::KeyColumn, true);
    // The dates and the delete heading have a length of their own; their
    // columns widen to show them whole where the screen's font is wider
    // than the one the widths were made for. Dates have one length, so the
    // first page stands for them all.
    const QFontMetrics metrics(GridCellPainter::toFont(CellFont{}));
    const auto fitted = [&metrics](int width, const QString& text) {
        return std::max(width, metrics.horizontalAdvance(text) + CellPadding + 2);
    };
    int dateWidth = fitted(CaseList::columnWidth(CaseList::DateColumn),
                           m_list.headerData(CaseList::DateColumn, Qt::Horizontal).toString());
    for (int row = 0; row < std::min(m_list.caseCount(), int(CaseList::PageSize)); ++row)
        dateWidth = fitted(dateWidth, m_list.text(row, CaseList::DateColumn));
    setColumnWidth(CaseList::DateColumn, dateWidth);
    setColumnWidth(CaseList::DeleteColumn,
                   fitted(CaseList::columnWidth(CaseList::DeleteColumn),
                          m_list.headerData(CaseList::DeleteColumn, Qt::Horizontal).toString()));
}
