#include "ui/ChartModel.h"

#include <algorithm>
#include <cmath>

bool ChartModel::setValueAxis(double min, double max, double step)
{
    if (!(step > 0) || !(max > min))
        return false;
    m_hasAxis = true;
    m_axisMin = min;
    m_axisMax = max;
    m_axisStep = step;
    return true;
}

void ChartModel::resetValueAxis()
{
    m_hasAxis = false;
    m_axisMin = DefaultAxisMin;
    m_axisMax = DefaultAxisMax;
    m_axisStep = DefaultAxisStep;
}

int ChartModel::axisLabelDecimals() const
{
    constexpr int maxDecimals = 4;
    for (int d = 0; d < maxDecimals; ++d) {
        const double scale = std::pow(10.0, d);
        const auto exact = [&](double v) {
            return std::abs(v * scale - std::round(v * scale)) < 1e-6 * scale;
        };
        if (exact(m_axisStep) && exact(m_axisMin))
            return d;
    }
    return maxDecimals;
}

void ChartModel::setCategories(const QStringList& labels)
{
    m_categories = labels;
    for (Series& s : m_series) {
        s.values.resize(labels.size());
        s.valueColours.resize(labels.size());
        s.hatched.resize(labels.size());
    }
    m_markers.resize(labels.size());
}

int ChartModel::addSeries(const QString& name, Rgb colour)
{
    Series s;
    s.name = name;
    s.colour = colour;
    s.values.resize(m_categories.size());
    s.valueColours.resize(m_categories.size());
    s.hatched.resize(m_categories.size());
    m_series.push_back(std::move(s));
    return seriesCount() - 1;
}

void ChartModel::setSeriesName(int series, const QString& name)
{
    if (validSeries(series))
        m_series[series].name = name;
}

void ChartModel::setSeriesColour(int series, Rgb colour)
{
    if (validSeries(series))
        m_series[series].colour = colour;
}

void ChartModel::setValue(int series, int category, double value)
{
    if (validSeries(series) && validCategory(category) && std::isfinite(value))
        m_series[series].values[category] = value;
}

void ChartModel::clearValue(int series, int category)
{
    if (validSeries(series) && validCategory(category))
        m_series[series].values[category].reset();
}

std::optional<double> ChartModel::value(int series, int category) const
{
    if (!validSeries(series) || !validCategory(category))
        return std::nullopt;
    return m_series[series].values[category];
}

std::optional<double> ChartModel::drawnValue(int series, int category) const
{
    const std::optional<double> v = value(series, category);
    if (!v)
        return v;
    return std::clamp(*v, m_axisMin, m_axisMax);
}

void ChartModel::setValueColour(int series, int category, Rgb colour)
{
    if (validSeries(series) && validCategory(category))
        m_series[series].valueColours[category] = colour;
}

Rgb ChartModel::colourAt(int series, int category) const
{
    if (!validSeries(series))
        return Rgb();
    const Series& s = m_series[series];
    if (validCategory(category) && s.valueColours[category])
        return *s.valueColours[category];
    return s.colour;
}

bool ChartModel::seriesAreDisjoint() const
{
    for (int c = 0; c < categoryCount(); ++c) {
        int withValue = 0;
        for (const Series& s : m_series)
            withValue += s.values[c].has_value();
        if (withValue > 1)
            return false;
    }
    return true;
}

void ChartModel::setHatched(int series, int category, bool hatched)
{
    if (validSeries(series) && validCategory(category))
        m_series[series].hatched[category] = hatched;
}

bool ChartModel::isHatched(int series, int category) const
{
    return validSeries(series) && validCategory(category) && m_series[series].hatched[category];
}

void ChartModel::setMarker(int category, double value)
{
    if (validCategory(category) && std::isfinite(value))
        m_markers[category] = value;
}

std::optional<double> ChartModel::marker(int category) const
{
    return validCategory(category) ? m_markers[category] : std::nullopt;
}

std::optional<double> ChartModel::drawnMarker(int category) const
{
    const std::optional<double> v = marker(category);
    if (!v)
        return v;
    return std::clamp(*v, m_axisMin, m_axisMax);
}

bool ChartModel::markerAboveAxis(int category) const
{
    const std::optional<double> v = marker(category);
    return v && *v > m_axisMax;
}

bool ChartModel::hasLegend() const
{
    const bool namedSeries =
        std::any_of(m_series.begin(), m_series.end(), [](const Series& s) { return !s.name.isEmpty(); });
    const bool namedMarkers =
        !m_markerName.isEmpty() &&
        std::any_of(m_markers.begin(), m_markers.end(), [](const auto& m) { return m.has_value(); });
    const bool namedHatches =
        !m_hatchName.isEmpty() && std::any_of(m_series.begin(), m_series.end(), [](const Series& s) {
            return std::find(s.hatched.begin(), s.hatched.end(), true) != s.hatched.end();
        });
    return namedSeries || namedMarkers || namedHatches;
}

void ChartModel::clear()
{
    *this = ChartModel();
}
