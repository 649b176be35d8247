#pragma once

#include "output/CaseHeaderTexts.h"
#include "output/GrowthPage.h"
#include "output/gui/ChartPageView.h"

class AppContext;
class CaseHeaderForm;
class Prompt;

// The growth curve page; "Aktualisieren" reads the header form again.
class GrowthPageView : public ChartPageView
{
    Q_OBJECT

public:
    GrowthPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);
    void refresh() override;
    GrowthPage& page() { return m_page; }
    QPushButton* refreshButton() const { return m_refresh; }

private:
    FormHeaderTexts m_texts;
    GrowthPage m_page;
    QPushButton* m_refresh;
};
