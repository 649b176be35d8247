#pragma once

#include "output/ChartPage.h"

#include <QString>

class CaseHeaderTexts;

// The growth curve page without its widgets: the expected weight of a young
// animal from week 8 to week 48, computed from its adult weight with the
// formula engine, and its actual weight at its current age.
class GrowthPage : public ChartPage
{
    Q_OBJECT

public:
    static constexpr int FirstWeek = 8;
    static constexpr int LastWeek = 48;
    static constexpr int PointCount = LastWeek - FirstWeek + 1;
    static constexpr Rgb ExpectedColour{0, 0, 192};
    static constexpr Rgb ActualColour{255, 0, 0};

    // The constants of the curve for an adult weight, as the formula text
    // writes them.
    struct GrowthClass
    {
        const char* k;
        const char* c;
    };

    GrowthPage(const QString& languageCode, const CaseHeaderTexts& header, QObject* parent = nullptr);

    static GrowthClass growthClass(double adultWeight);
    static QString formulaText(double adultWeight, int week);
    // The formula's result; 0 when it fails.
    static double expectedWeight(double adultWeight, int week);

    static QString refreshLabel() { return QStringLiteral("Aktualisieren"); }
    static QString printLabel() { return QStringLiteral("Print"); }

    // Reads the header form and builds the chart, then starts the drawing
    // timer; also what "Aktualisieren" runs.
    void build();

    // The actual weight is shown as a point at the current age, not as a
    // line dropping to 0 at every other week.
    ChartModel chartToDraw() const override;

protected:
    bool readyToDraw() const override;

private:
    const CaseHeaderTexts& m_header;
};
