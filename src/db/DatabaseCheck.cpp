#include "db/DatabaseCheck.h"

#include "core/Lang.h"
#include "core/Prompt.h"
#include "db/AppContext.h"
#include "db/DatabaseBackup.h"
#include "db/DatabaseCreator.h"
#include "db/DatabaseTexts.h"
#include "db/FeedKeyCounter.h"
#include "db/PostgreSqlSchema.h"
#include "db/RecordSet.h"
#include "db/SortKeys.h"
#include "db/SqliteBackend.h"

#include <QRegularExpression>

namespace {

using Count = DatabaseCheck::Count;

bool isFile(AppContext& context)
{
    const DbBackend* backend = context.db().backend();
    return backend && !backend->databaseFile().isEmpty();
}

Count failed(AppContext& context)
{
    Count count;
    count.state = Count::State::Failed;
    count.reason = context.db().lastError();
    return count;
}

// A value as a person reads it: a key, a count, a name.
QString plain(const DbValue& value)
{
    switch (value.kind) {
    case DbValue::Kind::Integer:
    case DbValue::Kind::YesNo:
        return QString::number(value.integer);
    case DbValue::Kind::Double:
        return QString::number(value.real, 'g', 15);
    case DbValue::Kind::Null:
        return QStringLiteral("NULL");
    default:
        return value.text;
    }
}

// The first column of every row as text; nullopt when the query fails.
std::optional<QStringList> column(AppContext& context, const QString& sql)
{
    RecordSet rs;
    if (!rs.openRecordset(context.db(), sql))
        return std::nullopt;
    QStringList values;
    for (; !rs.isEof(); rs.moveNext())
        values << plain(rs.value(0));
    return values;
}

// Each row a rule finds: its key, then its other columns by name, as
// "17 (ID_REZEPT 900, ID_FUTTERMITTEL 99999)".
Count rowsOf(AppContext& context, const QString& sql)
{
    RecordSet rs;
    if (!rs.openRecordset(context.db(), sql))
        return failed(context);
    Count count;
    for (; !rs.isEof(); rs.moveNext()) {
        QStringList columns;
        for (int c = 1; c < rs.columnCount(); ++c)
            columns << rs.columnName(c).toUpper() + QLatin1Char(' ') + plain(rs.value(c));
        count.keys << plain(rs.value(0)) + QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                          QLatin1Char(')');
        ++count.count;
    }
    return count;
}

Count integrity(AppContext& context)
{
    // A server keeps its files whole itself and offers no check of them.
    if (!isFile(context))
        return {Count::State::NotAvailable, 0, {}, {}};
    const std::optional<QStringList> messages = column(context, QStringLiteral("PRAGMA integrity_check"));
    if (!messages)
        return failed(context);
    Count count;
    if (*messages != QStringList{QStringLiteral("ok")}) {
        count.keys = *messages;
        count.count = messages->size();
    }
    return count;
}

bool reindex(AppContext& context)
{
    // Rebuilds every index; one whose pages were damaged is whole again
    // afterwards.
    return !isFile(context) || context.db().executeSql(QStringLiteral("REINDEX"));
}

// Names whose sort key is missing (another tool wrote them while the
// program had the file open) or not their name's key: such a row is out of
// place in its list until the keys are refreshed.
Count staleSortKeys(AppContext& context)
{
    // A server sorts the names themselves: nothing to find there.
    Count count;
    const auto* file = dynamic_cast<const SqliteBackend*>(context.db().backend());
    if (!file || !SortKeys::present(file->handle()))
        return count;
    for (const SortKeys::Column& sorted : SortKeys::columns()) {
        const std::optional<QStringList> stale = column(context, SortKeys::staleCountStatement(sorted));
        if (!stale || stale->isEmpty())
            return failed(context);
        if (const qint64 rows = stale->front().toLongLong(); rows > 0) {
            count.count += rows;
            count.keys << QStringLiteral("%1.%2 %3").arg(sorted.table, sorted.name).arg(rows);
        }
    }
    return count;
}

bool refreshSortKeys(AppContext& context)
{
    auto* file = dynamic_cast<SqliteBackend*>(context.db().backend());
    QString error;
    return !file || SortKeys::refresh(file->handle(), true, &error) >= 0;
}

Count schemaVersion(AppContext& context)
{
    const std::optional<QStringList> found =
        isFile(context) ? column(context, QStringLiteral("PRAGMA user_version"))
                        : column(context, QStringLiteral("SELECT MAX(version) AS V FROM ") +
                                              QLatin1String(PostgreSqlSchema::VersionTable));
    if (!found)
        return failed(context);
    Count count;
    const QString version = found->value(0);
    if (version != QString::number(DatabaseCreator::SchemaVersion)) {
        count.count = 1;
        count.keys << version;
    }
    return count;
}

QStringList existingIndexes(AppContext& context, bool* ok)
{
    const std::optional<QStringList> names =
        isFile(context)
            ? column(context, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"))
            : column(context,
                     QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema()"));
    *ok = names.has_value();
    return names.value_or(QStringList());
}

Count missingIndexes(AppContext& context)
{
    bool ok = false;
    const QStringList existing = existingIndexes(context, &ok);
    if (!ok)
        return failed(context);
    Count count;
    for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::allSchemaIndexes()) {
        if (!existing.contains(index.name, Qt::CaseInsensitive)) {
            count.keys << index.name;
            ++count.count;
        }
    }
    return count;
}

// The statement that creates an index of the schema on this engine.
QString indexStatement(AppContext& context, const DatabaseCreator::SchemaIndex& index)
{
    if (isFile(context))
        return index.statement;
    // The server's form of the index (its collation, the key as last column)
    // comes from the server's rendering of the whole schema.
    const QRegularExpression statement(QStringLiteral("CREATE\\s+INDEX\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?") +
                                           QRegularExpression::escape(index.name) +
                                           QStringLiteral("\\s+ON\\s[^;]*;"),
                                       QRegularExpression::CaseInsensitiveOption);
    return statement.match(PostgreSqlSchema::renderBuiltIn()).captured(0);
}

bool createMissingIndexes(AppContext& context)
{
    bool ok = false;
    const QStringList existing = existingIndexes(context, &ok);
    for (const DatabaseCreator::SchemaIndex& index : DatabaseCreator::allSchemaIndexes()) {
        if (!ok || existing.contains(index.name, Qt::CaseInsensitive))
            continue;
        const QString sql = indexStatement(context, index);
        ok = !sql.isEmpty() && context.db().executeSql(sql);
    }
    return ok;
}

Count orphans(AppContext& context, const char* sql)
{
    return rowsOf(context, QString::fromLatin1(sql));
}

Count keyCounters(AppContext& context)
{
    QList<FeedKeyCounter::State> states;
    if (!FeedKeyCounter::readStates(context.db(), states))
        return failed(context);
    Count count;
    for (const FeedKeyCounter::State& state : states) {
        if (state.isAboveHighest())
            continue;
        count.keys << QStringLiteral("%1 (ID_NEW %2, MAX(ID) %3)")
                          .arg(state.owner)
                          .arg(state.next)
                          .arg(state.highest);
        ++count.count;
    }
    return count;
}

bool raiseKeyCounters(AppContext& context)
{
    QList<FeedKeyCounter::State> states;
    if (!FeedKeyCounter::readStates(context.db(), states))
        return false;
    bool ok = true;
    for (const FeedKeyCounter::State& state : states) {
        if (!state.isAboveHighest())
            ok = FeedKeyCounter::raiseAboveHighest(context.db(), state.owner) && ok;
    }
    return ok;
}

// A field of an output line: tabs and line breaks would split it.
QString field(QString text)
{
    static const QRegularExpression breaks(QStringLiteral("[\\t\\r\\n]+"));
    return text.replace(breaks, QStringLiteral(" "));
}

QString listedKeys(const Count& count, const QString& more)
{
    QStringList keys = count.keys.mid(0, DatabaseCheck::ListedKeys);
    if (count.keys.size() > DatabaseCheck::ListedKeys)
        keys << more.arg(count.keys.size() - DatabaseCheck::ListedKeys);
    return field(keys.join(QStringLiteral(", ")));
}

} // namespace

QString DatabaseCheck::plainText(const DbValue& value)
{
    return plain(value);
}

QList<DatabaseCheck::Entry> DatabaseCheck::storageChecks()
{
    // A further rule is one more row here or in the caller's list.
    return {
        {QStringLiteral("integrity check"),
         QStringLiteral("Die Integritätsprüfung der Datenbankdatei meldet Fehler"),
         QStringLiteral("The integrity check of the database file reports errors"), integrity, reindex},
        {QStringLiteral("schema version not current"),
         QStringLiteral("Die Schemaversion der Datenbank ist nicht die dieses Programms"),
         QStringLiteral("The schema version of the database is not this program's"),
         schemaVersion,
         {}},
        {QStringLiteral("missing indexes"), QStringLiteral("Fehlende Indizes"),
         QStringLiteral("Missing indexes"), missingIndexes, createMissingIndexes},
        {QStringLiteral("ration rows without case"),
         QStringLiteral("Rationszeilen ohne ihren Fall"),
         QStringLiteral("Ration rows without their case"),
         [](AppContext& context) {
             return orphans(context, "SELECT T_REZ_FM.ID, T_REZ_FM.ID_Rezept, T_REZ_FM.ID_Futtermittel FROM "
                                     "T_REZ_FM LEFT JOIN T_PAT_REZ ON T_REZ_FM.ID_Rezept = T_PAT_REZ.ID "
                                     "WHERE T_PAT_REZ.ID IS NULL ORDER BY T_REZ_FM.ID");
         },
         {}},
        {QStringLiteral("recipe text blocks without case"),
         QStringLiteral("Textbausteine von Rezepten ohne ihren Fall"),
         QStringLiteral("Recipe text blocks without their case"),
         [](AppContext& context) {
             return orphans(context, "SELECT T_REZ_TEXT.ID, T_REZ_TEXT.ID_Rezept FROM T_REZ_TEXT LEFT JOIN "
                                     "T_PAT_REZ ON T_REZ_TEXT.ID_Rezept = T_PAT_REZ.ID WHERE T_PAT_REZ.ID IS "
                                     "NULL ORDER BY T_REZ_TEXT.ID");
         },
         {}},
        {QStringLiteral("ration rows without feedstuff"),
         QStringLiteral("Rationszeilen ohne ihr Futtermittel"),
         QStringLiteral("Ration rows without their feedstuff"),
         [](AppContext& context) {
             return orphans(context,
                            "SELECT T_REZ_FM.ID, T_REZ_FM.ID_Rezept, T_REZ_FM.ID_Futtermittel FROM "
                            "T_REZ_FM LEFT JOIN T_FUTTERMITTEL ON T_REZ_FM.ID_Futtermittel = "
                            "T_FUTTERMITTEL.ID WHERE T_FUTTERMITTEL.ID IS NULL ORDER BY T_REZ_FM.ID");
         },
         {}},
        {QStringLiteral("content rows without feedstuff"),
         QStringLiteral("Nährstoffgehalte ohne ihr Futtermittel"),
         QStringLiteral("Content rows without their feedstuff"),
         [](AppContext& context) {
             return orphans(context, "SELECT T_FM_NAEHRSTOFF.ID, T_FM_NAEHRSTOFF.ID_FM, "
                                     "T_FM_NAEHRSTOFF.ID_NAEHRSTOFF FROM T_FM_NAEHRSTOFF LEFT JOIN "
                                     "T_FUTTERMITTEL ON T_FM_NAEHRSTOFF.ID_FM = T_FUTTERMITTEL.ID WHERE "
                                     "T_FUTTERMITTEL.ID IS NULL ORDER BY T_FM_NAEHRSTOFF.ID");
         },
         {}},
        {QStringLiteral("category rows without feedstuff"),
         QStringLiteral("Kategoriezuordnungen ohne ihr Futtermittel"),
         QStringLiteral("Category rows without their feedstuff"),
         [](AppContext& context) {
             return orphans(context,
                            "SELECT T_FM_KAT.ID, T_FM_KAT.ID_FM, T_FM_KAT.ID_FM_KATEGORIE FROM "
                            "T_FM_KAT LEFT JOIN T_FUTTERMITTEL ON T_FM_KAT.ID_FM = "
                            "T_FUTTERMITTEL.ID WHERE T_FUTTERMITTEL.ID IS NULL ORDER BY T_FM_KAT.ID");
         },
         {}},
        {QStringLiteral("key counters not above highest key"),
         QStringLiteral("Schlüsselzähler nicht über dem höchsten vergebenen Schlüssel"),
         QStringLiteral("Key counters not above the highest key given"), keyCounters, raiseKeyCounters},
        {QStringLiteral("stale sort keys"),
         QStringLiteral("Namen, die in ihrer Liste nicht an ihrem Platz stehen (veraltete Sortierschlüssel)"),
         QStringLiteral("Names out of place in their list (stale sort keys)"), staleSortKeys,
         refreshSortKeys},
    };
}

DatabaseCheck::DatabaseCheck(AppContext& context, QList<Entry> entries)
    : m_context(context)
    , m_entries(std::move(entries))
{
}

QList<DatabaseCheck::Finding> DatabaseCheck::run()
{
    QList<Finding> findings;
    const int total = int(m_entries.size());
    for (int i = 0; i < total; ++i) {
        if (m_progress)
            m_progress(i, total, &m_entries[i]);
        Finding finding;
        finding.entry = i;
        finding.count = m_entries[i].count(m_context);
        switch (finding.count.state) {
        case Count::State::Counted:
            if (finding.count.count == 0)
                continue;
            finding.repairable = bool(m_entries[i].repair);
            break;
        case Count::State::NotAvailable:
            finding.kind = Finding::Kind::Info;
            break;
        case Count::State::Failed:
            break;
        }
        findings << finding;
    }
    if (m_progress)
        m_progress(total, total, nullptr);
    return findings;
}

int DatabaseCheck::problemCount(const QList<Finding>& findings)
{
    return int(std::count_if(findings.begin(), findings.end(),
                             [](const Finding& f) { return f.kind == Finding::Kind::Problem; }));
}

bool DatabaseCheck::anyRepairable(const QList<Finding>& findings)
{
    return std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.repairable; });
}

