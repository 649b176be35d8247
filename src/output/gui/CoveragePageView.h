#pragma once

#include "output/CaseHeaderTexts.h"
#include "output/CoveragePage.h"
#include "output/gui/ChartPageView.h"

class AppContext;
class CaseHeaderForm;

// The coverage chart page, built once from the ration grid as it is when
// the page is made.
class CoveragePageView : public ChartPageView
{
    Q_OBJECT

public:
    CoveragePageView(AppContext& context, CaseHeaderForm& form, QWidget* parent = nullptr);
    CoveragePage& page() { return m_page; }

private:
    FormHeaderTexts m_texts;
    CoveragePage m_page;
};
