#include "ui/gui/GridView.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <utility>

bool GridView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && m_model) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const GridCell cell = cellAt(help->pos());
        const QString tip = cell.isValid() ? m_model->toolTip(cell.row, cell.col) : QString();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), tip, viewport(), cellRect(cell.row, cell.col));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    m_editTimer.stop();
    m_pendingEdit = {};
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (m_editor && cellAt(pos) != m_editCell)
        commitEdit(); // may change the grid, so the cell is looked up afterwards
    setFocus(Qt::MouseFocusReason);

    const GridCell cell = cellAt(pos);
    m_pressCell = cell;
    m_pressWasCurrent = cell.isValid() && cell == GridCell{m_model->currentRow(), m_model->currentColumn()};
    if (!cell.isValid() || m_model->isFixedRow(cell.row))
        return;
    int col = cell.col;
    if (m_model->isFixedColumn(col)) {
        // A click on a row's fixed cell selects the row and keeps the column.
        col = m_model->currentColumn();
        if (col < 0 || m_model->isFixedColumn(col))
            col = firstVisibleColumn();
    }
    if (col >= 0)
        m_model->setCurrentCell(cell.row, col);
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    const GridCell cell = std::exchange(m_pressCell, GridCell());
    if (event->button() != Qt::LeftButton || !cell.isValid() || cellAt(event->position().toPoint()) != cell) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    m_model->click(cell.row, cell.col);
    // The click's handler may have changed the cell, turned it into a
    // drop-down or removed it.
    if (m_model->isEditable(cell.row, cell.col) &&
        (m_pressWasCurrent || m_model->isDropDown(cell.row, cell.col))) {
        m_pendingEdit = cell;
        m_editTimer.start();
    }
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_editTimer.stop();
    m_pendingEdit = {};
    m_pressCell = {};
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    const GridCell cell = cellAt(event->position().toPoint());
    if (!cell.isValid())
        return;
    m_model->doubleClick(cell.row, cell.col);
    // Cells that react to a double click (toggles) are read-only; any other
    // editable cell opens its editor, as users expect.
    if (!m_editor && m_model->isEditable(cell.row, cell.col))
        startEdit(cell.row, cell.col, nullptr);
}

int GridView::firstVisibleColumn() const
{
    for (int c = m_model->fixedColumnCount(); c < m_model->columnCount(); ++c)
        if (m_model->columnWidth(c) > 0)
            return c;
    return -1;
}

int GridView::firstVisibleRow() const
{
    for (int r = m_model->fixedRowCount(); r < m_model->rowCount(); ++r)
        if (m_model->rowHeight(r) > 0)
            return r;
    return -1;
}

// Moves the current cell over visible, non-fixed cells; false at the edge.
bool GridView::moveCurrent(int dRow, int dCol)
{
    int row = m_model->currentRow();
    int col = m_model->currentColumn();
    if (!m_model->isValid(row, col) || m_model->isFixedCell(row, col)) {
        row = firstVisibleRow();
        col = firstVisibleColumn();
        if (row < 0 || col < 0)
            return false;
        m_model->setCurrentCell(row, col);
        ensureCellVisible(row, col);
        return true;
    }
    const auto step = [](int from, int delta, int lower, int upper, auto visible) {
        for (int i = from + delta; i >= lower && i < upper; i += delta)
            if (visible(i))
                return i;
        return -1;
    };
    if (dRow != 0)
        row = step(row, dRow, m_model->fixedRowCount(), m_model->rowCount(),
                   [this](int r) { return m_model->rowHeight(r) > 0; });
    if (dCol != 0)
        col = step(col, dCol, m_model->fixedColumnCount(), m_model->columnCount(),
                   [this](int c) { return m_model->columnWidth(c) > 0; });
    if (row < 0 || col < 0)
        return false;
    m_model->setCurrentCell(row, col);
    ensureCellVisible(row, col);
    return true;
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const int row = m_model->currentRow();
    const int col = m_model->currentColumn();
    switch (event->key()) {
    case Qt::Key_Up:
        moveCurrent(-1, 0);
        return;
    case Qt::Key_Down:
        moveCurrent(1, 0);
        return;
    case Qt::Key_Left:
        moveCurrent(0, -1);
        return;
    case Qt::Key_Right:
        moveCurrent(0, 1);
        return;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (startEdit(row, col, nullptr))
            return;
        break;
    default: {
        const QString typed = event->text();
        const bool printable = !typed.isEmpty() && typed.at(0).isPrint() &&
                               !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (printable && m_model->isEditable(row, col)) {
            startEdit(row, col, m_model->isDropDown(row, col) ? nullptr : &typed);
            return;
        }
        break;
    }
    }
    QAbstractScrollArea::keyPressEvent(event);
}
