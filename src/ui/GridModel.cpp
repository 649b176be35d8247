#include "ui/GridModel.h"

#include <algorithm>
#include <numeric>
#include <utility>

GridModel::GridModel(QObject* parent)
    : QObject(parent)
{
}

GridModel::Cell* GridModel::cellAt(int row, int col)
{
    return isValid(row, col) ? &m_cells[static_cast<size_t>(row) * m_cols + col] : nullptr;
}

const GridModel::Cell* GridModel::cellAt(int row, int col) const
{
    return isValid(row, col) ? &m_cells[static_cast<size_t>(row) * m_cols + col] : nullptr;
}

template <typename Change> void GridModel::changeCell(int row, int col, Change change)
{
    Cell* cell = cellAt(row, col);
    if (cell && change(*cell))
        emit cellChanged(row, col);
}

int GridModel::fontIndex(const CellFont& font)
{
    const auto it = std::find(m_fonts.begin(), m_fonts.end(), font);
    if (it != m_fonts.end())
        return static_cast<int>(it - m_fonts.begin());
    m_fonts.push_back(font);
    return static_cast<int>(m_fonts.size()) - 1;
}

// ---- size ------------------------------------------------------------------

void GridModel::resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == m_rows && cols == m_cols)
        return;

    if (cols == m_cols) {
        m_cells.resize(static_cast<size_t>(rows) * cols);
    } else {
        std::vector<Cell> cells(static_cast<size_t>(rows) * cols);
        const int keepRows = std::min(rows, m_rows);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[static_cast<size_t>(r) * cols + c] =
                    std::move(m_cells[static_cast<size_t>(r) * m_cols + c]);
        m_cells = std::move(cells);
    }
    m_rowHeights.resize(rows, m_defaultRowHeight);
    m_colWidths.resize(cols, m_defaultColWidth);
    m_rows = rows;
    m_cols = cols;
    m_fixedRows = std::min(m_fixedRows, rows);
    m_fixedCols = std::min(m_fixedCols, cols);

    if (m_currentRow >= rows || m_currentCol >= cols) {
        m_currentRow = m_currentCol = -1;
        emit currentCellChanged(-1, -1);
    }
    emit layoutChanged();
}

void GridModel::setRowCount(int rows)
{
    resize(rows, m_cols);
}

void GridModel::setColumnCount(int cols)
{
    resize(m_rows, cols);
}

void GridModel::setFixedRowCount(int rows)
{
    rows = std::max(rows, 0);
    if (rows > m_rows)
        resize(rows, m_cols);
    if (rows == m_fixedRows)
        return;
    m_fixedRows = rows;
    emit layoutChanged();
}

void GridModel::setFixedColumnCount(int cols)
{
    cols = std::max(cols, 0);
    if (cols > m_cols)
        resize(m_rows, cols);
    if (cols == m_fixedCols)
        return;
    m_fixedCols = cols;
    emit layoutChanged();
}

void GridModel::clear()
{
    m_cells.clear();
    m_rowHeights.clear();
    m_colWidths.clear();
    m_fonts.clear();
    m_rows = m_cols = m_fixedRows = m_fixedCols = 0;
    if (m_currentRow != -1 || m_currentCol != -1) {
        m_currentRow = m_currentCol = -1;
        emit currentCellChanged(-1, -1);
    }
    emit layoutChanged();
}

// ---- text and format ---------------------------------------------------------

QString GridModel::text(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell ? cell->text : QString();
}

void GridModel::setText(int row, int col, const QString& text)
{
    changeCell(row, col, [&](Cell& c) {
        if (c.text == text)
            return false;
        c.text = text;
        return true;
    });
}

void GridModel::setShownText(int row, int col, const QString& text)
{
    changeCell(row, col, [&](Cell& c) {
        if (c.hasShownText && c.shownText == text)
            return false;
        c.hasShownText = true;
        c.shownText = text;
        return true;
    });
}

void GridModel::clearShownText(int row, int col)
{
    changeCell(row, col, [](Cell& c) {
        if (!c.hasShownText)
            return false;
        c.hasShownText = false;
        c.shownText.clear();
        return true;
    });
}

QString GridModel::shownText(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    if (!cell)
        return QString();
    return cell->hasShownText ? cell->shownText : cell->text;
}

void GridModel::setToolTip(int row, int col, const QString& text)
{
    changeCell(row, col, [&](Cell& c) { return std::exchange(c.toolTip, text) != text; });
}

QString GridModel::toolTip(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell ? cell->toolTip : QString();
}

void GridModel::setImage(int row, int col, const QByteArray& content)
{
    changeCell(row, col, [&](Cell& c) { return std::exchange(c.image, content) != content; });
}

QByteArray GridModel::image(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell ? cell->image : QByteArray();
}

void GridModel::setAlignment(int row, int col, GridAlign align)
{
    changeCell(row, col, [&](Cell& c) { return std::exchange(c.align, align) != align; });
}

GridAlign GridModel::alignment(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell ? cell->align : GridAlign();
}

