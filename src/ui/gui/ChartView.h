#pragma once

#include "ui/ChartModel.h"

#include <QChartView>

class QAbstractAxis;
class QChart;
class QPainter;
class QValueAxis;

// Shows a ChartModel with Qt Charts. The view keeps its own copy of the
// model; setModel() rebuilds the chart.
//
// Bars: when no category has values in more than one series, all bars are
// stacked sets so each bar fills its category and may have its own colour;
// otherwise each series is one set, side by side, in its series colour.
// Hatched bars are sets of their own (full-width bars only); markers are
// short line series across the bars.
// Lines: one line per series, broken where a value is absent, with markers
// so that a single value shows. Values outside the axis are drawn at its
// edge, so a bar above the maximum is cut at the top of the plot area.
// Axis labels are sized to fit, since Qt Charts would elide them.
class ChartView : public QChartView
{
    Q_OBJECT

public:
    // The size at which charts are laid out for printing.
    static constexpr QSizeF RenderSize{800, 560};

    explicit ChartView(QWidget* parent = nullptr);

    const ChartModel& model() const { return m_model; }
    void setModel(const ChartModel& model);

    QValueAxis* valueAxis() const;
    // A QBarCategoryAxis for bars, a QCategoryAxis for lines.
    QAbstractAxis* categoryAxis() const;

    // Draws the chart into a page area, keeping its proportions.
    void renderTo(QPainter& painter, const QRectF& pageArea) const;
    static void render(const ChartModel& model, QPainter& painter, const QRectF& pageArea);

    // A new chart for the model; the caller owns it.
    static QChart* buildChart(const ChartModel& model);
    // Qt Charts turns axis labels that do not fit into "..."; this shrinks
    // them, and labels fewer points or steps, for the chart's current plot
    // area. True when something changed (the chart then lays out again).
    static bool fitLabels(QChart* chart, const ChartModel& model);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void scheduleFit();

    ChartModel m_model;
    bool m_fitPending = false;
    int m_fitRounds = 0;
};
