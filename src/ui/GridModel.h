#pragma once

#include "ui/GridTypes.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

// The cells of an editable grid without any widget: text, format, geometry,
// the current cell and the user's actions. Logic code fills it and listens to
// its signals; GridView shows it and turns mouse and keyboard input into
// click(), doubleClick() and endEdit(), so tests can play the user without a
// display.
//
// Rows 0..fixedRowCount()-1 and columns 0..fixedColumnCount()-1 are fixed:
// they do not scroll and cannot be edited. A width or height of 0 hides a
// column or row. Every access outside the grid is ignored (setters) or yields
// an empty value (getters).
//
// Rewriting thousands of cells must stay cheap: cells live in one flat
// vector, and the signals only report what changed; the view coalesces the
// repaints.
class GridModel : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultRowHeight = 20;
    static constexpr int DefaultColumnWidth = 64;
    static constexpr Rgb DefaultBackground{255, 255, 255};
    static constexpr Rgb DefaultFixedBackground{214, 211, 206};

    explicit GridModel(QObject* parent = nullptr);

    // Size
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_cols; }
    void setRowCount(int rows);
    void setColumnCount(int cols);
    int fixedRowCount() const { return m_fixedRows; }
    void setFixedRowCount(int rows);
    int fixedColumnCount() const { return m_fixedCols; }
    void setFixedColumnCount(int cols);
    // No rows, no columns, no cell formats, sizes or current cell. The grid-wide
    // defaults (background, font, default sizes) stay.
    void clear();

    bool isValid(int row, int col) const { return row >= 0 && col >= 0 && row < m_rows && col < m_cols; }
    bool isFixedRow(int row) const { return row >= 0 && row < m_fixedRows; }
    bool isFixedColumn(int col) const { return col >= 0 && col < m_fixedCols; }
    bool isFixedCell(int row, int col) const { return isFixedRow(row) || isFixedColumn(col); }

    // Text
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // A cell can show (and print) another text than the one it holds, e.g.
    // a figure converted for display while the logic keeps reading the
    // original. Editing starts from the held text.
    void setShownText(int row, int col, const QString& text);
    void clearShownText(int row, int col);
    QString shownText(int row, int col) const;
    // Shown when the pointer rests on the cell; empty for none.
    void setToolTip(int row, int col, const QString& text);
    QString toolTip(int row, int col) const;
    // An image file's content (PNG, JPEG or SVG) drawn in the cell, scaled
    // to fit and flush right, over its background; empty for none.
    void setImage(int row, int col, const QByteArray& content);
    QByteArray image(int row, int col) const;

    // Format of one cell. The getters return what is drawn: a cell without a
    // background or font of its own shows the grid-wide default.
    void setAlignment(int row, int col, GridAlign align);
    GridAlign alignment(int row, int col) const;
    void setFont(int row, int col, const CellFont& font);
    CellFont font(int row, int col) const;
    void setBackground(int row, int col, Rgb colour);
    void resetBackground(int row, int col);
    Rgb background(int row, int col) const;
    bool hasOwnBackground(int row, int col) const;
    void setTextColor(int row, int col, Rgb colour);
    // Back to the grid-wide text colour.
    void resetTextColor(int row, int col);
    Rgb textColor(int row, int col) const;
    void setReadOnly(int row, int col, bool readOnly);
    bool isReadOnly(int row, int col) const;
    void setEllipsis(int row, int col, bool ellipsis);
    bool hasEllipsis(int row, int col) const;
    // In the grid, not fixed and not read-only.
    bool isEditable(int row, int col) const;

    // The same format for a whole row or column.
    void setRowBackground(int row, Rgb colour);
    void setColumnBackground(int col, Rgb colour);
    void setRowFont(int row, const CellFont& font);
    void setColumnFont(int col, const CellFont& font);
    void setRowAlignment(int row, GridAlign align);
    void setColumnAlignment(int col, GridAlign align);
    void setRowTextColor(int row, Rgb colour);
    void setRowReadOnly(int row, bool readOnly);
    void setColumnReadOnly(int col, bool readOnly);

    // Grid-wide defaults. The default background is that of normal cells;
    // fixed cells have their own.
    void setDefaultBackground(Rgb colour);
    Rgb defaultBackground() const { return m_defaultBackground; }
    void setFixedBackground(Rgb colour);
    Rgb fixedBackground() const { return m_fixedBackground; }
    void setDefaultFont(const CellFont& font);
    CellFont defaultFont() const { return m_defaultFont; }
    void setDefaultTextColor(Rgb colour);
    Rgb defaultTextColor() const { return m_defaultTextColor; }
    // Without grid lines the cells show only their backgrounds and texts,
    // as on a letter.
    void setGridLines(bool shown);
    bool gridLines() const { return m_gridLines; }

    // Geometry in pixels; 0 hides.
    void setColumnWidth(int col, int width);
    int columnWidth(int col) const;
    void setRowHeight(int row, int height);
    int rowHeight(int row) const;
    // Sizes given to rows and columns created from now on.
    void setDefaultRowHeight(int height);
    int defaultRowHeight() const { return m_defaultRowHeight; }
    void setDefaultColumnWidth(int width);
    int defaultColumnWidth() const { return m_defaultColWidth; }
    int totalWidth() const;
    int totalHeight() const;
    int fixedWidth() const;
    int fixedHeight() const;

    // Rows; cells, formats and heights move with their rows. Return the new
    // row's index, or -1 when the position is outside 0..rowCount().
    int insertRow(int before);
    int appendRow();
    bool deleteRow(int row);
    void deleteNonFixedRows();

    // A drop-down cell is edited by choosing one of its entries; the list may
    // be empty. clearDropDown() turns it back into a text cell.
    void setDropDown(int row, int col, const QStringList& entries);
    void clearDropDown(int row, int col);
    bool isDropDown(int row, int col) const;
    QStringList dropDownEntries(int row, int col) const;

    // Current (focus) cell; (-1, -1) when there is none.
    int currentRow() const { return m_currentRow; }
    int currentColumn() const { return m_currentCol; }
    void setCurrentCell(int row, int col);
    // Asks the view to scroll the cell into sight.
    void scrollToCell(int row, int col);

    // Ask the view to repaint; cheap, the view merges requests.
    void redraw();
    void redrawRow(int row);
    void redrawCell(int row, int col);

    // The user's actions. The view calls these; so can tests.
    // beginEdit() reports whether the cell may be edited and announces it.
    bool beginEdit(int row, int col);
    // Stores the text and emits editEnded; refused (false) for cells that are
    // not editable.
    bool endEdit(int row, int col, const QString& text);
    void click(int row, int col);
    void doubleClick(int row, int col);
    // Asks the view to open the editor on a cell.
    void requestEdit(int row, int col);

