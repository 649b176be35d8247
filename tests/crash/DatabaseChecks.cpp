#include "DatabaseChecks.h"

#include "CrashLabels.h"

#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseCheck.h"
#include "db/RecordSet.h"
#include "db/SqlQuote.h"
#include "exchange/ExchangeFile.h"
#include "exchange/SystemTableExchange.h"

#include <QCryptographicHash>
#include <QHash>

namespace DatabaseChecks {

namespace {

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
    // The program's own check: the file's integrity, rows without their case
    // or feedstuff, key counters, indexes.
    DatabaseCheck check(context, DatabaseCheck::storageChecks());
    for (const DatabaseCheck::Finding& finding : check.run()) {
        if (finding.kind == DatabaseCheck::Finding::Kind::Problem)
            found << check.line(finding);
    }
    checkCases(context, found);
    checkFeeds(context, found);
    const QByteArray digest = systemDigest(context);
    if (!systemStates.contains(digest))
        found << QStringLiteral("the system tables are in neither state an import leaves");
    return found;
}

} // namespace DatabaseChecks