void GridModel::setFont(int row, int col, const CellFont& font)
{
    if (!isValid(row, col))
        return;
    const int index = fontIndex(font);
    changeCell(row, col, [&](Cell& c) { return std::exchange(c.fontIndex, index) != index; });
}

CellFont GridModel::font(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    if (!cell || cell->fontIndex < 0)
        return m_defaultFont;
    return m_fonts[cell->fontIndex];
}

void GridModel::setBackground(int row, int col, Rgb colour)
{
    changeCell(row, col, [&](Cell& c) {
        if (c.hasBackground && c.background == colour)
            return false;
        c.hasBackground = true;
        c.background = colour;
        return true;
    });
}

void GridModel::resetBackground(int row, int col)
{
    changeCell(row, col, [](Cell& c) { return std::exchange(c.hasBackground, false); });
}

Rgb GridModel::background(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    if (cell && cell->hasBackground)
        return cell->background;
    return isFixedCell(row, col) ? m_fixedBackground : m_defaultBackground;
}

bool GridModel::hasOwnBackground(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell && cell->hasBackground;
}

void GridModel::setTextColor(int row, int col, Rgb colour)
{
    changeCell(row, col, [&](Cell& c) {
        if (c.hasTextColor && c.textColor == colour)
            return false;
        c.hasTextColor = true;
        c.textColor = colour;
        return true;
    });
}

void GridModel::resetTextColor(int row, int col)
{
    changeCell(row, col, [](Cell& c) { return std::exchange(c.hasTextColor, false); });
}

Rgb GridModel::textColor(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell && cell->hasTextColor ? cell->textColor : m_defaultTextColor;
}

void GridModel::setReadOnly(int row, int col, bool readOnly)
{
    changeCell(row, col, [&](Cell& c) { return std::exchange(c.readOnly, readOnly) != readOnly; });
}

bool GridModel::isReadOnly(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell && cell->readOnly;
}

void GridModel::setEllipsis(int row, int col, bool ellipsis)
{
    changeCell(row, col, [&](Cell& c) { return std::exchange(c.ellipsis, ellipsis) != ellipsis; });
}

bool GridModel::hasEllipsis(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell && cell->ellipsis;
}

bool GridModel::isEditable(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell && !cell->readOnly && !isFixedCell(row, col);
}

void GridModel::setRowBackground(int row, Rgb colour)
{
    for (int c = 0; c < m_cols; ++c)
        setBackground(row, c, colour);
}

void GridModel::setColumnBackground(int col, Rgb colour)
{
    for (int r = 0; r < m_rows; ++r)
        setBackground(r, col, colour);
}

void GridModel::setRowFont(int row, const CellFont& font)
{
    for (int c = 0; c < m_cols; ++c)
        setFont(row, c, font);
}

void GridModel::setColumnFont(int col, const CellFont& font)
{
    for (int r = 0; r < m_rows; ++r)
        setFont(r, col, font);
}

void GridModel::setRowAlignment(int row, GridAlign align)
{
    for (int c = 0; c < m_cols; ++c)
        setAlignment(row, c, align);
}

void GridModel::setColumnAlignment(int col, GridAlign align)
{
    for (int r = 0; r < m_rows; ++r)
        setAlignment(r, col, align);
}

void GridModel::setRowTextColor(int row, Rgb colour)
{
    for (int c = 0; c < m_cols; ++c)
        setTextColor(row, c, colour);
}

void GridModel::setRowReadOnly(int row, bool readOnly)
{
    for (int c = 0; c < m_cols; ++c)
        setReadOnly(row, c, readOnly);
}

void GridModel::setColumnReadOnly(int col, bool readOnly)
{
    for (int r = 0; r < m_rows; ++r)
        setReadOnly(r, col, readOnly);
}

void GridModel::setDefaultBackground(Rgb colour)
{
    if (std::exchange(m_defaultBackground, colour) != colour)
        emit layoutChanged();
}

void GridModel::setFixedBackground(Rgb colour)
{
    if (std::exchange(m_fixedBackground, colour) != colour)
        emit layoutChanged();
}

void GridModel::setDefaultFont(const CellFont& font)
{
    if (std::exchange(m_defaultFont, font) != font)
        emit layoutChanged();
}

void GridModel::setDefaultTextColor(Rgb colour)
{
    if (std::exchange(m_defaultTextColor, colour) != colour)
        emit layoutChanged();
}

void GridModel::setGridLines(bool shown)
{
    if (std::exchange(m_gridLines, shown) != shown)
        emit layoutChanged();
}

// ---- geometry ------------------------------------------------------------------

void GridModel::setColumnWidth(int col, int width)
{
    if (col < 0 || col >= m_cols)
        return;
    width = std::max(width, 0);
    if (std::exchange(m_colWidths[col], width) != width)
        emit layoutChanged();
}

int GridModel::columnWidth(int col) const
{
    return col >= 0 && col < m_cols ? m_colWidths[col] : 0;
}

