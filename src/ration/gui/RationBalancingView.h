#pragma once

#include <QDialog>

class GridView;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class RationBalancing;

// The dialog of "Balance ration" over its logic, which the caller has
// started: the switch "Complete with supplements" with the premix's days,
// daily portion and carrier, the grid of feedstuffs with their locks, marks,
// bounds and proposal, the lines on what stays short or over and on the
// premix, and Apply and Cancel. Only Apply changes the case.
class RationBalancingView : public QDialog
{
    Q_OBJECT

public:
    explicit RationBalancingView(RationBalancing& balancing, QWidget* parent = nullptr);

    RationBalancing& logic() const { return m_balancing; }
    GridView* gridView() const { return m_grid; }
    QPlainTextEdit* resultLines() const { return m_lines; }
    QCheckBox* completeBox() const { return m_complete; }
    QSpinBox* daysBox() const { return m_days; }
    QDoubleSpinBox* portionBox() const { return m_portion; }
    QComboBox* carrierList() const { return m_carrier; }
    QPushButton* applyButton() const { return m_apply; }
    QPushButton* cancelButton() const { return m_cancel; }

private:
    void showLines();
    void apply();

    RationBalancing& m_balancing;
    QCheckBox* m_complete;
    QSpinBox* m_days;
    QDoubleSpinBox* m_portion;
    QComboBox* m_carrier;
    GridView* m_grid;
    QPlainTextEdit* m_lines;
    QPushButton* m_apply;
    QPushButton* m_cancel;
};
