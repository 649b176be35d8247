#include "ration/RationGrids.h"

#include "core/Codes.h"
#include "core/Lang.h"
#include "core/NumberText.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/CaseRecord.h"
#include "ration/CaseType.h"
#include "ration/NutrientColumns.h"
#include "ration/RationPageTexts.h"

#include <algorithm>

using namespace NutrientColumns;

namespace {

struct RowLayout
{
    int row;
    int height;
};

// The rows below the supply carry data only, so they are hidden; the formula
// row opens to one pixel once formulas are placed. The maximum row opens when
// a maximum applies.
constexpr RowLayout HeaderRowHeights[] = {
    {NameRow, 50},    {UnitRow, 20}, {RequirementRow, 20}, {MaximumRow, 0}, {SupplyRow, 20}, {KeyRow, 0},
    {DecimalsRow, 0}, {ShownRow, 0}, {KindRow, 0},         {FixedRow, 0},   {FormulaRow, 0}};

// A typed amount into the feedstuff's row of the model.
void takeTyped(RationFeed& feed, const QString& amount)
{
    feed.amountText = amount.trimmed();
    feed.grams = NumberText::read(feed.amountText);
}

} // namespace

RationGrids::RationGrids(AppContext& context, const CaseHeaderSource& header)
    : m_context(context)
    , m_header(header)
{
}

int RationGrids::fittingWidth(const GridModel& g, int column, int width) const
{
    if (!m_cellWidth)
        return width;
    // The heading wraps into the name row's lines, the unit has one line.
    return std::max({width, m_cellWidth(g, NameRow, column), m_cellWidth(g, UnitRow, column)});
}

int RationGrids::selectedWidth(const GridModel& g, int column) const
{
    int width = fittingWidth(g, column, SelectedWidth);
    if (!m_cellWidth)
        return width;
    // The rows of figures that are shown; the data rows below the supply are
    // hidden (the formula row opens to a pixel and must not count).
    const auto measure = [&](int row) {
        if (g.rowHeight(row) > 0)
            width = std::max(width, m_cellWidth(g, row, column));
    };
    for (int row : {RequirementRow, MaximumRow, SupplyRow})
        measure(row);
    for (int row = FirstFeedRow; row < g.rowCount(); ++row)
        measure(row);
    return width;
}

void RationGrids::fitFigureColumns()
{
    if (!m_cellWidth)
        return;
    for (GridModel* g : {&m_ration, &m_profile}) {
        for (int c = FirstColumn; c < g->columnCount(); ++c) {
            if (g->columnWidth(c) > UnselectedWidth)
                g->setColumnWidth(c, selectedWidth(*g, c));
        }
    }
}

void RationGrids::fitHeadingColumns(GridModel& g) const
{
    for (int column : {NameColumn, AmountColumn}) {
        if (g.columnWidth(column) > 0)
            g.setColumnWidth(column, fittingWidth(g, column, g.columnWidth(column)));
    }
}

void RationGrids::startGrid(GridModel& g, Rgb background, int fixedColumns, int nameWidth, int amountWidth)
{
    g.clear();
    g.setDefaultFont(cellFont());
    g.setDefaultBackground(background);
    g.setFixedBackground(background);
    g.setColumnCount(3);
    g.setRowCount(FirstFeedRow);
    g.setFixedColumnCount(fixedColumns);
    // The rows below the supply carry each column's key, decimals, marks and
    // formula; frozen with the head, no cursor reaches them and nothing typed
    // replaces them.
    g.setFixedRowCount(FirstFeedRow);
    for (const RowLayout& layout : HeaderRowHeights)
        g.setRowHeight(layout.row, layout.height);
    g.setColumnWidth(KeyColumn, 0);
    g.setColumnWidth(NameColumn, nameWidth);
    g.setColumnWidth(AmountColumn, amountWidth);
}

