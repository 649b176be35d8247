#include "ui/gui/GridView.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <utility>

GridView::GridView(QWidget* parent)
    : GridView(nullptr, parent)
{
}

GridView::GridView(GridModel* model, QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_ownModel(new GridModel(this))
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);

    // Clicking the current cell opens its editor only once it is clear that
    // the click is not the first half of a double click.
    m_editTimer.setSingleShot(true);
    m_editTimer.setInterval(QApplication::doubleClickInterval());
    connect(&m_editTimer, &QTimer::timeout, this, [this] {
        const GridCell cell = std::exchange(m_pendingEdit, GridCell());
        if (cell.isValid())
            startEdit(cell.row, cell.col, nullptr);
    });

    setModel(model);
}

GridView::~GridView()
{
    // The editor must not report back into a model that may already be gone.
    if (m_editor)
        m_editor->removeEventFilter(this);
}

void GridView::setModel(GridModel* model)
{
    if (!model)
        model = m_ownModel;
    if (model == m_model)
        return;
    cancelEdit();
    for (const auto& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_model = model;
    connectModel();
    m_geometryDirty = true;
    applyLayout();
}

void GridView::connectModel()
{
    GridModel* m = m_model;
    m_connections = {
        connect(m, &GridModel::cellChanged, this, &GridView::scheduleRepaint),
        connect(m, &GridModel::redrawRequested, this, &GridView::scheduleRepaint),
        connect(m, &GridModel::currentCellChanged, this, &GridView::scheduleRepaint),
        connect(m, &GridModel::layoutChanged, this, &GridView::scheduleLayout),
        connect(m, &GridModel::scrollToCellRequested, this, &GridView::ensureCellVisible),
        connect(m, &GridModel::editRequested, this, &GridView::editCell),
    };
    if (m != m_ownModel)
        m_connections.push_back(connect(m, &QObject::destroyed, this, [this] {
            if (m_editor)
                closeEditor();
            m_connections.clear();
            m_model = m_ownModel;
            connectModel();
            m_geometryDirty = true;
            applyLayout();
        }));
}

// Thousands of cell changes per recalculation must cost one repaint.
void GridView::scheduleRepaint()
{
    if (m_repaintPending)
        return;
    m_repaintPending = true;
    viewport()->update();
}

void GridView::scheduleLayout()
{
    m_geometryDirty = true;
    if (m_layoutPending)
        return;
    m_layoutPending = true;
    QMetaObject::invokeMethod(this, &GridView::applyLayout, Qt::QueuedConnection);
}

void GridView::applyLayout()
{
    m_layoutPending = false;
    if (m_editor && !m_model->isEditable(m_editCell.row, m_editCell.col))
        cancelEdit();
    updateScrollBars();
    placeEditor();
    m_repaintPending = true;
    viewport()->update();
}

// ---- geometry ------------------------------------------------------------------

void GridView::ensureGeometry() const
{
    if (!m_geometryDirty)
        return;
    m_geometryDirty = false;
    m_colX.assign(m_model->columnCount() + 1, 0);
    for (int c = 0; c < m_model->columnCount(); ++c)
        m_colX[c + 1] = m_colX[c] + m_model->columnWidth(c);
    m_rowY.assign(m_model->rowCount() + 1, 0);
    for (int r = 0; r < m_model->rowCount(); ++r)
        m_rowY[r + 1] = m_rowY[r] + m_model->rowHeight(r);
}

void GridView::updateScrollBars()
{
    ensureGeometry();
    const int fixedW = m_colX[m_model->fixedColumnCount()];
    const int fixedH = m_rowY[m_model->fixedRowCount()];
    const int availW = std::max(0, viewport()->width() - fixedW);
    const int availH = std::max(0, viewport()->height() - fixedH);
    horizontalScrollBar()->setRange(0, std::max(0, m_colX.back() - fixedW - availW));
    horizontalScrollBar()->setPageStep(std::max(1, availW));
    verticalScrollBar()->setRange(0, std::max(0, m_rowY.back() - fixedH - availH));
    verticalScrollBar()->setPageStep(std::max(1, availH));
}

int GridView::columnX(int col) const
{
    ensureGeometry();
    const int x = m_colX[col];
    return m_model->isFixedColumn(col) ? x : x - horizontalScrollBar()->value();
}

int GridView::rowY(int row) const
{
    ensureGeometry();
    const int y = m_rowY[row];
    return m_model->isFixedRow(row) ? y : y - verticalScrollBar()->value();
}

// The column whose span holds grid coordinate x within [first, last); the last
// of several columns starting at x is the visible one, those before it have
// width 0.
static int findIn(const std::vector<int>& edges, int first, int last, int x)
{
    if (first >= last || x < edges[first] || x >= edges[last])
        return -1;
    const auto it = std::upper_bound(edges.begin() + first, edges.begin() + last, x);
    return static_cast<int>(it - edges.begin()) - 1;
}

int GridView::findColumn(int x) const
{
    ensureGeometry();
    const int fixedCols = m_model->fixedColumnCount();
    const int fixedW = m_colX[fixedCols];
    if (x < 0)
        return -1;
    if (x < fixedW)
        return findIn(m_colX, 0, fixedCols, x);
    return findIn(m_colX, fixedCols, m_model->columnCount(), x + horizontalScrollBar()->value());
}

int GridView::findRow(int y) const
{
    ensureGeometry();
    const int fixedRows = m_model->fixedRowCount();
    const int fixedH = m_rowY[fixedRows];
    if (y < 0)
        return -1;
    if (y < fixedH)
        return findIn(m_rowY, 0, fixedRows, y);
    return findIn(m_rowY, fixedRows, m_model->rowCount(), y + verticalScrollBar()->value());
}

GridCell GridView::cellAt(const QPoint& pos) const
{
    if (!viewport()->rect().contains(pos))
        return {};
    const int row = findRow(pos.y());
    const int col = findColumn(pos.x());
    if (row < 0 || col < 0)
        return {};
    return {row, col};
}

QRect GridView::cellRect(int row, int col) const
{
    if (!m_model->isValid(row, col))
        return {};
    const int w = m_model->columnWidth(col);
    const int h = m_model->rowHeight(row);
    if (w <= 0 || h <= 0)
        return {};
    return QRect(columnX(col), rowY(row), w, h);
}

void GridView::ensureCellVisible(int row, int col)
{
    if (!m_model->isValid(row, col))
        return;
    ensureGeometry();
    const int fixedW = m_colX[m_model->fixedColumnCount()];
    const int fixedH = m_rowY[m_model->fixedRowCount()];
    updateScrollBars();
    if (!m_model->isFixedColumn(col)) {
        QScrollBar* bar = horizontalScrollBar();
        const int left = m_colX[col] - fixedW;
        const int right = m_colX[col + 1] - fixedW;
        const int avail = std::max(0, viewport()->width() - fixedW);
        if (left < bar->value())
            bar->setValue(left);
        else if (right > bar->value() + avail)
            bar->setValue(std::min(left, right - avail));
    }
    if (!m_model->isFixedRow(row)) {
        QScrollBar* bar = verticalScrollBar();
        const int top = m_rowY[row] - fixedH;
        const int bottom = m_rowY[row + 1] - fixedH;
        const int avail = std::max(0, viewport()->height() - fixedH);
        if (top < bar->value())
            bar->setValue(top);
        else if (bottom > bar->value() + avail)
            bar->setValue(std::min(top, bottom - avail));
    }
}

QSize GridView::sizeHint() const
{
    ensureGeometry();
    const int frame = 2 * frameWidth();
    return QSize(std::min(m_colX.back(), 900) + frame + verticalScrollBar()->sizeHint().width(),
                 std::min(m_rowY.back(), 600) + frame + horizontalScrollBar()->sizeHint().height());
}
