#include "ration/gui/RationPageView.h"

#include "ui/gui/ChoiceControls.h"

#include "db/AppContext.h"
#include "db/PagedChoiceList.h"
#include "output/ReportTexts.h"
#include "output/gui/CaseReportWriter.h"
#include "ration/CaseHeaderForm.h"
#include "ration/RationBalancing.h"
#include "ration/RationPage.h"
#include "ration/gui/RationBalancingView.h"
#include "ui/gui/DialogFileChooser.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridPrinter.h"
#include "ui/gui/GridView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

RationPageView::RationPageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
    , m_page(new RationPage(context, prompt, form, this))
    , m_filterRow(new QHBoxLayout)
    , m_rationGrid(new GridView(&form.ration().rationGrid(), this))
    , m_profileGrid(new GridView(&form.ration().profileGrid(), this))
    , m_printRow(new QHBoxLayout)
    , m_dialogFiles(std::make_unique<DialogFileChooser>(this))
    , m_files(m_dialogFiles.get())
    , m_gridPrint([](GridView& view) { return GridPrinter::printWithDialog(view); })
{
    setObjectName(QStringLiteral("RationPage"));
    // Columns whose heading or unit is wider than the shipped width in the
    // grid's font grow to show it.
    form.ration().grids().setCellWidth(&GridCellPainter::neededWidth);
    // The sheet makes this page before the header form opens its case, which
    // is the order the page's set-up needs.
    m_page->setUp();

    m_rationGrid->setObjectName(QStringLiteral("RationGrid"));
    m_profileGrid->setObjectName(QStringLiteral("ProfileGrid"));
    // The ration grid takes what the window gives beyond its own height, so a
    // larger window shows more feedstuffs; the profile keeps its rows in view.
    m_rationGrid->setMinimumHeight(RationGridMinimumHeight);
    m_rationGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // Room for the scroll bar too, which appears once the columns outgrow the page.
    m_profileGrid->setFixedHeight(ProfileGridHeight +
                                  m_profileGrid->horizontalScrollBar()->sizeHint().height());
    m_profileGrid->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

    buildFilterRow();
    m_printButton = new QPushButton;
    m_printButton->setObjectName(QStringLiteral("Print"));
    m_printRow->setObjectName(QStringLiteral("PrintRow"));
    m_basisList = new QComboBox;
    m_basisList->setObjectName(QStringLiteral("BasisList"));
    m_basisList->addItems(m_page->basisLabels());
    m_printRow->addWidget(m_basisList);
    // A weight-reduction ration below the practice's floor says so in red.
    m_floorWarning = new QLabel;
    m_floorWarning->setObjectName(QStringLiteral("FloorWarning"));
    m_floorWarning->setStyleSheet(QStringLiteral("color: #b00000;"));
    m_floorWarning->setWordWrap(true);
    m_floorWarning->setVisible(false);
    m_printRow->addWidget(m_floorWarning, 2);
    m_balanceButton = new QPushButton;
    m_balanceButton->setObjectName(QStringLiteral("Balance"));
    m_printRow->addStretch(1);
    m_printRow->addWidget(m_balanceButton);
    m_csvButton = new QPushButton;
    m_csvButton->setObjectName(QStringLiteral("SaveCsv"));
    m_printRow->addWidget(m_csvButton);
    m_reportButton = new QPushButton;
    m_reportButton->setObjectName(QStringLiteral("SaveReport"));
    m_printRow->addWidget(m_reportButton);
    m_printRow->addWidget(m_printButton);

    const RationPageLabels labels = m_page->labels();
    m_categoryLabel->setText(labels.category);
    m_typeLabel->setText(labels.type);
    m_feedLabel->setText(labels.food);
    m_filterButton->setText(labels.filter);
    m_printButton->setText(labels.print);
    m_balanceButton->setText(labels.balance);
    m_csvButton->setText(labels.csv);
    m_reportButton->setText(ReportTexts::SaveButton.in(context.languageCode()));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(m_filterRow);
    layout->addWidget(m_rationGrid, 1);
    layout->addWidget(m_profileGrid);
    layout->addLayout(m_printRow);

    setTabOrder(m_categoryList, m_typeList);
    setTabOrder(m_typeList, m_feedList);
    setTabOrder(m_feedList, m_searchText);
    setTabOrder(m_searchText, m_filterButton);
    setTabOrder(m_filterButton, m_rationGrid);
    setTabOrder(m_rationGrid, m_profileGrid);
    setTabOrder(m_profileGrid, m_basisList);
    setTabOrder(m_basisList, m_balanceButton);
    setTabOrder(m_balanceButton, m_csvButton);
    setTabOrder(m_csvButton, m_reportButton);
    setTabOrder(m_reportButton, m_printButton);

    ChoiceControls::showChoices(m_categoryList, m_page->categoryList());
    ChoiceControls::showChoices(m_typeList, m_page->typeList());
    showFeedList();
    connectControls();
}

