#include "app/gui/CaseSheet.h"

#include "app/CaseSheetTexts.h"
#include "core/Lang.h"
#include "db/AppContext.h"
#include "output/FollowUpPage.h"
#include "output/gui/CoveragePageView.h"
#include "output/gui/FollowUpPageView.h"
#include "output/gui/GrowthPageView.h"
#include "output/gui/RecipePageView.h"
#include "output/gui/WeightCheckPageView.h"
#include "ration/CaseHeaderForm.h"
#include "ration/gui/RationPageView.h"

#include <QVBoxLayout>

QStringList CaseSheet::captions(const QString& languageCode)
{
    const QString code = Lang::labelCode(languageCode);
    return {CaseSheetTexts::RationCaption.in(code),      CaseSheetTexts::RecipeCaption.in(code),
            CaseSheetTexts::CoverageCaption.in(code),    CaseSheetTexts::GrowthCaption.in(code),
            CaseSheetTexts::WeightCheckCaption.in(code), CaseSheetTexts::FollowUpCaption.in(code)};
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
    setTabEnabled(FollowUpIndex, false);
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
            refreshPage(index);
        return;
    }
    ensurePage(index);
}

void CaseSheet::refreshCurrentPage()
{
    // A save stores the case under a new key; the follow-up follows it.
    showFollowUp();
    // An edit of the header changes no stored visit.
    if (currentIndex() != FollowUpIndex)
        refreshPage(currentIndex());
}

void CaseSheet::refreshPage(int index)
{
    QWidget* content = pageContent(index);
    if (auto* recipe = qobject_cast<RecipePageView*>(content))
        recipe->refresh();
    else if (auto* chart = qobject_cast<ChartPageView*>(content))
        chart->refresh();
}

void CaseSheet::showFollowUp()
{
    updateFollowUp(false);
}

void CaseSheet::recheckFollowUp()
{
    updateFollowUp(true);
}

void CaseSheet::updateFollowUp(bool always)
{
    const QString key = m_form.loadedCaseKey();
    if (key == m_followUpKey && !always)
        return;
    m_followUpKey = key;
    const bool applies = !key.isEmpty() && FollowUpPage::applies(m_context, key);
    if (!applies && currentIndex() == FollowUpIndex)
        setCurrentIndex(0);
    setTabEnabled(FollowUpIndex, applies);
    if (applies && currentIndex() == FollowUpIndex)
        refreshPage(FollowUpIndex);
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
    case 4:
        return new WeightCheckPageView(m_context, m_prompt, m_form);
    default: {
        auto* page = new FollowUpPageView(m_context, m_prompt, m_form);
        connect(page, &FollowUpPageView::visitRequested, this, &CaseSheet::visitRequested);
        return page;
    }
    }
}
