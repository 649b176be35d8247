#include "CoveragePageView.h"

#include "AppContext.h"
#include "CRezeptForm.h"

CoveragePageView::CoveragePageView(AppContext& context, CRezeptForm& form, QWidget* parent)
    : ChartPageView(parent)
    , m_texts(form)
    , m_page(context.languageCode(), m_texts, form.ration().rationGrid())
{
    setObjectName(QStringLiteral("CoveragePage"));
    attach(m_page);
    m_page.build();
}
