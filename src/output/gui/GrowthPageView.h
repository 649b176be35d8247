#pragma once

#include "CRezeptPage4.h"
#include "CaseHeaderTexts.h"
#include "ChartPageView.h"

class AppContext;
class CRezeptForm;

// The growth curve page; "Aktualisieren" reads the header form again.
class GrowthPageView : public ChartPageView
{
    Q_OBJECT

public:
    GrowthPageView(AppContext& context, CRezeptForm& form, QWidget* parent = nullptr);
    CRezeptPage4& page() { return m_page; }
    QPushButton* refreshButton() const { return m_refresh; }

private:
    FormHeaderTexts m_texts;
    CRezeptPage4 m_page;
    QPushButton* m_refresh;
};
