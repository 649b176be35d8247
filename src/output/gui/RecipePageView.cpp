#include "output/gui/RecipePageView.h"

#include "db/AppContext.h"
#include "output/RecipeTexts.h"
#include "ration/CaseHeaderForm.h"
#include "ui/gui/GridCellPainter.h"
#include "ui/gui/GridPrinter.h"
#include "ui/gui/GridView.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

RecipePageView::RecipePageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
    , m_texts(form)
    , m_page(context, m_texts, form.ration().model(), form.recipe())
{
    setObjectName(QStringLiteral("RecipePage"));
    m_page.build();
    fitTitleRow(m_page.grid());
    fitTextBlockRows(m_page.grid(), m_page.firstTextRow());
    const RecipePage::Labels texts = m_page.labels();

    m_grid = new GridView(&m_page.grid());
    m_grid->setObjectName(QStringLiteral("RecipeGrid"));
    m_print = new QPushButton(texts.print);
    m_print->setObjectName(QStringLiteral("RecipePrint"));
    m_textList = new QComboBox;
    m_textList->setObjectName(QStringLiteral("RecipeTextList"));
    // The blocks are whole paragraphs; the closed list shows their beginning.
    m_textList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_textList->setMinimumContentsLength(50);
    for (const ChoiceList::Entry& entry : m_page.textList().entries()) {
        m_textList->addItem(entry.text, entry.data);
        m_textList->setItemData(m_textList->count() - 1, entry.text, Qt::ToolTipRole);
    }
    m_textList->setCurrentIndex(-1);

    const QString ui = context.languageCode();
    m_meals = new QSpinBox;
    m_meals->setObjectName(QStringLiteral("RecipeMeals"));
    m_meals->setRange(1, RecipeChoices::MostMeals);
    m_days = new QSpinBox;
    m_days->setObjectName(QStringLiteral("RecipeBatchDays"));
    m_days->setRange(1, RecipeChoices::MostBatchDays);
    m_language = new QComboBox;
    m_language->setObjectName(QStringLiteral("RecipeLanguage"));
    m_language->addItem(RecipeTexts::German.in(ui), Lang::German);
    m_language->addItem(RecipeTexts::English.in(ui), Lang::English);
    showChoices();

    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(RecipeTexts::MealsPerDay.in(ui)));
    choices->addWidget(m_meals);
    choices->addSpacing(24);
    choices->addWidget(new QLabel(RecipeTexts::BatchFor.in(ui)));
    choices->addWidget(m_days);
    choices->addWidget(new QLabel(RecipeTexts::BatchDays.in(ui)));
    choices->addSpacing(24);
    choices->addWidget(new QLabel(RecipeTexts::RecipeLanguage.in(ui)));
    choices->addWidget(m_language);
    choices->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_print);
    bottom->addSpacing(24);
    bottom->addWidget(new QLabel(texts.text));
    bottom->addWidget(m_textList, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    connect(m_meals, &QSpinBox::valueChanged, this, &RecipePageView::choiceMade);
    connect(m_days, &QSpinBox::valueChanged, this, &RecipePageView::choiceMade);
    connect(m_language, &QComboBox::activated, this, &RecipePageView::choiceMade);

    connect(m_textList, &QComboBox::activated, this, [this](int index) {
        const size_t blocks = m_form.recipe().textBlocks.size();
        m_page.textListClosed(index);
        if (m_form.recipe().textBlocks.size() != blocks)
            m_form.markChanged();
        fitTextBlockRows(m_page.grid(), m_page.firstTextRow());
    });
    connect(m_print, &QPushButton::clicked, this, &RecipePageView::print);
    // A text block goes again as a feedstuff row of the ration does: on a
    // click and a "Ja".
    connect(&m_page.grid(), &GridModel::clicked, this, [this](int row, int) {
        if (m_page.removeTextBlockAt(row, m_prompt)) {
            m_form.markChanged();
            fitTextBlockRows(m_page.grid(), m_page.firstTextRow());
        }
    });
}

void RecipePageView::showChoices()
{
    const QSignalBlocker mealsBlocker(m_meals);
    const QSignalBlocker daysBlocker(m_days);
    m_meals->setValue(m_page.meals());
    m_days->setValue(m_page.batchDays());
    m_language->setCurrentIndex(m_language->findData(m_page.language()));
}

void RecipePageView::choiceMade()
{
    m_page.setMeals(m_meals->value());
    m_page.setBatchDays(m_days->value());
    m_page.setLanguage(m_language->currentData().toString());
    m_form.markChanged();
    refresh();
}

QString RecipePageView::printTitle(const QString& languageCode)
{
    return CaseHeaderForm::windowTitle(languageCode);
}

void RecipePageView::fitTitleRow(GridModel& recipe)
{
    const int needed = GridCellPainter::neededHeight(recipe, RecipePage::TitleRow, RecipePage::NameColumn);
    if (needed > recipe.rowHeight(RecipePage::TitleRow))
        recipe.setRowHeight(RecipePage::TitleRow, needed);
}

void RecipePageView::fitTextBlockRows(GridModel& recipe, int firstTextRow)
{
    // The rule counts a hundred characters to a line, as Tahoma sets them;
    // a wider stand-in face would push the first lines out of the
    // bottom-aligned cell. Cell margins: 3 pixels a side plus the grid line.
    constexpr qreal HorizontalMargins = 7;
    constexpr int VerticalMargins = 3;
    // Printer and screen metrics differ by a pixel or two.
    constexpr int Slack = 2;
    const int col = RecipePage::NameColumn;
    for (int row = firstTextRow; row < recipe.rowCount(); ++row) {
        const QFontMetricsF metrics(GridCellPainter::toFont(recipe.font(row, col)));
        const QRectF needed =
            metrics.boundingRect(QRectF(0, 0, recipe.columnWidth(col) - HorizontalMargins, 1e6),
                                 Qt::TextWordWrap, recipe.text(row, col));
        const int height = int(std::ceil(needed.height())) + VerticalMargins + Slack;
        if (height > recipe.rowHeight(row))
            recipe.setRowHeight(row, height);
    }
}

void RecipePageView::refresh()
{
    // The case type or species may have changed since the last build, or
    // the case been stored and read again.
    showChoices();
    m_page.rebuild();
    fitTitleRow(m_page.grid());
    fitTextBlockRows(m_page.grid(), m_page.firstTextRow());
}

void RecipePageView::print()
{
    reportPrint(GridPrinter::printWithDialog(*m_grid, GridPrinter::Furniture{QString(), false}), m_prompt,
                m_context.languageCode());
}

bool RecipePageView::printToPdf(const GridModel& recipe, const QString& languageCode, const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(printTitle(languageCode));
    return GridPrinter::print({&recipe}, GridPrinter::Furniture{QString(), false}, printer);
}
