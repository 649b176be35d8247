#include "output/gui/WeightCheckPageView.h"

#include "db/AppContext.h"
#include "ration/CaseHeaderForm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

WeightCheckPageView::WeightCheckPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form,
                                         QWidget* parent)
    : ChartPageView(prompt, parent)
    , m_texts(form)
    , m_page(context.languageCode(), m_texts)
{
    setObjectName(QStringLiteral("WeightCheckPage"));
    const WeightCheckPage::Labels texts = WeightCheckPage::labels();
    m_rate = new QLineEdit;
    m_rate->setObjectName(QStringLiteral("WeightCheckRate"));
    m_overweight = new QLineEdit;
    m_overweight->setObjectName(QStringLiteral("WeightCheckOverweight"));
    m_overweight->setReadOnly(true);
    for (QLineEdit* field : {m_rate, m_overweight}) {
        field->setMaximumWidth(70);
        field->setAlignment(Qt::AlignRight);
    }
    m_refresh = new QPushButton(texts.refresh);
    m_refresh->setObjectName(QStringLiteral("ChartRefresh"));
    addControl(new QLabel(texts.rate));
    addControl(m_rate);
    addControl(new QLabel(texts.overweight));
    addControl(m_overweight);
    addControl(m_refresh);
    attach(m_page);
    m_page.keepFiguresIn(form.weightCheck(), [&form] { form.markChanged(); });

    connect(m_rate, &QLineEdit::textEdited, this, [this](const QString& text) { m_page.setRateText(text); });
    connect(m_refresh, &QPushButton::clicked, this, &WeightCheckPageView::refresh);
    refresh();
}

void WeightCheckPageView::refresh()
{
    m_page.build();
    m_rate->setText(m_page.rateText());
    m_overweight->setText(m_page.overweightText());
}