signals:
    // Text or format of one cell changed.
    void cellChanged(int row, int col);
    // Size, row heights, column widths, fixed counts or grid-wide format.
    void layoutChanged();
    // (-1, -1): whole grid; (row, -1): one row.
    void redrawRequested(int row, int col);
    void currentCellChanged(int row, int col);
    void scrollToCellRequested(int row, int col);
    void editRequested(int row, int col);

    void editStarted(int row, int col);
    // The new text is already stored when this fires.
    void editEnded(int row, int col, const QString& text);
    void clicked(int row, int col);
    void doubleClicked(int row, int col);

private:
    struct Cell
    {
        QString text;
        QString shownText;
        QString toolTip;
        QByteArray image;
        QStringList dropDownEntries;
        Rgb background;
        Rgb textColor;
        int fontIndex = -1;
        GridAlign align;
        bool hasBackground = false;
        bool hasTextColor = false;
        bool hasShownText = false;
        bool readOnly = false;
        bool ellipsis = false;
        bool dropDown = false;
    };

    Cell* cellAt(int row, int col);
    const Cell* cellAt(int row, int col) const;
    int fontIndex(const CellFont& font);
    void resize(int rows, int cols);
    template <typename Change> void changeCell(int row, int col, Change change);

    std::vector<Cell> m_cells; // row-major
    std::vector<int> m_rowHeights;
    std::vector<int> m_colWidths;
    std::vector<CellFont> m_fonts; // shared by index: a grid uses a handful of fonts
    int m_rows = 0;
    int m_cols = 0;
    int m_fixedRows = 0;
    int m_fixedCols = 0;
    int m_currentRow = -1;
    int m_currentCol = -1;
    int m_defaultRowHeight = DefaultRowHeight;
    int m_defaultColWidth = DefaultColumnWidth;
    Rgb m_defaultBackground = DefaultBackground;
    Rgb m_fixedBackground = DefaultFixedBackground;
    Rgb m_defaultTextColor{0, 0, 0};
    bool m_gridLines = true;
    CellFont m_defaultFont;
};
