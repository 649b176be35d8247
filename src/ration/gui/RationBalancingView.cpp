#include "ration/gui/RationBalancingView.h"

#include "ration/RationBalancing.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

RationBalancingView::RationBalancingView(RationBalancing& balancing, QWidget* parent)
    : QDialog(parent)
    , m_balancing(balancing)
    , m_complete(new QCheckBox(this))
    , m_days(new QSpinBox(this))
    , m_portion(new QDoubleSpinBox(this))
    , m_carrier(new QComboBox(this))
    , m_grid(new GridView(&balancing.grid(), this))
    , m_lines(new QPlainTextEdit(this))
    , m_apply(new QPushButton(this))
    , m_cancel(new QPushButton(this))
{
    const RationBalancingLabels labels = balancing.labels();
    setObjectName(QStringLiteral("RationBalancing"));
    setWindowTitle(labels.title);
    setModal(true);

    m_complete->setObjectName(QStringLiteral("Complete"));
    m_complete->setText(labels.complete);
    m_complete->setChecked(balancing.complete());
    m_days->setObjectName(QStringLiteral("PremixDays"));
    m_days->setRange(SupplementPremix::FewestDays, SupplementPremix::MostDays);
    m_days->setValue(balancing.premixDays());
    m_portion->setObjectName(QStringLiteral("PremixPortion"));
    // With a decimal comma, as every amount of the program.
    m_portion->setLocale(QLocale(QLocale::German));
    m_portion->setDecimals(1);
    m_portion->setRange(0.1, RationBalancing::LargestPortion);
    m_portion->setSingleStep(0.5);
    m_portion->setValue(balancing.premixPortion());
    m_carrier->setObjectName(QStringLiteral("PremixCarrier"));
    m_carrier->addItem(labels.noCarrier, 0);
    for (const ChoiceList::Entry& entry : balancing.carrierList().entries())
        m_carrier->addItem(entry.text, entry.data);
    m_carrier->setCurrentIndex(std::max(m_carrier->findData(balancing.carrier()), 0));
    m_carrier->setMinimumContentsLength(24);
    m_carrier->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);

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
    auto* completion = new QHBoxLayout;
    completion->addWidget(m_complete);
    completion->addStretch(1);
    const auto labelled = [&](const QString& text, QWidget* control) {
        auto* label = new QLabel(text, this);
        label->setBuddy(control);
        completion->addWidget(label);
        completion->addWidget(control);
    };
    labelled(labels.days, m_days);
    labelled(labels.portion, m_portion);
    labelled(labels.carrier, m_carrier);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(completion);
    layout->addWidget(m_grid);
    layout->addWidget(m_lines, 1);
    layout->addLayout(buttons);

    showLines();
    connect(&balancing, &RationBalancing::proposalChanged, this, &RationBalancingView::showLines);
    connect(m_complete, &QCheckBox::toggled, &balancing, &RationBalancing::setComplete);
    connect(m_days, &QSpinBox::valueChanged, this, [this](int days) { m_balancing.setPremixDays(days); });
    connect(m_portion, &QDoubleSpinBox::valueChanged, this,
            [this](double grams) { m_balancing.setPremixPortion(grams); });
    connect(m_carrier, &QComboBox::activated, this,
            [this](int index) { m_balancing.setCarrier(m_carrier->itemData(index).toInt()); });
    connect(m_apply, &QPushButton::clicked, this, &RationBalancingView::apply);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void RationBalancingView::showLines()
{
    // Rows come and go with the added supplements; their names need room,
    // and the grid as many rows as the lines below leave it.
    GridCellPainter::widenToTexts(m_balancing.grid());
    m_grid->updateGeometry();
    m_lines->setPlainText(m_balancing.resultLines().join(QLatin1Char('\n')));
    m_apply->setEnabled(m_balancing.canApply());
    const bool complete = m_balancing.complete();
    m_days->setEnabled(complete);
    m_portion->setEnabled(complete);
    m_carrier->setEnabled(complete);
}

void RationBalancingView::apply()
{
    m_balancing.apply();
    accept();
}
