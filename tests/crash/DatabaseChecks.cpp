#include "DatabaseChecks.h"

#include "CrashLabels.h"

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "exchange/ExchangeFile.h"
#include "exchange/SystemTableExchange.h"

#include <QCryptographicHash>
#include <QHash>

namespace DatabaseChecks {

namespace {

// The first column of every row, as text.
QStringList column(AppContext& context, const QString& sql, bool* opened = nullptr)
{
    QStringList values;
    RecordSet rs;
    const bool ok = rs.openRecordset(context.db(), sql);
    if (opened)
        *opened = ok;
    for (; ok && !rs.isEof(); rs.moveNext())
        values << rs.value(0).text;
    return values;
}

qint64 number(AppContext& context, const QString& sql)
{
    RecordSet rs;
    if (!rs.openRecordset(context.db(), sql) || rs.isEof())
        return -1;
    const DbValue value = rs.value(0);
    return value.kind == DbValue::Kind::Integer ? value.integer : value.text.toLongLong();
}

// Contents per feedstuff key of one table.
QHash<qint64, int> countsPerFeed(AppContext& context, const QString& table)
{
    QHash<qint64, int> counts;
    RecordSet rs;
    if (rs.openRecordset(context.db(), QStringLiteral("SELECT ID_FM, COUNT(*) AS N FROM ") + table +
                                           QStringLiteral(" GROUP BY ID_FM"))) {
        for (; !rs.isEof(); rs.moveNext())
            counts.insert(rs.value(0).integer, int(rs.value(1).integer));
    }
    return counts;
}

void checkCases(AppContext& context, QStringList& found)
{
    RecordSet rs;
    if (!rs.openRecordset(
            context.db(),
            QStringLiteral("SELECT T_PAT_REZ.ID, T_PAT_REZ.Rezepttitel, COUNT(T_REZ_FM.ID) AS N "
                           "FROM T_PAT_REZ LEFT JOIN T_REZ_FM ON T_PAT_REZ.ID = T_REZ_FM.ID_Rezept "
                           "GROUP BY T_PAT_REZ.ID, T_PAT_REZ.Rezepttitel"))) {
        found << QStringLiteral("cannot read the cases: ") + context.db().lastError();
        return;
    }
    for (; !rs.isEof(); rs.moveNext()) {
        const QString title = rs.value(1).text;
        const int rows = int(rs.value(2).integer);
        if (CrashLabels::rationRowsOf(title) != rows)
            found << QStringLiteral("case %1 \"%2\" has %3 ration rows")
                         .arg(rs.value(0).integer)
                         .arg(title)
                         .arg(rows);
    }
    const qint64 orphans =
        number(context, QStringLiteral("SELECT COUNT(*) AS N FROM T_REZ_FM LEFT JOIN T_PAT_REZ ON "
                                       "T_REZ_FM.ID_Rezept = T_PAT_REZ.ID WHERE T_PAT_REZ.ID IS NULL"));
    if (orphans != 0)
        found << QStringLiteral("%1 ration rows belong to no case").arg(orphans);
    // A case opens its ration through the feedstuffs: a row without one is lost.
    const qint64 unfed =
        number(context, QStringLiteral("SELECT COUNT(*) AS N FROM T_REZ_FM LEFT JOIN T_FUTTERMITTEL ON "
                                       "T_REZ_FM.ID_Futtermittel = T_FUTTERMITTEL.ID WHERE "
                                       "T_FUTTERMITTEL.ID IS NULL"));
    if (unfed != 0)
        found << QStringLiteral("%1 ration rows name no stored feedstuff").arg(unfed);
}

void checkFeeds(AppContext& context, QStringList& found)
{
    const QString owner = Sql::quote(context.ownerCode());
    const QHash<qint64, int> contents = countsPerFeed(context, QStringLiteral("T_FM_NAEHRSTOFF"));
    const QHash<qint64, int> categories = countsPerFeed(context, QStringLiteral("T_FM_KAT"));
    RecordSet rs;
    if (!rs.openRecordset(context.db(),
                          QStringLiteral("SELECT ID, BEZ_DE FROM T_FUTTERMITTEL WHERE EIGEN = ") + owner)) {
        found << QStringLiteral("cannot read the feedstuffs: ") + context.db().lastError();
        return;
    }
    for (; !rs.isEof(); rs.moveNext()) {
        const qint64 key = rs.value(0).integer;
        const QString name = rs.value(1).text;
        int wantedContents = 0, wantedCategories = 0;
        if (!CrashLabels::feedCountsOf(name, wantedContents, wantedCategories) ||
            contents.value(key) != wantedContents || categories.value(key) != wantedCategories) {
            found << QStringLiteral("feedstuff %1 \"%2\" has %3 contents and %4 categories")
                         .arg(key)
                         .arg(name)
                         .arg(contents.value(key))
                         .arg(categories.value(key));
        }
    }
    for (const char* table : {"T_FM_NAEHRSTOFF", "T_FM_KAT"}) {
        const qint64 orphans = number(
            context, QStringLiteral("SELECT COUNT(*) AS N FROM %1 LEFT JOIN T_FUTTERMITTEL ON %1.ID_FM = "
                                    "T_FUTTERMITTEL.ID WHERE T_FUTTERMITTEL.ID IS NULL")
                         .arg(QLatin1String(table)));
        if (orphans != 0)
            found << QStringLiteral("%1 rows of %2 belong to no feedstuff")
                         .arg(orphans)
                         .arg(QLatin1String(table));
    }
    const qint64 counter =
        number(context, QStringLiteral("SELECT ID_NEW FROM T_FM_KEY WHERE FM_TYP = ") + owner);
    const qint64 highest =
        number(context, QStringLiteral("SELECT MAX(ID) AS M FROM T_FUTTERMITTEL WHERE EIGEN = ") + owner);
    if (counter <= highest)
        found
            << QStringLiteral("the key counter %1 is not above the stored key %2").arg(counter).arg(highest);
}

} // namespace

QByteArray systemDigest(AppContext& context)
{
    RecordingPrompt prompt;
    SystemTableExchange exchange(context, prompt);
    ExchangeFile file;
    QString failedTable;
    if (!exchange.collect(file.records, failedTable))
        return QByteArray();
    // An import gives the contents rows new keys of the database's choosing;
    // what they hold is the state.
    for (ExchangeRecord& record : file.records) {
        if (record.table == QLatin1String("T_FM_NAEHRSTOFF"))
            std::erase_if(record.fields,
                          [](const ExchangeField& field) { return field.name == QLatin1String("ID"); });
    }
    return QCryptographicHash::hash(file.toBytes(), QCryptographicHash::Sha256).toHex();
}

QStringList failures(AppContext& context, const QList<QByteArray>& systemStates)
{
    QStringList found;
    // A server keeps its files whole itself; only a database file is checked.
    const bool isFile = context.db().backend() && !context.db().backend()->databaseFile().isEmpty();
    bool opened = false;
    const QStringList integrity =
        isFile ? column(context, QStringLiteral("PRAGMA integrity_check"), &opened) : QStringList();
    if (isFile && !opened)
        found << QStringLiteral("cannot run the integrity check: ") + context.db().lastError();
    else if (isFile && integrity != QStringList{QStringLiteral("ok")})
        found << QStringLiteral("integrity check: ") + integrity.join(QStringLiteral("; "));
    checkCases(context, found);
    checkFeeds(context, found);
    const QByteArray digest = systemDigest(context);
    if (!systemStates.contains(digest))
        found << QStringLiteral("the system tables are in neither state an import leaves");
    return found;
}

} // namespace DatabaseChecks