void RationGrids::buildRationGrid()
{
    GridModel& g = m_ration;
    startGrid(g, RationBackground, 2, 265, 48);

    using namespace RationPageTexts;
    const QString code = m_context.languageCode();
    g.setText(NameRow, NameColumn, NutrientsHeading.onlyIn(code));
    g.setText(NameRow, AmountColumn, AmountHeading.onlyIn(code));
    g.setText(UnitRow, NameColumn, UnitsHeading.onlyIn(code));
    g.setText(UnitRow, AmountColumn, GramsPerDayHeading.onlyIn(code));
    g.setText(RequirementRow, NameColumn, RequirementHeading.onlyIn(code));
    g.setText(MaximumRow, NameColumn, MaximumHeading.onlyIn(code));
    g.setText(SupplyRow, NameColumn, SupplyHeading.onlyIn(code));
    for (int column : {NameColumn, AmountColumn}) {
        g.setBackground(RequirementRow, column, ComputedBackground);
        g.setBackground(MaximumRow, column, ComputedBackground);
        g.setBackground(SupplyRow, column, ComputedBackground);
    }
    fitHeadingColumns(g);
    m_model.feeds.clear();
    buildGrid(g, m_model.nutrients, Codes::Ingredient);
}

void RationGrids::buildProfileGrid()
{
    GridModel& g = m_profile;
    startGrid(g, ProfileBackground, 3, 255, 0);
    // The profile has no supply of its own.
    g.setRowHeight(SupplyRow, 0);

    using namespace RationPageTexts;
    const QString code = m_context.languageCode();
    g.setText(NameRow, NameColumn, ProfileHeading.onlyIn(code));
    g.setText(UnitRow, NameColumn, UnitsHeading.onlyIn(code));
    g.setText(RequirementRow, NameColumn, ResultsHeading.onlyIn(code));
    for (int row : {NameRow, UnitRow, RequirementRow})
        g.setText(row, AmountColumn, QStringLiteral(">>>"));
    fitHeadingColumns(g);
    buildGrid(g, m_model.indicators, Codes::Indicator);
}

void RationGrids::buildGrid(GridModel& g, std::vector<RationColumn>& columns, const QString& kind)
{
    columns.clear();
    const QString code = m_context.languageCode();
    RecordSet rs;
    if (rs.openRecordset(m_context.db(),
                         QStringLiteral("SELECT ID, KUERZEL_") + code + QStringLiteral(", ME_") + code +
                             QStringLiteral(", NK_STELLEN, KZ_IK, BERTYP_RELEVANT") +
                             QStringLiteral(" FROM T_NAEHRSTOFFE WHERE AKTIV = TRUE AND KZ_IK = '") + kind +
                             QStringLiteral("' ORDER BY SORT"))) {
        for (; !rs.isEof(); rs.moveNext()) {
            QString key, shortName, unit, decimalsText, kindText;
            rs.getFieldText(QStringLiteral("ID"), key);
            rs.getFieldText(QStringLiteral("KUERZEL_") + code, shortName);
            rs.getFieldText(QStringLiteral("ME_") + code, unit);
            rs.getFieldText(QStringLiteral("NK_STELLEN"), decimalsText);
            rs.getFieldText(QStringLiteral("KZ_IK"), kindText);

            const int c = g.columnCount();
            g.setColumnCount(c + 1);
            g.setText(MarkRow, c, QStringLiteral(" "));
            g.setText(NameRow, c, shortName);
            g.setAlignment(NameRow, c, GridAlign::Centre | GridAlign::Bottom | GridAlign::WordWrap);
            g.setText(UnitRow, c, unit);
            g.setAlignment(UnitRow, c, GridAlign::Centre | GridAlign::Bottom);
            g.setText(RequirementRow, c, QStringLiteral(" "));
            g.setText(MaximumRow, c, QString());
            g.setText(SupplyRow, c, QStringLiteral(" "));
            g.setText(KeyRow, c, key);
            g.setText(DecimalsRow, c, decimalsText);
            g.setText(ShownRow, c, QStringLiteral("J"));
            g.setText(KindRow, c, kindText);
            g.setText(FixedRow, c, QStringLiteral("0"));
            g.setText(FormulaRow, c, QString());
            g.setColumnWidth(c, UnselectedWidth);

            RationColumn column;
            column.key = NumberText::readWhole(key);
            column.name = shortName;
            column.unit = unit;
            column.decimals = NumberText::decimalsOf(decimalsText);
            columns.push_back(column);
        }
    }
    g.redraw();
}

