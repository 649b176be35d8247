#include "output/WeightCheckPage.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "output/CaseHeaderTexts.h"
#include "output/ChartPageTexts.h"
#include "output/ChartTexts.h"

#include <algorithm>
#include <cmath>

WeightCheckPage::WeightCheckPage(const QString& languageCode, const CaseHeaderTexts& header, QObject* parent)
    : ChartPage(languageCode, parent)
    , m_header(header)
{
}

void WeightCheckPage::keepFiguresIn(WeightCheckFigures& figures, std::function<void()> markChanged)
{
    m_figures = &figures;
    m_markChanged = std::move(markChanged);
}

void WeightCheckPage::setRateText(const QString& text)
{
    m_rate = text;
    if (!m_figures)
        return;
    // The rate as the curve reads it; an emptied field leaves the default.
    m_figures->lossRate = text.trimmed().isEmpty() ? std::nullopt : std::optional(NumberText::read(text));
    if (m_markChanged)
        m_markChanged();
}

WeightCheckPage::Labels WeightCheckPage::labels()
{
    return Labels{QStringLiteral("Abnahme [%]"), QStringLiteral("aktuelles Übergew.[%]"),
                  QStringLiteral("Aktualisieren"), QStringLiteral("Print")};
}

double WeightCheckPage::weeklyRate(const QString& rateText)
{
    const double rate = NumberText::read(rateText) * 0.01;
    return rate == 0 ? 0.015 : rate;
}

std::vector<double> WeightCheckPage::weeklyWeights(double start, double target, double rate)
{
    std::vector<double> weights;
    if (!(start > 0) || start == target)
        return weights;
    const bool losing = target < start;
    const double factor = losing ? 1 - rate : 1 + rate;
    double weight = start;
    while (int(weights.size()) < MaxPoints && (losing ? weight >= target : weight <= target)) {
        weights.push_back(weight);
        weight *= factor;
    }
    return weights;
}

void WeightCheckPage::build()
{
    if (m_rate.isEmpty()) {
        const std::optional<double> stored = m_figures ? m_figures->lossRate : std::nullopt;
        m_rate = stored ? NumberText::formatShortest(*stored, 1, 6) : DefaultRate;
    }

    const QString language = languageCode();
    ChartModel& chart = newChart(ChartModel::Kind::Line);
    chart.setTitle(ChartPageTexts::title(language, ChartTexts::WeightCheckTitle.in(language), m_header));
    chart.setCategoryAxisCaption(ChartTexts::DietWeeks.in(language));
    chart.setValueAxisCaption(ChartTexts::WeightKg.in(language));

    const QString targetText = m_header.targetWeight();
    const double target = NumberText::read(targetText);
    if (targetText.isEmpty() || target == 0) {
        startDrawTimer();
        return;
    }
    const QString actualText = m_header.actualWeight();
    const double start = NumberText::read(actualText);
    const double overweight = start * 100 / target - 100;
    m_overweight = NumberText::format(overweight, 0);
    if (m_figures)
        m_figures->overweight = NumberText::round(overweight, 0);

    if (!actualText.isEmpty()) {
        const std::vector<double> weights = weeklyWeights(start, target, weeklyRate(m_rate));
        if (!weights.empty()) {
            QStringList weeks;
            for (size_t k = 0; k < weights.size(); ++k)
                weeks << QString::asprintf("%02d", int(k));
            chart.setCategories(weeks);
            chart.addSeries(QString(), LineColour);
            for (size_t k = 0; k < weights.size(); ++k) {
                if (weights[k] > 0)
                    chart.setValue(0, int(k), weights[k]);
            }
            chart.setValueAxis(std::min(start, target), std::max(start, target),
                               std::abs(start - target) * 0.0625);
        }
    }
    startDrawTimer();
}

bool WeightCheckPage::readyToDraw() const
{
    return !m_header.actualWeight().isEmpty();
}
