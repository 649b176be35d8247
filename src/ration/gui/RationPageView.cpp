#include "RationPageView.h"

#include "CRezeptForm.h"
#include "GridView.h"

#include <QHBoxLayout>
#include <QScrollBar>
#include <QVBoxLayout>

RationPageView::RationPageView(AppContext& context, Prompt& prompt, CRezeptForm& form, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
    , m_filterRow(new QHBoxLayout)
    , m_rationGrid(new GridView(&form.ration().rationGrid(), this))
    , m_profileGrid(new GridView(&form.ration().profileGrid(), this))
    , m_printRow(new QHBoxLayout)
{
    setObjectName(QStringLiteral("RationPage"));
    form.ration().BuildRationGrid();
    form.ration().BuildProfileGrid();

    m_rationGrid->setObjectName(QStringLiteral("RationGrid"));
    m_profileGrid->setObjectName(QStringLiteral("ProfileGrid"));
    // The ration grid takes what the window gives beyond its own height, so a
    // larger window shows more feedstuffs; the profile keeps its rows in view.
    m_rationGrid->setMinimumHeight(RationGridMinimumHeight);
    m_rationGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Room for the scroll bar too, which appears once the columns outgrow the page.
    m_profileGrid->setFixedHeight(ProfileGridHeight + m_profileGrid->horizontalScrollBar()->sizeHint().height());
    m_profileGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    m_filterRow->setObjectName(QStringLiteral("FilterRow"));
    m_printRow->setObjectName(QStringLiteral("PrintRow"));
    m_printRow->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(m_filterRow);
    layout->addWidget(m_rationGrid, 1);
    layout->addWidget(m_profileGrid);
    layout->addLayout(m_printRow);
}
