#pragma once

#include "ui/GridTypes.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What a chart shows, without any drawing: kind, title, axis captions, the
// value axis, the category labels and the series with one optional value per
// category. Bars of one series may each have a colour of their own and may
// be hatched; a line takes its series' colour. A bar chart may carry one
// marker per category, a level drawn as a short line across its bar (an
// upper limit, say). ChartView turns this into a chart.
class ChartModel
{
public:
    enum class Kind { Bar, Line };

    struct Series
    {
        QString name;                              // shown in the legend unless empty
        std::vector<std::optional<double>> values; // one per category
        Rgb colour{0, 0, 192};
        std::vector<std::optional<Rgb>> valueColours; // per category, overrides colour for bars
        std::vector<bool> hatched;                    // per category: a bar drawn hatched
    };

    // Used while no value axis has been set.
    static constexpr double DefaultAxisMin = 0;
    static constexpr double DefaultAxisMax = 100;
    static constexpr double DefaultAxisStep = 10;

    Kind kind() const { return m_kind; }
    void setKind(Kind kind) { m_kind = kind; }
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    QString categoryAxisCaption() const { return m_categoryCaption; }
    void setCategoryAxisCaption(const QString& caption) { m_categoryCaption = caption; }
    QString valueAxisCaption() const { return m_valueCaption; }
    void setValueAxisCaption(const QString& caption) { m_valueCaption = caption; }

    // A step that is not positive, or a maximum not above the minimum, is
    // refused (false) and the axis stays as it was.
    bool setValueAxis(double min, double max, double step);
    void resetValueAxis();
    bool hasValueAxis() const { return m_hasAxis; }
    double axisMin() const { return m_axisMin; }
    double axisMax() const { return m_axisMax; }
    double axisStep() const { return m_axisStep; }
    // Digits after the point that the axis labels need to show the steps exactly.
    int axisLabelDecimals() const;

    // Axis numbers with a decimal comma, as the program shows numbers
    // everywhere; on by default.
    bool decimalComma() const { return m_decimalComma; }
    void setDecimalComma(bool comma) { m_decimalComma = comma; }

    // Setting the categories resizes every series to match; values of
    // categories that remain are kept.
    void setCategories(const QStringList& labels);
    QStringList categories() const { return m_categories; }
    int categoryCount() const { return static_cast<int>(m_categories.size()); }

    int addSeries(const QString& name = QString(), Rgb colour = Rgb(0, 0, 192));
    int seriesCount() const { return static_cast<int>(m_series.size()); }
    const Series& series(int index) const { return m_series.at(index); }
    void setSeriesName(int series, const QString& name);
    void setSeriesColour(int series, Rgb colour);

    // Out-of-range series or categories are ignored / read as absent.
    void setValue(int series, int category, double value);
    void clearValue(int series, int category);
    std::optional<double> value(int series, int category) const;
    // The value as drawn: kept inside the axis, so a bar above the maximum
    // ends at the top of the plot area.
    std::optional<double> drawnValue(int series, int category) const;
    void setValueColour(int series, int category, Rgb colour);
    Rgb colourAt(int series, int category) const;
    // A hatched bar is drawn with lines instead of a fill; the legend names
    // hatched bars with hatchName when they are drawn full width.
    void setHatched(int series, int category, bool hatched);
    bool isHatched(int series, int category) const;
    QString hatchName() const { return m_hatchName; }
    void setHatchName(const QString& name) { m_hatchName = name; }

    void setMarker(int category, double value);
    std::optional<double> marker(int category) const;
    // The marker as drawn: kept inside the axis like a bar.
    std::optional<double> drawnMarker(int category) const;
    // A marker above the axis is drawn at its top with a mark of its own.
    bool markerAboveAxis(int category) const;
    QString markerName() const { return m_markerName; }
    void setMarkerName(const QString& name) { m_markerName = name; }
    Rgb markerColour() const { return m_markerColour; }
    void setMarkerColour(Rgb colour) { m_markerColour = colour; }

    // True when no category has values in more than one series, so bars can
    // be drawn full width instead of side by side.
    bool seriesAreDisjoint() const;
    bool hasLegend() const;

    void clear();

private:
    bool validSeries(int series) const { return series >= 0 && series < seriesCount(); }
    bool validCategory(int category) const { return category >= 0 && category < categoryCount(); }

    Kind m_kind = Kind::Bar;
    QString m_title;
    QString m_categoryCaption;
    QString m_valueCaption;
    bool m_decimalComma = true;
    bool m_hasAxis = false;
    double m_axisMin = DefaultAxisMin;
    double m_axisMax = DefaultAxisMax;
    double m_axisStep = DefaultAxisStep;
    QStringList m_categories;
    std::vector<Series> m_series;
    std::vector<std::optional<double>> m_markers; // one per category
    QString m_markerName;
    Rgb m_markerColour{192, 0, 0};
    QString m_hatchName;
};
