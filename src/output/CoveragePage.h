#pragma once

#include "core/NutrientKey.h"
#include "output/ChartPage.h"
#include "ration/RationLimits.h"

#include <QString>

#include <optional>
#include <vector>

class CaseHeaderTexts;
struct RationModel;

// The coverage chart page without its widgets: one bar per marked nutrient
// of the ration, its height the supply in percent of the requirement.
// The chart is built once, from the ration as it is when the page is made.
//
// Chart slots are categories: sixteen of them, each labelled with its
// nutrient, carrying the coverage as value 0 when it is above 0. A nutrient
// with a maximum gets a marker at the maximum in percent of the requirement;
// a bar whose supply lacks the content of a feedstuff is hatched.
class CoveragePage : public ChartPage
{
    Q_OBJECT

public:
    static constexpr int MaxBars = 16;
    static constexpr Rgb BarColour{0, 0, 192};
    static constexpr Rgb MaximumColour{192, 0, 0};

    struct Bar
    {
        QString label;
        double coverage = 0;
        std::optional<double> maximum; // in percent of the requirement
        bool incomplete = false;
    };
    struct Scale
    {
        double max = 0;
        double step = 0;
    };

    CoveragePage(const QString& languageCode, const CaseHeaderTexts& header, const RationModel& ration,
                 QObject* parent = nullptr);

    // The pairs of the marked nutrient columns, at most sixteen, coverage
    // and maximum rounded to one decimal, with the columns' checks.
    static std::vector<Bar> collectBars(const RationModel& ration);
    // The value axis for the largest coverage; none for 0 or less.
    static std::optional<Scale> scaleFor(double largest);

    // Builds the chart and starts the drawing timer.
    void build();
    const std::vector<Bar>& bars() const { return m_bars; }

private:
    const CaseHeaderTexts& m_header;
    const RationModel& m_ration;
    std::vector<Bar> m_bars;
};
