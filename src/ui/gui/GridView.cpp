#include "ui/gui/GridView.h"

#include "ui/gui/GridCellPainter.h"

#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolTip>

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

// ---- painting ------------------------------------------------------------------------

void GridView::paintBlock(QPainter& painter, const QRect& clip, bool fixedRows, bool fixedCols)
{
    if (clip.isEmpty())
        return;
    const int rowBegin = fixedRows ? 0 : m_model->fixedRowCount();
    const int rowEnd = fixedRows ? m_model->fixedRowCount() : m_model->rowCount();
    const int colBegin = fixedCols ? 0 : m_model->fixedColumnCount();
    const int colEnd = fixedCols ? m_model->fixedColumnCount() : m_model->columnCount();
    const int dx = fixedCols ? 0 : horizontalScrollBar()->value();
    const int dy = fixedRows ? 0 : verticalScrollBar()->value();

    // First row and column reaching into the clip; hidden ones are skipped below.
    const int firstRow =
        std::max(rowBegin, static_cast<int>(std::upper_bound(m_rowY.begin() + rowBegin,
                                                             m_rowY.begin() + rowEnd, clip.top() + dy) -
                                            m_rowY.begin()) -
                               1);
    const int firstCol =
        std::max(colBegin, static_cast<int>(std::upper_bound(m_colX.begin() + colBegin,
                                                             m_colX.begin() + colEnd, clip.left() + dx) -
                                            m_colX.begin()) -
                               1);

    painter.save();
    painter.setClipRect(clip);
    for (int r = firstRow; r < rowEnd && m_rowY[r] - dy <= clip.bottom(); ++r) {
        const int h = m_model->rowHeight(r);
        if (h <= 0)
            continue;
        for (int c = firstCol; c < colEnd && m_colX[c] - dx <= clip.right(); ++c) {
            const int w = m_model->columnWidth(c);
            if (w <= 0)
                continue;
            GridCellPainter::paintCell(painter, *m_model, r, c, QRectF(m_colX[c] - dx, m_rowY[r] - dy, w, h));
        }
    }
    painter.restore();
}

void GridView::paintEvent(QPaintEvent* event)
{
    m_repaintPending = false;
    ensureGeometry();
    QPainter painter(viewport());
    painter.fillRect(event->rect(), palette().color(QPalette::Window));

    const int fixedW = m_colX[m_model->fixedColumnCount()];
    const int fixedH = m_rowY[m_model->fixedRowCount()];
    const QRect all = viewport()->rect();
    const QRect scrollArea(QPoint(fixedW, fixedH), all.bottomRight());
    paintBlock(painter, scrollArea & event->rect(), false, false);
    paintBlock(painter, QRect(QPoint(fixedW, 0), QPoint(all.right(), fixedH - 1)) & event->rect(), true,
               false);
    paintBlock(painter, QRect(QPoint(0, fixedH), QPoint(fixedW - 1, all.bottom())) & event->rect(), false,
               true);
    paintBlock(painter, QRect(0, 0, fixedW, fixedH) & event->rect(), true, true);

    const QRect current = cellRect(m_model->currentRow(), m_model->currentColumn());
    if (!current.isEmpty() && !m_editor) {
        painter.setClipRect(scrollArea);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(current).adjusted(1, 1, -1, -1));
    }
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    placeEditor();
}

void GridView::scrollContentsBy(int, int)
{
    placeEditor();
    m_repaintPending = true;
    viewport()->update();
}

// ---- editing --------------------------------------------------------------------------

bool GridView::editCell(int row, int col)
{
    return startEdit(row, col, nullptr);
}