RationPageView::~RationPageView()
{
    // The feedstuff popup goes with the list; no closing of it is a pick.
    if (m_feedPopup)
        m_feedPopup->removeEventFilter(this);
}

void RationPageView::buildFilterRow()
{
    m_categoryLabel = new QLabel;
    m_categoryList = ChoiceControls::makeDropDown("CategoryList", 150);
    m_typeLabel = new QLabel;
    m_typeList = ChoiceControls::makeDropDown("TypeList", 110);
    m_feedLabel = new QLabel;
    m_feedList = ChoiceControls::makeDropDown("FeedList", 260);
    m_searchText = new QLineEdit;
    m_searchText->setObjectName(QStringLiteral("SearchText"));
    m_searchText->setMinimumWidth(100);
    m_searchText->setMaximumWidth(200);
    m_searchText->setClearButtonEnabled(true);
    m_filterButton = new QPushButton;
    m_filterButton->setObjectName(QStringLiteral("Filter"));
    for (QLabel* label : {m_categoryLabel, m_typeLabel, m_feedLabel})
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_categoryLabel->setBuddy(m_categoryList);
    m_typeLabel->setBuddy(m_typeList);
    m_feedLabel->setBuddy(m_feedList);

    m_filterRow->setObjectName(QStringLiteral("FilterRow"));
    m_filterRow->setSpacing(6);
    m_filterRow->addWidget(m_categoryLabel);
    m_filterRow->addWidget(m_categoryList, 2);
    m_filterRow->addSpacing(6);
    m_filterRow->addWidget(m_typeLabel);
    m_filterRow->addWidget(m_typeList, 1);
    m_filterRow->addSpacing(6);
    m_filterRow->addWidget(m_feedLabel);
    // Feedstuff names are long; this list takes most of the room.
    m_filterRow->addWidget(m_feedList, 5);
    m_filterRow->addWidget(m_searchText, 1);
    m_filterRow->addWidget(m_filterButton);
}

