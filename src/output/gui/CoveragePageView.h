#pragma once

#include "CRezeptPage3.h"
#include "CaseHeaderTexts.h"
#include "ChartPageView.h"

class AppContext;
class CRezeptForm;

// The coverage chart page, built once from the ration grid as it is when
// the page is made.
class CoveragePageView : public ChartPageView
{
    Q_OBJECT

public:
    CoveragePageView(AppContext& context, CRezeptForm& form, QWidget* parent = nullptr);
    CRezeptPage3& page() { return m_page; }

private:
    FormHeaderTexts m_texts;
    CRezeptPage3 m_page;
};
