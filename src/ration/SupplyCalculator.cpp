#include "ration/SupplyCalculator.h"

#include "core/NumberText.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderSource.h"
#include "ration/IndicatorCalculator.h"
#include "ration/NutrientColumns.h"
#include "ration/RationGrids.h"

#include <QHash>

using namespace NutrientColumns;

SupplyCalculator::SupplyCalculator(AppContext& context, const CaseHeaderSource& header, RationGrids& grids,
                                   IndicatorCalculator& indicators)
    : m_context(context)
    , m_header(header)
    , m_grids(grids)
    , m_indicators(indicators)
{
}

void SupplyCalculator::recalcContributions(const QString& feedKey, const QString& /*amount*/)
{
    // The amount argument is not trusted: the row's cell is what the user sees.
    GridModel& grid = m_grids.ration();
    const QString caseKey = m_header.pendingCaseKey();
    const QString select = QStringLiteral("SELECT T_FM_NAEHRSTOFF.ID_FM, T_FM_NAEHRSTOFF.ID_NAEHRSTOFF, "
                                          "T_FM_NAEHRSTOFF.Menge ");
    const QString sql =
        !caseKey.isEmpty()
            ? select +
                  QStringLiteral("FROM T_REZ_FM INNER JOIN T_FM_NAEHRSTOFF ON T_REZ_FM.ID_Futtermittel = "
                                 "T_FM_NAEHRSTOFF.ID_FM ") +
                  QStringLiteral("WHERE T_REZ_FM.ID_Rezept= ") + caseKey +
                  QStringLiteral(" ORDER BY T_FM_NAEHRSTOFF.ID_FM")
            : select + QStringLiteral("FROM T_FM_NAEHRSTOFF WHERE T_FM_NAEHRSTOFF.ID_FM = ") + feedKey;

    // An emptied amount takes the row's contributions with it, so the supply
    // never counts an amount that is no longer there.
    if (caseKey.isEmpty()) {
        const int row = m_grids.feedRow(feedKey.trimmed());
        if (row >= 0 && grid.text(row, RationGrids::AmountColumn).trimmed().isEmpty()) {
            for (int c = FirstColumn; c < grid.columnCount(); ++c)
                grid.setText(row, c, QString());
        }
    }

    QHash<int, int> columnOfNutrient;
    for (int c = grid.columnCount() - 1; c >= FirstColumn; --c)
        columnOfNutrient.insert(NumberText::readWhole(grid.text(KeyRow, c)), c);

    RecordSet rs;
    if (rs.openRecordset(m_context.db(), sql)) {
        int previousFeed = 0;
        bool first = true;
        int row = -1;
        QString amountText;
        double amount = 0.0;
        for (; !rs.isEof(); rs.moveNext()) {
            int feed = 0;
            int nutrient = 0;
            double content = 0.0;
            rs.getFieldLong(QStringLiteral("ID_FM"), feed);
            rs.getFieldLong(QStringLiteral("ID_NAEHRSTOFF"), nutrient);
            rs.getFieldDouble(QStringLiteral("Menge"), content);
            if (first || feed != previousFeed) {
                first = false;
                previousFeed = feed;
                row = m_grids.feedRow(QString::number(feed));
                amountText = row < 0 ? QString() : grid.text(row, RationGrids::AmountColumn).trimmed();
                amount = NumberText::read(amountText);
            }
            const auto column = columnOfNutrient.constFind(nutrient);
            if (row < 0 || column == columnOfNutrient.cend() || amountText.isEmpty())
                continue;
            const int c = column.value();
            grid.setText(row, c, NumberText::format(content * amount * 0.01, decimals(grid, c)));
            grid.setReadOnly(row, c, true);
            grid.setAlignment(row, c, GridAlign::Right | GridAlign::Bottom);
        }
    }
    sumSupply();
    m_indicators.evaluateIndicators();
    grid.redraw();
    m_grids.profile().redraw();
}

void SupplyCalculator::sumSupply()
{
    GridModel& grid = m_grids.ration();
    for (int c = FirstColumn; c < grid.columnCount(); ++c)
        grid.setText(SupplyRow, c, QString());
    if (grid.rowCount() > FirstFeedRow) {
        for (int c = FirstColumn; c < grid.columnCount(); ++c) {
            double sum = 0.0;
            for (int row = FirstFeedRow; row < grid.rowCount(); ++row)
                sum += NumberText::read(grid.text(row, c));
            writeFigure(grid, SupplyRow, c, sum);
            grid.setBackground(SupplyRow, c, ComputedBackground);
        }
    }
    grid.redraw();
}