bool GridView::startEdit(int row, int col, const QString* typed)
{
    m_editTimer.stop();
    m_pendingEdit = {};
    if (m_editor)
        commitEdit();
    if (!m_model->isEditable(row, col) || cellRect(row, col).isEmpty())
        return false;
    if (!m_model->beginEdit(row, col) || !m_model->isEditable(row, col))
        return false;

    m_model->setCurrentCell(row, col);
    ensureCellVisible(row, col);
    m_editCell = {row, col};
    const QFont font = GridCellPainter::toFont(m_model->font(row, col));
    const QString text = m_model->text(row, col);

    if (m_model->isDropDown(row, col)) {
        auto* combo = new QComboBox(viewport());
        combo->setFont(font);
        combo->addItems(m_model->dropDownEntries(row, col));
        combo->setCurrentIndex(combo->findText(text));
        connect(combo, &QComboBox::activated, this, &GridView::commitEdit);
        m_editor = combo;
    } else if (const GridAlign wrapping = m_model->alignment(row, col);
               wrapping.h == GridAlign::Left && wrapping.wrap) {
        // A text of several lines: Shift+Return starts a new line, Return ends the edit.
        auto* edit = new QPlainTextEdit(viewport());
        edit->setFrameShape(QFrame::NoFrame);
        edit->setFont(font);
        edit->setPlainText(typed ? *typed : text);
        if (typed)
            edit->moveCursor(QTextCursor::End);
        else
            edit->selectAll();
        m_editor = edit;
    } else {
        auto* edit = new QLineEdit(viewport());
        edit->setFrame(false);
        edit->setFont(font);
        const GridAlign align = m_model->alignment(row, col);
        const Qt::Alignment h = align.h == GridAlign::Right    ? Qt::AlignRight
                                : align.h == GridAlign::Centre ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
        edit->setAlignment(h | Qt::AlignVCenter);
        if (typed) {
            edit->setText(*typed);
        } else {
            edit->setText(text);
            edit->selectAll();
        }
        m_editor = edit;
    }
    m_editor->installEventFilter(this);
    placeEditor();
    m_editor->show();
    m_editor->setFocus(Qt::OtherFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(m_editor.data()); combo && !typed && isVisible())
        combo->showPopup();
    return true;
}

void GridView::placeEditor()
{
    if (!m_editor)
        return;
    const QRect rect = cellRect(m_editCell.row, m_editCell.col);
    if (rect.isEmpty())
        return;
    // A combo box needs its own height to be usable in a low row.
    int height = rect.height() - 1;
    if (qobject_cast<QComboBox*>(m_editor.data()))
        height = std::max(rect.height(), m_editor->sizeHint().height());
    else if (qobject_cast<QPlainTextEdit*>(m_editor.data()))
        height = std::max(height, 4 * m_editor->fontMetrics().lineSpacing());
    m_editor->setGeometry(rect.x(), rect.y(), rect.width() - 1, height);
}

void GridView::commitEdit()
{
    if (!m_editor || m_closingEditor)
        return;
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(m_editor.data())) {
        if (combo->currentIndex() < 0) {
            cancelEdit();
            return;
        }
        text = combo->currentText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(m_editor.data())) {
        text = edit->text();
    } else if (auto* lines = qobject_cast<QPlainTextEdit*>(m_editor.data())) {
        text = lines->toPlainText();
    }
    const GridCell cell = m_editCell;
    closeEditor();
    m_model->endEdit(cell.row, cell.col, text);
}

void GridView::cancelEdit()
{
    if (m_editor && !m_closingEditor)
        closeEditor();
}

void GridView::closeEditor()
{
    m_closingEditor = true;
    QWidget* editor = m_editor;
    m_editor = nullptr;
    m_editCell = {};
    editor->removeEventFilter(this);
    const bool hadFocus = editor->hasFocus() || QApplication::focusWidget() == editor;
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        setFocus(Qt::OtherFocusReason);
    m_closingEditor = false;
    scheduleRepaint();
}

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

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_editor)
        return QAbstractScrollArea::eventFilter(watched, event);

    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool isCombo = qobject_cast<QComboBox*>(m_editor.data()) != nullptr;
        const bool isLines = qobject_cast<QPlainTextEdit*>(m_editor.data()) != nullptr;
        if (isLines && (key->modifiers() & Qt::ShiftModifier) &&
            (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            return false;
        switch (key->key()) {
        case Qt::Key_Escape:
            cancelEdit();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            commitEdit();
            return true;
        case Qt::Key_Tab:
            commitEdit();
            moveCurrent(0, 1);
            return true;
        case Qt::Key_Backtab:
            commitEdit();
            moveCurrent(0, -1);
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (isCombo || isLines)
                break;
            commitEdit();
            moveCurrent(key->key() == Qt::Key_Up ? -1 : 1, 0);
            return true;
        default:
            break;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // The combo box's own list takes the focus while it is open.
        if (static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason &&
            !QApplication::activePopupWidget())
            commitEdit();
    }
    return false;
}

// ---- mouse and keyboard -----------------------------------------------------------------

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
