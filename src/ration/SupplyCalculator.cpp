#include "ration/SupplyCalculator.h"

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
    RationModel& model = m_grids.model();
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

    // The rows recalculated start from their amounts as typed and without
    // contributions: an emptied amount takes them with it, so the supply
    // never counts an amount that is no longer there.
    const auto reset = [&](int row) {
        m_grids.takeAmount(row);
        RationFeed& feed = model.feeds[size_t(row - FirstFeedRow)];
        feed.contents.assign(model.nutrients.size(), std::nullopt);
        feed.contributions.assign(model.nutrients.size(), std::nullopt);
    };
    if (caseKey.isEmpty()) {
        const int row = m_grids.feedRow(feedKey);
        if (row >= 0)
            reset(row);
    } else {
        for (size_t f = 0; f < model.feeds.size(); ++f)
            reset(FirstFeedRow + int(f));
    }

    QHash<int, size_t> columnOfNutrient;
    for (size_t c = model.nutrients.size(); c-- > 0;)
        columnOfNutrient.insert(model.nutrients[c].key, c);

    RecordSet rs;
    if (rs.openRecordset(m_context.db(), sql)) {
        for (; !rs.isEof(); rs.moveNext()) {
            int feedKeyRead = 0;
            int nutrient = 0;
            double content = 0.0;
            rs.getFieldLong(QStringLiteral("ID_FM"), feedKeyRead);
            rs.getFieldLong(QStringLiteral("ID_NAEHRSTOFF"), nutrient);
            rs.getFieldDouble(QStringLiteral("Menge"), content);
            const int index = model.feedIndex(feedKeyRead);
            const auto column = columnOfNutrient.constFind(nutrient);
            if (index < 0 || column == columnOfNutrient.cend())
                continue;
            RationFeed& feed = model.feeds[size_t(index)];
            feed.contents[column.value()] = content;
            if (feed.hasAmount())
                feed.contributions[column.value()] = content * feed.grams * 0.01;
        }
    }
    sumSupply();
    m_indicators.evaluateIndicators();
}

void SupplyCalculator::sumSupply()
{
    m_grids.model().sumSupply();
    m_grids.showRation();
}
