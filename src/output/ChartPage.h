#pragma once

#include "ui/ChartModel.h"

#include <QObject>
#include <QTimer>

// What the three chart pages share: the chart they build and the one-shot
// drawing timer. A build starts the timer; at its first tick on which the
// page is ready the page asks its view to draw and stops the timer. Until
// then the timer keeps ticking every 50 ms.
class ChartPage : public QObject
{
    Q_OBJECT

public:
    static constexpr int DrawDelayMs = 50;

    explicit ChartPage(const QString& languageCode, QObject* parent = nullptr);

    QString languageCode() const { return m_languageCode; }
    const ChartModel& chart() const { return m_chart; }
    // False until a build made a chart.
    bool hasChart() const { return m_hasChart; }
    // The chart as the view draws and prints it; the chart itself by default.
    virtual ChartModel chartToDraw() const { return m_chart; }

    bool isDrawTimerActive() const { return m_timer.isActive(); }
    // One tick of the drawing timer; the timer calls it, tests may too.
    void drawTimerTick();

signals:
    void drawRequested();

protected:
    // Whether the tick may draw; true by default.
    virtual bool readyToDraw() const { return true; }
    void startDrawTimer();
    ChartModel& newChart(ChartModel::Kind kind);
    ChartModel& chartModel() { return m_chart; }

private:
    QString m_languageCode;
    ChartModel m_chart;
    bool m_hasChart = false;
    QTimer m_timer;
};