void GridModel::setRowHeight(int row, int height)
{
    if (row < 0 || row >= m_rows)
        return;
    height = std::max(height, 0);
    if (std::exchange(m_rowHeights[row], height) != height)
        emit layoutChanged();
}

int GridModel::rowHeight(int row) const
{
    return row >= 0 && row < m_rows ? m_rowHeights[row] : 0;
}

void GridModel::setDefaultRowHeight(int height)
{
    m_defaultRowHeight = std::max(height, 0);
}

void GridModel::setDefaultColumnWidth(int width)
{
    m_defaultColWidth = std::max(width, 0);
}

int GridModel::totalWidth() const
{
    return std::accumulate(m_colWidths.begin(), m_colWidths.end(), 0);
}

int GridModel::totalHeight() const
{
    return std::accumulate(m_rowHeights.begin(), m_rowHeights.end(), 0);
}

int GridModel::fixedWidth() const
{
    return std::accumulate(m_colWidths.begin(), m_colWidths.begin() + m_fixedCols, 0);
}

int GridModel::fixedHeight() const
{
    return std::accumulate(m_rowHeights.begin(), m_rowHeights.begin() + m_fixedRows, 0);
}

// ---- rows ------------------------------------------------------------------------

int GridModel::insertRow(int before)
{
    if (before < 0 || before > m_rows)
        return -1;
    m_cells.insert(m_cells.begin() + static_cast<ptrdiff_t>(before) * m_cols, static_cast<size_t>(m_cols),
                   Cell());
    m_rowHeights.insert(m_rowHeights.begin() + before, m_defaultRowHeight);
    ++m_rows;
    if (m_currentRow >= before) {
        ++m_currentRow;
        emit currentCellChanged(m_currentRow, m_currentCol);
    }
    emit layoutChanged();
    return before;
}

int GridModel::appendRow()
{
    return insertRow(m_rows);
}

bool GridModel::deleteRow(int row)
{
    if (row < 0 || row >= m_rows)
        return false;
    const auto first = m_cells.begin() + static_cast<ptrdiff_t>(row) * m_cols;
    m_cells.erase(first, first + m_cols);
    m_rowHeights.erase(m_rowHeights.begin() + row);
    --m_rows;
    if (row < m_fixedRows)
        --m_fixedRows;
    if (m_currentRow == row) {
        m_currentRow = m_currentCol = -1;
        emit currentCellChanged(-1, -1);
    } else if (m_currentRow > row) {
        --m_currentRow;
        emit currentCellChanged(m_currentRow, m_currentCol);
    }
    emit layoutChanged();
    return true;
}

void GridModel::deleteNonFixedRows()
{
    setRowCount(m_fixedRows);
}

// ---- drop-down cells -------------------------------------------------------------

void GridModel::setDropDown(int row, int col, const QStringList& entries)
{
    changeCell(row, col, [&](Cell& c) {
        if (c.dropDown && c.dropDownEntries == entries)
            return false;
        c.dropDown = true;
        c.dropDownEntries = entries;
        return true;
    });
}

void GridModel::clearDropDown(int row, int col)
{
    changeCell(row, col, [](Cell& c) {
        c.dropDownEntries.clear();
        return std::exchange(c.dropDown, false);
    });
}

bool GridModel::isDropDown(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell && cell->dropDown;
}

QStringList GridModel::dropDownEntries(int row, int col) const
{
    const Cell* cell = cellAt(row, col);
    return cell ? cell->dropDownEntries : QStringList();
}

// ---- current cell and redraw -------------------------------------------------------

void GridModel::setCurrentCell(int row, int col)
{
    if (!isValid(row, col))
        row = col = -1;
    if (row == m_currentRow && col == m_currentCol)
        return;
    m_currentRow = row;
    m_currentCol = col;
    emit currentCellChanged(row, col);
}

void GridModel::scrollToCell(int row, int col)
{
    if (isValid(row, col))
        emit scrollToCellRequested(row, col);
}

void GridModel::redraw()
{
    emit redrawRequested(-1, -1);
}

void GridModel::redrawRow(int row)
{
    if (row >= 0 && row < m_rows)
        emit redrawRequested(row, -1);
}

void GridModel::redrawCell(int row, int col)
{
    if (isValid(row, col))
        emit redrawRequested(row, col);
}

// ---- user actions ----------------------------------------------------------------------

bool GridModel::beginEdit(int row, int col)
{
    if (!isEditable(row, col))
        return false;
    emit editStarted(row, col);
    return true;
}

bool GridModel::endEdit(int row, int col, const QString& text)
{
    if (!isEditable(row, col))
        return false;
    setText(row, col, text);
    emit editEnded(row, col, text);
    return true;
}

void GridModel::click(int row, int col)
{
    if (isValid(row, col))
        emit clicked(row, col);
}

void GridModel::doubleClick(int row, int col)
{
    if (isValid(row, col))
        emit doubleClicked(row, col);
}

void GridModel::requestEdit(int row, int col)
{
    if (isEditable(row, col))
        emit editRequested(row, col);
}
