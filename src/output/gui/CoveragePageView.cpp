#include "output/gui/CoveragePageView.h"

#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"

CoveragePageView::CoveragePageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : ChartPageView(prompt, parent)
    , m_context(context)
    , m_form(form)
    , m_texts(form)
    , m_page(context.languageCode(), m_texts, form.ration().model())
{
    setObjectName(QStringLiteral("CoveragePage"));
    attach(m_page);
    build();
}

void CoveragePageView::refresh()
{
    build();
}

void CoveragePageView::build()
{
    // The case type or species may have changed since the last build.
    m_page.build();
}
