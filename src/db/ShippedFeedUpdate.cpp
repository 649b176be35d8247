#include "db/ShippedFeedUpdate.h"

#include "core/Codes.h"
#include "core/Lang.h"
#include "db/DatabaseTexts.h"
#include "db/SqlQuote.h"

#include <QHash>
#include <QLocale>
#include <QSet>

#include <cmath>

namespace {

using DatabaseCreator::TableData;
using Field = std::optional<QString>;

QString text(const Field& field)
{
    return field.value_or(QString());
}

// A date as a server's timestamp column gives it back: with its midnight.
QString withoutMidnight(const Field& field)
{
    QString value = text(field).trimmed();
    if (value.size() == 19 && value.endsWith(QLatin1String(" 00:00:00")))
        value.chop(9);
    return value;
}

// Two stored values are the same when their texts are, or when both read as
// the same number ("131" and "131.0", "-1" and "-1"); a date is the same at
// its midnight.
bool sameValue(const Field& a, const Field& b)
{
    const QString left = withoutMidnight(a);
    const QString right = withoutMidnight(b);
    if (left == right)
        return true;
    bool leftIsNumber = false;
    bool rightIsNumber = false;
    const double x = left.toDouble(&leftIsNumber);
    const double y = right.toDouble(&rightIsNumber);
    return leftIsNumber && rightIsNumber &&
           std::abs(x - y) <= 1e-9 * std::max({1.0, std::abs(x), std::abs(y)});
}

// Two keys as one ("7/28": a requirement type and a nutrient), whether read
// back from the database or from the shipped files.
QString pairOf(const QString& first, const QString& second)
{
    return first.trimmed() + QLatin1Char('/') + second.trimmed();
}

int columnOf(const TableData& data, const char* name)
{
    return int(data.columns.indexOf(QLatin1String(name), 0));
}

// The data without the named column, so that the database gives new keys.
TableData without(const TableData& data, const char* column)
{
    TableData result;
    result.table = data.table;
    const int drop = columnOf(data, column);
    for (int c = 0; c < int(data.columns.size()); ++c)
        if (c != drop)
            result.columns << data.columns[c];
    return result;
}

std::vector<Field> rowWithout(const std::vector<Field>& row, int drop)
{
    std::vector<Field> result;
    for (int c = 0; c < int(row.size()); ++c)
        if (c != drop)
            result.push_back(row[size_t(c)]);
    return result;
}

QString keyList(const QList<qint64>& keys)
{
    QStringList texts;
    for (qint64 key : keys)
        texts << QString::number(key);
    return texts.join(QLatin1String(", "));
}

class Update
{
public:
    Update(UpgradeStore& store, ShippedFeedReport& report)
        : m_store(store)
        , m_report(report)
    {
    }
    bool run();
    QString error() const { return m_error; }

private:
    bool read(const char* table, TableData& data);
    bool feedstuffs();
    bool requirements();
    bool nutrients();

