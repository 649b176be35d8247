#include "output/CoveragePage.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "output/CaseHeaderTexts.h"
#include "output/ChartPageTexts.h"
#include "output/ChartTexts.h"
#include "ration/RationModel.h"

#include <algorithm>

CoveragePage::CoveragePage(const QString& languageCode, const CaseHeaderTexts& header,
                           const RationModel& ration, QObject* parent)
    : ChartPage(languageCode, parent)
    , m_header(header)
    , m_ration(ration)
{
}

std::vector<CoveragePage::Bar> CoveragePage::collectBars(const RationModel& ration)
{
    std::vector<Bar> bars;
    for (const RationColumn& column : ration.nutrients) {
        if (int(bars.size()) >= MaxBars)
            break;
        // The second energy column repeats the first and is never drawn.
        if (!column.marked || column.key == NutrientKey::EnergyKcalSecond)
            continue;
        // Both figures as the ration page shows them.
        const double requirement = column.rounded(column.requirement).value_or(0.0);
        if (requirement == 0)
            continue;
        const double coverage = column.rounded(column.supply).value_or(0.0) / requirement * 100;
        // Rounded as the figure would be shown.
        Bar bar;
        bar.label = column.name;
        bar.coverage = NumberText::round(coverage, 1);
        // The maximum as the ration page shows it, so that a bar over it is
        // one the page flags.
        if (column.check.maximum)
            bar.maximum = NumberText::round(*column.rounded(column.check.maximum) / requirement * 100, 1);
        bar.incomplete = column.check.incomplete;
        bars.push_back(bar);
    }
    return bars;
}

std::optional<CoveragePage::Scale> CoveragePage::scaleFor(double largest)
{
    if (!(largest > 0))
        return std::nullopt;
    if (largest <= 100)
        return Scale{100, 5};
    if (largest <= 150)
        return Scale{150, 10};
    if (largest <= 200)
        return Scale{200, 10};
    // From 200 to 1000 % the axis grows in hundreds, always in 20 steps.
    for (int max = 300; max <= 900; max += 100) {
        if (largest <= max)
            return Scale{double(max), max / 20.0};
    }
    return Scale{1000, 50};
}

void CoveragePage::build()
{
    const QString language = languageCode();
    m_bars = collectBars(m_ration);

    ChartModel& chart = newChart(ChartModel::Kind::Bar);
    chart.setTitle(ChartPageTexts::title(language, ChartTexts::CoverageTitle.in(language), m_header));
    chart.setCategoryAxisCaption(ChartTexts::NutrientsAxis.in(language));
    chart.setValueAxisCaption(ChartTexts::Percent.in(language));

    QStringList labels;
    for (int i = 0; i < MaxBars; ++i)
        labels << (i < int(m_bars.size()) ? m_bars[size_t(i)].label : QString());
    chart.setCategories(labels);
    chart.addSeries(QString(), BarColour);
    chart.setMarkerName(ChartTexts::Maximum.in(language));
    chart.setMarkerColour(MaximumColour);
    chart.setHatchName(ChartTexts::IncompleteData.in(language));

    double largest = 0;
    for (int i = 0; i < int(m_bars.size()); ++i) {
        const double coverage = m_bars[size_t(i)].coverage;
        if (coverage > 0) {
            chart.setValue(0, i, coverage);
            chart.setHatched(0, i, m_bars[size_t(i)].incomplete);
            largest = std::max(largest, coverage);
        }
        if (const std::optional<double> maximum = m_bars[size_t(i)].maximum)
            chart.setMarker(i, *maximum);
    }
    if (const std::optional<Scale> scale = scaleFor(largest))
        chart.setValueAxis(0, scale->max, scale->step);

    startDrawTimer();
}
