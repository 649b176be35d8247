#include "app/gui/CaseSheet.h"

#include "app/CaseSheetTexts.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "output/gui/CoveragePageView.h"
#include "output/gui/GrowthPageView.h"
#include "output/gui/RecipePageView.h"
#include "output/gui/WeightCheckPageView.h"
#include "ration/gui/RationPageView.h"

#include <QVBoxLayout>

QStringList CaseSheet::captions(const QString& languageCode)
{
    const QString code = Lang::labelCode(languageCode);
    return {CaseSheetTexts::RationCaption.in(code), CaseSheetTexts::RecipeCaption.in(code),
            CaseSheetTexts::CoverageCaption.in(code), CaseSheetTexts::GrowthCaption.in(code),
            CaseSheetTexts::WeightCheckCaption.in(code)};
}

CaseSheet::CaseSheet(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : QTabWidget(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
{
    setObjectName(QStringLiteral("CaseSheet"));
    const QStringList texts = captions(context.languageCode());
    for (int i = 0; i < PageCount; ++i) {
        auto* holder = new QWidget;
        holder->setObjectName(QStringLiteral("CasePage%1").arg(i + 1));
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        addTab(holder, texts.at(i));
    }
    ensurePage(currentIndex());
    connect(this, &QTabWidget::currentChanged, this, &CaseSheet::showPage);
}

QWidget* CaseSheet::pageContent(int index) const
{
    return index >= 0 && index < PageCount ? m_contents[size_t(index)] : nullptr;
}

RationPageView* CaseSheet::rationPage() const
{
    return static_cast<RationPageView*>(m_contents[0]);
}

void CaseSheet::showPage(int index)
{
    if (pageContent(index)) {
        if (index == currentIndex())
            refreshCurrentPage();
        return;
    }
    ensurePage(index);
}

void CaseSheet::refreshCurrentPage()
{
    QWidget* content = pageContent(currentIndex());
    if (auto* recipe = qobject_cast<RecipePageView*>(content))
        recipe->refresh();
    else if (auto* chart = qobject_cast<ChartPageView*>(content))
        chart->refresh();
}

void CaseSheet::ensurePage(int index)
{
    if (index < 0 || index >= PageCount || m_contents[size_t(index)])
        return;
    QWidget* content = createPage(index);
    m_contents[size_t(index)] = content;
    widget(index)->layout()->addWidget(content);
    // Made after the sheet was shown, so it has to be shown by hand.
    content->show();
}

QWidget* CaseSheet::createPage(int index)
{
    switch (index) {
    case 0:
        return new RationPageView(m_context, m_prompt, m_form);
    case 1:
        return new RecipePageView(m_context, m_prompt, m_form);
    case 2:
        return new CoveragePageView(m_context, m_prompt, m_form);
    case 3:
        return new GrowthPageView(m_context, m_prompt, m_form);
    default:
        return new WeightCheckPageView(m_context, m_prompt, m_form);
    }
}
