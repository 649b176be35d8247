#pragma once

#include <QWidget>

class ChartPage;
class Prompt;
class ChartView;
class QHBoxLayout;
class QVBoxLayout;
class QPushButton;

// What the chart pages share: the chart area filling the page and a row of
// controls below it ending in "Print". The chart is drawn when the page's
// drawing timer asks for it.
class ChartPageView : public QWidget
{
    Q_OBJECT

public:
    explicit ChartPageView(Prompt& prompt, QWidget* parent = nullptr);

    // Builds the chart again from the case as it is now.
    virtual void refresh() = 0;

    ChartView* chartView() const { return m_chart; }
    QPushButton* printButton() const { return m_print; }

protected:
    // Controls line up from the left; "Print" stays at the right.
    void addControl(QWidget* control);
    // Widgets above the chart, and between the chart and the controls, in
    // the order they are added.
    void addAboveChart(QWidget* widget);
    void addBelowChart(QWidget* widget);
    void attach(ChartPage& page);

private:
    Prompt& m_prompt;
    ChartPage* m_page = nullptr;
    ChartView* m_chart;
    QHBoxLayout* m_controls;
    QVBoxLayout* m_layout;
    int m_above = 0;
    QPushButton* m_print;
};