std::vector<RationColumn>& RationGrids::columnsOf(const GridModel& grid)
{
    return &grid == &m_profile ? m_model.indicators : m_model.nutrients;
}

void RationGrids::applyCaseNutrientSelection(GridModel& g)
{
    const QString key = QString::number(CaseType::nutrientSelectionKey(m_header.caseTypeKey()));
    RecordSet rs;
    if (!rs.openRecordset(
            m_context.db(),
            QStringLiteral("SELECT ID_Naehrstoff, FIXED FROM T_FALL_NAEHRSTOFF WHERE ID_FALL = ") + key +
                QStringLiteral(" AND AKTIV = TRUE")))
        return;
    std::vector<RationColumn>& columns = columnsOf(g);
    for (RationColumn& column : columns) {
        column.marked = false;
        column.fixed = false;
    }
    for (int c = FirstColumn; c < g.columnCount(); ++c) {
        g.setText(MarkRow, c, QStringLiteral(" "));
        g.setText(FixedRow, c, QStringLiteral("0"));
        g.setColumnWidth(c, UnselectedWidth);
        g.setBackground(MarkRow, c, UnselectedBackground);
        g.setBackground(NameRow, c, UnselectedBackground);
    }
    for (; !rs.isEof(); rs.moveNext()) {
        int nutrient = 0;
        int fixed = 0;
        rs.getFieldLong(QStringLiteral("ID_Naehrstoff"), nutrient);
        rs.getFieldLong(QStringLiteral("FIXED"), fixed);
        const int c = find(g, QString::number(nutrient));
        if (c < 0)
            continue;
        g.setColumnWidth(c, selectedWidth(g, c));
        g.setText(MarkRow, c, Codes::Mark);
        g.setAlignment(MarkRow, c, GridAlign::Centre);
        g.setBackground(NameRow, c, fixed != 0 ? FixedSelectedBackground : SelectedBackground);
        g.setText(FixedRow, c, QString::number(fixed));
        columns[size_t(c - FirstColumn)].marked = true;
        columns[size_t(c - FirstColumn)].fixed = fixed != 0;
    }
    g.redraw();
}

QString RationGrids::lookupRequirement(const QString& key) const
{
    const RationColumn* column = m_model.nutrient(NumberText::readWhole(key));
    return column ? column->shown(column->requirement) : QString();
}

QString RationGrids::lookupSupply(const QString& key) const
{
    const RationColumn* column = m_model.nutrient(NumberText::readWhole(key));
    return column ? column->shown(column->supply) : QString();
}

void RationGrids::showFigures(GridModel& g, const std::vector<RationColumn>& columns, bool computedBackground)
{
    bool anyFormula = false;
    for (size_t i = 0; i < columns.size() && FirstColumn + int(i) < g.columnCount(); ++i) {
        const RationColumn& column = columns[i];
        const int c = FirstColumn + int(i);
        g.setText(FormulaRow, c, column.formula);
        anyFormula = anyFormula || !column.formula.trimmed().isEmpty();
        if (column.requirement) {
            writeFigure(g, RequirementRow, c, *column.requirement);
            if (computedBackground)
                g.setBackground(RequirementRow, c, ComputedBackground);
        } else {
            g.setText(RequirementRow, c, QString());
        }
    }
    // The formula row opens to a pixel once formulas are placed.
    if (anyFormula)
        g.setRowHeight(FormulaRow, 1);
}

void RationGrids::showRation()
{
    GridModel& g = m_ration;
    showFigures(g, m_model.nutrients, true);
    for (size_t i = 0; i < m_model.nutrients.size() && FirstColumn + int(i) < g.columnCount(); ++i) {
        const RationColumn& column = m_model.nutrients[i];
        const int c = FirstColumn + int(i);
        if (column.supply) {
            writeFigure(g, SupplyRow, c, *column.supply);
            g.setBackground(SupplyRow, c, ComputedBackground);
        } else {
            g.setText(SupplyRow, c, QString());
        }
        for (size_t f = 0; f < m_model.feeds.size(); ++f) {
            const int row = FirstFeedRow + int(f);
            const RationFeed& feed = m_model.feeds[f];
            const std::optional<double> contribution =
                i < feed.contributions.size() ? feed.contributions[i] : std::nullopt;
            g.setText(row, c, column.shown(contribution));
            if (contribution)
                g.setAlignment(row, c, GridAlign::Right | GridAlign::Bottom);
        }
    }
    g.redraw();
}

