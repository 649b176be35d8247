#include "ration/BalanceData.h"

#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "ration/CaseHeaderForm.h"

#include <QSet>

#include <cmath>

namespace {

// Feedstuff keys as SQL, from the numbers they read as.
QString keyList(const QList<int>& keys)
{
    QStringList texts;
    for (const int key : keys)
        texts << QString::number(key);
    return texts.join(QLatin1Char(','));
}

QHash<int, QHash<int, double>> contents(AppContext& context, const QList<int>& feeds)
{
    QHash<int, QHash<int, double>> byFeed;
    if (feeds.isEmpty())
        return byFeed;
    RecordSet rs;
    if (!rs.openRecordset(context.db(),
                          QStringLiteral("SELECT ID_FM, ID_NAEHRSTOFF, Menge FROM T_FM_NAEHRSTOFF "
                                         "WHERE ID_FM IN (") +
                              keyList(feeds) + QStringLiteral(")")))
        return byFeed;
    for (; !rs.isEof(); rs.moveNext()) {
        int feed = 0;
        int nutrient = 0;
        double amount = 0.0;
        rs.getFieldLong(QStringLiteral("ID_FM"), feed);
        rs.getFieldLong(QStringLiteral("ID_NAEHRSTOFF"), nutrient);
        rs.getFieldDouble(QStringLiteral("Menge"), amount);
        byFeed[feed].insert(nutrient, amount);
    }
    return byFeed;
}

const QString SupplementJoin =
    QStringLiteral(
        "FROM T_FUTTERMITTEL INNER JOIN T_FM_KAT ON T_FM_KAT.ID_FM = T_FUTTERMITTEL.ID "
        "WHERE T_FM_KAT.ID_FM_KATEGORIE = %1 AND T_FM_KAT.AKTIV <> 0 AND T_FUTTERMITTEL.AKTIV <> 0 ")
        .arg(BalanceData::SupplementCategory);

QSet<int> supplementsAmong(AppContext& context, const QList<int>& feeds)
{
    QSet<int> supplements;
    RecordSet rs;
    if (feeds.isEmpty() ||
        !rs.openRecordset(context.db(), QStringLiteral("SELECT T_FUTTERMITTEL.ID ") + SupplementJoin +
                                            QStringLiteral("AND T_FUTTERMITTEL.ID IN (") + keyList(feeds) +
                                            QStringLiteral(")")))
        return supplements;
    for (; !rs.isEof(); rs.moveNext()) {
        int key = 0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        supplements.insert(key);
    }
    return supplements;
}

std::vector<BalanceFeed> shippedSupplements(AppContext& context)
{
    std::vector<BalanceFeed> supplements;
    RecordSet rs;
    const QString name = QStringLiteral("BEZ_") + context.languageCode();
    if (!rs.openRecordset(context.db(), QStringLiteral("SELECT T_FUTTERMITTEL.ID, T_FUTTERMITTEL.") + name +
                                            QLatin1Char(' ') + SupplementJoin +
                                            QStringLiteral("AND T_FUTTERMITTEL.EIGEN = 'M' "
                                                           "ORDER BY T_FUTTERMITTEL.ID")))
        return supplements;
    for (; !rs.isEof(); rs.moveNext()) {
        BalanceFeed feed;
        int key = 0;
        rs.getFieldLong(QStringLiteral("ID"), key);
        rs.getFieldText(name, feed.name);
        feed.key = QString::number(key);
        feed.supplement = true;
        supplements.push_back(feed);
    }
    return supplements;
}

} // namespace

BalanceInput BalanceData::read(AppContext& context, CaseHeaderForm& form)
{
    BalanceInput input;
    const RationModel& ration = form.ration().model();
    for (const RationColumn& column : ration.nutrients) {
        BalanceNutrient nutrient;
        nutrient.key = column.key;
        nutrient.name = column.name.trimmed();
        // The requirement the page shows: what the balancing meets is what
        // the vet sees covered.
        nutrient.requirement = column.rounded(column.requirement).value_or(0.0);
        nutrient.marked = column.marked;
        input.nutrients.push_back(nutrient);
    }
    for (const RationColumn& indicator : ration.indicators)
        input.indicatorNames.insert(indicator.key, indicator.name.trimmed());
    input.maxima = ration.maxima;

    QList<int> keys;
    for (const RationFeed& row : ration.feeds) {
        BalanceFeed feed;
        feed.key = QString::number(row.key);
        feed.name = row.name.trimmed();
        feed.grams = std::isfinite(row.grams) && row.grams > 0.0 ? row.grams : 0.0;
        keys << row.key;
        input.feeds.push_back(feed);
    }
    input.supplements = shippedSupplements(context);
    QList<int> all = keys;
    for (const BalanceFeed& supplement : input.supplements)
        all << supplement.key.toInt();
    const QHash<int, QHash<int, double>> stored = contents(context, all);
    const QSet<int> supplements = supplementsAmong(context, keys);
    for (size_t f = 0; f < input.feeds.size(); ++f) {
        input.feeds[f].content = stored.value(keys[qsizetype(f)]);
        input.feeds[f].supplement = supplements.contains(keys[qsizetype(f)]);
    }
    for (BalanceFeed& supplement : input.supplements)
        supplement.content = stored.value(supplement.key.toInt());
    return input;
}

std::optional<BalanceFeed> BalanceData::feed(AppContext& context, int number)
{
    RecordSet rs;
    const QString name = QStringLiteral("BEZ_") + context.languageCode();
    if (!rs.openRecordset(context.db(), QStringLiteral("SELECT ") + name +
                                            QStringLiteral(" FROM T_FUTTERMITTEL WHERE ID = ") +
                                            QString::number(number)) ||
        rs.isEof())
        return std::nullopt;
    BalanceFeed feed;
    feed.key = QString::number(number);
    rs.getFieldText(name, feed.name);
    feed.content = contents(context, {number}).value(number);
    feed.supplement = supplementsAmong(context, {number}).contains(number);
    return feed;
}

QString BalanceData::feedListQuery(const QString& languageCode)
{
    return QStringLiteral("SELECT ID AS ITEMDATA, BEZ_") + languageCode +
           QStringLiteral(" AS ITEMTEXT FROM T_FUTTERMITTEL WHERE AKTIV <> 0");
}
