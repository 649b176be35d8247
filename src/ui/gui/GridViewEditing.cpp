#include "ui/gui/GridView.h"

#include "ui/gui/GridCellPainter.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

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