bool DatabaseCheck::repair(const QList<Finding>& findings, Prompt& prompt, QStringList* failedRepairs)
{
    m_backupFile.clear();
    if (!anyRepairable(findings))
        return true;
    DatabaseBackup backup(m_context, prompt);
    if (!backup.writeAutomaticCopy(DatabaseBackup::Before::Repair))
        return false;
    if (!backup.isOnServer())
        m_backupFile = backup.lastCopy();
    for (const Finding& finding : findings) {
        if (!finding.repairable)
            continue;
        const Entry& entry = m_entries[finding.entry];
        if (!entry.repair(m_context) && failedRepairs)
            *failedRepairs << entry.what;
    }
    return true;
}

QString DatabaseCheck::line(const Finding& finding) const
{
    const QString what = field(m_entries[finding.entry].what);
    if (finding.kind == Finding::Kind::Info)
        return QStringLiteral("info\t") + what + QStringLiteral("\tnot available on a database server");
    if (finding.count.state == Count::State::Failed)
        return QStringLiteral("problem\t") + what + QStringLiteral("\tnot checked\t") +
               field(finding.count.reason);
    QString text =
        QStringLiteral("problem\t") + what + QLatin1Char('\t') + QString::number(finding.count.count);
    if (!finding.count.keys.isEmpty())
        text += QLatin1Char('\t') + listedKeys(finding.count, QStringLiteral("%1 more"));
    return text;
}

QString DatabaseCheck::text(const Finding& finding, const QString& code) const
{
    const Entry& entry = m_entries[finding.entry];
    const QString title = Lang::deOr(code, entry.german, entry.english);
    if (finding.kind == Finding::Kind::Info)
        return DatabaseTexts::NotCheckedOnServer.in(code).arg(title);
    if (finding.count.state == Count::State::Failed)
        return DatabaseTexts::NotChecked.in(code).arg(title, finding.count.reason);
    QString text = title + QStringLiteral(": ") + QString::number(finding.count.count);
    if (!finding.count.keys.isEmpty())
        text +=
            DatabaseTexts::Concerned.in(code) + listedKeys(finding.count, DatabaseTexts::MoreRows.in(code));
    return text;
}
