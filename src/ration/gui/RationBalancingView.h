#pragma once

#include <QDialog>

class GridView;
class QPlainTextEdit;
class QPushButton;
class RationBalancing;

// The dialog of "Balance ration" over its logic, which the caller has
// started: the grid of feedstuffs with their locks, bounds and proposal, the
// lines on what stays short or over, and Apply and Cancel. Only Apply
// changes the case.
class RationBalancingView : public QDialog
{
    Q_OBJECT

public:
    explicit RationBalancingView(RationBalancing& balancing, QWidget* parent = nullptr);

    RationBalancing& logic() const { return m_balancing; }
    GridView* gridView() const { return m_grid; }
    QPlainTextEdit* resultLines() const { return m_lines; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void showLines();
    void apply();

    RationBalancing& m_balancing;
    GridView* m_grid;
    QPlainTextEdit* m_lines;
    QPushButton* m_apply;
    QPushButton* m_cancel;
};