void RationPageView::connectControls()
{
    RationPage* page = m_page;
    connect(page, &RationPage::categoryListChanged, this,
            [this] { ChoiceControls::showChoices(m_categoryList, m_page->categoryList()); });
    connect(page, &RationPage::typeListChanged, this,
            [this] { ChoiceControls::showChoices(m_typeList, m_page->typeList()); });
    connect(page, &RationPage::feedListChanged, this, [this] { showFeedChoice(); });
    connect(page, &RationPage::windowTextChanged, this, &QWidget::setWindowTitle);
    connect(page, &RationPage::floorWarningChanged, this, [this](const QString& warning) {
        m_floorWarning->setText(warning);
        m_floorWarning->setVisible(!warning.isEmpty());
    });

    // activated: only the user's choices, never the program's refills. The
    // program never writes the search text, so any change of it is the user's.
    connect(m_categoryList, &QComboBox::activated, page, &RationPage::userChoseCategory);
    connect(m_typeList, &QComboBox::activated, page, &RationPage::userChoseType);
    connect(m_searchText, &QLineEdit::textChanged, page, &RationPage::setSearchText);
    connect(m_searchText, &QLineEdit::returnPressed, page, &RationPage::filterClicked);
    connect(m_filterButton, &QPushButton::clicked, page, &RationPage::filterClicked);
    connect(m_printButton, &QPushButton::clicked, this, &RationPageView::print);
    connect(m_csvButton, &QPushButton::clicked, this, [this] { m_page->saveCsv(*m_files); });
    connect(m_reportButton, &QPushButton::clicked, this,
            [this] { CaseReportWriter::saveAs(m_context, m_prompt, m_form, *m_files); });
    connect(m_balanceButton, &QPushButton::clicked, this, &RationPageView::balance);
    connect(m_basisList, &QComboBox::activated, page, &RationPage::userChoseBasis);

    // A feedstuff is picked when its list closes, not when the choice moves:
    // the arrow keys or the wheel over the closed list only move the choice,
    // and closing the list on the entry already chosen picks it once more.
    connect(m_feedList, &QComboBox::currentIndexChanged, page, &RationPage::setFeedChoice);
    m_feedPopup = m_feedList->view()->window();
    m_feedPopup->installEventFilter(this);
    m_feedList->installEventFilter(this);
    m_feedList->view()->installEventFilter(this);
}

void RationPageView::showFeedList()
{
    // The list shows the page's model, which reads on as its popup scrolls.
    // A refill resets the model, and a combo box chooses its first row after
    // a reset; that choice is the widget's own, not the user's, so it is
    // kept from the page and replaced by the page's (none).
    PagedChoiceList* model = &m_page->feedModel();
    {
        const QSignalBlocker blocker(m_feedList);
        m_feedList->setModel(model);
    }
    connect(model, &QAbstractItemModel::modelAboutToBeReset, m_feedList,
            [this] { m_feedList->blockSignals(true); });
    connect(model, &QAbstractItemModel::modelReset, m_feedList, [this] {
        m_feedList->setCurrentIndex(m_page->feedList().currentIndex());
        m_feedList->blockSignals(false);
    });
    showFeedChoice();
}

void RationPageView::showFeedChoice()
{
    const QSignalBlocker blocker(m_feedList);
    m_feedList->setCurrentIndex(m_page->feedList().currentIndex());
}

bool RationPageView::eventFilter(QObject* watched, QEvent* event)
{
    // Typing a name jumps among the entries read so far; the whole list is
    // read first (a few milliseconds even for thousands of feedstuffs), so
    // every name can be found by its first letters.
    if ((watched == m_feedList || watched == m_feedList->view()) && event->type() == QEvent::KeyPress &&
        !static_cast<QKeyEvent*>(event)->text().trimmed().isEmpty())
        m_page->feedModel().fetchAll();
    if (watched == m_feedPopup && event->type() == QEvent::Hide) {
        // The list hides before it reports the entry clicked; pick after that.
        QMetaObject::invokeMethod(this, &RationPageView::feedListClosed, Qt::QueuedConnection);
    }
    return QWidget::eventFilter(watched, event);
}

void RationPageView::feedListClosed()
{
    m_page->setFeedChoice(m_feedList->currentIndex());
    m_page->feedListClosed();
}

void RationPageView::print()
{
    m_page->preparePrint();
    // The grids print the nearest window title above them: the heading.
    bool failed = false;
    for (GridView* grid : {m_rationGrid, m_profileGrid})
        failed = m_gridPrint(*grid) == PrintResult::Failed || failed;
    if (failed)
        reportPrint(PrintResult::Failed, m_prompt, m_context.languageCode());
}

void RationPageView::balance()
{
    RationBalancing balancing(m_context, m_prompt, m_form);
    balancing.remember(m_page->balanceBounds());
    if (!balancing.start())
        return;
    RationBalancingView dialog(balancing, this);
    dialog.exec();
}
