#include "ration/gui/RationBalancingView.h"

#include "ration/RationBalancing.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridView.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

RationBalancingView::RationBalancingView(RationBalancing& balancing, QWidget* parent)
    : QDialog(parent)
    , m_balancing(balancing)
    , m_grid(new GridView(&balancing.grid(), this))
    , m_lines(new QPlainTextEdit(this))
    , m_apply(new QPushButton(this))
    , m_cancel(new QPushButton(this))
{
    const RationBalancingLabels labels = balancing.labels();
    setObjectName(QStringLiteral("RationBalancing"));
    setWindowTitle(labels.title);
    setModal(true);

    GridCellPainter::widenToTexts(balancing.grid());
    m_grid->setObjectName(QStringLiteral("BalanceGrid"));
    m_lines->setObjectName(QStringLiteral("ResultLines"));
    // Room for the first proposal's lines; with many marked nutrients they
    // scroll rather than push the buttons off the screen.
    m_lines->setReadOnly(true);
    const int lines = std::clamp(int(balancing.resultLines().size()) + 1, 4, 16);
    m_lines->setMinimumHeight(lines * m_lines->fontMetrics().lineSpacing() + 2 * m_lines->frameWidth() +
                              int(2 * m_lines->document()->documentMargin()));
    m_apply->setObjectName(QStringLiteral("Apply"));
    m_apply->setText(labels.apply);
    m_apply->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("Cancel"));
    m_cancel->setText(labels.cancel);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_apply);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(m_lines, 1);
    layout->addLayout(buttons);

    showLines();
    connect(&balancing, &RationBalancing::proposalChanged, this, &RationBalancingView::showLines);
    connect(m_apply, &QPushButton::clicked, this, &RationBalancingView::apply);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RationBalancingView::showLines()
{
    m_lines->setPlainText(m_balancing.resultLines().join(QLatin1Char('\n')));
    m_apply->setEnabled(m_balancing.canApply());
}

void RationBalancingView::apply()
{
    m_balancing.apply();
    accept();
}
