#pragma once

#include "output/ChartPage.h"
#include "ration/CaseRecord.h"

#include <QString>

#include <functional>

class CaseHeaderTexts;

// The weight-check page without its widgets: the weekly weights of a diet
// that changes the weight by a fixed percentage a week, from the current
// weight until the target weight is reached, and the current overweight.
// Both weights are read with a decimal comma or point alike, so a weight
// typed as "24,4" and the same weight stored and shown again as "24.4" give
// the same overweight and the same curve.
class WeightCheckPage : public ChartPage
{
    Q_OBJECT

public:
    static constexpr int MaxPoints = 41;
    static constexpr Rgb LineColour{0, 0, 192};
    static inline const QString DefaultRate = QStringLiteral("1.5");

    struct Labels
    {
        QString rate, overweight, refresh, print;
    };

    WeightCheckPage(const QString& languageCode, const CaseHeaderTexts& header, QObject* parent = nullptr);

    static Labels labels();

    // Keeps the page's figures in the open case's: the page starts with a
    // rate stored there, a rate set afterwards goes there and calls
    // markChanged, and each overweight the page computes goes there, to be
    // stored as shown. Without it the page keeps its figures to itself.
    void keepFiguresIn(WeightCheckFigures& figures, std::function<void()> markChanged = {});

    // The "Abnahme [%]" field, which the user edits.
    QString rateText() const { return m_rate; }
    void setRateText(const QString& text);
    // The read-only "aktuelles Übergew.[%]" field.
    QString overweightText() const { return m_overweight; }

    // The weekly change as a fraction; 1.5 % for 0 or an empty field.
    static double weeklyRate(const QString& rateText);
    // The weekly weights from start towards target, at most 41; none when
    // start is not above 0 or equals the target.
    static std::vector<double> weeklyWeights(double start, double target, double rate);

    // Fills an empty rate with the stored one or else 1.5, computes the
    // overweight, builds the chart and starts the drawing timer; also what
    // "Aktualisieren" runs.
    void build();

protected:
    bool readyToDraw() const override;

private:
    const CaseHeaderTexts& m_header;
    QString m_rate;
    QString m_overweight;
    WeightCheckFigures* m_figures = nullptr;
    std::function<void()> m_markChanged;
};