    UpgradeStore& m_store;
    ShippedFeedReport& m_report;
    QString m_error;
};

bool Update::read(const char* table, TableData& data)
{
    QString error;
    if (DatabaseCreator::readSystemTable(QLatin1String(table), data, &error))
        return true;
    m_error = error;
    return false;
}

bool Update::feedstuffs()
{
    TableData feeds, contents, memberships, categories, keys;
    if (!read("T_FUTTERMITTEL", feeds) || !read("T_FM_NAEHRSTOFF", contents) ||
        !read("T_FM_KAT", memberships) || !read("T_KATEGORIEN", categories) || !read("T_FM_KEY", keys))
        return false;
    const int idColumn = columnOf(feeds, "ID");
    const int activeColumn = columnOf(feeds, "AKTIV");
    const int contentFeed = columnOf(contents, "ID_FM");
    const int contentNutrient = columnOf(contents, "ID_NAEHRSTOFF");
    const int contentAmount = columnOf(contents, "MENGE");
    const int membershipFeed = columnOf(memberships, "ID_FM");
    if (idColumn < 0 || activeColumn < 0 || contentFeed < 0 || contentNutrient < 0 || contentAmount < 0 ||
        membershipFeed < 0) {
        m_error = QStringLiteral("the shipped feedstuff tables lack a column");
        return false;
    }

    QList<qint64> shippedKeys;
    for (const auto& row : feeds.rows)
        shippedKeys << text(row[size_t(idColumn)]).toLongLong();
    UpgradeStore::Rows present;
    if (!m_store.select(QStringLiteral("SELECT %1, EIGEN FROM T_FUTTERMITTEL WHERE ID IN (%2)")
                            .arg(feeds.columns.join(QLatin1String(", ")), keyList(shippedKeys)),
                        present))
        return false;
    QHash<qint64, std::vector<Field>> stored;
    QSet<qint64> taken; // keys a feedstuff of the practice holds
    QList<qint64> switchedOff;
    for (const auto& row : present) {
        const qint64 key = text(row[size_t(idColumn)]).toLongLong();
        if (text(row.back()).trimmed().compare(Codes::SystemOwner, Qt::CaseInsensitive) != 0) {
            taken.insert(key);
            continue;
        }
        stored.insert(key, row);
        if (sameValue(row[size_t(activeColumn)], QStringLiteral("0")))
            switchedOff << key;
    }

    TableData newFeeds = feeds;
    newFeeds.rows.clear();
    QList<qint64> updated;
    for (const auto& row : feeds.rows) {
        const qint64 key = text(row[size_t(idColumn)]).toLongLong();
        if (taken.contains(key))
            continue;
        updated << key;
        newFeeds.rows.push_back(row);
        const auto old = stored.constFind(key);
        if (old == stored.cend()) {
            ++m_report.addedFeeds;
            continue;
        }
        for (int c = 0; c < int(row.size()); ++c) {
            if (c != activeColumn && !sameValue(row[size_t(c)], old.value()[size_t(c)])) {
                ++m_report.changedFeeds;
                break;
            }
        }
    }
    if (updated.isEmpty())
        return true;

    // The contents as they are now, to tell what changes.
    UpgradeStore::Rows oldContents;
    if (!m_store.select(
            QStringLiteral("SELECT ID_FM, ID_NAEHRSTOFF, MENGE FROM T_FM_NAEHRSTOFF WHERE ID_FM IN (%1)")
                .arg(keyList(updated)),
            oldContents))
        return false;
    QHash<QPair<qint64, qint64>, Field> before;
    for (const auto& row : oldContents)
        before.insert({text(row[0]).toLongLong(), text(row[1]).toLongLong()}, row[2]);
    const QSet<qint64> updatedSet(updated.cbegin(), updated.cend());
    TableData newContents = without(contents, "ID");
    const int contentId = columnOf(contents, "ID");
    for (const auto& row : contents.rows) {
        const qint64 feed = text(row[size_t(contentFeed)]).toLongLong();
        if (!updatedSet.contains(feed))
            continue;
        newContents.rows.push_back(rowWithout(row, contentId));
        const auto old = before.find({feed, text(row[size_t(contentNutrient)]).toLongLong()});
        if (old == before.end()) {
            ++m_report.addedContents;
            continue;
        }
        if (!sameValue(old.value(), row[size_t(contentAmount)]))
            ++m_report.changedContents;
        before.erase(old);
    }
    m_report.removedContents += int(before.size());

    TableData newMemberships = without(memberships, "ID");
    const int membershipId = columnOf(memberships, "ID");
    for (const auto& row : memberships.rows)
        if (updatedSet.contains(text(row[size_t(membershipFeed)]).toLongLong()))
            newMemberships.rows.push_back(rowWithout(row, membershipId));
    QList<qint64> shippedCategories;
    for (const auto& row : categories.rows)
        shippedCategories << text(row[size_t(columnOf(categories, "ID"))]).toLongLong();

    const QString updatedKeys = keyList(updated);
    if (!m_store.exec(QStringLiteral("DELETE FROM T_FM_NAEHRSTOFF WHERE ID_FM IN (%1)").arg(updatedKeys)) ||
        !m_store.exec(QStringLiteral("DELETE FROM T_FM_KAT WHERE ID_FM IN (%1) AND ID_FM_KATEGORIE IN (%2)")
                          .arg(updatedKeys, keyList(shippedCategories))) ||
        !m_store.exec(QStringLiteral("DELETE FROM T_FUTTERMITTEL WHERE ID IN (%1)").arg(updatedKeys)) ||
        !m_store.insert(newFeeds) || !m_store.insert(newContents) || !m_store.insert(newMemberships))
        return false;
    if (!switchedOff.isEmpty() &&
        !m_store.exec(
            QStringLiteral("UPDATE T_FUTTERMITTEL SET AKTIV = 0 WHERE ID IN (%1)").arg(keyList(switchedOff))))
        return false;

    // The counter of system keys continues after the last shipped one.
    for (const auto& row : keys.rows) {
        const QString type = text(row[size_t(columnOf(keys, "FM_TYP"))]);
        const qint64 next = text(row[size_t(columnOf(keys, "ID_NEW"))]).toLongLong();
        if (type == Codes::SystemOwner &&
            !m_store.exec(QStringLiteral("UPDATE T_FM_KEY SET ID_NEW = %1 WHERE FM_TYP = 'M' AND ID_NEW < %1")
                              .arg(next)))
            return false;
    }
    return true;
}

// Requirement formulas for nutrients a requirement type of the database has
// none for, and those nutrients in its case types.
bool Update::requirements()
{
    TableData formulas, selection, caseTypes;
    if (!read("T_BEDARF", formulas) || !read("T_FALL_NAEHRSTOFF", selection) || !read("T_FALL", caseTypes))
        return false;
    UpgradeStore::Rows present, cases;
    if (!m_store.select(QStringLiteral("SELECT BERTYP_FALL, ID_NAEHRSTOFF FROM T_BEDARF"), present) ||
        !m_store.select(QStringLiteral("SELECT ID, BerTyp FROM T_FALL"), cases))
        return false;
    QSet<QString> known;
    for (const auto& row : present)
        known.insert(pairOf(text(row[0]), text(row[1])));
    QHash<QString, QString> typeOfCase;
    QSet<QString> types;
    for (const auto& row : cases) {
        typeOfCase.insert(text(row[0]).trimmed(), text(row[1]).trimmed());
        types.insert(text(row[1]).trimmed());
    }

    const int formulaType = columnOf(formulas, "BERTYP_FALL");
    const int formulaNutrient = columnOf(formulas, "ID_NAEHRSTOFF");
    TableData newFormulas = without(formulas, "ID");
    QSet<QString> added;
    for (const auto& row : formulas.rows) {
        const QString pair = pairOf(text(row[size_t(formulaType)]), text(row[size_t(formulaNutrient)]));
        if (known.contains(pair) || !types.contains(text(row[size_t(formulaType)])))
            continue;
        newFormulas.rows.push_back(rowWithout(row, columnOf(formulas, "ID")));
        added.insert(pair);
    }
    m_report.addedRequirements += int(added.size());
    if (added.isEmpty())
        return true;

    UpgradeStore::Rows shown;
    if (!m_store.select(QStringLiteral("SELECT ID_FALL, ID_Naehrstoff FROM T_FALL_NAEHRSTOFF"), shown))
        return false;
    QSet<QString> alreadyShown;
    for (const auto& row : shown)
        alreadyShown.insert(pairOf(text(row[0]), text(row[1])));
    const int selectionCase = columnOf(selection, "ID_FALL");
    const int selectionNutrient = columnOf(selection, "ID_Naehrstoff");
    TableData newSelection = without(selection, "ID");
    for (const auto& row : selection.rows) {
        const QString caseType = text(row[size_t(selectionCase)]);
        const QString nutrient = text(row[size_t(selectionNutrient)]);
        if (!typeOfCase.contains(caseType) || alreadyShown.contains(pairOf(caseType, nutrient)) ||
            !added.contains(pairOf(typeOfCase.value(caseType), nutrient)))
            continue;
        newSelection.rows.push_back(rowWithout(row, columnOf(selection, "ID")));
    }
    return m_store.insert(newFormulas) && m_store.insert(newSelection);
}

// The nutrients' units and whether a requirement exists follow the shipped data.
bool Update::nutrients()
{
    TableData shipped;
    if (!read("T_NAEHRSTOFFE", shipped))
        return false;
    // Units are named in the database's language, as the message will be.
    UpgradeStore::Rows language, stored;
    if (!m_store.select(QStringLiteral("SELECT Sprache FROM T_MSYV3SEC WHERE ID = 1"), language) ||
        !m_store.select(QStringLiteral("SELECT ID, KUERZEL_DE, KUERZEL_US, ME_DE, ME_US FROM T_NAEHRSTOFFE"),
                        stored))
        return false;
    const bool english = !language.empty() && text(language[0][0]).trimmed().toUpper() == Lang::English;
    QHash<qint64, std::vector<Field>> before;
    for (const auto& row : stored)
        before.insert(text(row[0]).toLongLong(), row);

    const int id = columnOf(shipped, "ID");
    const int unit = columnOf(shipped, english ? "ME_US" : "ME_DE");
    QStringList changedKeys;
    for (const auto& row : shipped.rows) {
        const qint64 key = text(row[size_t(id)]).toLongLong();
        QStringList assignments;
        for (const char* column : {"ME_DE", "ME_US", "BERTYP_RELEVANT"}) {
            const int c = columnOf(shipped, column);
            if (c < 0)
                continue;
            const QString value = text(row[size_t(c)]);
            assignments << QLatin1String(column) + QLatin1String(" = ") +
                               (QLatin1String(column).startsWith(QLatin1String("ME_"))
                                    ? Sql::quote(value)
                                    : QString::number(value.toInt()));
        }
        if (!m_store.exec(QStringLiteral("UPDATE T_NAEHRSTOFFE SET %1 WHERE ID = %2")
                              .arg(assignments.join(QLatin1String(", ")))
                              .arg(key)))
            return false;
        const auto old = before.constFind(key);
        if (old == before.cend() || unit < 0)
            continue;
        const QString oldUnit = text(old.value()[english ? 4 : 3]).trimmed();
        const QString newUnit = text(row[size_t(unit)]).trimmed();
        if (oldUnit != newUnit) {
            m_report.changedUnits << QStringLiteral("%1 (%2 → %3)")
                                         .arg(text(old.value()[english ? 2 : 1]).trimmed(), oldUnit, newUnit);
            changedKeys << QString::number(key);
        }
    }
    if (changedKeys.isEmpty())
        return true;
    // The practice typed its own values in the unit the nutrient had then.
    UpgradeStore::Rows own;
    if (!m_store.select(
            QStringLiteral(
                "SELECT DISTINCT %1 FROM T_FUTTERMITTEL INNER JOIN T_FM_NAEHRSTOFF ON "
                "T_FM_NAEHRSTOFF.ID_FM = T_FUTTERMITTEL.ID WHERE coalesce(T_FUTTERMITTEL.EIGEN, 'U') <> 'M' "
                "AND T_FM_NAEHRSTOFF.ID_NAEHRSTOFF IN (%2) ORDER BY 1")
                .arg(english ? QStringLiteral("BEZ_US") : QStringLiteral("BEZ_DE"),
                     changedKeys.join(QLatin1String(", "))),
            own))
        return false;
    for (const auto& row : own)
        m_report.ownFeedsToCheck << text(row[0]).trimmed();
    return true;
}

bool Update::run()
{
    return nutrients() && feedstuffs() && requirements();
}

} // namespace

