#pragma once

#include "output/CaseHeaderTexts.h"
#include "output/CoveragePage.h"
#include "output/gui/ChartPageView.h"

class AppContext;
class CaseHeaderForm;
class Prompt;

// The coverage chart page, built from the ration grid as it is when the
// page is made and again each time it is shown.
class CoveragePageView : public ChartPageView
{
    Q_OBJECT

public:
    CoveragePageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent = nullptr);
    void refresh() override;
    CoveragePage& page() { return m_page; }

private:
    void build();

    AppContext& m_context;
    CaseHeaderForm& m_form;
    FormHeaderTexts m_texts;
    CoveragePage m_page;
};
