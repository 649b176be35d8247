#include "feed/gui/FeedEditorView.h"

#include "ui/gui/ChoiceControls.h"

#include "db/ChoiceList.h"
#include "feed/FeedEditor.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

GridView* grid(GridModel& model, const char* name)
{
    auto* view = new GridView(&model);
    view->setObjectName(QLatin1String(name));
    return view;
}

// As wide as the grid's columns, so it never scrolls sideways; the height is
// what the window leaves.
void fitWidth(GridView* view)
{
    const int width =
        view->model()->totalWidth() + 2 * view->frameWidth() + view->verticalScrollBar()->sizeHint().width();
    if (view->minimumWidth() != width || view->maximumWidth() != width)
        view->setFixedWidth(width);
}

} // namespace

FeedEditorView::FeedEditorView(FeedEditor& editor, QWidget* parent)
    : QWidget(parent)
    , m_editor(editor)
{
    setObjectName(QStringLiteral("FeedEditorView"));
    build();
    showLabels();
    chainTabOrder();
    connectEdits();
    connect(&m_editor, &FeedEditor::changed, this, &FeedEditorView::showEditor);
    showEditor();
}

void FeedEditorView::build()
{
    FeedEditorControls& c = m_c;
    c.barTypeLabel = ChoiceControls::makeNamed<QLabel>("FeedBarTypeLabel");
    c.barTypeList = ChoiceControls::makeDropDown("FeedBarTypeList", 150);
    c.barFeedLabel = ChoiceControls::makeNamed<QLabel>("FeedBarFeedLabel");
    c.barFeedList = ChoiceControls::makeDropDown("FeedBarFeedList", 260);
    c.newButton = ChoiceControls::makeNamed<QPushButton>("FeedNew");

    c.typeLabel = ChoiceControls::makeNamed<QLabel>("FeedTypeLabel");
    c.typeList = ChoiceControls::makeDropDown("FeedType", 200);
    c.germanNameLabel = ChoiceControls::makeNamed<QLabel>("FeedGermanNameLabel");
    c.germanName = ChoiceControls::makeNamed<QLineEdit>("FeedGermanName");
    c.englishNameLabel = ChoiceControls::makeNamed<QLabel>("FeedEnglishNameLabel");
    c.englishName = ChoiceControls::makeNamed<QLineEdit>("FeedEnglishName");
    c.producerLabel = ChoiceControls::makeNamed<QLabel>("FeedProducerLabel");
    c.producer = ChoiceControls::makeNamed<QLineEdit>("FeedProducer");
    c.hintGermanLabel = ChoiceControls::makeNamed<QLabel>("FeedHintGermanLabel");
    c.hintGerman = ChoiceControls::makeNamed<QLineEdit>("FeedHintGerman");
    c.hintEnglishLabel = ChoiceControls::makeNamed<QLabel>("FeedHintEnglishLabel");
    c.hintEnglish = ChoiceControls::makeNamed<QLineEdit>("FeedHintEnglish");
    c.dataMissingLabel = ChoiceControls::makeNamed<QLabel>("FeedDataMissingLabel");
    c.dataMissing = ChoiceControls::makeNamed<QLineEdit>("FeedDataMissing");
    c.activeLabel = ChoiceControls::makeNamed<QLabel>("FeedActiveLabel");
    c.active = new QCheckBox;
    c.active->setObjectName(QStringLiteral("FeedActive"));
    c.lastUpdateLabel = ChoiceControls::makeNamed<QLabel>("FeedLastUpdateLabel");
    c.lastUpdate = ChoiceControls::makeNamed<QLineEdit>("FeedLastUpdate");
    c.lastUpdate->setReadOnly(true);
    c.lastUpdate->setFixedWidth(150);
    c.categoryLabel = ChoiceControls::makeNamed<QLabel>("FeedCategoryLabel");
    c.categoryGrid = grid(m_editor.categoryGrid(), "FeedCategoryGrid");
    c.nutrientGrid = grid(m_editor.nutrientGrid(), "FeedNutrientGrid");
    c.indicatorGrid = grid(m_editor.indicatorGrid(), "FeedIndicatorGrid");

    c.calculate = ChoiceControls::makeNamed<QPushButton>("FeedCalculate");
    c.save = ChoiceControls::makeNamed<QPushButton>("FeedSave");
    c.remove = ChoiceControls::makeNamed<QPushButton>("FeedDelete");
    c.copy = ChoiceControls::makeNamed<QPushButton>("FeedCopy");
    c.note = ChoiceControls::makeNamed<QLabel>("FeedNote");
    c.note->setWordWrap(true);
    c.note->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const std::pair<QLabel*, QWidget*> rows[] = {
        {c.typeLabel, c.typeList},           {c.germanNameLabel, c.germanName},
        {c.englishNameLabel, c.englishName}, {c.producerLabel, c.producer},
        {c.hintGermanLabel, c.hintGerman},   {c.hintEnglishLabel, c.hintEnglish},
        {c.dataMissingLabel, c.dataMissing}, {c.activeLabel, c.active},
        {c.lastUpdateLabel, c.lastUpdate}};
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(4);
    fields->setColumnStretch(1, 1);
    int row = 0;
    for (const auto& [caption, field] : rows) {
        caption->setBuddy(field);
        fields->addWidget(caption, row, 0);
        // Names and hints take the row's width; the list, the box and the date
        // keep their own.
        const bool grows = qobject_cast<QLineEdit*>(field) && field != c.lastUpdate;
        fields->addWidget(field, row, 1, grows ? Qt::Alignment() : Qt::AlignLeft);
        ++row;
    }

    // The category grid runs beside the fields, as high as they are.
    c.categoryGrid->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    c.categoryGrid->setMinimumHeight(100);
    auto* categories = new QVBoxLayout;
    categories->setSpacing(2);
    categories->addWidget(c.categoryLabel);
    categories->addWidget(c.categoryGrid, 1);

    auto* form = new QHBoxLayout;
    form->setSpacing(16);
    form->addLayout(fields, 1);
    form->addLayout(categories);

    auto* bar = new QHBoxLayout;
    bar->setSpacing(6);
    bar->addWidget(c.barTypeLabel);
    bar->addWidget(c.barTypeList, 2);
    bar->addSpacing(10);
    bar->addWidget(c.barFeedLabel);
    // Feedstuff names are long; this list takes most of the row.
    bar->addWidget(c.barFeedList, 5);
    bar->addWidget(c.newButton);
    c.barTypeLabel->setBuddy(c.barTypeList);
    c.barFeedLabel->setBuddy(c.barFeedList);

    // The analysis grids take the height the window has left and scroll.
    for (GridView* view : {c.nutrientGrid, c.indicatorGrid}) {
        view->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        view->setMinimumHeight(120);
        view->installEventFilter(this);
    }
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    for (QPushButton* push : {c.calculate, c.save, c.remove, c.copy})
        buttons->addWidget(push);
    buttons->addStretch(1);
    auto* side = new QVBoxLayout;
    side->setSpacing(10);
    side->addLayout(buttons);
    side->addWidget(c.note);
    side->addStretch(1);

    auto* lower = new QHBoxLayout;
    lower->setSpacing(8);
    lower->addWidget(c.nutrientGrid);
    lower->addWidget(c.indicatorGrid);
    lower->addSpacing(8);
    lower->addLayout(side, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(8);
    layout->addLayout(bar);
    layout->addLayout(form);
    layout->addLayout(lower, 1);
}

void FeedEditorView::showLabels()
{
    const FeedEditorLabels labels = m_editor.labels();
    FeedEditorControls& c = m_c;
    c.barTypeLabel->setText(labels.barType);
    c.barFeedLabel->setText(labels.barFeed);
    c.newButton->setText(labels.newButton);
    c.typeLabel->setText(labels.type);
    c.germanNameLabel->setText(labels.germanName);
    c.englishNameLabel->setText(labels.englishName);
    c.producerLabel->setText(labels.producer);
    c.hintGermanLabel->setText(labels.hintGerman);
    c.hintEnglishLabel->setText(labels.hintEnglish);
    c.dataMissingLabel->setText(labels.dataMissing);
    c.activeLabel->setText(labels.active);
    c.lastUpdateLabel->setText(labels.lastUpdate);
    c.categoryLabel->setText(labels.category);
    c.calculate->setText(labels.calculate);
    c.save->setText(labels.save);
    c.remove->setText(labels.remove);
    c.copy->setText(labels.copy);
    c.note->setText(labels.note);
}

void FeedEditorView::chainTabOrder()
{
    const FeedEditorControls& c = m_c;
    QWidget* const order[] = {c.barTypeList, c.barFeedList, c.newButton,    c.typeList,     c.germanName,
                              c.englishName, c.producer,    c.hintGerman,   c.hintEnglish,  c.dataMissing,
                              c.active,      c.lastUpdate,  c.categoryGrid, c.nutrientGrid, c.indicatorGrid,
                              c.calculate,   c.save,        c.remove,       c.copy};
    for (size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void FeedEditorView::connectEdits()
{
    FeedEditorControls& c = m_c;
    FeedEditor* e = &m_editor;
    // Only what the user's own actions raise: activated, textEdited, clicked.
    connect(c.barTypeList, &QComboBox::activated, e, &FeedEditor::userChoseBarType);
    connect(c.barFeedList, &QComboBox::activated, e, &FeedEditor::userChoseFeed);
    connect(c.newButton, &QPushButton::clicked, e, &FeedEditor::newClicked);
    connect(c.typeList, &QComboBox::activated, e, &FeedEditor::userChoseType);

    const std::pair<QLineEdit*, void (FeedEditor::*)(const QString&)> texts[] = {
        {c.germanName, &FeedEditor::setGermanName},   {c.englishName, &FeedEditor::setEnglishName},
        {c.producer, &FeedEditor::setProducer},       {c.hintGerman, &FeedEditor::setHintGerman},
        {c.hintEnglish, &FeedEditor::setHintEnglish}, {c.dataMissing, &FeedEditor::setDataMissing}};
    for (const auto& [edit, set] : texts)
        connect(edit, &QLineEdit::textEdited, e, set);
    connect(c.active, &QCheckBox::clicked, e, &FeedEditor::setActive);

    const std::pair<QPushButton*, bool (FeedEditor::*)()> actions[] = {{c.calculate, &FeedEditor::calculate},
                                                                       {c.save, &FeedEditor::save},
                                                                       {c.remove, &FeedEditor::deleteFeed},
                                                                       {c.copy, &FeedEditor::copy}};
    for (const auto& [push, act] : actions) {
        connect(push, &QPushButton::clicked, this, [this, act] {
            commitGridEdits();
            (m_editor.*act)();
        });
    }
}

void FeedEditorView::commitGridEdits()
{
    for (GridView* view : {m_c.categoryGrid, m_c.nutrientGrid, m_c.indicatorGrid})
        view->commitEdit();
}

bool FeedEditorView::eventFilter(QObject* watched, QEvent* event)
{
    // Tabbing into an analysis grid lands on its first amount, ready for typing.
    auto* view = qobject_cast<GridView*>(watched);
    if (view && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        GridModel& model = *view->model();
        const bool onCell = model.isEditable(model.currentRow(), model.currentColumn());
        if ((reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) && !onCell &&
            model.isEditable(model.fixedRowCount(), FeedEditor::AmountColumn)) {
            model.setCurrentCell(model.fixedRowCount(), FeedEditor::AmountColumn);
            model.scrollToCell(model.fixedRowCount(), FeedEditor::AmountColumn);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FeedEditorView::showEditor()
{
    const FeedEditor& e = m_editor;
    FeedEditorControls& c = m_c;
    ChoiceControls::showChoices(c.barTypeList, e.barTypeList());
    ChoiceControls::showChoices(c.barFeedList, e.feedList());
    ChoiceControls::showChoices(c.typeList, e.typeList());
    ChoiceControls::showText(c.germanName, e.germanName());
    ChoiceControls::showText(c.englishName, e.englishName());
    ChoiceControls::showText(c.producer, e.producer());
    ChoiceControls::showText(c.hintGerman, e.hintGerman());
    ChoiceControls::showText(c.hintEnglish, e.hintEnglish());
    ChoiceControls::showText(c.dataMissing, e.dataMissing());
    ChoiceControls::showText(c.lastUpdate, e.lastUpdate());
    c.active->setChecked(e.isActive());
    // A shipped feedstuff is shown for reading; its grids refuse edits themselves.
    for (QLineEdit* edit :
         {c.germanName, c.englishName, c.producer, c.hintGerman, c.hintEnglish, c.dataMissing})
        edit->setReadOnly(e.isReadOnly());
    c.typeList->setEnabled(!e.isReadOnly());
    c.active->setEnabled(!e.isReadOnly());
    for (GridView* view : {c.categoryGrid, c.nutrientGrid, c.indicatorGrid}) {
        GridCellPainter::widenToTexts(*view->model());
        fitWidth(view);
    }
    c.calculate->setEnabled(e.canCalculate());
    c.save->setEnabled(e.canSave());
    c.remove->setEnabled(e.canDelete());
    c.copy->setEnabled(e.canCopy());
}