QString ShippedFeedReport::message(const QString& languageCode) const
{
    const QLocale locale(languageCode == Lang::English ? QLocale::English : QLocale::German);
    const auto n = [&locale](int count) { return locale.toString(count); };
    QString text = DatabaseTexts::ShippedFeedsUpdated.in(languageCode)
                       .arg(n(addedFeeds), n(changedFeeds), n(addedContents), n(changedContents),
                            n(removedContents), n(addedRequirements));
    if (!changedUnits.isEmpty())
        text += DatabaseTexts::UnitsChanged.in(languageCode).arg(changedUnits.join(QLatin1String(", ")));
    if (!ownFeedsToCheck.isEmpty())
        text +=
            DatabaseTexts::OwnFeedsInOldUnit.in(languageCode).arg(ownFeedsToCheck.join(QLatin1String(", ")));
    return text;
}

QString ShippedFeedReport::failureMessage(const QString& languageCode) const
{
    return DatabaseTexts::UpgradeFailed.in(languageCode).arg(failure);
}

namespace ShippedFeedUpdate {

bool addEditorRows(UpgradeStore& store, const QStringList& tables, QString* error)
{
    if (tables.isEmpty())
        return true;
    TableData shipped;
    if (!DatabaseCreator::readSystemTable(QStringLiteral("T_GRUNDDATEN"), shipped, error))
        return false;
    const int idColumn = columnOf(shipped, "ID");
    const int tableColumn = columnOf(shipped, "TABELLE");
    const int fieldColumn = columnOf(shipped, "FELD");
    if (idColumn < 0 || tableColumn < 0 || fieldColumn < 0) {
        if (error)
            *error = QStringLiteral("T_GRUNDDATEN: ID, TABELLE or FELD missing");
        return false;
    }
    const auto failed = [&] {
        if (error)
            *error = store.error();
        return false;
    };
    TableData missing = shipped;
    for (auto row : shipped.rows) {
        const QString table = text(row[size_t(tableColumn)]);
        if (!tables.contains(table, Qt::CaseInsensitive))
            continue;
        // The table's own row has no field: NULL, or empty as a text column
        // may hold it.
        const QString field = text(row[size_t(fieldColumn)]);
        UpgradeStore::Rows found;
        if (!store.select(QStringLiteral("SELECT ID FROM T_GRUNDDATEN WHERE TABELLE = %1 AND %2")
                              .arg(Sql::quote(table), field.isEmpty()
                                                          ? QStringLiteral("(FELD IS NULL OR FELD = '')")
                                                          : QStringLiteral("FELD = ") + Sql::quote(field)),
                          found))
            return failed();
        if (!found.empty())
            continue;
        // The shipped numbers were given out afresh with the new tables, so
        // an older database may use them for other rows.
        if (!store.select(QStringLiteral("SELECT ID FROM T_GRUNDDATEN WHERE ID = %1")
                              .arg(text(row[size_t(idColumn)]).toLongLong()),
                          found))
            return failed();
        if (!found.empty()) {
            UpgradeStore::Rows next;
            if (!store.select(QStringLiteral("SELECT coalesce(max(ID), 0) + 1 FROM T_GRUNDDATEN"), next) ||
                next.empty())
                return failed();
            row[size_t(idColumn)] = text(next[0][0]);
        }
        missing.rows = {row};
        if (!store.insert(missing))
            return failed();
    }
    return true;
}

bool run(UpgradeStore& store, ShippedFeedReport& report, QString* error)
{
    Update update(store, report);
    if (update.run())
        return true;
    if (error)
        *error = update.error().isEmpty() ? store.error() : update.error();
    return false;
}

} // namespace ShippedFeedUpdate
