#pragma once

#include "output/CaseHeaderTexts.h"
#include "output/WeightCheckPage.h"
#include "output/gui/ChartPageView.h"

class AppContext;
class CaseHeaderForm;
class Prompt;
class QLineEdit;

// The weight-check page: the weekly rate the user sets, the current
// overweight, "Aktualisieren" and the chart.
class WeightCheckPageView : public ChartPageView
{
    Q_OBJECT

public:
    WeightCheckPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);
    void refresh() override;
    WeightCheckPage& page() { return m_page; }
    QLineEdit* rateEdit() const { return m_rate; }
    QLineEdit* overweightField() const { return m_overweight; }
    QPushButton* refreshButton() const { return m_refresh; }

private:
    FormHeaderTexts m_texts;
    WeightCheckPage m_page;
    QLineEdit* m_rate;
    QLineEdit* m_overweight;
    QPushButton* m_refresh;
};
