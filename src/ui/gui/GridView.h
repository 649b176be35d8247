#pragma once

#include "ui/GridModel.h"

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>

#include <vector>

// Shows a GridModel: fixed rows and columns stay in place while the rest
// scrolls, cells are painted directly (no item widgets), and in-place editing
// uses a line edit, or a combo box for drop-down cells.
//
// Mouse and keyboard input end up in the model: a click or double click calls
// model()->click()/doubleClick() with the cell (fixed cells included), an edit
// ends in model()->endEdit(). Clicking the current editable cell, double
// clicking an editable cell, typing into it, F2 or Return open the editor; a
// click on an editable drop-down cell opens its list. Return, Tab and leaving the editor end the edit; Escape
// cancels it.
class GridView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // Without a model the view makes its own.
    explicit GridView(QWidget* parent = nullptr);
    explicit GridView(GridModel* model, QWidget* parent = nullptr);
    ~GridView() override;

    GridModel* model() const { return m_model; }
    // The model is not owned; nullptr switches back to the view's own model.
    void setModel(GridModel* model);

    // In viewport coordinates. cellAt() gives (-1, -1) outside the cells;
    // cellRect() is empty for a hidden or unknown cell.
    GridCell cellAt(const QPoint& pos) const;
    QRect cellRect(int row, int col) const;
    void ensureCellVisible(int row, int col);

    bool isEditing() const { return m_editor != nullptr; }
    GridCell editingCell() const { return m_editCell; }
    QWidget* editor() const { return m_editor; }
    // Opens the editor on an editable cell with the cell's text.
    bool editCell(int row, int col);
    void commitEdit();
    void cancelEdit();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Shows the tooltip of the cell under the pointer.
    bool viewportEvent(QEvent* event) override;

private:
    void connectModel();
    void scheduleRepaint();
    void scheduleLayout();
    void applyLayout();
    void ensureGeometry() const;
    void updateScrollBars();
    int columnX(int col) const;
    int rowY(int row) const;
    int findColumn(int x) const;
    int findRow(int y) const;
    bool startEdit(int row, int col, const QString* typed);
    void closeEditor();
    void placeEditor();
    bool moveCurrent(int dRow, int dCol);
    int firstVisibleColumn() const;
    int firstVisibleRow() const;
    void paintBlock(QPainter& painter, const QRect& clip, bool fixedRows, bool fixedCols);

    GridModel* m_ownModel = nullptr;
    GridModel* m_model = nullptr;
    std::vector<QMetaObject::Connection> m_connections;

    // Left edges of columns and top edges of rows in grid pixels, one entry
    // more than there are columns/rows; rebuilt after layout changes.
    mutable std::vector<int> m_colX;
    mutable std::vector<int> m_rowY;
    mutable bool m_geometryDirty = true;
    bool m_layoutPending = false;
    bool m_repaintPending = false;

    QPointer<QWidget> m_editor;
    GridCell m_editCell;
    bool m_closingEditor = false;

    GridCell m_pressCell;
    bool m_pressWasCurrent = false;
    GridCell m_pendingEdit;
    QTimer m_editTimer;
};
