#include "output/gui/CoveragePageView.h"

#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"

CoveragePageView::CoveragePageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : ChartPageView(prompt, parent)
    , m_texts(form)
    , m_page(context.languageCode(), m_texts, form.ration().rationGrid())
{
    setObjectName(QStringLiteral("CoveragePage"));
    attach(m_page);
    m_page.build();
}

void CoveragePageView::refresh()
{
    m_page.build();
}
