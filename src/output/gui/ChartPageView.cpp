#include "output/gui/ChartPageView.h"

#include "output/ChartPage.h"
#include "ui/gui/ChartPrinter.h"
#include "ui/gui/ChartView.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

ChartPageView::ChartPageView(Prompt& prompt, QWidget* parent)
    : QWidget(parent)
    , m_prompt(prompt)
{
    m_chart = new ChartView;
    m_chart->setObjectName(QStringLiteral("PageChart"));
    m_print = new QPushButton(QStringLiteral("Print"));
    m_print->setObjectName(QStringLiteral("ChartPrint"));
    m_controls = new QHBoxLayout;
    m_controls->addStretch(1);
    m_controls->addWidget(m_print);

    m_layout = new QVBoxLayout(this);
    m_layout->addWidget(m_chart, 1);
    m_layout->addLayout(m_controls);
}

void ChartPageView::addAboveChart(QWidget* widget)
{
    m_layout->insertWidget(m_above++, widget);
}

void ChartPageView::addBelowChart(QWidget* widget)
{
    m_layout->insertWidget(m_layout->count() - 1, widget);
}

void ChartPageView::addControl(QWidget* control)
{
    m_controls->insertWidget(m_controls->count() - 2, control);
}

void ChartPageView::attach(ChartPage& page)
{
    m_page = &page;
    connect(&page, &ChartPage::drawRequested, this, [this] {
        if (m_page->hasChart())
            m_chart->setModel(m_page->chartToDraw());
    });
    connect(m_print, &QPushButton::clicked, this, [this] {
        if (m_page->hasChart())
            reportPrint(ChartPrinter::printWithDialog(m_page->chartToDraw(), this), m_prompt,
                        m_page->languageCode());
    });
}
