#include "output/ChartPage.h"

ChartPage::ChartPage(const QString& languageCode, QObject* parent)
    : QObject(parent)
    , m_languageCode(languageCode)
{
    m_timer.setInterval(DrawDelayMs);
    connect(&m_timer, &QTimer::timeout, this, &ChartPage::drawTimerTick);
}

void ChartPage::drawTimerTick()
{
    if (!readyToDraw())
        return;
    m_timer.stop();
    emit drawRequested();
}

void ChartPage::startDrawTimer()
{
    m_timer.start();
}

ChartModel& ChartPage::newChart(ChartModel::Kind kind)
{
    m_chart.clear();
    m_chart.setKind(kind);
    m_hasChart = true;
    return m_chart;
}
