#include "output/gui/RecipePageView.h"

#include "db/AppContext.h"
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
#include <QVBoxLayout>

#include <cmath>

RecipePageView::RecipePageView(AppContext& context, Prompt& prompt, CaseHeaderForm& form, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_prompt(prompt)
    , m_form(form)
    , m_texts(form)
    , m_page(context, m_texts, form.ration().model())
{
    setObjectName(QStringLiteral("RecipePage"));
    m_page.build();
    fitTitleRow(m_page.grid());
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

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_print);
    bottom->addSpacing(24);
    bottom->addWidget(new QLabel(texts.text));
    bottom->addWidget(m_textList, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);

    connect(m_textList, &QComboBox::activated, this, [this](int index) {
        m_page.textListClosed(index);
        fitTextBlockRows(m_page.grid(), RecipePage::FirstFeedRow + m_page.feedRowCount());
    });
    connect(m_print, &QPushButton::clicked, this, &RecipePageView::print);
    // A text block goes again as a feedstuff row of the ration does: on a
    // click and a "Ja".
    connect(&m_page.grid(), &GridModel::clicked, this, [this](int row, int) {
        if (m_page.removeTextBlockAt(row, m_prompt))
            fitTextBlockRows(m_page.grid(), RecipePage::FirstFeedRow + m_page.feedRowCount());
    });
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
    // The case type or species may have changed since the last build.
    m_page.rebuild();
    fitTitleRow(m_page.grid());
    fitTextBlockRows(m_page.grid(), RecipePage::FirstFeedRow + m_page.feedRowCount());
}

void RecipePageView::print()
{
    reportPrint(GridPrinter::printWithDialog(*m_grid), m_prompt, m_context.languageCode());
}

bool RecipePageView::printToPdf(const GridModel& recipe, const QString& languageCode, const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(printTitle(languageCode));
    return GridPrinter::print(recipe, printTitle(languageCode), printer);
}
