#pragma once

#include "output/ChartPage.h"

#include <QString>

class CaseHeaderTexts;

// The weight-check page without its widgets: the weekly weights of a diet
// that changes the weight by a fixed percentage a week, from the current
// weight until the target weight is reached, and the current overweight.
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

    // The "Abnahme [%]" field, which the user edits.
    QString rateText() const { return m_rate; }
    void setRateText(const QString& text) { m_rate = text; }
    // The read-only "aktuelles Übergew.[%]" field.
    QString overweightText() const { return m_overweight; }

    // The weekly change as a fraction; 1.5 % for 0 or an empty field.
    static double weeklyRate(const QString& rateText);
    // The weekly weights from start towards target, at most 41; none when
    // start is not above 0 or equals the target.
    static std::vector<double> weeklyWeights(double start, double target, double rate);

    // Fills an empty rate with 1.5, computes the overweight, builds the
    // chart and starts the drawing timer; also what "Aktualisieren" runs.
    void build();

protected:
    bool readyToDraw() const override;

private:
    const CaseHeaderTexts& m_header;
    QString m_rate;
    QString m_overweight;
};