void RationGrids::showProfile()
{
    showFigures(m_profile, m_model.indicators, false);
    m_profile.redraw();
}

void RationGrids::takeAmount(int row)
{
    const size_t index = size_t(row - FirstFeedRow);
    if (row >= FirstFeedRow && index < m_model.feeds.size())
        takeTyped(m_model.feeds[index], m_ration.text(row, AmountColumn));
}

void RationGrids::setAmount(int row, const QString& amount)
{
    m_ration.setText(row, AmountColumn, amount);
    takeAmount(row);
}

void RationGrids::removeFeedRow(int row)
{
    const size_t index = size_t(row - FirstFeedRow);
    if (row < FirstFeedRow || index >= m_model.feeds.size())
        return;
    m_ration.deleteRow(row);
    m_model.feeds.erase(m_model.feeds.begin() + qsizetype(index));
}

void RationGrids::fillRationRows(const QString& caseKey)
{
    m_ration.setRowCount(FirstFeedRow);
    m_model.feeds.clear();
    for (const CaseRecordFeed& feed : CaseRecords::readRation(m_context, caseKey)) {
        // At least one decimal, as the ration has always shown its amounts,
        // and as many more as the stored amount holds: a pure substance's
        // hundredth of a milligram keeps its four significant digits.
        appendFeedRow(QString::number(feed.key), feed.name, NumberText::formatShortest(feed.grams, 1, 10));
    }
    m_ration.redraw();
}

int RationGrids::appendFeedRow(const QString& key, const QString& name, const QString& amount)
{
    GridModel& g = m_ration;
    const int row = g.appendRow();
    g.setRowHeight(row, 20);
    g.setText(row, KeyColumn, key);
    g.setText(row, NameColumn, name);
    g.setBackground(row, NameColumn, RationBackground);
    g.setText(row, AmountColumn, amount);
    g.setBackground(row, AmountColumn, AmountBackground);
    g.setAlignment(row, AmountColumn, GridAlign::Right | GridAlign::Bottom);
    g.setReadOnly(row, AmountColumn, false);
    for (int c = FirstColumn; c < g.columnCount(); ++c) {
        g.setText(row, c, QString());
        g.setReadOnly(row, c, true);
    }
    RationFeed feed;
    feed.key = NumberText::readWhole(key);
    feed.name = name;
    takeTyped(feed, amount);
    feed.contents.resize(m_model.nutrients.size());
    feed.contributions.resize(m_model.nutrients.size());
    m_model.feeds.push_back(feed);
    g.redraw();
    return row;
}

int RationGrids::addFeed(const QString& key)
{
    if (feedRow(key) >= 0)
        return -1;
    RecordSet rs;
    if (!rs.openRecordset(m_context.db(),
                          QStringLiteral("SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.Bez_") +
                              m_context.languageCode() + QStringLiteral(" AS BEZ ") +
                              QStringLiteral("FROM T_FUTTERMITTEL WHERE T_FUTTERMITTEL.ID = ") +
                              QString::number(key.toLongLong())) ||
        rs.isEof())
        return -1;
    QString name;
    rs.getFieldText(QStringLiteral("BEZ"), name);
    return appendFeedRow(key, name, QString());
}

int RationGrids::feedRow(const QString& key) const
{
    const QString trimmed = key.trimmed();
    bool isNumber = false;
    const int number = trimmed.toInt(&isNumber);
    const int index = isNumber ? m_model.feedIndex(number) : -1;
    return index < 0 ? -1 : FirstFeedRow + index;
}

int RationGrids::feedRowCount() const
{
    return int(m_model.feeds.size());
}
