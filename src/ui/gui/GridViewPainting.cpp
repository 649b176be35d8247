#include "ui/gui/GridView.h"

#include "ui/gui/GridCellPainter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

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
