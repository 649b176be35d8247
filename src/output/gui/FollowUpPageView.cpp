#include "output/gui/FollowUpPageView.h"

#include "ration/CaseHeaderForm.h"
#include "ui/gui/GridView.h"

#include <QLabel>
#include <QPushButton>

FollowUpPageView::FollowUpPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : ChartPageView(prompt, parent)
    , m_form(form)
    , m_page(context, prompt)
{
    setObjectName(QStringLiteral("FollowUpPage"));
    m_table = new GridView(&m_page.grid());
    m_table->setObjectName(QStringLiteral("FollowUpTable"));
    m_flags = new QLabel;
    m_flags->setObjectName(QStringLiteral("FollowUpFlags"));
    m_flags->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
    m_need = new QLabel;
    m_need->setObjectName(QStringLiteral("FollowUpNeed"));
    for (QLabel* label : {m_flags, m_need}) {
        label->setWordWrap(true);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    m_proposal = new QLabel;
    m_proposal->setObjectName(QStringLiteral("FollowUpProposal"));
    m_take = new QPushButton(m_page.takeProposalLabel());
    m_take->setObjectName(QStringLiteral("TakeProposal"));
    m_nextCheck = new QLabel;
    m_nextCheck->setObjectName(QStringLiteral("FollowUpNextCheck"));
    addAboveChart(m_table);
    addBelowChart(m_flags);
    addBelowChart(m_need);
    addControl(m_proposal);
    addControl(m_take);
    addControl(m_nextCheck);
    attach(m_page);
    connect(m_take, &QPushButton::clicked, this, [this] {
        if (const std::optional<int> percent = m_page.proposedPercent())
            emit visitRequested(QString::number(*percent));
    });
    refresh();
}

void FollowUpPageView::refresh()
{
    m_page.build(m_form.loadedCaseKey());
    // The table takes the height of its rows, up to eight visits; more scroll.
    const GridModel& grid = m_page.grid();
    int height = 0;
    for (int row = 0; row < std::min(grid.rowCount(), 9); ++row)
        height += grid.rowHeight(row);
    m_table->setFixedHeight(height + 2 * m_table->frameWidth() + 4);
    const QStringList flags = m_page.flagTexts();
    m_flags->setText(flags.join(QLatin1Char('\n')));
    m_flags->setVisible(!flags.isEmpty());
    m_need->setText(m_page.needText());
    m_need->setVisible(!m_page.needText().isEmpty());
    m_proposal->setText(m_page.proposalText());
    m_take->setEnabled(m_page.proposedPercent().has_value());
    m_nextCheck->setText(m_page.nextCheckText());
}
