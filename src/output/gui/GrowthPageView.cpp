#include "output/gui/GrowthPageView.h"

#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"

#include <QPushButton>

GrowthPageView::GrowthPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : ChartPageView(prompt, parent)
    , m_texts(form)
    , m_page(context.languageCode(), m_texts)
{
    setObjectName(QStringLiteral("GrowthPage"));
    m_refresh = new QPushButton(GrowthPage::refreshLabel());
    m_refresh->setObjectName(QStringLiteral("ChartRefresh"));
    addControl(m_refresh);
    attach(m_page);
    connect(m_refresh, &QPushButton::clicked, this, &GrowthPageView::refresh);
    m_page.build();
}

void GrowthPageView::refresh()
{
    m_page.build();
}
