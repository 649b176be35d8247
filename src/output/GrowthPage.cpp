#include "output/GrowthPage.h"

#include "core/Lang.h"
#include "core/NumberText.h"
#include "formula/FormulaEngine.h"
#include "output/CaseHeaderTexts.h"
#include "output/ChartPageTexts.h"
#include "output/ChartTexts.h"

GrowthPage::GrowthPage(const QString& languageCode, const CaseHeaderTexts& header, QObject* parent)
    : ChartPage(languageCode, parent)
    , m_header(header)
{
}

GrowthPage::GrowthClass GrowthPage::growthClass(double a)
{
    if (a < 7)
        return {"36.922", "43.567"};
    if (a < 17)
        return {"36.858", "48.218"};
    if (a < 30)
        return {"39.877", "60.697"};
    if (a < 50)
        return {"36.956", "56.184"};
    return {"36.608", "62.386"};
}

QString GrowthPage::formulaText(double adultWeight, int week)
{
    const GrowthClass growth = growthClass(adultWeight);
    return QStringLiteral("(") + QLatin1String(growth.k) + QStringLiteral("*(0 log(") +
           QString::number(week) + QStringLiteral("))-") + QLatin1String(growth.c) + QStringLiteral(")*") +
           QString::asprintf("%f/100.0", adultWeight);
}

double GrowthPage::expectedWeight(double adultWeight, int week)
{
    double result = 0.0;
    evaluateFormula(formulaText(adultWeight, week).toStdString(), result);
    return result;
}

void GrowthPage::build()
{
    const QString adultText = m_header.adultWeight();
    const double adult = ChartPageTexts::readWithoutComma(adultText);
    const QString actualText = m_header.actualWeight();
    const double actual = NumberText::read(actualText);
    const int age = NumberText::toWhole(ChartPageTexts::readWithoutComma(m_header.ageWeeks()));

    if (!actualText.isEmpty() && actual > 0) {
        const QString language = languageCode();
        ChartModel& chart = newChart(ChartModel::Kind::Line);
        chart.setTitle(ChartPageTexts::title(language, ChartTexts::GrowthTitle.in(language), m_header));
        chart.setCategoryAxisCaption(ChartTexts::AgeWeeks.in(language));
        chart.setValueAxisCaption(ChartTexts::WeightKg.in(language));

        if (!adultText.isEmpty()) {
            QStringList weeks;
            for (int w = FirstWeek; w <= LastWeek; ++w)
                weeks << QString::asprintf("%02d", w);
            chart.setCategories(weeks);
            chart.addSeries(QString(), ExpectedColour);
            chart.addSeries(QString(), ActualColour);
            for (int w = FirstWeek; w <= LastWeek; ++w) {
                const double expected = expectedWeight(adult, w);
                if (expected > 0)
                    chart.setValue(0, w - FirstWeek, expected);
                chart.setValue(1, w - FirstWeek, w == age ? actual : 0.0);
            }
            chart.setValueAxis(0, adult, adult * 0.0625);
        }
    }
    startDrawTimer();
}

ChartModel GrowthPage::chartToDraw() const
{
    ChartModel drawn = chart();
    if (drawn.seriesCount() > 1) {
        for (int i = 0; i < drawn.categoryCount(); ++i) {
            if (drawn.value(1, i).value_or(0.0) <= 0)
                drawn.clearValue(1, i);
        }
    }
    return drawn;
}

bool GrowthPage::readyToDraw() const
{
    return !m_header.adultWeight().isEmpty();
}
