#pragma once

#include "CRezeptPage5.h"
#include "CaseHeaderTexts.h"
#include "ChartPageView.h"

class AppContext;
class CRezeptForm;
class QLineEdit;

// The weight-check page: the weekly rate the user sets, the current
// overweight, "Aktualisieren" and the chart.
class WeightCheckPageView : public ChartPageView
{
    Q_OBJECT

public:
    WeightCheckPageView(AppContext& context, CRezeptForm& form, QWidget* parent = nullptr);
    CRezeptPage5& page() { return m_page; }
    QLineEdit* rateEdit() const { return m_rate; }
    QLineEdit* overweightField() const { return m_overweight; }
    QPushButton* refreshButton() const { return m_refresh; }

private:
    void rebuild();

    FormHeaderTexts m_texts;
    CRezeptPage5 m_page;
    QLineEdit* m_rate;
    QLineEdit* m_overweight;
    QPushButton* m_refresh;
};
