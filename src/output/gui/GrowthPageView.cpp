#include "GrowthPageView.h"

#include "AppContext.h"
#include "CRezeptForm.h"

#include <QPushButton>

GrowthPageView::GrowthPageView(AppContext& context, CRezeptForm& form, QWidget* parent)
    : ChartPageView(parent)
    , m_texts(form)
    , m_page(context.languageCode(), m_texts)
{
    setObjectName(QStringLiteral("GrowthPage"));
    m_refresh = new QPushButton(CRezeptPage4::refreshLabel());
    m_refresh->setObjectName(QStringLiteral("ChartRefresh"));
    addControl(m_refresh);
    attach(m_page);
    connect(m_refresh, &QPushButton::clicked, this, [this] { m_page.build(); });
    m_page.build();
}
